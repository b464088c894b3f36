#include "symbols/flow/HOXFlowCJumpDlg.h"

#include "platform/Help.h"
#include "symbols/flow/HOXFlowCJump.h"

CHOXFlowCJumpDlg::CHOXFlowCJumpDlg(CHOXFlowCJump* symbol) : CDialog(kTemplate)
{
    if (symbol != nullptr) m_nForm = symbol->GetKind();
    OnClicked(kHelp, [this] { OpenHelp(HID_BASE_RESOURCE + kTemplate); });
}

void CHOXFlowCJumpDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, kBitForm, m_nForm); }
