// kinetrace-sim: the simulated controller as a program of its own. It serves
// the link protocol on a pseudo-terminal and takes line commands (faults,
// switches, pacing, the request log) on a Unix-domain control socket.
//
//   kinetrace-sim [--control PATH] [--link PATH] [--baud N] [--turnaround MS]
//                 [--no-pacing] [--model 0|1]
//
// It prints "pty <slave path>" and "control <socket path>" on standard
// output. A cut (fault "cut") closes the pseudo-terminal and opens a new one,
// printed again; with --link, PATH is a symbolic link to the current one, so
// a port mapped to PATH works again at its next open.
#include "online/sim/SimControl.h"
#include "online/sim/SimController.h"
#include "online/sim/SimFaults.h"
#include "online/sim/SimPtyChannel.h"
#include "online/sim/SimServer.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct Options {
    QString control;
    QString link;
    int baud = CSimServer::kDefaultBaud;
    int turnaroundMs = CSimServer::kDefaultTurnaroundMs;
    bool pacing = true;
    int model = 1;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--control" && hasValue)
            options.control = QString::fromLocal8Bit(argv[++i]);
        else if (arg == "--link" && hasValue)
            options.link = QString::fromLocal8Bit(argv[++i]);
        else if (arg == "--baud" && hasValue)
            options.baud = QByteArray(argv[++i]).toInt();
        else if (arg == "--turnaround" && hasValue)
            options.turnaroundMs = QByteArray(argv[++i]).toInt();
        else if (arg == "--model" && hasValue)
            options.model = QByteArray(argv[++i]).toInt() == 0 ? 0 : 1;
        else if (arg == "--no-pacing")
            options.pacing = false;
        else
            return false;
    }
    if (options.control.isEmpty())
        options.control = QStringLiteral("/tmp/kinetrace-sim-%1.sock").arg(static_cast<long>(::getpid()));
    return options.baud > 0 && options.turnaroundMs >= 0;
}

void Announce(const char* what, const QString& value)
{
    std::printf("%s %s\n", what, value.toLocal8Bit().constData());
    std::fflush(stdout);
}

// Points the link at the current pseudo-terminal (replacing the old link).
void UpdateLink(const QString& link, const QString& target)
{
    if (link.isEmpty()) return;
    const QByteArray path = link.toLocal8Bit();
    const QByteArray temporary = path + ".new";
    ::unlink(temporary.constData());
    if (::symlink(target.toLocal8Bit().constData(), temporary.constData()) == 0)
        ::rename(temporary.constData(), path.constData());
}

int OpenControlSocket(const QString& path)
{
    const QByteArray name = path.toLocal8Bit();
    sockaddr_un address{};
    if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path))) return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    ::unlink(name.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool SendAll(int fd, const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += n;
    }
    return true;
}

// One client of the control socket, until it goes or asks to quit.
void ServeClient(int client, CSimControl& control)
{
    QByteArray pending;
    while (!control.QuitRequested()) {
        pollfd fd{client, POLLIN, 0};
        if (::poll(&fd, 1, 200) <= 0) continue;
        char buffer[1024];
        const ssize_t n = ::recv(client, buffer, sizeof(buffer), 0);
        if (n <= 0) return;
        pending.append(buffer, n);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
            const QString line = QString::fromUtf8(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            const QStringList reply = control.Execute(line);
            if (!SendAll(client, (reply.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8())) return;
        }
    }
}

void ServeControl(int listener, CSimControl& control)
{
    while (!control.QuitRequested()) {
        pollfd fd{listener, POLLIN, 0};
        if (::poll(&fd, 1, 200) <= 0) continue;
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0) continue;
        ServeClient(client, control);
        ::close(client);
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: kinetrace-sim [--control PATH] [--link PATH] [--baud N] [--turnaround MS] "
                             "[--no-pacing] [--model 0|1]\n");
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);

    CSimController controller;
    controller.SetModel(options.model);
    CSimFaults faults;
    CSimServer server(controller, faults);
    server.SetLine(options.baud, options.turnaroundMs);
    server.SetPacing(options.pacing);
    CSimControl control(controller, faults, server);

    const int listener = OpenControlSocket(options.control);
    if (listener < 0) {
        std::fprintf(stderr, "kinetrace-sim: cannot listen on %s\n", options.control.toLocal8Bit().constData());
        return 1;
    }
    std::thread controlThread([&] { ServeControl(listener, control); });

    int status = 0;
    bool announced = false;
    while (!control.QuitRequested()) {
        CSimPtyChannel pty;
        QString error;
        if (!pty.Open(error)) {
            std::fprintf(stderr, "kinetrace-sim: no pseudo-terminal: %s\n", error.toLocal8Bit().constData());
            status = 1;
            break;
        }
        UpdateLink(options.link, pty.SlavePath());
        Announce("pty", pty.SlavePath());
        if (!announced) Announce("control", options.control);
        announced = true;
        // Serve returns on a cut (a new pseudo-terminal follows) or at quit.
        if (!server.Serve(pty)) break;
    }
    if (status != 0) control.Execute(QStringLiteral("quit"));
    controlThread.join();
    ::close(listener);
    ::unlink(options.control.toLocal8Bit().constData());
    if (!options.link.isEmpty()) ::unlink(options.link.toLocal8Bit().constData());
    return status;
}
