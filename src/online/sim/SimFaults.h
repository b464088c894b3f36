#pragma once
// The faults the simulated controller is told to make, looked up for every
// request frame it receives, repeats included, so a fault that hits as
// many frames as the program tries persists through its retries.
// Thread-safe.
#include "online/sim/SimFault.h"

#include <mutex>
#include <optional>
#include <vector>

class CSimFaults {
public:
    void Add(const CSimFault& fault);
    void Clear();
    bool IsEmpty() const;
    // The fault that hits a frame of this command, if any; counts it.
    std::optional<CSimFault> Take(int command);

private:
    mutable std::mutex m_mutex;
    std::vector<CSimFault> m_faults;
};
