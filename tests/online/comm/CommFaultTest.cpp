// Faults on the link, made by the simulated controller: single ones are
// recovered by the retry without the controller acting twice; ones that
// persist through the retries end the call with their code, and the call
// returns (only a generous bound is asserted, never a duration).
#include "online/comm/CommMonitor.h"
#include "online/comm/CommPortSettings.h"
#include "online/comm/CommProgInfo.h"
#include "online/comm/CommProtocol.h"
#include "online/comm/CommStatusInfo.h"
#include "online/comm/ControllerDevices.h"
#include "online/sim/SimFault.h"

#include "online/comm/CommTestSupport.h"

#include <QString>

#include <vector>

using kt::test::SimLinkTest;

namespace {

constexpr int kTimeoutMs = 100;

class CommFaultTest : public SimLinkTest {
protected:
    void SetUp() override
    {
        SimLinkTest::SetUp();
        // A short turnaround allowance keeps the time-outs of these tests
        // short; the retries absorb a slow moment of the machine.
        CCommPortSettings com1;
        com1.m_device = QStringLiteral("sim");
        com1.m_timeoutMs = kTimeoutMs;
        CCommPortSettings::Write(QStringLiteral("COM1"), com1);
    }

    static CSimFault Fault(CSimFault::Kind kind, int command, int count, int value = 0)
    {
        CSimFault fault;
        fault.m_kind = kind;
        fault.m_command = command;
        fault.m_count = count;
        fault.m_value = value;
        return fault;
    }
};

TEST_F(CommFaultTest, ASingleFaultIsRecoveredWithoutActingTwice)
{
    const struct {
        CSimFault::Kind kind;
        int value;
    } cases[] = {
        {CSimFault::LostByte, 0},
        {CSimFault::BadChecksum, 0},
        {CSimFault::NoReply, 0},
        {CSimFault::SlowReply, kTimeoutMs * 3 / 2}, // the retry is answered by the late first reply
    };
    for (const auto& c : cases) {
        Sim().Log().Clear();
        CCommMan comm;
        ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
        Faults().Add(Fault(c.kind, commproto::WriteDevice, 1, c.value));
        const std::int16_t value = 1234;
        EXPECT_EQ(0, comm.mfi_WriteDevice(ctrldev::D, 7, -1, 1, reinterpret_cast<const BYTE*>(&value)))
            << CSimFault::KindName(c.kind).toStdString();
        EXPECT_TRUE(Faults().IsEmpty()) << "the fault was made";
        EXPECT_EQ(1u, Sim().Log().Of(QStringLiteral("WriteDevice")).size())
            << CSimFault::KindName(c.kind).toStdString() << ": carried out once";
        std::int32_t stored = 0;
        ASSERT_TRUE(Sim().ReadDeviceValue(ctrldev::D, 7, stored));
        EXPECT_EQ(1234, stored);
        EXPECT_EQ(0, comm.mfi_GetCommError());
    }
}

TEST_F(CommFaultTest, APersistentFaultEndsWithItsCode)
{
    const struct {
        CSimFault::Kind kind;
        int value;
        int code;
    } cases[] = {
        {CSimFault::LostByte, 0, 777},
        {CSimFault::BadChecksum, 0, 780},
        {CSimFault::SlowReply, 20 * kTimeoutMs, 768},
        {CSimFault::NoReply, 0, 768},
        {CSimFault::Silence, 0, 768},
        {CSimFault::Cut, 4, 776},
        {CSimFault::Cut, 0, 776},
        {CSimFault::ForcedResult, 770, 770},
        {CSimFault::ForcedResult, 772, 772},
        {CSimFault::ForcedResult, 779, 779},
        {CSimFault::ForcedResult, 12345, 779}, // a result the link does not know: refused
    };
    for (const auto& c : cases) {
        const std::string name = CSimFault::KindName(c.kind).toStdString() + " " + std::to_string(c.value);
        Faults().Clear();
        CCommMan comm;
        ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
        Faults().Add(Fault(c.kind, commproto::GetProgInfo, 0, c.value));
        CCommProgInfo info;
        info.m_mCode = 99;
        int code = 0;
        const auto took = Timed([&] { code = comm.mfi_GetProgInfo(0, &info); });
        EXPECT_EQ(c.code, code) << name;
        EXPECT_EQ(c.code, comm.mfi_GetCommError()) << name;
        EXPECT_EQ(99, info.m_mCode) << name << ": a failed call writes nothing";
        EXPECT_LT(took, kGenerous) << name;
        // Other operations still work, except on a line that was cut (and on
        // a controller still busy with its slow reply).
        if (c.kind == CSimFault::SlowReply) continue;
        int type = -1;
        EXPECT_EQ(c.kind == CSimFault::Cut ? 776 : 0, comm.mfi_GetKZQWType(type)) << name;
    }
}

TEST_F(CommFaultTest, ALineCutDuringAProgramWriteKeepsTheOldProgram)
{
    const QByteArray old = "OX0;\nLD X0;\nm02(END);\n";
    ASSERT_TRUE(Sim().StoreProgram(old));
    {
        CCommMan comm;
        ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
        int sum = 0;
        ASSERT_EQ(0, comm.mfi_CreateSum(sum));
        ASSERT_TRUE(Sim().ChecksumFlag());
        // The second block's acknowledgement is cut after 3 bytes.
        CSimFault cut = Fault(CSimFault::Cut, commproto::WriteProgramBlock, 1, 3);
        cut.m_skip = 1;
        Faults().Add(cut);
        const QString text = QStringLiteral("LD X1;\n").repeated(300); // 5 blocks
        EXPECT_EQ(776, comm.mfi_WriteProgram(text, 7800, 0));
        EXPECT_EQ(776, comm.mfi_GetCommError());
        EXPECT_EQ(old, Sim().ProgramText());
        EXPECT_FALSE(Sim().ChecksumFlag());
        // The link stays lost for this connection.
        int type = -1;
        EXPECT_EQ(776, comm.mfi_GetKZQWType(type));
    }
    // The next open works, and a whole write takes.
    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
    ASSERT_EQ(0, comm.mfi_WriteProgram(QStringLiteral("LD X2;\n"), 7800, 0));
    EXPECT_EQ(QByteArray("LD X2;\n"), Sim().ProgramText());
}

TEST_F(CommFaultTest, ACutLineIsOpenedAgainByAnotherObjectsOpen)
{
    CCommMan monitor;
    CCommMan sender;
    ASSERT_EQ(0, monitor.mfi_Open(QStringLiteral("COM1")));
    Faults().Add(Fault(CSimFault::Cut, commproto::ReadMonitoringInfo, 1, 0));
    CCommMonitor record;
    EXPECT_EQ(776, monitor.mfi_ReadMonitoringInfo(&record));
    ASSERT_EQ(0, sender.mfi_Open(QStringLiteral("COM1")));
    EXPECT_EQ(0, sender.mfi_ReadMonitoringInfo(&record));
    EXPECT_EQ(0, monitor.mfi_ReadMonitoringInfo(&record));
}

TEST_F(CommFaultTest, SilenceAfterSomeRequests)
{
    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
    CSimFault silence = Fault(CSimFault::Silence, -1, 0);
    silence.m_skip = 2;
    Faults().Add(silence);
    CCommStatusInfo status;
    EXPECT_EQ(0, comm.mfi_Status(&status));
    EXPECT_EQ(0, comm.mfi_Status(&status));
    EXPECT_EQ(768, comm.mfi_Status(&status));
    EXPECT_EQ(768, comm.mfi_Status(&status));
    Faults().Clear();
    EXPECT_EQ(0, comm.mfi_Status(&status));
}

TEST_F(CommFaultTest, AControllerThatDoesNotRespond)
{
    Sim().SetSwitch(CSimController::Responding, false);
    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1"))) << "opening needs no answer";
    int type = -1;
    EXPECT_EQ(768, comm.mfi_GetKZQWType(type));
    EXPECT_EQ(-1, type);
    Sim().SetSwitch(CSimController::Responding, true);
    EXPECT_EQ(0, comm.mfi_GetKZQWType(type));
    EXPECT_EQ(1, type);
}

TEST_F(CommFaultTest, ALateReplyIsDroppedAndTheNextCallGetsItsOwn)
{
    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
    Sim().SetAxisError(0, 6);
    // The first reply comes after the first attempt gave up: it answers the
    // retry (same request); the answer to the retry then arrives during the
    // next call and must not be taken for that call's answer.
    Faults().Add(Fault(CSimFault::SlowReply, commproto::ReadMonitoringInfo, 1, kTimeoutMs * 3 / 2));
    CCommMonitor record;
    Sim().SetTaskStep(CSimController::TaskX, 40);
    ASSERT_EQ(0, comm.mfi_ReadMonitoringInfo(&record));
    EXPECT_EQ(40, record.m_stepX);
    CCommProgInfo info;
    ASSERT_EQ(0, comm.mfi_GetProgInfo(0, &info));
    EXPECT_EQ(6, info.m_errorCode);
    ASSERT_EQ(0, comm.mfi_ReadMonitoringInfo(&record));
    EXPECT_EQ(40, record.m_stepX);
}

TEST_F(CommFaultTest, AFaultOnTheSessionStart)
{
    // The first request after an open starts a session; its faults are the
    // request's.
    Faults().Add(Fault(CSimFault::BadChecksum, commproto::Sync, 0));
    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM1")));
    int type = -1;
    EXPECT_EQ(780, comm.mfi_GetKZQWType(type));
    EXPECT_TRUE(Sim().Log().Entries().empty());
    Faults().Clear();
    EXPECT_EQ(0, comm.mfi_GetKZQWType(type));
}

} // namespace
