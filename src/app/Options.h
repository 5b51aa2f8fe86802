#pragma once

// The pages of the Options dialog as plain values: each page is read from the settings block,
// shown and edited by the dialog, and taken back into the block by its "OK"; its "Cancel" puts
// back what the dialog remembered when it was opened. The dialog only maps widgets to these
// values, so one round trip per page catches a control wired to the wrong setting.
//
// A list shows item -1 when its setting matches none of its items; taking such a list leaves
// the setting as it is.

#include "app/PlaceDialog.h"
#include "app/VarGlob.h"
#include "canvas/SymbBatch.h"
#include "platform/Surface.h"
#include "stats3d/Counting.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// What the dialog remembers from its opening: the whole settings block, and the radius of the
// current canvas (or of new canvases when none is current). The Data page's "OK" moves the
// notations and the decimals flag on to the values it accepted.
struct OptionsMemory {
    VarGlob settings;
    int radius = 0;
};

// Opening: the current colour is brought back to the user's colours (1 above 7) and the
// indexed-grid bit of StyleCnvs is cleared; the memory is taken after that, so that a page
// accepted unchanged finds nothing changed.
OptionsMemory OpenOptions(VarGlob& settings, int contextRadius);

// Where the dialog opens: centred on the main window's frame, 5 pixels below it.
Point OptionsDialogPlace(const ScreenRect& mainFrame, int dialogWidth);

// The index of `value` in the items, or -1.
template <std::size_t N> int ItemOf(int value, const std::array<int, N>& items)
{
    for (std::size_t i = 0; i < N; ++i)
        if (items[i] == value)
            return static_cast<int>(i);
    return -1;
}

// --- Data ------------------------------------------------------------------------------

extern const std::array<const char*, 5> kOptionsPlaneNotations;
extern const std::array<const char*, 3> kOptionsLineNotations;

struct DataPage {
    std::string declination; // degrees, as typed
    bool addDeclination = false;
    bool editInGrid = false;
    bool printGrid = false;
    bool showDecimals = false;
    int planeNotation = 0; // item, -1 for none
    int lineNotation = 0;
    std::array<std::string, kFieldCount + 1> headings; // 1..5: value, nature, number, ...
    friend bool operator==(const DataPage&, const DataPage&) = default;
};

DataPage DataPageOf(const VarGlob& settings);
// The page into the settings; a declination that does not read is refused (the text names the
// box) and nothing is taken.
std::optional<std::string> TakeDataPage(const DataPage& page, VarGlob& settings);
// Whether the open sheets are offered the new notations or decimals: one of them differs from
// what was last accepted.
bool DataNotationChanged(const OptionsMemory& memory, const VarGlob& settings);
// After "OK": the notations and decimals accepted become what "Cancel" returns to.
void AcceptDataPage(OptionsMemory& memory, const VarGlob& settings);
// "Cancel": headings, OptVal, declination as at opening; notations and decimals as last
// accepted (bit 0 of OptVal following the decimals flag).
void CancelDataPage(const OptionsMemory& memory, VarGlob& settings);

// --- Import ----------------------------------------------------------------------------

extern const std::array<const char*, 3> kSeparatorItems;
extern const std::array<const char*, 7> kFieldItems; // "1".."7"

// The fields of Ploq data, in the order of the page's lists.
enum ImportField { kImportNature, kImportNumber, kImportLocation, kImportComment, kImportValue };
constexpr int kImportFieldCount = 5;

struct ImportPage {
    int separator = 1;
    int ploqFormat = 0;
    std::array<int, kImportFieldCount> fields{}; // items: field number - 1
    bool rawPlanes = false;
    int rawFormat = 0; // item of the list of the raw kind
    bool addNumber = false;
    friend bool operator==(const ImportPage&, const ImportPage&) = default;
};

ImportPage ImportPageOf(const VarGlob& settings);
// The raw format list's items for a kind, and the item a format shows in it (clamped to the
// last line format for lines; -1 outside the list).
int RawFormatCount(bool planes);
const char* RawFormatItem(bool planes, int item);
int RawFormatShown(bool planes, int format);
// The line format beside the Ploq plane format: the one the importer reads lines in.
const char* PloqLineFormatItem(int ploqFormat);
void TakeImportPage(const ImportPage& page, VarGlob& settings);
// "Cancel": every import setting as at opening, the value's field included.
void CancelImportPage(const OptionsMemory& memory, VarGlob& settings);

// The fixed help text of the page on the two kinds of import.
extern const char* const kImportHelp;

// --- Stereonet -------------------------------------------------------------------------

extern const std::array<int, 4> kGridStepItems;
extern const std::array<const char*, 3> kPlanesAsItems;
constexpr int kGridColourFirst = 12; // the grid colour cells show Tco[12..16]
constexpr int kGridColourCells = 5;
constexpr int kColourCell = 12;       // pixels of a colour cell
constexpr int kMinNetDiameterMM = 30; // the diameter box's range
constexpr int kMaxNetDiameterMM = 300;

struct StereonetPage {
    bool wulff = false;
    bool lowerHemisphere = true;
    int planesAs = 0;
    bool tailInward = false;
    bool netCentre = false;
    bool graduations = false;
    bool diameters = false;
    int gridStep = 2;   // item, -1 for none
    int diameterMM = 0; // of the context radius
    bool listInfo = false;
    bool arrowFaultColour = false;
    // Shown only: the colour cells act on the settings at once.
    int gridColour = kGridColourFirst;
    int arrowColour = 0; // an index above 7 shows colour 8
    friend bool operator==(const StereonetPage&, const StereonetPage&) = default;
};

StereonetPage StereonetPageOf(const VarGlob& settings, int radius);
// The page into the settings; the radius of the diameter chosen (at least 20 pixels), which
// becomes Rc when no canvas is current.
int TakeStereonetPage(const StereonetPage& page, VarGlob& settings, bool canvasCurrent);
// "Cancel": the whole of StyleCnvs, StylePlot and OptVal, the grid step and colour, the arrow
// colour and its choice as at opening; with no canvas current, Rc too.
void CancelStereonetPage(const OptionsMemory& memory, VarGlob& settings, bool canvasCurrent);
// Whether refreshing the canvases with that radius must ask first: a display setting differs
// from the opening, or the radius from the current one.
bool CanvasChangeNeedsQuestion(const OptionsMemory& memory, const VarGlob& settings, int radius,
                               int currentRadius);

// The colour cell under a point of the grid colour image (Tco index 12..16), or none off the
// cells.
std::optional<int> GridColourAt(Point p);
// The colour under a point of the movement-arrow strip (0..7), or none off its cells.
std::optional<int> ArrowColourAt(Point p);

// --- Pictures of the pages -------------------------------------------------------------
// Each drawn on a white surface of its size.

// The sample net of the Data page on a white square of that width, drawn on its own context with
// the projection and hemisphere of the settings: the standard net every 10 degrees, the plane
// dipping 40 toward 210 in Tco[2], the tadpole of symbol 9 in colour 2 on the line plunging 40
// toward 210, and the azimuths "120", "30", "210" beside the primitive circle.
void SampleNet(Surface& surface, int width, const VarGlob& settings);

// The grid colour cells Tco[12..16], the chosen one outlined in blue 2 pixels wide.
Size GridColourCellsSize();
void GridColourCells(Surface& surface, const VarGlob& settings);

// The movement-arrow colour: a square of the colour and a small black triangle pointing right.
Size ArrowColourSize();
void ArrowColourImage(Surface& surface, const VarGlob& settings, int colour);

// --- General ---------------------------------------------------------------------------

constexpr int kPaletteCell = 12; // the cells of both colour strips of the page

// The symbol file group: the lines of its list, one entry each, "%s (%d +%d)" as read from a
// file or "%s (%d  %s%d)" as made in the dialog (ParseBatchLine reads both), the line selected
// (-1 for none), and the label naming the file.
struct SymbolList {
    std::vector<std::string> lines;
    int selected = -1;
    std::string label;
    int butBatch = 0;       // 1: the list is to be saved under a new name
    bool batchSaved = true; // the list has no change that is not in its file
};

// "current selection : " and the file name of the path.
std::string CurrentSelectionLabel(const std::string& path);

// Reads the batch file into the list: the list emptied, then, for a named file, the label
// naming it and one line per record. A file that cannot be opened leaves the list empty. The
// result tells the records that could not be used, one text each.
std::vector<std::string> ReadSymbolList(SymbolList& list, const std::string& path);

// The line "add" and "modify" make of the code box, the colour, the tadpole box and |Sy|, with
// the entry it reads back as, or why it reads as none.
struct SymbolLineMade {
    std::string line;
    std::optional<BatchEntry> entry;
    std::string problem;
};
SymbolLineMade MakeSymbolLine(std::string_view code, int colour, bool tadpole, int symbol);

// The line whose entry has that code, or -1.
int LineOfCode(const SymbolList& list, const St9& code);
// "add": the line appended, after removing line `replaced` (an entry of the same code) if any.
void AddSymbolLine(SymbolList& list, std::string line, int replaced);
// "modify": the selected line replaced; false with no line selected.
bool ModifySymbolLine(SymbolList& list, std::string line);
// "create a new file": an empty list to be saved under a new name.
void NewSymbolFile(SymbolList& list);

// The entries the list's lines give, every one of them, or the lines it refuses.
BatchTable SymbolListEntries(const SymbolList& list);
// "save" into `path` (BatchSavePath of the chosen one): a new file put in place of the old, so
// that a failure leaves the old one whole. On success NomFBatch names it and the label reads
// "new : " and its name; on failure the message to show, and nothing changed.
std::optional<Message> SaveSymbolList(SymbolList& list, const std::string& path, VarGlob& settings);

// The General page's "Cancel": its flags of StyleGene (tool bar, help on top, keep on), the
// palette Tco[0..7], the current colour and the batch file as the dialog remembers them. The
// other bits of StyleGene are other dialogs' and pages' and stay.
void CancelGeneralPage(const OptionsMemory& memory, VarGlob& settings);
// "OK": the batch file becomes what "Cancel" returns to; the current colour is the opening one.
void AcceptGeneralPage(OptionsMemory& memory, VarGlob& settings);

// --- Stats-1 ---------------------------------------------------------------------------

extern const std::array<const char*, kMaxCrowns - kMinCrowns + 1> kCrownItems;
extern const std::array<int, 7> kMeshItems;

struct Stats1Page {
    int crowns = 1; // item: NbCr - 5
    int mesh = 2;   // item of kMeshItems
    bool countUniformity = false;
    friend bool operator==(const Stats1Page&, const Stats1Page&) = default;
};

// NbCr 0 is shown as 6 crowns, PasCont 0 as a mesh of 6.
Stats1Page Stats1PageOf(const VarGlob& settings);
// NbCr, PasCont and the counting display; StyleCont keeps its bits 0-7 and holds PasCont in
// its bits 16-23, its other bits cleared.
void TakeStats1Page(const Stats1Page& page, VarGlob& settings);
// "Cancel": NbCr, PasCont with StyleCont (which the preference file keeps), and the contour
// colours as at opening.
void CancelStats1Page(const OptionsMemory& memory, VarGlob& settings);

// "%d nods": the nodes of a counting grid of that many crowns.
std::string NodeCountLabel(int crowns);

// The pictures of the page on a white surface of StatsPictureSize(width): centre (w, w + 2) and
// radius w - 8, w half the width.
Size StatsPictureSize(int width);
// The counting grid of that many crowns, a blue dot of 3 pixels on every node projected with the
// projection and hemisphere of the settings, within the primitive circle.
void CountingGridPicture(Surface& surface, int width, int crowns, const VarGlob& settings);
// The contour grid of that mesh: silver lines 2R / (180 div mesh + 1) pixels apart, as the
// contour grid lies, inside the net circle drawn in navy with a 6-pixel north tick.
void MeshPicture(Surface& surface, int width, int mesh);

// The ten standard contour colours TcoCont[0..9], the cell `current` outlined.
constexpr int kContourColourCells = 10;
Size ContourColourCellsSize();
void ContourColourCells(Surface& surface, const VarGlob& settings, int current);
int ContourColourAt(int x);

// --- Stats-2 ---------------------------------------------------------------------------

// The lists show the ranges, the settings hold half of them.
extern const std::array<int, 9> kAzRangeItems;
extern const std::array<int, 6> kPeRangeItems;
extern const std::array<int, 5> kTossingItems;
constexpr int kMinSummitMark = 1; // "polygones summits : symb n°" keeps within these
constexpr int kMaxSummitMark = 4;

struct Stats2Page {
    int azRange = 3; // items, -1 for none
    int peRange = -1;
    int tossings = 3;
    std::string tiltCutOff; // degrees, as typed
    std::string axisCutOff;
    std::string polygonMin; // integers, as typed
    std::string polygonUnderline;
    std::string summitMark;
    bool listRotationAxes = false;
    friend bool operator==(const Stats2Page&, const Stats2Page&) = default;
};

Stats2Page Stats2PageOf(const VarGlob& settings);
// The page into the settings. Every box is read first: a box that does not read is refused (the
// text names it) and nothing at all is taken.
std::optional<std::string> TakeStats2Page(const Stats2Page& page, VarGlob& settings);
// "Cancel": the Trackdip cut-offs and polygon sizes as at opening.
void CancelStats2Page(const OptionsMemory& memory, VarGlob& settings);

// --- Characters ------------------------------------------------------------------------

// The chosen font into the settings; whether it changed them.
bool TakeSheetFont(const FontChoice& font, VarGlob& settings);

} // namespace ploq
