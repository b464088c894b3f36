// Clicks on the monitor page while the document monitors: held buttons
// pressed, released and let go when the pointer leaves them or the capture
// goes; a button that waits for a double click; the stop of monitoring by the
// view's timer; timers held while a call waits. Buttons only the tests know
// write down what reaches them.
#include "chart/HOXRect.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/MonViewFixture.h"
#include "res/CommandIds.h"

#include <algorithm>
#include <functional>

using namespace kt::test;

namespace {

using Log = std::vector<std::string>;

class MonViewMonitoringTest : public ::testing::Test, protected MonViewFixture {
protected:
    MonViewMonitoringTest()
    {
        jog = Button(30, CRect(100, 100, 160, 130), CTestMonButton::kHeld, "jog");
        feed = Button(31, CRect(200, 100, 260, 130), CTestMonButton::kWaiting, "feed");
        gauge = Button(32, CRect(300, 100, 360, 130), CTestMonButton::kPlain, "gauge");
        StartMonitoring();
    }

    CTestMonButton* jog = nullptr;
    CTestMonButton* feed = nullptr;
    CTestMonButton* gauge = nullptr;
};

} // namespace

TEST_F(MonViewMonitoringTest, APressAndReleaseReachTheObjectAndNothingIsEdited)
{
    Click(CPoint(120, 110));
    Click(CPoint(320, 110));
    EXPECT_EQ(log, (Log{"down jog 120,110", "up jog", "down gauge 320,110", "up gauge"}));
    // Nothing moves, nothing is selected, no band; a release frees the
    // mouse.
    Drag(CPoint(120, 110), CPoint(150, 150));
    EXPECT_EQ(jog->GetRect(), CRect(100, 100, 160, 130));
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    Drag(CPoint(50, 50), CPoint(400, 280));
    EXPECT_EQ(view.m_nBandActive, 0);
    EXPECT_EQ(view.GetSelectionCount(), 0u);
    EXPECT_FALSE(host.capture);
    // The mouse is free before the object hears of the release: a dialog it
    // opens then gets the mouse.
    bool capturedAtRelease = true;
    jog->onRelease = [&] { capturedAtRelease = host.capture; };
    Press(CPoint(120, 110));
    EXPECT_TRUE(host.capture);
    Release(CPoint(120, 110));
    EXPECT_FALSE(capturedAtRelease);
    jog->onRelease = nullptr;
    // The tool stays what it was.
    CHOXView::s_nToolMode = toolmode::kRect;
    Drag(CPoint(20, 200), CPoint(80, 260));
    EXPECT_EQ(Shapes(), 0u);
    EXPECT_EQ(Mode(), toolmode::kRect);
}

TEST_F(MonViewMonitoringTest, LeavingAHeldButtonReleasesItThoughTheMouseButtonIsStillDown)
{
    Press(CPoint(120, 110));
    EXPECT_EQ(view.GetPressedPanel(), jog);
    MoveTo(CPoint(130, 115));
    EXPECT_EQ(log, (Log{"down jog 120,110"}));
    MoveTo(CPoint(130, 200));
    EXPECT_EQ(log, (Log{"down jog 120,110", "up jog"}));
    // Released over empty space, it is forgotten, and not released twice.
    Release(CPoint(130, 200));
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(view.GetPressedPanel(), nullptr);
    log.clear();
    MoveTo(CPoint(140, 220), 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(MonViewMonitoringTest, ReleasedOverAnotherObjectTheHeldButtonIsLetGoAndTheOtherGetsTheRelease)
{
    Press(CPoint(120, 110));
    // No move on the way: the page went from under the pointer.
    Release(CPoint(320, 110));
    EXPECT_EQ(log, (Log{"down jog 120,110", "up jog", "up gauge"}));
    EXPECT_EQ(view.GetPressedPanel(), nullptr);
}

TEST_F(MonViewMonitoringTest, ALostCaptureReleasesAHeldButtonOnce)
{
    Press(CPoint(120, 110));
    view.OnCaptureLost();
    EXPECT_EQ(log, (Log{"down jog 120,110", "up jog"}));
    EXPECT_EQ(view.GetPressedPanel(), nullptr);
    view.OnCaptureLost();
    MoveTo(CPoint(130, 200));
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(MonViewMonitoringTest, AButtonThatWaitsGetsItsSingleClickOnlyAfterTheDoubleClickTime)
{
    host.doubleClickTime = 450;
    Click(CPoint(220, 110));
    // Nothing yet, not even the release.
    EXPECT_TRUE(log.empty());
    ASSERT_TRUE(host.TimerRuns(CHOXMonView::kDelayedClickTimer));
    EXPECT_EQ(host.timers[CHOXMonView::kDelayedClickTimer], 450u);
    EXPECT_TRUE(host.FireTimer(view, CHOXMonView::kDelayedClickTimer));
    EXPECT_EQ(log, (Log{"down feed 220,110"}));
    // The timer runs once.
    EXPECT_FALSE(host.TimerRuns(CHOXMonView::kDelayedClickTimer));
}

TEST_F(MonViewMonitoringTest, ADoubleClickOpensTheButtonInsteadOfItsSingleClick)
{
    DoubleClick(CPoint(220, 110));
    EXPECT_EQ(log, (Log{"open feed 220,110"}));
    EXPECT_FALSE(host.TimerRuns(CHOXMonView::kDelayedClickTimer));
    // Opening works while editing too, and for any monitor object.
    StopMonitoring();
    DoubleClick(CPoint(320, 110));
    EXPECT_NE(std::find(log.begin(), log.end(), "open gauge 320,110"), log.end());
}

TEST_F(MonViewMonitoringTest, TheSingleClickPressesOnlyTheButtonThatWaitedWhileItIsThereAndMonitored)
{
    // Another press meanwhile does not take the waiting click.
    Click(CPoint(220, 110));
    Click(CPoint(120, 110));
    host.FireTimer(view, CHOXMonView::kDelayedClickTimer);
    EXPECT_EQ(log, (Log{"down jog 120,110", "up jog", "down feed 220,110"}));

    struct Case {
        const char* name;
        std::function<void()> meanwhile;
    };
    const Case cases[] = {
        {"moved away", [&] { feed->m_position = CRect(400, 200, 460, 230); }},
        {"monitoring stopped", [&] { StopMonitoring(); }},
        {"deleted",
         [&] {
             std::unique_ptr<CHOXDrawObj> gone = wnd->RemoveMonObj(31);
             feed = nullptr;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartMonitoring();
        feed->m_position = CRect(200, 100, 260, 130);
        log.clear();
        Click(CPoint(220, 110));
        c.meanwhile();
        host.FireTimer(view, CHOXMonView::kDelayedClickTimer);
        EXPECT_TRUE(log.empty());
    }
}

TEST_F(MonViewMonitoringTest, APressedButtonDeletedAfterMonitoringStoppedIsNeverCalled)
{
    // Pressed, left, and released away from every object.
    Press(CPoint(120, 110));
    MoveTo(CPoint(120, 200));
    Release(CPoint(120, 200));
    StopMonitoring();
    // Deleted, and gone for good once the undo store lets it go.
    SelectOnly({jog});
    Command(ID_EDIT_DELETE);
    wnd->GetUndo()->Clear();
    jog = nullptr;
    log.clear();
    StartMonitoring();
    MoveTo(CPoint(50, 50), 0);
    Click(CPoint(50, 50));
    view.OnCaptureLost();
    EXPECT_TRUE(log.empty());
}

TEST_F(MonViewMonitoringTest, APressedButtonIsForgottenWhenMonitoringStopsAndStartsAgain)
{
    Press(CPoint(120, 110));
    StopMonitoring();
    doc->UpdateAllViews(nullptr);
    StartMonitoring();
    EXPECT_EQ(view.GetPressedPanel(), nullptr);
}

TEST_F(MonViewMonitoringTest, TheStopTimerEndsMonitoringOnceIn200Milliseconds)
{
    Press(CPoint(120, 110));
    view.StartStopTimer();
    ASSERT_TRUE(host.TimerRuns(CHOXMonView::kStopTimer));
    EXPECT_EQ(host.timers[CHOXMonView::kStopTimer], 200u);
    EXPECT_FALSE(doc->IsEditMode());
    host.FireTimer(view, CHOXMonView::kStopTimer);
    EXPECT_TRUE(doc->IsEditMode());
    EXPECT_FALSE(host.TimerRuns(CHOXMonView::kStopTimer));
    EXPECT_EQ(view.m_nStopTimer, 0u);
    EXPECT_EQ(view.GetPressedPanel(), nullptr);
    // Fired when nothing monitors, it changes nothing.
    view.StartStopTimer();
    host.FireTimer(view, CHOXMonView::kStopTimer);
    EXPECT_TRUE(doc->IsEditMode());
}

TEST_F(MonViewMonitoringTest, TimersThatComeDueWhileACallWaitsRunWhenTheyComeDueAfterIt)
{
    view.StartStopTimer();
    Click(CPoint(220, 110));
    {
        const ViewTimerHold waiting;
        EXPECT_TRUE(ViewTimerHold::IsHeld());
        host.FireTimer(view, CHOXMonView::kStopTimer);
        host.FireTimer(view, CHOXMonView::kDelayedClickTimer);
        EXPECT_FALSE(doc->IsEditMode());
        EXPECT_TRUE(log.empty());
    }
    EXPECT_FALSE(ViewTimerHold::IsHeld());
    // Both still run, and come due again.
    host.FireTimer(view, CHOXMonView::kDelayedClickTimer);
    EXPECT_EQ(log, (Log{"down feed 220,110"}));
    host.FireTimer(view, CHOXMonView::kStopTimer);
    EXPECT_TRUE(doc->IsEditMode());
}

TEST_F(MonViewMonitoringTest, TheProgramsManualOperationButtonsAreHeldAndTheFeedButtonsWait)
{
    for (std::int32_t index = 0; index < 14; ++index) {
        const CHOXMonManOpern button(index, wnd);
        EXPECT_TRUE(button.IsHeldButton());
        EXPECT_EQ(button.WaitsForDoubleClick(), index == 5 || index == 12) << index;
    }
    const CHOXMonObj plain(wnd);
    EXPECT_FALSE(plain.IsHeldButton());
    EXPECT_FALSE(plain.WaitsForDoubleClick());
}
