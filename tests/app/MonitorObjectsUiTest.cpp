// The plot, the current position, the controller status and the program
// information in the running program: inserted from the Insert menu's
// commands, painted by the real monitor window and opened by a double click
// of the mouse on it, on a one-axis and a two-axis document. With KT_SHOT set
// to a file name the screen is saved there at the end (run under an X server
// to get a picture).
#include "app/AppDocsFixture.h"
#include "online/monitor/HOXCurPosDlg.h"
#include "online/monitor/HOXManInputDlg.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXPlotXDlg.h"
#include "online/monitor/HOXPlotXYDlg.h"
#include "online/monitor/HOXProgInfoDlg.h"
#include "online/monitor/MonObjIds.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <cmath>

using namespace kt::test;

namespace {

class MonitorObjectsUiTest : public AppDocsFixture, public ::testing::WithParamInterface<int> {
protected:
    static void Command(UINT id) { EXPECT_TRUE(GetCommandRouter()->Execute(id)) << id; }
    // Paints the window now.
    void Paint()
    {
        area->repaint();
        QApplication::processEvents();
    }
    QPoint At(CPoint docPoint) const
    {
        const CPoint p = view->DocToClient(docPoint);
        return QPoint(p.x, p.y);
    }

    QtViewWidget* widget = nullptr;
    QWidget* area = nullptr;
    CHOXMonView* view = nullptr;
};

} // namespace

TEST_P(MonitorObjectsUiTest, InsertedFromTheMenuPaintedAndOpenedWithTheMouse)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(NewDocument(GetParam()), nullptr);
    const bool oneAxis = ctype::IsOneAxis(Doc()->GetControllerType());
    CMDIChildWnd* frame = MonitorFrame();
    ASSERT_NE(frame, nullptr);
    frame->MDIActivate();
    QtChildFrame* window = static_cast<QtChildFrameHost*>(frame->Host())->Window();
    window->showNormal();
    window->resize(700, 480);
    widget = window->ViewWidget();
    area = widget->viewport();
    view = static_cast<CHOXMonView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    CHOXMonWnd* wnd = Doc()->GetMonWnd();

    const struct {
        UINT command;
        WORD id;
        CPoint topLeft;
        UINT dialog;
    } objects[] = {
        {ID_INSERT_PLOT, monid::kPlot, CPoint(10, 10), oneAxis ? CHOXPlotXDlg::kTemplate : CHOXPlotXYDlg::kTemplate},
        {ID_INSERT_CURRENT_POSITION, monid::kCurPos, CPoint(270, 10), CHOXCurPosDlg::kTemplate},
        {ID_INSERT_CONTROLLER_STATUS, monid::kKZQWStat, CPoint(270, 90), CHOXManInputDlg::kTemplate},
        {ID_INSERT_PROGRAM_INFO, monid::kProgInfo, CPoint(10, 260), CHOXProgInfoDlg::kTemplate},
    };
    for (const auto& o : objects) {
        ASSERT_TRUE(Enabled(o.command)) << o.command;
        Command(o.command);
        CHOXMonObj* object = wnd->LookupMonObj(o.id);
        ASSERT_NE(object, nullptr) << o.command;
        const CRect r = object->GetRect();
        object->m_position = CRect(o.topLeft, r.Size());
    }
    auto* plot = static_cast<CHOXMonPlotObj*>(wnd->LookupMonObj(monid::kPlot));
    auto* position = static_cast<CHOXMonCurPos*>(wnd->LookupMonObj(monid::kCurPos));
    auto* status = static_cast<CHOXMonKZQWStat*>(wnd->LookupMonObj(monid::kKZQWStat));
    auto* info = static_cast<CHOXMonProgInfo*>(wnd->LookupMonObj(monid::kProgInfo));
    for (int i = 0; i <= 300; ++i)
        plot->AddSample(static_cast<std::int32_t>(120 * std::sin(i * 0.05)),
                        static_cast<std::int32_t>(80 * std::cos(i * 0.03)));
    position->SetPositions(-12345, 678);
    status->SetStatus(0, 1, 0, 1, 1);
    status->SetStatus(1, 1, 1, 0, 0);
    info->SetInfo(0, 12, 2, 0);
    info->SetInfo(1, 7, 0, -3);
    view->Select(nullptr);
    Paint();
    // The program information's right edge follows its boxes once painted.
    EXPECT_NE(info->GetRect().right, oneAxis ? 10 + 175 : 10 + 240);
    EXPECT_GT(info->GetRect().right, info->GetRect().left + 100);

    // Editing: each opens its dialog.
    for (const auto& o : objects) {
        SCOPED_TRACE(o.command);
        ScriptedDialogs dialogs;
        dialogs.Expect(o.dialog, [](DialogDriver& d) { d.PressKey(Qt::Key_Escape); });
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, At(wnd->LookupMonObj(o.id)->GetRect().CenterPoint()));
        EXPECT_EQ(dialogs.Ran(), 1);
    }

    if (const QString shot = qEnvironmentVariable("KT_SHOT"); !shot.isEmpty()) {
        Window()->showMaximized();
        window->showNormal();
        window->setGeometry(10, 10, 700, 480);
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QTest::qWait(20);
        }
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(shot.arg(GetParam())));
    }
}

INSTANTIATE_TEST_SUITE_P(Models, MonitorObjectsUiTest, ::testing::Values(8044, 8049),
                         [](const auto& info) { return info.param == 8044 ? "OneAxis" : "TwoAxes"; });
