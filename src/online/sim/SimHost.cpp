#include "online/sim/SimHost.h"

#include "online/sim/SimPipe.h"

CSimHost& CSimHost::Instance()
{
    static CSimHost host;
    return host;
}

CSimHost::CSimHost() = default;

CSimHost::~CSimHost()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        if (m_line) m_line->HostClose();
    }
    m_changed.notify_all();
    m_server.Stop();
    if (m_thread.joinable()) m_thread.join();
}

std::shared_ptr<CSimPipe> CSimHost::Connect(int baud)
{
    std::lock_guard lock(m_mutex);
    if (m_line && !m_line->IsFinished()) return nullptr;
    m_line = std::make_shared<CSimPipe>();
    m_server.SetLine(baud, m_server.TurnaroundMs());
    if (!m_thread.joinable()) m_thread = std::thread([this] { Run(); });
    m_changed.notify_all();
    return m_line;
}

void CSimHost::Reset()
{
    m_controller.Reset();
    m_faults.Clear();
    m_server.ResetLine();
}

void CSimHost::Run()
{
    std::shared_ptr<CSimPipe> served;
    for (;;) {
        std::shared_ptr<CSimPipe> line;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || (m_line && m_line != served); });
            if (m_stop) return;
            line = m_line;
        }
        m_server.Serve(*line);
        served = line;
    }
}
