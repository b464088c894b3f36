// Writing and reading a program that fills the controller's memory, over a
// pseudo-terminal whose far end the simulated controller serves, pacing the
// line at 9600 and 19200 bit/s. The counter "ratio" is the time taken
// against the wire time of the program's bytes (10 bits a byte) plus the
// controller's turnaround once per exchange; the goal is at most 1.1.
#include "online/comm/CommMan.h"
#include "online/comm/CommPortSettings.h"
#include "online/sim/SimController.h"
#include "online/sim/SimFaults.h"
#include "online/sim/SimPtyChannel.h"
#include "online/sim/SimServer.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

constexpr int kTurnaroundMs = 5;

// One step a statement: the one-axis model's 3800 steps of short statements,
// about 10 bytes each.
QString MemoryFillingProgram(int steps)
{
    static const char* const kStatements[] = {"LD X0;",    "OUT Y1;",         "m05;",    "cod04(DRV) X10;",
                                              "AND M100;", "cod00(DRV) X-2;", "LDI X3;", "SET M9;"};
    QString text;
    for (int i = 0; i < steps; ++i) text += QString::fromLatin1(kStatements[i % 8]) + QLatin1Char('\n');
    return text;
}

// A simulated controller on a pseudo-terminal, served by a thread of its own.
class PtyController {
public:
    explicit PtyController(int baud) : m_server(m_controller, m_faults)
    {
        m_controller.SetModel(0);
        m_server.SetLine(baud, kTurnaroundMs);
        QString error;
        m_open = m_pty.Open(error);
        if (m_open) m_thread = std::thread([this] { m_server.Serve(m_pty); });
    }
    ~PtyController()
    {
        m_server.Stop();
        if (m_thread.joinable()) m_thread.join();
    }
    bool IsOpen() const { return m_open; }
    QString Path() const { return m_pty.SlavePath(); }
    CSimController& Controller() { return m_controller; }

private:
    CSimController m_controller;
    CSimFaults m_faults;
    CSimServer m_server;
    CSimPtyChannel m_pty;
    bool m_open = false;
    std::thread m_thread;
};

void Transfer(benchmark::State& state, bool write)
{
    const auto baud = static_cast<int>(state.range(0));
    PtyController sim(baud);
    if (!sim.IsOpen()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    CCommPortSettings port;
    port.m_device = sim.Path();
    port.m_speed = baud;
    CCommPortSettings::Write(QStringLiteral("COM3"), port);
    CCommMan comm;
    int type = 0;
    if (comm.mfi_Open(QStringLiteral("COM3")) != 0 || comm.mfi_GetKZQWType(type) != 0) {
        state.SkipWithError("cannot open the line");
        return;
    }
    const int memory = sim.Controller().Memory();
    const QString program = MemoryFillingProgram(memory);
    if (!write && comm.mfi_WriteProgram(program, memory, 0) != 0) {
        state.SkipWithError("cannot store the program");
        return;
    }
    double seconds = 0;
    std::size_t exchanges = 0;
    for (auto _ : state) {
        const std::size_t before = sim.Controller().Log().Size();
        const auto start = std::chrono::steady_clock::now();
        QString read;
        const int code = write ? comm.mfi_WriteProgram(program, memory, 0) : comm.mfi_ReadProgram(read);
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (code != 0 || (!write && read != program)) {
            state.SkipWithError("transfer failed");
            break;
        }
        state.SetIterationTime(took);
        seconds += took;
        exchanges += sim.Controller().Log().Size() - before;
    }
    comm.mfi_Close();
    const double iterations = static_cast<double>(state.iterations());
    const double bytes = static_cast<double>(program.size());
    const double wire = bytes * 10 / baud + static_cast<double>(exchanges) / iterations * kTurnaroundMs / 1000.0;
    state.counters["bytes"] = bytes;
    state.counters["exchanges"] = static_cast<double>(exchanges) / iterations;
    state.counters["wire_s"] = wire;
    state.counters["ratio"] = seconds / iterations / wire;
}

void BM_ProgramWriteOverPty(benchmark::State& state) { Transfer(state, true); }
void BM_ProgramReadOverPty(benchmark::State& state) { Transfer(state, false); }

BENCHMARK(BM_ProgramWriteOverPty)->Arg(9600)->Arg(19200)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_ProgramReadOverPty)->Arg(9600)->Arg(19200)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
