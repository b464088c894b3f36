#include "app/HOXTimedMessageDlg.h"

#include "platform/Strings.h"

CHOXTimedMessageDlg::CHOXTimedMessageDlg() : CDialog(kTemplate) {}

bool CHOXTimedMessageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadStr(57344));
    SetDlgItemText(kTextControl, m_strMessage);
    m_nTimer = kTimerId;
    SetTimer(kTimerId, kTimerPeriod);
    return true;
}

void CHOXTimedMessageDlg::OnOK()
{
    KillTimer(kTimerId);
    EndDialog(IDOK);
}

void CHOXTimedMessageDlg::OnTimer(UINT timerId)
{
    if (timerId != kTimerId) return;
    KillTimer(kTimerId);
    EndDialog(IDOK);
}

void ShowTimedMessage(const QString& text)
{
    CHOXTimedMessageDlg dlg;
    dlg.m_strMessage = text;
    dlg.DoModal();
}
