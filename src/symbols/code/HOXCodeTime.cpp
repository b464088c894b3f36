#include "symbols/code/HOXCodeTime.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/HOXCodeTimeDlg.h"

#include <QStringList>

KT_IMPLEMENT_SERIAL(CHOXCodeTime, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeTimeIcons[] = {{"TIMER", 4030}};
} // namespace
KT_REGISTER_KIND(CHOXCodeTime, .type = objtype::kCodeTime, .tool = ID_TOOL_CODE_TIME, .paletteName = "TIMER",
                 .helpContext = 0x10077, .icons = kCodeTimeIcons, .maker = &MakeObjectOf<CHOXCodeTime>)

CHOXCodeTime::CHOXCodeTime() : CHOXCodeSymbol("TIMER")
{
    StartAtOne(m_time);
    UpdateText();
}

CHOXCodeTime::CHOXCodeTime(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("TIMER", topLeft, wnd)
{
    StartAtOne(m_time);
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeTime::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    m_time.Serialize(ar);
}

void CHOXCodeTime::UpdateText()
{
    QStringList lines{QStringLiteral("T = ") + m_time.GetText()};
    if (HasMcode()) lines << QStringLiteral("m ") + QString::number(m_byMcode);
    m_strLabel = lines.join(QLatin1Char('\n'));
}

QString CHOXCodeTime::GetCode()
{
    // "K" stands before a register too ("KD100"), which the checker takes.
    QString code = QStringLiteral("cod04(TIM) K") + m_time.GetText();
    if (HasMcode()) code += QStringLiteral(" m%1 ").arg(int(m_byMcode));
    return code + QStringLiteral(";");
}

int CHOXCodeTime::GetErrorState() { return OperandErrorState({&m_time}); }

void CHOXCodeTime::CalcSteps()
{
    if (InMonitorWindow()) return;
    m_nSteps = 4 + (HasMcode() ? 2 : 0);
}

void CHOXCodeTime::SetFromText(BYTE mcode, std::int32_t mcodeMode, const QString& timeText)
{
    SetCaption("TIMER");
    m_byMcode = mcode;
    m_nCategory = kCodeCategory;
    m_nMcodeMode = mcodeMode;
    m_time.Parse(timeText, true);
    UpdateText();
    CalcSteps();
}

void CHOXCodeTime::OnOpen(UINT, CPoint)
{
    CHOXCodeTimeDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    m_time = dlg.GetTime();
    codedlg::FinishEdit(*this);
}
