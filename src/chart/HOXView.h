#pragma once
// The view that shows one window record: zoom and the mapping between
// document units and device pixels, and the selection. The flow-chart and
// monitor views derive from it.
#include "chart/ObjectTypes.h"
#include "platform/View.h"

#include <QString>

#include <memory>
#include <vector>

class CHOXDoc;
class CHOXDrawObj;
class CHOXFlowWnd;
class CHOXNode;
class CHOXSymbol;
class CHOXWnd;
class CDC;
class CMDIChildWnd;
class CPrintInfo;

using DrawObjList = std::vector<std::unique_ptr<CHOXDrawObj>>;

class CHOXView : public CView {
public:
    CHOXView();
    ~CHOXView() override;

    // The view type: each view class answers its own (objtype).
    virtual int GetViewType() const { return objtype::kView; }
    // Fits the scroll range to the shown record's base sheet.
    virtual void UpdateScrollSizes() {}

    // The window record shown: the one given to the view; else the flow
    // chart whose view this is, or the monitor window for other views.
    CHOXWnd* GetWnd() const;
    void SetWnd(CHOXWnd* wnd) { m_pWnd = wnd; }
    // The view shows the record, and the record knows its view.
    void ShowRecord(CHOXWnd* wnd);
    // The name of the window shown: the frame's title without the monitor
    // mode ending or leading blanks.
    QString GetWindowName() const;

    void OnInitialUpdate() override;
    void OnActivateView(bool activate) override;
    // Scroll sizes in device pixels, then every view of the document redraws.
    void SetPageSize(int cx, int cy);
    // A size in document units as device pixels at the present zoom.
    CSize DocToClient(CSize size) const;
    // The scroll range of the shown record's sheet and a margin of 15.
    void FitScrollSizesToSheet();
    // The page size a new view starts with: 515 by 315 for a sheet of at
    // most 300 units high, else the sheet and a margin of 15.
    void SetInitialPageSize();

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
    // Takes wires and nodes out of the selection.
    void DeselectWiresAndNodes();
    // The selection, in order.
    std::vector<CHOXDrawObj*> CopySelection() const { return m_selection; }

    // Palette tools (the three runs of ID_TOOL_ ids): the chosen tool
    // becomes the current one, the tool mode becomes placing (1) and the
    // selection is cleared.
    void OnToolSelected(UINT id);
    // A new symbol of the current tool with its top-left corner at the
    // document point, owned by the shown record, made by the maker that the
    // symbol class registered for the tool; null for a tool without one. The
    // caller gives it an id and places it.
    std::unique_ptr<CHOXDrawObj> CreateSymbol(CPoint point);

    // Zoom commands and the zoom box.
    void OnZoom(UINT id);
    void OnZoomComboSelChange();
    // After a mouse action: when the first selected object that is a wire or
    // was moved is a moved one, the shown record's undo store takes the
    // moves of the whole selection as a new step.
    void RecordSelectionMove();

    // The editing commands of both views. Delete, Undo and Redo work only
    // while the document is edited: the objects they would take away or
    // bring back may be shown by monitoring.
    void OnEditDelete();
    void OnAlignObjects();
    void OnEditUndo();
    void OnEditRedo();
    // F1: the help of the one selected object, else of the view.
    void OnHelp();
    // Context help at a device point: the help context of the object there,
    // -1 over empty space or an object without help.
    int GetHelpContextAt(CPoint point);
    // The help context of an object type; -1 for a type without help.
    static int HelpContextOfType(int type);
    // The help context of the view itself (its chart kind).
    UINT GetViewHelpContext() const;
    // The tip of a bar control; the wire button and the zoom box also put
    // their status line into the status bar.
    bool OnToolTipNeedText(UINT id, QString& tip) override;

    // Drag and drop of a symbol between chart windows. The source side: the
    // one selected object is dragged (moved, or copied with Ctrl) until it
    // is dropped; a move takes it out of this chart. The flow view's mouse
    // starts it when a symbol leaves the scroll extent, after naming this
    // chart the document's drag source.
    void BeginDrag(CHOXDrawObj* object, UINT flags, CPoint point);
    // The target side, for drags of the drag format: the effect by the keys
    // and whether the dragged rectangle meets the chart, with its outline as
    // feedback; a drop places the objects (DropObjects).
    DWORD OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point) override;
    DWORD OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override;
    void OnDragLeave() override;
    bool OnDrop(COleDataObject* data, DWORD dropEffect, CPoint point) override;
    // Places the dropped objects with their top-left corner at the device
    // point in the shown chart and settles their numbers so that none is
    // used twice; a refusal shows its message, places nothing more and sets
    // the drop refused flag.
    void DropObjects(DrawObjList& list, CPoint point, DWORD effect);
    // The size of a dragged object, for the feedback; the object (a copy
    // read for the feedback) belongs to the shown chart from now on, without
    // pins unless the drag started there.
    void GetDragRect(CHOXDrawObj* object, CSize& size);

    // 1 while a drag started from this view runs.
    std::int32_t m_nDragSourceActive = 0;
    // The cursor at the last feedback (device pixels) and the dragged
    // object's size (document units); the feedback shows while set.
    CPoint m_ptLastDrag{-1, -1};
    CSize m_sizeDrag;
    std::int32_t m_nDragFeedback = 0;

    // 1 while the Align dialog runs.
    std::int32_t m_nAlignDlgOpen = 0;

    // Print preview. File Print Preview starts it on this view; preparing
    // hands the run to the print job and, for a preview, hides every chart
    // frame but this one (shown maximized), the edit bars and the palette,
    // grays most of the menu and titles the document and the frame " Print
    // Preview"; ending puts all of it back. Meanwhile the view takes only the
    // preview's commands (Print, Help, Esc); the rest go to the document and
    // the frames.
    void OnFilePrintPreview();
    bool OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo) override;
    bool OnCmdMsg(UINT id, CmdMode mode, CCmdUI* ui) override;
    bool IsPreviewing() const { return m_nPreviewing != 0; }

    // 1 while an object that follows the mouse itself has it.
    std::int32_t m_nTracking = 0;

    // The rubber band, in document units: the fixed corner (the press point
    // moved one unit right and down) and the moving one.
    CPoint m_ptBandStart;
    CPoint m_ptBandEnd;
    std::int32_t m_nBandActive = 0;

    // The program-wide editing state (app/ProgramState.h), under the names
    // the views use: the out-of-sheet warning was shown during the current
    // mouse action (cleared when a mouse button is pressed or released); a
    // drop is being refused; the tool mode (toolmode::), the current
    // palette tool and whether one was chosen.
    static std::int32_t& s_nOutOfSheetWarned;
    static std::int32_t& s_nDropRefused;
    static std::int32_t& s_nSubtaskStartMoved;
    static std::int32_t& s_nToolMode;
    static UINT& s_nCurrentTool;
    static std::int32_t& s_nToolChosen;

protected:
    std::vector<CHOXDrawObj*> m_selection;

protected:
    // Shift-click: toggles the object in the selection (a wire or a node is
    // selected alone).
    void ShiftSelect(CHOXDrawObj* object);
    // The arrow keys move each selected object one unit while it keeps 14
    // units and the step's 3 inside the sheet; a node slides along its wire.
    // False when the key stops here (no selection, or a node cannot go that
    // way); true when the default handling gets it too.
    bool NudgeSelection(UINT key);

    // What the flow and monitor views share: the record drawn on a white
    // page; invalidation by update hint (0 all, 1 the object, 2 the
    // selection, 3 the selection goes; false for other hints); and resizing
    // the base sheet with the mouse.
    void DrawRecordOnPage(CDC* pDC);
    bool InvalidateForHint(std::intptr_t hint, CObject* hintObject);
    // The base sheet's share of the mouse: it catches its own resize handle
    // and resizes while the handle is held. The press answers whether the
    // handle was caught, the release whether it was held.
    bool SheetMouseDown(UINT flags, CPoint point);
    void SheetMouseMove(UINT flags, CPoint point);
    bool SheetMouseUp(UINT flags, CPoint point);
    // The document shown, while it is edited (not monitored); else null.
    CHOXDoc* EditedDocument() const;
    // The feedback rectangle of a drag over the view, in document units.
    CRect DragFeedbackRect() const;
    // Drawn over the record: the rubber band and the outline of what a drag
    // would drop, while they are shown; nothing on a printer.
    void DrawOverlay(CDC* pDC);

    // The rubber band: it starts at the document point (the selection is
    // cleared and the mouse captured), its moving corner follows the point
    // but stops at the sheet's right and bottom edges, and it ends with the
    // rectangle it spanned, normalised.
    void StartBand(CPoint docPoint);
    void MoveBand(CPoint docPoint);
    CRect EndBand();
    CRect BandRect() const;
    // The band's area in device pixels, for redrawing.
    void InvalidateBand();

    // Whether a view of the open document is shown (Paste needs one).
    static bool IsDocumentShown();

    // The format word of the last block a paste read.
    std::uint32_t m_nPasteFormat = 0;

private:
    // False when the key's handling stops at the object.
    bool Nudge(CHOXDrawObj* object, UINT key, const CRect& sheet);
    bool SlideNode(CHOXNode* node, UINT key);
    // Stores the zoom step in the record, shows it in the zoom box and
    // applies it.
    void ApplyZoomIndex(int index);
    void UpdateZoomItem(CCmdUI* ui);
    void RegisterEditCommands();
    // Delete: every selected node may go, or the message says why not.
    bool CanDeleteSelectedNodes(CHOXWnd* wnd);
    // Takes one selected object out of the record into the undo store;
    // false when it is no longer there (it went with another one).
    bool DeleteObject(CHOXWnd* wnd, CHOXDrawObj* object);
    // After a drag moved the selection away: it leaves this chart, and the
    // numbers it gave back are taken again when the drop was in this
    // document.
    void FinishDragMove(CHOXWnd* wnd, CHOXDoc* doc);
    // One dropped symbol into the target chart; false (after the message)
    // when it is refused.
    bool DropSymbol(CHOXFlowWnd* target, std::unique_ptr<CHOXDrawObj> owned, CPoint point, DWORD effect);
    // The numbers a dropped symbol keeps or takes, by effect and kind; false
    // (after the message) when it cannot have one.
    bool SettleDroppedNumbers(CHOXFlowWnd* target, CHOXSymbol* symbol, DWORD effect);
    bool SettleDroppedStart(CHOXFlowWnd* target, CHOXSymbol* start, bool moved, bool fromOutside);

    // Align: one object to the reference edge; false when it would leave
    // the sheet.
    bool AlignObject(CHOXDrawObj* object, int direction, LONG reference, const CRect& sheet);

    // Print preview: what it hides and puts back.
    void EnterPreview();
    void LeavePreview();

    CHOXWnd* m_pWnd = nullptr;
    QString m_strSavedFrameTitle;
    QString m_strSavedDocTitle;
    std::int32_t m_nPreviewing = 0;
    // The toolbars shown before the preview, and the frame that was active.
    std::vector<UINT> m_previewHiddenBars;
    CMDIChildWnd* m_pFrameBeforePreview = nullptr;
    std::int32_t m_nZoomNumX = 100;
    std::int32_t m_nZoomNumY = 100;
    std::int32_t m_nZoomDenX = 100;
    std::int32_t m_nZoomDenY = 100;
};
