#include "symbols/func/HOXFuncExt.h"

#include "app/PaletteTools.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "symbols/func/HOXFuncExtDlg.h"

#include <QStringList>

KT_IMPLEMENT_SERIAL(CHOXFuncExt, CHOXFuncSymbol, 0)
KT_REGISTER_SYMBOL_TOOL(ID_TOOL_FUNC_EXT, CHOXFuncExt)

CHOXFuncExt::CHOXFuncExt() : CHOXFuncSymbol("EXTERNAL DIGITAL SWITCH") { UpdateText(); }

CHOXFuncExt::CHOXFuncExt(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncSymbol("EXTERNAL DIGITAL SWITCH", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncExt::Serialize(CArchive& ar)
{
    CHOXFuncSymbol::Serialize(ar);
    for (CHOXSelectVal& operand : m_operands) operand.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_n32Bit;
        return;
    }
    std::int32_t is32Bit = 0;
    ar >> is32Bit;
    m_n32Bit = is32Bit;
}

void CHOXFuncExt::UpdateText()
{
    QStringList texts;
    for (const CHOXSelectVal& operand : m_operands) texts << operand.GetText();
    m_strLabel = texts.join(QLatin1Char('\n'));
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
               OperandWeight(m_operands[2], is32Bit) + (m_operands[3].IsDeviceType(CHOXSelectVal::kK) ? 2 : 0);
}

void CHOXFuncExt::SetFromInstruction(QString name, QString operand1, QString operand2, QString operand3,
                                     QString operand4)
{
    ParseOperand(m_operands[0], operand1);
    ParseOperand(m_operands[1], operand2);
    ParseOperand(m_operands[2], operand3);
    ParseOperand(m_operands[3], operand4);
    m_n32Bit = name == LoadStr(13555) ? 1 : 0;
    SetCaption("EXTERNAL DIGITAL SWITCH");
    UpdateText();
    CalcSteps();
}

void CHOXFuncExt::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncExtDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeComment(dlg);
    for (int i = 0; i < 4; ++i) SetOperand(i, dlg.GetOperand(i));
    m_n32Bit = dlg.Get32Bit();
    CalcSteps();
    UpdateText();
    FinishEdit();
}
