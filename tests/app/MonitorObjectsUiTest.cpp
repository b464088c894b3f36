// The plot, the current position, the controller status and the program
// information in the running program: inserted from the Insert menu's
// commands, painted by the real monitor window and opened by a double click
// of the mouse on it, on a one-axis and a two-axis document; then, while
// monitoring the simulated controller, a position preset from the dialog
// comes back in the panel and the plot, and lamps and codes follow the
// controller. With KT_SHOT set to a file name the screen is saved there at
// the end (run under an X server to get a picture).
#include "online/ControllerFixture.h"
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
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

#include <cmath>

using namespace kt::test;

namespace {

class MonitorObjectsUiTest : public MonitoringFixture {
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

    void Run(int typeRadio);

    QtViewWidget* widget = nullptr;
    QWidget* area = nullptr;
    CHOXMonView* view = nullptr;
};

} // namespace

// The type dialog's radio button of the model.
void MonitorObjectsUiTest::Run(int typeRadio)
{
    ASSERT_NE(NewDocument(typeRadio), nullptr);
    const bool oneAxis = ctype::IsOneAxis(Doc()->GetControllerType());
    Sim().SetModel(oneAxis ? 0 : 1);
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
        dialogs.Expect(o.dialog, [&o](DialogDriver& d) {
            // The dialog as rendered, beside the screen's picture.
            if (const QString shot = qEnvironmentVariable("KT_SHOT"); !shot.isEmpty()) {
                d.Site().Window()->adjustSize();
                EXPECT_TRUE(d.Site().Window()->grab().save(shot.arg(o.dialog)));
            }
            d.PressKey(Qt::Key_Escape);
        });
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, At(wnd->LookupMonObj(o.id)->GetRect().CenterPoint()));
        EXPECT_EQ(dialogs.Ran(), 1);
    }

    // Monitoring: the current position's write presets the controller, and
    // the page follows it.
    Sim().SetSwitch(CSimController::ReadyX, true);
    Sim().SetSwitch(CSimController::ReadyY, true);
    Sim().SetAxisError(0, 4);
    Command(ID_MONITOR_START);
    ASSERT_FALSE(Doc()->IsEditMode());
    QString lamp;
    RunUntil([&] { return status->GetLamp(0, 0, lamp) == 1 && info->GetInfo(0).errorCode == 4; });
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXCurPosDlg::kTemplate, [oneAxis](DialogDriver& d) {
            d.Type(CHOXCurPosDlg::kXValue, QStringLiteral("60"));
            d.Click(CHOXCurPosDlg::kWriteX);
            if (!oneAxis) {
                d.Type(CHOXCurPosDlg::kYValue, QStringLiteral("-40"));
                d.Click(CHOXCurPosDlg::kWriteY);
            }
            d.Click(IDOK);
        });
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, At(position->GetRect().CenterPoint()));
        EXPECT_EQ(dialogs.Ran(), 1);
    }
    const std::int32_t y = oneAxis ? 0 : -40;
    RunUntil([&] { return position->GetXPosition() == 60 && plot->GetLastSample() == (PlotSample{60, y}); });
    EXPECT_EQ(status->GetLamp(0, 2, lamp), 1) << "the error lamp";
    // Seen on the screen, the objects stay polled.
    Paint();
    for (const auto& o : objects) EXPECT_TRUE(wnd->LookupMonObj(o.id)->IsVisible()) << o.command;

    if (const QString shot = qEnvironmentVariable("KT_SHOT"); !shot.isEmpty()) {
        Window()->showMaximized();
        window->showNormal();
        window->setGeometry(10, 10, 700, 480);
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QTest::qWait(20);
        }
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(shot.arg(typeRadio)));
    }
}

TEST_F(MonitorObjectsUiTest, OneAxisInsertedPaintedOpenedAndMonitored) { Run(8044); }

TEST_F(MonitorObjectsUiTest, TwoAxesInsertedPaintedOpenedAndMonitored) { Run(8049); }
