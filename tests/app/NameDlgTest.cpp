// The name dialog of flow-chart and subtask windows: its modes and the rules
// of window names, driven by control id without a screen.
#include "app/HOXDoc.h"
#include "app/HOXNewFlowChartDlg.h"
#include "app/MainFrame.h"
#include "chart/HOXFlowWnd.h"
#include "platform/View.h"
#include "platform/ui/QtFrameWindow.h"
#include "support/Scripted.h"

#include <QTest>

#include <gtest/gtest.h>

using kt::test::DialogDriver;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;

namespace {

constexpr int kTitle = 8087;
constexpr int kDescription = 8090;

const QString kAddFlowChart = QStringLiteral("Add New Flow Chart");
const QString kUpdateFlowChart = QStringLiteral("Update Flow Chart");
const QString kAddSubtask = QStringLiteral("Add New Subtask");
const QString kUpdateSubtask = QStringLiteral("Update Subtask");

// A main frame whose active child shows a document with the windows
// Flow Chart1, Flow Chart2 and Subtask.
class NameDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetWindowFactory(&m_windows);
        m_frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(m_frame->LoadFrame(2));
        auto child = std::make_unique<CMDIChildWnd>();
        auto view = std::make_unique<CView>();
        m_doc.AddView(view.get());
        child->SetView(std::move(view));
        CMDIChildWnd* raw = child.get();
        ASSERT_TRUE(m_frame->AddChild(std::move(child)));
        m_frame->MDIActivate(raw);
        for (const char* name : {"Flow Chart1", "Flow Chart2", "Subtask"}) AddWindow(QString::fromLatin1(name));
    }
    void TearDown() override
    {
        m_frame.reset();
        SetWindowFactory(nullptr);
    }
    void AddWindow(const QString& name) { m_doc.AddWindow(name, m_doc.NewFlowWindow(name, QString())); }

    // Runs the dialog in a mode with a preset title; the script acts.
    int Run(const QString& caption, const QString& preset, const ScriptedDialogs::Script& script,
            CHOXNewFlowChartDlg* out = nullptr)
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(2066, script);
        CHOXNewFlowChartDlg local(m_frame.get());
        CHOXNewFlowChartDlg& dlg = out != nullptr ? *out : local;
        dlg.SetCaption(caption);
        dlg.SetTitleAndDescription(preset, QString());
        return dlg.DoModal();
    }

    QtWindowFactory m_windows;
    CHOXDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace

TEST_F(NameDlgTest, TheCaptionChoosesTheModeAndWhetherTheTitleCanBeEdited)
{
    CHOXNewFlowChartDlg fresh;
    EXPECT_EQ(fresh.m_strCaption, kAddFlowChart);
    EXPECT_TRUE(fresh.m_strTitle.isEmpty());
    EXPECT_TRUE(fresh.m_strDescription.isEmpty());

    const struct {
        QString caption;
        bool titleEditable;
    } modes[] = {{kAddFlowChart, true}, {kUpdateFlowChart, true}, {kAddSubtask, false}, {kUpdateSubtask, false}};
    for (const auto& m : modes) {
        Run(m.caption, QStringLiteral("Preset"), [&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), m.caption);
            EXPECT_EQ(d.Enabled(kTitle), m.titleEditable) << m.caption.toStdString();
            EXPECT_TRUE(d.Enabled(kDescription));
            EXPECT_EQ(d.Text(kTitle), QStringLiteral("Preset"));
            EXPECT_EQ(d.Limit(kTitle), 25);
            EXPECT_EQ(d.DefaultButton(), IDOK);
            d.Click(IDCANCEL);
        });
    }
}

TEST_F(NameDlgTest, OkGivesTheTrimmedTitleAndTheDescription)
{
    CHOXNewFlowChartDlg dlg(m_frame.get());
    const int result = Run(kAddFlowChart, QStringLiteral("Flow Chart3"), [](DialogDriver& d) {
        d.Type(kTitle, QStringLiteral("   Press line  "));
        // Return starts a new line of the description.
        d.Type(kDescription, QStringLiteral("Feeds the press"));
        QTest::keyClick(d.Widget(kDescription), Qt::Key_Return);
        QTest::keyClicks(d.Widget(kDescription), QStringLiteral("from the left"));
        EXPECT_FALSE(d.Ended());
        d.Click(IDOK);
        EXPECT_TRUE(d.Ended());
    }, &dlg);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strTitle, QStringLiteral("Press line"));
    // A multi-line edit gives its lines with CR LF, as the stored files hold them.
    EXPECT_EQ(dlg.m_strDescription, QStringLiteral("Feeds the press\r\nfrom the left"));
}

TEST_F(NameDlgTest, ABlankTitleIsRefusedAndTheDialogStaysOpen)
{
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Please Enter Program Name"), MB_OK | MB_ICONINFORMATION, IDOK)
        .Expect(QStringLiteral("Please Enter Program Name"), MB_OK | MB_ICONINFORMATION, IDOK);
    EXPECT_EQ(Run(kUpdateFlowChart, QStringLiteral("Flow Chart1"), [](DialogDriver& d) {
        d.Type(kTitle, QStringLiteral("     "));
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        d.Type(kTitle, QString());
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        d.Click(IDCANCEL);
    }),
              IDCANCEL);
}

TEST_F(NameDlgTest, TheTitleHoldsAtMostTwentyFiveCharacters)
{
    CHOXNewFlowChartDlg dlg(m_frame.get());
    Run(kAddFlowChart, QString(), [](DialogDriver& d) {
        d.Type(kTitle, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        EXPECT_EQ(d.Text(kTitle), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
        d.Click(IDOK);
    }, &dlg);
    EXPECT_EQ(dlg.m_strTitle, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
}

TEST_F(NameDlgTest, SubtaskIsNoNameForAFlowChart)
{
    for (const QString& caption : {kAddFlowChart, kUpdateFlowChart}) {
        for (const char* typed : {"subtask", "SUBTASK", " Subtask "}) {
            ScriptedMessages messages;
            messages.Expect(
                QStringLiteral("ERROR :  \"Subtask\" text is not allowed to give as Flow Chart window Title."),
                MB_OK | MB_ICONSTOP, IDOK);
            Run(caption, QStringLiteral("Flow Chart1"), [&](DialogDriver& d) {
                d.Type(kTitle, QString::fromLatin1(typed));
                d.Click(IDOK);
                EXPECT_FALSE(d.Ended()) << typed;
                d.Click(IDCANCEL);
            });
        }
    }
}

TEST_F(NameDlgTest, TheSubtaskModesAcceptSubtask)
{
    // Update: the window's own name.
    EXPECT_EQ(Run(kUpdateSubtask, QStringLiteral("Subtask"), [](DialogDriver& d) {
        d.Type(kDescription, QStringLiteral("Lamps"));
        d.Click(IDOK);
    }),
              IDOK);
    // Add, while the document has none.
    std::unique_ptr<CHOXFlowWnd> gone = m_doc.RemoveWindow(QStringLiteral("Subtask"));
    CHOXNewFlowChartDlg dlg(m_frame.get());
    EXPECT_EQ(Run(kAddSubtask, QStringLiteral("Subtask"), [](DialogDriver& d) { d.Click(IDOK); }, &dlg), IDOK);
    EXPECT_EQ(dlg.m_strTitle, QStringLiteral("Subtask"));
}

TEST_F(NameDlgTest, LabelsOfTheWorkspaceTreeAreRefusedInEveryMode)
{
    const char* labels[] = {"Flow Chart", "Monitoring", "Parameter", "Positioning", "IO Control", "System", "Units",
                            "Machine Zero", "Speed", "Settings", "Program Number", "Manual Pulse Generator", "MCode",
                            "Absolute Position", "Others", "HOX Windows", "hox windows", "  units  ", "SPEED"};
    for (const QString& caption : {kAddFlowChart, kUpdateFlowChart, kAddSubtask, kUpdateSubtask}) {
        const bool editable = caption == kAddFlowChart || caption == kUpdateFlowChart;
        for (const char* label : labels) {
            const QString typed = QString::fromLatin1(label);
            ScriptedMessages messages;
            const QString refusal = typed.trimmed() + QStringLiteral(" is invalid Flow Chart Window Title");
            messages.Expect(refusal, MB_OK | MB_ICONSTOP, IDOK);
            // In the subtask modes the preset stands for a title that came
            // from elsewhere.
            Run(caption, editable ? QStringLiteral("Flow Chart1") : typed, [&](DialogDriver& d) {
                if (editable) d.Type(kTitle, typed);
                d.Click(IDOK);
                EXPECT_FALSE(d.Ended()) << label;
                d.Click(IDCANCEL);
            });
        }
    }
}

// Frames are told apart by their titles: a chart may not take the title of
// the monitoring window or of a blank window of monitoring, nor look like a
// title in monitor mode.
TEST_F(NameDlgTest, TitlesOfTheProgramsOwnWindowsAreRefused)
{
    const char* titles[] = {"Monitoring Window", "monitoring window", "FlowChart 1(Blank)", "FLOWCHART 2(BLANK)",
                            "Subtask(Blank)", "Press - Monitor Mode"};
    for (const QString& caption : {kAddFlowChart, kUpdateFlowChart}) {
        for (const char* title : titles) {
            const QString typed = QString::fromLatin1(title);
            ScriptedMessages messages;
            messages.Expect(typed + QStringLiteral(" is invalid Flow Chart Window Title"), MB_OK | MB_ICONSTOP, IDOK);
            Run(caption, QStringLiteral("Flow Chart1"), [&](DialogDriver& d) {
                d.Type(kTitle, typed);
                d.Click(IDOK);
                EXPECT_FALSE(d.Ended()) << title;
                d.Click(IDCANCEL);
            });
        }
    }
    // Near misses are names like any other.
    for (const char* title : {"HOX", "Monitoring Windows", "Monitor Mode", "Flow Chart 1"}) {
        CHOXNewFlowChartDlg dlg(m_frame.get());
        EXPECT_EQ(Run(kAddFlowChart, QStringLiteral("Flow Chart3"), [&](DialogDriver& d) {
            d.Type(kTitle, QString::fromLatin1(title));
            d.Click(IDOK);
        }, &dlg),
                  IDOK)
            << title;
        EXPECT_EQ(dlg.m_strTitle, QString::fromLatin1(title));
    }
}

TEST_F(NameDlgTest, ANameOfAnotherWindowIsRefusedAndThePresetComesBack)
{
    for (const char* typed : {"Flow Chart2", "flow chart2", "  FLOW CHART2 "}) {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Program Title Exists"), MB_OK | MB_ICONSTOP, IDOK);
        CHOXNewFlowChartDlg dlg(m_frame.get());
        Run(kUpdateFlowChart, QStringLiteral("Flow Chart1"), [&](DialogDriver& d) {
            d.Type(kTitle, QString::fromLatin1(typed));
            d.Click(IDOK);
            EXPECT_FALSE(d.Ended());
            // The field keeps what was typed; the dialog's title is the
            // preset again.
            EXPECT_EQ(d.Text(kTitle), QString::fromLatin1(typed));
            EXPECT_EQ(static_cast<CHOXNewFlowChartDlg&>(d.Dialog()).m_strTitle, QStringLiteral("Flow Chart1"));
            d.Click(IDCANCEL);
        }, &dlg);
    }
}

TEST_F(NameDlgTest, AnUpdateMayKeepItsNameOrChangeOnlyItsLetterCase)
{
    for (const char* typed : {"Flow Chart1", "FLOW CHART1", " flow chart1 "}) {
        CHOXNewFlowChartDlg dlg(m_frame.get());
        EXPECT_EQ(Run(kUpdateFlowChart, QStringLiteral("Flow Chart1"), [&](DialogDriver& d) {
            d.Type(kTitle, QString::fromLatin1(typed));
            d.Click(IDOK);
        }, &dlg),
                  IDOK)
            << typed;
        EXPECT_EQ(dlg.m_strTitle, QString::fromLatin1(typed).trimmed());
    }
}

// The proposal of New Flow Chart can be a taken name; accepting it unchanged
// must not make a second window of that name.
TEST_F(NameDlgTest, ANewWindowAlwaysNeedsAFreeName)
{
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("Program Title Exists"), MB_OK | MB_ICONSTOP, IDOK)
        .Expect(QStringLiteral("Program Title Exists"), MB_OK | MB_ICONSTOP, IDOK);
    CHOXNewFlowChartDlg dlg(m_frame.get());
    EXPECT_EQ(Run(kAddFlowChart, QStringLiteral("Flow Chart2"), [](DialogDriver& d) {
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        d.Type(kTitle, QStringLiteral("flow chart2"));
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        d.Type(kTitle, QStringLiteral("Flow Chart4"));
        d.Click(IDOK);
    }, &dlg),
              IDOK);
    EXPECT_EQ(dlg.m_strTitle, QStringLiteral("Flow Chart4"));

    // A second subtask is refused the same way.
    messages.Expect(QStringLiteral("Program Title Exists"), MB_OK | MB_ICONSTOP, IDOK);
    EXPECT_EQ(Run(kAddSubtask, QStringLiteral("Subtask"), [](DialogDriver& d) {
        d.Click(IDOK);
        EXPECT_FALSE(d.Ended());
        d.Click(IDCANCEL);
    }),
              IDCANCEL);
}

TEST_F(NameDlgTest, HelpOpensItsPageAndKeepsTheDialog)
{
    RecordingHelp help;
    Run(kAddFlowChart, QString(), [](DialogDriver& d) {
        d.Click(CHOXNewFlowChartDlg::kHelpButton);
        EXPECT_FALSE(d.Ended());
        d.PressKey(Qt::Key_Escape);
    });
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0], QStringLiteral(":/res/help/20812.html"));
}
