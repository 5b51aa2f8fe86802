#pragma once

// The settings block: every user preference, read from the preference file at start-up and
// written back when the main window closes. Whoever runs the application owns the block and
// hands it to the code that needs it; nothing here is process-wide.
//
// Colours are TColor values (0x00BBGGRR); a colour index is an index into Tco. Angles are
// radians unless a field says degrees. Texts are Windows-1252 bytes; the path lines
// (NomFBatch, FRecents) keep the file system's names byte for byte.
//
// Option words are sets of flags read and written with TestBit and SetBit. Bits this module
// does not name belong to other subsystems, or to nobody: they are kept as the file holds them.

#include "model/DataSheet.h"
#include "model/Trigo.h" // kStyleLowerHemisphere and kStyleWulff, bits 14 and 15 of StyleCnvs
#include "model/TypesGlob.h"
#include "platform/Clock.h"
#include "platform/Colour.h"
#include "platform/Prompts.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

inline constexpr std::string_view kPrefFileName = "P4Pref24.plp";
constexpr int kPrefLineCount = 248;

constexpr int kPloqFieldCount = 7; // fields of a Ploq-data line, counted from 1
constexpr int kColourCount = 17;    // Tco and TcoCont, indices 0..16
constexpr int kUserColourCount = 8; // Tco 0..7 are the user's; 8..16 are fixed
constexpr int kAddKindCount = 61;   // TcoAdd and SyAdd, one entry per kind of additional value
constexpr int kRecentCount = 8;     // FRecents

// Bits of OptVal.
constexpr int kOptValShowDeci = 0;   // decimal values in data sheets
constexpr int kOptValListInfo = 1;   // plotted data listed in the canvas's information panel
constexpr int kOptValEditInGrid = 3; // values edited in the grid itself (no multiple selection)
constexpr int kOptValPrintGrid = 5;  // printed data tables show the grid lines
constexpr int kOptValAddDecl = 6;    // Decl added to entered azimuths
constexpr int kOptValImportRaw = 12; // the import dialog's last choice was raw data

// Bits of StyleCnvs (kStyleLowerHemisphere and kStyleWulff are in Trigo.h).
constexpr int kStyleNetCentre = 1;
constexpr int kStyleGraduations = 2;
constexpr int kStyleDiameters = 3;
constexpr int kStyleTailInward = 4; // tadpole tails point to the centre; clear: outward

// Bits of StylePlot: the same bits as a record's display word takes.
constexpr int kPlotPoles = kInfDrawPole;
constexpr int kPlotTraces = kInfDrawTrace;

// Bits of StyleGene.
constexpr int kGeneToolBar = 0;
constexpr int kGenePlotStandard = 1; // plot-data dialog: "Standart" symbols
constexpr int kGenePlotBatch = 2;    // plot-data dialog: symbols from the batch file
constexpr int kGenePlotOther = 3;    // plot-data dialog: cleared by "Standart"
constexpr int kGenePlotTall = 4;     // plot-data dialog opens with its options unfolded
constexpr int kGenePlotKeepOn = 6;   // plot-data dialog: "Plot and keep dialog on"
constexpr int kGeneHelpOnTop = 10;
constexpr int kGeneOptionsKeepOn = 11; // the Options dialog stays open after OK
constexpr int kGeneImportNumber = 16;  // raw import gives each row its line number as code
constexpr int kGenePictureBare = 20;   // saved canvas pictures leave out the printed frame

// Bits of StyleFlt.
constexpr int kFltTall = 1;              // fault entry dialog opens with its options shown
constexpr int kFltAutoNumber = 2;        // fault entry numbers the pairs itself
constexpr int kFltAutoComment = 3;       // fault entry writes the striae comment itself
constexpr int kFltChronoCode = 4;        // fault entry adds the chronology number to the code
constexpr int kFltStriaeL = 5;           // striae get the nature code "L"
constexpr int kFltArrowFaultColour = 16; // movement arrows in their fault's colour; clear: ColMvtF

// Bits of StyleStats2D, shared by the 2D statistics and circular plot dialogs.
constexpr int kStats2DDraw = 0; // 2D statistics: draw in a new window; circular plot: draw it
constexpr int kStats2DCanvasValues = 1; // clear: data sheet values
constexpr int kStats2DAllValues = 2;    // clear: a selection
constexpr int kStats2DPlain = 3;
constexpr int kStats2DSmoothed = 4;
constexpr int kStats2DPlaneStrike = 5; // planes taken by their strike,
constexpr int kStats2DPlaneDipDir = 6; // or their dip direction,
constexpr int kStats2DPlanePole = 7;   // or their pole direction
constexpr int kStats2DAxes180 = 8;     // axis strikes 0-180,
constexpr int kStats2DAxes360 = 9;     // or axis trends 0-360,
constexpr int kStats2DVectors360 = 10; // or vector trends 0-360,
constexpr int kStats2DDips90 = 11;     // or dips 0-90
constexpr int kStats2DShowMean = 12;
constexpr int kStats2DShowMedian = 13;
constexpr int kStats2DHodgesAjne = 14;
constexpr int kStats2DGraduate = 15;
constexpr int kStats2DTall = 16;

// Bits of OptS3Dadd named here; the others belong to the 3D statistics.
constexpr int kS3DaddCountF = 5;      // counting shows f (uniformity) instead of the number
constexpr int kS3DaddListRotAxes = 7; // Trackdip lists the rotation axes

// Bits of OptRot, the rotation dialog's memory.
constexpr int kRotDextral = 1;
constexpr int kRotShowStart = 2;
constexpr int kRotTrajectories = 3;
constexpr int kRotShowAdd = 4;
constexpr int kRotGridNone = 6;
constexpr int kRotGridNorth = 7;
constexpr int kRotGridAxis = 8;
constexpr int kRotAllSets = 9;

// StyleCont holds PasCont, the contour grid mesh, in its bits 16-23.
constexpr int kPasContShift = 16;
constexpr std::int32_t kPasContMask = 0xFF << kPasContShift;

constexpr std::array<TColor, kColourCount> kDefaultTco = {
    0,        16711680, 255, 16711680, 32768,    16711935, 8388736,  8388608,     // user's
    16777215, 8421504,  255, 16711680, 16776960, 8421376,  12632256, 8421504, 0}; // fixed

constexpr std::array<TColor, kColourCount> kDefaultTcoCont = {
    12632256, 2883583, 7338826, 61952, 16744448, 16721151, 8388863, 8388736, 16776960};

template <class T, std::size_t N> constexpr std::array<T, N> Filled(T value)
{
    std::array<T, N> a{};
    a.fill(value);
    return a;
}

// What the screen tells the settings: its pixels per inch and its width in pixels.
struct ScreenMetrics {
    double pixelsPerInch = 96;
    int width = 1024;
};

// The settings block. A block as constructed holds the defaults for ScreenMetrics{};
// DefaultPrefs gives the defaults for the real screen.
struct VarGlob {
    // Stored in the preference file, in the file's order.
    std::int32_t AmBS = 20; // bootstrap analysis: trend half-range, degrees
    std::int32_t PeBS = 40; // bootstrap analysis: plunge half-range, degrees
    double RotAz = 0;       // rotation dialog: the last axis and angle
    double RotPl = 0;
    double RotAngle = 0;
    // Grid column of each code field in a new data sheet: value, nature, number, location,
    // comment.
    std::int32_t C1 = kDefaultColumns[0];
    std::int32_t C2 = kDefaultColumns[1];
    std::int32_t C3 = kDefaultColumns[2];
    std::int32_t C4 = kDefaultColumns[3];
    std::int32_t C5 = kDefaultColumns[4];
    // Colour index of a fault pair by its sense: normal, reverse, dextral, sinistral.
    std::int32_t CoFltN = 1;
    std::int32_t CoFltR = 2;
    std::int32_t CoFltD = 3;
    std::int32_t CoFltS = 4;
    // Fault entry memory: three confidence letters, movement confidence ("5", "6", "7"),
    // automatic numbering ("1" or "0").
    std::string OptFltCodes = "FMB200";
    std::int32_t ColMvtF = 2;          // colour index of movement arrows
    std::int32_t Couleur = 2;          // current colour index
    double TDcutVal = 3.5 * kDegToRad; // Trackdip tilt angle cut-off
    double Decl = 0;                   // magnetic declination
    std::int32_t FontHeight = -13;     // data sheet font; negative: character height in pixels
    std::string FontName = "Times New Roman";
    std::int32_t FrtL = 0;      // notation of lines, 0..2
    std::int32_t FrtS = 0;      // notation of planes, 0..4
    std::int32_t GridCol = 14;  // colour index of the net grid, 12..16
    std::int32_t GridStep = 10; // net grid step, degrees
    std::int32_t MainH = 117;   // main window geometry, pixels
    std::int32_t MainL = 212;
    std::int32_t MainT = 20;
    std::int32_t MainW = 600;
    std::int32_t SheetH = 500; // size of a new data sheet window
    std::int32_t SheetW = 400;
    std::int32_t Stats2DShift = 0;  // 2D statistics: origin shift of the classes, degrees
    std::int32_t Stats2DWidth = 20; // 2D statistics: class width, degrees
    std::int32_t Reserved35 = 24;   // line 35, used by nothing
    std::int32_t TextH = 250;       // size of a new text window
    std::int32_t TextW = 400;
    std::int32_t IpFS = 0;  // text import: plane notation of the program's own text, 0..6
    std::int32_t IpFR = 0;  // raw import: notation, 0..6 (planes) or 0..3 (lines)
    std::int32_t IpSep = 1; // import separator: 0 tab, 1 slash, 2 dash
    // Ploq-data import: the field (1..kPloqFieldCount) of the value and of code fields 2..5.
    std::int32_t IpVal = 2;
    std::int32_t IpNat = 1;
    std::int32_t IpNum = 3;
    std::int32_t IpLoc = 4;
    std::int32_t IpCom = 5;
    std::int32_t IpIsS = 0; // raw import: 1 planes, 0 lines
    std::array<std::int32_t, kColumnCount> ColW = {30, 40, 40, 40, 40, 40}; // sheet columns
    std::int32_t NbCr = 6;       // counting grid size, crowns
    std::int32_t NbTirBS = 2000; // bootstrap analysis: number of tossings
    std::string NomFBatch;       // the active symbol batch file
    std::int32_t OptS3Dadd = 0;
    std::int32_t OptVal = 8;
    std::int32_t OptDataU = 6272; // find/change/select/sort dialog
    std::int32_t Rc = 190;        // net radius of a new canvas, pixels
    std::array<TColor, kColourCount> Tco = kDefaultTco;
    std::array<std::int32_t, kAddKindCount> TcoAdd = Filled<std::int32_t, kAddKindCount>(1);
    std::array<TColor, kColourCount> TcoCont = kDefaultTcoCont;
    std::array<std::string, kRecentCount> FRecents; // recent data sheets, latest first
    // Headings of the code fields 1..5 (value, nature, number, location, comment); entry 0 is
    // not used.
    std::array<std::string, kFieldCount + 1> TNomC = {"", "val", "nat", "num", "loc", "com"};
    std::array<std::int32_t, kAddKindCount> SyAdd = Filled<std::int32_t, kAddKindCount>(101);
    std::int32_t OptAdd = 6;
    std::int32_t StyleCnvs = 49158;
    std::int32_t StyleCont = 393216;
    std::int32_t StyleFlt = 0;
    std::int32_t StyleGene = 3;
    std::int32_t StyleStats2D = 688678;
    std::int32_t StylePlot = 8192;
    std::int32_t OptRot = 0;
    std::int32_t OptWP = 1;          // canvas tool bar unfolded
    std::int32_t SyAddCur = 101;     // symbol of the additional value kind being edited
    std::int32_t Sy = 6;             // current symbol; negative: its tadpole
    std::int32_t Reserved241 = 0;    // line 241, used by nothing
    double TDdelta = 30 * kDegToRad; // Trackdip axis trend cut-off
    std::int32_t TDpoly1 = 3;        // Trackdip polygon minimum size, segments
    std::int32_t TDpoly2 = 4;        // Trackdip: maximum underlined above this many segments
    std::int32_t TDsySum = 10;       // Trackdip: mark of the polygon summits
    std::int32_t TDopt = 0;          // Trackdip: mark of the maxima
    std::int32_t MaxFS = 4;          // fault entry: largest striae-fault angle, degrees

    // Derived from the above and the screen, never stored.
    double PixMM = 96 / 25.3; // screen pixels per millimetre
    int XC = 205;             // centre of the net in a new canvas: Rc + 15
    int YC = 205;
    bool ShowDeci = false; // bit kOptValShowDeci of OptVal
    int PasCont = 6;       // bits 16-23 of StyleCont
};

// Every value set to its default for this screen, except lines 35 and 241 (reserved) and
// TDopt, which keep what they hold. The derived values follow.
void DefaultPrefs(VarGlob& v, const ScreenMetrics& screen);

// The defaults overlaid with what the stream holds, then every value later used as an index,
// a count or a step brought back into its range, and the derived values set. Reading stops at
// the first line that cannot be read; that line and the later ones keep their defaults. The
// result lists the problems met, one text per problem naming its line; empty when the whole
// file was sound.
std::vector<std::string> LoadPrefs(VarGlob& v, std::istream& in, const ScreenMetrics& screen);

// The 248 lines, CR LF ended, line 1 stamped with `now`.
void SavePrefs(const VarGlob& v, std::ostream& out, DayCount now);

// A real as the preference file writes it: 23 characters, " 6.10865238198015E-0002".
std::string FormatPrefReal(double value);

// The preference file in the current directory, as an absolute path: start-up takes it once
// and uses it for every later write.
std::filesystem::path PrefsPath();

// Start-up: loads the file at `path`. A file that cannot be opened gives the defaults and a
// fresh file written at once. The result holds the messages to show, in order.
std::vector<Message> LoadPrefsFile(VarGlob& v, const std::filesystem::path& path,
                                   const ScreenMetrics& screen, DayCount now);

// Writes the file through a temporary file in the same folder, renamed over it, so a failed
// write leaves the previous file whole. The message to show when the write failed.
std::optional<Message> SavePrefsFile(const VarGlob& v, const std::filesystem::path& path,
                                     DayCount now);

} // namespace ploq
