// What the Stereonet page's OK does to the open canvases: two canvases of radius 200, each
// holding 5000 planes drawn as their great circles, restyled and redrawn with the hemisphere
// switched (the records placed again), on screen images.

#include "BenchPrompts.h"
#include "RandomPlanes.h"
#include "app/Application.h"
#include "app/DlgOptions.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/Clock.h"
#include "platform/QtSurface.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {

using namespace ploq;

void BM_MajCanevasTwoCanvasesOfFiveThousandTraces(benchmark::State& state)
{
    bench::AnsweringPrompts prompts{Button::Yes};
    FixedClock clock{45422.5};
    QtImageFactory images(state.range(0) != 0);
    Application app{prompts, clock, images, std::filesystem::temp_directory_path() / "unused.plp"};
    VarGlob& s = app.settings();
    s.StylePlot = 1 << kInfDrawTrace;
    s.Rc = 200;
    for (unsigned seed : {7u, 8u}) {
        TWPlot* canvas = NewWP(app, kWPOrdinary);
        bench::FillRandomPlanes(canvas->model(), s, seed);
    }
    // The dialog works beside a main window (its tool bar and symbol menu).
    TForm1 form{app, {}};
    TDlgOptions dialog(app, form);
    for (auto _ : state) {
        SetBit(s.StyleCnvs, kStyleLowerHemisphere, !TestBit(s.StyleCnvs, kStyleLowerHemisphere));
        dialog.MajCanevas(200, false);
    }
    for (DataWindow* w : app.registry().windows(WindowKind::Canvas))
        w->closeWithoutAsking();
}
BENCHMARK(BM_MajCanevasTwoCanvasesOfFiveThousandTraces)
    ->ArgName("aa")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
