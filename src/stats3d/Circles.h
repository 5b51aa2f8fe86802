#pragma once

// The great and small circles that fit a girdle of measurements best,, and how a small circle
// shows on the net. Vectors come in frame G as the working set holds them; the
// small-circle iteration runs in the frame of the canvas's projection (frame H, or its opposite
// on a lower-hemisphere canvas). Apertures are radians, folded into 0..pi/2: a cone of axes and
// the cone of pi minus its aperture about the same axis are the same set of axes.

#include "canvas/DrawContext.h"
#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "platform/Clock.h"
#include "stats3d/Eigen.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ploq {

struct BestGreatCircleResult {
    int n = 0;
    std::array<double, 3> lambda{}; // normalized eigenvalues, decreasing
    Direction pole;                 // eigenvector of lambda3, lower hemisphere
    ConePair cones;                 // kind 25 about the pole
};

BestGreatCircleResult BestGreatCircleOf(std::span<const Vec3> u);

inline constexpr int kFitMaxPasses = 1999;

struct SmallCircleFit {
    bool failed = true;
    Direction axis;           // lower hemisphere
    double aperture = 0;      // 0..pi/2
    int passes = 0;           // passes of the iteration (0 for a set on one great circle)
    bool greatCircle = false; // the set lies on one great circle: its pole, aperture pi/2
};

// The small circle whose axis maximizes sum cos(theta_i - rho) with tan rho = sum s / sum c.
// Fewer than 3 distinct directions, or no convergence within maxPasses, fail.
SmallCircleFit FitSmallCircle(std::span<const Vec3> u, bool lowerHemisphere = true,
                              int maxPasses = kFitMaxPasses);

inline constexpr std::string_view kMsgSmallCircleFailed =
    "Unsuccesfull calculation of the best small circle";
// The principal part of a small circle on the net: 0 when it stays inside the primitive, else 1
// (the circle of the aperture) or 2 (that of pi minus it), whichever projected centre is nearer
// the projected best axis of the set.
int SmallCirclePart(double aperture, double plunge, double trend, const Direction& bestAxis,
                    const Net& net);

// The chi2 sum of the circle of that aperture about the axis: sum (theta_i - rho)^2, theta_i the
// angle between the axis and each direction, in 0..pi/2.
double Chi2Sum(std::span<const Vec3> u, const Direction& axis, double aperture);

} // namespace ploq
