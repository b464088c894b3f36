// Writing and reading back an archive of 100,000 small objects.
#include "platform/Archive.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// About the size of a drawing object: an id, a rectangle and a short text.
class BenchItem : public CObject {
    KT_DECLARE_SERIAL(BenchItem)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << id << bounds << name;
        } else {
            ar >> id >> bounds >> name;
        }
    }
    std::int32_t id = 0;
    CRect bounds;
    QString name;
};
KT_IMPLEMENT_SERIAL(BenchItem, CObject, 0)

constexpr int kObjects = 100000;

std::vector<std::unique_ptr<BenchItem>> MakeItems()
{
    std::vector<std::unique_ptr<BenchItem>> items;
    items.reserve(kObjects);
    for (int i = 0; i < kObjects; ++i) {
        auto item = std::make_unique<BenchItem>();
        item->id = i;
        item->bounds = CRect(i, i, i + 64, i + 32);
        item->name = QStringLiteral("P%1").arg(i % 256);
        items.push_back(std::move(item));
    }
    return items;
}

QByteArray Write(const std::vector<std::unique_ptr<BenchItem>>& items)
{
    CArchive ar;
    ar.WriteCount(static_cast<DWORD>(items.size()));
    for (const auto& item : items) ar.WriteObject(item.get());
    return ar.Buffer();
}

void BM_ArchiveWrite100k(benchmark::State& state)
{
    const auto items = MakeItems();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray data = Write(items);
        bytes = static_cast<std::size_t>(data.size());
        benchmark::DoNotOptimize(data.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_ArchiveWrite100k)->Unit(benchmark::kMillisecond);

void BM_ArchiveRead100k(benchmark::State& state)
{
    const QByteArray data = Write(MakeItems());
    for (auto _ : state) {
        CArchive ar(data);
        const DWORD count = ar.ReadCount(2);
        std::vector<std::unique_ptr<BenchItem>> items;
        items.reserve(count);
        for (DWORD i = 0; i < count; ++i) items.push_back(ar.ReadOwned<BenchItem>());
        benchmark::DoNotOptimize(items.data());
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_ArchiveRead100k)->Unit(benchmark::kMillisecond);

} // namespace
