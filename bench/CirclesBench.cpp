// Best great and small circles of 5000 measurements, and the chi2 map of the best-circle
// analysis: the grid from the mean and spread of the angles of each trial axis against the
// literal loop over axes, apertures and measurements.

#include "stats3d/CircleAnalysis.h"
#include "stats3d/Circles.h"

#include "support/Draws.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using namespace ploq;

constexpr int kRecords = 5000;
constexpr double kDeg = std::numbers::pi / 180;

// Directions about a cone of axis 140/50 and aperture 35 degrees, 3 degrees of scatter.
std::vector<Vec3> ConeDirections()
{
    test::Draws draws(17);
    std::vector<Vec3> u;
    for (int i = 0; i < kRecords; ++i) {
        const double off = (35 + draws.normal(0, 3)) * kDeg;
        const double toward = 2 * std::numbers::pi * draws.uniform();
        u.push_back(DirToVec(test::Deviated({140 * kDeg, 50 * kDeg}, off, toward)));
    }
    return u;
}

void BM_BestGreatCircle(benchmark::State& state)
{
    const std::vector<Vec3> u = ConeDirections();
    for (auto _ : state)
        benchmark::DoNotOptimize(BestGreatCircleOf(u));
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_BestGreatCircle)->Unit(benchmark::kMicrosecond);

void BM_FitSmallCircle(benchmark::State& state)
{
    const std::vector<Vec3> u = ConeDirections();
    int passes = 0;
    for (auto _ : state) {
        const SmallCircleFit fit = FitSmallCircle(u);
        passes = fit.passes;
        benchmark::DoNotOptimize(fit);
    }
    state.counters["passes"] = passes;
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_FitSmallCircle)->Unit(benchmark::kMillisecond);

// The whole analysis as the menu runs it: fit, matrix, grid.
void BM_CircleAnalysis(benchmark::State& state)
{
    const std::vector<Vec3> u = ConeDirections();
    for (auto _ : state)
        benchmark::DoNotOptimize(AnalyseBestCircles(u, true));
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_CircleAnalysis)->Unit(benchmark::kMillisecond);

// Every trial axis of the window about the fitted circle, by one of the two sums.
template <typename AxisSums> void gridOf(benchmark::State& state, AxisSums&& sums)
{
    const std::vector<Vec3> u = ConeDirections();
    const SmallCircleFit fit = FitSmallCircle(u);
    const AnalysisWindow w = AnalysisWindowAbout(fit.axis, fit.aperture);
    for (auto _ : state)
        for (int k = 0; k < kAnalysisTrends; ++k)
            for (int c = 0; c < w.plunges; ++c)
                benchmark::DoNotOptimize(
                    sums(u, w, Direction{w.trend(k) * kDeg, w.plunge(c) * kDeg}));
    state.counters["axes"] = kAnalysisTrends * w.plunges;
    state.counters["apertures"] = w.apertures;
}

void BM_Chi2GridFast(benchmark::State& state)
{
    const UnitVectors vectors(ConeDirections());
    std::vector<double> theta;
    gridOf(state, [&](std::span<const Vec3>, const AnalysisWindow& w, const Direction& axis) {
        return AxisChi2Fast(vectors, axis, w, theta);
    });
}
BENCHMARK(BM_Chi2GridFast)->Unit(benchmark::kMillisecond);

void BM_Chi2GridLiteral(benchmark::State& state)
{
    gridOf(state, [](std::span<const Vec3> u, const AnalysisWindow& w, const Direction& axis) {
        return AxisChi2Literal(u, axis, w);
    });
}
BENCHMARK(BM_Chi2GridLiteral)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
