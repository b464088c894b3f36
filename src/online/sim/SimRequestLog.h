#pragma once
// The requests the simulated controller carried out, oldest first (repeats
// answered from the last reply are not carried out again and not logged).
// Thread-safe; keeps the newest kLimit entries.
#include "online/sim/SimRequest.h"

#include <mutex>
#include <vector>

class CSimRequestLog {
public:
    static constexpr std::size_t kLimit = 100000;

    void Add(CSimRequest request);
    void Clear();
    std::vector<CSimRequest> Entries() const;
    std::size_t Size() const;
    // Entries of one operation.
    std::vector<CSimRequest> Of(const QString& operation) const;

private:
    mutable std::mutex m_mutex;
    std::vector<CSimRequest> m_entries;
};
