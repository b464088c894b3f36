#include "symbols/flow/HOXFlowRet.h"

#include "platform/Strings.h"
#include "symbols/flow/FlowSymbolHelpers.h"

KT_IMPLEMENT_SERIAL(CHOXFlowRet, CHOXSymbol, 0)

using namespace flowsym;

CHOXFlowRet::CHOXFlowRet() { m_strSymbolName = QStringLiteral("RET"); }

CHOXFlowRet::CHOXFlowRet(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_strSymbolName = QStringLiteral("RET");
    CreatePins();
    CalcSteps();
}

void CHOXFlowRet::CreatePins()
{
    if (IsMonitorWindow(m_pWnd)) return;
    SetPinCount(1);
    SetPin(0, MakePin(0, 32, 0, 0, 1, m_pWnd));
}

QString CHOXFlowRet::GetCode() { return LoadStr(13102) + LoadStr(13090); }

void CHOXFlowRet::CalcSteps()
{
    if (IsMonitorWindow(m_pWnd)) return;
    m_nSteps = 2;
}
