#pragma once
// The base of every monitor object on the monitor page: dragged with the
// mouse while editing, polled by the monitoring thread only while some of it
// can be seen.
#include "chart/HOXDrawObj.h"

#include <QFont>
#include <QPen>
#include <QString>

#include <atomic>
#include <cstdint>

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
    // The owner's document; null for an object not placed.
    CHOXDoc* GetDocument() const;

    // After its window record was loaded and the owners set: what the object
    // derives from its stored settings.
    virtual void PrepareAfterLoad() {}

    // What the monitor objects draw with: the font of their texts
    // ("LinePrinter" of a 16-pixel cell, bold), the grey frame of their panels and the
    // colours of a lamp that is on and one that is off.
    static QFont TextFont();
    static QPen PanelFramePen();
    static constexpr COLORREF kLampOn = RGB(255, 255, 0);
    static constexpr COLORREF kLampOff = RGB(0, 255, 255);
    // A text placed by the sum of its characters' widths: ending at x, or
    // centred in the width from x. The places are worked out in 64 bits, as
    // bounds from a file may lie anywhere.
    static void TextOutEndingAt(CDC* pDC, std::int64_t x, std::int64_t y, const QString& text);
    static void TextOutCentred(CDC* pDC, std::int64_t x, std::int64_t width, std::int64_t y, const QString& text);

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
    // While the object is dragged it draws only its dotted outline: true
    // when it did.
    bool DrawDragOutline(CDC* pDC) const;
    // While nobody monitors; also for an object without a document.
    bool IsEditing() const;

    // 1 when the owner's document drives one axis (controller type 0).
    std::int32_t m_nOneAxis = 0;
    // Written by drawing, read by the monitoring thread: one word, no lock.
    std::atomic<std::int32_t> m_nVisible{0};

private:
    void UpdateOneAxis();
};
