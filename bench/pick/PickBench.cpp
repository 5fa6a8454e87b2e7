// One entity pick in a drawing of 1,000, 10,000 and 100,000 polylines (the
// benchmarks' grid of squares), through the index and by measuring every
// entity, and the index's memory per entity.
// Run: bench_pick [--benchmark_filter=REGEX]

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>

#include "ZcDbDatabase.h"
#include "bench/PolylineGrid.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/editor/EntityPick.h"

namespace {

struct Drawing {
    std::unique_ptr<ZcDbDatabase> db = std::make_unique<ZcDbDatabase>();
    long count = 0;
};

// One drawing per size, kept across the benchmarks of that size.
Drawing& drawingOf(long count)
{
    static std::map<long, Drawing> drawings;
    Drawing& d = drawings[count];
    if (!d.count) {
        bench::buildPolylineGrid(*d.db, count);
        d.count = count;
    }
    return d;
}

// Points over the grid, on and between the squares' edges.
ZcGePoint3d pointOf(std::mt19937& random, long count)
{
    const double rows = double(std::max(1L, count / 1000));
    return {double(random() % 1000000) / 100.0, double(random() % 100000) / 100000.0 * rows * 10.0, 0.0};
}

// The index's bytes: its entries, cells and their lists, the runs of long
// polylines and their places, and the slot each entity's stub carries.
size_t indexBytes(const platform::PickIndex& index)
{
    using platform::PickIndex;
    size_t bytes = sizeof index + index.entries.capacity() * sizeof(PickIndex::Entry) +
                   index.cells.capacity() * sizeof(std::vector<uint32_t>) +
                   index.runCells.capacity() * sizeof(std::vector<PickIndex::RunPlace>) +
                   index.everywhere.capacity() * sizeof(uint32_t) +
                   index.runPool.capacity() * sizeof(PickIndex::SegmentRuns) +
                   index.freeRuns.capacity() * sizeof(uint32_t);
    for (const auto& cell : index.cells)
        bytes += cell.capacity() * sizeof(uint32_t);
    for (const auto& cell : index.runCells)
        bytes += cell.capacity() * sizeof(PickIndex::RunPlace);
    for (const PickIndex::SegmentRuns& runs : index.runPool)
        bytes += runs.runs.capacity() * sizeof(PickIndex::Run);
    return bytes + index.entries.size() * 8;  // the slot, with the padding it adds to a stub
}

void Pick(benchmark::State& state)
{
    Drawing& d = drawingOf(state.range(0));
    std::mt19937 random(30);
    platform::pickEntity(*d.db, {0, 0, 0});  // the index is made at the first pick
    long found = 0;
    for (auto _ : state)
        found += !platform::pickEntity(*d.db, pointOf(random, d.count)).isNull();
    benchmark::DoNotOptimize(found);
    state.counters["bytes_per_entity"] = double(indexBytes(*d.db->impl()->pickIndex)) / double(d.count);
}

void PickByScan(benchmark::State& state)
{
    Drawing& d = drawingOf(state.range(0));
    std::mt19937 random(30);
    long found = 0;
    for (auto _ : state)
        found += !platform::pickEntityByScan(*d.db, pointOf(random, d.count)).isNull();
    benchmark::DoNotOptimize(found);
}

}  // namespace

BENCHMARK(Pick)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PickByScan)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
