// The document's modes: starting and stopping monitoring with the frames,
// hidden windows, menus and bars that go with it.
#include "app/HOXDoc.h"

#include "app/HOXApp.h"
#include "app/MainFrame.h"
#include "chart/FrameHooks.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXMonitorSession.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/MDI.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"

#include <vector>

namespace {

// "Application is already in Monitoring mode."
constexpr UINT kAlreadyMonitoring = 14040;
// "FlowChart 1(Blank)", "FlowChart 2(Blank)", "Subtask(Blank)": the hidden
// windows of X, Y and the subtask.
constexpr UINT kBlankWindowNames[] = {13609, 13610, 13611};

// The application, when this document is its document: frames, bars and
// the main window belong to that one only.
CHOXApp* AppOf(const CHOXDoc* doc)
{
    CHOXApp* app = CHOXApp::Get();
    return app != nullptr && app->GetDocument() == doc ? app : nullptr;
}

} // namespace

void CHOXDoc::InitMonitorCommands()
{
    OnCommand(ID_MONITOR_START, [this] { OnMonitorStart(); });
    OnCommand(ID_MONITOR_STOP, [this] { OnMonitorStop(); });
    OnCommand(ID_MONITOR_TOGGLE, [this] { OnMonitorToggle(); });
}

void CHOXDoc::OnMonitorToggle()
{
    if (IsMonitoring())
        OnMonitorStop();
    else
        OnMonitorStart();
}

void CHOXDoc::StopMonitoringIfActive()
{
    if (m_nEditMode == 0) OnMonitorStop();
}

QString CHOXDoc::GetMonitoredWindowName(int axis) const
{
    return axis >= 0 && axis < m_blankWindowNames.size() ? m_blankWindowNames.at(axis) : QString();
}

void CHOXDoc::SetMonitorThreadPriority(MonitorPriority priority)
{
    if (m_pMonitorThread) m_pMonitorThread->SetPriority(priority);
}

void CHOXDoc::SetMenusEnabled(bool, CView*)
{
    // Menu items take their state from the update handlers, which read the
    // mode: asking for the states again switches them.
    const CHOXApp* app = CHOXApp::Get();
    if (app != nullptr && app->GetMainWnd() != nullptr && app->GetMainWnd()->Host() != nullptr)
        app->GetMainWnd()->Host()->UpdateCommandStates();
}

// ---------------------------------------------------------------------------
// Start and stop

void CHOXDoc::OnMonitorStart()
{
    if (m_nMonitoring == 1) {
        AfxMessageBox(kAlreadyMonitoring, MB_OK | MB_ICONINFORMATION);
        return;
    }
    PutFramesAway();
    MakeBlankWindows();
    CHOXApp* app = AppOf(this);
    if (app != nullptr && app->GetMainWnd() != nullptr) {
        if (FrameHooks* hooks = GetFrameHooks()) hooks->HidePaletteBars();
    }
    // The worker reads the mode from its first step on.
    m_nEditMode = 0;
    m_nMonitoring = 1;
    // The menus follow the mode now set; no selection stays while nothing
    // can be edited.
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    CMDIChildWnd* active = main != nullptr ? main->MDIGetActive() : nullptr;
    SetMenusEnabled(false, active != nullptr ? active->GetActiveView() : nullptr);
    for (CView* view : GetViews()) {
        SetMenusEnabled(false, view);
        if (auto* chart = dynamic_cast<CHOXView*>(view)) chart->Select(nullptr);
    }
    m_pMonitorThread = std::make_unique<CHOXMonitorSession>();
    m_pMonitorThread->Setup(this);
    m_pMonitorThread->Resume();
}

void CHOXDoc::OnMonitorStop()
{
    if (m_nEditMode == 1) return;
    if (m_pMonitorThread) {
        // While the document still monitors, so that they act.
        m_pMonitorThread->SaveWindowLayout();
        m_pMonitorThread->SaveProgTextPositions();
        SetModifiedFlag();
    }
    m_nEditMode = 1;
    if (m_pMonitorThread) {
        m_pMonitorThread->RequestStop();
        // At most the link call in progress; nothing the worker was told of
        // goes before it has ended.
        m_pMonitorThread->Join();
    }
    m_nMonitoring = 0;
    m_pMonitorThread.reset();
    // A stop timer of this run stops no later one.
    if (auto* view = dynamic_cast<CHOXMonView*>(m_pMonWnd->GetView())) view->CancelStopTimer();
    RemoveBlankWindows();
    BringFramesBack();
}

// ---------------------------------------------------------------------------
// Frames and hidden windows

void CHOXDoc::PutFramesAway()
{
    m_bFramesPutAway = false;
    CHOXApp* app = AppOf(this);
    if (app == nullptr) return;
    auto keep = [app](CHOXWnd& record, bool hide) {
        CMDIChildWnd* frame = app->FrameOfView(record.GetView());
        if (frame == nullptr) return;
        WindowPlacement placement;
        placement.normal = frame->GetRestoredRect();
        placement.showCommand = frame->IsZoomed()   ? SW_SHOWMAXIMIZED
                                : frame->IsIconic() ? SW_SHOWMINIMIZED
                                                    : SW_SHOWNORMAL;
        if (!frame->IsWindowVisible()) placement.showCommand = SW_HIDE;
        record.SetPlacement(placement);
        if (frame->IsZoomed()) frame->ShowWindow(SW_RESTORE);
        if (hide) frame->ShowWindow(SW_HIDE);
    };
    for (auto& [name, wnd] : m_mapWindows) keep(*wnd, true);
    // The monitor window stays in sight until the running-program tracker
    // arranges it with the monitored frames; maximized, it would keep the
    // tracker from arranging anything.
    keep(*m_pMonWnd, false);
    m_bFramesPutAway = true;
}

void CHOXDoc::BringFramesBack()
{
    if (!m_bFramesPutAway) return;
    m_bFramesPutAway = false;
    CHOXApp* app = AppOf(this);
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    if (main == nullptr) return;
    for (auto& [name, wnd] : m_mapWindows)
        if (CMDIChildWnd* frame = app->FrameOfView(wnd->GetView())) frame->SetWindowText(name);

    CMDIChildWnd* monitorFrame = app->FrameOfView(m_pMonWnd->GetView());
    if (monitorFrame != nullptr) monitorFrame->ShowWindow(SW_HIDE);
    SetMenusEnabled(true, m_pMonWnd->GetView());
    for (auto& [name, wnd] : m_mapWindows) {
        SetMenusEnabled(true, wnd->GetView());
        CMDIChildWnd* frame = app->FrameOfView(wnd->GetView());
        if (frame == nullptr) continue;
        if (frame->IsZoomed()) frame->ShowWindow(SW_RESTORE);
        frame->ShowWindow(SW_HIDE);
    }

    // The monitor window's placement, then those of the name list's
    // windows; maximized frames last, since the client area maximizes every
    // frame activated after one.
    std::vector<CHOXWnd*> records{m_pMonWnd.get()};
    for (const QString& name : m_windowNames)
        if (const auto* entry = m_mapWindows.Lookup(name)) records.push_back(entry->get());
    bool shown = false;
    for (bool maximized : {false, true}) {
        for (CHOXWnd* record : records) {
            CMDIChildWnd* frame = app->FrameOfView(record->GetView());
            const WindowPlacement& placement = record->GetPlacement();
            if (frame == nullptr || (placement.showCommand == SW_SHOWMAXIMIZED) != maximized) continue;
            if (!placement.normal.IsRectEmpty()) frame->MoveWindow(placement.normal);
            if (record == m_pMonWnd.get() && record->GetView() != nullptr) record->GetView()->Invalidate();
            if (placement.showCommand == SW_HIDE) continue;
            frame->ShowWindow(placement.showCommand);
            main->MDIActivate(frame);
            shown = true;
        }
    }
    if (!shown && monitorFrame != nullptr) {
        main->MDIActivate(monitorFrame);
        monitorFrame->ShowWindow(SW_HIDE);
    }
    if (FrameHooks* hooks = GetFrameHooks()) hooks->ShowPaletteBars();
}

void CHOXDoc::MakeBlankWindows()
{
    m_blankWindowNames.clear();
    m_blankWindows.fill(nullptr);
    CHOXApp* app = AppOf(this);
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    for (std::size_t axis = 0; axis < m_blankWindows.size(); ++axis) {
        const QString name = LoadStr(kBlankWindowNames[axis]);
        // None beside a chart of that name, nor past the window limit: that
        // axis then has no monitored window.
        m_blankWindows[axis] = main != nullptr ? main->CreateHiddenFlowChartWindow(name) : nullptr;
        m_blankWindowNames << (m_blankWindows[axis] != nullptr ? name : QString());
    }
    // The hidden windows took the activation; the monitor window, which
    // stays, has it again.
    if (app != nullptr) {
        CMDIChildWnd* monitorFrame = app->FrameOfView(m_pMonWnd->GetView());
        if (monitorFrame != nullptr && monitorFrame->IsWindowVisible()) app->ActivateMonitorFrame();
    }
}

void CHOXDoc::RemoveBlankWindows()
{
    CHOXApp* app = AppOf(this);
    CMainFrame* main = app != nullptr ? app->MainFrame() : nullptr;
    for (CHOXFlowWnd*& blank : m_blankWindows) {
        CHOXFlowWnd* record = blank;
        blank = nullptr;
        if (record == nullptr) continue;
        // By the record made, never by its name: a chart may bear it too.
        QString key;
        bool found = false;
        for (const auto& [name, wnd] : m_mapWindows)
            if (wnd.get() == record) {
                key = name;
                found = true;
                break;
            }
        if (!found) continue;
        record->RemoveAllMaps();
        CMDIChildWnd* frame = app != nullptr ? app->FrameOfView(record->GetView()) : nullptr;
        record->SetView(nullptr);
        if (frame != nullptr && main != nullptr) main->DestroyChild(frame);
        RemoveWindow(key);
    }
    m_blankWindowNames.clear();
}
