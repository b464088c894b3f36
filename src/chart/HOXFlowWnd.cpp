#include "chart/HOXFlowWnd.h"

#include "app/HOXDoc.h"
#include "app/PaletteTools.h"
#include "chart/ChartLookup.h"
#include "chart/ControllerType.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXJumpEndBase.h"
#include "chart/HOXNode.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/Messages.h"
#include "platform/Strings.h"
#include "res/StringIds.h"

KT_IMPLEMENT_SERIAL(CHOXFlowWnd, CHOXWnd, 0)

CHOXFlowWnd::CHOXFlowWnd() = default;

CHOXFlowWnd::CHOXFlowWnd(CHOXDoc* doc) : CHOXWnd(doc) {}

CHOXFlowWnd::~CHOXFlowWnd()
{
    // The objects shown from another record stay there; records showing this
    // one's show their own again.
    RemoveAllMaps();
    for (CHOXFlowWnd* shower : m_showers) shower->m_pShown = nullptr;
    m_showers.clear();
    // Tearing a record down gives nothing back and touches no other object:
    // the objects only go, nodes first, then wires, then symbols.
    m_mapNodes.RemoveAll();
    m_mapConnects.RemoveAll();
    m_mapObjects.RemoveAll();
}

void CHOXFlowWnd::Serialize(CArchive& ar)
{
    SerializeBase(ar);
    if (ar.IsStoring()) {
        SerializeObjectMap(ar, m_mapObjects);
        SerializeObjectMap(ar, m_mapConnects);
        SerializeObjectMap(ar, m_mapNodes);
        ar << m_strName << m_strDescription;
        return;
    }
    ObjectMap objects;
    ObjectMap connects;
    ObjectMap nodes;
    QString name;
    QString description;
    // Each map holds its own kind of object; anything else is a damaged file.
    SerializeObjectMap(ar, objects, RUNTIME_CLASS(CHOXSymbol));
    SerializeObjectMap(ar, connects, RUNTIME_CLASS(CHOXConnect));
    SerializeObjectMap(ar, nodes, RUNTIME_CLASS(CHOXNode));
    // Every entry of a chart's maps is an object: drawing, hit tests and the
    // fix-ups below walk them all.
    for (const ObjectMap* map : {&objects, &connects, &nodes})
        for (const auto& [key, object] : *map)
            if (!object) throw ArchiveError(ArchiveError::badClass, "a flow chart holds an empty map entry");
    ar >> name >> description;
    m_mapObjects = std::move(objects);
    m_mapConnects = std::move(connects);
    m_mapNodes = std::move(nodes);
    m_strName = name;
    m_strUpperName = name.toUpper();
    m_strDescription = description;
    AfterLoad();
}

void CHOXFlowWnd::AfterLoad()
{
    if (GetBaseRect() != nullptr) GetBaseRect()->SetWnd(this);
    for (auto& [id, object] : m_mapObjects) {
        object->SetWnd(this);
        auto* symbol = dynamic_cast<CHOXSymbol*>(object.get());
        if (symbol == nullptr) continue;
        symbol->CalcSteps();
        symbol->UpdateText();
    }
    MarkSymbolNumbersUsed();
    for (auto& [id, object] : m_mapObjects)
        if (auto* symbol = dynamic_cast<CHOXSymbol*>(object.get())) symbol->CalcSteps();
    for (auto& [id, wire] : m_mapConnects) {
        wire->SetWnd(this);
        auto* connect = dynamic_cast<CHOXConnect*>(wire.get());
        if (connect == nullptr) continue;
        if (connect->GetJumpEnd() != nullptr) connect->GetJumpEnd()->SetWnd(this);
        // A JUMP behind a conditional jump's side exit learns it again: its
        // caption mode is not stored.
        connect->NotifyJumpSymbol(0);
    }
    for (auto& [id, node] : m_mapNodes) {
        node->SetWnd(this);
        // A node's id is its pointer number.
        if (m_pDocument != nullptr) m_pDocument->MarkPointerNumberUsed(id);
    }
}

bool CHOXFlowWnd::IsSubtaskWindow() const { return m_strName == LoadStr(IDS_SUBTASK_NAME); }

void CHOXFlowWnd::SetNames(const QString& name, const QString& description)
{
    m_strName = name;
    m_strUpperName = name.toUpper();
    m_strDescription = description;
}

void CHOXFlowWnd::GetNames(QString& name, QString& description) const
{
    name = m_strName;
    description = m_strDescription;
}

void CHOXFlowWnd::AddConnect(std::unique_ptr<CHOXDrawObj> wire) { PutInMap(m_mapConnects, std::move(wire)); }

std::unique_ptr<CHOXDrawObj> CHOXFlowWnd::RemoveConnect(WORD id) { return m_mapConnects.Take(id); }

CHOXDrawObj* CHOXFlowWnd::LookupObject(WORD id) const { return FindInMap(GetShownRecord().m_mapObjects, id); }

CHOXDrawObj* CHOXFlowWnd::LookupConnect(WORD id) const { return FindInMap(GetShownRecord().m_mapConnects, id); }

void CHOXFlowWnd::AddNode(std::unique_ptr<CHOXDrawObj> node) { PutInMap(m_mapNodes, std::move(node)); }

std::unique_ptr<CHOXDrawObj> CHOXFlowWnd::RemoveNode(WORD id) { return m_mapNodes.Take(id); }

CHOXDrawObj* CHOXFlowWnd::LookupNode(WORD id) const { return FindInMap(GetShownRecord().m_mapNodes, id); }

// ---------------------------------------------------------------------------
// Showing another record's objects

const CHOXFlowWnd& CHOXFlowWnd::GetShownRecord() const
{
    return m_pShown != nullptr ? m_pShown->GetShownRecord() : *this;
}

CHOXFlowWnd& CHOXFlowWnd::ShownRecord() { return m_pShown != nullptr ? m_pShown->ShownRecord() : *this; }

void CHOXFlowWnd::CopyMapsFrom(CHOXFlowWnd& other)
{
    RemoveAllMaps();
    // The records that show others are never shown themselves, so the
    // showing never runs in a circle.
    CHOXFlowWnd& source = other.ShownRecord();
    if (&source != this) {
        m_pShown = &source;
        source.m_showers.push_back(this);
    }
    if (GetBaseRect() == nullptr || other.GetBaseRect() == nullptr) return;
    const CRect sheet = other.GetBaseRect()->GetRect();
    GetBaseRect()->m_position = sheet;
    if (m_pView != nullptr)
        m_pView->SetScrollSizes(m_pView->DocToClient(CSize(chart::Sat(std::int64_t(sheet.right) - sheet.left + 15),
                                                           chart::Sat(std::int64_t(sheet.bottom) - sheet.top + 15))));
}

void CHOXFlowWnd::RemoveAllMaps()
{
    if (m_pShown == nullptr) return;
    std::erase(m_pShown->m_showers, this);
    m_pShown = nullptr;
}

const ObjectMap* CHOXFlowWnd::GetMapOfKind(std::int32_t kind) const
{
    switch (kind) {
    case CHOXUndoRecord::kWire: return &m_mapConnects;
    case CHOXUndoRecord::kNode: return &m_mapNodes;
    default: return CHOXWnd::GetMapOfKind(kind);
    }
}

std::unique_ptr<CHOXDrawObj> CHOXFlowWnd::RemoveOfKind(std::int32_t kind, WORD id)
{
    switch (kind) {
    case CHOXUndoRecord::kWire: return RemoveConnect(id);
    case CHOXUndoRecord::kNode: return RemoveNode(id);
    default: return CHOXWnd::RemoveOfKind(kind, id);
    }
}

void CHOXFlowWnd::AddOfKind(std::int32_t kind, std::unique_ptr<CHOXDrawObj> object)
{
    switch (kind) {
    case CHOXUndoRecord::kWire: AddConnect(std::move(object)); break;
    case CHOXUndoRecord::kNode: AddNode(std::move(object)); break;
    default: CHOXWnd::AddOfKind(kind, std::move(object)); break;
    }
}

ObjectExtent CHOXFlowWnd::GetObjectExtent() const
{
    ObjectExtent extent;
    for (const auto& [id, symbol] : m_mapObjects)
        if (symbol) extent.Take(symbol->GetRect(), 15);
    for (const auto& [id, wire] : m_mapConnects)
        if (wire) extent.Take(wire->GetRect(), 15);
    return extent;
}

CHOXDrawObj* CHOXFlowWnd::ObjectAt(CPoint point)
{
    const CHOXFlowWnd& shown = GetShownRecord();
    const CRect square(point.x - 10, point.y - 10, point.x + 10, point.y + 10);
    for (auto& [id, object] : shown.m_mapObjects)
        if (object->Intersects(square)) return object.get();
    for (auto& [id, node] : shown.m_mapNodes)
        if (node->Intersects(square)) return node.get();
    // The jump-end markers of wires that end at nodes, then the wires by
    // their segments rather than by their bounds.
    for (auto& [id, wire] : shown.m_mapConnects) {
        const auto* connect = dynamic_cast<const CHOXConnect*>(wire.get());
        if (connect == nullptr || connect->GetTargetKind() != CHOXConnect::kTargetNode) continue;
        if (connect->GetJumpEnd() == nullptr) continue;
        if (connect->GetJumpEnd()->Intersects(square)) return connect->GetJumpEnd();
    }
    for (auto& [id, wire] : shown.m_mapConnects) {
        const auto* connect = dynamic_cast<const CHOXConnect*>(wire.get());
        if (connect != nullptr ? connect->HitsRect(square) : wire->Intersects(square)) return wire.get();
    }
    return nullptr;
}

void CHOXFlowWnd::Draw(CDC* pDC)
{
    if (GetBaseRect() != nullptr) GetBaseRect()->Draw(pDC);
    // Symbols show their handles only while editing; wires and nodes always.
    const bool handles = !pDC->IsPrinting() && m_pView != nullptr;
    const bool symbolHandles = handles && m_pDocument != nullptr && m_pDocument->IsEditMode();
    // While monitoring each symbol's frame shows whether the monitored step
    // is in it: the mark of the axis this window follows, else its state.
    const bool monitoring = m_pDocument != nullptr && !m_pDocument->IsEditMode();
    // The objects of the record this one shows, framed by this one's flags.
    const CHOXFlowWnd& record = GetShownRecord();
    for (auto it = record.m_mapObjects.rbegin(); it != record.m_mapObjects.rend(); ++it) {
        it->second->Draw(pDC);
        const auto* symbol = monitoring ? dynamic_cast<const CHOXSymbol*>(it->second.get()) : nullptr;
        if (symbol == nullptr) continue;
        const std::int32_t shown = m_nDisplayFirst != 0    ? symbol->GetMonitorMark1()
                                   : m_nDisplaySecond != 0 ? symbol->GetMonitorMark2()
                                   : m_nDisplayThird != 0  ? symbol->GetMonitorMark3()
                                                           : symbol->GetState();
        if (shown == 1)
            pDC->FrameRect(symbol->GetRect(), RGB(255, 0, 0), 3);
        else
            pDC->FrameRect(symbol->GetRect(), RGB(0, 0, 0), 1);
    }
    if (symbolHandles) {
        for (auto it = record.m_mapObjects.rbegin(); it != record.m_mapObjects.rend(); ++it)
            if (m_pView->IsSelected(it->second.get())) it->second->DrawTracker(pDC);
    }
    for (auto it = record.m_mapConnects.rbegin(); it != record.m_mapConnects.rend(); ++it) {
        it->second->Draw(pDC);
        if (handles && m_pView->IsSelected(it->second.get())) it->second->DrawTracker(pDC);
    }
    for (auto it = record.m_mapNodes.rbegin(); it != record.m_mapNodes.rend(); ++it) {
        it->second->Draw(pDC);
        if (handles && m_pView->IsSelected(it->second.get())) it->second->DrawTracker(pDC);
    }
}

// ---------------------------------------------------------------------------
// Symbols, numbers and steps

void CHOXFlowWnd::MarkSymbolNumbersUsed()
{
    if (m_pDocument == nullptr) return;
    // Every number a symbol holds, also those it shares or never took: the
    // tables follow what the chart shows.
    for (auto& [id, object] : m_mapObjects)
        if (const auto* symbol = dynamic_cast<const CHOXSymbol*>(object.get()))
            for (const CHOXSymbol::HeldNumber& held : symbol->GetHeldNumbers()) held.MarkIn(*m_pDocument);
}

void CHOXFlowWnd::MarkSymbolNumbersUsed(const CHOXSymbol* symbol)
{
    if (m_pDocument == nullptr || symbol == nullptr) return;
    for (const CHOXSymbol::HeldNumber& held : symbol->GetHeldNumbers()) held.MarkIn(*m_pDocument);
}

void CHOXFlowWnd::GiveBackNumbers()
{
    if (m_pDocument == nullptr) return;
    for (auto& [id, object] : m_mapObjects)
        if (const auto* symbol = dynamic_cast<const CHOXSymbol*>(object.get()))
            for (const CHOXSymbol::HeldNumber& held : symbol->GetHeldNumbers())
                if (held.givesBack) held.FreeIn(*m_pDocument);
    // A node's id is its pointer number.
    for (auto& [id, node] : m_mapNodes) m_pDocument->FreePointerNumber(static_cast<int>(id));
}

CHOXPin* CHOXFlowWnd::GetSymbolPin(DWORD symbolId, int pinIndex) const
{
    const CHOXSymbol* symbol = chart::FindSymbol(this, symbolId);
    return symbol != nullptr ? symbol->GetPin(pinIndex) : nullptr;
}

int CHOXFlowWnd::CountProgramSteps()
{
    int steps = 0;
    for (auto& [id, object] : m_mapObjects) {
        auto* symbol = dynamic_cast<CHOXSymbol*>(object.get());
        if (symbol == nullptr) continue;
        // A JUMP's count depends on the wire that leads into it.
        if (symbol->GetObjectType() == objtype::kFlowJump) symbol->CalcSteps();
        steps += symbol->GetSteps();
        if (symbol->GetPinCount() == 0) continue;
        const int out = symbol->GetPinCount() > 1 ? 1 : 0;
        if (!symbol->IsPinWireToNode(out)) continue;
        const CHOXConnect* wire = chart::FindWire(this, symbol->GetPin(out)->GetLinkId());
        if (wire != nullptr && wire->GetJumpEnd() != nullptr) steps += wire->GetJumpEnd()->GetSteps();
    }
    return steps + 2 * static_cast<int>(m_mapNodes.GetCount());
}

std::int32_t CHOXFlowWnd::FreeSymbolIdBesidesMine() const
{
    const std::int32_t id = m_pDocument->LowestFreeObjectId(*this);
    if (id == -1) AfxMessageBox(IDS_TOO_MANY_SYMBOLS, MB_OK | MB_ICONHAND);
    return id;
}

void CHOXFlowWnd::CreateInitialSymbols(int kind)
{
    if (m_pDocument == nullptr || GetBaseRect() == nullptr || kind < 0 || kind > 2) return;
    const std::int32_t first = m_pDocument->NewSymbolId();
    if (first == -1) return;
    const CRect& sheet = GetBaseRect()->GetRect();
    const CPoint upperPoint(137, sheet.top + 32);
    const CPoint lowerPoint(137, sheet.bottom - 64);

    // The symbols come from the makers their classes registered for the
    // palette's tools.
    std::unique_ptr<CHOXSymbol> upper;
    switch (kind) {
    case 0: {
        const int axis = ctype::IsInterpolated(m_pDocument->GetControllerType()) ? axis::kBoth : axis::kX;
        if (IsSubtaskWindow() || m_pDocument->FindFreeProgramNumber(axis) != -1)
            upper = MakeToolSymbol(ID_TOOL_FLOW_START, upperPoint, this);
        break;
    }
    case 1: upper = MakeToolSymbol(ID_TOOL_FLOW_POINTER, upperPoint, this); break;
    default: upper = MakeToolSymbol(ID_TOOL_FLOW_SUBRTN, upperPoint, this); break;
    }
    // Once the id counter has run out, ids come from a search of the maps:
    // the upper symbol is in the map before the second id is asked for, so
    // the two cannot get the same id.
    const bool placedUpper = upper != nullptr;
    if (placedUpper) {
        upper->SetId(static_cast<DWORD>(first));
        AddObject(std::move(upper));
    }
    std::int32_t second = m_pDocument->NewSymbolId();
    // The id search looks through the records the document holds, and a new
    // chart is put among them only after its first symbols are made: the
    // search can then hand back the id the upper symbol has just taken.
    if (second != -1 && LookupObject(static_cast<WORD>(second)) != nullptr) second = FreeSymbolIdBesidesMine();
    if (second == -1) {
        if (placedUpper) {
            // It goes again with the numbers it took; it has no wires yet.
            std::unique_ptr<CHOXDrawObj> gone = RemoveObject(static_cast<WORD>(first));
            if (gone) gone->Remove();
        }
        m_pDocument->ReleaseSymbolId();
        return;
    }
    std::unique_ptr<CHOXSymbol> lower =
        MakeToolSymbol(kind == 2 ? ID_TOOL_FLOW_RET : ID_TOOL_FLOW_END, lowerPoint, this);
    if (!lower) return;
    lower->SetId(static_cast<DWORD>(second));
    AddObject(std::move(lower));
}
