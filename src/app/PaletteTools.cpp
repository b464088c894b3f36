#include "app/PaletteTools.h"

#include "app/ProgramState.h"

#include "platform/Strings.h"

#include <algorithm>
#include <array>

namespace {
constexpr PaletteTool kFlowTools[] = {
    {20101, "START", 0x1006A},
    {20102, "END", 0x1006B},
    {20103, "SUBROUTINE", 0x1008D},
    {20104, "RET", 0x1006C},
    {20105, "PROGRAM in TEXT", 0x1006D},
    {20108, "JUMP", 0x1006E},
    {20109, "POINTER", 0x1006F},
    {20107, "CONDITIONAL JUMP", 0x10070},
    {20106, "SUBROUTINE CALL", 0x10071},
};

constexpr PaletteTool kCodeTools[] = {
    {20201, "DRIVE", 0x10072},
    {20202, "DRIVE TO ZERO", 0x10073},
    {20203, "LINEAR", 0x10074},
    {20204, "CIRCULAR", 0x10075},
    {20205, "INCREMENTAL OR ABSOLUTE", 0x10076},
    {20206, "TIMER", 0x10077},
    {20207, "SET ADDRESS", 0x1008C},
    {20208, "CHK", 0x10079},
    {20209, "DRVR", 0x1007A},
    {20210, "INTERRUPT", 0x1007B},
    {20211, "COMPENSATION", 0x1007C},
    {20212, "MCODE", 0x1007D},
};

constexpr PaletteTool kFuncTools[] = {
    {20300, "REPEAT", 0x1007E},
    {20301, "MOVE", 0x1007F},
    {20302, "BIN - BCD", 0x10080},
    {20303, "ARITHMETIC", 0x10081},
    {20304, "LOGICAL", 0x10082},
    {20305, "X-ABSOLUTE", 0x10083},
    {20306, "EXTERNAL DIGITAL SWITCH", 0x10084},
    {20307, "SEGMENT DISPLAY", 0x10085},
    {20308, "SET", 0x10086},
};

PaletteScroll g_none;
} // namespace

std::span<const PaletteTool> PaletteTools(int group)
{
    switch (group) {
    case kFlowGroup: return kFlowTools;
    case kCodeGroup: return kCodeTools;
    case kFuncGroup: return kFuncTools;
    default: return {};
    }
}

const PaletteTool* FindPaletteTool(UINT id)
{
    for (int group = 0; group < kPaletteGroups; ++group)
        for (const PaletteTool& tool : PaletteTools(group))
            if (tool.id == id) return &tool;
    return nullptr;
}

bool IsPaletteTool(UINT id) { return FindPaletteTool(id) != nullptr; }

UINT PaletteGroupCommand(int group)
{
    switch (group) {
    case kCodeGroup: return ID_CODE_GROUP;
    case kFuncGroup: return ID_FUNC_GROUP;
    default: return ID_FLOW_GROUP;
    }
}

QString PaletteToolTip(UINT id)
{
    UINT text = 0;
    switch (id) {
    case ID_FLOW_GROUP: text = 13010; break;
    case ID_FUNC_GROUP: text = 13008; break;
    case ID_CODE_GROUP: text = 13009; break;
    case ID_CONNECT_BUTTON: text = 32078; break;
    case ID_PALETTE_DOWN:
    case ID_PALETTE_UP:
    case ID_PALETTE_SLIDER: text = 13011; break;
    default: text = IsPaletteTool(id) ? id : 0; break;
    }
    if (text == 0) return {};
    // A text with a line break holds the status line before it and the tip
    // after it.
    const QString s = LoadStr(text);
    const qsizetype newline = s.indexOf(u'\n');
    return (newline >= 0 ? s.mid(newline + 1) : s).left(63);
}

int PaletteSliderMax(int last)
{
    const int beyond = last - 7;
    return beyond / 2 + (beyond > 0 && beyond % 2 != 0 ? 1 : 0);
}

int PaletteShownLast(int first, int last) { return std::min(first + kPaletteSlots - 1, last); }

PaletteScroll& PaletteScrollOf(int group)
{
    if (group < 0 || group >= kPaletteGroups) {
        g_none = {};
        return g_none;
    }
    return Program().palette[static_cast<std::size_t>(group)];
}

void ResetPaletteScroll()
{
    for (int group = 0; group < kPaletteGroups; ++group)
        PaletteScrollOf(group) = {0, static_cast<std::int32_t>(PaletteTools(group).size()) - 1};
}
