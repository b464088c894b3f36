#include "symbols/code/HOXCodeCir.h"

#include "chart/ObjectKinds.h"
#include "chart/RecordCasts.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeCirDlg.h"

#include <QStringList>

KT_IMPLEMENT_SERIAL(CHOXCodeCir, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeCirIcons[] = {{"CIRCULAR", 4032}, {"CIRCULAR CW", 4018}, {"CIRCULAR CCW", 4017}};
} // namespace
KT_REGISTER_KIND(CHOXCodeCir, .type = objtype::kCodeCir, .tool = ID_TOOL_CODE_CIR, .paletteName = "CIRCULAR",
                 .helpContext = 0x10075, .icons = kCodeCirIcons, .maker = &MakeObjectOf<CHOXCodeCir>)

using namespace codetext;

CHOXCodeCir::CHOXCodeCir() : CHOXCodeSymbol("CIRCULAR CW") { Init(); }

CHOXCodeCir::CHOXCodeCir(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("CIRCULAR CW", topLeft, wnd)
{
    Init();
    CreatePins();
    CalcSteps();
}

void CHOXCodeCir::Init()
{
    StartAtOne(m_speed);
    UpdateText();
}

void CHOXCodeCir::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nClockwise << m_nCentreForm << m_nXUsed << m_nYUsed << m_nSpeedUsed << m_nAddressing << m_nCompensation
           << m_nEndCheck << m_nIncremental << m_nIUsed << m_nJUsed;
    } else {
        ar >> m_nClockwise >> m_nCentreForm >> m_nXUsed >> m_nYUsed >> m_nSpeedUsed >> m_nAddressing >>
            m_nCompensation >> m_nEndCheck >> m_nIncremental >> m_nIUsed >> m_nJUsed;
    }
    m_x.Serialize(ar);
    m_y.Serialize(ar);
    m_speed.Serialize(ar);
    m_centreIOrRadius.Serialize(ar);
    m_centreJ.Serialize(ar);
    m_comp.Serialize(ar);
}

void CHOXCodeCir::SetClockwise(std::int32_t clockwise)
{
    m_nClockwise = clockwise;
    SetCaption(clockwise != 0 ? "CIRCULAR CW" : "CIRCULAR CCW");
}

void CHOXCodeCir::UpdateText()
{
    QStringList lines;
    if (m_nAddressing != 0) lines << AddressingLabel(m_nIncremental);
    if (m_nCompensation != 0) {
        const QString comp = CompensationLabel(m_comp, CompForm::kCircular);
        if (!comp.isEmpty()) lines << comp;
    }
    if (m_nXUsed != 0) lines << QStringLiteral("X = ") + m_x.GetText();
    if (m_nYUsed != 0) lines << QStringLiteral("Y = ") + m_y.GetText();
    if (IsCentreForm()) {
        if (m_nIUsed != 0) lines << QStringLiteral("i = ") + m_centreIOrRadius.GetText();
        if (m_nJUsed != 0) lines << QStringLiteral("j = ") + m_centreJ.GetText();
    } else {
        lines << QStringLiteral("r = ") + m_centreIOrRadius.GetText();
    }
    if (m_nSpeedUsed != 0) lines << QStringLiteral("f = ") + m_speed.GetText();
    if (HasMcode()) lines << QStringLiteral("m ") + QString::number(m_byMcode);
    if (m_nEndCheck != 0) lines << QStringLiteral("CHK");
    m_strLabel = lines.join(QLatin1Char('\n'));
}

QString CHOXCodeCir::GetCode()
{
    // The addressing line is always there, empty when addressing is off.
    QString code = m_nAddressing != 0 ? AddressingLine(m_nIncremental) : QString();
    code += QStringLiteral("\n");
    if (m_nCompensation != 0) {
        const QString line = CompensationLine(m_comp, CompForm::kCircular);
        if (!line.isEmpty()) code += line + QStringLiteral("\n");
    }
    code += m_nClockwise != 0 ? QStringLiteral("cod02(CW) ") : QStringLiteral("cod03(CCW) ");
    if (m_nXUsed != 0) code += QStringLiteral("x") + m_x.GetText() + QStringLiteral("  ");
    if (m_nYUsed != 0) code += QStringLiteral("y") + m_y.GetText() + QStringLiteral(" ");
    if (IsCentreForm()) {
        if (m_nIUsed != 0) code += QStringLiteral("i") + m_centreIOrRadius.GetText() + QStringLiteral(" ");
        if (m_nJUsed != 0) code += QStringLiteral("j") + m_centreJ.GetText() + QStringLiteral(" ");
    } else {
        code += QStringLiteral("r") + m_centreIOrRadius.GetText() + QStringLiteral(" ");
    }
    if (m_nSpeedUsed != 0) code += QStringLiteral("f") + m_speed.GetText() + QStringLiteral(" ");
    if (HasMcode()) code += QStringLiteral("m") + QString::number(m_byMcode);
    code += QStringLiteral(";\n");
    if (m_nEndCheck != 0) code += QStringLiteral("cod09(CHK);");
    return code;
}

int CHOXCodeCir::GetErrorState()
{
    const bool centre = IsCentreForm();
    return OperandErrorState(
        {m_nXUsed != 0 ? &m_x : nullptr, m_nYUsed != 0 ? &m_y : nullptr, m_nSpeedUsed != 0 ? &m_speed : nullptr,
         !centre || m_nIUsed != 0 ? &m_centreIOrRadius : nullptr, centre && m_nJUsed != 0 ? &m_centreJ : nullptr},
        m_nCompensation != 0 ? &m_comp : nullptr);
}

void CHOXCodeCir::CalcSteps()
{
    int operands = 0;
    if (m_nXUsed != 0) ++operands;
    if (m_nYUsed != 0) ++operands;
    if (IsCentreForm())
        operands += (m_nIUsed != 0 ? 1 : 0) + (m_nJUsed != 0 ? 1 : 0);
    else
        ++operands;
    // The speed counts whenever it is written, with or without an axis.
    if (m_nSpeedUsed != 0) ++operands;
    if (HasMcode()) ++operands;
    // A MOVC compensation is counted although the circle writes none.
    m_nSteps = (m_nAddressing != 0 ? kAddressingSteps : 0) +
               (m_nCompensation != 0 ? CompensationSteps(m_comp, CompForm::kCircular) : 0) + 1 + 2 * operands +
               (m_nEndCheck != 0 ? 2 : 0) + 1;
}

void CHOXCodeCir::SetFromText(const QString& direction, std::int32_t xUsed, std::int32_t yUsed, std::int32_t mcodeMode,
                              std::int32_t iUsed, std::int32_t jUsed, std::int32_t rUsed, std::int32_t speedUsed,
                              BYTE mcode, const QString& xText, const QString& yText, const QString& speedText,
                              const QString& iText, const QString& jText, const QString& rText)
{
    if (direction == QStringLiteral("CW")) {
        SetCaption("CIRCULAR CW");
        m_nClockwise = 1;
    } else if (direction == QStringLiteral("CCW")) {
        SetCaption("CIRCULAR CCW");
        m_nClockwise = 0;
    } else {
        m_nClockwise = 1;
    }
    m_byMcode = mcode;
    m_nMcodeMode = mcodeMode;
    m_nCategory = kCodeCategory;
    m_nXUsed = xUsed;
    m_nYUsed = yUsed;
    m_nSpeedUsed = speedUsed;
    m_nIUsed = iUsed != 0 ? 1 : 0;
    m_nJUsed = jUsed != 0 ? 1 : 0;
    if (rUsed == 1) {
        m_centreIOrRadius.Parse(rText, true);
        m_nCentreForm = 0;
    }
    if (iUsed != 0 || jUsed != 0) m_nCentreForm = 1;
    if (IsCentreForm()) {
        m_centreIOrRadius.Parse(iText, true);
        if (jUsed != 0) m_centreJ.Parse(jText, true);
    }
    if (iUsed == 0) m_centreIOrRadius.Parse(rText, true);
    if (xUsed == 1) m_x.Parse(xText, true);
    if (yUsed == 1) m_y.Parse(yText, true);
    if (speedUsed == 1) m_speed.Parse(speedText, true);
    UpdateText();
}

void CHOXCodeCir::SetAddressing(std::int32_t addressing, std::int32_t incremental)
{
    m_nAddressing = addressing;
    m_nIncremental = incremental;
}

void CHOXCodeCir::SetCompensation(CHOXCompSetting comp)
{
    m_comp = comp;
    m_nCompensation = 1;
}

void CHOXCodeCir::OnOpen(UINT, CPoint)
{
    if (!chart::IsFlowRecord(m_pWnd)) return;
    CHOXCodeCirDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    m_nXUsed = dlg.GetXUsed();
    m_nYUsed = dlg.GetYUsed();
    m_nSpeedUsed = dlg.GetSpeedUsed();
    m_x = dlg.GetX();
    m_y = dlg.GetY();
    m_speed = dlg.GetSpeed();
    m_centreIOrRadius = dlg.GetCentreIOrRadius();
    m_centreJ = dlg.GetCentreJ();
    m_nCentreForm = dlg.GetCentreMode();
    m_nIUsed = dlg.GetIUsed();
    m_nJUsed = dlg.GetJUsed();
    m_nAddressing = dlg.GetAddressing();
    m_nIncremental = dlg.GetIncremental();
    m_nCompensation = dlg.GetCompensation();
    m_comp = dlg.GetCompSetting();
    m_nEndCheck = dlg.GetEndCheck();
    SetClockwise(dlg.GetDirection());
    codedlg::FinishEdit(*this);
}
