// The routing corner table: where a wire bends between a symbol's pin and
// the symbol or node it ends at, for each relative position of the two.
#include "chart/WireGeometry.h"

namespace chart::wire {

std::vector<CPoint> Corners(const CRect& source, CPoint s, CPoint e, const CRect* target, bool sideExit)
{
    const I64 x0 = s.x, y0 = s.y, x1 = e.x, y1 = e.y;
    const I64 ls = source.left, rs = source.right;
    if (target == nullptr) {
        if (sideExit) {
            if (y1 - y0 < 30 && x1 <= x0 && y1 >= y0 - 15)
                return {Pt(x0 + 15, y0), Pt(x0 + 15, y0 + 30), Pt(ls - 15, y0 + 30), Pt(ls - 15, y1)};
            return {Pt(x0 + 15, y0), Pt(x0 + 15, y1)};
        }
        if (y1 - y0 < 3) {
            const I64 x = x1 > x0 ? rs + 15 : ls - 15;
            return {Pt(x0, y0 + 15), Pt(x, y0 + 15), Pt(x, y1)};
        }
        return {Pt(x0, y1)};
    }
    const I64 lt = target->left, tt = target->top, rt = target->right, bt = target->bottom;
    if (y1 - y0 > 15) {
        if (sideExit) {
            if (x1 - x0 >= 3) return {Pt(x1, y0)};
            const I64 y = y0 + 30 < y1 ? y0 + 30 : y1;
            return {Pt(x0 + 15, y0), Pt(x0 + 15, y), Pt(x1, y)};
        }
        const I64 m = y0 + (y1 - y0) / 2;
        return {Pt(x0, m), Pt(x1, m)};
    }
    if (sideExit) {
        if (lt - x0 > 15) return {Pt(lt - 15, y0), Pt(lt - 15, y1 - 15), Pt(x1, y1 - 15)};
        const I64 y = y1 < y0 - 15 ? y0 + 30 : bt + 15;
        const I64 d = x0 + 15 - x1;
        const I64 x = d >= 30 && d < 120 ? lt - 15 : rt + 15;
        return {Pt(x0 + 15, y0), Pt(x0 + 15, y), Pt(x, y), Pt(x, tt - 15), Pt(x1, tt - 15)};
    }
    const I64 y = bt > y0 ? bt + 15 : y0 + 15;
    const I64 x = (x0 - x1 > 75 || (x1 - x0 >= 0 && x1 - x0 <= 75)) ? rt + 15 : lt - 15;
    return {Pt(x0, y), Pt(x, y), Pt(x, y1 - 15), Pt(x1, y1 - 15)};
}

} // namespace chart::wire
