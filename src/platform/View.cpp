#include "platform/View.h"

#include "platform/DC.h"
#include "platform/DragDrop.h"

#include <atomic>

namespace {
// Holds come and go in the user-interface thread; a timer asks from there.
std::atomic<int> g_timerHolds{0};
} // namespace

ViewTimerHold::ViewTimerHold() { ++g_timerHolds; }
ViewTimerHold::~ViewTimerHold() { --g_timerHolds; }
bool ViewTimerHold::IsHeld() { return g_timerHolds.load() > 0; }

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
bool CView::IsWindowVisible() const { return m_host != nullptr && m_host->IsWindowVisible(); }
UINT CView::SetTimer(UINT id, UINT elapse) { return m_host ? m_host->SetTimer(id, elapse) : 0; }
void CView::KillTimer(UINT id)
{
    if (m_host) m_host->KillTimer(id);
}
UINT CView::GetDoubleClickTime() const { return m_host ? m_host->GetDoubleClickTime() : 500; }

void CView::TimerDue(UINT id)
{
    if (!ViewTimerHold::IsHeld()) OnTimer(id);
}
