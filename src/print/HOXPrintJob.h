#pragma once
// One print run of a document, by the program's own loop: the options taken
// from the print dialog, the pages of each kind (flow charts in the order of
// the window-name list, the monitor window, the parameter information) and
// the page margins. The pages' contents are drawn by the page printers.
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
class CHOXWnd;
class CPrintInfo;
class PrintTarget;

// One row of the parameter pages.
struct PARAM_ROW {
    QString number;
    QString name;
    QString valueX;
    QString valueY;
};

class CHOXPrintJob : public CObject {
public:
    static constexpr int kParameterRows = 120;
    // The most pages a run counts.
    static constexpr UINT kMaxPages = 0xFFFF;

    explicit CHOXPrintJob(CHOXDoc* doc);
    ~CHOXPrintJob() override;

    // Printer and options: FALSE stops the run (cancelled, no printer, or no
    // kind of page chosen, which it says).
    bool DoPreparePrinting(CHOXPrintInfo* pInfo);
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

    // The page printers.
    void DrawFlowChartPage(CDC* pDC, CPrintInfo* pInfo, CHOXWnd* wnd);
    void DrawMonitorPage(CDC* pDC, CPrintInfo* pInfo);
    void PrintParameterInfo(CDC* pDC, CPrintInfo* pInfo);

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

    std::vector<CHOXFlowWnd*> m_printedWindows;
    std::vector<UINT> m_windowPages;
};
