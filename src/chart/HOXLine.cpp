#include "chart/HOXLine.h"

#include "chart/ObjectKinds.h"
#include "platform/DC.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <utility>

KT_IMPLEMENT_SERIAL(CHOXLine, CHOXShape, 0)
KT_REGISTER_KIND(CHOXLine, .type = objtype::kLine, .helpContext = 0x10089, .maker = &MakeShapeOf<CHOXLine>)

namespace {

// Coordinates from a file may be anywhere in 32 bits; sums are taken wide and
// brought back into range.
LONG Clamp32(long long v)
{
    constexpr long long lo = std::numeric_limits<LONG>::min();
    constexpr long long hi = std::numeric_limits<LONG>::max();
    return static_cast<LONG>(std::clamp(v, lo, hi));
}

struct PointF {
    double x;
    double y;
};

// Whether the segment a-b meets the closed box [x0, x1] x [y0, y1].
bool SegmentMeetsBox(PointF a, PointF b, double x0, double y0, double x1, double y1)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const std::array<std::pair<double, double>, 4> sides = {{
        {-dx, a.x - x0},
        {dx, x1 - a.x},
        {-dy, a.y - y0},
        {dy, y1 - a.y},
    }};
    for (const auto& [p, q] : sides) {
        if (p == 0.0) {
            if (q < 0.0) return false;
            continue;
        }
        const double t = q / p;
        if (p < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    return true;
}

// Even-odd rule.
bool PointInPolygon(PointF p, const std::array<PointF, 4>& poly)
{
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const PointF& a = poly[i];
        const PointF& b = poly[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            const double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < x) inside = !inside;
        }
    }
    return inside;
}

// 0 when the line joins the top-left and bottom-right corners of its
// normalised bounds, 1 when it joins the other two.
std::int32_t DirectionOf(const CRect& r)
{
    const LONG l = r.left, t = r.top, rt = r.right, b = r.bottom;
    return ((b < t && l >= rt) || (b >= t && l < rt)) ? 0 : 1;
}

} // namespace

CHOXLine::CHOXLine() = default;

CHOXLine::CHOXLine(const CRect& position, CHOXWnd* wnd) : CHOXShape(position, wnd) {}

CPoint CHOXLine::GetHandle(int n) const { return CHOXDrawObj::GetHandle(n == 2 ? 5 : n); }

void CHOXLine::MoveHandleTo(int n, CPoint point, CHOXView* view)
{
    CHOXDrawObj::MoveHandleTo(n == 2 ? 5 : n, point, view);
}

Cursor CHOXLine::GetHandleCursor(int n) const { return CHOXDrawObj::GetHandleCursor(n == 2 ? 5 : n); }

std::int32_t CHOXLine::GetDirection() const { return DirectionOf(m_position); }

void CHOXLine::Draw(CDC* pDC)
{
    // The ends are pulled in by half the pen so the stroke stays inside the
    // bounds.
    const long long l = m_position.left, t = m_position.top, r = m_position.right, b = m_position.bottom;
    const long long w = m_logpen.width.x;
    long long y1, y2, x1, x2;
    // A horizontal or vertical line has no extent across its stroke: pulling
    // its ends in that way would tilt it, so it stays on its own row or
    // column.
    if (b == t) {
        y1 = y2 = t;
    } else if (b > t) {
        y1 = t + (w + 1) / 2;
        y2 = b - w / 2;
    } else {
        y1 = t - w / 2;
        y2 = b + (w + 1) / 2;
    }
    if (l == r) {
        x1 = x2 = l;
    } else if (l < r) {
        x1 = l + (w + 1) / 2;
        x2 = r - w / 2;
    } else {
        x1 = l - w / 2;
        x2 = r + (w + 1) / 2;
    }
    m_nDirection = DirectionOf(m_position);

    const QPen oldPen = pDC->SelectPen(MakeShapePen());
    pDC->MoveTo(Clamp32(x1), Clamp32(y1));
    pDC->LineTo(Clamp32(x2), Clamp32(y2));
    pDC->SelectPen(oldPen);
}

bool CHOXLine::Intersects(const CRect& rect) const
{
    const CRect q = rect.Normalized();
    if (q.IsRectEmpty()) return false;
    const CRect n = m_position.Normalized();
    const double d = static_cast<double>(m_logpen.width.x) + 5.0;
    const double upperX = DirectionOf(m_position) == 1 ? n.right : n.left;
    const double lowerX = DirectionOf(m_position) == 1 ? n.left : n.right;
    const std::array<PointF, 4> band = {{
        {upperX - d, n.top - 1.0},
        {upperX + d, n.top + 1.0},
        {lowerX + d, n.bottom + 1.0},
        {lowerX - d, n.bottom - 1.0},
    }};
    // The rectangle as the centres of its pixels. Worked out on the geometry
    // rather than by filling the band, whose size a file may make enormous.
    const double x0 = q.left + 0.5, y0 = q.top + 0.5, x1 = q.right - 0.5, y1 = q.bottom - 0.5;
    for (std::size_t i = 0; i < band.size(); ++i)
        if (SegmentMeetsBox(band[i], band[(i + 1) % band.size()], x0, y0, x1, y1)) return true;
    // No edge crosses the rectangle: it lies wholly inside or wholly outside.
    return PointInPolygon({(x0 + x1) / 2, (y0 + y1) / 2}, band);
}

int CHOXLine::GetEdge(int side) const
{
    const CRect& r = m_position;
    switch (side) {
    case 0: return std::min(r.left, r.right);
    case 1: return std::max(r.left, r.right);
    case 2: return std::min(r.top, r.bottom);
    case 3: return std::max(r.top, r.bottom);
    default: return r.left;
    }
}

CRect CHOXLine::GetAlignedRect(int side, int value) const
{
    CRect r = m_position;
    const long long w = std::llabs(static_cast<long long>(r.right) - r.left);
    const long long h = std::llabs(static_cast<long long>(r.bottom) - r.top);
    // The named end goes to the value, the other keeps its distance.
    switch (side) {
    case 0:
        if (r.left <= r.right) {
            r.left = value;
            r.right = Clamp32(value + w);
        } else {
            r.right = value;
            r.left = Clamp32(value + w);
        }
        break;
    case 1:
        if (r.left >= r.right) {
            r.left = value;
            r.right = Clamp32(value - w);
        } else {
            r.right = value;
            r.left = Clamp32(value - w);
        }
        break;
    case 2:
        if (r.top <= r.bottom) {
            r.top = value;
            r.bottom = Clamp32(value + h);
        } else {
            r.bottom = value;
            r.top = Clamp32(value + h);
        }
        break;
    case 3:
        if (r.top >= r.bottom) {
            r.top = value;
            r.bottom = Clamp32(value - h);
        } else {
            r.bottom = value;
            r.top = Clamp32(value - h);
        }
        break;
    default: break;
    }
    return r;
}

void CHOXLine::NormalizeBounds()
{
    // A line keeps its slope: it is stored left end first unless it is
    // horizontal.
    CRect& r = m_position;
    if (r.left <= r.right || r.top == r.bottom) return;
    std::swap(r.left, r.right);
    std::swap(r.top, r.bottom);
}
