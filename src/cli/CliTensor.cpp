#include "stats3d/Eigen.h"
#include "stats3d/Stats3D.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

const char* setName(int setClass)
{
    switch (setClass) {
    case kSetLines: return "lines";
    case kSetPlanes: return "planes";
    default: return "mixed";
    }
}

nlohmann::json coneJson(double cone)
{
    return ConeUsable(cone) ? nlohmann::json(Degrees(cone)) : nlohmann::json();
}

void runTensor(CliApp& cli, const SheetInput& input)
{
    const WorkingSet set = StatsSet(cli, input);
    const BestPoleResult r = BestPoleOf(set.u, set.setClass());
    const Notation notation{cli.settings.FrtS, cli.settings.FrtL};
    if (!input.json) {
        PrintInfoLines(cli, BestPoleReport(r, notation, cli.clock.now()));
        return;
    }
    nlohmann::json j = {{"title", BestPoleTitle(r.setClass)},
                        {"set", setName(r.setClass)},
                        {"n", r.n},
                        {"eigenvalues", r.lambda},
                        {"eigenvectors", nlohmann::json::array()},
                        {"cone95", coneJson(r.cones.cone95)},
                        {"cone99", coneJson(r.cones.cone99)}};
    for (const Direction& axis : r.axes)
        j["eigenvectors"].push_back(LineJson(axis));
    if (r.setClass == kSetPlanes)
        j["plane"] = PlaneJson(r.direction());
    else
        j["axis"] = LineJson(r.direction());
    PrintJson(cli, j);
}

} // namespace

void AddTensor(CliApp& cli)
{
    auto input = std::make_shared<SheetInput>();
    CLI::App* sub =
        cli.add("tensor",
                "Stats 3D > best pole on the selected rows: the orientation tensor's eigenvalues "
                "and axes, the best axis or plane and its confidence cones, as the canvas panel "
                "reports them once the result is kept.",
                "  title, set (lines, planes, mixed), n (count),\n"
                "  eigenvalues [3, normalized, decreasing], eigenvectors [3 x {trend, plunge}],\n"
                "  axis {trend, plunge} (lines, mixed) | plane {dip_direction, dip} (planes),\n"
                "  cone95, cone99 (degrees; null when the cone could not be computed)",
                [&cli, input] { runTensor(cli, *input); });
    AddSheetInput(*sub, *input);
}

} // namespace ploq
