#include "symbols/code/CodeText.h"

#include "symbols/operand/HOXCompSetting.h"

namespace codetext {

QString AddressingLine(std::int32_t incremental)
{
    return incremental == 1 ? QStringLiteral("cod91(INC);") : QStringLiteral("cod90(ABS);");
}

QString AddressingLabel(std::int32_t incremental)
{
    return incremental == 1 ? QStringLiteral("INC") : QStringLiteral("ABS");
}

namespace {
// The operands of MOVC or CNTC by their used flags: "x100 y200", "i5 ", "j5".
QString PairOperands(const CHOXCompSetting& comp, const char* first, const char* second)
{
    QString text;
    if (comp.IsOperand1Used() != 0) text += QString::fromLatin1(first) + comp.GetOperand1Text() + QStringLiteral(" ");
    if (comp.IsOperand2Used() != 0) text += QString::fromLatin1(second) + comp.GetOperand2Text();
    return text;
}

int PairSteps(const CHOXCompSetting& comp)
{
    return 2 + (comp.IsOperand1Used() != 0 ? 2 : 0) + (comp.IsOperand2Used() != 0 ? 2 : 0);
}
} // namespace

QString CompensationLine(const CHOXCompSetting& comp, CompForm form)
{
    switch (comp.GetKind()) {
    case CHOXCompSetting::kMovc:
        if (form == CompForm::kCircular) return QString();
        return QStringLiteral("cod73(MOVC) ") + PairOperands(comp, "x", "y") + QStringLiteral(";");
    case CHOXCompSetting::kRadc:
        if (form == CompForm::kInterrupt) return QString();
        return QStringLiteral("cod75(RADC) r") + comp.GetOperand1Text() + QStringLiteral(";");
    case CHOXCompSetting::kCntc:
        if (form == CompForm::kInterrupt) return QString();
        return QStringLiteral("cod74(CNTC) ") + PairOperands(comp, "i", "j") + QStringLiteral(";");
    case CHOXCompSetting::kCanc:
        return form == CompForm::kLinear || form == CompForm::kInterrupt ? QStringLiteral("cod76(CANC);")
                                                                         : QStringLiteral("cod76(CANC) ;");
    default: return QString();
    }
}

int CompensationSteps(const CHOXCompSetting& comp, CompForm form)
{
    switch (comp.GetKind()) {
    case CHOXCompSetting::kMovc: return PairSteps(comp);
    // The interrupt code counts RADC and CNTC as 2 although it writes
    // neither.
    case CHOXCompSetting::kRadc: return form == CompForm::kInterrupt ? 2 : 4;
    case CHOXCompSetting::kCntc: return form == CompForm::kInterrupt ? 2 : PairSteps(comp);
    case CHOXCompSetting::kCanc: return 2;
    default: return 0;
    }
}

QString CompensationLabel(const CHOXCompSetting& comp, CompForm form)
{
    switch (comp.GetKind()) {
    case CHOXCompSetting::kMovc:
        if (form == CompForm::kCircular) return QString();
        return QStringLiteral("MOVC ") + PairOperands(comp, "X", "Y");
    case CHOXCompSetting::kRadc: return QStringLiteral("RADC r") + comp.GetOperand1Text();
    case CHOXCompSetting::kCntc: return QStringLiteral("CNTC ") + PairOperands(comp, "i", "j");
    case CHOXCompSetting::kCanc: return QStringLiteral("CANC");
    default: return QString();
    }
}

QString McodeWord(int mcode) { return QStringLiteral(" m") + QString::number(mcode); }

} // namespace codetext
