#include "chart/HOXFlowView.h"

#include "chart/HOXWnd.h"
#include "platform/DC.h"

CHOXFlowView::CHOXFlowView() = default;
CHOXFlowView::~CHOXFlowView() = default;
void CHOXFlowView::UpdateScrollSizes() {}
void CHOXFlowView::OnInitialUpdate() { CHOXView::OnInitialUpdate(); }
void CHOXFlowView::OnUpdate(CView* sender, std::intptr_t hint, CObject* hintObject)
{
    CHOXView::OnUpdate(sender, hint, hintObject);
}
void CHOXFlowView::OnDraw(CDC* pDC)
{
    if (GetWnd() != nullptr) GetWnd()->Draw(pDC);
}
void CHOXFlowView::OnLButtonDown(UINT, CPoint) {}
void CHOXFlowView::OnMouseMove(UINT, CPoint) {}
void CHOXFlowView::OnLButtonUp(UINT, CPoint) {}
