#include "symbols/code/HOXCodeChk.h"

#include "chart/ObjectKinds.h"
#include "res/CommandIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeChkDlg.h"

KT_IMPLEMENT_SERIAL(CHOXCodeChk, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeChkIcons[] = {{"CHK", 4031}};
} // namespace
KT_REGISTER_KIND(CHOXCodeChk, .type = objtype::kCodeChk, .tool = ID_TOOL_CODE_CHK, .paletteName = "CHK",
                 .helpContext = 0x10079, .icons = kCodeChkIcons, .maker = &MakeObjectOf<CHOXCodeChk>)

CHOXCodeChk::CHOXCodeChk() : CHOXCodeSymbol("CHK") { UpdateText(); }

CHOXCodeChk::CHOXCodeChk(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("CHK", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeChk::UpdateText()
{
    m_strLabel = HasMcode() ? QStringLiteral("m ") + QString::number(m_byMcode) : QString();
}

QString CHOXCodeChk::GetCode()
{
    return QStringLiteral("cod09(CHK)") + (HasMcode() ? codetext::McodeWord(m_byMcode) : QString()) +
           QStringLiteral(";");
}

void CHOXCodeChk::CalcSteps()
{
    if (InMonitorWindow()) return;
    m_nSteps = 2 + (HasMcode() ? 2 : 0);
}

void CHOXCodeChk::SetFromText(BYTE mcode, std::int32_t mcodeMode)
{
    SetCaption("CHK");
    m_byMcode = mcode;
    m_nCategory = kCodeCategory;
    m_nMcodeMode = mcodeMode;
    UpdateText();
}

void CHOXCodeChk::OnOpen(UINT, CPoint)
{
    CHOXCodeChkDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    codedlg::FinishEdit(*this);
}
