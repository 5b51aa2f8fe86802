#include "cli/CliApp.h"

#include "canvas/DessinToFile.h"
#include "datasheet/Fichier.h"
#include "datasheet/SheetEntry.h"
#include "model/Trigo.h"
#include "model/TypesGlob.h"
#include "platform/QtSurface.h"
#include "platform/Text1252.h"
#include "transform/UseSymb.h"

#include "cli/CliPrompts.h"
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace ploq {

CLI::App* CliApp::add(const std::string& name, const std::string& description,
                      const std::string& jsonKeys, std::function<void()> action)
{
    CLI::App* sub = root.add_subcommand(name, description);
    if (!jsonKeys.empty())
        sub->footer("--json keys:\n" + jsonKeys);
    actions_[sub] = std::move(action);
    return sub;
}

std::function<void()> CliApp::chosenAction() const
{
    for (const CLI::App* sub : root.get_subcommands())
        if (const auto found = actions_.find(sub); found != actions_.end())
            return found->second;
    return {};
}

namespace {

const std::map<std::string, KeyField> kKeyFields = {{"nature", KeyField::Nature},
                                                    {"location", KeyField::Location},
                                                    {"number", KeyField::Number},
                                                    {"comment", KeyField::Comment}};

// "FROM-TO" as two line numbers from 1.
std::pair<int, int> lineRange(const std::string& text)
{
    int from = 0;
    int to = 0;
    char dash = 0;
    std::istringstream in(text);
    if (!(in >> from >> dash >> to) || dash != '-' || !in.eof() || from < 1 || to < from)
        throw CLI::ValidationError("--lines", "expects FROM-TO, 1 <= FROM <= TO: " + text);
    return {from, to};
}

} // namespace

void AddFileInput(CLI::App& sub, SheetInput& input)
{
    sub.add_option("FILE", input.file, "the data sheet (.plq); - reads it from standard input")
        ->required();
    sub.add_flag("--json", input.json, "a JSON object instead of the report text");
}

void AddSheetInput(CLI::App& sub, SheetInput& input)
{
    AddFileInput(sub, input);
    sub.add_option("--key", input.key,
                   "rows whose code matches the key (F, F*, *A ...), as the plotting dialog");
    sub.add_option("--field", input.field, "the code field the key is matched against")
        ->check(CLI::IsMember({"nature", "location", "number", "comment"}));
    sub.add_flag("--identity", input.identity, "the key matches only the whole code");
    sub.add_option("--lines", input.lines, "only the rows FROM-TO")
        ->check([](const std::string& text) {
            lineRange(text);
            return std::string();
        });
}

LoadedSheet ReadSheet(const CliApp& cli, const std::string& file)
{
    LoadedSheet loaded{NewDataSheet(cli.settings), file, {}};
    FileOutcome outcome;
    if (file == "-") {
        std::ostringstream bytes;
        bytes << std::cin.rdbuf();
        std::istringstream in(bytes.str());
        outcome = LoadSheetStream(in, loaded.sheet);
        loaded.title = "standard input";
    } else {
        outcome = LoadSheetFile(file, loaded.sheet);
        loaded.title = Utf8ToCp1252(std::filesystem::path(file).filename().string());
    }
    if (!outcome.ok)
        throw CliFailure(file + ": " + Cp1252ToUtf8(outcome.error.message));
    for (const FileProblem& remark : outcome.warnings)
        std::cerr << "ploq-cli: " << file << ": " << Cp1252ToUtf8(remark.message)
                  << (remark.rows.empty() ? "" : " (rows " + RowListText(remark.rows) + ")")
                  << '\n';
    return loaded;
}

PlotRequest RequestFor(const SheetInput& input, const LoadedSheet& loaded)
{
    PlotRequest request;
    request.field = kKeyFields.at(input.field);
    request.typedKey = Utf8ToCp1252(input.key);
    request.identity = input.identity;
    request.line1 = 1;
    request.line2 = loaded.sheet.rowCount();
    if (!input.lines.empty())
        std::tie(request.line1, request.line2) = lineRange(input.lines);
    request.sheetTitle = loaded.title;
    return request;
}

std::vector<int> SelectedRows(const SheetInput& input, const LoadedSheet& loaded)
{
    const PlotRequest request = RequestFor(input, loaded);
    const std::string key = PlotKey(request.typedKey, request.identity);
    std::vector<int> rows;
    if (loaded.sheet.isEmpty())
        return rows;
    const int last = std::min(request.line2, loaded.sheet.rowCount());
    for (int row = request.line1; row <= last; ++row)
        if (RowMatches(loaded.sheet, row, request.field, key))
            rows.push_back(row);
    return rows;
}

std::string RowText(const DataSheet& sheet, int row)
{
    std::string text = sheet.cell(row, 0);
    for (int column = 1; column < kColumnCount; ++column)
        text += '\t' + sheet.cell(row, column);
    return text;
}

nlohmann::json RowJson(const DataSheet& sheet, int row)
{
    nlohmann::json j = {{"row", row},
                        {"value", TextJson(sheet.field(row, Field::Value))},
                        {"nature", TextJson(sheet.field(row, Field::Nature))},
                        {"number", TextJson(sheet.field(row, Field::Number))},
                        {"location", TextJson(sheet.field(row, Field::Location))},
                        {"comment", TextJson(sheet.field(row, Field::Comment))}};
    if (const std::optional<Direction> d = RowDirection(sheet, row)) {
        if (IsPlane(sheet.natureLetter(row)))
            j["plane"] = PlaneJson(*d);
        else
            j["line"] = LineJson(*d);
    }
    return j;
}

std::unique_ptr<CanvasModel> PlottedCanvas(CliApp& cli, const SheetInput& input,
                                           const LoadedSheet& loaded, std::vector<InfoLine>* info,
                                           bool batch)
{
    auto canvas = std::make_unique<CanvasModel>(kWPOrdinary, cli.settings);
    QtImageFactory images(true);
    if (!canvas->SetRayon(std::max(cli.settings.Rc, kMinRadius), images))
        throw CliFailure("the canvas could not be made");
    CliPrompts prompts;
    const PlotRequest request = RequestFor(input, loaded);
    const PlotResult result = batch ? TraceFichierBatch(*canvas, loaded.sheet, request,
                                                        cli.settings, prompts, cli.clock.now(), {})
                                    : TraceFichier(*canvas, loaded.sheet, request, cli.settings,
                                                   prompts, cli.clock.now(), {});
    if (result.refused)
        throw CliFailure(batch ? cli.settings.NomFBatch + ": not a symbol batch file"
                               : "nothing plotted");
    if (info)
        *info = result.info;
    return canvas;
}

std::span<InfoVal> DisplayedRecords(CanvasModel& canvas)
{
    return CanvasRecords(canvas);
}

WorkingSet StatsSet(CliApp& cli, const SheetInput& input)
{
    const LoadedSheet loaded = ReadSheet(cli, input.file);
    const std::unique_ptr<CanvasModel> canvas = PlottedCanvas(cli, input, loaded);
    const std::span<const InfoVal> records = DisplayedRecords(*canvas);
    WorkingSet set = MakeWorkingSet(records, PresentPairs(records));
    if (set.setClass() == kSetEmpty)
        throw CliFailure(input.file + ": no measurement selected");
    if (set.setClass() == kSetMixed) {
        std::string warning = Cp1252ToUtf8(kMsgMixedSet);
        warning = warning.substr(0, warning.rfind('\r'));
        std::replace(warning.begin(), warning.end(), '\r', ' ');
        std::cerr << "ploq-cli: " << warning << '\n';
    }
    return set;
}

void SaveOrPrintSheet(CliApp& cli, DataSheet& sheet, const std::string& output, bool json,
                      nlohmann::json head)
{
    const int rows = sheet.isEmpty() ? 0 : sheet.rowCount();
    if (!output.empty()) {
        const FileOutcome saved = SaveSheetAsFile(sheet, output, cli.clock);
        if (!saved.ok)
            throw CliFailure(output + ": " + Cp1252ToUtf8(saved.error.message));
    }
    if (json) {
        if (output.empty()) {
            head["rows"] = nlohmann::json::array();
            for (int row = 1; row <= rows; ++row)
                head["rows"].push_back(RowJson(sheet, row));
        } else {
            head["written"] = output;
        }
        PrintJson(cli, head);
        return;
    }
    if (!output.empty())
        return;
    std::vector<std::string> lines;
    for (int row = 1; row <= rows; ++row)
        lines.push_back(RowText(sheet, row));
    PrintLines(cli, lines);
}

void PrintLines(const CliApp& cli, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        cli.out << Cp1252ToUtf8(line) << '\n';
}

void PrintInfoLines(const CliApp& cli, const std::vector<InfoLine>& lines)
{
    for (const InfoLine& line : lines)
        cli.out << Cp1252ToUtf8(line.text) << '\n';
}

void PrintJson(const CliApp& cli, const nlohmann::json& object)
{
    cli.out << object.dump(2) << '\n';
}

double Degrees(double radians)
{
    return radians / kDegToRad;
}

nlohmann::json LineJson(const Direction& d)
{
    return {{"trend", Degrees(d.trend)}, {"plunge", Degrees(d.plunge)}};
}

nlohmann::json PlaneJson(const Direction& pole)
{
    const double dipDirection = std::fmod(Degrees(pole.trend) + 180, 360);
    return {{"dip_direction", dipDirection}, {"dip", 90 - Degrees(pole.plunge)}};
}

nlohmann::json TextJson(std::string_view cp1252)
{
    return Cp1252ToUtf8(cp1252);
}

std::string PicturePathProblem(const std::string& path)
{
    return PictureTypeOf(path) ? std::string()
                               : std::string("the picture must end in .svg, .pdf or .png");
}

CLI::Range RangeOf(int low, int high)
{
    return CLI::Range(low, high);
}

} // namespace ploq
