// Cleaning and redrawing an empty canvas at several radii, on a screen image.

#include "canvas/Plot.h"
#include "platform/QtSurface.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ploq;

void BM_CleanAndRedrawEmptyCanvas(benchmark::State& state)
{
    VarGlob settings;
    QtImageFactory images(true);
    CanvasModel canvas(kWPOrdinary, settings);
    canvas.SetRayon(static_cast<int>(state.range(0)), images);
    for (auto _ : state) {
        canvas.EffacerWP();
        DrawContext ctx = ScreenContext(canvas, settings);
        benchmark::DoNotOptimize(Redessiner(canvas, ctx));
        benchmark::DoNotOptimize(static_cast<QtImage*>(canvas.image())->image().constBits());
    }
}
BENCHMARK(BM_CleanAndRedrawEmptyCanvas)->Arg(100)->Arg(200)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond);

} // namespace
