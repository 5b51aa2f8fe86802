#pragma once

// A full data sheet of 5000 rows for the benchmarks of the Datasheet utilities.

#include "model/Conversion.h"
#include "model/DataSheet.h"
#include "platform/TextOrder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace ploq::bench {

// Planes S1 and lines L1 in turn, in the quadrant notations; the last row alone is "S9".
inline DataSheet FullSheet()
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

// The full sheet with number codes in a shuffled order and every row changed since its load,
// so that rounding reads each value cell again.
inline DataSheet ShuffledSheet()
{
    DataSheet sheet = FullSheet();
    for (int row = 1; row <= kMaxValues; ++row) {
        sheet.setField(row, Field::Number, std::to_string(row * 7919 % kMaxValues));
        sheet.lMod[static_cast<std::size_t>(row)] = kRowChanged;
    }
    return sheet;
}

// A sort of the shuffled sheet, `sort(sheet, order)`, timed on a fresh copy each time.
template <class Sort> void TimeSort(benchmark::State& state, const TextOrder& order, Sort sort)
{
    const DataSheet full = ShuffledSheet();
    for (auto _ : state) {
        state.PauseTiming();
        DataSheet sheet = full;
        state.ResumeTiming();
        sort(sheet, order);
        benchmark::DoNotOptimize(sheet.lMod.data());
    }
}

} // namespace ploq::bench
