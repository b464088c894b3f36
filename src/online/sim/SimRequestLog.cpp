#include "online/sim/SimRequestLog.h"

QString CSimRequest::ToText() const
{
    QString text = m_operation;
    for (std::int32_t v : m_arguments) text += QLatin1Char(' ') + QString::number(v);
    return text + QStringLiteral(" axis %1 client %2").arg(m_axis).arg(m_client);
}

void CSimRequestLog::Add(CSimRequest request)
{
    std::lock_guard lock(m_mutex);
    if (m_entries.size() >= kLimit) m_entries.erase(m_entries.begin(), m_entries.begin() + kLimit / 2);
    m_entries.push_back(std::move(request));
}

void CSimRequestLog::Clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

std::vector<CSimRequest> CSimRequestLog::Entries() const
{
    std::lock_guard lock(m_mutex);
    return m_entries;
}

std::size_t CSimRequestLog::Size() const
{
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

std::vector<CSimRequest> CSimRequestLog::Of(const QString& operation) const
{
    std::lock_guard lock(m_mutex);
    std::vector<CSimRequest> result;
    for (const CSimRequest& r : m_entries)
        if (r.m_operation == operation) result.push_back(r);
    return result;
}
