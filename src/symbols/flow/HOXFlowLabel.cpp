#include "symbols/flow/HOXFlowLabel.h"

#include "platform/Archive.h"
#include "platform/Strings.h"
#include "symbols/flow/FlowSymbolHelpers.h"

KT_IMPLEMENT_DYNAMIC(CHOXFlowLabel, CHOXSymbol)

using namespace flowsym;

CHOXFlowLabel::CHOXFlowLabel(const char* symbolName) { m_strSymbolName = QString::fromLatin1(symbolName); }

CHOXFlowLabel::CHOXFlowLabel(const char* symbolName, CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    CHOXDoc* doc = DocumentOf(wnd);
    m_nPointerNumber = (IsMonitorWindow(wnd) || doc == nullptr) ? -1 : doc->AllocPointerNumber();
    CreatePins();
    CalcSteps();
    m_strSymbolName = QString::fromLatin1(symbolName);
}

void CHOXFlowLabel::Serialize(CArchive& ar)
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

void CHOXFlowLabel::CreatePins()
{
    if (IsMonitorWindow(m_pWnd)) return;
    SetPinCount(1);
    SetPin(0, MakePin(0, 32, 32, 1, 0, m_pWnd));
}

void CHOXFlowLabel::SetLabelFromNumber()
{
    if (m_nPointerNumber == -1)
        m_strLabel.clear();
    else
        m_strLabel = QStringLiteral("P") + QString::number(m_nPointerNumber);
}

QString CHOXFlowLabel::GetCode() { return m_strLabel + LoadStr(13090); }

void CHOXFlowLabel::CalcSteps()
{
    if (IsMonitorWindow(m_pWnd)) return;
    m_nSteps = 2;
}

void CHOXFlowLabel::AssignNewNumber()
{
    // The monitor window gives no number back when a symbol goes, so one
    // pasted there takes none.
    CHOXDoc* doc = DocumentOf(m_pWnd);
    m_nPointerNumber = (IsMonitorWindow(m_pWnd) || doc == nullptr) ? -1 : doc->AllocPointerNumber();
    CalcSteps();
    UpdateText();
}

void CHOXFlowLabel::SetPointerNumber(std::int32_t number)
{
    CHOXDoc* doc = DocumentOf(m_pWnd);
    if (doc != nullptr) doc->FreePointerNumber(m_nPointerNumber);
    m_nPointerNumber = number;
    if (doc != nullptr && m_nState != 2) doc->MarkPointerNumberUsed(m_nPointerNumber);
    UpdateText();
}
