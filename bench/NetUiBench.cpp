// Drawing a standard net of radius 200 into a canvas image, as every redraw of a canvas with a
// grid does, on both nets and with and without antialiasing.

#include "app/VarGlob.h"
#include "canvas/Dessin.h"
#include "platform/QtSurface.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ploq;

constexpr int kRadius = 200;

void DrawStandardNet(benchmark::State& state)
{
    const bool wulff = state.range(0) != 0;
    const bool antialias = state.range(1) != 0;
    VarGlob settings;
    settings.GridStep = static_cast<int>(state.range(2));
    QtImageFactory factory(antialias);
    const auto image = factory.createImage({2 * kRadius + 30, 2 * kRadius + 30});
    const DrawContext ctx{image->surface(), Net{kRadius + 15, kRadius + 15, kRadius, true, wulff},
                          1 << kStyleGraduations, 0, settings};
    for (auto _ : state) {
        GrilleStandard(ctx, 0);
        TraceCanevas(ctx);
        static_cast<QtImage&>(*image).image(); // ends the painting, as a finished redraw
    }
}

BENCHMARK(DrawStandardNet)
    ->ArgNames({"wulff", "aa", "step"})
    ->ArgsProduct({{0, 1}, {0, 1}, {10}})
    ->Args({0, 0, 2})
    ->Args({1, 0, 2})
    ->Unit(benchmark::kMicrosecond);

} // namespace
