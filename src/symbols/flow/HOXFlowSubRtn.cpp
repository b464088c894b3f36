#include "symbols/flow/HOXFlowSubRtn.h"

#include "app/PaletteTools.h"
#include "chart/SymbolSupport.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/HOXFlowPointerDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowSubRtn, CHOXFlowLabel, 0)
KT_REGISTER_SYMBOL_TOOL(ID_TOOL_FLOW_SUBRTN, CHOXFlowSubRtn)

CHOXFlowSubRtn::CHOXFlowSubRtn() : CHOXFlowLabel("SUBROUTINE") {}

CHOXFlowSubRtn::CHOXFlowSubRtn(CPoint topLeft, CHOXWnd* wnd) : CHOXFlowLabel("SUBROUTINE", topLeft, wnd)
{
    UpdateText();
}

void CHOXFlowSubRtn::OnOpen(UINT, CPoint)
{
    if (!chart::IsFlowRecord(m_pWnd)) return;
    CHOXFlowPointerDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeNumberFrom(dlg);
    m_nState = kNormal;
    UpdateText();
    flowsym::SetModified(*this);
    flowsym::Redraw(*this);
    flowsym::ClearUndo(*this);
}
