#include "symbols/func/HOXFuncSeglDlg.h"

#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncExtDlg.h"
#include "symbols/func/HOXFuncSegl.h"

namespace {
using SV = CHOXSelectVal;
bool IsConstant(BYTE type) { return type == SV::kK || type == SV::kH; }
} // namespace

CHOXFuncSeglDlg::CHOXFuncSeglDlg(CHOXFuncSegl* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_b32Bit = symbol->Get32Bit();
        for (int i = 0; i < 4; ++i) SetOperand(i, symbol->GetOperand(i));
    }
    m_strMnemonic = QStringLiteral("  SEGL");
    m_labels = {kSourceLabel, kDestinationLabel, kDigitsLabel, kLogicLabel};
}

void CHOXFuncSeglDlg::OnSelect1() { SelectWord(0, kSourceList, m_b32Bit != 0, CHOXFuncExtDlg::IsRegisterType); }
void CHOXFuncSeglDlg::OnSelect2() { SelectBit(1, kDestinationBits); }
void CHOXFuncSeglDlg::OnSelect3() { SelectWord(2, kDigitsList, m_b32Bit != 0, CHOXFuncExtDlg::IsConstantType); }
void CHOXFuncSeglDlg::OnSelect4() { SelectWord(3, kLogicList, m_b32Bit != 0, IsConstant); }

bool CHOXFuncSeglDlg::CheckLogic(QString& message)
{
    if (!ReadWordOperand(3, m_b32Bit != 0, IDS_SOURCE_EMPTY, AnyType, 0, message)) return false;
    const SV& logic = m_operands[3];
    const std::int32_t n = logic.GetNumber();
    if (n >= 0 && n <= 3 && IsConstant(logic.GetDeviceType())) return true;
    message = LoadStr(logic.IsDeviceType(SV::kH) ? 13633 : 13279);
    m_operands[3].Clear();
    return false;
}

void CHOXFuncSeglDlg::OnOK()
{
    if (!UpdateData(true)) return;
    QString message;
    const bool is32Bit = m_b32Bit != 0;
    if (!ReadWordOperand(0, is32Bit, IDS_SOURCE_EMPTY, CHOXFuncExtDlg::IsRegisterType, IDS_VALID_DEVICES_D_DD_V_Z,
                         message))
        return RefuseOperand(0, IDS_INVALID_SOURCE_DATA, message);
    // The display's outputs are judged as EXT's strobe outputs.
    if (!funcdlg::ReadBitOfType(m_operands[1], m_texts[1], SV::kY, IsOneAxisMode(), IDS_DESTINATION_EMPTY, message))
        return RefuseOperand(1, 13128, message);
    if (!ReadWordOperand(2, is32Bit, IDS_SOURCE_EMPTY, AnyType, 0, message) ||
        !funcdlg::CheckDigits(m_operands[2], is32Bit, IsOneAxisMode(), true, message)) {
        m_operands[2].Clear();
        return RefuseOperand(2, IDS_INVALID_DIGITS, message);
    }
    if (!CheckLogic(message)) return RefuseOperand(3, 13129, message);
    EndDialog(IDOK);
}
