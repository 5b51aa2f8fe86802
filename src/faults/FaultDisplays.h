#pragma once

// What the fault views show of the fault/striae pairs: the strike and dip of each fault, the
// angle of its striae to the strike, the pitch and the rake; the movement symbols of the rake
// view and the arrows of the hanging-wall view; the histograms of strikes, dips and rakes; and
// the pairs of a data sheet picked by their dip and pitch. Everything here is plain values and
// report lines: the windows show them, nothing here shows anything.
//
// Angles are radians in memory and degrees in the reports. The strike direction follows the
// right-hand rule (the plane dips to the right of it), so that the rakes keep the convention of
// Aki & Richards (1980): 90° a pure reverse fault, -90° a pure normal one, 0° sinistral, 180°
// dextral, the angle measured in the plane from the strike to the hanging wall's slip.

#include "faults/Faults.h"
#include "model/DataSheet.h"
#include "model/TypesGlob.h"
#include "platform/Clock.h"
#include "stats2d/InfoStats2D.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// --- Angles of a pair ---------------------------------------------------------------------

// The strike direction of a fault: its pole's trend plus 90°, in [0, 2 pi).
double FaultStrike(const InfoVal& plane);
// The dip of a fault: 90° minus its pole's plunge.
double FaultDip(const InfoVal& plane);
// The angle a (0..pi) between the striae and the strike direction of its fault.
double StriaeToStrike(const FaultPair& pair);
// The acute angle (0..pi/2) between the striae and the strike line: a, or pi - a beyond 90°.
double StriaePitch(const FaultPair& pair);

// The rake in (-pi, pi] of a striae at the angle a from the strike, by sense; none for an
// unknown sense.
//   "R" or "I"  pi - a          "D"  pi - a when a < 90°, else -a
//   "N"         -a              "S"  -a when a < 90°, else pi - a
std::optional<double> Rake(Sense sense, double a);

// The movement symbol of a pair in the rake view: 301 normal, 302 reverse, 304 and 303
// dextral, 305 and 306 sinistral (the first of each when a < 90°); 0 for an unknown sense.
int MovementSymbol(Sense sense, double a);
// The hanging-wall arrow of a striae: 1 away from the net centre, 0 towards it, -1 none.
int MovementArrow(Sense sense, double a);

// --- Striae rakes and hanging-wall movement -----------------------------------------------

constexpr int kStriaeRakeColour = 16; // the striae of a known sense in the rake view
constexpr int kHangingWallSymbol = 8; // every striae in the hanging-wall view
constexpr int kNoArrow = -1;

// What the two views make of a pair: the sense read on the fault row, the angle a, and the
// symbol and arrow they give it.
struct PairMovement {
    int first = 0; // the fault's record, 1-based; the striae is the next one
    Sense sense = Sense::Unknown;
    double a = 0;
    int symbol = 0;
    int arrow = kNoArrow;
};
std::vector<PairMovement> PairMovements(std::span<const InfoVal> records);

// The records of a rake view: both records of a pair of known sense take its movement symbol,
// the striae colour 16; pairs of unknown sense are left as they are.
void MarkStriaeRakes(std::span<InfoVal> records);
// The records of a hanging-wall view: every striae takes symbol 8 and its arrow in aux.
void MarkHangingWall(std::span<InfoVal> records);

// "Cnvs 2- Rake", "Cnvs 2- hanging wall mvt".
std::string StriaeRakesTitle(int sourceNumber);
std::string HangingWallTitle(int sourceNumber);
// Label1 of both views: "%d F", the number of displayed records halved.
std::string FaultViewLabel(int displayed);

// One line per pair: its number, its sense letter, a, the rake, the symbol and the arrow.
std::vector<std::string> MovementLines(std::span<const InfoVal> records,
                                       std::span<const PairMovement> movements);

// --- Histograms -----------------------------------------------------------------------------

// The three fault histograms are diagram types 7 (strikes), 8 (dips) and 9 (rakes).
struct FaultHistogramShape {
    int type = 0;
    int width = 10; // degrees
    int classes = 36;
    std::string_view title; // the diagram window's title
};
// The shape of a histogram type (7, 8 or 9); none for any other type.
std::optional<FaultHistogramShape> FaultHistogramOf(int type);

struct FaultHistogram {
    FaultHistogramShape shape;
    std::vector<double> values;     // degrees, in the order of the pairs
    int unknownSenses = 0;          // rake histogram: the pairs of unknown sense, not counted
    InfoStats2D info;               // one distribution, vectors, classes 1..nCl, no shift
    std::vector<std::string> lines; // the class listing: its title, time, counts, classes
};

// The histogram of a type over the pairs of the records: every fault for strikes and dips, the
// faults of a known sense for rakes (the sense read on the striae row, the fault's with the
// light code). A value on the upper end of the range (a dip of 90°, a rake of 180°) belongs to
// the last class.
FaultHistogram ComputeFaultHistogram(int type, std::span<const InfoVal> records, int colour,
                                     std::int32_t style, DayCount now);

// The class entry (1..classes) of a value in degrees measured from the start of the range.
int FaultClassEntry(double degreesFromStart, int width, int classes);

// --- Selection on dip and pitch -----------------------------------------------------------

// Degrees, bounds included.
struct AngleRange {
    double from = 45;
    double to = 90;
};
// The range with its bounds in increasing order.
AngleRange Ordered(AngleRange range);
// A range from two fields that may be empty: an empty "from" reads 0, an empty "to" 90.
AngleRange RangeOfFields(std::optional<int> from, std::optional<int> to);

struct FaultRanges {
    AngleRange pitch;
    AngleRange dip;
};

enum class UsualFault { Normal, StrikeSlip, Reverse };
// Normal: pitch 70-90, dip 50-90; strike slip: pitch 0-20, dip 50-90; reverse: pitch 50-90,
// dip 0-40.
FaultRanges UsualRanges(UsualFault kind);

struct FaultSelection {
    int pairs = 0;              // pairs looked at
    std::vector<int> firstRows; // the fault rows (1-based) of the pairs kept, in order
    std::vector<std::string> lines;
};
// The pairs of the rows whose fault dip and striae pitch lie in the ranges (each put in
// order first); the lines tell the ranges and what was kept.
FaultSelection SelectFaults(std::span<const InfoVal> rows, const FaultRanges& ranges);

// A new sheet with the source's columns, notations and headings holding the kept pairs, both
// rows of each with their texts and stored directions, renumbered and to be saved.
DataSheet SelectedFaultsSheet(const DataSheet& source, std::span<const int> firstRows);

// "Faults 1 (20 faults)": what the dialog shows of its sheet.
std::string SelectionCaption(const std::string& sheetTitle, int pairs);

inline constexpr std::string_view kMsgNoFaultFitting = "No fault fitting the criteria..";

} // namespace ploq
