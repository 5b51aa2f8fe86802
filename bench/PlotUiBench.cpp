// A full redraw (clean, then redraw) of a canvas of radius 200 holding 5000 planes, drawn as
// their poles or as their great circles, on both nets, on a screen image with and without
// antialiasing.

#include "canvas/Plot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace ploq;

constexpr int kRadius = 200;

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
    std::mt19937 random(7);
    std::uniform_real_distribution<double> trend(0, 6.283185307179586);
    std::uniform_real_distribution<double> plunge(0, 1.5707963267948966);
    for (int i = 0; i < kMaxValues; ++i) {
        InfoVal plane;
        plane.na = "S0";
        plane.azi = trend(random);
        plane.pen = plunge(random);
        AjoutVal(canvas, plane, settings);
    }
    for (auto _ : state) {
        canvas.EffacerWP();
        DrawContext ctx = ScreenContext(canvas, settings);
        benchmark::DoNotOptimize(Redessiner(canvas, ctx));
        benchmark::DoNotOptimize(static_cast<QtImage*>(canvas.image())->image().constBits());
    }
}

BENCHMARK(RedrawFiveThousandPlanes)
    ->ArgNames({"traces", "wulff", "aa"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
