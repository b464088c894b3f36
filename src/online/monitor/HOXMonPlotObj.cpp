#include "online/monitor/HOXMonPlotObj.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"

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

void CHOXMonPlotObj::Draw(CDC* pDC) { DrawOutline(pDC); }

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
