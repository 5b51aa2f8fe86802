#pragma once

// The right dihedra and the P-T axes of fault/striae pairs (Angelier & Mechler 1977).
//
// For a fault of pole n and striae s (unit vectors, the upward ends as the canvas hemisphere
// gives them), a = n + s and b = n - s lie in the plane of movement at 45 degrees from the
// fault; the sense of movement tells which of them is the shortening (P) direction, the other
// being T. A direction g lies in the P dihedra of the fault when |g.P| > |g.T|. Counting, on the
// crown grid, how many faults put each node in their P dihedra gives the right dihedra: the
// nodes of the largest count are the compressions most faults agree with.
//
// The sense is read as the fault tools read it: Calculate and the node removal on the fault
// row; the value at a direction (clicks, density contours) and the P-T axes on the striae row,
// or on the fault row when the striae row names no sense (the light code "L"). A pair of
// unknown sense is skipped whole. A pair whose striae is parallel to its fault's pole has no
// plane of movement (a or b of no length): it is skipped and named, never counted everywhere.

#include "canvas/UtilPlot.h"
#include "faults/Faults.h"
#include "model/Conversion.h"
#include "model/Trigo.h"
#include "platform/Clock.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ploq {

// The P and T directions of a pair, unnormalised (as a and b are).
struct PTSides {
    Vec3 p;
    Vec3 t;
};

// The P side of a pair of known sense: b for reverse, a for normal; for dextral b when the
// striae is at most 90 degrees from the strike direction (`angleToStrike`, 0..pi), else a; for
// sinistral a below 90 degrees, else b. None for an unknown sense, or when a or b has no length.
std::optional<PTSides> PTSidesOf(const Vec3& n, const Vec3& s, Sense sense, double angleToStrike);

// Whether g lies in the P dihedra: |g.P| > |g.T|.
inline bool InPDihedra(const Vec3& g, const PTSides& sides)
{
    const double p = g.x * sides.p.x + g.y * sides.p.y + g.z * sides.p.z;
    const double t = g.x * sides.t.x + g.y * sides.t.y + g.z * sides.t.z;
    return (p < 0 ? -p : p) > (t < 0 ? -t : t);
}

// Where a fault tool reads the sense of a pair for the P side.
enum class DihedraSense {
    FaultRow,  // Calculate, node removal, "Set a nod to zero"
    StriaeRow, // the value at a direction: a known sense on the fault row, the P side from the
               // striae row (the fault row's when the striae row names none)
    EitherRow, // P-T axes: the striae row's sense, the fault row's when the striae row names none
};

// A pair with its P and T sides, ready to test directions against.
struct DihedraFault {
    int first = 0; // the fault's record, 1-based
    Sense sense = Sense::Unknown;
    PTSides sides;
};

struct DihedraFaults {
    std::vector<DihedraFault> faults;
    std::vector<int> unknown;    // the fault records skipped for an unknown sense
    std::vector<int> degenerate; // the fault records skipped for a striae along the pole
};

// The pairs of the records (1-based positions in `first`), with their sides in the canvas
// hemisphere.
DihedraFaults DihedraFaultsOf(std::span<const InfoVal> records, bool lowerHemisphere,
                              DihedraSense where);

// The number of faults whose P dihedra holds g (frame H; either end of the axis).
int CountAt(std::span<const DihedraFault> faults, const Vec3& g);

// CountAt for a direction: what clicks and the density contours of the right dihedra sample.
class DihedraCounter {
public:
    DihedraCounter(std::span<const InfoVal> records, bool lowerHemisphere);
    int CountAt(const Direction& d) const;
    int faults() const { return static_cast<int>(faults_.size()); }

private:
    std::vector<DihedraFault> faults_;
};

// Makes the right dihedra contouring's density the value of this counter, on the hemisphere of
// the net it draws on.
void FillRightDihedraDensity();

// A right dihedra: the count of every node of a grid of `crowns` crowns (the outer crown
// folded, each node and its opposite taking the larger of the two), the largest and smallest
// counts, and the faults counted.
struct DihedraResult {
    int crowns = 0;
    std::vector<int> counts;
    int ma = 0;
    int mi = 0;
    DihedraFaults pairs;

    int faults() const { return static_cast<int>(pairs.faults.size()); }
};
DihedraResult CalculateDihedra(std::span<const InfoVal> records, int crowns,
                               bool lowerHemisphere);

// Folds the outer crown: node i of its first half and node i + 3n both take the larger value.
void FoldOuterCrown(std::vector<int>& counts, int crowns);

// "Set a nod to zero": the pairs of the canvas whose P dihedra holds the node are removed and
// their dihedra taken off every node; the pairs of unknown sense (or without a plane of
// movement) are dropped, the others kept.
struct NodeRemoval {
    std::vector<int> counts;
    int ma = 0;
    std::vector<int> kept;    // fault records (1-based) of the pairs kept, in order
    std::vector<int> removed; // fault records of the pairs removed
    std::vector<std::string> lines; // one per removed pair: "12 FN  (45/270)"
};
NodeRemoval RemoveNode(std::span<const InfoVal> records, std::span<const int> counts, int crowns,
                       int node, bool lowerHemisphere, const Notation& notation);

// "12 FN  (45/270)": the number, "F" and a dip-slip sense letter or "D" and a strike-slip one,
// the pole in the notation of lines.
std::string DerelictedLine(const InfoVal& plane, const Notation& notation);

// The P and T axes of a pair, as lower-hemisphere directions.
struct PTAxis {
    int first = 0;
    Direction p;
    Direction t;
};
struct PTAxes {
    std::vector<PTAxis> axes;
    std::vector<int> unknown;
    std::vector<int> degenerate;
};
PTAxes ComputePTAxes(std::span<const InfoVal> records, bool lowerHemisphere);

// The records of a P-T canvas: P then T for each pair, the nature "lP" or "lT", the codes of the
// fault, colour 1 for P and 2 for T, `inf` the plot style with bit 0 set and bit 1 clear.
std::vector<InfoVal> PTRecords(std::span<const InfoVal> records, const PTAxes& axes,
                               std::int32_t stylePlot);

constexpr int kPColour = 1;
constexpr int kTColour = 2;

// The report of a P-T axes command: the heading (time, " - ", "Axis P and T") and the count.
std::vector<InfoLine> PTReport(const PTAxes& axes, DayCount now);
// The lines naming the pairs skipped for a striae along the pole.
std::vector<std::string> DegenerateLines(std::span<const InfoVal> records,
                                         std::span<const int> degenerate);

// The label of a right dihedra or P-T canvas: the number of faults and " f".
std::string FaultCountLabel(int faults);

// The display step of the fault canvases' button (i1) and the caption naming the next one.
int NextFaultStep(int step, bool clickModeRunning);
const char* FaultStepCaption(int step);

} // namespace ploq
