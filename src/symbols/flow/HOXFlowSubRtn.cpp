#include "symbols/flow/HOXFlowSubRtn.h"

#include "app/PaletteTools.h"

KT_IMPLEMENT_SERIAL(CHOXFlowSubRtn, CHOXFlowLabel, 0)
KT_REGISTER_SYMBOL_TOOL(ID_TOOL_FLOW_SUBRTN, CHOXFlowSubRtn)

CHOXFlowSubRtn::CHOXFlowSubRtn() : CHOXFlowLabel("SUBROUTINE") {}

CHOXFlowSubRtn::CHOXFlowSubRtn(CPoint topLeft, CHOXWnd* wnd) : CHOXFlowLabel("SUBROUTINE", topLeft, wnd)
{
    UpdateText();
}
