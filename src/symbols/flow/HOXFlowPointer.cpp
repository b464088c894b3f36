#include "symbols/flow/HOXFlowPointer.h"

#include "chart/ChartLookup.h"
#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "res/CommandIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/HOXFlowPointerDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowPointer, CHOXFlowLabel, 0)
namespace {
constexpr KindIcon kFlowPointerIcons[] = {{"POINTER", 4011, 4087}};
} // namespace
KT_REGISTER_KIND(CHOXFlowPointer, .type = objtype::kFlowPointer, .tool = ID_TOOL_FLOW_POINTER, .paletteName = "POINTER",
                 .helpContext = 0x1006F, .icons = kFlowPointerIcons, .maker = &MakeObjectOf<CHOXFlowPointer>)

CHOXFlowPointer::CHOXFlowPointer() : CHOXFlowLabel("POINTER") {}

CHOXFlowPointer::CHOXFlowPointer(CPoint topLeft, CHOXWnd* wnd) : CHOXFlowLabel("POINTER", topLeft, wnd)
{
    UpdateText();
}

std::vector<CHOXSymbol::HeldNumber> CHOXFlowPointer::GetHeldNumbers() const
{
    std::vector<HeldNumber> held = CHOXFlowLabel::GetHeldNumbers();
    for (HeldNumber& number : held)
        if (number.number >= 0 && chart::FindNode(m_pWnd, static_cast<DWORD>(number.number)) != nullptr)
            number.givesBack = false;
    return held;
}

void CHOXFlowPointer::UpdateText()
{
    if (chart::IsMonitorRecord(m_pWnd))
        m_strLabel.clear();
    else
        SetLabelFromNumber();
}

void CHOXFlowPointer::OnOpen(UINT, CPoint)
{
    if (!chart::IsFlowRecord(m_pWnd)) return;
    CHOXFlowPointerDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    const bool wasError = m_nState == kError;
    TakeNumberFrom(dlg);
    if (wasError) m_nState = kNormal;
    UpdateText();
    RenumberWireNode(m_nPointerNumber);
    flowsym::SetModified(*this);
    flowsym::ClearUndo(*this);
    flowsym::Redraw(*this);
}
