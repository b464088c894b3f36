#pragma once
// The three controller types a document is made for, and the rules that
// depend on them; the axes a program, a START, an operand or a controller
// request belongs to; the subtask's program number. The document stores the
// type as a 32-bit int (file bytes stay as they are); any other value is kept
// and shown as "Unknown".
#include <cstdint>

namespace ctype {

constexpr std::int32_t kOneAxis = 0;      // "ZE-10RE": the X axis only
constexpr std::int32_t kTwoAxes = 1;      // "ZA-20VI ZOZ": X and Y independent
constexpr std::int32_t kInterpolated = 2; // "DO-20VI RER": X and Y simultaneous

constexpr bool IsKnown(std::int32_t type) { return type >= kOneAxis && type <= kInterpolated; }
// One axis: no Y program, no Y operands, fewer pointer numbers.
constexpr bool IsOneAxis(std::int32_t type) { return type == kOneAxis; }
// Two axes driven together: one program for both.
constexpr bool IsInterpolated(std::int32_t type) { return type == kInterpolated; }
// X and Y both exist, driven apart or together: Y operands are accepted.
constexpr bool HasYAxis(std::int32_t type) { return type == kTwoAxes || type == kInterpolated; }
// Each axis runs a program of its own: program numbers name their axis ("Ox",
// "Oy"), and no code moves the axes on a common path (LIN, INT).
constexpr bool HasIndependentAxes(std::int32_t type) { return type == kTwoAxes; }
// The axes are driven one at a time (one axis, or two independent ones): a
// new code that can name both axes starts with the X operand alone. An unknown
// type is neither.
constexpr bool MovesOneAxisAtATime(std::int32_t type) { return type == kOneAxis || type == kTwoAxes; }
// Pointer numbers run from P0 to this.
constexpr int HighestPointerNumber(std::int32_t type) { return IsOneAxis(type) ? 127 : 255; }

} // namespace ctype

// The axes, as files, dialogs and the controller link number them.
namespace axis {

constexpr std::int32_t kX = 0;
constexpr std::int32_t kY = 1;
// Not bound to one axis: the program of both axes driven together, the
// subtask's, a START in the monitor window.
constexpr std::int32_t kBoth = 2;

// One of the two axes themselves.
constexpr bool IsXOrY(std::int32_t a) { return a == kX || a == kY; }

} // namespace axis

// The program number the subtask's START carries; no axis's table holds it.
constexpr std::int32_t kSubtaskProgramNumber = 100;
