// A full redraw of a contour canvas of 5000 poles in three clusters into a screen image at
// radius 200: the net, the counts at the nodes, the filled levels and their chained lines.

#include "ClusteredPoles.h"
#include "canvas/Plot.h"
#include "platform/QtSurface.h"
#include "stats3d/Contours.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using namespace ploq;

void BM_RedrawContourCanvas(benchmark::State& state)
{
    VarGlob settings;
    QtImageFactory images(true);
    CanvasModel canvas(kWPContouring, settings);
    canvas.SetRayon(200, images);
    canvas.natGrille = 0;
    RegisterContourDisplay(CanvasPainters::Registered());
    const std::vector<Direction> poles = bench::ClusteredPoles(5000);
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
