// The whole "Trackdip" command on a data sheet of 5000 rows in three dip domains: the analysis,
// the two text windows filled, the canvas made and drawn on a screen image.

#include "BenchPrompts.h"
#include "app/Application.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "model/UtilGlob.h"
#include "platform/Clock.h"
#include "platform/QtSurface.h"
#include "stats3d/TrackdipCommands.h"
#include "stats3d/TrackdipDraw.h"
#include "support/TrackdipLog.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace ploq;

DataSheet LogSheet()
{
    const test::DomainLog log = test::ThreeDomainLog(5000, 1000, 0.2, 6, 2024);
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    for (std::size_t i = 0; i < log.z.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        if (row > 1)
            sheet.appendRow();
        const Direction& pole = log.poles[i];
        sheet.setField(row, Field::Nature, "S0");
        sheet.setField(row, Field::Value,
                       DirToText(true, true, pole.plunge, pole.trend, sheet.notation()));
        sheet.setField(row, Field::Location, FormatFixed(log.z[i], 2));
        sheet.ltAz[static_cast<std::size_t>(row)] = pole.trend;
        sheet.ltPe[static_cast<std::size_t>(row)] = pole.plunge;
    }
    sheet.Numeroter();
    return sheet;
}

void BM_TrackdipCommandOnFiveThousandRows(benchmark::State& state)
{
    bench::AnsweringPrompts prompts;
    FixedClock clock{45422.5};
    QtImageFactory images;
    Application app{prompts, clock, images, std::filesystem::temp_directory_path() / "unused.plp"};
    RegisterTrackdipDisplay(CanvasPainters::Registered());
    NewSheet(app, nullptr, LogSheet());
    for (auto _ : state) {
        TWPlot* plot = Trackdip(app);
        benchmark::DoNotOptimize(plot);
        state.PauseTiming();
        delete plot;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (dynamic_cast<TWText*>(w))
                delete w;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TrackdipCommandOnFiveThousandRows)->Unit(benchmark::kMillisecond);

} // namespace
