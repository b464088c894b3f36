#include "chart/HOXDrawObj.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "chart/RecordCasts.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Messages.h"
#include "res/StringIds.h"

#include <algorithm>

KT_IMPLEMENT_SERIAL(CHOXDrawObj, CObject, 0)
KT_REGISTER_KIND(CHOXDrawObj, .type = objtype::kDrawObj)

namespace {

// Coordinates from a file may lie anywhere in 32 bits; sums are taken wide
// and brought back into range.
LONG Clamp32(std::int64_t v) { return static_cast<LONG>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); }

// A square of the given reach around the point, kept within 32 bits.
CRect SquareAround(CPoint p, int before, int after)
{
    return CRect(Clamp32(std::int64_t(p.x) - before), Clamp32(std::int64_t(p.y) - before),
                 Clamp32(std::int64_t(p.x) + after), Clamp32(std::int64_t(p.y) + after));
}

} // namespace

CHOXDrawObj::CHOXDrawObj() = default;

CHOXDrawObj::CHOXDrawObj(const CRect& position, CHOXWnd* wnd) : m_nId(0), m_position(position), m_pWnd(wnd) {}

CHOXDrawObj::~CHOXDrawObj() = default;

void CHOXDrawObj::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nId << m_position;
    } else {
        ar >> m_nId >> m_position;
    }
}

CPoint CHOXDrawObj::GetHandle(int n) const
{
    const CRect& r = m_position;
    // In 64 bits: bounds read from a file may lie anywhere in 32.
    const auto midX = static_cast<LONG>(r.left + (static_cast<std::int64_t>(r.right) - r.left) / 2);
    const auto midY = static_cast<LONG>(r.top + (static_cast<std::int64_t>(r.bottom) - r.top) / 2);
    switch (n) {
    case 2: return {midX, r.top};
    case 3: return {r.right, r.top};
    case 4: return {r.right, midY};
    case 5: return {r.right, r.bottom};
    case 6: return {midX, r.bottom};
    case 7: return {r.left, r.bottom};
    case 8: return {r.left, midY};
    default: return {r.left, r.top};
    }
}

CRect CHOXDrawObj::GetHandleRect(int n, const CHOXView* view) const
{
    return view->ClientToDoc(SquareAround(view->DocToClient(GetHandle(n)), 3, 3));
}

void CHOXDrawObj::Draw(CDC*) {}

bool CHOXDrawObj::Remove() { return true; }

bool CHOXDrawObj::Intersects(const CRect& rect) const
{
    CRect overlap;
    return overlap.IntersectRect(rect.Normalized(), m_position.Normalized());
}

int CHOXDrawObj::HitTest(CPoint point, const CHOXView* view) const
{
    const int count = GetHandleCount();
    for (int n = 1; n <= count; ++n)
        if (GetHandleRect(n, view).PtInRect(point)) return n;
    return 0;
}

void CHOXDrawObj::MoveHandleTo(int n, CPoint point, CHOXView* view)
{
    // A handle stops one unit inside the base sheet.
    if (m_pWnd != nullptr && m_pWnd->GetBaseRect() != nullptr) {
        const CRect& sheet = m_pWnd->GetBaseRect()->m_position;
        auto limit = [](LONG v, LONG low, LONG high) {
            const std::int64_t clamped = std::max<std::int64_t>(std::min<std::int64_t>(v, high - std::int64_t(1)),
                                                                low + std::int64_t(1));
            return static_cast<LONG>(std::clamp<std::int64_t>(clamped, INT32_MIN, INT32_MAX));
        };
        point.x = limit(point.x, sheet.left, sheet.right);
        point.y = limit(point.y, sheet.top, sheet.bottom);
    }
    CRect r = m_position;
    switch (n) {
    case 2: r.top = point.y; break;
    case 3: r.top = point.y; r.right = point.x; break;
    case 4: r.right = point.x; break;
    case 5: r.right = point.x; r.bottom = point.y; break;
    case 6: r.bottom = point.y; break;
    case 7: r.left = point.x; r.bottom = point.y; break;
    case 8: r.left = point.x; break;
    default: r.left = point.x; r.top = point.y; break;
    }
    MoveTo(r, view);
}

void CHOXDrawObj::OnLButtonDown(CHOXView* view, UINT, CPoint)
{
    m_rectAtPress = m_position;
    const CPoint scroll = view->GetScrollPosition();
    m_nScrollPosY = scroll.y;
    m_nScrollPosX = scroll.x;
    view->SetCapture();
}

void CHOXDrawObj::OnLButtonUp(CHOXView* view, UINT, CPoint) { view->ReleaseCapture(); }

void CHOXDrawObj::OnOpen(UINT, CPoint) {}

void CHOXDrawObj::OnMouseMove(CHOXView* view, UINT, CPoint) { view->SetCursor(Cursor::Arrow); }

void CHOXDrawObj::MoveTo(const CRect& position, CHOXView* view)
{
    if (position == m_position) return;
    if (view != nullptr) {
        view->InvalObj(this);
    } else {
        Invalidate();
    }
    m_position = position;
    if (view != nullptr) {
        view->InvalObj(this);
    } else {
        Invalidate();
    }
    SetModified();
}

Cursor CHOXDrawObj::GetHandleCursor(int n) const
{
    switch (n) {
    case 2:
    case 6: return Cursor::SizeNS;
    case 3:
    case 7: return Cursor::SizeNESW;
    case 4:
    case 8: return Cursor::SizeWE;
    default: return Cursor::SizeNWSE;
    }
}

bool CHOXDrawObj::IsOutsideBaseRect() const
{
    if (m_pWnd == nullptr || m_pWnd->GetBaseRect() == nullptr) return false;
    CRect sheet = m_pWnd->GetBaseRect()->m_position;
    if (chart::IsFlowRecord(m_pWnd)) {
        sheet = CRect(Clamp32(std::int64_t(sheet.left) - 15), Clamp32(std::int64_t(sheet.top) - 15),
                      Clamp32(std::int64_t(sheet.right) - 15), Clamp32(std::int64_t(sheet.bottom) - 15));
    }
    const CRect r = m_position.Normalized();
    for (const CPoint corner : {r.TopLeft(), CPoint(r.right, r.top), r.BottomRight(), CPoint(r.left, r.bottom)})
        if (!sheet.PtInRect(corner)) return true;
    return false;
}

void CHOXDrawObj::Invalidate()
{
    if (m_pWnd != nullptr && m_pWnd->GetDocument() != nullptr) m_pWnd->GetDocument()->UpdateAllViews(nullptr, 1, this);
}

void CHOXDrawObj::DrawTracker(CDC* pDC) const
{
    if (m_nDragging == 1) return;
    const int count = GetHandleCount();
    for (int n = 1; n <= count; ++n) pDC->InvertRect(SquareAround(GetHandle(n), 2, 3));
}

void CHOXDrawObj::RestoreScroll(CHOXView* view) const { view->ScrollToPosition(CPoint(m_nScrollPosX, m_nScrollPosY)); }

void CHOXDrawObj::EnsureVisible(CHOXView* view) const
{
    if (m_pWnd == nullptr || m_pWnd->GetBaseRect() == nullptr) return;
    const CRect& sheet = m_pWnd->GetBaseRect()->m_position;
    // The scroll size in device pixels: the sheet's extent and a margin of 15.
    const CPoint origin = view->DocToClient(CPoint(0, 0));
    const CPoint extent =
        view->DocToClient(CPoint(Clamp32(std::int64_t(sheet.right) + 15), Clamp32(std::int64_t(sheet.bottom) + 15)));
    const CSize total(Clamp32(std::int64_t(extent.x) - origin.x), Clamp32(std::int64_t(extent.y) - origin.y));
    view->SetScrollSizes(total);

    const CRect visible = view->ClientToDoc(view->GetClientRect());
    const CPoint before = view->GetScrollPosition();
    std::int64_t y = before.y;
    std::int64_t x = before.x;
    const CRect r = m_position;
    if (total.cy > visible.bottom && y >= 0) {
        if (r.bottom > visible.bottom) {
            y += std::int64_t(r.bottom) - visible.bottom;
        } else if (r.top < visible.top) {
            y += std::int64_t(r.top) - visible.top;
        }
    }
    if (total.cx > visible.right && x >= 0) {
        if (r.right > visible.right) {
            x += std::int64_t(r.right) - visible.right;
        } else if (r.left < visible.left) {
            x += std::int64_t(r.left) - visible.left;
        }
    }
    const CPoint scroll(Clamp32(x), Clamp32(y));
    if (scroll != view->GetScrollPosition()) view->ScrollToPosition(scroll);
}

void CHOXDrawObj::SetModified() const
{
    if (m_pWnd != nullptr && m_pWnd->GetDocument() != nullptr) m_pWnd->GetDocument()->SetModifiedFlag(true);
}

void CHOXDrawObj::UpdateAllViews() const
{
    if (m_pWnd != nullptr && m_pWnd->GetDocument() != nullptr) m_pWnd->GetDocument()->UpdateAllViews(nullptr);
}

void CHOXDrawObj::SettleAfterDrag(CHOXView* view)
{
    if (!IsOutsideBaseRect()) {
        view->InvalObj(this);
        return;
    }
    if (CHOXView::s_nOutOfSheetWarned == 0) {
        AfxMessageBox(IDS_OUTSIDE_SHEET, MB_OK | MB_ICONHAND);
        CHOXView::s_nOutOfSheetWarned = 1;
    }
    MoveTo(Shifted(m_position, std::int64_t(m_ptDragStart.x) - m_ptPrevDrag.x,
                   std::int64_t(m_ptDragStart.y) - m_ptPrevDrag.y),
           view);
    m_ptPrevDrag = m_ptDragStart;
    RestoreScroll(view);
}

CRect CHOXDrawObj::Shifted(const CRect& r, std::int64_t dx, std::int64_t dy)
{
    // Each offset is held to what the outermost coordinate can still take.
    auto limit = [](std::int64_t d, LONG a, LONG b) {
        return std::clamp<std::int64_t>(d, std::int64_t(INT32_MIN) - std::min(a, b),
                                        std::int64_t(INT32_MAX) - std::max(a, b));
    };
    const auto x = static_cast<LONG>(limit(dx, r.left, r.right));
    const auto y = static_cast<LONG>(limit(dy, r.top, r.bottom));
    return CRect(r.left + x, r.top + y, r.right + x, r.bottom + y);
}
