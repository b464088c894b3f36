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
    void MapCom2(const QString& device)
    {
        CCommPortSettings com2;
        com2.m_device = device;
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

TEST_F(CommPtyTest, ADeviceThatIsNotThereCannotBeOpened)
{
    QTemporaryDir dir;
    MapCom2(dir.filePath(QStringLiteral("no-such-tty")));
    CCommMan comm;
    EXPECT_EQ(256, comm.mfi_Open(QStringLiteral("COM2")));
}

} // namespace
