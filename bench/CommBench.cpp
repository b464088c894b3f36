// Writing and reading a program that fills the controller's memory, over a
// pseudo-terminal whose far end the simulated controller serves, pacing the
// line at 9600 and 19200 bit/s. The program is the largest of short
// statements whose steps, counted as the controller counts them, fit the
// one-axis model's memory. The counter "ratio" is the time taken against
// the wire time of every byte on the line, the frames both ways (10 bits a
// byte), plus the controller's turnaround once per exchange; the goal is at
// most 1.1.
#include "online/comm/CommMan.h"
#include "online/comm/CommPortSettings.h"
#include "online/sim/SimChannel.h"
#include "online/sim/SimController.h"
#include "online/sim/SimFaults.h"
#include "online/sim/SimProgram.h"
#include "online/sim/SimPtyChannel.h"
#include "online/sim/SimServer.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr int kTurnaroundMs = 5;
constexpr int kModel = 0; // one axis

// Short statements in turn, each counted as the controller of the model
// counts it, while the next one still fits the memory.
QString MemoryFillingProgram(int model, int memory)
{
    static const char* const kStatements[] = {"LD X0;",    "OUT Y1;",         "m05;",    "cod04(DRV) X10;",
                                              "AND M100;", "cod00(DRV) X-2;", "LDI X3;", "SET M9;"};
    const SimStepCounter count = DefaultSimStepCounter([model] { return model; });
    QString text;
    int steps = 0;
    for (int i = 0;; ++i) {
        const QString statement = QString::fromLatin1(kStatements[i % 8]);
        const int more = count(statement, text);
        if (more <= 0 || steps + more > memory) break;
        steps += more;
        text += statement + QLatin1Char('\n');
    }
    return text;
}

// The controller's end of the line, counting the bytes that pass it.
class CountingChannel : public CSimChannel {
public:
    explicit CountingChannel(CSimChannel& line) : m_line(line) {}
    ReadResult Read(QByteArray& into, Clock::time_point deadline) override
    {
        const qsizetype before = into.size();
        const ReadResult result = m_line.Read(into, deadline);
        m_bytes += into.size() - before;
        return result;
    }
    bool Write(const QByteArray& bytes) override
    {
        m_bytes += bytes.size();
        return m_line.Write(bytes);
    }
    bool SleepUntil(Clock::time_point until) override { return m_line.SleepUntil(until); }
    void Cut() override { m_line.Cut(); }
    std::int64_t Bytes() const { return m_bytes; }

private:
    CSimChannel& m_line;
    std::atomic<std::int64_t> m_bytes{0};
};

// A simulated controller on a pseudo-terminal, served by a thread of its own.
class PtyController {
public:
    explicit PtyController(int baud) : m_server(m_controller, m_faults)
    {
        m_controller.SetModel(kModel);
        m_server.SetLine(baud, kTurnaroundMs);
        QString error;
        m_open = m_pty.Open(error);
        if (m_open) m_thread = std::thread([this] { m_server.Serve(m_counting); });
    }
    ~PtyController()
    {
        m_server.Stop();
        if (m_thread.joinable()) m_thread.join();
    }
    bool IsOpen() const { return m_open; }
    QString Path() const { return m_pty.SlavePath(); }
    CSimController& Controller() { return m_controller; }
    // Every byte on the line so far, both ways.
    std::int64_t LineBytes() const { return m_counting.Bytes(); }

private:
    CSimController m_controller;
    CSimFaults m_faults;
    CSimServer m_server;
    CSimPtyChannel m_pty;
    CountingChannel m_counting{m_pty};
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
    const QString program = MemoryFillingProgram(kModel, memory);
    if (!write && comm.mfi_WriteProgram(program, memory, 0) != 0) {
        state.SkipWithError("cannot store the program");
        return;
    }
    double seconds = 0;
    std::size_t exchanges = 0;
    std::int64_t lineBytes = 0;
    for (auto _ : state) {
        const std::size_t before = sim.Controller().Log().Size();
        const std::int64_t bytesBefore = sim.LineBytes();
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
        lineBytes += sim.LineBytes() - bytesBefore;
    }
    comm.mfi_Close();
    const double iterations = static_cast<double>(state.iterations());
    const double bytes = static_cast<double>(lineBytes) / iterations;
    const double wire = bytes * 10 / baud + static_cast<double>(exchanges) / iterations * kTurnaroundMs / 1000.0;
    CSimProgram stored;
    stored.Load(program.toLatin1(), DefaultSimStepCounter([] { return kModel; }));
    state.counters["steps"] = stored.TotalSteps();
    state.counters["memory"] = memory;
    state.counters["program_bytes"] = static_cast<double>(program.size());
    state.counters["line_bytes"] = bytes;
    state.counters["exchanges"] = static_cast<double>(exchanges) / iterations;
    state.counters["wire_s"] = wire;
    state.counters["ratio"] = seconds / iterations / wire;
}

void BM_ProgramWriteOverPty(benchmark::State& state) { Transfer(state, true); }
void BM_ProgramReadOverPty(benchmark::State& state) { Transfer(state, false); }

BENCHMARK(BM_ProgramWriteOverPty)->Arg(9600)->Arg(19200)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_ProgramReadOverPty)->Arg(9600)->Arg(19200)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
