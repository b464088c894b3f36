#include "symbols/flow/HOXFlowCall.h"

#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/HOXFlowCallDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowCall, CHOXSymbol, 0)
namespace {
constexpr KindIcon kFlowCallIcons[] = {{"SUBROUTINE CALL", 4015, 4085}};
} // namespace
KT_REGISTER_KIND(CHOXFlowCall, .type = objtype::kFlowCall, .tool = ID_TOOL_FLOW_CALL, .paletteName = "SUBROUTINE CALL",
                 .helpContext = 0x10071, .icons = kFlowCallIcons, .maker = &MakeObjectOf<CHOXFlowCall>)

using namespace chart;

CHOXFlowCall::CHOXFlowCall() { m_strSymbolName = QStringLiteral("SUBROUTINE CALL"); }

CHOXFlowCall::CHOXFlowCall(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_nPointerNumber = -1;
    m_strSymbolName = QStringLiteral("SUBROUTINE CALL");
    UpdateText();
    CreatePins();
    CalcSteps();
}

void CHOXFlowCall::Serialize(CArchive& ar)
{
    CHOXSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nPointerNumber;
        return;
    }
    std::int32_t number = 0;
    ar >> number;
    m_nPointerNumber = number;
}

void CHOXFlowCall::CreatePins()
{
    if (IsMonitorRecord(m_pWnd)) return;
    SetPinCount(2);
    SetPin(0, MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, m_pWnd));
    SetPin(1, MakePin(1, 32, 32, CHOXPin::kBottom, CHOXPin::kOutput, m_pWnd));
}

void CHOXFlowCall::UpdateText()
{
    if (m_nPointerNumber == -1)
        m_strLabel.clear();
    else
        m_strLabel = QStringLiteral("P") + QString::number(m_nPointerNumber);
}

QString CHOXFlowCall::GetCode()
{
    return LoadStr(13100) + QStringLiteral(" ") + m_strLabel + LoadStr(IDS_STATEMENT_END);
}

int CHOXFlowCall::GetErrorState() { return m_nPointerNumber == -1 ? 1 : 0; }

void CHOXFlowCall::CalcSteps()
{
    if (IsMonitorRecord(m_pWnd)) return;
    m_nSteps = m_nPointerNumber == -1 ? 2 : 4;
}

void CHOXFlowCall::AssignNewNumber()
{
    if (IsMonitorRecord(m_pWnd)) {
        m_strLabel.clear();
        return;
    }
    m_nPointerNumber = -1;
    CalcSteps();
    UpdateText();
}

void CHOXFlowCall::SetPointerNumber(std::int32_t number)
{
    m_nPointerNumber = number;
    UpdateText();
}

void CHOXFlowCall::OnOpen(UINT, CPoint)
{
    if (!IsFlowRecord(m_pWnd)) return;
    CHOXFlowCallDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    flowsym::TakeComment(*this, dlg);
    m_nPointerNumber = dlg.GetPointerNumber();
    m_nState = kNormal;
    UpdateText();
    CalcSteps();
    flowsym::SetModified(*this);
    flowsym::Redraw(*this);
    flowsym::ClearUndo(*this);
}
