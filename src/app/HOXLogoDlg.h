#pragma once
// The start-up picture: shown once, closed by any key or mouse button, or by
// itself after 3.5 seconds.
#include "platform/Dialog.h"

#include <QImage>

class CHOXLogoDlg : public CDialog {
public:
    CHOXLogoDlg();

    bool OnInitDialog() override;
    void OnTimer(UINT timerId) override;
    void OnKeyDown(int key) override;
    void OnMouseButtonDown(int button) override;

    static constexpr UINT kTimerId = 2000;
    static constexpr UINT kTimerPeriod = 3500;

private:
    UINT m_nTimer = 0;
};
