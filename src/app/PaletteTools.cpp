#include "app/PaletteTools.h"

#include "app/ProgramState.h"
#include "chart/HOXSymbol.h"
#include "platform/Strings.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {
// Each group's tools in position order; what a tool places, its name and its
// help come from the kind that has the tool.
constexpr UINT kFlowTools[] = {
    ID_TOOL_FLOW_START, ID_TOOL_FLOW_END,     ID_TOOL_FLOW_SUBRTN, ID_TOOL_FLOW_RET,  ID_TOOL_FLOW_PROGTEXT,
    ID_TOOL_FLOW_JUMP,  ID_TOOL_FLOW_POINTER, ID_TOOL_FLOW_CJUMP,  ID_TOOL_FLOW_CALL,
};

constexpr UINT kCodeTools[] = {
    ID_TOOL_CODE_DRV,      ID_TOOL_CODE_DRVZ, ID_TOOL_CODE_LINE,    ID_TOOL_CODE_CIR,
    ID_TOOL_CODE_INCABS,   ID_TOOL_CODE_TIME, ID_TOOL_CODE_SETADDR, ID_TOOL_CODE_CHK,
    ID_TOOL_CODE_SETRDRVR, ID_TOOL_CODE_INT,  ID_TOOL_CODE_COMP,    ID_TOOL_CODE_MCODE,
};

constexpr UINT kFuncTools[] = {
    ID_TOOL_FUNC_REPEAT, ID_TOOL_FUNC_MOVE, ID_TOOL_FUNC_BCDBIN, ID_TOOL_FUNC_ARTH,   ID_TOOL_FUNC_LOGICAL,
    ID_TOOL_FUNC_ABS,    ID_TOOL_FUNC_EXT,  ID_TOOL_FUNC_SEGL,   ID_TOOL_FUNC_SETRST,
};

std::span<const UINT> ToolIds(int group)
{
    switch (group) {
    case kFlowGroup: return kFlowTools;
    case kCodeGroup: return kCodeTools;
    case kFuncGroup: return kFuncTools;
    default: return {};
    }
}

// Stands in for the kind of a tool that no class has registered, so that
// the tool shows without a name and makes nothing.
const ObjectKind kNoKind{};

// The kinds register during static initialisation, so the rows are made at
// the first question, when they all have.
const std::vector<PaletteTool>& Rows(int group)
{
    static const auto rows = [] {
        std::array<std::vector<PaletteTool>, kPaletteGroups> all;
        for (int g = 0; g < kPaletteGroups; ++g) {
            for (UINT id : ToolIds(g)) {
                const ObjectKind* kind = kinds::ByTool(id);
                if (kind == nullptr) kind = &kNoKind;
                all[static_cast<std::size_t>(g)].push_back(
                    PaletteTool{id, kind->paletteName, kind->helpContext, kind->maker});
            }
        }
        return all;
    }();
    static const std::vector<PaletteTool> none;
    return group >= 0 && group < kPaletteGroups ? rows[static_cast<std::size_t>(group)] : none;
}

PaletteScroll g_none;
} // namespace

std::span<const PaletteTool> PaletteTools(int group) { return Rows(group); }

const PaletteTool* FindPaletteTool(UINT id)
{
    for (int group = 0; group < kPaletteGroups; ++group)
        for (const PaletteTool& tool : PaletteTools(group))
            if (tool.id == id) return &tool;
    return nullptr;
}

bool IsPaletteTool(UINT id)
{
    // From the lists alone, which stand before any kind registers.
    for (int group = 0; group < kPaletteGroups; ++group)
        if (std::ranges::find(ToolIds(group), id) != ToolIds(group).end()) return true;
    return false;
}

bool RegisterSymbolMaker(UINT tool, SymbolMaker maker)
{
    return IsPaletteTool(tool) && kinds::SetToolMaker(tool, maker);
}

std::unique_ptr<CHOXSymbol> MakeToolSymbol(UINT tool, CPoint topLeft, CHOXWnd* wnd)
{
    if (!IsPaletteTool(tool)) return nullptr;
    std::unique_ptr<CHOXDrawObj> made = kinds::MakeForTool(tool, topLeft, wnd);
    // Every tool places a symbol; anything else is not this function's.
    if (dynamic_cast<CHOXSymbol*>(made.get()) == nullptr) return nullptr;
    return std::unique_ptr<CHOXSymbol>(static_cast<CHOXSymbol*>(made.release()));
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
