#include "symbols/flow/HOXFlowCJumpZoneDlg.h"

#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowCJump.h"

CHOXFlowCJumpZoneDlg::CHOXFlowCJumpZoneDlg(CHOXFlowCJump* symbol)
    : CHOXFlowCJumpWordDlg(symbol, kTemplate, {kOutputType, kOutputNumber, kOutputSpin})
{
    if (symbol != nullptr) {
        m_n32Bit = symbol->GetZone32Bit();
        m_operands = {symbol->GetZoneOperand1(), symbol->GetZoneOperand2(), symbol->GetZoneOperand3()};
        for (std::size_t i = 0; i < m_operands.size(); ++i) m_texts[i] = m_operands[i].GetText();
        m_nOutputType = symbol->GetZoneOutputType();
        m_nOutputNumber = symbol->GetZoneOutputNumber();
    }
    for (std::size_t i = 0; i < kSelects.size(); ++i)
        OnClicked(kSelects[i], [this, i] { SelectOperand(kOperands[i], m_texts[i], m_operands[i]); });
}

void CHOXFlowCJumpZoneDlg::DoDataExchange(CDataExchange* pDX)
{
    CHOXFlowCJumpWordDlg::DoDataExchange(pDX);
    for (std::size_t i = 0; i < kOperands.size(); ++i) DDX_Text(pDX, kOperands[i], m_texts[i]);
}

void CHOXFlowCJumpZoneDlg::OnOK()
{
    if (!UpdateData(true)) return;
    for (std::size_t i = 0; i < kOperands.size(); ++i) {
        QString message;
        if (m_texts[i].isEmpty() || !ReadOperand(m_texts[i], m_operands[i], message)) {
            AfxMessageBox(LoadStr(IDS_INVALID_DATA) + message, MB_OK | MB_ICONHAND);
            FocusAndSelect(kOperands[i]);
            return;
        }
    }
    if (!CheckOutputNumber()) return;
    EndDialog(IDOK);
}
