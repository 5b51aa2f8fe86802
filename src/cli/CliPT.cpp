#include "faults/DihedraDraw.h"
#include "faults/RightDihedra.h"

#include "cli/CliFaults.h"

namespace ploq {

namespace {

void runPT(CliApp& cli, const FaultCanvasInput& o)
{
    const std::unique_ptr<CanvasModel> source = CheckedFaultCanvas(cli, o);
    const std::span<const InfoVal> records = HeldRecords(*source);
    const PTAxes axes = ComputePTAxes(records, TestBit(source->lStyleCnvs, kStyleLowerHemisphere));
    const std::unique_ptr<CanvasModel> shown = CanvasLike(cli, kWPPTAxes, *source);
    KeepPTAxes(*shown, *source, axes);
    WriteFaultPicture(cli, o, *shown);
    const Notation notation{cli.settings.FrtS, cli.settings.FrtL};
    const auto text = [&](const Direction& d) {
        return DirToText(false, false, d.plunge, d.trend, notation);
    };
    if (!o.input.json) {
        std::vector<std::string> lines;
        for (const InfoLine& line : PTReport(axes, cli.clock.now()))
            lines.push_back(line.text);
        for (const std::string& line : DegenerateLines(records, axes.degenerate))
            lines.push_back(line);
        for (const PTAxis& a : axes.axes)
            lines.push_back(records[static_cast<std::size_t>(a.first - 1)].nu.str() + "  P " + text(a.p)
                            + "  T " + text(a.t));
        PrintLines(cli, lines);
        return;
    }
    nlohmann::json j = {{"pairs", axes.axes.size()}, {"axes", nlohmann::json::array()}};
    for (const PTAxis& a : axes.axes)
        j["axes"].push_back({{"record", a.first},
                             {"number", TextJson(records[static_cast<std::size_t>(a.first - 1)].nu.str())},
                             {"p", LineJson(a.p)},
                             {"t", LineJson(a.t)}});
    nlohmann::json skipped = nlohmann::json::array();
    for (const std::vector<int>* list : {&axes.unknown, &axes.degenerate})
        for (const int first : *list)
            skipped.push_back({{"record", first},
                               {"number", TextJson(records[static_cast<std::size_t>(first - 1)].nu.str())},
                               {"why", list == &axes.unknown ? "unknown sense" : "striae along the pole"}});
    j["skipped"] = skipped;
    PrintJson(cli, j);
}

} // namespace

void AddPT(CliApp& cli)
{
    auto o = std::make_shared<FaultCanvasInput>();
    CLI::App* sub = cli.add(
        "pt",
        "Faults > P-T axis on the fault/striae pairs of the selected rows (checked as the menu "
        "checks a canvas): the panel's heading and count, then the P and T axes of each pair; "
        "with -o the P-T canvas saved as a picture.",
        "  pairs, axes [{record (the fault's, from 1), number, p {trend, plunge}, t {trend,\n"
        "  plunge}}], skipped [{record, number, why}]",
        [&cli, o] { runPT(cli, *o); });
    AddFaultCanvasInput(*sub, *o);
}

} // namespace ploq
