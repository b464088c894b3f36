#include "chart/HOXWnd.h"

#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXDrawObj.h"
#include "chart/HOXUndo.h"
#include "chart/HOXView.h"
#include "platform/Archive.h"

#include <algorithm>

KT_IMPLEMENT_SERIAL(CHOXWnd, CObject, 0)

CHOXWnd::CHOXWnd() : m_pUndo(std::make_unique<CHOXUndo>(this)) {}

CHOXWnd::CHOXWnd(CHOXDoc* doc) : m_pDocument(doc), m_pUndo(std::make_unique<CHOXUndo>(this))
{
    m_pBaseRect = std::make_unique<CHOXBaseRect>(CRect(0, 0, 500, 300), this);
}

CHOXWnd::~CHOXWnd()
{
    // Kept objects of the undo store may refer to this record; they go first.
    m_pUndo.reset();
}

void CHOXWnd::Serialize(CArchive& ar) { SerializeBase(ar); }

void CHOXWnd::SerializeBase(CArchive& ar)
{
    if (ar.IsStoring()) {
        // The frame and scroll position are those of the open window.
        if (m_pView != nullptr && m_pView->Host() != nullptr) {
            CRect frame;
            if (m_pView->Host()->GetFrameRestoredRect(frame)) m_rectWnd = frame;
            const CPoint scroll = m_pView->GetScrollPosition();
            m_nScrollPosX = scroll.x;
            m_nScrollPosY = scroll.y;
        }
        ar.WriteObject(m_pBaseRect.get());
        ar << m_rectWnd << m_nScrollPosX << m_nScrollPosY << m_nZoomIndex;
        return;
    }
    std::unique_ptr<CHOXBaseRect> sheet = ar.ReadOwned<CHOXBaseRect>();
    if (!sheet) throw ArchiveError(ArchiveError::badClass, "a chart window has no base sheet");
    CRect rect;
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    std::int32_t zoom = 0;
    ar >> rect >> scrollX >> scrollY >> zoom;
    m_pBaseRect = std::move(sheet);
    m_pBaseRect->SetWnd(this);
    m_rectWnd = rect;
    m_nScrollPosX = scrollX;
    m_nScrollPosY = scrollY;
    m_nZoomIndex = zoom;
    m_pDocument = dynamic_cast<CHOXDoc*>(ar.m_pDocument);
}

CHOXDrawObj* CHOXWnd::ObjectAt(CPoint) { return nullptr; }

void CHOXWnd::Draw(CDC*) {}

COLORREF CHOXWnd::GetBaseColor() const { return m_pBaseRect ? m_pBaseRect->GetFillColor() : RGB(192, 192, 192); }

void CHOXWnd::SetBaseColor(COLORREF color)
{
    if (!m_pBaseRect) return;
    m_pBaseRect->SetFillColor(color);
    if (m_pDocument != nullptr) m_pDocument->UpdateAllViews(nullptr, 1, m_pBaseRect.get());
}

CHOXDrawObj* FindInMap(const ObjectMap& map, WORD id)
{
    const auto* entry = map.Lookup(id);
    return entry != nullptr ? entry->get() : nullptr;
}

void PutInMap(ObjectMap& map, std::unique_ptr<CHOXDrawObj> object)
{
    if (!object) return;
    const auto id = static_cast<WORD>(object->GetId());
    map.SetAt(id, std::move(object));
}

void CHOXWnd::AddObject(std::unique_ptr<CHOXDrawObj> object) { PutInMap(m_mapObjects, std::move(object)); }

std::unique_ptr<CHOXDrawObj> CHOXWnd::RemoveObject(WORD id) { return m_mapObjects.Take(id); }

CHOXDrawObj* CHOXWnd::LookupObject(WORD id) const { return FindInMap(m_mapObjects, id); }

void ObjectExtent::Take(std::int64_t r, std::int64_t b, int margin)
{
    right = std::max(right, r + margin);
    bottom = std::max(bottom, b + margin);
}

const ObjectMap* CHOXWnd::GetMapOfKind(std::int32_t kind) const
{
    return kind == CHOXUndoRecord::kSymbol ? &m_mapObjects : nullptr;
}

std::unique_ptr<CHOXDrawObj> CHOXWnd::RemoveOfKind(std::int32_t kind, WORD id)
{
    return kind == CHOXUndoRecord::kSymbol ? RemoveObject(id) : nullptr;
}

void CHOXWnd::AddOfKind(std::int32_t kind, std::unique_ptr<CHOXDrawObj> object)
{
    if (kind == CHOXUndoRecord::kSymbol) AddObject(std::move(object));
}
