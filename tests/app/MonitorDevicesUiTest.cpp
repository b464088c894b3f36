// Device status columns, manual operation buttons and the manual input
// status in the running program: inserted through the Insert menu's
// commands and their dialogs, and opened by a double click of the mouse on
// the real monitor window; while monitoring the simulated controller, a
// lamp switched by a double click, a jog held with the mouse and a word
// written through the real "Word Input" dialog.
#include "app/MonitorPageFixture.h"
#include "online/ControllerFixture.h"
#include "online/comm/ControllerDevices.h"
#include "online/monitor/HOXManInputDlg.h"
#include "online/monitor/HOXManInputPlcDlg.h"
#include "online/monitor/HOXManOpernDlg.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonDevStatDlg.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXWordInputDlg.h"
#include "online/monitor/MonObjIds.h"
#include "platform/ui/QtChildFrame.h"
#include "platform/ui/QtDialogSite.h"
#include "platform/ui/QtPlatform.h"
#include "platform/ui/QtViewWidget.h"
#include "res/CommandIds.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <vector>

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

// Insert > Device Status through the real dialog: the type chosen in its
// combo with the keyboard, 16 points clicked, the number stepped by the
// spin's arrow and the arrow key from one group of 16 to the next, and OK
// clicked with the mouse.
TEST_F(MonitorDevicesUiTest, TheRealDeviceStatusDialogStepsThroughGroupsAndInsertsTheColumn)
{
    using Dlg = CHOXMonDevStatDlg;
    QtDialogRunner runner;
    DialogRunner* previous = GetDialogRunner();
    SetDialogRunner(&runner);
    std::vector<QString> numbers;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<TemplateDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Device Status"));
        QtDialogSite& site = dialog->Site();
        auto* name = qobject_cast<QComboBox*>(site.Control(Dlg::kName));
        auto* number = qobject_cast<QLineEdit*>(site.Control(Dlg::kNumber));
        auto* hint = qobject_cast<QLabel*>(site.Control(Dlg::kHint));
        QWidget* sixteen = site.Control(Dlg::kPoints16);
        QWidget* read = site.Control(Dlg::kRead);
        ASSERT_TRUE(name != nullptr && number != nullptr && hint != nullptr && sixteen != nullptr && read != nullptr);
        QToolButton* up = nullptr;
        for (QToolButton* arrow : site.Control(Dlg::kNumberSpin)->findChildren<QToolButton*>())
            if (arrow->arrowType() == Qt::UpArrow) up = arrow;
        ASSERT_NE(up, nullptr);

        // X, then Y, then M.
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Down);
        QTest::keyClick(name, Qt::Key_Down);
        EXPECT_EQ(name->currentText(), QStringLiteral("M"));
        EXPECT_FALSE(read->isEnabled());
        QTest::mouseClick(sixteen, Qt::LeftButton);
        EXPECT_EQ(hint->text(), QStringLiteral("(0,16,32,..)"));
        EXPECT_TRUE(read->isEnabled());
        number->setFocus();
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("480"));
        QTest::mouseClick(up, Qt::LeftButton);
        numbers.push_back(number->text());
        QTest::keyClick(number, Qt::Key_Up);
        numbers.push_back(number->text());
        QTest::mouseClick(site.Control(IDOK), Qt::LeftButton);
    });
    Command(ID_INSERT_DEVICE_STATUS);
    SetDialogRunner(previous);
    EXPECT_EQ(numbers, (std::vector<QString>{QStringLiteral("496"), QStringLiteral("9000")}));
    auto* column = dynamic_cast<CHOXMonDevStat*>(wnd->LookupMonObj(CHOXDoc::kFirstMonObjId));
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->GetSettings(), (CHOXMonDevStat::Settings{0, 12, 9000, 0, 0, 16}));
}

// ---------------------------------------------------------------------------
// While monitoring the simulated controller

namespace {

class MonitorObjectsDrivingUiTest : public MonitoringFixture {
protected:
    // The page in its real child window, monitored until its objects were
    // read once.
    void ShowAndMonitor()
    {
        CMDIChildWnd* frame = MonitorFrame();
        ASSERT_NE(frame, nullptr);
        frame->MDIActivate();
        QtChildFrame* window = static_cast<QtChildFrameHost*>(frame->Host())->Window();
        window->showNormal();
        window->resize(640, 440);
        area = window->ViewWidget()->viewport();
        view = static_cast<CHOXMonView*>(frame->GetActiveView());
        ASSERT_TRUE(GetCommandRouter()->Execute(ID_MONITOR_START));
        ASSERT_FALSE(Doc()->IsEditMode());
        // Painted, the objects are read.
        area->repaint();
        RunUntil([&] { return !Sim().Log().Of(QStringLiteral("ReadDevice")).empty(); });
    }
    QPoint At(CPoint p) const
    {
        const CPoint d = view->DocToClient(p);
        return QPoint(d.x, d.y);
    }
    // A device status column added to the page.
    CHOXMonDevStat* AddColumn(const CHOXMonDevStat::Settings& settings)
    {
        CHOXMonWnd* wnd = Doc()->GetMonWnd();
        auto made = std::make_unique<CHOXMonDevStat>(settings, wnd);
        made->SetId(static_cast<DWORD>(Doc()->NewMonObjId()));
        CHOXMonDevStat* column = made.get();
        wnd->AddMonObj(std::move(made));
        return column;
    }

    QWidget* area = nullptr;
    CHOXMonView* view = nullptr;
};

} // namespace

TEST_F(MonitorObjectsDrivingUiTest, TheMouseOnTheRealPageSwitchesLampsAndJogs)
{
    ASSERT_NE(NewDocument(), nullptr);
    CHOXMonWnd* wnd = Doc()->GetMonWnd();
    CHOXMonDevStat* column = AddColumn(CHOXMonDevStat::Settings{0, 12, 200, 0, 0, 4});
    auto jog = std::make_unique<CHOXMonManOpern>(2, wnd);
    jog->SetId(monid::ManOpernId(2));
    jog->m_position = CRect(100, 10, 160, 40);
    CHOXMonManOpern* button = jog.get();
    wnd->AddMonObj(std::move(jog));
    Sim().SetSwitch(CSimController::ReadyX, true);
    ShowAndMonitor();

    // M201 shown off: a double click sets it.
    Sim().Log().Clear();
    QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(30, 40)));
    std::int32_t m201 = 0;
    ASSERT_TRUE(Sim().ReadDeviceValue(0, 201, m201));
    EXPECT_EQ(m201, 1);
    EXPECT_EQ(Sim().Log().Of(QStringLiteral("SetOperation")).size(), 1u);
    RunUntil([&] { return column->GetValue(1) == 1; });

    // The jog runs while the mouse button is held on it.
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(130, 25)));
    EXPECT_TRUE(button->IsPressed());
    EXPECT_EQ(Sim().Jog(0), 1);
    area->repaint();
    SaveScreenshot(Window(), "monitor-devices.png");
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(130, 25)));
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(Sim().Jog(0), 0);
}

// The word row's value is typed into the real "Word Input" dialog and its
// OK button clicked with the mouse.
TEST_F(MonitorObjectsDrivingUiTest, ADoubleClickOnAWordRowWritesWhatIsTypedInTheRealWordInput)
{
    ASSERT_NE(NewDocument(), nullptr);
    AddColumn(CHOXMonDevStat::Settings{0, 1, 100, 0, 0, 4});
    ShowAndMonitor();

    QtDialogRunner runner;
    DialogRunner* previous = GetDialogRunner();
    SetDialogRunner(&runner);
    bool shown = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<TemplateDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Word Input"));
        auto* prompt = qobject_cast<QLabel*>(dialog->Site().Control(CHOXWordInputDlg::kPrompt));
        auto* value = qobject_cast<QLineEdit*>(dialog->Site().Control(CHOXWordInputDlg::kValue));
        ASSERT_NE(prompt, nullptr);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(prompt->text(), QStringLiteral("&Enter   D101   Value"));
        EXPECT_TRUE(value->isEnabled());
        shown = true;
        value->setFocus();
        value->selectAll();
        QTest::keyClicks(value, QStringLiteral("-1234"));
        QTest::mouseClick(dialog->Site().Control(IDOK), Qt::LeftButton);
    });
    Sim().Log().Clear();
    // Row 1's value box.
    QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, At(CPoint(110, 40)));
    SetDialogRunner(previous);
    EXPECT_TRUE(shown);
    std::int32_t d101 = 0;
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::D, 101, d101));
    EXPECT_EQ(d101, -1234);
    EXPECT_EQ(Sim().Log().Of(QStringLiteral("WriteDevice")).size(), 1u);
}
