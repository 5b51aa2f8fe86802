// The whole ploq-cli process a script starts for a figure: 5000 planes read from a sheet,
// plotted as their great circles and saved as an SVG picture or a 300 dpi PNG image.

#include "datasheet/Fichier.h"
#include "model/TypesGlob.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

fs::path fiveThousandPlanes()
{
    const fs::path folder = fs::temp_directory_path() / "ploq-cli-bench";
    fs::create_directories(folder);
    const fs::path path = folder / "planes.plq";
    std::mt19937 random(7);
    std::uniform_real_distribution<double> trend(0, 6.283185307179586);
    std::uniform_real_distribution<double> plunge(0, 1.5707963267948966);
    std::vector<ploq::PlqRecord> records(ploq::kMaxValues);
    for (ploq::PlqRecord& r : records) {
        r.na = "S0";
        r.azi = trend(random);
        r.pen = plunge(random);
    }
    std::ofstream out(path, std::ios::binary);
    ploq::WritePlq(out, {45000, 45000}, records);
    return path;
}

void CliPlotFiveThousandTraces(benchmark::State& state)
{
    static const fs::path sheet = fiveThousandPlanes();
    const char* extension = state.range(0) == 0 ? ".svg" : ".png";
    const QString output =
        QString::fromStdString((sheet.parent_path() / "traces").string()) + extension;
    const QStringList arguments = {"plot", QString::fromStdString(sheet.string()), "--traces", "-o",
                                   output};
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(PLOQ_CLI), arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("ploq-cli failed");
            break;
        }
    }
    state.SetLabel(extension);
}
BENCHMARK(CliPlotFiveThousandTraces)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
