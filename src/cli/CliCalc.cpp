#include "model/ValLine.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

struct CalcOptions {
    std::string data1;
    std::string data2;
    std::string kinds = "PL";
    std::optional<int> planes;
    std::optional<int> lines;
    std::optional<bool> decimals;
    bool json = false;
};

nlohmann::json resultJson(const ValLineResult& r)
{
    nlohmann::json j;
    switch (r.mode) {
    case ValLineMode::TwoPlanes:
        j = {{"mode", "two_planes"},
             {"planes", {PlaneJson(r.d1), PlaneJson(r.d2)}},
             {"intersection", LineJson(r.d3)},
             {"angle", Degrees(AngleBetween(r.d1, r.d2))}};
        break;
    case ValLineMode::TwoLines:
        j = {{"mode", "two_lines"},
             {"lines", {LineJson(r.d1), LineJson(r.d2)}},
             {"plane", PlaneJson(r.d3)},
             {"angle", Degrees(AngleBetween(r.d1, r.d2))}};
        break;
    case ValLineMode::PlaneAndLine:
        j = {{"mode", "plane_and_line"}, {"plane", PlaneJson(r.d1)}, {"line", LineJson(r.d2)}};
        break;
    case ValLineMode::PlaneAndTwoLines:
        j = {{"mode", "plane_and_two_lines"},
             {"plane", PlaneJson(r.d1)},
             {"lines", {LineJson(r.d2), LineJson(r.d3)}}};
        break;
    case ValLineMode::None: j = {{"mode", "none"}}; break;
    }
    j["report"] = nlohmann::json::array();
    for (const std::string& line : r.lines)
        if (!line.empty())
            j["report"].push_back(TextJson(line));
    return j;
}

void runCalc(CliApp& cli, const CalcOptions& o)
{
    const VarGlob& s = cli.settings;
    const ValLineQuery query{Utf8ToCp1252(o.data1),
                             Utf8ToCp1252(o.data2),
                             o.kinds[0] == 'P',
                             o.kinds[1] == 'P',
                             {o.planes.value_or(s.FrtS), o.lines.value_or(s.FrtL)},
                             o.decimals.value_or(s.ShowDeci)};
    const ValLineResult r = ComputeValLine(query);
    if (r.status == ValLineStatus::Refused)
        throw CliFailure(Cp1252ToUtf8(r.refusal.message));
    if (o.json)
        PrintJson(cli, resultJson(r));
    else
        PrintLines(cli, r.lines);
}

} // namespace

void AddCalc(CliApp& cli)
{
    auto o = std::make_shared<CalcOptions>();
    CLI::App* sub = cli.add(
        "calc",
        "The line-or-plane calculator on two values: two planes give their intersection and "
        "angle, two lines the plane through them, a plane and a line their angle or, for a line "
        "known in part (a trend, a pitch, a plunge), the line of the plane that fits it.",
        "  mode (two_planes, two_lines, plane_and_line, plane_and_two_lines, none),\n"
        "  planes / lines [2], plane {dip_direction, dip}, line / intersection {trend, plunge},\n"
        "  angle (degrees, two planes or two lines), report [the report's lines]",
        [&cli, o] { runCalc(cli, *o); });
    sub->add_option("DATA1", o->data1, "the first value, in the notation in force")->required();
    sub->add_option("DATA2", o->data2, "the second value")->required();
    sub->add_option("--kinds", o->kinds, "what the values are: P plane, L line (PL, PP, LL, LP)")
        ->check(CLI::IsMember({"PL", "PP", "LL", "LP"}));
    sub->add_option("--notation", o->planes, "the notation of planes, 0..4")->check(RangeOf(0, 4));
    sub->add_option("--line-notation", o->lines, "the notation of lines, 0..2")
        ->check(RangeOf(0, 2));
    sub->add_flag("--deci,!--no-deci", o->decimals, "results with one decimal, or as integers");
    sub->add_flag("--json", o->json, "a JSON object instead of the report text");
}

} // namespace ploq
