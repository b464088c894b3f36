// Operands of the sequence, jump and function instructions: how many each
// takes and which devices each position accepts.
#include "convert/HOXInstrParser.h"

#include "convert/InstrText.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

using namespace instr;

namespace instr {
namespace {

constexpr Width kFollow = Width::kInstruction;
constexpr std::uint16_t kBits = kInput | kOutput | kRelay;
constexpr std::uint16_t kWordDestination = kGroupY | kGroupM | kData | kIndexV | kIndexZ;
constexpr std::uint16_t kRegisters = kData | kIndexV | kIndexZ;

constexpr DevicePosition kSourcePosition{kSource};
constexpr DevicePosition kDestinationPosition{kWordDestination};

} // namespace

// LD, LDI, AND, ANI, OR, ORI: a bit operand costs no steps of its own.
const DeviceRule kContactOperands{1, {{{kBits}}}};
const DeviceRule kSetRstOperands{1, {{{kOutput | kRelay}}}};
const DeviceRule kOutOperands{1, {{{kOutput | kRelay}}}, 2};
// CJ, CJN, CALL, JMP.
const DeviceRule kJumpOperands{1, {{{kPointer}}}};
const DeviceRule kRptOperands{1, {{{kAnyK | kData | kIndexV | kHex, kFollow, Width::kSingle}}}};
const DeviceRule kCmpOperands{3, {{kSourcePosition, kSourcePosition, {kBits}}}, 2};
const DeviceRule kZcpOperands{4, {{kSourcePosition, kSourcePosition, kSourcePosition, {kOutput | kRelay}}}, 2};
// MOV and DMOV follow the instruction's width; MMOV widens 16 bits to 32,
// RMOV narrows 32 bits to 16.
const DeviceRule kMovOperands{2, {{kSourcePosition, kDestinationPosition}}};
const DeviceRule kMmovOperands{
    2, {{{kSource, kFollow, Width::kSingle}, {kWordDestination, kFollow, Width::kDouble}}}};
const DeviceRule kRmovOperands{
    2, {{{kSource, Width::kDouble, Width::kDouble}, {kWordDestination, kFollow, Width::kSingle}}}};
// BCD, BIN and their D forms.
const DeviceRule kBcdOperands{2, {{{kGroupX | kGroupY | kGroupM | kRegisters}, kDestinationPosition}}};
// ADD, SUB, MUL, DIV and their D forms: constants only in plain form.
const DeviceRule kArithOperands{
    3, {{{kConstant | kRegisters | kHex}, {kConstant | kRegisters | kHex}, {kRegisters}}}};
// INC, DEC, NEG and their D forms.
const DeviceRule kIncDecOperands{1, {{kDestinationPosition}}};
// WAND, WOR, WXOR, DAND, DOR, DXOR.
const DeviceRule kLogicOperands{3, {{kSourcePosition, kSourcePosition, kDestinationPosition}}};
const DeviceRule kExtOperands{
    4, {{{kInput}, {kOutput}, {kRegisters}, {kAnyK, kFollow, kFollow, Selector::kExt}}}, 2, "XY"};
const DeviceRule kSeglOperands{4,
                               {{{kRegisters},
                                 {kOutput},
                                 {kAnyK, kFollow, kFollow, Selector::kSeglFirst},
                                 {kAnyK, kFollow, kFollow, Selector::kSeglSecond}}},
                               2};

} // namespace instr

namespace {
constexpr UINT kExcessOperands = IDS_EXCESS_OPERANDS;
constexpr UINT kOperandCount = 13475;

bool IsDouble(Width width, bool instruction32Bit)
{
    return width == Width::kInstruction ? instruction32Bit : width == Width::kDouble;
}
} // namespace

bool CHOXInstrParser::CheckDeviceOperands(const DeviceRule& rule)
{
    const int count = CountWords(m_strOperandSource);
    UpperInPlace(m_strOperandSource);
    m_strOperandText = m_strOperandSource;
    if (count < rule.count) {
        const char digit = static_cast<char>('0' + rule.count);
        return Fail(m_strError, LoadStrLatin1(kOperandCount), std::string_view(&digit, 1));
    }
    if (count > rule.count) return Fail(m_strError, kExcessOperands);
    if (!rule.leadingPair.empty() && GetInitials(m_strOperandSource, 2) != rule.leadingPair)
        return FailWrongCombination();
    std::string_view source = m_strOperandSource;
    for (int i = 0; i < count; ++i) {
        ExtractWord(source, m_word);
        if (!CheckDeviceWord(m_word, rule.positions[static_cast<std::size_t>(i)], rule.bitSteps, i + 1)) return false;
    }
    m_strError.clear();
    return true;
}

bool CHOXInstrParser::CheckDeviceWord(std::string_view word, const DevicePosition& at, int bitSteps, int position)
{
    m_bExtSelector = at.selector == Selector::kExt;
    m_bSeglFirst = at.selector == Selector::kSeglFirst;
    m_bSeglSecond = at.selector == Selector::kSeglSecond;
    m_nFailingOperand = position;
    const char device = word.empty() ? '\0' : word.front();
    auto accepts = [&](std::uint16_t devices) { return (at.devices & devices) != 0; };
    switch (device) {
    case 'K': {
        const char letter = GetKDeviceLetter(word);
        const std::uint16_t form = letter == 'M' ? kGroupM : letter == 'X' ? kGroupX : letter == 'Y' ? kGroupY : kConstant;
        if (!accepts(form)) return FailWrongCombination();
        const bool instruction32Bit = m_b32Bit;
        m_b32Bit = IsDouble(at.constantWidth, instruction32Bit);
        const bool ok = CheckKValue(word, m_strError, position, letter);
        m_b32Bit = instruction32Bit;
        return ok;
    }
    case 'D': {
        if (!accepts(kData)) return FailWrongCombination();
        const bool ok = IsDouble(at.registerWidth, m_b32Bit) ? CheckDoubleDataRegister(word, m_strError, position, true)
                                                             : CheckDataRegister(word, m_strError, true);
        if (ok) m_nSteps += 2;
        return ok;
    }
    case 'V':
    case 'Z': {
        if (!accepts(device == 'V' ? kIndexV : kIndexZ)) return FailWrongCombination();
        const bool ok = CheckIndexRegister(word, m_strError, position);
        if (ok) m_nSteps += 2;
        return ok;
    }
    case 'H':
        if (!accepts(kHex)) return FailWrongCombination();
        return CheckHexValue(word, m_strError, position);
    case 'X':
    case 'Y': {
        if (!accepts(device == 'X' ? kInput : kOutput)) return FailWrongCombination();
        const bool ok = CheckOctalDevice(word, device, m_strError, position, 0);
        if (ok) m_nSteps += bitSteps;
        return ok;
    }
    case 'M': {
        if (!accepts(kRelay)) return FailWrongCombination();
        const bool ok = CheckMDevice(word, m_strError, position, 0);
        if (ok) m_nSteps += bitSteps;
        return ok;
    }
    case 'P': {
        if (!accepts(kPointer)) return FailWrongCombination();
        const bool ok = CheckPointer(word, m_strError);
        if (ok) m_nSteps += 2;
        return ok;
    }
    default: return FailWrongCombination();
    }
}
