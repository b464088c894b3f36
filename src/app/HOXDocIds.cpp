// The document's window map, the id allocators, and the pointer and program
// number tables.
#include "app/HOXDoc.h"

#include "app/ProgramState.h"
#include "chart/ControllerType.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/Messages.h"
#include "platform/View.h"
#include "res/StringIds.h"
#include "symbols/flow/HOXFlowSubRtn.h"

namespace {
// The most flow-chart windows a document holds.
constexpr std::size_t kMaxWindows = 500;

// Whether the last id of a kind came from the search (program-wide, not
// stored): then giving the id back does nothing.
ProgramState::IdSearch& Searching() { return Program().searching; }
} // namespace

// ---------------------------------------------------------------------------
// Window map and ids

CHOXFlowWnd* CHOXDoc::FindWindowByName(const QString& name) const
{
    const QString wanted = name.toUpper();
    for (const auto& [key, wnd] : m_mapWindows)
        if (wnd->GetUpperName() == wanted) return wnd.get();
    return nullptr;
}

CHOXFlowWnd* CHOXDoc::FindWindowByView(const CView* view) const
{
    for (const auto& [key, wnd] : m_mapWindows)
        if (wnd->GetView() != nullptr && static_cast<const CView*>(wnd->GetView()) == view) return wnd.get();
    return nullptr;
}

std::unique_ptr<CHOXFlowWnd> CHOXDoc::NewFlowWindow(const QString& name, const QString& description)
{
    // The message says 500 windows at most; a 501st is refused.
    if (m_mapWindows.GetCount() >= kMaxWindows) return nullptr;
    auto wnd = std::make_unique<CHOXFlowWnd>(this);
    wnd->SetNames(name, description);
    return wnd;
}

void CHOXDoc::AddWindow(const QString& name, std::unique_ptr<CHOXFlowWnd> wnd, bool keepOutOfList)
{
    m_mapWindows.SetAt(name, std::move(wnd));
    if (!keepOutOfList) m_windowNames << name;
}

std::unique_ptr<CHOXFlowWnd> CHOXDoc::RemoveWindow(const QString& name) { return m_mapWindows.Take(name); }

void CHOXDoc::UpdateWindowName(const QString& oldName, bool remove, const QString& newName)
{
    const qsizetype at = m_windowNames.indexOf(oldName);
    if (at < 0) return;
    m_windowNames.removeAt(at);
    if (!remove) m_windowNames.insert(at, newName);
}

bool CHOXDoc::IsObjectIdUsed(WORD id) const
{
    for (const auto& [name, wnd] : m_mapWindows)
        if (wnd->GetObjectMap().Contains(id)) return true;
    return false;
}

namespace {
// Which ids from `first` to `last` the maps use, marked in one pass over
// them: asking every map for each candidate in turn costs the number of
// windows times the number of ids, and a document at its limits has 500
// and 4,000.
std::vector<bool> UsedIds(std::int32_t first, std::int32_t last, const std::vector<const ObjectMap*>& maps)
{
    std::vector<bool> used(static_cast<std::size_t>(last - first + 1), false);
    for (const ObjectMap* map : maps)
        for (const auto& [key, object] : *map)
            if (key >= first && key <= last) used[static_cast<std::size_t>(key - first)] = true;
    return used;
}

// The lowest id from `first` to `last` that no map uses; -1 when all are
// taken.
std::int32_t LowestUnusedId(std::int32_t first, std::int32_t last, const std::vector<const ObjectMap*>& maps)
{
    const std::vector<bool> used = UsedIds(first, last, maps);
    for (std::int32_t candidate = first; candidate <= last; ++candidate)
        if (!used[static_cast<std::size_t>(candidate - first)]) return candidate;
    return -1;
}

// When all ids are taken, the message says so.
std::int32_t SayWhenNone(std::int32_t id, UINT message)
{
    if (id == -1) AfxMessageBox(message, MB_OK | MB_ICONHAND);
    return id;
}

std::int32_t SearchFreeId(std::int32_t first, std::int32_t last, const std::vector<const ObjectMap*>& maps,
                          UINT message)
{
    return SayWhenNone(LowestUnusedId(first, last, maps), message);
}

bool HeldByAny(std::int32_t id, const std::vector<const ObjectMap*>& maps)
{
    for (const ObjectMap* map : maps)
        if (map->Contains(static_cast<WORD>(id))) return true;
    return false;
}

// Entries that left an object map, or a window that left the document with
// its maps, may have freed an id.
std::uint64_t RemovalsSoFar() { return ObjectMap::Removals() + WindowMap::Removals(); }
} // namespace

std::int32_t CHOXDoc::FreeIdSearch::Lowest(const std::vector<const ObjectMap*>& maps, std::uint64_t removals)
{
    if (!m_made || removals != m_removals) {
        m_held = UsedIds(m_first, m_last, maps);
        m_from = m_first;
        m_removals = removals;
        m_made = true;
    }
    // The id found is not marked held: its caller may not use it, and then
    // the next search must find it again. An id a map took since the pass
    // is caught by asking the maps.
    for (std::int32_t id = m_from; id <= m_last; ++id) {
        const std::size_t at = static_cast<std::size_t>(id - m_first);
        if (m_held[at]) continue;
        if (HeldByAny(id, maps)) {
            m_held[at] = true;
            continue;
        }
        m_from = id;
        return id;
    }
    m_from = m_last + 1;
    return -1;
}

std::int32_t CHOXDoc::LowestFreeObjectId(const CHOXFlowWnd& also) const
{
    std::vector<const ObjectMap*> maps{&also.GetObjectMap()};
    for (const auto& [name, wnd] : m_mapWindows) maps.push_back(&wnd->GetObjectMap());
    return LowestUnusedId(0, 4000, maps);
}

std::int32_t CHOXDoc::NewSymbolId()
{
    if (m_idCounters.symbol <= 3999) {
        Searching().symbol = 0;
        return m_idCounters.symbol++;
    }
    Searching().symbol = 1;
    std::vector<const ObjectMap*> maps;
    maps.reserve(m_mapWindows.GetCount());
    for (const auto& [name, wnd] : m_mapWindows) maps.push_back(&wnd->GetObjectMap());
    return SayWhenNone(m_freeSymbolIds.Lowest(maps, RemovalsSoFar()), IDS_TOO_MANY_SYMBOLS);
}

void CHOXDoc::ReleaseSymbolId()
{
    if (Searching().symbol == 0) --m_idCounters.symbol;
}

std::int32_t CHOXDoc::NewWireId()
{
    if (m_idCounters.wire <= 3999) {
        Searching().wire = 0;
        return m_idCounters.wire++;
    }
    Searching().wire = 1;
    std::vector<const ObjectMap*> maps;
    maps.reserve(m_mapWindows.GetCount());
    for (const auto& [name, wnd] : m_mapWindows) maps.push_back(&wnd->GetConnectMap());
    return SayWhenNone(m_freeWireIds.Lowest(maps, RemovalsSoFar()), 13647);
}

void CHOXDoc::ReleaseWireId()
{
    if (Searching().wire == 0) --m_idCounters.wire;
}

std::int32_t CHOXDoc::NewShapeId()
{
    // Shape ids key a 16-bit map: past the word range the lowest id no
    // shape uses is taken instead of wrapping onto an existing one.
    if (m_idCounters.shape <= 0xFFFF) return m_idCounters.shape++;
    for (std::int32_t candidate = 0; candidate <= 0xFFFF; ++candidate)
        if (!m_pMonWnd->GetShapeMap().Contains(static_cast<WORD>(candidate))) return candidate;
    return -1;
}

std::int32_t CHOXDoc::NewOleId()
{
    if (m_idCounters.ole <= 3999) {
        Searching().ole = 0;
        return m_idCounters.ole++;
    }
    Searching().ole = 1;
    return SearchFreeId(0, 4000, std::vector<const ObjectMap*>{&m_pMonWnd->GetOleMap()}, 13648);
}

std::int32_t CHOXDoc::NewMonObjId()
{
    if (m_idCounters.monObj <= 3999) {
        Searching().monObj = 0;
        return m_idCounters.monObj++;
    }
    Searching().monObj = 1;
    return SearchFreeId(kFirstMonObjId, kFirstMonObjId + 4000,
                        std::vector<const ObjectMap*>{&m_pMonWnd->GetMonObjMap()}, 13649);
}

// ---------------------------------------------------------------------------
// Pointer and program numbers

bool CHOXDoc::IsValidPointerNumber(int n) const { return n >= 0 && n <= ctype::HighestPointerNumber(m_nControllerType); }

bool CHOXDoc::IsPointerNumberUsed(int n) const
{
    return IsValidPointerNumber(n) && m_pointerNumbers[static_cast<std::size_t>(n)] != 0;
}

int CHOXDoc::AllocPointerNumber()
{
    const int last = ctype::HighestPointerNumber(m_nControllerType);
    for (int n = 0; n <= last; ++n) {
        if (m_pointerNumbers[static_cast<std::size_t>(n)] == 0) {
            m_pointerNumbers[static_cast<std::size_t>(n)] = 1;
            return n;
        }
    }
    return -1;
}

void CHOXDoc::FreePointerNumber(int n)
{
    if (IsValidPointerNumber(n)) m_pointerNumbers[static_cast<std::size_t>(n)] = 0;
}

void CHOXDoc::MarkPointerNumberUsed(int n)
{
    if (IsValidPointerNumber(n)) m_pointerNumbers[static_cast<std::size_t>(n)] = 1;
}

namespace {
// The row of an axis selector: Y has its own; both axes together count as X.
// Selectors come from files too; any other value names no row.
int ProgramRow(int a)
{
    if (a == axis::kY) return 1;
    return a == axis::kX || a == axis::kBoth ? 0 : -1;
}
} // namespace

bool CHOXDoc::IsProgramNumberUsed(int axis, int n) const
{
    const int row = ProgramRow(axis);
    return row >= 0 && n >= 0 && n <= 99 && m_programNumbers[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] != 0;
}

int CHOXDoc::FindFreeProgramNumber(int axis) const
{
    const int row = ProgramRow(axis);
    if (row < 0) return -1;
    for (int n = 0; n <= 99; ++n)
        if (m_programNumbers[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] == 0) return n;
    return -1;
}

void CHOXDoc::FreeProgramNumber(int axis, int n)
{
    const int row = ProgramRow(axis);
    if (row >= 0 && n >= 0 && n <= 99) m_programNumbers[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] = 0;
}

void CHOXDoc::MarkProgramNumberUsed(int axis, int n)
{
    const int row = ProgramRow(axis);
    if (row >= 0 && n >= 0 && n <= 99) m_programNumbers[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] = 1;
}

bool CHOXDoc::IsSubroutineDefined(int n) const
{
    if (!IsPointerNumberUsed(n)) return false;
    for (const auto& [name, wnd] : m_mapWindows)
        for (const auto& [key, object] : wnd->GetObjectMap())
            if (const auto* subroutine = dynamic_cast<const CHOXFlowSubRtn*>(object.get()))
                if (subroutine->GetPointerNumber() == n) return true;
    return false;
}
