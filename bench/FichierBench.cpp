// Loading and saving a full data sheet (5000 rows), in memory and through a file.

#include "datasheet/Fichier.h"
#include "model/Conversion.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <sstream>

namespace {

using namespace ploq;

const FixedClock kClock(45422.5);

DataSheet FullSheet()
{
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    sheet.setRowCount(kMaxValues);
    for (int row = 1; row <= kMaxValues; ++row) {
        const bool plane = row % 3 != 0;
        sheet.setField(row, Field::Nature, plane ? "S0" : "L1");
        sheet.setField(row, Field::Number, std::to_string(row));
        sheet.setField(row, Field::Location, "Site 12");
        sheet.setField(row, Field::Comment, "limb N");
        sheet.ltAz[row] = std::fmod(row * 0.7371, 2 * std::numbers::pi);
        sheet.ltPe[row] = std::fmod(row * 0.3113, std::numbers::pi / 2);
        sheet.setField(row, Field::Value,
                       DirToText(true, plane, sheet.ltPe[row], sheet.ltAz[row], {1, 1}));
        sheet.lMod[row] = kRowChanged;
    }
    sheet.Numeroter();
    return sheet;
}

std::string FullFile()
{
    DataSheet sheet = FullSheet();
    std::ostringstream out;
    SaveSheetStream(sheet, out, kClock);
    return out.str();
}

std::string TempPath()
{
    return (std::filesystem::temp_directory_path() / "ploq-fichier-bench.plq").string();
}

void BM_LoadSheetStream(benchmark::State& state)
{
    const std::string bytes = FullFile();
    DataSheet sheet;
    for (auto _ : state) {
        std::istringstream in(bytes);
        benchmark::DoNotOptimize(LoadSheetStream(in, sheet));
    }
    state.SetItemsProcessed(state.iterations() * kMaxValues);
}
BENCHMARK(BM_LoadSheetStream)->Unit(benchmark::kMillisecond);

// Every row changed (arg 1) or every value text to decode again (arg 2).
void BM_SaveSheetStream(benchmark::State& state)
{
    DataSheet sheet = FullSheet();
    const auto rowState = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        std::fill_n(sheet.lMod.begin() + 1, kMaxValues, rowState);
        std::ostringstream out;
        benchmark::DoNotOptimize(SaveSheetStream(sheet, out, kClock));
    }
    state.SetItemsProcessed(state.iterations() * kMaxValues);
}
BENCHMARK(BM_SaveSheetStream)->Arg(kRowChanged)->Arg(kRowToDecode)->Unit(benchmark::kMillisecond);

void BM_LoadSheetFile(benchmark::State& state)
{
    DataSheet sheet = FullSheet();
    const std::string path = TempPath();
    SaveSheetAsFile(sheet, path, kClock);
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadSheetFile(path, sheet));
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kMaxValues);
}
BENCHMARK(BM_LoadSheetFile)->Unit(benchmark::kMillisecond);

void BM_SaveSheetAsFile(benchmark::State& state)
{
    DataSheet sheet = FullSheet();
    const std::string path = TempPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveSheetAsFile(sheet, path, kClock));
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kMaxValues);
}
BENCHMARK(BM_SaveSheetAsFile)->Unit(benchmark::kMillisecond);

// The in-place update with one row in ten changed.
void BM_UpdateSheetFile(benchmark::State& state)
{
    DataSheet sheet = FullSheet();
    const std::string path = TempPath();
    SaveSheetAsFile(sheet, path, kClock);
    for (auto _ : state) {
        for (int row = 1; row <= kMaxValues; row += 10)
            sheet.lMod[row] = kRowChanged;
        benchmark::DoNotOptimize(UpdateSheetFile(sheet, kClock));
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kMaxValues);
}
BENCHMARK(BM_UpdateSheetFile)->Unit(benchmark::kMillisecond);

} // namespace
