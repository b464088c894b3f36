#include "symbols/code/HOXCodeDrvz.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeDrvzDlg.h"

KT_IMPLEMENT_SERIAL(CHOXCodeDrvz, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeDrvzIcons[] = {{"DRIVE TO ZERO", 4035}};
} // namespace
KT_REGISTER_KIND(CHOXCodeDrvz, .type = objtype::kCodeDrvz, .tool = ID_TOOL_CODE_DRVZ, .paletteName = "DRIVE TO ZERO",
                 .helpContext = 0x10073, .icons = kCodeDrvzIcons, .maker = &MakeObjectOf<CHOXCodeDrvz>)

CHOXCodeDrvz::CHOXCodeDrvz() : CHOXCodeSymbol("DRIVE TO ZERO") { UpdateText(); }

CHOXCodeDrvz::CHOXCodeDrvz(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("DRIVE TO ZERO", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeDrvz::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    if (ar.IsStoring())
        ar << m_byReturnOption;
    else
        ar >> m_byReturnOption;
}

void CHOXCodeDrvz::UpdateText()
{
    const char* target = m_byReturnOption == kReturnX   ? "Return x"
                         : m_byReturnOption == kReturnY ? "Return y"
                                                        : "Return 0";
    m_strLabel = QString::fromLatin1(target) + QStringLiteral("\n");
    if (HasMcode()) m_strLabel += codetext::McodeWord(m_byMcode);
}

QString CHOXCodeDrvz::GetCode()
{
    QString code = HasMcode() ? QStringLiteral("cod28(DRVZ) m%1;").arg(int(m_byMcode)) : QStringLiteral("cod28(DRVZ);");
    // An axis of its own returns while its return device is set.
    if (m_byReturnOption == kReturnX)
        code = QStringLiteral("SET M9024;\n") + code + QStringLiteral("\nRST M9024;");
    else if (m_byReturnOption == kReturnY)
        code = QStringLiteral("SET M9008;\n") + code + QStringLiteral("\nRST M9008;");
    return code;
}

void CHOXCodeDrvz::CalcSteps()
{
    if (InMonitorWindow()) return;
    const bool ownAxis = m_byReturnOption == kReturnX || m_byReturnOption == kReturnY;
    m_nSteps = (ownAxis ? 6 : 2) + (HasMcode() ? 2 : 0);
}

void CHOXCodeDrvz::SetFromText(BYTE mcode, std::int32_t returnOption, std::int32_t mcodeMode)
{
    m_nMcodeMode = mcodeMode;
    if (mcodeMode == 1) m_byMcode = mcode;
    m_byReturnOption = returnOption == 0 ? kReturnX : returnOption == 1 ? kReturnY : kPlain;
    UpdateText();
}

void CHOXCodeDrvz::OnOpen(UINT, CPoint)
{
    CHOXCodeDrvzDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    m_byReturnOption = dlg.GetReturnTarget();
    codedlg::FinishEdit(*this);
}
