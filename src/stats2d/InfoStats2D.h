#pragma once

// One distribution of a 2D statistics diagram (a rose, a circular or linear histogram): its
// class counts, the class of the maximum, the mean and median directions and the choices it
// was computed with. A diagram window holds up to five of them, drawn over each other.

#include <array>
#include <cstdint>

namespace ploq {

constexpr int kClassEntries = 361;   // vCl: entries 0..360
constexpr int kMaxDistributions = 5; // distributions in one diagram

struct InfoStats2D {
    // Plain classes: entry 0 holds the values below the shift, entry j (1..nCl-1) those of
    // [oCl + (j-1)wCl, oCl + j wCl), entry nCl the last class up to the end of the range; on a
    // circle entries 0 and nCl both hold the class that straddles the origin. Smoothed: the
    // count of the window of wCl degrees centred on each whole degree.
    std::array<std::int32_t, kClassEntries> vCl{};
    std::int32_t wCl = 10;  // class width, degrees
    std::int32_t nCl = 0;   // number of classes, or of degrees covered when smoothed
    std::int32_t oCl = 0;   // origin shift of the classes, degrees, 0 <= oCl < wCl
    std::int32_t ntV = 0;   // number of values counted
    std::int32_t nCM = 0;   // count of the fullest class
    std::int32_t pCM = 0;   // start of the fullest class, or the degree of the smoothed maximum
    std::int32_t colh = 0;  // colour index
    std::int32_t natM = 2;  // kind of measurement, MeasureKind
    std::int32_t sBy = 0;   // angle taken of planes, PlaneAngle
    std::int32_t style = 0; // the 2D statistics option word when it was computed
    double moy = 0;         // mean direction, radians
    double med = 0;         // median direction, radians
    std::int32_t nMin = 0;  // fewest values on one side of a diameter through a value
    std::int32_t iMin = 0;  // index (from 0) in the sorted values of the value that gives nMin
    std::int32_t clef = 0;
};

using TInfo2D = std::array<InfoStats2D, kMaxDistributions>;

} // namespace ploq
