// Following the running program in the running application, its windows
// real and offscreen, against the simulated controller with scripted steps:
// the monitored frames arranged in quarters with their captions, the
// running symbol marked in the chart that holds it, the program-text
// window with the running line, the menu's program-text items and Set
// Default Position; and Stop, also right after a link failure, leaving no
// mark, no program-text window and no hidden window behind.
#include "convert/HOXExport.h"
#include "online/ControllerFixture.h"
#include "online/comm/CommProtocol.h"
#include "online/monitor/HOXMonProgTextDlg.h"
#include "online/monitor/HOXMonTracker.h"
#include "online/monitor/HOXMonitorSession.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtCommands.h"
#include "symbols/flow/HOXFlowMonInfo.h"
#include "symbols/flow/HOXFlowProgText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace kt::test;

namespace {

using Tracker = CHOXMonTracker;

class MonitorTrackingUiTest : public MonitoringFixture {
protected:
    // Chooses the item of the menu bar's menus as a click does, once its
    // menu has asked for its state; the command runs when the menu is done.
    void Choose(UINT id) const
    {
        std::vector<QMenu*> menus;
        for (QAction* a : Window()->menuBar()->actions())
            if (a->menu() != nullptr) menus.push_back(a->menu());
        QAction* item = nullptr;
        while (!menus.empty() && item == nullptr) {
            QMenu* menu = menus.back();
            menus.pop_back();
            Q_EMIT menu->aboutToShow();
            for (QAction* a : menu->actions()) {
                if (a->menu() != nullptr) menus.push_back(a->menu());
                if (CommandIdOf(a) == id) item = a;
            }
        }
        ASSERT_NE(item, nullptr) << id;
        ASSERT_TRUE(item->isEnabled()) << id;
        item->trigger();
        QCoreApplication::processEvents();
    }

    template <class T>
    T* Put(CHOXFlowWnd* chart, std::unique_ptr<T> symbol)
    {
        symbol->SetId(static_cast<DWORD>(Doc()->NewSymbolId()));
        symbol->CalcSteps();
        T* raw = symbol.get();
        chart->AddObject(std::move(symbol));
        return raw;
    }

    // X's program 0 in "Flow Chart1": START, a program in text, a TIMER,
    // END; X's program 1 in "Feed": START, a TIMER, END. The conversion
    // records where each symbol's code starts.
    void DrawPrograms()
    {
        CHOXFlowWnd* chart = FirstChart();
        ASSERT_NE(chart, nullptr);
        CHOXSymbol* start = FindSymbolOfType(chart, objtype::kFlowStart);
        CHOXSymbol* end = FindSymbolOfType(chart, objtype::kFlowEnd);
        auto programText = std::make_unique<CHOXFlowProgText>(CPoint(100, 70), chart);
        programText->SetText(S("TIM K1;\n    MOV K1 D0;\n  TIM K2;\n"));
        text = Put(chart, std::move(programText));
        timer = Put(chart, std::make_unique<CHOXCodeTime>(CPoint(100, 140), chart));
        Wire(chart, start, 0, text);
        Wire(chart, text, 1, timer);
        Wire(chart, timer, 1, end);

        Main()->CreateFlowChartWindow(S("Feed"), QString(), 0);
        feed = Doc()->FindWindowByName(S("Feed"));
        ASSERT_NE(feed, nullptr);
        CHOXSymbol* feedStart = FindSymbolOfType(feed, objtype::kFlowStart);
        CHOXSymbol* feedEnd = FindSymbolOfType(feed, objtype::kFlowEnd);
        ASSERT_NE(feedStart, nullptr);
        feedTimer = Put(feed, std::make_unique<CHOXCodeTime>(CPoint(100, 140), feed));
        Wire(feed, feedStart, 0, feedTimer);
        Wire(feed, feedTimer, 1, feedEnd);

        CHOXExport conversion(Doc());
        QString message;
        int severity = 0;
        CHOXSymbol* culprit = nullptr;
        ASSERT_TRUE(conversion.GenerateProgram(message, false, &severity, &culprit, false)) << message.toStdString();
        for (const CHOXSymbol* symbol : {static_cast<CHOXSymbol*>(text), timer, feedTimer})
            ASSERT_GE(FirstStep(symbol), 0);
    }
    int FirstStep(const CHOXSymbol* symbol) const
    {
        for (const auto& info : Doc()->GetStepInfoList())
            if (info->GetSymbolId() == static_cast<int>(symbol->GetId())) return info->GetStep();
        return -1;
    }

    CHOXMonTracker* RunningTracker() const
    {
        const CHOXMonitorSession* run = Doc()->GetMonitorThread();
        return run != nullptr ? dynamic_cast<CHOXMonTracker*>(run->GetTracker()) : nullptr;
    }
    CMDIChildWnd* AxisFrame(int axis) const
    {
        return FrameOf(Doc()->FindWindowByName(Doc()->GetMonitoredWindowName(axis)));
    }
    // The controller runs the step of X; the test waits until the tracker
    // marks the symbol.
    void RunX(int step, const CHOXSymbol* marked)
    {
        Sim().SetTaskStep(0, step);
        RunUntil([&] { return marked->GetMonitorMark1() == 1; });
    }
    static QString SelectedLine(DialogDriver& window) { return window.SelectedText(CHOXMonProgTextDlg::kText); }

    // Every symbol of every chart is free of marks.
    int MarksLeft() const
    {
        int marks = 0;
        for (const auto& [name, wnd] : Doc()->GetWindowMap())
            for (const auto& [id, object] : wnd->GetObjectMap())
                if (const auto* symbol = dynamic_cast<const CHOXSymbol*>(object.get()))
                    marks += symbol->GetMonitorMark1() + symbol->GetMonitorMark2() + symbol->GetMonitorMark3();
        return marks;
    }
    bool AnyBlankWindow() const
    {
        for (const QString& title : Titles())
            if (title.endsWith(S("(Blank)"))) return true;
        for (const char* name : {"FlowChart 1(Blank)", "FlowChart 2(Blank)", "Subtask(Blank)"})
            if (Doc()->FindWindowByName(S(name)) != nullptr) return true;
        return false;
    }

    CHOXFlowProgText* text = nullptr;
    CHOXSymbol* timer = nullptr;
    CHOXFlowWnd* feed = nullptr;
    CHOXSymbol* feedTimer = nullptr;
};

} // namespace

TEST_F(MonitorTrackingUiTest, TheRunningSymbolIsMarkedInArrangedFramesAndItsChartFollowed)
{
    ASSERT_NE(NewDocumentOfType(1), nullptr);
    DrawPrograms();
    ScriptedDialogs dialogs;
    const int textStep = FirstStep(text);
    Sim().SetTaskStep(0, textStep + 4);
    Choose(ID_MONITOR_START);
    RunUntil([&] { return text->GetMonitorMark1() == 1; });

    // Four frames in the quarters of the area that holds them, captioned.
    const CRect area = Main()->GetMDIClientRect();
    ASSERT_GT(area.Width(), 0);
    CMDIChildWnd* x = AxisFrame(Tracker::kX);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(S("X-axis - Monitor Mode"), x->GetWindowText());
    EXPECT_EQ(S("Y-axis - Monitor Mode"), AxisFrame(Tracker::kY)->GetWindowText());
    EXPECT_EQ(S("Sub-Task - Monitor Mode"), AxisFrame(Tracker::kSubtask)->GetWindowText());
    const std::pair<CMDIChildWnd*, int> frames[] = {{MonitorFrame(), Tracker::kMonitorFrame},
                                                    {x, Tracker::kX},
                                                    {AxisFrame(Tracker::kY), Tracker::kY},
                                                    {AxisFrame(Tracker::kSubtask), Tracker::kSubtask}};
    for (const auto& [frame, place] : frames) {
        EXPECT_TRUE(frame->IsWindowVisible()) << place;
        EXPECT_EQ(Tracker::DefaultRect(place, area), frame->GetWindowRect()) << place;
    }
    // The X frame shows the running chart.
    CHOXFlowWnd* monitored = Doc()->FindWindowByName(Doc()->GetMonitoredWindowName(Tracker::kX));
    EXPECT_EQ(FirstChart(), &monitored->GetShownRecord());

    // The program text over the X frame, the MOV line selected.
    DialogDriver* window = dialogs.Modeless(CHOXMonProgTextDlg::kTemplate);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(S("Monitoring Program In Text(X axis)"), window->Caption());
    EXPECT_EQ(S("TIM K1;\r\nMOV K1 D0;\r\nTIM K2;"), window->Text(CHOXMonProgTextDlg::kText));
    EXPECT_EQ(S("MOV K1 D0;"), SelectedLine(*window));
    CHOXMonProgTextDlg* dialog = RunningTracker()->GetProgTextDlg(Tracker::kX);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsWindowVisible());
    const CRect over = x->GetScreenRect();
    const CRect shown = dialog->GetWindowRect();
    EXPECT_EQ(CPoint(over.left + (over.Width() - shown.Width()) / 2, over.top + (over.Height() - shown.Height()) / 2),
              shown.TopLeft());
    EXPECT_EQ(MonitorPriority::BelowNormal, Doc()->GetMonitorThread()->GetThread()->GetPriority());

    // Into the other chart: followed; the text's mark gone, its window
    // hidden (the X flag is not set).
    RunX(FirstStep(feedTimer) + 1, feedTimer);
    EXPECT_EQ(feed, &monitored->GetShownRecord());
    EXPECT_EQ(0, text->GetMonitorMark1());
    EXPECT_FALSE(dialog->IsWindowVisible());

    // With the X flag from the menu, the window comes back and stays,
    // empty, when the step leaves the text.
    Choose(ID_PROGTEXT_X);
    RunX(textStep, text);
    RunUntil([&] { return dialog->IsWindowVisible() && SelectedLine(*window) == S("TIM K1;"); });
    RunX(FirstStep(timer), timer);
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_EQ(QString(), window->Text(CHOXMonProgTextDlg::kText));

    // A frame the user moves, then Set Default Position from the menu.
    x->MoveWindow(CRect(3, 4, 203, 154));
    Choose(ID_DEFAULT_POSITION);
    RunUntil([&] { return !Doc()->IsDefaultPositionRequested(); });
    EXPECT_EQ(Tracker::DefaultRect(Tracker::kX, area), x->GetWindowRect());

    // Stop: the places kept, nothing left behind.
    const CPoint corner = dialog->GetWindowRect().TopLeft();
    Choose(ID_MONITOR_STOP);
    EXPECT_TRUE(Doc()->IsEditMode());
    EXPECT_EQ(0, MarksLeft());
    EXPECT_EQ(0u, dialogs.ModelessOpen());
    EXPECT_FALSE(AnyBlankWindow());
    EXPECT_EQ(Tracker::DefaultRect(Tracker::kX, area), Doc()->GetStoredRect(Tracker::kX));
    EXPECT_EQ(Tracker::DefaultRect(Tracker::kMonitorFrame, area), Doc()->GetStoredRect(Tracker::kMonitorFrame));
    EXPECT_EQ(corner, Doc()->GetProgTextPos(Tracker::kX));
    EXPECT_EQ(CPoint(0, 0), Doc()->GetProgTextPos(Tracker::kY));
    EXPECT_EQ(FirstChart(), &FirstChart()->GetShownRecord());
    EXPECT_EQ(S("Flow Chart1"), ChartFrame(S("Flow Chart1"))->GetWindowText());

    // The next run puts the frames and the window back where they were.
    x = nullptr;
    Sim().SetTaskStep(0, textStep);
    Choose(ID_MONITOR_START);
    RunUntil([&] { return text->GetMonitorMark1() == 1 && RunningTracker()->GetProgTextDlg(Tracker::kX); });
    EXPECT_EQ(Tracker::DefaultRect(Tracker::kX, area), AxisFrame(Tracker::kX)->GetWindowRect());
    EXPECT_EQ(corner, RunningTracker()->GetProgTextDlg(Tracker::kX)->GetWindowRect().TopLeft());
    Choose(ID_MONITOR_STOP);
    EXPECT_EQ(0u, dialogs.ModelessOpen());
}

TEST_F(MonitorTrackingUiTest, AStopRightAfterALinkFailureLeavesNoMarkNoWindowAndNoHiddenWindow)
{
    ASSERT_NE(NewDocumentOfType(1), nullptr);
    DrawPrograms();
    ScriptedDialogs dialogs;
    Sim().SetTaskStep(0, FirstStep(text));
    Choose(ID_MONITOR_START);
    RunUntil([&] { return text->GetMonitorMark1() == 1; });
    ASSERT_EQ(1u, dialogs.ModelessOpen());

    ScriptedMessages messages;
    messages.Expect(S("ERROR :  No Response from the Target Device.\nCheck the connections with the DA-ZU."),
                    MB_OK | MB_ICONHAND, IDOK);
    Faults().Add(Fault(CSimFault::NoReply, commproto::ReadMonitoringInfo));
    RunUntil([&] { return messages.seen.size() == 1; });
    // The mark and the window stay until the stop, which comes at once.
    EXPECT_EQ(1, text->GetMonitorMark1());
    Choose(ID_MONITOR_STOP);
    EXPECT_TRUE(Doc()->IsEditMode());
    EXPECT_EQ(0, MarksLeft());
    EXPECT_EQ(0u, dialogs.ModelessOpen());
    EXPECT_FALSE(AnyBlankWindow());
    QCoreApplication::processEvents();
    EXPECT_EQ(1u, messages.seen.size());
    Faults().Clear();
}
