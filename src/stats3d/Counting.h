#pragma once

// Counting on the crown grid: the nodes spread over the lower hemisphere, the count of the
// measurements in the cone of every node, the report lines and the display of a counting
// canvas. Nothing here knows a window: the menu command and the command line both read these
// numbers and lines.
//
// The grid of n crowns: node 0 is the vertical; crown k (1..n) holds the 6k nodes numbered
// 3k(k-1)+1 .. 3k(k+1), from north clockwise in steps of 60/k degrees, k.Delta from the
// vertical with Delta = 90/n degrees. Counting is axial: a measurement and its opposite count
// alike, and the outer crown, on the primitive circle, is folded so that opposite nodes carry
// the same count.

#include "canvas/DrawContext.h"
#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "model/Trigo.h"
#include "platform/Clock.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace ploq {

class CanvasModel;
struct CanvasPainters;

// The crown numbers a grid may have: within 0.04 rad of the vertical only node 0 is near
// enough, and the cones keep clear of the nodes beyond the neighbouring ones.
constexpr int kMinCrowns = 5;
constexpr int kMaxCrowns = 12;

// The number of nodes of a grid of n crowns, 3n(n+1) + 1, and the first node of crown k.
constexpr int NodeCount(int crowns)
{
    return 3 * crowns * (crowns + 1) + 1;
}
constexpr int FirstNodeOfCrown(int crown)
{
    return 3 * crown * (crown - 1) + 1;
}

// The crown spacing Delta and the half-aperture a = (60/n) degrees of the counting cone.
double CrownSpacing(int crowns);
double CountingCone(int crowns);

// The direction of a node (trend c.pi/(3k), plunge pi/2 - k.Delta).
Direction NodeDirection(int node, int crowns);

struct CountingGrid {
    int crowns = 0;
    // One unit vector per node in frame H (z up), the lower end of its axis:
    // (sin t sin kD, cos t sin kD, -cos kD) for trend t on crown k; node 0 is (0, 0, -1).
    std::vector<Vec3> nodes;

    int lastNode() const { return NodeCount(crowns) - 1; }
};

// The node vectors of a grid of n crowns (the right dihedra count on the same nodes).
CountingGrid CountingGridNodes(int crowns);

// The nodes whose cone may hold a measurement of that direction, at most five: node 0 alone
// within 0.04 rad of the vertical; inside the first crown node 0 and the two nodes of crown 1
// round its trend; further out the two nodes of the crown just inside and the two of the crown
// just outside, or the two of the outer crown alone for a horizontal measurement.
struct NodeCandidates {
    std::array<int, 5> node{};
    int count = 0;

    std::span<const int> nodes() const { return {node.data(), static_cast<std::size_t>(count)}; }
};
NodeCandidates CandidateNodes(const Direction& d, int crowns);

struct CountingResult {
    int crowns = 0;
    std::vector<int> counts; // per node, the outer crown folded
    int ma = 0;              // the largest count
    int counted = 0;         // measurements counted
    double U = 0;            // (1 - cos a) x counted: the count of a node for a uniform spread

    // count / U, or 0 when nothing was counted.
    double uniformity(int count) const { return U > 0 ? count / U : 0; }
};

// Counts the measurements (unit vectors in frame G, z down, as the working set holds them) on
// the grid of n crowns: each measurement adds 1 to every candidate node whose cone holds it
// (|u.v| >= cos a), then each pair of opposite nodes of the outer crown takes the sum of both.
// A crown number outside 5..12 is taken at the nearer end.
CountingResult CountNodes(std::span<const Vec3> u, int crowns);

// The report of a counting: the heading, the grid, the uniformity line (as multiples of U
// when `uniformityMultiples`), an empty line.
std::vector<InfoLine> CountingReport(const CountingResult& result, bool uniformityMultiples,
                                     DayCount now);

// The node a clicked direction falls nearest in the grid of n crowns: crown
// round((90 deg - plunge) / Delta), node 0 below 1, else the index round(trend / (60/w deg))
// modulo 6w of crown w.
int NodeAt(const Direction& d, int crowns);
// "nod %d, position : %s " with the node's direction in the notation of lines, then its count.
std::string NodePositionLine(int node, int crowns, int count, const Notation& notation);

// What a counting canvas holds: the counts with their crown number, ma, the number counted
// (lNT) and U (ar1).
void KeepCounting(CanvasModel& canvas, const CountingResult& result);

constexpr TColor kCountMaxColour = 255;     // red, bold
constexpr TColor kCountLowColour = 8421504; // grey, at most half the largest count

// The counts of a counting canvas at their nodes: each positive count centred on its projected
// node with its top 6 px above, red bold for the largest, black above half of it, grey below;
// the count itself or, with the uniformity option (bit 5 of lOptS3Dadd), count/U "%1.1f".
void DrawCounting(const CanvasModel& canvas, const DrawContext& ctx);

// Makes the canvas draw its kind-3 counts through DrawCounting.
void RegisterCountingDisplay(CanvasPainters& painters);

} // namespace ploq
