#include "faults/DihedraDraw.h"
#include "faults/RightDihedra.h"
#include "model/UtilGlob.h"
#include "stats3d/Counting.h"
#include "stats3d/DihedraContours.h"

#include "cli/CliContour.h"
#include "cli/CliFaults.h"

namespace ploq {

namespace {

struct DihedraContourOptions {
    FaultCanvasInput canvas;
    std::optional<int> crowns;
    int curves = 10; // the dialog's opening "nb. of curves"
    std::optional<int> step;
    std::string levels; // "1.5,3"
    bool bezier = false;
    bool black = false;
};

std::string stepPrompt(const std::string& text)
{
    return ReadGridStep(text, 0) ? std::string() : std::string(kMsgBadGridStep);
}

std::string curvesPrompt(const std::string& text)
{
    return ReadCurveCount(text) ? std::string() : std::string(kMsgBadCurveCount);
}

// "default val." on the right dihedra's min and max, then what the line changes of it.
ContourDialogState stateOf(const CliApp& cli, const DihedraContourOptions& o,
                           const DihedraResult& r)
{
    ContourDialogState s;
    s.tcoCont = cli.settings.TcoCont;
    DihedraDefaultValues(s, r.mi, r.ma, o.curves);
    if (!o.levels.empty())
        TypedContourLevels(s, o.levels);
    if (o.step)
        s.pas = *o.step;
    s.bezierBox = o.bezier;
    s.blackLine = o.black;
    return s;
}

std::string levelsText(const ParamContours& p)
{
    std::string text = "   curves :";
    for (int i = 0; i < p.nz; ++i)
        text += " " + FormatFixed(p.tz[static_cast<std::size_t>(i)].z, 1) + "/";
    return text;
}

nlohmann::json resultJson(const DihedraResult& r, const ContourDialogState& s,
                          const ParamContours& p)
{
    nlohmann::json j = {{"crowns", r.crowns},
                        {"faults", r.faults()},
                        {"min", r.mi},
                        {"max", r.ma},
                        {"step", p.pas},
                        {"filled", p.filled},
                        {"black_lines", p.blackLine},
                        {"bezier", p.bezier},
                        {"levels", nlohmann::json::array()}};
    const TContour given = s.levels.toTContour();
    for (int i = 0; i < p.nz; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        j["levels"].push_back(
            {{"z", given[slot].z}, {"drawn_at", p.tz[slot].z}, {"colour", p.tz[slot].cz}});
    }
    return j;
}

void runDihedraContour(CliApp& cli, const DihedraContourOptions& o)
{
    const std::unique_ptr<CanvasModel> source = CheckedFaultCanvas(cli, o.canvas);
    const std::span<const InfoVal> records = HeldRecords(*source);
    const DihedraResult r = CalculateDihedra(records, o.crowns.value_or(cli.settings.NbCr),
                                             TestBit(source->lStyleCnvs, kStyleLowerHemisphere));
    const std::unique_ptr<CanvasModel> dihedra = CanvasLike(cli, kWPDihedra, *source);
    KeepDihedra(*dihedra, *source, r);
    const ContourDialogState s = stateOf(cli, o, r);
    const std::optional<ParamContours> params = DihedraParamsOf(s);
    if (!params)
        throw CliFailure(std::string(kMsgNoLevel));
    // The density the Faults menu gives the contouring, as the window plugs it.
    if (!RightDihedraDensity())
        FillRightDihedraDensity();
    const std::unique_ptr<CanvasModel> contours = CanvasLike(cli, kWPDihedraContours, *source);
    KeepDihedraContouring(*contours, *dihedra, *params);
    WriteFaultPicture(cli, o.canvas, *contours);
    if (o.canvas.input.json) {
        PrintJson(cli, resultJson(r, s, *params));
        return;
    }
    std::vector<std::string> lines{FaultCountLabel(r.faults()), DihedraMinLabel(r.mi),
                                   DihedraMaxLabel(r.ma)};
    for (const std::string& line : DegenerateLines(records, r.pairs.degenerate))
        lines.push_back(line);
    lines.push_back(levelsText(*params));
    PrintLines(cli, lines);
}

} // namespace

void AddDihedraContour(CliApp& cli)
{
    auto o = std::make_shared<DihedraContourOptions>();
    CLI::App* sub = cli.add(
        "dihedra-contour",
        "Faults > Right angle dihedra > Density contours (\"Contouring RAD\") on the right dihedra "
        "of the fault/striae pairs of the selected rows (checked as the menu checks a canvas): "
        "its min and max, the levels of \"default val.\" (or those given) and, with -o, the "
        "contour canvas as a picture, drawn with the right dihedra value of its pairs. Options "
        "not given are those of \"default val.\".",
        "  crowns, faults, min, max (the right dihedra's smallest and largest node values), step,\n"
        "  filled, black_lines, bezier, levels [{z, drawn_at (the value it is drawn at), colour\n"
        "  (0xBBGGRR)}]",
        [&cli, o] { runDihedraContour(cli, *o); });
    AddFaultCanvasInput(*sub, o->canvas);
    sub->add_option("--crowns", o->crowns, "the crowns of the grid (the setting's without)")
        ->check(RangeOf(kMinCrowns, kMaxCrowns));
    sub->add_option("--curves", o->curves,
                    "\"nb. of curves\" of the default levels: below 2 means 6, above 10 means 10")
        ->check(curvesPrompt);
    sub->add_option("--step", o->step, "the grid step in degrees")->check(stepPrompt);
    sub->add_option("--levels", o->levels, "the levels, comma separated, at most 10");
    sub->add_flag("--bezier", o->bezier, "\"Bezier smoothing\" of the contour lines");
    sub->add_flag("--black", o->black, "the contour lines in black");
}

} // namespace ploq
