#include "chart/HOXFlowView.h"

#include "chart/HOXWnd.h"

CHOXFlowView::CHOXFlowView() = default;
CHOXFlowView::~CHOXFlowView() = default;

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
