#include "symbols/flow/HOXFlowJump.h"

#include "chart/ChartLookup.h"
#include "chart/ObjectKinds.h"
#include "chart/SymbolSupport.h"
#include "platform/Archive.h"
#include "platform/Strings.h"
#include "res/CommandIds.h"
#include "res/StringIds.h"
#include "symbols/flow/FlowDialogResults.h"
#include "symbols/flow/FlowSymbolHelpers.h"
#include "symbols/flow/HOXFlowJumpDlg.h"

KT_IMPLEMENT_SERIAL(CHOXFlowJump, CHOXSymbol, 0)
namespace {
constexpr KindIcon kFlowJumpIcons[] = {{"JUMP", 4010, 4084}, {"JUMPWEND", 390}};
} // namespace
KT_REGISTER_KIND(CHOXFlowJump, .type = objtype::kFlowJump, .tool = ID_TOOL_FLOW_JUMP, .paletteName = "JUMP",
                 .helpContext = 0x1006E, .icons = kFlowJumpIcons, .maker = &MakeObjectOf<CHOXFlowJump>)

using namespace chart;
using flowsym::EndLine;

CHOXFlowJump::CHOXFlowJump() { m_strSymbolName = QStringLiteral("JUMP"); }

CHOXFlowJump::CHOXFlowJump(CPoint topLeft, CHOXWnd* wnd) : CHOXSymbol(topLeft, wnd)
{
    m_strSymbolName = QStringLiteral("JUMP");
    if (IsFlowRecord(wnd)) m_nEndKind = IsSubtaskWindow(wnd) ? 1 : 0;
    CreatePins();
    UpdateText();
    CalcSteps();
}

void CHOXFlowJump::Serialize(CArchive& ar)
{
    CHOXSymbol::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nPointerNumber << m_nEndFollows << m_nEndKind;
        return;
    }
    std::int32_t number = 0;
    std::int32_t follows = 0;
    std::int32_t kind = 0;
    ar >> number >> follows >> kind;
    m_nPointerNumber = number;
    m_nEndFollows = follows;
    m_nEndKind = kind;
    m_nCaptionMode = 1;
}

void CHOXFlowJump::CreatePins()
{
    if (IsMonitorRecord(m_pWnd)) return;
    SetPinCount(1);
    SetPin(0, MakePin(0, 32, 0, CHOXPin::kTop, CHOXPin::kInput, m_pWnd));
}

void CHOXFlowJump::UpdateText()
{
    if (m_nPointerNumber == -1)
        m_strLabel.clear();
    else
        m_strLabel = QStringLiteral("P") + QString::number(m_nPointerNumber);
}

QString CHOXFlowJump::GetCode()
{
    QString code = LoadStr(IDS_JMP_WORD) + QStringLiteral(" ") + m_strLabel + LoadStr(IDS_STATEMENT_END);
    if (m_nEndFollows != 0) code += QStringLiteral("\n") + EndLine(IsSubtaskWindow(m_pWnd), m_nEndKind);
    return code;
}

int CHOXFlowJump::GetErrorState() { return m_nPointerNumber == -1 ? 1 : 0; }

void CHOXFlowJump::CalcSteps()
{
    if (IsMonitorRecord(m_pWnd)) return;
    const CHOXPin* input = GetPin(0);
    if (input != nullptr && !input->IsFree()) {
        const CHOXConnect* wire = chart::FindWire(m_pWnd, input->GetLinkId());
        if (wire == nullptr) {
            m_nSteps = 0;
            return;
        }
        if (wire->GetSourcePin() == 2) {
            const CHOXSymbol* source = chart::FindSymbol(m_pWnd, wire->GetSourceId());
            if (source != nullptr && source->GetObjectType() == objtype::kFlowCJump) {
                m_nSteps = 0;
                return;
            }
        }
    }
    m_nSteps = (m_nPointerNumber == -1 ? 2 : 4) + (m_nEndFollows != 0 ? 2 : 0);
}

void CHOXFlowJump::SettleAfterDrop(bool moved)
{
    const std::int32_t n = m_nPointerNumber;
    AssignNewNumber();
    if (moved) SetPointerNumber(n);
}

void CHOXFlowJump::AssignNewNumber()
{
    if (IsMonitorRecord(m_pWnd)) {
        m_strLabel.clear();
        return;
    }
    m_nPointerNumber = -1;
    m_nEndFollows = m_strSymbolName == QStringLiteral("JUMPWEND") ? 0 : 1;
    m_nCaptionMode = 1;
    if (IsSubtaskWindow(m_pWnd)) m_nEndKind = 1;
    CalcSteps();
    UpdateText();
}

void CHOXFlowJump::SetPointerNumber(std::int32_t number)
{
    m_nPointerNumber = number;
    UpdateText();
}

void CHOXFlowJump::SetCaptionMode(std::int32_t mode)
{
    m_nCaptionMode = mode;
    m_strSymbolName = (mode != 0 && m_nEndFollows != 0) ? QStringLiteral("JUMP") : QStringLiteral("JUMPWEND");
}

void CHOXFlowJump::OnOpen(UINT, CPoint)
{
    if (!IsFlowRecord(m_pWnd)) return;
    CHOXFlowJumpDlg dlg(this);
    if (dlg.DoModal() == IDOK) {
        flowsym::TakeComment(*this, dlg);
        m_nPointerNumber = dlg.GetPointerNumber();
        m_nState = kNormal;
        m_nEndFollows = dlg.GetEndFollows();
        m_nEndKind = dlg.GetEndKind();
        // Behind a conditional jump's jump output the caption stays
        // "JUMPWEND".
        if (m_nCaptionMode != 0)
            m_strSymbolName = m_nEndFollows != 0 ? QStringLiteral("JUMP") : QStringLiteral("JUMPWEND");
        CalcSteps();
        flowsym::ClearUndo(*this);
    }
    UpdateText();
    flowsym::SetModified(*this);
    flowsym::Redraw(*this);
}
