// The chart frames: their first place, closing that only hides and hands
// the activation on, no closing while monitoring, the main window's title
// kept, and the menu of the active frame's kind.
#include "AppDocsFixture.h"

#include "app/ChildFrame.h"
#include "platform/ui/QtChildFrame.h"

using kt::test::AppDocsFixture;

namespace {

class ChildFrameTest : public AppDocsFixture {
protected:
    // A new document with the charts Flow Chart1 .. Flow Chart<charts>.
    void MakeDocument(int charts)
    {
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        for (int i = 2; i <= charts; ++i) Main()->CreateFlowChartWindow(QStringLiteral("Flow Chart%1").arg(i), QString(), 0);
    }
    // The user closes the frame with its own button.
    static void CloseByUser(CMDIChildWnd* frame) { static_cast<QtChildFrameHost*>(frame->Host())->Window()->close(); }
    CMDIChildWnd* Chart(int i) const { return ChartFrame(QStringLiteral("Flow Chart%1").arg(i)); }
};

} // namespace

TEST_F(ChildFrameTest, NewFramesCascadeByTheNumberOfWindows)
{
    MakeDocument(1);
    CChildFrame frame;
    m_app->m_nFrameAtOrigin = 1;
    EXPECT_EQ(frame.InitialRect(), CRect(0, 0, 550, 350));
    m_app->m_nFrameAtOrigin = 0;
    const struct {
        int windows;
        LONG offset;
    } cases[] = {{1, 40}, {2, 60}, {18, 380}, {19, 20}, {20, 40}, {37, 380}, {38, 20}};
    int windows = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.windows);
        for (; windows < c.windows; ++windows)
            Doc()->AddWindow(QStringLiteral("Record%1").arg(windows),
                             Doc()->NewFlowWindow(QStringLiteral("Record%1").arg(windows), QString()));
        ASSERT_EQ(m_app->GetFlowChartCount(), c.windows);
        EXPECT_EQ(frame.InitialRect(), CRect(c.offset, c.offset, c.offset + 550, c.offset + 350));
    }
}

TEST_F(ChildFrameTest, TheTwentiethChartOpensAtTheTopLeftAgain)
{
    MakeDocument(1);
    for (int i = 2; i <= 19; ++i)
        Doc()->AddWindow(QStringLiteral("Record%1").arg(i), Doc()->NewFlowWindow(QStringLiteral("Record%1").arg(i), QString()));
    Main()->CreateFlowChartWindow(QStringLiteral("Twentieth"), QString(), 0);
    EXPECT_EQ(ChartFrame(QStringLiteral("Twentieth"))->GetWindowRect(), CRect(20, 20, 570, 370));
    EXPECT_EQ(Chart(1)->GetWindowRect(), CRect(20, 20, 570, 370));
}

TEST_F(ChildFrameTest, ClosingHidesAndActivatesAVisibleNeighbour)
{
    MakeDocument(3);
    // View order: the monitor window, Flow Chart1, Flow Chart2, Flow Chart3.
    CMDIChildWnd* monitor = MonitorFrame();
    monitor->MDIActivate();
    monitor->ShowWindow(SW_SHOWMAXIMIZED);

    // The maximized monitor window hands on to the first chart after it.
    CloseByUser(monitor);
    EXPECT_FALSE(monitor->IsWindowVisible());
    EXPECT_FALSE(monitor->IsZoomed());
    EXPECT_EQ(Main()->MDIGetActive(), Chart(1));
    EXPECT_TRUE(Chart(1)->IsZoomed());
    Chart(1)->ShowWindow(SW_RESTORE);

    // A chart to the one before it...
    Chart(3)->MDIActivate();
    CloseByUser(Chart(3));
    EXPECT_FALSE(Chart(3)->IsWindowVisible());
    EXPECT_EQ(Main()->MDIGetActive(), Chart(2));
    EXPECT_FALSE(Chart(2)->IsZoomed());

    // ... or, when that is hidden, to the next one after it.
    Chart(3)->ShowWindow(SW_SHOW);
    CloseByUser(Chart(1));
    Chart(2)->MDIActivate();
    CloseByUser(Chart(2));
    EXPECT_EQ(Main()->MDIGetActive(), Chart(3));

    // Nothing is destroyed: the records keep their views and frames.
    EXPECT_EQ(Frames().size(), 4u);
    EXPECT_EQ(VisibleTitles(), QStringList{QStringLiteral("Flow Chart3")});
    for (int i = 1; i <= 3; ++i) EXPECT_NE(Chart(i), nullptr);
    m_app->ShowWindowByTitle(QStringLiteral("Flow Chart1"));
    EXPECT_TRUE(Chart(1)->IsWindowVisible());
}

TEST_F(ChildFrameTest, WhileMonitoringTheFramesCannotBeClosed)
{
    MakeDocument(1);
    auto* frame = static_cast<CChildFrame*>(Chart(1));
    const struct {
        int editMode;
        UINT command;
        bool ignored;
    } cases[] = {{0, 0xF060, true}, {0, 0xF061, false}, {0, 0xF020, false}, {1, 0xF060, false}};
    for (const auto& c : cases) {
        Doc()->SetEditMode(c.editMode != 0);
        EXPECT_EQ(frame->OnSysCommand(c.command), c.ignored) << std::hex << c.command;
    }
    Doc()->SetEditMode(false);
    CloseByUser(frame);
    EXPECT_TRUE(frame->IsWindowVisible());
    Doc()->SetEditMode(true);
    CloseByUser(frame);
    EXPECT_FALSE(frame->IsWindowVisible());
}

TEST_F(ChildFrameTest, ResizingKeepsTheDocumentsNameInTheMainTitle)
{
    MakeDocument(1);
    Main()->SetWindowText(QStringLiteral("something else"));
    Chart(1)->ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - Untitled.hox"));
    ASSERT_TRUE(Doc()->OnSaveDocument(Path(QStringLiteral("press.hox"))));
    Chart(1)->ShowWindow(SW_RESTORE);
    EXPECT_EQ(MainTitle(), QStringLiteral("RQT4P-VEDID-E - press.hox"));
}

TEST_F(ChildFrameTest, TheActiveFramesKindChoosesTheMenu)
{
    MakeDocument(2);
    MonitorFrame()->MDIActivate();
    EXPECT_EQ(Window()->MenuId(), 1003u);
    Chart(2)->MDIActivate();
    EXPECT_EQ(Window()->MenuId(), 1002u);
    MonitorFrame()->MDIActivate();
    EXPECT_EQ(Window()->MenuId(), 1003u);
}
