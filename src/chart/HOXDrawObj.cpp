#include "chart/HOXDrawObj.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Messages.h"

#include <algorithm>

KT_IMPLEMENT_SERIAL(CHOXDrawObj, CObject, 0)

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
    const CPoint p = view->DocToClient(GetHandle(n));
    return view->ClientToDoc(CRect(p.x - 3, p.y - 3, p.x + 3, p.y + 3));
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
    if (m_pWnd->GetObjectType() == 103) sheet.OffsetRect(-15, -15);
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
    for (int n = 1; n <= count; ++n) {
        const CPoint p = GetHandle(n);
        pDC->InvertRect(CRect(p.x - 2, p.y - 2, p.x + 3, p.y + 3));
    }
}

void CHOXDrawObj::RestoreScroll(CHOXView* view) const { view->ScrollToPosition(CPoint(m_nScrollPosX, m_nScrollPosY)); }

void CHOXDrawObj::EnsureVisible(CHOXView* view) const
{
    if (m_pWnd == nullptr || m_pWnd->GetBaseRect() == nullptr) return;
    const CRect& sheet = m_pWnd->GetBaseRect()->m_position;
    // The scroll size in device pixels: the sheet's extent and a margin of 15.
    const CPoint origin = view->DocToClient(CPoint(0, 0));
    const CPoint extent = view->DocToClient(CPoint(sheet.right + 15, sheet.bottom + 15));
    const CSize total(extent.x - origin.x, extent.y - origin.y);
    view->SetScrollSizes(total);

    const CRect visible = view->ClientToDoc(view->GetClientRect());
    CPoint scroll = view->GetScrollPosition();
    const CRect r = m_position;
    if (total.cy > visible.bottom && scroll.y >= 0) {
        if (r.bottom > visible.bottom) {
            scroll.y += r.bottom - visible.bottom;
        } else if (r.top < visible.top) {
            scroll.y += r.top - visible.top;
        }
    }
    if (total.cx > visible.right && scroll.x >= 0) {
        if (r.right > visible.right) {
            scroll.x += r.right - visible.right;
        } else if (r.left < visible.left) {
            scroll.x += r.left - visible.left;
        }
    }
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
        AfxMessageBox(13064, MB_OK | MB_ICONHAND); // "ERROR:  Cannot draw out side the  Base Rectangle."
        CHOXView::s_nOutOfSheetWarned = 1;
    }
    CRect back = m_position;
    back.OffsetRect(m_ptDragStart - m_ptPrevDrag);
    MoveTo(back, view);
    m_ptPrevDrag = m_ptDragStart;
    RestoreScroll(view);
}
