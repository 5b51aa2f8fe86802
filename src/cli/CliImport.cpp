#include "datasheet/Fichier.h"
#include "datasheet/ImportExport.h"
#include "datasheet/SheetEntry.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"
#include <iostream>

namespace ploq {

namespace {

struct ImportOptions {
    std::string file;
    bool raw = false;
    bool planes = false;
    std::optional<int> format;
    std::string separator;
    bool numberRows = false;
    std::string output;
    bool json = false;
};

char separatorOf(const std::string& name, char fallback)
{
    if (name == "tab")
        return '\t';
    if (name == "slash")
        return '/';
    return name == "dash" ? '-' : fallback;
}

ImportOutcome import(const CliApp& cli, const ImportOptions& o)
{
    const VarGlob& s = cli.settings;
    if (o.raw) {
        RawLayout layout = RawLayoutOf(s);
        layout.separator = separatorOf(o.separator, layout.separator);
        layout.format = o.format.value_or(layout.format);
        layout.planes = o.planes || layout.planes;
        layout.numberRows = o.numberRows || layout.numberRows;
        return ImportRawFile(o.file, layout, NewDataSheet(s));
    }
    PloqLayout layout = PloqLayoutOf(s);
    layout.separator = separatorOf(o.separator, layout.separator);
    layout.format = o.format.value_or(layout.format);
    return ImportPloqFile(o.file, layout, NewDataSheet(s));
}

void runImport(CliApp& cli, const ImportOptions& o)
{
    ImportOutcome outcome = import(cli, o);
    if (!outcome.ok) {
        std::string message = o.file;
        if (outcome.line > 0)
            message += ", line " + std::to_string(outcome.line);
        throw CliFailure(message + ": " + Cp1252ToUtf8(outcome.message.text));
    }
    if (!outcome.message.text.empty())
        std::cerr << "ploq-cli: " << o.file << ": " << Cp1252ToUtf8(outcome.message.text) << '\n';
    DataSheet& sheet = outcome.sheet;
    const int rows = sheet.isEmpty() ? 0 : sheet.rowCount();
    SaveOrPrintSheet(cli, sheet, o.output, o.json,
                     {{"title", TextJson(sheet.lTitle)}, {"measurements", rows}});
}

} // namespace

void AddImport(CliApp& cli)
{
    auto o = std::make_shared<ImportOptions>();
    CLI::App* sub = cli.add(
        "import",
        "File > Import: a text file of measurements made into a data sheet, \"Ploq data\" (the "
        "value and the codes in fields split by one separator, at the fields the settings give) "
        "or, with --raw, \"Raw data\" (orientations only). The rows to standard output, or the "
        "sheet saved as a .plq file with -o. Formats: 0 one quadrant text, 1 the quadrant text "
        "in three fields, 2..6 two numbers (as the import settings number them).",
        "  title, measurements (count), rows (as info's) or, with -o, written (the file)",
        [&cli, o] { runImport(cli, *o); });
    sub->add_option("FILE", o->file, "the text file")->required()->check(CLI::ExistingFile);
    sub->add_flag("--raw", o->raw, "raw data: orientations only");
    sub->add_flag("--planes", o->planes, "raw data: every line a plane (else a line)");
    sub->add_option("--format", o->format, "the format of the values, 0..6")
        ->check(RangeOf(0, kPlaneFormatCount - 1));
    sub->add_option("--separator", o->separator, "the separator: tab, slash or dash")
        ->check(CLI::IsMember({"tab", "slash", "dash"}));
    sub->add_flag("--number-rows", o->numberRows, "raw data: row k gets k as its number code");
    sub->add_option("-o,--output", o->output, "the .plq file to write (saved safely)");
    sub->add_flag("--json", o->json, "a JSON object instead of the rows");
}

} // namespace ploq
