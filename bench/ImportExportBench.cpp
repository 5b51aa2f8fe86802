// Importing 5000 lines of text from memory (raw data in format 2, and Ploq data in format 0 with
// four codes), and exporting a full sheet of 5000 rows as aligned text.

#include "app/VarGlob.h"
#include "datasheet/ImportExport.h"
#include "datasheet/SheetEntry.h"
#include "model/UtilGlob.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

using namespace ploq;

DataSheet Blank()
{
    VarGlob settings;
    settings.FrtS = 1;
    settings.FrtL = 1;
    settings.ShowDeci = true;
    return NewDataSheet(settings);
}

// Dips and directions that vary from line to line, as field data do.
std::string RawText()
{
    std::string text;
    for (int i = 0; i < kMaxValues; ++i)
        text += sformat("%d\t%d.%d\r\n", 5 + i % 85, (i * 37) % 360, i % 10);
    return text;
}

std::string PloqText()
{
    static const char* const quadrants[] = {"NE", "SE", "SW", "NW"};
    std::string text;
    for (int i = 0; i < kMaxValues; ++i)
        text += sformat("S%d/%d %s %d/%d/Site %d/bedding\r\n", i % 3, (i * 7) % 180,
                        quadrants[i % 4], 5 + i % 85, i + 1, i % 12);
    return text;
}

void BM_ImportRaw(benchmark::State& state)
{
    const std::string text = RawText();
    const RawLayout layout{'\t', 2, true, true};
    for (auto _ : state) {
        std::istringstream in(text);
        ImportOutcome out = ImportRaw(in, "field.txt", layout, Blank());
        if (!out.ok || out.sheet.rowCount() != kMaxValues)
            state.SkipWithError("import refused");
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations() * kMaxValues);
}
BENCHMARK(BM_ImportRaw)->Unit(benchmark::kMillisecond);

void BM_ImportPloqText(benchmark::State& state)
{
    const std::string text = PloqText();
    const PloqLayout layout{'/', 0, 2, 1, 3, 4, 5};
    for (auto _ : state) {
        std::istringstream in(text);
        ImportOutcome out = ImportPloqText(in, "field.txt", layout, Blank());
        if (!out.ok || out.sheet.rowCount() != kMaxValues)
            state.SkipWithError("import refused");
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations() * kMaxValues);
}
BENCHMARK(BM_ImportPloqText)->Unit(benchmark::kMillisecond);

void BM_ExportSheetText(benchmark::State& state)
{
    std::istringstream in(PloqText());
    const DataSheet sheet = ImportPloqText(in, "field.txt", {'/', 0, 2, 1, 3, 4, 5}, Blank()).sheet;
    for (auto _ : state) {
        const ExportOutcome out = ExportSheetLines(sheet, "field (imported)");
        std::ostringstream text;
        WriteSheetText(text, out.lines);
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * kMaxValues);
}
BENCHMARK(BM_ExportSheetText)->Unit(benchmark::kMillisecond);

} // namespace
