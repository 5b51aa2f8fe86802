// Searches over a full sheet of 5000 rows, each one press of a button of the find/change/select
// dialog: the whole-sheet check with the search of a match in the last row, "Change all" of a
// nature code, and Select by a code and by a value range.

#include "datasheet/DataU.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ploq;

// Planes S1 and lines L1 in turn, in the quadrant notations; the last row alone is "S9".
DataSheet FullSheet()
{
    DataSheet sheet;
    for (int row = 1; row <= kMaxValues; ++row) {
        if (row > 1)
            sheet.appendRow();
        const bool plane = row % 2 == 0;
        const auto slot = static_cast<std::size_t>(row);
        sheet.ltAz[slot] = (row % 360) * kDegToRad + 0.001;
        sheet.ltPe[slot] = (row % 90) * kDegToRad;
        sheet.setField(row, Field::Nature, row == kMaxValues ? "S9" : plane ? "S1" : "L1");
        sheet.setField(
            row, Field::Value,
            DirToText(true, plane, sheet.ltPe[slot], sheet.ltAz[slot], sheet.notation()));
        sheet.setField(row, Field::Number, std::to_string(row));
        sheet.setField(row, Field::Location, row % 3 == 0 ? "Col" : "Pic");
    }
    sheet.Numeroter();
    return sheet;
}

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
