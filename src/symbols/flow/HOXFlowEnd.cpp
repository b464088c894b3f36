#include "symbols/flow/HOXFlowEnd.h"

#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "res/CommandIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/FlowSymbolHelpers.h"
#include "symbols/flow/HOXFlowEndDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowEnd, CHOXSymbol, 0)
namespace {
constexpr KindIcon kFlowEndIcons[] = {{"END", 4009, 0, 4095}};
} // namespace
KT_REGISTER_KIND(CHOXFlowEnd, .type = objtype::kFlowEnd, .tool = ID_TOOL_FLOW_END, .paletteName = "END",
                 .helpContext = 0x1006B, .icons = kFlowEndIcons, .maker = &MakeObjectOf<CHOXFlowEnd>)

using namespace chart;
using flowsym::EndLine;

CHOXFlowEnd::CHOXFlowEnd() { m_strSymbolName = QStringLiteral("END"); }

CHOXFlowEnd::CHOXFlowEnd(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_strSymbolName = QStringLiteral("END");
    CreatePins();
    CalcSteps();
    if (IsFlowRecord(wnd)) m_nEndKind = IsSubtaskWindow(wnd) ? 1 : 0;
}

void CHOXFlowEnd::Serialize(CArchive& ar)
{
    CHOXSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nEndKind;
        return;
    }
    std::int32_t kind = 0;
    ar >> kind;
    m_nEndKind = kind;
}

void CHOXFlowEnd::CreatePins()
{
    if (IsMonitorRecord(m_pWnd)) return;
    SetPinCount(1);
    SetPin(0, MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, m_pWnd));
}

QString CHOXFlowEnd::GetCode()
{
    if (m_nState == kMissing) return QString();
    return EndLine(IsSubtaskWindow(m_pWnd), m_nEndKind);
}

void CHOXFlowEnd::CalcSteps()
{
    if (IsMonitorRecord(m_pWnd)) return;
    m_nSteps = m_nState == kMissing ? 0 : 2;
}

void CHOXFlowEnd::AssignNewNumber()
{
    if (!IsMonitorRecord(m_pWnd) && IsSubtaskWindow(m_pWnd)) m_nEndKind = 1;
}

void CHOXFlowEnd::OnOpen(UINT, CPoint)
{
    if (!IsFlowRecord(m_pWnd)) return;
    CHOXFlowEndDlg dlg(this);
    if (dlg.DoModal() == IDOK) {
        flowsym::TakeComment(*this, dlg, false);
        m_nState = kNormal;
        m_nEndKind = dlg.GetEndKind();
        CalcSteps();
        flowsym::ClearUndo(*this);
    }
    flowsym::SetModified(*this);
    flowsym::Redraw(*this);
}
