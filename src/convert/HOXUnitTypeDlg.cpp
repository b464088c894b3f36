#include "convert/HOXUnitTypeDlg.h"

#include "platform/Help.h"

CHOXUnitTypeDlg::CHOXUnitTypeDlg(CFrameWnd*) : CDialog(kTemplate)
{
    OnClicked(kHelpButton, [this] { OnHelp(); });
}

void CHOXUnitTypeDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, kFirstTypeRadio, m_nUnitType); }

void CHOXUnitTypeDlg::OnHelp() { OpenHelp(HID_BASE_RESOURCE + kTemplate); }
