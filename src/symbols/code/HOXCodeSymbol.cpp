#include "symbols/code/HOXCodeSymbol.h"

#include "app/HOXDoc.h"
#include "chart/SymbolSupport.h"
#include "params/HOXParam.h"
#include "platform/Archive.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/HOXCodeDlg.h"
#include "symbols/operand/HOXCompSetting.h"
#include "symbols/operand/HOXDataReg.h"

KT_IMPLEMENT_DYNAMIC(CHOXCodeSymbol, CHOXSymbol)

CHOXCodeSymbol::CHOXCodeSymbol(const char* caption)
{
    SetCaption(caption);
    m_nCategory = kCodeCategory;
}

CHOXCodeSymbol::CHOXCodeSymbol(const char* caption, CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    SetCaption(caption);
    m_nCategory = kCodeCategory;
}

void CHOXCodeSymbol::Serialize(CArchive& ar)
{
    CHOXSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nMcodeMode << m_byMcode;
        return;
    }
    std::int32_t mode = 0;
    BYTE mcode = 0;
    ar >> mode >> mcode;
    m_nMcodeMode = mode;
    m_byMcode = mcode;
}

std::int32_t CHOXCodeSymbol::ControllerType() const
{
    const CHOXDoc* doc = chart::DocumentOf(m_pWnd);
    return doc != nullptr ? doc->GetControllerType() : -1;
}

bool CHOXCodeSymbol::InMonitorWindow() const { return chart::IsMonitorRecord(m_pWnd); }

CHOXCodeSymbol::OperandRules CHOXCodeSymbol::GetOperandRules() const
{
    OperandRules rules;
    const CHOXDoc* doc = chart::DocumentOf(m_pWnd);
    if (doc == nullptr) return rules;
    rules.oneAxis = ctype::IsOneAxis(doc->GetControllerType());
    rules.fileRegisters = doc->GetParam().GetFileRegisters();
    return rules;
}

void CHOXCodeSymbol::StartAtOne(CHOXDataReg& operand)
{
    if (operand.GetText() == QStringLiteral("0")) operand.Parse(QStringLiteral("1"), true);
}

int CHOXCodeSymbol::OperandErrorState(std::initializer_list<const CHOXDataReg*> operands,
                                      const CHOXCompSetting* compensation) const
{
    const OperandRules rules = GetOperandRules();
    QString message;
    for (const CHOXDataReg* operand : operands)
        if (operand != nullptr && !operand->CheckRange(rules.oneAxis, message, rules.fileRegisters)) return 2;
    if (compensation != nullptr && !compensation->IsValid(rules.oneAxis, rules.fileRegisters)) return 2;
    return 0;
}

void CHOXCodeSymbol::TakeDialogResults(const CHOXCodeDlg& dlg)
{
    codedlg::TakeCommonResults(*this, dlg);
    m_nMcodeMode = dlg.GetMcodeMode();
    m_byMcode = dlg.GetMcode();
}
