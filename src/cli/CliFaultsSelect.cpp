#include "datasheet/Fichier.h"
#include "faults/FaultDisplays.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"
#include <sstream>

namespace ploq {

namespace {

const std::map<std::string, UsualFault> kUsual = {{"normal", UsualFault::Normal},
                                                  {"strike-slip", UsualFault::StrikeSlip},
                                                  {"reverse", UsualFault::Reverse}};

struct FaultsSelectOptions {
    SheetInput input;
    std::string usual = "normal";
    std::string pitch;
    std::string dip;
    std::string output;
};

std::optional<int> boundOf(const std::string& text, const std::string& option)
{
    if (text.empty())
        return std::nullopt;
    int value = -1;
    std::istringstream in(text);
    if (!(in >> value) || !in.eof() || value < 0 || value > 90)
        throw CLI::ValidationError(option, "expects FROM-TO, degrees 0..90: " + text);
    return value;
}

// "FROM-TO" as the dialog's two fields: either may be left empty, FROM reading 0 and TO 90.
AngleRange rangeOf(const std::string& text, const std::string& option)
{
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos)
        throw CLI::ValidationError(option, "expects FROM-TO, degrees 0..90: " + text);
    return RangeOfFields(boundOf(text.substr(0, dash), option),
                         boundOf(text.substr(dash + 1), option));
}

CLI::Validator rangeCheck(const std::string& option)
{
    return CLI::Validator(
        [option](std::string& text) {
            rangeOf(text, option);
            return std::string();
        },
        "FROM-TO");
}

FaultRanges rangesOf(const FaultsSelectOptions& o)
{
    FaultRanges ranges = UsualRanges(kUsual.at(o.usual));
    if (!o.pitch.empty())
        ranges.pitch = rangeOf(o.pitch, "--pitch");
    if (!o.dip.empty())
        ranges.dip = rangeOf(o.dip, "--dip");
    return ranges;
}

nlohmann::json rangeJson(const AngleRange& range)
{
    const AngleRange ordered = Ordered(range);
    return {{"from", ordered.from}, {"to", ordered.to}};
}

nlohmann::json selectionJson(const FaultsSelectOptions& o, const FaultRanges& ranges,
                             std::span<const InfoVal> rows, const FaultSelection& selection)
{
    nlohmann::json j = {{"pitch", rangeJson(ranges.pitch)},
                        {"dip", rangeJson(ranges.dip)},
                        {"pairs", selection.pairs},
                        {"selected", selection.firstRows.size()},
                        {"faults", nlohmann::json::array()}};
    for (const int first : selection.firstRows) {
        const InfoVal& plane = rows[static_cast<std::size_t>(first - 1)];
        const FaultPair pair{first, &plane, &rows[static_cast<std::size_t>(first)]};
        j["faults"].push_back({{"row", first},
                               {"number", TextJson(plane.nu.str())},
                               {"dip", Degrees(FaultDip(plane))},
                               {"pitch", Degrees(StriaePitch(pair))}});
    }
    if (!o.output.empty())
        j["written"] = o.output;
    return j;
}

void runFaultsSelect(CliApp& cli, const FaultsSelectOptions& o)
{
    const LoadedSheet loaded = ReadSheet(cli, o.input.file);
    const std::vector<InfoVal> rows = SheetRecords(loaded.sheet);
    const PairCheck check = CheckSheetPairs(rows);
    if (!check.ok)
        throw CliFailure(o.input.file + ": " + Cp1252ToUtf8(check.message->text));
    const FaultRanges ranges = rangesOf(o);
    const FaultSelection selection = SelectFaults(rows, ranges);
    if (selection.firstRows.empty())
        throw CliFailure(o.input.file + ": " + Cp1252ToUtf8(kMsgNoFaultFitting));
    if (!o.output.empty()) {
        DataSheet selected = SelectedFaultsSheet(loaded.sheet, selection.firstRows);
        const FileOutcome saved = SaveSheetAsFile(selected, o.output, cli.clock);
        if (!saved.ok)
            throw CliFailure(o.output + ": " + Cp1252ToUtf8(saved.error.message));
    }
    if (o.input.json)
        PrintJson(cli, selectionJson(o, ranges, rows, selection));
    else
        PrintLines(cli, selection.lines);
}

} // namespace

void AddFaultsSelect(CliApp& cli)
{
    auto o = std::make_shared<FaultsSelectOptions>();
    CLI::App* sub = cli.add(
        "faults-select",
        "Faults > Select faults on dip and pitch: the fault/striae pairs of the sheet (checked "
        "as the menu checks it) whose striae pitch and fault dip lie in the ranges, bounds "
        "included; the ranges and the pairs kept, and with -o the new sheet of those pairs, "
        "renumbered, as the dialog opens it. Refused when no pair fits.",
        "  pitch {from, to}, dip {from, to} (degrees, in order), pairs (looked at), selected,\n"
        "  faults [{row (the fault's), number, dip, pitch (degrees)}], written (the file, with -o)",
        [&cli, o] { runFaultsSelect(cli, *o); });
    AddFileInput(*sub, o->input);
    sub->add_option("--usual", o->usual,
                    "the usual ranges of normal (pitch 70-90, dip 50-90; the default), "
                    "strike-slip (0-20, 50-90) or reverse (50-90, 0-40) faults")
        ->check(CLI::IsMember({"normal", "strike-slip", "reverse"}));
    sub->add_option("--pitch", o->pitch,
                    "the striae pitch range FROM-TO, degrees 0..90 (an empty FROM reads 0, an "
                    "empty TO 90)")
        ->check(rangeCheck("--pitch"));
    sub->add_option("--dip", o->dip, "the fault dip range FROM-TO, likewise")
        ->check(rangeCheck("--dip"));
    sub->add_option("-o,--output", o->output, "the data sheet (.plq) of the pairs kept");
}

} // namespace ploq
