#include "symbols/code/HOXCodeIncAbs.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeIncAbsDlg.h"

KT_IMPLEMENT_SERIAL(CHOXCodeIncAbs, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeIncAbsIcons[] = {{"INCREMENTAL OR ABSOLUTE", 4036}, {"INCREMENTAL", 4023}, {"ABSOLUTE", 4025}};
} // namespace
KT_REGISTER_KIND(CHOXCodeIncAbs, .type = objtype::kCodeIncAbs, .tool = ID_TOOL_CODE_INCABS,
                 .paletteName = "INCREMENTAL OR ABSOLUTE", .helpContext = 0x10076, .icons = kCodeIncAbsIcons,
                 .maker = &MakeObjectOf<CHOXCodeIncAbs>)

CHOXCodeIncAbs::CHOXCodeIncAbs() : CHOXCodeSymbol("ABSOLUTE") { UpdateText(); }

CHOXCodeIncAbs::CHOXCodeIncAbs(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("ABSOLUTE", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeIncAbs::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nIncremental;
    else
        ar >> m_nIncremental;
}

void CHOXCodeIncAbs::SetIncremental(std::int32_t incremental)
{
    m_nIncremental = incremental;
    SetCaption(incremental == 1 ? "INCREMENTAL" : "ABSOLUTE");
}

void CHOXCodeIncAbs::UpdateText() { m_strLabel = HasMcode() ? QStringLiteral("m%1").arg(int(m_byMcode)) : QString(); }

QString CHOXCodeIncAbs::GetCode()
{
    return (m_nIncremental == 1 ? QStringLiteral("cod91(INC)") : QStringLiteral("cod90(ABS)")) +
           (HasMcode() ? codetext::McodeWord(m_byMcode) : QString()) + LoadStr(IDS_STATEMENT_END) +
           QStringLiteral("\n");
}

void CHOXCodeIncAbs::CalcSteps() { m_nSteps = InMonitorWindow() ? 0 : HasMcode() ? 4 : 2; }

void CHOXCodeIncAbs::SetFromText(const QString& word, std::int32_t mcodeMode, BYTE mcode)
{
    SetIncremental(word.startsWith(u'I') ? 1 : 0);
    m_nMcodeMode = mcodeMode;
    m_byMcode = mcode;
    m_nCategory = kCodeCategory;
    UpdateText();
    CalcSteps();
}

void CHOXCodeIncAbs::OnOpen(UINT, CPoint)
{
    CHOXCodeIncAbsDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    SetIncremental(dlg.GetIncrementalMode());
    codedlg::FinishEdit(*this);
}
