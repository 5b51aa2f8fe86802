// A canvas of 5000 planes drawn as their great circles, saved at 80 mm as an SVG picture, a PDF
// page and a 300 dpi PNG image (drawing, encoding and the file written in place), on both nets.

#include "RandomPlanes.h"
#include "canvas/QtDessinToFile.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "platform/SafeFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

using namespace ploq;

void SaveFiveThousandTraces(benchmark::State& state)
{
    const auto type = static_cast<PictureType>(state.range(0));
    const bool wulff = state.range(1) != 0;
    VarGlob settings;
    SetBit(settings.StyleCnvs, kStyleWulff, wulff);
    settings.StylePlot = 1 << kInfDrawTrace;
    QtImageFactory images;
    CanvasModel canvas(kWPOrdinary, settings);
    canvas.SetRayon(settings.Rc, images);
    bench::FillRandomPlanes(canvas, settings);
    const PictureLayout layout =
        PictureLayoutFor(canvas, RadiusForDiameter(80, settings.PixMM), true, settings);
    const std::string path =
        (std::filesystem::temp_directory_path()
         / ("ploq-bench" + PictureFileTypes()[static_cast<std::size_t>(type)].extension))
            .string();
    std::size_t size = 0;
    for (auto _ : state) {
        const std::optional<std::string> bytes = CanvasPictureBytes(canvas, settings, layout, type);
        if (!bytes || !ReplaceFile(path, *bytes)) {
            state.SkipWithError("the picture was not written");
            break;
        }
        size = bytes->size();
    }
    state.counters["kB"] = static_cast<double>(size) / 1000;
    if (const char* keep = std::getenv("PLOQ_BENCH_KEEP"))
        std::filesystem::copy_file(
            path,
            std::string(keep) + "/bench" + std::to_string(state.range(1))
                + PictureFileTypes()[static_cast<std::size_t>(type)].extension,
            std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(path);
}

BENCHMARK(SaveFiveThousandTraces)
    ->ArgNames({"svg0_pdf1_png2", "wulff"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
