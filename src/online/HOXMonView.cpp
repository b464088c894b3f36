#include "online/HOXMonView.h"

#include "chart/HOXWnd.h"
#include "platform/DC.h"

CHOXMonView::CHOXMonView() = default;
CHOXMonView::~CHOXMonView() = default;
void CHOXMonView::UpdateScrollSizes() {}
void CHOXMonView::OnInitialUpdate() { CHOXView::OnInitialUpdate(); }
void CHOXMonView::OnUpdate(CView* sender, std::intptr_t hint, CObject* hintObject)
{
    CHOXView::OnUpdate(sender, hint, hintObject);
}
void CHOXMonView::OnDraw(CDC* pDC)
{
    if (GetWnd() != nullptr) GetWnd()->Draw(pDC);
}
void CHOXMonView::OnLButtonDown(UINT, CPoint) {}
void CHOXMonView::OnMouseMove(UINT, CPoint) {}
void CHOXMonView::OnLButtonUp(UINT, CPoint) {}
