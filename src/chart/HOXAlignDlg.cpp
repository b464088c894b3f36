#include "chart/HOXAlignDlg.h"

#include "platform/Help.h"

CHOXAlignDlg::CHOXAlignDlg() : CDialog(2069)
{
    OnClicked(kHelpButton, [this] { OnHelp(); });
}

bool CHOXAlignDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (Site() != nullptr) Site()->CenterOnScreen();
    return true;
}

void CHOXAlignDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, kLeftRadio, m_nAlignment); }

void CHOXAlignDlg::OnHelp() { OpenHelp(HID_BASE_RESOURCE + 2069); }
