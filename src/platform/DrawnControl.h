#pragma once
// A control the program draws itself through the device context (ladder
// diagrams, graphs), shown in a dialog in place of a control of its template.
// The dialog keeps the control as a member and attaches it to the template's
// control id; a host widget of the renderer then paints it, tells it of focus
// changes and mouse buttons, and shows its vertical scroll position. The
// control never sees a widget, so it draws the same on a screen, into an
// image, or into a recording in the tests.
#include "platform/Geometry.h"

class CDC;
class CDialog;
class CDrawnControl;

// What a host gives the control it shows.
class DrawnControlHost {
public:
    virtual ~DrawnControlHost() = default;
    // Paints the whole control again soon (not at once).
    virtual void Invalidate() = 0;
    // The area the control draws in, in pixels from its top-left corner.
    virtual CRect GetClientRect() const = 0;
    virtual bool HasFocus() const = 0;
    // The control's scroll range or position changed.
    virtual void ScrollChanged() = 0;
    // The control goes away or is attached elsewhere.
    virtual void Release(CDrawnControl* control) = 0;
};

class CDrawnControl {
public:
    CDrawnControl() = default;
    virtual ~CDrawnControl();
    CDrawnControl(const CDrawnControl&) = delete;
    CDrawnControl& operator=(const CDrawnControl&) = delete;

    // Attaches the control to the dialog's control id, which the template
    // gives a kind that the renderer hosts; false when the running dialog has
    // no such control.
    bool SubclassDlgItem(int id, CDialog* parent);
    bool IsAttached() const { return m_host != nullptr; }

    // Draws the whole client area; the device context maps client pixels.
    virtual void OnPaint(CDC& dc, const CRect& client) = 0;
    virtual void OnSetFocus() {}
    virtual void OnKillFocus() {}
    // The left mouse button in the client area. The host does nothing else
    // with mouse input.
    virtual void OnLButtonDown(CPoint) {}
    virtual void OnMouseMove(CPoint) {}
    virtual void OnLButtonUp(CPoint) {}

    // Paints again soon; nothing while no host shows the control.
    void Invalidate();
    CRect GetClientRect() const;
    bool HasFocus() const;

    // The vertical scroll position that the drawing follows. The owner sets
    // the range; the user moves the position within it through the host.
    void SetScrollRange(int minPos, int maxPos);
    void SetScrollPos(int pos);
    int GetScrollPos() const { return m_scrollPos; }
    int GetScrollMin() const { return m_scrollMin; }
    int GetScrollMax() const { return m_scrollMax; }

    // Called by hosts.
    void SetHost(DrawnControlHost* host);
    DrawnControlHost* Host() const { return m_host; }

private:
    DrawnControlHost* m_host = nullptr;
    int m_scrollMin = 0;
    int m_scrollMax = 0;
    int m_scrollPos = 0;
};
