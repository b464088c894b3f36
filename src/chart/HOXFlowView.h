#pragma once
// The view of a flow chart or of the subtask chart.
#include "chart/HOXView.h"

class CHOXFlowView : public CHOXView {
public:
    CHOXFlowView();
    ~CHOXFlowView() override;

    int GetViewType() const override { return objtype::kFlowView; }
    void UpdateScrollSizes() override;
    void OnInitialUpdate() override;
    // Hint 0 all, 1 the object, 2 the selection, 3 the selection goes.
    void OnUpdate(CView* sender, std::intptr_t hint, CObject* hintObject) override;
    void OnDraw(CDC* pDC) override;

    // The base sheet is resized with the mouse on its right edge, bottom
    // edge or corner.
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

    // The Wire command and the palette's connect button switch the wire tool
    // on and off; the selection is cleared either way.
    void OnWireTool();
};
