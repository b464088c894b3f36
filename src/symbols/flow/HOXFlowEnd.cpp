#include "symbols/flow/HOXFlowEnd.h"

#include "platform/Archive.h"
#include "symbols/flow/FlowSymbolHelpers.h"

KT_IMPLEMENT_SERIAL(CHOXFlowEnd, CHOXSymbol, 0)

using namespace flowsym;

CHOXFlowEnd::CHOXFlowEnd() { m_strSymbolName = QStringLiteral("END"); }

CHOXFlowEnd::CHOXFlowEnd(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_strSymbolName = QStringLiteral("END");
    CreatePins();
    CalcSteps();
    if (IsFlowWindow(wnd)) m_nEndKind = IsSubtaskWindow(wnd) ? 1 : 0;
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
    if (IsMonitorWindow(m_pWnd)) return;
    SetPinCount(1);
    SetPin(0, MakePin(0, 32, 0, 0, 1, m_pWnd));
}

QString CHOXFlowEnd::GetCode()
{
    if (m_nState == 3) return QString();
    return EndLine(IsSubtaskWindow(m_pWnd), m_nEndKind);
}

void CHOXFlowEnd::CalcSteps()
{
    if (IsMonitorWindow(m_pWnd)) return;
    m_nSteps = m_nState == 3 ? 0 : 2;
}

void CHOXFlowEnd::AssignNewNumber()
{
    if (!IsMonitorWindow(m_pWnd) && IsSubtaskWindow(m_pWnd)) m_nEndKind = 1;
}
