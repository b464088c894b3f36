#include "symbols/code/HOXCodeInt.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeIntDlg.h"

#include <QStringList>

KT_IMPLEMENT_SERIAL(CHOXCodeInt, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeIntIcons[] = {{"INTERRUPT", 4037}, {"ONE STEP INTERRUPT", 4027}, {"TWO STEP INTERRUPT", 4022}};
} // namespace
KT_REGISTER_KIND(CHOXCodeInt, .type = objtype::kCodeInt, .tool = ID_TOOL_CODE_INT, .paletteName = "INTERRUPT",
                 .helpContext = 0x1007B, .icons = kCodeIntIcons, .maker = &MakeObjectOf<CHOXCodeInt>)

using namespace codetext;

CHOXCodeInt::CHOXCodeInt() : CHOXCodeSymbol("TWO STEP INTERRUPT") { Init(); }

CHOXCodeInt::CHOXCodeInt(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("TWO STEP INTERRUPT", topLeft, wnd)
{
    Init();
    CreatePins();
    CalcSteps();
}

void CHOXCodeInt::Init()
{
    StartAtOne(m_speed1);
    StartAtOne(m_speed2);
    UpdateText();
}

void CHOXCodeInt::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nTwoStep << m_nYAxis << m_nCompensation;
    else
        ar >> m_nTwoStep >> m_nYAxis >> m_nCompensation;
    m_distance.Serialize(ar);
    m_speed1.Serialize(ar);
    m_speed2.Serialize(ar);
    m_comp.Serialize(ar);
}

void CHOXCodeInt::SetTwoStep(std::int32_t twoStep)
{
    m_nTwoStep = twoStep;
    SetCaption(twoStep != 0 ? "TWO STEP INTERRUPT" : "ONE STEP INTERRUPT");
}

void CHOXCodeInt::UpdateText()
{
    QStringList lines;
    if (m_nCompensation != 0) lines << CompensationLabel(m_comp, CompForm::kInterrupt);
    lines << (m_nYAxis != 0 ? QStringLiteral("Y Distance  ") : QStringLiteral("X Distance  ")) + m_distance.GetText();
    lines << QStringLiteral("Speed1  ") + m_speed1.GetText();
    if (m_nTwoStep != 0) lines << QStringLiteral("Speed2  ") + m_speed2.GetText();
    if (HasMcode()) lines << QStringLiteral("m ") + QString::number(m_byMcode);
    m_strLabel = lines.join(QLatin1Char('\n'));
}

QString CHOXCodeInt::GetCode()
{
    QString code;
    if (m_nCompensation != 0) {
        const QString line = CompensationLine(m_comp, CompForm::kInterrupt);
        if (!line.isEmpty()) code += line + QStringLiteral("\n");
    }
    const QString axis = m_nYAxis != 0 ? QStringLiteral("y") : QStringLiteral("x");
    code += (m_nTwoStep != 0 ? QStringLiteral("cod72(DINT)  ") : QStringLiteral("cod71(SINT)  ")) + axis +
            m_distance.GetText() + QStringLiteral("  f") + m_speed1.GetText();
    if (m_nTwoStep != 0) code += QStringLiteral("  f") + m_speed2.GetText();
    if (HasMcode()) code += McodeWord(m_byMcode);
    return code + QStringLiteral(";");
}

int CHOXCodeInt::GetErrorState()
{
    return OperandErrorState({&m_distance, &m_speed1, m_nTwoStep != 0 ? &m_speed2 : nullptr},
                             m_nCompensation != 0 ? &m_comp : nullptr);
}

void CHOXCodeInt::CalcSteps()
{
    if (InMonitorWindow()) return;
    m_nSteps = (m_nCompensation != 0 ? CompensationSteps(m_comp, CompForm::kInterrupt) : 0) +
               (m_nTwoStep != 0 ? 8 : 6) + (HasMcode() ? 2 : 0);
}

void CHOXCodeInt::SetFromText(const QString& word, std::int32_t xAxis, const QString& distanceText,
                              const QString& speed1Text, const QString& speed2Text, std::int32_t mcodeMode, BYTE mcode)
{
    m_nYAxis = xAxis != 0 ? 0 : 1;
    m_distance.Parse(distanceText, true);
    if (word == QStringLiteral("SINT")) {
        SetCaption("ONE STEP INTERRUPT");
        m_nCategory = kCodeCategory;
        m_nTwoStep = 0;
        m_speed1.Parse(speed1Text, true);
    } else if (word == QStringLiteral("DINT")) {
        SetCaption("TWO STEP INTERRUPT");
        m_nCategory = kCodeCategory;
        m_nTwoStep = 1;
        m_speed1.Parse(speed1Text, true);
        m_speed2.Parse(speed2Text, true);
    }
    m_nMcodeMode = mcodeMode;
    m_byMcode = mcode;
    UpdateText();
    CalcSteps();
}

void CHOXCodeInt::SetCompensation(CHOXCompSetting comp)
{
    m_comp = comp;
    m_nCompensation = 1;
}

void CHOXCodeInt::OnOpen(UINT, CPoint)
{
    CHOXCodeIntDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    m_nYAxis = dlg.GetAxis();
    m_distance = dlg.GetDistance();
    m_speed1 = dlg.GetSpeed1();
    m_speed2 = dlg.GetSpeed2();
    m_nCompensation = dlg.GetCompensation();
    m_comp = dlg.GetCompSetting();
    SetTwoStep(dlg.GetDriveMethod());
    codedlg::FinishEdit(*this);
}
