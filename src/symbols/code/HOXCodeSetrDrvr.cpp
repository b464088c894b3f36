#include "symbols/code/HOXCodeSetrDrvr.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/code/CodeDialogResults.h"
#include "symbols/code/CodeText.h"
#include "symbols/code/HOXCodeSetrDrvrDlg.h"

KT_IMPLEMENT_SERIAL(CHOXCodeSetrDrvr, CHOXCodeSymbol, 0)
namespace {
constexpr KindIcon kCodeSetrDrvrIcons[] = {{"DRVR", 4029}, {"SETR", 4028}};
} // namespace
KT_REGISTER_KIND(CHOXCodeSetrDrvr, .type = objtype::kCodeSetrDrvr, .tool = ID_TOOL_CODE_SETRDRVR, .paletteName = "DRVR",
                 .helpContext = 0x1007A, .icons = kCodeSetrDrvrIcons, .maker = &MakeObjectOf<CHOXCodeSetrDrvr>)

CHOXCodeSetrDrvr::CHOXCodeSetrDrvr() : CHOXCodeSymbol("DRVR") { UpdateText(); }

CHOXCodeSetrDrvr::CHOXCodeSetrDrvr(CPoint topLeft, CHOXWnd* wnd) : CHOXCodeSymbol("DRVR", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXCodeSetrDrvr::Serialize(CArchive& ar)
{
    CHOXCodeSymbol::Serialize(ar);
    if (ar.IsStoring())
        ar << m_nKind;
    else
        ar >> m_nKind;
}

void CHOXCodeSetrDrvr::UpdateText() { m_strLabel = HasMcode() ? codetext::McodeWord(m_byMcode) : QString(); }

QString CHOXCodeSetrDrvr::GetCode()
{
    return (m_nKind == kDrvr ? QStringLiteral("cod30(DRVR)") : QStringLiteral("cod29(SETR)")) +
           (HasMcode() ? codetext::McodeWord(m_byMcode) : QString()) + QStringLiteral(" ;");
}

void CHOXCodeSetrDrvr::CalcSteps()
{
    SetCaption(m_nKind == kDrvr ? "DRVR" : "SETR");
    m_nSteps = InMonitorWindow() ? 0 : HasMcode() ? 4 : 2;
}

void CHOXCodeSetrDrvr::SetFromText(const QString& word, std::int32_t mcodeMode, BYTE mcode)
{
    m_nKind = word.startsWith(u'S') ? kSetr : kDrvr;
    m_nMcodeMode = mcodeMode;
    m_nCategory = kCodeCategory;
    m_byMcode = mcode;
    UpdateText();
    CalcSteps();
}

void CHOXCodeSetrDrvr::OnOpen(UINT, CPoint)
{
    CHOXCodeSetrDrvrDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeDialogResults(dlg);
    // Counting the steps captions it by its kind.
    m_nKind = dlg.GetFunction();
    codedlg::FinishEdit(*this);
}
