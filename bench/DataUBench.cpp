// Searches over a full sheet of 5000 rows, each one press of a button of the find/change/select
// dialog: the whole-sheet check with the search of a match in the last row, "Change all" of a
// nature code, and Select by a code and by a value range. Then the Datasheet utilities on the
// same sheet: sorting by nature and by numbers (in the ASCII order that stands in for the
// platform's, which SheetUtilitiesUiBench times), rounding, and merging two halves of it with
// the converting copy.

#include "datasheet/DataU.h"

#include <benchmark/benchmark.h>

#include "FullSheet.h"

namespace {

using namespace ploq;
using bench::FullSheet;
using bench::ShuffledSheet;

SearchParams Params(DataUMode mode, Field field, std::string text)
{
    SearchParams p;
    p.mode = mode;
    p.field = field;
    p.st1 = std::move(text);
    return ReadSearchParams(p);
}

void BM_CheckAndFindInLastRow(benchmark::State& state)
{
    const DataSheet sheet = FullSheet();
    const SearchParams p = Params(DataUMode::Find, Field::Nature, "S9");
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckAnyMatch(p, sheet));
        benchmark::DoNotOptimize(FindNext(p, sheet, 0));
    }
}
BENCHMARK(BM_CheckAndFindInLastRow)->Unit(benchmark::kMillisecond);

void BM_ChangeAllNature(benchmark::State& state)
{
    const DataSheet full = FullSheet();
    SearchParams p = Params(DataUMode::Change, Field::Nature, "S1");
    p.st2 = "F1";
    for (auto _ : state) {
        state.PauseTiming();
        DataSheet sheet = full;
        state.ResumeTiming();
        benchmark::DoNotOptimize(ChangeAll(p, sheet));
    }
}
BENCHMARK(BM_ChangeAllNature)->Unit(benchmark::kMillisecond);

void BM_SelectByCode(benchmark::State& state)
{
    const DataSheet sheet = FullSheet();
    const SearchParams p = Params(DataUMode::Select, Field::Location, "Col");
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectRows(p, sheet, DataSheet(), "full"));
}
BENCHMARK(BM_SelectByCode)->Unit(benchmark::kMillisecond);

void BM_SelectByValueRange(benchmark::State& state)
{
    const DataSheet sheet = FullSheet();
    SearchParams p = Params(DataUMode::Select, Field::Value, "20-60");
    p.lines = false;
    p.part = ValuePart::Dip;
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectRows(p, sheet, DataSheet(), "full"));
}
BENCHMARK(BM_SelectByValueRange)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

void BM_SortByNature(benchmark::State& state)
{
    bench::TimeSort(state, NoCaseOrder(),
                    [](DataSheet& s, const TextOrder& o) { SortSheet(s, Field::Nature, o); });
}
BENCHMARK(BM_SortByNature)->Unit(benchmark::kMillisecond);

void BM_SortByNumbers(benchmark::State& state)
{
    bench::TimeSort(state, NoCaseOrder(),
                    [](DataSheet& s, const TextOrder& o) { SortByNumber(s, o); });
}
BENCHMARK(BM_SortByNumbers)->Unit(benchmark::kMillisecond);

void BM_RoundData(benchmark::State& state)
{
    const DataSheet full = ShuffledSheet();
    for (auto _ : state) {
        state.PauseTiming();
        DataSheet sheet = full;
        state.ResumeTiming();
        benchmark::DoNotOptimize(RoundData(sheet));
    }
}
BENCHMARK(BM_RoundData)->Unit(benchmark::kMillisecond);

// Two halves of the full sheet in other notations than the new sheet's: every value cell is
// written again.
void BM_MergeConverting(benchmark::State& state)
{
    DataSheet first = FullSheet();
    first.setRowCount(kMaxValues / 2);
    DataSheet second = first;
    second.lFrtS = 1;
    second.lFrtL = 1;
    const MergePlan plan = PlanMerge({{&first, "first.plq"}, {&second, "second.plq"}});
    DataSheet blank;
    blank.lFrtS = 2;
    blank.lFrtL = 2;
    for (auto _ : state)
        benchmark::DoNotOptimize(MergeSheets(plan, blank));
}
BENCHMARK(BM_MergeConverting)->Unit(benchmark::kMillisecond);

} // namespace
