#pragma once
// What paste and drop both ask about the numbers of a symbol that enters a
// chart from the clipboard or a drag, and the words of the refusals they
// share. The numbers come from the symbol's own report (GetHeldNumbers).
#include "chart/HOXSymbol.h"

#include <QString>

#include <array>
#include <cstdint>

class CHOXDoc;
class CHOXDrawObj;

namespace transfer {

// What a symbol that enters a chart brings of the document's numbers, by its
// own report (GetHeldNumbers): paste, drop and the drag filter decide by it.
enum class Carried {
    kNothing,
    // A program number (a START's).
    kProgram,
    // A pointer number it can trade for another when its own is taken.
    kPointer,
    // Pointer numbers fixed by its own text, which it cannot trade.
    kLabels,
};
Carried CarriedNumbers(const CHOXSymbol& symbol);
// Whether the object is a symbol that holds a program number.
bool HoldsProgram(const CHOXDrawObj& object);

// A pointer number another holder has, or one the document cannot track
// (outside its valid range, -1 included): either way the symbol cannot keep
// it.
bool IsPointerNumberTaken(const CHOXDoc& doc, int n);
// The pointer numbers 0 to 255 a program in text defines.
bool HasPointerLabel(const CHOXSymbol& symbol);
// Whether any pointer number the symbol holds is taken.
bool HasTakenPointer(const CHOXDoc& doc, const CHOXSymbol& symbol);
// Marks every number the symbol reports in the document's tables.
void MarkHeldNumbers(CHOXDoc& doc, const CHOXSymbol& symbol);

// The document's number tables as they stood, to be put back when a drop
// that placed some of its objects is refused after all.
class NumberTables {
public:
    explicit NumberTables(const CHOXDoc& doc);
    void Restore(CHOXDoc& doc) const;

private:
    std::array<bool, 256> m_pointers{};
    std::array<std::array<bool, 100>, 2> m_programs{};
};

// The axis a START takes in a document of the controller type: X alone on
// one axis, X for a program of both axes on two independent axes, both axes
// together where the type runs them so.
std::int32_t NormalisedAxis(std::int32_t axis, std::int32_t controllerType);

// The refusal of an interpolation symbol (322, 323) in a document of the
// controller type; empty when it is allowed.
QString InterpolationRefusal(int objectType, std::int32_t controllerType);
// The string id of the refusal of a START of the axis dropped from outside
// into a chart (not the subtask's) of the controller type; 0 when it fits.
UINT DroppedStartRefusal(std::int32_t axis, std::int32_t controllerType);
// Why the drag filter kept an object out of a document of the controller
// type, in the words of the drop; empty when it did not.
QString FilterRefusal(const CHOXDrawObj& object, std::int32_t controllerType);

} // namespace transfer
