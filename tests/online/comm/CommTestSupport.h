#pragma once
// The in-process simulated controller for the link tests: at power-on, no
// faults, line pacing off (the tests that are about pacing turn it on), and
// settings of their own, so COM1 leads to the simulator.
#include "online/comm/CommMan.h"
#include "online/sim/SimHost.h"
#include "support/Scripted.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>

namespace kt::test {

class SimLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Host().Reset();
        Host().Server().SetPacing(false);
    }
    void TearDown() override
    {
        Host().Reset();
        Host().Server().SetPacing(false);
    }

    static CSimHost& Host() { return CSimHost::Instance(); }
    static CSimController& Sim() { return Host().Controller(); }
    static CSimFaults& Faults() { return Host().Faults(); }

    // A generous bound for a call that must end: failures end within their
    // retries, far sooner than this.
    static constexpr std::chrono::seconds kGenerous{60};

    // Runs the call and says how long it took.
    static std::chrono::steady_clock::duration Timed(const std::function<void()>& call)
    {
        const auto start = std::chrono::steady_clock::now();
        call();
        return std::chrono::steady_clock::now() - start;
    }

    TempSettings m_settings;
};

} // namespace kt::test
