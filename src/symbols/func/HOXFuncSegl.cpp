#include "symbols/func/HOXFuncSegl.h"

#include "chart/ObjectKinds.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncSeglDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncSegl, CHOXFuncDigitSymbol, 0)
namespace {
constexpr KindIcon kFuncSeglIcons[] = {{"SEGMENT DISPLAY", 4048}};
} // namespace
KT_REGISTER_KIND(CHOXFuncSegl, .type = objtype::kFuncSegl, .tool = ID_TOOL_FUNC_SEGL, .paletteName = "SEGMENT DISPLAY",
                 .helpContext = 0x10085, .icons = kFuncSeglIcons, .maker = &MakeObjectOf<CHOXFuncSegl>)

CHOXFuncSegl::CHOXFuncSegl() : CHOXFuncDigitSymbol("SEGMENT DISPLAY") { UpdateText(); }

CHOXFuncSegl::CHOXFuncSegl(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncDigitSymbol("SEGMENT DISPLAY", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

QString CHOXFuncSegl::GetCode()
{
    return Statement(m_n32Bit != 0 ? 13148 : 13085, {m_operands[0].GetText(), m_operands[1].GetText(),
                                                     m_operands[2].GetText(), m_operands[3].GetText()});
}

// Only the word shown can be a data register.
int CHOXFuncSegl::GetErrorState() { return OperandErrorState(m_operands[0], {&m_operands[0]}); }

void CHOXFuncSegl::CalcSteps()
{
    if (InMonitorWindow()) return;
    const bool is32Bit = m_n32Bit != 0;
    // Digits and logic are counted only as constants.
    m_nSteps = 2 + OperandWeight(m_operands[0], is32Bit) + OperandWeight(m_operands[1], is32Bit) +
               ConstantOnlyWeight(2) + ConstantOnlyWeight(3);
}

void CHOXFuncSegl::SetFromInstruction(QString name, QString operand1, QString operand2, QString operand3,
                                      QString operand4)
{
    SetFromWords(name, 13562, "SEGMENT DISPLAY", {operand1, operand2, operand3, operand4});
}

void CHOXFuncSegl::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncSeglDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialog(dlg);
}
