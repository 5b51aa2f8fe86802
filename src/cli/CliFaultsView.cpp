#include "faults/FaultDisplays.h"
#include "faults/FaultDraw.h"

#include "cli/CliFaults.h"

namespace ploq {

namespace {

struct FaultsViewOptions {
    FaultCanvasInput canvas;
    std::string view;
};

// The source canvas is the first of the run.
constexpr int kSourceNumber = 1;

nlohmann::json pairJson(std::span<const InfoVal> records, const PairMovement& m)
{
    const InfoVal& plane = records[static_cast<std::size_t>(m.first - 1)];
    const InfoVal& striae = records[static_cast<std::size_t>(m.first)];
    const std::optional<double> rake = Rake(m.sense, m.a);
    return {{"record", m.first},
            {"number", TextJson(plane.nu.str())},
            {"sense", std::string(1, SenseLetter(m.sense))},
            {"fault", PlaneJson({plane.azi, plane.pen})},
            {"striae", LineJson({striae.azi, striae.pen})},
            {"a", Degrees(m.a)},
            {"rake", rake ? nlohmann::json(Degrees(*rake)) : nlohmann::json()},
            {"symbol", m.symbol},
            {"arrow", m.arrow}};
}

void runFaultsView(CliApp& cli, const FaultsViewOptions& o)
{
    const std::unique_ptr<CanvasModel> source = CheckedFaultCanvas(cli, o.canvas);
    const bool rakes = o.view == "rakes";
    const std::unique_ptr<CanvasModel> view =
        CanvasLike(cli, rakes ? kWPStriaeRakes : kWPHangingWall, *source);
    KeepFaultView(*view, *source);
    WriteFaultPicture(cli, o.canvas, *view);
    const std::span<const InfoVal> records = HeldRecords(*source);
    const std::vector<PairMovement> movements = PairMovements(records);
    const std::string title =
        rakes ? StriaeRakesTitle(kSourceNumber) : HangingWallTitle(kSourceNumber);
    if (!o.canvas.input.json) {
        std::vector<std::string> lines{title, FaultViewLabel(view->lNT)};
        for (const std::string& line : MovementLines(records, movements))
            lines.push_back(line);
        PrintLines(cli, lines);
        return;
    }
    nlohmann::json j = {{"view", o.view},
                        {"title", TextJson(title)},
                        {"pairs", movements.size()},
                        {"movements", nlohmann::json::array()}};
    for (const PairMovement& m : movements)
        j["movements"].push_back(pairJson(records, m));
    PrintJson(cli, j);
}

} // namespace

void AddFaultsView(CliApp& cli)
{
    auto o = std::make_shared<FaultsViewOptions>();
    CLI::App* sub = cli.add(
        "faults-view",
        "Faults > Display > Striae rakes or Hanging wall movement of the fault/striae pairs of "
        "the selected rows (checked as the menu checks a canvas): the view's title and count, "
        "then each pair's sense, angle a of the striae to the strike, rake, movement symbol and "
        "arrow (1 away from the centre, 0 towards it, -1 none); with -o the view saved as a "
        "picture.",
        "  view (rakes, hanging-wall), title, pairs, movements [{record (the fault's, from 1),\n"
        "  number, sense (N, R, D, S or .), fault {dip_direction, dip}, striae {trend, plunge},\n"
        "  a (degrees), rake (degrees, -180..180; null for an unknown sense), symbol, arrow}]",
        [&cli, o] { runFaultsView(cli, *o); });
    AddFaultCanvasInput(*sub, o->canvas);
    sub->add_option("--view", o->view, "rakes (movement symbols) or hanging-wall (arrows)")
        ->required()
        ->check(CLI::IsMember({"rakes", "hanging-wall"}));
}

} // namespace ploq
