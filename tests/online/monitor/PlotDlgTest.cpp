// The plot's "Plotting Object" dialogs, opened by a double-click on the plot:
// the limits shown and refused, the order of the checks, Clear at once, the
// modified mark, the white statics of the sketch, and Help.
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXPlotXDlg.h"
#include "online/monitor/HOXPlotXYDlg.h"

#include "online/monitor/HOXMonView.h"
#include "online/monitor/MonObjIds.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtPlatform.h"
#include "support/DocBuilder.h"
#include "support/Scripted.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using kt::test::DialogDriver;
using kt::test::DocBuilder;
using kt::test::HostedView;
using kt::test::RecordingHelp;
using kt::test::ScriptedDialogs;
using kt::test::ScriptedMessages;
using XDlg = CHOXPlotXDlg;
using XYDlg = CHOXPlotXYDlg;

namespace {

const QString kXMessage = QStringLiteral("ERROR : X Positive Value should be greater than X Negative value.");
const QString kYMessage = QStringLiteral("ERROR : Y Positive Value should be greater than Y Negative value.");
constexpr UINT kHand = MB_OK | MB_ICONHAND;

class PlotDlgTest : public ::testing::Test, protected DocBuilder {
protected:
    // A plot in the monitor window of a new document of the type, its limits
    // as given, the document unmodified.
    CHOXMonPlotObj* NewPlot(std::int32_t type, std::int32_t xp = 100, std::int32_t xn = -100, std::int32_t yp = 100,
                            std::int32_t yn = -100)
    {
        NewDocument(type);
        auto owned = std::make_unique<CHOXMonPlotObj>(Monitor());
        owned->SetId(monid::kPlot);
        owned->SetLimits(xp, xn, yp, yn);
        CHOXMonPlotObj* plot = owned.get();
        Monitor()->AddMonObj(std::move(owned));
        doc->SetModifiedFlag(false);
        return plot;
    }
    static void TypeAll(DialogDriver& d, const std::vector<std::pair<int, const char*>>& values)
    {
        for (const auto& [id, text] : values) d.Type(id, QString::fromLatin1(text));
    }
};

std::vector<std::int32_t> Limits(const CHOXMonPlotObj& p)
{
    return {p.GetXPositive(), p.GetXNegative(), p.GetYPositive(), p.GetYNegative()};
}

} // namespace

TEST_F(PlotDlgTest, EachModelOpensItsDialogFilledFromThePlot)
{
    const struct {
        std::int32_t type;
        UINT templateId;
        std::vector<std::pair<int, QString>> shown;
    } cases[] = {
        {ctype::kOneAxis, XDlg::kTemplate, {{XDlg::kXPositive, "250"}, {XDlg::kXNegative, "-7"}}},
        {ctype::kTwoAxes,
         XYDlg::kTemplate,
         {{XYDlg::kXPositive, "250"}, {XYDlg::kXNegative, "-7"}, {XYDlg::kYPositive, "3"}, {XYDlg::kYNegative, "-2"}}},
        {ctype::kInterpolated, XYDlg::kTemplate, {{XYDlg::kYPositive, "3"}, {XYDlg::kYNegative, "-2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CHOXMonPlotObj* plot = NewPlot(c.type, 250, -7, 3, -2);
        ScriptedDialogs dialogs;
        dialogs.Expect(c.templateId, [&c](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Plotting Object"));
            for (const auto& [id, text] : c.shown) EXPECT_EQ(d.Text(id), text) << id;
            d.Click(IDCANCEL);
        });
        plot->OnOpen(0, CPoint());
    }
}

TEST_F(PlotDlgTest, RefusalsNameTheAxisAndSelectItsNegativeLimit)
{
    using Values = std::vector<std::pair<int, const char*>>;
    const struct {
        const char* what;
        std::int32_t type;
        UINT templateId;
        Values typed;
        QString message;
        int focus;
    } cases[] = {
        {"one axis, equal",
         ctype::kOneAxis,
         XDlg::kTemplate,
         {{XDlg::kXPositive, "10"}, {XDlg::kXNegative, "10"}},
         kXMessage,
         XDlg::kXNegative},
        {"one axis, reversed",
         ctype::kOneAxis,
         XDlg::kTemplate,
         {{XDlg::kXPositive, "-5"}, {XDlg::kXNegative, "0"}},
         kXMessage,
         XDlg::kXNegative},
        // X is refused before Y is looked at, though Y is wrong too.
        {"two axes, X equal and Y wrong",
         ctype::kTwoAxes,
         XYDlg::kTemplate,
         {{XYDlg::kXPositive, "10"}, {XYDlg::kXNegative, "10"}, {XYDlg::kYPositive, "0"}, {XYDlg::kYNegative, "9"}},
         kXMessage,
         XYDlg::kXNegative},
        {"two axes, Y equal",
         ctype::kTwoAxes,
         XYDlg::kTemplate,
         {{XYDlg::kXPositive, "10"}, {XYDlg::kXNegative, "9"}, {XYDlg::kYPositive, "-3"}, {XYDlg::kYNegative, "-3"}},
         kYMessage,
         XYDlg::kYNegative},
        {"two axes, Y reversed at the ends of the range",
         ctype::kInterpolated,
         XYDlg::kTemplate,
         {{XYDlg::kYPositive, "-2147483648"}, {XYDlg::kYNegative, "2147483647"}},
         kYMessage,
         XYDlg::kYNegative},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXMonPlotObj* plot = NewPlot(c.type);
        const std::vector<std::int32_t> before = Limits(*plot);
        ScriptedDialogs dialogs;
        dialogs.Expect(c.templateId, [&](DialogDriver& d) {
            TypeAll(d, c.typed);
            {
                ScriptedMessages messages;
                messages.Expect(c.message, kHand, IDOK);
                d.Click(IDOK);
            }
            EXPECT_FALSE(d.Ended());
            EXPECT_EQ(d.Focus(), c.focus);
            EXPECT_EQ(d.SelectedText(c.focus), d.Text(c.focus));
            EXPECT_FALSE(d.Text(c.focus).isEmpty());
            d.Click(IDCANCEL);
        });
        plot->OnOpen(0, CPoint());
        EXPECT_EQ(Limits(*plot), before);
        EXPECT_FALSE(doc->IsModified());
    }
}

TEST_F(PlotDlgTest, AValueThatIsNoNumberGetsTheStandardMessage)
{
    CHOXMonPlotObj* plot = NewPlot(ctype::kTwoAxes);
    ScriptedDialogs dialogs;
    dialogs.Expect(XYDlg::kTemplate, [](DialogDriver& d) {
        d.Type(XYDlg::kYPositive, QStringLiteral("12x"));
        {
            ScriptedMessages messages;
            messages.Expect(QStringLiteral("Please enter an integer."), MB_OK | MB_ICONEXCLAMATION, IDOK);
            d.Click(IDOK);
        }
        EXPECT_FALSE(d.Ended());
        EXPECT_EQ(d.Focus(), XYDlg::kYPositive);
        d.Type(XYDlg::kYPositive, QStringLiteral("12"));
        d.Click(IDOK);
    });
    plot->OnOpen(0, CPoint());
    EXPECT_EQ(Limits(*plot), (std::vector<std::int32_t>{100, -100, 12, -100}));
}

TEST_F(PlotDlgTest, OkWithChangedLimitsKeepsThemAndMarksTheDocument)
{
    using Script = std::function<void(DialogDriver&)>;
    const struct {
        const char* what;
        std::int32_t type;
        UINT templateId;
        Script script;
        std::vector<std::int32_t> limits;
        bool modified;
    } cases[] = {
        {"one axis: X taken, Y kept",
         ctype::kOneAxis,
         XDlg::kTemplate,
         [](DialogDriver& d) {
             d.Type(XDlg::kXPositive, QStringLiteral("500"));
             d.Type(XDlg::kXNegative, QStringLiteral("0"));
             d.Click(IDOK);
         },
         {500, 0, 100, -100},
         true},
        {"two axes: all four taken",
         ctype::kTwoAxes,
         XYDlg::kTemplate,
         [](DialogDriver& d) {
             TypeAll(d, {{XYDlg::kXPositive, "1"},
                         {XYDlg::kXNegative, "-1"},
                         {XYDlg::kYPositive, "40"},
                         {XYDlg::kYNegative, "20"}});
             d.Click(IDOK);
         },
         {1, -1, 40, 20},
         true},
        {"OK with the limits as they were",
         ctype::kTwoAxes,
         XYDlg::kTemplate,
         [](DialogDriver& d) {
             d.Type(XYDlg::kYPositive, QStringLiteral("+100"));
             d.Click(IDOK);
         },
         {100, -100, 100, -100},
         false},
        {"Cancel after typing",
         ctype::kTwoAxes,
         XYDlg::kTemplate,
         [](DialogDriver& d) {
             d.Type(XYDlg::kXPositive, QStringLiteral("900"));
             d.PressKey(Qt::Key_Escape);
         },
         {100, -100, 100, -100},
         false},
        {"Cancel on one axis",
         ctype::kOneAxis,
         XDlg::kTemplate,
         [](DialogDriver& d) {
             d.Type(XDlg::kXPositive, QStringLiteral("900"));
             d.Click(IDCANCEL);
         },
         {100, -100, 100, -100},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CHOXMonPlotObj* plot = NewPlot(c.type);
        HostedView<CHOXMonView> shown(*doc, Monitor());
        shown.host.ClearRecord();
        ScriptedDialogs dialogs;
        dialogs.Expect(c.templateId, c.script);
        plot->OnOpen(0, CPoint());
        EXPECT_EQ(Limits(*plot), c.limits);
        EXPECT_EQ(doc->IsModified(), c.modified);
        EXPECT_FALSE(shown.host.invalidated.empty()) << "the plot is drawn again";
    }
}

TEST_F(PlotDlgTest, ClearEmptiesTheTraceAtOnceAndCancelKeepsItEmpty)
{
    CHOXMonPlotObj* plot = NewPlot(ctype::kTwoAxes);
    for (int i = 0; i < 5; ++i) plot->AddSample(i, -i);
    HostedView<CHOXMonView> shown(*doc, Monitor());
    shown.host.ClearRecord();
    ScriptedDialogs dialogs;
    dialogs.Expect(XYDlg::kTemplate, [&](DialogDriver& d) {
        d.Type(XYDlg::kXPositive, QStringLiteral("300"));
        d.Click(XYDlg::kClear);
        EXPECT_FALSE(d.Ended());
        EXPECT_TRUE(plot->GetSamples().empty()) << "at once";
        EXPECT_FALSE(shown.host.invalidated.empty());
        d.Click(IDCANCEL);
    });
    plot->OnOpen(0, CPoint());
    EXPECT_TRUE(plot->GetSamples().empty());
    EXPECT_EQ(Limits(*plot), (std::vector<std::int32_t>{100, -100, 100, -100}));
    EXPECT_FALSE(doc->IsModified()) << "clearing changes nothing the file holds";
}

// The same through the real modal window, its buttons clicked with the mouse:
// Clear empties the trace while the window stands, OK keeps the limit typed.
TEST_F(PlotDlgTest, TheRealWindowsClearAndOkWorkWithTheMouse)
{
    CHOXMonPlotObj* plot = NewPlot(ctype::kTwoAxes);
    for (int i = 0; i < 5; ++i) plot->AddSample(i, -i);
    QtDialogRunner runner;
    DialogRunner* previous = GetDialogRunner();
    SetDialogRunner(&runner);
    bool acted = false;
    QTimer::singleShot(0, qApp, [&] {
        TemplateDialog* window = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TemplateDialog*>(w); d != nullptr && d->isVisible()) window = d;
        if (window == nullptr) {
            ADD_FAILURE() << "no dialog shown";
            return;
        }
        EXPECT_TRUE(window->isModal());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Plotting Object"));
        QTest::mouseClick(window->Site().Control(XYDlg::kClear), Qt::LeftButton);
        EXPECT_TRUE(plot->GetSamples().empty()) << "at once";
        EXPECT_TRUE(window->isVisible());
        auto* edit = qobject_cast<QLineEdit*>(window->Site().Control(XYDlg::kXPositive));
        EXPECT_NE(edit, nullptr);
        if (edit != nullptr) {
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("300"));
        }
        QTest::mouseClick(window->Site().Control(IDOK), Qt::LeftButton);
        acted = true;
        // A window that stayed would keep the test waiting.
        if (window->isVisible()) {
            ADD_FAILURE() << "OK left the window open";
            window->reject();
        }
    });
    plot->OnOpen(0, CPoint());
    SetDialogRunner(previous);
    EXPECT_TRUE(acted);
    EXPECT_TRUE(plot->GetSamples().empty());
    EXPECT_EQ(Limits(*plot), (std::vector<std::int32_t>{300, -100, 100, -100}));
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(PlotDlgTest, OpensWhileMonitoringToo)
{
    CHOXMonPlotObj* plot = NewPlot(ctype::kOneAxis);
    doc->SetEditMode(false);
    ScriptedDialogs dialogs;
    dialogs.Expect(XDlg::kTemplate, [](DialogDriver& d) {
        d.Type(XDlg::kXNegative, QStringLiteral("-50"));
        d.Click(IDOK);
    });
    plot->OnOpen(0, CPoint());
    EXPECT_EQ(plot->GetXNegative(), -50);
    doc->SetEditMode(true);
}

TEST_F(PlotDlgTest, TheSketchsStaticsStandOnWhiteAndHelpShowsThePlotsPage)
{
    const struct {
        std::int32_t type;
        UINT templateId;
        std::vector<int> white;
    } cases[] = {
        {ctype::kOneAxis, XDlg::kTemplate, {8580, 8607}},
        {ctype::kTwoAxes, XYDlg::kTemplate, {8580, 8607, 8606}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CHOXMonPlotObj* plot = NewPlot(c.type);
        RecordingHelp help;
        ScriptedDialogs dialogs;
        dialogs.Expect(c.templateId, [&c](DialogDriver& d) {
            for (int id : c.white) {
                auto* label = qobject_cast<QLabel*>(d.Widget(id));
                ASSERT_NE(label, nullptr) << id;
                EXPECT_TRUE(label->autoFillBackground()) << id;
                EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::white)) << id;
            }
            EXPECT_EQ(d.Text(8607), QStringLiteral("X"));
            if (c.white.size() == 3) {
                EXPECT_EQ(d.Text(8606), QStringLiteral("Y"));
                EXPECT_EQ(d.Text(XYDlg::kClear), QStringLiteral("&Clear"));
            }
            d.Click(8579);
            EXPECT_FALSE(d.Ended());
            d.PressKey(Qt::Key_F1);
            d.Click(IDCANCEL);
        });
        plot->OnOpen(0, CPoint());
        EXPECT_EQ(help.pages, (std::vector<QString>{QStringLiteral(":/res/help/2081c.html"),
                                                    QStringLiteral(":/res/help/2081c.html")}));
    }
}
