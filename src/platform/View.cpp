#include "platform/View.h"

#include "platform/DC.h"
#include "platform/DragDrop.h"

CView::CView() = default;
CView::~CView() = default;

void CView::SetHost(ViewHost* host)
{
    m_host = host;
    if (m_host != nullptr && !m_dropFormats.isEmpty()) m_host->SetDropFormats(m_dropFormats);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
void CView::OnUpdate(CView*, std::intptr_t, CObject*) { Invalidate(true); }

void CView::OnPrepareDC(CDC* pDC)
{
    // Document units are device pixels, shifted by the scroll position.
    pDC->SetMapping(1, 1, 1, 1, GetScrollPosition());
}

void CView::OnDraw(CDC*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnPrepareDC(pDC);
    OnDraw(pDC);
}
bool CView::IsSelected(const CObject*) const { return false; }
void CView::OnLButtonDown(UINT, CPoint) {}
void CView::OnLButtonUp(UINT, CPoint) {}
void CView::OnLButtonDblClk(UINT, CPoint) {}
void CView::OnRButtonDown(UINT, CPoint) {}
void CView::OnMouseMove(UINT, CPoint) {}
void CView::OnKeyDown(UINT, UINT, UINT) {}

void CView::RegisterDropTarget(const QStringList& formats)
{
    m_dropFormats = formats;
    if (m_host) m_host->SetDropFormats(formats);
}
DWORD CView::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DWORD CView::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
bool CView::OnDrop(COleDataObject*, DWORD, CPoint) { return false; }

void CView::Invalidate(bool erase)
{
    if (m_host) m_host->Invalidate(erase);
}
void CView::InvalidateRect(const CRect& rect, bool erase)
{
    if (m_host) m_host->InvalidateRect(rect, erase);
}
void CView::SetCapture()
{
    if (m_host) m_host->SetCapture();
}
void CView::ReleaseCapture()
{
    if (m_host) m_host->ReleaseCapture();
}
bool CView::HasCapture() const { return m_host && m_host->HasCapture(); }
void CView::SetCursor(Cursor cursor)
{
    if (m_host) m_host->SetCursor(cursor);
}
CPoint CView::GetScrollPosition() const { return m_host ? m_host->GetScrollPosition() : CPoint(); }
void CView::ScrollToPosition(CPoint position)
{
    if (m_host) m_host->ScrollToPosition(position);
}
void CView::SetScrollSizes(CSize total)
{
    if (m_host) m_host->SetScrollSizes(total);
}
CSize CView::GetTotalSize() const { return m_host ? m_host->GetTotalSize() : CSize(); }
CRect CView::GetClientRect() const { return m_host ? m_host->GetClientRect() : CRect(); }
void CView::SetTimer(UINT timerId, UINT milliseconds)
{
    if (m_host) m_host->SetTimer(timerId, milliseconds);
}
void CView::KillTimer(UINT timerId)
{
    if (m_host) m_host->KillTimer(timerId);
}
