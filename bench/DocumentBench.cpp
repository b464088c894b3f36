// Saving and loading a large document: 500 flow-chart windows holding 4,000
// objects between them (plain symbols, every positioning code made by its
// palette tool, and wires), through the compound file on disk, and the
// archive alone (the processor's share of both: the rest of a save is the
// file's durable flushes). The CPU column is the time the processor spent,
// the Time column the time that passed.
#include "Counted.h"
#include "LargeDocument.h"

#include "app/HOXDoc.h"
#include "platform/Archive.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void Fill(CHOXDoc& doc) { largedoc::FillDrawing(doc, largedoc::kMaxWindows); }

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
        if (!doc.OnOpenDocument(path) || doc.GetWindowMap().GetCount() != largedoc::kMaxWindows) {
            state.SkipWithError("load failed");
            break;
        }
    }
}
BENCHMARK(BM_DocumentLoad500Windows)->Unit(benchmark::kMillisecond);

QByteArray Store(CHOXDoc& doc)
{
    CArchive ar;
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    return ar.Buffer();
}

void BM_DocumentArchiveStore(benchmark::State& state)
{
    CHOXDoc doc;
    largedoc::FillDrawing(doc, static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        Counted counted;
        const QByteArray data = Store(doc);
        bytes = static_cast<std::size_t>(data.size());
        benchmark::DoNotOptimize(data.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DocumentArchiveStore)
    ->ArgName("windows")
    ->Arg(largedoc::kScales[0])
    ->Arg(largedoc::kMaxWindows)
    ->Unit(benchmark::kMillisecond);

void BM_DocumentArchiveLoad(benchmark::State& state)
{
    const auto windows = static_cast<int>(state.range(0));
    QByteArray data;
    {
        CHOXDoc doc;
        largedoc::FillDrawing(doc, windows);
        data = Store(doc);
    }
    for (auto _ : state) {
        bool loaded = false;
        {
            Counted counted;
            CHOXDoc doc;
            CArchive ar(data);
            ar.m_pDocument = &doc;
            doc.Serialize(ar);
            loaded = doc.GetWindowMap().GetCount() == static_cast<std::size_t>(windows);
        }
        if (!loaded) {
            state.SkipWithError("load failed");
            break;
        }
    }
}
BENCHMARK(BM_DocumentArchiveLoad)
    ->ArgName("windows")
    ->Arg(largedoc::kScales[0])
    ->Arg(largedoc::kMaxWindows)
    ->Unit(benchmark::kMillisecond);

} // namespace
