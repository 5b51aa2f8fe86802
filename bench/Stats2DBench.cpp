// The circular tests of 5000 values, the sort included: nMin with the median and the
// Hodges-Ajne verdict, and the Kuiper statistic; and, in the same run, astropy.stats.kuiper
// (Debian python3-astropy) on the same values, timed by Python itself.

#include "stats2d/Stats2D.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace ploq;

constexpr int kValues = 5000;

// Unsorted vectors in [0, 2 pi), the same on every run: the raw output of the generator only.
std::vector<double> Values()
{
    std::mt19937 random(5000);
    std::vector<double> v(kValues);
    for (double& x : v)
        x = 2 * std::numbers::pi * (random() / 4294967296.0);
    return v;
}

void BM_HodgesAjneWithMedian(benchmark::State& state)
{
    const std::vector<double> values = Values();
    for (auto _ : state) {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const MedianScan scan = MedianDirection(sorted, kVectors360);
        benchmark::DoNotOptimize(HodgesAjneTest(kValues, scan.nMin));
    }
}
BENCHMARK(BM_HodgesAjneWithMedian)->Unit(benchmark::kMillisecond);

void BM_Kuiper(benchmark::State& state)
{
    const std::vector<double> values = Values();
    for (auto _ : state) {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        benchmark::DoNotOptimize(KuiperTest(sorted, kVectors360));
    }
}
BENCHMARK(BM_Kuiper)->Unit(benchmark::kMillisecond);

// Seconds per call of astropy.stats.kuiper on the values as fractions of the circle (it sorts
// them too), or a negative number when Python or astropy is missing.
double AstropySecondsPerCall(const std::vector<double>& values)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "ploq_kuiper_values.txt";
    {
        std::ofstream out(file);
        out.precision(17);
        for (double v : values)
            out << v / (2 * std::numbers::pi) << '\n';
    }
    const std::string command =
        "/usr/bin/python3 -c \"import numpy, timeit; from astropy.stats import kuiper; "
        "x = numpy.loadtxt('"
        + file.string()
        + "'); n = 200; print(timeit.timeit(lambda: kuiper(x), number=n) / n)\" 2>/dev/null";
    double seconds = -1;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        if (std::fscanf(pipe, "%lf", &seconds) != 1)
            seconds = -1;
        pclose(pipe);
    }
    std::filesystem::remove(file);
    return seconds;
}

void BM_AstropyKuiper(benchmark::State& state)
{
    static const double perCall = AstropySecondsPerCall(Values());
    if (perCall < 0) {
        state.SkipWithError("python3-astropy is not available");
        return;
    }
    for (auto _ : state)
        state.SetIterationTime(perCall);
}
BENCHMARK(BM_AstropyKuiper)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
