// The running-program tracker on windows in memory: where a step's code
// lies, the marks it sets and clears as the steps move within a chart and
// into another, the axes it leaves alone while frames are minimized or
// maximized, the frames it captions and arranges for each controller type,
// kept rectangles and Set Default Position, the layout it keeps at the stop,
// and the program-text windows it shows, empties, hides, places and
// destroys.
#include "online/monitor/TrackerFixture.h"

#include "chart/HOXBaseRect.h"

#include <algorithm>
#include <functional>
#include <vector>

using namespace kt::test;

namespace {

using Tracker = CHOXMonTracker;

// The quarters of the memory main window's 1200 by 800 client area.
const CRect kMonitorQuarter(0, 0, 600, 400);
const CRect kXQuarter(600, 0, 1200, 400);
const CRect kYQuarter(600, 400, 1200, 800);
const CRect kSubtaskQuarter(0, 400, 600, 800);

// A program text of 13 steps: TIM 0 to 3, the refused line none, MOV 4 to
// 10, END 11 and 12.
const char* const kProgram = "TIM K1;\n   bad line;\n   MOV K1 D0;\n  m02(END);\n";
const char* const kFirstLine = "TIM K1;";
const char* const kMovLine = "MOV K1 D0;";

class MonTrackerTest : public TrackerFixture {
public:
    // Two timers in "Press" (steps 0 to 3 and 4 to 7) and one in "Feed"
    // (20 to 23): steps 8 to 19 lie in no symbol.
    void TwoCharts()
    {
        press = Chart(S("Press"));
        feed = Chart(S("Feed"));
        p1 = Timer(press, CPoint(100, 60));
        p2 = Timer(press, CPoint(900, 700));
        f1 = Timer(feed, CPoint(100, 60));
        Record(p1, 0);
        Record(p2, 4);
        Record(f1, 20);
    }

    // Each axis's chart: a program in text, then a timer. X from step 0,
    // Y from 100, the subtask from 200.
    void ProgramsOfEachAxis()
    {
        const char* names[] = {"Xa", "Ya", "Sa"};
        for (int axis = 0; axis < 3; ++axis) {
            CHOXFlowWnd* chart = Chart(S(names[axis]));
            texts[static_cast<std::size_t>(axis)] = Text(chart, CPoint(100, 60), S(kProgram));
            timers[static_cast<std::size_t>(axis)] = Timer(chart, CPoint(100, 200));
            Record(texts[static_cast<std::size_t>(axis)], 100 * axis);
            Record(timers[static_cast<std::size_t>(axis)], 100 * axis + 13);
        }
    }

    static int Mark(const CHOXSymbol* symbol, int axis)
    {
        const int marks[] = {symbol->GetMonitorMark1(), symbol->GetMonitorMark2(), symbol->GetMonitorMark3()};
        return marks[axis];
    }
    QString Selected(int axis)
    {
        DialogDriver* text = ProgText(axis);
        return text != nullptr ? text->SelectedText(CHOXMonProgTextDlg::kText) : QString();
    }
    QString Shown(int axis)
    {
        DialogDriver* text = ProgText(axis);
        return text != nullptr ? text->Text(CHOXMonProgTextDlg::kText) : QString();
    }

    CHOXFlowWnd* press = nullptr;
    CHOXFlowWnd* feed = nullptr;
    CHOXSymbol* p1 = nullptr;
    CHOXSymbol* p2 = nullptr;
    CHOXSymbol* f1 = nullptr;
    std::array<CHOXFlowProgText*, 3> texts{};
    std::array<CHOXSymbol*, 3> timers{};
};

} // namespace

TEST_F(MonTrackerTest, EachControllerTypeCaptionsAndArrangesItsFramesInQuarters)
{
    struct Case {
        int type;
        const char* xCaption;
        bool tracksY;
    };
    const Case cases[] = {
        {0, "X-axis - Monitor Mode", false},
        {1, "X-axis - Monitor Mode", true},
        {2, "X-axis and Y-axis - Monitor Mode", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ASSERT_NE(NewDocument(c.type), nullptr);
        StartMonitoring();
        EXPECT_EQ(c.tracksY, tracker->TracksY());
        EXPECT_FALSE(tracker->IsArranged());
        EXPECT_EQ(1, tracker->Update(-1, -1, -1));
        EXPECT_TRUE(tracker->IsArranged());
        EXPECT_EQ(S(c.xCaption), AxisFrame(Tracker::kX)->title);
        EXPECT_EQ(S("Sub-Task - Monitor Mode"), AxisFrame(Tracker::kSubtask)->title);
        const std::vector<std::pair<MemoryChildFrameHost*, CRect>> arranged = {
            {MonitorFrame(), kMonitorQuarter},
            {AxisFrame(Tracker::kX), kXQuarter},
            {AxisFrame(Tracker::kSubtask), kSubtaskQuarter},
        };
        for (const auto& [frame, quarter] : arranged) {
            EXPECT_TRUE(frame->visible);
            EXPECT_FALSE(frame->iconic || frame->zoomed);
            EXPECT_EQ(quarter, frame->normal);
        }
        MemoryChildFrameHost* y = AxisFrame(Tracker::kY);
        if (c.tracksY) {
            EXPECT_EQ(S("Y-axis - Monitor Mode"), y->title);
            EXPECT_TRUE(y->visible);
            EXPECT_EQ(kYQuarter, y->normal);
        } else {
            // The Y frame is left alone: hidden, with the name it was made with.
            EXPECT_EQ(S("FlowChart 2(Blank)"), y->title);
            EXPECT_FALSE(y->visible);
        }
        CloseDocument();
    }
}

TEST_F(MonTrackerTest, FindStepWalksTheStepMapUntilAWindowOrSymbolIsMissing)
{
    ASSERT_NE(NewDocument(1), nullptr);
    TwoCharts();
    StartMonitoring();
    struct Case {
        const char* what;
        // A record put between the second timer's and the Feed timer's.
        std::function<void()> between;
        int step;
        const CHOXSymbol* const* symbol; // null: none
        const char* name;
        int firstStep;
    };
    const std::vector<Case> cases = {
        {"the first step of a symbol", {}, 0, &p1, "Press", 0},
        {"its last step", {}, 3, &p1, "Press", 0},
        {"the next symbol's first", {}, 4, &p2, "Press", 4},
        {"a gap's first step", {}, 8, nullptr, "", 0},
        {"a gap's last step", {}, 19, nullptr, "", 0},
        {"another chart's symbol", {}, 23, &f1, "Feed", 20},
        {"past the last symbol", {}, 24, nullptr, "", 0},
        {"no step", {}, -1, nullptr, "", 0},
        {"a missing window ends the walk",
         [&] { Doc()->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(8, p1->GetId(), S("Gone"))); }, 20, nullptr, "", 0},
        {"a missing symbol ends the walk",
         [&] { Doc()->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(8, 3999, S("Press"))); }, 20, nullptr, "", 0},
        {"records before the end still count",
         [&] { Doc()->AddStepInfo(std::make_unique<CHOXFlowMonInfo>(8, 3999, S("Press"))); }, 5, &p2, "Press", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Doc()->ClearStepInfo();
        Record(p1, 0);
        Record(p2, 4);
        if (c.between) c.between();
        Record(f1, 20);
        const Tracker::StepPlace place = tracker->FindStep(c.step);
        EXPECT_EQ(c.symbol != nullptr ? static_cast<int>((*c.symbol)->GetId()) : -1, place.id);
        EXPECT_EQ(S(c.name), place.name);
        EXPECT_EQ(c.firstStep, place.firstStep);
    }
}

TEST_F(MonTrackerTest, TheMarkFollowsTheRunningStepWithinAChartAndIntoAnother)
{
    ASSERT_NE(NewDocument(1), nullptr);
    TwoCharts();
    const std::size_t pressObjects = press->GetObjectMap().GetCount();
    StartMonitoring();
    CHOXFlowWnd* x = Monitored(Tracker::kX);
    ASSERT_NE(x, nullptr);
    MemoryViewHost& view = AxisView(Tracker::kX);

    EXPECT_EQ(1, tracker->Update(0, -1, -1));
    EXPECT_EQ(1, Mark(p1, 0));
    EXPECT_EQ(press, &x->GetShownRecord());
    EXPECT_EQ(1, x->m_nDisplayFirst);
    EXPECT_EQ(0, x->m_nDisplaySecond + x->m_nDisplayThird);
    EXPECT_EQ(S("Press"), tracker->GetLastName(Tracker::kX));
    EXPECT_EQ(static_cast<int>(p1->GetId()), tracker->GetLastId(Tracker::kX));
    // Only the X axis's mark: the others' are untouched.
    EXPECT_EQ(0, Mark(p1, 1) + Mark(p1, 2));
    EXPECT_GT(view.invalidateAll, 0);

    // Within the chart.
    tracker->Update(5, -1, -1);
    EXPECT_EQ(0, Mark(p1, 0));
    EXPECT_EQ(1, Mark(p2, 0));
    // Another step of the symbol marked: the chart is not drawn anew.
    view.ClearRecord();
    tracker->Update(6, -1, -1);
    EXPECT_EQ(1, Mark(p2, 0));
    EXPECT_EQ(0, view.invalidateAll);

    // Into another chart: the monitored window shows it; the chart left
    // keeps its objects, each still its own.
    tracker->Update(21, -1, -1);
    EXPECT_EQ(feed, &x->GetShownRecord());
    EXPECT_EQ(0, Mark(p2, 0));
    EXPECT_EQ(1, Mark(f1, 0));
    EXPECT_EQ(pressObjects, press->GetObjectMap().GetCount());
    EXPECT_EQ(press, p1->GetWnd());
    EXPECT_EQ(press, &press->GetShownRecord());

    // A step outside every symbol: the mark goes from the screen too, and
    // nothing is marked; the last mark stays the last.
    view.ClearRecord();
    tracker->Update(10, -1, -1);
    EXPECT_EQ(0, Mark(f1, 0));
    EXPECT_EQ(0, Mark(p1, 0) + Mark(p2, 0));
    EXPECT_GT(view.invalidateAll, 0);
    EXPECT_EQ(S("Feed"), tracker->GetLastName(Tracker::kX));
    EXPECT_EQ(static_cast<int>(f1->GetId()), tracker->GetLastId(Tracker::kX));
    EXPECT_EQ(feed, &x->GetShownRecord());

    // Back in the same symbol, then no step at all.
    tracker->Update(20, -1, -1);
    EXPECT_EQ(1, Mark(f1, 0));
    tracker->Update(-1, -1, -1);
    EXPECT_EQ(0, Mark(f1, 0));

    // The tracker goes with a mark set: none is left. Emptying the monitored
    // window at the stop deletes nothing.
    tracker->Update(2, -1, -1);
    ASSERT_EQ(1, Mark(p1, 0));
    tracker.reset();
    EXPECT_EQ(0, Mark(p1, 0));
    ASSERT_TRUE(GetCommandRouter()->Execute(ID_MONITOR_STOP));
    EXPECT_EQ(nullptr, Doc()->FindWindowByName(S("FlowChart 1(Blank)")));
    EXPECT_EQ(pressObjects, press->GetObjectMap().GetCount());
    EXPECT_EQ(static_cast<const CHOXDrawObj*>(p1), press->LookupObject(static_cast<WORD>(p1->GetId())));
    EXPECT_EQ(static_cast<const CHOXDrawObj*>(f1), feed->LookupObject(static_cast<WORD>(f1->GetId())));
}

TEST_F(MonTrackerTest, NoMarkIsLeftWhenTwoRecordsOfTheStepMapShareASymbolId)
{
    ASSERT_NE(NewDocument(1), nullptr);
    // A damaged file: the same symbol id in two charts, each recorded.
    CHOXFlowWnd* a = Chart(S("A"));
    CHOXFlowWnd* b = Chart(S("B"));
    CHOXSymbol* inA = Timer(a, CPoint(100, 60));
    auto twin = std::make_unique<CHOXCodeTime>(CPoint(100, 60), b);
    twin->SetId(inA->GetId());
    twin->CalcSteps();
    CHOXSymbol* inB = twin.get();
    b->AddObject(std::move(twin));
    Record(inA, 0);
    Record(inB, 4);
    StartMonitoring();
    tracker->Update(5, -1, -1);
    ASSERT_EQ(1, Mark(inB, 0));
    // The mark goes from the chart it was set in, not from the first
    // chart the step map names for the id.
    tracker.reset();
    EXPECT_EQ(0, Mark(inB, 0));
    EXPECT_EQ(0, Mark(inA, 0));
}

TEST_F(MonTrackerTest, TheStepScrollsTheSymbolToTheMiddleWhenTheSheetIsLarger)
{
    ASSERT_NE(NewDocument(1), nullptr);
    TwoCharts();
    // A sheet larger than the view.
    press->GetBaseRect()->m_position = CRect(0, 0, 2000, 1500);
    StartMonitoring();
    MemoryViewHost& view = AxisView(Tracker::kX);
    view.client = CRect(0, 0, 400, 300);
    tracker->Update(4, -1, -1);
    // The second timer's corner (900, 700) in the middle of the client area.
    EXPECT_EQ(CPoint(900 - 200, 700 - 150), view.scroll);

    // A view that shows the whole sheet does not scroll.
    view.client = CRect(0, 0, 4000, 3000);
    view.scroll = CPoint(0, 0);
    tracker->Update(0, -1, -1);
    EXPECT_EQ(CPoint(0, 0), view.scroll);
}

TEST_F(MonTrackerTest, CoveredAxesKeepTheirMarksAndLoseOrHideTheirProgramText)
{
    enum Dialog { kGone, kHidden, kShown };
    struct Axis {
        bool moved;
        Dialog dialog;
    };
    struct Case {
        const char* what;
        std::function<void(MonTrackerTest&)> cover;
        Axis x, y, subtask;
    };
    const Case cases[] = {
        {"nothing covered", [](MonTrackerTest&) {}, {true, kHidden}, {true, kShown}, {true, kShown}},
        {"the main window minimized", [](MonTrackerTest& t) { t.MainHost().minimized = true; },
         {false, kGone}, {false, kGone}, {false, kGone}},
        {"the monitor frame maximized", [](MonTrackerTest& t) { t.MonitorFrame()->Show(SW_SHOWMAXIMIZED); },
         {false, kGone}, {false, kGone}, {false, kGone}},
        {"the monitor frame maximized but closed",
         [](MonTrackerTest& t) {
             t.MonitorFrame()->Show(SW_SHOWMAXIMIZED);
             t.MonitorFrame()->Show(SW_HIDE);
         },
         {true, kHidden}, {true, kShown}, {true, kShown}},
        {"the X frame minimized", [](MonTrackerTest& t) { t.AxisFrame(Tracker::kX)->Show(SW_SHOWMINIMIZED); },
         {false, kGone}, {true, kShown}, {true, kShown}},
        {"the X frame maximized", [](MonTrackerTest& t) { t.AxisFrame(Tracker::kX)->Show(SW_SHOWMAXIMIZED); },
         {true, kHidden}, {false, kHidden}, {false, kHidden}},
        {"the Y frame maximized", [](MonTrackerTest& t) { t.AxisFrame(Tracker::kY)->Show(SW_SHOWMAXIMIZED); },
         {false, kHidden}, {true, kShown}, {false, kHidden}},
        {"the subtask frame minimized",
         [](MonTrackerTest& t) { t.AxisFrame(Tracker::kSubtask)->Show(SW_SHOWMINIMIZED); },
         {true, kHidden}, {true, kShown}, {false, kGone}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(NewDocument(1), nullptr);
        ProgramsOfEachAxis();
        StartMonitoring();
        // Each axis runs the first line of its program text.
        ASSERT_EQ(1, tracker->Update(0, 100, 200));
        for (int axis = 0; axis < 3; ++axis) {
            ASSERT_NE(ProgText(axis), nullptr);
            EXPECT_EQ(S(kFirstLine), Selected(axis));
        }
        c.cover(*this);
        // X goes on to its timer, Y and the subtask to the MOV line.
        EXPECT_EQ(1, tracker->Update(13, 104, 204));
        const Axis* expected[] = {&c.x, &c.y, &c.subtask};
        for (int axis = 0; axis < 3; ++axis) {
            SCOPED_TRACE(axis);
            const Axis& e = *expected[axis];
            const CHOXMonProgTextDlg* dialog = tracker->GetProgTextDlg(axis);
            if (axis == Tracker::kX) {
                EXPECT_EQ(e.moved ? 0 : 1, Mark(texts[0], 0));
                EXPECT_EQ(e.moved ? 1 : 0, Mark(timers[0], 0));
            } else {
                EXPECT_EQ(1, Mark(texts[static_cast<std::size_t>(axis)], axis));
                if (e.dialog != kGone) {
                    EXPECT_EQ(S(e.moved ? kMovLine : kFirstLine), Selected(axis));
                }
            }
            EXPECT_EQ(e.dialog == kGone, dialog == nullptr);
            if (dialog != nullptr) {
                EXPECT_EQ(e.dialog == kShown, dialog->IsWindowVisible());
            }
        }
        EXPECT_EQ(static_cast<std::size_t>(3 - std::count_if(std::begin(expected), std::end(expected),
                                                               [](const Axis* a) { return a->dialog == kGone; })),
                  dialogs.ModelessOpen());
        MainHost().minimized = false;
        CloseDocument();
        EXPECT_EQ(0u, dialogs.ModelessOpen());
    }
}

TEST_F(MonTrackerTest, KeptRectanglesAndCornersAreUsedUntilSetDefaultPosition)
{
    ASSERT_NE(NewDocument(1), nullptr);
    ProgramsOfEachAxis();
    const CRect keptX(10, 10, 300, 200);
    const CRect keptSubtask(20, 300, 400, 600);
    const CRect keptMonitor(700, 450, 1100, 780);
    Doc()->SetStoredRect(Tracker::kX, keptX);
    Doc()->SetStoredRect(Tracker::kSubtask, keptSubtask);
    Doc()->SetStoredRect(Tracker::kMonitorFrame, keptMonitor);
    Doc()->SetProgTextPos(Tracker::kX, CPoint(321, 123));
    StartMonitoring();

    tracker->Update(0, 100, -1);
    EXPECT_EQ(keptX, AxisFrame(Tracker::kX)->normal);
    // A kept rectangle of (0, 0, 0, 0) is none.
    EXPECT_EQ(kYQuarter, AxisFrame(Tracker::kY)->normal);
    EXPECT_EQ(keptSubtask, AxisFrame(Tracker::kSubtask)->normal);
    EXPECT_EQ(keptMonitor, MonitorFrame()->normal);
    CHOXMonProgTextDlg* x = tracker->GetProgTextDlg(Tracker::kX);
    CHOXMonProgTextDlg* y = tracker->GetProgTextDlg(Tracker::kY);
    ASSERT_NE(x, nullptr);
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(CPoint(321, 123), x->GetWindowRect().TopLeft());
    // Without a kept corner: centred over the frame, on the screen.
    const auto centred = [](const CRect& frame, const CRect& window) {
        return CPoint(frame.left + (frame.Width() - window.Width()) / 2,
                      frame.top + (frame.Height() - window.Height()) / 2);
    };
    const CRect yScreen = AxisFrame(Tracker::kY)->GetScreenRect();
    EXPECT_EQ(CRect(640, 490, 1240, 890), yScreen);
    EXPECT_EQ(centred(yScreen, y->GetWindowRect()), y->GetWindowRect().TopLeft());

    // The user moves a frame; later Set Default Position puts every frame
    // in its quarter and every window in the middle of its frame, once.
    AxisFrame(Tracker::kX)->MoveWindow(CRect(5, 5, 100, 100));
    ASSERT_TRUE(GetCommandRouter()->Execute(ID_DEFAULT_POSITION));
    ASSERT_TRUE(Doc()->IsDefaultPositionRequested());
    tracker->Update(1, 101, -1);
    EXPECT_FALSE(Doc()->IsDefaultPositionRequested());
    EXPECT_EQ(kMonitorQuarter, MonitorFrame()->normal);
    EXPECT_EQ(kXQuarter, AxisFrame(Tracker::kX)->normal);
    EXPECT_EQ(kYQuarter, AxisFrame(Tracker::kY)->normal);
    EXPECT_EQ(kSubtaskQuarter, AxisFrame(Tracker::kSubtask)->normal);
    EXPECT_EQ(centred(AxisFrame(Tracker::kX)->GetScreenRect(), x->GetWindowRect()), x->GetWindowRect().TopLeft());
    EXPECT_EQ(centred(yScreen, y->GetWindowRect()), y->GetWindowRect().TopLeft());
    AxisFrame(Tracker::kX)->MoveWindow(CRect(5, 5, 100, 100));
    tracker->Update(2, 102, -1);
    EXPECT_EQ(CRect(5, 5, 100, 100), AxisFrame(Tracker::kX)->normal);

    // The corners of the windows go into the document.
    x->SetWindowPos(CPoint(77, 88));
    tracker->SaveProgTextPositions();
    EXPECT_EQ(CPoint(77, 88), Doc()->GetProgTextPos(Tracker::kX));
    EXPECT_EQ(y->GetWindowRect().TopLeft(), Doc()->GetProgTextPos(Tracker::kY));
    EXPECT_EQ(CPoint(0, 0), Doc()->GetProgTextPos(Tracker::kSubtask));
}

TEST_F(MonTrackerTest, SaveWindowLayoutKeepsTheFramesAndMarksTheDocumentOnlyWhenOneMoved)
{
    const CRect keptX(10, 10, 300, 200);
    const CRect keptY(610, 410, 900, 700);
    struct Case {
        const char* what;
        int type;
        bool arrange;
        std::function<void(MonTrackerTest&)> user;
        bool modified;
        CRect x, y;
    };
    const Case cases[] = {
        {"frames as they were put", 1, true, [](MonTrackerTest&) {}, false, keptX, keptY},
        {"a frame moved", 1, true,
         [](MonTrackerTest& t) { t.AxisFrame(Tracker::kX)->MoveWindow(CRect(1, 2, 301, 202)); }, true,
         CRect(1, 2, 301, 202), keptY},
        {"a frame maximized: its normal place", 1, true,
         [](MonTrackerTest& t) { t.AxisFrame(Tracker::kX)->Show(SW_SHOWMAXIMIZED); }, false, keptX, keptY},
        {"the frames never arranged", 1, false, [](MonTrackerTest&) {}, false, keptX, keptY},
        {"one axis: no Y place", 0, true, [](MonTrackerTest&) {}, true, keptX, CRect()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(NewDocument(c.type), nullptr);
        const std::array<CRect, 4> kept{keptX, keptY, kSubtaskQuarter, kMonitorQuarter};
        for (int i = 0; i < 4; ++i) Doc()->SetStoredRect(i, kept[static_cast<std::size_t>(i)]);
        StartMonitoring();
        if (c.arrange) tracker->Update(-1, -1, -1);
        c.user(*this);
        Doc()->SetModifiedFlag(false);
        tracker->SaveWindowLayout();
        EXPECT_EQ(c.modified, Doc()->IsModified());
        EXPECT_EQ(c.x, Doc()->GetStoredRect(Tracker::kX));
        EXPECT_EQ(c.y, Doc()->GetStoredRect(Tracker::kY));
        EXPECT_EQ(kSubtaskQuarter, Doc()->GetStoredRect(Tracker::kSubtask));
        EXPECT_EQ(kMonitorQuarter, Doc()->GetStoredRect(Tracker::kMonitorFrame));
        CloseDocument();
    }
}

TEST_F(MonTrackerTest, AnAxisWithoutAMonitoredWindowIsNeitherArrangedNorKept)
{
    ASSERT_NE(NewDocument(1), nullptr);
    // A chart of the Y axis's hidden window's name: Y has none.
    CHOXFlowWnd* namesake = Chart(S("FlowChart 2(Blank)"));
    ASSERT_NE(namesake, nullptr);
    CHOXSymbol* y1 = Timer(namesake, CPoint(100, 60));
    Record(y1, 0);
    const CRect namesakeRect = FrameOf(namesake)->GetRestoredRect();
    Doc()->SetStoredRect(Tracker::kY, CRect(1, 1, 50, 50));
    StartMonitoring();
    ASSERT_EQ(nullptr, Monitored(Tracker::kY));

    EXPECT_EQ(1, tracker->Update(-1, 0, -1));
    EXPECT_TRUE(AxisFrame(Tracker::kX)->visible);
    EXPECT_EQ(kXQuarter, AxisFrame(Tracker::kX)->normal);
    // The chart is neither captioned, moved nor shown, and its symbol is
    // not marked in any window.
    const MemoryChildFrameHost* chart = MemoryFrameHost::Of(FrameOf(namesake));
    EXPECT_EQ(S("FlowChart 2(Blank)"), chart->title);
    EXPECT_EQ(namesakeRect, chart->normal);
    EXPECT_FALSE(chart->visible);
    EXPECT_EQ(0, Mark(y1, 1));
    // Nothing is kept without it.
    Doc()->SetModifiedFlag(false);
    tracker->SaveWindowLayout();
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(CRect(1, 1, 50, 50), Doc()->GetStoredRect(Tracker::kY));
    EXPECT_EQ(CRect(), Doc()->GetStoredRect(Tracker::kX));
}

TEST_F(MonTrackerTest, TheProgramTextWindowShowsTheRunningLineAndHidesOrEmptiesWhenTheStepLeaves)
{
    ASSERT_NE(NewDocument(1), nullptr);
    ProgramsOfEachAxis();
    StartMonitoring();
    const CHOXMonitorThread* worker = Doc()->GetMonitorThread()->GetThread();
    EXPECT_EQ(MonitorPriority::Normal, worker->GetPriority());
    // The subtask's flag keeps its window when the step leaves the text.
    ASSERT_TRUE(GetCommandRouter()->Execute(ID_PROGTEXT_SUBTASK));

    tracker->Update(-1, -1, 200);
    DialogDriver* window = ProgText(Tracker::kSubtask);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(S("Monitoring Program In Text(Subtask)"), window->Caption());
    EXPECT_EQ(S("TIM K1;\r\nbad line;\r\nMOV K1 D0;\r\nm02(END);"), Shown(Tracker::kSubtask));
    EXPECT_EQ(S(kFirstLine), Selected(Tracker::kSubtask));
    EXPECT_TRUE(tracker->GetProgTextDlg(Tracker::kSubtask)->IsWindowVisible());
    EXPECT_EQ(MonitorPriority::BelowNormal, worker->GetPriority());
    tracker->Update(-1, -1, 212);
    EXPECT_EQ(S("m02(END);"), Selected(Tracker::kSubtask));
    // Out of the text: the window stays, empty.
    tracker->Update(-1, -1, 213);
    EXPECT_EQ(QString(), Shown(Tracker::kSubtask));
    EXPECT_TRUE(tracker->GetProgTextDlg(Tracker::kSubtask)->IsWindowVisible());
    EXPECT_EQ(nullptr, tracker->GetProgTextDlg(Tracker::kSubtask)->GetSymbol());
    // Back in: the text again.
    tracker->Update(-1, -1, 205);
    EXPECT_EQ(S(kMovLine), Selected(Tracker::kSubtask));

    // Without the flag the window hides, and shows again with the text.
    tracker->Update(0, 110, -1);
    const CHOXMonProgTextDlg* x = tracker->GetProgTextDlg(Tracker::kX);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(S("Monitoring Program In Text(X axis)"), ProgText(Tracker::kX)->Caption());
    EXPECT_EQ(S("Monitoring Program In Text(Y axis)"), ProgText(Tracker::kY)->Caption());
    EXPECT_EQ(S(kMovLine), Selected(Tracker::kY));
    tracker->Update(13, -1, -1);
    EXPECT_FALSE(x->IsWindowVisible());
    EXPECT_EQ(S(kFirstLine), Shown(Tracker::kX).left(7));
    tracker->Update(4, -1, -1);
    EXPECT_TRUE(x->IsWindowVisible());
    EXPECT_EQ(S(kMovLine), Selected(Tracker::kX));

    // The tracker's windows go with it.
    EXPECT_EQ(3u, dialogs.ModelessOpen());
    tracker.reset();
    EXPECT_EQ(0u, dialogs.ModelessOpen());
}
