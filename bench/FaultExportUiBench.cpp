// The whole "Export faults datasheet" command on a sheet of 2500 pairs: the lines made and the
// text window beside the sheet filled with them, for each layout.

#include "app/Application.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "faults/FaultExportCommands.h"
#include "platform/Clock.h"
#include "platform/RecordingSurface.h"

#include <benchmark/benchmark.h>

#include "BenchPrompts.h"
#include "FaultPairSheet.h"
#include <filesystem>

namespace {

using namespace ploq;

void FaultExportCommand(benchmark::State& state)
{
    const auto layout = static_cast<FaultLayout>(state.range(0));
    bench::AnsweringPrompts prompts;
    FixedClock clock{45422.5};
    RecordingImageFactory images;
    Application app{prompts, clock, images, std::filesystem::temp_directory_path() / "unused.plp"};
    NewSheet(app, nullptr, bench::FaultPairSheet());
    for (auto _ : state) {
        TWText* text = ExportFaults(app, layout);
        if (!text) {
            state.SkipWithError("no window");
            break;
        }
        state.PauseTiming();
        delete text;
        state.ResumeTiming();
    }
}
BENCHMARK(FaultExportCommand)
    ->ArgName("layout")
    ->Arg(static_cast<int>(FaultLayout::StressThV))
    ->Arg(static_cast<int>(FaultLayout::Tektonic))
    ->Arg(static_cast<int>(FaultLayout::Yamaji))
    ->Unit(benchmark::kMillisecond);

} // namespace
