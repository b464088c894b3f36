// Whole print runs of the running program on a recording printer: the order
// of the pages and their footers, the title, the options of the print
// dialog, the status window and its Cancel, the ways a run fails, and the
// main window that takes input again at every end.
#include "app/AppDocsFixture.h"
#include "app/ProgramState.h"
#include "chart/HOXBaseRect.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtPlatform.h"
#include "print/HOXPrintDlg.h"
#include "print/HOXPrintJob.h"
#include "print/HOXPrintingDlg.h"
#include "res/CommandIds.h"
#include "support/QtDialogs.h"
#include "support/RunUntil.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrint.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <QRegularExpression>

#include <cmath>
#include <optional>

using namespace kt::test;

namespace {

using Dlg = CHOXPrintDlg;

class PrintRunTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        // Flow Chart1 of one page, Flow Chart2 of two side by side at 100 %.
        Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart2"), QString(), 0);
        Sheet(QStringLiteral("Flow Chart2"))->m_position = CRect(0, 0, 1000, 300);
        Doc()->SetModifiedFlag(false);
        office = &printing.AddPrinter(QStringLiteral("Office"));
    }

    CHOXBaseRect* Sheet(const QString& name) { return Doc()->FindWindowByName(name)->GetBaseRect(); }

    // File Print answered with the Office printer after the script on the
    // options page, which starts from the first use's options.
    void Print(std::function<void(DialogDriver&)> options = {})
    {
        ForgetOptions();
        PrintAnswer answer;
        answer.printer = QStringLiteral("Office");
        answer.options = std::move(options);
        printing.Expect(std::move(answer));
        EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_PRINT));
    }

    // Closes the program after the first page of a run: the run is
    // aborted first, and the program closes once it has ended.
    void CloseDuringTheRun(const std::function<void()>& close)
    {
        office->afterPage = [&](int page) {
            if (page != 1) return;
            close();
            // Refused while the run goes on.
            EXPECT_NE(Doc(), nullptr);
        };
        Print();
        EXPECT_EQ(office->calls.last(), QStringLiteral("AbortDoc"));
        EXPECT_EQ(office->PageCount(), 1);
        ASSERT_NE(Doc(), nullptr);
        RunUntil([this] { return Doc() == nullptr; });
        EXPECT_EQ(Doc(), nullptr);
    }

    // Where a footer's text starts, in logical units of the extent.
    static QPoint FooterAt(RecordedPrint& record, const RecordingPaintEngine::Text& text, int extent)
    {
        const QFontMetricsF fm(text.font, &record.device);
        const double x = text.baseline.x() * extent / 55;
        const double y = text.baseline.y() * extent / 55 - fm.ascent();
        return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    }
    // The footer of a page among its texts: "... page n of m".
    static std::optional<RecordingPaintEngine::Text> FooterOf(RecordedPrint& record, int page)
    {
        static const QRegularExpression footer(QStringLiteral(" page \\d+ of \\d+$"));
        for (const auto& text : record.TextsOfPage(page))
            if (footer.match(text.text).hasMatch()) return text;
        return std::nullopt;
    }
    QStringList Footers()
    {
        QStringList footers;
        for (int page = 1; page <= office->PageCount(); ++page) {
            const auto text = FooterOf(*office, page);
            footers << (text ? text->text : QString());
        }
        return footers;
    }

    ScriptedPrinting printing;
    ScriptedDialogs dialogs;
    RecordedPrint* office = nullptr;
};

const QStringList kAllPages = {
    QStringLiteral("Flow Chart1   page 1 of 1"),
    QStringLiteral("Flow Chart2   page 1 of 2"),
    QStringLiteral("Flow Chart2   page 2 of 2"),
    QStringLiteral("Monitoring pages  page 1 of 1"),
    // The parameter pages: three in group order.
    QStringLiteral("Parameter Information  page 1 of 3"),
    QStringLiteral("Parameter Information  page 2 of 3"),
    QStringLiteral("Parameter Information  page 3 of 3"),
};

TEST_F(PrintRunTest, PagesComeInOrderWithTheirFootersUnderTheTitle)
{
    Print();
    EXPECT_EQ(office->title, QStringLiteral("VEDID Information"));
    EXPECT_EQ(office->calls.first(), QStringLiteral("StartDoc VEDID Information"));
    EXPECT_EQ(office->calls.last(), QStringLiteral("EndDoc"));
    EXPECT_EQ(office->calls.count(QStringLiteral("StartPage")), 7);
    EXPECT_EQ(Footers(), kAllPages);
    // At 100 %: 45 units in from the page's left edge, 35 up from its
    // bottom, outside the drawing rectangle, which clips each page.
    for (int page = 1; page <= 4; ++page) {
        const auto footer = FooterOf(*office, page);
        ASSERT_TRUE(footer.has_value());
        EXPECT_EQ(FooterAt(*office, *footer, 55), QPoint(45, 840 - 35)) << page;
        EXPECT_EQ(footer->font.family(), CHOXPrintJob::MakePrintFont().family());
        EXPECT_EQ(footer->font.pixelSize(), 9);
        const auto clips = office->ClipsOfPage(page);
        ASSERT_FALSE(clips.empty());
        EXPECT_EQ(clips.back().bounds, QRect(QPoint(41, 27), QPoint(558, 812)));
    }
    EXPECT_EQ(Program().printing.outcome, ProgramState::kPrinted);
    EXPECT_TRUE(Main()->IsWindowEnabled());
    EXPECT_EQ(dialogs.ModelessOpen(), 0u);
}

TEST_F(PrintRunTest, TheOptionsChooseTheKindsWindowsAndScale)
{
    const struct {
        const char* name;
        std::function<void(DialogDriver&)> options;
        QStringList footers;
    } cases[] = {
        {"flow charts alone",
         [](DialogDriver& d) {
             d.Click(Dlg::kMonitoring);
             d.Click(Dlg::kParamInfo);
         },
         {kAllPages[0], kAllPages[1], kAllPages[2]}},
        {"monitoring and number order",
         [](DialogDriver& d) {
             d.Click(Dlg::kFlowCharts);
             d.Click(Dlg::kNumberOrder);
         },
         {QStringLiteral("Monitoring pages  page 1 of 1"), QStringLiteral("Parameter Information  page 1 of 5"),
          QStringLiteral("Parameter Information  page 2 of 5"), QStringLiteral("Parameter Information  page 3 of 5"),
          QStringLiteral("Parameter Information  page 4 of 5"), QStringLiteral("Parameter Information  page 5 of 5")}},
        {"at 50 % every chart fits one page",
         [](DialogDriver& d) {
             d.Click(Dlg::kMonitoring);
             d.Click(Dlg::kParamInfo);
             d.Select(Dlg::kZoomSize, 0);
         },
         {QStringLiteral("Flow Chart1   page 1 of 1"), QStringLiteral("Flow Chart2   page 1 of 1")}},
        {"auto scale gives a page per window",
         [](DialogDriver& d) {
             d.Click(Dlg::kParamInfo);
             d.Click(Dlg::kAutoScale);
         },
         {QStringLiteral("Flow Chart1   page 1 of 1"), QStringLiteral("Flow Chart2   page 1 of 1"),
          QStringLiteral("Monitoring pages  page 1 of 1")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        office->calls.clear();
        office->pages.clear();
        office->Record().texts.clear();
        Print(c.options);
        EXPECT_EQ(Footers(), c.footers);
    }
}

TEST_F(PrintRunTest, FootersStandWhereTheScaleModePutsThem)
{
    // At 50 % a logical unit is two pixels; the footer keeps its logical
    // place at the bottom of the page.
    Print([](DialogDriver& d) {
        d.Click(Dlg::kMonitoring);
        d.Click(Dlg::kParamInfo);
        d.Select(Dlg::kZoomSize, 0);
    });
    ASSERT_EQ(office->PageCount(), 2);
    EXPECT_EQ(FooterAt(*office, *FooterOf(*office, 1), 110), QPoint(45, 1680 - 35));

    // Auto scale draws the footer at 100 %, 30 up from the bottom, whatever
    // scale the chart had.
    office->calls.clear();
    office->pages.clear();
    office->Record().texts.clear();
    Print([](DialogDriver& d) {
        d.Click(Dlg::kParamInfo);
        d.Click(Dlg::kAutoScale);
    });
    ASSERT_EQ(office->PageCount(), 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(FooterAt(*office, *FooterOf(*office, page), 55), QPoint(45, 840 - 30)) << page;
}

TEST_F(PrintRunTest, OnlyOpenedWindowsLeavesHiddenChartsOut)
{
    ChartFrame(QStringLiteral("Flow Chart1"))->ShowWindow(SW_HIDE);
    Print([](DialogDriver& d) {
        d.Click(Dlg::kMonitoring);
        d.Click(Dlg::kParamInfo);
    });
    EXPECT_EQ(Footers(), (QStringList{kAllPages[1], kAllPages[2]}));

    // With every chart hidden nothing is left: no page, no message, nothing
    // started on the printer.
    ChartFrame(QStringLiteral("Flow Chart2"))->ShowWindow(SW_HIDE);
    office->calls.clear();
    Print([](DialogDriver& d) {
        d.Click(Dlg::kMonitoring);
        d.Click(Dlg::kParamInfo);
    });
    EXPECT_TRUE(office->calls.isEmpty());
    EXPECT_TRUE(Main()->IsWindowEnabled());
}

// The list of names decides what prints: a record kept out of it (the blank
// charts of monitoring) does not print, and a name whose record is gone is
// passed over.
TEST_F(PrintRunTest, TheWindowNameListDecidesTheChartsAndTheirOrder)
{
    auto blank = Doc()->NewFlowWindow(QStringLiteral("Blank"), QString());
    Doc()->AddWindow(QStringLiteral("Blank"), std::move(blank), true);
    std::unique_ptr<CHOXFlowWnd> gone = Doc()->RemoveWindow(QStringLiteral("Flow Chart1"));
    Print([](DialogDriver& d) {
        d.Click(Dlg::kMonitoring);
        d.Click(Dlg::kParamInfo);
        d.Click(Dlg::kAllWindows);
    });
    EXPECT_EQ(Footers(), (QStringList{kAllPages[1], kAllPages[2]}));
    Doc()->AddWindow(QStringLiteral("Flow Chart1"), std::move(gone), true);
}

TEST_F(PrintRunTest, NoKindOfPageIsRefusedWithTheMessage)
{
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : No Pages are present for printing."), MB_OK | MB_ICONHAND, IDOK);
    Print([](DialogDriver& d) {
        d.Click(Dlg::kMonitoring);
        d.Click(Dlg::kFlowCharts);
        d.Click(Dlg::kParamInfo);
    });
    EXPECT_TRUE(office->calls.isEmpty());
    EXPECT_TRUE(dialogs.modelessShown.empty());
}

TEST_F(PrintRunTest, TheDialogsPrinterAndCopiesAreTheRunsOwn)
{
    RecordedPrint& lab = printing.AddPrinter(QStringLiteral("Lab"));
    PrintAnswer answer;
    answer.printer = QStringLiteral("Lab");
    answer.copies = 3;
    printing.Expect(answer);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_PRINT));
    EXPECT_EQ(lab.copies, 3);
    EXPECT_EQ(lab.calls.count(QStringLiteral("StartPage")), 7);
    EXPECT_TRUE(office->calls.isEmpty());
}

TEST_F(PrintRunTest, ACancelledDialogPrintsNothing)
{
    PrintAnswer answer;
    answer.accept = false;
    printing.Expect(answer);
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_PRINT));
    EXPECT_TRUE(office->calls.isEmpty());
    EXPECT_EQ(Program().printing.outcome, ProgramState::kPrintCancelled);
}

TEST_F(PrintRunTest, TheStatusWindowShowsThePageAndItsCancelAbortsTheRun)
{
    QStringList shown;
    office->afterPage = [&](int page) {
        DialogDriver* status = dialogs.Modeless(CHOXPrintingDlg::kTemplate);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->Caption(), QStringLiteral("RQT4P-VEDID-E"));
        EXPECT_EQ(status->Text(CHOXPrintingDlg::kDocumentName), QStringLiteral("VEDID Information"));
        shown << status->Text(CHOXPrintingDlg::kPageNumber);
        EXPECT_FALSE(Main()->IsWindowEnabled());
        if (page == 2) status->Click(IDCANCEL);
    };
    Print();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Page 1"), QStringLiteral("Page 2")}));
    EXPECT_EQ(office->calls, (QStringList{QStringLiteral("StartDoc VEDID Information"), QStringLiteral("StartPage"),
                                          QStringLiteral("EndPage"), QStringLiteral("StartPage"),
                                          QStringLiteral("EndPage"), QStringLiteral("AbortDoc")}));
    EXPECT_EQ(Program().printing.outcome, ProgramState::kPrintCancelled);
    EXPECT_TRUE(Main()->IsWindowEnabled());
    EXPECT_EQ(dialogs.ModelessOpen(), 0u);
}

// The same through the real window: its texts, and its Cancel button
// clicked with the mouse.
TEST_F(PrintRunTest, TheRealStatusWindowShowsThePageAndItsCancelButtonAbortsTheRun)
{
    QtDialogRunner runner;
    InstalledRunner installed(&runner);
    QStringList shown;
    office->afterPage = [&](int page) {
        TemplateDialog* status = ShownTemplateDialog();
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->windowTitle(), QStringLiteral("RQT4P-VEDID-E"));
        auto* name = qobject_cast<QLabel*>(status->Site().Control(CHOXPrintingDlg::kDocumentName));
        auto* number = qobject_cast<QLabel*>(status->Site().Control(CHOXPrintingDlg::kPageNumber));
        ASSERT_NE(name, nullptr);
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(name->text(), QStringLiteral("VEDID Information"));
        shown << number->text();
        if (page == 1) SaveScreenshot(status, "print-status.png");
        if (page == 2) QTest::mouseClick(status->Site().Control(IDCANCEL), Qt::LeftButton);
    };
    Print();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Page 1"), QStringLiteral("Page 2")}));
    EXPECT_EQ(office->calls.last(), QStringLiteral("AbortDoc"));
    EXPECT_EQ(Program().printing.outcome, ProgramState::kPrintCancelled);
    EXPECT_TRUE(Main()->IsWindowEnabled());
}

TEST_F(PrintRunTest, APrinterThatFailsStopsTheRunWithTheMessage)
{
    const struct {
        const char* name;
        bool startDoc;
        int startPage;
        int endPage;
        QStringList calls;
        const char* reason;
    } cases[] = {
        {"StartDoc", true, 0, 0, {QStringLiteral("StartDoc VEDID Information")}, "The recording printer is off."},
        {"StartPage",
         false,
         2,
         0,
         {QStringLiteral("StartDoc VEDID Information"), QStringLiteral("StartPage"), QStringLiteral("EndPage"),
          QStringLiteral("StartPage"), QStringLiteral("AbortDoc")},
         "The paper ran out."},
        {"EndPage",
         false,
         0,
         1,
         {QStringLiteral("StartDoc VEDID Information"), QStringLiteral("StartPage"), QStringLiteral("EndPage"),
          QStringLiteral("AbortDoc")},
         "The paper jammed."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        office->calls.clear();
        office->pages.clear();
        office->failStartDoc = c.startDoc;
        office->failStartPage = c.startPage;
        office->failEndPage = c.endPage;
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("The document could not be printed."), MB_OK | MB_ICONEXCLAMATION, IDOK, [this] {
            // The box comes after the run has ended.
            EXPECT_TRUE(Main()->IsWindowEnabled());
            EXPECT_EQ(dialogs.ModelessOpen(), 0u);
        });
        Print();
        EXPECT_EQ(office->calls, c.calls);
        ASSERT_EQ(messages.seen.size(), 1u);
        EXPECT_EQ(messages.seen[0].detail, QString::fromLatin1(c.reason));
        EXPECT_EQ(Program().printing.outcome, ProgramState::kPrintFailed);
    }
}

// The main window cannot go while a run draws through its views: a close
// stops the run first and comes again when the run has ended.
TEST_F(PrintRunTest, AClosedMainWindowAbortsTheRunFirstAndThenCloses)
{
    CloseDuringTheRun([this] { Window()->close(); });
}

TEST_F(PrintRunTest, FileExitAbortsTheRunFirstAndThenCloses)
{
    CloseDuringTheRun([] { EXPECT_TRUE(GetCommandRouter()->Execute(ID_APP_EXIT)); });
}

TEST_F(PrintRunTest, TheMonitorViewPrintsThroughTheFirstFlowView)
{
    m_app->ActivateMonitorFrame();
    Print([](DialogDriver& d) { d.Click(Dlg::kParamInfo); });
    EXPECT_EQ(Footers(), (QStringList{kAllPages[0], kAllPages[1], kAllPages[2], kAllPages[3]}));
}

TEST_F(PrintRunTest, PrintIsDisabledWhileMonitoringAndPrintSetupWorksWithoutADocument)
{
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));
    Doc()->SetEditMode(false);
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_SETUP));
    Doc()->SetEditMode(true);

    printing.ExpectPageSetup();
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_PRINT_SETUP));
    GetCommandRouter()->Execute(ID_DOCUMENT_CLOSE);
    ASSERT_EQ(Doc(), nullptr);
    printing.ExpectPageSetup();
    EXPECT_TRUE(GetCommandRouter()->Execute(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(printing.pageSetups, 2);
}

// Ctrl+P on the main window reaches the print dialog as the menu does.
TEST_F(PrintRunTest, CtrlPOpensThePrintDialog)
{
    PrintAnswer answer;
    answer.accept = false;
    printing.Expect(answer);
    Window()->show();
    QApplication::setActiveWindow(Window());
    QTest::keyClick(Window(), Qt::Key_P, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(printing.dialogsShown, 1);
    ASSERT_EQ(printing.flags.size(), 1u);
    EXPECT_EQ(printing.flags[0], PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES);
    EXPECT_TRUE(printing.withPage[0]);
}

} // namespace
