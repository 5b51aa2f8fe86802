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
#include "platform/Surface.h"

#include <array>
#include <optional>
#include <string>

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

// --- Characters ------------------------------------------------------------------------

// The chosen font into the settings; whether it changed them.
bool TakeSheetFont(const FontChoice& font, VarGlob& settings);

} // namespace ploq
