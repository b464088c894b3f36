#include "chart/HOXFlowView.h"

#include "app/HOXApp.h"
#include "app/MainFrame.h"
#include "chart/HOXWnd.h"

CHOXFlowView::CHOXFlowView()
{
    OnCommand(kWireCommand, [this] { OnWireTool(); });
    OnCommand(kConnectButton, [this] { OnWireTool(); });
    CCmdTarget::OnUpdate(kWireCommand, [](CCmdUI* ui) { ui->SetRadio(s_nToolMode == 2); });
    CCmdTarget::OnUpdate(kConnectButton, [](CCmdUI*) {
        if (CHOXApp* app = CHOXApp::Get(); app != nullptr && app->MainFrame() != nullptr)
            app->MainFrame()->SetConnectButtonState(s_nToolMode == 2);
    });
}

CHOXFlowView::~CHOXFlowView() = default;

void CHOXFlowView::OnWireTool()
{
    s_nToolMode = s_nToolMode == 2 ? 0 : 2;
    Select(nullptr);
}

void CHOXFlowView::UpdateScrollSizes() { FitScrollSizesToSheet(); }

void CHOXFlowView::OnInitialUpdate()
{
    CHOXView::OnInitialUpdate();
    SetInitialPageSize();
}

void CHOXFlowView::OnUpdate(CView*, std::intptr_t hint, CObject* hintObject)
{
    InvalidateForHint(hint, hintObject);
}

void CHOXFlowView::OnDraw(CDC* pDC) { DrawRecordOnPage(pDC); }

void CHOXFlowView::OnLButtonDown(UINT flags, CPoint point) { SheetMouseDown(flags, point); }

void CHOXFlowView::OnMouseMove(UINT flags, CPoint point) { SheetMouseMove(flags, point); }

void CHOXFlowView::OnLButtonUp(UINT flags, CPoint point) { SheetMouseUp(flags, point); }
