#include "chart/TransferRules.h"

#include "chart/ControllerType.h"
#include "app/HOXDoc.h"
#include "chart/HOXClipboard.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

namespace {

// The pointer numbers a program in text may define.
constexpr int kHighestLabel = 255;
} // namespace

namespace transfer {

Carried CarriedNumbers(const CHOXSymbol& symbol)
{
    Carried carried = Carried::kNothing;
    for (const CHOXSymbol::HeldNumber& held : symbol.GetHeldNumbers()) {
        if (held.kind == CHOXSymbol::HeldNumber::kProgram) return Carried::kProgram;
        carried = held.renumbers ? Carried::kPointer : Carried::kLabels;
    }
    return carried;
}

bool HoldsProgram(const CHOXDrawObj& object)
{
    const auto* symbol = dynamic_cast<const CHOXSymbol*>(&object);
    return symbol != nullptr && CarriedNumbers(*symbol) == Carried::kProgram;
}

bool IsPointerNumberTaken(const CHOXDoc& doc, int n)
{
    return !doc.IsValidPointerNumber(n) || doc.IsPointerNumberUsed(n);
}

bool HasPointerLabel(const CHOXSymbol& symbol)
{
    for (const CHOXSymbol::HeldNumber& held : symbol.GetHeldNumbers())
        if (held.kind == CHOXSymbol::HeldNumber::kPointer && held.number >= 0 && held.number <= kHighestLabel)
            return true;
    return false;
}

bool HasTakenPointer(const CHOXDoc& doc, const CHOXSymbol& symbol)
{
    for (const CHOXSymbol::HeldNumber& held : symbol.GetHeldNumbers())
        if (held.kind == CHOXSymbol::HeldNumber::kPointer && IsPointerNumberTaken(doc, held.number)) return true;
    return false;
}

void MarkHeldNumbers(CHOXDoc& doc, const CHOXSymbol& symbol)
{
    for (const CHOXSymbol::HeldNumber& held : symbol.GetHeldNumbers()) held.MarkIn(doc);
}

NumberTables::NumberTables(const CHOXDoc& doc)
{
    // The pointer table is read through its range check: on a one-axis
    // document the upper half stays untouched either way.
    for (std::size_t n = 0; n < m_pointers.size(); ++n) m_pointers[n] = doc.IsPointerNumberUsed(static_cast<int>(n));
    for (std::size_t axis = 0; axis < m_programs.size(); ++axis)
        for (std::size_t n = 0; n < m_programs[axis].size(); ++n)
            m_programs[axis][n] = doc.IsProgramNumberUsed(static_cast<int>(axis), static_cast<int>(n));
}

void NumberTables::Restore(CHOXDoc& doc) const
{
    for (std::size_t n = 0; n < m_pointers.size(); ++n) {
        if (!doc.IsValidPointerNumber(static_cast<int>(n))) continue;
        if (m_pointers[n]) {
            doc.MarkPointerNumberUsed(static_cast<int>(n));
        } else {
            doc.FreePointerNumber(static_cast<int>(n));
        }
    }
    for (std::size_t axis = 0; axis < m_programs.size(); ++axis) {
        for (std::size_t n = 0; n < m_programs[axis].size(); ++n) {
            if (m_programs[axis][n]) {
                doc.MarkProgramNumberUsed(static_cast<int>(axis), static_cast<int>(n));
            } else {
                doc.FreeProgramNumber(static_cast<int>(axis), static_cast<int>(n));
            }
        }
    }
}

std::int32_t NormalisedAxis(std::int32_t axis, std::int32_t controllerType)
{
    switch (controllerType) {
    case ctype::kOneAxis: return axis::kX;
    case ctype::kTwoAxes: return axis == axis::kBoth ? axis::kX : axis;
    case ctype::kInterpolated: return axis::kBoth;
    default: return axis;
    }
}

QString InterpolationRefusal(int objectType, std::int32_t controllerType)
{
    if (objectType == objtype::kCodeCir &&
        (ctype::IsOneAxis(controllerType) || ctype::HasIndependentAxes(controllerType)))
        return LoadStr(IDS_CIRCULAR_REFUSED) + LoadStr(ctype::HasIndependentAxes(controllerType)
                                                           ? IDS_CIRCULAR_FOR_TWO_AXES
                                                           : IDS_CIRCULAR_FOR_ONE_AXIS);
    if (objectType == objtype::kCodeLine && ctype::HasIndependentAxes(controllerType))
        return LoadStr(IDS_LINEAR_REFUSED);
    return QString();
}

UINT DroppedStartRefusal(std::int32_t axis, std::int32_t controllerType)
{
    if (ctype::IsInterpolated(controllerType) && axis::IsXOrY(axis)) return IDS_DROP_ONE_AXIS_START_ON_BOTH;
    if (!ctype::IsInterpolated(controllerType) && axis == axis::kBoth) return IDS_DROP_BOTH_AXES_START_ELSEWHERE;
    if (ctype::IsOneAxis(controllerType) && axis == axis::kY) return IDS_DROP_Y_START_ON_ONE_AXIS;
    return 0;
}

QString FilterRefusal(const CHOXDrawObj& object, std::int32_t controllerType)
{
    if (CHOXClipboard::PassesDragFilter(&object, controllerType)) return QString();
    if (!HoldsProgram(object)) return InterpolationRefusal(object.GetObjectType(), controllerType);
    std::int32_t axis = axis::kX;
    std::int32_t number = 0;
    static_cast<const CHOXSymbol&>(object).GetHeldProgramNumber(&axis, &number);
    const UINT id = DroppedStartRefusal(axis, controllerType);
    return id != 0 ? LoadStr(id) : QString();
}

} // namespace transfer
