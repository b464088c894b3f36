// The kinds of the monitor page whose classes are still to come: their type
// numbers and help pages are fixed already, so help by object type answers
// for them. When a class arrives, its row goes beside its
// KT_IMPLEMENT_SERIAL with the class's name and maker.
#include "chart/ObjectKinds.h"

namespace {
constexpr ObjectKind kComing[] = {
    {.type = objtype::kOle, .helpContext = 0x10087},             // the embedded item's holder
};

[[maybe_unused]] const bool kRegistered = [] {
    for (const ObjectKind& kind : kComing) kinds::Register(kind);
    return true;
}();
} // namespace
