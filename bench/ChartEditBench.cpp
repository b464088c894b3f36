// The chart editor's screen work: redrawing a chart of 200 symbols with their
// wires at 100 % into an offscreen image, and a rubber band dragged over the
// whole chart and released (the band redrawn at each move, the symbols
// selected at the end).
#include "app/HOXApp.h"
#include "app/HOXDoc.h"
#include "chart/HOXBaseRect.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowView.h"
#include "chart/HOXFlowWnd.h"
#include "platform/DC.h"
#include "symbols/flow/HOXFlowCall.h"
#include "symbols/flow/HOXFlowEnd.h"
#include "symbols/flow/HOXFlowPointer.h"

#include "BenchViewHost.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kColumns = 10;
constexpr int kRows = 20; // 200 symbols, 190 wires

// A document with one chart: each column a POINTER, CALLs and an END, wired
// from top to bottom.
struct Chart {
    Chart()
    {
        // The symbols are drawn with their pictures, as on the screen.
        app.LoadSymbolIcons();
        doc.SetControllerType(2);
        auto chart = doc.NewFlowWindow(QStringLiteral("Flow Chart1"), QString());
        wnd = chart.get();
        doc.AddWindow(QStringLiteral("Flow Chart1"), std::move(chart));
        wnd->GetBaseRect()->m_position = CRect(0, 0, kColumns * 120 + 40, kRows * 80 + 40);
        DWORD id = 0;
        DWORD wireId = 0;
        for (int column = 0; column < kColumns; ++column) {
            for (int row = 0; row < kRows; ++row) {
                const CPoint at(40 + column * 120, 30 + row * 80);
                std::unique_ptr<CHOXSymbol> symbol;
                if (row == 0) {
                    symbol = std::make_unique<CHOXFlowPointer>(at, wnd);
                } else if (row == kRows - 1) {
                    symbol = std::make_unique<CHOXFlowEnd>(at, wnd);
                } else {
                    symbol = std::make_unique<CHOXFlowCall>(at, wnd);
                }
                symbol->SetId(id);
                wnd->AddObject(std::move(symbol));
                if (row > 0) {
                    auto wire = std::make_unique<CHOXConnect>(CRect(), wnd);
                    wire->SetId(wireId++);
                    // A POINTER's output is its pin 0, a CALL's its pin 1.
                    wire->SetSource(id - 1, row == 1 ? 0 : 1);
                    wire->SetTarget(id, CHOXConnect::kTargetSymbol);
                    CHOXConnect* raw = wire.get();
                    wnd->AddConnect(std::move(wire));
                    raw->RerouteAll();
                    raw->SetLineWidth(2);
                }
                ++id;
            }
        }
        host = ShowWholeSheet(doc, view, wnd);
    }
    ~Chart() { doc.RemoveView(&view); }

    CHOXApp app;
    CHOXDoc doc;
    CHOXFlowWnd* wnd = nullptr;
    std::unique_ptr<BenchViewHost> host;
    CHOXFlowView view;
};

void BM_RedrawChartOf200Symbols(benchmark::State& state)
{
    Chart chart;
    const CRect client = chart.host->GetClientRect();
    QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        CDC dc(painter);
        chart.view.OnPrepareDC(&dc);
        chart.view.OnDraw(&dc);
    }
    state.counters["symbols"] = static_cast<double>(chart.wnd->GetObjectMap().GetCount());
    state.counters["wires"] = static_cast<double>(chart.wnd->GetConnectMap().GetCount());
}
BENCHMARK(BM_RedrawChartOf200Symbols)->Unit(benchmark::kMillisecond);

void BM_BandSelectionOver200Symbols(benchmark::State& state)
{
    Chart chart;
    const CRect sheet = chart.wnd->GetBaseRect()->GetRect();
    for (auto _ : state) {
        chart.view.OnLButtonDown(MK_LBUTTON, CPoint(5, 5));
        for (int step = 1; step <= 10; ++step)
            chart.view.OnMouseMove(MK_LBUTTON, CPoint(sheet.right * step / 10, sheet.bottom * step / 10));
        chart.view.OnLButtonUp(0, CPoint(sheet.right, sheet.bottom));
        if (chart.view.GetSelectionCount() != static_cast<std::size_t>(kColumns * kRows)) {
            state.SkipWithError("the band did not catch every symbol");
            break;
        }
    }
}
BENCHMARK(BM_BandSelectionOver200Symbols)->Unit(benchmark::kMicrosecond);

} // namespace
