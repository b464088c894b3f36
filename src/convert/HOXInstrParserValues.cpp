// Value checks of single operand words: program numbers, M codes, bit
// devices, pointers, data and index registers, K and H constants; and the
// normal form of the operand text.
#include "convert/HOXInstrParser.h"

#include "chart/ControllerType.h"
#include "convert/InstrText.h"
#include "res/StringIds.h"

using namespace instr;

namespace {

constexpr UINT kOutOfRange = IDS_VALUE_OUT_OF_RANGE;
constexpr UINT kNotNumeric = IDS_VALUE_NOT_NUMERIC;
constexpr UINT kNotPositive = IDS_VALUE_NOT_POSITIVE;
constexpr UINT kInvalidDataRegister = 13477;
constexpr UINT kBadProgramNumber = 13478;
constexpr UINT kBadHexadecimal = 13480;
constexpr UINT kNotOctal = 13546;

constexpr std::string_view kProgramNumber = "Program Number";
constexpr std::string_view kMcode = "M code";
constexpr std::string_view kDataRegister = "Data Register";
constexpr std::string_view kIndexRegister = "Index Register";

constexpr bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F'); }

} // namespace

// ---- Program number ---------------------------------------------------------

bool CHOXInstrParser::CheckProgramNumber(std::string& word, std::string& error)
{
    const std::string_view text = TrimLeft(word);
    if (text.empty() || (text.front() != 'o' && text.front() != 'O')) return false;
    if (text.size() == 1) return FailEnterValue(error, kProgramNumber);
    std::string_view afterO = text.substr(1);
    std::string rest(afterO.substr(0, afterO.find(',')));
    LowerInPlace(rest);
    std::int64_t value = 0;
    // The subtask's program, on every controller type: digits only, of value
    // 100 (so "O100abc" is not it).
    if (!rest.empty() && ReadDecimal(rest, value) == Number::kOk && value == kSubtaskProgramNumber) {
        word = "O" + rest;
        return true;
    }
    std::string_view digits = rest;
    if (ctype::IsOneAxis(m_nControllerType)) {
        if (digits.empty() || digits.front() != 'x') return Fail(error, kBadProgramNumber);
        digits.remove_prefix(1);
    } else if (ctype::HasIndependentAxes(m_nControllerType)) {
        if (digits.empty() || (digits.front() != 'x' && digits.front() != 'y')) return Fail(error, kBadProgramNumber);
        digits.remove_prefix(1);
    }
    if (digits.empty()) return FailEnterValue(error, kProgramNumber);
    switch (ReadDecimal(digits, value)) {
    case Number::kNotNumeric: return FailWithLabel(error, kProgramNumber, kNotNumeric);
    case Number::kTooLarge: return FailWithLabel(error, kProgramNumber, kOutOfRange);
    case Number::kOk: break;
    }
    if (value > 99) return FailWithLabel(error, kProgramNumber, kOutOfRange);
    word = "O" + rest;
    m_nSteps = 2;
    return true;
}

bool CHOXInstrParser::CheckProgramNumber(QString& word, QString& error)
{
    std::string bytes = word.toLatin1().toStdString();
    std::string message;
    const bool ok = CheckProgramNumber(bytes, message);
    if (ok) word = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (!message.empty()) error = QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size()));
    return ok;
}

// ---- M codes, relays, inputs and outputs, pointers --------------------------

bool CHOXInstrParser::CheckMCode(std::string_view word, std::string& error, int position)
{
    m_nFailingOperand = position;
    word = TrimLeft(word);
    if (word.empty() || word.front() != 'm') return false;
    if (word.size() == 1) return FailEnterValue(error, "m");
    std::int64_t n = 0;
    switch (ReadDecimal(word.substr(1), n)) {
    case Number::kNotNumeric: return FailWithLabel(error, kMcode, kNotNumeric);
    case Number::kTooLarge: return FailWithLabel(error, kMcode, kOutOfRange);
    case Number::kOk: break;
    }
    // Attached to a positioning code only these reach the controller's
    // sequence; standing alone every M code up to 102 exists.
    const bool ok = m_bInstruction ? (n == 1 || (n >= 3 && n <= 99) || n == 101) : n <= 102;
    if (!ok) return FailWithLabel(error, kMcode, kOutOfRange);
    return true;
}

bool CHOXInstrParser::CheckMDevice(std::string_view word, std::string& error, int position, int groupDigits)
{
    constexpr std::string_view kLabel = "M";
    m_nFailingOperand = position;
    word = TrimLeft(word);
    if (word.size() <= 1) return FailEnterValue(error, kLabel);
    const std::size_t run = DigitRun(word, 1);
    if (1 + run < word.size()) {
        const char c = word[1 + run];
        if (c != 'V' && c != 'Z') return FailWithLabel(error, kLabel, kNotNumeric);
        if (!CheckIndexRegister(word.substr(1 + run), error, position)) return false;
    }
    if (run == 0) return FailEnterValue(error, kLabel);
    std::int64_t n = 0;
    if (ReadDecimal(word.substr(1, run), n) != Number::kOk) return FailWithLabel(error, kLabel, kOutOfRange);
    std::int64_t lowEnd = devices::kLastM;
    std::int64_t highEnd = devices::kLastSpecialM;
    // A group of n digits is 4n relays; the whole group must exist.
    if (groupDigits > 0 && !m_bFullRegister) {
        lowEnd = devices::kLastM + 1 - 4 * groupDigits;
        highEnd = devices::kLastSpecialM + 1 - 4 * groupDigits;
    }
    if (n > lowEnd && (n < devices::kFirstSpecial || n > highEnd)) return FailWithLabel(error, kLabel, kOutOfRange);
    return true;
}

bool CHOXInstrParser::CheckOctalDevice(std::string_view word, char letter, std::string& error, int position,
                                       int groupDigits)
{
    const std::string_view label(&letter, 1);
    m_nFailingOperand = position;
    word = TrimLeft(word);
    if (word.size() <= 1) return FailEnterValue(error, label);
    const std::size_t run = DigitRun(word, 1);
    if (1 + run < word.size()) {
        const char c = word[1 + run];
        if (c != 'V' && c != 'Z') return FailWithLabel(error, label, kNotNumeric);
        if (!CheckIndexRegister(word.substr(1 + run), error, position)) return false;
    }
    if (run == 0) return FailEnterValue(error, label);
    std::int64_t n = 0;
    if (ReadDecimal(word.substr(1, run), n) != Number::kOk) return FailWithLabel(error, label, kOutOfRange);

    // Numbers are the octal digits as written, so the ends below are too.
    const bool isX = letter == 'X';
    const std::int64_t limit = isX ? m_nOctalXLimit : m_nOctalYLimit;
    std::int64_t lowEnd = limit;
    std::int64_t highEnd = devices::kLastXY;
    if (groupDigits > 0 && !m_bFullRegister) {
        // 4n consecutive octal addresses must fit in the block.
        const std::int64_t bits = 4 * groupDigits;
        if (ctype::IsOneAxis(m_nControllerType)) {
            lowEnd = limit + 1 - bits;
            highEnd = devices::kLastXY + 1 - bits;
        } else {
            const std::int64_t s = 2 * (bits / 8 + 2 * groupDigits + (bits % 8 != 0 ? 1 : 0));
            lowEnd = limit - s + 3;
            highEnd = devices::kLastXY + 3 - s;
        }
    }
    const bool inLow = n <= lowEnd;
    const bool inHigh = isX && n >= m_nOctalBound2 && n <= highEnd;
    if (!inLow && !inHigh) return FailWithLabel(error, label, kOutOfRange);
    const char last = word[run];
    if (last == '8' || last == '9') return FailWithLabel(error, label, kNotOctal);
    return true;
}

bool CHOXInstrParser::CheckPointer(std::string_view word, std::string& error)
{
    constexpr std::string_view kLabel = "P";
    word = TrimLeft(word);
    if (word.size() <= 1) return FailEnterValue(error, kLabel);
    std::int64_t n = 0;
    switch (ReadDecimal(word.substr(1), n)) {
    case Number::kNotNumeric: return FailWithLabel(error, kLabel, kNotNumeric);
    case Number::kTooLarge: return FailWithLabel(error, kLabel, kOutOfRange);
    case Number::kOk: break;
    }
    if (n >= m_nPointerLimit) return FailWithLabel(error, kLabel, kOutOfRange);
    return true;
}

// ---- Registers --------------------------------------------------------------

// The number of a data register from `from` on, with its optional index
// register; a double register needs its second register too, so each range
// ends one lower.
bool CHOXInstrParser::CheckRegisterDigits(std::string_view word, std::size_t from, std::string& error, bool isDouble)
{
    if (word.size() <= from) return FailEnterValue(error, kDataRegister);
    if (!IsDigit(word[from])) return FailWithLabel(error, kDataRegister, kNotNumeric);
    const std::size_t run = DigitRun(word, from);
    if (from + run < word.size()) {
        const char c = word[from + run];
        if (c != 'V' && c != 'Z') return FailWithLabel(error, kDataRegister, kNotNumeric);
        if (!CheckIndexRegister(word.substr(from + run), error, m_nFailingOperand)) return false;
    }
    std::int64_t n = 0;
    if (ReadDecimal(word.substr(from, run), n) != Number::kOk) return FailWithLabel(error, kDataRegister, kOutOfRange);
    const std::int64_t less = isDouble ? 1 : 0;
    const std::int64_t ordinaryEnd = std::int64_t{m_nDataRegLimit} - less;
    const std::int64_t specialEnd = std::int64_t{m_nSpecialRegLimit} - less;
    bool ok = false;
    if (m_bFullRegister)
        ok = n <= ordinaryEnd || (n >= devices::kFirstFileRegister && n <= specialEnd);
    else
        ok = n <= ordinaryEnd || (n >= devices::kFirstSpecial && n <= specialEnd) ||
             (n >= devices::kFirstFileRegister && n <= devices::LastFileRegister(m_nFileRegisters) - less);
    if (!ok) return FailWithLabel(error, kDataRegister, kOutOfRange);
    return true;
}

bool CHOXInstrParser::CheckDataRegister(std::string_view word, std::string& error, bool allow16Bit)
{
    word = TrimLeft(word);
    return CheckRegisterDigits(word, 1, error, false) && allow16Bit;
}

bool CHOXInstrParser::CheckDoubleDataRegister(std::string_view word, std::string& error, int position, bool allow32Bit)
{
    m_nFailingOperand = position;
    word = TrimLeft(word);
    if (word.size() < 2 || word[1] != 'D') return Fail(error, kInvalidDataRegister);
    return CheckRegisterDigits(word, 2, error, true) && allow32Bit;
}

bool CHOXInstrParser::CheckIndexRegister(std::string_view word, std::string& error, int position)
{
    m_nFailingOperand = position;
    word = TrimLeft(word);
    if (word.empty()) return FailEnterValue(error, kIndexRegister);
    std::int64_t n = 0;
    switch (ReadDecimal(word.substr(1), n)) {
    case Number::kNotNumeric: return FailWithLabel(error, kIndexRegister, kNotNumeric);
    case Number::kTooLarge: return FailWithLabel(error, kIndexRegister, kOutOfRange);
    case Number::kOk: break;
    }
    if (n > devices::kLastIndex) return FailWithLabel(error, kIndexRegister, kOutOfRange);
    return true;
}

// ---- Constants --------------------------------------------------------------

char CHOXInstrParser::GetKDeviceLetter(std::string_view word)
{
    word = TrimLeft(word);
    if (word.size() < 3) return ' ';
    const std::size_t at = word.find_first_of("MXY", 1);
    return at == std::string_view::npos ? ' ' : word[at];
}

bool CHOXInstrParser::CheckKValue(std::string_view word, std::string& error, int position, char deviceLetter)
{
    constexpr std::string_view kLabel = "K";
    m_nFailingOperand = position;
    word = TrimLeft(word);
    if (word.size() <= 1) return FailEnterValue(error, kLabel);
    const bool plain = deviceLetter == ' ';
    const bool selected = m_bExtSelector || m_bSeglFirst || m_bSeglSecond;
    std::string_view rest = word.substr(1);
    bool negative = false;
    if (rest.front() == '-') {
        if (!plain || selected) return FailWithLabel(error, kLabel, kNotPositive);
        negative = true;
        rest.remove_prefix(1);
        if (rest.empty()) return FailEnterValue(error, kLabel);
    }
    const std::size_t end = plain ? rest.size() : rest.find(deviceLetter);
    if (end == std::string_view::npos) return FailWithLabel(error, kLabel, kNotNumeric);
    const std::string_view digits = rest.substr(0, end);
    if (digits.empty() || !IsNumber(digits)) return FailWithLabel(error, kLabel, kNotNumeric);
    std::int64_t value = 0;
    // Written back in decimal the digits must stay as they are: no leading
    // zeros, nothing beyond what the controller reads.
    if (ReadDecimal(digits, value) != Number::kOk || (digits.size() > 1 && digits.front() == '0'))
        return FailWithLabel(error, kLabel, kOutOfRange);

    if (!plain) {
        if (value < 1 || value > (m_b32Bit ? 8 : 4)) return FailWithLabel(error, kLabel, kOutOfRange);
        const std::string_view device = rest.substr(end);
        const int n = static_cast<int>(value);
        const bool ok = deviceLetter == 'M' ? CheckMDevice(device, error, position, n)
                                            : CheckOctalDevice(device, deviceLetter, error, position, n);
        if (!ok) return false;
        m_nSteps += 2;
        return true;
    }

    const bool oneAxis = ctype::IsOneAxis(m_nControllerType);
    bool ok = false;
    if (m_bSeglSecond) {
        ok = value <= 3;
    } else if (m_bExtSelector || m_bSeglFirst) {
        if (m_bSeglFirst && oneAxis)
            ok = (value >= 1 && value <= 2) || value == 17;
        else if (!m_b32Bit)
            ok = value >= 1 && value <= 4;
        else
            ok = value >= 5 && value <= (oneAxis ? 6 : 8);
        if (!oneAxis) ok = ok || (m_b32Bit ? (value >= 21 && value <= 24) : (value >= 17 && value <= 20));
    } else {
        const std::int64_t highest = m_b32Bit ? 2147483647 : 32767;
        ok = value <= highest + (negative ? 1 : 0);
    }
    if (!ok) return FailWithLabel(error, kLabel, kOutOfRange);
    m_nSteps += selected ? 2 : (m_b32Bit ? 5 : 3);
    return true;
}

bool CHOXInstrParser::CheckHexValue(std::string_view word, std::string& error, int position)
{
    constexpr std::string_view kLabel = "H";
    m_nFailingOperand = position;
    word = TrimLeft(word);
    if (word.size() <= 1) return FailEnterValue(error, kLabel);
    const std::string_view digits = word.substr(1);
    for (char c : digits)
        if (!IsHexDigit(c)) return Fail(error, kBadHexadecimal);
    const bool ok = m_b32Bit ? digits.size() <= 8 : digits.size() <= 4 && HexToValue(digits) <= 65535;
    if (!ok) return FailWithLabel(error, kLabel, kOutOfRange);
    m_nSteps += m_b32Bit ? 5 : 3;
    return true;
}

std::uint32_t CHOXInstrParser::HexToValue(std::string_view digits)
{
    std::uint32_t value = 0;
    for (char c : digits) {
        std::uint32_t d = 0;
        if (IsDigit(c))
            d = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            d = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            d = static_cast<std::uint32_t>(c - 'a' + 10);
        else
            break;
        value = value * 16 + d;
    }
    return value;
}

// ---- Normal form ------------------------------------------------------------

void CHOXInstrParser::NormaliseWord(std::string_view word, std::string& out)
{
    // A hexadecimal constant is one number: "HF00" keeps its zeros.
    if (!word.empty() && word.front() == 'H') {
        std::string_view number = word.substr(1);
        while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
        out += 'H';
        out += number;
        return;
    }
    std::size_t i = 0;
    while (i < word.size()) {
        const std::size_t run = DigitRun(word, i);
        if (run == 0) {
            out += word[i++];
            continue;
        }
        std::string_view digits = word.substr(i, run);
        while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
        out += digits;
        i += run;
    }
}

void CHOXInstrParser::RemoveLeadingZeros(std::string& text)
{
    m_rebuilt.clear();
    std::string_view rest = text;
    do {
        ExtractWord(rest, m_zeroWord);
        if (!m_zeroWord.empty()) {
            NormaliseWord(m_zeroWord, m_rebuilt);
            m_rebuilt += "  ";
        }
    } while (!m_bEndOfLine && !m_bEndOfStatement);
    text.swap(m_rebuilt);
}

void CHOXInstrParser::RemoveLeadingZeros(QString& text)
{
    std::string bytes = text.toLatin1().toStdString();
    RemoveLeadingZeros(bytes);
    text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
