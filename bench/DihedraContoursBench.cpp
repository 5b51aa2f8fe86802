// The right dihedra contouring at its default grid step of 10 degrees on a recording surface,
// the density a constant-time stub given through the right dihedra density hook (a smooth
// function of the direction, 0 to 12), so that what is timed is the contouring alone: a
// benchmark of the real density over its fault pairs shows that density's own cost beside it.

#include "app/VarGlob.h"
#include "canvas/Plot.h"
#include "platform/RecordingSurface.h"
#include "stats3d/DihedraContours.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace ploq;

constexpr int kRadius = 200;

const Net kNet{kRadius + 15, kRadius + 15, kRadius, true, false};

DihedraDensityMaker ConstantTimeStub()
{
    return [](std::span<const InfoVal>, const Net&) {
        return DirectionCount([](const Direction& d) {
            return static_cast<int>(
                std::lround(6 + 6 * std::sin(2 * d.trend) * std::cos(2 * d.plunge)));
        });
    };
}

void DrawDihedraContours(benchmark::State& state, bool smoothed)
{
    const DihedraDensityMaker kept = RightDihedraDensity();
    RightDihedraDensity() = ConstantTimeStub();
    VarGlob settings;
    ContourDialogState dialog;
    DihedraDefaultValues(dialog, 0, 12, 10);
    dialog.bezierBox = smoothed;
    dialog.blackLine = smoothed;
    dialog.filled = !smoothed;
    const ParamContours params = *DihedraParamsOf(dialog);
    CanvasModel canvas(kWPDihedraContours, settings);
    RecordingSurface surface;
    std::size_t primitives = 0;
    for (auto _ : state) {
        surface.clear();
        DrawContext ctx{surface, kNet, 0, 0, settings};
        benchmark::DoNotOptimize(DrawContours(ctx, params, DihedraDensity(canvas, kNet)));
        primitives = surface.primitives().size();
    }
    state.counters["levels"] = params.nz;
    state.counters["primitives"] = static_cast<double>(primitives);
    RightDihedraDensity() = kept;
}

void BM_DrawDihedraContoursFilled(benchmark::State& state)
{
    DrawDihedraContours(state, false);
}
BENCHMARK(BM_DrawDihedraContoursFilled)->Unit(benchmark::kMillisecond);

void BM_DrawDihedraContoursSmoothed(benchmark::State& state)
{
    DrawDihedraContours(state, true);
}
BENCHMARK(BM_DrawDihedraContoursSmoothed)->Unit(benchmark::kMillisecond);

} // namespace
