#include "symbols/flow/HOXFlowJumpDlg.h"

#include "app/HOXDoc.h"
#include "symbols/flow/FlowEndKindControls.h"
#include "symbols/flow/HOXFlowJump.h"

using namespace flowdlg;

CHOXFlowJumpDlg::CHOXFlowJumpDlg(CHOXFlowJump* symbol) : CHOXFlowSymbolDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_bDisplayContents = symbol->GetDisplayContents();
        m_nPointerNumber = symbol->GetPointerNumber();
        m_nNumberAtOpening = m_nPointerNumber;
        m_bEndFollows = symbol->GetEndFollows();
        m_nCaptionMode = symbol->GetCaptionMode();
        m_nEndKind = symbol->GetEndKind();
        m_nLastEndKind = m_nEndKind;
    }
    OnClicked(kEndFollows, [this] { OnEndFollows(); });
    OnClicked(kEnd, [this] { m_nLastEndKind = 0; });
    OnClicked(kSend, [this] { m_nLastEndKind = 1; });
    OnClicked(kOpenProgram, [this] { OnOpenProgram(); });
}

void CHOXFlowJumpDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowSymbolDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kDisplayContents, m_bDisplayContents);
    DDX_Text(pDX, kNumber, m_nPointerNumber);
    DDX_Check(pDX, kEndFollows, m_bEndFollows);
    DDX_Radio(pDX, kEnd, m_nEndKind);
}

bool CHOXFlowJumpDlg::OnInitDialog()
{
    if (m_nCaptionMode == 0 && m_bEndFollows == 0) m_nEndKind = -1;
    CHOXFlowSymbolDlg::OnInitDialog();
    SetUpPointerSpin(kSpin, m_nPointerNumber);
    // Behind a conditional jump's jump output no end can follow.
    EnableDlgItem(kEndFollows, m_nCaptionMode != 0);
    EnableEndKinds(*this, kEnd, kSend, m_nCaptionMode != 0 && m_bEndFollows != 0, InSubtaskWindow());
    return true;
}

void CHOXFlowJumpDlg::OnEndFollows()
{
    const bool follows = IsDlgButtonChecked(kEndFollows) != 0;
    m_nEndKind = EndKindAfterToggle(follows, InSubtaskWindow(), m_nLastEndKind);
    ShowEndKind(*this, kEnd, kSend, m_nEndKind);
    EnableEndKinds(*this, kEnd, kSend, follows, InSubtaskWindow());
}

void CHOXFlowJumpDlg::OnOK() { EndWithPointerNumber(kNumber, m_nPointerNumber, m_nNumberAtOpening); }

void CHOXFlowJumpDlg::OnOpenProgram() { OpenPointerTarget(kNumber, m_nPointerNumber, &CHOXDoc::OpenJumpTarget); }
