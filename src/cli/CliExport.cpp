#include "datasheet/ImportExport.h"
#include "platform/SafeFile.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"
#include <sstream>

namespace ploq {

namespace {

struct ExportOptions {
    SheetInput input;
    std::string output;
};

void runExport(CliApp& cli, const ExportOptions& o)
{
    const LoadedSheet loaded = ReadSheet(cli, o.input.file);
    const ExportOutcome exported = ExportSheetLines(loaded.sheet, loaded.title);
    if (!exported.ok)
        throw CliFailure(o.input.file + ": " + Cp1252ToUtf8(exported.message.text));
    if (!o.output.empty()) {
        std::ostringstream bytes;
        WriteSheetText(bytes, exported.lines);
        if (!ReplaceFile(o.output, bytes.str()))
            throw CliFailure("Error writing the file " + o.output);
    }
    if (o.input.json) {
        nlohmann::json j = {{"lines", nlohmann::json::array()}};
        for (const std::string& line : exported.lines)
            j["lines"].push_back(TextJson(line));
        if (!o.output.empty())
            j["written"] = o.output;
        PrintJson(cli, j);
    } else if (o.output.empty()) {
        PrintLines(cli, exported.lines);
    }
}

} // namespace

void AddExport(CliApp& cli)
{
    auto o = std::make_shared<ExportOptions>();
    CLI::App* sub = cli.add(
        "export",
        "File > Export: the sheet as aligned text (four header lines, then a line per row: "
        "nature, value, number, location and comment split by tabulations), which import reads "
        "back. To standard output, or with -o to a file in the program's own bytes "
        "(Windows-1252, CR LF).",
        "  lines [the text's lines], written (the file, with -o)",
        [&cli, o] { runExport(cli, *o); });
    AddFileInput(*sub, o->input);
    sub->add_option("-o,--output", o->output, "the text file to write (saved safely)");
}

} // namespace ploq
