#include "print/HOXPrintJob.h"

#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "app/ProgramState.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "chart/PrintHooks.h"
#include "platform/DC.h"
#include "platform/FileDialog.h"
#include "platform/Fonts.h"
#include "platform/MDI.h"
#include "platform/Messages.h"
#include "platform/PrintDialog.h"
#include "platform/Strings.h"
#include "print/HOXPrintDlg.h"
#include "print/HOXPrintInfo.h"
#include "print/HOXPrintingDlg.h"
#include "res/CommandIds.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
constexpr UINT IDS_NO_PAGES = 13280;
constexpr UINT IDS_PRINT_TITLE = 13360;
constexpr UINT IDS_MONITORING_PAGES = 13361;
constexpr UINT IDS_PAGE_NUMBER = 61507;
constexpr UINT IDS_PREVIEW_PAGE_DESC = 61508;
constexpr UINT IDS_PRINT_FILE_EXTENSION = 61509;
constexpr UINT IDS_PRINT_FILE_NAME = 61510;
constexpr UINT IDS_PRINT_FILE_FILTER = 61511;
constexpr UINT IDS_PRINT_FILE_CAPTION = 61512;
constexpr UINT IDS_PRINT_FAILED = 61702;
// The document title a run gives the printer is at most this long.
constexpr int kTitleLength = 31;
constexpr int kGroupOrderRows = 61;
constexpr int kNumberOrderRows = 119;

UINT SaturatedSum(UINT a, UINT b)
{
    return static_cast<UINT>(std::min<std::uint64_t>(std::uint64_t{a} + b, CHOXPrintJob::kMaxPages));
}

// Tiles of the rectangle's size over an extent of x by y.
UINT TilesOver(std::int64_t x, std::int64_t y, const CRect& rect)
{
    if (x <= 0 || y <= 0) return 0;
    const double columns = std::ceil(static_cast<double>(x) / std::max<LONG>(1, rect.Width()));
    const double rows = std::ceil(static_cast<double>(y) / std::max<LONG>(1, rect.Height()));
    return static_cast<UINT>(std::min(columns * rows, static_cast<double>(CHOXPrintJob::kMaxPages)));
}

// Whether the record's chart is shown in a frame of the program; a view
// hosted without the program's frames counts as shown while it has a host.
bool IsShown(const CHOXWnd* wnd)
{
    const CHOXView* view = wnd->GetView();
    if (view == nullptr) return false;
    if (const CHOXApp* app = CHOXApp::Get(); app != nullptr && app->MainFrame() != nullptr) {
        const CMDIChildWnd* frame = app->FrameOfView(view);
        return frame != nullptr && frame->IsWindowVisible();
    }
    return view->Host() != nullptr;
}

void EnableMainWindow(bool enable)
{
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->GetMainWnd() != nullptr)
        app->GetMainWnd()->EnableWindow(enable);
}

// The program-wide state of a run: it runs, it may be asked to stop, and a
// close of the main window asked for meanwhile follows its end (the window
// cannot go while the run still draws through its views).
class RunScope {
public:
    RunScope()
    {
        ProgramState::Printing& p = Program().printing;
        p.running = 1;
        p.userAbort = 0;
        p.closeWanted = 0;
        p.outcome = ProgramState::kNotPrinted;
    }
    ~RunScope()
    {
        ProgramState::Printing& p = Program().printing;
        p.running = 0;
        if (p.closeWanted == 0) return;
        p.closeWanted = 0;
        QTimer::singleShot(0, QCoreApplication::instance(), [] {
            if (CWinApp* app = AfxGetApp(); app != nullptr && app->GetMainWnd() != nullptr)
                app->GetMainWnd()->SendClose();
        });
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
    void End(std::int32_t outcome) { Program().printing.outcome = outcome; }
};

// The main window takes no input while a run prints; every way out gives it
// back.
class MainWindowOff {
public:
    MainWindowOff() { EnableMainWindow(false); }
    ~MainWindowOff() { EnableMainWindow(true); }
    MainWindowOff(const MainWindowOff&) = delete;
    MainWindowOff& operator=(const MainWindowOff&) = delete;
};

// The PDF file of a run whose dialog chose one without naming it; empty
// when the user cancelled.
QString AskPrintFile()
{
    FileDialogRequest request;
    request.save = true;
    request.title = LoadStr(IDS_PRINT_FILE_CAPTION);
    request.initialName = LoadStr(IDS_PRINT_FILE_NAME);
    request.filters = {LoadStr(IDS_PRINT_FILE_FILTER)};
    request.defaultSuffix = LoadStr(IDS_PRINT_FILE_EXTENSION);
    request.confirmOverwrite = true;
    return RunFileDialog(request);
}

CHOXPrintDlg* OptionsOf(CPrintInfo* pInfo) { return dynamic_cast<CHOXPrintDlg*>(pInfo->m_pPD.get()); }

// The views reach the job through the chart layer's hooks.
[[maybe_unused]] const bool g_registered = [] {
    PrintHooks& hooks = ChartPrintHooks();
    hooks.filePrint = [](CHOXFlowView& view, UINT command) {
        CHOXPrintJob job(dynamic_cast<CHOXDoc*>(view.GetDocument()));
        job.OnFilePrint(&view, command);
    };
    hooks.preparePrinting = [](CHOXView& view, CPrintInfo* pInfo) {
        CHOXPrintJob job(dynamic_cast<CHOXDoc*>(view.GetDocument()));
        job.m_bOpenWindowsOnly = 1;
        return job.DoPreparePrinting(pInfo);
    };
    // Every preview page has a job of its own, with the job's defaults.
    hooks.previewPage = [](CHOXFlowView& view, CDC* pDC, CPrintInfo* pInfo) {
        CHOXPrintJob job(dynamic_cast<CHOXDoc*>(view.GetDocument()));
        job.PrintPreviewPage(pDC, pInfo, &view);
    };
    return true;
}();
} // namespace

CHOXPrintJob::CHOXPrintJob(CHOXDoc* doc) : m_pDoc(doc) {}

CHOXPrintJob::~CHOXPrintJob() = default;

QFont CHOXPrintJob::MakePrintFont() { return TimesNewRomanFont(9, 400); }

bool CHOXPrintJob::AbortProc()
{
    ProgramState::Printing& p = Program().printing;
    if (p.userAbort == 0 && QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // A close of the main window ends the run as the end of the
        // program does.
        if (p.closeWanted != 0) return false;
    }
    return p.userAbort == 0;
}

// ---------------------------------------------------------------------------
// Preparing

bool CHOXPrintJob::DoPreparePrinting(CPrintInfo* pInfo)
{
    CPrintDialog* dialog = pInfo->m_pPD.get();
    if (dialog->m_nMinPage > dialog->m_nMaxPage) dialog->m_nMaxPage = dialog->m_nMinPage;
    Program().printing.outcome = ProgramState::kPrintCancelled;
    if (!pInfo->m_bPreview && !pInfo->m_bDirect && !pInfo->m_bDocObject) {
        dialog->m_nFromPage = dialog->m_nMinPage;
        dialog->m_nToPage = dialog->m_nMaxPage;
        if (dialog->DoModal() != IDOK) return false;
        TakeOptions(pInfo);
    } else {
        // The printer's defaults come without the options: only a dialog
        // the user answered gives them.
        if (dialog->GetTarget() == nullptr && !dialog->GetDefaults()) {
            if (pInfo->m_bDocObject) return false;
            if (dialog->DoModal() != IDOK) return false;
            TakeOptions(pInfo);
        }
        dialog->m_nFromPage = dialog->m_nMinPage;
        dialog->m_nToPage = dialog->m_nMaxPage;
    }
    Program().printing.outcome = ProgramState::kPrintFailed;
    if (dialog->GetTarget() == nullptr) return false;
    pInfo->m_nNumPreviewPages = 0;
    pInfo->m_strPageDesc = LoadStr(IDS_PREVIEW_PAGE_DESC);
    if (m_bPrintMonitoring == 0 && m_bPrintFlowCharts == 0 && m_bPrintParamInfo == 0) {
        AfxMessageBox(IDS_NO_PAGES, MB_OK | MB_ICONHAND);
        return false;
    }
    Program().printing.outcome = ProgramState::kNotPrinted;
    return true;
}

void CHOXPrintJob::TakeOptions(const CPrintInfo* pInfo)
{
    const auto* dialog = dynamic_cast<const CHOXPrintDlg*>(pInfo->m_pPD.get());
    if (dialog == nullptr) return;
    m_bPrintMonitoring = dialog->m_nPrintMonitoring;
    m_bPrintFlowCharts = dialog->m_nPrintFlowCharts;
    if (m_bPrintFlowCharts != 0) m_bOpenWindowsOnly = dialog->m_nPrintFlowChartsOpenWnds;
    m_bPrintParamInfo = dialog->m_nPrintParamInfo;
    if (m_bPrintParamInfo != 0) m_bGroupOrder = dialog->m_nPrintParamInfoGrpOrder;
    m_bPrintBaseColor = dialog->m_nPrintBaseCol;
    m_bAutoScale = dialog->m_nPrintZoom == 0 ? 1 : 0;
    m_bPrintContent = dialog->m_nPrintContent;
    m_bPrintComment = dialog->m_nPrintComment;
    if (m_pDoc != nullptr) {
        m_pDoc->SetPrintContent(m_bPrintContent != 0);
        m_pDoc->SetPrintComment(m_bPrintComment != 0);
    }
    m_bOptionsTaken = 1;
}

CHOXPrintJob::ZoomFields CHOXPrintJob::ForceFullSize(CPrintInfo* pInfo)
{
    CHOXPrintDlg* dialog = OptionsOf(pInfo);
    if (dialog == nullptr) return {1, 100};
    const ZoomFields old{dialog->m_nPrintZoom, dialog->m_nPrintZoomSize};
    dialog->m_nPrintZoom = 1;
    dialog->m_nPrintZoomSize = 100;
    return old;
}

void CHOXPrintJob::RestoreZoom(CPrintInfo* pInfo, const ZoomFields& fields)
{
    if (CHOXPrintDlg* dialog = OptionsOf(pInfo)) {
        dialog->m_nPrintZoom = fields.zoom;
        dialog->m_nPrintZoomSize = fields.size;
    }
}

// ---------------------------------------------------------------------------
// Counting

std::vector<CHOXFlowWnd*> CHOXPrintJob::PrintedWindows() const
{
    std::vector<CHOXFlowWnd*> windows;
    if (m_pDoc == nullptr) return windows;
    for (const QString& name : m_pDoc->GetWindowNameList()) {
        const auto* entry = m_pDoc->GetWindowMap().Lookup(name);
        if (entry == nullptr || !*entry) continue;
        CHOXFlowWnd* wnd = entry->get();
        if (std::find(windows.begin(), windows.end(), wnd) != windows.end()) continue;
        if (m_bOpenWindowsOnly != 0 && !IsShown(wnd)) continue;
        windows.push_back(wnd);
    }
    return windows;
}

void CHOXPrintJob::ComputeDrawRect(CDC* pDC, CRect& rect)
{
    // At the present scale: under automatic scale every window has its own,
    // and margins kept from another would put its sheet off the page.
    const PrintMargins margins = ComputePrintMargins(pDC);
    m_nMarginLeft = margins.left;
    m_nMarginTop = margins.top;
    m_nMarginRight = margins.right;
    m_nMarginBottom = margins.bottom;
    rect = margins.Printable();
}

CRect CHOXPrintJob::PageLessStoredMargins(CDC* pDC) const
{
    const CRect page = ComputePrintMargins(pDC).page;
    return CRect(page.left + m_nMarginLeft, page.top + m_nMarginTop, page.right - m_nMarginRight,
                 page.bottom - m_nMarginBottom);
}

UINT CHOXPrintJob::GetWindowPageCount(CPrintInfo* pInfo, const CHOXWnd* wnd) const
{
    if (m_bAutoScale != 0) return 1;
    if (wnd == nullptr || wnd->GetBaseRect() == nullptr) return 0;
    const CRect& sheet = wnd->GetBaseRect()->GetRect();
    return TilesOver(sheet.right, sheet.bottom, pInfo->m_rectDraw);
}

void CHOXPrintJob::CountFlowChartPages(CPrintInfo* pInfo)
{
    m_printedWindows = PrintedWindows();
    m_windowPages.clear();
    UINT total = 0;
    for (const CHOXFlowWnd* wnd : m_printedWindows) {
        const UINT pages = GetWindowPageCount(pInfo, wnd);
        m_windowPages.push_back(pages);
        total = SaturatedSum(total, pages);
    }
    m_nFlowChartPages = total;
}

void CHOXPrintJob::CountMonitorPages(CPrintInfo* pInfo)
{
    if (m_bAutoScale != 0) {
        m_nMonitorPages = 1;
        return;
    }
    const CHOXWnd* monitor = m_pDoc != nullptr ? m_pDoc->GetMonitorRecord() : nullptr;
    if (monitor == nullptr || monitor->GetBaseRect() == nullptr) {
        m_nMonitorPages = 0;
        return;
    }
    const CRect& sheet = monitor->GetBaseRect()->GetRect();
    m_nMonitorPages =
        TilesOver(std::int64_t{sheet.right} - sheet.left, std::int64_t{sheet.bottom} - sheet.top, pInfo->m_rectDraw);
}

void CHOXPrintJob::CountParameterPages(CDC*, CPrintInfo* pInfo)
{
    const int room = pInfo->m_rectDraw.Height() - 125;
    // Rows of 25 units go onto a page until they pass its room; the row that
    // passes it starts no page of its own.
    auto pagesOf = [room](int rows) {
        UINT pages = 0;
        int height = 0;
        bool lastBroke = false;
        for (int row = 0; row < rows; ++row) {
            height += 25;
            lastBroke = height > room;
            if (lastBroke) {
                ++pages;
                height = 0;
            }
        }
        return lastBroke ? pages : pages + 1;
    };
    const UINT group = pagesOf(kGroupOrderRows);
    const UINT number = pagesOf(kNumberOrderRows);
    if (pInfo->m_bPreview) {
        m_nGroupOrderPages = group;
        m_nNumberOrderPages = number;
        m_nParameterPages = group + number;
    } else {
        m_nGroupOrderPages = m_bGroupOrder != 0 ? group : 0;
        m_nNumberOrderPages = m_bGroupOrder != 0 ? 0 : number;
        m_nParameterPages = m_bGroupOrder != 0 ? group : number;
    }
}

void CHOXPrintJob::PrepareFirstWindow(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view)
{
    m_nWindowIndex = 0;
    m_bStarted = 1;
    m_nPagesBeforeWnd = 0;
    // The first record of the name list: the map may lack a listed name.
    CHOXFlowWnd* first = nullptr;
    if (m_pDoc != nullptr) {
        for (const QString& name : m_pDoc->GetWindowNameList()) {
            if (const auto* entry = m_pDoc->GetWindowMap().Lookup(name); entry != nullptr && *entry) {
                first = entry->get();
                break;
            }
        }
    }
    view->SetPrinting(first);
    view->OnPrepareDC(pDC, pInfo);
    ComputeDrawRect(pDC, pInfo->m_rectDraw);
    if (m_bAutoScale == 0) pDC->SelectClipRect(pInfo->m_rectDraw);
}

void CHOXPrintJob::CountPages(CDC* pDC, CHOXPrintInfo* pInfo, CHOXFlowView* view)
{
    m_nFlowChartPages = 0;
    m_nMonitorPages = 0;
    m_nParameterPages = 0;
    if (m_bPrintParamInfo != 0) {
        // Parameter pages are always counted, and printed, at 100 %.
        const ZoomFields old = ForceFullSize(pInfo);
        view->OnPrepareDC(pDC, pInfo);
        ComputeDrawRect(pDC, pInfo->m_rectDraw);
        CountParameterPages(pDC, pInfo);
        RestoreZoom(pInfo, old);
    }
    PrepareFirstWindow(pDC, pInfo, view);
    if (m_bPrintFlowCharts != 0) CountFlowChartPages(pInfo);
    if (m_bPrintMonitoring != 0) CountMonitorPages(pInfo);
    pInfo->SetMaxPage(SaturatedSum(SaturatedSum(m_nFlowChartPages, m_nMonitorPages), m_nParameterPages));
}

// ---------------------------------------------------------------------------
// The run

void CHOXPrintJob::OnFilePrint(CHOXFlowView* view, UINT command)
{
    // One run at a time: the loop lets events through while it prints.
    if (view == nullptr || m_pDoc == nullptr || Program().printing.running != 0) return;
    RunScope run;
    CHOXPrintInfo info;
    if (command == ID_FILE_PRINT_DIRECT) {
        const CHOXApp* app = CHOXApp::Get();
        const QString printer = app != nullptr ? app->GetCommandLinePrinter() : QString();
        if (!printer.isEmpty()) {
            std::unique_ptr<PrintTarget> target = GetPrintService()->PrinterTarget(printer);
            if (!target) {
                AfxMessageBox(IDS_PRINT_FAILED, MB_OK | MB_ICONEXCLAMATION, printer);
                run.End(ProgramState::kPrintFailed);
                return;
            }
            info.m_pPD->SetTarget(std::move(target));
        }
        info.m_bDirect = true;
    }
    if (!DoPreparePrinting(&info)) return;

    PrintTarget* target = info.m_pPD->GetTarget();
    if (target->IsFile() && target->Name().isEmpty()) {
        const QString path = AskPrintFile();
        if (path.isEmpty()) {
            run.End(ProgramState::kPrintCancelled);
            return;
        }
        target->SetOutputPath(path);
    }
    target->SetCopies(info.m_pPD->m_nCopies);
    const QString title = LoadStr(IDS_PRINT_TITLE).left(kTitleLength);

    MainWindowOff off;
    CHOXPrintingDlg status;
    Program().printing.userAbort = 0;
    if (status.Create()) {
        status.SetDlgItemText(CHOXPrintingDlg::kDocumentName, title);
        status.UpdateWindow();
    }
    auto finish = [&] {
        EnableMainWindow(true);
        status.DestroyWindow();
    };

    // Counted first on a device of the page's size: a run without pages
    // starts nothing on the target, which would leave an empty document.
    {
        PageMetricsDevice device(target->Metrics());
        QPainter painter(&device);
        CDC dc(painter, true);
        CountPages(&dc, &info, view);
    }
    if (info.GetMaxPage() == 0 || info.GetFromPage() > info.GetMaxPage()) {
        finish();
        return;
    }

    if (target->StartDoc(title) <= 0) {
        finish();
        AfxMessageBox(IDS_PRINT_FAILED, MB_OK | MB_ICONEXCLAMATION, target->ErrorString());
        run.End(ProgramState::kPrintFailed);
        return;
    }
    bool error = false;
    bool deviceFailed = false;
    {
        CDC dc(*target->Painter(), true);
        const QFont oldFont = dc.SelectFont(MakePrintFont());
        PrepareFirstWindow(&dc, &info, view);
        error = !PrintPages(&dc, &info, view, status, *target, deviceFailed);
        dc.SelectFont(oldFont);
    }
    if (!error && target->EndDoc() <= 0) deviceFailed = true;
    if (error) target->AbortDoc();
    view->m_nMonitorPrinting = 0;
    finish();
    if (deviceFailed) {
        AfxMessageBox(IDS_PRINT_FAILED, MB_OK | MB_ICONEXCLAMATION, target->ErrorString());
        run.End(ProgramState::kPrintFailed);
        return;
    }
    run.End(error ? ProgramState::kPrintCancelled : ProgramState::kPrinted);
}

bool CHOXPrintJob::PrintPages(CDC* pDC, CHOXPrintInfo* pInfo, CHOXFlowView* view, CHOXPrintingDlg& status,
                              PrintTarget& target, bool& deviceFailed)
{
    const UINT flowPages = m_nFlowChartPages;
    const UINT firstMonitorPage = m_nMonitorPages != 0 ? flowPages + 1 : 0;
    const UINT firstParameterPage = flowPages + m_nMonitorPages + 1;
    const UINT from = std::clamp(pInfo->GetFromPage(), pInfo->GetMinPage(), pInfo->GetMaxPage());
    const UINT to = std::clamp(pInfo->GetToPage(), pInfo->GetMinPage(), pInfo->GetMaxPage());
    const int step = to >= from ? 1 : -1;
    const UINT end = to == kMaxPages ? kMaxPages : to + step;
    const QString pageFormat = LoadStr(IDS_PAGE_NUMBER);
    CHOXPrintDlg* options = pInfo->Dialog();

    for (pInfo->m_nCurPage = from; pInfo->m_nCurPage != end; pInfo->m_nCurPage += step) {
        const UINT page = pInfo->m_nCurPage;
        if (page >= firstParameterPage) ForceFullSize(pInfo);
        if (options->m_nPrintZoom == 0 && m_nMonitorPages != 0)
            view->m_nMonitorPrinting = page >= firstMonitorPage && page < firstParameterPage ? 1 : 0;
        if (m_bAutoScale == 0) view->OnPrepareDC(pDC, pInfo);
        if (!pInfo->m_bContinuePrinting) break;
        status.SetDlgItemText(CHOXPrintingDlg::kPageNumber, FormatPlaceholders(pageFormat, {QString::number(page)}));
        status.UpdateWindow();
        pInfo->m_rectDraw = PageLessStoredMargins(pDC);
        if (m_bAutoScale == 0) pDC->SelectClipRect(pInfo->m_rectDraw);
        if (target.StartPage() < 0) {
            deviceFailed = true;
            return false;
        }
        if (m_bAutoScale == 0) view->OnPrepareDC(pDC, pInfo);
        PrintPage(pDC, pInfo, view);
        if (target.EndPage() < 0) {
            deviceFailed = true;
            return false;
        }
        if (!AbortProc()) return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// One page

void CHOXPrintJob::PrintPage(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view)
{
    if (m_bStarted == 0) {
        m_nWindowIndex = 0;
        m_bStarted = 1;
    }
    const QFont oldFont = pDC->SelectFont(MakePrintFont());
    if (m_bAutoScale == 0) pDC->SelectClipRect(pInfo->m_rectDraw);
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        m_nFlowChartPages = 0;
        m_nMonitorPages = 0;
        m_nParameterPages = 0;
        view->OnPrepareDC(pDC, pInfo);
        ComputeDrawRect(pDC, pInfo->m_rectDraw);
        pDC->SelectClipRect(pInfo->m_rectDraw);
        if (m_bPrintFlowCharts != 0) CountFlowChartPages(pInfo);
        if (m_bPrintMonitoring != 0) CountMonitorPages(pInfo);
        if (m_bPrintParamInfo != 0) CountParameterPages(pDC, pInfo);
        pInfo->SetMaxPage(SaturatedSum(SaturatedSum(m_nFlowChartPages, m_nMonitorPages), m_nParameterPages));
    }
    const UINT page = pInfo->m_nCurPage;
    if (m_bPrintFlowCharts != 0) {
        if (m_bOptionsTaken == 0) CountFlowChartPages(pInfo);
        if (page <= m_nFlowChartPages) PrintFlowChartPart(pDC, pInfo, view);
    }
    if (m_bPrintMonitoring != 0 && page > m_nFlowChartPages && page <= m_nFlowChartPages + m_nMonitorPages)
        PrintMonitoringPart(pDC, pInfo, view);
    if (m_bPrintParamInfo != 0 && page > m_nFlowChartPages + m_nMonitorPages) PrintParameterPart(pDC, pInfo, view);
    pDC->SelectFont(oldFont);
}

void CHOXPrintJob::PrintPreviewPage(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view)
{
    if (view == nullptr) return;
    m_previewTable.assign(1, PreviewEntry{nullptr, QString(), kSentinelPage});
    PrepareFirstWindow(pDC, pInfo, view);
    CountFlowChartPages(pInfo);
    // From the windows the count went over, so that every page it counted
    // has its entry and no entry stands for a page it did not count.
    for (std::size_t i = 0; i < m_printedWindows.size(); ++i) {
        CHOXFlowWnd* wnd = m_printedWindows[i];
        for (UINT n = 1; n <= m_windowPages[i] && m_previewTable.size() <= m_nFlowChartPages; ++n)
            m_previewTable.push_back(PreviewEntry{wnd, wnd->GetName(), n});
    }
    const UINT page = pInfo->m_nCurPage;
    const bool flowPage = page >= 1 && page <= m_nFlowChartPages && page < m_previewTable.size();
    m_pPreviewWnd = flowPage ? m_previewTable[page].wnd : (m_previewTable.size() > 1 ? m_previewTable[1].wnd : nullptr);
    // The pages of the windows before the page's: its number counts from the
    // first page of its window.
    if (flowPage) m_nPreviewPagesBeforeWnd = page - m_previewTable[page].page;
    PrintPage(pDC, pInfo, view);
}

QString CHOXPrintJob::WindowName(const CHOXWnd* wnd) const
{
    const auto* flow = dynamic_cast<const CHOXFlowWnd*>(wnd);
    return flow != nullptr ? flow->GetName() : QString();
}

void CHOXPrintJob::PrintFlowChartPart(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view)
{
    const UINT page = pInfo->m_nCurPage;
    CHOXWnd* wnd = nullptr;
    UINT before = 0;
    UINT pages = 0;
    if (pInfo->m_bPreview) {
        wnd = m_pPreviewWnd;
        before = m_nPreviewPagesBeforeWnd;
        pages = GetWindowPageCount(pInfo, wnd);
    } else {
        // On from the window of the last page; a window without pages (an
        // empty sheet) is passed over like one whose pages are done.
        const auto count = static_cast<std::int32_t>(m_printedWindows.size());
        while (m_nWindowIndex < count && page - m_nPagesBeforeWnd > m_windowPages[std::size_t(m_nWindowIndex)]) {
            m_nPagesBeforeWnd += m_windowPages[std::size_t(m_nWindowIndex)];
            ++m_nWindowIndex;
        }
        if (m_nWindowIndex >= count) return;
        wnd = m_printedWindows[std::size_t(m_nWindowIndex)];
        before = m_nPagesBeforeWnd;
        pages = m_windowPages[std::size_t(m_nWindowIndex)];
    }
    if (wnd == nullptr) return;
    if (m_bAutoScale != 0) {
        view->SetPrinting(wnd);
        view->OnPrepareDC(pDC, pInfo);
        ComputeDrawRect(pDC, pInfo->m_rectDraw);
    }
    DrawFlowChartPage(pDC, pInfo, wnd);
    DrawFooter(pDC, pInfo, view,
               WindowName(wnd) +
                   QString::asprintf("   page %d of %d", static_cast<int>(page - before), static_cast<int>(pages)));
}

void CHOXPrintJob::PrintMonitoringPart(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view)
{
    if (m_bAutoScale != 0) {
        view->m_nMonitorPrinting = 1;
        view->OnPrepareDC(pDC, pInfo);
        ComputeDrawRect(pDC, pInfo->m_rectDraw);
        pDC->SelectClipRect(pInfo->m_rectDraw, RGN_OR);
    }
    DrawMonitorPage(pDC, pInfo);
    DrawFooter(pDC, pInfo, view,
               LoadStr(IDS_MONITORING_PAGES) +
                   QString::asprintf("  page %d of %d", static_cast<int>(pInfo->m_nCurPage - m_nFlowChartPages),
                                     static_cast<int>(m_nMonitorPages)));
    if (m_bAutoScale != 0) {
        view->m_nMonitorPrinting = 0;
        view->OnPrepareDC(pDC, pInfo);
        pInfo->m_rectDraw = PageLessStoredMargins(pDC);
    }
}

void CHOXPrintJob::PrintParameterPart(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view)
{
    if (m_bAutoScale != 0) {
        view->OnPrepareDC(pDC, pInfo);
        // Margins of their own; the job's stay for the other pages.
        pInfo->m_rectDraw = ComputePrintMargins(pDC).Printable();
    }
    PrintParameterInfo(pDC, pInfo);
}

void CHOXPrintJob::DrawFooter(CDC* pDC, CPrintInfo* pInfo, CHOXFlowView* view, const QString& text)
{
    if (m_bAutoScale == 0) {
        const CRect& draw = pInfo->m_rectDraw;
        const CRect page(draw.left - m_nMarginLeft, draw.top - m_nMarginTop, draw.right + m_nMarginRight,
                         draw.bottom + m_nMarginBottom);
        pDC->SelectClipRect(page, RGN_OR);
        pDC->TextOut(page.left + 45, page.bottom - 35, text);
        pDC->SelectClipRect(draw);
        return;
    }
    // The footer keeps its size whatever scale the window had.
    const ZoomFields old = ForceFullSize(pInfo);
    view->OnPrepareDC(pDC, pInfo);
    const CRect page = ComputePrintMargins(pDC).page;
    pDC->TextOut(page.left + 45, page.bottom - 30, text);
    RestoreZoom(pInfo, old);
    view->OnPrepareDC(pDC, pInfo);
    pInfo->m_rectDraw = ComputePrintMargins(pDC).page;
}
