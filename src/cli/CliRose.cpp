#include "model/TypesGlob.h"
#include "platform/Text1252.h"

#include "cli/CliStats2D.h"
#include <iostream>

namespace ploq {

namespace {

struct RoseOptions {
    Stats2DInput values;
    std::string diagram = "rose";
    std::optional<int> width;
    std::optional<int> shift;
    bool smoothed = false;
    bool mean = false;
    bool median = false;
};

int diagramOf(const std::string& name)
{
    if (name == "circular")
        return kDiagramCircular;
    return name == "linear" ? kDiagramLinear : kDiagramRose;
}

// The choice the Stats 2D dialog would hand over; the width lowered to divide the range, as
// the dialog lowers it, and a shift refused as it refuses it.
Stats2DChoice choiceOf(const CliApp& cli, const RoseOptions& o)
{
    const VarGlob& s = cli.settings;
    Stats2DChoice c;
    c.type = diagramOf(o.diagram);
    c.natM = KindOf(cli, o.values);
    c.sBy = PlaneAngleOf(cli, o.values);
    const WidthCheck width = CheckClassWidth(o.width.value_or(s.Stats2DWidth), c.natM);
    if (!width.message.empty())
        std::cerr << "ploq-cli: " << Cp1252ToUtf8(width.message) << '\n';
    c.width = width.width;
    c.shift = o.shift.value_or(s.Stats2DShift);
    if (const std::optional<std::string> refused = CheckShift(c.shift, c.width))
        throw CliFailure(Cp1252ToUtf8(*refused));
    c.style = s.StyleStats2D;
    if (o.smoothed) {
        SetBit(c.style, kStats2DSmoothed, true);
        SetBit(c.style, kStats2DPlain, false);
    }
    if (o.mean)
        SetBit(c.style, kStats2DShowMean, true);
    if (o.median)
        SetBit(c.style, kStats2DShowMedian, true);
    c.colour = s.Couleur;
    return c;
}

nlohmann::json reportJson(const Stats2DChoice& c, const InfoStats2D& info)
{
    const bool smoothed = TestBit(c.style, kStats2DSmoothed);
    nlohmann::json j = {{"kind", KindName(c.natM)},
                        {"planes", PlaneAngleName(c.sBy)},
                        {"n", info.ntV},
                        {"class_width", info.wCl},
                        {"origin", info.oCl},
                        {"smoothed", smoothed},
                        {"max_count", info.nCM}};
    if (smoothed) {
        j["max_position"] = info.pCM;
    } else {
        const ClassSpan max = MaxClass(info);
        j["max_class"] = {{"from", max.from}, {"to", max.to}};
        j["classes"] = nlohmann::json::array();
        for (const ClassSpan& span : ClassSpans(info))
            j["classes"].push_back({{"from", span.from},
                                    {"to", span.to},
                                    {"count", info.vCl[static_cast<std::size_t>(span.entry)]}});
    }
    const bool linear = c.type == kDiagramLinear;
    if (linear || TestBit(c.style, kStats2DShowMean))
        j["mean"] = Degrees(info.moy);
    if (linear || TestBit(c.style, kStats2DShowMedian))
        j["median"] = Degrees(info.med);
    return j;
}

void runRose(CliApp& cli, const RoseOptions& o)
{
    const Stats2DChoice choice = choiceOf(cli, o);
    const std::vector<double> values = Stats2DValues(cli, o.values);
    const Stats2DReport report = ComputeStats2D(values, choice, cli.clock.now());
    if (o.values.input.json)
        PrintJson(cli, reportJson(choice, report.info));
    else
        PrintLines(cli, report.lines);
}

} // namespace

void AddRose(CliApp& cli)
{
    auto o = std::make_shared<RoseOptions>();
    CLI::App* sub = cli.add(
        "rose",
        "Stats 2D: the rose diagram, circular or linear histogram of one angle of the selected "
        "rows, as the diagram's panel reports it (the class counts, their maximum, the mean and "
        "median when asked).",
        "  kind, planes (texts), n, class_width, origin (degrees), smoothed (true/false),\n"
        "  max_count; plain: max_class {from, to}, classes [{from, to, count}] (degrees);\n"
        "  smoothed: max_position (degree); mean, median (degrees) when reported",
        [&cli, o] { runRose(cli, *o); });
    AddStats2DInput(*sub, o->values);
    sub->add_option("--diagram", o->diagram, "rose, circular (histogram) or linear (histogram)")
        ->check(CLI::IsMember({"rose", "circular", "linear"}));
    sub->add_option("--width", o->width, "the class width, degrees")->check(RangeOf(1, 90));
    sub->add_option("--shift", o->shift, "the origin shift of the classes, degrees")
        ->check(RangeOf(0, 89));
    sub->add_flag("--smoothed", o->smoothed, "smoothed counts, one per degree");
    sub->add_flag("--mean", o->mean, "report the average orientation");
    sub->add_flag("--median", o->median, "report the median position");
}

} // namespace ploq
