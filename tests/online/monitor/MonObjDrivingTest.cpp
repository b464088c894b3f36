// Driving the simulated controller from the monitor page while monitoring,
// through the monitor view hosted in memory: double clicks on lamps switch
// Y and M bits both ways and leave X alone, word rows are written through
// "Word Input" (a protected register only shown), and the manual-operation
// buttons jog, feed, start and stop with the controller's refusals; what the
// controller did is read back from it, what the page shows at the next
// reading.
#include "app/HOXTimedMessageDlg.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/ControllerDevices.h"
#include "online/monitor/HOXWordInputDlg.h"

#include "online/monitor/MonitorSupport.h"

#include <QTimer>

using namespace kt::test;

namespace {

using SV = CHOXSelectVal;

constexpr UINT kWarn = MB_OK | MB_ICONEXCLAMATION;

class MonObjDrivingTest : public MonitorFixture {
protected:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        HostView();
    }
    void TearDown() override
    {
        if (doc && !doc->IsEditMode()) doc->OnMonitorStop();
        MonitorFixture::TearDown();
    }

    CHOXMonManOpern* Button(std::int32_t index, const CRect& at)
    {
        return Put(std::make_unique<CHOXMonManOpern>(index, Monitor()), monid::ManOpernId(index), at);
    }
    // Starts monitoring with every object seen, and waits for a reading of
    // the column.
    void Start(CHOXMonDevStat* column = nullptr)
    {
        doc->OnMonitorStart();
        ASSERT_FALSE(doc->IsEditMode());
        DrawPage();
        if (column != nullptr) NextReading();
    }
    // Lets the worker read the page once more, from now.
    void NextReading()
    {
        const std::size_t reads = Sim().Log().Of(QStringLiteral("ReadDevice")).size();
        const int redrawn = view->host.invalidateAll;
        RunUntil([&] {
            return Sim().Log().Of(QStringLiteral("ReadDevice")).size() > reads && view->host.invalidateAll > redrawn;
        });
        // The result that followed the read has been applied.
        const int applied = view->host.invalidateAll;
        RunUntil([&] { return view->host.invalidateAll > applied; });
    }

    CPoint Dev(CPoint docPoint) const { return view->view.DocToClient(docPoint); }
    void DoubleClick(CPoint p) { view->view.OnLButtonDblClk(MK_LBUTTON, Dev(p)); }
    void Press(CPoint p) { view->view.OnLButtonDown(MK_LBUTTON, Dev(p)); }
    void Release(CPoint p) { view->view.OnLButtonUp(0, Dev(p)); }

    // What was asked of the controller since the log was last cleared, but
    // the worker's readings.
    static QString Sent()
    {
        QStringList sent;
        for (const CSimRequest& request : Sim().Log().Entries()) {
            const QString& op = request.m_operation;
            if (op == u"ReadMonitoringInfo" || op == u"ReadDevice" || op == u"ReadCurrentPos" ||
                op == u"GetManInputStatus" || op == u"GetKZQWStatus" || op == u"GetProgInfo")
                continue;
            sent << request.ToText().section(QStringLiteral(" axis"), 0, 0);
        }
        return sent.join(QStringLiteral("; "));
    }
    static std::int32_t Device(int code, int address)
    {
        std::int32_t value = -1;
        EXPECT_TRUE(Sim().ReadDeviceValue(code, address, value));
        return value;
    }
    static void ExpectRefusal(ScriptedDialogs& dialogs, const char* text, std::function<void()> meanwhile = {})
    {
        dialogs.Expect(CHOXTimedMessageDlg::kTemplate, [text, meanwhile](DialogDriver& d) {
            EXPECT_EQ(QString::fromLatin1(text), d.Text(CHOXTimedMessageDlg::kTextControl));
            if (meanwhile) meanwhile();
            d.FireTimer(CHOXTimedMessageDlg::kTimerId);
        });
    }
};

} // namespace

// A double click on a lamp sets a bit shown off and resets one shown on.
TEST_F(MonObjDrivingTest, LampsOfYAndMSwitchBothWaysAndXStaysAsItIs)
{
    CHOXMonDevStat* m = Devices({0, SV::kM, 100, 0, 0, 4}, CRect(10, 10, 50, 90));
    CHOXMonDevStat* y = Devices({0, SV::kY, 6, 0, 0, 4}, CRect(60, 10, 100, 90));
    CHOXMonDevStat* x = Devices({0, SV::kX, 0, 0, 0, 4}, CRect(110, 10, 150, 90));
    Start(m);
    ASSERT_EQ(m->GetValue(1), 0);

    struct Step {
        CHOXMonDevStat* column;
        int row;
        const char* sent;
        int code, address; // the device as the controller counts it
        int after;
    };
    const Step steps[] = {
        {m, 1, "SetOperation 0 101", ctrldev::M, 101, 1},
        {m, 1, "ResetOperation 0 101", ctrldev::M, 101, 0},
        // Y6, Y7, Y10: the third row is Y10, the controller's ninth output.
        {y, 2, "SetOperation 2 8", ctrldev::Y, 10, 1},
        {y, 2, "ResetOperation 2 8", ctrldev::Y, 10, 0},
        {y, 0, "SetOperation 2 6", ctrldev::Y, 6, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.sent);
        Sim().Log().Clear();
        const CRect& r = s.column->GetRect();
        DoubleClick(CPoint(r.left + 20, r.top + 20 * s.row + 10));
        EXPECT_EQ(Sent().toStdString(), s.sent);
        EXPECT_EQ(Device(s.code, s.address), s.after);
        NextReading();
        EXPECT_EQ(s.column->GetValue(s.row), s.after) << "shown at the next reading";
    }

    // X inputs, and a point beside the lamps: nothing.
    Sim().Log().Clear();
    DoubleClick(CPoint(130, 30));
    DoubleClick(CPoint(55, 30));
    EXPECT_EQ(Sent(), QString());
    EXPECT_EQ(x->GetShownCount(), 4);
}

TEST_F(MonObjDrivingTest, WordRowsAreWrittenThroughWordInputAndProtectedOnesOnlyShown)
{
    CHOXMonDevStat* d = Devices({0, SV::kD, 100, 0, 0, 4}, CRect(10, 10, 154, 90));
    CHOXMonDevStat* dd = Devices({1, SV::kD, 200, 0, 0, 4}, CRect(10, 100, 154, 180));
    CHOXMonDevStat* special = Devices({0, SV::kD, 9000, 0, 0, 4}, CRect(10, 190, 154, 270));
    Start(d);
    const auto row = [](CHOXMonDevStat* column, int i) {
        return CPoint(column->GetRect().left + 100, column->GetRect().top + 20 * i + 10);
    };

    // D101: the value typed reaches the controller and shows at the next
    // reading.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Word Input"));
            EXPECT_EQ(d.Text(CHOXWordInputDlg::kPrompt), QStringLiteral("&Enter   D101   Value"));
            EXPECT_EQ(d.Text(CHOXWordInputDlg::kValue), QStringLiteral("0"));
            EXPECT_TRUE(d.Enabled(CHOXWordInputDlg::kValue));
            d.Type(CHOXWordInputDlg::kValue, QStringLiteral("-1234"));
            d.Click(IDOK);
        });
        Sim().Log().Clear();
        DoubleClick(row(d, 1));
    }
    EXPECT_TRUE(Sent().startsWith(QStringLiteral("WriteDevice"))) << Sent().toStdString();
    EXPECT_EQ(Device(ctrldev::D, 101), -1234);
    EXPECT_EQ(d->GetValue(1), 0);
    NextReading();
    EXPECT_EQ(d->GetValue(1), -1234);

    // DD202 takes a 32-bit value; D100 no value past 16 bits.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Text(CHOXWordInputDlg::kPrompt), QStringLiteral("&Enter   DD202   Value"));
            d.Type(CHOXWordInputDlg::kValue, QStringLiteral("70000"));
            d.Click(IDOK);
        });
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            d.Type(CHOXWordInputDlg::kValue, QStringLiteral("40000"));
            d.Click(IDOK);
        });
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            d.Type(CHOXWordInputDlg::kValue, QStringLiteral("5"));
            d.Click(IDCANCEL);
        });
        DoubleClick(row(dd, 1));
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Please enter an integer between -32768 and 32767."), kWarn, IDOK);
        Sim().Log().Clear();
        DoubleClick(row(d, 0));
        DoubleClick(row(d, 0));
        EXPECT_EQ(Sent(), QString()) << "refused and cancelled: nothing written";
    }
    EXPECT_EQ(Device(ctrldev::DD, 202), 70000);
    NextReading();
    EXPECT_EQ(dd->GetValue(1), 70000);

    // D9001 may not be written: shown in a disabled edit, nothing sent.
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Text(CHOXWordInputDlg::kPrompt), QStringLiteral("&Enter   D9001   Value"));
            EXPECT_FALSE(d.Enabled(CHOXWordInputDlg::kValue));
            d.Click(IDOK);
        });
        Sim().Log().Clear();
        DoubleClick(row(special, 1));
    }
    EXPECT_EQ(Sent(), QString());
}

TEST_F(MonObjDrivingTest, AJogRunsWhileItsButtonIsHeld)
{
    CHOXMonManOpern* forward = Button(2, CRect(10, 10, 70, 40));
    CHOXMonManOpern* backward = Button(10, CRect(80, 10, 140, 40));
    Start();
    Sim().SetSwitch(CSimController::ReadyX, true);
    Sim().SetSwitch(CSimController::ReadyY, true);

    Sim().Log().Clear();
    Press(CPoint(30, 20));
    EXPECT_EQ(Sent(), QStringLiteral("Status; WriteManualOprn 68 0"));
    EXPECT_TRUE(forward->IsPressed());
    EXPECT_EQ(Sim().Jog(axis::kX), 1);
    Release(CPoint(30, 20));
    EXPECT_EQ(Sent(), QStringLiteral("Status; WriteManualOprn 68 0; WriteManualOprn 84 0"));
    EXPECT_FALSE(forward->IsPressed());
    EXPECT_EQ(Sim().Jog(axis::kX), 0);

    // Y backward, let go away from the button.
    Sim().Log().Clear();
    Press(CPoint(100, 20));
    EXPECT_EQ(Sim().Jog(axis::kY), -1);
    Release(CPoint(300, 300));
    EXPECT_EQ(Sent(), QStringLiteral("Status; WriteManualOprn 71 0; WriteManualOprn 87 0"));
    EXPECT_FALSE(backward->IsPressed());
    EXPECT_EQ(Sim().Jog(axis::kY), 0);
}

TEST_F(MonObjDrivingTest, AJogLetGoWhileItsPressIsOnItsWayIsReleasedOnceTheControllerTookIt)
{
    CHOXMonManOpern* forward = Button(2, CRect(10, 10, 70, 40));
    SetTimeout(kLongTimeoutMs);
    Start();
    Sim().SetSwitch(CSimController::ReadyX, true);
    // The status comes late: the focus leaves the page meanwhile.
    Faults().Add(SimFault(CSimFault::SlowReply, commproto::Status, 300));
    bool pressReturned = false;
    bool letGoDuringThePress = false;
    QTimer::singleShot(0, [&] {
        letGoDuringThePress = !pressReturned;
        view->view.OnCaptureLost();
    });
    Sim().Log().Clear();
    Press(CPoint(30, 20));
    pressReturned = true;
    EXPECT_TRUE(letGoDuringThePress);
    EXPECT_EQ(Sent(), QStringLiteral("Status; WriteManualOprn 68 0; WriteManualOprn 84 0"));
    EXPECT_EQ(Sim().Jog(axis::kX), 0) << "the jog does not run on";
    EXPECT_FALSE(forward->IsPressed());
    Release(CPoint(30, 20));
    EXPECT_EQ(Sent(), QStringLiteral("Status; WriteManualOprn 68 0; WriteManualOprn 84 0"));
}

TEST_F(MonObjDrivingTest, ARefusedPressStaysUpAndItsReleaseSendsNothing)
{
    CHOXMonManOpern* jog = Button(3, CRect(10, 10, 70, 40));
    CHOXMonManOpern* zero = Button(11, CRect(80, 10, 140, 40));
    Start();
    Sim().SetSwitch(CSimController::ReadyX, false);
    Sim().SetSwitch(CSimController::ReadyY, false);
    {
        ScriptedDialogs dialogs;
        // The message takes the focus from the page while the press is on
        // its way: the view lets the button go.
        ExpectRefusal(dialogs, "ERROR : X axis is Busy.\n Cannot execute  this Manual operation .",
                      [&] { view->view.OnCaptureLost(); });
        ExpectRefusal(dialogs, "ERROR : Y axis is Busy.\n Cannot execute  this Manual operation .");
        Sim().Log().Clear();
        Press(CPoint(30, 20));
        EXPECT_FALSE(jog->IsPressed());
        Release(CPoint(30, 20));
        Press(CPoint(100, 20));
        EXPECT_FALSE(zero->IsPressed());
        Release(CPoint(100, 20));
    }
    EXPECT_EQ(Sent(), QStringLiteral("Status; Status")) << "no release after a refused press";
    EXPECT_EQ(Sim().Jog(axis::kX), 0);
}

// A button whose index a file alone can hold has no operation: pressed,
// released and double clicked while monitoring, it sends nothing.
TEST_F(MonObjDrivingTest, AButtonOfAnUnknownIndexSendsNothing)
{
    auto unknown = std::make_unique<CHOXMonManOpern>(14, Monitor());
    Put(std::move(unknown), 30, CRect(10, 10, 70, 40));
    Start();
    Sim().Log().Clear();
    Press(CPoint(30, 20));
    Release(CPoint(30, 20));
    {
        ScriptedDialogs none;
        DoubleClick(CPoint(30, 20));
    }
    EXPECT_EQ(Sent(), QString());
}

TEST_F(MonObjDrivingTest, AFeedSendsItsAmountAndNeverStaysPressed)
{
    CHOXMonManOpern* feed = Button(5, CRect(10, 10, 70, 40));
    Start();
    Sim().SetSwitch(CSimController::ReadyX, true);
    {
        ScriptedDialogs dialogs;
        dialogs.Expect(CHOXWordInputDlg::kTemplate, [](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), QStringLiteral("Feed Input"));
            d.Type(CHOXWordInputDlg::kValue, QStringLiteral("250"));
            d.Click(IDOK);
        });
        DoubleClick(CPoint(30, 20));
    }
    EXPECT_EQ(feed->GetFeedValue(), 250);
    Sim().Log().Clear();
    // The single click the view held back for the double-click time.
    feed->OnLButtonDown(&view->view, MK_LBUTTON, Dev(CPoint(30, 20)));
    EXPECT_EQ(Sent(), QStringLiteral("Status; WriteManualOprn 74 250"));
    EXPECT_FALSE(feed->IsPressed());
    feed->OnLButtonUp(&view->view, 0, Dev(CPoint(30, 20)));
    EXPECT_EQ(Sent(), QStringLiteral("Status; WriteManualOprn 74 250"));
}

TEST_F(MonObjDrivingTest, StartAndStopPulseTheirRelaysAndAStartIsRefusedInManualMode)
{
    CHOXMonManOpern* start = Button(0, CRect(10, 10, 70, 40));
    CHOXMonManOpern* stop = Button(1, CRect(80, 10, 140, 40));
    // The controller's clock stands still: a started program stays running.
    const auto now = CSimController::Clock::now();
    Sim().SetClock([now] { return now; });
    ASSERT_TRUE(Sim().StoreProgram("OX7;\ncod04(DRV);\nm02(END);\n"));
    Start();

    Sim().SetSwitch(CSimController::Auto, false);
    {
        ScriptedDialogs dialogs;
        ExpectRefusal(dialogs, "ERROR : Cannot execute program in  MANUAL mode.");
        Sim().Log().Clear();
        Press(CPoint(30, 20));
        Release(CPoint(30, 20));
    }
    EXPECT_EQ(Sent(), QStringLiteral("Status"));
    EXPECT_FALSE(start->IsPressed());
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskX));

    Sim().SetSwitch(CSimController::Auto, true);
    Sim().Log().Clear();
    Press(CPoint(30, 20));
    EXPECT_TRUE(start->IsPressed());
    Release(CPoint(30, 20));
    EXPECT_FALSE(start->IsPressed());
    EXPECT_TRUE(Sim().IsRunning(CSimController::TaskX));
    Press(CPoint(100, 20));
    Release(CPoint(100, 20));
    EXPECT_FALSE(stop->IsPressed());
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskX));
    EXPECT_EQ(Sent(),
              QStringLiteral("Status; ResetOperation 1 1; SetOperation 1 1; ResetOperation 1 2; SetOperation 1 2"));
}
