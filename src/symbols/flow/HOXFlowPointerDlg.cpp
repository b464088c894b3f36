#include "symbols/flow/HOXFlowPointerDlg.h"

#include "app/HOXDoc.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowPointer.h"
#include "symbols/flow/HOXFlowSubRtn.h"

CHOXFlowPointerDlg::CHOXFlowPointerDlg(CHOXFlowPointer* symbol) : CHOXFlowSymbolDlg(symbol, kTemplate)
{
    CopyFrom(symbol);
}

CHOXFlowPointerDlg::CHOXFlowPointerDlg(CHOXFlowSubRtn* symbol)
    : CHOXFlowSymbolDlg(symbol, kTemplate), m_bSubroutine(true)
{
    CopyFrom(symbol);
}

void CHOXFlowPointerDlg::CopyFrom(CHOXSymbol* symbol)
{
    if (symbol == nullptr) return;
    m_bDisplayContents = symbol->GetDisplayContents();
    m_nPointerNumber = symbol->GetPointerNumber();
    m_nNumberAtOpening = m_nPointerNumber;
    m_nState = symbol->GetState();
}

void CHOXFlowPointerDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowSymbolDlg::DoDataExchange(pDX);
    DDX_Check(pDX, kDisplayContents, m_bDisplayContents);
    DDX_Text(pDX, kNumber, m_nPointerNumber);
}

bool CHOXFlowPointerDlg::OnInitDialog()
{
    CHOXFlowSymbolDlg::OnInitDialog();
    if (m_bSubroutine) SetWindowText(LoadStr(13764));
    SetUpPointerSpin(kSpin, m_nPointerNumber);
    return true;
}

void CHOXFlowPointerDlg::OnOK()
{
    if (!UpdateData(true)) return;
    if (m_nPointerNumber == m_nNumberAtOpening && m_nState != 2) {
        EndDialog(IDOK);
        return;
    }
    CHOXDoc* doc = GetDocument();
    if (doc != nullptr && !doc->IsValidPointerNumber(m_nPointerNumber)) {
        Refuse(kNumber, InvalidPointerMessage());
        return;
    }
    if (doc != nullptr && doc->IsPointerNumberUsed(m_nPointerNumber)) {
        Refuse(kNumber, IDS_POINTER_NUMBER_EXISTS);
        return;
    }
    EndDialog(IDOK);
}
