// Operands of the positioning codes: the letter patterns each code allows,
// per controller type, and the value of each lettered word.
#include "convert/HOXInstrParser.h"

#include "convert/InstrText.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

using namespace instr;

namespace instr {
namespace {

constexpr Types kAll = Types::kAll;
constexpr Types kWithY = Types::kWithYAxis;
constexpr Types kInterp = Types::kInterpolated;

// DRV: each speed is bounded by the axis it follows; a single speed after
// both positions by Y's.
constexpr CodePattern kDrvPatterns[] = {
    {"x", kAll},           {"y", kWithY},
    {"xm", kAll},          {"xf", kAll, "x"},        {"ym", kWithY},         {"yf", kWithY, "y"},
    {"xy", kInterp},
    {"xfm", kAll, "x"},    {"xfy", kInterp, "x"},    {"xyf", kInterp, "y"},  {"xym", kInterp},
    {"yfm", kWithY, "y"},
    {"xfyf", kInterp, "xy"}, {"xfym", kInterp, "x"}, {"xyfm", kInterp, "y"},
    {"xfyfm", kInterp, "xy"},
};

// LIN: the speed is bounded by 200000 only.
constexpr CodePattern kLinPatterns[] = {
    {"x", kAll},     {"y", kWithY},
    {"xm", kAll},    {"xf", kAll},    {"ym", kWithY},  {"yf", kWithY}, {"xy", kInterp},
    {"xfm", kAll},   {"xyf", kInterp}, {"xym", kInterp}, {"yfm", kWithY},
    {"xyfm", kInterp},
};

// INT: LIN's patterns, each speed bounded by the axis before it.
constexpr CodePattern kIntPatterns[] = {
    {"x", kAll},            {"y", kWithY},
    {"xm", kAll},           {"xf", kAll, "x"},       {"ym", kWithY},        {"yf", kWithY, "y"},
    {"xy", kInterp},
    {"xfm", kAll, "x"},     {"xyf", kInterp, "y"},   {"xym", kInterp},      {"yfm", kWithY, "y"},
    {"xyfm", kInterp, "y"},
};

// TIM: the time as "K"; the word is checked upper-cased.
constexpr CodePattern kTimPatterns[] = {
    {"k", kAll},
    {"km", kAll},
};

// CHK, DRVZ, SETR, DRVR, CANC, ABS, INC.
constexpr CodePattern kModePatterns[] = {
    {"", kAll},
    {"m", kAll},
};

constexpr CodePattern kSintPatterns[] = {
    {"xf", kAll, "x"},  {"yf", kWithY, "y"},
    {"xfm", kAll, "x"}, {"yfm", kWithY, "y"},
};

constexpr CodePattern kDintPatterns[] = {
    {"xff", kAll, "xx"},  {"yff", kWithY, "yy"},
    {"xffm", kAll, "xx"}, {"yffm", kWithY, "yy"},
};

// MOVC and SET (cod92).
constexpr CodePattern kMovcPatterns[] = {
    {"x", kAll},   {"y", kWithY},
    {"xm", kAll},  {"ym", kWithY}, {"xy", kInterp},
    {"xym", kInterp},
};

// CNTC and RADC exist on the interpolating type only, which the instruction
// table already demands.
constexpr CodePattern kCntcPatterns[] = {
    {"i", kAll},  {"j", kAll},
    {"im", kAll}, {"jm", kAll}, {"ij", kAll},
    {"ijm", kAll},
};

constexpr CodePattern kRadcPatterns[] = {
    {"r", kAll},
    {"rm", kAll},
};

// CW and CCW: end point (x, y or both), then centre offsets i and j or the
// radius r, then the speed, then the M code.
constexpr CodePattern kCircularPatterns[] = {
    {"i"}, {"j"}, {"r"},

    {"im"}, {"jm"}, {"rm"}, {"ij"}, {"xi"}, {"xj"}, {"yi"}, {"yj"}, {"if"}, {"jf"}, {"xf"}, {"yf"}, {"xr"},
    {"yr"}, {"rf"},

    {"ijm"}, {"xim"}, {"xjm"}, {"yim"}, {"yjm"}, {"ifm"}, {"jfm"}, {"xfm"}, {"yfm"}, {"xrm"}, {"yrm"}, {"rfm"},
    {"xij"}, {"yij"}, {"xyi"}, {"xyj"}, {"xyr"}, {"ijf"}, {"xif"}, {"xjf"}, {"yif"}, {"yjf"}, {"xrf"}, {"yrf"},

    {"xijm"}, {"yijm"}, {"xyim"}, {"xyif"}, {"xyjf"}, {"xyjm"}, {"ijfm"}, {"xifm"}, {"xjfm"}, {"yifm"},
    {"yjfm"}, {"xrfm"}, {"xyij"}, {"xijf"}, {"yijf"}, {"xyrf"}, {"xyrm"}, {"yrfm"},

    {"xyijm"}, {"xijfm"}, {"yijfm"}, {"xyijf"}, {"xyrfm"}, {"xyifm"}, {"xyjfm"},

    {"xyijfm"},
};

} // namespace

const CodeRule kDrvOperands{1, 5, SpeedCheck::kPerAxis, kDrvPatterns};
const CodeRule kLinOperands{1, 4, SpeedCheck::kValue, kLinPatterns};
const CodeRule kIntOperands{1, 4, SpeedCheck::kPerAxis, kIntPatterns};
const CodeRule kTimOperands{1, 2, SpeedCheck::kNone, kTimPatterns};
const CodeRule kModeOperands{0, 1, SpeedCheck::kNone, kModePatterns};
const CodeRule kSintOperands{2, 3, SpeedCheck::kPerAxis, kSintPatterns};
const CodeRule kDintOperands{3, 4, SpeedCheck::kPerAxis, kDintPatterns};
const CodeRule kMovcOperands{1, 3, SpeedCheck::kNone, kMovcPatterns};
const CodeRule kCntcOperands{1, 3, SpeedCheck::kNone, kCntcPatterns};
const CodeRule kRadcOperands{1, 2, SpeedCheck::kNone, kRadcPatterns};
const CodeRule kCircularOperands{1, 6, SpeedCheck::kValue, kCircularPatterns};

} // namespace instr

namespace {
constexpr UINT kWrongCombination = IDS_WRONG_OPERAND_COMBINATION;
constexpr UINT kExcessOperands = IDS_EXCESS_OPERANDS;
constexpr UINT kMinimumOperands = 13474;
constexpr int kMostCodeOperands = 6;
} // namespace

bool CHOXInstrParser::CheckCodeOperands(const CodeRule& rule)
{
    const int count = CountWords(m_strOperandSource);
    LowerInPlace(m_strOperandSource);
    if (count < rule.minimum) {
        const char digit = static_cast<char>('0' + rule.minimum);
        return Fail(m_strError, LoadStrLatin1(kMinimumOperands), std::string_view(&digit, 1));
    }
    if (count > rule.maximum || count > kMostCodeOperands) return Fail(m_strError, kExcessOperands);
    m_nSteps += 2 * count;

    char letters[kMostCodeOperands];
    std::string_view source = m_strOperandSource;
    for (int i = 0; i < count; ++i) {
        std::string& word = m_words[i];
        ExtractWord(source, word);
        letters[i] = word.empty() ? '\0' : word.front();
    }
    const std::string_view pattern(letters, static_cast<std::size_t>(count));
    const CodePattern* match = nullptr;
    for (const CodePattern& allowed : rule.patterns) {
        if (allowed.letters == pattern && Allows(allowed.types, m_nControllerType)) {
            match = &allowed;
            break;
        }
    }

    bool ok = match != nullptr;
    if (!ok) Fail(m_strError, kWrongCombination);
    std::size_t speed = 0;
    for (int i = 0; ok && i < count; ++i) {
        char axis = '\0';
        if (letters[i] == 'f' && rule.speed == SpeedCheck::kPerAxis && speed < match->speedAxes.size())
            axis = match->speedAxes[speed++];
        ok = CheckCodeWord(m_words[i], letters[i], axis, i + 1);
    }

    m_strOperandText.clear();
    for (int i = 0; i < count; ++i) {
        if (i > 0) m_strOperandText += "  ";
        m_strOperandText += m_words[i];
    }
    if (ok) m_strError.clear();
    return ok;
}

// `speedAxis` is "x" or "y" for a speed bounded by an axis, else 0.
bool CHOXInstrParser::CheckCodeWord(std::string& word, char letter, char speedAxis, int position)
{
    switch (letter) {
    case 'f':
        if (speedAxis != '\0') return CheckSpeedValue(word, speedAxis, m_strError, position);
        return CheckOperandValue(word, 'f', m_strError, position);
    case 'k': UpperInPlace(word); return CheckOperandValue(word, 'K', m_strError, position);
    case 'm': return CheckMCode(word, m_strError, position);
    default: return CheckOperandValue(word, letter, m_strError, position);
    }
}

bool CHOXInstrParser::CheckOperandValue(std::string& word, char letter, std::string& error, int position)
{
    const std::int64_t maximum = letter == 'K' ? 65535 : letter == 'f' ? 200000 : 999999;
    return CheckLetteredValue(word, letter, maximum, error, position);
}

bool CHOXInstrParser::CheckSpeedValue(std::string& word, char axis, std::string& error, int position)
{
    return CheckLetteredValue(word, 'f', axis == 'x' ? m_nMaxSpeedX : m_nMaxSpeedY, error, position);
}

// One letter and its value: a decimal number, "-" and a number where the
// letter allows it, or a data register.
bool CHOXInstrParser::CheckLetteredValue(std::string& word, char letter, std::int64_t maximum, std::string& error,
                                         int position)
{
    constexpr UINT kOutOfRange = IDS_VALUE_OUT_OF_RANGE;
    constexpr UINT kNotNumeric = IDS_VALUE_NOT_NUMERIC;
    constexpr UINT kNotPositive = IDS_VALUE_NOT_POSITIVE;
    const std::string_view label(&letter, 1);
    m_nFailingOperand = position;
    word.erase(0, word.size() - TrimLeft(word).size());
    if (word.size() <= 1) return FailEnterValue(error, label);
    if (word[1] == 'D' || word[1] == 'd') {
        for (std::size_t i = 1; i < word.size(); ++i) word[i] = ToUpper(word[i]);
        const std::string_view reg = std::string_view(word).substr(1);
        return CheckDataRegister(reg, error, true) || CheckDoubleDataRegister(reg, error, position, true);
    }
    std::string_view value = std::string_view(word).substr(1);
    if (value.front() == '-') {
        if (letter == 'f' || letter == 'K') return FailWithLabel(error, label, kNotPositive);
        value.remove_prefix(1);
        if (value.empty()) return FailEnterValue(error, label);
    }
    std::int64_t n = 0;
    switch (ReadDecimal(value, n)) {
    case Number::kNotNumeric: return FailWithLabel(error, label, kNotNumeric);
    case Number::kTooLarge: return FailWithLabel(error, label, kOutOfRange);
    case Number::kOk: break;
    }
    if (n > maximum) return FailWithLabel(error, label, kOutOfRange);
    return true;
}
