#pragma once
// The view that shows one window record: zoom and the mapping between
// document units and device pixels, and the selection. The flow-chart and
// monitor views derive from it.
#include "platform/View.h"

#include <vector>

class CHOXDrawObj;
class CHOXWnd;
class CDC;

class CHOXView : public CView {
public:
    CHOXView();
    ~CHOXView() override;

    // 0 here; 201 the flow-chart view, 202 the monitor view.
    virtual int GetViewType() const { return 0; }
    // Fits the scroll range to the shown record's base sheet.
    virtual void UpdateScrollSizes() {}

    // The window record shown.
    CHOXWnd* GetWnd() const { return m_pWnd; }
    void SetWnd(CHOXWnd* wnd) { m_pWnd = wnd; }

    // Zoom: index 0 to 6 is 200, 150, 100, 75, 50, 25, 10 %; any other value
    // is the percentage itself (a percentage of 0 or less counts as 100).
    void SetZoomIndex(int index);
    bool SetZoom(int numX, int numY, int denX, int denY);
    int ZoomNumX() const { return m_nZoomNumX; }
    int ZoomNumY() const { return m_nZoomNumY; }
    int ZoomDenX() const { return m_nZoomDenX; }
    int ZoomDenY() const { return m_nZoomDenY; }
    static int ZoomPercent(int index);

    void OnPrepareDC(CDC* pDC) override;
    // Device pixels of the client area <-> document units.
    CPoint ClientToDoc(CPoint point) const;
    CRect ClientToDoc(const CRect& rect) const;
    CPoint DocToClient(CPoint point) const;
    CRect DocToClient(const CRect& rect) const;
    // Invalidates the object's area, 5 pixels wider on every side.
    void InvalObj(const CHOXDrawObj* object);

    bool IsSelected(const CObject* object) const override;
    // Null with add false empties the selection.
    void Select(CHOXDrawObj* object, bool add = false);
    void Deselect(CHOXDrawObj* object);
    const std::vector<CHOXDrawObj*>& GetSelection() const { return m_selection; }
    std::size_t GetSelectionCount() const { return m_selection.size(); }
    // After a mouse action: when the first selected object that is a wire or
    // was moved is a moved one, the shown record's undo store takes the
    // moves of the whole selection as a new step.
    void RecordSelectionMove();

    // 1 while an object that follows the mouse itself has it.
    std::int32_t m_nTracking = 0;

    // Program-wide: the out-of-sheet warning was shown during the current
    // mouse action (cleared when a mouse button is pressed or released).
    static std::int32_t s_nOutOfSheetWarned;
    // Program-wide: set for the moment while a drop is refused, so that the
    // object that then gets the release keeps quiet.
    static std::int32_t s_nDropRefused;

protected:
    std::vector<CHOXDrawObj*> m_selection;

private:
    CHOXWnd* m_pWnd = nullptr;
    std::int32_t m_nZoomNumX = 100;
    std::int32_t m_nZoomNumY = 100;
    std::int32_t m_nZoomDenX = 100;
    std::int32_t m_nZoomDenY = 100;
};
