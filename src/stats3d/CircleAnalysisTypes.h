#pragma once

// What a best-circle analysis canvas keeps: the smallest chi2 sum of every trial axis of the
// window (41 trends by up to 41 plunges, 1 degree apart) and the fits the diagram and the panel
// read. Angles are radians; the sums are not divided by n.

#include "model/Trigo.h"

#include <vector>

namespace ploq {

struct CircleAnalysisData {
    int n = 0;                // directions analysed
    int trends = 0;           // rows of the grid: trend k = first trend + k degrees
    int plunges = 0;          // columns: plunge c = first plunge + c degrees
    std::vector<double> chi2; // [k * plunges + c]: the smallest sum over the trial apertures

    Direction fitAxis;     // the small circle by iteration
    double fitAperture = 0;
    double window = 0;     // the width of the trend and plunge window
    double firstTrend = 0; // fitAxis trend - 20 degrees, may be negative
    double firstPlunge = 0;
    double lastPlunge = 0;
    double maximum = 0; // of the grid
    double minimum = 0;
    Direction bestAxis; // the grid's smallest sum
    double bestAperture = 0;
    double greatChi2 = 0; // the best circle of aperture pi/2 among the trial axes
    Direction greatAxis;
    Direction matrixPole; // the best great circle by the orientation matrix
    double matrixChi2 = 0;

    double at(int k, int c) const
    {
        return chi2[static_cast<std::size_t>(k * plunges + c)];
    }
};

} // namespace ploq
