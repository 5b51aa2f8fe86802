// The Sort submenu on a full sheet of 5000 rows in the platform's collation, as the menu sorts:
// by nature (two codes, so that the rows of each are ordered by their values) and by numbers.

#include "datasheet/DataU.h"
#include "platform/QtTextOrder.h"

#include <benchmark/benchmark.h>

#include "FullSheet.h"

namespace {

using namespace ploq;

void BM_SortByNatureCollated(benchmark::State& state)
{
    bench::TimeSort(state, QtTextOrder(),
                    [](DataSheet& s, const TextOrder& o) { SortSheet(s, Field::Nature, o); });
}
BENCHMARK(BM_SortByNatureCollated)->Unit(benchmark::kMillisecond);

void BM_SortByNumbersCollated(benchmark::State& state)
{
    bench::TimeSort(state, QtTextOrder(),
                    [](DataSheet& s, const TextOrder& o) { SortByNumber(s, o); });
}
BENCHMARK(BM_SortByNumbersCollated)->Unit(benchmark::kMillisecond);

} // namespace
