#include "symbols/flow/HOXFlowCallDlg.h"

#include "app/HOXDoc.h"
#include "res/StringIds.h"
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

void CHOXFlowCallDlg::OnOK()
{
    if (!UpdateData(true)) return;
    CHOXDoc* doc = GetDocument();
    if (m_nPointerNumber != m_nNumberAtOpening && doc != nullptr && !doc->IsValidPointerNumber(m_nPointerNumber)) {
        Refuse(kNumber, InvalidPointerMessage());
        return;
    }
    EndDialog(IDOK);
}

void CHOXFlowCallDlg::OnOpenSubroutine()
{
    if (!UpdateData(true)) return;
    CHOXDoc* doc = GetDocument();
    if (doc == nullptr) return;
    if (!doc->IsValidPointerNumber(m_nPointerNumber)) {
        Refuse(kNumber, IDS_INVALID_POINTER_NUMBER);
        return;
    }
    doc->OpenCallTarget(m_nPointerNumber);
    EndDialog(IDOK);
}
