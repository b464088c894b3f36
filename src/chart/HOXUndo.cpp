#include "chart/HOXUndo.h"

#include "app/HOXDoc.h"
#include "chart/ChartLookup.h"
#include "chart/HOXConnect.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXNode.h"
#include "chart/HOXShape.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXView.h"
#include "chart/RecordCasts.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

constexpr std::int32_t kMove = 0;
constexpr std::int32_t kAdd = 1;
constexpr std::int32_t kDelete = 2;

WORD Key(DWORD id) { return static_cast<WORD>(id); }

// A line keeps its slope: stored left end first unless it is horizontal.
CRect NormalizedLine(CRect r)
{
    if (r.left > r.right && r.top != r.bottom) {
        std::swap(r.left, r.right);
        std::swap(r.top, r.bottom);
    }
    return r;
}

// Where a resized shape stood before: the edges of the handle it was dragged
// by, now at the last drag point, go back to the drag origin. Mouse-up has
// normalised the bounds, so the moved edge is found by its value.
CRect FormerRectOfResize(const CHOXDrawObj& object)
{
    const CRect now = object.GetRect();
    const CPoint from = object.m_ptDragStart;
    const CPoint to = object.m_ptPrevDrag;
    int handle = object.m_nCurrentHandle;
    if (object.GetObjectType() == objtype::kLine) {
        if (handle == 2) handle = 5;
        CRect r = now;
        if (CPoint(r.right, r.bottom) == to) {
            r.right = from.x;
            r.bottom = from.y;
        } else if (CPoint(r.left, r.top) == to || handle != 5) {
            r.left = from.x;
            r.top = from.y;
        } else {
            r.right = from.x;
            r.bottom = from.y;
        }
        return NormalizedLine(r);
    }
    CRect r = now;
    const bool movesLeft = handle == 1 || handle == 7 || handle == 8;
    const bool movesRight = handle == 3 || handle == 4 || handle == 5;
    const bool movesTop = handle == 1 || handle == 2 || handle == 3;
    const bool movesBottom = handle == 5 || handle == 6 || handle == 7;
    if (movesLeft || movesRight) {
        if (r.left == to.x && (movesLeft || r.right != to.x)) {
            r.left = from.x;
        } else if (r.right == to.x) {
            r.right = from.x;
        } else if (movesLeft) {
            r.left = from.x;
        } else {
            r.right = from.x;
        }
    }
    if (movesTop || movesBottom) {
        if (r.top == to.y && (movesTop || r.bottom != to.y)) {
            r.top = from.y;
        } else if (r.bottom == to.y) {
            r.bottom = from.y;
        } else if (movesTop) {
            r.top = from.y;
        } else {
            r.bottom = from.y;
        }
    }
    return r.Normalized();
}

} // namespace

CHOXUndo::CHOXUndo(CHOXWnd* owner) : m_pOwner(owner) {}

CHOXUndo::~CHOXUndo() { Clear(); }

std::int32_t CHOXUndo::KindOf(const CHOXDrawObj* object)
{
    if (object == nullptr) return CHOXUndoRecord::kNone;
    if (dynamic_cast<const CHOXSymbol*>(object) != nullptr) return CHOXUndoRecord::kSymbol;
    if (dynamic_cast<const CHOXShape*>(object) != nullptr)
        return dynamic_cast<const CHOXNode*>(object) != nullptr ? CHOXUndoRecord::kNode : CHOXUndoRecord::kShape;
    if (object->GetObjectType() == objtype::kOle) return CHOXUndoRecord::kOle;
    if (dynamic_cast<const CHOXConnect*>(object) != nullptr) return CHOXUndoRecord::kWire;
    // Monitor objects belong to the online code; the store knows their class
    // by its name.
    static const CRuntimeClass* const monitorObject = CRuntimeClass::FromName("CHOXMonObj");
    if (monitorObject != nullptr && object->IsKindOf(monitorObject)) return CHOXUndoRecord::kMonObj;
    return CHOXUndoRecord::kNone;
}

void CHOXUndo::Clear()
{
    // Taken out first: releasing an object must not find the old step.
    std::vector<std::unique_ptr<CHOXDrawObj>> kept = std::move(m_kept);
    m_kept.clear();
    m_records.clear();
    m_nState = -1;
    m_nAction = -1;
    for (auto& object : kept) {
        if (!object) continue;
        // An OLE holder takes its item out of the document for good.
        if (object->GetObjectType() == objtype::kOle) object->Remove();
        object.reset();
    }
}

void CHOXUndo::BeginStep(std::int32_t action)
{
    if (m_nAction == -1) {
        m_nAction = action;
        m_nState = 0;
        return;
    }
    if (m_nAction == action && m_nState != 1) return;
    Clear();
    m_nAction = action;
    m_nState = 0;
}

void CHOXUndo::RecordMove(CHOXDrawObj* object)
{
    if (object == nullptr) return;
    BeginStep(kMove);
    const std::int32_t kind = KindOf(object);
    const bool resized =
        object->m_nResized != 0 && (kind == CHOXUndoRecord::kShape || kind == CHOXUndoRecord::kOle);
    CRect former;
    if (resized) {
        former = FormerRectOfResize(*object);
    } else if (kind == CHOXUndoRecord::kNode) {
        // A node's drag points are a point on its wire and its centre, not
        // where it was: its bounds at the press are.
        former = object->m_rectAtPress;
    } else {
        former = CHOXDrawObj::Shifted(object->GetRect(),
                                      std::int64_t(object->m_ptDragStart.x) - object->m_ptPrevDrag.x,
                                      std::int64_t(object->m_ptDragStart.y) - object->m_ptPrevDrag.y);
    }
    object->m_ptDragStart = object->m_ptPrevDrag;

    for (auto& record : m_records) {
        if (record->m_nKind == kind && record->m_nId == object->GetId()) {
            record->m_rect = object->GetRect();
            if (resized) record->m_nResized = 1;
            return;
        }
    }
    auto record = std::make_unique<CHOXUndoRecord>(kind, object->GetId(), object->GetRect());
    record->m_rectOld = former;
    record->m_nResized = resized ? 1 : 0;
    m_records.push_back(std::move(record));
}

void CHOXUndo::RecordAdd(CHOXDrawObj* object)
{
    if (object == nullptr) return;
    BeginStep(kAdd);
    m_records.push_back(std::make_unique<CHOXUndoRecord>(KindOf(object), object->GetId(), object->GetRect()));
}

void CHOXUndo::RecordDelete(std::unique_ptr<CHOXDrawObj> object)
{
    if (!object) return;
    BeginStep(kDelete);
    m_kept.push_back(std::move(object));
}

void CHOXUndo::Undo()
{
    if (m_nState != 0) return;
    bool kept = true;
    switch (m_nAction) {
    case kMove: ApplyMoves(true); break;
    case kAdd: kept = RemoveStepObjects(); break;
    case kDelete: kept = RestoreStepObjects(); break;
    default: return;
    }
    if (kept) m_nState = 1;
}

void CHOXUndo::Redo()
{
    if (m_nState != 1) return;
    bool kept = true;
    switch (m_nAction) {
    case kMove: ApplyMoves(false); break;
    case kAdd: kept = RestoreStepObjects(); break;
    case kDelete: kept = RemoveStepObjects(); break;
    default: return;
    }
    if (kept) m_nState = 0;
}

void CHOXUndo::RenumberNode(DWORD oldId, DWORD newId)
{
    for (auto& record : m_records) {
        if (record->m_nKind == CHOXUndoRecord::kNode && record->m_nId == oldId) {
            record->m_nId = newId;
            return;
        }
    }
}

// ---------------------------------------------------------------------------
// Moves

void CHOXUndo::ApplyMoves(bool undo)
{
    CHOXView* view = m_pOwner != nullptr ? m_pOwner->GetView() : nullptr;
    for (auto& record : m_records) {
        CHOXDrawObj* object = Lookup(record->m_nKind, record->m_nId);
        if (object == nullptr) continue;
        const CRect& target = undo ? record->m_rectOld : record->m_rect;
        if (record->m_nResized != 0) {
            ApplyResize(object, target);
        } else {
            object->MoveTo(target, view);
        }
    }
    Changed();
}

void CHOXUndo::ApplyResize(CHOXDrawObj* object, const CRect& rect)
{
    object->MoveTo(rect, m_pOwner != nullptr ? m_pOwner->GetView() : nullptr);
    if (object->GetObjectType() != objtype::kLine) object->m_position.NormalizeRect();
}

// ---------------------------------------------------------------------------
// Additions and deletions

bool CHOXUndo::RemoveStepObjects()
{
    // A shape or wire that has gone some other way leaves the step unusable;
    // it is found before anything is taken out, so the window stays whole.
    for (const auto& record : m_records) {
        const bool mustExist = record->m_nKind == CHOXUndoRecord::kShape || record->m_nKind == CHOXUndoRecord::kWire;
        if (mustExist && Lookup(record->m_nKind, record->m_nId) == nullptr) {
            Clear();
            return false;
        }
    }

    CHOXDoc* doc = m_pOwner != nullptr ? m_pOwner->GetDocument() : nullptr;
    CHOXFlowWnd* flow = chart::AsFlowWnd(m_pOwner);
    CHOXView* view = m_pOwner != nullptr ? m_pOwner->GetView() : nullptr;
    std::vector<std::unique_ptr<CHOXUndoRecord>> records = std::move(m_records);
    m_records.clear();
    std::vector<CHOXConnect*> wires;

    for (const auto& record : records) {
        const std::int32_t kind = record->m_nKind;
        CHOXDrawObj* object = Lookup(kind, record->m_nId);
        if (object == nullptr) continue;
        switch (kind) {
        case CHOXUndoRecord::kSymbol: GiveBackNumber(static_cast<CHOXSymbol*>(object)); break;
        case CHOXUndoRecord::kWire: static_cast<CHOXConnect*>(object)->FreeEnds(); break;
        case CHOXUndoRecord::kNode: {
            auto* node = static_cast<CHOXNode*>(object);
            auto* wire = flow != nullptr ? dynamic_cast<CHOXConnect*>(flow->LookupConnect(Key(node->GetOutWireId())))
                                         : nullptr;
            // A node on the wire that leaves a POINTER carries the POINTER's
            // own number, which stays taken.
            const CHOXDrawObj* source = wire != nullptr ? flow->LookupObject(Key(wire->GetSourceId())) : nullptr;
            const bool pointersNumber = source != nullptr && source->GetObjectType() == objtype::kFlowPointer;
            if (wire != nullptr) wire->SetNodeId(CHOXConnect::kNone);
            node->ClearInWires();
            if (doc != nullptr && !pointersNumber) doc->FreePointerNumber(static_cast<int>(node->GetId()));
            break;
        }
        default: break;
        }
        std::unique_ptr<CHOXDrawObj> taken = TakeOut(kind, record->m_nId);
        if (!taken) continue;
        if (view != nullptr) view->Deselect(taken.get());
        if (kind == CHOXUndoRecord::kWire) wires.push_back(static_cast<CHOXConnect*>(taken.get()));
        m_kept.push_back(std::move(taken));
    }
    for (CHOXConnect* wire : wires) wire->RestoreJumpChain();
    Changed();
    return true;
}

bool CHOXUndo::RestoreStepObjects()
{
    CHOXDoc* doc = m_pOwner != nullptr ? m_pOwner->GetDocument() : nullptr;
    // Refused when an id has been given to another object meanwhile:
    // putting the kept one back would push that one out.
    std::set<std::pair<std::int32_t, WORD>> keys;
    for (const auto& object : m_kept) {
        const std::int32_t kind = KindOf(object.get());
        const bool symbolIdTaken = kind == CHOXUndoRecord::kSymbol && doc != nullptr && doc->IsObjectIdUsed(Key(object->GetId()));
        if (symbolIdTaken || !CanRestore(object.get()) || !keys.insert({kind, Key(object->GetId())}).second) {
            Clear();
            return false;
        }
    }

    // Which symbols hold their number is told by the window as it is now,
    // before the step's own nodes come back.
    std::vector<bool> holds;
    holds.reserve(m_kept.size());
    for (const auto& object : m_kept) {
        auto* symbol = dynamic_cast<CHOXSymbol*>(object.get());
        holds.push_back(symbol != nullptr && HoldsNumber(symbol));
    }

    std::vector<std::unique_ptr<CHOXDrawObj>> kept = std::move(m_kept);
    m_kept.clear();
    std::vector<std::pair<CHOXDrawObj*, std::int32_t>> restored;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        CHOXDrawObj* object = kept[i].get();
        const std::int32_t kind = KindOf(object);
        if (kind == CHOXUndoRecord::kSymbol) {
            auto* symbol = static_cast<CHOXSymbol*>(object);
            if (holds[i]) TakeNumberAgain(symbol);
            if (symbol->GetPinCount() == 0) {
                symbol->CreatePins();
            } else {
                symbol->ClearPinLinks();
            }
        }
        PutBack(kind, std::move(kept[i]));
        m_records.push_back(std::make_unique<CHOXUndoRecord>(kind, object->GetId(), object->GetRect()));
        restored.emplace_back(object, kind);
    }

    CHOXFlowWnd* flow = chart::AsFlowWnd(m_pOwner);
    for (const auto& [object, kind] : restored) {
        if (kind == CHOXUndoRecord::kWire) {
            static_cast<CHOXConnect*>(object)->RestoreLinks();
            continue;
        }
        if (kind != CHOXUndoRecord::kNode || flow == nullptr || doc == nullptr) continue;
        auto* node = static_cast<CHOXNode*>(object);
        auto* wire = dynamic_cast<CHOXConnect*>(flow->LookupConnect(Key(node->GetOutWireId())));
        const DWORD oldId = node->GetId();
        const CHOXSymbol* pointer =
            wire != nullptr
                ? chart::AsPointerSymbol(dynamic_cast<CHOXSymbol*>(flow->LookupObject(Key(wire->GetSourceId()))))
                : nullptr;
        // Renumbering moves the node to its new key; another node there
        // would be pushed out of the map.
        auto renumber = [&](DWORD n) {
            if (wire == nullptr) return false;
            if (n == oldId) {
                wire->SetNodeId(n);
                return true;
            }
            const CHOXDrawObj* there = flow->LookupNode(Key(n));
            if (there != nullptr && there != node) return false;
            node->Renumber(n);
            RenumberNode(oldId, node->GetId());
            return true;
        };
        if (pointer != nullptr && pointer->GetPointerNumber() >= 0) {
            renumber(static_cast<DWORD>(pointer->GetPointerNumber()));
        } else if (doc->IsPointerNumberUsed(static_cast<int>(oldId))) {
            const int n = doc->AllocPointerNumber();
            if (n >= 0 && !renumber(static_cast<DWORD>(n))) doc->FreePointerNumber(n);
        } else {
            if (wire != nullptr) wire->SetNodeId(oldId);
            doc->MarkPointerNumberUsed(static_cast<int>(oldId));
        }
    }
    // The wires' own settling may have renumbered nodes of the step.
    if (m_records.size() == restored.size())
        for (std::size_t i = 0; i < restored.size(); ++i) m_records[i]->m_nId = restored[i].first->GetId();

    Changed();
    return true;
}

bool CHOXUndo::CanRestore(const CHOXDrawObj* object) const
{
    const ObjectMap* map = m_pOwner != nullptr ? m_pOwner->GetMapOfKind(KindOf(object)) : nullptr;
    return map != nullptr && !map->Contains(Key(object->GetId()));
}

// ---------------------------------------------------------------------------
// Numbers

bool CHOXUndo::HoldsNumber(const CHOXSymbol* symbol) const
{
    // The same rules as a symbol's Remove, told by the symbol: a symbol in
    // the error state never took its number, a START of the subtask carries
    // one outside the table, and a POINTER shares its number with a node on
    // its wire.
    if (chart::AsFlowWnd(m_pOwner) == nullptr) return false;
    const std::vector<CHOXSymbol::HeldNumber> held = symbol->GetHeldNumbers();
    return std::any_of(held.begin(), held.end(), [](const CHOXSymbol::HeldNumber& n) { return n.givesBack; });
}

void CHOXUndo::GiveBackNumber(CHOXSymbol* symbol)
{
    CHOXDoc* doc = m_pOwner != nullptr ? m_pOwner->GetDocument() : nullptr;
    if (doc == nullptr || !HoldsNumber(symbol)) return;
    for (const CHOXSymbol::HeldNumber& held : symbol->GetHeldNumbers())
        if (held.givesBack) held.FreeIn(*doc);
}

void CHOXUndo::TakeNumberAgain(CHOXSymbol* symbol)
{
    CHOXDoc* doc = m_pOwner != nullptr ? m_pOwner->GetDocument() : nullptr;
    if (doc == nullptr) return;
    const std::vector<CHOXSymbol::HeldNumber> held = symbol->GetHeldNumbers();
    // Another holder has one of the numbers: the symbol takes fresh numbers
    // (the other keeps the old one marked). Asked before anything is marked,
    // so that a symbol of several numbers does not keep some of them marked
    // when it cannot take them all.
    for (const CHOXSymbol::HeldNumber& number : held) {
        if (number.IsUsedIn(*doc) && number.HasFreeIn(*doc)) {
            symbol->AssignNewNumber();
            return;
        }
    }
    for (const CHOXSymbol::HeldNumber& number : held) number.MarkIn(*doc);
}

// ---------------------------------------------------------------------------
// The owner's maps

CHOXDrawObj* CHOXUndo::Lookup(std::int32_t kind, DWORD id) const
{
    const ObjectMap* map = m_pOwner != nullptr ? m_pOwner->GetMapOfKind(kind) : nullptr;
    return map != nullptr ? FindInMap(*map, Key(id)) : nullptr;
}

std::unique_ptr<CHOXDrawObj> CHOXUndo::TakeOut(std::int32_t kind, DWORD id)
{
    return m_pOwner != nullptr ? m_pOwner->RemoveOfKind(kind, Key(id)) : nullptr;
}

void CHOXUndo::PutBack(std::int32_t kind, std::unique_ptr<CHOXDrawObj> object)
{
    // CanRestore has made sure the map exists.
    m_pOwner->AddOfKind(kind, std::move(object));
}

void CHOXUndo::Changed()
{
    CHOXDoc* doc = m_pOwner != nullptr ? m_pOwner->GetDocument() : nullptr;
    if (doc == nullptr) return;
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr);
}
