// Counting 5000 poles in three clusters on the crown grid, with 6 and 12 crowns: the counting
// as the menu does it (the nodes round each measurement only) against every node tested with
// every measurement.

#include "stats3d/Counting.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

using namespace ploq;

constexpr int kPoles = 5000;

// Three clusters of some 10 degrees about 20/040, 60/200 and 5/310 (plunge/trend), as the
// working set holds them.
std::vector<Vec3> ClusteredPoles()
{
    constexpr double kDeg = std::numbers::pi / 180;
    const Direction centres[] = {
        {40 * kDeg, 20 * kDeg}, {200 * kDeg, 60 * kDeg}, {310 * kDeg, 5 * kDeg}};
    std::mt19937 random(2024);
    const auto spread = [&random] { return (random() / 4294967296.0 - 0.5) * 20 * kDeg; };
    std::vector<Vec3> u;
    u.reserve(kPoles);
    for (int i = 0; i < kPoles; ++i) {
        const Direction& c = centres[i % 3];
        const double plunge = c.plunge + spread();
        const double trend = c.trend + spread() / std::max(0.2, std::cos(plunge));
        // A plunge above the horizontal is the other end of the same axis.
        u.push_back(DirToVec(
            {NormalizeTrend(plunge < 0 ? trend + std::numbers::pi : trend), std::fabs(plunge)}));
    }
    return u;
}

void BM_CountNodes(benchmark::State& state)
{
    const std::vector<Vec3> u = ClusteredPoles();
    const int crowns = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(CountNodes(u, crowns));
    state.SetItemsProcessed(state.iterations() * kPoles);
}
BENCHMARK(BM_CountNodes)->Arg(6)->Arg(12)->Unit(benchmark::kMicrosecond);

// Every node against every pole, |u.v| >= cos a, on the same contiguous arrays.
void BM_CountAllPairs(benchmark::State& state)
{
    const std::vector<Vec3> u = ClusteredPoles();
    const int crowns = static_cast<int>(state.range(0));
    const CountingGrid grid = CountingGridNodes(crowns);
    const double cosCone = std::cos(CountingCone(crowns));
    for (auto _ : state) {
        std::vector<int> counts(grid.nodes.size(), 0);
        for (std::size_t j = 0; j < grid.nodes.size(); ++j) {
            const Vec3& v = grid.nodes[j];
            int n = 0;
            for (const Vec3& g : u)
                n += std::fabs(g.x * v.x + g.y * v.y - g.z * v.z) >= cosCone;
            counts[j] = n;
        }
        benchmark::DoNotOptimize(counts.data());
    }
    state.SetItemsProcessed(state.iterations() * kPoles);
}
BENCHMARK(BM_CountAllPairs)->Arg(6)->Arg(12)->Unit(benchmark::kMicrosecond);

} // namespace
