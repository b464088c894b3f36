// Editing a chart in the running program: Qt mouse events on the real chart
// widget place and wire symbols; the palette's tips, F1 and context help go
// through the real windows. With KT_SHOT set to a file name the screen is
// saved there at the end (run under an X server to get a picture).
#include "app/AppDocsFixture.h"
#include "chart/ChartLookup.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXPin.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

using namespace kt::test;

namespace {

class ChartEditUiTest : public AppDocsFixture {
protected:
    void SetUp() override
    {
        AppDocsFixture::SetUp();
        ASSERT_TRUE(Start());
        ASSERT_NE(NewDocument(), nullptr);
        frame = ChartFrame(QStringLiteral("Flow Chart1"));
        ASSERT_NE(frame, nullptr);
        QtChildFrame* window = static_cast<QtChildFrameHost*>(frame->Host())->Window();
        window->resize(720, 520);
        area = window->ViewWidget()->viewport();
        wnd = Doc()->FindWindowByName(QStringLiteral("Flow Chart1"));
        view = static_cast<CHOXFlowView*>(frame->GetActiveView());
        QApplication::processEvents();
    }

    static void Command(UINT id) { EXPECT_TRUE(GetCommandRouter()->Execute(id)); }
    void Click(QPoint p) { QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, p); }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(area, (from + to) / 2);
        QTest::mouseMove(area, to);
        QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, to);
    }
    CHOXSymbol* SymbolAt(CPoint topLeft) const
    {
        for (auto& [id, object] : wnd->GetObjectMap())
            if (object->GetRect().TopLeft() == topLeft) return dynamic_cast<CHOXSymbol*>(object.get());
        return nullptr;
    }
    // The wire that leaves the symbol's output pin, or null.
    CHOXConnect* WireFrom(const CHOXSymbol* symbol, int pin) const
    {
        const CHOXPin* out = symbol->GetPin(pin);
        return out != nullptr ? chart::FindWire(wnd, out->GetLinkId()) : nullptr;
    }

    CMDIChildWnd* frame = nullptr;
    QWidget* area = nullptr;
    CHOXFlowWnd* wnd = nullptr;
    CHOXFlowView* view = nullptr;
};

TEST_F(ChartEditUiTest, TwoSymbolsArePlacedAndWiredWithTheMouse)
{
    // A new chart holds START at (137, 32) and END at (137, 236).
    ASSERT_EQ(wnd->GetObjectMap().GetCount(), 2u);
    CHOXSymbol* start = SymbolAt(CPoint(137, 32));
    ASSERT_NE(start, nullptr);

    Command(ID_TOOL_FLOW_CALL);
    Click(QPoint(300, 100));
    Command(ID_TOOL_FLOW_RET);
    Click(QPoint(300, 200));
    CHOXSymbol* call = SymbolAt(CPoint(300, 100));
    CHOXSymbol* ret = SymbolAt(CPoint(300, 200));
    ASSERT_NE(call, nullptr);
    ASSERT_NE(ret, nullptr);
    EXPECT_EQ(call->GetObjectType(), objtype::kFlowCall);
    EXPECT_EQ(ret->GetObjectType(), objtype::kFlowRet);
    EXPECT_EQ(CHOXView::s_nToolMode, 0);

    // The wire tool: START's output to the CALL's input, the CALL's output
    // to the RET's input.
    Command(ID_WIRE_TOOL);
    Drag(QPoint(169, 64), QPoint(332, 100));
    Drag(QPoint(332, 132), QPoint(332, 200));
    EXPECT_EQ(CHOXView::s_nToolMode, 2);
    CHOXConnect* first = WireFrom(start, 0);
    CHOXConnect* second = WireFrom(call, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->GetTargetId(), call->GetId());
    EXPECT_EQ(second->GetTargetId(), ret->GetId());
    EXPECT_EQ(second->GetPoints().back(), ret->GetPinPosition(0));
    Command(ID_WIRE_TOOL);
    EXPECT_EQ(CHOXView::s_nToolMode, 0);

    // A band round the two new symbols selects them; dragging one moves
    // both, and the wires follow.
    Drag(QPoint(290, 98), QPoint(400, 250));
    EXPECT_EQ(view->GetSelectionCount(), 2u);
    Drag(QPoint(320, 110), QPoint(360, 110));
    EXPECT_EQ(call->GetRect().TopLeft(), CPoint(340, 100));
    EXPECT_EQ(ret->GetRect().TopLeft(), CPoint(340, 200));
    EXPECT_EQ(first->GetPoints().back(), call->GetPinPosition(0));
    // The arrow keys go to the view.
    QTest::keyClick(area->parentWidget(), Qt::Key_Up);
    EXPECT_EQ(call->GetRect().TopLeft(), CPoint(340, 99));

    if (const QString shot = qEnvironmentVariable("KT_SHOT"); !shot.isEmpty()) {
        Window()->showMaximized();
        static_cast<QtChildFrameHost*>(frame->Host())->Window()->showNormal();
        static_cast<QtChildFrameHost*>(frame->Host())->Window()->setGeometry(10, 10, 720, 520);
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QTest::qWait(20);
        }
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(shot));
    }
}

TEST_F(ChartEditUiTest, TipsHelpAndContextHelpGoThroughTheActiveView)
{
    // The wire button's tip puts its status line into the status bar.
    QWidget* button = nullptr;
    for (QWidget* w : Window()->findChildren<QWidget*>(QStringLiteral("Control8300")))
        if (w->isVisible()) button = w;
    ASSERT_NE(button, nullptr);
    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(button, &tip);
    EXPECT_EQ(Window()->StatusText(0), QStringLiteral("Insert Wiring in the Flow Chart and Subtask Window"));

    RecordingHelp help;
    // F1 with nothing selected: the flow chart's help, not the contents.
    Command(ID_HELP);
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages.back(), QStringLiteral(":/res/help/203ea.html"));
    // The same with the key pressed on the chart.
    Window()->show();
    QApplication::setActiveWindow(Window());
    area->setFocus();
    QTest::keyClick(area, Qt::Key_F1);
    QApplication::processEvents();
    ASSERT_EQ(help.pages.size(), 2u);
    EXPECT_EQ(help.pages.back(), QStringLiteral(":/res/help/203ea.html"));
    help.pages.pop_back();

    // Context help: the object under the pointer, else the chart's own.
    EXPECT_EQ(frame->OnHelpHitTest(CPoint(150, 40)), 0x1006A);
    EXPECT_EQ(frame->OnHelpHitTest(CPoint(400, 150)), 0x203EA);
    QHelpEvent whatsThis(QEvent::WhatsThis, QPoint(400, 150), area->mapToGlobal(QPoint(400, 150)));
    QApplication::sendEvent(area, &whatsThis);
    ASSERT_EQ(help.pages.size(), 2u);
    EXPECT_EQ(help.pages.back(), QStringLiteral(":/res/help/203ea.html"));
}

} // namespace
