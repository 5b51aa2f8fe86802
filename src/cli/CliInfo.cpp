#include "datasheet/Fichier.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

void runInfo(const CliApp& cli, const SheetInput& input)
{
    const LoadedSheet loaded = ReadSheet(cli, input.file);
    const DataSheet& sheet = loaded.sheet;
    const std::vector<int> rows = SelectedRows(input, loaded);
    if (input.json) {
        nlohmann::json j = {{"file", input.file},
                            {"created", LongDateTime(sheet.lCreated)},
                            {"modified", LongDateTime(sheet.lModified)},
                            {"measurements", sheet.isEmpty() ? 0 : sheet.rowCount()},
                            {"rows", nlohmann::json::array()}};
        for (const int row : rows)
            j["rows"].push_back(RowJson(sheet, row));
        PrintJson(cli, j);
        return;
    }
    std::vector<std::string> lines = FileInfoLines(input.file, sheet);
    lines.erase(lines.begin()); // the blank line that parts it from earlier ones in the window
    for (const int row : rows)
        lines.push_back(RowText(sheet, row));
    PrintLines(cli, lines);
}

} // namespace

void AddInfo(CliApp& cli)
{
    auto input = std::make_shared<SheetInput>();
    CLI::App* sub =
        cli.add("info",
                "The sheet's summary as the main window shows it after opening it, then "
                "the selected rows as the sheet shows them (its number and its cells in "
                "the sheet's column order, split by tabulations).",
                "  file, created, modified (texts), measurements (count),\n"
                "  rows: [{row, value, nature, number, location, comment,\n"
                "          line {trend, plunge} | plane {dip_direction, dip}}]",
                [&cli, input] { runInfo(cli, *input); });
    AddSheetInput(*sub, *input);
}

} // namespace ploq
