// The "Monitoring Program In Text" window through the dialog layer, its
// widgets rendered offscreen, while monitoring runs with the instruction
// checker of the run: the text as it shows it, the line it selects for a
// step (lines the checker refuses passed over, positions those of the
// shown text), the symbols it shows and forgets, its white ground, and
// neither Enter, Esc nor the close box ending it.
#include "online/monitor/TrackerFixture.h"

#include "platform/ui/QtDialogSite.h"

#include <QPlainTextEdit>

using namespace kt::test;

namespace {

class MonProgTextDlgTest : public TrackerFixture {
public:
    void SetUp() override
    {
        TrackerFixture::SetUp();
        ASSERT_NE(NewDocument(1), nullptr);
        chart = Chart(S("Press"));
        ASSERT_NE(chart, nullptr);
        // A program in text when monitoring starts: the run has a checker.
        first = Text(chart, CPoint(100, 60), S("TIM K1;\n"));
        StartMonitoring();
        ASSERT_NE(Doc()->GetMonitorThread()->GetInstrParser(), nullptr);
    }

    // A window showing a new symbol of the text, its code from step 100.
    void Open(const QString& text)
    {
        symbol = Text(chart, CPoint(300, 60), text);
        window = std::make_unique<CHOXMonProgTextDlg>(symbol, 100, chart, 0, 0);
        ASSERT_TRUE(window->Create(nullptr, true));
        driver = dialogs.ModelessOf(*window);
        ASSERT_NE(driver, nullptr);
    }
    void TearDown() override
    {
        window.reset();
        TrackerFixture::TearDown();
    }
    QString Shown() const { return driver->Text(CHOXMonProgTextDlg::kText); }
    QString Selected() const { return driver->SelectedText(CHOXMonProgTextDlg::kText); }

    CHOXFlowWnd* chart = nullptr;
    CHOXFlowProgText* first = nullptr;
    CHOXFlowProgText* symbol = nullptr;
    std::unique_ptr<CHOXMonProgTextDlg> window;
    DialogDriver* driver = nullptr;
};

} // namespace

TEST_F(MonProgTextDlgTest, FormatTextEndsLinesWithCrLfAndTakesTheBlanksBeforeEveryLaterLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"LD X0;", "LD X0;"},
        {"LD X0;\n   OUT Y1;\n\tm02(END);", "LD X0;\r\nOUT Y1;\r\nm02(END);"},
        {"  LD X0;\nOUT Y1;", "  LD X0;\r\nOUT Y1;"},
        {"LD X0;\n", "LD X0;\r\n"},
        {"LD X0;\n   \nOUT Y1;", "LD X0;\r\n\r\nOUT Y1;"},
        {"LD X0;\n  OUT  Y1;  ", "LD X0;\r\nOUT  Y1;  "},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(S(shown), CHOXMonProgTextDlg::FormatText(S(text))) << text;
}

TEST_F(MonProgTextDlgTest, SelectStepSelectsTheRunningLineOfTheShownText)
{
    struct Case {
        const char* text;
        int step;
        const char* selected;
    };
    // TIM 4 steps, MOV 7, END 2; a refused line none. The lines after the
    // first are indented in the symbol, not in the window.
    const char* const program = "TIM K1;\n   bad line;\n   MOV K1 D0;\n  m02(END);\n";
    const Case cases[] = {
        {program, 100, "TIM K1;"},
        {program, 103, "TIM K1;"},
        {program, 104, "MOV K1 D0;"},
        {program, 110, "MOV K1 D0;"},
        {program, 111, "m02(END);"},
        {program, 112, "m02(END);"},
        // A refused line only, then the last.
        {"bad;\n  worse;\n  m02(END);\n", 100, "m02(END);"},
        // One line.
        {"  m02(END);\n", 101, "  m02(END);"},
        // Past the lines of a text that ends with an empty line: nothing.
        {"TIM K1;\n\n", 100, "TIM K1;"},
        {"TIM K1;\n\n", 104, ""},
        {"", 100, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.step));
        Open(S(c.text));
        window->SelectStep(c.step);
        EXPECT_EQ(S(c.selected), Selected());
        window.reset();
    }
}

TEST_F(MonProgTextDlgTest, TheSelectedLineIsScrolledIntoView)
{
    QString text;
    for (int i = 0; i < 60; ++i) text += S("   TIM K%1;\n").arg(i);
    Open(text);
    // Line 50: 50 timers of 4 steps before it.
    window->SelectStep(100 + 50 * 4);
    EXPECT_EQ(S("TIM K50;"), Selected());
    EXPECT_GT(driver->FirstVisibleLine(CHOXMonProgTextDlg::kText), 20);
}

TEST_F(MonProgTextDlgTest, ItShowsAnotherSymbolFromItsStartAndForgetsOneWhenEmptied)
{
    Open(S("TIM K1;\n  TIM K2;\n"));
    EXPECT_EQ(S("TIM K1;\r\nTIM K2;"), Shown());
    EXPECT_EQ(symbol, window->GetSymbol());

    // Another symbol: its text, and the step its code starts at.
    window->SetSymbol(first, 50);
    EXPECT_EQ(S("TIM K1;"), Shown());
    EXPECT_EQ(first, window->GetSymbol());
    EXPECT_EQ(50, window->GetFirstStep());
    // The same symbol again changes nothing.
    window->SetSymbol(first, 70);
    EXPECT_EQ(50, window->GetFirstStep());
    // None: empty, and a step selects nothing.
    window->SetSymbol(nullptr);
    EXPECT_EQ(QString(), Shown());
    EXPECT_EQ(QString(), window->GetText());
    EXPECT_EQ(nullptr, window->GetSymbol());
    window->SelectStep(50);
    EXPECT_EQ(QString(), Selected());
    window->SetSymbol(symbol, 100);
    window->SelectStep(104);
    EXPECT_EQ(S("TIM K2;"), Selected());
}

TEST_F(MonProgTextDlgTest, TheTextStandsOnWhiteAndNoKeyNorTheCloseBoxEndsTheWindow)
{
    Open(S("TIM K1;\n"));
    auto* edit = qobject_cast<QPlainTextEdit*>(driver->Widget(CHOXMonProgTextDlg::kText));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isReadOnly());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        EXPECT_EQ(QColor(Qt::white), edit->palette().color(group, QPalette::Base));
    EXPECT_EQ(S("Monitoring Program In Text"), driver->Caption());
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        driver->PressKey(key);
        EXPECT_FALSE(driver->Ended()) << key;
        EXPECT_TRUE(window->IsWindowVisible()) << key;
    }
    driver->Site().Window()->close();
    EXPECT_FALSE(driver->Ended());
    EXPECT_TRUE(window->IsWindowVisible());
}
