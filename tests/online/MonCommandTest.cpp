// The sender of writes while monitoring, against the simulated controller:
// its tables of devices, addresses and manual codes, what each operation
// sends, the refusals the controller's status causes (in the self-closing
// message), the releases sent without asking, the pulses that start and stop
// a program, the 16-bit range of a register, and a failure reported once.
#include "online/HOXMonCommand.h"

#include "app/HOXTimedMessageDlg.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/ControllerDevices.h"
#include "online/monitor/MonitorSupport.h"

#include <QString>

using namespace kt::test;

namespace {

using SV = CHOXSelectVal;

constexpr UINT kStop = MB_OK | MB_ICONHAND;
const char* const kRejected = "ERROR :  Controller is rejected.";

class MonCommandTest : public MonitorFixture {
protected:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        // Monitoring as the sender sees it: the document out of edit mode,
        // no worker on the line.
        doc->SetEditMode(false);
        Sim().Log().Clear();
    }
    void TearDown() override
    {
        doc->SetEditMode(true);
        MonitorFixture::TearDown();
    }

    // Every request the controller carried out, as logged without axis and
    // client.
    static QString Sent()
    {
        QStringList texts;
        for (const CSimRequest& request : Sim().Log().Entries())
            texts << request.ToText().section(QStringLiteral(" axis"), 0, 0);
        return texts.join(QStringLiteral("; "));
    }

    // The self-closing message with the text, closed by its timer.
    static void ExpectRefusal(ScriptedDialogs& dialogs, const char* text)
    {
        dialogs.Expect(CHOXTimedMessageDlg::kTemplate, [text](DialogDriver& d) {
            EXPECT_EQ(QString::fromLatin1(text), d.Text(CHOXTimedMessageDlg::kTextControl));
            d.FireTimer(CHOXTimedMessageDlg::kTimerId);
        });
    }
};

} // namespace

TEST(MonCommandTablesTest, OperandsMapToTheLinksDevicesAndAddresses)
{
    const struct {
        int kind, number;
        int code, address, setAddress;
    } cases[] = {
        {SV::kD, 0, ctrldev::D, 0, 0},
        {SV::kD, 3999, ctrldev::D, 3999, 3999},
        {SV::kD, 4000, ctrldev::DFile, 0, 0},
        {SV::kD, 8999, ctrldev::DFile, 4999, 4999},
        {SV::kD, 9000, ctrldev::DSpecial, 0, 0},
        {SV::kDD, 100, ctrldev::DD, 100, 100},
        {SV::kDD, 4000, ctrldev::DDFile, 0, 0},
        {SV::kDD, 9010, ctrldev::DDSpecial, 10, 10},
        {SV::kV, 5, ctrldev::V, 5, 5},
        {SV::kZ, 5, ctrldev::Z, 5, 5},
        {SV::kX, 17, ctrldev::X, 17, 17},
        // Set and reset of Y address its count: Y17 is the fifteenth.
        {SV::kY, 17, ctrldev::Y, 17, 15},
        {SV::kM, 8999, ctrldev::M, 8999, 8999},
        {SV::kM, 9017, ctrldev::MSpecial, 17, 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " number " << c.number);
        EXPECT_EQ(c.code, CHOXMonCommand::GetDeviceType(c.kind, c.number));
        EXPECT_EQ(c.address, CHOXMonCommand::GetDeviceAddress(c.code, c.number));
        EXPECT_EQ(c.setAddress, CHOXMonCommand::GetDeviceAddress(c.code, c.number, true));
    }
    for (int kind : {int{SV::kEmpty}, int{SV::kK}, int{SV::kH}, int{SV::kKnM}, int{SV::kKnX}, int{SV::kKnY}, 13, -1})
        EXPECT_EQ(-1, CHOXMonCommand::GetDeviceType(kind, 1)) << kind;
    EXPECT_EQ(15, CHOXMonCommand::OctalToNumber(17));
    EXPECT_EQ(0377, CHOXMonCommand::OctalToNumber(377));
}

TEST(MonCommandTablesTest, IndexRegistersPassTheLinksNumbering)
{
    const struct {
        int kind, number;
        bool valid;
        int index;
    } cases[] = {
        {SV::kNoIndex, 0, true, -1}, {SV::kNoIndex, 5, true, -1}, {SV::kIndexV, 0, true, 0}, {SV::kIndexV, 7, true, 7},
        {SV::kIndexZ, 0, true, 8},   {SV::kIndexZ, 7, true, 15},  {SV::kIndexV, 8, false, 0}, {SV::kIndexZ, -1, false, 0},
        {3, 1, false, 0},            {8, 1, false, 0},            {9, 1, false, 0},
    };
    for (const auto& c : cases) {
        int index = 99;
        EXPECT_EQ(c.valid, CHOXMonCommand::GetIndexArgument(c.kind, c.number, index)) << c.kind << " " << c.number;
        if (c.valid) {
            EXPECT_EQ(c.index, index);
        }
    }
}

TEST(MonCommandTablesTest, ManualOperationsHaveTheirCodes)
{
    const struct {
        int operation, pressed, released;
    } cases[] = {
        {2, 68, 84}, {3, 70, 86}, {4, 72, 72}, {5, 74, 74},   {6, 16, 16},
        {9, 69, 85}, {10, 71, 87}, {11, 73, 73}, {12, 75, 75}, {13, 17, 17},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.pressed, CHOXMonCommand::GetManualCode(c.operation, 1)) << c.operation;
        EXPECT_EQ(c.released, CHOXMonCommand::GetManualCode(c.operation, 0)) << c.operation;
        EXPECT_EQ(c.released, CHOXMonCommand::GetManualCode(c.operation, 2)) << c.operation;
    }
    // The pulses have no code; the others are outside the table.
    for (int operation : {0, 1, 7, 8, 14, -1}) EXPECT_EQ(-1, CHOXMonCommand::GetManualCode(operation, 1)) << operation;
}

TEST_F(MonCommandTest, WithoutMonitoringNothingIsOpenedOrSent)
{
    doc->SetEditMode(true);
    CHOXMonCommand idle;
    CHOXMonCommand editing(doc.get());
    for (CHOXMonCommand* sender : {&idle, &editing}) {
        EXPECT_FALSE(sender->IsOpened());
        EXPECT_EQ(0, sender->WriteCurrentPos(0, 1, 0));
        EXPECT_EQ(0, sender->WriteDevice(SV::kD, 1, 0, 0, 1));
        EXPECT_EQ(0, sender->SetDevice(SV::kM, 1, 0));
        EXPECT_EQ(0, sender->ManualOperation(6, 1, 0));
    }
    EXPECT_EQ(QString(), Sent());
}

TEST_F(MonCommandTest, APortThatDoesNotOpenIsReportedOnce)
{
    CCommPortSettings nowhere;
    CCommPortSettings::Write(QStringLiteral("COM1"), nowhere);
    ScriptedMessages messages;
    messages.Expect(QStringLiteral("ERROR : Failed opening ComPort.\nSetup ComPort in Control Panel."), kStop, IDOK);
    CHOXMonCommand sender(doc.get());
    EXPECT_FALSE(sender.IsOpened());
    EXPECT_EQ(0, sender.ManualOperation(6, 1, 0));
    ASSERT_EQ(1u, messages.seen.size());
    EXPECT_TRUE(messages.seen[0].detail.contains(QStringLiteral("COM1"))) << "where the port leads";
}

TEST_F(MonCommandTest, DevicesAreWrittenAsTheLinkTakesThem)
{
    const struct {
        int kind, number, indexKind, indexNumber;
        std::int32_t value;
        const char* sent;
    } cases[] = {
        {SV::kD, 100, 0, 0, -5, "WriteDevice 4 100 -1 1 -5"},
        {SV::kD, 100, 0, 0, 32767, "WriteDevice 4 100 -1 1 32767"},
        {SV::kD, 102, 0, 0, -32768, "WriteDevice 4 102 -1 1 -32768"},
        {SV::kD, 9000, 0, 0, 7, "WriteDevice 5 0 -1 1 7"},
        {SV::kDD, 100, 0, 0, 100000, "WriteDevice 7 100 -1 1 100000"},
        {SV::kV, 2, 0, 0, 3, "WriteDevice 10 2 -1 1 3"},
        {SV::kZ, 2, 0, 0, -70000, "WriteDevice 11 2 -1 1 -70000"},
        {SV::kD, 100, SV::kIndexV, 3, 12, "WriteDevice 4 100 3 1 12"},
        {SV::kD, 100, SV::kIndexZ, 3, 13, "WriteDevice 4 100 11 1 13"},
        {SV::kY, 17, 0, 0, 1, "WriteDevice 2 17 -1 1 1"},
    };
    CHOXMonCommand sender(doc.get());
    ASSERT_TRUE(sender.IsOpened());
    for (const auto& c : cases) {
        Sim().Log().Clear();
        EXPECT_EQ(1, sender.WriteDevice(c.kind, c.number, c.indexKind, c.indexNumber, c.value)) << c.sent;
        EXPECT_EQ(QString::fromLatin1(c.sent), Sent());
    }
    std::int32_t value = 0;
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::D, 102, value));
    EXPECT_EQ(-32768, value);
}

TEST_F(MonCommandTest, ASixteenBitRegisterTakesNoWiderValue)
{
    const struct {
        int kind, number, indexKind;
        std::int32_t value;
    } cases[] = {
        {SV::kD, 100, 0, 32768},
        {SV::kD, 100, 0, -32769},
        {SV::kD, 9000, 0, 65535},
        {SV::kV, 1, 0, 100000},
        // An indexed register travels as four bytes, but holds two.
        {SV::kD, 100, SV::kIndexV, 40000},
    };
    CHOXMonCommand sender(doc.get());
    for (const auto& c : cases) {
        ScriptedMessages messages;
        messages.Expect(QStringLiteral("Please enter an integer between -32768 and 32767."), MB_OK | MB_ICONEXCLAMATION,
                        IDOK);
        EXPECT_EQ(0, sender.WriteDevice(c.kind, c.number, c.indexKind, 0, c.value)) << c.value;
    }
    EXPECT_EQ(QString(), Sent()) << "nothing is sent";
    std::int32_t value = -1;
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::D, 100, value));
    EXPECT_EQ(0, value);
}

TEST_F(MonCommandTest, KindsOutsideTheTablesSendNothing)
{
    CHOXMonCommand sender(doc.get());
    EXPECT_EQ(0, sender.WriteDevice(SV::kK, 5, 0, 0, 1));
    EXPECT_EQ(0, sender.WriteDevice(SV::kD, 5, 3, 0, 1)) << "an index kind of no register";
    EXPECT_EQ(0, sender.WriteDevice(SV::kD, 5, SV::kIndexZ, 8, 1)) << "Z8 is no register";
    EXPECT_EQ(0, sender.SetDevice(SV::kKnM, 5, 1));
    for (int operation : {14, 15, -1}) EXPECT_EQ(0, sender.ManualOperation(operation, 1, 0));
    EXPECT_EQ(QString(), Sent());
}

TEST_F(MonCommandTest, BitsAreSetAndResetByTheirCount)
{
    CHOXMonCommand sender(doc.get());
    EXPECT_EQ(1, sender.SetDevice(SV::kY, 17, 0));
    EXPECT_EQ(1, sender.SetDevice(SV::kM, 9017, 1));
    EXPECT_EQ(1, sender.SetDevice(SV::kM, 100, 2));
    EXPECT_EQ(QStringLiteral("SetOperation 2 15; ResetOperation 1 17; SetOperation 0 100"), Sent());
    std::int32_t y = 0;
    ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::Y, 17, y));
    EXPECT_EQ(1, y);
}

TEST_F(MonCommandTest, APositionIsWrittenOnlyToAReadyAxis)
{
    const struct {
        const char* name;
        int axis;
        bool xReady, yReady;
        const char* refusal; // null: written
        const char* sent;
    } cases[] = {
        {"X ready", 0, true, false, nullptr, "Status; WriteCurrentPos 0 500 1"},
        {"Y ready", 1, false, true, nullptr, "Status; WriteCurrentPos 1 500 1"},
        {"X busy", 0, false, true, "ERROR : X axis is Busy.\n Cannot write current position to DA-ZU.", "Status"},
        {"Y busy", 1, true, false, "ERROR : Y axis is Busy.\n Cannot write current position to DA-ZU.", "Status"},
    };
    CHOXMonCommand sender(doc.get());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sim().SetSwitch(CSimController::ReadyX, c.xReady);
        Sim().SetSwitch(CSimController::ReadyY, c.yReady);
        Sim().Log().Clear();
        ScriptedDialogs dialogs;
        if (c.refusal != nullptr) ExpectRefusal(dialogs, c.refusal);
        EXPECT_EQ(c.refusal == nullptr ? 1 : 0, sender.WriteCurrentPos(c.axis, 500, 1));
        EXPECT_EQ(QString::fromLatin1(c.sent), Sent());
    }
    EXPECT_EQ(0, sender.WriteCurrentPos(2, 500, 1));
    EXPECT_EQ(500, Sim().Position(1));
}

TEST_F(MonCommandTest, ManualOperationsAskForAReadyAxisButReleasesAndResetsGoAtOnce)
{
    const struct {
        const char* name;
        int operation, flag;
        bool xReady, yReady;
        const char* refusal;
        const char* sent;
    } cases[] = {
        {"jog X", 2, 1, true, true, nullptr, "Status; WriteManualOprn 68 9"},
        {"jog X busy", 3, 1, false, true, "ERROR : X axis is Busy.\n Cannot execute  this Manual operation .", "Status"},
        {"zero X busy", 4, 0, false, true, "ERROR : X axis is Busy.\n Cannot execute  this Manual operation .",
         "Status"},
        {"jog Y busy", 9, 1, true, false, "ERROR : Y axis is Busy.\n Cannot execute  this Manual operation .", "Status"},
        {"feed Y", 12, 1, true, true, nullptr, "Status; WriteManualOprn 75 9"},
        // Releasing a jog asks nothing, even of a busy axis.
        {"release X busy", 2, 0, false, false, nullptr, "WriteManualOprn 84 9"},
        {"release Y busy", 10, 0, false, false, nullptr, "WriteManualOprn 87 9"},
        {"error reset X busy", 6, 1, false, false, nullptr, "WriteManualOprn 16 9"},
        {"error reset Y busy", 13, 1, false, false, nullptr, "WriteManualOprn 17 9"},
    };
    CHOXMonCommand sender(doc.get());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sim().SetSwitch(CSimController::ReadyX, c.xReady);
        Sim().SetSwitch(CSimController::ReadyY, c.yReady);
        Sim().Log().Clear();
        ScriptedDialogs dialogs;
        if (c.refusal != nullptr) ExpectRefusal(dialogs, c.refusal);
        EXPECT_EQ(c.refusal == nullptr ? 1 : 0, sender.ManualOperation(c.operation, c.flag, 9));
        EXPECT_EQ(QString::fromLatin1(c.sent), Sent());
    }
}

TEST_F(MonCommandTest, PulsesStartAndStopTheProgramsInAutoMode)
{
    // The controller's clock stands still: a started program stays running.
    const auto now = CSimController::Clock::now();
    Sim().SetClock([now] { return now; });
    ASSERT_TRUE(Sim().StoreProgram("OX7;\ncod04(DRV);\nm02(END);\nOY1;\ncod04(DRV);\nm02(END);\n"));
    Sim().SetSwitch(CSimController::Auto, true);
    CHOXMonCommand sender(doc.get());
    EXPECT_EQ(1, sender.ManualOperation(0, 1, 0));
    EXPECT_EQ(QStringLiteral("Status; ResetOperation 1 1; SetOperation 1 1"), Sent());
    EXPECT_TRUE(Sim().IsRunning(CSimController::TaskX));
    Sim().Log().Clear();
    EXPECT_EQ(1, sender.ManualOperation(1, 1, 0));
    EXPECT_EQ(QStringLiteral("ResetOperation 1 2; SetOperation 1 2"), Sent()) << "a stop asks nothing";
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskX));
    Sim().Log().Clear();
    EXPECT_EQ(1, sender.ManualOperation(7, 1, 0));
    EXPECT_TRUE(Sim().IsRunning(CSimController::TaskY));
    EXPECT_EQ(1, sender.ManualOperation(8, 0, 0));
    EXPECT_FALSE(Sim().IsRunning(CSimController::TaskY));
    EXPECT_EQ(QStringLiteral("Status; ResetOperation 1 17; SetOperation 1 17; ResetOperation 1 18; SetOperation 1 18"),
              Sent());
}

TEST_F(MonCommandTest, AStartIsRefusedInManualModeAndWhenTheStatusCannotBeRead)
{
    CHOXMonCommand sender(doc.get());
    {
        Sim().SetSwitch(CSimController::Auto, false);
        ScriptedDialogs dialogs;
        ExpectRefusal(dialogs, "ERROR : Cannot execute program in  MANUAL mode.");
        EXPECT_EQ(0, sender.ManualOperation(0, 1, 0));
        EXPECT_EQ(QStringLiteral("Status"), Sent());
    }
    {
        // Nothing says the mode: the failure is reported and nothing pulsed.
        Sim().SetSwitch(CSimController::Auto, true);
        Sim().Log().Clear();
        Faults().Add(SimFault(CSimFault::ForcedResult, commproto::Status, 779));
        ScriptedMessages messages;
        messages.Expect(QString::fromLatin1(kRejected), kStop, IDOK);
        EXPECT_EQ(0, sender.ManualOperation(7, 1, 0));
        EXPECT_EQ(QString(), Sent());
    }
}

TEST_F(MonCommandTest, AFailedCallIsReportedOnceAndCleared)
{
    CHOXMonCommand sender(doc.get());
    {
        // File registers do not exist until parameter 101 gives some.
        ScriptedMessages messages;
        messages.Expect(QString::fromLatin1(kRejected), kStop, IDOK);
        EXPECT_EQ(0, sender.WriteDevice(SV::kD, 4000, 0, 0, 1));
    }
    {
        Faults().Add(SimFault(CSimFault::ForcedResult, commproto::ResetOperation, 779));
        ScriptedMessages messages;
        messages.Expect(QString::fromLatin1(kRejected), kStop, IDOK);
        EXPECT_EQ(0, sender.ManualOperation(1, 1, 0)) << "the pulse stops at its failed reset";
        EXPECT_TRUE(Sim().Log().Of(QStringLiteral("SetOperation")).empty());
    }
    Faults().Clear();
    EXPECT_EQ(1, sender.ManualOperation(6, 1, 0)) << "the sender goes on";
}
