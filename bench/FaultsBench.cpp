// The fault exports of a sheet of 2500 pairs (5000 rows): its rows read, checked as pairs and
// written as the lines of each layout, as the menu command does before it fills its window.

#include "faults/Faults.h"

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
