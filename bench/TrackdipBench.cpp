// Trackdip on a synthetic dipmeter log of 5000 rows in three dip domains with 6 degrees of
// scatter: the scan of every pass, the linking into polygones, and the whole analysis with its
// text lines.

#include "stats3d/UtilTrackDip.h"
#include "support/TrackdipLog.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ploq;

TrackdipRows FiveThousandRows()
{
    const test::DomainLog log = test::ThreeDomainLog(5000, 1000, 0.2, 6, 2024);
    TrackdipRows rows{log.z, {}};
    for (const Direction& d : log.poles)
        rows.u.push_back(DirToVec(d));
    return rows;
}

const TrackdipParams kParams{3.5 * kDegToRad, 30 * kDegToRad, 3, 4};

void ScanFiveThousandRows(benchmark::State& state)
{
    const TrackdipRows rows = FiveThousandRows();
    std::size_t records = 0;
    for (auto _ : state) {
        TrackdipScan scan = ScanTrackdip(rows, kParams.cutVal);
        records = scan.records.size();
        benchmark::DoNotOptimize(scan);
    }
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(ScanFiveThousandRows)->Unit(benchmark::kMillisecond);

void ScanAndLinkFiveThousandRows(benchmark::State& state)
{
    const TrackdipRows rows = FiveThousandRows();
    std::size_t polygones = 0;
    for (auto _ : state) {
        TrackdipScan scan = ScanTrackdip(rows, kParams.cutVal);
        const TrackdipLinks links = LinkPolygones(scan.records, scan.passStart, kParams);
        polygones = links.polygones.size();
        benchmark::DoNotOptimize(links);
    }
    state.counters["polygones"] = static_cast<double>(polygones);
}
BENCHMARK(ScanAndLinkFiveThousandRows)->Unit(benchmark::kMillisecond);

void WholeAnalysisWithTexts(benchmark::State& state)
{
    const TrackdipRows rows = FiveThousandRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(RunTrackdip(rows, kParams, {1, 1}));
}
BENCHMARK(WholeAnalysisWithTexts)->Unit(benchmark::kMillisecond);

} // namespace
