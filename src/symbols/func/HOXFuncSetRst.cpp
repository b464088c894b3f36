#include "symbols/func/HOXFuncSetRst.h"

#include "chart/ObjectKinds.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/func/HOXFuncSetRstDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFuncSetRst, CHOXFuncSymbol, 0)
namespace {
constexpr KindIcon kFuncSetRstIcons[] = {{"SET", 4041}, {"RESET", 4058}};
} // namespace
KT_REGISTER_KIND(CHOXFuncSetRst, .type = objtype::kFuncSetRst, .tool = ID_TOOL_FUNC_SETRST, .paletteName = "SET",
                 .helpContext = 0x10086, .icons = kFuncSetRstIcons, .maker = &MakeObjectOf<CHOXFuncSetRst>)

CHOXFuncSetRst::CHOXFuncSetRst() : CHOXFuncSymbol("SET") { UpdateText(); }

CHOXFuncSetRst::CHOXFuncSetRst(CPoint topLeft, CHOXWnd* wnd) : CHOXFuncSymbol("SET", topLeft, wnd)
{
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFuncSetRst::Serialize(CArchive& ar)
{
    CHOXFuncSymbol::Serialize(ar);
    m_operand.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nKind;
        return;
    }
    std::int32_t kind = 0;
    ar >> kind;
    m_nKind = kind;
}

void CHOXFuncSetRst::SetCaptionForKind() { SetCaption(m_nKind == kSet ? "SET" : "RESET"); }

void CHOXFuncSetRst::UpdateText() { m_strLabel = m_operand.GetText(); }

QString CHOXFuncSetRst::GetCode()
{
    return LoadWord(m_nKind != kRst ? 13088 : 13089) + LoadStr(IDS_OPERAND_GAP) + m_operand.GetText() +
           LoadStr(IDS_STATEMENT_END);
}

int CHOXFuncSetRst::GetErrorState() { return m_operand.IsEmpty() ? 1 : 0; }

void CHOXFuncSetRst::CalcSteps()
{
    if (InMonitorWindow()) return;
    m_nSteps = 2;
}

void CHOXFuncSetRst::SetFromInstruction(QString name, QString operand)
{
    ParseOperand(m_operand, operand);
    m_nKind = name == QStringLiteral("SET") ? kSet : kRst;
    SetCaptionForKind();
    UpdateText();
    CalcSteps();
}

void CHOXFuncSetRst::OnOpen(UINT, CPoint)
{
    if (!CanOpen()) return;
    CHOXFuncSetRstDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    TakeComment(dlg);
    m_nKind = dlg.GetKind();
    m_operand = dlg.GetOperand(0);
    SetCaptionForKind();
    CalcSteps();
    UpdateText();
    FinishEdit();
}
