// The print options page of the print dialog, played through the scripted
// print service: what it shows from the settings, how its controls follow
// each other, what OK keeps and what Cancel does not.
#include "app/HOXRegistry.h"
#include "platform/Help.h"
#include "platform/Settings.h"
#include "platform/ui/QtDialogSite.h"
#include "print/HOXPrintDlg.h"
#include "support/ScriptedPrint.h"

#include <gtest/gtest.h>

using namespace kt::test;

namespace {

using Dlg = CHOXPrintDlg;

class PrintDlgTest : public ::testing::Test {
protected:
    static void Store(const char* name, const char* value)
    {
        ASSERT_TRUE(CHOXRegistry().WriteString(name, QString::fromLatin1(value)));
    }
    // The stored text of an option; "-" when there is none.
    static QString Stored(const char* name)
    {
        QString text;
        return CHOXRegistry().ReadString(name, text, 16) ? text : QStringLiteral("-");
    }
    static void Forget()
    {
        auto file = OpenSettings();
        file->clear();
        file->sync();
    }
    static QStringList AllStored()
    {
        QStringList values;
        for (const char* name : Dlg::OptionNames()) values << Stored(name);
        return values;
    }
    // Runs the dialog with the script on its page, answered with OK or
    // Cancel; the dialog's result.
    int Run(Dlg& dialog, std::function<void(DialogDriver&)> script, bool accept = true)
    {
        ScriptedPrinting printing;
        printing.AddPrinter(QStringLiteral("Office"));
        PrintAnswer answer;
        answer.accept = accept;
        answer.printer = QStringLiteral("Office");
        answer.options = std::move(script);
        printing.Expect(std::move(answer));
        return dialog.DoModal();
    }

    TempSettings settings;
};

TEST_F(PrintDlgTest, FirstUseChecksEverythingWithOpenedWindowsGroupOrderAndZoom100)
{
    Dlg dialog;
    const int result = Run(dialog, [](DialogDriver& d) {
        for (int id : {Dlg::kMonitoring, Dlg::kFlowCharts, Dlg::kOpenedWindows, Dlg::kParamInfo, Dlg::kGroupOrder,
                       Dlg::kZoom, Dlg::kBaseColor})
            EXPECT_EQ(d.Check(id), 1) << id;
        for (int id : {Dlg::kAllWindows, Dlg::kNumberOrder, Dlg::kAutoScale}) EXPECT_EQ(d.Check(id), 0) << id;
        for (int id : {Dlg::kOpenedWindows, Dlg::kAllWindows, Dlg::kGroupOrder, Dlg::kNumberOrder, Dlg::kZoomSize})
            EXPECT_TRUE(d.Enabled(id)) << id;
        EXPECT_EQ(d.Site().GetCount(Dlg::kZoomSize), 21);
        EXPECT_EQ(d.Site().GetItemText(Dlg::kZoomSize, 0), QStringLiteral("50%"));
        EXPECT_EQ(d.Site().GetItemText(Dlg::kZoomSize, 20), QStringLiteral("150%"));
        EXPECT_EQ(d.Text(Dlg::kZoomSize), QStringLiteral("100%"));
        EXPECT_EQ(d.Text(Dlg::kGroupWindows), QStringLiteral("Select Window to Print"));
        EXPECT_TRUE(d.Visible(Dlg::kHelp));
    });
    EXPECT_EQ(result, IDOK);
}

// Each value is read into its field of 2 bytes (4 for the size): one that
// does not fit counts as missing.
TEST_F(PrintDlgTest, StoredOptionsAreReadUnderTheFieldSizes)
{
    const struct {
        const char* name;
        const char* stored;
        int expected;
        int comboItem; // -1: no selection
    } cases[] = {
        {"PrintMonitoring", "0", 0, 10},   {"PrintMonitoring", "10", 1, 10},   {"PrintFlowChartsOpenWnds", "0", 0, 10},
        {"PrintZoomSize", "150", 150, 20}, {"PrintZoomSize", "1000", 100, 10}, {"PrintZoomSize", "73", 73, 4},
        {"PrintZoomSize", "0", 0, 10},     {"PrintZoomSize", "20", 20, -1},    {"PrintZoomSize", "155", 155, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.stored);
        Forget();
        Store(c.name, c.stored);
        Dlg dialog;
        int field = -1;
        if (std::string(c.name) == "PrintMonitoring") field = dialog.m_nPrintMonitoring;
        if (std::string(c.name) == "PrintFlowChartsOpenWnds") field = dialog.m_nPrintFlowChartsOpenWnds;
        if (std::string(c.name) == "PrintZoomSize") field = dialog.m_nPrintZoomSize;
        EXPECT_EQ(field, c.expected);
        Run(
            dialog,
            [&](DialogDriver& d) {
                EXPECT_EQ(d.Site().GetCurSel(Dlg::kZoomSize), c.comboItem);
                EXPECT_EQ(d.Check(Dlg::kMonitoring), dialog.m_nPrintMonitoring);
                EXPECT_EQ(d.Check(Dlg::kAllWindows), dialog.m_nPrintFlowChartsOpenWnds == 0 ? 1 : 0);
            },
            false);
    }
    Forget();
    // Stored choices the other way round: Auto Scale without its size box,
    // the windows and the order without their radio buttons.
    Store("PrintZoom", "0");
    Store("PrintFlowCharts", "0");
    Store("PrintParamInfo", "0");
    Store("PrintParamInfoGrpOrder", "0");
    Dlg dialog;
    Run(
        dialog,
        [](DialogDriver& d) {
            EXPECT_EQ(d.Check(Dlg::kAutoScale), 1);
            EXPECT_EQ(d.Check(Dlg::kZoom), 0);
            EXPECT_EQ(d.Check(Dlg::kNumberOrder), 1);
            for (int id : {Dlg::kZoomSize, Dlg::kOpenedWindows, Dlg::kAllWindows, Dlg::kGroupOrder, Dlg::kNumberOrder})
                EXPECT_FALSE(d.Enabled(id)) << id;
        },
        false);
}

TEST_F(PrintDlgTest, ChoicesEnableTheirControlsAndKeepWhatTheyHide)
{
    Dlg dialog;
    Run(dialog, [](DialogDriver& d) {
        d.Click(Dlg::kAllWindows);
        EXPECT_EQ(d.Check(Dlg::kAllWindows), 1);
        EXPECT_EQ(d.Check(Dlg::kOpenedWindows), 0);
        d.Click(Dlg::kFlowCharts);
        EXPECT_FALSE(d.Enabled(Dlg::kOpenedWindows));
        EXPECT_FALSE(d.Enabled(Dlg::kAllWindows));
        d.Click(Dlg::kFlowCharts);
        EXPECT_TRUE(d.Enabled(Dlg::kAllWindows));
        EXPECT_EQ(d.Check(Dlg::kAllWindows), 1);

        d.Click(Dlg::kNumberOrder);
        EXPECT_EQ(d.Check(Dlg::kGroupOrder), 0);
        d.Click(Dlg::kParamInfo);
        EXPECT_FALSE(d.Enabled(Dlg::kGroupOrder));
        EXPECT_FALSE(d.Enabled(Dlg::kNumberOrder));
        d.Click(Dlg::kParamInfo);
        EXPECT_TRUE(d.Enabled(Dlg::kNumberOrder));
        EXPECT_EQ(d.Check(Dlg::kNumberOrder), 1);

        d.Click(Dlg::kAutoScale);
        EXPECT_EQ(d.Check(Dlg::kZoom), 0);
        EXPECT_FALSE(d.Enabled(Dlg::kZoomSize));
        d.Click(Dlg::kZoom);
        EXPECT_EQ(d.Check(Dlg::kAutoScale), 0);
        EXPECT_TRUE(d.Enabled(Dlg::kZoomSize));
        d.Select(Dlg::kZoomSize, 5);
    });
    EXPECT_EQ(dialog.m_nPrintFlowCharts, 1);
    EXPECT_EQ(dialog.m_nPrintFlowChartsOpenWnds, 0);
    EXPECT_EQ(dialog.m_nPrintParamInfoGrpOrder, 0);
    EXPECT_EQ(dialog.m_nPrintZoomSize, 75);
}

TEST_F(PrintDlgTest, OkWritesTheTenOptionsInTheirOrder)
{
    std::vector<std::string> names;
    for (const char* name : Dlg::OptionNames()) names.emplace_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"PrintMonitoring", "PrintFlowCharts", "PrintFlowChartsOpenWnds",
                                               "PrintParamInfo", "PrintParamInfoGrpOrder", "PrintZoom", "PrintZoomSize",
                                               "PrintBaseCol", "PrintComment", "PrintContent"}));
    Store("PrintComment", "0");
    Dlg dialog;
    const int result = Run(dialog, [](DialogDriver& d) {
        d.Click(Dlg::kMonitoring);
        d.Click(Dlg::kAllWindows);
        d.Click(Dlg::kBaseColor);
        d.Select(Dlg::kZoomSize, 18);
    });
    EXPECT_EQ(result, IDOK);
    // Comment and content have no control: they go back as they came.
    EXPECT_EQ(AllStored(), (QStringList{"0", "1", "0", "1", "1", "1", "140", "0", "0", "1"}));
}

TEST_F(PrintDlgTest, AutoScaleKeepsTheSizeAndAZoomWithoutAnItemFallsBackTo100)
{
    Store("PrintZoomSize", "125");
    {
        Dlg dialog;
        Run(dialog, [](DialogDriver& d) { d.Click(Dlg::kAutoScale); });
        EXPECT_EQ(Stored("PrintZoom"), QStringLiteral("0"));
        EXPECT_EQ(Stored("PrintZoomSize"), QStringLiteral("125"));
    }
    // A stored size the box does not offer never reaches the mapping: OK
    // with Zoom and no item stores 100, and until then it counts as 100.
    Store("PrintZoom", "1");
    Store("PrintZoomSize", "20");
    Dlg dialog;
    EXPECT_TRUE(dialog.IsFixedScale());
    EXPECT_EQ(dialog.FixedScalePercent(), 100);
    Run(dialog, [](DialogDriver&) {});
    EXPECT_EQ(Stored("PrintZoomSize"), QStringLiteral("100"));
}

TEST_F(PrintDlgTest, CancelWritesNothing)
{
    Dlg dialog;
    const int result = Run(
        dialog,
        [](DialogDriver& d) {
            d.Click(Dlg::kMonitoring);
            d.Click(Dlg::kAutoScale);
        },
        false);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(AllStored(), QStringList(10, QStringLiteral("-")));
}

TEST_F(PrintDlgTest, HelpOpensThePrintingPage)
{
    RecordingHelp help;
    Dlg dialog;
    Run(
        dialog, [](DialogDriver& d) { d.Click(Dlg::kHelp); }, false);
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], HelpPageFor(0x20824));
    EXPECT_FALSE(help.pages[0].isEmpty());
}

} // namespace
