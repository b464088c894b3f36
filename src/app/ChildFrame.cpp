#include "app/ChildFrame.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/MainFrame.h"
#include "chart/HOXView.h"
#include "platform/Help.h"

namespace {
constexpr LONG kWidth = 550;
constexpr LONG kHeight = 350;
} // namespace

CChildFrame::CChildFrame() = default;
CChildFrame::~CChildFrame() = default;

CRect CChildFrame::InitialRect() const
{
    // At the origin when the creator moves the frame to its stored place;
    // otherwise cascading by the number of windows: 20, 40 .. 380, then 20
    // again.
    LONG offset = 0;
    const CHOXApp* app = CHOXApp::Get();
    if (app != nullptr && app->m_nFrameAtOrigin == 0) offset = (app->GetFlowChartCount() % 19 + 1) * 20;
    return CRect(offset, offset, offset + kWidth, offset + kHeight);
}

void CChildFrame::OnClose()
{
    // Closing only hides: the window stays in the document and comes back
    // through the workspace tree.
    auto* doc = dynamic_cast<CHOXDoc*>(GetActiveDocument());
    if (doc == nullptr) {
        ShowWindow(SW_HIDE);
        return;
    }
    doc->CanCloseFrame(this);
}

void CChildFrame::OnSize()
{
    // The main window keeps the document's name whether a child is
    // maximized or not.
    if (CHOXApp* app = CHOXApp::Get()) app->UpdateMainTitle();
}

void CChildFrame::OnMDIActivate(bool active)
{
    CHOXApp* app = CHOXApp::Get();
    if (app == nullptr) return;
    // The menu bar is the one of the active window's kind.
    if (active && app->MainFrame() != nullptr) app->MainFrame()->SetMenuForActiveFrame();
    if (CHOXDoc* doc = app->GetDocument()) doc->SetMenusEnabled(doc->IsEditMode(), GetActiveView());
}

bool CChildFrame::OnSysCommand(UINT command)
{
    // While the controller is monitored its windows cannot be closed.
    const CHOXApp* app = CHOXApp::Get();
    const CHOXDoc* doc = app != nullptr ? app->GetDocument() : nullptr;
    return doc != nullptr && !doc->IsEditMode() && command == SC_CLOSE;
}

int CChildFrame::OnHelpHitTest(CPoint point)
{
    auto* view = dynamic_cast<CHOXView*>(GetActiveView());
    if (view == nullptr) return -1;
    // An object answers with its own page; one without falls back to the
    // frame's.
    const int context = view->GetHelpContextAt(point);
    if (context != -1 && !HelpPageFor(static_cast<UINT>(context)).isEmpty()) return context;
    // The frame's own help: that of the menu resource of its kind of chart.
    return static_cast<int>(view->GetViewHelpContext());
}
