#include "symbols/flow/HOXFlowStart.h"

#include "app/HOXDoc.h"
#include "chart/ControllerType.h"
#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/HOXFlowStartDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowStart, CHOXSymbol, 0)
namespace {
constexpr KindIcon kFlowStartIcons[] = {{"START", 4014, 4082, 4094}};
} // namespace
KT_REGISTER_KIND(CHOXFlowStart, .type = objtype::kFlowStart, .tool = ID_TOOL_FLOW_START, .paletteName = "START",
                 .helpContext = 0x1006A, .icons = kFlowStartIcons, .maker = &MakeObjectOf<CHOXFlowStart>)

using namespace chart;

CHOXFlowStart::CHOXFlowStart() { m_strSymbolName = QStringLiteral("START"); }

CHOXFlowStart::CHOXFlowStart(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_nAxis = axis::kX;
    CHOXDoc* doc = DocumentOf(wnd);
    if (IsSubtaskWindow(wnd)) {
        m_nAxis = axis::kBoth;
        m_nProgramNumber = kSubtaskProgramNumber;
    } else if (!IsFlowRecord(wnd) || doc == nullptr) {
        m_nAxis = axis::kBoth;
        m_nProgramNumber = 0;
    } else {
        switch (doc->GetControllerType()) {
        case ctype::kInterpolated:
            m_nAxis = axis::kBoth;
            m_nProgramNumber = doc->FindFreeProgramNumber(axis::kBoth);
            break;
        case ctype::kTwoAxes:
            m_nProgramNumber = doc->FindFreeProgramNumber(axis::kX);
            if (m_nProgramNumber == -1) {
                m_nAxis = axis::kY;
                m_nProgramNumber = doc->FindFreeProgramNumber(axis::kY);
            }
            break;
        default: m_nProgramNumber = doc->FindFreeProgramNumber(axis::kX); break;
        }
        doc->MarkProgramNumberUsed(m_nAxis, m_nProgramNumber);
    }
    CreatePins();
    CalcSteps();
    m_strSymbolName = QStringLiteral("START");
    UpdateText();
}

void CHOXFlowStart::Serialize(CArchive& ar)
{
    CHOXSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nAxis << m_nProgramNumber;
        return;
    }
    std::int32_t axis = axis::kX;
    std::int32_t number = 0;
    ar >> axis >> number;
    m_nAxis = axis;
    m_nProgramNumber = number;
}

void CHOXFlowStart::CreatePins()
{
    if (IsMonitorRecord(m_pWnd)) return;
    SetPinCount(1);
    SetPin(0, MakePin(0, 32, 32, CHOXPin::kBottom, CHOXPin::kOutput, m_pWnd));
}

void CHOXFlowStart::UpdateText()
{
    if (IsMonitorRecord(m_pWnd) || m_nProgramNumber == -1 || m_nState == kMissing) {
        m_strLabel.clear();
        return;
    }
    const char* prefix = m_nAxis == axis::kX ? "Ox" : m_nAxis == axis::kY ? "Oy" : "O";
    m_strLabel = QString::fromLatin1(prefix) + QString::number(m_nProgramNumber);
}

QString CHOXFlowStart::GetCode()
{
    if (m_nState == kMissing) return QString();
    return m_strLabel + LoadStr(IDS_STATEMENT_END);
}

void CHOXFlowStart::CalcSteps()
{
    if (IsMonitorRecord(m_pWnd) || m_nState == kMissing) {
        m_nSteps = 0;
        return;
    }
    m_nSteps = 3;
}

void CHOXFlowStart::AssignNewNumber()
{
    if (!IsFlowRecord(m_pWnd)) {
        m_strLabel.clear();
        return;
    }
    if (IsSubtaskWindow(m_pWnd)) {
        m_nAxis = axis::kBoth;
        m_nProgramNumber = kSubtaskProgramNumber;
    } else if (CHOXDoc* doc = DocumentOf(m_pWnd)) {
        m_nProgramNumber = doc->FindFreeProgramNumber(m_nAxis);
        doc->MarkProgramNumberUsed(m_nAxis, m_nProgramNumber);
    }
    CalcSteps();
    UpdateText();
}

std::vector<CHOXSymbol::HeldNumber> CHOXFlowStart::GetHeldNumbers() const
{
    HeldNumber held;
    held.kind = HeldNumber::kProgram;
    held.axis = m_nAxis;
    held.number = m_nProgramNumber;
    // The subtask's number lies outside the table.
    held.givesBack = m_nState != kError && !IsSubtaskWindow(m_pWnd);
    return {held};
}

void CHOXFlowStart::SetProgramNumber(std::int32_t number)
{
    CHOXDoc* doc = DocumentOf(m_pWnd);
    if (doc != nullptr) doc->FreeProgramNumber(m_nAxis, m_nProgramNumber);
    m_nProgramNumber = number;
    if (doc != nullptr && m_nState != kError) doc->MarkProgramNumberUsed(m_nAxis, m_nProgramNumber);
    UpdateText();
}

void CHOXFlowStart::OnOpen(UINT, CPoint)
{
    CHOXFlowStartDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    flowsym::TakeComment(*this, dlg);
    const std::int32_t oldAxis = m_nAxis;
    const std::int32_t oldNumber = m_nProgramNumber;
    m_nAxis = dlg.GetAxis();
    m_nProgramNumber = dlg.GetProgramNumber();
    CHOXDoc* doc = DocumentOf(m_pWnd);
    // The monitor window's START holds no number.
    if (doc != nullptr && IsFlowRecord(m_pWnd)) {
        const bool changed = m_nAxis != oldAxis || m_nProgramNumber != oldNumber;
        if (m_nState == kError) {
            doc->MarkProgramNumberUsed(m_nAxis, m_nProgramNumber);
        } else if (changed) {
            // Given back first: X and "both axes" share one row.
            doc->FreeProgramNumber(oldAxis, oldNumber);
            doc->MarkProgramNumberUsed(m_nAxis, m_nProgramNumber);
        }
    }
    m_nState = kNormal;
    flowsym::SetModified(*this);
    UpdateText();
    CalcSteps();
    flowsym::Redraw(*this);
    flowsym::ClearUndo(*this);
}
