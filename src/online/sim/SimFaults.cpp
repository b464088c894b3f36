#include "online/sim/SimFaults.h"

#include "online/comm/CommProtocol.h"

void CSimFaults::Add(const CSimFault& fault)
{
    std::lock_guard lock(m_mutex);
    m_faults.push_back(fault);
}

void CSimFaults::Clear()
{
    std::lock_guard lock(m_mutex);
    m_faults.clear();
}

bool CSimFaults::IsEmpty() const
{
    std::lock_guard lock(m_mutex);
    return m_faults.empty();
}

std::optional<CSimFault> CSimFaults::Take(int command)
{
    std::lock_guard lock(m_mutex);
    std::optional<CSimFault> hit;
    for (auto it = m_faults.begin(); it != m_faults.end();) {
        const bool matches = it->m_command == command || (it->m_command < 0 && command != commproto::Sync);
        if (!matches) {
            ++it;
            continue;
        }
        if (it->m_skip > 0) {
            --it->m_skip;
            ++it;
            continue;
        }
        if (hit) {
            ++it;
            continue;
        }
        hit = *it;
        if (it->m_count > 0 && --it->m_count == 0) {
            it = m_faults.erase(it);
            continue;
        }
        ++it;
    }
    return hit;
}
