// The print mapping of the flow view and the job's page arithmetic, on a
// recording page of a printer's size: margins, fixed and fitted extents,
// empty and huge sheets, the page counts of each kind.
#include "chart/FlowViewFixture.h"
#include "chart/HOXBaseRect.h"
#include "chart/PrintHooks.h"
#include "chart/RecordingPainter.h"
#include "online/monitor/HOXMonWnd.h"
#include "print/HOXPrintDlg.h"
#include "print/HOXPrintInfo.h"
#include "print/HOXPrintJob.h"
#include "support/ScriptedPrint.h"

#include <climits>

using namespace kt::test;

namespace {

// A4 as a PDF prints it: 210 by 297 mm at 600 dpi.
PageMetrics A4At600() { return PageMetrics{4958, 7017, 210, 297, 600, 600}; }
// The test page turned: 840 by 600 pixels, 280 by 200 mm.
PageMetrics Landscape() { return PageMetrics{840, 600, 280, 200, 75, 75}; }

class PrintMappingTest : public FlowViewFixture {
protected:
    // A printer's device context on a page, prepared by the view for the
    // print information.
    struct Printer {
        explicit Printer(const PageMetrics& page) : device(page), painter(&device), dc(painter, true) {}
        RecordingPaintDevice device;
        QPainter painter;
        CDC dc;
    };

    // The window extent the mapping has: the logical units in as many device
    // pixels as the viewport extent.
    static int Extent(CDC& dc)
    {
        const int viewport = 220 * dc.GetDeviceCaps(LOGPIXELSX) / 300;
        return dc.DPtoLP(CPoint(viewport, 0)).x;
    }
    void SetSheet(CHOXWnd* record, CRect sheet) { record->GetBaseRect()->m_position = sheet; }
    CHOXWnd* Monitor() { return doc.GetMonitorRecord(); }

    CHOXPrintInfo info;
    CHOXPrintDlg& Options() { return *info.Dialog(); }
};

TEST_F(PrintMappingTest, MarginsAreMillimetresOfTheHorizontalScale)
{
    const struct {
        PageMetrics page;
        CRect logical;
        int left, top;
    } cases[] = {
        {TestPage(), CRect(0, 0, 600, 840), 41, 27},
        {A4At600(), CRect(0, 0, 620, 877), 40, 27},
        {Landscape(), CRect(0, 0, 840, 600), 41, 27},
    };
    for (const auto& c : cases) {
        Printer printer(c.page);
        view.OnPrepareDC(&printer.dc, &info);
        EXPECT_EQ(Extent(printer.dc), 55);
        const PrintMargins m = ComputePrintMargins(&printer.dc);
        EXPECT_EQ(m.page, c.logical);
        EXPECT_EQ(m.left, c.left);
        EXPECT_EQ(m.right, c.left);
        EXPECT_EQ(m.top, c.top);
        EXPECT_EQ(m.bottom, c.top);
        CRect r;
        CHOXFlowView::GetPrintableRect(&printer.dc, r);
        EXPECT_EQ(r, m.Printable());
        CHOXPrintJob job(&doc);
        CRect draw;
        job.ComputeDrawRect(&printer.dc, draw);
        EXPECT_EQ(draw, m.Printable());
        EXPECT_EQ(job.m_nMarginLeft, c.left);
        EXPECT_EQ(job.m_nMarginBottom, c.top);
    }
}

TEST_F(PrintMappingTest, AFixedScaleSetsTheExtentAndOtherSizesCountAs100)
{
    const struct {
        int size;
        int extent;
    } cases[] = {{100, 55}, {50, 110}, {75, 74}, {150, 37}, {33, 55}, {0, 55}, {1000, 55}};
    for (const auto& c : cases) {
        Options().m_nPrintZoom = 1;
        Options().m_nPrintZoomSize = c.size;
        Printer printer(TestPage());
        view.OnPrepareDC(&printer.dc, &info);
        EXPECT_EQ(Extent(printer.dc), c.extent) << c.size;
    }
    // A preview and a direct print keep the plain scale.
    Options().m_nPrintZoomSize = 50;
    for (bool preview : {true, false}) {
        info.m_bPreview = preview;
        info.m_bDirect = !preview;
        Printer printer(TestPage());
        view.OnPrepareDC(&printer.dc, &info);
        EXPECT_EQ(Extent(printer.dc), 55);
    }
}

// Automatic scale: the extent that fits the sheet, then lowered while the
// space the sheet leaves in the limiting direction exceeds half of it.
TEST_F(PrintMappingTest, AutoScaleFitsTheSheetAndRefinesInTheLimitingDirection)
{
    const struct {
        const char* name;
        PageMetrics page;
        CRect sheet;
        bool monitor;
        int extent;
    } cases[] = {
        {"wide sheet, width limits", TestPage(), CRect(0, 0, 500, 300), false, 51},
        {"wider sheet", TestPage(), CRect(0, 0, 1200, 300), false, 124},
        {"tall sheet, height limits", TestPage(), CRect(0, 0, 500, 1000), false, 70},
        {"taller sheet", TestPage(), CRect(0, 0, 300, 2000), false, 140},
        {"monitor window counts from the left margin", TestPage(), CRect(0, 0, 500, 300), true, 55},
        {"larger monitor window", TestPage(), CRect(0, 0, 800, 400), true, 88},
        {"landscape page, width limits", Landscape(), CRect(0, 0, 500, 300), false, 35},
        {"landscape page, height limits", Landscape(), CRect(0, 0, 500, 1000), false, 102},
    };
    Options().m_nPrintZoom = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetSheet(c.monitor ? Monitor() : wnd, c.sheet);
        view.SetPrinting(wnd);
        view.m_nMonitorPrinting = c.monitor ? 1 : 0;
        Printer printer(c.page);
        view.OnPrepareDC(&printer.dc, &info);
        EXPECT_EQ(Extent(printer.dc), c.extent);
        // The sheet lies on the printable part of the page.
        CRect r;
        CHOXFlowView::GetPrintableRect(&printer.dc, r);
        EXPECT_LE(c.sheet.right, r.right - (c.monitor ? r.left : 0));
        EXPECT_LE(c.sheet.bottom, r.bottom);
    }
}

TEST_F(PrintMappingTest, EmptyAndHugeSheetsKeepAUsableExtent)
{
    Options().m_nPrintZoom = 0;
    view.SetPrinting(wnd);
    for (const CRect& sheet : {CRect(0, 0, 0, 0), CRect(0, 0, INT_MAX, INT_MAX), CRect(0, 0, INT_MAX, 10)}) {
        SetSheet(wnd, sheet);
        Printer printer(TestPage());
        view.OnPrepareDC(&printer.dc, &info);
        EXPECT_GE(Extent(printer.dc), 1);
        CRect r;
        CHOXFlowView::GetPrintableRect(&printer.dc, r);
        EXPECT_GT(r.right, r.left);
        EXPECT_GT(r.bottom, r.top);
    }
    // A record without a sheet leaves the plain scale.
    view.SetPrinting(nullptr);
    Printer printer(TestPage());
    view.OnPrepareDC(&printer.dc, &info);
    EXPECT_EQ(Extent(printer.dc), 55);
}

TEST_F(PrintMappingTest, PagesOfAWindowAreTheTilesOverItsSheet)
{
    CHOXPrintJob job(&doc);
    // The drawing rectangle of the test page at 100 %: 518 by 786.
    info.m_rectDraw = CRect(41, 27, 559, 813);
    const struct {
        CRect sheet;
        UINT pages;
    } cases[] = {
        {CRect(0, 0, 500, 300), 1}, {CRect(0, 0, 518, 786), 1},
        {CRect(0, 0, 519, 786), 2}, {CRect(0, 0, 1100, 1600), 9},
        {CRect(0, 0, 0, 300), 0},   {CRect(0, 0, INT_MAX, INT_MAX), CHOXPrintJob::kMaxPages},
    };
    for (const auto& c : cases) {
        SetSheet(wnd, c.sheet);
        EXPECT_EQ(job.GetWindowPageCount(&info, wnd), c.pages) << c.sheet.right << " x " << c.sheet.bottom;
    }
    job.m_bAutoScale = 1;
    EXPECT_EQ(job.GetWindowPageCount(&info, wnd), 1u);
    job.CountMonitorPages(&info);
    EXPECT_EQ(job.m_nMonitorPages, 1u);

    // The monitor window counts by its sheet's size, wherever it starts.
    job.m_bAutoScale = 0;
    SetSheet(Monitor(), CRect(100, 100, 1136, 886));
    job.CountMonitorPages(&info);
    EXPECT_EQ(job.m_nMonitorPages, 2u);
}

TEST_F(PrintMappingTest, ParameterPagesFollowTheRoomForRowsOfTwentyFive)
{
    const struct {
        int height;
        UINT group, number;
    } cases[] = {
        {786, 3, 5},    // the 27th row of a page breaks it
        {2000, 1, 2},   // 75 rows to a page
        {3100, 1, 1},   // all 119 rows fit
        {125, 61, 119}, // no room: every row breaks a page
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        CHOXPrintJob job(&doc);
        info.m_rectDraw = CRect(0, 0, 500, c.height);
        info.m_bPreview = false;
        job.CountParameterPages(nullptr, &info);
        EXPECT_EQ(job.m_nParameterPages, c.group);
        EXPECT_EQ(job.m_nNumberOrderPages, 0u);
        job.m_bGroupOrder = 0;
        job.CountParameterPages(nullptr, &info);
        EXPECT_EQ(job.m_nParameterPages, c.number);
        EXPECT_EQ(job.m_nGroupOrderPages, 0u);
        // Preview shows both orders.
        info.m_bPreview = true;
        job.CountParameterPages(nullptr, &info);
        EXPECT_EQ(job.m_nGroupOrderPages, c.group);
        EXPECT_EQ(job.m_nNumberOrderPages, c.number);
        EXPECT_EQ(job.m_nParameterPages, c.group + c.number);
    }
}

// Automatic scale gives each window a scale of its own: the margins the page
// printers move the sheet by are those of the window's scale, not the first
// window's, or a small sheet after a large one would leave the page.
TEST_F(PrintMappingTest, AutoScaleMarginsAreThoseOfEachWindowsScale)
{
    auto second = doc.NewFlowWindow(QStringLiteral("Flow Chart2"), QString());
    CHOXFlowWnd* small = second.get();
    doc.AddWindow(QStringLiteral("Flow Chart2"), std::move(second));
    SetSheet(wnd, CRect(0, 0, 1200, 300));
    SetSheet(small, CRect(0, 0, 500, 300));
    Options().m_nPrintZoom = 0;
    CHOXPrintJob job(&doc);
    job.m_bAutoScale = 1;
    Printer printer(TestPage());
    for (CHOXWnd* record : {static_cast<CHOXWnd*>(wnd), static_cast<CHOXWnd*>(small)}) {
        view.SetPrinting(record);
        view.OnPrepareDC(&printer.dc, &info);
        job.ComputeDrawRect(&printer.dc, info.m_rectDraw);
        const PrintMargins m = ComputePrintMargins(&printer.dc);
        EXPECT_EQ(job.m_nMarginLeft, m.left);
        EXPECT_EQ(job.m_nMarginTop, m.top);
        EXPECT_LE(job.m_nMarginLeft + record->GetBaseRect()->GetRect().right, m.page.right);
    }
}

} // namespace
