#include "symbols/code/HOXCodeDrv.h"

#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeDrvDlg.h"

#include <QStringList>

KT_IMPLEMENT_SERIAL(CHOXCodeDrv, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeDrvIcons[] = {{"DRIVE", 4034}};
} // namespace
KT_REGISTER_KIND(CHOXCodeDrv, .type = objtype::kCodeDrv, .tool = ID_TOOL_CODE_DRV, .paletteName = "DRIVE",
                 .helpContext = 0x10072, .icons = kCodeDrvIcons, .maker = &MakeObjectOf<CHOXCodeDrv>)

using namespace codetext;

CHOXCodeDrv::CHOXCodeDrv() : CHOXCodeSymbol("DRIVE") { StartSpeedsAtOne(); }

CHOXCodeDrv::CHOXCodeDrv(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("DRIVE", topLeft, wnd)
{
    m_nYUsed = ctype::IsInterpolated(ControllerType()) ? 1 : 0;
    StartSpeedsAtOne();
    CreatePins();
    CalcSteps();
}

void CHOXCodeDrv::StartSpeedsAtOne()
{
    StartAtOne(m_xSpeed);
    StartAtOne(m_ySpeed);
    UpdateText();
}

void CHOXCodeDrv::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nXUsed << m_nYUsed << m_nXSpeedUsed << m_nYSpeedUsed << m_nAddressing << m_nCompensation
           << m_nIncremental;
    } else {
        ar >> m_nXUsed >> m_nYUsed >> m_nXSpeedUsed >> m_nYSpeedUsed >> m_nAddressing >> m_nCompensation >>
            m_nIncremental;
    }
    m_x.Serialize(ar);
    m_y.Serialize(ar);
    m_xSpeed.Serialize(ar);
    m_ySpeed.Serialize(ar);
    m_comp.Serialize(ar);
}

void CHOXCodeDrv::UpdateText()
{
    QStringList lines;
    if (m_nAddressing != 0) lines << AddressingLabel(m_nIncremental);
    if (m_nCompensation != 0) lines << CompensationLabel(m_comp, CompForm::kDrive);
    if (m_nXUsed != 0) lines << QStringLiteral("X = ") + m_x.GetText();
    if (m_nYUsed != 0) lines << QStringLiteral("Y = ") + m_y.GetText();
    if (m_nXSpeedUsed != 0) lines << QStringLiteral("fx = ") + m_xSpeed.GetText();
    if (m_nYSpeedUsed != 0) lines << QStringLiteral("fy = ") + m_ySpeed.GetText();
    if (HasMcode()) lines << QStringLiteral("m ") + QString::number(m_byMcode);
    m_strLabel = lines.join(QLatin1Char('\n'));
}

QString CHOXCodeDrv::GetCode()
{
    QString code;
    if (m_nAddressing != 0) code += AddressingLine(m_nIncremental) + QStringLiteral("\n");
    if (m_nCompensation != 0) {
        const QString line = CompensationLine(m_comp, CompForm::kDrive);
        if (!line.isEmpty()) code += line + QStringLiteral("\n");
    }
    code += QStringLiteral("cod00(DRV)");
    // A speed stands right behind its own axis.
    if (m_nXUsed != 0) {
        code += QStringLiteral(" x") + m_x.GetText();
        if (m_nXSpeedUsed != 0) code += QStringLiteral(" f") + m_xSpeed.GetText();
    }
    if (m_nYUsed != 0) {
        code += QStringLiteral(" y") + m_y.GetText();
        if (m_nYSpeedUsed != 0) code += QStringLiteral(" f") + m_ySpeed.GetText();
    }
    if (HasMcode()) code += McodeWord(m_byMcode);
    return code + LoadStr(IDS_STATEMENT_END);
}

int CHOXCodeDrv::GetErrorState()
{
    return OperandErrorState({m_nXUsed != 0 ? &m_x : nullptr, m_nYUsed != 0 ? &m_y : nullptr,
                              m_nXSpeedUsed != 0 ? &m_xSpeed : nullptr, m_nYSpeedUsed != 0 ? &m_ySpeed : nullptr},
                             m_nCompensation != 0 ? &m_comp : nullptr);
}

void CHOXCodeDrv::CalcSteps()
{
    int operands = 0;
    if (m_nXUsed != 0) operands += m_nXSpeedUsed != 0 ? 2 : 1;
    if (m_nYUsed != 0) operands += m_nYSpeedUsed != 0 ? 2 : 1;
    if (HasMcode()) ++operands;
    m_nSteps = (m_nAddressing != 0 ? kAddressingSteps : 0) +
               (m_nCompensation != 0 ? CompensationSteps(m_comp, CompForm::kDrive) : 0) + 1 + 2 * operands + 1;
}

void CHOXCodeDrv::SetFromText(const QString&, std::int32_t xUsed, std::int32_t yUsed, std::int32_t mcodeMode,
                              std::int32_t xSpeedUsed, std::int32_t ySpeedUsed, BYTE mcode, const QString& xText,
                              const QString& yText, const QString& xSpeedText, const QString& ySpeedText)
{
    SetCaption("DRIVE");
    m_nCategory = kCodeCategory;
    if (mcodeMode == 1) {
        m_nMcodeMode = mcodeMode;
        m_byMcode = mcode;
    }
    if (xUsed == 1) {
        m_x.Parse(xText, true);
        m_nXUsed = 1;
        if (yUsed != 1) m_nYUsed = 0;
    }
    if (yUsed == 1) {
        m_y.Parse(yText, true);
        m_nYUsed = 1;
        if (xUsed != 1) m_nXUsed = 0;
    }
    if (xSpeedUsed == 1) {
        m_xSpeed.Parse(xSpeedText, true);
        m_nXSpeedUsed = 1;
    }
    if (ySpeedUsed == 1) {
        m_ySpeed.Parse(ySpeedText, true);
        m_nYSpeedUsed = 1;
    }
    UpdateText();
    CalcSteps();
}

void CHOXCodeDrv::SetAddressing(std::int32_t addressing, std::int32_t incremental)
{
    m_nAddressing = addressing;
    m_nIncremental = incremental;
}

void CHOXCodeDrv::SetCompensation(CHOXCompSetting comp)
{
    m_comp = comp;
    m_nCompensation = 1;
}

void CHOXCodeDrv::OnOpen(UINT, CPoint)
{
    CHOXCodeDrvDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    m_nXUsed = dlg.GetXUsed();
    m_nYUsed = dlg.GetYUsed();
    m_nXSpeedUsed = dlg.GetXSpeedUsed();
    m_nYSpeedUsed = dlg.GetYSpeedUsed();
    m_x = dlg.GetX();
    m_y = dlg.GetY();
    m_xSpeed = dlg.GetXSpeed();
    m_ySpeed = dlg.GetYSpeed();
    m_nAddressing = dlg.GetAddressing();
    m_nIncremental = dlg.GetIncremental();
    m_nCompensation = dlg.GetCompensation();
    m_comp = dlg.GetCompSetting();
    codedlg::FinishEdit(*this);
}
