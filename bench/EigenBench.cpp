// The best axis of 5000 measurements: the working set made from the records, the orientation
// matrix, its Jacobi decomposition and the cones, as "Best pôle" computes them.

#include "stats3d/Eigen.h"
#include "stats3d/Stats3D.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace ploq;

constexpr int kRecords = 5000;

// Records spread over the lower hemisphere in a fixed pattern, all of one set.
std::vector<InfoVal> Records()
{
    std::vector<InfoVal> records(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        InfoVal& v = records[static_cast<std::size_t>(i)];
        v.azi = std::fmod(i * 2.399963, 6.283185307179586);
        v.pen = std::asin(std::fmod(i * 0.618034, 1.0));
        v.na = "L";
        v.sy = 1;
        SetBit(v.inf, kInfPresent, true);
    }
    return records;
}

void BM_TensorJacobiCones(benchmark::State& state)
{
    SymbolSelection tsy;
    tsy.set(1, 0, true);
    const WorkingSet set = MakeWorkingSet(Records(), tsy);
    for (auto _ : state) {
        const OrientationTensor t = OrientationMatrix(set.u);
        Eigen3 e = Jacobi3(t.T);
        NormalizeEigen(t.n, e.d);
        benchmark::DoNotOptimize(ConeApertures(kConeAxis, e.d, set.u, EigenAxis(e, 0)));
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_TensorJacobiCones)->Unit(benchmark::kMicrosecond);

// The same with the working set made from the canvas records, once per command.
void BM_BestPoleFromRecords(benchmark::State& state)
{
    const std::vector<InfoVal> records = Records();
    SymbolSelection tsy;
    tsy.set(1, 0, true);
    for (auto _ : state) {
        const WorkingSet set = MakeWorkingSet(records, tsy);
        benchmark::DoNotOptimize(BestPoleOf(set.u, set.setClass()));
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_BestPoleFromRecords)->Unit(benchmark::kMicrosecond);

} // namespace
