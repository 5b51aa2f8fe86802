// The fault tools over a sheet of 2500 pairs (5000 rows): the exports (its rows read, checked as
// pairs and written as the lines of each layout, as the menu command does before it fills its
// window), the right dihedra and the P-T axes.

#include "faults/Faults.h"
#include "faults/RightDihedra.h"

#include <benchmark/benchmark.h>

#include "FaultPairSheet.h"

namespace {

using namespace ploq;

void FaultExportOfSheet(benchmark::State& state)
{
    const auto layout = static_cast<FaultLayout>(state.range(0));
    const DataSheet sheet = bench::FaultPairSheet();
    for (auto _ : state) {
        const std::vector<InfoVal> rows = SheetRecords(sheet);
        if (!CheckSheetPairs(rows).ok)
            state.SkipWithError("the pairs were refused");
        benchmark::DoNotOptimize(FaultExportLines(layout, rows, "FMB"));
    }
}
BENCHMARK(FaultExportOfSheet)
    ->ArgName("layout")
    ->Arg(static_cast<int>(FaultLayout::StressThV))
    ->Arg(static_cast<int>(FaultLayout::Tektonic))
    ->Arg(static_cast<int>(FaultLayout::Yamaji))
    ->Unit(benchmark::kMillisecond);

} // namespace

// ---- Right dihedra and P-T axes of the 2500 pairs, as the Faults menu computes them.

namespace {

using namespace ploq;

std::vector<InfoVal> BenchPairs()
{
    return SheetRecords(bench::FaultPairSheet());
}

void DihedraCalculateOfPairs(benchmark::State& state)
{
    const std::vector<InfoVal> records = BenchPairs();
    const int crowns = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculateDihedra(records, crowns, true));
    state.counters["nodes"] = 1 + 3 * crowns * (crowns + 1);
}
BENCHMARK(DihedraCalculateOfPairs)->ArgName("crowns")->Arg(6)->Arg(12)->Unit(benchmark::kMillisecond);

void PTAxesOfPairs(benchmark::State& state)
{
    const std::vector<InfoVal> records = BenchPairs();
    for (auto _ : state) {
        const PTAxes axes = ComputePTAxes(records, true);
        benchmark::DoNotOptimize(PTRecords(records, axes, 0));
    }
}
BENCHMARK(PTAxesOfPairs)->Unit(benchmark::kMillisecond);

// The density contours of a right dihedra sample the value at every node of their pixel grid:
// a 10-pixel step over a net of radius 200, each pixel turned back into a direction.
void DihedraCountAtOverAContourGrid(benchmark::State& state)
{
    const std::vector<InfoVal> records = BenchPairs();
    const Net net{215, 215, 200, true, false};
    for (auto _ : state) {
        const DihedraCounter counter(records, true);
        long long total = 0;
        for (int dy = -200; dy <= 200; dy += 10)
            for (int dx = -200; dx <= 200; dx += 10)
                if (dx * dx + dy * dy <= 200 * 200)
                    total += counter.CountAt(PixelToDir(dx, dy, net));
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(DihedraCountAtOverAContourGrid)->Unit(benchmark::kMillisecond);

} // namespace
