#include "symbols/flow/HOXFlowCallDlg.h"

#include "app/HOXDoc.h"
#include "symbols/flow/HOXFlowCall.h"

CHOXFlowCallDlg::CHOXFlowCallDlg(CHOXFlowCall* symbol) : CHOXFlowSymbolDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_bDisplayContents = symbol->GetDisplayContents();
        m_nPointerNumber = symbol->GetPointerNumber();
        m_nNumberAtOpening = m_nPointerNumber;
    }
    OnClicked(kOpenSubroutine, [this] { OnOpenSubroutine(); });
}

void CHOXFlowCallDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowSymbolDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kDisplayContents, m_bDisplayContents);
    DDX_Text(pDX, kNumber, m_nPointerNumber);
}

bool CHOXFlowCallDlg::OnInitDialog()
{
    CHOXFlowSymbolDlg::OnInitDialog();
    SetUpPointerSpin(kSpin, m_nPointerNumber);
    return true;
}

void CHOXFlowCallDlg::OnOK() { EndWithPointerNumber(kNumber, m_nPointerNumber, m_nNumberAtOpening); }

void CHOXFlowCallDlg::OnOpenSubroutine() { OpenPointerTarget(kNumber, m_nPointerNumber, &CHOXDoc::OpenCallTarget); }
