#include "app/PaletteTools.h"

#include "app/ProgramState.h"
#include "chart/HOXSymbol.h"
#include "platform/Strings.h"

#include <algorithm>
#include <array>

namespace {
// Constant until the symbol classes register their makers at start-up.
constinit PaletteTool kFlowTools[] = {
    {ID_TOOL_FLOW_START, "START", 0x1006A},
    {ID_TOOL_FLOW_END, "END", 0x1006B},
    {ID_TOOL_FLOW_SUBRTN, "SUBROUTINE", 0x1008D},
    {ID_TOOL_FLOW_RET, "RET", 0x1006C},
    {ID_TOOL_FLOW_PROGTEXT, "PROGRAM in TEXT", 0x1006D},
    {ID_TOOL_FLOW_JUMP, "JUMP", 0x1006E},
    {ID_TOOL_FLOW_POINTER, "POINTER", 0x1006F},
    {ID_TOOL_FLOW_CJUMP, "CONDITIONAL JUMP", 0x10070},
    {ID_TOOL_FLOW_CALL, "SUBROUTINE CALL", 0x10071},
};

constinit PaletteTool kCodeTools[] = {
    {ID_TOOL_CODE_DRV, "DRIVE", 0x10072},
    {ID_TOOL_CODE_DRVZ, "DRIVE TO ZERO", 0x10073},
    {ID_TOOL_CODE_LINE, "LINEAR", 0x10074},
    {ID_TOOL_CODE_CIR, "CIRCULAR", 0x10075},
    {ID_TOOL_CODE_INCABS, "INCREMENTAL OR ABSOLUTE", 0x10076},
    {ID_TOOL_CODE_TIME, "TIMER", 0x10077},
    {ID_TOOL_CODE_SETADDR, "SET ADDRESS", 0x1008C},
    {ID_TOOL_CODE_CHK, "CHK", 0x10079},
    {ID_TOOL_CODE_SETRDRVR, "DRVR", 0x1007A},
    {ID_TOOL_CODE_INT, "INTERRUPT", 0x1007B},
    {ID_TOOL_CODE_COMP, "COMPENSATION", 0x1007C},
    {ID_TOOL_CODE_MCODE, "MCODE", 0x1007D},
};

constinit PaletteTool kFuncTools[] = {
    {ID_TOOL_FUNC_REPEAT, "REPEAT", 0x1007E},
    {ID_TOOL_FUNC_MOVE, "MOVE", 0x1007F},
    {ID_TOOL_FUNC_BCDBIN, "BIN - BCD", 0x10080},
    {ID_TOOL_FUNC_ARTH, "ARITHMETIC", 0x10081},
    {ID_TOOL_FUNC_LOGICAL, "LOGICAL", 0x10082},
    {ID_TOOL_FUNC_ABS, "X-ABSOLUTE", 0x10083},
    {ID_TOOL_FUNC_EXT, "EXTERNAL DIGITAL SWITCH", 0x10084},
    {ID_TOOL_FUNC_SEGL, "SEGMENT DISPLAY", 0x10085},
    {ID_TOOL_FUNC_SETRST, "SET", 0x10086},
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

namespace {
PaletteTool* FindToolRow(UINT id)
{
    for (std::span<PaletteTool> tools : {std::span<PaletteTool>(kFlowTools), std::span<PaletteTool>(kCodeTools),
                                         std::span<PaletteTool>(kFuncTools)})
        for (PaletteTool& tool : tools)
            if (tool.id == id) return &tool;
    return nullptr;
}
} // namespace

bool RegisterSymbolMaker(UINT tool, SymbolMaker maker)
{
    PaletteTool* row = FindToolRow(tool);
    if (row == nullptr) return false;
    row->maker = maker;
    return true;
}

std::unique_ptr<CHOXSymbol> MakeToolSymbol(UINT tool, CPoint topLeft, CHOXWnd* wnd)
{
    const PaletteTool* row = FindPaletteTool(tool);
    if (row == nullptr || row->maker == nullptr) return nullptr;
    return row->maker(topLeft, wnd);
}

UINT PaletteGroupCommand(int group)
{
    switch (group) {
    case kCodeGroup: return ID_CODE_GROUP;
    case kFuncGroup: return ID_FUNC_GROUP;
    default: return ID_FLOW_GROUP;
    }
}

QString ControlTipText(UINT id)
{
    UINT text = 0;
    switch (id) {
    case ID_FLOW_GROUP: text = 13010; break;
    case ID_FUNC_GROUP: text = 13008; break;
    case ID_CODE_GROUP: text = 13009; break;
    case ID_CONNECT_BUTTON: text = ID_WIRE_TOOL; break;
    case ID_PALETTE_DOWN:
    case ID_PALETTE_UP:
    case ID_PALETTE_SLIDER: text = 13011; break;
    case ID_ZOOM_BOX: text = ID_ZOOM_BOX; break;
    default: text = IsPaletteTool(id) ? id : 0; break;
    }
    return text != 0 ? LoadStr(text) : QString();
}

QString PaletteToolTip(UINT id)
{
    // A text with a line break holds the status line before it and the tip
    // after it.
    const QString s = ControlTipText(id);
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
