#include "datasheet/DataU.h"
#include "datasheet/SheetEntry.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"
#include <iostream>

namespace ploq {

namespace {

struct MergeOptions {
    std::vector<std::string> files;
    std::string output;
    bool json = false;
};

void runMerge(CliApp& cli, const MergeOptions& o)
{
    std::vector<LoadedSheet> loaded;
    for (const std::string& file : o.files)
        loaded.push_back(ReadSheet(cli, file));
    std::vector<TitledSheet> open;
    for (const LoadedSheet& sheet : loaded)
        open.push_back({&sheet.sheet, sheet.title});
    const MergePlan plan = PlanMerge(open);
    if (plan.refusal)
        throw CliFailure(Cp1252ToUtf8(plan.refusal->text));
    // Asking for the merge on the command line answers the window's questions.
    MergeOutcome merged = MergeSheets(plan, NewDataSheet(cli.settings));
    if (merged.full)
        std::cerr << "ploq-cli: " << Cp1252ToUtf8(merged.full->text) << '\n';
    DataSheet& sheet = merged.sheet;
    SaveOrPrintSheet(cli, sheet, o.output, o.json,
                     {{"merged", TextJson(plan.titles)},
                      {"sheets", plan.taken.size()},
                      {"measurements", sheet.isEmpty() ? 0 : sheet.rowCount()},
                      {"full", merged.full.has_value()}});
}

} // namespace

void AddMerge(CliApp& cli)
{
    auto o = std::make_shared<MergeOptions>();
    CLI::App* sub = cli.add(
        "merge",
        "Datasheet utilities > Merge file: the rows of every sheet that holds some, in the order "
        "given, one after the other in a new sheet (at most 5000 rows, the rest left out with "
        "a warning). The rows to standard output, or the sheet saved as a .plq file with -o.",
        "  merged (the titles), sheets (count), measurements (count), full (true when rows\n"
        "  were left out), rows (as info's) or, with -o, written (the file)",
        [&cli, o] { runMerge(cli, *o); });
    sub->add_option("FILES", o->files, "the data sheets (.plq), two with rows at least")
        ->required();
    sub->add_option("-o,--output", o->output, "the .plq file to write (saved safely)");
    sub->add_flag("--json", o->json, "a JSON object instead of the rows");
}

} // namespace ploq
