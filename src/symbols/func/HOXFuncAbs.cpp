#include "symbols/func/HOXFuncAbs.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncAbsDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncAbs, CHOXFuncSymbol, 0)
namespace {
constexpr KindIcon kFuncAbsIcons[] = {{"X-ABSOLUTE", 4049}, {"Y-ABSOLUTE", 4062}};
} // namespace
KT_REGISTER_KIND(CHOXFuncAbs, .type = objtype::kFuncAbs, .tool = ID_TOOL_FUNC_ABS, .paletteName = "X-ABSOLUTE",
                 .helpContext = 0x10083, .icons = kFuncAbsIcons, .maker = &MakeObjectOf<CHOXFuncAbs>)

CHOXFuncAbs::CHOXFuncAbs() : CHOXFuncSymbol("X-ABSOLUTE") { UpdateText(); }

CHOXFuncAbs::CHOXFuncAbs(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncSymbol("X-ABSOLUTE", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncAbs::Serialize(CArchive& ar)
{
    CHOXFuncSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nAxis;
        return;
    }
    std::int32_t axis = kXAxis;
    ar >> axis;
    m_nAxis = axis;
}

void CHOXFuncAbs::SetCaptionForKind() { SetCaption(m_nAxis == kXAxis ? "X-ABSOLUTE" : "Y-ABSOLUTE"); }

void CHOXFuncAbs::UpdateText() { m_strLabel = m_nAxis == kXAxis ? QStringLiteral("XAB") : QStringLiteral("YAB"); }

QString CHOXFuncAbs::GetCode() { return Statement(m_nAxis == kXAxis ? 13086 : 13087, {QString()}); }

void CHOXFuncAbs::CalcSteps()
{
    if (InMonitorWindow()) return;
    m_nSteps = 2;
}

void CHOXFuncAbs::SetFromInstruction(QString name)
{
    m_nAxis = name == LoadWord(IDS_XAB_WORD) ? kXAxis : kYAxis;
    SetCaptionForKind();
    UpdateText();
    CalcSteps();
}

void CHOXFuncAbs::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncAbsDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeComment(dlg);
    m_nAxis = dlg.GetAxis();
    SetCaptionForKind();
    CalcSteps();
    UpdateText();
    FinishEdit();
}
