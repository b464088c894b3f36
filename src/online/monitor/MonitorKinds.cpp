// The kinds of the monitor page whose classes are still to come: their type
// numbers and help pages are fixed already, so help by object type answers
// for them. When a class arrives, its row goes beside its
// KT_IMPLEMENT_SERIAL with the class's name and maker.
#include "chart/ObjectKinds.h"

namespace {
constexpr ObjectKind kComing[] = {
    {.type = objtype::kMonCurPos, .helpContext = 0x18079},       // current position
    {.type = objtype::kMonPlotObj, .helpContext = 0x18073},      // plot
    {.type = objtype::kMonDevStat, .helpContext = 0x18074},      // device status
    {.type = objtype::kMonManOpern, .helpContext = 0x18075},     // manual operation
    {.type = objtype::kMonManInputStat, .helpContext = 0x18076}, // manual input status
    {.type = objtype::kMonKZQWStat, .helpContext = 0x18077},     // controller status
    {.type = objtype::kMonProgInfo, .helpContext = 0x18078},     // program information
};

[[maybe_unused]] const bool kRegistered = [] {
    for (const ObjectKind& kind : kComing) kinds::Register(kind);
    return true;
}();
} // namespace
