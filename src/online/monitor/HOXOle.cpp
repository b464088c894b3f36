#include "online/monitor/HOXOle.h"

#include "chart/HOXBaseRect.h"
#include "chart/HOXView.h"
#include "chart/HOXWnd.h"
#include "chart/ObjectKinds.h"
#include "online/monitor/HOXCntrlItem.h"
#include "platform/Archive.h"
#include "platform/DC.h"

#include <algorithm>
#include <string>

KT_IMPLEMENT_SERIAL(CHOXOle, CHOXDrawObj, 0)
KT_REGISTER_KIND(CHOXOle, .type = objtype::kOle, .helpContext = 0x10087)

namespace {
// What the sheet keeps beyond a holder.
constexpr std::int64_t kSheetMargin = 15;
} // namespace

CHOXOle::CHOXOle() = default;

CHOXOle::CHOXOle(const CRect& position, CHOXWnd* wnd) : CHOXDrawObj(position, wnd) {}

CHOXOle::~CHOXOle() = default;

void CHOXOle::AttachItem(std::unique_ptr<CHOXCntrlItem> item)
{
    m_pItem = std::move(item);
    if (m_pItem) m_pItem->SetHolder(this);
}

void CHOXOle::Serialize(CArchive& ar)
{
    CHOXDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_sizeExtent.cx << m_sizeExtent.cy;
        ar.WriteObject(m_pItem.get());
        return;
    }
    ar >> m_sizeExtent.cx >> m_sizeExtent.cy;
    const std::size_t at = ar.Position();
    CObject* read = ar.ReadObject(RUNTIME_CLASS(CHOXCntrlItem));
    if (read == nullptr) return;
    // Each holder releases and deletes its own item: two holders of one
    // item would delete it twice.
    std::unique_ptr<CObject> owned = ar.Claim(read);
    if (!owned)
        throw ArchiveError(ArchiveError::sharedObject,
                           "the embedded item at offset " + std::to_string(at) + " is held by a second holder");
    AttachItem(std::unique_ptr<CHOXCntrlItem>(static_cast<CHOXCntrlItem*>(owned.release())));
}

void CHOXOle::Draw(CDC* pDC)
{
    const CRect r = m_position.Normalized();
    const QBrush oldBrush = pDC->SelectBrush(QBrush(Qt::NoBrush));
    if (m_nDragging != 0) {
        const QPen oldPen = pDC->SelectPen(MakePen(PS_DOT, 1, RGB(0, 0, 0)));
        pDC->Rectangle(r);
        pDC->SelectPen(oldPen);
        pDC->SelectBrush(oldBrush);
        return;
    }
    // Nothing here can draw the item itself; it keeps its place.
    const QPen oldPen = pDC->SelectPen(MakePen(PS_SOLID, 1, RGB(0, 0, 0)));
    pDC->Rectangle(r);
    pDC->MoveTo(r.left, r.top);
    pDC->LineTo(r.right - 1, r.bottom - 1);
    pDC->MoveTo(r.right - 1, r.top);
    pDC->LineTo(r.left, r.bottom - 1);
    pDC->SelectPen(oldPen);
    pDC->SelectBrush(oldBrush);
}

bool CHOXOle::Remove()
{
    if (m_pItem) {
        m_pItem->Delete();
        m_pItem.reset();
    }
    return CHOXDrawObj::Remove();
}

void CHOXOle::OnLButtonDown(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    m_nResized = 0;
    m_nCurrentHandle = view->GetSelectionCount() <= 1 ? HitTest(p, view) : 0;
    // A handle drag keeps its cursor while the mouse moves; a move shows
    // the arrow.
    if (m_nCurrentHandle != 0) view->SetCursor(GetHandleCursor(m_nCurrentHandle));
    view->m_nTracking = m_nCurrentHandle != 0 ? 1 : 0;
    m_ptDragStart = p;
    m_ptPrevDrag = p;
    m_nDragging = 1;
    CHOXDrawObj::OnLButtonDown(view, flags, point);
}

void CHOXOle::OnMouseMove(CHOXView* view, UINT flags, CPoint point)
{
    const CPoint p = view->ClientToDoc(point);
    if (!view->HasCapture()) {
        const int handle = view->GetSelectionCount() <= 1 ? HitTest(p, view) : 0;
        if (handle != 0) {
            view->SetCursor(GetHandleCursor(handle));
        } else {
            CHOXDrawObj::OnMouseMove(view, flags, point);
        }
        return;
    }
    CPoint reached = p;
    if (m_nCurrentHandle != 0) {
        MoveHandleTo(m_nCurrentHandle, p, view);
        m_nResized = 1;
    } else {
        const CRect moved = Shifted(m_position, std::int64_t(p.x) - m_ptPrevDrag.x, std::int64_t(p.y) - m_ptPrevDrag.y);
        // Stopped short at the end of the coordinate range, the drag counts
        // only what the holder moved, so that taking it back is exact.
        reached = CPoint(static_cast<LONG>(m_ptPrevDrag.x + (std::int64_t(moved.left) - m_position.left)),
                         static_cast<LONG>(m_ptPrevDrag.y + (std::int64_t(moved.top) - m_position.top)));
        MoveTo(moved, view);
    }
    m_ptPrevDrag = reached;
    EnsureVisible(view);
    SetModified();
    UpdateAllViews();
    if (view->m_nTracking == 0) CHOXDrawObj::OnMouseMove(view, flags, point);
}

void CHOXOle::OnLButtonUp(CHOXView* view, UINT flags, CPoint point)
{
    if (m_nResized != 0 && m_nCurrentHandle != 0) m_ptPrevDrag = GetHandle(m_nCurrentHandle);
    m_position.NormalizeRect();
    m_nDragging = 0;
    const bool outside = IsOutsideBaseRect();
    SettleAfterDrag(view);
    if (!outside) {
        SetModified();
        GrowSheet(view);
    }
    CHOXDrawObj::OnLButtonUp(view, flags, point);
    view->SetCursor(Cursor::Arrow);
}

void CHOXOle::GrowSheet(CHOXView* view)
{
    CHOXBaseRect* sheet = m_pWnd != nullptr ? m_pWnd->GetBaseRect() : nullptr;
    if (sheet == nullptr) return;
    const CRect& r = m_position;
    CRect grown = sheet->GetRect();
    auto reach = [](LONG edge) { return static_cast<LONG>(std::min<std::int64_t>(edge + kSheetMargin, INT32_MAX)); };
    if (std::int64_t(r.bottom) > std::int64_t(grown.bottom) - kSheetMargin) grown.bottom = reach(r.bottom);
    if (std::int64_t(r.right) > std::int64_t(grown.right) - kSheetMargin) grown.right = reach(r.right);
    if (grown == sheet->GetRect()) return;
    sheet->Invalidate();
    sheet->m_position = grown;
    sheet->Invalidate();
    view->UpdateScrollSizes();
}
