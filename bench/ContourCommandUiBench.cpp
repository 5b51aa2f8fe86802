// "Contour" of the contouring dialog on a data canvas of 5000 poles in three clusters, filled
// levels in uniformity multiples chained as polygons: the working set taken, counted at the
// grid, the contour canvas drawn on a screen image and its panel written. Once with the canvas
// made by the command, once with the canvas made beforehand, out of the timing.

#include "app/Application.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/Clock.h"
#include "platform/QtSurface.h"
#include "stats3d/Contours.h"
#include "stats3d/DlgContours.h"

#include <benchmark/benchmark.h>

#include "BenchPrompts.h"
#include "ClusteredPoles.h"
#include <filesystem>
#include <memory>

namespace {

using namespace ploq;

struct Contouring {
    Contouring()
    {
        RegisterContourDisplay(CanvasPainters::Registered());
        source = NewWP(app, kWPOrdinary);
        for (const Direction& pole : bench::ClusteredPoles(5000)) {
            InfoVal v;
            v.na = "S0";
            v.azi = pole.trend;
            v.pen = pole.plunge;
            AjoutVal(source->model(), v, 1, 0);
        }
        app.Tsy().set(1, 0, true);
        dialog = std::make_unique<TDlgContours>(nullptr, app);
        ContourDialogState& s = dialog->state();
        s.uniformity = true;
        s.filled = true;
        s.drawing = ContourDrawingChoice::Polygons;
        DefaultParameters(s, ContourSet(source->model(), app.Tsy()), source->model().net());
    }

    bench::AnsweringPrompts prompts;
    FixedClock clock{45422.5};
    QtImageFactory images;
    Application app{prompts, clock, images, std::filesystem::temp_directory_path() / "unused.plp"};
    TWPlot* source = nullptr;
    std::unique_ptr<TDlgContours> dialog;
};

void BM_ContourCommandOnFiveThousandPoles(benchmark::State& state)
{
    Contouring c;
    for (auto _ : state) {
        TWPlot* plot = ContourCommand(c.app, *c.dialog);
        benchmark::DoNotOptimize(plot);
        state.PauseTiming();
        delete plot;
        c.app.registry().activate(*c.source);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ContourCommandOnFiveThousandPoles)->Unit(benchmark::kMillisecond);

void BM_ContourCommandCanvasAside(benchmark::State& state)
{
    Contouring c;
    for (auto _ : state) {
        state.PauseTiming();
        TWPlot* plot = NewWP(c.app, kWPContouring);
        c.app.registry().activate(*c.source);
        state.ResumeTiming();
        const std::vector<Direction> set = ContourSet(c.source->model(), c.app.Tsy());
        const std::optional<ParamContours> params =
            ContourParamsFor(c.dialog->state(), set, c.source->model().net());
        ContourOnto(c.app, *plot, set, *params);
        benchmark::DoNotOptimize(plot->model().i0);
        state.PauseTiming();
        delete plot;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ContourCommandCanvasAside)->Unit(benchmark::kMillisecond);

} // namespace
