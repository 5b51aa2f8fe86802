#include "cli/CliContour.h"

#include "canvas/QtDessinToFile.h"
#include "platform/QtSurface.h"
#include "platform/Text1252.h"
#include "stats3d/ContourLevels.h"
#include "stats3d/Contours.h"

#include "cli/CliApp.h"
#include <sstream>

namespace ploq {

namespace {

struct ContourOptions {
    SheetInput input;
    std::optional<int> step;
    std::optional<double> cone;
    std::string isovalues; // "raw" or "uniformity"; the settings' without
    std::string drawing;   // "segments", "polygons", "bezier"
    std::string display;   // "lines" or "filled"
    std::string lines;     // "filling" or "black"
    bool grey = false;
    std::string levels; // "1,2,4"
    std::string picture;
    std::optional<int> radius;
    bool bare = false;
};

std::string conePrompt(const std::string& text)
{
    return ReadCone(text) ? std::string() : std::string(kMsgBadCone);
}

// The dialog's values as it opens from the settings, then the options given on the line.
ContourDialogState stateOf(const CliApp& cli, const ContourOptions& o)
{
    ContourDialogState s = OpeningState(cli.settings.StyleCont, cli.settings.TcoCont);
    if (o.step)
        s.pas = *o.step;
    if (o.cone)
        s.cone = *o.cone;
    if (!o.isovalues.empty())
        s.uniformity = o.isovalues == "uniformity";
    if (o.drawing == "segments")
        s.drawing = ContourDrawingChoice::Segments;
    else if (o.drawing == "polygons")
        s.drawing = ContourDrawingChoice::Polygons;
    else if (o.drawing == "bezier")
        s.drawing = ContourDrawingChoice::BezierCurves;
    if (!o.display.empty())
        s.filled = o.display == "filled";
    if (!o.lines.empty())
        s.blackLine = o.lines == "black";
    if (o.grey)
        SetGreyScale(s, true);
    return s;
}

void writePicture(const CliApp& cli, const ContourOptions& o, CanvasModel& canvas)
{
    CanvasPainters painters = CanvasPainters::Registered();
    RegisterContourDisplay(painters);
    if (const std::optional<std::string> refused =
            WriteCanvasPicture(canvas, cli.settings, canvas.lRc, !o.bare, o.picture,
                               *PictureTypeOf(o.picture), painters))
        throw CliFailure(Cp1252ToUtf8(*refused));
}

nlohmann::json resultJson(const ContourDialogState& s, const ParamContours& p)
{
    nlohmann::json j = {
        {"n", s.n},
        {"step", p.pas},
        {"cone", p.cone},
        {"isovalues", s.uniformity ? "uniformity" : "raw"},
        {"uniform_count", s.U},
        {"max", p.max},
        {"max_uniformity", s.uniformity ? nlohmann::json(p.max / s.U) : nlohmann::json()},
        {"mode", p.modeC},
        {"filled", p.filled},
        {"black_lines", p.blackLine},
        {"levels", nlohmann::json::array()}};
    for (int i = 0; i < p.nz; ++i) {
        const Contour& c = p.tz[static_cast<std::size_t>(i)];
        j["levels"].push_back({{"z", c.z}, {"count", LevelCount(c.z, p)}, {"colour", c.cz}});
    }
    return j;
}

void runContour(CliApp& cli, const ContourOptions& o)
{
    const WorkingSet chosen = StatsSet(cli, o.input);
    std::vector<Direction> set;
    for (const Vec3& u : chosen.u)
        set.push_back(VecToDir(u));
    CanvasModel canvas(kWPContouring, cli.settings);
    QtImageFactory images(true);
    if (!canvas.SetRayon(std::max(o.radius.value_or(cli.settings.Rc), kMinRadius), images))
        throw CliFailure("the canvas could not be made");
    ContourDialogState s = stateOf(cli, o);
    Recount(s, set, canvas.net());
    if (o.levels.empty())
        DefaultLevels(s);
    else
        TypedContourLevels(s, o.levels);
    const std::optional<ParamContours> params = ContourParamsFor(s, set, canvas.net());
    if (!params)
        throw CliFailure(std::string(kMsgNoLevel));
    KeepContouring(canvas, set, *params);
    if (!o.picture.empty())
        writePicture(cli, o, canvas);
    if (o.input.json)
        PrintJson(cli, resultJson(s, *params));
    else
        PrintInfoLines(cli, ContourReport(*params, cli.clock.now()));
}

} // namespace

// "--levels 1,2.5,4": each refused as the dialog's "add" refuses it, coloured as "default
// parameters" colours its levels.
void TypedContourLevels(ContourDialogState& s, const std::string& text)
{
    s.levels = ContourLevelList{};
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        const std::optional<double> z = ReadLevel(item);
        if (!z)
            throw CliFailure("--levels " + item + ": " + std::string(kMsgBadLevel));
        switch (s.levels.add(*z, clWhite)) {
        case LevelEdit::Full: throw CliFailure(std::string(kMsgTooManyContours));
        case LevelEdit::Duplicate:
            throw CliFailure("--levels " + item + ": " + std::string(kMsgSameLevel));
        default: break;
        }
    }
    if (s.greyScale)
        s.levels.recolourGrey();
    else
        s.levels.recolourStandard(s.tcoCont);
}

void AddContour(CliApp& cli)
{
    auto o = std::make_shared<ContourOptions>();
    CLI::App* sub = cli.add(
        "contour",
        "Stats 3D > Contouring of the selected measurements: the counting at the grid step and "
        "cone, the doubling levels of \"default parameters\" (or those given), the contour "
        "canvas as a picture and the text of its panel. Options not given are the settings' "
        "(StyleCont).",
        "  n (measurements), step, cone (degrees), isovalues (raw/uniformity), uniform_count\n"
        "  (U, the count of a node for an even spread), max (largest node count),\n"
        "  max_uniformity (max / U, or null), mode (0 segments, 1 polygons, 2 Bezier), filled,\n"
        "  black_lines, levels [{z, count (the count it is drawn at), colour (0xBBGGRR)}]",
        [&cli, o] { runContour(cli, *o); });
    AddSheetInput(*sub, o->input);
    sub->add_option("--step", o->step, "the grid step in degrees, 5 to 30")->check(RangeOf(5, 30));
    sub->add_option("--cone", o->cone, "the cone half-aperture in degrees, above 0, below 90")
        ->check(conePrompt);
    sub->add_option("--isovalues", o->isovalues, "levels as raw counts or multiples of U")
        ->check(CLI::IsMember({"raw", "uniformity"}));
    sub->add_option("--drawing", o->drawing, "the contour lines' drawing")
        ->check(CLI::IsMember({"segments", "polygons", "bezier"}));
    sub->add_option("--display", o->display, "contour lines only, or filled")
        ->check(CLI::IsMember({"lines", "filled"}));
    sub->add_option("--contour-lines", o->lines, "chained lines in the level's colour or black")
        ->check(CLI::IsMember({"filling", "black"}));
    sub->add_flag("--grey", o->grey, "the levels in grey scale");
    sub->add_option("--levels", o->levels, "the levels, comma separated, at most 10");
    sub->add_option("-o,--output", o->picture, "the canvas saved as a picture: .svg, .pdf or .png")
        ->check(PicturePathProblem);
    sub->add_option("--radius", o->radius, "the canvas's radius in screen pixels")
        ->check(RangeOf(kMinRadius, 2000));
    sub->add_flag("--bare", o->bare, "the picture without the printed frame");
}

} // namespace ploq
