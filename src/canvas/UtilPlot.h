#pragma once

// Plotting rows of a data sheet onto a canvas: the selection of rows by a key on one code
// field, the records they become, the 5000-record limit and the report written for the user.

#include "canvas/Plot.h"
#include "model/DataSheet.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ploq {

class Prompts;

// The code field a plotting key is matched against.
enum class KeyField { Nature, Location, Number, Comment };

// The key typed in the plotting dialog, ready to match: at most 9 characters, none for nine
// asterisks, and with "Identity key - code" a final "/" so that only the whole code matches.
std::string PlotKey(std::string_view typed, bool identity);

// The user's heading of the code field.
const std::string& KeyFieldHeading(const VarGlob& settings, KeyField field);

// Whether row `row` is selected by the key (an empty key selects every row).
bool RowMatches(const DataSheet& sheet, int row, KeyField field, const std::string& key);

// Adds a record to the canvas with the current colour, symbol and plot style, marks it shown
// (and a plane by its nature) and places it on the net. The caller checks the 5000 limit.
InfoVal& AjoutVal(CanvasModel& canvas, InfoVal record, const VarGlob& settings);
// The same with a given symbol and colour.
InfoVal& AjoutVal(CanvasModel& canvas, InfoVal record, int symbol, int colour);

// Draws a record at its pixel: a line or a plane's pole as its symbol, a plane's great circle
// in the record's colour when its display word asks for it.
void DessinVal(const DrawContext& ctx, const InfoVal& record);

// A label beside a pixel, in colour c on white: raised by 11 pixels above the centre's row,
// on the side of the pixel where it fits in the image.
void EtiquetteWP(const DrawContext& ctx, std::string_view text, int x, int y, int c);

// Adds "symbol.colour.code" to the canvas legend, kept sorted and without duplicates.
void AddLegend(CanvasModel& canvas, int symbol, int colour, const std::string& code);

struct PlotRequest {
    KeyField field = KeyField::Nature;
    std::string typedKey;
    bool identity = false;
    int line1 = 1;
    int line2 = 1;
    std::string sheetTitle;
};

// A line of the information panel.
struct InfoLine {
    std::string text;
    bool bold = false;
    bool italic = false;
};

struct PlotResult {
    int added = 0;
    bool refused = false;   // the canvas was full, or no batch file: nothing plotted
    bool cancelled = false; // the limit question was cancelled: the plotting was taken back
    std::vector<InfoLine> info;
};

// Draws one record just added (the canvas window passes its drawing).
using DrawRecord = std::function<void(InfoVal&)>;

// Plots the selected rows of the range with the current symbol and colour.
PlotResult TraceFichier(CanvasModel& canvas, const DataSheet& sheet, const PlotRequest& request,
                        const VarGlob& settings, Prompts& prompts, double now,
                        const DrawRecord& draw);

// Plots the rows of the range with the symbols of the batch file NomFBatch: each row takes the
// first entry whose code matches its nature code (the whole code with "Identity key - code").
// The current symbol and colour become those of the last entry used.
PlotResult TraceFichierBatch(CanvasModel& canvas, const DataSheet& sheet,
                             const PlotRequest& request, VarGlob& settings, Prompts& prompts,
                             double now, const DrawRecord& draw);

// A new sheet (made by the caller from the settings) filled with the displayed records of the
// canvas from record `first` on: codes, value text in the sheet's notation, direction. The
// rows are numbered and the sheet is left unsaved.
DataSheet SheetFromCanvas(const CanvasModel& canvas, int first, DataSheet sheet, bool decimals);
// Whether the canvas holds a displayed record from `first` on.
bool HasDisplayedRecords(const CanvasModel& canvas, int first = 1);

// The distinct non-empty codes of a field over the rows of the sheet, sorted: what the key box
// of the plotting dialog offers.
std::vector<std::string> DistinctCodes(const DataSheet& sheet, KeyField field);

// Where the plotting dialog plots: on a new canvas when asked, when no canvas is active, or
// when the active one is not an ordinary canvas.
bool PlotsOnNewCanvas(bool newCanvasChecked, const CanvasModel* active);
// The caption of the plot button: "Plot on a new canvas", "Plot on " and the active canvas's
// title, or "Plot on Canvas 1" when no canvas is open.
std::string PlotButtonCaption(bool newCanvasChecked, const CanvasModel* active,
                              const std::string& activeTitle);
// "Wulff/inf", "Schmidt/sup" ...
std::string ProjectionCaption(std::int32_t styleCnvs);

inline constexpr std::string_view kMsgCanvasFull =
    "Too many data have been already ploted in the canvas...";
inline constexpr std::string_view kMsgLimitReached =
    "Too many data plotted in the canvas..\rkeep the last plotted point or cancel entry ?";
inline constexpr std::string_view kMsgNoBatchFile =
    "No active batch file for symbols, select it.. (cf. Menu Options)";

} // namespace ploq
