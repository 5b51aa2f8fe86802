// What the open display dialog does at each redraw of a canvas it works on: compare the list
// with the one it last left and, when another command appended values, take them in. Done for
// a full list of 100 values.

#include "stats3d/DisplayAdd.h"
#include "stats3d/Stats3Dadd.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace ploq;

InfoAdd Entry(int i)
{
    InfoAdd e;
    e.nat = kAddBestAxis + i % 2;
    e.x[0] = 0.01 * i;
    e.y[0] = 0.5;
    e.vis = true;
    return e;
}

void BM_RedrawWithoutChange(benchmark::State& state)
{
    const VarGlob settings;
    CanvasModel canvas(kWPOrdinary, settings);
    std::vector<InfoAdd> entries;
    for (int i = 0; i < kMaxAdd; ++i)
        entries.push_back(Entry(i));
    AppendAdd(canvas, entries);
    AddCopy copy = TakeAddCopy(canvas);
    for (auto _ : state)
        benchmark::DoNotOptimize(ChangedElsewhere(copy, canvas));
}
BENCHMARK(BM_RedrawWithoutChange);

// 96 values, four appended elsewhere (a best axis with its cones), taken in.
void BM_FollowABestPole(benchmark::State& state)
{
    const VarGlob settings;
    std::vector<InfoAdd> entries;
    for (int i = 0; i < kMaxAdd - 4; ++i)
        entries.push_back(Entry(i));
    const std::vector<InfoAdd> bestPole(4, Entry(7));
    for (auto _ : state) {
        state.PauseTiming();
        CanvasModel canvas(kWPOrdinary, settings);
        AppendAdd(canvas, entries);
        AddCopy copy = TakeAddCopy(canvas);
        AppendAdd(canvas, bestPole);
        state.ResumeTiming();
        if (ChangedElsewhere(copy, canvas))
            FollowElsewhere(copy, canvas);
        benchmark::DoNotOptimize(copy.saved.size());
    }
}
BENCHMARK(BM_FollowABestPole);

} // namespace
