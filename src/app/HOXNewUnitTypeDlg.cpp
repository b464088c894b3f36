#include "app/HOXNewUnitTypeDlg.h"

#include "platform/Help.h"

CHOXNewUnitTypeDlg::CHOXNewUnitTypeDlg() : CDialog(2060)
{
    OnClicked(kHelpButton, [this] { OnHelp(); });
}

void CHOXNewUnitTypeDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, kFirstTypeRadio, m_nUnitType); }

void CHOXNewUnitTypeDlg::OnHelp() { OpenHelp(HID_BASE_RESOURCE + 2060); }
