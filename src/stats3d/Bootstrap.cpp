#include "stats3d/Bootstrap.h"

#include "canvas/Dessin.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "stats3d/Eigen.h"
#include "stats3d/Stats3D.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>
#include <random>
#include <stdexcept>

namespace ploq {

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;

// The angle between two axes, in 0..pi/2: a pole that crosses the primitive is as near as the
// end of its axis on the other side.
double AxisAngle(const Vec3& a, const Vec3& b)
{
    return std::acos(std::min(1.0, std::fabs(Dot(a, b))));
}

// The products u uT of every direction, made once: each resample's matrix is then the sum of
// them weighted by how often the resample took each direction.
struct Dyad {
    double xx, xy, xz, yy, yz, zz;
};

std::vector<Dyad> Dyads(std::span<const Vec3> u)
{
    std::vector<Dyad> d;
    d.reserve(u.size());
    for (const Vec3& v : u)
        d.push_back({v.x * v.x, v.x * v.y, v.x * v.z, v.y * v.y, v.y * v.z, v.z * v.z});
    return d;
}

struct PoleFit {
    Direction pole;
    Vec3 vector;
    double chi2 = 0;
};

// The pole of the smallest eigenvalue of sum count_i u_i u_iT and its chi2 sum over the
// resample: (theta - pi/2)^2 with theta the axial angle to the pole is asin(|u.p|)^2.
PoleFit WeightedPole(std::span<const Vec3> u, const std::vector<Dyad>& dyads,
                     const std::vector<int>& counts)
{
    Dyad sum{0, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < dyads.size(); ++i) {
        const double k = counts[i];
        if (k == 0)
            continue;
        const Dyad& d = dyads[i];
        sum.xx += k * d.xx;
        sum.xy += k * d.xy;
        sum.xz += k * d.xz;
        sum.yy += k * d.yy;
        sum.yz += k * d.yz;
        sum.zz += k * d.zz;
    }
    const Mat3 t{{{sum.xx, sum.xy, sum.xz}, {sum.xy, sum.yy, sum.yz}, {sum.xz, sum.yz, sum.zz}}};
    PoleFit fit;
    fit.pole = EigenAxis(Jacobi3(t), 2);
    fit.vector = DirToVec(fit.pole);
    for (std::size_t i = 0; i < u.size(); ++i) {
        if (counts[i] == 0)
            continue;
        const double a = std::asin(std::min(1.0, std::fabs(Dot(u[i], fit.vector))));
        fit.chi2 += counts[i] * a * a;
    }
    return fit;
}

// Draws n indices among n with replacement, counting how often each comes.
void Resample(std::mt19937_64& generator, std::vector<int>& counts)
{
    std::fill(counts.begin(), counts.end(), 0);
    std::uniform_int_distribution<std::size_t> pick(0, counts.size() - 1);
    for (std::size_t k = 0; k < counts.size(); ++k)
        ++counts[pick(generator)];
}

// T + 1 records from `memory`; false when they cannot be had.
template <typename Record> bool Allocate(std::pmr::vector<Record>& records, int tossings)
{
    try {
        records.resize(static_cast<std::size_t>(tossings) + 1);
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    records = std::pmr::vector<Record>(records.get_allocator());
    return false;
}

template <typename Record> BootstrapExtremes ExtremesOf(std::span<const Record> records, int& best)
{
    BootstrapExtremes e{
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        e.minTrend = std::min(e.minTrend, r.x);
        e.maxTrend = std::max(e.maxTrend, r.x);
        e.minPlunge = std::min(e.minPlunge, r.y);
        e.maxPlunge = std::max(e.maxPlunge, r.y);
        if (r.z < e.minChi2) {
            e.minChi2 = r.z;
            best = static_cast<int>(i) + 1;
        }
        e.maxChi2 = std::max(e.maxChi2, r.z);
    }
    return e;
}

template <typename Record> void SortByAngle(std::pmr::vector<Record>& records)
{
    std::stable_sort(records.begin() + 1, records.end(),
                     [](const Record& a, const Record& b) { return a.u < b.u; });
}

} // namespace

int QuantileRank(double p, int m)
{
    return std::clamp(RoundHalfEven(p * m), 1, std::max(1, m));
}

std::optional<double> ApertureInterval(std::span<const double> sorted, double low, double high)
{
    if (sorted.empty())
        return std::nullopt;
    const int m = static_cast<int>(sorted.size());
    const auto at = [&sorted, m](double p) {
        return sorted[static_cast<std::size_t>(QuantileRank(p, m) - 1)];
    };
    return at(high) - at(low);
}

GreatCircleBootstrap BootstrapGreatCircleOf(std::span<const Vec3> u, int tossings,
                                            std::uint64_t seed, const BootstrapProgress& progress,
                                            std::pmr::memory_resource* memory)
{
    GreatCircleBootstrap run(memory);
    run.n = static_cast<int>(u.size());
    run.tossings = tossings;
    if (run.n < 3 || tossings < 1)
        return run;
    if (!Allocate(run.records, tossings)) {
        run.status = BootstrapStatus::NoMemory;
        return run;
    }
    const std::vector<Dyad> dyads = Dyads(u);
    std::vector<int> counts(u.size(), 1);
    const PoleFit reference = WeightedPole(u, dyads, counts);
    run.records[0] = {reference.pole.trend, reference.pole.plunge, reference.chi2, 0};
    std::mt19937_64 generator(seed);
    for (int t = 1; t <= tossings; ++t) {
        Resample(generator, counts);
        const PoleFit fit = WeightedPole(u, dyads, counts);
        run.records[static_cast<std::size_t>(t)] = {fit.pole.trend, fit.pole.plunge, fit.chi2,
                                                    AxisAngle(fit.vector, reference.vector)};
        if (progress && !progress(t)) {
            run.status = BootstrapStatus::Cancelled;
            run.records.clear();
            return run;
        }
    }
    SortByAngle(run.records);
    run.extremes = ExtremesOf(std::span<const Vxyzu>(run.records).subspan(1), run.bestRecord);
    run.cone95 = run.records[static_cast<std::size_t>(QuantileRank(0.95, tossings))].u;
    run.cone99 = run.records[static_cast<std::size_t>(QuantileRank(0.99, tossings))].u;
    run.status = BootstrapStatus::Done;
    return run;
}

namespace {

// The apertures below pi/2 of the valid fits: a great circle has no aperture to spread.
void ApertureIntervals(SmallCircleBootstrap& run)
{
    std::vector<double> w;
    for (std::size_t i = 1; i < run.records.size(); ++i)
        if (run.records[i].w < kHalfPi)
            w.push_back(run.records[i].w);
    std::sort(w.begin(), w.end());
    run.smallApertures = static_cast<int>(w.size());
    run.interval95 = ApertureInterval(w, 0.025, 0.975);
    run.interval99 = ApertureInterval(w, 0.005, 0.995);
}

} // namespace

SmallCircleBootstrap BootstrapSmallCircleOf(std::span<const Vec3> u, int tossings,
                                            std::uint64_t seed, bool lowerHemisphere,
                                            const BootstrapProgress& progress,
                                            std::pmr::memory_resource* memory)
{
    SmallCircleBootstrap run(memory);
    run.n = static_cast<int>(u.size());
    run.tossings = tossings;
    if (run.n < 3 || tossings < 1)
        return run;
    if (!Allocate(run.records, tossings)) {
        run.status = BootstrapStatus::NoMemory;
        return run;
    }
    run.fit = FitSmallCircle(u, lowerHemisphere);
    if (run.fit.failed) {
        run.status = BootstrapStatus::ReferenceFailed;
        run.records.clear();
        return run;
    }
    const Vec3 axis = DirToVec(run.fit.axis);
    run.records[0] = {run.fit.axis.trend, run.fit.axis.plunge,
                      Chi2Sum(u, run.fit.axis, run.fit.aperture), run.fit.aperture, 0};
    std::mt19937_64 generator(seed);
    std::uniform_int_distribution<std::size_t> pick(0, u.size() - 1);
    std::vector<Vec3> resample(u.size());
    for (int t = 1; t <= tossings; ++t) {
        for (Vec3& v : resample)
            v = u[pick(generator)];
        const SmallCircleFit fit = FitSmallCircle(resample, lowerHemisphere);
        Vxyzt& r = run.records[static_cast<std::size_t>(t)];
        if (fit.failed)
            r = {0, 0, 0, kFailedFit, kFailedFit};
        else
            r = {fit.axis.trend, fit.axis.plunge, Chi2Sum(resample, fit.axis, fit.aperture),
                 fit.aperture, AxisAngle(DirToVec(fit.axis), axis)};
        if (progress && !progress(t)) {
            run.status = BootstrapStatus::Cancelled;
            run.records.clear();
            return run;
        }
    }
    SortByAngle(run.records);
    run.valid = static_cast<int>(std::count_if(run.records.begin() + 1, run.records.end(),
                                               [](const Vxyzt& r) { return r.u < kFailedFit; }));
    run.status = BootstrapStatus::Done;
    if (run.valid == 0)
        return run;
    const std::span<const Vxyzt> valid =
        std::span<const Vxyzt>(run.records).subspan(1, static_cast<std::size_t>(run.valid));
    run.extremes = ExtremesOf(valid, run.bestRecord);
    for (const Vxyzt& r : valid) {
        if (r.z == run.extremes.minChi2)
            run.apertureOfMinChi2 = r.w;
        if (r.z == run.extremes.maxChi2)
            run.apertureOfMaxChi2 = r.w;
    }
    run.cone95 = run.records[static_cast<std::size_t>(QuantileRank(0.95, run.valid))].u;
    run.cone99 = run.records[static_cast<std::size_t>(QuantileRank(0.99, run.valid))].u;
    ApertureIntervals(run);
    return run;
}

std::uint64_t SeedFromClock(DayCount now)
{
    // The day count in milliseconds: two runs a millisecond apart draw differently.
    return static_cast<std::uint64_t>(std::llround(std::fabs(now) * 86400000.0));
}

namespace {

// " 1.23456789012345E+00": a blank, then the value in scientific notation with 15
// significant digits, whatever the locale.
void PutReal(std::string& out, double value)
{
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    out += ' ';
    for (const char* c = buffer; c != end; ++c)
        out += *c == 'e' ? 'E' : *c;
}

void PutLine(std::string& out, std::initializer_list<double> values)
{
    for (const double v : values)
        PutReal(out, v);
    out += "\r\n";
}

} // namespace

std::string VkiText(const GreatCircleBootstrap& run)
{
    std::string out;
    const Vxyzu& ref = run.reference();
    const Vxyzu& best = run.records[static_cast<std::size_t>(run.bestRecord)];
    PutLine(out, {ref.x, ref.y, ref.z});
    PutLine(out, {best.x, best.y, best.z});
    for (const Vxyzu& r : run.records)
        PutLine(out, {r.x, r.y, r.z});
    return out;
}

std::string VkiText(const SmallCircleBootstrap& run)
{
    std::string out;
    const Vxyzt& ref = run.reference();
    const Vxyzt& best = run.records[static_cast<std::size_t>(run.bestRecord)];
    PutLine(out, {ref.x, ref.y, ref.z, ref.w});
    PutLine(out, {best.x, best.y, best.z, best.w});
    for (std::size_t i = 0; i <= static_cast<std::size_t>(run.valid); ++i)
        PutLine(out, {run.records[i].x, run.records[i].y, run.records[i].z});
    return out;
}

namespace {

// The next line of the text (without its CR LF), advancing `at`; none at the end.
std::optional<std::string_view> NextLine(std::string_view text, std::size_t& at)
{
    if (at >= text.size())
        return std::nullopt;
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos)
        end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The finite numbers of a line separated by blanks; none when anything else is there.
std::optional<std::vector<double>> Numbers(std::string_view line)
{
    std::vector<double> values;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        double v = 0;
        const auto [end, error] = std::from_chars(line.data() + i, line.data() + line.size(), v);
        if (error != std::errc() || !std::isfinite(v))
            return std::nullopt;
        values.push_back(v);
        i = static_cast<std::size_t>(end - line.data());
        if (values.size() > 4)
            return std::nullopt;
    }
    return values;
}

} // namespace

VkiRecords ReadVki(std::string_view text, int expected)
{
    VkiRecords read;
    std::size_t at = 0;
    const std::optional<std::string_view> first = NextLine(text, at);
    if (!first)
        return read;
    if (const auto ref = Numbers(*first); ref && ref->size() >= 2)
        read.reference = Direction{(*ref)[0], (*ref)[1]};
    if (!NextLine(text, at))
        return read;
    const std::size_t most = static_cast<std::size_t>(std::max(expected, 0)) + 1;
    while (read.records.size() < most) {
        const std::optional<std::string_view> line = NextLine(text, at);
        if (!line)
            break;
        const auto values = Numbers(*line);
        if (!values || values->size() < 2 || values->size() > 3)
            break;
        read.records.push_back({(*values)[0], (*values)[1]});
    }
    return read;
}

namespace {

std::string Axis(const Direction& d, const Notation& notation)
{
    return DirToText(true, false, d.plunge, d.trend, notation);
}

std::string Cones(double cone95, double cone99)
{
    return DegreesText(cone95) + " and " + DegreesText(cone99);
}

} // namespace

std::vector<InfoLine> BootstrapReport(const GreatCircleBootstrap& run, const Notation& notation,
                                      DayCount now)
{
    const Vxyzu& ref = run.reference();
    return {
        {ResultHeading(now,
                       sformat("testing best great circle (boot strap, %d tossing)", run.tossings)),
         true},
        {"best great circle : axis " + Axis({ref.x, ref.y}, notation) + " (ki2 "
         + FormatFixed(ref.z / run.n, 3) + ")"},
        {"confidence cones 95% and 99% for GC axis: " + Cones(run.cone95, run.cone99)},
        {"(to change az direction scale : menu \"Option\")", false, true},
    };
}

std::vector<InfoLine> BootstrapReport(const SmallCircleBootstrap& run, const Notation& notation,
                                      DayCount now)
{
    std::vector<InfoLine> lines{
        {ResultHeading(
             now, sformat("testing best small circle (boot strap, %d tossings)", run.tossings)),
         true},
        {sformat("unsucessfull calculation for %d tossings from %d", run.tossings - run.valid,
                 run.tossings)}};
    if (run.valid == 0)
        return lines;
    const Vxyzt& ref = run.reference();
    lines.push_back({"best small circle : axis " + Axis({ref.x, ref.y}, notation) + " aperture "
                     + DegreesText(ref.w) + " (ki2 = " + FormatFixed(ref.z / run.n, 3) + ")"});
    lines.push_back(
        {"confidence cones 95% and 99% for SC axis : " + Cones(run.cone95, run.cone99)});
    if (run.interval95 && run.interval99)
        lines.push_back({"confidence interval 95% and 99% for SC aperture : "
                         + Cones(*run.interval95, *run.interval99)});
    lines.push_back({"(to change axis scales : menu \"Option\")", false, true});
    return lines;
}

namespace {

constexpr int kFitSymbol = 4;
constexpr int kFitColour = 14;
constexpr int kSmallFitSymbol = 307;
constexpr int kSmallReferenceColour = 13;

void Mark(const DrawContext& ctx, double trend, double plunge, int symbol, int colour)
{
    const Point at = DirToPixel({trend, plunge}, ctx.net);
    DessinerSymbole(ctx, symbol, colour, at.x, at.y);
}

} // namespace

void DrawBootstrapMarks(const DrawContext& ctx, const GreatCircleBootstrap& run)
{
    ctx.CnvsCourant.setPen({});
    for (std::size_t i = 1; i < run.records.size(); ++i)
        Mark(ctx, run.records[i].x, run.records[i].y, kFitSymbol, kFitColour);
    const Vxyzu& ref = run.reference();
    Mark(ctx, ref.x, ref.y, kFitSymbol, kFitColour);
    ctx.CnvsCourant.setPen({});
    TraceGC(ctx, ref.y, ref.x);
    for (const double cone : {run.cone95, run.cone99})
        TracePC2(ctx, cone, ref.y, ref.x);
}

void DrawBootstrapMarks(const DrawContext& ctx, const SmallCircleBootstrap& run)
{
    ctx.CnvsCourant.setPen({});
    for (int i = 1; i <= run.valid; ++i) {
        const Vxyzt& r = run.records[static_cast<std::size_t>(i)];
        Mark(ctx, r.x, r.y, kSmallFitSymbol, kFitColour);
    }
    const Vxyzt& ref = run.reference();
    Mark(ctx, ref.x, ref.y, kFitSymbol, kSmallReferenceColour);
    ctx.CnvsCourant.setPen({});
    for (const double aperture : {run.cone99, run.cone95, ref.w})
        TracePC2(ctx, aperture, ref.y, ref.x);
}

} // namespace ploq
