#include "app/SymbolIconTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// The order the pictures load in: flow control, positioning codes, function
// instructions, each group's main pictures before their variants.
// clang-format off
constexpr const char* kOrder[] = {
    // Flow control.
    "START", "END", "SUBROUTINE", "RET", "SUBROUTINE CALL", "JUMP", "POINTER", "CONDITIONAL JUMP", "PROGRAM in TEXT",
    "JUMPWEND",
    // Positioning codes.
    "DRIVE", "DRIVE TO ZERO", "LINEAR", "CIRCULAR", "INCREMENTAL OR ABSOLUTE", "TIMER", "SET ADDRESS", "CHK", "DRVR",
    "INTERRUPT", "COMPENSATION", "MCODE", "LINEAR INT", "CIRCULAR CW", "CIRCULAR CCW", "INCREMENTAL", "ABSOLUTE",
    "SETR", "ONE STEP INTERRUPT", "TWO STEP INTERRUPT", "MOVE COMPENSATION", "CENTER COMPENSATION",
    "RADIOUS COMPENSATION", "CANCEL COMPENSATION",
    // Function instructions, and the one-axis interpolation pictures.
    "REPEAT", "MOVE", "BCD - BIN", "ARITHMETIC", "LOGICAL", "X-ABSOLUTE", "EXTERNAL DIGITAL SWITCH",
    "SEGMENT DISPLAY", "SET", "REPEAT END", "MAGNIFICATION MOVE", "REDUCTION MOVE", "BIN - BCD", "SUBTRACT",
    "MULTIPLY", "DIVISION", "INCREMENT", "DECREMENT", "COMPLEMENT", "LOGICAL WOR", "LOGICAL WXOR", "Y-ABSOLUTE",
    "RESET", "LINEAR 10QW", "LINEAR INT10QW",
};
// clang-format on

const KindIcon* FindIcon(const char* name)
{
    for (const ObjectKind* kind : kinds::All())
        for (const KindIcon& icon : kind->icons)
            if (std::strcmp(icon.name, name) == 0) return &icon;
    return nullptr;
}

std::vector<KindIcon> Collect()
{
    std::vector<KindIcon> table;
    for (const char* name : kOrder) {
        if (const KindIcon* icon = FindIcon(name)) table.push_back(*icon);
    }
    // Pictures of kinds that came later follow the listed ones.
    for (const ObjectKind* kind : kinds::All())
        for (const KindIcon& icon : kind->icons)
            if (std::ranges::none_of(kOrder, [&](const char* name) { return std::strcmp(name, icon.name) == 0; }))
                table.push_back(icon);
    return table;
}
} // namespace

std::span<const SymbolIconResources> SymbolIconTable()
{
    // The kinds have all registered once the program runs.
    static const std::vector<KindIcon> table = Collect();
    return table;
}
