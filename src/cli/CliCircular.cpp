#include "cli/CliStats2D.h"

namespace ploq {

namespace {

nlohmann::json criticalJson(int value)
{
    return value >= 0 ? nlohmann::json(value) : nlohmann::json();
}

void runCircular(CliApp& cli, const Stats2DInput& input)
{
    const std::vector<double> values = Stats2DValues(cli, input);
    const int natM = KindOf(cli, input);
    const CircularPlotReport r =
        ComputeCircularPlot(values, natM, PlaneAngleOf(cli, input), cli.clock.now());
    if (!input.input.json) {
        PrintLines(cli, r.lines);
        return;
    }
    nlohmann::json test = {{"min", r.info.nMin},
                           {"max", r.info.ntV - r.info.nMin},
                           {"diameter", Degrees(r.diameter)},
                           {"available", r.verdict.available}};
    if (r.verdict.available) {
        test["critical95"] = criticalJson(r.verdict.c95);
        test["critical99"] = criticalJson(r.verdict.c99);
        test["reject95"] = r.verdict.reject95;
        test["reject99"] = r.verdict.reject99;
    }
    PrintJson(cli, {{"kind", KindName(natM)},
                    {"planes", PlaneAngleName(r.info.sBy)},
                    {"n", r.info.ntV},
                    {"mean", Degrees(r.info.moy)},
                    {"median", Degrees(r.info.med)},
                    {"hodges_ajne", test}});
}

} // namespace

void AddCircular(CliApp& cli)
{
    auto input = std::make_shared<Stats2DInput>();
    CLI::App* sub = cli.add(
        "circular",
        "Stats 2D > circular plot of one angle of the selected rows: mean, median and the "
        "Hodges-Ajne test of uniformity, as the plot's panel reports them.",
        "  kind, planes (texts), n, mean, median (degrees),\n"
        "  hodges_ajne {min, max (values on either side), diameter (degrees), available,\n"
        "               critical95, critical99 (counts, null for none), reject95, reject99}\n"
        "  (critical values only up to 50 values: available false beyond)",
        [&cli, input] { runCircular(cli, *input); });
    AddStats2DInput(*sub, *input);
}

} // namespace ploq
