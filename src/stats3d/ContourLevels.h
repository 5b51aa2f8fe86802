#pragma once

// What a contouring dialog holds, as plain values: the level list with its colours and grey
// scale, and the options of the data contouring (grid step, cone, isovalues, drawing, display),
// read from and written to the option word StyleCont. The dialogs only map their widgets to
// these values; the contour canvas receives the ParamContours made from them.

#include "stats3d/ContourTypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

class CanvasModel;
class SymbolSelection;
struct Direction;
struct Net;

using ContourColours = std::array<TColor, 17>; // TcoCont

// The grey of a colour, as a percentage: (24000 - 100 blue) / 240 (GreyOfPercent back).
double PercentOfGrey(TColor colour);
// The grey of level i of n in grey scale: (i + 1) 80 / n percent.
TColor LevelGrey(int index, int levels);

// Why a level list refused an edit.
enum class LevelEdit { Done, Full, Duplicate, NoSelection };

// At most 10 levels, always in increasing order, each keeping its colour when the list is
// re-sorted.
class ContourLevelList {
public:
    std::span<const Contour> levels() const { return levels_; }
    int count() const { return static_cast<int>(levels_.size()); }
    const Contour& at(int index) const { return levels_[static_cast<std::size_t>(index)]; }

    // Inserts at the sorted place, the following levels moving down one place; `inserted`
    // receives its index.
    LevelEdit add(double z, TColor colour, int* inserted = nullptr);
    LevelEdit remove(int index);
    // Replaces a level's value and colour and sorts the list again; `moved` receives the
    // level's new index.
    LevelEdit modify(int index, double z, TColor colour, int* moved = nullptr);

    // The levels in use of a TContour (z > 0 among the first nz), sorted.
    void assign(const TContour& tz, int nz);
    // Levels in use first, the others -1 and white.
    TContour toTContour() const;

    // Each level takes the grey of its rank, or its standard colour back.
    void recolourGrey();
    void recolourStandard(const ContourColours& tcoCont);
    // The standard colours take the levels' colours, rank by rank.
    void storeColours(ContourColours& tcoCont) const;

private:
    // The index of a level that would show as the same value in the list, or -1.
    int sameAs(double z, int except) const;
    void sort();

    std::vector<Contour> levels_;
};

// "%5.1f" of a level in the list, and the level field's text: one decimal without a leading 0.
std::string LevelListText(double z);
std::string LevelFieldText(double z);

// The drawing of the lines as the dialog offers it.
enum class ContourDrawingChoice { Segments = 0, Polygons = 1, BezierCurves = 2 };

// The bits of StyleCont.
constexpr int kStyleContFilled = 0;
constexpr int kStyleContBlack = 1;
constexpr int kStyleContGrey = 2;
constexpr int kStyleContUniformity = 3;
constexpr int kStyleContCollapsed = 4;
constexpr int kStyleContPolygons = 5;
constexpr int kStyleContBezier = 6;

// The data contouring dialog's values.
struct ContourDialogState {
    int pas = 6;            // grid step, degrees
    double cone = 20;       // cone half-aperture, degrees
    bool uniformity = true; // "N x  uniformity", else "raw data"
    ContourDrawingChoice drawing = ContourDrawingChoice::Segments;
    bool filled = true;
    bool blackLine = true;
    bool greyScale = false;
    bool collapsed = false;
    bool bezierBox = false; // "Bezier smoothing"
    ContourLevelList levels;
    ContourColours tcoCont{};
    TColor colour = clWhite;   // the colour box
    double greyPercent = 22.5; // the grey percentage field
    std::string levelField = "1.0";

    // The counting of the set the contouring will draw.
    int n = 0;    // its size
    int max = 0;  // GridMaximum
    double U = 1; // (1 - cos cone) n, the count of a node for an even spread

    double funif() const { return uniformity ? U : 1; }
    // The colour "add" and "modify" give: the colour box's, or the grey of the percentage.
    TColor currentColour() const;
};

// Opening: the options of StyleCont (grid step at least 3), cone 20, one level 1.5 in
// TcoCont[0] (grey 15 % in grey scale).
ContourDialogState OpeningState(std::int32_t styleCont, const ContourColours& tcoCont);
// StyleCont with bits 0-6 and the grid step (bits 16-23) from the dialog, its other bits kept.
std::int32_t StyleContOf(const ContourDialogState& state, std::int32_t previous);

// modeC: "bezier curves" with "filled " chains polylines only.
std::int16_t ModeCOf(const ContourDialogState& state);

// The counting of the set at the state's step and cone: the largest node count, U; with a
// maximum or a set of 0 U is 1 and the mode "raw data".
void Recount(ContourDialogState& state, std::span<const Direction> set, const Net& net);

// "default parameters": step 6, cone 20, counted again, the doubling levels in their standard
// colours or greys, the level field "1.0".
void DefaultParameters(ContourDialogState& state, std::span<const Direction> set, const Net& net);
// The doubling levels of the counting as it stands, the level field "1.0".
void DefaultLevels(ContourDialogState& state);

// Grey scale on or off: the levels recoloured by rank, or given their standard colours back.
void SetGreyScale(ContourDialogState& state, bool grey);

// The labels over the levels and the notes beside the drawing and the Bezier box.
std::string UnitLabel(const ContourDialogState& state);
std::string MaxLabel(const ContourDialogState& state);
std::string DrawingNote(const ContourDialogState& state);
std::string BezierNote(bool smoothing);

// The parameters a contour canvas receives, before the checks of CheckedContourParams.
ParamContours ParamsOf(const ContourDialogState& state);

// The checks of "Contour" made on the dialog (a grid step at least 3, a cone at least twice
// the step, the set counted again at them), then the parameters checked; none without a level.
std::optional<ParamContours> ContourParamsFor(ContourDialogState& state,
                                              std::span<const Direction> set, const Net& net);

// The directions a contouring of a canvas draws: the working set (present records of the
// chosen sets) of a data canvas, the stored directions of a contour canvas, none otherwise.
std::vector<Direction> ContourSet(CanvasModel& canvas, const SymbolSelection& tsy);

// Typed values: none for text that is not such a value. A grid step is a whole number from 5 to
// 30, or the step the preference file gave when that is 3 or 4; a cone a number above 0 and
// below 90, empty meaning 20; a level a number above 0; a grey percentage from 0 to 100.
std::optional<int> ReadGridStep(std::string_view text, int fromPreferences);
std::optional<double> ReadCone(std::string_view text);
std::optional<double> ReadLevel(std::string_view text);
std::optional<double> ReadGreyPercent(std::string_view text);

inline constexpr std::string_view kMsgTooManyContours = "Number of contours can't exceed 10";
inline constexpr std::string_view kMsgBadGridStep =
    "The grid step must be a whole number from 5 to 30";
inline constexpr std::string_view kMsgBadCone =
    "The cone aperture must be a number above 0 and below 90 (empty for 20)";
inline constexpr std::string_view kMsgBadLevel = "A level must be a number above 0";
inline constexpr std::string_view kMsgSameLevel = "This level is already in the list";
inline constexpr std::string_view kMsgBadGrey =
    "The grey percentage must be a number from 0 to 100";
inline constexpr std::string_view kMsgNoLevel = "No contour level: add one first";

} // namespace ploq
