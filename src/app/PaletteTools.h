#pragma once
// The tools of the symbol palette in their three groups (flow control,
// positioning codes, function instructions), and the scroll state that the
// whole program shares: per group the first shown position and the last one.
// A group's bar shows eight tools, two to a row; it scrolls by rows.
#include "platform/Types.h"

#include <QString>

#include <cstdint>
#include <span>

// Groups in the order of `m_nPaletteGroup`.
constexpr int kFlowGroup = 0;
constexpr int kCodeGroup = 1;
constexpr int kFuncGroup = 2;
constexpr int kPaletteGroups = 3;
// Buttons a group bar shows at a time.
constexpr int kPaletteSlots = 8;

// Commands and controls of the palette.
constexpr UINT ID_FLOW_GROUP = 8001;
constexpr UINT ID_FUNC_GROUP = 8002;
constexpr UINT ID_CODE_GROUP = 8003;
constexpr UINT ID_CONNECT_BUTTON = 8300;
constexpr UINT ID_PALETTE_DOWN = 8449;
constexpr UINT ID_PALETTE_UP = 8450;
constexpr UINT ID_PALETTE_SLIDER = 8452;

struct PaletteTool {
    UINT id;
    // The tool's name; also the key of its picture among the symbol icons.
    const char* caption;
    UINT helpContext;
};

// The tools of a group in position order; empty for another group number.
std::span<const PaletteTool> PaletteTools(int group);
// The tool with that command id, or null.
const PaletteTool* FindPaletteTool(UINT id);
bool IsPaletteTool(UINT id);
// The group's command (8001 Flow, 8003 Code, 8002 Func); its help context
// is the group's default one.
UINT PaletteGroupCommand(int group);
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
