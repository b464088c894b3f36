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

    // Monitoring ends 200 ms after this in the user-interface thread (after
    // a link failure's message); a timer that falls due while a sender's
    // call waits acts once the call is over.
    static constexpr UINT kStopTimerId = 1000;
    static constexpr UINT kStopTimerMs = 200;
    void StartStopTimer();
    // The run the timer was for has ended: it stops nothing any more.
    void CancelStopTimer();
    void OnTimer(UINT timerId) override;

    // File Print and the direct print run on the document's first flow
    // view; without one nothing happens.
    void OnFilePrint(UINT command);
    // Print Preview likewise previews through the first flow view.
    void OnFilePrintPreviewOnFlowView();

private:
    CHOXFlowView* FirstFlowView() const;
    void StopMonitoring();

    UINT m_nStopTimer = 0;
    // The stop timer fell due while a sender waited.
    bool m_bStopHeld = false;
};
