// Decoding and writing notations, as loading and re-notating a full sheet does.

#include "model/Conversion.h"
#include "model/Trigo.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace ploq;

void BM_DirToTextThenDecode(benchmark::State& state)
{
    const Notation notation{static_cast<int>(state.range(0)), 1};
    std::vector<std::string> texts;
    for (int i = 0; i < 5000; ++i)
        texts.push_back(DirToText(true, true, (i % 90) * kDegToRad, (i % 360) * kDegToRad, notation));
    for (auto _ : state) {
        for (const std::string& text : texts)
            benchmark::DoNotOptimize(CellToDir('S', text, notation));
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_DirToTextThenDecode)->DenseRange(0, 4);

void BM_DirToPixel(benchmark::State& state)
{
    const Net net{215, 215, 200, true, state.range(0) != 0};
    for (auto _ : state) {
        for (int i = 0; i < 5000; ++i)
            benchmark::DoNotOptimize(DirToPixel({(i % 360) * kDegToRad, (i % 90) * kDegToRad}, net));
    }
    state.SetItemsProcessed(state.iterations() * 5000);
}
BENCHMARK(BM_DirToPixel)->Arg(0)->Arg(1);

} // namespace
