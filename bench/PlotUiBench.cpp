// A full redraw (clean, then redraw) of a canvas of radius 200 holding 5000 planes, drawn as
// their poles or as their great circles, on both nets, on a screen image with and without
// antialiasing; and the same 5000 poles with a full list of 100 additional values over them
// (cones, small and great circles, symbols).

#include "RandomPlanes.h"
#include "canvas/Plot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "stats3d/Stats3Dadd.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace ploq;

constexpr int kRadius = 200;

void Redraw(benchmark::State& state, CanvasModel& canvas, const VarGlob& settings)
{
    for (auto _ : state) {
        canvas.EffacerWP();
        DrawContext ctx = ScreenContext(canvas, settings);
        benchmark::DoNotOptimize(Redessiner(canvas, ctx));
        benchmark::DoNotOptimize(static_cast<QtImage*>(canvas.image())->image().constBits());
    }
}

void RedrawFiveThousandPlanes(benchmark::State& state)
{
    const bool traces = state.range(0) != 0;
    const bool wulff = state.range(1) != 0;
    const bool antialias = state.range(2) != 0;
    VarGlob settings;
    SetBit(settings.StyleCnvs, kStyleWulff, wulff);
    settings.StylePlot = 1 << (traces ? kInfDrawTrace : kInfDrawPole);
    QtImageFactory images(antialias);
    CanvasModel canvas(kWPOrdinary, settings);
    canvas.SetRayon(kRadius, images);
    bench::FillRandomPlanes(canvas, settings);
    Redraw(state, canvas, settings);
}

// 100 entries of the kinds results leave most: cones (some leaving the hemisphere), small
// circles with both parts, great circles thick and dashed, and symbols.
std::vector<InfoAdd> HundredValues()
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> trend(0, 6.283185307179586);
    std::uniform_real_distribution<double> plunge(0, 1.5707963267948966);
    std::uniform_real_distribution<double> aperture(0.05, 0.8);
    const int kinds[] = {kAddCone95BA, kAddBestSmallCircle, kAddBestGC, kAddBestAxis};
    std::vector<InfoAdd> entries;
    for (int i = 0; i < kMaxAdd; ++i) {
        InfoAdd e;
        e.nat = kinds[i % 4];
        e.nco = i % 8;
        e.nsy = 101 + i % 11;
        e.x[0] = trend(random);
        e.y[0] = plunge(random);
        e.x[1] = aperture(random);
        e.a[1] = 1 + i % 2;
        e.b[1] = (i / 4) % 2;
        e.a[2] = 1;
        e.b[2] = 1;
        e.vis = true;
        entries.push_back(e);
    }
    return entries;
}

void RedrawPolesAndHundredValues(benchmark::State& state)
{
    const bool wulff = state.range(0) != 0;
    const bool antialias = state.range(1) != 0;
    VarGlob settings;
    SetBit(settings.StyleCnvs, kStyleWulff, wulff);
    settings.StylePlot = 1 << kInfDrawPole;
    QtImageFactory images(antialias);
    CanvasModel canvas(kWPOrdinary, settings);
    canvas.SetRayon(kRadius, images);
    bench::FillRandomPlanes(canvas, settings);
    if (state.range(2) != 0)
        AppendAdd(canvas, HundredValues());
    Redraw(state, canvas, settings);
}

BENCHMARK(RedrawPolesAndHundredValues)
    ->ArgNames({"wulff", "aa", "values"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK(RedrawFiveThousandPlanes)
    ->ArgNames({"traces", "wulff", "aa"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
