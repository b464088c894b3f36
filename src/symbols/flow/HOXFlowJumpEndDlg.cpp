#include "symbols/flow/HOXFlowJumpEndDlg.h"

#include "chart/SymbolSupport.h"
#include "platform/Help.h"
#include "symbols/flow/FlowEndKindControls.h"
#include "symbols/flow/HOXFlowJumpEnd.h"

using namespace flowdlg;

CHOXFlowJumpEndDlg::CHOXFlowJumpEndDlg(CHOXFlowJumpEnd* marker) : CDialog(kTemplate), m_pMarker(marker)
{
    if (marker != nullptr) {
        m_bEndFollows = marker->GetEndFollows();
        m_nPointerNumber = marker->GetPointerNumber();
        m_nEndKind = marker->GetEndKind();
    }
    m_nLastEndKind = m_nEndKind;
    OnClicked(kEndFollows, [this] { OnEndFollows(); });
    OnClicked(kEnd, [this] { m_nLastEndKind = 0; });
    OnClicked(kSend, [this] { m_nLastEndKind = 1; });
    OnClicked(kHelp, [this] { OpenHelp(HID_BASE_RESOURCE + kTemplate); });
}

bool CHOXFlowJumpEndDlg::InSubtaskWindow() const
{
    return m_pMarker != nullptr && chart::IsSubtaskWindow(m_pMarker->GetWnd());
}

void CHOXFlowJumpEndDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, kEndFollows, m_bEndFollows);
    DDX_Text(pDX, kNumber, m_nPointerNumber);
    DDX_Radio(pDX, kEnd, m_nEndKind);
}

bool CHOXFlowJumpEndDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableEndKinds(*this, kEnd, kSend, m_bEndFollows != 0, InSubtaskWindow());
    return true;
}

void CHOXFlowJumpEndDlg::OnEndFollows()
{
    const bool follows = IsDlgButtonChecked(kEndFollows) != 0;
    m_nEndKind = EndKindAfterToggle(follows, InSubtaskWindow(), m_nLastEndKind);
    ShowEndKind(*this, kEnd, kSend, m_nEndKind);
    EnableEndKinds(*this, kEnd, kSend, follows, InSubtaskWindow());
}
