#include "datasheet/DataU.h"
#include "platform/QtTextOrder.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

struct SortOptions {
    SheetInput input;
    std::string by = "nature";
    std::string output;
};

// The items of the Sort submenu.
const std::map<std::string, Field> kSortFields = {{"nature", Field::Nature},
                                                  {"numbers-as-strings", Field::Number},
                                                  {"location", Field::Location},
                                                  {"comment", Field::Comment}};

void runSort(CliApp& cli, SortOptions& o)
{
    LoadedSheet loaded = ReadSheet(cli, o.input.file);
    DataSheet& sheet = loaded.sheet;
    const QtTextOrder order;
    if (o.by == "numbers")
        SortByNumber(sheet, order);
    else
        SortSheet(sheet, kSortFields.at(o.by), order);
    SaveOrPrintSheet(cli, sheet, o.output, o.input.json,
                     {{"by", o.by}, {"measurements", sheet.isEmpty() ? 0 : sheet.rowCount()}});
}

} // namespace

void AddSort(CliApp& cli)
{
    auto o = std::make_shared<SortOptions>();
    CLI::App* sub = cli.add(
        "sort",
        "Datasheet utilities > Sort (forward): the rows ordered by a code, then by value, "
        "nature, number, location and comment, case ignored, in the order of the user's "
        "locale. \"numbers\" orders the number codes by the numbers they hold, "
        "\"numbers-as-strings\" as texts. The rows to standard output, or the sheet saved as a "
        ".plq file with -o.",
        "  by (the key), measurements (count), rows (as info's) or, with -o, written (the file)",
        [&cli, o] { runSort(cli, *o); });
    AddFileInput(*sub, o->input);
    sub->add_option("--by", o->by,
                    "the key: nature, numbers, numbers-as-strings, location or "
                    "comment (nature when not given)")
        ->check(CLI::IsMember({"nature", "numbers", "numbers-as-strings", "location", "comment"}));
    sub->add_option("-o,--output", o->output, "the .plq file to write (saved safely)");
}

} // namespace ploq
