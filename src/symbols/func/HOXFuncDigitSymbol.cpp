#include "symbols/func/HOXFuncDigitSymbol.h"

#include "platform/Archive.h"
#include "platform/Strings.h"

#include <QStringList>

KT_IMPLEMENT_DYNAMIC(CHOXFuncDigitSymbol, CHOXFuncSymbol)

void CHOXFuncDigitSymbol::Serialize(CArchive& ar)
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

void CHOXFuncDigitSymbol::UpdateText()
{
    QStringList texts;
    for (const CHOXSelectVal& operand : m_operands) texts << operand.GetText();
    m_strLabel = texts.join(QLatin1Char('\n'));
}

void CHOXFuncDigitSymbol::SetFromWords(const QString& name, UINT wide32, const char* caption,
                                       std::initializer_list<QString> operands)
{
    std::size_t i = 0;
    for (const QString& text : operands) {
        if (i < m_operands.size()) ParseOperand(m_operands[i], text);
        ++i;
    }
    m_n32Bit = name == LoadStr(wide32) ? 1 : 0;
    SetCaption(caption);
    UpdateText();
    CalcSteps();
}
