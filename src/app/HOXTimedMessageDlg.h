#pragma once
// A notice that closes itself after two seconds (refusals reported by the
// controller, monitoring notices).
#include "platform/Dialog.h"

#include <QString>

class CHOXTimedMessageDlg : public CDialog {
public:
    CHOXTimedMessageDlg();

    bool OnInitDialog() override;
    void OnOK() override;
    void OnTimer(UINT timerId) override;

    static constexpr UINT kTemplate = 2083;
    static constexpr UINT kTextControl = 8273;
    static constexpr UINT kTimerId = 3000;
    static constexpr UINT kTimerPeriod = 2000;

    QString m_strMessage;

private:
    UINT m_nTimer = 0;
};

// Shows the text in a timed message and returns when it has closed.
void ShowTimedMessage(const QString& text);
