// The flow view's wire tool (tool mode 2): a press on a free pin or a node
// starts a wire, the release joins it to the pin or node under the pointer
// under the joining rules, or discards it.
#include "chart/HOXFlowView.h"

#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/ChartLookup.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/RecordCasts.h"
#include "platform/Messages.h"

namespace {

constexpr UINT IDS_NODE_TO_INPUT = 13270;
constexpr UINT IDS_SAME_SYMBOL = 13271;
constexpr UINT IDS_NODE_TO_NODE = 13272;
constexpr UINT IDS_INPUT_TO_NODE = 13273;

// The 10 by 10 square centred on the point.
CRect SquareAround(CPoint p)
{
    return CRect(chart::Pt(std::int64_t(p.x) - 5, std::int64_t(p.y) - 5),
                 chart::Pt(std::int64_t(p.x) + 5, std::int64_t(p.y) + 5));
}

} // namespace

void CHOXFlowView::PressWire(CPoint docPoint)
{
    SetCapture();
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    CHOXDoc* doc = wnd->GetDocument();
    CHOXDrawObj* object = wnd->ObjectAt(docPoint);
    auto* symbol = dynamic_cast<CHOXSymbol*>(object);
    auto* node = dynamic_cast<CHOXNode*>(object);
    if (doc == nullptr || (symbol == nullptr && node == nullptr)) {
        // Pressing beside the pins and nodes ends the wire tool.
        s_nToolMode = toolmode::kSelect;
        SetCursor(Cursor::Arrow);
        Invalidate(false);
        return;
    }
    if (symbol != nullptr) {
        const int pin = symbol->FindFreePinAt(docPoint);
        if (pin < 0) {
            ReleaseCapture();
            return;
        }
        m_nWireStartPin = pin;
        m_nWireStartObject = static_cast<std::int32_t>(symbol->GetId());
    } else {
        if (node->GetId() == CHOXNode::kNone) {
            ReleaseCapture();
            return;
        }
        m_nWireStartObject = static_cast<std::int32_t>(node->GetId());
        m_nWireStartPin = -1;
    }
    const std::int32_t id = doc->NewWireId();
    if (id == -1) {
        s_nToolMode = toolmode::kSelect;
        SetCursor(Cursor::Arrow);
        Invalidate(false);
        return;
    }
    CHOXUndo* undo = wnd->GetUndo();
    undo->Clear();
    auto made = std::make_unique<CHOXConnect>(CRect(docPoint, docPoint), wnd);
    made->SetId(static_cast<DWORD>(id));
    CHOXConnect* wire = made.get();
    wnd->AddConnect(std::move(made));
    undo->RecordAdd(wire);
    Select(wire);
    m_nTracking = 1;
    Invalidate(false);
}

void CHOXFlowView::ReleaseWire(UINT flags, CPoint point, CPoint docPoint)
{
    auto* wire = m_selection.empty() ? nullptr : dynamic_cast<CHOXConnect*>(m_selection.back());
    if (wire == nullptr) {
        ReleaseCapture();
        RecordSelectionMove();
        return;
    }
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    // A wire started at a node names the node by its number, which is no
    // symbol id: it is looked up among the nodes.
    const DWORD startId = static_cast<DWORD>(m_nWireStartObject);
    const CHOXDrawObj* start = m_nWireStartPin < 0 ? static_cast<CHOXDrawObj*>(chart::FindNode(wnd, startId))
                                                   : chart::FindSymbol(wnd, startId);
    CHOXDrawObj* object = wnd->ObjectAt(docPoint);
    auto* symbol = dynamic_cast<CHOXSymbol*>(object);
    auto* node = dynamic_cast<CHOXNode*>(object);
    bool joined = false;
    if (start != nullptr && symbol != nullptr) {
        joined = JoinToSymbol(wire, symbol, docPoint);
    } else if (start != nullptr && node != nullptr) {
        joined = JoinToNode(wire, node, docPoint);
    } else {
        CancelWire(startId, docPoint);
    }
    if (joined) FinishJoin(wire, flags, point);
}

bool CHOXFlowView::JoinToSymbol(CHOXConnect* wire, CHOXSymbol* end, CPoint docPoint)
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    const DWORD startId = static_cast<DWORD>(m_nWireStartObject);
    if (m_nWireStartPin < 0) {
        // From a node: only to an output, which then jumps to the node.
        const int pin = end->FindFreePinAt(docPoint);
        if (pin < 0) {
            CancelWire(startId, docPoint);
            return false;
        }
        if (end->GetPin(pin)->IsInputSide()) {
            RefuseJoin(IDS_NODE_TO_INPUT, docPoint); // "ERROR :  Node cannot be connected to symbol input."
            return false;
        }
        wire->SetSource(end->GetId(), pin);
        wire->SetTarget(startId, CHOXConnect::kTargetNode);
        chart::FindNode(wnd, startId)->AddInWire(wire->GetId());
        // A side exit's wire jumps already: it gets no jump-end marker.
        if (!end->IsSideExitPin(pin))
            wire->SetJumpEnd(CHOXJumpEndBase::Make(m_nWireStartObject, SquareAround(docPoint), wnd));
        return true;
    }
    if (end->GetId() == startId) {
        RefuseJoin(IDS_SAME_SYMBOL, docPoint); // "ERROR :  Can not be connected to the same symbol."
        return false;
    }
    const int endPin = end->FindFreePinAt(docPoint);
    if (endPin < 0) {
        CancelWire(startId, docPoint);
        return false;
    }
    const CHOXPin* startPin = chart::FindSymbol(wnd, startId)->GetPin(m_nWireStartPin);
    const bool endIsInput = end->GetPin(endPin)->IsInputSide();
    if (startPin == nullptr || !startPin->CheckConnectDirection(endIsInput)) {
        CancelWire(startId, docPoint);
        return false;
    }
    // A wire always runs from an output to an input.
    if (endIsInput) {
        wire->SetSource(startId, m_nWireStartPin);
        wire->SetTarget(end->GetId(), CHOXConnect::kTargetSymbol);
    } else {
        wire->SetSource(end->GetId(), endPin);
        wire->SetTarget(startId, CHOXConnect::kTargetSymbol);
    }
    return true;
}

bool CHOXFlowView::JoinToNode(CHOXConnect* wire, CHOXNode* end, CPoint docPoint)
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    if (m_nWireStartPin < 0) {
        RefuseJoin(IDS_NODE_TO_NODE, docPoint); // "ERROR :  Node Can not be connected to the Node."
        return false;
    }
    const DWORD startId = static_cast<DWORD>(m_nWireStartObject);
    const CHOXPin* startPin = chart::FindSymbol(wnd, startId)->GetPin(m_nWireStartPin);
    if (startPin == nullptr || startPin->IsInputSide()) {
        RefuseJoin(IDS_INPUT_TO_NODE, docPoint); // "ERROR : Symbol input cannot be connected to Node."
        return false;
    }
    end->AddInWire(wire->GetId());
    wire->SetSource(startId, m_nWireStartPin);
    wire->SetTarget(end->GetId(), CHOXConnect::kTargetNode);
    if (startPin->GetKind() != CHOXPin::kSideExit)
        wire->SetJumpEnd(CHOXJumpEndBase::Make(static_cast<std::int32_t>(end->GetId()), SquareAround(docPoint), wnd));
    return true;
}

void CHOXFlowView::FinishJoin(CHOXConnect* wire, UINT flags, CPoint point)
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    wire->Reroute();
    if (CHOXJumpEndBase* marker = wire->GetJumpEnd()) marker->SetRect(SquareAround(wire->GetSecondPoint()));
    // A side exit that leads to a symbol other than a JUMP jumps to a node
    // of its own.
    const CHOXSymbol* source = chart::FindSymbol(wnd, wire->GetSourceId());
    const CHOXSymbol* target =
        wire->GetTargetKind() == CHOXConnect::kTargetSymbol ? chart::FindSymbol(wnd, wire->GetTargetId()) : nullptr;
    if (source != nullptr && target != nullptr && source->IsSideExitPin(wire->GetSourcePin()) &&
        target->GetObjectType() != objtype::kFlowJump)
        wire->CreateNode();
    wire->NotifyJumpSymbol(0);
    wire->OnLButtonUp(this, flags, point);
    Select(nullptr);
    Invalidate(false);
    ReleaseCapture();
}

void CHOXFlowView::RefuseJoin(UINT messageId, CPoint docPoint)
{
    AfxMessageBox(messageId, MB_OK | MB_ICONHAND);
    CancelWire(static_cast<DWORD>(m_nWireStartObject), docPoint);
    if (CHOXWnd* wnd = GetWnd()) wnd->GetUndo()->Clear();
}

void CHOXFlowView::CancelWire(DWORD, CPoint)
{
    CHOXFlowWnd* wnd = chart::AsFlowWnd(GetWnd());
    auto* wire = m_selection.empty() ? nullptr : dynamic_cast<CHOXConnect*>(m_selection.back());
    if (wnd != nullptr && wire != nullptr) {
        std::unique_ptr<CHOXDrawObj> gone;
        if (chart::FindWire(wnd, wire->GetId()) == wire) gone = wnd->RemoveConnect(static_cast<WORD>(wire->GetId()));
        wire->Remove();
        Deselect(wire);
        // The store holds nothing but this wire's addition, and its id is
        // about to go to the next wire.
        wnd->GetUndo()->Clear();
        if (CHOXDoc* doc = wnd->GetDocument()) doc->ReleaseWireId();
    }
    m_nTracking = 0;
    SetCursor(Cursor::Arrow);
    Invalidate(false);
    ReleaseCapture();
}
