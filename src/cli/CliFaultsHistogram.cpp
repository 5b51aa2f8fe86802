#include "faults/FaultDisplays.h"
#include "faults/FaultDraw.h"
#include "platform/Text1252.h"
#include "stats2d/Stats2D.h"

#include "cli/CliFaults.h"

namespace ploq {

namespace {

const std::map<std::string, int> kAngles = {
    {"strike", kDiagramFaultStrikes}, {"dip", kDiagramFaultDips}, {"rake", kDiagramFaultRakes}};

struct FaultsHistogramOptions {
    FaultCanvasInput canvas;
    std::string angle;
};

nlohmann::json histogramJson(const std::string& angle, const FaultHistogram& h)
{
    const InfoStats2D& info = h.info;
    // Rakes run from -180 degrees, strikes and dips from 0.
    const double start = h.shape.type == kDiagramFaultRakes ? -180 : 0;
    nlohmann::json j = {{"angle", angle},
                        {"title", TextJson(h.shape.title)},
                        {"n", info.ntV},
                        {"unknown_senses", h.unknownSenses},
                        {"class_width", info.wCl},
                        {"max_count", info.nCM},
                        {"max_from", start + info.pCM},
                        {"values", h.values},
                        {"classes", nlohmann::json::array()}};
    for (int entry = 1; entry <= info.nCl; ++entry) {
        const double from = start + (entry - 1) * info.wCl;
        j["classes"].push_back({{"from", from},
                                {"to", from + info.wCl},
                                {"count", info.vCl[static_cast<std::size_t>(entry)]}});
    }
    return j;
}

void runFaultsHistogram(CliApp& cli, const FaultsHistogramOptions& o)
{
    const std::unique_ptr<CanvasModel> source = CheckedFaultCanvas(cli, o.canvas);
    const VarGlob& s = cli.settings;
    const FaultHistogram h = ComputeFaultHistogram(kAngles.at(o.angle), HeldRecords(*source),
                                                   s.Couleur, s.StyleStats2D, cli.clock.now());
    if (h.values.empty())
        throw CliFailure(o.canvas.input.file + ": " + Cp1252ToUtf8(kMsgNoValue));
    const std::unique_ptr<CanvasModel> diagram = CanvasLike(cli, kWPStats2D, *source);
    KeepFaultHistogram(*diagram, h);
    WriteFaultPicture(cli, o.canvas, *diagram);
    if (o.canvas.input.json)
        PrintJson(cli, histogramJson(o.angle, h));
    else
        PrintLines(cli, h.lines);
}

} // namespace

void AddFaultsHistogram(CliApp& cli)
{
    auto o = std::make_shared<FaultsHistogramOptions>();
    CLI::App* sub = cli.add(
        "faults-histogram",
        "Faults > Display > Fault strike, Fault dip or Striae rake histogram of the fault/striae "
        "pairs of the selected rows (checked as the menu checks a canvas): the class listing of "
        "the diagram window, under its title; with -o the diagram saved as a picture.",
        "  angle (strike, dip, rake), title, n (values counted), unknown_senses (rakes: pairs\n"
        "  not counted), class_width, max_count, max_from (degrees), values [degrees, in the\n"
        "  order of the pairs], classes [{from, to, count}] (degrees; rakes from -180)",
        [&cli, o] { runFaultsHistogram(cli, *o); });
    AddFaultCanvasInput(*sub, o->canvas);
    sub->add_option("--angle", o->angle,
                    "strike (of the faults), dip (of the faults) or rake "
                    "(of the striae)")
        ->required()
        ->check(CLI::IsMember({"strike", "dip", "rake"}));
}

} // namespace ploq
