#pragma once
// What the instruction checker knows about each instruction, kept as data:
// the instruction table (names, operand rule, 32-bit form, controller types)
// and the operand rules of the positioning codes and of the device
// instructions. The checker walks these tables; adding a pattern or a device
// to a position is a change of data, not of code.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace instr {

// The controller types on which a table row or an operand pattern exists.
enum class Types : std::uint8_t {
    kAll,
    kNotOnIndependentAxes, // 0 and 2 (LIN, INT)
    kNotOnOneAxis,         // 1 and 2 (DSEGL)
    kWithYAxis,            // 1 and 2 (patterns with "y")
    kInterpolated,         // 2 only
};

bool Allows(Types types, std::int32_t controllerType);

// ---- Positioning codes ----------------------------------------------------

// One allowed letter pattern of a positioning code. `speedAxes` names, for
// each "f" of a code whose speeds are bounded per axis, the axis whose
// maximum speed bounds it ("x" or "y"), in the order of the "f"s.
struct CodePattern {
    std::string_view letters;
    Types types = Types::kAll;
    std::string_view speedAxes = {};
};

// How the "f" words of a code are checked.
enum class SpeedCheck : std::uint8_t {
    kNone,    // the code has no "f"
    kValue,   // 0 to 200000 (LIN, CW, CCW)
    kPerAxis, // 0 to the maximum speed of the axis the pattern names
};

struct CodeRule {
    int minimum;
    int maximum;
    SpeedCheck speed;
    // Grouped by count, in the order they are tried.
    std::span<const CodePattern> patterns;
};

extern const CodeRule kDrvOperands;
extern const CodeRule kLinOperands;
extern const CodeRule kCircularOperands;
extern const CodeRule kTimOperands;
extern const CodeRule kModeOperands;
extern const CodeRule kIntOperands;
extern const CodeRule kSintOperands;
extern const CodeRule kDintOperands;
extern const CodeRule kMovcOperands;
extern const CodeRule kCntcOperands;
extern const CodeRule kRadcOperands;

// ---- Sequence and function instructions -----------------------------------

// Devices an operand position accepts. A "K" word is a plain constant or a
// digit group of X, Y or M; each form has its own bit.
enum Device : std::uint16_t {
    kConstant = 1 << 0, // K plain constant
    kGroupX = 1 << 1,   // KnX
    kGroupY = 1 << 2,   // KnY
    kGroupM = 1 << 3,   // KnM
    kData = 1 << 4,     // D (DD on 32-bit)
    kIndexV = 1 << 5,
    kIndexZ = 1 << 6,
    kHex = 1 << 7,
    kInput = 1 << 8,   // X
    kOutput = 1 << 9,  // Y
    kRelay = 1 << 10,  // M
    kPointer = 1 << 11 // P
};
constexpr std::uint16_t kAnyK = kConstant | kGroupX | kGroupY | kGroupM;
// The "source" of the function instructions.
constexpr std::uint16_t kSource = kAnyK | kData | kIndexV | kIndexZ | kHex;

// Word width of one position, where it does not follow the instruction.
enum class Width : std::uint8_t { kInstruction, kSingle, kDouble };

// Which constant check of EXT and SEGL a position is.
enum class Selector : std::uint8_t { kNone, kExt, kSeglFirst, kSeglSecond };

struct DevicePosition {
    std::uint16_t devices = 0;
    Width constantWidth = Width::kInstruction; // of a "K" word
    Width registerWidth = Width::kInstruction; // of a "D" word
    Selector selector = Selector::kNone;
};

struct DeviceRule {
    int count;
    std::array<DevicePosition, 4> positions;
    // Steps an X, Y or M operand adds.
    int bitSteps = 0;
    // Initials the first two words must have (EXT), or empty.
    std::string_view leadingPair = {};
};

extern const DeviceRule kContactOperands;
extern const DeviceRule kSetRstOperands;
extern const DeviceRule kOutOperands;
extern const DeviceRule kJumpOperands;
extern const DeviceRule kRptOperands;
extern const DeviceRule kCmpOperands;
extern const DeviceRule kZcpOperands;
extern const DeviceRule kMovOperands;
extern const DeviceRule kMmovOperands;
extern const DeviceRule kRmovOperands;
extern const DeviceRule kBcdOperands;
extern const DeviceRule kArithOperands;
extern const DeviceRule kIncDecOperands;
extern const DeviceRule kLogicOperands;
extern const DeviceRule kExtOperands;
extern const DeviceRule kSeglOperands;

// ---- The instruction table ------------------------------------------------

constexpr int kTableSize = 180;
constexpr int kFirst32BitRow = 59; // the D forms and everything after them
constexpr int kFirstMcodeRow = 77;
constexpr int kPositioningIncRow = 17; // "cod91" INC
constexpr int kFunctionIncRow = 48;    // "INC" FNC24

struct InstrRow {
    std::string_view primary;
    std::string_view alternate;
    const CodeRule* codeRule = nullptr;     // positioning operands
    const DeviceRule* deviceRule = nullptr; // device operands
    bool is32Bit = false;
    Types types = Types::kAll;
};

// Row 0 to 179; built once, before first use, and never changed, so checkers
// in several threads share it.
const InstrRow& Row(int index);

// The first row, in table order, whose name equals the key without regard to
// case; -1 when none. Primary names of every row, or alternate names from
// row 0 or from row 59 on.
int FindPrimary(std::string_view key);
int FindAlternate(std::string_view key, int fromRow);

} // namespace instr
