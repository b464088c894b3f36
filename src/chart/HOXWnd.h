#pragma once
// The record of one chart window inside the document (not a window of the
// system): it survives the closing of its frame, is stored in the document
// file and owns the objects placed in it.
#include "chart/ObjectTypes.h"
#include "platform/FrameWnd.h"
#include "platform/Geometry.h"
#include "platform/Object.h"
#include "platform/WordMap.h"

#include <cstdint>
#include <limits>
#include <memory>

class CDC;
class CHOXBaseRect;
class CHOXDoc;
class CHOXDrawObj;
class CHOXUndo;
class CHOXView;

using ObjectMap = WordMap<std::unique_ptr<CHOXDrawObj>>;

// The object of a map under an id, or null.
CHOXDrawObj* FindInMap(const ObjectMap& map, WORD id);
// Puts an object into a map under its own id (replacing an entry of that id).
void PutInMap(ObjectMap& map, std::unique_ptr<CHOXDrawObj> object);

// How far the objects of a record reach to the right and down, each with the
// margin the base sheet keeps beyond it; the lowest values when there are no
// objects.
struct ObjectExtent {
    std::int64_t right = std::numeric_limits<std::int64_t>::min();
    std::int64_t bottom = std::numeric_limits<std::int64_t>::min();
    void Take(std::int64_t r, std::int64_t b, int margin);
    void Take(const CRect& rect, int margin) { Take(rect.right, rect.bottom, margin); }
};

// Where a record's frame was and how it was shown: kept when monitoring
// starts and puts the frames away, given back when it stops. Not stored.
struct WindowPlacement {
    // SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED.
    std::int32_t showCommand = SW_SHOWNORMAL;
    // The frame's rectangle when neither minimized nor maximized.
    CRect normal;
};

class CHOXWnd : public CObject {
    KT_DECLARE_SERIAL(CHOXWnd)
public:
    // For loading: no document, view or base sheet.
    CHOXWnd();
    // A new record of the document with its base sheet at (0, 0, 500, 300).
    explicit CHOXWnd(CHOXDoc* doc);
    ~CHOXWnd() override;

    void Serialize(CArchive& ar) override;

    virtual int GetObjectType() const { return objtype::kWnd; }
    // The object under a document point, or null.
    virtual CHOXDrawObj* ObjectAt(CPoint point);
    virtual void Draw(CDC* pDC);

    const CRect& GetWndRect() const { return m_rectWnd; }
    void SetWndRect(const CRect& rect) { m_rectWnd = rect; }
    std::int32_t GetScrollPosX() const { return m_nScrollPosX; }
    std::int32_t GetScrollPosY() const { return m_nScrollPosY; }
    void SetScrollPos(std::int32_t x, std::int32_t y) { m_nScrollPosX = x; m_nScrollPosY = y; }
    std::int32_t GetZoomIndex() const { return m_nZoomIndex; }
    void SetZoomIndex(std::int32_t index) { m_nZoomIndex = index; }
    std::int32_t GetShowState() const { return m_nShowState; }
    void SetShowState(std::int32_t state) { m_nShowState = state; }
    const WindowPlacement& GetPlacement() const { return m_placement; }
    void SetPlacement(const WindowPlacement& placement) { m_placement = placement; }

    void SetDocument(CHOXDoc* doc) { m_pDocument = doc; }
    CHOXDoc* GetDocument() const { return m_pDocument; }
    void SetView(CHOXView* view) { m_pView = view; }
    CHOXView* GetView() const { return m_pView; }
    CHOXUndo* GetUndo() const { return m_pUndo.get(); }

    CHOXBaseRect* GetBaseRect() const { return m_pBaseRect.get(); }
    COLORREF GetBaseColor() const;
    void SetBaseColor(COLORREF color);

    ObjectMap& GetObjectMap() { return m_mapObjects; }
    const ObjectMap& GetObjectMap() const { return m_mapObjects; }
    // Puts the object into the object map under its id (replacing an entry
    // of that id); the record owns it from then on.
    void AddObject(std::unique_ptr<CHOXDrawObj> object);
    // Takes the object out of the map and hands it to the caller; null when
    // the id is not there.
    std::unique_ptr<CHOXDrawObj> RemoveObject(WORD id);
    // The object of that id among those the record shows (its own unless it
    // shows another record's), or null.
    virtual CHOXDrawObj* LookupObject(WORD id) const;

    // The maps by the kinds of the undo store's records (CHOXUndoRecord):
    // the object map holds the symbols here; the flow chart adds wires and
    // nodes, the monitor window shapes, OLE objects and monitor objects.
    // The map of the kind, or null when the record has none.
    virtual const ObjectMap* GetMapOfKind(std::int32_t kind) const;
    // Takes the object out of its kind's map; null when it is not there.
    virtual std::unique_ptr<CHOXDrawObj> RemoveOfKind(std::int32_t kind, WORD id);
    // Puts the object into its kind's map under its id; the record must have
    // that map.
    virtual void AddOfKind(std::int32_t kind, std::unique_ptr<CHOXDrawObj> object);
    // How far the objects reach: the base sheet may not shrink over them.
    // None in the base record.
    virtual ObjectExtent GetObjectExtent() const { return {}; }

protected:
    // Writes or reads the base sheet, frame rectangle, scroll position and
    // zoom; the sheet read replaces the old one only when reading succeeds.
    void SerializeBase(CArchive& ar);

    CHOXDoc* m_pDocument = nullptr;
    std::int32_t m_nShowState = 2;
    WindowPlacement m_placement;
    std::unique_ptr<CHOXUndo> m_pUndo;
    CRect m_rectWnd;
    std::int32_t m_nScrollPosX = 0;
    std::int32_t m_nScrollPosY = 0;
    std::int32_t m_nZoomIndex = 2;
    CHOXView* m_pView = nullptr;
    std::unique_ptr<CHOXBaseRect> m_pBaseRect;
    ObjectMap m_mapObjects;
};
