// A full redraw of a contour canvas of 5000 poles in three clusters into a screen image at
// radius 200: the net, the counts at the nodes, the filled levels and their chained lines.

#include "canvas/Plot.h"
#include "platform/QtSurface.h"
#include "stats3d/Contours.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using namespace ploq;

std::vector<Direction> ClusteredPoles()
{
    constexpr double kDeg = std::numbers::pi / 180;
    const Direction centres[] = {
        {40 * kDeg, 20 * kDeg}, {200 * kDeg, 60 * kDeg}, {310 * kDeg, 5 * kDeg}};
    std::mt19937 random(2024);
    const auto spread = [&random] { return (random() / 4294967296.0 - 0.5) * 20 * kDeg; };
    std::vector<Direction> out;
    for (int i = 0; i < 5000; ++i) {
        const Direction& c = centres[i % 3];
        const double plunge = c.plunge + spread();
        const double trend = c.trend + spread() / std::max(0.2, std::cos(plunge));
        out.push_back(
            {NormalizeTrend(plunge < 0 ? trend + std::numbers::pi : trend), std::fabs(plunge)});
    }
    return out;
}

void BM_RedrawContourCanvas(benchmark::State& state)
{
    VarGlob settings;
    QtImageFactory images(true);
    CanvasModel canvas(kWPContouring, settings);
    canvas.SetRayon(200, images);
    canvas.natGrille = 0;
    RegisterContourDisplay(CanvasPainters::Registered());
    const std::vector<Direction> poles = ClusteredPoles();
    ParamContours p;
    p.filled = true;
    p.modeC = kContourPolylines;
    DoublingLevels(p, GridMaximum(poles, p.pas, p.cone, canvas.net()),
                   (1 - std::cos(p.cone * kDegToRad)) * 2500, false, kDefaultTcoCont, false);
    KeepContouring(canvas, poles, p);
    for (auto _ : state) {
        canvas.EffacerWP();
        DrawContext ctx = ScreenContext(canvas, settings);
        benchmark::DoNotOptimize(Redessiner(canvas, ctx));
        benchmark::DoNotOptimize(static_cast<QtImage*>(canvas.image())->image().constBits());
    }
}
BENCHMARK(BM_RedrawContourCanvas)->Unit(benchmark::kMillisecond);

} // namespace
