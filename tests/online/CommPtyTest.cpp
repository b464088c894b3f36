// The link end to end: the simulated controller's own program serves a
// pseudo-terminal, the library opens it as a serial device through
// QSerialPort, and faults are set on the program's control socket.
#include "online/CommDiag.h"
#include "online/CommPortSettings.h"
#include "online/CommStatusInfo.h"

#include "online/CommTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using kt::test::SimLinkTest;

namespace {

// kinetrace-sim in a folder of its own, with its pseudo-terminal behind a
// link that follows it across cuts.
class SimProcess {
public:
    ~SimProcess()
    {
        if (m_process.state() == QProcess::NotRunning) return;
        Command(QStringLiteral("quit"));
        if (!m_process.waitForFinished(30000)) m_process.kill();
        m_process.waitForFinished(30000);
    }

    bool Start(const QStringList& options)
    {
        m_process.setProgram(QStringLiteral(KT_SIM_PROGRAM));
        m_process.setArguments(QStringList{QStringLiteral("--control"), Control(), QStringLiteral("--link"), Link()} +
                               options);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        return m_process.waitForStarted(30000) && !NextPty().isEmpty() && !WaitForLine("control ").isEmpty();
    }

    QString Link() const { return m_dir.filePath(QStringLiteral("line")); }
    QString Control() const { return m_dir.filePath(QStringLiteral("control")); }

    // The next pseudo-terminal the program announces (the first, or the one
    // after a cut).
    QString NextPty()
    {
        const QByteArray line = WaitForLine("pty ");
        return QString::fromLocal8Bit(line.mid(4));
    }

    // One command on the control socket; its reply lines.
    QStringList Command(const QString& line)
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = Control().toLocal8Bit();
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        QStringList reply;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
            const QByteArray request = line.toUtf8() + '\n';
            if (::send(fd, request.constData(), static_cast<size_t>(request.size()), MSG_NOSIGNAL) == request.size()) {
                QByteArray received;
                while (reply.isEmpty() ||
                       (reply.last() != QLatin1String("ok") && !reply.last().startsWith(QLatin1String("error")))) {
                    pollfd p{fd, POLLIN, 0};
                    if (::poll(&p, 1, 30000) <= 0) break;
                    char buffer[4096];
                    const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
                    if (n <= 0) break;
                    received.append(buffer, n);
                    reply = QString::fromUtf8(received).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
                }
            }
        }
        ::close(fd);
        return reply;
    }

    int Quit()
    {
        Command(QStringLiteral("quit"));
        if (!m_process.waitForFinished(30000)) return -1;
        return m_process.exitCode();
    }

private:
    QByteArray WaitForLine(const char* start)
    {
        for (int waited = 0; waited < 300; ++waited) {
            while (m_process.canReadLine()) {
                const QByteArray line = m_process.readLine().trimmed();
                if (line.startsWith(start)) return line;
            }
            m_process.waitForReadyRead(100);
        }
        return {};
    }

    QTemporaryDir m_dir;
    QProcess m_process;
};

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
