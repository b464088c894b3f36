// "Show All Parameters" through the dialog layer: headers, where each number
// lands, the columns and their widths by controller type; and the Set
// Parameter prompt.
#include "params/HOXSetParamPromptDlg.h"
#include "params/HOXShowAllParamDlg.h"
#include "params/ParamDialogSupport.h"

#include <gtest/gtest.h>

namespace {

using kt::test::DialogDriver;
using kt::test::ParamDialogTest;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::Set;

constexpr int kGrid = CHOXShowAllParamDlg::kGrid;

class ShowAllParamTest : public ParamDialogTest {
protected:
    // Runs the dialog on the set and lets the script look at the grid.
    void Show(const std::function<void(DialogDriver&)>& look)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXShowAllParamDlg::kTemplate, [&](DialogDriver& d) {
            look(d);
            d.Click(IDOK);
        });
        CHOXShowAllParamDlg dlg(&Param());
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
};

} // namespace

TEST_F(ShowAllParamTest, OneAxisTypeShowsThreeColumnsInFifths)
{
    UseType(0);
    Set(Param(), 41, 0, 3);
    Show([](DialogDriver& d) {
        DialogSite& site = d.Site();
        EXPECT_EQ(d.Caption(), QStringLiteral("Show All Parameters"));
        ASSERT_EQ(site.GetGridCols(kGrid), 3);
        EXPECT_EQ(site.GetGridRows(kGrid), 89);
        EXPECT_EQ(d.Cell(kGrid, 0, 0), QStringLiteral("Number"));
        EXPECT_EQ(d.Cell(kGrid, 0, 1), QStringLiteral("Item"));
        EXPECT_EQ(d.Cell(kGrid, 0, 2), QStringLiteral("X-Axis Settings"));
        EXPECT_EQ(d.Cell(kGrid, 42, 2), QStringLiteral("<Not Applicable>"));
        const int unit = site.GetControlSize(kGrid).width() * 15 / 5;
        EXPECT_EQ(site.GetGridColWidth(kGrid, 0) / 15, unit * 8 / 10 / 15);
        for (int col : {1, 2}) EXPECT_EQ(site.GetGridColWidth(kGrid, col) / 15, unit * 2 / 15) << col;
        for (int col : {0, 1, 2}) EXPECT_EQ(site.GetGridColAlignment(kGrid, col), 0);
    });
}

TEST_F(ShowAllParamTest, TwoAxisTypesAddTheYColumnAndWidenTheGrid)
{
    UseType(0);
    QSize oneAxisGrid;
    QSize oneAxisWindow;
    Show([&](DialogDriver& d) {
        oneAxisGrid = d.Site().GetControlSize(kGrid);
        oneAxisWindow = d.Site().GetClientSize();
    });
    UseType(2);
    Set(Param(), 101, 0, 250);
    Show([&](DialogDriver& d) {
        DialogSite& site = d.Site();
        ASSERT_EQ(site.GetGridCols(kGrid), 4);
        EXPECT_EQ(d.Cell(kGrid, 0, 3), QStringLiteral("Y-Axis Settings"));
        EXPECT_EQ(site.GetControlSize(kGrid).width(), oneAxisGrid.width() + 100);
        EXPECT_GE(site.GetClientSize().width(), oneAxisWindow.width() + 100);
        const int unit = site.GetControlSize(kGrid).width() * 15 / 7;
        EXPECT_EQ(site.GetGridColWidth(kGrid, 0) / 15, unit * 8 / 10 / 15);
        for (int col : {1, 2, 3}) EXPECT_EQ(site.GetGridColWidth(kGrid, col) / 15, unit * 2 / 15) << col;
        // Common parameters read the same on both axes.
        EXPECT_EQ(d.Cell(kGrid, 70, 0), QStringLiteral("101"));
        EXPECT_EQ(d.Cell(kGrid, 70, 2), QStringLiteral("250"));
        EXPECT_EQ(d.Cell(kGrid, 70, 3), QStringLiteral("250"));
    });
}

TEST_F(ShowAllParamTest, EveryNumberHasItsRowAndSpareNumbersShowABlank)
{
    for (std::int32_t type : {1, 0}) {
        UseType(type);
        Set(Param(), 4, 0, 1234);
        Show([&](DialogDriver& d) {
            const int valueColumns = type == 0 ? 1 : 2;
            const auto expectRow = [&](UINT n, int row) {
                EXPECT_EQ(d.Cell(kGrid, row, 0), QString::number(n)) << n;
                PARAM_ROW expected{};
                Param().GetParamRow(n, &expected);
                EXPECT_EQ(d.Cell(kGrid, row, 1), QString::fromLatin1(expected.name)) << n;
                const bool spare = qstrcmp(expected.name, "Spare") == 0;
                EXPECT_EQ(d.Cell(kGrid, row, 2), spare ? QStringLiteral(" ") : QString::fromLatin1(expected.xText));
                if (valueColumns == 2) {
                    EXPECT_EQ(d.Cell(kGrid, row, 3), spare ? QStringLiteral(" ") : QString::fromLatin1(expected.yText));
                }
            };
            for (UINT n = 0; n <= 67; ++n) expectRow(n, static_cast<int>(n) + 1);
            for (UINT n = 100; n <= 119; ++n) expectRow(n, static_cast<int>(n) - 31);
            EXPECT_EQ(d.Cell(kGrid, 5, 2), QStringLiteral("1234 Hz"));
            for (int row : {28, 29, 30, 58, 68, 81, 88}) EXPECT_EQ(d.Cell(kGrid, row, 1), QStringLiteral("Spare"));
        });
    }
}

TEST_F(ShowAllParamTest, TheGridShowsTheValuesOfItsStartAndWritesNothing)
{
    UseType(1);
    RecordingHelp help;
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXShowAllParamDlg::kTemplate, [this](DialogDriver& d) {
        Set(Param(), 4, 0, 99);
        EXPECT_EQ(d.Cell(kGrid, 5, 2), QStringLiteral("200000 Hz"));
        // Help is the framework's own help command.
        d.Click(ID_HELP);
        EXPECT_FALSE(d.Ended());
        d.Click(IDOK);
    });
    doc.SetModifiedFlag(false);
    CHOXShowAllParamDlg dlg(&Param());
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(help.pages, std::vector<QString>{QStringLiteral(":/res/help/20fef.html")});
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ShowAllParamTest, TheSetParameterPromptEndsWithOkAfterTheSystemParametersWhateverTheyDid)
{
    UseType(1);
    for (int systemAnswer : {IDCANCEL, IDOK}) {
        doc.SetModifiedFlag(false);
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXSetParamPromptDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Set Parameter"));
            d.Click(CHOXSetParamPromptDlg::kParameterButton);
        });
        dialogs.Expect(2055, [systemAnswer](DialogDriver& d) {
            d.Type(8712, QStringLiteral("100")); // the file registers
            d.Click(systemAnswer);
        });
        CHOXSetParamPromptDlg prompt(&doc);
        EXPECT_EQ(prompt.DoModal(), IDOK);
        EXPECT_EQ(doc.IsModified(), systemAnswer == IDOK);
        EXPECT_EQ(Value(101), systemAnswer == IDOK ? 100 : 0);
    }
    ScriptedDialogs dialogs;
    dialogs.Expect(CHOXSetParamPromptDlg::kTemplate, [](DialogDriver& d) { d.Click(IDCANCEL); });
    CHOXSetParamPromptDlg prompt(&doc);
    EXPECT_EQ(prompt.DoModal(), IDCANCEL);
}
