#include "online/HOXProgressMsgDlg.h"

CHOXProgressMsgDlg::CHOXProgressMsgDlg() : CDialog(kTemplate), m_strMessage(ReadingText()) {}

bool CHOXProgressMsgDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(kMessage, m_strMessage);
    return true;
}

void CHOXProgressMsgDlg::SetMessage(const QString& text)
{
    m_strMessage = text;
    if (!IsRunning()) return;
    SetDlgItemText(kMessage, text);
    // The operation keeps the program busy: the window shows the text now.
    UpdateWindow();
}
