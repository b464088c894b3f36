#pragma once
// The geometry the wire code shares: boxes around segments and points, worked
// out in 64 bits (coordinates come from files too) and kept in the 32-bit
// range, and the corner table that routes a wire.
#include "chart/ChartLookup.h"
#include "platform/Geometry.h"

#include <cstdint>
#include <vector>

namespace chart::wire {

using I64 = std::int64_t;

// The box of segment a-b widened by w on every side.
inline CRect SegmentBox(CPoint a, CPoint b, I64 w)
{
    const CRect n = CRect(a, b).Normalized();
    return CRect(Pt(n.left - w, n.top - w), Pt(I64(n.right) + w, I64(n.bottom) + w));
}

inline bool Meets(const CRect& a, const CRect& b)
{
    CRect overlap;
    return overlap.IntersectRect(a, b.Normalized());
}

inline CRect SquareAround(CPoint c, I64 half)
{
    return CRect(Pt(c.x - half, c.y - half), Pt(I64(c.x) + half, I64(c.y) + half));
}

inline CPoint CentreOf(const CRect& r) { return Pt((I64(r.left) + r.right) / 2, (I64(r.top) + r.bottom) / 2); }

inline LONG Limit(I64 v, I64 low, I64 high)
{
    if (v < low) v = low;
    if (v > high) v = high;
    return Sat(v);
}

// The corner points between a source pin s and an end e. source and target
// are the rectangles of the two symbols (target null for a node).
std::vector<CPoint> Corners(const CRect& source, CPoint s, CPoint e, const CRect* target, bool sideExit);

} // namespace chart::wire
