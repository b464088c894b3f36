// Monitoring the simulated controller's own program (kinetrace-sim) on its
// pseudo-terminal at 9600 and 19200 bit/s, a page with one visible monitor
// object of every kind (two device columns), on a small document and on the
// largest (500 charts, 4,000 objects):
//   cycles_s    polling cycles a second, results taken by the user-interface
//               thread;
//   limit_s     the link's limit: one cycle's bytes x 10 / baud plus the
//               controller's turnaround once per exchange;
//   ratio       cycles_s / limit_s, goal at least 0.9;
//   stall_ms    the user-interface thread's longest pause between two turns
//               of its event loop while polling (no exchange ever runs in it);
//   worker_cpu  the worker's processor time against the time measured, with
//               "SystemResponse" 0 and 3.
#include "app/HOXDoc.h"
#include "app/HOXRegistry.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "online/comm/CommPort.h"
#include "online/comm/CommPortSettings.h"
#include "online/comm/CommSerialTransport.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/HOXMonitorSession.h"
#include "online/monitor/MonObjIds.h"
#include "platform/DC.h"
#include "symbols/operand/HOXSelectVal.h"

#include "BenchViewHost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>

namespace {

constexpr int kTurnaroundMs = 5;
constexpr int kMeasureMs = 3000;
const QString kPort = QStringLiteral("COM3");

// kinetrace-sim on a pseudo-terminal of its own, until the benchmark ends.
class SimProgram {
public:
    SimProgram(int baud)
    {
        m_process.setProgram(QStringLiteral(KT_SIM_PROGRAM));
        m_process.setArguments({QStringLiteral("--control"), m_dir.filePath(QStringLiteral("control")),
                                QStringLiteral("--baud"), QString::number(baud), QStringLiteral("--turnaround"),
                                QString::number(kTurnaroundMs)});
        m_process.start();
        if (!m_process.waitForStarted(30000)) return;
        for (int tries = 0; tries < 300 && m_pty.isEmpty(); ++tries) {
            m_process.waitForReadyRead(100);
            while (m_process.canReadLine()) {
                const QByteArray line = m_process.readLine().trimmed();
                if (line.startsWith("pty ")) m_pty = QString::fromLocal8Bit(line.mid(4));
            }
        }
    }
    ~SimProgram()
    {
        m_process.kill();
        m_process.waitForFinished(30000);
    }
    const QString& Pty() const { return m_pty; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_pty;
};

// The serial line, counting what crosses it.
struct LineCount {
    std::atomic<std::int64_t> bytes{0};
    std::atomic<std::int64_t> requests{0};
};

class CountingTransport : public CCommTransport {
public:
    CountingTransport(std::unique_ptr<CCommTransport> line, LineCount& count) : m_line(std::move(line)), m_count(count)
    {
    }
    int Open() override { return m_line->Open(); }
    QString OpenFailure() const override { return m_line->OpenFailure(); }
    void Close() override { m_line->Close(); }
    bool Write(const QByteArray& bytes) override
    {
        m_count.bytes += bytes.size();
        ++m_count.requests;
        return m_line->Write(bytes);
    }
    ReadResult Read(QByteArray& into, Clock::time_point deadline) override
    {
        const qsizetype before = into.size();
        const ReadResult result = m_line->Read(into, deadline);
        m_count.bytes += into.size() - before;
        return result;
    }
    void Discard() override { m_line->Discard(); }

private:
    std::unique_ptr<CCommTransport> m_line;
    LineCount& m_count;
};

void FillCharts(CHOXDoc& doc, int charts)
{
    DWORD id = 0;
    for (int chart = 1; chart <= charts; ++chart) {
        const QString name = QStringLiteral("Flow Chart%1").arg(chart);
        auto wnd = doc.NewFlowWindow(name, QString());
        for (int i = 0; i < 8; ++i) {
            auto symbol = std::make_unique<CHOXSymbol>(CPoint(40, 40 + 60 * i), wnd.get());
            symbol->SetId(id++);
            wnd->AddObject(std::move(symbol));
        }
        doc.AddWindow(name, std::move(wnd));
    }
}

template <class T>
void Put(CHOXMonWnd* wnd, std::unique_ptr<T> object, DWORD id, const CRect& bounds)
{
    object->SetId(id);
    object->m_position = bounds;
    wnd->AddMonObj(std::move(object));
}

void FillPage(CHOXDoc& doc)
{
    CHOXMonWnd* wnd = doc.GetMonWnd();
    Put(wnd, std::make_unique<CHOXMonCurPos>(wnd), monid::kCurPos, CRect(10, 10, 138, 62));
    Put(wnd, std::make_unique<CHOXMonPlotObj>(wnd), monid::kPlot, CRect(150, 10, 382, 242));
    Put(wnd, std::make_unique<CHOXMonManInputStat>(wnd), monid::kManInputStat, CRect(10, 250, 160, 390));
    Put(wnd, std::make_unique<CHOXMonKZQWStat>(wnd), monid::kKZQWStat, CRect(200, 250, 338, 350));
    Put(wnd, std::make_unique<CHOXMonProgInfo>(wnd), monid::kProgInfo, CRect(10, 400, 250, 484));
    using SV = CHOXSelectVal;
    Put(wnd, std::make_unique<CHOXMonDevStat>(CHOXMonDevStat::Settings{0, SV::kD, 100, 0, 0, 16}, wnd),
        static_cast<DWORD>(doc.NewMonObjId()), CRect(400, 10, 554, 330));
    Put(wnd, std::make_unique<CHOXMonDevStat>(CHOXMonDevStat::Settings{0, SV::kM, 0, 0, 0, 16}, wnd),
        static_cast<DWORD>(doc.NewMonObjId()), CRect(600, 10, 640, 330));
}

// Runs the event loop for the time given, noting the longest pause between
// two turns of it.
double RunLoop(int milliseconds)
{
    using Clock = std::chrono::steady_clock;
    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer turn;
    Clock::time_point last = Clock::now();
    double longest = 0;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    });
    turn.start(0);
    end.start(milliseconds);
    loop.exec();
    return longest;
}

void Monitor(benchmark::State& state)
{
    const auto baud = static_cast<int>(state.range(0));
    const auto charts = static_cast<int>(state.range(1));
    const auto response = static_cast<DWORD>(state.range(2));
    SimProgram sim(baud);
    if (sim.Pty().isEmpty()) {
        state.SkipWithError("kinetrace-sim gave no pseudo-terminal");
        return;
    }
    CCommPortSettings port;
    port.m_device = sim.Pty();
    port.m_speed = baud;
    CCommPortSettings::Write(kPort, port);
    LineCount count;
    CCommPort::SetTransportMaker([&count](const CCommPortSettings& settings) -> std::unique_ptr<CCommTransport> {
        return std::make_unique<CountingTransport>(
            std::make_unique<CCommSerialTransport>(settings.m_device, settings.m_speed), count);
    });
    CHOXRegistry registry;
    registry.WriteString("CommPort", kPort);
    registry.WriteDword("SystemResponse", response);

    CHOXDoc doc;
    doc.SetControllerType(1);
    FillCharts(doc, charts);
    FillPage(doc);
    CHOXMonView view;
    // Counts the redraws the run asks of the view: one per result.
    BenchViewHost host;
    view.SetHost(&host);
    doc.AddView(&view);
    view.ShowRecord(doc.GetMonWnd());
    doc.GetMonWnd()->SetView(&view);

    double cycles = 0;
    double seconds = 0;
    double stall = 0;
    double workerCpu = 0;
    double bytesPerCycle = 0;
    double exchangesPerCycle = 0;
    for (auto _ : state) {
        doc.OnMonitorStart();
        // Drawn once while monitoring: every object is seen from then on.
        {
            QImage image(1000, 800, QImage::Format_RGB32);
            QPainter painter(&image);
            CDC dc(painter);
            doc.GetMonWnd()->Draw(&dc);
        }
        // The first results may still come from the plan before the drawing.
        const int warm = host.redraws + 3;
        while (host.redraws < warm) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const int redraws = host.redraws;
        const std::int64_t bytes = count.bytes;
        const std::int64_t requests = count.requests;
        CHOXMonitorThread* worker = doc.GetMonitorThread()->GetThread();
        const auto cpu = worker->CpuTime();
        const auto start = std::chrono::steady_clock::now();
        stall = RunLoop(kMeasureMs);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        workerCpu = std::chrono::duration<double>(worker->CpuTime() - cpu).count() / seconds;
        cycles = host.redraws - redraws;
        bytesPerCycle = static_cast<double>(count.bytes - bytes) / cycles;
        exchangesPerCycle = static_cast<double>(count.requests - requests) / cycles;
        doc.OnMonitorStop();
        state.SetIterationTime(seconds);
    }
    doc.RemoveView(&view);
    CCommPort::SetTransportMaker({});
    registry.WriteDword("SystemResponse", 0);

    // A skipped cycle sends nothing: the limit is the link's for the cycles
    // that poll.
    const double linkSeconds = bytesPerCycle * 10 / baud + exchangesPerCycle * kTurnaroundMs / 1000.0;
    const double limit = 1 / linkSeconds;
    state.counters["cycles_s"] = cycles / seconds;
    state.counters["limit_s"] = limit;
    state.counters["ratio"] = cycles / seconds / limit;
    state.counters["bytes"] = bytesPerCycle;
    state.counters["exchanges"] = exchangesPerCycle;
    state.counters["stall_ms"] = stall;
    state.counters["worker_cpu"] = workerCpu;
}

BENCHMARK(Monitor)
    ->ArgNames({"baud", "charts", "response"})
    ->Args({9600, 1, 0})
    ->Args({9600, 500, 0})
    ->Args({19200, 1, 0})
    ->Args({19200, 500, 0})
    ->Args({19200, 1, 3})
    ->Args({19200, 500, 3})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace
