#pragma once

// The levels and options of a contouring, as a contour canvas keeps them and redraws from them.

#include "platform/Colour.h"

#include <array>
#include <cstdint>

namespace ploq {

// One level: its value (a multiple of the uniformity value, or a raw count) and its colour.
struct Contour {
    double z = -1;
    TColor cz = clWhite;
};

// Levels in use first, in increasing order; the others hold z = -1 and white.
using TContour = std::array<Contour, 13>;

constexpr int kMaxContourLevels = 10;
constexpr int kMinContourStep = 3; // degrees

// How the lines are drawn (modeC).
constexpr int kContourSegments = 0;
constexpr int kContourPolylines = 1;
constexpr int kContourBezier = 2;

struct ParamContours {
    TContour tz{};
    double cone = 20; // half-aperture of the counting cone, degrees
    double funif = 1; // a level times funif is a count: U with uniformity multiples, else 1
    double max = 0;   // largest node count (raw)
    double min = 0;   // lower bound, not used by the drawing
    int pas = 6;      // grid step, degrees
    int nz = 0;       // levels in use
    bool filled = false;
    bool blackLine = false;
    bool bezier = false; // smoothing of the right dihedra (chains drawn with modeC 0)
    std::int16_t modeC = kContourSegments;
    // The right dihedra's contouring: levels are values as they stand, the boundary cells'
    // segments blacken with blackLine, chains are drawn when `bezier` is set.
    bool rightDihedra = false;
};

} // namespace ploq
