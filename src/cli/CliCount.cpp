#include "model/TypesGlob.h"
#include "stats3d/Counting.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

struct CountOptions {
    SheetInput input;
    std::optional<int> crowns;
    bool multiples = false;
};

void runCount(CliApp& cli, const CountOptions& o)
{
    const WorkingSet set = StatsSet(cli, o.input);
    const CountingResult r = CountNodes(set.u, o.crowns.value_or(cli.settings.NbCr));
    if (!o.input.json) {
        const bool multiples = o.multiples || TestBit(cli.settings.OptS3Dadd, kS3DaddCountF);
        PrintInfoLines(cli, CountingReport(r, multiples, cli.clock.now()));
        return;
    }
    nlohmann::json j = {{"crowns", r.crowns},
                        {"counted", r.counted},
                        {"max", r.ma},
                        {"uniform_count", r.U},
                        {"nodes", nlohmann::json::array()}};
    for (int node = 0; node < static_cast<int>(r.counts.size()); ++node) {
        const int count = r.counts[static_cast<std::size_t>(node)];
        j["nodes"].push_back({{"node", node},
                              {"direction", LineJson(NodeDirection(node, r.crowns))},
                              {"count", count},
                              {"uniformity", r.uniformity(count)}});
    }
    PrintJson(cli, j);
}

} // namespace

void AddCount(CliApp& cli)
{
    auto o = std::make_shared<CountOptions>();
    CLI::App* sub = cli.add(
        "count",
        "Stats 3D > counting on the crown grid: the count of the selected measurements in the "
        "cone of every node, as the counting canvas's panel reports it.",
        "  crowns, counted, max (counts), uniform_count (the count of a node for an even spread),\n"
        "  nodes [{node, direction {trend, plunge}, count, uniformity (count / uniform_count)}]",
        [&cli, o] { runCount(cli, *o); });
    AddSheetInput(*sub, o->input);
    sub->add_option("--crowns", o->crowns, "the crowns of the grid (the setting's without)")
        ->check(RangeOf(kMinCrowns, kMaxCrowns));
    sub->add_flag(
        "--multiples", o->multiples,
        "the uniformity line as multiples of the even count (also when the setting says so)");
}

} // namespace ploq
