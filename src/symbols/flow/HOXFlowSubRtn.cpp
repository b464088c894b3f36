#include "symbols/flow/HOXFlowSubRtn.h"

#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "res/CommandIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/HOXFlowPointerDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowSubRtn, CHOXFlowLabel, 0)
namespace {
constexpr KindIcon kFlowSubRtnIcons[] = {{"SUBROUTINE", 4007, 4086}};
} // namespace
KT_REGISTER_KIND(CHOXFlowSubRtn, .type = objtype::kFlowSubRtn, .tool = ID_TOOL_FLOW_SUBRTN, .paletteName = "SUBROUTINE",
                 .helpContext = 0x1008D, .icons = kFlowSubRtnIcons, .maker = &MakeObjectOf<CHOXFlowSubRtn>)

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
