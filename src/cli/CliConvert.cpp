#include "datasheet/Fichier.h"
#include "datasheet/SheetEdit.h"
#include "datasheet/SheetEntry.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

struct ConvertOptions {
    SheetInput input;
    std::optional<int> planes;
    std::optional<int> lines;
    bool decimals = false;
    std::string output;
};

void runConvert(CliApp& cli, ConvertOptions& o)
{
    LoadedSheet loaded = ReadSheet(cli, o.input.file);
    DataSheet& sheet = loaded.sheet;
    ReNotate(sheet, {o.planes.value_or(sheet.lFrtS), o.lines.value_or(sheet.lFrtL)});
    if (sheet.lShowDeci != o.decimals)
        ToggleDecimals(sheet);
    const int rows = sheet.isEmpty() ? 0 : sheet.rowCount();
    SaveOrPrintSheet(cli, sheet, o.output, o.input.json,
                     {{"notation", {{"planes", sheet.lFrtS}, {"lines", sheet.lFrtL}}},
                      {"decimals", sheet.lShowDeci},
                      {"measurements", rows}});
}

} // namespace

void AddConvert(CliApp& cli)
{
    auto o = std::make_shared<ConvertOptions>();
    CLI::App* sub = cli.add(
        "convert",
        "Every value written again in another notation, as the sheet's notation menu does: the "
        "rows to standard output, or the sheet saved as a new .plq file with -o.\n"
        "Planes: 0 strike quadrant dip, 1 dip/dip direction, 2 dip direction/dip, 3 pole "
        "trend/plunge, 4 right-hand-rule strike/dip. Lines: 0 trend quadrant plunge, "
        "1 plunge/direction, 2 direction/plunge.",
        "  notation {planes, lines}, decimals (true/false), measurements (count),\n"
        "  rows (as info's) or, with -o, written (the file)",
        [&cli, o] { runConvert(cli, *o); });
    AddFileInput(*sub, o->input);
    sub->add_option("--notation", o->planes, "the notation of planes, 0..4")->check(RangeOf(0, 4));
    sub->add_option("--line-notation", o->lines, "the notation of lines, 0..2")
        ->check(RangeOf(0, 2));
    sub->add_flag("--deci", o->decimals, "values with one decimal");
    sub->add_option("-o,--output", o->output, "the .plq file to write (saved safely)");
}

} // namespace ploq
