#include "chart/HOXConnect.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/ObjectKinds.h"
#include "chart/WireGeometry.h"
#include "platform/Archive.h"
#include "platform/DC.h"

#include <cmath>

KT_IMPLEMENT_SERIAL(CHOXConnect, CHOXDrawObj, 0)
KT_REGISTER_KIND(CHOXConnect, .type = objtype::kConnect, .helpContext = 0x10088)

using chart::Pt;
using chart::Sat;
using namespace chart::wire;

CHOXConnect::CHOXConnect() = default;

CHOXConnect::CHOXConnect(const CRect& position, CHOXWnd* wnd) : CHOXDrawObj(position, wnd)
{
    m_points = {position.TopLeft(), position.BottomRight()};
    m_nCurrentHandle = 2;
    m_nPenWidth = 1;
}

CHOXConnect::~CHOXConnect() = default;

// ---------------------------------------------------------------------------
// Stored form

void CHOXConnect::Serialize(CArchive& ar)
{
    CHOXDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nSourceId << m_nSourcePin << m_nTargetId << m_nTargetKind << m_nNodeId << m_nNodeSegment;
        ar.WriteObject(m_pJumpEnd.get());
        ar.WriteCount(static_cast<DWORD>(m_points.size()));
        for (const CPoint& p : m_points) ar << p;
        return;
    }
    DWORD sourceId = 0;
    std::int32_t sourcePin = 0;
    DWORD targetId = 0;
    std::int32_t targetKind = 0;
    DWORD nodeId = 0;
    std::int32_t nodeSegment = 0;
    ar >> sourceId >> sourcePin >> targetId >> targetKind >> nodeId >> nodeSegment;
    std::unique_ptr<CHOXJumpEndBase> marker = ar.ReadOwned<CHOXJumpEndBase>();
    const DWORD count = ar.ReadCount(8);
    std::vector<CPoint> points(count);
    for (CPoint& p : points) ar >> p;
    m_nSourceId = sourceId;
    m_nSourcePin = sourcePin;
    m_nTargetId = targetId;
    m_nTargetKind = targetKind;
    m_nNodeId = nodeId;
    m_nNodeSegment = nodeSegment;
    m_pJumpEnd = std::move(marker);
    if (m_pJumpEnd) {
        m_pJumpEnd->SetPointerNumber(static_cast<std::int32_t>(targetId));
        m_pJumpEnd->SetWnd(m_pWnd);
    }
    m_points = std::move(points);
    m_nPenStyle = PS_INSIDEFRAME;
    m_nPenWidth = 2;
}

// ---------------------------------------------------------------------------
// Fields

void CHOXConnect::SetSource(DWORD symbolId, std::int32_t pin)
{
    m_nSourceId = symbolId;
    m_nSourcePin = pin;
}

void CHOXConnect::SetTarget(DWORD id, std::int32_t kind)
{
    m_nTargetId = id;
    m_nTargetKind = kind;
}

void CHOXConnect::SetJumpEnd(std::unique_ptr<CHOXJumpEndBase> marker) { m_pJumpEnd = std::move(marker); }

void CHOXConnect::SetLineWidth(int width) { m_nPenWidth = width; }

void CHOXConnect::SetWnd(CHOXWnd* wnd)
{
    m_pWnd = wnd;
    if (m_pJumpEnd) m_pJumpEnd->SetWnd(wnd);
}

CPoint CHOXConnect::GetSecondPoint() const
{
    if (m_points.size() > 1) return m_points[1];
    return m_points.empty() ? CPoint(0, 0) : m_points.front();
}

void CHOXConnect::SetEndPoint(int x, int y)
{
    if (!IsNodeTarget() || m_points.empty()) return;
    m_points.back() = CPoint(x, y);
}

CHOXFlowWnd* CHOXConnect::FlowWnd() const { return chart::AsFlowWnd(m_pWnd); }
CHOXSymbol* CHOXConnect::FindSymbol(DWORD id) const { return chart::FindSymbol(m_pWnd, id); }
CHOXNode* CHOXConnect::FindNode(DWORD id) const { return chart::FindNode(m_pWnd, id); }
CHOXConnect* CHOXConnect::FindWire(DWORD id) const { return chart::FindWire(m_pWnd, id); }

bool CHOXConnect::IsSideExit() const
{
    const CHOXSymbol* source = FindSymbol(m_nSourceId);
    return source != nullptr && source->IsSideExitPin(m_nSourcePin);
}

void CHOXConnect::RecomputeBounds()
{
    if (m_points.empty()) return;
    CRect r(m_points.front(), m_points.front());
    for (const CPoint& p : m_points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    m_position = r;
}

DWORD CHOXConnect::GetFinalTarget() const
{
    const CHOXConnect* wire = this;
    // A chain of jumps that runs in a circle ends nowhere.
    const CHOXFlowWnd* flow = FlowWnd();
    const std::size_t limit = flow != nullptr ? flow->GetConnectMap().GetCount() + 1 : 1;
    for (std::size_t step = 0; step <= limit; ++step) {
        if (!wire->IsNodeTarget()) return wire->m_nTargetId;
        const CHOXNode* node = FindNode(wire->m_nTargetId);
        if (node == nullptr) return kNone;
        wire = FindWire(node->GetOutWireId());
        if (wire == nullptr) return kNone;
    }
    return kNone;
}

// ---------------------------------------------------------------------------
// Taking the wire out and putting it back

void CHOXConnect::FreeSourcePin()
{
    // Only a pin that holds this wire is freed: toggling a free pin would
    // leave a stale link behind.
    const CHOXSymbol* source = FindSymbol(m_nSourceId);
    CHOXPin* pin = source != nullptr ? source->GetPin(m_nSourcePin) : nullptr;
    if (pin != nullptr && pin->GetLinkId() == m_nId) pin->SetLinkId(CHOXPin::kFree);
}

void CHOXConnect::FreeTargetPin()
{
    if (IsNodeTarget()) {
        if (CHOXNode* node = FindNode(m_nTargetId)) node->RemoveInWire(m_nId);
        return;
    }
    const CHOXSymbol* target = FindSymbol(m_nTargetId);
    CHOXPin* pin = target != nullptr ? target->GetPin(0) : nullptr;
    if (pin != nullptr && pin->GetLinkId() == m_nId) pin->SetLinkId(CHOXPin::kFree);
}

void CHOXConnect::FreeEnds()
{
    FreeSourcePin();
    FreeTargetPin();
}

std::unique_ptr<CHOXDrawObj> CHOXConnect::LeaveWireMap()
{
    CHOXFlowWnd* wnd = FlowWnd();
    if (wnd == nullptr || !chart::IsKey(m_nId) || wnd->LookupConnect(static_cast<WORD>(m_nId)) != this) return nullptr;
    return wnd->RemoveConnect(static_cast<WORD>(m_nId));
}

CHOXNode* CHOXConnect::HandNodeToUndo(DWORD nodeId)
{
    CHOXFlowWnd* wnd = FlowWnd();
    CHOXNode* node = FindNode(nodeId);
    if (node == nullptr || wnd->GetUndo() == nullptr) return nullptr;
    wnd->GetUndo()->RecordDelete(wnd->RemoveNode(static_cast<WORD>(nodeId)));
    return node;
}

void CHOXConnect::DetachLinks()
{
    FreeSourcePin();
    if (CHOXNode* node = HandNodeToUndo(m_nNodeId)) node->Release(node->GetOutWireId() == m_nId ? this : nullptr);
}

std::unique_ptr<CHOXDrawObj> CHOXConnect::Detach()
{
    DetachLinks();
    std::unique_ptr<CHOXDrawObj> self = LeaveWireMap();
    NotifyJumpSymbol(1);
    return self;
}

bool CHOXConnect::Remove()
{
    FreeTargetPin();
    DetachLinks();
    NotifyJumpSymbol(1);
    return false;
}

std::unique_ptr<CHOXDrawObj> CHOXConnect::DetachFromSource()
{
    if (IsNodeTarget()) {
        if (CHOXNode* target = FindNode(m_nTargetId)) target->RemoveInWire(m_nId);
        // Nothing can inherit a jump to a jump: the node this wire carries
        // goes with it.
        if (CHOXNode* node = HandNodeToUndo(m_nNodeId)) node->Release(node->GetOutWireId() == m_nId ? this : nullptr);
    } else {
        FreeTargetPin();
        if (FindNode(m_nNodeId) != nullptr) {
            CHOXConnect* heir = NearestIncomingWire();
            if (heir == nullptr || heir->GetSourceId() == m_nTargetId) {
                if (CHOXNode* node = HandNodeToUndo(m_nNodeId))
                    node->Release(node->GetOutWireId() == m_nId ? this : nullptr);
            } else {
                heir->SetTarget(m_nTargetId, kTargetSymbol);
                heir->RerouteAll();
                heir->TakeNode(m_nNodeId);
            }
        }
    }
    std::unique_ptr<CHOXDrawObj> self = LeaveWireMap();
    NotifyJumpSymbol(1);
    return self;
}

CHOXConnect* CHOXConnect::NearestIncomingWire() const
{
    const CHOXNode* node = FindNode(m_nNodeId);
    if (node == nullptr) return nullptr;
    CHOXConnect* nearest = nullptr;
    double shortest = 0;
    for (DWORD id : node->GetInWires()) {
        CHOXConnect* wire = FindWire(id);
        if (wire == nullptr || wire->m_points.empty()) continue;
        const double dx = double(wire->m_points.back().x) - wire->m_points.front().x;
        const double dy = double(wire->m_points.back().y) - wire->m_points.front().y;
        const double distance = std::sqrt(dx * dx + dy * dy);
        if (nearest == nullptr || distance < shortest) {
            nearest = wire;
            shortest = distance;
        }
    }
    return nearest;
}

void CHOXConnect::TakeNode(DWORD nodeId)
{
    CHOXNode* node = FindNode(nodeId);
    if (node == nullptr) return;
    CHOXDoc* doc = m_pWnd->GetDocument();
    node->RemoveInWire(m_nId);
    node->SetOutWireId(m_nId);
    const CHOXSymbol* pointer = chart::AsPointerSymbol(FindSymbol(m_nSourceId));
    if (pointer != nullptr && pointer->GetPointerNumber() >= 0) {
        // The node now sits on the POINTER's wire and takes its number.
        const std::int32_t number = pointer->GetPointerNumber();
        if (doc != nullptr) doc->FreePointerNumber(static_cast<int>(node->GetId()));
        node->Renumber(static_cast<DWORD>(number));
        if (doc != nullptr) doc->MarkPointerNumberUsed(number);
    } else {
        m_nNodeId = node->GetId();
        if (doc != nullptr) doc->MarkPointerNumberUsed(static_cast<int>(node->GetId()));
    }
    m_nNodeSegment = IsSideExit() ? 1 : 0;
    const CPoint pos = NodePosOnSegment(m_nNodeSegment);
    node->MoveTo(CRect(Pt(pos.x - I64(5), pos.y + I64(5)), Pt(pos.x + I64(5), pos.y + I64(15))), nullptr);
}

void CHOXConnect::RestoreLinks()
{
    CHOXSymbol* source = FindSymbol(m_nSourceId);
    if (CHOXPin* pin = source != nullptr ? source->GetPin(m_nSourcePin) : nullptr) pin->SetLinkId(m_nId);
    if (IsNodeTarget()) {
        if (CHOXNode* node = FindNode(m_nTargetId)) {
            const auto& in = node->GetInWires();
            if (std::find(in.begin(), in.end(), m_nId) == in.end()) node->AddInWire(m_nId);
        }
    } else if (CHOXSymbol* target = FindSymbol(m_nTargetId)) {
        if (CHOXPin* input = target->GetPin(0)) {
            const DWORD held = input->GetLinkId();
            input->SetLinkId(m_nId);
            // The wire that inherited the target while this one was away.
            CHOXConnect* other = held != CHOXPin::kFree && held != m_nId ? FindWire(held) : nullptr;
            CHOXNode* node = other != nullptr ? FindNode(other->GetNodeId()) : nullptr;
            if (node != nullptr) TakeNodeBack(other, node, source);
        }
    }
    NotifyJumpSymbol(0);
    RerouteAll();
}

void CHOXConnect::TakeNodeBack(CHOXConnect* other, CHOXNode* node, CHOXSymbol* source)
{
    CHOXDoc* doc = m_pWnd->GetDocument();
    node->SetOutWireId(m_nId);
    CHOXSymbol* mine = chart::AsPointerSymbol(source);
    const CHOXSymbol* theirs = chart::AsPointerSymbol(FindSymbol(other->GetSourceId()));
    if (mine == nullptr) {
        int number = static_cast<int>(m_nNodeId);
        if (theirs != nullptr && doc != nullptr && doc->IsPointerNumberUsed(number)) number = doc->AllocPointerNumber();
        if (number >= 0) {
            node->Renumber(static_cast<DWORD>(number));
            if (doc != nullptr) doc->MarkPointerNumberUsed(number);
        }
    } else if (theirs != nullptr) {
        if (mine->GetPointerNumber() >= 0) node->Renumber(static_cast<DWORD>(mine->GetPointerNumber()));
    } else {
        mine->SetPointerNumber(static_cast<std::int32_t>(other->GetNodeId()));
    }
    // The wire names the node by its number, whichever way it was settled.
    m_nNodeId = node->GetId();
    other->m_nNodeId = kNone;
    other->m_nNodeSegment = -1;
    other->SetTarget(node->GetId(), kTargetNode);
    node->AddInWire(other->m_nId);
    if (other->m_pJumpEnd) other->m_pJumpEnd->SetPointerNumber(static_cast<std::int32_t>(node->GetId()));
    other->RerouteAll();
}

void CHOXConnect::RestoreJumpChain()
{
    NotifyJumpSymbol(1);
    CHOXNode* node = FindNode(m_nNodeId);
    if (node == nullptr || FindWire(node->GetOutWireId()) != nullptr || IsNodeTarget()) return;
    CHOXConnect* heir = NearestIncomingWire();
    if (heir == nullptr) return;
    heir->SetTarget(m_nTargetId, kTargetSymbol);
    heir->TakeNode(m_nNodeId);
    heir->RerouteAll();
}

void CHOXConnect::NotifyJumpSymbol(int mode)
{
    if (IsNodeTarget()) return;
    CHOXSymbol* source = FindSymbol(m_nSourceId);
    CHOXSymbol* target = FindSymbol(m_nTargetId);
    const auto asJump = [](CHOXSymbol* symbol) {
        return symbol != nullptr && symbol->GetObjectType() == objtype::kFlowJump ? symbol : nullptr;
    };
    CHOXSymbol* jumpAtTarget = asJump(target);
    CHOXSymbol* jumpAtSource = asJump(source);
    if (source != nullptr && target != nullptr) {
        if (m_nSourcePin != 2) return;
        if (jumpAtTarget != nullptr) {
            jumpAtTarget->SetCaptionMode(mode);
        } else if (jumpAtSource != nullptr) {
            jumpAtSource->SetCaptionMode(mode);
        }
    } else if (jumpAtTarget != nullptr) {
        jumpAtTarget->SetCaptionMode(mode);
    } else if (jumpAtSource != nullptr) {
        jumpAtSource->SetCaptionMode(mode);
    }
}
