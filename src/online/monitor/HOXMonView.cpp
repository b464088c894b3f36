#include "online/monitor/HOXMonView.h"

#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/HOXFlowView.h"
#include "chart/RecordCasts.h"
#include "online/HOXMonCommand.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Document.h"
#include "res/CommandIds.h"

CHOXMonView::CHOXMonView()
{
    // Blocks this program puts on the clipboard name it.
    Program().clipboard.instanceId = ProgramInstanceId();
    Program().clipboard.sourceId = 0;
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(ID_FILE_PRINT); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrint(ID_FILE_PRINT_DIRECT); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreviewOnFlowView(); });
}
CHOXMonView::~CHOXMonView() { CHOXMonCommand::ForgetWaiting(this); }

void CHOXMonView::StartStopTimer()
{
    SetTimer(kStopTimerId, kStopTimerMs);
    m_nStopTimer = kStopTimerId;
}

void CHOXMonView::CancelStopTimer()
{
    KillTimer(kStopTimerId);
    m_nStopTimer = 0;
    m_bStopHeld = false;
}

void CHOXMonView::OnTimer(UINT timerId)
{
    if (timerId != kStopTimerId) return;
    KillTimer(kStopTimerId);
    m_nStopTimer = 0;
    if (!CHOXMonCommand::IsWaiting()) {
        StopMonitoring();
        return;
    }
    m_bStopHeld = true;
    CHOXMonCommand::AfterWaiting(this, [this] {
        if (!m_bStopHeld) return;
        m_bStopHeld = false;
        StopMonitoring();
    });
}

void CHOXMonView::StopMonitoring()
{
    if (auto* doc = dynamic_cast<CHOXDoc*>(GetDocument())) doc->StopMonitoringIfActive();
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

void CHOXMonView::UpdateScrollSizes() { FitScrollSizesToSheet(); }

void CHOXMonView::OnInitialUpdate()
{
    CHOXView::OnInitialUpdate();
    SetInitialPageSize();
}

void CHOXMonView::OnUpdate(CView*, std::intptr_t hint, CObject* hintObject)
{
    if (InvalidateForHint(hint, hintObject) || hint != 4) return;
    if (auto* wnd = chart::AsMonWnd(GetWnd()))
        for (const auto& [id, ole] : wnd->GetOleMap()) InvalObj(ole.get());
}

void CHOXMonView::OnDraw(CDC* pDC) { DrawRecordOnPage(pDC); }

void CHOXMonView::OnLButtonDown(UINT flags, CPoint point) { SheetMouseDown(flags, point); }

void CHOXMonView::OnMouseMove(UINT flags, CPoint point) { SheetMouseMove(flags, point); }

void CHOXMonView::OnLButtonUp(UINT flags, CPoint point) { SheetMouseUp(flags, point); }
