#pragma once

// What every 3D statistic starts from, the working set of a canvas (the present measurements
// of the chosen symbol and colour sets, as unit vectors made once per command), and the best
// axis, plane or pole of a set: its numbers, its report lines and the marks it leaves on the
// canvas at once. Nothing here knows a window: the menu command and the command line both
// read these numbers and lines.

#include "canvas/DrawContext.h"
#include "canvas/UtilDessin.h"
#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "platform/Clock.h"
#include "stats3d/Eigen.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// What a working set holds, from the first letters of its nature codes.
enum SetClass : int { kSetEmpty = 0, kSetLines = 1, kSetPlanes = 2, kSetMixed = 3 };

struct WorkingSet {
    std::vector<Vec3> u; // one unit vector per measurement, a plane by its pole
    int lines = 0;
    int planes = 0;

    int n() const { return static_cast<int>(u.size()); }
    int setClass() const;
};

// The present records (bit 0 of inf) whose (symbol, colour) pair the selection holds.
WorkingSet MakeWorkingSet(std::span<const InfoVal> records, const SymbolSelection& tsy);

inline constexpr std::string_view kMsgMixedSet =
    "Both lines and planes mixed in the selection\r(all the poles will be seen as poles of "
    "axis)\r\rContinue ?";

// The bold heading of a result: "14:05 - " and the title.
std::string ResultHeading(DayCount now, std::string_view title);

struct BestPoleResult {
    int setClass = kSetEmpty;
    int n = 0;
    std::array<double, 3> lambda{};  // normalized eigenvalues, decreasing
    std::array<Direction, 3> axes{}; // their eigenvectors, lower hemisphere
    ConePair cones;                  // about axes[0]
    int sweeps = 0;

    // The best axis, or the pole of the best plane.
    const Direction& direction() const { return axes[0]; }
};

// The orientation matrix of the set, its eigen analysis and the cones of its principal axis
// (kind 2 for planes, 1 otherwise).
BestPoleResult BestPoleOf(std::span<const Vec3> u, int setClass);

// "Best axis", "Best plane", "Best pole (mix of axis and planes)".
std::string_view BestPoleTitle(int setClass);
// The kind of the best-fit plot: 2 for planes, 1 otherwise.
int BestPoleFitKind(int setClass);

// The lines written before the best-fit plot: the 95 % cone or the failure, the 99 % cone.
std::vector<std::string> ConeLines(const ConePair& cones);
// The lines written once the result is kept: "axis : " or "plane : " with decimals, "lambda".
std::vector<std::string> BestPoleValueLines(const BestPoleResult& result, const Notation& notation);
// The whole report, as the panel shows it when the result is kept: heading, cones, values.
std::vector<InfoLine> BestPoleReport(const BestPoleResult& result, const Notation& notation,
                                     DayCount now);

constexpr int kBestPoleSymbol = 10;
constexpr int kBestPoleColour = 9;

// What the canvas shows at once: symbol 10 in colour 9 at the result and its usable cones
// dashed in the grid colour. The pen ends solid.
void DrawBestPoleMarks(const DrawContext& ctx, const BestPoleResult& result);

} // namespace ploq
