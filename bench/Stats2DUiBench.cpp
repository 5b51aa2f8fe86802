// A rose of 5000 measurements from start to finish: the values collected from the records of
// a canvas and sorted, their plain classes and smoothed counts, the mean and the median with
// the Hodges-Ajne count, and the rose drawn with its mean and median lines on a screen image of
// radius 200. Then the parts alone, to see which one a slow run comes from.

#include "canvas/Plot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "stats2d/Stats2DDraw.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace ploq;

constexpr int kRadius = 200;

// Dip directions spread around 120° with some noise over the whole circle, as planes.
std::vector<InfoVal> planes()
{
    std::mt19937 random(11);
    std::normal_distribution<double> around(120 * kDegToRad, 0.6);
    std::uniform_real_distribution<double> dip(0.1, 1.4);
    std::vector<InfoVal> records(kMaxValues);
    for (InfoVal& v : records) {
        v.na = "S0";
        v.azi = std::fmod(around(random) + 4 * 3.141592653589793, 2 * 3.141592653589793);
        v.pen = dip(random);
        SetBit(v.inf, kInfPresent, true);
        SetBit(v.inf, kInfPlane, true);
    }
    return records;
}

std::int32_t roseStyle()
{
    return 1 << kStats2DShowMean | 1 << kStats2DShowMedian | 1 << kStats2DGraduate
           | 1 << kStats2DPlain;
}

struct Diagram {
    VarGlob settings;
    QtImageFactory images{true};
    CanvasModel canvas{kWPStats2D, settings};
    Diagram()
    {
        RegisterStats2DDisplay();
        canvas.SetRayon(kRadius, images);
        canvas.i0 = kDiagramRose;
        canvas.i1 = 1;
    }
    void draw()
    {
        canvas.EffacerWP();
        DrawContext ctx = ScreenContext(canvas, settings);
        benchmark::DoNotOptimize(Redessiner(canvas, ctx));
        benchmark::DoNotOptimize(static_cast<QtImage*>(canvas.image())->image().constBits());
    }
};

void WholeRose(benchmark::State& state)
{
    const int natM = static_cast<int>(state.range(0));
    const std::vector<InfoVal> records = planes();
    Diagram diagram;
    const Stats2DChoice choice{kDiagramRose, natM, kPlaneDipDirection, 10, 0, roseStyle(), 2};
    for (auto _ : state) {
        const std::vector<double> sorted = CollectRecords(records, nullptr, natM, choice.sBy);
        Stats2DReport report = ComputeStats2D(sorted, choice, 0);
        InfoStats2D smoothed = report.info;
        CountSmoothed(sorted, smoothed);
        benchmark::DoNotOptimize(smoothed.nCM);
        (*diagram.canvas.lTinfo2D)[0] = report.info;
        diagram.canvas.lNT = report.info.ntV;
        diagram.draw();
    }
}
BENCHMARK(WholeRose)
    ->ArgName("natM")
    ->Arg(kAxes180)
    ->Arg(kVectors360)
    ->Unit(benchmark::kMillisecond);

void Collection(benchmark::State& state)
{
    const std::vector<InfoVal> records = planes();
    for (auto _ : state)
        benchmark::DoNotOptimize(CollectRecords(records, nullptr, kVectors360, kPlaneDipDirection));
}
BENCHMARK(Collection)->Unit(benchmark::kMicrosecond);

// The counts, mean and median of sorted values, by what is computed.
void Statistics(benchmark::State& state)
{
    const std::vector<double> sorted =
        CollectRecords(planes(), nullptr, kVectors360, kPlaneDipDirection);
    const int part = static_cast<int>(state.range(0));
    InfoStats2D info;
    info.natM = kVectors360;
    for (auto _ : state) {
        switch (part) {
        case 0: CountClasses(sorted, info); break;
        case 1: CountSmoothed(sorted, info); break;
        case 2: info.moy = MeanDirection(sorted, kVectors360); break;
        default: info.med = MedianDirection(sorted, kVectors360).med; break;
        }
        benchmark::DoNotOptimize(info);
    }
}
BENCHMARK(Statistics)
    ->ArgName("classes0_smoothed1_mean2_median3")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond);

void DrawRose(benchmark::State& state)
{
    const std::vector<double> sorted =
        CollectRecords(planes(), nullptr, kVectors360, kPlaneDipDirection);
    Diagram diagram;
    const Stats2DChoice choice{
        kDiagramRose, kVectors360, kPlaneDipDirection, 10, 0, roseStyle(), 2};
    (*diagram.canvas.lTinfo2D)[0] = ComputeStats2D(sorted, choice, 0).info;
    for (auto _ : state)
        diagram.draw();
}
BENCHMARK(DrawRose)->Unit(benchmark::kMillisecond);

} // namespace
