#include "online/sim/SimPipe.h"

CSimChannel::ReadResult CSimPipe::Read(QByteArray& into, Clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, deadline, [this] { return !m_toSim.isEmpty() || m_hostClosed || m_cut; });
    if (!m_toSim.isEmpty()) {
        into.append(m_toSim.constData(), m_toSim.size());
        m_toSim.clear();
        return ReadResult::Data;
    }
    return m_hostClosed || m_cut ? ReadResult::Closed : ReadResult::Idle;
}

bool CSimPipe::Write(const QByteArray& bytes)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_hostClosed || m_cut) return false;
        m_toHost.append(bytes.constData(), bytes.size());
    }
    m_changed.notify_all();
    return true;
}

bool CSimPipe::SleepUntil(Clock::time_point until)
{
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_until(lock, until, [this] { return m_hostClosed || m_cut; });
}

void CSimPipe::Cut()
{
    {
        std::lock_guard lock(m_mutex);
        m_cut = true;
    }
    m_changed.notify_all();
}

bool CSimPipe::HostWrite(const QByteArray& bytes)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_cut || m_hostClosed) return false;
        m_toSim.append(bytes.constData(), bytes.size());
    }
    m_changed.notify_all();
    return true;
}

CSimChannel::ReadResult CSimPipe::HostRead(QByteArray& into, Clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, deadline, [this] { return !m_toHost.isEmpty() || m_cut || m_hostClosed; });
    if (m_cut || m_hostClosed) return ReadResult::Closed;
    if (m_toHost.isEmpty()) return ReadResult::Idle;
    into.append(m_toHost.constData(), m_toHost.size());
    m_toHost.clear();
    return ReadResult::Data;
}

void CSimPipe::HostDiscard()
{
    std::lock_guard lock(m_mutex);
    m_toHost.clear();
}

void CSimPipe::HostClose()
{
    {
        std::lock_guard lock(m_mutex);
        m_hostClosed = true;
    }
    m_changed.notify_all();
}

bool CSimPipe::IsFinished() const
{
    std::lock_guard lock(m_mutex);
    return m_hostClosed || m_cut;
}
