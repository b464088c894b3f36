#pragma once
// The base of every object placed in a chart window: its id, its bounds in
// document units and its window record, and the operations through which the
// views select, resize, drag, draw and remove any object.
#include "chart/ObjectTypes.h"
#include "platform/Geometry.h"
#include "platform/Object.h"
#include "platform/View.h"

#include <cstdint>

class CDC;
class CHOXView;
class CHOXWnd;

class CHOXDrawObj : public CObject {
    KT_DECLARE_SERIAL(CHOXDrawObj)
public:
    CHOXDrawObj();
    CHOXDrawObj(const CRect& position, CHOXWnd* wnd);
    ~CHOXDrawObj() override;

    void Serialize(CArchive& ar) override;

    // The type code of the class.
    virtual int GetObjectType() const { return objtype::kDrawObj; }
    virtual int GetHandleCount() const { return 8; }
    // Document point of handle n: 1 top-left, then clockwise to 8
    // left-middle; any other n the top-left corner.
    virtual CPoint GetHandle(int n) const;
    // The handle's square, 6 device pixels wide at every zoom, in document
    // units.
    virtual CRect GetHandleRect(int n, const CHOXView* view) const;
    virtual void Draw(CDC* pDC);
    // Takes the object out of its chart: gives back what it holds and undoes
    // its links. True when the caller should then delete it; false when it
    // stays alive to be kept for undo.
    virtual bool Remove();
    // True when the normalised rectangle and the normalised bounds overlap.
    virtual bool Intersects(const CRect& rect) const;
    // The first handle whose square holds the point; 0 when none does.
    virtual int HitTest(CPoint point, const CHOXView* view) const;
    virtual void MoveHandleTo(int n, CPoint point, CHOXView* view);
    virtual void OnLButtonDown(CHOXView* view, UINT flags, CPoint point);
    virtual void OnLButtonUp(CHOXView* view, UINT flags, CPoint point);
    virtual void OnOpen(UINT flags, CPoint point);
    virtual void OnMouseMove(CHOXView* view, UINT flags, CPoint point);
    // Moves the object to the rectangle, redrawing the old and new areas and
    // marking the document modified; nothing when it is where it is.
    virtual void MoveTo(const CRect& position, CHOXView* view);
    virtual void SetWnd(CHOXWnd* wnd) { m_pWnd = wnd; }
    virtual Cursor GetHandleCursor(int n) const;
    // True when a corner of the normalised bounds lies outside the owner's
    // base sheet.
    virtual bool IsOutsideBaseRect() const;
    // Whether a copy of the object can leave its document as bytes (the
    // clipboard block, the drag stream) and be read into another.
    virtual bool IsTransferable() const { return true; }

    // Redraws the object in every view of the document.
    void Invalidate();
    // Inverted handle squares, unless the object is being dragged.
    void DrawTracker(CDC* pDC) const;
    // Puts the view's scroll position back to where it was at mouse-down.
    void RestoreScroll(CHOXView* view) const;
    // Scrolls the view so that the object can be seen.
    void EnsureVisible(CHOXView* view) const;

    DWORD GetId() const { return m_nId; }
    void SetId(DWORD id) { m_nId = id; }
    const CRect& GetRect() const { return m_position; }
    CHOXWnd* GetWnd() const { return m_pWnd; }
    // Marks the owner's document modified.
    void SetModified() const;
    // Redraws every view of the owner's document.
    void UpdateAllViews() const;
    // After a drag: an object left partly outside its sheet goes back to
    // where the drag started (with the warning, once per mouse action);
    // otherwise its area is redrawn.
    void SettleAfterDrag(CHOXView* view);

    // The rectangle moved by (dx, dy), its size kept; bounds read from a file
    // may lie at the ends of the 32-bit range, where the move stops short.
    static CRect Shifted(const CRect& r, std::int64_t dx, std::int64_t dy);

    std::int32_t m_nCurrentHandle = 0;
    std::int32_t m_nDragging = 0;
    std::int32_t m_nScrollPosX = 0;
    std::int32_t m_nScrollPosY = 0;
    DWORD m_nId = 0;
    CRect m_position;
    CHOXWnd* m_pWnd = nullptr;
    CPoint m_ptPrevDrag;
    CPoint m_ptDragStart;
    std::int32_t m_nResized = 0;
    // The bounds when the mouse was last pressed on the object.
    CRect m_rectAtPress;
};
