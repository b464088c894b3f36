#pragma once
// The view of a flow chart or of the subtask chart: the editor. The left
// button places the palette's symbol, selects (click, Shift-click, rubber
// band), moves the selection and draws wires between pins and nodes under the
// joining rules; the arrow keys nudge the selection.
#include "chart/HOXView.h"

class COleDataObject;
class CPrintInfo;
class CHOXConnect;
class CHOXFlowWnd;
class CHOXNode;
class CHOXSymbol;

class CHOXFlowView : public CHOXView {
public:
    CHOXFlowView();
    ~CHOXFlowView() override;

    int GetViewType() const override { return objtype::kFlowView; }
    void UpdateScrollSizes() override;
    void OnInitialUpdate() override;
    // Hint 0 all, 1 the object, 2 the selection, 3 the selection goes.
    void OnUpdate(CView* sender, std::intptr_t hint, CObject* hintObject) override;
    // The record, then the rubber band while one is drawn.
    void OnDraw(CDC* pDC) override;

    // By the tool mode: 0 select and move (and resize the base sheet by its
    // edges), 1 place the current tool's symbol, 2 draw wires. Nothing
    // changes while the document is monitored.
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // Opens the object under the point: a symbol's dialog, a wire's node.
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    // The arrow keys move the selection one unit, 17 units inside the sheet
    // at most; a node slides along its wire.
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;

    // Discards the wire being drawn (the last selected object): it leaves
    // the wire map and the selection and its id goes back.
    void CancelWire(DWORD startObject, CPoint point);
    // Adds the symbols of the record lying wholly in the rectangle (its
    // right and bottom edges outside) to the selection.
    void SelectInRect(const CRect& rect);

    // The Wire command and the palette's connect button switch the wire tool
    // on and off; the selection is cleared either way.
    void OnWireTool();
    // Every chart of the document takes the colour chosen for this one's
    // base sheet.
    void OnChangeBaseColor();

    // The clipboard. Copy puts the selection on the clipboard as a
    // "TRNWK_HOX" block; Cut puts it there with the wires and nodes between
    // its objects and then deletes it, and only when the block got there;
    // Paste puts the block's objects into this chart. A paste after a Cut
    // of this running program puts them back as they were (ids, places,
    // wires and nodes); any other paste adds copies with new ids, shifted a
    // little further each time. Select All selects every symbol.
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditSelectAll();
    // Reads the clipboard's block into the selection (the view holds the
    // objects until they are placed); false when nothing was read, after
    // saying so when the block is damaged.
    bool ReadClipboardObjects(const COleDataObject& data);
    // Puts the selection's objects into the chart, settling their ids and
    // numbers, and leaves the pasted symbols selected.
    void PasteObjects();
    // The paste rules of some symbols; false (after the message, shown once
    // per paste as the flags and the last message kind remember) when the
    // symbol may not enter this chart.
    bool CheckInterpolationPaste(CHOXSymbol* symbol, bool& circularShown, bool& linearShown);
    bool PasteStart(CHOXSymbol* symbol, std::int32_t& lastMessage);
    bool PastePointerSymbol(CHOXSymbol* symbol, bool& shown);
    // A wire of a cut paste re-enters the chart when both its ends were
    // pasted with it; false otherwise.
    bool PasteWire(CHOXConnect* wire);
    // Before a Cut: the selection takes the wires that join its objects,
    // with the nodes on them and the wires that jump to those nodes.
    void AddInnerWires();
    void AddWireNode(CHOXConnect* wire);

    // Printing. File Print and the shell's direct print hand the run to the
    // print job; it names the record each page shows (SetPrinting) and sets
    // the monitor printing field while the monitor window's pages print.
    void OnFilePrint(UINT command);
    // A page of the print preview: the print job draws the print
    // information's current page.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void SetPrinting(CHOXWnd* wnd) { m_pPrintWnd = wnd; }
    CHOXWnd* GetPrinting() const { return m_pPrintWnd; }
    // For a printer: 75 logical units to the inch, and unless the run is a
    // preview or a direct print the print dialog's scale, or the sheet of
    // the record printed (of the monitor window while monitor printing is
    // 1) fitted to the page.
    using CHOXView::OnPrepareDC;
    void OnPrepareDC(CDC* pDC, const CPrintInfo* pInfo);
    // The page in logical units less its print margins.
    static void GetPrintableRect(CDC* pDC, CRect& rect);

    // The wire being drawn: the start symbol's pin (-1 when it starts at a
    // node) and the id of the symbol or node.
    std::int32_t m_nWireStartPin = -1;
    std::int32_t m_nWireStartObject = -1;
    // Kept by the print job between preview pages.
    std::int32_t m_nPreviewValue1 = 0;
    std::int32_t m_nPreviewValue2 = 0;
    // 1 while the job prints the monitor window through this view.
    std::int32_t m_nMonitorPrinting = 0;

private:
    // Sets the print mapping's window extent (e, -e).
    static void SetPrintExtent(CDC* pDC, std::int64_t e);
    // The extent that fits the printed sheet onto the page.
    void FitSheetToPage(CDC* pDC);
    void RegisterClipboardCommands();
    // Copy; true when the block reached the clipboard.
    bool CopyToClipboard();
    // Whether the selection holds a symbol that is neither in error nor
    // missing (Cut and Copy need one).
    bool HasCopyableSymbol() const;
    // A cut paste puts objects back under their own ids and numbers: false
    // (the paste becomes a copy paste, without wires and nodes) when a node
    // number or an id is in use meanwhile.
    bool CutPasteKeepsIds();
    // The steps of PasteObjects for one object; false when it was left out.
    struct PasteState;
    bool PasteSymbol(CHOXSymbol* symbol, bool cut, PasteState& state);
    // The numbers a pasted symbol brings settle by what it holds.
    bool PasteNumbers(CHOXSymbol* symbol, bool cut, PasteState& state);
    bool PasteNode(CHOXNode* node);
    // Every pasted object: in sight, in the undo store, on the sheet.
    void FinishPasted(CHOXDrawObj* object);
    // The pasted object leaves the view's keeping (for the chart's); null
    // when the view does not hold it.
    std::unique_ptr<CHOXDrawObj> TakePasted(CHOXDrawObj* object);
    // An object read but left out: it leaves the selection and goes.
    void DiscardPasted(CHOXDrawObj* object);

    // Tool mode 0.
    void PressSelect(UINT flags, CPoint point, CPoint docPoint);
    void MoveSelect(UINT flags, CPoint point, CPoint docPoint);
    // Whether the object has left the scroll extent last set (a symbol
    // that has is dragged on by drag and drop).
    bool HasLeftScrollExtent(const CHOXDrawObj* object) const;
    void ReleaseSelect(UINT flags, CPoint point);
    // Tool mode 1.
    void PressPlace(CPoint docPoint);
    // The placing rules of the current tool; false (after the message) when
    // its symbol may not be placed in this chart.
    bool CheckPlacement(CHOXFlowWnd* wnd);
    // A placement that failed: the tool ends.
    void EndPlacing();
    void ReleasePlace(UINT flags, CPoint point);
    // Tool mode 2.
    void PressWire(CPoint docPoint);
    void ReleaseWire(UINT flags, CPoint point, CPoint docPoint);
    // The wire joined to the symbol or node under the release point; false
    // when it was discarded instead.
    bool JoinToSymbol(CHOXConnect* wire, CHOXSymbol* end, CPoint docPoint);
    bool JoinToNode(CHOXConnect* wire, CHOXNode* end, CPoint docPoint);
    // The last steps of every join: route, marker, side-exit node, JUMP.
    void FinishJoin(CHOXConnect* wire, UINT flags, CPoint point);
    // A join refused with its message: the undo store forgets the wire too.
    void RefuseJoin(UINT messageId, CPoint docPoint);

    // The objects a paste has read and not yet placed.
    DrawObjList m_pasted;
    // The record the page being printed shows.
    CHOXWnd* m_pPrintWnd = nullptr;
};
