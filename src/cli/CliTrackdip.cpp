#include "canvas/QtDessinToFile.h"
#include "datasheet/Fichier.h"
#include "platform/QtSurface.h"
#include "platform/Text1252.h"
#include "stats3d/TrackdipDraw.h"
#include "stats3d/UtilTrackDip.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

struct TrackdipOptions {
    SheetInput input;
    std::string picture;
    std::optional<int> radius;
    bool bare = false;
    std::string axes;
};

// The Trackdip canvas the menu command opens, at the settings' radius, saved as File > Save
// saves it.
void writePicture(const CliApp& cli, const TrackdipOptions& o, const TrackdipResult& result)
{
    CanvasModel canvas(kWPTrackdip, cli.settings);
    QtImageFactory images(true);
    if (!canvas.SetRayon(std::max(o.radius.value_or(cli.settings.Rc), kMinRadius), images))
        throw CliFailure("the canvas could not be made");
    KeepTrackdip(canvas, result);
    CanvasPainters painters = CanvasPainters::Registered();
    RegisterTrackdipDisplay(painters);
    if (const std::optional<std::string> refused =
            WriteCanvasPicture(canvas, cli.settings, canvas.lRc, !o.bare, o.picture,
                               *PictureTypeOf(o.picture), painters))
        throw CliFailure(Cp1252ToUtf8(*refused));
}

// The text of the canvas's panel, the two listing windows under their titles, then the main
// window's panel, parted by blank lines.
std::vector<std::string> reportLines(const CliApp& cli, const std::string& caption,
                                     const TrackdipResult& result)
{
    std::vector<std::string> lines;
    for (const InfoLine& line :
         TrackdipCanvasReport(caption, TrackdipParams::FromSettings(cli.settings), cli.clock.now()))
        lines.push_back(line.text);
    const auto window = [&](const std::string& title, const std::vector<std::string>& text) {
        lines.push_back(title);
        lines.insert(lines.end(), text.begin(), text.end());
        lines.emplace_back();
    };
    window(TrackdipTitle(caption), result.table);
    window(SegmentsTitle(caption), result.segments);
    lines.insert(lines.end(), result.panel.begin(), result.panel.end());
    return lines;
}

nlohmann::json recordJson(int number, const TiltRecord& r)
{
    return {{"record", number},
            {"pass", r.pass},
            {"window", r.h},
            {"depth", r.z2},
            {"upper_count", r.m1},
            {"upper", PlaneJson(r.mean1)},
            {"lower_count", r.m2},
            {"lower", PlaneJson(r.mean2)},
            {"angle", Degrees(r.angle)},
            {"axis", LineJson(r.axis)},
            {"rotation_azimuth", Degrees(r.azimuth)}};
}

nlohmann::json resultJson(const CliApp& cli, const TrackdipResult& result)
{
    const TrackdipParams params = TrackdipParams::FromSettings(cli.settings);
    const TrackdipScan& scan = result.scan;
    nlohmann::json j = {{"tilt_cut_off", Degrees(params.cutVal)},
                        {"axis_cut_off", Degrees(params.delta)},
                        {"depth_min", scan.zmin},
                        {"depth_max", scan.zmax},
                        {"first_window", scan.firstWindow},
                        {"last_window", scan.lastWindow},
                        {"passes", scan.passes()},
                        {"records", nlohmann::json::array()},
                        {"polygones", nlohmann::json::array()},
                        {"iterations", result.links.iterations},
                        {"links", result.links.links}};
    for (std::size_t k = 0; k < scan.records.size(); ++k)
        j["records"].push_back(recordJson(static_cast<int>(k) + 1, scan.records[k]));
    // The canvas's elements mark the record of largest angle of each polygone.
    const TrTD elements = TrackdipElements(result);
    auto element = elements.begin();
    for (const Polygone& p : result.links.polygones) {
        nlohmann::json polygone = {{"records", nlohmann::json::array()}, {"side", p.side}};
        for (; !element->isEnd(); ++element) {
            polygone["records"].push_back(element->ii);
            if (element->isMax)
                polygone["maximum"] = element->ii;
        }
        ++element;
        j["polygones"].push_back(polygone);
    }
    return j;
}

void runTrackdip(CliApp& cli, const TrackdipOptions& o)
{
    const LoadedSheet loaded = ReadSheet(cli, o.input.file);
    const TrackdipRowsRead read = ReadTrackdipRows(loaded.sheet);
    if (!read.error.empty())
        throw CliFailure(o.input.file + ": " + Cp1252ToUtf8(read.error));
    const VarGlob& s = cli.settings;
    const Notation notation{s.FrtS, s.FrtL};
    const TrackdipResult result = RunTrackdip(read.rows, TrackdipParams::FromSettings(s), notation);
    if (!o.picture.empty())
        writePicture(cli, o, result);
    if (!o.axes.empty()) {
        DataSheet axes = RotationAxesSheet(result, notation);
        const FileOutcome saved = SaveSheetAsFile(axes, o.axes, cli.clock);
        if (!saved.ok)
            throw CliFailure(o.axes + ": " + Cp1252ToUtf8(saved.error.message));
    }
    if (o.input.json)
        PrintJson(cli, resultJson(cli, result));
    else
        PrintLines(cli, reportLines(cli, loaded.title, result));
}

} // namespace

void AddTrackdip(CliApp& cli)
{
    auto o = std::make_shared<TrackdipOptions>();
    CLI::App* sub = cli.add(
        "trackdip",
        "Other 3D stats > Trackdip on the whole sheet (the depth in the location code, "
        "increasing down the sheet): the canvas's panel, the table of tilt records and the "
        "segments of the retained polygones under their windows' titles, then the main window's "
        "panel. The cut-offs are the settings'.",
        "  tilt_cut_off, axis_cut_off (degrees), depth_min, depth_max, first_window,\n"
        "  last_window (sheet units), passes (count), records [{record, pass, window, depth,\n"
        "  upper_count, upper {dip_direction, dip}, lower_count, lower {dip_direction, dip},\n"
        "  angle (degrees), axis {trend, plunge}, rotation_azimuth (degrees)}],\n"
        "  polygones [{records [record numbers], side (true/false), maximum (record number)}],\n"
        "  iterations, links (counts)",
        [&cli, o] { runTrackdip(cli, *o); });
    AddFileInput(*sub, o->input);
    sub->add_option("-o,--output", o->picture, "the canvas saved as a picture: .svg, .pdf or .png")
        ->check(PicturePathProblem);
    sub->add_option("--radius", o->radius, "the canvas's radius in screen pixels")
        ->check(RangeOf(kMinRadius, 2000));
    sub->add_flag("--bare", o->bare, "the picture without the printed frame");
    sub->add_option("--axes", o->axes,
                    "the sheet of rotation axes (one row per record of every polygone) saved "
                    "as a data sheet (.plq)");
}

} // namespace ploq
