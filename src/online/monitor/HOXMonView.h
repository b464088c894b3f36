#pragma once
// The view of the document's monitor window.
#include "chart/HOXView.h"

class CHOXFlowView;

class CHOXMonView : public CHOXView {
public:
    CHOXMonView();
    ~CHOXMonView() override;

    int GetViewType() const override { return objtype::kMonView; }
    void UpdateScrollSizes() override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, std::intptr_t hint, CObject* hintObject) override;
    void OnDraw(CDC* pDC) override;

    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

    // File Print and the direct print run on the document's first flow
    // view; without one nothing happens.
    void OnFilePrint(UINT command);
    // Print Preview likewise previews through the first flow view.
    void OnFilePrintPreviewOnFlowView();

private:
    CHOXFlowView* FirstFlowView() const;
};
