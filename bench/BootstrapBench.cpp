// The bootstraps on 5000 measurements spread along a girdle (and round a cone): the whole
// core run of "Error on great circle" for 4000 tossings, of "Error on small circle" for 250
// and 4000, the writing of VKi.txt, and how long one tossing of the small circle takes (the
// time a cancel waits at most before the progress callback is asked again).

#include "stats3d/Bootstrap.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

using namespace ploq;

constexpr int kRecords = 5000;
constexpr double kPi = std::numbers::pi;

// Directions at `aperture` from the axis 030/50 with a few degrees of scatter.
std::vector<Vec3> Circle(double aperture)
{
    const Vec3 a = DirToVec({30 * kPi / 180, 50 * kPi / 180});
    const Vec3 e1 = [&] {
        const Vec3 c = Cross(a, {0, 0, 1});
        const double n = std::sqrt(Dot(c, c));
        return Vec3{c.x / n, c.y / n, c.z / n};
    }();
    const Vec3 e2 = Cross(a, e1);
    std::mt19937_64 g(5);
    std::uniform_real_distribution<double> azimuth(0, 2 * kPi);
    std::normal_distribution<double> scatter(0, 0.07);
    std::vector<Vec3> u;
    for (int i = 0; i < kRecords; ++i) {
        const double rho = aperture + scatter(g), t = azimuth(g);
        const double c = std::cos(rho), s = std::sin(rho);
        u.push_back(DirToVec(VecToDir({c * a.x + s * (std::cos(t) * e1.x + std::sin(t) * e2.x),
                                       c * a.y + s * (std::cos(t) * e1.y + std::sin(t) * e2.y),
                                       c * a.z + s * (std::cos(t) * e1.z + std::sin(t) * e2.z)})));
    }
    return u;
}

void BM_BootstrapGreatCircle(benchmark::State& state)
{
    const std::vector<Vec3> u = Circle(kPi / 2);
    const int tossings = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(BootstrapGreatCircleOf(u, tossings, 1).cone95);
    state.SetItemsProcessed(state.iterations() * tossings);
}
BENCHMARK(BM_BootstrapGreatCircle)->Arg(4000)->Unit(benchmark::kMillisecond);

void BM_BootstrapSmallCircle(benchmark::State& state)
{
    const std::vector<Vec3> u = Circle(0.6);
    const int tossings = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(BootstrapSmallCircleOf(u, tossings, 1).cone95);
    state.SetItemsProcessed(state.iterations() * tossings);
}
BENCHMARK(BM_BootstrapSmallCircle)
    ->Arg(250)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The longest wait between two progress calls of the small-circle run: what a cancel waits.
void BM_SmallCircleCancelLatency(benchmark::State& state)
{
    const std::vector<Vec3> u = Circle(0.6);
    for (auto _ : state) {
        double longest = 0;
        auto last = std::chrono::steady_clock::now();
        BootstrapSmallCircleOf(u, 100, 1, true, [&](int) {
            const auto now = std::chrono::steady_clock::now();
            longest = std::max(longest, std::chrono::duration<double>(now - last).count());
            last = now;
            return true;
        });
        state.counters["longest_gap_ms"] = longest * 1000;
    }
}
BENCHMARK(BM_SmallCircleCancelLatency)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_VkiText(benchmark::State& state)
{
    const GreatCircleBootstrap run = BootstrapGreatCircleOf(Circle(kPi / 2), 4000, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(VkiText(run).size());
}
BENCHMARK(BM_VkiText)->Unit(benchmark::kMillisecond);

} // namespace
