#include "symbols/code/HOXCodeSetAddr.h"

#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeSetAddrDlg.h"

#include <QStringList>

KT_IMPLEMENT_SERIAL(CHOXCodeSetAddr, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeSetAddrIcons[] = {{"SET ADDRESS", 4040}};
} // namespace
KT_REGISTER_KIND(CHOXCodeSetAddr, .type = objtype::kCodeSetAddr, .tool = ID_TOOL_CODE_SETADDR,
                 .paletteName = "SET ADDRESS", .helpContext = 0x1008C, .icons = kCodeSetAddrIcons,
                 .maker = &MakeObjectOf<CHOXCodeSetAddr>)

CHOXCodeSetAddr::CHOXCodeSetAddr() : CHOXCodeSymbol("SET ADDRESS") { UpdateText(); }

CHOXCodeSetAddr::CHOXCodeSetAddr(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("SET ADDRESS", topLeft, wnd)
{
    m_nXUsed = 1;
    m_nYUsed = ctype::MovesOneAxisAtATime(ControllerType()) ? 0 : 1;
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeSetAddr::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nXUsed << m_nYUsed;
    else
        ar >> m_nXUsed >> m_nYUsed;
    m_x.Serialize(ar);
    m_y.Serialize(ar);
}

void CHOXCodeSetAddr::UpdateText()
{
    QStringList lines;
    if (m_nXUsed == 1) lines << QStringLiteral("x = ") + m_x.GetText();
    if (m_nYUsed == 1) lines << QStringLiteral("y = ") + m_y.GetText();
    if (HasMcode()) lines << QStringLiteral("m ") + QString::number(m_byMcode);
    m_strLabel = lines.join(QLatin1Char('\n'));
}

QString CHOXCodeSetAddr::GetCode()
{
    QString code = QStringLiteral("cod92(SET)");
    if (m_nXUsed == 1) code += QStringLiteral(" x") + m_x.GetText();
    if (m_nYUsed == 1) code += QStringLiteral(" y") + m_y.GetText();
    if (HasMcode()) code += codetext::McodeWord(m_byMcode);
    return code + LoadStr(IDS_STATEMENT_END) + QStringLiteral("\n");
}

int CHOXCodeSetAddr::GetErrorState()
{
    return OperandErrorState({m_nXUsed == 1 ? &m_x : nullptr, m_nYUsed == 1 ? &m_y : nullptr});
}

void CHOXCodeSetAddr::CalcSteps()
{
    if (InMonitorWindow()) return;
    const int axes = (m_nXUsed == 1 ? 1 : 0) + (m_nYUsed == 1 ? 1 : 0);
    // Without an axis nothing is counted (the line is refused as written).
    m_nSteps = axes == 0 ? 0 : 2 + 2 * axes + (HasMcode() ? 2 : 0);
}

void CHOXCodeSetAddr::SetFromText(std::int32_t xUsed, std::int32_t yUsed, std::int32_t mcodeMode, const QString& xText,
                                  const QString& yText, BYTE mcode)
{
    m_nXUsed = xUsed;
    m_nYUsed = yUsed;
    if (!xText.isEmpty()) m_x.Parse(xText, true);
    if (!yText.isEmpty()) m_y.Parse(yText, true);
    m_byMcode = mcode;
    m_nMcodeMode = mcodeMode;
    SetCaption("SET ADDRESS");
    m_nCategory = kCodeCategory;
    if (ctype::IsOneAxis(ControllerType())) m_nYUsed = 0;
    UpdateText();
    CalcSteps();
}

void CHOXCodeSetAddr::OnOpen(UINT, CPoint)
{
    CHOXCodeSetAddrDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    m_nXUsed = dlg.GetXUsed();
    m_nYUsed = dlg.GetYUsed();
    m_x = dlg.GetX();
    m_y = dlg.GetY();
    codedlg::FinishEdit(*this);
}
