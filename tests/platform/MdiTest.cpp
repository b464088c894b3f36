// Child frames in the main window: made hidden by a template, shown and
// activated by the initial update, routed to for commands, closed through
// the frame's logic, destroyed without leaving their view behind.
#include "platform/Document.h"
#include "platform/MDI.h"
#include "platform/MenuResource.h"
#include "platform/View.h"
#include "platform/WinApp.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtFrameWindow.h"
#include "platform/ui/QtPlatform.h"
#include "platform/ui/QtViewWidget.h"
#include "support/QtMainWindowTest.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace {

class CountingView : public CView {
public:
    CountingView() { OnCommand(100, [this] { ++commands; }); }
    void OnInitialUpdate() override { ++initialUpdates; }
    int initialUpdates = 0;
    int commands = 0;
};

class HidingFrame : public CMDIChildWnd {
public:
    void OnClose() override
    {
        ++closes;
        ShowWindow(SW_HIDE);
    }
    void OnMDIActivate(bool active) override { activations += active ? 1 : 0; }
    int closes = 0;
    int activations = 0;
};

class MdiTest : public kt::test::QtMainWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(QtMainWindowTest::SetUp());
        m_main->ShowWindow(SW_SHOW);
    }
    CMultiDocTemplate m_template{1002, [] { return std::make_unique<HidingFrame>(); },
                                 [] { return std::make_unique<CountingView>(); }};
};

} // namespace

TEST_F(MdiTest, TemplateMakesHiddenFramesThatTheInitialUpdateShows)
{
    CDocument doc;
    CMDIChildWnd* one = m_template.CreateNewFrame(&doc, m_main);
    ASSERT_NE(one, nullptr);
    EXPECT_FALSE(one->IsWindowVisible());
    EXPECT_EQ(doc.GetViews().size(), 1u);
    EXPECT_EQ(one->GetActiveDocument(), &doc);
    EXPECT_EQ(one->GetWindowRect(), CRect(0, 0, 550, 350));

    m_template.InitialUpdateFrame(one, &doc, true);
    auto* view = static_cast<CountingView*>(one->GetActiveView());
    EXPECT_EQ(view->initialUpdates, 1);
    EXPECT_TRUE(one->IsWindowVisible());
    EXPECT_EQ(m_main->MDIGetActive(), one);

    // Commands reach the active frame's view.
    EXPECT_TRUE(GetCommandRouter()->Execute(100));
    EXPECT_EQ(view->commands, 1);

    CMDIChildWnd* two = m_template.CreateNewFrame(&doc, m_main);
    m_template.InitialUpdateFrame(two, &doc, true);
    EXPECT_EQ(m_main->MDIGetActive(), two);
    m_main->MDIActivate(one);
    EXPECT_EQ(m_main->MDIGetActive(), one);
    EXPECT_GE(static_cast<HidingFrame*>(one)->activations, 2);
}

TEST_F(MdiTest, ClosingAsksTheFramesLogicAndDestroyingTakesTheViewAway)
{
    CDocument doc;
    CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
    m_template.InitialUpdateFrame(frame, &doc, true);
    frame->SetWindowText(QStringLiteral("Flow Chart1"));
    auto* host = static_cast<QtChildFrameHost*>(frame->Host());
    EXPECT_EQ(host->Window()->windowTitle(), QStringLiteral("Flow Chart1"));

    host->Window()->close();
    EXPECT_EQ(static_cast<HidingFrame*>(frame)->closes, 1);
    EXPECT_FALSE(frame->IsWindowVisible());
    EXPECT_EQ(m_main->GetChildren().size(), 1u);

    frame->ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(frame->IsZoomed());
    frame->ShowWindow(SW_RESTORE);
    frame->MoveWindow(CRect(20, 30, 320, 230));
    EXPECT_EQ(frame->GetWindowRect(), CRect(20, 30, 320, 230));
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    CRect restored;
    ASSERT_TRUE(host->Window()->ViewWidget()->GetFrameRestoredRect(restored));
    EXPECT_EQ(restored, CRect(20, 30, 320, 230));

    m_main->DestroyChild(frame);
    EXPECT_TRUE(m_main->GetChildren().empty());
    EXPECT_TRUE(doc.GetViews().empty());
    EXPECT_EQ(m_main->MDIGetActive(), nullptr);
}

TEST_F(MdiTest, TheWindowListNamesTheVisibleFramesAndActivatesTheChosenOne)
{
    CDocument doc;
    const QString titles[] = {QStringLiteral("Nuts & Bolts"), QStringLiteral("Hidden"), QStringLiteral("Press")};
    std::vector<CMDIChildWnd*> frames;
    for (const QString& title : titles) {
        CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
        m_template.InitialUpdateFrame(frame, &doc, true);
        frame->SetWindowText(title);
        frames.push_back(frame);
    }
    frames[1]->ShowWindow(SW_HIDE);
    m_main->MDIActivate(frames[2]);

    CommandRouter* router = GetCommandRouter();
    const CCmdUI first = router->QueryState(kFirstWindowListCommand);
    EXPECT_EQ(first.m_strText, QStringLiteral("&1 Nuts && Bolts"));
    EXPECT_EQ(first.m_nCheck, 0);
    const CCmdUI second = router->QueryState(kFirstWindowListCommand + 1);
    EXPECT_EQ(second.m_strText, QStringLiteral("&2 Press"));
    EXPECT_EQ(second.m_nCheck, 1);
    const CCmdUI third = router->QueryState(kFirstWindowListCommand + 2);
    EXPECT_TRUE(third.m_bTextChanged);
    EXPECT_TRUE(third.m_strText.isEmpty());
    EXPECT_FALSE(third.m_bEnabled);

    // A minimized frame comes back when it is chosen.
    frames[0]->ShowWindow(SW_SHOWMINIMIZED);
    EXPECT_TRUE(router->Execute(kFirstWindowListCommand));
    EXPECT_EQ(m_main->MDIGetActive(), frames[0]);
    EXPECT_FALSE(frames[0]->IsIconic());
    EXPECT_FALSE(router->Execute(kFirstWindowListCommand + 2));
    EXPECT_EQ(m_main->MDIGetActive(), frames[0]);

    // In the menu: a separator and one entry a visible frame, nothing more.
    m_main->Host()->SetMenu(1002);
    QMenuBar* bar = dynamic_cast<QtFrameWindow*>(m_main->Host())->menuBar();
    QMenu* window = nullptr;
    for (QAction* action : bar->actions())
        if (action->text() == QStringLiteral("&Window")) window = action->menu();
    ASSERT_NE(window, nullptr);
    const auto shown = [window] {
        emit window->aboutToShow();
        QStringList texts;
        for (QAction* action : window->actions())
            if (action->isVisible()) texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    };
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("&Cascade"), QStringLiteral("&Tile"), QStringLiteral("Close &All"),
                                    QStringLiteral("-"), QStringLiteral("&1 Nuts && Bolts"),
                                    QStringLiteral("&2 Press")}));
    frames[0]->ShowWindow(SW_HIDE);
    frames[2]->ShowWindow(SW_HIDE);
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("&Cascade"), QStringLiteral("&Tile"), QStringLiteral("Close &All")}));
}

TEST_F(MdiTest, PastTheNinthFrameTheActiveOneTakesTheLastPlace)
{
    CDocument doc;
    std::vector<CMDIChildWnd*> frames;
    for (int i = 1; i <= 12; ++i) {
        CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
        m_template.InitialUpdateFrame(frame, &doc, true);
        frame->SetWindowText(QStringLiteral("Chart%1").arg(i));
        frames.push_back(frame);
    }
    m_main->MDIActivate(frames[3]);
    std::vector<CMDIChildWnd*> listed = m_main->WindowListFrames();
    ASSERT_EQ(listed.size(), 9u);
    EXPECT_EQ(listed[8], frames[8]);

    m_main->MDIActivate(frames[10]);
    listed = m_main->WindowListFrames();
    ASSERT_EQ(listed.size(), 9u);
    EXPECT_EQ(listed[7], frames[7]);
    EXPECT_EQ(listed[8], frames[10]);
    EXPECT_EQ(GetCommandRouter()->QueryState(kFirstWindowListCommand + 8).m_strText, QStringLiteral("&9 Chart11"));
}

namespace {

// Records every activation change of its frames, in order.
using ActivationLog = std::vector<std::pair<CMDIChildWnd*, bool>>;

class LoggingFrame : public CMDIChildWnd {
public:
    explicit LoggingFrame(ActivationLog& log) : m_log(log) {}
    void OnClose() override { ShowWindow(SW_HIDE); }
    void OnMDIActivate(bool active) override { m_log.push_back({this, active}); }

private:
    ActivationLog& m_log;
};

} // namespace

TEST_F(MdiTest, EachActivationChangeIsReportedOnceAndTheWindowFollowsTheActiveFrame)
{
    ActivationLog log;
    CDocument doc;
    CMultiDocTemplate logging{1002, [&log] { return std::make_unique<LoggingFrame>(log); },
                              [] { return std::make_unique<CountingView>(); }};
    CMDIChildWnd* one = logging.CreateNewFrame(&doc, m_main);
    CMDIChildWnd* two = logging.CreateNewFrame(&doc, m_main);
    CMDIChildWnd* hidden = logging.CreateNewFrame(&doc, m_main);
    logging.InitialUpdateFrame(one, &doc, true);
    logging.InitialUpdateFrame(two, &doc, true);
    EXPECT_EQ(log, ActivationLog({{one, true}, {one, false}, {two, true}}));
    log.clear();

    // Activating the active frame again changes nothing.
    m_main->MDIActivate(two);
    EXPECT_TRUE(log.empty());

    // A hidden frame can be made active (commands then still reach its
    // document); the shown one stops being active, in the window too, so
    // that a click on it makes it active again.
    m_main->MDIActivate(hidden);
    EXPECT_EQ(m_main->MDIGetActive(), hidden);
    EXPECT_EQ(log, ActivationLog({{two, false}, {hidden, true}}));
    QMdiArea* area = dynamic_cast<QtFrameWindow*>(m_main->Host())->MdiArea();
    EXPECT_EQ(area->activeSubWindow(), nullptr);
    log.clear();
    area->setActiveSubWindow(static_cast<QtChildFrameHost*>(two->Host())->Window());
    EXPECT_EQ(m_main->MDIGetActive(), two);
    EXPECT_EQ(log, ActivationLog({{hidden, false}, {two, true}}));
    EXPECT_TRUE(GetCommandRouter()->Execute(100));
    EXPECT_EQ(static_cast<CountingView*>(two->GetActiveView())->commands, 1);

    log.clear();
    hidden->ShowWindow(SW_SHOW);
    m_main->MDIActivate(hidden);
    EXPECT_EQ(m_main->MDIGetActive(), hidden);
    EXPECT_EQ(log, ActivationLog({{two, false}, {hidden, true}}));
}

TEST_F(MdiTest, DestroyingTheActiveFrameHandsOnToAVisibleOne)
{
    ActivationLog log;
    CDocument doc;
    CMultiDocTemplate logging{1002, [&log] { return std::make_unique<LoggingFrame>(log); },
                              [] { return std::make_unique<CountingView>(); }};
    CMDIChildWnd* one = logging.CreateNewFrame(&doc, m_main);
    CMDIChildWnd* hidden = logging.CreateNewFrame(&doc, m_main);
    CMDIChildWnd* two = logging.CreateNewFrame(&doc, m_main);
    logging.InitialUpdateFrame(one, &doc, true);
    logging.InitialUpdateFrame(two, &doc, true);
    log.clear();

    m_main->DestroyChild(two);
    EXPECT_EQ(m_main->MDIGetActive(), one);
    EXPECT_EQ(log, ActivationLog({{one, true}}));
    EXPECT_TRUE(GetCommandRouter()->Execute(100));
    EXPECT_EQ(static_cast<CountingView*>(one->GetActiveView())->commands, 1);

    // With only hidden frames left there is no active one.
    log.clear();
    m_main->DestroyChild(one);
    EXPECT_EQ(m_main->MDIGetActive(), nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(hidden->IsWindowVisible());
}

TEST_F(MdiTest, ClosingTheMainWindowWithFramesTellsNoFrameOfActivation)
{
    ActivationLog log;
    CDocument doc;
    CMultiDocTemplate logging{1002, [&log] { return std::make_unique<LoggingFrame>(log); },
                              [] { return std::make_unique<CountingView>(); }};
    std::vector<CMDIChildWnd*> frames;
    for (int i = 0; i < 3; ++i) {
        frames.push_back(logging.CreateNewFrame(&doc, m_main));
        logging.InitialUpdateFrame(frames.back(), &doc, true);
    }
    // The first made is active: its neighbours would take over one by one.
    m_main->MDIActivate(frames.front());
    log.clear();
    m_app.DestroyMainWnd();
    m_main = nullptr;
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(doc.GetViews().empty());
}

TEST_F(MdiTest, TheRestoredRectangleSurvivesEveryShowState)
{
    CDocument doc;
    CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
    m_template.InitialUpdateFrame(frame, &doc, true);
    frame->MoveWindow(CRect(40, 50, 440, 350));
    const CRect placed(40, 50, 440, 350);
    const struct {
        std::vector<int> shows;
        bool zoomed;
        bool iconic;
    } cases[] = {
        {{SW_SHOWMAXIMIZED}, true, false},
        {{SW_SHOWMINIMIZED}, false, true},
        {{SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED}, false, true},
        {{SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED}, true, false},
        {{SW_SHOWMAXIMIZED, SW_RESTORE}, false, false},
        {{SW_SHOWMINIMIZED, SW_SHOWNORMAL}, false, false},
    };
    for (const auto& c : cases) {
        for (int show : c.shows) frame->ShowWindow(show);
        EXPECT_EQ(frame->IsZoomed(), c.zoomed) << c.shows.size();
        EXPECT_EQ(frame->IsIconic(), c.iconic) << c.shows.size();
        EXPECT_EQ(frame->Host()->GetRestoredRect(), placed) << c.shows.size();
        frame->ShowWindow(SW_RESTORE);
        EXPECT_EQ(frame->GetWindowRect(), placed) << c.shows.size();
    }
}

TEST_F(MdiTest, CascadeAndTileArrangeOnlyTheShownFrames)
{
    CDocument doc;
    CMDIChildWnd* one = m_template.CreateNewFrame(&doc, m_main);
    CMDIChildWnd* hidden = m_template.CreateNewFrame(&doc, m_main);
    CMDIChildWnd* two = m_template.CreateNewFrame(&doc, m_main);
    m_template.InitialUpdateFrame(one, &doc, true);
    m_template.InitialUpdateFrame(two, &doc, true);
    hidden->MoveWindow(CRect(300, 200, 500, 300));
    for (const bool tile : {false, true}) {
        two->ShowWindow(SW_SHOWMAXIMIZED);
        tile ? m_main->MDITile() : m_main->MDICascade();
        EXPECT_FALSE(hidden->IsWindowVisible()) << tile;
        EXPECT_EQ(hidden->GetWindowRect(), CRect(300, 200, 500, 300)) << tile;
        EXPECT_FALSE(two->IsZoomed()) << tile;
        EXPECT_NE(one->GetWindowRect(), two->GetWindowRect()) << tile;
    }
}

TEST_F(MdiTest, AFrameMovedWhileHiddenKeepsThatPlaceAsItsRestoredRectangle)
{
    const CRect stored(60, 70, 460, 370);
    for (const int show : {SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWNORMAL}) {
        CDocument doc;
        CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
        frame->MoveWindow(stored);
        frame->ShowWindow(show);
        EXPECT_EQ(frame->Host()->GetRestoredRect(), stored) << show;
        CRect restored;
        QtViewWidget* view = static_cast<QtChildFrameHost*>(frame->Host())->Window()->ViewWidget();
        ASSERT_TRUE(view->GetFrameRestoredRect(restored));
        EXPECT_EQ(restored, stored) << show;
        frame->ShowWindow(SW_RESTORE);
        EXPECT_EQ(frame->GetWindowRect(), stored) << show;
        m_main->DestroyChild(frame);
    }
}

namespace {
// The frames in the window system's stacking order, bottom first, the
// hidden ones left out.
std::vector<CMDIChildWnd*> Stacked(CMDIFrameWnd* main)
{
    std::vector<CMDIChildWnd*> frames;
    auto* window = static_cast<QtFrameWindow*>(main->Host());
    for (QMdiSubWindow* sub : window->MdiArea()->subWindowList(QMdiArea::StackingOrder))
        if (auto* frame = qobject_cast<QtChildFrame*>(sub); frame != nullptr && !frame->isHidden())
            frames.push_back(frame->Frame());
    return frames;
}
} // namespace

TEST_F(MdiTest, FramesStackInTheOrderTheyAreMadeAndActivatedAndNoneStaysOnTop)
{
    CDocument doc;
    std::vector<CMDIChildWnd*> frames;
    for (int i = 0; i < 3; ++i) {
        frames.push_back(m_template.CreateNewFrame(&doc, m_main));
        m_template.InitialUpdateFrame(frames.back(), &doc, true);
    }
    EXPECT_EQ(Stacked(m_main), (std::vector<CMDIChildWnd*>{frames[0], frames[1], frames[2]}));
    m_main->MDIActivate(frames[0]);
    EXPECT_EQ(Stacked(m_main), (std::vector<CMDIChildWnd*>{frames[1], frames[2], frames[0]}));

    // One made hidden and shown later goes where it is activated, above the
    // others, and they go above it again when activated.
    CMDIChildWnd* late = m_template.CreateNewFrame(&doc, m_main);
    m_template.InitialUpdateFrame(late, &doc, false);
    EXPECT_EQ(Stacked(m_main), (std::vector<CMDIChildWnd*>{frames[1], frames[2], frames[0]}));
    late->ShowWindow(SW_SHOW);
    m_main->MDIActivate(late);
    EXPECT_EQ(Stacked(m_main).back(), late);
    m_main->MDIActivate(frames[1]);
    EXPECT_EQ(Stacked(m_main), (std::vector<CMDIChildWnd*>{frames[2], frames[0], late, frames[1]}));

    // A plain subwindow activated goes over every frame: none of them stays
    // on top.
    QMdiArea* area = static_cast<QtFrameWindow*>(m_main->Host())->MdiArea();
    QMdiSubWindow* plain = area->addSubWindow(new QWidget);
    plain->show();
    area->setActiveSubWindow(plain);
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).back(), plain);
    for (CMDIChildWnd* frame : {frames[0], frames[1], frames[2], late}) {
        const QtChildFrame* window = static_cast<QtChildFrameHost*>(frame->Host())->Window();
        EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    }
}

TEST_F(MdiTest, ShowingAFrameOrTheMainWindowActivatesNoFrame)
{
    ActivationLog log;
    CDocument doc;
    CMultiDocTemplate logging{1002, [&log] { return std::make_unique<LoggingFrame>(log); },
                              [] { return std::make_unique<CountingView>(); }};
    m_main->ShowWindow(SW_HIDE);
    std::vector<CMDIChildWnd*> frames;
    for (int i = 0; i < 4; ++i) frames.push_back(logging.CreateNewFrame(&doc, m_main));
    logging.InitialUpdateFrame(frames[1], &doc, true);
    ASSERT_EQ(m_main->MDIGetActive(), frames[1]);
    log.clear();

    // Shown with the main window hidden and then with it shown: the active
    // frame stays the one the frames' logic made active.
    frames[2]->ShowWindow(SW_SHOW);
    m_main->ShowWindow(SW_SHOW);
    frames[3]->ShowWindow(SW_SHOW);
    frames[0]->ShowWindow(SW_SHOWNORMAL);
    EXPECT_EQ(m_main->MDIGetActive(), frames[1]);
    EXPECT_TRUE(log.empty());
    for (CMDIChildWnd* frame : frames) EXPECT_TRUE(frame->IsWindowVisible());
}

TEST_F(MdiTest, ABatchActivatesTheLastFrameAskedForOnceItEnds)
{
    ActivationLog log;
    CDocument doc;
    CMultiDocTemplate logging{1002, [&log] { return std::make_unique<LoggingFrame>(log); },
                              [] { return std::make_unique<CountingView>(); }};
    CMDIChildWnd* first = logging.CreateNewFrame(&doc, m_main);
    logging.InitialUpdateFrame(first, &doc, true);
    log.clear();

    std::vector<CMDIChildWnd*> made;
    {
        CMDIFrameWnd::ActivationBatch batch(m_main);
        {
            // Batches nest: the outer one's end counts.
            CMDIFrameWnd::ActivationBatch inner(m_main);
            for (int i = 0; i < 3; ++i) {
                made.push_back(logging.CreateNewFrame(&doc, m_main));
                logging.InitialUpdateFrame(made.back(), &doc, true);
            }
        }
        // Shown and stacked in the order asked for, the last one still
        // waiting to show for the window system; the frame that was active
        // stopped being so at the first request.
        EXPECT_EQ(m_main->MDIGetActive(), nullptr);
        EXPECT_EQ(log, ActivationLog({{first, false}}));
        EXPECT_EQ(Stacked(m_main), (std::vector<CMDIChildWnd*>{first, made[0], made[1]}));
        EXPECT_TRUE(QtChildFrameHost::WindowOf(made[2])->isHidden());
        for (CMDIChildWnd* frame : made) EXPECT_TRUE(frame->IsWindowVisible());
        // A frame asked for and destroyed before the end is not activated.
        made.back()->MDIActivate();
        m_main->DestroyChild(made.back());
        made.pop_back();
        made[0]->MDIActivate();
    }
    EXPECT_EQ(m_main->MDIGetActive(), made[0]);
    EXPECT_EQ(log, ActivationLog({{first, false}, {made[0], true}}));
    EXPECT_EQ(Stacked(m_main), (std::vector<CMDIChildWnd*>{first, made[1], made[0]}));

    // A batch in which nothing is asked for changes nothing.
    log.clear();
    { CMDIFrameWnd::ActivationBatch batch(m_main); }
    EXPECT_EQ(m_main->MDIGetActive(), made[0]);
    EXPECT_TRUE(log.empty());
}

TEST_F(MdiTest, FramesDestroyedTogetherHandActivationOnToNone)
{
    ActivationLog log;
    CDocument doc;
    CMultiDocTemplate logging{1002, [&log] { return std::make_unique<LoggingFrame>(log); },
                              [] { return std::make_unique<CountingView>(); }};
    std::vector<CMDIChildWnd*> frames;
    for (int i = 0; i < 4; ++i) {
        frames.push_back(logging.CreateNewFrame(&doc, m_main));
        logging.InitialUpdateFrame(frames.back(), &doc, true);
    }
    CMDIChildWnd* kept = frames.front();
    frames.erase(frames.begin());
    log.clear();

    // The active one among them: none of the others is activated on the
    // way, nor the one that stays.
    m_main->DestroyChildren(frames);
    EXPECT_EQ(m_main->MDIGetActive(), nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(m_main->GetChildren().size(), 1u);
    EXPECT_TRUE(kept->IsWindowVisible());

    // Without the active one among them, it stays active.
    kept->MDIActivate();
    CMDIChildWnd* other = logging.CreateNewFrame(&doc, m_main);
    log.clear();
    m_main->DestroyChildren({other});
    EXPECT_EQ(m_main->MDIGetActive(), kept);
    EXPECT_TRUE(log.empty());
}

namespace {
QtChildFrame* WindowOf(CMDIChildWnd* frame) { return static_cast<QtChildFrameHost*>(frame->Host())->Window(); }

QMdiArea* AreaOf(CMDIFrameWnd* main) { return dynamic_cast<QtFrameWindow*>(main->Host())->MdiArea(); }

class DrawCountingView : public CView {
public:
    void OnDraw(CDC*) override { ++draws; }
    int draws = 0;
};
} // namespace

TEST_F(MdiTest, AFramesWindowAndSystemMenuAreThoseOfAPlainSubwindow)
{
    CDocument doc;
    CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
    m_template.InitialUpdateFrame(frame, &doc, true);
    QtChildFrame* window = WindowOf(frame);
    QMdiSubWindow* plain = AreaOf(m_main)->addSubWindow(new QWidget);
    plain->setGeometry(window->geometry());
    plain->show();

    EXPECT_EQ(window->windowFlags(), plain->windowFlags());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->contentsMargins(), plain->contentsMargins());
    ASSERT_NE(window->systemMenu(), nullptr);
    const QList<QAction*> entries = window->systemMenu()->actions();
    const QList<QAction*> expected = plain->systemMenu()->actions();
    ASSERT_EQ(entries.size(), expected.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(expected[i]->text().toStdString());
        EXPECT_EQ(entries[i]->text(), expected[i]->text());
        EXPECT_EQ(entries[i]->isVisible(), expected[i]->isVisible());
        EXPECT_EQ(entries[i]->isEnabled(), expected[i]->isEnabled());
        EXPECT_EQ(entries[i]->isCheckable(), expected[i]->isCheckable());
        EXPECT_EQ(entries[i]->isChecked(), expected[i]->isChecked());
        // Close has Ctrl+F4 first, then the desktop's own keys.
        QList<QKeySequence> keys = expected[i]->shortcuts();
        if (expected[i]->text() == QStringLiteral("&Close")) {
            keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_F4));
            keys.prepend(QKeySequence(Qt::CTRL | Qt::Key_F4));
        }
        EXPECT_EQ(entries[i]->shortcuts(), keys);
    }

    // The entries do what they say, the frame's logic told of each change.
    const CRect normal = frame->GetWindowRect();
    auto entry = [&](const QString& text) {
        for (QAction* action : entries)
            if (action->text() == text) return action;
        ADD_FAILURE() << text.toStdString();
        return entries.front();
    };
    entry(QStringLiteral("Ma&ximize"))->trigger();
    EXPECT_TRUE(frame->IsZoomed());
    EXPECT_TRUE(entry(QStringLiteral("&Restore"))->isEnabled());
    entry(QStringLiteral("&Restore"))->trigger();
    EXPECT_FALSE(frame->IsZoomed());
    EXPECT_EQ(frame->GetWindowRect(), normal);
    entry(QStringLiteral("Mi&nimize"))->trigger();
    EXPECT_TRUE(frame->IsIconic());
    entry(QStringLiteral("&Restore"))->trigger();
    EXPECT_FALSE(frame->IsIconic());
    EXPECT_EQ(frame->GetWindowRect(), normal);
    entry(QStringLiteral("&Close"))->trigger();
    EXPECT_EQ(static_cast<HidingFrame*>(frame)->closes, 1);
    EXPECT_FALSE(frame->IsWindowVisible());
}

// Every frame's system menu has Close on Ctrl+F4: with several frames shown
// the key closes the active one, through the frame's logic, and no other.
TEST_F(MdiTest, CtrlF4ClosesTheActiveFrameOfMany)
{
    CDocument doc;
    std::vector<HidingFrame*> frames;
    for (int i = 0; i < 3; ++i) {
        CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
        m_template.InitialUpdateFrame(frame, &doc, true);
        frames.push_back(static_cast<HidingFrame*>(frame));
    }
    QWidget* window = Window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_EQ(m_main->MDIGetActive(), frames[2]);
    QWidget* view = QtChildFrameHost::WindowOf(frames[2])->ViewWidget()->viewport();
    view->setFocus();

    QTest::keyClick(view, Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(frames[2]->closes, 1);
    EXPECT_FALSE(frames[2]->IsWindowVisible());
    EXPECT_EQ(frames[0]->closes + frames[1]->closes, 0);
}

TEST_F(MdiTest, AHiddenFramesCaptionIsInItsTitleBarBeforeItIsFirstPainted)
{
    CDocument doc;
    CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
    frame->SetWindowText(QStringLiteral("Flow Chart3"));
    frame->SetWindowText(QStringLiteral("Flow Chart7"));
    EXPECT_EQ(frame->GetWindowText(), QStringLiteral("Flow Chart7"));
    m_template.InitialUpdateFrame(frame, &doc, true);
    // Painted before the program next waits for the user.
    QtChildFrame* window = WindowOf(frame);
    window->grab();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Flow Chart7"));

    // One that stays hidden has it once the events are handled.
    CMDIChildWnd* hidden = m_template.CreateNewFrame(&doc, m_main);
    hidden->SetWindowText(QStringLiteral("Subtask"));
    QCoreApplication::processEvents();
    EXPECT_EQ(WindowOf(hidden)->windowTitle(), QStringLiteral("Subtask"));
    EXPECT_EQ(hidden->GetWindowText(), QStringLiteral("Subtask"));

    // A shown one takes a new caption at once.
    frame->SetWindowText(QStringLiteral("Main"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Main"));
}

TEST_F(MdiTest, AViewInvalidatedAgainBeforeItsPaintIsPaintedOnceAndAgainWhenInvalidatedAfter)
{
    CDocument doc;
    CMultiDocTemplate drawing{1002, [] { return std::make_unique<HidingFrame>(); },
                              [] { return std::make_unique<DrawCountingView>(); }};
    CMDIChildWnd* frame = drawing.CreateNewFrame(&doc, m_main);
    drawing.InitialUpdateFrame(frame, &doc, true);
    auto* view = static_cast<DrawCountingView*>(frame->GetActiveView());
    QCoreApplication::processEvents();
    const int shown = view->draws;
    ASSERT_GT(shown, 0);

    view->Invalidate();
    doc.UpdateAllViews(nullptr);
    view->Invalidate();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->draws, shown + 1);
    view->Invalidate();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->draws, shown + 2);

    // Hidden while it waits for its paint, shown again: each invalidation
    // after paints it.
    view->Invalidate();
    frame->ShowWindow(SW_HIDE);
    QCoreApplication::processEvents();
    frame->ShowWindow(SW_SHOW);
    QCoreApplication::processEvents();
    const int again = view->draws;
    view->Invalidate();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->draws, again + 1);
    doc.UpdateAllViews(nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->draws, again + 2);
}

namespace {
// Counts the timers that fell due, by id; kills its first timer when it has
// fired twice.
class TimedView : public CView {
public:
    void OnTimer(UINT timerId) override
    {
        ++fired[timerId];
        if (timerId == 7 && fired[7] == 2) {
            KillTimer(7);
            SetTimer(8, 1);
        }
    }
    std::map<UINT, int> fired;
};

void RunUntil(const std::function<bool()>& done)
{
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

TEST(ViewWidgetTest, TimersCallTheViewByIdUntilKilled)
{
    TimedView view;
    QtViewWidget widget(&view);
    view.SetTimer(7, 1);
    RunUntil([&] { return view.fired[8] >= 3; });
    EXPECT_EQ(2, view.fired[7]) << "a killed timer falls due no more";
    // A widget that lets its view go stops calling it.
    widget.DetachView();
    view.fired.clear();
    QTimer other;
    int ticks = 0;
    QObject::connect(&other, &QTimer::timeout, [&] { ++ticks; });
    other.start(1);
    RunUntil([&] { return ticks >= 3; });
    EXPECT_TRUE(view.fired.empty());
}

TEST(ViewWidgetTest, ScrollBarsShowExactlyWhenTheTotalDoesNotFitAndRangeOverTheRest)
{
    DrawCountingView view;
    QtViewWidget widget(&view);
    widget.resize(300, 200);
    widget.show();
    QCoreApplication::processEvents();
    const QSize room = widget.maximumViewportSize();
    const int barWidth = widget.verticalScrollBar()->sizeHint().width();
    const int barHeight = widget.horizontalScrollBar()->sizeHint().height();
    const struct {
        CSize total;
        bool across;
        bool down;
    } cases[] = {
        {CSize(room.width(), room.height()), false, false},
        {CSize(room.width() + 1, 10), true, false},
        {CSize(10, room.height() + 1), false, true},
        {CSize(room.width() + 50, room.height() + 50), true, true},
        // Each bar takes the room the other direction needed.
        {CSize(room.width() - barWidth / 2, room.height() + 1), true, true},
        {CSize(room.width() + 1, room.height() - barHeight / 2), true, true},
        {CSize(room.width() - barWidth, room.height() + 1), false, true},
        {CSize(10, 10), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.total.cx << " x " << c.total.cy);
        view.SetScrollSizes(c.total);
        QCoreApplication::processEvents();
        EXPECT_EQ(widget.horizontalScrollBar()->isVisible(), c.across);
        EXPECT_EQ(widget.verticalScrollBar()->isVisible(), c.down);
        const QSize area = widget.viewport()->size();
        EXPECT_EQ(area, QSize(room.width() - (c.down ? barWidth : 0), room.height() - (c.across ? barHeight : 0)));
        EXPECT_EQ(widget.horizontalScrollBar()->maximum(), std::max(0, c.total.cx - area.width()));
        EXPECT_EQ(widget.verticalScrollBar()->maximum(), std::max(0, c.total.cy - area.height()));
        EXPECT_EQ(widget.horizontalScrollBar()->pageStep(), area.width());
    }

    // A range that grows or shrinks while needed keeps its bar; one that
    // shrinks below the position takes the position with it.
    view.SetScrollSizes(CSize(10, room.height() + 100));
    QCoreApplication::processEvents();
    view.ScrollToPosition(CPoint(0, 100));
    for (int extra : {150, 400, 60}) {
        const int draws = view.draws;
        view.SetScrollSizes(CSize(10, room.height() + extra));
        QCoreApplication::processEvents();
        // Scrolled by the shrinking range, the view is painted again.
        if (extra == 60) {
            EXPECT_GT(view.draws, draws);
        }
        EXPECT_TRUE(widget.verticalScrollBar()->isVisible());
        EXPECT_FALSE(widget.horizontalScrollBar()->isVisible());
        EXPECT_EQ(widget.verticalScrollBar()->maximum(), room.height() + extra - widget.viewport()->height());
    }
    EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 60));

    // Resized, the bars follow: a larger window needs none, a smaller one both.
    view.SetScrollSizes(CSize(400, 300));
    widget.resize(600, 500);
    QCoreApplication::processEvents();
    EXPECT_FALSE(widget.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(widget.verticalScrollBar()->isVisible());
    EXPECT_EQ(widget.viewport()->size(), widget.maximumViewportSize());
    widget.resize(200, 150);
    QCoreApplication::processEvents();
    EXPECT_TRUE(widget.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(widget.verticalScrollBar()->isVisible());
    EXPECT_EQ(widget.horizontalScrollBar()->maximum(), 400 - widget.viewport()->width());
    EXPECT_EQ(widget.verticalScrollBar()->maximum(), 300 - widget.viewport()->height());
}

TEST(ViewWidgetTest, AViewGivenItsTotalWhileHiddenShowsWithTheBarsItNeeds)
{
    const struct {
        bool shownBefore;
        CSize total;
        bool across;
        bool down;
    } cases[] = {
        {false, CSize(1000, 100), true, false}, {false, CSize(100, 1000), false, true},
        {false, CSize(100, 100), false, false}, {true, CSize(1000, 1000), true, true},
        {true, CSize(100, 100), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shownBefore << " " << c.total.cx << " x " << c.total.cy);
        CView view;
        QtViewWidget widget(&view);
        view.SetScrollSizes(CSize(2000, 2000));
        if (c.shownBefore) {
            widget.resize(300, 200);
            widget.show();
            QCoreApplication::processEvents();
            widget.hide();
        }
        view.SetScrollSizes(c.total);
        view.ScrollToPosition(CPoint(50, 50));
        widget.resize(300, 200);
        widget.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(widget.horizontalScrollBar()->isVisible(), c.across);
        EXPECT_EQ(widget.verticalScrollBar()->isVisible(), c.down);
        const QSize area = widget.viewport()->size();
        EXPECT_EQ(widget.horizontalScrollBar()->maximum(), std::max(0, c.total.cx - area.width()));
        EXPECT_EQ(widget.verticalScrollBar()->maximum(), std::max(0, c.total.cy - area.height()));
        EXPECT_EQ(view.GetScrollPosition(), CPoint(c.across ? 50 : 0, c.down ? 50 : 0));
    }
}

// A maximized frame shows its buttons in the menu bar and its caption in the
// main window's; hiding it takes them away. Hiding any other frame leaves
// both as they are.
TEST_F(MdiTest, OnlyHidingTheMaximizedFrameTakesItsButtonsAndCaptionAway)
{
    CDocument doc;
    std::vector<CMDIChildWnd*> frames;
    for (const char* caption : {"First", "Second", "Maximized"}) {
        CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
        frame->SetWindowText(QString::fromLatin1(caption));
        m_template.InitialUpdateFrame(frame, &doc, true);
        frames.push_back(frame);
    }
    QWidget* window = Window();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const QString plainTitle = window->windowTitle();
    frames[2]->ShowWindow(SW_SHOWMAXIMIZED);
    QMenuBar* bar = static_cast<QMainWindow*>(window)->menuBar();
    QWidget* buttons = bar->cornerWidget(Qt::TopRightCorner);
    ASSERT_NE(buttons, nullptr);
    EXPECT_TRUE(buttons->isVisible());
    const QString maximizedTitle = window->windowTitle();
    EXPECT_EQ(maximizedTitle, plainTitle + QStringLiteral(" - [Maximized]"));

    frames[0]->ShowWindow(SW_HIDE);
    EXPECT_EQ(bar->cornerWidget(Qt::TopRightCorner), buttons);
    EXPECT_TRUE(buttons->isVisible());
    EXPECT_EQ(window->windowTitle(), maximizedTitle);

    frames[2]->ShowWindow(SW_HIDE);
    QWidget* corner = bar->cornerWidget(Qt::TopRightCorner);
    EXPECT_TRUE(corner == nullptr || !corner->isVisible());
    EXPECT_EQ(window->windowTitle(), plainTitle);
}

// In a batch, a frame asked to show waits for the window system until the
// next one shows, the batch ends or a message opens; the program counts it
// shown throughout.
TEST_F(MdiTest, AFrameShownInABatchWaitsForTheNextOneTheEndOrAModalWindow)
{
    CDocument doc;
    std::vector<CMDIChildWnd*> made;
    auto make = [&] {
        made.push_back(m_template.CreateNewFrame(&doc, m_main));
        m_template.InitialUpdateFrame(made.back(), &doc, true);
        return WindowOf(made.back());
    };
    bool shownInTheBox = false;
    {
        CMDIFrameWnd::ActivationBatch batch(m_main);
        QtChildFrame* first = make();
        EXPECT_TRUE(first->isHidden());
        EXPECT_TRUE(made[0]->IsWindowVisible());
        QtChildFrame* second = make();
        EXPECT_TRUE(first->isVisible());
        EXPECT_TRUE(second->isHidden());

        // A message opened meanwhile shows over all the frames asked for.
        QTimer::singleShot(0, qApp, [&] {
            shownInTheBox = second->isVisible();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible())
                    box->defaultButton()->click();
        });
        QtMessageBoxHandler messages;
        EXPECT_EQ(messages.Show(QStringLiteral("Stop?"), MB_OK, QString()), IDOK);

        // Hidden again before it showed, it does not show at the end.
        QtChildFrame* third = make();
        made.back()->ShowWindow(SW_HIDE);
        EXPECT_FALSE(made.back()->IsWindowVisible());
        EXPECT_TRUE(third->isHidden());
        make();
    }
    EXPECT_TRUE(shownInTheBox);
    for (std::size_t i = 0; i < made.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(WindowOf(made[i])->isVisible(), i != 2);
        EXPECT_EQ(made[i]->IsWindowVisible(), i != 2);
    }
    EXPECT_EQ(m_main->MDIGetActive(), made[3]);
    EXPECT_EQ(AreaOf(m_main)->activeSubWindow(), WindowOf(made[3]));
}

// While a batch is made the client area is not told of its windows' moves
// and resizes; once it ends, its scroll bars reach every window, as they do
// when the area is told of each move.
TEST_F(MdiTest, TheAreasScrollBarsReachEveryWindowOnceABatchEnds)
{
    QMdiArea* area = AreaOf(m_main);
    const QSize client = area->viewport()->size();
    const CRect beyond(client.width() + 100, client.height() + 60, client.width() + 400, client.height() + 260);
    auto ranges = [&] {
        const QScrollBar* h = area->horizontalScrollBar();
        const QScrollBar* v = area->verticalScrollBar();
        return std::vector<int>{h->minimum(), h->maximum(), v->minimum(), v->maximum()};
    };
    CDocument doc;
    auto make = [&] {
        CMDIChildWnd* frame = m_template.CreateNewFrame(&doc, m_main);
        m_template.InitialUpdateFrame(frame, &doc, true);
        return frame;
    };
    const std::vector<int> none = ranges();
    CMDIChildWnd* moved = nullptr;
    {
        CMDIFrameWnd::ActivationBatch batch(m_main);
        make();
        moved = make();
        make();
        // The last one made hidden again: no window waits to show.
        make()->ShowWindow(SW_HIDE);
        // Shown, then moved beyond the client area's corner.
        moved->MoveWindow(beyond);
        EXPECT_TRUE(WindowOf(moved)->isVisible());
        EXPECT_EQ(ranges(), none);
        // The frame itself, and its view, have their new size at once.
        EXPECT_EQ(WindowOf(moved)->size(), QSize(beyond.Width(), beyond.Height()));
        EXPECT_EQ(WindowOf(moved)->ViewWidget()->geometry(), WindowOf(moved)->contentsRect());
    }
    const std::vector<int> after = ranges();
    EXPECT_GE(after[1], beyond.right - client.width());
    EXPECT_GE(after[3], beyond.bottom - client.height());

    // Told of a move the usual way, the area sets the same ranges.
    moved->MoveWindow(CRect(beyond.left - 1, beyond.top, beyond.right - 1, beyond.bottom));
    moved->MoveWindow(beyond);
    EXPECT_EQ(ranges(), after);
}

// Frames sized within a batch lay their views out at once, a maximized one
// filling the client area.
TEST_F(MdiTest, AFrameSizedInABatchLaysItsViewOut)
{
    CDocument doc;
    auto laidOut = [](CMDIChildWnd* frame) {
        QtChildFrame* window = WindowOf(frame);
        return window->ViewWidget()->geometry() == window->contentsRect();
    };
    CMDIChildWnd* first = m_template.CreateNewFrame(&doc, m_main);
    m_template.InitialUpdateFrame(first, &doc, true);
    CMDIChildWnd* maximized = nullptr;
    {
        CMDIFrameWnd::ActivationBatch batch(m_main);
        first->MoveWindow(CRect(10, 10, 210, 160));
        EXPECT_TRUE(laidOut(first));
        maximized = m_template.CreateNewFrame(&doc, m_main);
        m_template.InitialUpdateFrame(maximized, &doc, false);
        maximized->ShowWindow(SW_SHOWMAXIMIZED);
        EXPECT_TRUE(maximized->IsZoomed());
        EXPECT_EQ(WindowOf(maximized)->size(), AreaOf(m_main)->viewport()->size());
        EXPECT_TRUE(laidOut(maximized));
    }
    EXPECT_TRUE(laidOut(first));
    EXPECT_TRUE(laidOut(maximized));
    EXPECT_EQ(WindowOf(maximized)->size(), AreaOf(m_main)->viewport()->size());
}
