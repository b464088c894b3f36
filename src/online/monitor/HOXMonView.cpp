#include "online/monitor/HOXMonView.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXFlowView.h"
#include "chart/RecordCasts.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Document.h"
#include "platform/DragDrop.h"
#include "res/CommandIds.h"

CHOXMonView::CHOXMonView()
{
    s_nToolMode = toolmode::kSelect;
    // Blocks this program puts on the clipboard name it.
    Program().clipboard.instanceId = ProgramInstanceId();
    Program().clipboard.sourceId = 0;
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(ID_FILE_PRINT); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrint(ID_FILE_PRINT_DIRECT); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreviewOnFlowView(); });
    RegisterCommands();
    RegisterClipboardCommands();
    // Nothing on this platform can make an embedded item.
    CCmdTarget::OnUpdate(ID_OLE_INSERT_NEW, [](CCmdUI* ui) { ui->Enable(false); });
}

CHOXMonView::~CHOXMonView()
{
    // The window may outlive the view: nothing of it may come due later.
    if (m_nDelayedClickTimer != 0) KillTimer(kDelayedClickTimer);
    if (m_nStopTimer != 0) KillTimer(kStopTimer);
}

CHOXMonWnd* CHOXMonView::MonWnd() const { return chart::AsMonWnd(GetWnd()); }

bool CHOXMonView::IsMonitoring() const
{
    const CHOXWnd* wnd = GetWnd();
    const CHOXDoc* doc = wnd != nullptr ? wnd->GetDocument() : nullptr;
    return doc != nullptr && !doc->IsEditMode();
}

CHOXFlowView* CHOXMonView::FirstFlowView() const
{
    CDocument* doc = GetDocument();
    if (doc == nullptr) return nullptr;
    for (CView* view : doc->GetViews()) {
        auto* chart = dynamic_cast<CHOXView*>(view);
        if (chart != nullptr && chart->GetViewType() == objtype::kFlowView) return static_cast<CHOXFlowView*>(chart);
    }
    return nullptr;
}

void CHOXMonView::OnFilePrint(UINT command)
{
    // An item active in place would be deactivated first; no item is ever
    // active on this platform.
    if (CHOXFlowView* chart = FirstFlowView()) chart->OnFilePrint(command);
}

void CHOXMonView::OnFilePrintPreviewOnFlowView()
{
    if (CHOXFlowView* chart = FirstFlowView()) chart->OnFilePrintPreview();
}

void CHOXMonView::UpdateScrollSizes()
{
    FitScrollSizesToSheet();
    // A window that shows the whole page has nothing to scroll.
    const CSize total = GetTotalSize();
    const CRect client = GetClientRect();
    CPoint scroll = GetScrollPosition();
    if (client.Height() >= total.cy) scroll.y = 0;
    if (client.Width() >= total.cx) scroll.x = 0;
    if (scroll != GetScrollPosition()) ScrollToPosition(scroll);
}

void CHOXMonView::OnInitialUpdate()
{
    CHOXView::OnInitialUpdate();
    SetInitialPageSize();
}

void CHOXMonView::OnUpdate(CView*, std::intptr_t hint, CObject* hintObject)
{
    // Monitoring that ended holds no button any more.
    if (!IsMonitoring()) ForgetPressedPanel();
    if (InvalidateForHint(hint, hintObject) || hint != 4) return;
    if (CHOXMonWnd* wnd = MonWnd())
        for (const auto& [id, ole] : wnd->GetOleMap()) InvalObj(ole.get());
}

void CHOXMonView::OnDraw(CDC* pDC)
{
    DrawRecordOnPage(pDC);
    DrawOverlay(pDC);
}

void CHOXMonView::SetMainTitle() const
{
    CHOXApp* app = CHOXApp::Get();
    if (app == nullptr) return;
    if (const CDocument* doc = GetDocument(); doc != nullptr && !doc->GetPathName().isEmpty()) {
        app->SetMainTitle(doc->GetPathName());
    } else {
        app->SetMainTitleUntitled();
    }
}

void CHOXMonView::OnSetFocus() { SetMainTitle(); }

// ---------------------------------------------------------------------------
// Timers

void CHOXMonView::StartStopTimer() { m_nStopTimer = SetTimer(kStopTimer, kStopDelay); }

void CHOXMonView::CancelStopTimer()
{
    if (m_nStopTimer != 0) KillTimer(kStopTimer);
    m_nStopTimer = 0;
}

void CHOXMonView::OnTimer(UINT id)
{
    if (id == kDelayedClickTimer) {
        KillTimer(kDelayedClickTimer);
        m_nDelayedClickTimer = 0;
        RunDelayedClick();
    } else if (id == kStopTimer) {
        KillTimer(kStopTimer);
        m_nStopTimer = 0;
        ForgetPressedPanel();
        CHOXWnd* wnd = GetWnd();
        if (CHOXDoc* doc = wnd != nullptr ? wnd->GetDocument() : nullptr) doc->StopMonitoringIfActive();
    }
}

// ---------------------------------------------------------------------------
// Drops

DWORD CHOXMonView::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DWORD CHOXMonView::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

bool CHOXMonView::OnDrop(COleDataObject*, DWORD, CPoint)
{
    OnDragLeave();
    return false;
}
