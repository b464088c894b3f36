#include "symbols/flow/HOXFlowEndDlg.h"

#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowRet.h"

CHOXFlowEndDlg::CHOXFlowEndDlg(CHOXFlowEnd* symbol) : CHOXFlowSymbolDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_bDisplayContents = symbol->GetDisplayContents();
        m_nEndKind = symbol->GetState() == CHOXSymbol::kMissing ? -1 : symbol->GetEndKind();
    }
}

CHOXFlowEndDlg::CHOXFlowEndDlg(CHOXFlowRet* symbol) : CHOXFlowSymbolDlg(symbol, kTemplate), m_bRet(true)
{
    if (symbol != nullptr) m_bDisplayContents = symbol->GetDisplayContents();
}

void CHOXFlowEndDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowSymbolDlg::DoDataExchange(pDX);
    DDX_Radio(pDX, kEnd, m_nEndKind);
}

bool CHOXFlowEndDlg::OnInitDialog()
{
    CHOXFlowSymbolDlg::OnInitDialog();
    if (m_bRet) {
        // A return has no end kind to choose.
        SetWindowText(QStringLiteral("RET"));
        EnableDlgItem(kEnd, false);
        EnableDlgItem(kSend, false);
    } else if (InSubtaskWindow()) {
        EnableDlgItem(kEnd, false);
    }
    return true;
}

void CHOXFlowEndDlg::OnOK()
{
    if (!UpdateData(true)) return;
    // With no kind chosen the END would be written as SEND wherever it is.
    if (!m_bRet && m_nEndKind == -1) m_nEndKind = InSubtaskWindow() ? 1 : 0;
    EndDialog(IDOK);
}
