#include "symbols/flow/HOXFlowLabel.h"

#include "app/HOXDoc.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/StringIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/HOXFlowPointerDlg.h"

KT_IMPLEMENT_DYNAMIC(CHOXFlowLabel, CHOXSymbol)

using namespace chart;

CHOXFlowLabel::CHOXFlowLabel(const char* symbolName) { m_strSymbolName = QString::fromLatin1(symbolName); }

CHOXFlowLabel::CHOXFlowLabel(const char* symbolName, CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    CHOXDoc* doc = DocumentOf(wnd);
    m_nPointerNumber = (IsMonitorRecord(wnd) || doc == nullptr) ? -1 : doc->AllocPointerNumber();
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
    if (IsMonitorRecord(m_pWnd)) return;
    SetPinCount(1);
    SetPin(0, MakePin(0, 32, 32, CHOXPin::kBottom, CHOXPin::kOutput, m_pWnd));
}

void CHOXFlowLabel::SetLabelFromNumber()
{
    if (m_nPointerNumber == -1)
        m_strLabel.clear();
    else
        m_strLabel = QStringLiteral("P") + QString::number(m_nPointerNumber);
}

QString CHOXFlowLabel::GetCode() { return m_strLabel + LoadStr(IDS_STATEMENT_END); }

void CHOXFlowLabel::CalcSteps()
{
    if (IsMonitorRecord(m_pWnd)) return;
    m_nSteps = 2;
}

void CHOXFlowLabel::AssignNewNumber()
{
    // The monitor window gives no number back when a symbol goes, so one
    // pasted there takes none.
    CHOXDoc* doc = DocumentOf(m_pWnd);
    m_nPointerNumber = (IsMonitorRecord(m_pWnd) || doc == nullptr) ? -1 : doc->AllocPointerNumber();
    CalcSteps();
    UpdateText();
}

std::vector<CHOXSymbol::HeldNumber> CHOXFlowLabel::GetHeldNumbers() const
{
    HeldNumber held;
    held.kind = HeldNumber::kPointer;
    held.number = m_nPointerNumber;
    held.givesBack = m_nState != kError;
    return {held};
}

void CHOXFlowLabel::SetPointerNumber(std::int32_t number)
{
    CHOXDoc* doc = DocumentOf(m_pWnd);
    if (doc != nullptr) doc->FreePointerNumber(m_nPointerNumber);
    m_nPointerNumber = number;
    if (doc != nullptr && m_nState != kError) doc->MarkPointerNumberUsed(m_nPointerNumber);
    UpdateText();
}

void CHOXFlowLabel::TakeNumberFrom(const CHOXFlowPointerDlg& dlg)
{
    flowsym::TakeComment(*this, dlg);
    CHOXDoc* doc = DocumentOf(m_pWnd);
    if (m_nState != kError && doc != nullptr) doc->FreePointerNumber(m_nPointerNumber);
    m_nPointerNumber = dlg.GetPointerNumber();
    if (doc != nullptr) doc->MarkPointerNumberUsed(m_nPointerNumber);
}
