// Drawing the X-Y plot of the monitor window into an offscreen image at
// 100 %, with 100,000 samples of a path that runs past the limits now and
// then (so that its trace is cut at the edges), and with 1,000 for
// comparison. Every drawing walks every sample; the goal is one drawing of
// the large path within a frame (16 ms). The line on growth at the end
// compares the two.
#include "app/HOXDoc.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonWnd.h"
#include "platform/DC.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

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
}
// The growth from the small plot to the large one is printed at the end.
BENCHMARK(BM_MonPlotDraw)->ArgName("samples")->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
