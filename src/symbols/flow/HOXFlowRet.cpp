#include "symbols/flow/HOXFlowRet.h"

#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/HOXFlowEndDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowRet, CHOXSymbol, 0)
namespace {
constexpr KindIcon kFlowRetIcons[] = {{"RET", 4013}};
} // namespace
KT_REGISTER_KIND(CHOXFlowRet, .type = objtype::kFlowRet, .tool = ID_TOOL_FLOW_RET, .paletteName = "RET",
                 .helpContext = 0x1006C, .icons = kFlowRetIcons, .maker = &MakeObjectOf<CHOXFlowRet>)

using namespace chart;

CHOXFlowRet::CHOXFlowRet() { m_strSymbolName = QStringLiteral("RET"); }

CHOXFlowRet::CHOXFlowRet(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_strSymbolName = QStringLiteral("RET");
    CreatePins();
    CalcSteps();
}

void CHOXFlowRet::CreatePins()
{
    if (IsMonitorRecord(m_pWnd)) return;
    SetPinCount(1);
    SetPin(0, MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, m_pWnd));
}

QString CHOXFlowRet::GetCode() { return LoadStr(13102) + LoadStr(IDS_STATEMENT_END); }

void CHOXFlowRet::CalcSteps()
{
    if (IsMonitorRecord(m_pWnd)) return;
    m_nSteps = 2;
}

void CHOXFlowRet::OnOpen(UINT, CPoint)
{
    if (!IsFlowRecord(m_pWnd)) return;
    CHOXFlowEndDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    flowsym::TakeComment(*this, dlg, false);
    flowsym::SetModified(*this);
    flowsym::ClearUndo(*this);
    flowsym::Redraw(*this);
}
