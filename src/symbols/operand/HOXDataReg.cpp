#include "symbols/operand/HOXDataReg.h"

#include "chart/DeviceRanges.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/operand/OperandText.h"

KT_IMPLEMENT_SERIAL(CHOXDataReg, CObject, 0)

using operand::ReadDigits;

namespace {

QString Number(std::int64_t n) { return QString::number(n); }

// The one-axis controller names its own ranges; how it words them depends on
// how many file registers there are.
QString OneAxisMessage(bool is32Bit, std::int64_t fileRegisters)
{
    if (!is32Bit) {
        if (fileRegisters == 0) return LoadStr(13652);
        if (fileRegisters == 1) return LoadStr(13654);
        return FormatStr(13653, {Number(devices::LastFileRegister(fileRegisters))});
    }
    if (fileRegisters == 0 || fileRegisters == 1) return LoadStr(13656);
    if (fileRegisters == 2) return LoadStr(13658);
    return FormatStr(13657, {Number(devices::LastFileRegister(fileRegisters) - 1)});
}

} // namespace

CHOXDataReg::CHOXDataReg(const CHOXDataReg& other)
    : CObject(), m_byMode(other.m_byMode), m_nNumber(other.m_nNumber), m_byIndexType(other.m_byIndexType),
      m_byIndexNumber(other.m_byIndexNumber)
{
}

CHOXDataReg& CHOXDataReg::operator=(const CHOXDataReg& other)
{
    m_byMode = other.m_byMode;
    m_nNumber = other.m_nNumber;
    m_byIndexType = other.m_byIndexType;
    m_byIndexNumber = other.m_byIndexNumber;
    return *this;
}

void CHOXDataReg::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_byMode << m_nNumber << m_byIndexType << m_byIndexNumber;
        return;
    }
    BYTE mode = 0;
    std::int32_t number = 0;
    BYTE indexType = 0;
    BYTE indexNumber = 0;
    ar >> mode >> number >> indexType >> indexNumber;
    m_byMode = mode;
    m_nNumber = number;
    m_byIndexType = indexType;
    m_byIndexNumber = indexNumber;
}

void CHOXDataReg::Clear() { *this = CHOXDataReg(); }

QString CHOXDataReg::GetText() const
{
    if (!IsRegister()) return QString::number(m_nNumber);
    QString text = (Is32Bit() ? QStringLiteral("DD") : QStringLiteral("D")) + QString::number(m_nNumber);
    if (m_byIndexType == kIndexV) text += QStringLiteral("V") + QString::number(m_byIndexNumber);
    if (m_byIndexType == kIndexZ) text += QStringLiteral("Z") + QString::number(m_byIndexNumber);
    return text;
}

bool CHOXDataReg::Parse(const QString& text, bool allowNegative)
{
    if (text.isEmpty()) return false;
    qsizetype pos = 0;
    if (text[0] != u'D') {
        const bool negative = text[0] == u'-';
        if (negative) ++pos;
        const std::optional<std::int64_t> digits = ReadDigits(text, pos);
        if (!digits || pos != text.size()) return false;
        const std::int64_t value = negative ? -*digits : *digits;
        if (allowNegative ? (value < -999999 || value > 999999) : (value < 0 || value > 200000)) return false;
        *this = CHOXDataReg();
        m_nNumber = static_cast<std::int32_t>(value);
        return true;
    }
    pos = 1;
    BYTE mode = kRegister16;
    if (pos < text.size() && text[pos] == u'D') {
        mode = kRegister32;
        ++pos;
    }
    const std::optional<std::int64_t> number = ReadDigits(text, pos);
    if (!number) return false;
    BYTE indexType = kNoIndex;
    std::int64_t indexNumber = 0;
    if (pos < text.size()) {
        if (text[pos] == u'V') {
            indexType = kIndexV;
        } else if (text[pos] == u'Z') {
            indexType = kIndexZ;
        } else {
            return false;
        }
        ++pos;
        const std::optional<std::int64_t> index = ReadDigits(text, pos);
        if (!index || pos != text.size() || *index > devices::kLastIndex) return false;
        indexNumber = *index;
    }
    m_byMode = mode;
    m_nNumber = static_cast<std::int32_t>(*number);
    m_byIndexType = indexType;
    m_byIndexNumber = static_cast<BYTE>(indexNumber);
    return true;
}

bool CHOXDataReg::SetValue(bool isRegister, bool is32Bit, std::int32_t number, BYTE indexType, BYTE indexNumber)
{
    if (!isRegister) {
        m_byMode = kConstant;
        return false;
    }
    m_byMode = is32Bit ? kRegister32 : kRegister16;
    m_nNumber = number;
    m_byIndexType = indexType;
    m_byIndexNumber = indexNumber;
    return true;
}

bool CHOXDataReg::CheckRange(bool isOneAxis, QString& message, std::int32_t fileRegisters) const
{
    message.clear();
    const std::int64_t n = m_nNumber;
    const std::int64_t fr = fileRegisters;
    // A register pair's ranges each end one lower.
    const std::int64_t lastFile = devices::LastFileRegister(fr);
    if (m_byMode == kRegister16) {
        if (isOneAxis && n > devices::kLastDataOneAxis && n < devices::kFirstFileRegister) {
            message = OneAxisMessage(false, fr);
            return false;
        }
        if (n < 0 || n > devices::kLastFileRegisterArea) {
            message = LoadStr(IDS_INVALID_D_REGISTER);
            return false;
        }
        if (n >= devices::kFirstFileRegister && n > lastFile) {
            message = isOneAxis ? OneAxisMessage(false, fr) : FormatStr(13632, {Number(lastFile)});
            return false;
        }
    } else if (m_byMode == kRegister32) {
        if (isOneAxis && n > devices::kLastDataOneAxis - 1 && n < devices::kFirstFileRegister) {
            message = OneAxisMessage(true, fr);
            return false;
        }
        if (n < 0 || n > devices::kLastFileRegisterArea - 1) {
            message = LoadStr(IDS_INVALID_DD_REGISTER);
            return false;
        }
        if (n >= devices::kFirstFileRegister - 1 && n > lastFile - 1) {
            message = isOneAxis ? OneAxisMessage(true, fr) : FormatStr(13651, {Number(lastFile - 1)});
            return false;
        }
    }
    if (m_byIndexType != kNoIndex && !devices::IsIndexNumber(m_byIndexNumber)) {
        message = LoadStr(IDS_INVALID_INDEX_REGISTER_NUMBER);
        return false;
    }
    return true;
}

bool CHOXDataReg::IsValid(bool isOneAxis, std::int32_t fileRegisters) const
{
    QString message;
    return CheckRange(isOneAxis, message, fileRegisters);
}
