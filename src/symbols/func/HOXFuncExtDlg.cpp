#include "symbols/func/HOXFuncExtDlg.h"

#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncExt.h"

namespace {
using SV = CHOXSelectVal;
} // namespace

namespace funcdlg {

bool ReadBitOfType(CHOXSelectVal& operand, const QString& text, BYTE type, bool oneAxis, UINT emptyMessage,
                   QString& message)
{
    message.clear();
    if (text.isEmpty()) {
        message = LoadStr(emptyMessage);
    } else if (operand.Parse(text, message)) {
        if (operand.IsDeviceType(type) && operand.IsValidBitDevice(oneAxis)) return true;
        // The number is judged as the device's own, whatever the letter.
        SV asType;
        QString ignored;
        asType.SetValue(ignored, type, 0, operand.GetNumber(), SV::kNoIndex, 0);
        if (asType.IsValidBitDevice(oneAxis)) {
            message = LoadStr(type == SV::kX ? 13215 : 13216);
        } else if (type == SV::kX) {
            message = LoadStr(oneAxis ? 13282 : 13285);
        } else {
            message = LoadStr(oneAxis ? 13283 : 13286);
        }
    }
    operand.Clear();
    return false;
}

bool CheckDigits(const CHOXSelectVal& digits, bool is32Bit, bool oneAxis, bool segl, QString& message)
{
    if (!digits.IsDeviceType(SV::kK)) {
        message = LoadStr(digits.IsDeviceType(SV::kH) ? 13554 : 13217);
        return false;
    }
    const std::int32_t n = digits.GetNumber();
    const auto in = [n](std::int32_t first, std::int32_t last) { return n >= first && n <= last; };
    UINT refusal = 0;
    if (oneAxis && segl) {
        if (n != 1 && n != 2 && n != 17) refusal = IDS_K_NUMBER_1_2_17;
    } else if (oneAxis) {
        if (is32Bit ? !in(5, 6) : !in(1, 4))
            refusal = is32Bit ? IDS_K_RANGE_ONE_AXIS_32_BIT : IDS_K_RANGE_ONE_AXIS_16_BIT;
    } else {
        const std::int32_t base = is32Bit ? 5 : 1;
        if (!in(base, base + 3) && !in(base + 16, base + 19))
            refusal = is32Bit ? IDS_K_RANGE_TWO_AXES_32_BIT : IDS_K_RANGE_TWO_AXES_16_BIT;
    }
    if (refusal == 0) return true;
    message = LoadStr(refusal);
    return false;
}

} // namespace funcdlg

CHOXFuncExtDlg::CHOXFuncExtDlg(CHOXFuncExt* symbol) : CHOXFuncBaseDlg(symbol, kTemplate)
{
    if (symbol != nullptr) {
        m_b32Bit = symbol->Get32Bit();
        for (int i = 0; i < 4; ++i) SetOperand(i, symbol->GetOperand(i));
    }
    m_strMnemonic = QStringLiteral("  EXT");
    m_labels = {kSourceLabel, kDestinationLabel, kDestinationLabel, kDigitsLabel};
}

bool CHOXFuncExtDlg::IsRegisterType(BYTE type)
{
    return type == SV::kD || type == SV::kDD || type == SV::kV || type == SV::kZ;
}

bool CHOXFuncExtDlg::IsConstantType(BYTE type) { return type == SV::kK; }

void CHOXFuncExtDlg::OnSelect1() { SelectBit(0, kSourceBits); }
void CHOXFuncExtDlg::OnSelect2() { SelectBit(1, kDestinationBits); }
void CHOXFuncExtDlg::OnSelect3() { SelectWord(2, kWordList, m_b32Bit != 0, IsRegisterType); }
void CHOXFuncExtDlg::OnSelect4() { SelectWord(3, kDigitsList, m_b32Bit != 0, IsConstantType); }

void CHOXFuncExtDlg::OnOK()
{
    if (!UpdateData(true)) return;
    QString message;
    if (!funcdlg::ReadBitOfType(m_operands[0], m_texts[0], SV::kX, IsOneAxisMode(), IDS_SOURCE_EMPTY, message))
        return RefuseOperand(0, IDS_INVALID_SOURCE_DATA, message);
    if (!funcdlg::ReadBitOfType(m_operands[1], m_texts[1], SV::kY, IsOneAxisMode(), IDS_DESTINATION_EMPTY, message))
        return RefuseOperand(1, IDS_INVALID_DESTINATION_DATA, message);
    const bool is32Bit = m_b32Bit != 0;
    if (!ReadWordOperand(2, is32Bit, IDS_DESTINATION_EMPTY, IsRegisterType, IDS_VALID_DEVICES_D_DD_V_Z, message))
        return RefuseOperand(2, IDS_INVALID_DESTINATION_DATA, message);
    if (!ReadWordOperand(3, is32Bit, IDS_SOURCE_EMPTY, AnyType, 0, message) ||
        !funcdlg::CheckDigits(m_operands[3], is32Bit, IsOneAxisMode(), false, message)) {
        m_operands[3].Clear();
        return RefuseOperand(3, IDS_INVALID_DIGITS, message);
    }
    EndDialog(IDOK);
}
