#pragma once

// Confidence cones of the best great and small circles by bootstrap: the fit is repeated on T
// sets of n directions drawn with replacement among the n measurements, and the cones are the
// quantiles of the angles between the resampled axes and the reference one. Record 0 is the
// reference fit, records 1..T the resampled fits sorted by that angle. The generator is
// seeded by the caller, so a run can be repeated exactly.
//
// Vectors come in frame G, as the working set holds them. Angles are radians; the angle
// between two axes is folded into 0..pi/2.

#include "canvas/DrawContext.h"
#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "platform/Clock.h"
#include "stats3d/CircleAnalysis.h"
#include "stats3d/Circles.h"
#include "stats3d/VkiRecords.h"

#include <cstdint>
#include <functional>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// A great-circle record: x trend and y plunge of the fitted pole, z its chi2 sum, u its angle
// to the reference pole.
struct Vxyzu {
    double x = 0;
    double y = 0;
    double z = 0;
    double u = 0;
};

// A small-circle record: x, y its axis, z its chi2 sum about its own aperture, w the aperture,
// u its angle to the reference axis; a failed fit holds kFailedFit in w and u.
struct Vxyzt {
    double x = 0;
    double y = 0;
    double z = 0;
    double w = 0;
    double u = 0;
};

inline constexpr double kFailedFit = 9999;

// Told the number of tossings done after each one; false stops the run.
using BootstrapProgress = std::function<bool(int done)>;

enum class BootstrapStatus { Done, TooFew, NoMemory, ReferenceFailed, Cancelled };

inline constexpr std::string_view kMsgBootstrapTooFew = kMsgTooFewForAnalysis;
inline constexpr std::string_view kMsgNoMemoryGreatCircle =
    "Not enough memory, try bootstrap with a lower number of tossings";
inline constexpr std::string_view kMsgNoMemorySmallCircle =
    "Not enough memory, try bootstrap with a lower number of tossings (see Options)";
inline constexpr std::string_view kMsgVkiNotWritten = "VKi.txt could not be written";
inline constexpr std::string_view kVkiFileName = "VKi.txt";

// The smallest and largest trend, plunge and chi2 sum of the resampled fits.
struct BootstrapExtremes {
    double minTrend = 0, maxTrend = 0;
    double minPlunge = 0, maxPlunge = 0;
    double minChi2 = 0, maxChi2 = 0;
};

// The record at level p of m records sorted in increasing order: its 1-based rank
// round(p m), halves to even, kept within 1..m so that it is never the reference record 0
// nor past the last one. m must be at least 1.
int QuantileRank(double p, int m);

// The spread of sorted apertures between two levels: the record at level `high` less the
// one at level `low` (0.025 and 0.975 for the 95 % interval). None for no aperture.
std::optional<double> ApertureInterval(std::span<const double> sorted, double low, double high);

struct GreatCircleBootstrap {
    BootstrapStatus status = BootstrapStatus::TooFew;
    int n = 0;
    int tossings = 0;
    explicit GreatCircleBootstrap(std::pmr::memory_resource* memory) : records(memory) {}
    std::pmr::vector<Vxyzu> records; // 0..T; 1..T sorted by increasing u
    int bestRecord = 0;              // the resampled fit of smallest chi2 sum
    BootstrapExtremes extremes;
    double cone95 = 0;
    double cone99 = 0;

    const Vxyzu& reference() const { return records.front(); }
};

// The pole of the orientation matrix's smallest eigenvalue of the directions and of each of
// `tossings` resamples, with chi2 sums sum (theta_i - pi/2)^2. Fewer than 3 directions give
// TooFew; records that cannot be allocated from `memory` give NoMemory; a progress that returns
// false gives Cancelled. Only Done carries records.
GreatCircleBootstrap
BootstrapGreatCircleOf(std::span<const Vec3> u, int tossings, std::uint64_t seed,
                       const BootstrapProgress& progress = {},
                       std::pmr::memory_resource* memory = std::pmr::get_default_resource());

struct SmallCircleBootstrap {
    BootstrapStatus status = BootstrapStatus::TooFew;
    int n = 0;
    int tossings = 0;
    explicit SmallCircleBootstrap(std::pmr::memory_resource* memory) : records(memory) {}
    SmallCircleFit fit;              // the reference fit
    std::pmr::vector<Vxyzt> records; // 0..T; 1..T sorted by increasing u, failures last
    int valid = 0;                   // V: the resampled fits that succeeded
    int bestRecord = 0;              // among them, the one of smallest chi2 sum
    BootstrapExtremes extremes;
    double apertureOfMinChi2 = 0;
    double apertureOfMaxChi2 = 0;
    double cone95 = 0; // meaningful when valid > 0
    double cone99 = 0;
    int smallApertures = 0; // V': the valid fits of aperture below pi/2
    // The spread of the apertures, when smallApertures > 0.
    std::optional<double> interval95;
    std::optional<double> interval99;

    const Vxyzt& reference() const { return records.front(); }
};

// The small circle of FitSmallCircle (in the frame of a canvas of that hemisphere) of the
// directions and of each resample. A failed reference fit gives ReferenceFailed and nothing
// more; a failed resample is counted out of V.
SmallCircleBootstrap
BootstrapSmallCircleOf(std::span<const Vec3> u, int tossings, std::uint64_t seed,
                       bool lowerHemisphere = true, const BootstrapProgress& progress = {},
                       std::pmr::memory_resource* memory = std::pmr::get_default_resource());

// A seed for the generator from the clock's day count.
std::uint64_t SeedFromClock(DayCount now);

// The text of VKi.txt: two header lines (the reference, then the fit of smallest chi2 sum:
// trend, plunge, chi2 sum and, for a small circle, aperture), then records 0..T (resp. 0..V)
// as trend, plunge, chi2 sum. Each value is written in scientific notation with 15
// significant digits after a blank; lines end with CR LF.
std::string VkiText(const GreatCircleBootstrap& run);
std::string VkiText(const SmallCircleBootstrap& run);

// Reads the header lines, then at most `expected` + 1 records (0..expected), stopping at the
// first line that is not a record of two or three finite numbers: a truncated or garbled file
// gives the records before the fault.
VkiRecords ReadVki(std::string_view text, int expected);

// The panel's report: the bold heading, the result lines, the last one in italics. For a
// small-circle run with no valid fit, the heading and the count of failures only.
std::vector<InfoLine> BootstrapReport(const GreatCircleBootstrap& run, const Notation& notation,
                                      DayCount now);
std::vector<InfoLine> BootstrapReport(const SmallCircleBootstrap& run, const Notation& notation,
                                      DayCount now);

// What a finished run marks on the source canvas at once: every fit (symbol 4 in colour 14;
// the resampled small circles' axes symbol 307), the reference (symbol 4 in colour 14, resp.
// 13) over them, then the reference circle and its cones about its axis.
void DrawBootstrapMarks(const DrawContext& ctx, const GreatCircleBootstrap& run);
void DrawBootstrapMarks(const DrawContext& ctx, const SmallCircleBootstrap& run);

} // namespace ploq
