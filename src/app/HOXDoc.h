#pragma once
// The document: everything one ".hox" file holds. It owns its flow-chart
// window records (by name, with the list of names in creation order), the
// monitor window record, the parameter set and the PLC sequence settings,
// and hands out object ids and pointer and program numbers.
#include "chart/ControllerType.h"
#include "platform/Document.h"
#include "platform/Geometry.h"
#include "platform/WordMap.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

class CCmdUI;
class CHOXCntrlItem;
class CHOXDrawObj;
class CHOXFlowMonInfo;
class CHOXFlowWnd;
class CHOXFounSeq;
class CHOXMcodeKzPlc;
class CHOXMonitorSession;
class CHOXMonWnd;
class CHOXParam;
class CHOXProgressMsgDlg;
class CHOXView;
class CHOXWnd;
class CMDIChildWnd;
class CView;
class CDC;
class CompoundFile;
enum class MonitorPriority : int;

using WindowMap = StringMap<std::unique_ptr<CHOXFlowWnd>>;

class CHOXDoc : public CDocument {
    KT_DECLARE_SERIAL(CHOXDoc)
public:
    CHOXDoc();
    ~CHOXDoc() override;

    // The document file.
    void Serialize(CArchive& ar) override;
    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;
    // Only a real close (the application asks for it) takes the frames and
    // the document away; the bars of an open document go in any case.
    void OnCloseDocument() override;
    // Adds the path to the recent files when asked to.
    void SetPathName(const QString& path, bool addToRecentFiles = true) override;
    // Closing a chart frame hides it and activates a visible neighbour;
    // always true.
    bool CanCloseFrame(CMDIChildWnd* frame);
    // Asks whether to save: true to go on, false to stop.
    bool SaveModified();
    // File > Save and File > Save As.
    void OnFileSave();
    void OnFileSaveAs();
    // After a file is read: the monitor frame and the flow-chart frames of
    // the name list come back as they were stored.
    void RestoreWindows();
    // The monitor frame takes its title and its view shows the monitor
    // window record.
    void ShowMonitorWindowIn(CMDIChildWnd* frame);
    // The next save writes a complete new file at its target.
    void SetSaveAsNew() { m_nSaveAsNew = 1; }
    bool IsSaveAsNew() const { return m_nSaveAsNew != 0; }
    // The path is that of the file the user opened, though its contents did
    // not make this document: Save may write there without asking.
    void MarkPathAsOwnFile() { m_bPathIsOwnFile = true; }
    static std::int32_t GetAppVersion() { return 100; }
    static std::int32_t GetDataVersion() { return 100; }
    // The last error of opening or saving a file, in words.
    const QString& GetFileError() const { return m_fileError; }

    // The embedded items, in the order the file lists them. An item placed
    // on the monitor page belongs to its holder; one without a holder (its
    // holder was deleted before the file was saved) to the document.
    const std::vector<CHOXCntrlItem*>& GetItems() const { return m_items; }
    // An item made for this document joins the list. One that goes leaves
    // it; gone for good, its storage is left out of the next save.
    void AddItem(CHOXCntrlItem* item);
    void RemoveItem(CHOXCntrlItem* item, bool forGood);
    // The number of a new item: above every listed item's, and not one
    // whose storage the file holds already.
    DWORD GetNewItemNumber() const;

    // Controller type: 0 "ZE-10RE", 1 "ZA-20VI ZOZ", 2 "DO-20VI RER".
    std::int32_t GetControllerType() const { return m_nControllerType; }
    void SetControllerType(std::int32_t type) { m_nControllerType = type; }
    // The name of a controller type as the status bar shows it.
    static QString ControllerTypeName(std::int32_t type);
    // How questions and new paths name a document without one: "Untitled.hox".
    static QString UntitledName();

    // Window map and ids.
    CHOXFlowWnd* FindWindowByName(const QString& name) const;
    CHOXFlowWnd* FindWindowByView(const CView* view) const;
    // A new flow-chart record with its names, not yet in the map; null when
    // the document already holds 500 flow-chart windows.
    std::unique_ptr<CHOXFlowWnd> NewFlowWindow(const QString& name, const QString& description);
    // Puts the record into the map under the name (replacing a record of that
    // name) and, unless told otherwise, appends the name to the name list.
    void AddWindow(const QString& name, std::unique_ptr<CHOXFlowWnd> wnd, bool keepOutOfList = false);
    // Takes the record out of the map and hands it to the caller; the name
    // list is not changed.
    std::unique_ptr<CHOXFlowWnd> RemoveWindow(const QString& name);
    void UpdateWindowName(const QString& oldName, bool remove, const QString& newName);
    const QStringList& GetWindowNameList() const { return m_windowNames; }
    WindowMap& GetWindowMap() { return m_mapWindows; }
    const WindowMap& GetWindowMap() const { return m_mapWindows; }
    CHOXMonWnd* GetMonWnd() const { return m_pMonWnd.get(); }
    // The same as a window record, for the chart code, which does not know
    // the monitor window's class.
    CHOXWnd* GetMonitorRecord() const;
    bool IsObjectIdUsed(WORD id) const;
    // The lowest symbol id (0 to 4000) that no window of the map holds, nor
    // `also` (a window that may be outside the map); -1 when all are taken.
    std::int32_t LowestFreeObjectId(const CHOXFlowWnd& also) const;
    std::int32_t NewSymbolId();
    void ReleaseSymbolId();
    std::int32_t NewWireId();
    void ReleaseWireId();
    std::int32_t NewShapeId();
    std::int32_t NewOleId();
    std::int32_t NewMonObjId();

    // Pointer and program numbers.
    bool IsValidPointerNumber(int n) const;
    bool IsPointerNumberUsed(int n) const;
    int AllocPointerNumber();
    void FreePointerNumber(int n);
    void MarkPointerNumberUsed(int n);
    bool IsProgramNumberUsed(int axis, int n) const;
    int FindFreeProgramNumber(int axis) const;
    void FreeProgramNumber(int axis, int n);
    void MarkProgramNumberUsed(int axis, int n);
    // True when n is a used pointer number that a SUBROUTINE symbol of some
    // window holds.
    bool IsSubroutineDefined(int n) const;
    // Shows and selects the POINTER (jump) or SUBROUTINE (call) of n, or
    // makes a new flow chart for a number that nothing holds.
    void OpenJumpTarget(int n);
    void OpenCallTarget(int n);

    // Modes and flags.
    bool IsEditMode() const { return m_nEditMode != 0; }
    // Monitor > Start: the chart frames are put away, the hidden windows
    // the tracker shows the running programs in are made, and the worker
    // starts polling. Refused while monitoring runs.
    void OnMonitorStart();
    // Monitor > Stop: the worker ends (joined before anything it used goes),
    // the hidden windows go and the frames come back as they were.
    void OnMonitorStop();
    // Stop while monitoring, else Start.
    void OnMonitorToggle();
    // Ends monitoring when it runs (before the document closes).
    void StopMonitoringIfActive();
    // The run under way, or null.
    CHOXMonitorSession* GetMonitorThread() const { return m_pMonitorThread.get(); }
    void SetMonitorThreadPriority(MonitorPriority priority);
    // The hidden window that shows the running program of axis 0 (X), 1 (Y)
    // or 2 (subtask) while monitoring; empty when that axis has none.
    QString GetMonitoredWindowName(int axis) const;
    // The menus follow the mode when a frame becomes active.
    void SetMenusEnabled(bool enable, CView* view);
    bool IsMonitoring() const { return m_nMonitoring != 0; }
    bool IsProgTextXShown() const { return m_nShowProgTextX != 0; }
    bool IsProgTextYShown() const { return m_nShowProgTextY != 0; }
    bool IsProgTextSubtaskShown() const { return m_nShowProgTextSubtask != 0; }
    bool GetPrintComment() const { return m_nPrintComment != 0; }
    bool GetPrintContent() const { return m_nPrintContent != 0; }
    void SetPrintComment(bool print) { m_nPrintComment = print ? 1 : 0; }
    void SetPrintContent(bool print) { m_nPrintContent = print ? 1 : 0; }
    std::int32_t GetSystemResponse() const { return m_nSystemResponse; }
    // Monitor > Tune System Response: the count in the document and in the
    // settings ("SystemResponse"), for this and later documents.
    void OnTuneSystemResponse();
    CHOXParam& GetParam() { return *m_pParam; }
    const CHOXParam& GetParam() const { return *m_pParam; }
    CHOXFounSeq* GetFounSeq() const { return m_pFounSeq.get(); }
    // The M-code sequences: they live while the document is open and are
    // not saved.
    CHOXMcodeKzPlc* GetMcodeKzPlc() const { return m_pMcodeKzPlc.get(); }
    // The picture of a pin of the kind: the side exit's or the one of the top
    // and bottom pins.
    const QImage& GetPinBitmap(int kind) const;
    // Draws the picture of a symbol name in a state (the normal picture when
    // the state has none) with its top-left corner at the point, scaled with
    // the device's mapping; true when something was drawn.
    static bool DrawSymbolIcon(CDC* pDC, const QString& symbolName, int state, CPoint topLeft);

    // The program of the flow charts: its size in steps (every chart's
    // share, the subtask's too), the Export Text and Used Memory commands,
    // and the save that "Save Select" asks for before the program leaves the
    // document: true when saved or nothing needed saving.
    std::uint32_t GetTotalSteps();
    void OnExportText();
    // Import Text: the parameters and charts of an exported text file are
    // added to this document, after a question when it holds symbols.
    void OnImportText();
    void OnUsedMemory();
    bool SaveBeforeWrite();
    // The KZ-QW menu's controller commands: each checks the document's side,
    // runs one operation of a connection made for it and reports the
    // outcome. The progress window closes whatever the outcome.
    void OnWriteController();
    void OnVerifyController();
    void OnDiagnoseController();
    void OnInitializeController();
    // The serial port of the controller: the main window's choice ("COM1"
    // to "COM4"), or the remembered one when there is no main window.
    QString GetComPortName() const;
    // The document's "in progress" window, opened with the text, and its
    // close.
    void ShowProgressMessage(const QString& text);
    void CloseProgressMessage();
    CHOXProgressMsgDlg& GetProgressDlg() { return *m_pProgressDlg; }
    // Parameters menu: each command opens its parameter dialog on the set;
    // they stay usable while monitoring.
    void OnParamInitialize();
    void OnParamShowAll();
    // Tools menu searches. Each selects every match in every chart window,
    // shows and activates its frame and brings the last match of a window
    // near the middle of its view; true when anything matched. The comment
    // is compared trimmed and in any case; the number finds SUBROUTINE,
    // POINTER, CALL and JUMP symbols, programs in text that hold it, and
    // nodes.
    void OnSearchComment();
    void OnSearchNumber();
    bool FindSymbolByComment(const QString& text);
    bool FindSymbolByPointerNumber(int n);
    // The status bar's steps pane: "Steps" and the program steps in use.
    void OnUpdateSteps(CCmdUI* ui);

    // The step map: where each symbol's code starts, for monitoring.
    const std::list<std::unique_ptr<CHOXFlowMonInfo>>& GetStepInfoList() const { return m_stepMap; }
    void AddStepInfo(std::unique_ptr<CHOXFlowMonInfo> info);
    void ClearStepInfo();
    QString GetStepWindowName(int id) const;
    void RenameStepWindow(const QString& oldName, const QString& newName);

    // The symbol palette: commands ID_PALETTE_UP and ID_PALETTE_DOWN scroll the
    // shown group by a row; the buttons of positions first to last of a
    // group come back in slots 0 upward.
    void OnPaletteScrollUp();
    void OnPaletteScrollDown();
    void ShowPaletteItems(int group, int first, int last);

    // The places of the monitored frames at the last stop of monitoring (X,
    // Y, subtask, monitor window; (0, 0, 0, 0): none) and the top-left
    // screen corners of the three program-text windows: X, Y, subtask.
    const CRect& GetStoredRect(int i) const { return m_rects.at(std::size_t(i)); }
    void SetStoredRect(int i, const CRect& rect) { m_rects.at(std::size_t(i)) = rect; }
    CPoint GetProgTextPos(int which) const { return m_progTextPos.at(std::size_t(which)); }
    void SetProgTextPos(int which, CPoint pos) { m_progTextPos.at(std::size_t(which)) = pos; }
    void SetProgTextShown(int which, bool shown);

    // Monitor-object ids start here: the ids below are the monitor
    // window's fixed ids.
    static constexpr std::int32_t kFirstMonObjId = 20;
    // The id allocators' counters: the next id of each kind.
    struct IdCounters {
        std::int32_t symbol = 0;
        std::int32_t wire = 0;
        std::int32_t shape = 0;
        std::int32_t ole = 0;
        std::int32_t monObj = kFirstMonObjId;
    };
    const IdCounters& GetIdCounters() const { return m_idCounters; }
    // Tests start the allocators where they need them.
    void SetIdCounters(const IdCounters& counters) { m_idCounters = counters; }

    // How far pasted objects move from their source; cut and copy reset it,
    // paste and delete read and advance it.
    CSize GetPasteOffset() const { return CSize(m_nPasteOffsetX, m_nPasteOffsetY); }
    void SetPasteOffset(CSize offset)
    {
        m_nPasteOffsetX = offset.cx;
        m_nPasteOffsetY = offset.cy;
    }
    // The record a drag of objects started from, and whether no other window
    // has taken the drop yet.
    CHOXWnd* GetDragSource() const { return m_pDragSource; }
    void SetDragSource(CHOXWnd* wnd) { m_pDragSource = wnd; }
    bool IsDragPending() const { return m_nDragPending != 0; }
    void SetDragPending(bool pending) { m_nDragPending = pending ? 1 : 0; }
    // The hidden blank windows that monitoring opens, for X, Y and the
    // subtask; an empty name for one that was not made.
    const QStringList& GetBlankWindowNames() const { return m_blankWindowNames; }

    // The monitoring worker reads these while the user-interface thread
    // changes them.
    void SetEditMode(bool edit) { m_nEditMode = edit ? 1 : 0; }
    void SetMonitoring(bool monitoring) { m_nMonitoring = monitoring ? 1 : 0; }
    bool IsDefaultPositionRequested() const { return m_nDefaultPosition != 0; }
    void SetDefaultPositionRequest(bool request) { m_nDefaultPosition = request ? 1 : 0; }

private:
    void RegisterParameterCommands();
    void InitMonitorCommands();
    // Monitoring's share of the frames: kept and put away at the start,
    // given back at the stop.
    void PutFramesAway();
    void BringFramesBack();
    void MakeBlankWindows();
    void RemoveBlankWindows();
    // Selects the object in the view, shows, restores and activates the
    // view's frame.
    void ShowSearchMatch(CHOXView* view, CHOXDrawObj* object);
    // Scrolls so that the object lies near the middle of the view, when the
    // view cannot show its whole sheet.
    void CentreSearchMatch(CHOXView* view, const CHOXDrawObj* object);

    // The palette's program-wide scroll state and slider for a new
    // document, and its commands.
    void InitPalette();
    // The palette's buttons and items go with the document.
    void ReleasePalette();
    void ScrollPalette(int rows);
    // The commands of the program's text and size.
    void InitProgramCommands();
    void InitControllerCommands();
    // Raises the id counters above every id in use after loading.
    void AfterLoad();
    // The embedded items of a file being read: the list after the
    // parameters, checked against the holders and the file's storages.
    // The document's own list is not touched; the kept items are handed
    // over with the list.
    std::vector<CHOXCntrlItem*> ReadItems(CArchive& ar, const CHOXMonWnd& monitor,
                                          std::vector<std::unique_ptr<CHOXCntrlItem>>& kept) const;
    // The items answer to no document any more (it goes, or loads others).
    void DetachItems();
    // The framework's save: to the path, or after asking for one when it
    // has none (or its file is read-only).
    bool DoFileSave();
    // Without a path the file dialog asks for one; with replace the
    // document takes the new path.
    bool DoSave(const QString& path, bool replace);
    void SaveCommand(bool saveAs);
    // The main window's caption after a save, from the caption it had and
    // whether the document's first frame was maximized.
    void SetCaptionAfterSave(const QString& oldText, bool maximized);
    // Jump (true) or call target.
    void OpenTarget(int n, bool jump);

    std::array<CRect, 4> m_rects{};
    std::array<CPoint, 3> m_progTextPos{};
    IdCounters m_idCounters;
    // Once a counter has passed its last id, each new id is the lowest no
    // window holds: a document at its limits asks for hundreds of them in
    // a row. The search remembers the ids it found held, and where it
    // stopped, for as long as no map has let an entry go.
    class FreeIdSearch {
    public:
        FreeIdSearch(std::int32_t first, std::int32_t last) : m_first(first), m_last(last) {}
        // `maps` are the maps the ids key; -1 when every id is held.
        std::int32_t Lowest(const std::vector<const WordMap<std::unique_ptr<CHOXDrawObj>>*>& maps,
                            std::uint64_t removals);

    private:
        std::int32_t m_first;
        std::int32_t m_last;
        std::vector<bool> m_held;
        // Every id below is held.
        std::int32_t m_from = 0;
        // The removals counted when `m_held` was made; none yet.
        std::uint64_t m_removals = 0;
        bool m_made = false;
    };
    FreeIdSearch m_freeSymbolIds{0, 4000};
    FreeIdSearch m_freeWireIds{0, 4000};
    std::int32_t m_nPasteOffsetX = 10;
    std::int32_t m_nPasteOffsetY = 10;
    CHOXWnd* m_pDragSource = nullptr;
    std::int32_t m_nDragPending = 1;
    QStringList m_blankWindowNames;
    std::array<CHOXFlowWnd*, 3> m_blankWindows{};
    // A start put the frames away: the stop brings them back.
    bool m_bFramesPutAway = false;
    std::atomic<std::int32_t> m_nEditMode{1};
    std::atomic<std::int32_t> m_nMonitoring{0};
    std::atomic<std::int32_t> m_nDefaultPosition{0};
    std::int32_t m_nPrintComment = 1;
    std::int32_t m_nPrintContent = 1;
    std::int32_t m_nSaveAsNew = 0;
    // The path names the file this document was opened from or last saved
    // to; a path given before that (a read from the controller proposes one)
    // may name another document's file, which a plain Save must not replace.
    bool m_bPathIsOwnFile = false;
    std::int32_t m_nShowProgTextX = 0;
    std::int32_t m_nShowProgTextY = 0;
    std::int32_t m_nShowProgTextSubtask = 0;
    std::unique_ptr<CHOXParam> m_pParam;
    std::int32_t m_nControllerType = ctype::kTwoAxes;
    WindowMap m_mapWindows;
    std::unique_ptr<CHOXMonWnd> m_pMonWnd;
    QImage m_pinBitmapTopBottom;
    QImage m_pinBitmapSide;
    std::unique_ptr<CHOXFounSeq> m_pFounSeq;
    std::unique_ptr<CHOXMcodeKzPlc> m_pMcodeKzPlc;
    std::unique_ptr<CHOXProgressMsgDlg> m_pProgressDlg;
    std::array<std::int32_t, 256> m_pointerNumbers{};
    std::array<std::array<std::int32_t, 100>, 2> m_programNumbers{};
    std::list<std::unique_ptr<CHOXFlowMonInfo>> m_stepMap;
    QStringList m_windowNames;
    std::int32_t m_nSystemResponse = 0;
    // The file the document was opened from, kept to carry its other
    // storages through a save.
    std::unique_ptr<CompoundFile> m_file;
    // While a file is being read: its storages, which the items name.
    const CompoundFile* m_pReading = nullptr;
    std::vector<CHOXCntrlItem*> m_items;
    std::vector<std::unique_ptr<CHOXCntrlItem>> m_keptItems;
    QString m_fileError;
    // Last: it goes first, and with it the worker, before anything it used.
    std::unique_ptr<CHOXMonitorSession> m_pMonitorThread;
};
