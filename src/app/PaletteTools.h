#pragma once
// The tools of the symbol palette in their three groups (flow control,
// positioning codes, function instructions), and the scroll state that the
// whole program shares: per group the first shown position and the last one.
// A group's bar shows eight tools, two to a row; it scrolls by rows.
#include "chart/ObjectKinds.h"
#include "platform/Geometry.h"
#include "platform/Types.h"
#include "res/CommandIds.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <span>

class CHOXSymbol;
class CHOXWnd;

// Makes a tool's symbol: a new symbol with its top-left corner at the point,
// owned by the window record, without an id.
using SymbolMaker = ObjectMaker;

// Groups in the order of `m_nPaletteGroup`.
constexpr int kFlowGroup = 0;
constexpr int kCodeGroup = 1;
constexpr int kFuncGroup = 2;
constexpr int kPaletteGroups = 3;
// Buttons a group bar shows at a time.
constexpr int kPaletteSlots = 8;

// One position of a group: the tool the table puts there, and what the kind
// that tool places says of it, read from the kind itself.
struct PaletteTool {
    UINT id;
    // The tool's name; also the key of its picture among the symbol icons.
    const char* const& caption;
    const UINT& helpContext;
    // Null while the tool has no symbol.
    const SymbolMaker& maker;
};

// The tools of a group in position order; empty for another group number.
std::span<const PaletteTool> PaletteTools(int group);
// The tool with that command id, or null.
const PaletteTool* FindPaletteTool(UINT id);
bool IsPaletteTool(UINT id);

// Lets the tool make other symbols (a test's); false when the id is no tool.
bool RegisterSymbolMaker(UINT tool, SymbolMaker maker);
// The tool's symbol; null for an id that is no tool or a tool without a
// symbol.
std::unique_ptr<CHOXSymbol> MakeToolSymbol(UINT tool, CPoint topLeft, CHOXWnd* wnd);

template <class T>
std::unique_ptr<CHOXDrawObj> MakeSymbolOf(CPoint topLeft, CHOXWnd* wnd)
{
    return MakeObjectOf<T>(topLeft, wnd);
}

// The group's command (ID_FLOW_GROUP, ID_CODE_GROUP, ID_FUNC_GROUP); its help context
// is the group's default one.
UINT PaletteGroupCommand(int group);
// The whole tip text of a bar control (palette tool, group button, scroll
// control, connect button, zoom box): a status line and the tip after a line
// break, or one text for both; empty for other ids.
QString ControlTipText(UINT id);
// The tip over a palette control (tool, group button, scroll control or the
// connect button); empty for other ids.
QString PaletteToolTip(UINT id);

// The slider's greatest position for a group whose last position is given:
// one step per row beyond the first four, a started row counting as one.
int PaletteSliderMax(int last);
// The last shown position for the first one.
int PaletteShownLast(int first, int last);

// The program-wide scroll state of a group.
struct PaletteScroll {
    std::int32_t first = 0;
    std::int32_t last = 0;
};
PaletteScroll& PaletteScrollOf(int group);
// First 0 in every group, last 8, 11 and 8 (the tool table's).
void ResetPaletteScroll();
