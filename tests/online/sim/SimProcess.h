#pragma once
// The simulated controller's own program (kinetrace-sim) for the link's end
// to end tests: started in a folder of its own, with its pseudo-terminal
// behind a link that follows it across cuts, and its control socket.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kt::test {

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

} // namespace kt::test
