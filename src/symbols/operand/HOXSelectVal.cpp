#include "symbols/operand/HOXSelectVal.h"

#include "chart/DeviceRanges.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/operand/OperandText.h"

KT_IMPLEMENT_SERIAL(CHOXSelectVal, CObject, 0)

using operand::IsDecimalDigit;
using operand::ReadDigits;

CHOXSelectVal::CHOXSelectVal(const CHOXSelectVal& other)
    : CObject(), m_byDeviceType(other.m_byDeviceType), m_byDigits(other.m_byDigits), m_nNumber(other.m_nNumber),
      m_byIndexType(other.m_byIndexType), m_byIndexNumber(other.m_byIndexNumber)
{
}

CHOXSelectVal& CHOXSelectVal::operator=(const CHOXSelectVal& other)
{
    m_byDeviceType = other.m_byDeviceType;
    m_byDigits = other.m_byDigits;
    m_nNumber = other.m_nNumber;
    m_byIndexType = other.m_byIndexType;
    m_byIndexNumber = other.m_byIndexNumber;
    return *this;
}

void CHOXSelectVal::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_byDeviceType << m_byDigits << m_nNumber << m_byIndexType << m_byIndexNumber;
        return;
    }
    CHOXSelectVal read;
    ar >> read.m_byDeviceType >> read.m_byDigits >> read.m_nNumber >> read.m_byIndexType >> read.m_byIndexNumber;
    *this = read;
}

void CHOXSelectVal::Clear() { *this = CHOXSelectVal(); }

QString CHOXSelectVal::GetText() const
{
    QString text;
    switch (m_byDeviceType) {
    case kEmpty: return QString();
    case kD: text = QStringLiteral("D"); break;
    case kDD: text = QStringLiteral("DD"); break;
    case kK: text = QStringLiteral("K"); break;
    // A hexadecimal constant takes no index register.
    case kH: return (QStringLiteral("H") + QString::number(static_cast<std::uint32_t>(m_nNumber), 16)).toUpper();
    case kKnM: text = QStringLiteral("K%1M").arg(int(m_byDigits)); break;
    case kKnX: text = QStringLiteral("K%1X").arg(int(m_byDigits)); break;
    case kKnY: text = QStringLiteral("K%1Y").arg(int(m_byDigits)); break;
    case kV: text = QStringLiteral("V"); break;
    case kZ: text = QStringLiteral("Z"); break;
    case kX: text = QStringLiteral("X"); break;
    case kY: text = QStringLiteral("Y"); break;
    case kM: text = QStringLiteral("M"); break;
    default: break;
    }
    text += QString::number(m_nNumber);
    if (m_byIndexType == kIndexV) text += QStringLiteral("V") + QString::number(m_byIndexNumber);
    if (m_byIndexType == kIndexZ) text += QStringLiteral("Z") + QString::number(m_byIndexNumber);
    return text.toUpper();
}

bool CHOXSelectVal::FailWith(QString& message, UINT id) const
{
    message = LoadStr(id);
    return false;
}

bool CHOXSelectVal::SetValue(QString& message, BYTE deviceType, BYTE digits, std::int32_t number, BYTE indexType,
                             BYTE indexNumber)
{
    const bool group = deviceType == kKnM || deviceType == kKnX || deviceType == kKnY;
    if (digits != 0 && !group) return FailWith(message, IDS_DIGIT_ONLY_FOR_KN);
    if (indexType > kIndexZ) return FailWith(message, IDS_INVALID_INDEX_REGISTERS);
    if (indexType == kNoIndex && indexNumber != 0) return FailWith(message, IDS_INDEX_NUMBER_FOLLOWS_V_Z);
    if (indexType != kNoIndex && indexNumber > devices::kLastIndex) return FailWith(message, IDS_INVALID_INDEX_NUMBER);
    m_byDeviceType = deviceType;
    m_byDigits = digits;
    m_nNumber = number;
    m_byIndexType = indexType;
    m_byIndexNumber = indexNumber;
    message.clear();
    return true;
}

// ---------------------------------------------------------------------------
// Reading the text form

namespace {
// An index number read from text, kept within a byte without becoming valid:
// anything above 7 stays above 7.
BYTE IndexByte(std::int64_t n) { return static_cast<BYTE>(n > 255 ? 255 : n); }
} // namespace

bool CHOXSelectVal::Parse(QString text, QString& message)
{
    message.clear();
    text = text.trimmed();
    if (text.isEmpty()) return FailWith(message, 13319);
    switch (text[0].unicode()) {
    case u'D': return ParseRegister(text, message);
    case u'H': return ParseH(text, message);
    case u'K': return ParseK(text, message);
    case u'V': return ParsePlainDevice(text, kV, message);
    case u'Z': return ParsePlainDevice(text, kZ, message);
    case u'X': return ParsePlainDevice(text, kX, message);
    case u'Y': return ParsePlainDevice(text, kY, message);
    case u'M': return ParsePlainDevice(text, kM, message);
    default: return ParseConstant(text, message);
    }
}

namespace {
// The text read as a signed 32-bit decimal number, only when the number
// printed back gives the same text: no leading zeros, no "-0", no lone "-".
std::optional<std::int32_t> ExactDecimal(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || QString::number(value) != text) return std::nullopt;
    return value;
}
} // namespace

bool CHOXSelectVal::ParseConstant(const QString& text, QString& message)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'-') {
            if (i != 0) return FailWith(message, 13323);
        } else if (!IsDecimalDigit(text[i])) {
            return FailWith(message, 13327);
        }
    }
    const std::optional<std::int32_t> value = ExactDecimal(text);
    if (!value) return FailWith(message, 13639);
    return SetValue(message, kK, 0, *value, kNoIndex, 0);
}

bool CHOXSelectVal::ParseK(const QString& text, QString& message)
{
    QString collected;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'-') {
            if (i != 1) return FailWith(message, 13323);
            collected += c;
        } else if (IsDecimalDigit(c)) {
            collected += c;
        } else if (c == u'M' || c == u'X' || c == u'Y') {
            bool ok = false;
            const int digits = collected.toInt(&ok, 10);
            const BYTE type = c == u'M' ? kKnM : c == u'X' ? kKnX : kKnY;
            if (!ok || digits < 1 || digits > 8)
                return FailWith(message, type == kKnM ? 13339 : type == kKnX ? 13321 : 13322);
            return ParseGroup(text, i + 1, type, static_cast<BYTE>(digits), message);
        } else {
            return FailWith(message, 13324);
        }
    }
    if (collected.endsWith(u'-')) return FailWith(message, 13325);
    const std::optional<std::int32_t> value = ExactDecimal(collected);
    if (!value) return FailWith(message, 13639);
    return SetValue(message, kK, 0, *value, kNoIndex, 0);
}

bool CHOXSelectVal::ParseH(const QString& text, QString& message)
{
    const QString digits = text.mid(1);
    for (const QChar c : digits)
        if (!IsDecimalDigit(c) && !(c >= u'A' && c <= u'F')) return FailWith(message, 13328);
    bool ok = false;
    const std::uint32_t value = digits.toUInt(&ok, 16);
    if (!ok || QString::number(value, 16).toUpper() != digits) return FailWith(message, 13639);
    return SetValue(message, kH, 0, static_cast<std::int32_t>(value), kNoIndex, 0);
}

bool CHOXSelectVal::ParseRegister(const QString& text, QString& message)
{
    qsizetype pos = 1;
    BYTE type = kD;
    if (pos < text.size() && text[pos] == u'D') {
        type = kDD;
        ++pos;
    }
    if (pos >= text.size() || !IsDecimalDigit(text[pos])) return FailWith(message, 13336);
    const std::optional<std::int64_t> number = ReadDigits(text, pos);
    if (!number) return FailWith(message, 13639);
    if (pos == text.size()) return SetValue(message, type, 0, static_cast<std::int32_t>(*number), kNoIndex, 0);
    const QChar letter = text[pos];
    if (letter != u'V' && letter != u'Z') return FailWith(message, IDS_INDEX_NUMBER_FOLLOWS_V_Z);
    const QString index = text.mid(pos + 1);
    if (index.isEmpty()) return FailWith(message, letter == u'V' ? 13331 : 13332);
    for (const QChar c : index)
        if (!IsDecimalDigit(c)) return FailWith(message, 13336);
    qsizetype at = 0;
    const std::optional<std::int64_t> indexNumber = ReadDigits(index, at);
    if (!indexNumber || *indexNumber > devices::kLastIndex) return FailWith(message, IDS_INVALID_INDEX_NUMBER);
    return SetValue(message, type, 0, static_cast<std::int32_t>(*number), letter == u'V' ? kIndexV : kIndexZ,
                    static_cast<BYTE>(*indexNumber));
}

bool CHOXSelectVal::ParseGroup(const QString& text, qsizetype pos, BYTE type, BYTE digits, QString& message)
{
    if (pos >= text.size()) return FailWith(message, 13335);
    if (!IsDecimalDigit(text[pos])) return FailWith(message, 13330);
    const std::optional<std::int64_t> number = ReadDigits(text, pos);
    if (!number) return FailWith(message, 13639);
    const auto n = static_cast<std::int32_t>(*number);
    if (pos == text.size()) return SetValue(message, type, digits, n, kNoIndex, 0);
    const QChar letter = text[pos];
    if (letter != u'V' && letter != u'Z') return FailWith(message, 13334);
    const QString index = text.mid(pos + 1);
    if (index.isEmpty()) return FailWith(message, letter == u'V' ? 13331 : 13332);
    for (const QChar c : index)
        if (!IsDecimalDigit(c)) return FailWith(message, IDS_INDEX_NUMBER_FOLLOWS_V_Z);
    qsizetype at = 0;
    const std::optional<std::int64_t> indexNumber = ReadDigits(index, at);
    // Too large for 32 bits is too large for an index: SetValue refuses it.
    return SetValue(message, type, digits, n, letter == u'V' ? kIndexV : kIndexZ,
                    indexNumber ? IndexByte(*indexNumber) : BYTE(255));
}

bool CHOXSelectVal::ParsePlainDevice(const QString& text, BYTE type, QString& message)
{
    const QString number = text.mid(1);
    if (number.isEmpty()) return FailWith(message, 13336);
    for (const QChar c : number)
        if (!IsDecimalDigit(c)) return FailWith(message, 13336);
    qsizetype pos = 0;
    const std::optional<std::int64_t> value = ReadDigits(number, pos);
    if (!value) return FailWith(message, 13639);
    return SetValue(message, type, 0, static_cast<std::int32_t>(*value), kNoIndex, 0);
}
