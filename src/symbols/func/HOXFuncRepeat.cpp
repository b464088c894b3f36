#include "symbols/func/HOXFuncRepeat.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/func/HOXFuncRepeatDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncRepeat, CHOXFuncSymbol, 0)
namespace {
constexpr KindIcon kFuncRepeatIcons[] = {{"REPEAT", 4047}, {"REPEAT END", 4057}};
} // namespace
KT_REGISTER_KIND(CHOXFuncRepeat, .type = objtype::kFuncRepeat, .tool = ID_TOOL_FUNC_REPEAT, .paletteName = "REPEAT",
                 .helpContext = 0x1007E, .icons = kFuncRepeatIcons, .maker = &MakeObjectOf<CHOXFuncRepeat>)

CHOXFuncRepeat::CHOXFuncRepeat() : CHOXFuncSymbol("REPEAT") { UpdateText(); }

CHOXFuncRepeat::CHOXFuncRepeat(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncSymbol("REPEAT", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncRepeat::Serialize(CArchive& ar)
{
    CHOXFuncSymbol::Serialize(ar);
    m_count.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nKind;
        return;
    }
    std::int32_t kind = 0;
    ar >> kind;
    m_nKind = kind;
}

void CHOXFuncRepeat::SetCaptionForKind() { SetCaption(m_nKind != kRpe ? "REPEAT" : "REPEAT END"); }

void CHOXFuncRepeat::UpdateText() { m_strLabel = m_nKind != kRpe ? m_count.GetText() : QStringLiteral(" "); }

QString CHOXFuncRepeat::GetCode()
{
    if (m_nKind != kRpe) return Statement(13067, {m_count.GetText()});
    return Statement(13068, {});
}

int CHOXFuncRepeat::GetErrorState()
{
    if (m_nKind == kRpe) return 0;
    return OperandErrorState(m_count, {&m_count});
}

void CHOXFuncRepeat::CalcSteps()
{
    if (InMonitorWindow()) return;
    // The count is a 16-bit operand whatever else the program holds.
    m_nSteps = m_nKind != kRpe ? 2 + OperandWeight(m_count, false) : 2;
}

void CHOXFuncRepeat::SetFromInstruction(QString count)
{
    if (!count.isEmpty()) {
        m_nKind = kRpt;
        ParseOperand(m_count, count);
    } else {
        m_nKind = kRpe;
    }
    SetCaptionForKind();
    UpdateText();
    CalcSteps();
}

void CHOXFuncRepeat::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncRepeatDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeComment(dlg);
    m_nKind = dlg.GetKind();
    m_count = dlg.GetOperand(0);
    SetCaptionForKind();
    CalcSteps();
    UpdateText();
    FinishEdit();
}
