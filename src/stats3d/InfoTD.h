#pragma once

// What a Trackdip canvas keeps: the elements of its polygones and the extent of the analysis.

#include <vector>

namespace ploq {

// One element of a Trackdip canvas: a tilt record of a retained polygone, or the end mark of a
// polygone (w = z = -1).
struct InfoTD {
    int ix = 0;   // 1 when the element has been clicked as a summit
    int ii = 0;   // its tilt record number
    double w = 0; // window size
    double z = 0; // boundary depth
    double e = 0; // rotation angle, radians
    double a = 0; // rotation axis trend, radians
    bool isMax = false;

    bool isEnd() const { return w < 0; }
};

using TrTD = std::vector<InfoTD>;

// The depths and window sizes a Trackdip canvas spans; nothing is drawn before an analysis.
struct TrackdipExtent {
    bool analysed = false;
    double zmin = 0;
    double zmax = 0;
    double firstWindow = 0;
    double lastWindow = 0;
};

} // namespace ploq
