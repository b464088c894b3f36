// The page printers of a print run: what each flow-chart and monitoring page
// shows. The run calls them with the page's drawing rectangle in the print
// information and the margins in the job. A page shows one tile of its
// window's sheet; the objects on it draw themselves through the device
// context moved by the tile's offset, so printing never moves them.
#include "print/HOXPrintJob.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXShape.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/DC.h"
#include "platform/PrintDialog.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
std::int64_t CeilDiv(std::int64_t a, std::int64_t b)
{
    return static_cast<std::int64_t>(std::ceil(double(a) / double(b)));
}

// The column (or row) of a sheet coordinate: 1 up to the first tile's end,
// then one more for each further tile's width begun.
std::int64_t SpanOf(std::int64_t v, std::int64_t size) { return v <= size ? 1 : CeilDiv(v, size); }

int ClampToInt(std::int64_t v)
{
    return static_cast<int>(
        std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The objects of a map in the reverse of its order: the order the page
// draws them in.
std::vector<CHOXDrawObj*> Reversed(const ObjectMap& map)
{
    std::vector<CHOXDrawObj*> list;
    for (const auto& [id, object] : map)
        if (object) list.push_back(object.get());
    std::reverse(list.begin(), list.end());
    return list;
}

// The segment from a to b cut to the rectangle (Liang and Barsky); false
// when none of it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double left, double top, double right, double bottom)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    const double bx = x1 + t1 * dx, by = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    x2 = bx;
    y2 = by;
    return true;
}
} // namespace

// ---------------------------------------------------------------------------
// Tiles

CPoint CHOXPrintJob::GetPagePosition(UINT index, UINT columns, UINT rows)
{
    if (columns == 0) return CPoint(0, 0);
    UINT c = index % columns;
    if (c == 0) c = columns;
    UINT r = (index + columns - 1) / columns;
    if (r == 0) r = rows;
    return CPoint(static_cast<LONG>(c), static_cast<LONG>(r));
}

CPoint CHOXPrintJob::PageTile::Offset() const
{
    return CPoint(ClampToInt(left - width * (column - 1)), ClampToInt(top - height * (row - 1)));
}

std::int64_t CHOXPrintJob::PageTile::IndexOf(std::int64_t x, std::int64_t y) const
{
    const std::int64_t c = SpanOf(x, width);
    const std::int64_t r = SpanOf(y, height);
    // Beyond the sheet's tiles a point lies on none (not on the next row's).
    if (c > columns || r > rows) return 0;
    return c + columns * (r - 1);
}

bool CHOXPrintJob::PageTile::Meets(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) const
{
    if (whole) return true;
    // The tile holds x from W(c - 1) + 1 to W c, the first one everything
    // left of that too; y likewise.
    const std::int64_t tileLeft = column == 1 ? std::numeric_limits<std::int64_t>::min() : width * (column - 1) + 1;
    const std::int64_t tileTop = row == 1 ? std::numeric_limits<std::int64_t>::min() : height * (row - 1) + 1;
    return std::min(l, r) <= width * column && std::max(l, r) >= tileLeft && std::min(t, b) <= height * row &&
           std::max(t, b) >= tileTop;
}

CHOXPrintJob::PageTile CHOXPrintJob::TileOfPage(const CPrintInfo* pInfo, int kind, const CHOXWnd* wnd) const
{
    PageTile tile;
    const CRect& draw = pInfo->m_rectDraw;
    tile.width = std::max<std::int64_t>(1, draw.Width());
    tile.height = std::max<std::int64_t>(1, draw.Height());
    tile.left = m_nMarginLeft;
    tile.top = m_nMarginTop;
    tile.whole = m_bAutoScale != 0;
    const CHOXBaseRect* base = wnd != nullptr ? wnd->GetBaseRect() : nullptr;
    if (base != nullptr && !tile.whole) {
        const CRect& sheet = base->GetRect();
        const std::int64_t across = kind == kFlowChartKind ? sheet.right : std::int64_t{sheet.right} - sheet.left;
        const std::int64_t down = kind == kFlowChartKind ? sheet.bottom : std::int64_t{sheet.bottom} - sheet.top;
        tile.columns = std::max<std::int64_t>(1, CeilDiv(across, tile.width));
        tile.rows = std::max<std::int64_t>(1, CeilDiv(down, tile.height));
    }
    const UINT page = pInfo->m_nCurPage;
    const UINT before = kind == kMonitorKind ? m_nFlowChartPages
                        : pInfo->m_bPreview  ? m_nPreviewPagesBeforeWnd
                                             : m_nPagesBeforeWnd;
    tile.index = std::int64_t{page} - before;
    const CPoint position = GetPagePosition(static_cast<UINT>(std::max<std::int64_t>(0, tile.index)),
                                            static_cast<UINT>(std::min<std::int64_t>(tile.columns, kMaxPages)),
                                            static_cast<UINT>(std::min<std::int64_t>(tile.rows, kMaxPages)));
    tile.column = std::max<LONG>(1, position.x);
    tile.row = std::max<LONG>(1, position.y);
    if (tile.whole) tile.column = tile.row = tile.index = 1;
    return tile;
}

bool CHOXPrintJob::PlaceOnPage(CRect& rect, const CPrintInfo* pInfo, int kind, const CHOXWnd* wnd) const
{
    const PageTile tile = TileOfPage(pInfo, kind, wnd);
    bool onPage = tile.whole;
    for (const std::int64_t x : {std::int64_t{rect.left}, std::int64_t{rect.right}})
        for (const std::int64_t y : {std::int64_t{rect.top}, std::int64_t{rect.bottom}})
            onPage = onPage || tile.IndexOf(x, y) == tile.index;
    if (!onPage) return kind == kMonitorKind && PlaceOverlappingOnPage(rect, pInfo);
    const CPoint offset = tile.Offset();
    rect = CHOXDrawObj::Shifted(rect, offset.x, offset.y);
    return true;
}

bool CHOXPrintJob::PlaceOverlappingOnPage(CRect& rect, const CPrintInfo* pInfo) const
{
    const CHOXWnd* monitor = m_pDoc != nullptr ? m_pDoc->GetMonitorRecord() : nullptr;
    const PageTile tile = TileOfPage(pInfo, kMonitorKind, monitor);
    // On the page's units: the rectangle moved by the margins, the tile
    // where the sheet's tile lies before it is brought onto the page.
    const double tileLeft = double(tile.width) * double(tile.column - 1) + double(tile.left);
    const double tileTop = double(tile.height) * double(tile.row - 1) + double(tile.top);
    const double tileRight = tileLeft + double(tile.width);
    const double tileBottom = tileTop + double(tile.height);
    const CRect n = rect.Normalized();
    const double left = double(n.left) + double(tile.left), right = double(n.right) + double(tile.left);
    const double top = double(n.top) + double(tile.top), bottom = double(n.bottom) + double(tile.top);
    // Spanning the tile one way, and meeting it the other.
    const bool acrossX = left < tileLeft && right > tileRight && bottom >= tileTop && top <= tileBottom;
    const bool acrossY = top < tileTop && bottom > tileBottom && right >= tileLeft && left <= tileRight;
    if (!acrossX && !acrossY) return false;
    const CPoint offset = tile.Offset();
    rect = CHOXDrawObj::Shifted(rect, offset.x, offset.y);
    return true;
}

// ---------------------------------------------------------------------------
// Drawing on a page

void CHOXPrintJob::DrawShifted(CDC* pDC, CHOXDrawObj* object, CPoint offset)
{
    // Some objects set their own bounds while they draw: they get them back.
    const CRect bounds = object->m_position;
    const CPoint origin = pDC->GetWindowOrg();
    pDC->SetWindowOrg(CPoint(origin.x - offset.x, origin.y - offset.y));
    object->Draw(pDC);
    pDC->SetWindowOrg(origin);
    object->m_position = bounds;
}

void CHOXPrintJob::DrawPlaced(CDC* pDC, const CPrintInfo* pInfo, CHOXDrawObj* object, int kind,
                              const CHOXWnd* wnd) const
{
    CRect placed = object->GetRect();
    if (!PlaceOnPage(placed, pInfo, kind, wnd)) return;
    DrawShifted(pDC, object, CPoint(placed.left - object->GetRect().left, placed.top - object->GetRect().top));
}

void CHOXPrintJob::DrawSheetFrame(CDC* pDC, const CPrintInfo* pInfo, const PageTile& tile, const CHOXWnd* wnd) const
{
    CRect frame = pInfo->m_rectDraw;
    if (const CHOXBaseRect* base = wnd->GetBaseRect()) {
        const CRect& sheet = base->GetRect();
        if (tile.whole || tile.column == tile.columns)
            frame.right = ClampToInt(std::int64_t{frame.left} + sheet.right - sheet.left -
                                     (tile.whole ? 0 : tile.width * (tile.columns - 1)));
        if (tile.whole || tile.row == tile.rows)
            frame.bottom = ClampToInt(std::int64_t{frame.top} + sheet.bottom - sheet.top -
                                      (tile.whole ? 0 : tile.height * (tile.rows - 1)));
    }
    if (m_bPrintBaseColor != 0) {
        const QBrush oldBrush = pDC->SelectBrush(QBrush(ToQColor(wnd->GetBaseColor())));
        pDC->Rectangle(frame);
        pDC->SelectBrush(oldBrush);
        return;
    }
    const QPen oldPen = pDC->SelectPen(MakePen(PS_SOLID, 1, RGB(0, 0, 0)));
    const QBrush oldBrush = pDC->SelectBrush(QBrush(Qt::NoBrush));
    pDC->Rectangle(frame);
    pDC->SelectPen(oldPen);
    pDC->SelectBrush(oldBrush);
}

void CHOXPrintJob::DrawPrintLine(CDC* pDC, int x1, int y1, int x2, int y2)
{
    const QPen old = pDC->SelectPen(MakePen(PS_INSIDEFRAME, 1, RGB(0, 0, 0)));
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectPen(old);
}

void CHOXPrintJob::DrawShapeLine(CDC* pDC, int width, COLORREF color, int x1, int y1, int x2, int y2)
{
    const QPen old = pDC->SelectPen(MakePen(PS_INSIDEFRAME, width, color));
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectPen(old);
}

void CHOXPrintJob::DrawWire(CDC* pDC, const CPrintInfo* pInfo, const CHOXWnd* wnd,
                            const std::vector<CPoint>& points) const
{
    const PageTile tile = TileOfPage(pInfo, kFlowChartKind, wnd);
    const CPoint offset = tile.Offset();
    const CPoint origin = pDC->GetWindowOrg();
    pDC->SetWindowOrg(CPoint(origin.x - offset.x, origin.y - offset.y));
    // Each segment with an end on the tile, once.
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const CPoint& a = points[k];
        const CPoint& b = points[k + 1];
        if (tile.whole || tile.IndexOf(a.x, a.y) == tile.index || tile.IndexOf(b.x, b.y) == tile.index)
            DrawPrintLine(pDC, a.x, a.y, b.x, b.y);
    }
    pDC->SetWindowOrg(origin);
    if (!tile.whole) DrawCrossingSegments(pDC, pInfo, points, wnd);
}

void CHOXPrintJob::DrawCrossingSegments(CDC* pDC, const CPrintInfo* pInfo, const std::vector<CPoint>& points,
                                        const CHOXWnd* wnd) const
{
    const PageTile tile = TileOfPage(pInfo, kFlowChartKind, wnd);
    const CPoint offset = tile.Offset();
    const CPoint origin = pDC->GetWindowOrg();
    pDC->SetWindowOrg(CPoint(origin.x - offset.x, origin.y - offset.y));
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const CPoint& a = points[k];
        const CPoint& b = points[k + 1];
        // The tile's range and the points' tiles are both counted from the
        // sheet, so a segment that passes within a margin's width of the
        // tile's edge is still seen to cross it.
        if (tile.IndexOf(a.x, a.y) == tile.index || tile.IndexOf(b.x, b.y) == tile.index) continue;
        if (tile.Meets(a.x, a.y, b.x, b.y)) DrawPrintLine(pDC, a.x, a.y, b.x, b.y);
    }
    pDC->SetWindowOrg(origin);
}

void CHOXPrintJob::DrawLineShape(CDC* pDC, const CPrintInfo* pInfo, const CRect& rect, int width, COLORREF color) const
{
    const CHOXWnd* monitor = m_pDoc != nullptr ? m_pDoc->GetMonitorRecord() : nullptr;
    const PageTile tile = TileOfPage(pInfo, kMonitorKind, monitor);
    double x1 = rect.left, y1 = rect.top, x2 = rect.right, y2 = rect.bottom;
    const double left = double(tile.width) * double(tile.column - 1);
    const double top = double(tile.height) * double(tile.row - 1);
    const double right = left + double(tile.width);
    const double bottom = top + double(tile.height);
    auto inside = [&](double x, double y) { return x >= left && x <= right && y >= top && y <= bottom; };
    // A line with an end on the tile is drawn whole (the clip cuts it);
    // one that only passes through, by the part within the tile.
    if (!tile.whole && !inside(x1, y1) && !inside(x2, y2) && !ClipSegment(x1, y1, x2, y2, left, top, right, bottom))
        return;
    const CPoint offset = tile.Offset();
    const CPoint origin = pDC->GetWindowOrg();
    pDC->SetWindowOrg(CPoint(origin.x - offset.x, origin.y - offset.y));
    DrawShapeLine(pDC, width, color, ClampToInt(std::llround(x1)), ClampToInt(std::llround(y1)),
                  ClampToInt(std::llround(x2)), ClampToInt(std::llround(y2)));
    pDC->SetWindowOrg(origin);
}

// ---------------------------------------------------------------------------
// The pages

void CHOXPrintJob::DrawFlowChartPage(CDC* pDC, CPrintInfo* pInfo, CHOXWnd* wnd)
{
    if (wnd == nullptr) return;
    pDC->FillSolidRect(pDC->GetClipBox(), RGB(255, 255, 255));
    const PageTile tile = TileOfPage(pInfo, kFlowChartKind, wnd);
    DrawSheetFrame(pDC, pInfo, tile, wnd);

    for (CHOXDrawObj* object : Reversed(wnd->GetObjectMap())) DrawPlaced(pDC, pInfo, object, kFlowChartKind, wnd);
    auto* flow = dynamic_cast<CHOXFlowWnd*>(wnd);
    if (flow == nullptr) return;
    for (const auto& [id, object] : flow->GetConnectMap()) {
        auto* wire = dynamic_cast<CHOXConnect*>(object.get());
        if (wire == nullptr) continue;
        DrawWire(pDC, pInfo, wnd, wire->GetPoints());
        if (CHOXJumpEndBase* end = wire->GetJumpEnd()) DrawPlaced(pDC, pInfo, end, kFlowChartKind, wnd);
    }
    for (CHOXDrawObj* node : Reversed(flow->GetNodeMap())) DrawPlaced(pDC, pInfo, node, kFlowChartKind, wnd);
}

void CHOXPrintJob::DrawMonitorPage(CDC* pDC, CPrintInfo* pInfo)
{
    auto* monitor = m_pDoc != nullptr ? m_pDoc->GetMonWnd() : nullptr;
    if (monitor == nullptr) return;
    pDC->FillSolidRect(pDC->GetClipBox(), RGB(255, 255, 255));
    const PageTile tile = TileOfPage(pInfo, kMonitorKind, monitor);
    DrawSheetFrame(pDC, pInfo, tile, monitor);

    auto drawPlaced = [&](CHOXDrawObj* object) {
        if (tile.whole) {
            DrawShifted(pDC, object, tile.Offset());
            return;
        }
        if (object->GetObjectType() == objtype::kLine) {
            if (const auto* line = dynamic_cast<const CHOXShape*>(object)) {
                DrawLineShape(pDC, pInfo, line->GetRect(), line->GetLineWidth(), line->GetLineColor());
                return;
            }
        }
        DrawPlaced(pDC, pInfo, object, kMonitorKind, monitor);
    };
    for (CHOXDrawObj* ole : Reversed(monitor->GetOleMap())) drawPlaced(ole);
    for (CHOXDrawObj* object : Reversed(monitor->GetMonObjMap())) drawPlaced(object);
    for (CHOXDrawObj* shape : Reversed(monitor->GetShapeMap())) drawPlaced(shape);
    for (CHOXDrawObj* object : Reversed(monitor->GetObjectMap())) DrawPlaced(pDC, pInfo, object, kMonitorKind, monitor);
}
