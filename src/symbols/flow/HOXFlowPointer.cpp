#include "symbols/flow/HOXFlowPointer.h"

#include "app/PaletteTools.h"
#include "chart/ChartLookup.h"
#include "chart/SymbolSupport.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/HOXFlowPointerDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowPointer, CHOXFlowLabel, 0)
KT_REGISTER_SYMBOL_TOOL(ID_TOOL_FLOW_POINTER, CHOXFlowPointer)

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
