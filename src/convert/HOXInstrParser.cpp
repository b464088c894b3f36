// The statement check: names, the controller refusals, labels, program
// numbers and bare operand words; and the word scanning the importers share.
#include "convert/HOXInstrParser.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "convert/InstrText.h"
#include "params/HOXParam.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

#include <algorithm>
#include <charconv>
#include <iterator>

using namespace instr;

namespace {

constexpr UINT kWrongCombination = IDS_WRONG_OPERAND_COMBINATION;
constexpr UINT kUndefinedInstruction = 13469;
constexpr UINT kExcessOperands = IDS_EXCESS_OPERANDS;
constexpr UINT kNotForControllerType = 13479;

// "m" and the M code in two or three digits, "FNC" and two digits, "cod" and
// two digits. Written by hand: the checker looks a name up for every
// statement of a program read, and the C library's formatting costs about a
// thousand instructions a key. The numbers are those of names, 0 to 102.
std::string_view NumberedKey(char (&buffer)[12], std::string_view prefix, std::int64_t number, int width)
{
    char digits[20];
    const std::to_chars_result written = std::to_chars(std::begin(digits), std::end(digits), number);
    const std::string_view shown(digits, static_cast<std::size_t>(written.ptr - digits));
    std::size_t n = 0;
    auto put = [&buffer, &n](char c) {
        if (n < sizeof buffer) buffer[n++] = c;
    };
    for (char c : prefix) put(c);
    for (std::size_t zeros = shown.size(); zeros < static_cast<std::size_t>(std::max(width, 0)); ++zeros) put('0');
    for (char c : shown) put(c);
    return std::string_view(buffer, n);
}

// Reads the number of a typed name form ("m3", "cod1", "fncd12"); false when
// the rest is not digits or the number is above the highest.
bool ReadNameNumber(std::string_view digits, std::int64_t highest, std::int64_t& number)
{
    return ReadDecimal(digits, number) == Number::kOk && number <= highest;
}

void ToLatin1(const QString& text, std::string& out)
{
    out.resize(static_cast<std::size_t>(text.size()));
    const QChar* in = text.constData();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char16_t u = in[i].unicode();
        out[i] = u < 256 ? static_cast<char>(u) : '?';
    }
}

QString FromLatin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CHOXInstrParser::CHOXInstrParser(CHOXParam* param) : m_pParam(param) { InitTables(); }

CHOXInstrParser::~CHOXInstrParser() = default;

void CHOXInstrParser::InitTables()
{
    (void)Row(0);
    SetLimits();
}

void CHOXInstrParser::SetParam(CHOXParam* param) { m_pParam = param; }

void CHOXInstrParser::SetLimits()
{
    if (m_pParam == nullptr) return;
    if (const CHOXDoc* doc = m_pParam->GetDocument()) m_nControllerType = doc->GetControllerType();
    std::int32_t value = 0;
    if (m_pParam->GetParam(&value, 4, 0)) m_nMaxSpeedX = value;
    if (m_pParam->GetParam(&value, 4, 1)) m_nMaxSpeedY = value;
    m_nFileRegisters = m_pParam->GetFileRegisters();
    ApplyTypeLimits();
}

void CHOXInstrParser::SetControllerType(std::int32_t type)
{
    m_nControllerType = type;
    ApplyTypeLimits();
}

void CHOXInstrParser::ApplyTypeLimits()
{
    if (ctype::IsOneAxis(m_nControllerType)) {
        m_nDataRegLimit = devices::kLastDataOneAxis;
        m_nSpecialRegLimit = devices::kLastSpecialDOneAxis;
        m_nOctalXLimit = devices::kLastLowXOneAxis;
        m_nOctalBound2 = devices::kFirstHighXOneAxis;
        m_nOctalYLimit = devices::kLastYOneAxis;
        m_nPointerLimit = ctype::HighestPointerNumber(m_nControllerType) + 1;
    } else if (ctype::IsKnown(m_nControllerType)) {
        m_nDataRegLimit = devices::kLastDataTwoAxes;
        m_nSpecialRegLimit = devices::kLastSpecialDTwoAxes;
        m_nOctalXLimit = devices::kLastOctalTwoAxes;
        m_nOctalBound2 = devices::kFirstHighXTwoAxes;
        m_nOctalYLimit = devices::kLastOctalTwoAxes;
        m_nPointerLimit = ctype::HighestPointerNumber(m_nControllerType) + 1;
    }
}

// ---- Word scanning ----------------------------------------------------------

template <bool kCollect>
bool CHOXInstrParser::ScanWord(std::string_view& text, std::string* word)
{
    if constexpr (kCollect) word->clear();
    m_bEndOfLine = false;
    m_bEndOfStatement = false;
    text = TrimLeft(text);
    if (text.empty()) {
        m_bEndOfLine = true;
        return false;
    }
    bool taken = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == ';' || c == '\t') break;
        if (c == '\r' || c == '\n') continue;
        taken = true;
        if constexpr (kCollect) word->push_back(c);
    }
    text.remove_prefix(i);
    if (text.empty()) {
        m_bEndOfLine = true;
        return taken;
    }
    text = TrimLeft(text);
    if (text.empty())
        m_bEndOfLine = true;
    else if (text.front() == ';')
        m_bEndOfStatement = true;
    return taken;
}

void CHOXInstrParser::ExtractWord(std::string_view& text, std::string& word) { ScanWord<true>(text, &word); }

void CHOXInstrParser::ExtractWord(QString& text, QString& word)
{
    std::string bytes;
    ToLatin1(text, bytes);
    std::string_view rest = bytes;
    std::string taken;
    ScanWord<true>(rest, &taken);
    word = FromLatin1(taken);
    text = FromLatin1(rest);
}

int CHOXInstrParser::CountWords(std::string_view text)
{
    int count = 0;
    do {
        if (ScanWord<false>(text, nullptr)) ++count;
    } while (!m_bEndOfLine && !m_bEndOfStatement);
    return count;
}

int CHOXInstrParser::CountWords(const QString& text)
{
    std::string bytes;
    ToLatin1(text, bytes);
    return CountWords(std::string_view(bytes));
}

std::string CHOXInstrParser::GetInitials(std::string_view text, int n)
{
    std::string initials;
    for (int i = 0; i < n; ++i) {
        ScanWord<true>(text, &m_scratch);
        if (!m_scratch.empty()) initials.push_back(m_scratch.front());
        if (m_bEndOfLine || m_bEndOfStatement) break;
    }
    return initials;
}

bool CHOXInstrParser::IsNumber(std::string_view text)
{
    for (char c : text)
        if (!IsDigit(c)) return false;
    return true;
}

bool CHOXInstrParser::SplitName(std::string_view word, std::string& name, std::string& alternate)
{
    name.clear();
    alternate.clear();
    if (word.empty()) return false;
    const std::size_t open = word.find('(');
    name.assign(word.substr(0, open));
    if (open == std::string_view::npos) return true;
    const std::size_t close = word.find(')', open + 1);
    if (close == std::string_view::npos) return false;
    alternate.assign(word.substr(open + 1, close - open - 1));
    return !alternate.empty() && close + 1 == word.size();
}

// ---- Names ------------------------------------------------------------------

int CHOXInstrParser::LookupInstruction(std::string_view name)
{
    if (name.empty()) return -1;
    char buffer[12];
    std::string_view key = name;
    std::int64_t number = 0;
    if (CheckMCode(name, m_strError, 0)) {
        const std::string_view digits = name.substr(1);
        if (!digits.empty()) {
            if (!ReadNameNumber(digits, 102, number)) return -1;
            key = NumberedKey(buffer, "m", number, number >= 100 ? 3 : 2);
        }
    } else if (StartsWithNoCase(name, "fncd")) {
        // The D form by its function number: only the rows from the first D
        // form on.
        const std::string_view digits = name.substr(4);
        if (!digits.empty()) {
            if (!ReadNameNumber(digits, 99, number)) return -1;
            const int row = FindAlternate(NumberedKey(buffer, "FNC", number, 2), kFirst32BitRow);
            if (row != -1) m_bAlternateSearch = true;
            return row;
        }
    } else if (StartsWithNoCase(name, "cod") || StartsWithNoCase(name, "fnc")) {
        const std::string_view digits = name.substr(3);
        if (!digits.empty()) {
            if (!ReadNameNumber(digits, 99, number)) return -1;
            key = NumberedKey(buffer, name.substr(0, 3), number, 2);
        }
    }
    if (!m_bAlternateSearch) {
        const int row = FindPrimary(key);
        if (row != -1) {
            m_bFoundPrimary = true;
            return row;
        }
    }
    const int row = FindAlternate(key, m_b32Bit ? kFirst32BitRow : 0);
    if (row != -1) m_bAlternateSearch = true;
    return row;
}

QString CHOXInstrParser::TablePrimaryName(int row) { return FromLatin1(Row(row).primary); }

QString CHOXInstrParser::TableAlternateName(int row) { return FromLatin1(Row(row).alternate); }

// "INC" is both the positioning code (cod91) and the function instruction
// (FNC24): what follows decides. Another name, or another instruction's
// alternate name, is no INC.
int CHOXInstrParser::DecideInc(int index)
{
    const InstrRow& code = Row(kPositioningIncRow);
    const InstrRow& function = Row(kFunctionIncRow);
    if (!EqualsNoCase(m_name, function.primary)) return index;
    if (!m_alternate.empty() && !EqualsNoCase(m_alternate, code.alternate) &&
        !EqualsNoCase(m_alternate, function.alternate))
        return index;
    std::string_view source = m_strOperandSource;
    ScanWord<true>(source, &m_scratch);
    const bool mcodeOrNothing = m_scratch.empty() || m_scratch.front() == 'm' || m_scratch.front() == 'M';
    return mcodeOrNothing ? kPositioningIncRow : kFunctionIncRow;
}

// ---- The statement ----------------------------------------------------------

bool CHOXInstrParser::CheckInstruction(const QString& line, QString& error, const QString& preceding)
{
    ToLatin1(line, m_line);
    if (!preceding.isEmpty() && !TrimLeft(m_line).empty()) m_strPreceding = preceding;
    ErrorOut out = ErrorOut::kLeave;
    const bool ok = CheckStatement(m_line, out);
    if (ok) m_nFailingOperand = 0;
    if (out == ErrorOut::kWrite) error = FromLatin1(m_strError);
    return ok;
}

bool CHOXInstrParser::CheckStatement(std::string_view line, ErrorOut& out)
{
    m_strError.clear();
    m_strPrimary.clear();
    m_strAlternate.clear();
    m_strOperandSource.clear();
    m_strOperandText.clear();
    m_strRest.clear();
    m_nSteps = 0;
    m_b32Bit = false;
    m_bInstruction = false;
    m_bSeglFirst = false;
    m_bSeglSecond = false;
    m_bExtSelector = false;
    m_bFoundPrimary = false;
    m_bAlternateSearch = false;
    m_bOperandOnly = false;
    m_nFailingOperand = 0;

    line = TrimLeft(line);
    if (line.empty()) return true;
    SetLimits();

    const std::size_t semicolon = line.find(';');
    const std::string_view statement = line.substr(0, semicolon == std::string_view::npos ? line.size() : semicolon + 1);
    m_strRest.assign(line.substr(statement.size()));

    std::string_view source = statement;
    ScanWord<true>(source, &m_word);
    m_strOperandSource.assign(source);

    int index = -1;
    if (SplitName(m_word, m_name, m_alternate)) {
        if (EqualsNoCase(m_name, "TIME")) m_name.pop_back();
        if (EqualsNoCase(m_alternate, "TIME")) m_alternate.pop_back();
        index = LookupInstruction(m_name);
        if (!m_alternate.empty()) {
            if (index >= kFirst32BitRow) m_b32Bit = true;
            if (!m_bFoundPrimary) index = -1;
            m_bAlternateSearch = true;
            if (LookupInstruction(m_alternate) != index) index = -1;
        }
        index = DecideInc(index);
    }
    if (index != -1) {
        out = ErrorOut::kWrite;
        return CheckKnownStatement(index);
    }
    return CheckLabelOrOperands(statement, out);
}

bool CHOXInstrParser::CheckKnownStatement(int index)
{
    const InstrRow& row = Row(index);
    m_nSteps = 1;
    m_bInstruction = true;
    m_strPrimary.assign(row.primary);
    m_strAlternate.assign(row.alternate);
    bool ok = false;
    if (!Allows(row.types, m_nControllerType)) {
        ok = Fail(m_strError, kNotForControllerType);
    } else if (index >= kFirstMcodeRow) {
        m_bInstruction = false;
        ok = CheckNoOperands();
    } else {
        if (row.is32Bit) m_b32Bit = true;
        ok = RunOperandCheck(row);
    }
    RemoveLeadingZeros(m_strOperandText);
    TrimInPlace(m_strOperandText);
    // NOP stands without ";" and ends nothing.
    if (m_strPrimary == "NOP") {
        m_strRest.clear();
    } else {
        m_strOperandText.push_back(';');
        m_nSteps += 1;
    }
    return ok;
}

bool CHOXInstrParser::RunOperandCheck(const InstrRow& row)
{
    if (row.codeRule != nullptr) return CheckCodeOperands(*row.codeRule);
    if (row.deviceRule != nullptr) return CheckDeviceOperands(*row.deviceRule);
    return CheckNoOperands();
}

bool CHOXInstrParser::CheckNoOperands()
{
    const int count = CountWords(m_strOperandSource);
    m_strOperandText = m_strOperandSource;
    UpperInPlace(m_strOperandText);
    if (count != 0) return Fail(m_strError, kExcessOperands);
    m_strError.clear();
    return true;
}

// Not an instruction: a label "P..", a program number "O..", or operand words
// of the positioning codes standing alone.
bool CHOXInstrParser::CheckLabelOrOperands(std::string_view statement, ErrorOut& out)
{
    m_scratch = m_name;
    UpperInPlace(m_scratch);
    if (!m_scratch.empty() && m_scratch.front() == 'P' && CheckPointer(m_scratch, m_strError)) {
        // What follows a label is not looked at.
        m_nSteps += 1;
        NormaliseWord(m_scratch, m_strPrimary);
        m_strError.clear();
        out = ErrorOut::kWrite;
        m_strOperandText = ";";
        m_nSteps += 1;
        return true;
    }
    m_scratch = m_word;
    if (CheckProgramNumber(m_scratch, m_strError)) {
        m_nSteps = 2;
        NormaliseWord(m_scratch, m_strPrimary);
        m_strOperandText = ";";
        m_nSteps = 3;
        return true;
    }
    return CheckOperandStatement(statement, out);
}

bool CHOXInstrParser::CheckOperandStatement(std::string_view statement, ErrorOut& out)
{
    m_bOperandOnly = true;
    out = ErrorOut::kWrite;
    const int count = CountWords(statement);
    int lastFailing = 0;
    for (int position = 1; position <= count; ++position) {
        ScanWord<true>(statement, &m_word);
        const char letter = m_word.empty() ? '\0' : m_word.front();
        if (letter == '\0' || std::string_view("fijrxy").find(letter) == std::string_view::npos)
            return Fail(m_strError, kUndefinedInstruction);
        // Every word is checked; the last one that fails is reported.
        if (!CheckOperandValue(m_word, letter, m_strError, position)) {
            lastFailing = position;
            m_scratch = m_strError;
        }
        m_strOperandText += m_word;
        m_strOperandText += "  ";
        m_nSteps += 2;
    }
    if (lastFailing != 0) {
        m_nFailingOperand = lastFailing;
        m_strError = m_scratch;
        return false;
    }
    TrimInPlace(m_strOperandText);
    if (m_strOperandText.empty()) return Fail(m_strError, kUndefinedInstruction);
    m_strOperandText.push_back(';');
    m_nSteps += 1;
    out = ErrorOut::kLeave;
    return true;
}

QString CHOXInstrParser::GetCanonicalStatement() const
{
    std::string text = m_strPrimary;
    if (!m_strPrimary.empty() && !m_strAlternate.empty()) {
        text += '(';
        text += m_strAlternate;
        text += ')';
    } else if (m_strPrimary.empty()) {
        text += m_strAlternate;
    }
    const bool named = !m_strPrimary.empty() || !m_strAlternate.empty();
    if (named && !m_strOperandText.empty() && m_strOperandText != ";") text += "  ";
    text += m_strOperandText;
    text += m_strRest;
    return FromLatin1(text);
}

// ---- Messages ---------------------------------------------------------------

bool CHOXInstrParser::Fail(std::string& error, std::string_view text)
{
    error.assign(text);
    return false;
}

bool CHOXInstrParser::Fail(std::string& error, std::string_view first, std::string_view second)
{
    error.assign(first);
    error.append(second);
    return false;
}

bool CHOXInstrParser::Fail(std::string& error, UINT id) { return Fail(error, LoadStrLatin1(id)); }

bool CHOXInstrParser::FailWithLabel(std::string& error, std::string_view label, UINT suffixId)
{
    return Fail(error, label, LoadStrLatin1(suffixId));
}

bool CHOXInstrParser::FailEnterValue(std::string& error, std::string_view label)
{
    return Fail(error, LoadStrLatin1(13472), label);
}

bool CHOXInstrParser::FailWrongCombination()
{
    m_nFailingOperand = 0;
    return Fail(m_strError, kWrongCombination);
}
