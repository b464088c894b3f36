// Converting the largest document into program text: 500 flow-chart windows
// holding 4,000 symbols, every one made by the palette's symbol factory, so
// each symbol kind whose fresh symbol converts joins the middle of the
// programs as soon as its class exists. Plain mode with its four checks (as
// writing to the controller runs it), and listing mode (as Export Text does).
#include "LargeDocument.h"

#include "app/HOXDoc.h"
#include "convert/HOXExport.h"

#include <benchmark/benchmark.h>

namespace {

bool Fill(CHOXDoc& doc) { return largedoc::FillProgram(doc, largedoc::kMaxWindows); }

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
