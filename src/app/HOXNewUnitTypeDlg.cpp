#include "app/HOXNewUnitTypeDlg.h"

CHOXNewUnitTypeDlg::CHOXNewUnitTypeDlg() : CDialog(2060)
{
    OnClicked(8372, [this] { OnHelp(); });
}

void CHOXNewUnitTypeDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, 8044, m_nUnitType); }

void CHOXNewUnitTypeDlg::OnHelp() { OpenHelp(0x20000 + 2060); }
