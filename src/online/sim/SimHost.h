#pragma once
// The simulated controller inside the program: the default link (COM1 leads
// here unless the settings say otherwise), and the tests' controller. One
// controller with one line, served by a thread of its own that starts with
// the first connection and lives until the program ends, so a program
// written through one connection is read back through the next. The line is
// taken by one port at a time; after a cut, the next connection works again.
#include "online/sim/SimController.h"
#include "online/sim/SimFaults.h"
#include "online/sim/SimServer.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class CSimPipe;

class CSimHost {
public:
    static CSimHost& Instance();

    CSimController& Controller() { return m_controller; }
    CSimFaults& Faults() { return m_faults; }
    CSimServer& Server() { return m_server; }

    // A new line at the port's speed (the pacing's speed); null while another
    // port holds the line.
    std::shared_ptr<CSimPipe> Connect(int baud);

    // Power-on controller, no faults, empty log, default pacing.
    void Reset();

    ~CSimHost();

private:
    CSimHost();
    void Run();

    CSimController m_controller;
    CSimFaults m_faults;
    CSimServer m_server{m_controller, m_faults};

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::shared_ptr<CSimPipe> m_line;
    bool m_stop = false;
    std::thread m_thread;
};
