// The fault views of 2500 pairs on a canvas of radius 200: each histogram computed from the
// records and drawn on a screen image, and the rake and hanging-wall canvases redrawn whole
// (cleaned, then drawn), their planes as great circles or as poles.

#include "canvas/Plot.h"
#include "canvas/UtilPlot.h"
#include "faults/FaultDisplays.h"
#include "faults/FaultDraw.h"
#include "platform/QtSurface.h"
#include "stats2d/Stats2D.h"
#include "stats2d/Stats2DDraw.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace ploq;

constexpr int kRadius = 200;
constexpr int kPairs = kMaxValues / 2;

// 2500 faults of every sense, their striae in their planes.
std::vector<InfoVal> pairs(const VarGlob& settings)
{
    std::mt19937 random(39);
    std::uniform_real_distribution<double> turn(0, 6.283185307179586);
    std::uniform_real_distribution<double> dip(0.05, 1.5);
    std::uniform_real_distribution<double> pitch(0, 3.141592653589793);
    const char* senses[] = {"N", "R", "D", "S"};
    std::vector<InfoVal> records;
    for (int i = 0; i < kPairs; ++i) {
        const double dipDirection = turn(random);
        const double d = dip(random);
        InfoVal plane;
        plane.na = (std::string("F") + senses[i % 4] + "..").c_str();
        plane.azi = NormalizeTrend(dipDirection + 3.141592653589793);
        plane.pen = 1.5707963267948966 - d;
        plane.inf = settings.StylePlot;
        SetBit(plane.inf, kInfPresent, true);
        SetBit(plane.inf, kInfPlane, true);
        const Direction line = PitchToLine(pitch(random), d, dipDirection - 1.5707963267948966);
        InfoVal striae;
        striae.na = (std::string("L") + senses[i % 4] + "..").c_str();
        striae.azi = line.trend;
        striae.pen = line.plunge;
        striae.inf = settings.StylePlot;
        SetBit(striae.inf, kInfPresent, true);
        plane.sy = striae.sy = 5;
        records.push_back(plane);
        records.push_back(striae);
    }
    return records;
}

void Histogram(benchmark::State& state)
{
    const int type = static_cast<int>(state.range(0));
    VarGlob settings;
    RegisterStats2DDisplay();
    RegisterFaultDisplays();
    const std::vector<InfoVal> records = pairs(settings);
    QtImageFactory images(true);
    CanvasModel canvas(kWPStats2D, settings);
    canvas.SetRayon(kRadius, images);
    for (auto _ : state) {
        const FaultHistogram h = ComputeFaultHistogram(type, records, 1, 0, 0);
        (*canvas.lTinfo2D)[0] = h.info;
        canvas.i0 = type;
        canvas.i1 = 1;
        canvas.lNT = h.info.ntV;
        canvas.EffacerWP();
        DrawContext ctx = ScreenContext(canvas, settings);
        benchmark::DoNotOptimize(Redessiner(canvas, ctx));
        benchmark::DoNotOptimize(static_cast<QtImage*>(canvas.image())->image().constBits());
    }
}
BENCHMARK(Histogram)
    ->ArgName("type")
    ->Arg(kDiagramFaultStrikes)
    ->Arg(kDiagramFaultDips)
    ->Arg(kDiagramFaultRakes)
    ->Unit(benchmark::kMillisecond);

void RedrawView(benchmark::State& state)
{
    const int kind = static_cast<int>(state.range(0));
    const bool traces = state.range(1) != 0;
    VarGlob settings;
    settings.StylePlot = 1 << (traces ? kInfDrawTrace : kInfDrawPole);
    RegisterFaultDisplays();
    QtImageFactory images(true);
    CanvasModel canvas(kind, settings);
    canvas.SetRayon(kRadius, images);
    for (const InfoVal& v : pairs(settings))
        canvas.AddRecord(v);
    const std::span<InfoVal> records(canvas.lVal.data() + 1, static_cast<std::size_t>(canvas.lNT));
    if (kind == kWPStriaeRakes)
        MarkStriaeRakes(records);
    else
        MarkHangingWall(records);
    canvas.rChanged = true;
    for (auto _ : state) {
        canvas.EffacerWP();
        DrawContext ctx = ScreenContext(canvas, settings);
        benchmark::DoNotOptimize(Redessiner(canvas, ctx));
        benchmark::DoNotOptimize(static_cast<QtImage*>(canvas.image())->image().constBits());
    }
}
BENCHMARK(RedrawView)
    ->ArgNames({"kind", "traces"})
    ->ArgsProduct({{kWPHangingWall, kWPStriaeRakes}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
