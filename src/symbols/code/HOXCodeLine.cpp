#include "symbols/code/HOXCodeLine.h"

#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "chart/RecordCasts.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeLineDlg.h"

#include <QStringList>

KT_IMPLEMENT_SERIAL(CHOXCodeLine, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeLineIcons[] = {
    {"LINEAR", 4038}, {"LINEAR INT", 4024}, {"LINEAR 10QW", 4089}, {"LINEAR INT10QW", 4090}};
} // namespace
KT_REGISTER_KIND(CHOXCodeLine, .type = objtype::kCodeLine, .tool = ID_TOOL_CODE_LINE, .paletteName = "LINEAR",
                 .helpContext = 0x10074, .icons = kCodeLineIcons, .maker = &MakeObjectOf<CHOXCodeLine>)

using namespace codetext;

CHOXCodeLine::CHOXCodeLine() : CHOXCodeSymbol("LINEAR")
{
    StartAtOne(m_speed);
    UpdateText();
}

CHOXCodeLine::CHOXCodeLine(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("LINEAR", topLeft, wnd)
{
    if (ctype::IsOneAxis(ControllerType())) {
        SetCaption("LINEAR 10QW");
        m_nYUsed = 0;
    } else {
        m_nYUsed = 1;
    }
    StartAtOne(m_speed);
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeLine::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nXUsed << m_nYUsed << m_nSpeedUsed << m_nInterrupt << m_nAddressing << m_nCompensation << m_nEndCheck
           << m_nIncremental;
    } else {
        ar >> m_nXUsed >> m_nYUsed >> m_nSpeedUsed >> m_nInterrupt >> m_nAddressing >> m_nCompensation >> m_nEndCheck >>
            m_nIncremental;
    }
    m_x.Serialize(ar);
    m_y.Serialize(ar);
    m_speed.Serialize(ar);
    m_comp.Serialize(ar);
}

void CHOXCodeLine::SetCaptionByForm()
{
    if (ctype::IsOneAxis(ControllerType()))
        SetCaption(m_nInterrupt != 0 ? "LINEAR INT10QW" : "LINEAR 10QW");
    else
        SetCaption(m_nInterrupt != 0 ? "LINEAR INT" : "LINEAR");
}

void CHOXCodeLine::SetInterrupt(std::int32_t interrupt)
{
    m_nInterrupt = interrupt;
    SetCaptionByForm();
}

void CHOXCodeLine::UpdateText()
{
    QStringList lines;
    if (m_nAddressing != 0) lines << AddressingLabel(m_nIncremental);
    if (m_nCompensation != 0) lines << CompensationLabel(m_comp, CompForm::kLinear);
    if (m_nXUsed != 0) lines << QStringLiteral("X = ") + m_x.GetText();
    if (m_nYUsed != 0) lines << QStringLiteral("Y = ") + m_y.GetText();
    if (m_nSpeedUsed != 0) lines << QStringLiteral("f = ") + m_speed.GetText();
    if (HasMcode()) lines << QStringLiteral("m ") + QString::number(m_byMcode);
    if (m_nEndCheck != 0) lines << QStringLiteral("CHK");
    m_strLabel = lines.join(QLatin1Char('\n'));
}

QString CHOXCodeLine::GetCode()
{
    // The addressing line is always there, empty when addressing is off.
    QString code = m_nAddressing != 0 ? AddressingLine(m_nIncremental) : QString();
    code += QStringLiteral("\n");
    if (m_nCompensation != 0) {
        const QString line = CompensationLine(m_comp, CompForm::kLinear);
        if (!line.isEmpty()) code += line + QStringLiteral("\n");
    }
    code += m_nInterrupt != 0 ? QStringLiteral("cod31(INT) ") : QStringLiteral("cod01(LIN) ");
    if (m_nXUsed != 0) code += QStringLiteral("x") + m_x.GetText() + QStringLiteral(" ");
    if (m_nYUsed != 0) code += QStringLiteral("y") + m_y.GetText() + QStringLiteral(" ");
    // A speed needs an axis to go with.
    if (m_nSpeedUsed != 0 && (m_nXUsed != 0 || m_nYUsed != 0))
        code += QStringLiteral("f") + m_speed.GetText() + QStringLiteral(" ");
    if (HasMcode()) code += QStringLiteral("m") + QString::number(m_byMcode);
    code += QStringLiteral(";\n");
    if (m_nEndCheck != 0) code += QStringLiteral("cod09(CHK);");
    return code;
}

int CHOXCodeLine::GetErrorState()
{
    return OperandErrorState(
        {m_nXUsed != 0 ? &m_x : nullptr, m_nYUsed != 0 ? &m_y : nullptr, m_nSpeedUsed != 0 ? &m_speed : nullptr},
        m_nCompensation != 0 ? &m_comp : nullptr);
}

void CHOXCodeLine::CalcSteps()
{
    int operands = 0;
    if (m_nXUsed != 0) ++operands;
    if (m_nYUsed != 0) ++operands;
    if (m_nSpeedUsed != 0 && (m_nXUsed != 0 || m_nYUsed != 0)) ++operands;
    if (HasMcode()) ++operands;
    m_nSteps = (m_nAddressing != 0 ? kAddressingSteps : 0) +
               (m_nCompensation != 0 ? CompensationSteps(m_comp, CompForm::kLinear) : 0) + 1 + 2 * operands +
               (m_nEndCheck != 0 ? 2 : 0) + 1;
}

void CHOXCodeLine::SetFromText(const QString& word, std::int32_t xUsed, std::int32_t yUsed, std::int32_t mcodeMode,
                               std::int32_t speedUsed, BYTE mcode, const QString& xText, const QString& yText,
                               const QString& speedText)
{
    m_nInterrupt = word == QStringLiteral("INT") ? 1 : 0;
    SetCaptionByForm();
    m_nCategory = kCodeCategory;
    if (mcodeMode == 1) {
        m_nMcodeMode = mcodeMode;
        m_byMcode = mcode;
    }
    m_nXUsed = xUsed;
    m_nYUsed = yUsed;
    m_nSpeedUsed = speedUsed;
    if (xUsed == 1) m_x.Parse(xText, true);
    if (yUsed == 1) m_y.Parse(yText, true);
    if (speedUsed == 1) m_speed.Parse(speedText, true);
    UpdateText();
    CalcSteps();
}

void CHOXCodeLine::SetAddressing(std::int32_t addressing, std::int32_t incremental)
{
    m_nAddressing = addressing;
    m_nIncremental = incremental;
}

void CHOXCodeLine::SetCompensation(CHOXCompSetting comp)
{
    m_comp = comp;
    m_nCompensation = 1;
}

void CHOXCodeLine::OnOpen(UINT, CPoint)
{
    if (!chart::IsFlowRecord(m_pWnd)) return;
    CHOXCodeLineDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    m_nXUsed = dlg.GetXUsed();
    m_nYUsed = dlg.GetYUsed();
    m_nSpeedUsed = dlg.GetSpeedUsed();
    m_x = dlg.GetX();
    m_y = dlg.GetY();
    m_speed = dlg.GetSpeed();
    m_nAddressing = dlg.GetAddressing();
    m_nIncremental = dlg.GetIncremental();
    m_nCompensation = dlg.GetCompensation();
    m_comp = dlg.GetCompSetting();
    m_nEndCheck = dlg.GetEndCheck();
    SetInterrupt(dlg.GetInterruptStop());
    codedlg::FinishEdit(*this);
}
