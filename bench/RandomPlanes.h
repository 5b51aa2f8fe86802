// The canvas the drawing benchmarks share: as many random planes as a canvas holds, the same
// for a given seed.

#pragma once

#include "canvas/UtilPlot.h"

#include <numbers>
#include <random>

namespace ploq::bench {

inline void FillRandomPlanes(CanvasModel& canvas, const VarGlob& settings, unsigned seed = 7)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> trend(0, 2 * std::numbers::pi);
    std::uniform_real_distribution<double> plunge(0, std::numbers::pi / 2);
    for (int i = 0; i < kMaxValues; ++i) {
        InfoVal plane;
        plane.na = "S0";
        plane.azi = trend(random);
        plane.pen = plunge(random);
        AjoutVal(canvas, plane, settings);
    }
}

} // namespace ploq::bench
