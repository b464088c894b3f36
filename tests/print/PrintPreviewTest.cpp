// File Print Preview of the running program with a scripted preview window:
// each page's window, tile and footer, the preview's own defaults, its
// commands, what it hides and puts back, and its end when the document or
// the program closes.
#include "app/AppDocsFixture.h"
#include "app/MainFrame.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXFlowView.h"
#include "chart/RecordingPainter.h"
#include "platform/Help.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "print/HOXPrintDlg.h"
#include "print/HOXPrintJob.h"
#include "res/CommandIds.h"
#include "support/ScriptedPreview.h"
#include "support/ScriptedPrint.h"

#include <QRegularExpression>
#include <QTest>

using namespace kt::test;

namespace {

class PrintPreviewTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        // On the test page a chart is 518 units wide: Flow Chart1 has two
        // pages, Flow Chart2 three, Flow Chart3 one.
        Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
        Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart3"), QString(), 0);
        Sheet(QStringLiteral("Flow Chart1"))->m_position = CRect(0, 0, 1000, 300);
        Sheet(QStringLiteral("Flow Chart2"))->m_position = CRect(0, 0, 1500, 300);
        Doc()->SetModifiedFlag(false);
        ForgetOptions();
        printing.AddPrinter(QStringLiteral("Office"));
    }
    void TearDown() override
    {
        CPrintPreview::EndActive();
        AppDocsFixture::TearDown();
    }

    CHOXBaseRect* Sheet(const QString& name) { return Doc()->FindWindowByName(name)->GetBaseRect(); }
    CPrintPreview* Preview() { return preview.Preview(); }
    bool StartPreview()
    {
        GetCommandRouter()->Execute(ID_FILE_PRINT_PREVIEW);
        return Preview() != nullptr;
    }
    QString FooterOf(UINT page)
    {
        static const QRegularExpression footer(QStringLiteral(" page \\d+ of \\d+$"));
        for (const QString& text : preview.PageTexts(page))
            if (footer.match(text).hasMatch()) return text;
        return {};
    }
    // The sheet frame of a chart page: the second rectangle drawn, after the
    // white fill; in page pixels, which are logical units on the test page.
    QRect FrameOf(UINT page)
    {
        const auto device = preview.DrawPage(page);
        const auto& rects = device->Record().rects;
        return rects.size() > 1 ? rects[1].rect.adjusted(-0.5, -0.5, 0.5, 0.5).toRect() : QRect();
    }

    ScriptedPrinting printing;
    ScriptedDialogs dialogs;
    ScriptedPreview preview;
};

const QStringList kFlowFooters = {
    QStringLiteral("Flow Chart1   page 1 of 2"), QStringLiteral("Flow Chart1   page 2 of 2"),
    QStringLiteral("Flow Chart2   page 1 of 3"), QStringLiteral("Flow Chart2   page 2 of 3"),
    QStringLiteral("Flow Chart2   page 3 of 3"), QStringLiteral("Flow Chart3   page 1 of 1"),
};

TEST_F(PrintPreviewTest, EachPageShowsItsWindowsTileAndFooter)
{
    ASSERT_TRUE(StartPreview());
    EXPECT_EQ(preview.opened, 1);
    EXPECT_EQ(preview.mainFrame, Main());
    // Six chart pages, the monitoring page, three group-order and five
    // number-order parameter pages.
    EXPECT_EQ(Preview()->PageCount(), 15u);
    for (UINT page = 1; page <= 6; ++page) EXPECT_EQ(FooterOf(page), kFlowFooters[int(page - 1)]) << page;
    EXPECT_EQ(FooterOf(7), QStringLiteral("Monitoring pages  page 1 of 1"));
    EXPECT_EQ(FooterOf(8), QStringLiteral("Parameter Information  page 1 of 8"));
    EXPECT_EQ(FooterOf(15), QStringLiteral("Parameter Information  page 8 of 8"));

    // The tile: Flow Chart2's one row is cut where its sheet ends, and its
    // last column too.
    EXPECT_EQ(FrameOf(3), QRect(QPoint(41, 27), QPoint(558, 27 + 300 - 1)));
    EXPECT_EQ(FrameOf(5).right() + 1, 41 + 1500 - 2 * 518);
    EXPECT_EQ(FrameOf(6), QRect(QPoint(41, 27), QPoint(41 + 500 - 1, 27 + 300 - 1)));
    // Pages in any order: each has a job of its own.
    EXPECT_EQ(FooterOf(4), kFlowFooters[3]);
    EXPECT_EQ(FooterOf(1), kFlowFooters[0]);
}

// The page table of a preview page: a sentinel, then an entry per page of
// each window the count went over; a window without pages has none.
TEST_F(PrintPreviewTest, ThePageTableHasAnEntryForEveryCountedPage)
{
    Sheet(QStringLiteral("Flow Chart3"))->m_position = CRect(0, 0, 0, 0);
    auto* view = dynamic_cast<CHOXFlowView*>(Doc()->FindWindowByName(QStringLiteral("Flow Chart1"))->GetView());
    ASSERT_NE(view, nullptr);
    RecordingPaintDevice device(TestPage());
    QPainter painter(&device);
    CDC dc(painter, true);
    CPrintInfo info;
    info.m_bPreview = true;
    const struct {
        UINT page;
        const char* window;
        UINT before;
    } cases[] = {{1, "Flow Chart1", 0},
                 {2, "Flow Chart1", 0},
                 {4, "Flow Chart2", 2},
                 {5, "Flow Chart2", 2},
                 // Beyond the charts: the first window of the list.
                 {6, "Flow Chart1", 0},
                 {14, "Flow Chart1", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        CHOXPrintJob job(Doc());
        info.m_nCurPage = c.page;
        job.PrintPreviewPage(&dc, &info, view);
        const auto& table = job.PreviewTable();
        ASSERT_EQ(table.size(), 6u);
        EXPECT_EQ(table[0].wnd, nullptr);
        EXPECT_EQ(table[0].page, CHOXPrintJob::kSentinelPage);
        EXPECT_EQ(table[5].name, QStringLiteral("Flow Chart2"));
        EXPECT_EQ(table[5].page, 3u);
        EXPECT_EQ(job.m_pPreviewWnd, Doc()->FindWindowByName(QString::fromLatin1(c.window)));
        EXPECT_EQ(job.m_nPreviewPagesBeforeWnd, c.before);
        // Flow Chart3 has no page: the monitoring page follows Flow Chart2.
        EXPECT_EQ(job.m_nFlowChartPages, 5u);
    }
}

// The preview prints the job's defaults on the page of the default printer,
// asking nothing: every chart, hidden or not, at 100 %, the monitoring
// window and both orders of parameters, whatever the options say.
TEST_F(PrintPreviewTest, ThePreviewKeepsTheJobsDefaultsWhateverTheOptions)
{
    {
        auto settings = OpenSettings();
        for (const char* name : {"PrintMonitoring", "PrintParamInfo", "PrintZoom", "PrintParamInfoGrpOrder"})
            settings->setValue(QStringLiteral("APP/") + QLatin1String(name), QStringLiteral("0"));
        settings->setValue(QStringLiteral("APP/PrintFlowChartsOpenWnds"), QStringLiteral("1"));
    }
    ChartFrame(QStringLiteral("Flow Chart3"))->ShowWindow(SW_HIDE);
    ASSERT_TRUE(StartPreview());
    EXPECT_EQ(printing.dialogsShown, 0);
    EXPECT_EQ(Preview()->Page().widthPx, TestPage().widthPx);
    EXPECT_EQ(Preview()->PageCount(), 15u);
    EXPECT_EQ(FooterOf(6), kFlowFooters[5]);
    EXPECT_EQ(FooterOf(7), QStringLiteral("Monitoring pages  page 1 of 1"));
    const QStringList group = preview.PageTexts(8);
    const QStringList number = preview.PageTexts(11);
    ASSERT_FALSE(group.isEmpty());
    ASSERT_FALSE(number.isEmpty());
    EXPECT_EQ(group.front(), QStringLiteral("Parameter Information in Group Order"));
    EXPECT_EQ(number.front(), QStringLiteral("Parameter Information in Number Order"));
    CPrintPreview::EndActive();

    // Without a printer the page is the PDF's.
    printing.noDefault = true;
    ASSERT_TRUE(StartPreview());
    EXPECT_EQ(Preview()->Page().widthPx, MetricsOf(DefaultPageLayout(), 600).widthPx);
}

TEST_F(PrintPreviewTest, ThePagesAreTurnedShownInTwosAndZoomed)
{
    ASSERT_TRUE(StartPreview());
    CPrintPreview& p = *Preview();
    EXPECT_EQ(p.Description(), QStringLiteral("Page 1 of 15"));
    EXPECT_FALSE(p.CanPrevPage());
    EXPECT_TRUE(p.CanNextPage());
    const int updates = preview.updates;
    p.NextPage();
    EXPECT_EQ(p.CurrentPage(), 2u);
    EXPECT_GT(preview.updates, updates);
    p.TogglePages();
    EXPECT_EQ(p.PagesShown(), 2);
    EXPECT_EQ(p.Description(), QStringLiteral("Pages 2-3 of 15"));
    p.GoToPage(14);
    EXPECT_EQ(p.LastPageShown(), 15u);
    EXPECT_FALSE(p.CanNextPage());
    p.GoToPage(15);
    EXPECT_EQ(p.Description(), QStringLiteral("Page 15 of 15"));
    p.PrevPage();
    EXPECT_EQ(p.CurrentPage(), 14u);

    // Each zoom step larger, the first fitting the window.
    EXPECT_FALSE(p.CanZoomOut());
    const double fit = p.Scale(800, 600, 96);
    EXPECT_LE(TestPage().heightPx * fit, 600);
    p.ZoomIn();
    const double middle = p.Scale(800, 600, 96);
    p.ZoomIn();
    EXPECT_FALSE(p.CanZoomIn());
    EXPECT_LT(fit, middle);
    EXPECT_LT(middle, p.Scale(800, 600, 96));
    p.ZoomOut();
    EXPECT_EQ(p.ZoomLevel(), 1);
    // A page drawn is the page's shape at the scale.
    const QImage image = p.RenderPage(1, 0.5);
    EXPECT_EQ(image.size(), QSize(300, 420));
}

TEST_F(PrintPreviewTest, FramesTitlesMenusAndBarsComeBackAsTheyWere)
{
    CMDIChildWnd* one = ChartFrame(QStringLiteral("Flow Chart1"));
    CMDIChildWnd* two = ChartFrame(QStringLiteral("Flow Chart2"));
    CMDIChildWnd* three = ChartFrame(QStringLiteral("Flow Chart3"));
    three->ShowWindow(SW_HIDE);
    two->ShowWindow(SW_SHOWMINIMIZED);
    Main()->Host()->ShowToolBar(IDR_CONTROLLER_BAR, false);
    Main()->MDIActivate(one);
    one->ShowWindow(SW_SHOWMAXIMIZED);
    const QString mainTitle = MainTitle();
    const QString docTitle = Doc()->GetTitle();
    const bool drawingBar = Window()->IsToolBarVisible(IDR_DRAWING_BAR);
    const int paletteGroup = Main()->GetVisiblePaletteGroup();
    ASSERT_GE(paletteGroup, 0);
    // A record without a frame is left alone.
    auto blank = Doc()->NewFlowWindow(QStringLiteral("Blank"), QString());
    blank->SetShowState(1);
    CHOXFlowWnd* frameless = blank.get();
    Doc()->AddWindow(QStringLiteral("Blank"), std::move(blank), true);
    Doc()->SetModifiedFlag(false);

    ASSERT_TRUE(StartPreview());
    EXPECT_EQ(&Preview()->View(), Doc()->FindWindowByName(QStringLiteral("Flow Chart1"))->GetView());
    EXPECT_EQ(VisibleTitles(), QStringList{QStringLiteral(" Print Preview")});
    EXPECT_TRUE(one->IsZoomed());
    EXPECT_EQ(Doc()->GetTitle(), QStringLiteral(" Print Preview"));
    EXPECT_TRUE(Window()->IsMenuItemEnabled(1));
    for (int item = 2; item <= 6; ++item) EXPECT_FALSE(Window()->IsMenuItemEnabled(item)) << item;
    EXPECT_TRUE(Window()->IsMenuItemEnabled(7));
    for (UINT bar : {IDR_MAINFRAME, IDR_CONTROLLER_BAR, IDR_DRAWING_BAR}) EXPECT_FALSE(Window()->IsToolBarVisible(bar));
    EXPECT_EQ(Main()->GetVisiblePaletteGroup(), -1);

    GetCommandRouter()->Execute(ID_CANCEL_EDIT);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_FALSE(preview.IsOpen());
    EXPECT_TRUE(one->IsWindowVisible() && one->IsZoomed());
    EXPECT_TRUE(two->IsWindowVisible() && two->IsIconic());
    EXPECT_FALSE(three->IsWindowVisible());
    EXPECT_TRUE(MonitorFrame()->IsWindowVisible());
    EXPECT_EQ(Main()->MDIGetActive(), one);
    EXPECT_EQ(one->GetWindowText(), QStringLiteral("Flow Chart1"));
    EXPECT_EQ(Doc()->GetTitle(), docTitle);
    // (The desktop adds the maximized frame's title to it.)
    EXPECT_TRUE(MainTitle().startsWith(mainTitle)) << MainTitle().toStdString();
    for (int item = 1; item <= 6; ++item) EXPECT_TRUE(Window()->IsMenuItemEnabled(item)) << item;
    EXPECT_TRUE(Window()->IsToolBarVisible(IDR_MAINFRAME));
    EXPECT_FALSE(Window()->IsToolBarVisible(IDR_CONTROLLER_BAR));
    EXPECT_EQ(Window()->IsToolBarVisible(IDR_DRAWING_BAR), drawingBar);
    EXPECT_EQ(Main()->GetVisiblePaletteGroup(), paletteGroup);
    EXPECT_EQ(frameless->GetShowState(), 1);
    EXPECT_FALSE(Doc()->IsModified());
    std::unique_ptr<CHOXFlowWnd> gone = Doc()->RemoveWindow(QStringLiteral("Blank"));
}

// While the pages are shown the view takes only the preview's commands:
// editing waits, the preview's Print prints, Help shows its page.
TEST_F(PrintPreviewTest, TheViewTakesOnlyThePreviewsCommands)
{
    ASSERT_TRUE(StartPreview());
    for (UINT id : {ID_EDIT_UNDO, ID_EDIT_SELECT_ALL, ID_FILE_PRINT_PREVIEW, ID_WIRE_TOOL})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_FILE_SAVE));
    {
        RecordingHelp help;
        GetCommandRouter()->Execute(ID_HELP);
        ASSERT_EQ(help.pages.size(), 1u);
        EXPECT_EQ(help.pages[0], HelpPageFor(HID_BASE_RESOURCE + IDR_PREVIEW_BAR));
        EXPECT_FALSE(help.pages[0].isEmpty());
    }
    // Print ends the preview, then File Print runs with its dialog.
    PrintAnswer answer;
    answer.printer = QStringLiteral("Office");
    answer.options = [](DialogDriver& d) {
        d.Click(CHOXPrintDlg::kMonitoring);
        d.Click(CHOXPrintDlg::kParamInfo);
    };
    printing.Expect(answer);
    GetCommandRouter()->Execute(ID_FILE_PRINT);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(printing.Printer(QStringLiteral("Office")).PageCount(), 6);
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
}

TEST_F(PrintPreviewTest, TheMonitorViewPreviewsThroughTheFirstFlowView)
{
    m_app->ActivateMonitorFrame();
    CMDIChildWnd* monitor = Main()->MDIGetActive();
    ASSERT_TRUE(StartPreview());
    EXPECT_EQ(Preview()->View().GetDocument(), Doc());
    EXPECT_EQ(dynamic_cast<CHOXView&>(Preview()->View()).GetViewType(), objtype::kFlowView);
    EXPECT_EQ(FooterOf(1), kFlowFooters[0]);
    Preview()->Close();
    EXPECT_EQ(Main()->MDIGetActive(), monitor);
    EXPECT_TRUE(MonitorFrame()->IsWindowVisible());

    // Not while monitoring.
    Doc()->SetEditMode(false);
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_PREVIEW));
    Doc()->SetEditMode(true);
}

TEST_F(PrintPreviewTest, ClosingTheDocumentOrTheProgramEndsThePreview)
{
    ASSERT_TRUE(StartPreview());
    GetCommandRouter()->Execute(ID_DOCUMENT_CLOSE);
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_FALSE(preview.IsOpen());
    for (int item = 1; item <= 6; ++item) EXPECT_TRUE(Window()->IsMenuItemEnabled(item)) << item;

    ASSERT_NE(NewDocument(), nullptr);
    ASSERT_TRUE(StartPreview());
    Window()->close();
    QTest::qWait(20);
    EXPECT_EQ(Doc(), nullptr);
    EXPECT_EQ(Preview(), nullptr);
}

TEST_F(PrintPreviewTest, AWindowThatCannotOpenEndsThePreviewAtOnce)
{
    preview.refuse = true;
    EXPECT_FALSE(StartPreview());
    EXPECT_EQ(preview.opened, 1);
    EXPECT_EQ(VisibleTitles().size(), 4);
    EXPECT_TRUE(Window()->IsMenuItemEnabled(3));
    EXPECT_EQ(Doc()->GetTitle(), QString());
}

} // namespace
