// Drawing the X-Y plot of the monitor window into an offscreen image at
// 100 %, with 100,000 samples of a path that runs past the limits now and
// then (so that its trace is cut at the edges), and with 1,000 for
// comparison. Every drawing walks every sample; the goal is one drawing of
// the large path within a frame (16 ms). The large case also reports the
// small case's time and the ratio of the two.
#include "app/HOXDoc.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/DC.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <memory>

namespace {

struct Plot {
    explicit Plot(int samples)
    {
        doc.SetControllerType(1);
        plot = std::make_unique<CHOXMonPlotObj>(doc.GetMonWnd());
        plot->m_position = CRect(10, 10, 242, 242);
        plot->SetLimits(1000, -1000, 1000, -1000);
        // Two slow waves of a little more than the limits: a closed curve
        // that leaves the field at its four sides.
        for (int i = 0; i < samples; ++i) {
            const double t = i * 0.0007;
            plot->AddSample(static_cast<std::int32_t>(1150 * std::sin(3 * t)),
                            static_cast<std::int32_t>(1150 * std::cos(2 * t)));
        }
    }
    void Draw(QImage& image)
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        CDC dc(painter);
        plot->Draw(&dc);
    }

    CHOXDoc doc;
    std::unique_ptr<CHOXMonPlotObj> plot;
};

// Milliseconds of one drawing, over enough drawings to be steady.
double MillisecondsPerDrawing(Plot& plot, QImage& image, int drawings)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < drawings; ++i) plot.Draw(image);
    const auto took = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::milli>(took).count() / drawings;
}

void BM_MonPlotDraw(benchmark::State& state)
{
    const int samples = static_cast<int>(state.range(0));
    Plot plot(samples);
    QImage image(260, 260, QImage::Format_RGB32);
    for (auto _ : state) {
        plot.Draw(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * samples);
    if (samples > 1000) {
        Plot small(1000);
        const double smallMs = MillisecondsPerDrawing(small, image, 200);
        const double largeMs = MillisecondsPerDrawing(plot, image, 20);
        state.counters["small_ms"] = smallMs;
        state.counters["ratio"] = largeMs / smallMs;
    }
}
BENCHMARK(BM_MonPlotDraw)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
