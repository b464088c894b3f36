#pragma once
// Points, sizes and rectangles with the semantics the chart code relies on:
// right and bottom are exclusive, a rectangle is "normal" when left <= right
// and top <= bottom, and all coordinates are 32-bit.
#include "platform/Types.h"

#include <algorithm>

struct CSize {
    LONG cx = 0;
    LONG cy = 0;
    constexpr CSize() = default;
    constexpr CSize(LONG x, LONG y) : cx(x), cy(y) {}
    constexpr bool operator==(const CSize&) const = default;
};

struct CPoint {
    LONG x = 0;
    LONG y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(LONG px, LONG py) : x(px), y(py) {}
    constexpr bool operator==(const CPoint&) const = default;
    constexpr void Offset(LONG dx, LONG dy) { x += dx; y += dy; }
    constexpr CPoint operator+(CSize s) const { return {x + s.cx, y + s.cy}; }
    constexpr CPoint operator-(CSize s) const { return {x - s.cx, y - s.cy}; }
    constexpr CSize operator-(CPoint p) const { return {x - p.x, y - p.y}; }
    constexpr CPoint& operator+=(CSize s) { x += s.cx; y += s.cy; return *this; }
    constexpr CPoint& operator-=(CSize s) { x -= s.cx; y -= s.cy; return *this; }
};

struct CRect {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(LONG l, LONG t, LONG r, LONG b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint tl, CPoint br) : left(tl.x), top(tl.y), right(br.x), bottom(br.y) {}
    constexpr CRect(CPoint tl, CSize s) : left(tl.x), top(tl.y), right(tl.x + s.cx), bottom(tl.y + s.cy) {}
    constexpr bool operator==(const CRect&) const = default;

    constexpr LONG Width() const { return right - left; }
    constexpr LONG Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    // Empty: no area (width or height not positive).
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    // Null: all four coordinates are zero.
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Right and bottom are outside the rectangle.
    constexpr bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    constexpr void SetRect(LONG l, LONG t, LONG r, LONG b) { left = l; top = t; right = r; bottom = b; }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    constexpr CRect Normalized() const { CRect r = *this; r.NormalizeRect(); return r; }
    constexpr void OffsetRect(LONG dx, LONG dy) { left += dx; right += dx; top += dy; bottom += dy; }
    constexpr void OffsetRect(CSize s) { OffsetRect(s.cx, s.cy); }
    constexpr void OffsetRect(CPoint p) { OffsetRect(p.x, p.y); }
    constexpr void InflateRect(LONG dx, LONG dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
    constexpr void InflateRect(LONG l, LONG t, LONG r, LONG b) { left -= l; top -= t; right += r; bottom += b; }
    constexpr void DeflateRect(LONG dx, LONG dy) { InflateRect(-dx, -dy); }
    constexpr void MoveToXY(LONG x, LONG y) { OffsetRect(x - left, y - top); }

    // The overlap of a and b; false (and this set to 0,0,0,0) when they do not
    // overlap with a positive area.
    constexpr bool IntersectRect(const CRect& a, const CRect& b)
    {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) { SetRectEmpty(); return false; }
        *this = r;
        return true;
    }
    // The smallest rectangle holding both; an empty operand is left out.
    constexpr bool UnionRect(const CRect& a, const CRect& b)
    {
        if (a.IsRectEmpty()) { if (b.IsRectEmpty()) { SetRectEmpty(); return false; } *this = b; return true; }
        if (b.IsRectEmpty()) { *this = a; return true; }
        SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
        return true;
    }
    constexpr CRect operator&(const CRect& o) const { CRect r; r.IntersectRect(*this, o); return r; }
    constexpr CRect operator|(const CRect& o) const { CRect r; r.UnionRect(*this, o); return r; }
    constexpr CRect operator+(CPoint p) const { CRect r = *this; r.OffsetRect(p); return r; }
    constexpr CRect operator-(CPoint p) const { CRect r = *this; r.OffsetRect(-p.x, -p.y); return r; }
};
