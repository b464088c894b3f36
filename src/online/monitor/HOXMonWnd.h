#pragma once
// The record of the document's one monitor window: drawn shapes, OLE objects
// and monitor objects, with the order in which monitor objects are drawn.
#include "chart/HOXWnd.h"

#include <vector>

class CHOXMonObj;

class CHOXMonWnd : public CHOXWnd {
    KT_DECLARE_SERIAL(CHOXMonWnd)
public:
    // For loading: no document and no base sheet.
    CHOXMonWnd();
    explicit CHOXMonWnd(CHOXDoc* doc);
    ~CHOXMonWnd() override;

    // The window part, then the object, shape, OLE and monitor-object maps.
    void Serialize(CArchive& ar) override;
    int GetObjectType() const override { return objtype::kMonWnd; }
    // Within 3 units of the point: monitor objects topmost first, then the
    // object map, the shapes and the OLE objects.
    CHOXDrawObj* ObjectAt(CPoint point) override;
    // Sheet, OLE objects, shapes, monitor objects in draw order. While the
    // document monitors, each monitor object first learns whether the
    // device shows it.
    void Draw(CDC* pDC) override;

    ObjectMap& GetShapeMap() { return m_mapShapes; }
    const ObjectMap& GetShapeMap() const { return m_mapShapes; }
    // Add* store the object under its id (replacing an entry of that id);
    // Remove* hand it back to the caller, null when the id is not there.
    void AddShape(std::unique_ptr<CHOXDrawObj> shape);
    std::unique_ptr<CHOXDrawObj> RemoveShape(WORD id);
    CHOXDrawObj* LookupShape(WORD id) const;

    ObjectMap& GetOleMap() { return m_mapOle; }
    const ObjectMap& GetOleMap() const { return m_mapOle; }
    void AddOleObject(std::unique_ptr<CHOXDrawObj> ole);
    std::unique_ptr<CHOXDrawObj> RemoveOleObject(WORD id);
    CHOXDrawObj* LookupOleObject(WORD id) const;

    // Read-only: objects enter and leave only through AddMonObj and
    // RemoveMonObj, which keep the draw order in step with the map.
    const ObjectMap& GetMonObjMap() const { return m_mapMonObjs; }
    // The monitor objects in the order they are drawn.
    const std::vector<CHOXMonObj*>& GetMonObjOrder() const { return m_order; }
    void AddMonObj(std::unique_ptr<CHOXMonObj> object);
    std::unique_ptr<CHOXDrawObj> RemoveMonObj(WORD id);
    CHOXMonObj* LookupMonObj(WORD id) const;

    // The object map, shapes, OLE objects and monitor objects.
    const ObjectMap* GetMapOfKind(std::int32_t kind) const override;
    std::unique_ptr<CHOXDrawObj> RemoveOfKind(std::int32_t kind, WORD id) override;
    void AddOfKind(std::int32_t kind, std::unique_ptr<CHOXDrawObj> object) override;
    // One unit beyond every shape (a line by its two ends), OLE object,
    // monitor object and object of the object map but those of the symbol
    // base's type.
    ObjectExtent GetObjectExtent() const override;

private:
    ObjectMap m_mapShapes;
    ObjectMap m_mapOle;
    ObjectMap m_mapMonObjs;
    std::vector<CHOXMonObj*> m_order; // not owning: the objects of m_mapMonObjs
};
