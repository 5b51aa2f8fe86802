#include "platform/SafeFile.h"
#include "platform/Text1252.h"
#include "stats3d/Bootstrap.h"
#include "transform/UseSymb.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

struct BootstrapOptions {
    SheetInput input;
    std::optional<int> tossings;
    std::optional<std::uint64_t> seed;
    bool small = false;
    std::string vki;
};

nlohmann::json extremesJson(const BootstrapExtremes& e)
{
    return {{"trend", {Degrees(e.minTrend), Degrees(e.maxTrend)}},
            {"plunge", {Degrees(e.minPlunge), Degrees(e.maxPlunge)}},
            {"chi2", {e.minChi2, e.maxChi2}}};
}

void writeVki(const BootstrapOptions& o, const std::string& text)
{
    if (!o.vki.empty() && !ReplaceFile(o.vki, text))
        throw CliFailure(o.vki + ": " + Cp1252ToUtf8(kMsgVkiNotWritten));
}

nlohmann::json runJson(const BootstrapOptions& o, std::uint64_t seed, int n, int tossings)
{
    return {{"title",
             o.small ? "Error on small circle (bootstrap)" : "Error on great circle (bootstrap)"},
            {"n", n},
            {"tossings", tossings},
            {"seed", seed}};
}

void runGreatCircle(CliApp& cli, const BootstrapOptions& o, std::span<const Vec3> u, int tossings,
                    std::uint64_t seed)
{
    const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, tossings, seed);
    if (run.status == BootstrapStatus::NoMemory)
        throw CliFailure(Cp1252ToUtf8(kMsgNoMemoryGreatCircle));
    writeVki(o, VkiText(run));
    if (!o.input.json) {
        PrintInfoLines(
            cli, BootstrapReport(run, {cli.settings.FrtS, cli.settings.FrtL}, cli.clock.now()));
        return;
    }
    nlohmann::json j = runJson(o, seed, run.n, tossings);
    j["pole"] = LineJson({run.reference().x, run.reference().y});
    j["ki2"] = run.reference().z / run.n;
    j["cone95"] = Degrees(run.cone95);
    j["cone99"] = Degrees(run.cone99);
    j["extremes"] = extremesJson(run.extremes);
    j["least_chi2_pole"] = LineJson({run.records[static_cast<std::size_t>(run.bestRecord)].x,
                                     run.records[static_cast<std::size_t>(run.bestRecord)].y});
    PrintJson(cli, j);
}

nlohmann::json optionalDegrees(const std::optional<double>& radians)
{
    return radians ? nlohmann::json(Degrees(*radians)) : nlohmann::json();
}

void runSmallCircle(CliApp& cli, const BootstrapOptions& o, std::span<const Vec3> u, int tossings,
                    std::uint64_t seed, bool lowerHemisphere)
{
    const SmallCircleBootstrap run = BootstrapSmallCircleOf(u, tossings, seed, lowerHemisphere);
    if (run.status == BootstrapStatus::NoMemory)
        throw CliFailure(Cp1252ToUtf8(kMsgNoMemorySmallCircle));
    if (run.status == BootstrapStatus::ReferenceFailed)
        throw CliFailure(o.input.file + ": " + Cp1252ToUtf8(kMsgSmallCircleFailed));
    if (run.valid > 0)
        writeVki(o, VkiText(run));
    if (!o.input.json) {
        PrintInfoLines(
            cli, BootstrapReport(run, {cli.settings.FrtS, cli.settings.FrtL}, cli.clock.now()));
        return;
    }
    nlohmann::json j = runJson(o, seed, run.n, tossings);
    j["axis"] = LineJson(run.fit.axis);
    j["aperture"] = Degrees(run.fit.aperture);
    j["ki2"] = run.reference().z / run.n;
    j["valid"] = run.valid;
    j["failures"] = tossings - run.valid;
    if (run.valid > 0) {
        j["cone95"] = Degrees(run.cone95);
        j["cone99"] = Degrees(run.cone99);
        j["extremes"] = extremesJson(run.extremes);
        j["small_apertures"] = run.smallApertures;
        j["aperture_interval95"] = optionalDegrees(run.interval95);
        j["aperture_interval99"] = optionalDegrees(run.interval99);
    }
    PrintJson(cli, j);
}

void runBootstrap(CliApp& cli, const BootstrapOptions& o)
{
    const LoadedSheet loaded = ReadSheet(cli, o.input.file);
    const std::unique_ptr<CanvasModel> canvas = PlottedCanvas(cli, o.input, loaded);
    const std::span<const InfoVal> records = DisplayedRecords(*canvas);
    const std::vector<Vec3> u = MakeWorkingSet(records, PresentPairs(records)).u;
    if (u.size() < 3)
        throw CliFailure(o.input.file + ": " + Cp1252ToUtf8(kMsgBootstrapTooFew));
    const int tossings = o.tossings.value_or(cli.settings.NbTirBS);
    const std::uint64_t seed = o.seed.value_or(SeedFromClock(cli.clock.now()));
    if (o.small)
        runSmallCircle(cli, o, u, tossings, seed, canvas->net().lowerHemisphere);
    else
        runGreatCircle(cli, o, u, tossings, seed);
}

} // namespace

void AddBootstrap(CliApp& cli)
{
    auto o = std::make_shared<BootstrapOptions>();
    CLI::App* sub = cli.add(
        "bootstrap",
        "Other 3D stats > Error on great circle (bootstrap), or with --small Error on small "
        "circle (bootstrap), on the selected rows: the reference fit, the confidence cones of "
        "its axis from the resampled fits (and the aperture's intervals), as the result "
        "canvas's panel reports them. The same seed gives the same result.",
        "  title, n, tossings, seed (counts),\n"
        "  great circle: pole {trend, plunge}, ki2, cone95, cone99 (degrees),\n"
        "  extremes {trend, plunge [min, max] (degrees), chi2 [min, max]},\n"
        "  least_chi2_pole {trend, plunge};\n"
        "  small circle: axis {trend, plunge}, aperture (degrees), ki2, valid, failures (counts)\n"
        "  and, when some fit succeeded, cone95, cone99, extremes, small_apertures (count),\n"
        "  aperture_interval95, aperture_interval99 (degrees; null without an aperture below 90)",
        [&cli, o] { runBootstrap(cli, *o); });
    AddSheetInput(*sub, o->input);
    sub->add_option("--tossings", o->tossings,
                    "the number of resampled sets (default: the settings' number of tossings)")
        ->check(RangeOf(1, 4000));
    sub->add_option("--seed", o->seed, "the seed of the generator (default: from the clock)");
    sub->add_flag("--small", o->small, "the best small circle instead of the great circle");
    sub->add_option("--vki", o->vki,
                    "the resampled fits written to this file, laid out as VKi.txt");
}

} // namespace ploq
