#include "symbols/func/HOXFuncSetRstDlg.h"

#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncSetRst.h"

namespace {
using SV = CHOXSelectVal;
} // namespace

CHOXFuncSetRstDlg::CHOXFuncSetRstDlg(CHOXFuncSetRst* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_nKind = symbol->GetKind();
        SetOperand(0, symbol->GetOperand());
    }
    m_labels[0] = kDestinationLabel;
    AddKindButton(kSet, CHOXFuncSetRst::kSet, QStringLiteral("  SET "));
    AddKindButton(kRst, CHOXFuncSetRst::kRst, QStringLiteral("  RST "));
}

void CHOXFuncSetRstDlg::OnSelect1() { SelectBit(0, kOutputBits); }

void CHOXFuncSetRstDlg::OnOK()
{
    if (!UpdateData(true)) return;
    QString message;
    if (!ReadBitOperand(0, IDS_DESTINATION_EMPTY, message))
        return RefuseOperand(0, IDS_INVALID_DESTINATION_DATA, message);
    SV& operand = m_operands[0];
    if (!operand.IsDeviceType(SV::kY) && !operand.IsDeviceType(SV::kM)) {
        operand.Clear();
        return RefuseOperand(0, QString(), LoadStr(13277));
    }
    if (!operand.IsValidBitDevice(IsOneAxisMode())) {
        operand.Clear();
        return RefuseOperand(0, QString(), LoadStr(IDS_INVALID_DESTINATION_DATA));
    }
    EndDialog(IDOK);
}
