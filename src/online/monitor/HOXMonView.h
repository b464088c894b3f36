#pragma once
// The view of the document's monitor window. While the document is edited
// the mouse draws rectangles, ovals and lines, selects (click, Shift-click,
// rubber band) and moves; the commands insert monitor objects, set the
// drawing tool, line width and colours, and cut, copy and paste shapes. While
// it monitors, clicks go to the monitor objects themselves, and a failed link
// ends monitoring through the view's stop timer.
#include "chart/HOXView.h"
#include "online/monitor/HOXMonDevStat.h"

class CHOXFlowView;
class CHOXMonObj;
class CHOXMonWnd;
class CHOXShape;
class COleDataObject;

class CHOXMonView : public CHOXView {
public:
    // The view's timers: the single click on a button that waits for a
    // double click, and the stop of monitoring after a link error.
    static constexpr UINT kDelayedClickTimer = 100;
    static constexpr UINT kStopTimer = 1000;
    static constexpr UINT kStopDelay = 200;

    // The tool goes back to select.
    CHOXMonView();
    ~CHOXMonView() override;

    int GetViewType() const override { return objtype::kMonView; }
    // The sheet and a margin of 15 at the present zoom; a scroll bar whose
    // whole range the window shows is taken back to its start.
    void UpdateScrollSizes() override;
    void OnInitialUpdate() override;
    // Hint 0 all, 1 the object, 2 the selection, 3 the selection goes, 4 the
    // embedded items.
    void OnUpdate(CView* sender, std::intptr_t hint, CObject* hintObject) override;
    // The record, then the rubber band while one is drawn.
    void OnDraw(CDC* pDC) override;

    // Editing: by the tool (select, a shape, or a symbol of the palette,
    // which is refused). Monitoring: the monitor object under the point gets
    // the press and the release; a held button is released when the pointer
    // leaves it.
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // In either mode a monitor object or an embedded item under the point
    // opens; a double click on a button that waits for one cancels its
    // single click.
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    // The arrow keys move the selection one unit, 17 units inside the sheet
    // at most, in either mode.
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnTimer(UINT id) override;
    // A held button is released as when the pointer leaves it.
    void OnCaptureLost() override;
    // The main window's title names the document.
    void OnSetFocus() override;

    // A dragged symbol has no place here: no effect is answered, nothing is
    // taken, the undo store stays.
    DWORD OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) override;
    DWORD OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override;
    bool OnDrop(COleDataObject* data, DWORD dropEffect, CPoint point) override;

    // After a link error: monitoring stops kStopDelay ms later, in the
    // user-interface thread.
    void StartStopTimer();
    // The run the stop timer was started for has ended: it stops no later
    // one.
    void CancelStopTimer();

    // Selects every object that lies wholly in the rectangle (its right and
    // bottom edges outside): monitor objects, the record's other objects,
    // shapes, embedded items.
    void SelectInRect(const CRect& rect);

    // Inserting a single monitor object (command ids of the Insert menu) at
    // its fixed id, unless one is there already or the document monitors.
    void OnInsertSingleObject(UINT command);
    // What the Device Status and Manual Operation dialogs insert: a device
    // status under a new monitor-object id (none left: nothing; near the
    // sheet's bottom the sheet grows), a button under the id its index
    // gives (message when it is there already). False when nothing was
    // inserted.
    bool AddDeviceStatus(const CHOXMonDevStat::Settings& settings);
    bool AddManualOperation(std::int32_t buttonIndex);
    // Insert Device Status and Insert Manual Operation, while editing: the
    // object's dialog for a new one (X0 of one point; "X START"), then the
    // insertion above; all views are updated either way.
    void OnInsertDeviceStatus();
    void OnInsertManualOperation();

    // The drawing tools, widths and colours: new shapes take them, and the
    // selected shapes the width or colour chosen.
    void OnDrawTool(UINT command);
    void OnLineWidth(UINT command);
    void OnLineColor();
    void OnBrushColor();
    void OnChangeBaseColor();

    // Select All, Cut, Copy and Paste. Monitor objects are never cut or
    // pasted and embedded items never leave the document; a paste takes
    // shapes only, refusing symbols. A paste after a Cut of this running
    // program puts the shapes back where they were under their ids, unless
    // an id is in use meanwhile.
    void OnEditSelectAll();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();

    // File Print and the direct print run on the document's first flow
    // view; without one nothing happens.
    void OnFilePrint(UINT command);
    // Print Preview likewise previews through the first flow view.
    void OnFilePrintPreviewOnFlowView();

    // The shape being drawn started here (document units).
    CPoint m_ptShapeStart;
    // The running timers' ids (0: not running).
    UINT m_nDelayedClickTimer = 0;
    UINT m_nStopTimer = 0;
    // The last press, in document units.
    CPoint m_ptLastDown;
    // What new shapes get: width 1 thin, 2 medium, 3 thick.
    std::int32_t m_nLineWidth = 1;
    COLORREF m_crLine = RGB(0, 0, 0);
    COLORREF m_crFill = RGB(192, 192, 192);

    // A shape of a kind the drawing tools make (rectangle, oval, line).
    static bool IsDrawnShape(const CHOXDrawObj* object);

    // The held button while monitoring; null when none is, or when the one
    // remembered is gone from the window or monitoring ended.
    CHOXMonObj* GetPressedPanel();

private:
    CHOXFlowView* FirstFlowView() const;
    CHOXMonWnd* MonWnd() const;
    bool IsMonitoring() const;
    void RegisterCommands();
    void RegisterClipboardCommands();

    // The mouse while monitoring.
    void PressWhileMonitoring(UINT flags, CPoint point, CPoint docPoint);
    void MoveWhileMonitoring(UINT flags, CPoint point, CPoint docPoint);
    void ReleaseWhileMonitoring(UINT flags, CPoint point, CPoint docPoint);
    void RunDelayedClick();
    void ForgetPressedPanel();

    // The mouse while editing, by tool.
    void PressSelect(UINT flags, CPoint point, CPoint docPoint);
    void MoveSelect(UINT flags, CPoint point, CPoint docPoint);
    void ReleaseSelect(UINT flags, CPoint point, CPoint docPoint);
    void RefuseSymbol();
    // False when the press was refused (outside the sheet).
    bool PressShape(CPoint docPoint);
    void FinishShape(UINT flags, CPoint point, CPoint docPoint);
    // Every selected object gets the event's point: the device point that
    // names the same document point after an object before it scrolled the
    // view (from `scroll`) to keep itself in sight.
    CPoint Unscrolled(CPoint point, CPoint scroll) const;
    // The shape being drawn, null when none is (or it is gone).
    CHOXShape* DrawnShape() const;

    // Copy; true when the block reached the clipboard.
    bool CopyToClipboard();
    // Whether a selected object would go into a copy.
    bool HasCopyableObject() const;
    // A cut paste keeps the ids: each pasted shape's id is free and used
    // once in the block.
    bool CutPasteKeepsIds() const;
    // A pasted shape: in sight when it is the first, in the undo store, on
    // the sheet, which grows to hold it.
    void FinishPasted(CHOXDrawObj* object, bool first);
    void SetMainTitle() const;
    // The colour dialog, started at the colour: the colour chosen becomes it
    // and every selected shape's (through the setter).
    void ChooseShapeColor(COLORREF& color, void (CHOXShape::*apply)(COLORREF));

    // The pressed button by pointer and id, so that one deleted is never
    // called.
    CHOXMonObj* m_pPressedPanel = nullptr;
    DWORD m_nPressedPanelId = 0;
    // 1 once the pointer left it, which released it.
    std::int32_t m_nPanelLetGo = 0;
    // The button whose single click waits, and where it was pressed.
    CHOXMonObj* m_pDelayedClick = nullptr;
    DWORD m_nDelayedClickId = 0;
    CPoint m_ptDelayedClick;
    // The last device point the mouse reported.
    CPoint m_ptLastMouse;
    // The shape being drawn, by pointer and id.
    CHOXShape* m_pDrawnShape = nullptr;
    DWORD m_nDrawnShapeId = 0;
};
