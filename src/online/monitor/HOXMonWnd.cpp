#include "online/monitor/HOXMonWnd.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXShape.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "online/monitor/HOXMonObj.h"
#include "online/monitor/HOXOle.h"
#include "platform/Archive.h"
#include "platform/DC.h"

#include <algorithm>
#include <string>

KT_IMPLEMENT_SERIAL(CHOXMonWnd, CHOXWnd, 0)

namespace {

// Reads a stored map (count, then key and object with its class per entry)
// whose objects must all be T, in the order the map had when it was saved.
template <class T>
ObjectMap ReadObjectMap(CArchive& ar)
{
    ObjectMap map;
    const DWORD count = ar.ReadCount(4);
    for (DWORD i = 0; i < count; ++i) {
        WORD key = 0;
        ar >> key;
        // A second entry under one key would delete the first while later
        // references in the file may still name it.
        if (map.Contains(key))
            throw ArchiveError(ArchiveError::duplicateKey,
                               "the key " + std::to_string(key) + " is stored twice in a monitor window map");
        // An empty entry would be a null object for every user of the map.
        if (std::unique_ptr<T> object = ar.ReadOwned<T>()) map.AppendInOrder(key, std::move(object));
    }
    return map;
}

void WriteObjectMap(CArchive& ar, ObjectMap& map) { SerializeObjectMap(ar, map); }

void SetOwner(ObjectMap& map, CHOXWnd* wnd)
{
    for (auto& [key, object] : map)
        if (object) object->SetWnd(wnd);
}

} // namespace

CHOXMonWnd::CHOXMonWnd() = default;

CHOXMonWnd::CHOXMonWnd(CHOXDoc* doc) : CHOXWnd(doc) {}

CHOXMonWnd::~CHOXMonWnd()
{
    // Objects kept for undo may still refer to this record and its maps.
    m_pUndo.reset();
    m_order.clear();
    m_mapObjects.RemoveAll();
    m_mapShapes.RemoveAll();
    m_mapOle.RemoveAll();
    m_mapMonObjs.RemoveAll();
}

void CHOXMonWnd::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeBase(ar);
        WriteObjectMap(ar, m_mapObjects);
        WriteObjectMap(ar, m_mapShapes);
        WriteObjectMap(ar, m_mapOle);
        WriteObjectMap(ar, m_mapMonObjs);
        return;
    }

    SerializeBase(ar);
    // The maps take the objects read only when all four were read whole.
    ObjectMap objects = ReadObjectMap<CHOXDrawObj>(ar);
    ObjectMap shapes = ReadObjectMap<CHOXShape>(ar);
    ObjectMap oles = ReadObjectMap<CHOXOle>(ar);
    ObjectMap monObjs = ReadObjectMap<CHOXMonObj>(ar);

    m_order.clear();
    m_mapObjects = std::move(objects);
    m_mapShapes = std::move(shapes);
    m_mapOle = std::move(oles);
    m_mapMonObjs = std::move(monObjs);
    // A loaded window draws its monitor objects in map order.
    for (auto& [key, object] : m_mapMonObjs)
        if (object) m_order.push_back(static_cast<CHOXMonObj*>(object.get()));

    if (m_pBaseRect) m_pBaseRect->SetWnd(this);
    SetOwner(m_mapObjects, this);
    SetOwner(m_mapShapes, this);
    SetOwner(m_mapOle, this);
    SetOwner(m_mapMonObjs, this);
    // What the objects work out from their settings needs their owner's
    // document.
    for (CHOXMonObj* object : m_order) object->PrepareAfterLoad();
}

CHOXDrawObj* CHOXMonWnd::ObjectAt(CPoint point)
{
    const CRect test(point.x - 3, point.y - 3, point.x + 3, point.y + 3);
    // The monitor object drawn last lies on top.
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it)
        if ((*it)->Intersects(test)) return *it;
    for (const ObjectMap* map : {&m_mapObjects, &m_mapShapes, &m_mapOle})
        for (const auto& [key, object] : *map)
            if (object && object->Intersects(test)) return object.get();
    return nullptr;
}

void CHOXMonWnd::Draw(CDC* pDC)
{
    if (m_pBaseRect) m_pBaseRect->Draw(pDC);
    const bool trackers = !pDC->IsPrinting() && m_pView != nullptr;
    auto draw = [&](CHOXDrawObj* object) {
        object->Draw(pDC);
        if (trackers && m_pView->IsSelected(object)) object->DrawTracker(pDC);
    };
    for (auto& [key, object] : m_mapOle)
        if (object) draw(object.get());
    for (auto& [key, object] : m_mapShapes)
        if (object) draw(object.get());
    // Only what can be seen is polled: while the document monitors, each
    // drawing on the screen tells every monitor object whether it is seen.
    const bool monitoring = !pDC->IsPrinting() && m_pDocument != nullptr && !m_pDocument->IsEditMode();
    for (CHOXMonObj* object : m_order) {
        if (monitoring) object->UpdateVisibility(pDC);
        draw(object);
    }
}

void CHOXMonWnd::AddShape(std::unique_ptr<CHOXDrawObj> shape) { PutInMap(m_mapShapes, std::move(shape)); }

std::unique_ptr<CHOXDrawObj> CHOXMonWnd::RemoveShape(WORD id) { return m_mapShapes.Take(id); }

CHOXDrawObj* CHOXMonWnd::LookupShape(WORD id) const { return FindInMap(m_mapShapes, id); }

void CHOXMonWnd::AddOleObject(std::unique_ptr<CHOXDrawObj> ole) { PutInMap(m_mapOle, std::move(ole)); }

std::unique_ptr<CHOXDrawObj> CHOXMonWnd::RemoveOleObject(WORD id) { return m_mapOle.Take(id); }

CHOXDrawObj* CHOXMonWnd::LookupOleObject(WORD id) const { return FindInMap(m_mapOle, id); }

void CHOXMonWnd::AddMonObj(std::unique_ptr<CHOXMonObj> object)
{
    if (!object) return;
    const auto id = static_cast<WORD>(object->GetId());
    CHOXMonObj* added = object.get();
    // An object replaced under the same id leaves the draw order with it, so
    // the order never names an object the map no longer holds.
    if (CHOXMonObj* old = LookupMonObj(id)) std::erase(m_order, old);
    m_mapMonObjs.SetAt(id, std::move(object));
    m_order.push_back(added);
}

std::unique_ptr<CHOXDrawObj> CHOXMonWnd::RemoveMonObj(WORD id)
{
    CHOXMonObj* object = LookupMonObj(id);
    if (object == nullptr) return nullptr;
    std::erase(m_order, object);
    return m_mapMonObjs.Take(id);
}

CHOXMonObj* CHOXMonWnd::LookupMonObj(WORD id) const { return static_cast<CHOXMonObj*>(FindInMap(m_mapMonObjs, id)); }

const ObjectMap* CHOXMonWnd::GetMapOfKind(std::int32_t kind) const
{
    switch (kind) {
    case CHOXUndoRecord::kShape: return &m_mapShapes;
    case CHOXUndoRecord::kOle: return &m_mapOle;
    case CHOXUndoRecord::kMonObj: return &m_mapMonObjs;
    default: return CHOXWnd::GetMapOfKind(kind);
    }
}

std::unique_ptr<CHOXDrawObj> CHOXMonWnd::RemoveOfKind(std::int32_t kind, WORD id)
{
    switch (kind) {
    case CHOXUndoRecord::kShape: return RemoveShape(id);
    case CHOXUndoRecord::kOle: return RemoveOleObject(id);
    case CHOXUndoRecord::kMonObj: return RemoveMonObj(id);
    default: return CHOXWnd::RemoveOfKind(kind, id);
    }
}

void CHOXMonWnd::AddOfKind(std::int32_t kind, std::unique_ptr<CHOXDrawObj> object)
{
    switch (kind) {
    case CHOXUndoRecord::kShape: AddShape(std::move(object)); break;
    case CHOXUndoRecord::kOle: AddOleObject(std::move(object)); break;
    case CHOXUndoRecord::kMonObj:
        // The store files only monitor objects under this kind.
        AddMonObj(std::unique_ptr<CHOXMonObj>(static_cast<CHOXMonObj*>(object.release())));
        break;
    default: CHOXWnd::AddOfKind(kind, std::move(object)); break;
    }
}

ObjectExtent CHOXMonWnd::GetObjectExtent() const
{
    ObjectExtent extent;
    for (const auto& [id, shape] : m_mapShapes) {
        if (!shape) continue;
        const CRect& s = shape->GetRect();
        if (shape->GetObjectType() == objtype::kLine) {
            extent.Take(std::max(s.left, s.right), std::max(s.top, s.bottom), 1);
        } else {
            extent.Take(s, 1);
        }
    }
    for (const auto& [id, ole] : m_mapOle)
        if (ole) extent.Take(ole->GetRect(), 1);
    for (const auto& [id, object] : m_mapObjects)
        if (object && object->GetObjectType() != objtype::kSymbol) extent.Take(object->GetRect(), 1);
    for (const auto& [id, object] : m_mapMonObjs)
        if (object) extent.Take(object->GetRect(), 1);
    return extent;
}
