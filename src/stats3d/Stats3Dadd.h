#pragma once

// The additional values of a canvas: the one table of their kinds (label, drawing, value text,
// nature when added to the data), the append every result goes through, their drawing over the
// records, the entries a best fit leaves, and an entry turned back into a measurement.
//
// The list of a canvas is lAdd[0..lNAdd-1]; entries are found by their number (rang), which a
// new entry takes as one more than the largest in the list, so numbers stay unique after a
// deletion.

#include "canvas/Plot.h"
#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "platform/Clock.h"
#include "stats3d/Eigen.h"
#include "stats3d/InfoAdd.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// Kinds of entry (nat). 43..48 are the characters "+" to "0": a manual fit stores its circle
// type as the circle's kind and the next character as its pole's.
enum AddKind : int {
    kAddBestAxis = 1,
    kAddBestPlane = 2, // the pole of the best plane, drawn as a symbol
    kAddBestSmallCircle = 3,
    kAddCyclo = 4,
    kAddRotationPole = 5,
    kAddNormalToBA = 11,
    kAddCone95BA = 12,
    kAddCone99BA = 13,
    kAddSeeds = 15,
    kAddClusters = 16,
    kAddPoleBP = 21, // labelled "Pole of best plane", drawn as the best plane's trace
    kAddCone95BP = 22,
    kAddCone99BP = 23,
    kAddBestGC = 25,
    kAddPoleBGC = 26,
    kAddCone95BGC = 27,
    kAddCone99BGC = 28,
    kAddPoleBSC = 31,
    kAddCone95GCBoot = 32,
    kAddCone99GCBoot = 33,
    kAddCone95SCBoot = 34,
    kAddCone99SCBoot = 35,
    kAddMinChi2 = 36,
    kAddPoleMinChi2 = 37,
    kAddGCBootstrap = 38, // a best-fit kind; as an entry kind it is never drawn
    kAddSCBootstrap = 39, // a best-fit kind only
    kAddPoleCyclo = 40,
    kAddSmallC = 41,
    kAddPoleSmallC = 42,
    kAddManualGC = 43,
    kAddPoleManualGC = 44,
    kAddManualSC = 45,
    kAddPoleManualSC = 46,
    kAddGC2Points = 47,
    kAddPoleGC2Points = 48,
    kAddSC3Points = 49,
    kAddPitchQuery = 50,
    kAddLine2Planes = 52,
    kAddLine2PlanesCyclo = 53,
    kAddPlane2LinesCyclo = 54,
    kAddPlane2LinesPole = 55,
    kAddBisectorPlane = 56,
    kAddBisectorLine = 57,
    kAddIntersections = 58,
};

enum class AddDrawing {
    None,
    Symbol,            // symbol nsy at (x[0], y[0])
    GreatCircle,       // trace of the plane of pole (x[0], y[0]), width a[1], dashed by b[1]
    DashedGreatCircle, // the same, always dashed, width 1
    PlaneByTwoLines,   // dashed trace and rings (200) at its two lines
    Cone,              // both pieces of the cone of x[1] about (x[0], y[0])
    SmallCircle,       // the principal part a[2], the other on request b[2]
    Seeds,             // numbered rings at the cluster seeds being picked
    Clusters,          // symbol nsy at each cluster centre that has members
    ThreePoints,       // small circle, its three points, the centre on request
    Intersections,     // up to two symbols; a trend of 9999 marks a missing one
};

enum class AddText { None, Line, Plane, Cone95, Cone99 };

// Whether "add to data" is offered for an entry of the kind.
enum class AddOffer { Yes, No, LeftListOnly };

struct AddKindInfo {
    int nat = 0;
    std::string_view label;
    AddDrawing drawing = AddDrawing::None;
    AddText text = AddText::None;
    AddOffer offer = AddOffer::Yes;
    std::string_view nature; // nature code of the measurement it becomes
};

// The row of a kind, or null for a number that names no kind.
const AddKindInfo* AddKindOf(int nat);
// The label shown in lists; empty for kinds without one and unknown numbers.
std::string_view AddLabel(int nat);

// Whether a canvas kind owns a list of additional values.
bool OwnsAddList(int natWP);

inline constexpr std::string_view kMsgAddListFull =
    "No room for more additional values on this canvas (100)";

// The entries in use, lAdd[0..lNAdd-1].
std::span<InfoAdd> AddInUse(CanvasModel& canvas);
std::span<const InfoAdd> AddInUse(const CanvasModel& canvas);
// The number a new entry takes: one more than the largest in use (1 for an empty list).
int NextRang(const CanvasModel& canvas);
// Appends the group at the end of the list, numbering each entry: the whole group, or nothing
// when it does not fit in the 100 slots (or the canvas owns no list).
bool AppendAdd(CanvasModel& canvas, std::span<const InfoAdd> group);

// Draws one entry; nothing for a hidden entry or an unknown kind. The pen ends solid, width 1.
void DrawAddValue(const DrawContext& ctx, const CanvasModel& canvas, const InfoAdd& entry);
// Every entry of the list in order: what a redraw draws last.
void DrawAddValues(const CanvasModel& canvas, const DrawContext& ctx);

// The value of an entry as the display dialog shows it: its direction as a line or a plane,
// "conf.95% 12.3°" for a cone, empty when the kind has none.
std::string StValeurAdd(const InfoAdd& entry, const Notation& notation, bool decimals);

// The measurement an entry becomes when added to the data: its direction and colour, symbol 9,
// the nature of its kind, the comment "add.v " and its number, the plot style's display bits
// with "present" (and "plane" for a plane nature), placed on the net.
InfoVal AddValueRecord(const InfoAdd& entry, int number, std::int32_t stylePlot, const Net& net);

// A point of a small circle through three points: a record number (1..lNT) or -1 for a
// clicked position, and its direction.
struct ConstructionPoint {
    int record = -1;
    Direction at;
};

// A computed result offered to the best-fit plot dialog. Kind 3 carries its principal part
// (0, 1, 2) in cone95.
struct BestFit {
    int kind = kAddBestAxis;
    double cone99 = 0;
    double cone95 = 0;
    double aperture = 0;
    double plunge = 0;
    double trend = 0;
    std::array<ConstructionPoint, 3> points{}; // kind 49
};

// Whether the dialog accepts the kind: 1, 2, 3, 25, 38, 39, 49.
bool IsBestFitKind(int kind);

// What the user chose in the dialog.
struct BestFitChoices {
    bool pole = false;
    bool circle = false;
    bool cone95 = false;
    bool cone99 = false;
    bool thick = false;
    bool dot = false;
    bool twoParts = false;
    bool optionsOpen = false;
    bool decimals = false;
    bool tailed = false;
    int colour = 0;
    int symbol = 101;
    friend bool operator==(const BestFitChoices&, const BestFitChoices&) = default;
};

// Bits of OptAdd, the dialog's memory.
enum OptAddBit : int {
    kOptAddPole = 1,
    kOptAddCircle = 2,
    kOptAddCone95 = 3,
    kOptAddCone99 = 4,
    kOptAddThick = 5,
    kOptAddDot = 6,
    kOptAddTwoParts = 7,
    kOptAddOptionsOpen = 8,
    kOptAddDecimals = 12,
    kOptAddTailed = 13,
};

// The texts and states of the dialog's boxes for a result.
struct BestFitTexts {
    std::string caption;     // also the group box's
    std::string circleBox;   // second box: "attached cyclo", "cyclo trace" ...
    bool circleShown = true; // hidden for kind 49
    bool planeNotation = false;
    bool apertureShown = false;
    std::string cone95Box;
    std::string cone99Box;
    bool cone95Enabled = false;
    bool cone99Enabled = false;
    bool twoPartsEnabled = false;
};
BestFitTexts BestFitDialogTexts(const BestFit& fit);
// The read-only fields: the direction in the line or plane notation, the aperture in degrees.
std::string BestFitDirection(const BestFit& fit, const Notation& notation, bool decimals);
std::string BestFitAperture(const BestFit& fit, bool decimals);

// The choices the dialog opens with, from OptAdd, TcoAdd[kind] and SyAdd[kind]: kind 1 opens
// with its circle unticked, kinds 3, 38 and 39 with their pole unticked.
BestFitChoices InitialChoices(int kind, const VarGlob& settings);
// What closing the dialog remembers: the colour and symbol of the kind, and the boxes the
// dialog shows enabled into OptAdd (a hidden or disabled box keeps its bit, and so does a box
// the kind opens unticked, unless the user ticked it).
void StoreChoices(const BestFit& fit, const BestFitChoices& choices, VarGlob& settings);

// The entries a confirmed result appends, in order, not yet numbered.
std::vector<InfoAdd> BestFitEntries(const BestFit& fit, const BestFitChoices& choices);

// OK of the dialog on the canvas: appends the entries and sets the undo record to take them
// back. False, the canvas unchanged, when they do not fit.
bool KeepBestFit(CanvasModel& canvas, const BestFit& fit, const BestFitChoices& choices);

// The report of a bootstrap position (kinds 38 and 39) in the information panel: the bold
// heading and two lines. Empty for the other kinds.
std::vector<InfoLine> BestFitReport(const BestFit& fit, int tossings, const Notation& notation,
                                    bool decimals, DayCount now);

} // namespace ploq
