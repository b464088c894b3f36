#include "symbols/code/HOXCodeMcode.h"

#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/HOXCodeMcodeDlg.h"
#include "symbols/code/HOXCodeSymbol.h"

KT_IMPLEMENT_SERIAL(CHOXCodeMcode, CHOXSymbol, 0)
namespace {
constexpr KindIcon kCodeMcodeIcons[] = {{"MCODE", 4039}};
} // namespace
KT_REGISTER_KIND(CHOXCodeMcode, .type = objtype::kCodeMcode, .tool = ID_TOOL_CODE_MCODE, .paletteName = "MCODE",
                 .helpContext = 0x1007D, .icons = kCodeMcodeIcons, .maker = &MakeObjectOf<CHOXCodeMcode>)

CHOXCodeMcode::CHOXCodeMcode()
{
    m_strSymbolName = QStringLiteral("MCODE");
    m_nCategory = CHOXCodeSymbol::kCodeCategory;
    UpdateText();
}

CHOXCodeMcode::CHOXCodeMcode(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_strSymbolName = QStringLiteral("MCODE");
    m_nCategory = CHOXCodeSymbol::kCodeCategory;
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeMcode::Serialize(CArchive& ar)
{
    CHOXSymbol::Serialize(ar);
    if (ar.IsStoring())
        ar << m_byNumber;
    else
        ar >> m_byNumber;
}

QString CHOXCodeMcode::NumberText() const
{
    return (m_byNumber < 10 ? QStringLiteral("m0") : QStringLiteral("m")) + QString::number(m_byNumber);
}

void CHOXCodeMcode::UpdateText() { m_strLabel = NumberText(); }

QString CHOXCodeMcode::GetCode()
{
    QString code = NumberText();
    if (m_byNumber == 0) code += LoadStr(13781);
    if (m_byNumber == 100) code += LoadStr(13782);
    return code + QStringLiteral(";");
}

void CHOXCodeMcode::CalcSteps()
{
    if (chart::IsMonitorRecord(m_pWnd)) return;
    m_nSteps = 2;
}

void CHOXCodeMcode::SetFromText(BYTE number)
{
    m_strSymbolName = QStringLiteral("MCODE");
    m_nCategory = CHOXCodeSymbol::kCodeCategory;
    m_byNumber = number;
    UpdateText();
    CalcSteps();
}

void CHOXCodeMcode::OnOpen(UINT, CPoint)
{
    CHOXCodeMcodeDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    codedlg::TakeCommonResults(*this, dlg);
    m_byNumber = dlg.GetMcode();
    m_nDialogValue = dlg.GetAxis();
    codedlg::FinishEdit(*this);
}
