#include "datasheet/Texte.h"
#include "faults/Faults.h"
#include "platform/SafeFile.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

const std::map<std::string, FaultLayout> kLayouts = {{"stress", FaultLayout::StressThV},
                                                     {"tektonic", FaultLayout::Tektonic},
                                                     {"yamaji", FaultLayout::Yamaji}};

struct FaultsExportOptions {
    SheetInput input;
    std::string format;
    std::string output;
};

void runFaultsExport(CliApp& cli, const FaultsExportOptions& o)
{
    const LoadedSheet loaded = ReadSheet(cli, o.input.file);
    const std::vector<InfoVal> rows = SheetRecords(loaded.sheet);
    const PairCheck check = CheckSheetPairs(rows);
    if (!check.ok)
        throw CliFailure(o.input.file + ": " + Cp1252ToUtf8(check.message->text));
    const FaultLayout layout = kLayouts.at(o.format);
    const std::vector<std::string> lines =
        FaultExportLines(layout, rows, std::string_view(cli.settings.OptFltCodes).substr(0, 3));
    if (!o.output.empty()) {
        // The bytes the text window saves: plain text, each line ended by CR LF.
        TextDocument document;
        for (const std::string& line : lines)
            document.paragraphs.push_back(TextParagraph{{TextRun{line}}});
        if (!ReplaceFile(o.output, WritePlainText(document)))
            throw CliFailure("Error writing the file " + o.output);
    }
    if (o.input.json) {
        nlohmann::json j = {{"format", o.format},
                            {"title", TextJson(FaultExportTitle(layout, loaded.title))},
                            {"pairs", rows.size() / 2},
                            {"lines", nlohmann::json::array()}};
        for (const std::string& line : lines)
            j["lines"].push_back(TextJson(line));
        if (!o.output.empty())
            j["written"] = o.output;
        PrintJson(cli, j);
    } else if (o.output.empty()) {
        PrintLines(cli, lines);
    }
}

} // namespace

void AddFaultsExport(CliApp& cli)
{
    auto o = std::make_shared<FaultsExportOptions>();
    CLI::App* sub = cli.add(
        "faults-export",
        "Faults > Export faults datasheet: the fault/striae pairs of the sheet (checked as the "
        "menu checks them) as the text window shows them, in the layout of Stress ThV "
        "(\"Stress 331\"), Tektonic .cor (\"Tektonics VB\") or Yamaji .fdt. To standard output, "
        "or with -o to a file as the window saves it (Windows-1252, CR LF).",
        "  format, title [of the window], pairs, lines [the text's lines], written (the file, "
        "with -o)",
        [&cli, o] { runFaultsExport(cli, *o); });
    AddFileInput(*sub, o->input);
    sub->add_option("--format", o->format, "the layout: stress, tektonic or yamaji")
        ->required()
        ->check(CLI::IsMember({"stress", "tektonic", "yamaji"}));
    sub->add_option("-o,--output", o->output, "the text file to write (saved safely)");
}

} // namespace ploq
