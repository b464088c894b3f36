// Converting the largest document into program text: 500 flow-chart windows
// holding 4,000 symbols, every one made by the palette's symbol factory, so
// each symbol kind whose fresh symbol converts joins the middle of the
// programs as soon as its class exists. Plain mode with its four checks (as
// writing to the controller runs it), and listing mode (as Export Text does).
#include "app/HOXDoc.h"
#include "app/PaletteTools.h"
#include "chart/HOXConnect.h"
#include "chart/HOXFlowWnd.h"
#include "chart/HOXPin.h"
#include "chart/HOXSymbol.h"
#include "convert/HOXExport.h"
#include "symbols/flow/HOXFlowStart.h"
#include "symbols/flow/HOXFlowSubRtn.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kWindows = 500;
constexpr int kMiddle = 6; // root, 6 symbols, end: 8 a window, 4,000 in all
constexpr int kSubroutines = 50;

// One input (pin 0) and one output (pin 1): a symbol a program runs through.
bool RunsThrough(const CHOXSymbol& symbol)
{
    return symbol.GetPinCount() == 2 && symbol.GetPin(0) != nullptr && symbol.GetPin(0)->IsInputSide() &&
           symbol.GetPin(1) != nullptr && !symbol.GetPin(1)->IsInputSide();
}

// A fresh symbol is made complete where the bench knows how: a call calls
// one of the subroutines.
void Complete(CHOXSymbol& symbol, int n)
{
    if (symbol.GetObjectType() == objtype::kFlowCall) {
        symbol.SetPointerNumber(n % kSubroutines);
        symbol.CalcSteps();
    }
}

// The tools whose fresh symbols run through a program and convert.
std::vector<UINT> MiddleTools(CHOXDoc& doc)
{
    auto probe = doc.NewFlowWindow(QStringLiteral("probe"), QString());
    std::vector<UINT> tools;
    for (int group = 0; group < kPaletteGroups; ++group) {
        for (const PaletteTool& tool : PaletteTools(group)) {
            std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool.id, CPoint(0, 0), probe.get());
            if (!symbol || !RunsThrough(*symbol)) continue;
            Complete(*symbol, 0);
            if (symbol->GetState() == CHOXSymbol::kNormal && symbol->GetErrorState() == 0) tools.push_back(tool.id);
        }
    }
    return tools;
}

CHOXSymbol* Make(CHOXDoc& doc, CHOXFlowWnd* wnd, UINT tool, int row)
{
    std::unique_ptr<CHOXSymbol> symbol = MakeToolSymbol(tool, CPoint(100, 40 + 60 * row), wnd);
    if (!symbol) return nullptr;
    symbol->SetId(static_cast<DWORD>(doc.NewSymbolId()));
    CHOXSymbol* raw = symbol.get();
    wnd->AddObject(std::move(symbol));
    return raw;
}

void Join(CHOXDoc& doc, CHOXFlowWnd* wnd, CHOXSymbol* from, CHOXSymbol* to)
{
    auto wire = std::make_unique<CHOXConnect>(CRect(), wnd);
    wire->SetId(static_cast<DWORD>(doc.NewWireId()));
    wire->SetSource(from->GetId(), from->GetPinCount() > 1 ? 1 : 0);
    wire->SetTarget(to->GetId(), CHOXConnect::kTargetSymbol);
    CHOXConnect* raw = wire.get();
    wnd->AddConnect(std::move(wire));
    raw->Reroute();
}

bool Fill(CHOXDoc& doc)
{
    doc.SetControllerType(1);
    const std::vector<UINT> middle = MiddleTools(doc);
    if (middle.empty()) return false;
    int n = 0;
    for (int chart = 1; chart <= kWindows; ++chart) {
        const QString name = QStringLiteral("Flow Chart%1").arg(chart);
        auto owned = doc.NewFlowWindow(name, QString());
        CHOXFlowWnd* wnd = owned.get();
        doc.AddWindow(name, std::move(owned));
        // The last charts hold the subroutines the calls call.
        const bool subroutine = chart > kWindows - kSubroutines;
        CHOXSymbol* last = Make(doc, wnd, subroutine ? ID_TOOL_FLOW_SUBRTN : ID_TOOL_FLOW_START, 0);
        if (auto* sub = dynamic_cast<CHOXFlowSubRtn*>(last))
            sub->SetPointerNumber(chart - (kWindows - kSubroutines) - 1);
        if (auto* start = dynamic_cast<CHOXFlowStart*>(last)) start->SetProgramNumber(chart % 100);
        for (int i = 0; i < kMiddle; ++i) {
            CHOXSymbol* next = Make(doc, wnd, middle[static_cast<std::size_t>(n++) % middle.size()], i + 1);
            Complete(*next, n);
            Join(doc, wnd, last, next);
            last = next;
        }
        Join(doc, wnd, last, Make(doc, wnd, subroutine ? ID_TOOL_FLOW_RET : ID_TOOL_FLOW_END, kMiddle + 1));
    }
    return true;
}

void Convert(benchmark::State& state, bool listing)
{
    CHOXDoc doc;
    if (!Fill(doc)) {
        state.SkipWithError("no symbol kind runs through a program");
        return;
    }
    std::size_t length = 0;
    for (auto _ : state) {
        CHOXExport exporter(&doc);
        QString message;
        int severity = -1;
        CHOXSymbol* symbol = nullptr;
        if (!exporter.GenerateProgram(message, listing, &severity, &symbol, true) || !message.isEmpty()) {
            state.SkipWithError(qPrintable(QStringLiteral("the conversion stopped: ") + message));
            break;
        }
        length = static_cast<std::size_t>(exporter.GetProgramText().size());
        benchmark::DoNotOptimize(length);
    }
    state.counters["chars"] = static_cast<double>(length);
    state.counters["steps"] = static_cast<double>(doc.GetTotalSteps());
}

void BM_ConvertPlainWithChecks(benchmark::State& state) { Convert(state, false); }
BENCHMARK(BM_ConvertPlainWithChecks)->Unit(benchmark::kMillisecond);

void BM_ConvertListing(benchmark::State& state) { Convert(state, true); }
BENCHMARK(BM_ConvertListing)->Unit(benchmark::kMillisecond);

} // namespace
