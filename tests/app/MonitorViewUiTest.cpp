// The monitor page in the running program: Qt mouse and key events on the
// real monitor window draw, select, move and insert through the menus'
// commands; while monitoring a button is pressed, released when the focus
// leaves and opened by a double click; the stop timer runs as a timer of the
// widget. With KT_SHOT set to a file name the screen is saved there at the
// end (run under an X server to get a picture).
#include "app/MonitorPageFixture.h"
#include "app/ProgramState.h"
#include "chart/HOXShape.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/TestMonButton.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

using namespace kt::test;

namespace {

class MonitorViewUiTest : public MonitorPageFixture {
protected:
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(area, (from + to) / 2);
        QTest::mouseMove(area, to);
        QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, to);
    }
    CHOXDrawObj* ShapeAt(CPoint topLeft) const
    {
        for (const auto& [id, shape] : wnd->GetShapeMap())
            if (shape->GetRect().TopLeft() == topLeft) return shape.get();
        return nullptr;
    }
    CTestMonButton* AddButton(WORD id, const CRect& rect, CTestMonButton::Kind kind, const std::string& name)
    {
        auto button = std::make_unique<CTestMonButton>(name, kind, &log, wnd);
        button->SetId(id);
        button->m_position = rect;
        CTestMonButton* raw = button.get();
        wnd->AddMonObj(std::move(button));
        return raw;
    }

    std::vector<std::string> log;
};

} // namespace

TEST_F(MonitorViewUiTest, ShapesAreDrawnSelectedMovedAndMonitorObjectsInsertedWithTheMouseAndTheMenus)
{
    // The drawing bar's rectangle, then a drag on the page.
    ASSERT_TRUE(Enabled(ID_DRAW_RECT));
    Command(ID_DRAW_RECT);
    EXPECT_EQ(GetCommandRouter()->QueryState(ID_DRAW_RECT).m_nCheck, 1);
    Drag(QPoint(300, 150), QPoint(380, 210));
    CHOXDrawObj* rect = ShapeAt(CPoint(300, 150));
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->GetRect(), CRect(300, 150, 380, 210));
    EXPECT_EQ(CHOXView::s_nToolMode, toolmode::kSelect);
    Command(ID_DRAW_LINE);
    Drag(QPoint(300, 260), QPoint(420, 230));
    CHOXDrawObj* line = ShapeAt(CPoint(300, 260));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetObjectType(), objtype::kLine);

    // Insert > Current Position, once.
    ASSERT_TRUE(Enabled(ID_INSERT_CURRENT_POSITION));
    Command(ID_INSERT_CURRENT_POSITION);
    EXPECT_NE(wnd->LookupMonObj(0), nullptr);
    EXPECT_FALSE(Enabled(ID_INSERT_CURRENT_POSITION));
    EXPECT_TRUE(Enabled(ID_INSERT_DEVICE_STATUS));

    // A band round both shapes selects them; a drag moves them; an arrow key
    // nudges them.
    Drag(QPoint(290, 140), QPoint(440, 280));
    EXPECT_EQ(view->GetSelectionCount(), 2u);
    Drag(QPoint(340, 180), QPoint(350, 190));
    EXPECT_EQ(rect->GetRect(), CRect(310, 160, 390, 220));
    QTest::keyClick(widget, Qt::Key_Left);
    EXPECT_EQ(rect->GetRect(), CRect(309, 160, 389, 220));
    // A click on empty space, then one on the rectangle selects it alone: a
    // thick line, then a copy pasted 10 units on.
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(460, 60));
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(340, 190));
    ASSERT_EQ(view->GetSelection(), std::vector<CHOXDrawObj*>{rect});
    Command(ID_LINE_THICK);
    EXPECT_EQ(static_cast<CHOXShape*>(rect)->GetLineWidth(), 3);
    Command(ID_EDIT_COPY);
    ASSERT_TRUE(Enabled(ID_EDIT_PASTE));
    Command(ID_EDIT_PASTE);
    CHOXDrawObj* copy = ShapeAt(CPoint(319, 170));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(view->GetSelection(), std::vector<CHOXDrawObj*>{copy});
    // Select All takes the monitor object first.
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(view->GetSelection().front(), wnd->LookupMonObj(0));
    EXPECT_EQ(view->GetSelectionCount(), 4u);

    if (const QString shot = qEnvironmentVariable("KT_SHOT"); !shot.isEmpty()) {
        Window()->showMaximized();
        QtChildFrame* window = static_cast<QtChildFrameHost*>(frame->Host())->Window();
        window->showNormal();
        window->setGeometry(10, 10, 640, 440);
        // A band being drawn over the page.
        view->Select(nullptr);
        QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(20, 100));
        QTest::mouseMove(area, QPoint(260, 240));
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QTest::qWait(20);
        }
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(shot));
        QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(260, 240));
    }
}

TEST_F(MonitorViewUiTest, WhileMonitoringTheWidgetsEventsReachTheButtons)
{
    AddButton(40, CRect(100, 100, 160, 130), CTestMonButton::kHeld, "jog");
    AddButton(41, CRect(200, 100, 260, 130), CTestMonButton::kWaiting, "feed");
    Doc()->SetEditMode(false);
    EXPECT_EQ(widget->GetDoubleClickTime(),
              static_cast<UINT>(QGuiApplication::styleHints()->mouseDoubleClickInterval()));
    EXPECT_TRUE(view->IsWindowVisible());

    // Pressed, then the focus goes: the button is released.
    widget->setFocus();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(120, 110));
    ASSERT_EQ(log, (std::vector<std::string>{"down jog 120,110"}));
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(widget, &out);
    EXPECT_EQ(log, (std::vector<std::string>{"down jog 120,110", "up jog"}));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(120, 110));

    // A double click on the feed button opens it; its single click waits
    // no more.
    log.clear();
    QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(220, 110));
    EXPECT_NE(std::find(log.begin(), log.end(), "open feed 220,110"), log.end());
    EXPECT_EQ(view->m_nDelayedClickTimer, 0u);

    // The focus coming back names the document in the main title.
    Main()->SetWindowText(QStringLiteral("elsewhere"));
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(widget, &in);
    EXPECT_NE(MainTitle(), QStringLiteral("elsewhere"));
}

TEST_F(MonitorViewUiTest, TheStopTimerIsATimerOfTheWidget)
{
    Doc()->SetEditMode(false);
    view->StartStopTimer();
    QTimer* stop = nullptr;
    for (QTimer* timer : widget->findChildren<QTimer*>())
        if (timer->isActive() && timer->interval() == 200) stop = timer;
    ASSERT_NE(stop, nullptr);
    // Due at once rather than after its time, so that nothing here waits.
    stop->setInterval(0);
    for (int i = 0; i < 5 && !Doc()->IsEditMode(); ++i) QApplication::processEvents();
    EXPECT_TRUE(Doc()->IsEditMode());
    EXPECT_FALSE(stop->isActive());

    // Held while a call waits, it runs once that call returned.
    Doc()->SetEditMode(false);
    view->StartStopTimer();
    stop->setInterval(0);
    {
        const ViewTimerHold waiting;
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
        EXPECT_FALSE(Doc()->IsEditMode());
        EXPECT_TRUE(stop->isActive());
    }
    for (int i = 0; i < 5 && !Doc()->IsEditMode(); ++i) QApplication::processEvents();
    EXPECT_TRUE(Doc()->IsEditMode());
}
