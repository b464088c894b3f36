#include "online/monitor/HOXMonPlotObj.h"

#include "chart/ChartLookup.h"
#include "chart/ObjectKinds.h"
#include "online/monitor/HOXPlotXDlg.h"
#include "online/monitor/HOXPlotXYDlg.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Fonts.h"

KT_IMPLEMENT_SERIAL(CHOXMonPlotObj, CHOXMonObj, 0)
KT_REGISTER_KIND(CHOXMonPlotObj, .type = objtype::kMonPlotObj, .helpContext = 0x18073)

namespace {

// Products of two coordinates of the plot's 64-bit points.
__extension__ using Wide = __int128;

// A place along the segment, num / den from its start, den > 0.
struct Fraction {
    Wide num;
    Wide den;
};

bool Less(const Fraction& a, const Fraction& b) { return a.num * b.den < b.num * a.den; }

// The coordinate at the fraction of the way from `from` by `delta`,
// rounded towards `from`.
std::int64_t Along(std::int64_t from, Wide delta, const Fraction& t)
{
    return static_cast<std::int64_t>(Wide(from) + delta * t.num / t.den);
}

} // namespace

CHOXMonPlotObj::CHOXMonPlotObj() = default;

CHOXMonPlotObj::CHOXMonPlotObj(CHOXWnd* wnd) : CHOXMonObj(wnd) { SetDefaultBounds(); }

void CHOXMonPlotObj::Serialize(CArchive& ar)
{
    CHOXMonObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nXPositive << m_nXNegative << m_nYPositive << m_nYNegative;
    } else {
        ar >> m_nXPositive >> m_nXNegative >> m_nYPositive >> m_nYNegative;
    }
}

void CHOXMonPlotObj::Draw(CDC* pDC)
{
    if (DrawDragOutline(pDC)) return;
    const QFont oldFont = pDC->SelectFont(GraphFont());
    if (IsOneAxis()) {
        DrawXPlot(pDC);
    } else {
        DrawXYPlot(pDC);
    }
    pDC->SelectFont(oldFont);
}

int CHOXMonPlotObj::GetTextWidth(CDC* pDC, const QString& text) { return pDC->GetCharWidthSum(text); }

namespace {

using chart::Pt;
using chart::Sat;
using I64 = std::int64_t;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

QPen AxisPen() { return MakePen(PS_INSIDEFRAME, 2, kBlack); }

// The bounds framed in grey on white.
void DrawField(CDC* pDC, const CRect& bounds)
{
    const QPen oldPen = pDC->SelectPen(CHOXMonObj::PanelFramePen());
    const QBrush oldBrush = pDC->SelectBrush(QBrush(ToQColor(kWhite)));
    pDC->Rectangle(bounds);
    pDC->SelectBrush(oldBrush);
    pDC->SelectPen(oldPen);
}

void Line(CDC* pDC, I64 x1, I64 y1, I64 x2, I64 y2)
{
    pDC->MoveTo(Pt(x1, y1));
    pDC->LineTo(Pt(x2, y2));
}

} // namespace

void CHOXMonPlotObj::DrawXPlot(CDC* pDC)
{
    const CRect bounds = m_position.Normalized();
    const I64 left = bounds.left;
    const I64 middle = bounds.top + (I64(bounds.bottom) - bounds.top) / 2;
    DrawField(pDC, bounds);

    const QPen oldPen = pDC->SelectPen(AxisPen());
    Line(pDC, left + 4, middle, I64(bounds.right) - 4, middle);

    const COLORREF oldBkColor = pDC->SetBkColor(kWhite);
    const int oldMode = pDC->SetBkMode(OPAQUE);
    const QString positive = QString::number(m_nXPositive);
    TextOutEndingAt(pDC, left + 216, middle + 4, positive);
    pDC->TextOut(Sat(left + 4), Sat(middle + 4), QString::number(m_nXNegative));
    // Half way between the limits; a narrow span has no value of its own
    // there.
    const I64 half = I64(m_nXNegative) + (I64(m_nXPositive) - m_nXNegative) / 2;
    if (half != m_nXPositive && half != m_nXNegative) {
        const QString text = QString::number(half);
        pDC->TextOut(Sat(left + 110 - GetTextWidth(pDC, text) / 2), Sat(middle + 4), text);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBkColor);

    for (int k = 0; k <= 6; ++k) {
        const I64 x = left + kScaleStart + kSpan * k / 6;
        Line(pDC, x, middle - 3, x, middle + 3);
    }

    // The marker, only where the scale has room for it: the place is worked
    // out wide, as a position far beyond a narrow span lies far beyond the
    // 32-bit range of coordinates.
    if (!m_samples.empty() && HasXSpan()) {
        const I64 p = left + kScaleStart + GetZeroPoint().x + ScaleX(m_samples.back().x);
        if (p >= left + 4 && p <= left + 212) {
            pDC->SelectPen(MakePen(PS_SOLID, 1, kRed));
            const QBrush oldBrush = pDC->SelectBrush(QBrush(ToQColor(kBlack)));
            pDC->Polygon({Pt(p, middle - 6), Pt(p - 8, middle - 14), Pt(p + 8, middle - 14)});
            pDC->SelectBrush(oldBrush);
        }
    }
    pDC->SelectPen(oldPen);
}

void CHOXMonPlotObj::DrawXYPlot(CDC* pDC)
{
    const CRect bounds = m_position.Normalized();
    DrawField(pDC, bounds);
    const PlotPoint zero = GetZeroPoint();
    // A zero line is drawn only where its axis places the zero inside the
    // bounds.
    const bool xLine = HasXSpan() && zero.x >= 0 && zero.x + 12 < I64(bounds.right) - bounds.left;
    const bool yLine = HasYSpan() && zero.y >= 0 && zero.y + 12 < I64(bounds.bottom) - bounds.top;
    DrawXYLabels(pDC, zero, xLine, yLine);

    const QPen oldPen = pDC->SelectPen(AxisPen());
    if (xLine) {
        const I64 x = bounds.left + kInset + zero.x;
        Line(pDC, x, bounds.top, x, bounds.bottom);
    }
    if (yLine) {
        const I64 y = bounds.top + kInset + zero.y;
        Line(pDC, bounds.left, y, bounds.right, y);
    }
    pDC->SelectPen(oldPen);
    DrawTrace(pDC, zero);
}

// The limits of X stand below the horizontal zero line at its two ends, those
// of Y right of the vertical zero line at its two ends, each moved to the
// other side of its line where the bounds end first. Where a line is left
// out its labels stand at the edge on the side of its zero.
void CHOXMonPlotObj::DrawXYLabels(CDC* pDC, const PlotPoint& zero, bool xLine, bool yLine)
{
    const CRect bounds = m_position.Normalized();
    const I64 left = bounds.left;
    const I64 top = bounds.top;
    const I64 right = bounds.right;
    const I64 bottom = bounds.bottom;
    const I64 height = pDC->GetTextExtent(QStringLiteral("0")).cy;
    const COLORREF oldBkColor = pDC->SetBkColor(kWhite);
    const int oldMode = pDC->SetBkMode(OPAQUE);

    I64 xTop = 0;
    if (yLine) {
        const I64 line = top + kInset + zero.y;
        xTop = line + 3 + height <= bottom - kInset ? line + 3 : line - 3 - height;
    } else {
        xTop = HasYSpan() && zero.y < 0 ? top + kInset + 2 : bottom - kInset - 2 - height;
    }
    const QString xPositive = QString::number(m_nXPositive);
    pDC->TextOut(Sat(left + kInset + 2), Sat(xTop), QString::number(m_nXNegative));
    TextOutEndingAt(pDC, right - kInset - 2, xTop, xPositive);

    const auto yLabel = [&](std::int32_t value, I64 y) {
        const QString text = QString::number(value);
        const I64 width = GetTextWidth(pDC, text);
        I64 x = 0;
        if (xLine) {
            const I64 line = left + kInset + zero.x;
            x = line + 4 + width <= right - kInset ? line + 4 : line - 4 - width;
        } else {
            x = HasXSpan() && zero.x < 0 ? left + kInset + 2 : right - kInset - 2 - width;
        }
        pDC->TextOut(Sat(x), Sat(y), text);
    };
    yLabel(m_nYPositive, top + kInset + 2);
    yLabel(m_nYNegative, bottom - kInset - 2 - height);

    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBkColor);
}

// Consecutive samples joined, every segment cut to the bounds inset on each
// side; the pieces that follow on from each other are drawn as one line.
// Points are placed and cut in 64 bits and become coordinates only inside
// the bounds.
void CHOXMonPlotObj::DrawTrace(CDC* pDC, const PlotPoint& zero)
{
    if (m_samples.size() < 2 || !HasXSpan() || !HasYSpan()) return;
    const CRect bounds = m_position.Normalized();
    const PlotRect inside{I64(bounds.left) + kInset, I64(bounds.top) + kInset, I64(bounds.right) - kInset,
                          I64(bounds.bottom) - kInset};
    const auto place = [&](const PlotSample& s) {
        return PlotPoint{inside.left + zero.x + ScaleX(s.x), inside.top + zero.y - ScaleY(s.y)};
    };
    const QPen oldPen = pDC->SelectPen(MakePen(PS_SOLID, 1, kRed));
    std::vector<CPoint> run;
    const auto flush = [&] {
        if (run.size() >= 2) pDC->Polyline(run);
        run.clear();
    };
    PlotPoint from = place(m_samples.front());
    for (std::size_t i = 1; i < m_samples.size(); ++i) {
        const PlotPoint to = place(m_samples[i]);
        PlotPoint a = from;
        PlotPoint b = to;
        from = to;
        if (!ClipSegment(a, b, inside)) {
            flush();
            continue;
        }
        const CPoint start = Pt(a.x, a.y);
        const CPoint end = Pt(b.x, b.y);
        if (run.empty() || run.back() != start) {
            flush();
            run.push_back(start);
        }
        if (end != run.back()) run.push_back(end);
        // Cut short: the next segment starts elsewhere.
        if (b != to) flush();
    }
    flush();
    pDC->SelectPen(oldPen);
}

void CHOXMonPlotObj::OnOpen(UINT, CPoint)
{
    std::int32_t xPositive = m_nXPositive;
    std::int32_t xNegative = m_nXNegative;
    std::int32_t yPositive = m_nYPositive;
    std::int32_t yNegative = m_nYNegative;
    if (IsOneAxis()) {
        CHOXPlotXDlg dlg(this);
        if (dlg.DoModal() == IDOK) {
            xPositive = dlg.GetXPositive();
            xNegative = dlg.GetXNegative();
        }
    } else {
        CHOXPlotXYDlg dlg(this);
        if (dlg.DoModal() == IDOK) {
            xPositive = dlg.GetXPositive();
            xNegative = dlg.GetXNegative();
            yPositive = dlg.GetYPositive();
            yNegative = dlg.GetYNegative();
        }
    }
    if (xPositive != m_nXPositive || xNegative != m_nXNegative || yPositive != m_nYPositive ||
        yNegative != m_nYNegative) {
        SetLimits(xPositive, xNegative, yPositive, yNegative);
        SetModified();
    }
    Invalidate();
}

void CHOXMonPlotObj::SetDefaultBounds() { m_position = IsOneAxis() ? CRect(10, 10, 230, 56) : CRect(10, 10, 242, 242); }

void CHOXMonPlotObj::SetLimits(std::int32_t xPositive, std::int32_t xNegative, std::int32_t yPositive,
                               std::int32_t yNegative)
{
    m_nXPositive = xPositive;
    m_nXNegative = xNegative;
    m_nYPositive = yPositive;
    m_nYNegative = yNegative;
}

void CHOXMonPlotObj::AddSample(std::int32_t x, std::int32_t y)
{
    m_lastSample = {x, y};
    if (IsOneAxis()) {
        m_samples.clear();
        y = 0;
    }
    m_samples.push_back({x, y});
}

void CHOXMonPlotObj::ClearSamples()
{
    m_samples.clear();
    Invalidate();
}

PlotPoint CHOXMonPlotObj::GetZeroPoint() const
{
    return {XZero(m_nXPositive, m_nXNegative), IsOneAxis() ? 0 : YZero(m_nYPositive, m_nYNegative)};
}

std::int64_t CHOXMonPlotObj::XZero(std::int32_t positive, std::int32_t negative)
{
    const std::int64_t range = std::int64_t(positive) - negative;
    return range != 0 ? kSpan * (0 - std::int64_t(negative)) / range : 0;
}

std::int64_t CHOXMonPlotObj::YZero(std::int32_t positive, std::int32_t negative)
{
    const std::int64_t range = std::int64_t(positive) - negative;
    return range != 0 ? kSpan * std::int64_t(positive) / range : 0;
}

std::int64_t CHOXMonPlotObj::Scale(std::int32_t v, std::int32_t positive, std::int32_t negative)
{
    // In whole numbers the quotient truncates as the floating-point one does:
    // with these magnitudes a rounded quotient never reaches the next whole
    // number.
    std::int64_t range = std::int64_t(positive) - negative;
    if (range < 0) range = -range;
    return range != 0 ? kSpan * std::int64_t(v) / range : 0;
}

bool CHOXMonPlotObj::ClipSegment(PlotPoint& a, PlotPoint& b, const PlotRect& rect)
{
    const Wide dx = Wide(b.x) - a.x;
    const Wide dy = Wide(b.y) - a.y;
    // The part of the segment a + t (b - a), 0 <= t <= 1, that each edge
    // keeps (p t <= q), narrowed edge by edge.
    Fraction enter{0, 1};
    Fraction leave{1, 1};
    const struct {
        Wide p;
        Wide q;
    } edges[] = {
        {-dx, Wide(a.x) - rect.left},
        {dx, Wide(rect.right) - a.x},
        {-dy, Wide(a.y) - rect.top},
        {dy, Wide(rect.bottom) - a.y},
    };
    for (const auto& e : edges) {
        if (e.p == 0) {
            // Parallel to the edge: wholly on one side of it.
            if (e.q < 0) return false;
            continue;
        }
        const Fraction t = e.p < 0 ? Fraction{-e.q, -e.p} : Fraction{e.q, e.p};
        if (e.p < 0) {
            if (Less(enter, t)) enter = t;
        } else if (Less(t, leave)) {
            leave = t;
        }
    }
    if (Less(leave, enter)) return false;
    const PlotPoint from = a;
    const PlotPoint to = b;
    // Each end is computed from where it was, so the rounding keeps it on the
    // inner side of the edge it was moved onto.
    if (enter.num != 0) a = {Along(from.x, dx, enter), Along(from.y, dy, enter)};
    if (leave.num != leave.den) {
        const Fraction back{leave.den - leave.num, leave.den};
        b = {Along(to.x, -dx, back), Along(to.y, -dy, back)};
    }
    return true;
}
