// A full sheet of 5000 rows re-notated (the notation menu), a 5000-row block from a spreadsheet
// checked and pasted, and the undo of the paste: each is one user action.

#include "datasheet/SheetEdit.h"

#include <benchmark/benchmark.h>

#include "FullSheet.h"

namespace {

using namespace ploq;
using bench::FullSheet;

std::string Block(const DataSheet& sheet)
{
    return CopyBlock(sheet, {1, sheet.rowCount(), 1, kFieldCount});
}

void BM_ReNotateFullSheet(benchmark::State& state)
{
    DataSheet sheet = FullSheet();
    int notation = 0;
    for (auto _ : state) {
        notation = (notation + 1) % 3;
        ReNotate(sheet, {notation, notation});
    }
}
BENCHMARK(BM_ReNotateFullSheet)->Unit(benchmark::kMillisecond);

void BM_PasteFullBlock(benchmark::State& state)
{
    const DataSheet full = FullSheet();
    const std::string block = Block(full);
    for (auto _ : state) {
        DataSheet sheet;
        const PastePlan plan = PlanPaste(sheet, {1, 1, 1, 1}, block);
        ApplyPaste(sheet, plan);
        benchmark::DoNotOptimize(sheet.rowCount());
    }
}
BENCHMARK(BM_PasteFullBlock)->Unit(benchmark::kMillisecond);

void BM_UndoPasteOverFullSheet(benchmark::State& state)
{
    const DataSheet full = FullSheet();
    const std::string block = Block(full);
    for (auto _ : state) {
        state.PauseTiming();
        DataSheet sheet = full;
        ApplyPaste(sheet, PlanPaste(sheet, {1, 1, 1, 1}, block));
        state.ResumeTiming();
        benchmark::DoNotOptimize(UndoWF(sheet).zone);
    }
}
BENCHMARK(BM_UndoPasteOverFullSheet)->Unit(benchmark::kMicrosecond);

} // namespace
