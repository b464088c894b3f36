#include "symbols/code/HOXCodeComp.h"

#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeCompDlg.h"

#include <QStringList>

KT_IMPLEMENT_SERIAL(CHOXCodeComp, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeCompIcons[] = {{"COMPENSATION", 4033},
                                       {"MOVE COMPENSATION", 4020},
                                       {"CENTER COMPENSATION", 4019},
                                       {"RADIOUS COMPENSATION", 4021},
                                       {"CANCEL COMPENSATION", 4016}};
} // namespace
KT_REGISTER_KIND(CHOXCodeComp, .type = objtype::kCodeComp, .tool = ID_TOOL_CODE_COMP, .paletteName = "COMPENSATION",
                 .helpContext = 0x1007C, .icons = kCodeCompIcons, .maker = &MakeObjectOf<CHOXCodeComp>)

CHOXCodeComp::CHOXCodeComp() : CHOXCodeSymbol("COMPENSATION") { UpdateText(); }

CHOXCodeComp::CHOXCodeComp(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("COMPENSATION", topLeft, wnd)
{
    if (ctype::MovesOneAxisAtATime(ControllerType())) m_comp.SetOperand2Used(0);
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeComp::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    m_comp.Serialize(ar);
}

void CHOXCodeComp::SetCaptionByKind()
{
    switch (m_comp.GetKind()) {
    case CHOXCompSetting::kMovc: SetCaption("MOVE COMPENSATION"); break;
    case CHOXCompSetting::kRadc: SetCaption("RADIOUS COMPENSATION"); break;
    case CHOXCompSetting::kCntc: SetCaption("CENTER COMPENSATION"); break;
    case CHOXCompSetting::kCanc: SetCaption("CANCEL COMPENSATION"); break;
    default: break;
    }
}

void CHOXCodeComp::SetCompSetting(const CHOXCompSetting& comp)
{
    m_comp = comp;
    SetCaptionByKind();
}

void CHOXCodeComp::UpdateText()
{
    const bool used1 = m_comp.IsOperand1Used() != 0;
    const bool used2 = m_comp.IsOperand2Used() != 0;
    QStringList lines;
    switch (m_comp.GetKind()) {
    case CHOXCompSetting::kMovc:
        if (used1) lines << QStringLiteral("x = ") + m_comp.GetOperand1Text();
        if (used2) lines << QStringLiteral("y = ") + m_comp.GetOperand2Text();
        break;
    case CHOXCompSetting::kRadc: lines << QStringLiteral("r = ") + m_comp.GetOperand1Text(); break;
    case CHOXCompSetting::kCntc:
        if (used1) lines << QStringLiteral("i = ") + m_comp.GetOperand1Text();
        if (used2) lines << QStringLiteral("j = ") + m_comp.GetOperand2Text();
        break;
    default: break;
    }
    if (HasMcode()) lines << QStringLiteral("m%1").arg(int(m_byMcode));
    m_strLabel = lines.join(QLatin1Char('\n'));
}

QString CHOXCodeComp::GetCode()
{
    const bool used1 = m_comp.IsOperand1Used() != 0;
    const bool used2 = m_comp.IsOperand2Used() != 0;
    QString code;
    switch (m_comp.GetKind()) {
    case CHOXCompSetting::kMovc:
        code = QStringLiteral("cod73(MOVC)");
        if (used1) code += QStringLiteral(" x") + m_comp.GetOperand1Text();
        if (used2) code += QStringLiteral(" y") + m_comp.GetOperand2Text();
        break;
    case CHOXCompSetting::kRadc: code = QStringLiteral("cod75(RADC) r") + m_comp.GetOperand1Text(); break;
    case CHOXCompSetting::kCntc:
        code = QStringLiteral("cod74(CNTC)");
        if (used1) code += QStringLiteral(" i") + m_comp.GetOperand1Text();
        if (used2) code += QStringLiteral(" j") + m_comp.GetOperand2Text();
        break;
    case CHOXCompSetting::kCanc: code = QStringLiteral("cod76(CANC)"); break;
    default: break;
    }
    if (HasMcode()) code += codetext::McodeWord(m_byMcode);
    return code + LoadStr(IDS_STATEMENT_END) + QStringLiteral("\n");
}

int CHOXCodeComp::GetErrorState() { return OperandErrorState({}, &m_comp); }

void CHOXCodeComp::CalcSteps()
{
    if (InMonitorWindow()) {
        m_nSteps = 0;
        return;
    }
    const int used = (m_comp.IsOperand1Used() != 0 ? 1 : 0) + (m_comp.IsOperand2Used() != 0 ? 1 : 0);
    int steps = 0;
    switch (m_comp.GetKind()) {
    // Without an operand MOVC and CNTC count nothing (and are refused as
    // written).
    case CHOXCompSetting::kMovc:
    case CHOXCompSetting::kCntc: steps = used == 2 ? 6 : used == 1 ? 4 : 0; break;
    case CHOXCompSetting::kRadc: steps = 4; break;
    case CHOXCompSetting::kCanc: steps = 2; break;
    default: break;
    }
    m_nSteps = steps + (HasMcode() ? 2 : 0);
}

void CHOXCodeComp::SetFromText(const QString& kindWord, char firstLetter, std::int32_t operand1Used,
                               std::int32_t operand2Used, std::int32_t mcodeMode, const QString& operand1Text,
                               const QString& operand2Text, BYTE mcode)
{
    if (kindWord == QStringLiteral("MOVC")) m_comp.SetKind(CHOXCompSetting::kMovc);
    if (kindWord == QStringLiteral("RADC")) m_comp.SetKind(CHOXCompSetting::kRadc);
    if (kindWord == QStringLiteral("CNTC")) m_comp.SetKind(CHOXCompSetting::kCntc);
    if (kindWord == QStringLiteral("CANC")) m_comp.SetKind(CHOXCompSetting::kCanc);
    m_comp.SetOperand1Used(operand1Used);
    m_comp.SetOperand2Used(operand2Used);
    if (!operand1Text.isEmpty()) m_comp.SetOperand1Text(operand1Text);
    if (!operand2Text.isEmpty() && firstLetter != 'r') m_comp.SetOperand2Text(operand2Text);
    m_nMcodeMode = mcodeMode;
    m_nCategory = kCodeCategory;
    m_byMcode = mcode;
    SetCaptionByKind();
    UpdateText();
}

void CHOXCodeComp::OnOpen(UINT, CPoint)
{
    CHOXCodeCompDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    SetCompSetting(dlg.GetCompSetting());
    codedlg::FinishEdit(*this);
}
