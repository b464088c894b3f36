#include "online/monitor/HOXManInputDlg.h"

CHOXManInputDlg::CHOXManInputDlg(CWnd*) : CDialog(kTemplate)
{
    OnClicked(kPlcButton, [this] { OnKzPlc(); });
    OnClicked(kHelpButton, [this] { OpenHelp(kHelpContext); });
}

bool CHOXManInputDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.isEmpty()) SetWindowText(m_strCaption);
    return true;
}

void CHOXManInputDlg::OnKzPlc()
{
    m_bKzPlc = 1;
    EndDialog(IDOK);
}
