#include "symbols/func/HOXFuncExt.h"

#include "chart/ObjectKinds.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncExtDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncExt, CHOXFuncDigitSymbol, 0)
namespace {
constexpr KindIcon kFuncExtIcons[] = {{"EXTERNAL DIGITAL SWITCH", 4044}};
} // namespace
KT_REGISTER_KIND(CHOXFuncExt, .type = objtype::kFuncExt, .tool = ID_TOOL_FUNC_EXT,
                 .paletteName = "EXTERNAL DIGITAL SWITCH", .helpContext = 0x10084, .icons = kFuncExtIcons,
                 .maker = &MakeObjectOf<CHOXFuncExt>)

CHOXFuncExt::CHOXFuncExt() : CHOXFuncDigitSymbol("EXTERNAL DIGITAL SWITCH") { UpdateText(); }

CHOXFuncExt::CHOXFuncExt(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncDigitSymbol("EXTERNAL DIGITAL SWITCH", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

QString CHOXFuncExt::GetCode()
{
    return Statement(m_n32Bit != 0 ? 13149 : 13084, {m_operands[0].GetText(), m_operands[1].GetText(),
                                                     m_operands[2].GetText(), m_operands[3].GetText()});
}

// Only the word that takes the value can be a data register.
int CHOXFuncExt::GetErrorState() { return OperandErrorState(m_operands[0], {&m_operands[2]}); }

void CHOXFuncExt::CalcSteps()
{
    if (InMonitorWindow()) return;
    const bool is32Bit = m_n32Bit != 0;
    // The digits are counted only as a constant.
    m_nSteps = 2 + OperandWeight(m_operands[0], is32Bit) + OperandWeight(m_operands[1], is32Bit) +
               OperandWeight(m_operands[2], is32Bit) + ConstantOnlyWeight(3);
}

void CHOXFuncExt::SetFromInstruction(QString name, QString operand1, QString operand2, QString operand3,
                                     QString operand4)
{
    SetFromWords(name, 13555, "EXTERNAL DIGITAL SWITCH", {operand1, operand2, operand3, operand4});
}

void CHOXFuncExt::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncExtDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialog(dlg);
}
