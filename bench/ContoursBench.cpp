// Contouring 5000 poles in three clusters with the default grid (step 6, cone 20 degrees,
// doubling levels, filled, chained lines) on a recording surface: the node counts and the
// drawing together, the grid maximum the dialog computes at each key, and the cone count
// at every node alone.

#include "ClusteredPoles.h"
#include "app/VarGlob.h"
#include "platform/RecordingSurface.h"
#include "stats3d/Contours.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

using namespace ploq;

constexpr int kPoles = 5000;
constexpr int kRadius = 200;

const Net kNet{kRadius + 15, kRadius + 15, kRadius, true, false};

ParamContours DefaultContouring(const std::vector<Direction>& poles)
{
    ParamContours p;
    p.pas = 6;
    p.cone = 20;
    p.filled = true;
    p.modeC = kContourPolylines;
    const double U = (1 - std::cos(p.cone * kDegToRad)) * kPoles / 2;
    DoublingLevels(p, GridMaximum(poles, p.pas, p.cone, kNet), U, false, kDefaultTcoCont, false);
    return p;
}

void BM_CountAndDrawContours(benchmark::State& state)
{
    const std::vector<Direction> poles = bench::ClusteredPoles(kPoles);
    const ParamContours params = DefaultContouring(poles);
    VarGlob settings;
    RecordingSurface surface;
    std::size_t primitives = 0;
    for (auto _ : state) {
        surface.clear();
        DrawContext ctx{surface, kNet, 0, 0, settings};
        const ConeCount count(poles, params.cone, kNet);
        benchmark::DoNotOptimize(
            DrawContours(ctx, params, [&count](PlaneOffset o) { return count(o); }));
        primitives = surface.primitives().size();
    }
    state.counters["levels"] = params.nz;
    state.counters["primitives"] = static_cast<double>(primitives);
}
BENCHMARK(BM_CountAndDrawContours)->Unit(benchmark::kMillisecond);

void BM_GridMaximum(benchmark::State& state)
{
    const std::vector<Direction> poles = bench::ClusteredPoles(kPoles);
    for (auto _ : state)
        benchmark::DoNotOptimize(GridMaximum(poles, 6, 20, kNet));
}
BENCHMARK(BM_GridMaximum)->Unit(benchmark::kMillisecond);

// The drawing alone, the density a table of the node values already counted.
void BM_DrawContoursOnly(benchmark::State& state)
{
    const std::vector<Direction> poles = bench::ClusteredPoles(kPoles);
    const ParamContours params = DefaultContouring(poles);
    const ConeCount count(poles, params.cone, kNet);
    VarGlob settings;
    RecordingSurface surface;
    for (auto _ : state) {
        surface.clear();
        DrawContext ctx{surface, kNet, 0, 0, settings};
        benchmark::DoNotOptimize(DrawContours(ctx, params, [](PlaneOffset o) {
            return static_cast<int>(std::fabs(o.east) + std::fabs(o.north)) % 97;
        }));
    }
}
BENCHMARK(BM_DrawContoursOnly)->Unit(benchmark::kMillisecond);

} // namespace
