// A producer filling a text window with a 5000-line report, and the window's text taken back
// as a document for saving.

#include "BenchPrompts.h"
#include "app/Application.h"
#include "datasheet/TWText.h"
#include "platform/Clock.h"
#include "platform/RecordingSurface.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace ploq;

constexpr int kLines = 5000;

struct BenchApp {
    bench::AnsweringPrompts prompts;
    FixedClock clock{45422.5};
    RecordingImageFactory images;
    Application app{prompts, clock, images, std::filesystem::temp_directory_path() / "unused.plp"};
};

void Fill(TWText& window)
{
    for (int line = 0; line < kLines; ++line) {
        if (line % 50 == 0)
            window.appendLine("14:05 - Set " + std::to_string(line / 50), true, clRed);
        else
            window.appendLine(std::to_string(line) + "\tS0\t045/32\tCr\xEAte d\xE9j\xE0 vue");
    }
}

void BM_FillTextWindow(benchmark::State& state)
{
    BenchApp b;
    for (auto _ : state) {
        TWText* window = NewTextWindow(b.app);
        Fill(*window);
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillTextWindow)->Unit(benchmark::kMillisecond);

void BM_TextWindowDocument(benchmark::State& state)
{
    BenchApp b;
    TWText* window = NewTextWindow(b.app);
    Fill(*window);
    for (auto _ : state)
        benchmark::DoNotOptimize(window->document());
    delete window;
}
BENCHMARK(BM_TextWindowDocument)->Unit(benchmark::kMillisecond);

} // namespace
