#pragma once
// The base of every monitor object on the monitor page: dragged with the
// mouse while editing, polled by the monitoring thread only while some of it
// can be seen.
#include "chart/HOXDrawObj.h"

#include <QString>

#include <atomic>

class CHOXDoc;

class CHOXMonObj : public CHOXDrawObj {
    KT_DECLARE_SERIAL(CHOXMonObj)
public:
    // For loading.
    CHOXMonObj();
    // Empty bounds in the window record.
    explicit CHOXMonObj(CHOXWnd* wnd);

    int GetObjectType() const override { return objtype::kMonObj; }
    void Draw(CDC* pDC) override {}
    // The mouse handlers act only while the document is in edit mode; they
    // get the point in device pixels of the view.
    void OnLButtonDown(CHOXView* view, UINT flags, CPoint point) override;
    void OnLButtonUp(CHOXView* view, UINT flags, CPoint point) override;
    void OnOpen(UINT flags, CPoint point) override {}
    void OnMouseMove(CHOXView* view, UINT flags, CPoint point) override;
    // Also recomputes the one-axis flag from the owner's document.
    void SetWnd(CHOXWnd* wnd) override;

    // While monitoring: whether the object's bounds are visible in the
    // device context it is drawn on (only visible objects are polled). The
    // monitor window asks it before each drawing of the object.
    void UpdateVisibility(CDC* pDC);
    bool IsVisible() const { return m_nVisible.load(std::memory_order_relaxed) != 0; }
    bool IsOneAxis() const { return m_nOneAxis != 0; }

    // After its window record was loaded and the owners set: what the object
    // derives from its stored settings.
    virtual void PrepareAfterLoad() {}

    // How the monitor view treats a press on the object while monitoring: a
    // held button stays pressed until the mouse button is released or the
    // pointer leaves it; one that waits for a double click gets a single
    // press only once the double-click time has passed without a second.
    virtual bool IsHeldButton() const { return false; }
    virtual bool WaitsForDoubleClick() const { return false; }

protected:
    // The bounds framed by a thin black pen, dotted while the object is
    // dragged; nothing filled.
    void DrawOutline(CDC* pDC) const;
    // Coordinates from a file may lie anywhere in 32 bits: the objects take
    // their sums in 64 bits and bring them back into range.
    static LONG Clamp32(std::int64_t v);
    // The width the objects centre and right-align their texts by: the sum
    // of the widths of the text's characters in the selected font.
    static int TextWidth(CDC* pDC, const QString& text);
    // The owner's document, or null for an object not (yet) placed.
    CHOXDoc* Document() const;
    // While nobody monitors; also for an object without a document.
    bool IsEditing() const;

    // 1 when the owner's document drives one axis (controller type 0).
    std::int32_t m_nOneAxis = 0;
    // Written by drawing, read by the monitoring thread: one word, no lock.
    std::atomic<std::int32_t> m_nVisible{0};

private:
    void UpdateOneAxis();
};
