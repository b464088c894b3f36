// Device status columns, manual operation buttons and the manual input
// status in the running program: inserted through the Insert menu's
// commands and their dialogs, and opened by a double click of the mouse on
// the real monitor window; while monitoring the simulated controller, a
// lamp switched by a double click and a jog held with the mouse.
#include "app/MonitorPageFixture.h"
#include "online/ControllerFixture.h"
#include "online/monitor/HOXManInputDlg.h"
#include "online/monitor/HOXManInputPlcDlg.h"
#include "online/monitor/HOXManOpernDlg.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonDevStatDlg.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/MonObjIds.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace kt::test;

namespace {

using MonitorDevicesUiTest = MonitorPageFixture;

} // namespace

TEST_F(MonitorDevicesUiTest, InsertedThroughTheMenusAndOpenedByADoubleClick)
{
    // Insert > Device Status: M0 of 8 points.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXMonDevStatDlg::kTemplate, [](DialogDriver& d) {
            d.Select(CHOXMonDevStatDlg::kName, 2);
            d.Click(CHOXMonDevStatDlg::kPoints8);
            d.Click(IDOK);
        });
        Command(ID_INSERT_DEVICE_STATUS);
    }
    auto* column = dynamic_cast<CHOXMonDevStat*>(wnd->LookupMonObj(CHOXDoc::kFirstMonObjId));
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->GetRect(), CRect(10, 10, 50, 170));

    // Insert > Manual Operation: "Y JOG+".
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXManOpernDlg::kTemplate, [](DialogDriver& d) {
            d.Select(CHOXManOpernDlg::kTab, 1);
            d.Click(CHOXManOpernDlg::kStart + 2);
            d.Click(IDOK);
        });
        Command(ID_INSERT_MANUAL_OPERATION);
    }
    auto* button = dynamic_cast<CHOXMonManOpern*>(wnd->LookupMonObj(11));
    ASSERT_NE(button, nullptr);
    // Moved aside with the mouse, so that the column can be reached.
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(40, 25)));
    QTest::mouseMove(area, At(CPoint(140, 225)));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(140, 225)));
    ASSERT_EQ(button->GetRect(), CRect(110, 210, 170, 240));

    // A double click on the column: D100 of 4 points, its corner kept.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXMonDevStatDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Site().GetCurSel(CHOXMonDevStatDlg::kName), 2);
            d.Select(CHOXMonDevStatDlg::kName, 3);
            d.Type(CHOXMonDevStatDlg::kNumber, QStringLiteral("100"));
            d.Click(CHOXMonDevStatDlg::kPoints4);
            d.Click(IDOK);
        });
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(30, 30)));
        EXPECT_EQ(dialogs.Ran(), 1);
    }
    EXPECT_EQ(column->GetSettings(), (CHOXMonDevStat::Settings{0, 1, 100, 0, 0, 4}));
    EXPECT_EQ(column->GetRect(), CRect(10, 10, 154, 90));

    // A double click on the button makes it "X STOP": id 3.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXManOpernDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Site().GetCurSel(CHOXManOpernDlg::kTab), 1);
            d.Select(CHOXManOpernDlg::kTab, 0);
            d.Click(CHOXManOpernDlg::kStart + 1);
            d.Click(IDOK);
        });
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(140, 225)));
        EXPECT_EQ(dialogs.Ran(), 1);
    }
    EXPECT_EQ(wnd->LookupMonObj(3), button);
    EXPECT_EQ(wnd->LookupMonObj(11), nullptr);
    EXPECT_TRUE(Doc()->IsModified());

    // Insert > Manual Input Status, then a double click on its lamps below
    // the column: "Manual Input", "KZ - PLC" and the top devices set.
    Command(ID_INSERT_MANUAL_INPUT_STATUS);
    auto* inputs = dynamic_cast<CHOXMonManInputStat*>(wnd->LookupMonObj(monid::kManInputStat));
    ASSERT_NE(inputs, nullptr);
    ASSERT_EQ(inputs->GetRect(), CRect(10, 10, 160, 150));
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXManInputDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Manual Input"));
            d.Click(CHOXManInputDlg::kPlcButton);
        });
        dialogs.Expect(CHOXManInputPlcDlg::kTemplate, [](DialogDriver& d) {
            d.Type(IDC_FOUNSEQ_DEVICE_X, QStringLiteral("100"));
            d.Click(IDOK);
        });
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(100, 120)));
        EXPECT_EQ(dialogs.Ran(), 2);
    }
    EXPECT_EQ(inputs->GetTopDevice(axis::kX), 100);
}

// ---------------------------------------------------------------------------
// While monitoring the simulated controller

namespace {
using MonitorObjectsDrivingUiTest = MonitoringFixture;
} // namespace

TEST_F(MonitorObjectsDrivingUiTest, TheMouseOnTheRealPageSwitchesLampsAndJogs)
{
    ASSERT_NE(NewDocument(), nullptr);
    CHOXMonWnd* wnd = Doc()->GetMonWnd();
    auto lamps = std::make_unique<CHOXMonDevStat>(CHOXMonDevStat::Settings{0, 12, 200, 0, 0, 4}, wnd);
    lamps->SetId(static_cast<DWORD>(Doc()->NewMonObjId()));
    CHOXMonDevStat* column = lamps.get();
    wnd->AddMonObj(std::move(lamps));
    auto jog = std::make_unique<CHOXMonManOpern>(2, wnd);
    jog->SetId(monid::ManOpernId(2));
    jog->m_position = CRect(100, 10, 160, 40);
    CHOXMonManOpern* button = jog.get();
    wnd->AddMonObj(std::move(jog));
    CMDIChildWnd* frame = MonitorFrame();
    ASSERT_NE(frame, nullptr);
    frame->MDIActivate();
    QtChildFrame* window = static_cast<QtChildFrameHost*>(frame->Host())->Window();
    window->showNormal();
    window->resize(640, 440);
    QtViewWidget* widget = window->ViewWidget();
    QWidget* area = widget->viewport();
    auto* view = static_cast<CHOXMonView*>(frame->GetActiveView());
    Sim().SetSwitch(CSimController::ReadyX, true);

    ASSERT_TRUE(GetCommandRouter()->Execute(ID_MONITOR_START));
    ASSERT_FALSE(Doc()->IsEditMode());
    // Painted, the column is read.
    area->repaint();
    RunUntil([&] { return !Sim().Log().Of(QStringLiteral("ReadDevice")).empty(); });
    const auto at = [&](CPoint p) {
        const CPoint d = view->DocToClient(p);
        return QPoint(d.x, d.y);
    };

    // M201 shown off: a double click sets it.
    Sim().Log().Clear();
    QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, at(CPoint(30, 40)));
    std::int32_t m201 = 0;
    ASSERT_TRUE(Sim().ReadDeviceValue(0, 201, m201));
    EXPECT_EQ(m201, 1);
    EXPECT_EQ(Sim().Log().Of(QStringLiteral("SetOperation")).size(), 1u);
    RunUntil([&] { return column->GetValue(1) == 1; });

    // The jog runs while the mouse button is held on it.
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, at(CPoint(130, 25)));
    EXPECT_TRUE(button->IsPressed());
    EXPECT_EQ(Sim().Jog(0), 1);
    area->repaint();
    SaveScreenshot(Window(), "monitor-devices.png");
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, at(CPoint(130, 25)));
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(Sim().Jog(0), 0);
}
