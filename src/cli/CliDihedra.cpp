#include "faults/DihedraDraw.h"
#include "faults/RightDihedra.h"
#include "model/UtilGlob.h"
#include "stats3d/Counting.h"

#include "cli/CliFaults.h"

namespace ploq {

namespace {

struct DihedraOptions {
    FaultCanvasInput canvas;
    std::optional<int> crowns;
    std::optional<int> zero;
};

bool lowerHemisphere(const CanvasModel& m)
{
    return TestBit(m.lStyleCnvs, kStyleLowerHemisphere);
}

nlohmann::json nodesJson(const std::vector<int>& counts, int crowns)
{
    nlohmann::json nodes = nlohmann::json::array();
    for (int node = 0; node < static_cast<int>(counts.size()); ++node)
        nodes.push_back({{"node", node},
                         {"direction", LineJson(NodeDirection(node, crowns))},
                         {"count", counts[static_cast<std::size_t>(node)]}});
    return nodes;
}

nlohmann::json numbersJson(std::span<const InfoVal> records, std::span<const int> firsts)
{
    nlohmann::json out = nlohmann::json::array();
    for (const int first : firsts)
        out.push_back({{"record", first},
                       {"number", TextJson(records[static_cast<std::size_t>(first - 1)].nu.str())}});
    return out;
}

std::vector<std::string> nodeLines(const std::vector<int>& counts, int crowns,
                                   const Notation& notation)
{
    std::vector<std::string> lines;
    for (int node = 0; node < static_cast<int>(counts.size()); ++node)
        lines.push_back(NodePositionLine(node, crowns, counts[static_cast<std::size_t>(node)], notation));
    return lines;
}

void runDihedra(CliApp& cli, const DihedraOptions& o)
{
    const std::unique_ptr<CanvasModel> source = CheckedFaultCanvas(cli, o.canvas);
    const std::span<const InfoVal> records = HeldRecords(*source);
    const int crowns = o.crowns.value_or(cli.settings.NbCr);
    const DihedraResult r = CalculateDihedra(records, crowns, lowerHemisphere(*source));
    const Notation notation{cli.settings.FrtS, cli.settings.FrtL};
    std::unique_ptr<CanvasModel> shown = CanvasLike(cli, kWPDihedra, *source);
    KeepDihedra(*shown, *source, r);
    std::optional<NodeRemoval> removal;
    if (o.zero) {
        if (*o.zero >= NodeCount(crowns))
            throw CliFailure(sformat("--zero: the grid of %d crowns has nodes 0 to %d", crowns,
                                     NodeCount(crowns) - 1));
        removal = RemoveNode(records, r.counts, crowns, *o.zero, lowerHemisphere(*source), notation);
        if (r.counts[static_cast<std::size_t>(*o.zero)] != 0) {
            std::unique_ptr<CanvasModel> after = CanvasLike(cli, kWPDihedra, *source);
            KeepNodeRemoval(*after, *shown, *removal);
            shown = std::move(after);
        }
    }
    WriteFaultPicture(cli, o.canvas, *shown);
    const std::vector<std::string> degenerate = DegenerateLines(records, r.pairs.degenerate);
    if (!o.canvas.input.json) {
        std::vector<std::string> lines{FaultCountLabel(r.faults()),
                                       sformat("grid : %d crowns, %d nods, max %d, min %d", crowns,
                                               NodeCount(crowns), r.ma, r.mi)};
        lines.insert(lines.end(), degenerate.begin(), degenerate.end());
        for (const std::string& line : nodeLines(r.counts, crowns, notation))
            lines.push_back(line);
        if (removal) {
            const Direction at = NodeDirection(*o.zero, crowns);
            lines.push_back(sformat("nod set to zero :  %s ",
                                    DirToText(false, false, at.plunge, at.trend, notation).c_str()));
            if (r.counts[static_cast<std::size_t>(*o.zero)] != 0) {
                lines.push_back("Derelicted faults :");
                lines.insert(lines.end(), removal->lines.begin(), removal->lines.end());
                lines.push_back(FaultCountLabel(static_cast<int>(removal->kept.size())));
                for (const std::string& line : nodeLines(removal->counts, crowns, notation))
                    lines.push_back(line);
            }
        }
        PrintLines(cli, lines);
        return;
    }
    nlohmann::json j = {{"crowns", crowns},
                        {"faults", r.faults()},
                        {"max", r.ma},
                        {"min", r.mi},
                        {"unknown_sense", numbersJson(records, r.pairs.unknown)},
                        {"striae_along_pole", numbersJson(records, r.pairs.degenerate)},
                        {"nodes", nodesJson(r.counts, crowns)}};
    if (removal) {
        nlohmann::json derelicted = numbersJson(records, removal->removed);
        j["zero"] = {{"node", *o.zero},
                     {"removed", derelicted},
                     {"kept", removal->kept.size()},
                     {"max", removal->ma},
                     {"nodes", nodesJson(removal->counts, crowns)}};
    }
    PrintJson(cli, j);
}

} // namespace

void AddDihedra(CliApp& cli)
{
    auto o = std::make_shared<DihedraOptions>();
    CLI::App* sub = cli.add(
        "dihedra",
        "Faults > Right angle dihedra > Calculate on the fault/striae pairs of the selected rows "
        "(checked as the menu checks a canvas): the number of faults counted, then for every "
        "node of the crown grid the number of faults whose P dihedra holds it; with --zero "
        "\"Set a nod to zero\" on that node: the faults removed and the values left. With -o the "
        "canvas saved as a picture (after --zero, the new one).",
        "  crowns, faults, max, min, unknown_sense and striae_along_pole [{record, number}] (the\n"
        "  pairs skipped), nodes [{node, direction {trend, plunge}, count}]; with --zero also\n"
        "  zero {node, removed [{record, number}], kept (pairs), max, nodes [...]}",
        [&cli, o] { runDihedra(cli, *o); });
    AddFaultCanvasInput(*sub, o->canvas);
    sub->add_option("--crowns", o->crowns, "the crowns of the grid (the setting's without)")
        ->check(RangeOf(kMinCrowns, kMaxCrowns));
    sub->add_option("--zero", o->zero, "the node to set to zero")->check(RangeOf(0, 1950));
}

} // namespace ploq
