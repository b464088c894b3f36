// The progress window of the conversion (a modeless dialog: shown through
// the runner, read while it stands, gone when its owner ends it) and the
// Program Memory dialog of Tools > Used Memory.
#include "convert/ConvertFixture.h"

#include "convert/HOXExportProgressDlg.h"
#include "convert/HOXProgMemoryDlg.h"
#include "params/HOXParam.h"
#include "res/CommandIds.h"

#include <QProgressBar>

using kt::test::ConvertFixture;
using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

TEST(ExportProgressTest, StepStopsAtTheUpperBound)
{
    const struct {
        int upper;
        int step;
        UINT n;
        int pos;
    } cases[] = {
        {10, 1, 20, 10},                                        // the bar stops at 10, it does not start over
        {10, 1, 4, 4},           {10, 3, 2, 6}, {10, 3, 9, 10}, // 9 and then 10, not 12
        {10, 4, 100, 10},        {0, 1, 5, 0},                  // a document without steps
        {10, 0, 4000000000u, 0},                                // a step of 0 goes nowhere, and quickly
    };
    for (const auto& c : cases) {
        CHOXExportProgressDlg progress(0, c.upper, c.step);
        progress.Step(c.n);
        EXPECT_EQ(progress.GetPos(), c.pos) << c.upper << " " << c.step << " " << c.n;
        EXPECT_LE(progress.GetPos(), c.upper);
    }
}

TEST(ExportProgressTest, PositionStepAndRange)
{
    CHOXExportProgressDlg progress(0, 100, 1);
    progress.Step(5);
    EXPECT_EQ(progress.GetPos(), 5);
    EXPECT_EQ(progress.GetLastPos(), 4);
    progress.SetStep(10);
    progress.Step(2);
    EXPECT_EQ(progress.GetPos(), 25);
    progress.SetPos(90);
    progress.Step(3);
    EXPECT_EQ(progress.GetPos(), 100);
    progress.SetPos(500);
    EXPECT_EQ(progress.GetPos(), 100);
    // A new range starts the counting of the last position again.
    progress.SetRange(200);
    EXPECT_EQ(progress.GetLower(), 0);
    EXPECT_EQ(progress.GetUpper(), 200);
    EXPECT_EQ(progress.GetLastPos(), 0);
    progress.Step(5);
    EXPECT_EQ(progress.GetPos(), 150);
    progress.SetCaption(QStringLiteral("Generating code for  Flow Chart1"));
    EXPECT_EQ(progress.GetCaption(), QStringLiteral("Generating code for  Flow Chart1"));
}

TEST(ExportProgressTest, WithoutARunnerNothingIsShownAndTheDialogStillCounts)
{
    DialogRunner* strict = GetDialogRunner();
    SetDialogRunner(nullptr);
    CHOXExportProgressDlg progress(0, 10, 1);
    EXPECT_FALSE(progress.Create());
    EXPECT_FALSE(progress.IsModeless());
    progress.Step(3);
    EXPECT_EQ(progress.GetPos(), 3);
    progress.DestroyWindow();
    SetDialogRunner(strict);
}

TEST(ExportProgressTest, TheWindowShowsTheBarAndTheTextAndGoesWithItsOwner)
{
    ScriptedDialogs dialogs;
    {
        CHOXExportProgressDlg progress(0, 40, 2);
        ASSERT_TRUE(progress.Create());
        EXPECT_TRUE(progress.IsModeless());
        DialogDriver* window = dialogs.Modeless(4081);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Text(1562), QStringLiteral("Message"));
        auto* bar = qobject_cast<QProgressBar*>(window->Widget(1561));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->maximum(), 40);
        progress.Step(3);
        EXPECT_EQ(bar->value(), 6);
        progress.SetCaption(QStringLiteral("Generating code for  Subtask"));
        EXPECT_EQ(window->Text(1562), QStringLiteral("Message"));
        progress.UpdateData(false);
        EXPECT_EQ(window->Text(1562), QStringLiteral("Generating code for  Subtask"));
        // Esc does not close it.
        window->PressKey(Qt::Key_Escape);
        EXPECT_EQ(dialogs.ModelessOpen(), 1u);
        progress.DestroyWindow();
        EXPECT_EQ(dialogs.ModelessOpen(), 0u);
        EXPECT_FALSE(progress.IsModeless());
        // A second Create shows it anew.
        ASSERT_TRUE(progress.Create());
        EXPECT_EQ(dialogs.ModelessOpen(), 1u);
    }
    // The dialog's end takes its window along.
    EXPECT_EQ(dialogs.ModelessOpen(), 0u);
    EXPECT_EQ(dialogs.modelessShown, (std::vector<UINT>{4081, 4081}));
}

// ---------------------------------------------------------------------------
// Program Memory

namespace {

class ProgMemoryTest : public ConvertFixture {
public:
    void SetParams(int type, std::int32_t memorySize, std::int32_t fileRegisters)
    {
        MakeDocument(type);
        ASSERT_TRUE(doc->GetParam().SetParam(&memorySize, 100, 0));
        ASSERT_TRUE(doc->GetParam().SetParam(&fileRegisters, 101, 0));
    }
    // A program of `steps` steps: START (3), CALLs of 4, END (2).
    void ProgramOf(int calls)
    {
        CHOXSymbol* last = Place<CHOXFlowStart>(chart);
        for (int i = 0; i < calls; ++i) {
            CHOXSymbol* call = PlaceCall(chart, 1);
            Wire(chart, last, last->GetPinCount() > 1 ? 1 : 0, call);
            last = call;
        }
        Wire(chart, last, last->GetPinCount() > 1 ? 1 : 0, Place<CHOXFlowEnd>(chart));
    }
};

} // namespace

TEST_F(ProgMemoryTest, TotalsPerControllerTypeAndMemorySize)
{
    const struct {
        int type;
        std::int32_t memorySize;
        std::int32_t fileRegisters;
        std::int64_t total;
    } cases[] = {
        // One axis: 3800 whatever parameter 100 holds.
        {0, 0, 0, 3800},
        {0, 1, 0, 3800},
        {0, 0, 800, 3000},
        {1, 0, 0, 7800},
        {1, 1, 0, 3800},
        {1, 1, 800, 3000},
        {2, 0, 3000, 4800},
        {2, 5, 0, 3800},
        // More file registers than memory: below zero, as the count says.
        {1, 1, 4000, -200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type * 100 + c.memorySize);
        SetParams(c.type, c.memorySize, c.fileRegisters);
        EXPECT_EQ(CHOXProgMemoryDlg::TotalMemory(*doc), c.total);
        ScriptedMessages messages;
        if (c.total < 0)
            messages.Expect(QStringLiteral("WARNING : Used memory exceeds total memory."), MB_OK | MB_ICONEXCLAMATION,
                            IDOK);
        CHOXProgMemoryDlg dialog(doc.get());
        EXPECT_EQ(dialog.m_strTotal, QString::number(c.total));
        EXPECT_EQ(dialog.m_strUsed, QStringLiteral("0"));
    }
}

TEST_F(ProgMemoryTest, TheWarningComesOnlyWhenTheProgramIsLarger)
{
    // 3800 - 3789 = 11 steps offered.
    for (int calls : {1, 2}) {
        SCOPED_TRACE(calls);
        SetParams(1, 1, 3789);
        ProgramOf(calls); // 3 + 4 * calls + 2: 9, then 13
        ScriptedMessages messages;
        if (calls == 2)
            messages.Expect(QStringLiteral("WARNING : Used memory exceeds total memory."), MB_OK | MB_ICONEXCLAMATION,
                            IDOK);
        CHOXProgMemoryDlg dialog(doc.get());
        EXPECT_EQ(dialog.m_strUsed, QString::number(5 + 4 * calls));
    }
    // Equal is no warning.
    SetParams(1, 1, 3787);
    ProgramOf(2);
    CHOXProgMemoryDlg equal(doc.get());
    EXPECT_EQ(equal.m_strTotal, QStringLiteral("13"));
    EXPECT_EQ(equal.m_strUsed, QStringLiteral("13"));
}

TEST_F(ProgMemoryTest, UsedMemoryShowsTheDialogWithItsHelp)
{
    ProgramOf(1);
    AddChart(LoadStr(20000)); // the subtask's steps count too
    ScriptedDialogs dialogs;
    RecordingHelp help;
    dialogs.Expect(2067, [](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Program Memory"));
        EXPECT_EQ(d.Text(8419), QStringLiteral("7800"));
        EXPECT_EQ(d.Text(8007), QStringLiteral("9"));
        d.Click(8083);
        d.Click(IDOK);
    });
    EXPECT_TRUE(doc->OnCmdMsg(ID_USED_MEMORY, CmdMode::Execute, nullptr));
    EXPECT_EQ(help.pages, std::vector<QString>{QStringLiteral(":/res/help/20813.html")});
    // Not while monitoring.
    doc->SetEditMode(false);
    CCmdUI ui(ID_USED_MEMORY);
    doc->OnCmdMsg(ID_USED_MEMORY, CmdMode::Update, &ui);
    EXPECT_FALSE(ui.m_bEnabled);
}
