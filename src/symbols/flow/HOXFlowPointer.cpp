#include "symbols/flow/HOXFlowPointer.h"

#include "app/PaletteTools.h"
#include "chart/SymbolSupport.h"

KT_IMPLEMENT_SERIAL(CHOXFlowPointer, CHOXFlowLabel, 0)
KT_REGISTER_SYMBOL_TOOL(ID_TOOL_FLOW_POINTER, CHOXFlowPointer)

CHOXFlowPointer::CHOXFlowPointer() : CHOXFlowLabel("POINTER") {}

CHOXFlowPointer::CHOXFlowPointer(CPoint topLeft, CHOXWnd* wnd) : CHOXFlowLabel("POINTER", topLeft, wnd)
{
    UpdateText();
}

void CHOXFlowPointer::UpdateText()
{
    if (chart::IsMonitorRecord(m_pWnd))
        m_strLabel.clear();
    else
        SetLabelFromNumber();
}
