#pragma once
// One print run of a document, by the program's own loop: the options taken
// from the print dialog, the pages of each kind (flow charts in the order of
// the window-name list, the monitor window, the parameter information) and
// the page margins. The pages' contents are drawn by the page printers.
#include "params/HOXParam.h"
#include "platform/Geometry.h"
#include "platform/Object.h"
#include "platform/Types.h"

#include <QFont>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class CDC;
class CHOXDoc;
class CHOXFlowView;
class CHOXFlowWnd;
class CHOXPrintInfo;
class CHOXPrintingDlg;
class CHOXDrawObj;
class CHOXWnd;
class CPrintInfo;
class PrintTarget;

class CHOXPrintJob : public CObject {
public:
    static constexpr int kParameterRows = 120;
    // The most pages a run counts.
    static constexpr UINT kMaxPages = 0xFFFF;

    explicit CHOXPrintJob(CHOXDoc* doc);
    ~CHOXPrintJob() override;

    // Printer and options: FALSE stops the run (cancelled, no printer, or no
    // kind of page chosen, which it says). A preview takes the printer's
    // defaults and no options.
    bool DoPreparePrinting(CPrintInfo* pInfo);
    // The whole run of File Print (command ID_FILE_PRINT) or of the shell's
    // direct print (ID_FILE_PRINT_DIRECT) through the view.
    void OnFilePrint(CHOXFlowView* view, UINT command);
    // Prints the print information's current page.
    void PrintPage(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view);

    // Page counting, on the drawing rectangle of the print information.
    void CountFlowChartPages(CPrintInfo* pInfo);
    void CountMonitorPages(CPrintInfo* pInfo);
    void CountParameterPages(CDC* pDC, CPrintInfo* pInfo);
    UINT GetWindowPageCount(CPrintInfo* pInfo, const CHOXWnd* wnd) const;
    // The page in logical units, the margins at the present scale (kept in
    // the job for the page printers) and the rectangle within them.
    void ComputeDrawRect(CDC* pDC, CRect& rect);
    // Pumps what waits (the status dialog's Cancel among it): false when the
    // run is to stop.
    static bool AbortProc();
    // The print font: height 9, normal weight, of the Roman family.
    static QFont MakePrintFont();

    // The flow-chart windows a run prints, in the order of the window-name
    // list (names without a record left out; with open windows only, those
    // whose frame is shown), and the first of them: the first window of a
    // run.
    std::vector<CHOXFlowWnd*> PrintedWindows() const;

    // One page of a print preview, the print information's current page:
    // the page table maps it to its window and the tile in it, then the page
    // prints as in a run.
    void PrintPreviewPage(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view);
    // The page table of the last preview page: entry 0 a sentinel (no
    // window, page 65000), entry p the window of flow-chart page p and the
    // page's number inside it, from 1.
    struct PreviewEntry {
        CHOXWnd* wnd;
        QString name;
        UINT page;
    };
    static constexpr UINT kSentinelPage = 65000;
    const std::vector<PreviewEntry>& PreviewTable() const { return m_previewTable; }

    // The page printers: a flow-chart window's tile of the current page, the
    // monitor window's, and the parameter information.
    void DrawFlowChartPage(CDC* pDC, CPrintInfo* pInfo, CHOXWnd* wnd);
    void DrawMonitorPage(CDC* pDC, CPrintInfo* pInfo);
    void PrintParameterInfo(CDC* pDC, CPrintInfo* pInfo);

    // Tiles. A window's sheet is cut into tiles of the drawing rectangle's
    // size, numbered row by row from 1; the current page shows one. The
    // column and row (from 1) of a tile index.
    static CPoint GetPagePosition(UINT index, UINT columns, UINT rows);
    // The kinds of window a rectangle is placed for.
    static constexpr int kMonitorKind = 0;
    static constexpr int kFlowChartKind = 1;
    // Whether the rectangle (sheet units) is on the current page; if so it
    // is moved to the page's units (the sheet's tile to the drawing
    // rectangle). A flow chart's object is on a tile that holds one of its
    // corners; a monitor window's also on one it spans.
    bool PlaceOnPage(CRect& rect, const CPrintInfo* pInfo, int kind, const CHOXWnd* wnd) const;
    bool PlaceOverlappingOnPage(CRect& rect, const CPrintInfo* pInfo) const;
    // Lines of a page: the wires' segments, black and one unit wide, and the
    // monitor window's line shapes with their pen.
    static void DrawPrintLine(CDC* pDC, int x1, int y1, int x2, int y2);
    // The segments of a polyline (sheet units) that cross the current tile
    // without an end on it.
    void DrawCrossingSegments(CDC* pDC, const CPrintInfo* pInfo, const std::vector<CPoint>& points,
                              const CHOXWnd* wnd) const;
    // A line shape from the bounds' top-left to their bottom-right corner,
    // cut to the current tile.
    void DrawLineShape(CDC* pDC, const CPrintInfo* pInfo, const CRect& rect, int width, COLORREF color) const;
    static void DrawShapeLine(CDC* pDC, int width, COLORREF color, int x1, int y1, int x2, int y2);

    // The parameter pages: the job's rows, the ruled frame of the page and
    // its rows in group or in number order.
    void FillParameterRows();
    void DrawParameterFrame(CDC* pDC, CPrintInfo* pInfo);
    void DrawGroupOrderRows(CDC* pDC, CPrintInfo* pInfo);
    void DrawNumberOrderRows(CDC* pDC, CPrintInfo* pInfo);

    CHOXDoc* m_pDoc;
    std::int32_t m_bPrintMonitoring = 1;
    std::int32_t m_bPrintFlowCharts = 1;
    std::int32_t m_bOpenWindowsOnly = 0;
    std::int32_t m_bPrintParamInfo = 1;
    std::int32_t m_bGroupOrder = 1;
    std::int32_t m_bPrintBaseColor = 1;
    UINT m_nFlowChartPages = 0;
    UINT m_nMonitorPages = 0;
    UINT m_nParameterPages = 0;
    std::int32_t m_bAutoScale = 0;
    std::int32_t m_bOptionsTaken = 0;
    std::int32_t m_nMarginLeft = 0;
    std::int32_t m_nMarginTop = 0;
    std::int32_t m_nMarginRight = 0;
    std::int32_t m_nMarginBottom = 0;
    std::int32_t m_bPrintComment = 1;
    std::int32_t m_bPrintContent = 1;
    // The place in the printed windows from which the window of the page
    // is looked for, and the flow-chart pages of the windows before it.
    std::int32_t m_nWindowIndex = 0;
    std::int32_t m_bStarted = 0;
    UINT m_nPagesBeforeWnd = 0;
    UINT m_nPreviewPagesBeforeWnd = 0;
    std::array<PARAM_ROW, kParameterRows> m_paramRows{};
    CHOXWnd* m_pPreviewWnd = nullptr;
    UINT m_nParamPageIndex = 1;
    UINT m_nNumberOrderPages = 0;
    UINT m_nGroupOrderPages = 0;

private:
    // Copies the options of the program's print dialog into the job and the
    // document.
    void TakeOptions(const CPrintInfo* pInfo);
    // The three counts of a run and the print information's page range.
    void CountPages(CDC* pDC, CHOXPrintInfo* pInfo, CHOXFlowView* view);
    // The first window of the run to the view, the DC prepared, the margins
    // and the drawing rectangle computed, and the clip set unless the scale
    // is automatic.
    void PrepareFirstWindow(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view);
    // The loop over the pages; false when it stopped on an error or a
    // cancel.
    bool PrintPages(CDC* pDC, CHOXPrintInfo* pInfo, CHOXFlowView* view, CHOXPrintingDlg& status, PrintTarget& target,
                    bool& deviceFailed);
    void PrintFlowChartPart(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view);
    void PrintMonitoringPart(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view);
    void PrintParameterPart(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view);
    // The footer of a flow-chart or monitoring page, where the scale mode
    // puts it.
    void DrawFooter(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view, const QString& text);
    // The dialog's zoom forced to 100 % for a while (the parameter pages and
    // the footers of automatic scale), and put back.
    struct ZoomFields {
        std::int32_t zoom;
        std::int32_t size;
    };
    static ZoomFields ForceFullSize(CPrintInfo* pInfo);
    static void RestoreZoom(CPrintInfo* pInfo, const ZoomFields& fields);
    // The page in logical units shrunk by the margins kept in the job.
    CRect PageLessStoredMargins(CDC* pDC) const;
    // The name a page footer gives the window.
    QString WindowName(const CHOXWnd* wnd) const;

    // The tile of the current page in a window: the drawing rectangle's
    // size, the window's columns and rows, the tile's column, row and index,
    // and the margins. With automatic scale the sheet fits one page: its one
    // tile holds everything.
    struct PageTile {
        std::int64_t width = 1;
        std::int64_t height = 1;
        std::int64_t columns = 1;
        std::int64_t rows = 1;
        std::int64_t column = 1;
        std::int64_t row = 1;
        std::int64_t index = 1;
        std::int64_t left = 0;
        std::int64_t top = 0;
        bool whole = false;
        // Sheet units to page units.
        CPoint Offset() const;
        // The index of the tile that holds the sheet point; 0 off the tiles.
        std::int64_t IndexOf(std::int64_t x, std::int64_t y) const;
        // Whether the rectangle of sheet units meets the tile.
        bool Meets(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) const;
    };
    PageTile TileOfPage(const CPrintInfo* pInfo, int kind, const CHOXWnd* wnd) const;
    // The sheet frame of the tile: the drawing rectangle, cut where the
    // sheet ends on the last column and row; filled with the base colour, or
    // outlined in black.
    void DrawSheetFrame(CDC* pDC, const CPrintInfo* pInfo, const PageTile& tile, const CHOXWnd* wnd) const;
    // An object drawn by itself on the page when it is on it, through the
    // device context moved by its placement; its bounds stay as they were.
    void DrawPlaced(CDC* pDC, const CPrintInfo* pInfo, CHOXDrawObj* object, int kind, const CHOXWnd* wnd) const;
    static void DrawShifted(CDC* pDC, CHOXDrawObj* object, CPoint offset);
    void DrawWire(CDC* pDC, const CPrintInfo* pInfo, const CHOXWnd* wnd, const std::vector<CPoint>& points) const;

    std::vector<PreviewEntry> m_previewTable;

    std::vector<CHOXFlowWnd*> m_printedWindows;
    std::vector<UINT> m_windowPages;
};
