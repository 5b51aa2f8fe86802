#pragma once

// Circular statistics of one angle per measurement: a trend, a strike, a dip direction or a
// dip. The values are collected from a data sheet or a canvas, sorted, and reduced to class
// counts (plain or smoothed), the class of the maximum, the mean direction and the median
// direction with the Hodges-Ajne count; the report lines say what was found.
//
// Angles are radians in memory, degrees in the reports and the class bounds. Axes (kinds 0
// and 1) are held in [0, 180°), vectors in [0, 360°), dips in [0, 90°]. Statistics of axes
// work on doubled angles, so that 5° and 175° lie 10° apart.

#include "canvas/UtilDessin.h"
#include "model/DataSheet.h"
#include "model/Trigo.h"
#include "platform/Clock.h"
#include "stats2d/InfoStats2D.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ploq {

// Diagram types (i0 of a diagram window).
enum DiagramType : int {
    kDiagramRose = 0,
    kDiagramCircular = 1,
    kDiagramLinear = 4,
    kDiagramKuiper = 6,
    kDiagramFaultStrikes = 7,
    kDiagramFaultDips = 8,
    kDiagramFaultRakes = 9,
};

// Kinds of measurement (natM).
enum MeasureKind : int {
    kAxes180 = 0,    // axis strikes, 0-180
    kAxes360 = 1,    // axis trends, shown at both ends on 0-360
    kVectors360 = 2, // vector trends, 0-360
    kDips90 = 3,     // dips, 0-90; not circular
};

// The angle taken of a plane (sBy).
enum PlaneAngle : int { kPlaneStrike = 0, kPlaneDipDirection = 1, kPlanePole = 2 };

// The range R of the values in degrees: 180 for axes, 360 for vectors, 90 for dips.
int RangeDeg(int natM);
bool IsAxial(int natM);
bool IsCircular(int natM);

// The one angle of a measurement, radians: a plane's pole trend turned to the strike or the
// dip direction or kept, brought into [0, R); the plunge for dips.
double OneAngle(const Direction& d, bool plane, int natM, int sBy);

// Rows of a sheet whose code in `field` matches `key` (MatchCode; an empty key takes every
// row). Rows without a valid value or nature are left out.
struct SheetSelection {
    Field field = Field::Nature;
    std::string key;
};

// The values of the selected rows, sorted.
std::vector<double> CollectSheet(const DataSheet& sheet, const SheetSelection& selection, int natM,
                                 int sBy);
// The values of the displayed records whose (symbol, colour) pair is chosen (every displayed
// record when `chosen` is null), sorted.
std::vector<double> CollectRecords(std::span<const InfoVal> records, const SymbolSelection* chosen,
                                   int natM, int sBy);

// The class width must divide the range (180°, or 90° for dips): it is lowered until it does,
// with the message to show.
struct WidthCheck {
    int width = 0;
    std::string message; // empty when the width was allowed
};
WidthCheck CheckClassWidth(int width, int natM);
// The message refusing a shift that is not smaller than the width, or none.
std::optional<std::string> CheckShift(int shift, int width);
// A shift brought into [0, width): -5 with classes of 10 gives the classes of 5.
int NormalShift(int shift, int width);

// Class counts of the sorted values into info.vCl, with info.wCl, oCl (normal) and natM set:
// nCl, ntV, nCM and pCM follow. On a circle the class straddling the origin is held in both
// entries 0 and nCl; for axes 0-360 the counts are mirrored onto the second half.
void CountClasses(std::span<const double> sorted, InfoStats2D& info);
// Smoothed counts: for each whole degree c of the range, the values of [c - w/2, c + w/2),
// wrapping on a circle. pCM is the degree of the maximum.
void CountSmoothed(std::span<const double> sorted, InfoStats2D& info);

// A class as it is drawn and listed: its entry in vCl and its bounds in degrees.
struct ClassSpan {
    int entry = 0;
    double from = 0;
    double to = 0;
};
// The plain classes of a distribution, each once, from the origin on, the straddling class in
// its two halves.
std::vector<ClassSpan> ClassSpans(const InfoStats2D& info);
// The bounds of the class of the maximum, degrees, within [0, R] (the end of a class that
// straddles the origin wraps: "355 - 5").
ClassSpan MaxClass(const InfoStats2D& info);

// The direction of the resultant of the values, radians in [0, R); doubled angles for axes.
double MeanDirection(std::span<const double> values, int natM);

struct MedianScan {
    double med = 0; // radians
    int nMin = 0;   // the Hodges-Ajne count: fewest values on one side of a diameter
    int iMin = 0;   // index in the sorted values of the first value giving nMin
};
// For each sorted value v_i, j_i counts the values in the open half-circle (v_i, v_i + 180°)
// clockwise (doubled angles for axes); nMin is the smallest min(j_i, n - j_i). The median is
// a value with j_i = n div 2 (odd n) or the mean of it and the next value (even n); among
// several, the one of least mean arc distance to the data.
MedianScan MedianDirection(std::span<const double> sorted, int natM);

// The mean arc distance from `at` to the values (radians), on doubled angles for axes: the
// quantity the median makes least.
double MeanArcDistance(std::span<const double> values, double at, int natM);

// What a computation is asked for, as the dialog gives it.
struct Stats2DChoice {
    int type = kDiagramRose;
    int natM = kVectors360;
    int sBy = kPlaneStrike;
    int width = 10;         // checked already (CheckClassWidth)
    int shift = 0;          // checked already (CheckShift)
    std::int32_t style = 0; // StyleStats2D: smoothed, average, median ...
    int colour = 0;
};

struct Stats2DReport {
    InfoStats2D info;
    // The heading (time and title), then the result lines.
    std::vector<std::string> lines;
};

// Counts, maximum, mean and median of the sorted values, and the report written for them.
Stats2DReport ComputeStats2D(std::span<const double> sorted, const Stats2DChoice& choice,
                             DayCount now);

// The class listing of a diagram's distributions: its title, then for each distribution the
// time, the number of values and the maximum, and a line per class. The classes of the rake
// histogram (type 9) are listed from -180 degrees, as its axis is labelled.
std::string ListingTitle(int type, const std::string& windowTitle);
std::vector<std::string> ClassListing(int type, std::span<const InfoStats2D> distributions,
                                      DayCount now);

// " (rose diagram)", " (circular histo)", " (histogram)" or " (Kuiper test)" after " Stats 2D - n".
std::string DiagramTitleSuffix(int type);

// The kind of measurement and the angle of planes an option word holds (StyleStats2D: one bit
// of each group set; vectors and strikes when none is), and the word with them set.
int KindOfStyle(std::int32_t style);
int PlaneOfStyle(std::int32_t style);
void SetKindAndPlane(std::int32_t& style, int natM, int sBy);
// The summary of the dialogs: "axis (0 to 180\xB0)" ..., "S : trend" ...
std::string KindSummary(int natM);
std::string PlaneSummary(int sBy);

// Hodges-Ajne test of uniformity (Hodges 1955, Ajne 1968) on the statistic m = nMin, the
// fewest values on one side of a diameter: few values on one side tell that the values are
// not spread evenly round the circle.
constexpr int kHodgesAjneMaxValues = 50; // no verdict beyond

// P(m <= k) for n values drawn uniformly round the circle: (n - 2k) C(n, k) / 2^(n-1), exact
// for 3k < n (Hodges 1955); 1 beyond, where it is not needed.
double HodgesAjneTail(int n, int k);
// The critical value at the level alpha: the largest k whose tail is at most alpha, so that
// m <= k rejects uniformity; -1 when even m = 0 is not significant.
int HodgesAjneCritical(int n, double alpha);

struct HodgesAjneVerdict {
    bool available = false; // n within 1..50
    int c95 = -1;           // critical values, -1 for none
    int c99 = -1;
    bool reject95 = false;
    bool reject99 = false;
};
HodgesAjneVerdict HodgesAjneTest(int n, int m);

// The circular plot's statistics of sorted values: mean, median, the Hodges-Ajne count, its
// diameter and verdict, and the report lines (the heading first).
struct CircularPlotReport {
    InfoStats2D info;    // ntV, natM, sBy, moy, med, nMin, iMin
    double diameter = 0; // v[iMin], radians: the diameter with nMin values on a side
    HodgesAjneVerdict verdict;
    std::vector<std::string> lines;
};
// Nothing is computed without values: the caller tells the user first.
CircularPlotReport ComputeCircularPlot(std::span<const double> sorted, int natM, int sBy,
                                       DayCount now);

// Kuiper's test of uniformity (Kuiper 1960) with Stephens' (1970) modified statistic: the
// values as fractions d_i of their range (doubled angles for axes held in [0, 180)) against
// the steps i / n of their empirical distribution.
struct KuiperResult {
    int n = 0;
    double dMin = 0; // least d_i - i/n
    double dMax = 0; // largest d_i - i/n
    double V = 0;    // D+ + D- = dMax - dMin + 1/n
    double c05 = 0;  // critical values of V at the 0.05 and 0.01 levels
    double c01 = 0;
    bool reject05 = false;
    bool reject01 = false;
};
// c of d_i = c v_i / 360 (v_i in degrees): 2 for axes, 1 for vectors, 4 for dips.
double KuiperScale(int natM);
// Stephens' k = sqrt(n) + 0.155 + 0.24 / sqrt(n): V k has upper points 1.747 (0.05) and
// 2.001 (0.01) whatever n.
double StephensFactor(int n);
KuiperResult KuiperTest(std::span<const double> sorted, int natM);
// Only zeros (the largest value is 0): the Kuiper diagram cannot be scaled on them.
bool OnlyZeroValues(std::span<const double> sorted);
// "Kuiper test  nV  %d", written before the values are checked.
std::string KuiperCountLine(int n);
// The heading, the deviations and the test line.
std::vector<std::string> KuiperLines(const KuiperResult& result, DayCount now);

inline constexpr std::string_view kMsgSixthRose = "No more than 5 roses in a same diagram ";
inline constexpr std::string_view kMsgNoValue = "No value to analyse with these choices...";
inline constexpr std::string_view kMsgOnlyOneSet = "only 1 set of data";
inline constexpr std::string_view kMsgKuiperZeros =
    "Kuiper stats, error on the selected values (only nul values)";

} // namespace ploq
