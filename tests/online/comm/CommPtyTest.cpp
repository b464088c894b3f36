// The link end to end: the simulated controller's own program serves a
// pseudo-terminal, the library opens it as a serial device through
// QSerialPort, and faults are set on the program's control socket.
#include "online/comm/CommDiag.h"
#include "online/comm/CommPortSettings.h"
#include "online/comm/CommStatusInfo.h"

#include "online/comm/CommTestSupport.h"
#include "online/sim/SimProcess.h"

#include <vector>

using kt::test::SimLinkTest;
using kt::test::SimProcess;

namespace {

class CommPtyTest : public SimLinkTest {
protected:
    void MapCom2(const QString& device, int timeoutMs = CCommPortSettings::kDefaultTimeoutMs)
    {
        CCommPortSettings com2;
        com2.m_device = device;
        com2.m_timeoutMs = timeoutMs;
        CCommPortSettings::Write(QStringLiteral("COM2"), com2);
    }
};

TEST_F(CommPtyTest, ProgramAndParametersTravelOverAPseudoTerminal)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Start({QStringLiteral("--no-pacing")}));
    MapCom2(sim.Link());

    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM2")));
    int type = -1;
    ASSERT_EQ(0, comm.mfi_GetKZQWType(type));
    EXPECT_EQ(1, type);

    const QString program =
        QStringLiteral("OX0;\ncod01(LIN) X100 Y200 f3000;\n").repeated(80) + QStringLiteral("m02(END);\n");
    ASSERT_EQ(0, comm.mfi_WriteProgram(program, 7800, 0));
    QString read;
    ASSERT_EQ(0, comm.mfi_ReadProgram(read));
    EXPECT_EQ(program, read);
    int sum = 0;
    ASSERT_EQ(0, comm.mfi_CreateSum(sum));
    EXPECT_EQ((QStringList{QStringLiteral("bytes %1 sum 1").arg(program.size()), QStringLiteral("ok")}),
              sim.Command(QStringLiteral("program")));

    std::vector<std::int32_t> params(27);
    for (int i = 0; i < 27; ++i) params[static_cast<std::size_t>(i)] = 1000 + i;
    ASSERT_EQ(0, comm.mfi_WriteParams(114, 1, params.data()));
    std::vector<std::int32_t> back(27);
    ASSERT_EQ(0, comm.mfi_ReadParams(114, 1, back.data()));
    EXPECT_EQ(params, back);

    // A fault set on the control socket gives its code.
    EXPECT_EQ(QStringList{QStringLiteral("ok")}, sim.Command(QStringLiteral("fault badsum op=GetKZQWType count=0")));
    EXPECT_EQ(780, comm.mfi_GetKZQWType(type));
    sim.Command(QStringLiteral("clear"));
    EXPECT_EQ(0, comm.mfi_GetKZQWType(type));
    sim.Command(QStringLiteral("fault lost op=Status count=3"));
    CCommStatusInfo status;
    EXPECT_EQ(777, comm.mfi_Status(&status));
    EXPECT_EQ(0, comm.mfi_Status(&status));
    sim.Command(QStringLiteral("fault result op=Status value=771"));
    EXPECT_EQ(771, comm.mfi_Status(&status));

    const QStringList log = sim.Command(QStringLiteral("log"));
    EXPECT_TRUE(log.filter(QStringLiteral("WriteProgramBlock")).size() >= 2)
        << log.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(0, sim.Quit());
}

TEST_F(CommPtyTest, ACutLineWorksAgainAtTheNextOpen)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Start({QStringLiteral("--no-pacing")}));
    MapCom2(sim.Link());
    CCommMan comm;
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM2")));
    sim.Command(QStringLiteral("fault cut op=Diagnosis value=5"));
    CCommDiag diag;
    EXPECT_EQ(776, comm.mfi_Diagnosis(&diag));
    EXPECT_EQ(776, comm.mfi_Diagnosis(&diag));
    ASSERT_FALSE(sim.NextPty().isEmpty()) << "the simulator opened a new pseudo-terminal";
    ASSERT_EQ(0, comm.mfi_Close());
    ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM2")));
    EXPECT_EQ(0, comm.mfi_Diagnosis(&diag));
    EXPECT_EQ(8000, diag.m_capacity);
}

// The fault: every connection started its session with sequence 0, so the
// start of the next connection took a start reply that came late from the
// one before for its own, saw another nonce and failed with 778, leaving its
// own reply on the line for the connection after it: connections opened
// back to back kept failing. Late replies are dropped now, and a session's
// requests are numbered where a late reply cannot match them.
TEST_F(CommPtyTest, ALateReplyOfTheLastSessionFailsNoneOfTheNext)
{
    SimProcess sim;
    ASSERT_TRUE(sim.Start({}));
    constexpr int kTimeoutMs = 100;
    MapCom2(sim.Link(), kTimeoutMs);
    // The first connection's session start is answered after all its
    // attempts gave up (three of about 115 ms), while the next connection
    // waits for its own; the simulator answers that one's requests only
    // then. (On a machine slow enough to stretch the attempts, the first
    // connection may still take the late answer; the next ones must not
    // fail either way.)
    ASSERT_EQ(QStringList{QStringLiteral("ok")}, sim.Command(QStringLiteral("fault slow op=Sync value=500")));
    int first = 0;
    {
        CCommMan comm;
        ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM2")));
        int type = -1;
        first = comm.mfi_GetKZQWType(type);
        EXPECT_TRUE(first == 768 || first == 0) << first;
    }
    for (int session = 0; session < 20; ++session) {
        SCOPED_TRACE(session);
        CCommMan comm;
        ASSERT_EQ(0, comm.mfi_Open(QStringLiteral("COM2")));
        int type = -1;
        EXPECT_EQ(0, comm.mfi_GetKZQWType(type));
        EXPECT_EQ(1, type);
        EXPECT_EQ(0, comm.mfi_Close());
    }
    EXPECT_EQ(first == 0 ? 21 : 20, sim.Command(QStringLiteral("log")).filter(QStringLiteral("GetKZQWType")).size());
    EXPECT_EQ(0, sim.Quit());
}

TEST_F(CommPtyTest, ADeviceThatIsNotThereCannotBeOpened)
{
    QTemporaryDir dir;
    MapCom2(dir.filePath(QStringLiteral("no-such-tty")));
    CCommMan comm;
    EXPECT_EQ(256, comm.mfi_Open(QStringLiteral("COM2")));
}

} // namespace
