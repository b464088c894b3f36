#include "symbols/flow/HOXFlowCall.h"

#include "platform/Archive.h"
#include "platform/Strings.h"
#include "symbols/flow/FlowSymbolHelpers.h"

KT_IMPLEMENT_SERIAL(CHOXFlowCall, CHOXSymbol, 0)

using namespace flowsym;

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
    if (IsMonitorWindow(m_pWnd)) return;
    SetPinCount(2);
    SetPin(0, MakePin(0, 32, 0, 0, 1, m_pWnd));
    SetPin(1, MakePin(1, 32, 32, 1, 0, m_pWnd));
}

void CHOXFlowCall::UpdateText()
{
    if (m_nPointerNumber == -1)
        m_strLabel.clear();
    else
        m_strLabel = QStringLiteral("P") + QString::number(m_nPointerNumber);
}

QString CHOXFlowCall::GetCode() { return LoadStr(13100) + QStringLiteral(" ") + m_strLabel + LoadStr(13090); }

int CHOXFlowCall::GetErrorState() { return m_nPointerNumber == -1 ? 1 : 0; }

void CHOXFlowCall::CalcSteps()
{
    if (IsMonitorWindow(m_pWnd)) return;
    m_nSteps = m_nPointerNumber == -1 ? 2 : 4;
}

void CHOXFlowCall::AssignNewNumber()
{
    if (IsMonitorWindow(m_pWnd)) {
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
