// What following the running program costs the user-interface thread in
// each polling cycle: the running-program tracker looks a step up in the
// step map of a converted document, at parts of the largest one (500
// flow-chart windows, 4,000 symbols). The step of the program's last
// symbol walks the whole map; Update moves the mark between the first and
// the last symbol as a cycle does.
#include "LargeDocument.h"

#include "app/HOXDoc.h"
#include "convert/HOXExport.h"
#include "online/monitor/HOXMonTracker.h"
#include "symbols/flow/HOXFlowMonInfo.h"

#include <benchmark/benchmark.h>

namespace {

// The document converted, its step map filled, monitoring on; false after
// the error was given to the state.
bool Prepare(benchmark::State& state, CHOXDoc& doc)
{
    if (!largedoc::FillProgram(doc, static_cast<int>(state.range(0)))) {
        state.SkipWithError("no symbol kind runs through a program");
        return false;
    }
    CHOXExport exporter(&doc);
    QString message;
    int severity = -1;
    CHOXSymbol* symbol = nullptr;
    if (!exporter.GenerateProgram(message, false, &severity, &symbol, false) || doc.GetStepInfoList().empty()) {
        state.SkipWithError("the conversion stopped");
        return false;
    }
    doc.SetEditMode(false);
    return true;
}

void BM_TrackerFindLastStep(benchmark::State& state)
{
    CHOXDoc doc;
    if (!Prepare(state, doc)) return;
    const int last = doc.GetStepInfoList().back()->GetStep();
    {
        CHOXMonTracker tracker(&doc, nullptr);
        for (auto _ : state) {
            const CHOXMonTracker::StepPlace place = tracker.FindStep(last);
            benchmark::DoNotOptimize(place.id);
        }
        if (tracker.FindStep(last).id == -1) state.SkipWithError("the last step was not found");
    }
    state.counters["records"] = static_cast<double>(doc.GetStepInfoList().size());
    doc.SetEditMode(true);
}
BENCHMARK(BM_TrackerFindLastStep)
    ->ArgName("windows")
    ->Arg(largedoc::kScales[0])
    ->Arg(largedoc::kMaxWindows)
    ->Unit(benchmark::kMicrosecond);

void BM_TrackerUpdateFirstAndLast(benchmark::State& state)
{
    CHOXDoc doc;
    if (!Prepare(state, doc)) return;
    const int steps[] = {doc.GetStepInfoList().front()->GetStep(), doc.GetStepInfoList().back()->GetStep()};
    {
        CHOXMonTracker tracker(&doc, nullptr);
        std::size_t cycle = 0;
        for (auto _ : state) {
            benchmark::DoNotOptimize(tracker.Update(steps[cycle % 2], -1, -1));
            ++cycle;
        }
    }
    doc.SetEditMode(true);
}
BENCHMARK(BM_TrackerUpdateFirstAndLast)
    ->ArgName("windows")
    ->Arg(largedoc::kScales[0])
    ->Arg(largedoc::kMaxWindows)
    ->Unit(benchmark::kMicrosecond);

} // namespace
