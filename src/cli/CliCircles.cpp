#include "stats3d/CircleAnalysis.h"
#include "stats3d/CircleReports.h"
#include "stats3d/Circles.h"
#include "stats3d/Stats3D.h"

#include "cli/CliApp.h"

#include <numbers>

namespace ploq {

namespace {

nlohmann::json coneJson(double cone)
{
    return ConeUsable(cone) ? nlohmann::json(Degrees(cone)) : nlohmann::json();
}

nlohmann::json greatCircleJson(const BestGreatCircleResult& r)
{
    return {{"pole", LineJson(r.pole)},
            {"eigenvalues", r.lambda},
            {"cone95", coneJson(r.cones.cone95)},
            {"cone99", coneJson(r.cones.cone99)}};
}

nlohmann::json smallCircleJson(const SmallCircleFit& fit, int part)
{
    if (fit.failed)
        return nullptr;
    return {{"axis", LineJson(fit.axis)},
            {"aperture", Degrees(fit.aperture)},
            {"passes", fit.passes},
            {"great_circle", fit.greatCircle},
            {"part", part}};
}

nlohmann::json analysisJson(const CircleAnalysisData& d)
{
    const double n = d.n;
    nlohmann::json levels = nlohmann::json::array();
    for (const double level : Chi2Levels(d))
        levels.push_back(level / n);
    double from = Degrees(d.firstTrend);
    if (from < 0)
        from += 360;
    return {{"best_axis", LineJson(d.bestAxis)},
            {"best_aperture", Degrees(d.bestAperture)},
            {"ki2", d.minimum / n},
            {"ki2_max", d.maximum / n},
            {"great_axis", LineJson(d.greatAxis)},
            {"great_ki2", d.greatChi2 / n},
            {"matrix_pole", LineJson(d.matrixPole)},
            {"matrix_ki2", d.matrixChi2 / n},
            {"range",
             {{"trend_from", from},
              {"trend_to", Degrees(d.firstTrend) + 40},
              {"plunge_from", Degrees(d.firstPlunge)},
              {"plunge_to", Degrees(d.lastPlunge)}}},
            {"levels", levels}};
}

void runCircles(CliApp& cli, const SheetInput& input)
{
    const WorkingSet set = StatsSet(cli, input);
    const VarGlob& s = cli.settings;
    const Notation notation{s.FrtS, s.FrtL};
    const Net net = Net::FromStyle(0, 0, s.Rc, s.StyleCnvs);
    const BestGreatCircleResult great = BestGreatCircleOf(set.u);
    const SmallCircleFit fit = FitSmallCircle(set.u, net.lowerHemisphere);
    const int part = fit.failed ? 0
                                : SmallCirclePart(fit.aperture, fit.axis.plunge, fit.axis.trend,
                                                  BestPoleOf(set.u, kSetLines).direction(), net);
    std::optional<CircleAnalysisData> analysis;
    if (set.n() >= 3)
        analysis = AnalyseBestCircles(set.u, net.lowerHemisphere);
    if (input.json) {
        PrintJson(cli, {{"n", set.n()},
                        {"great_circle", greatCircleJson(great)},
                        {"small_circle", smallCircleJson(fit, part)},
                        {"analysis", analysis ? analysisJson(*analysis) : nlohmann::json()}});
        return;
    }
    const DayCount now = cli.clock.now();
    PrintInfoLines(cli, GreatCircleReport(great, notation, now));
    if (fit.failed)
        PrintLines(cli, {std::string(kMsgSmallCircleFailed)});
    else
        PrintInfoLines(cli, SmallCircleReport(fit, notation, now));
    if (set.n() < 3)
        PrintLines(cli, {std::string(kMsgTooFewForAnalysis)});
    else if (analysis)
        PrintInfoLines(cli, CircleAnalysisReport(*analysis, notation, now));
}

} // namespace

void AddCircles(CliApp& cli)
{
    auto input = std::make_shared<SheetInput>();
    CLI::App* sub = cli.add(
        "circles",
        "Stats 3D > best great circle and best small circle on the selected rows, and Other 3D "
        "stats > best circle distribution analysis (the chi2 map of the small circles about the "
        "best one), as the canvas panels report them.",
        "  n (count),\n"
        "  great_circle {pole {trend, plunge}, eigenvalues [3], cone95, cone99 (degrees; null\n"
        "    when the cone could not be computed)},\n"
        "  small_circle {axis {trend, plunge}, aperture, passes, great_circle, part} (null when\n"
        "    the fit fails),\n"
        "  analysis {best_axis, best_aperture, ki2, ki2_max, great_axis, great_ki2, matrix_pole,\n"
        "    matrix_ki2, range {trend_from, trend_to, plunge_from, plunge_to}, levels [7]}\n"
        "    (ki2 values are chi2 sums divided by n; null with fewer than 3 values or a failed fit)",
        [&cli, input] { runCircles(cli, *input); });
    AddSheetInput(*sub, *input);
}

} // namespace ploq
