#pragma once

// ploq-cli: the menu commands run from the shell on data sheets. Every subcommand is a thin
// layer over the core function its menu command calls, and prints the text its panel shows
// (or, with --json, the same quantities keyed by name), so the window and the shell cannot
// disagree.
//
// Exit status: 0 done; 1 a file that cannot be read or a value refused (kCliRefused, the
// message naming the file and, for a row, its line); 2 a usage error.

#include "app/VarGlob.h"
#include "canvas/Plot.h"
#include "canvas/UtilPlot.h"
#include "model/DataSheet.h"
#include "platform/Clock.h"
#include "stats3d/Stats3D.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

namespace ploq {

constexpr int kCliDone = 0;
constexpr int kCliRefused = 1;
constexpr int kCliUsage = 2;

// A refused run (exit status 1): the message is UTF-8, ready for standard error.
struct CliFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What every subcommand shares: the parser, the settings (the preference file's, when there
// is one), the clock of the reports' headings and the output stream.
struct CliApp {
    CliApp(CLI::App& root, VarGlob& settings, const Clock& clock, std::ostream& out)
        : root(root), settings(settings), clock(clock), out(out)
    {
    }

    CLI::App& root;
    VarGlob& settings;
    const Clock& clock;
    std::ostream& out;

    // A subcommand whose `action` runs once the whole line is parsed. `jsonKeys` documents
    // what its --json object holds; it ends the subcommand's --help.
    CLI::App* add(const std::string& name, const std::string& description,
                  const std::string& jsonKeys, std::function<void()> action);
    // The action of the subcommand given on the line, or none.
    std::function<void()> chosenAction() const;

private:
    std::map<const CLI::App*, std::function<void()>> actions_;
};

// Every subcommand of CliSubcommands.cpp added to the parser.
void AddSubcommands(CliApp& cli);

// The sheet to work on and the rows taken from it: the plotting dialog's selection.
struct SheetInput {
    std::string file; // "-": standard input
    std::string key;
    std::string field = "nature";
    bool identity = false;
    std::string lines; // "FROM-TO", empty for every row
    bool json = false;
};
// FILE, --key, --field, --identity, --lines and --json.
void AddSheetInput(CLI::App& sub, SheetInput& input);
// FILE and --json only, for a subcommand that takes the whole sheet.
void AddFileInput(CLI::App& sub, SheetInput& input);

// A sheet read as the sheet window reads it, in the settings' notation; refused with the
// message that names the file.
struct LoadedSheet {
    DataSheet sheet;
    std::string path;  // as given ("-" for standard input)
    std::string title; // the file's name, Windows-1252
};
LoadedSheet ReadSheet(const CliApp& cli, const std::string& file);

// The plotting request of the input: the key, its field and the lines (every row without).
PlotRequest RequestFor(const SheetInput& input, const LoadedSheet& loaded);

// The rows of the sheet the input selects, in order.
std::vector<int> SelectedRows(const SheetInput& input, const LoadedSheet& loaded);
// A row's cells in the sheet's column order (its number first), split by tabulations.
std::string RowText(const DataSheet& sheet, int row);
// A row as JSON: "row", "value", "nature", "number", "location", "comment" and, when it holds
// one, its "line" or "plane".
nlohmann::json RowJson(const DataSheet& sheet, int row);

// A new ordinary canvas of radius Rc with the selected rows plotted in the current symbol and
// colour, or with the symbols of the batch file NomFBatch when `batch` is set, as the
// plotting dialog plots them; `info` receives the plotting's report.
std::unique_ptr<CanvasModel> PlottedCanvas(CliApp& cli, const SheetInput& input,
                                           const LoadedSheet& loaded,
                                           std::vector<InfoLine>* info = nullptr,
                                           bool batch = false);

// The measurements of a canvas as the statistics commands take them: every displayed record.
std::span<InfoVal> DisplayedRecords(CanvasModel& canvas);

// The working set of a 3D statistic on the selected rows, as the Stats 3D menu takes it from
// the canvas they are plotted on: every displayed record. Refused when no row is selected; a
// mix of lines and planes goes on (all seen as axes) after the menu's warning on standard error.
WorkingSet StatsSet(CliApp& cli, const SheetInput& input);

// The sheet a subcommand made: saved as a .plq file when `output` is set (a refused save fails
// the run with its message), then its rows as lines, or with `json` the object `head` given
// "rows" (as info's) or, when saved, "written" (the file).
void SaveOrPrintSheet(CliApp& cli, DataSheet& sheet, const std::string& output, bool json,
                      nlohmann::json head);

// Output: Windows-1252 lines written as UTF-8, one per line.
void PrintLines(const CliApp& cli, const std::vector<std::string>& lines);
void PrintInfoLines(const CliApp& cli, const std::vector<InfoLine>& lines);
void PrintJson(const CliApp& cli, const nlohmann::json& object);

// JSON values: degrees, a line {"trend", "plunge"}, a plane by its pole {"dip_direction",
// "dip"}, Windows-1252 text as UTF-8.
double Degrees(double radians);
nlohmann::json LineJson(const Direction& d);
nlohmann::json PlaneJson(const Direction& pole);
nlohmann::json TextJson(std::string_view cp1252);

// The CLI11 check of a picture's path: why it is refused (not .svg, .pdf or .png), or empty.
std::string PicturePathProblem(const std::string& path);

// The CLI11 check of an option whose value must lie within [low, high].
CLI::Range RangeOf(int low, int high);

} // namespace ploq
