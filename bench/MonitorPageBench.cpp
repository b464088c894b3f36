// Redrawing the monitor page while monitoring: 40 device status objects of
// 16 rows (lamps and values, half of them lit or filled) and one object of
// each other kind, drawn by the monitor view into an offscreen image; and a
// small page of one device status object and one of each other kind. The
// large page is timed; the counters give both and their ratio.
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "online/monitor/HOXMonCurPos.h"
#include "online/monitor/HOXMonDevStat.h"
#include "online/monitor/HOXMonKZQWStat.h"
#include "online/monitor/HOXMonManInputStat.h"
#include "online/monitor/HOXMonManOpern.h"
#include "online/monitor/HOXMonPlotObj.h"
#include "online/monitor/HOXMonProgInfo.h"
#include "online/monitor/HOXMonView.h"
#include "online/monitor/HOXMonWnd.h"
#include "online/monitor/MonObjIds.h"
#include "platform/DC.h"
#include "symbols/operand/HOXSelectVal.h"

#include "BenchViewHost.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

using SV = CHOXSelectVal;

constexpr int kLargePage = 40;
constexpr int kSmallPage = 1;

template <class T>
T* Put(CHOXMonWnd* wnd, std::unique_ptr<T> object, DWORD id, CPoint at)
{
    object->SetId(id);
    object->m_position =
        CHOXDrawObj::Shifted(object->GetRect(), at.x - object->GetRect().left, at.y - object->GetRect().top);
    T* raw = object.get();
    wnd->AddMonObj(std::move(object));
    return raw;
}

// A monitoring page of `columns` device status objects of 16 rows, every
// other one of bits, and one object of each other kind.
struct Page {
    explicit Page(int columns)
    {
        doc.SetControllerType(1);
        CHOXMonWnd* wnd = doc.GetMonWnd();
        wnd->GetBaseRect()->m_position = CRect(0, 0, 1400, 1000);
        const SV::DeviceType types[] = {SV::kX, SV::kD, SV::kM, SV::kDD, SV::kY, SV::kZ};
        for (int i = 0; i < columns; ++i) {
            const SV::DeviceType type = types[i % 6];
            const bool is32 = type == SV::kDD || type == SV::kZ;
            const CHOXMonDevStat::Settings settings{is32 ? 1 : 0,           type == SV::kDD ? SV::kD : type, 0, 0, 0,
                                                    type == SV::kZ ? 8 : 16};
            auto object = std::make_unique<CHOXMonDevStat>(settings, wnd);
            std::vector<BYTE> values(static_cast<std::size_t>(object->GetShownCount()) * 4);
            for (std::size_t b = 0; b < values.size(); b += 8) values[b] = 1;
            object->SetValues(values, !is32);
            Put(wnd, std::move(object), static_cast<DWORD>(doc.NewMonObjId()),
                CPoint(10 + (i % 10) * 160, 10 + (i / 10) * 340));
        }
        const LONG below = 10 + ((columns + 9) / 10) * 340;
        Put(wnd, std::make_unique<CHOXMonCurPos>(wnd), monid::kCurPos, CPoint(10, below));
        Put(wnd, std::make_unique<CHOXMonPlotObj>(wnd), monid::kPlot, CPoint(160, below));
        Put(wnd, std::make_unique<CHOXMonManInputStat>(wnd), monid::kManInputStat, CPoint(420, below));
        Put(wnd, std::make_unique<CHOXMonKZQWStat>(wnd), monid::kKZQWStat, CPoint(600, below));
        Put(wnd, std::make_unique<CHOXMonProgInfo>(wnd), monid::kProgInfo, CPoint(760, below));
        auto* button = Put(wnd, std::make_unique<CHOXMonManOpern>(2, wnd), monid::ManOpernId(2), CPoint(1100, below));
        button->SetPressed(true);
        host = ShowWholeSheet(doc, view, wnd);
        doc.SetEditMode(false);
        image = QImage(host->GetClientRect().Width(), host->GetClientRect().Height(), QImage::Format_RGB32);
    }
    ~Page()
    {
        doc.SetEditMode(true);
        doc.RemoveView(&view);
    }
    // One redraw; its time in seconds.
    double Redraw()
    {
        const auto start = std::chrono::steady_clock::now();
        {
            QPainter painter(&image);
            CDC dc(painter);
            view.OnPrepareDC(&dc);
            view.OnDraw(&dc);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    CHOXDoc doc;
    std::unique_ptr<BenchViewHost> host;
    CHOXMonView view;
    QImage image;
};

void BM_RedrawMonitorPage(benchmark::State& state)
{
    Page large(kLargePage);
    Page small(kSmallPage);
    double largeTotal = 0;
    double smallTotal = 0;
    for (auto _ : state) {
        const double took = large.Redraw();
        state.SetIterationTime(took);
        largeTotal += took;
        smallTotal += small.Redraw();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["objects"] = static_cast<double>(large.doc.GetMonWnd()->GetMonObjMap().GetCount());
    state.counters["large_ms"] = largeTotal / n * 1e3;
    state.counters["small_ms"] = smallTotal / n * 1e3;
    state.counters["ratio"] = smallTotal > 0 ? largeTotal / smallTotal : 0;
}
BENCHMARK(BM_RedrawMonitorPage)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
