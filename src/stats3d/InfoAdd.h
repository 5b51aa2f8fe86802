#pragma once

// One additional value of a canvas: a result (best axis, plane, circle, cone, cluster centres,
// construction) that stays on the canvas and is drawn over its records at every redraw.
// Angles are radians; x[i] is a trend and y[i] the plunge that goes with it.

#include "model/TypesGlob.h"

#include <array>
#include <vector>

namespace ploq {

struct InfoAdd {
    // x[0], y[0]: the direction (a point, a pole, the axis of a cone or small circle).
    // x[1]: half-aperture of a cone or small circle; for 54 and 58 the second point's trend.
    // x[2..4], y[2..4]: kind 54's second line (x[2]); kind 49's three construction points.
    // Kind 16: the up to 6 cluster centres.
    std::array<double, 6> x{};
    std::array<double, 6> y{};
    // a[0], b[0]: pixel of the pole of a manual fit. a[1]: pen width. b[1]: 1 dashed (or the
    // maximum offset of a manual fit's pole). a[2]: principal part of a small circle, or kind
    // 49's "pole" choice. b[2]: 1 also draws the complementary part. a[3..5]: kind 49's record
    // numbers (-1 for a clicked point). a[5], b[5]: list and underline choices of a manual fit.
    // Kind 16: b[0..5] are the member counts of the clusters.
    std::array<int, 6> a{};
    std::array<int, 6> b{};
    int nat = 0;  // kind of entry
    int nco = 0;  // colour index
    int nsy = 0;  // symbol; negative: its tadpole
    int rang = 0; // number shown to the user, unique within the canvas's list
    bool vis = false;
    bool initVis = false;
    friend bool operator==(const InfoAdd&, const InfoAdd&) = default;
};

// The list of a canvas: kMaxAdd slots for the kinds that own one, none for the others.
using TAdd = std::vector<InfoAdd>;

} // namespace ploq
