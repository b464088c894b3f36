#include "chart/HOXFlowView.h"

#include "app/HOXApp.h"
#include "app/MainFrame.h"
#include "chart/HOXWnd.h"
#include "res/CommandIds.h"

CHOXFlowView::CHOXFlowView()
{
    OnCommand(ID_WIRE_TOOL, [this] { OnWireTool(); });
    OnCommand(ID_CONNECT_BUTTON, [this] { OnWireTool(); });
    CCmdTarget::OnUpdate(ID_WIRE_TOOL, [](CCmdUI* ui) { ui->SetRadio(s_nToolMode == 2); });
    CCmdTarget::OnUpdate(ID_CONNECT_BUTTON, [](CCmdUI*) {
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
