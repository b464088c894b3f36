// Saving and loading a large document: 500 flow-chart windows holding 4,000
// objects between them (plain symbols, every positioning code made by its
// palette tool, and wires), through the compound file on disk.
#include "app/HOXDoc.h"
#include "app/PaletteTools.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXSymbol.h"
#include "online/monitor/HOXMonWnd.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kWindows = 500;
constexpr int kSymbolsPerWindow = 6;
constexpr int kWiresPerWindow = 2; // 8 objects a window, 4,000 in all

void Fill(CHOXDoc& doc)
{
    doc.SetControllerType(2);
    DWORD symbolId = 0;
    DWORD wireId = 0;
    for (int chart = 1; chart <= kWindows; ++chart) {
        const QString name = QStringLiteral("Flow Chart%1").arg(chart);
        auto wnd = doc.NewFlowWindow(name, QString());
        for (int i = 0; i < kSymbolsPerWindow; ++i) {
            const CPoint at(40, 40 + 60 * i);
            // Half the symbols are positioning codes, all twelve in turn.
            std::unique_ptr<CHOXSymbol> symbol =
                i % 2 == 0 ? std::make_unique<CHOXSymbol>(at, wnd.get())
                           : MakeToolSymbol(ID_TOOL_CODE_DRV + static_cast<UINT>(symbolId / 2 % 12), at, wnd.get());
            symbol->SetId(symbolId++);
            wnd->AddObject(std::move(symbol));
        }
        for (int i = 0; i < kWiresPerWindow; ++i) {
            auto wire = std::make_unique<CHOXConnect>(CRect(50, 60 + 60 * i, 50, 100 + 60 * i), wnd.get());
            wire->SetId(wireId++);
            wnd->AddConnect(std::move(wire));
        }
        wnd->SetWndRect(CRect(20, 20, 570, 370));
        doc.AddWindow(name, std::move(wnd));
    }
    // As the program saves it: with frames, so with a monitor window place.
    doc.GetMonWnd()->SetWndRect(CRect(0, 0, 550, 350));
}

void BM_DocumentSave500Windows(benchmark::State& state)
{
    QTemporaryDir dir;
    CHOXDoc doc;
    Fill(doc);
    const QString path = dir.filePath(QStringLiteral("large.hox"));
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(BM_DocumentSave500Windows)->Unit(benchmark::kMillisecond);

void BM_DocumentLoad500Windows(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.hox"));
    {
        CHOXDoc doc;
        Fill(doc);
        if (!doc.OnSaveDocument(path)) {
            state.SkipWithError("save failed");
            return;
        }
    }
    for (auto _ : state) {
        CHOXDoc doc;
        if (!doc.OnOpenDocument(path) || doc.GetWindowMap().GetCount() != kWindows) {
            state.SkipWithError("load failed");
            break;
        }
    }
}
BENCHMARK(BM_DocumentLoad500Windows)->Unit(benchmark::kMillisecond);

} // namespace
