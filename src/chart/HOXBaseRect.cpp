#include "chart/HOXBaseRect.h"

#include "app/HOXDoc.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "platform/DC.h"
#include "platform/Messages.h"
#include "platform/Strings.h"

#include <algorithm>
#include <limits>

KT_IMPLEMENT_SERIAL(CHOXBaseRect, CHOXRect, 0)
KT_REGISTER_KIND(CHOXBaseRect, .type = objtype::kBaseRect)

namespace {

constexpr UINT IDS_HSCROLL_LIMIT = 13065;
constexpr UINT IDS_VSCROLL_LIMIT = 13066;
constexpr LONG kScrollLimit = 30000;

} // namespace

CHOXBaseRect::CHOXBaseRect() = default;

CHOXBaseRect::CHOXBaseRect(const CRect& position, CHOXWnd* wnd) : CHOXRect(position, wnd)
{
    // No resize handle is held until the mouse finds one.
    m_nCurrentHandle = 0;
    // A new chart takes the colour of the charts there are.
    m_logbrush.color = RGB(192, 192, 192);
    if (wnd != nullptr && wnd->GetDocument() != nullptr) {
        const WindowMap& windows = wnd->GetDocument()->GetWindowMap();
        const auto first = windows.begin();
        if (first != windows.end() && first->second && first->second->GetBaseRect() != nullptr)
            m_logbrush.color = first->second->GetBaseRect()->GetFillColor();
    }
}

void CHOXBaseRect::Draw(CDC* pDC)
{
    if (!pDC->IsPrinting()) {
        CHOXRect::Draw(pDC);
        return;
    }
    // On paper the sheet is only outlined.
    const QPen oldPen = pDC->SelectPen(MakePen(PS_SOLID, 1, RGB(0, 0, 0)));
    const QBrush oldBrush = pDC->SelectBrush(QBrush(Qt::NoBrush));
    pDC->Rectangle(m_position);
    pDC->SelectPen(oldPen);
    pDC->SelectBrush(oldBrush);
}

int CHOXBaseRect::HitTestBorder(CHOXView* view, UINT, CPoint point)
{
    const CRect& r = m_position;
    const LONG x = point.x, y = point.y;
    int handle = 0;
    if (r.bottom - 3 <= y && y <= r.bottom + 3 && r.right - 3 <= x && x <= r.right + 3) {
        view->SetCursor(Cursor::SizeNWSE);
        handle = 5;
    } else if (r.top < y && y < r.bottom + 3 && r.right - 3 <= x && x <= r.right + 3) {
        view->SetCursor(Cursor::SizeWE);
        handle = 4;
    } else if (r.left <= x && x <= r.right - 3 && r.bottom - 3 < y && y < r.bottom + 3) {
        view->SetCursor(Cursor::SizeNS);
        handle = 6;
    }
    m_nOnResizeHandle = handle != 0 ? 1 : 0;
    return handle;
}

void CHOXBaseRect::MoveHandleTo(int n, CPoint point, CHOXView* view)
{
    CRect r = m_position;
    switch (n) {
    case 4: r.right = point.x; break;
    case 5: r.right = point.x; r.bottom = point.y; break;
    case 6: r.bottom = point.y; break;
    default: break;
    }

    // The sheet may not shrink over the objects of its window.
    const ObjectExtent limits = m_pWnd != nullptr ? m_pWnd->GetObjectExtent() : ObjectExtent();
    const long long rightLimit = std::max<long long>(limits.right, 301);
    const long long bottomLimit = std::max<long long>(limits.bottom, 251);

    if (r.bottom < bottomLimit && r.right < rightLimit) return;
    // Limits beyond 32 bits come only from objects at the very end of the
    // range; the sheet stops there.
    const auto toLong = [](long long v) {
        return static_cast<LONG>(std::min<long long>(v, std::numeric_limits<LONG>::max()));
    };
    if (r.right < rightLimit) r.right = toLong(rightLimit);
    if (r.bottom < bottomLimit) r.bottom = toLong(bottomLimit);

    MoveTo(r, view);
    if (view != nullptr) FitScrollRange(view, n);
    UpdateAllViews();
}

void CHOXBaseRect::FitScrollRange(CHOXView* view, int handle)
{
    const CRect& r = m_position;
    const auto withMargin = [](LONG from, LONG to) {
        const long long size = static_cast<long long>(to) - from + 15;
        return static_cast<LONG>(std::min<long long>(size, std::numeric_limits<LONG>::max()));
    };
    const CPoint origin = view->DocToClient(CPoint(0, 0));
    const CPoint extent = view->DocToClient(CPoint(withMargin(r.left, r.right), withMargin(r.top, r.bottom)));
    const CSize total(extent.x - origin.x, extent.y - origin.y);
    view->SetScrollSizes(total);

    const CRect client = view->GetClientRect();
    CPoint scroll = view->GetScrollPosition();
    const bool horizontal = handle == 4 || handle == 5;
    const bool vertical = handle == 6 || handle == 5;
    if (horizontal && client.Width() < total.cx) {
        scroll.x = total.cx - client.Width();
        if (handle == 4 && scroll.x > kScrollLimit) AfxMessageBox(LoadStr(IDS_HSCROLL_LIMIT), MB_OK | MB_ICONHAND);
        view->ScrollToPosition(scroll);
    }
    if (vertical && client.Height() < total.cy) {
        scroll.y = total.cy - client.Height();
        if (handle == 6 && scroll.y > kScrollLimit) AfxMessageBox(LoadStr(IDS_VSCROLL_LIMIT), MB_OK | MB_ICONHAND);
        view->ScrollToPosition(scroll);
    }
}

void CHOXBaseRect::OnLButtonDown(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    view->SetCapture();
    m_nCurrentHandle = HitTestBorder(view, flags, p);
    if (m_nCurrentHandle == 0) view->ReleaseCapture();
}

void CHOXBaseRect::OnMouseMove(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    if (view->HasCapture()) {
        if (m_nCurrentHandle == 0) return;
        MoveHandleTo(m_nCurrentHandle, p, view);
        if (m_pWnd != nullptr && m_pWnd->GetUndo() != nullptr) m_pWnd->GetUndo()->Clear();
        UpdateAllViews();
        return;
    }
    if (HitTestBorder(view, flags, p) == 0) view->SetCursor(Cursor::Arrow);
}

void CHOXBaseRect::OnLButtonUp(CHOXView* view, UINT, CPoint)
{
    view->ReleaseCapture();
    m_nCurrentHandle = 0;
}
