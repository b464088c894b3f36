#include "online/monitor/HOXMonView.h"

#include "app/ProgramState.h"
#include "chart/RecordCasts.h"
#include "online/monitor/HOXMonWnd.h"

CHOXMonView::CHOXMonView()
{
    // Blocks this program puts on the clipboard name it.
    Program().clipboard.instanceId = ProgramInstanceId();
    Program().clipboard.sourceId = 0;
}
CHOXMonView::~CHOXMonView() = default;

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
