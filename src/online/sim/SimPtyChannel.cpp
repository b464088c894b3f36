#include "online/sim/SimPtyChannel.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

CSimPtyChannel::~CSimPtyChannel() { CloseAll(); }

bool CSimPtyChannel::Open(QString& error)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        CloseAll();
        return false;
    }
    char name[128] = {};
    if (ptsname_r(m_master, name, sizeof(name)) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        CloseAll();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    // Raw from the start, so nothing the simulator sends is echoed back
    // before the program sets the line up itself.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios raw{};
    if (m_slave < 0 || tcgetattr(m_slave, &raw) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        CloseAll();
        return false;
    }
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    m_closed = false;
    return true;
}

void CSimPtyChannel::CloseAll()
{
    if (m_slave >= 0) ::close(m_slave);
    if (m_master >= 0) ::close(m_master);
    m_slave = -1;
    m_master = -1;
    m_closed = true;
}

CSimChannel::ReadResult CSimPtyChannel::Read(QByteArray& into, Clock::time_point deadline)
{
    if (m_closed) return ReadResult::Closed;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd fd{m_master, POLLIN, 0};
    const int ready = ::poll(&fd, 1, static_cast<int>(std::max<long long>(left, 0)));
    if (ready <= 0 || (fd.revents & POLLIN) == 0) return ReadResult::Idle;
    char buffer[4096];
    const ssize_t n = ::read(m_master, buffer, sizeof(buffer));
    if (n <= 0) return ReadResult::Idle;
    into.append(buffer, n);
    return ReadResult::Data;
}

bool CSimPtyChannel::Write(const QByteArray& bytes)
{
    qsizetype sent = 0;
    int stalled = 0;
    while (sent < bytes.size() && !m_closed) {
        const ssize_t n = ::write(m_master, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent));
        if (n > 0) {
            sent += n;
            stalled = 0;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd fd{m_master, POLLOUT, 0};
        if (::poll(&fd, 1, 100) <= 0 && ++stalled >= 10) {
            // Nobody reads the line: what waits there is dropped, as a
            // serial line would lose it.
            tcflush(m_slave, TCIFLUSH);
            stalled = 0;
        }
    }
    return !m_closed;
}

bool CSimPtyChannel::SleepUntil(Clock::time_point until)
{
    std::this_thread::sleep_until(until);
    return !m_closed;
}

void CSimPtyChannel::Cut() { CloseAll(); }
