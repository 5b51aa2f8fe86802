#pragma once

// Directions, vectors, rotations, pitches and the two net projections.
//
// Conventions: trend before plunge, radians. A direction is the lower-hemisphere end of an
// axis (plunge 0..pi/2 downward, trend clockwise from north in [0, 2 pi)); a plane is given by
// its pole, or by its right-hand-rule strike s and dip d (dip direction s + pi/2). Frame G is
// x east, y north, z down; frame H is x east, y north, z up.

#include "model/TypesGlob.h"
#include "platform/Surface.h"

#include <functional>
#include <span>

namespace ploq {

struct Direction {
    double trend = 0;
    double plunge = 0;
};

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

// Style bits of a canvas that choose the net.
constexpr int kStyleLowerHemisphere = 14;
constexpr int kStyleWulff = 15;

// The net a direction is projected on: centre and radius in pixels, hemisphere, projection.
struct Net {
    int xc = 0;
    int yc = 0;
    int radius = 100;
    bool lowerHemisphere = true;
    bool equalAngle = false; // Wulff (equal-angle); otherwise Schmidt (equal-area)

    static Net FromStyle(int xc, int yc, int radius, std::int32_t styleCnvs);
};

// A real offset from the net centre, north positive.
struct PlaneOffset {
    double east = 0;
    double north = 0;
};

double NormalizeTrend(double trend); // into [0, 2 pi)

Vec3 DirToVec(const Direction& d);
Direction VecToDir(const Vec3& v);
Vec3 Cross(const Vec3& a, const Vec3& b);
double Dot(const Vec3& a, const Vec3& b);
// The pole of the plane through two lines, or the line where two planes (given by their poles)
// meet. Parallel inputs give the vertical.
Direction NormalOf(const Direction& first, const Direction& second);
// The upward unit vector of the axis in frame H (lower hemisphere shown), or its negation
// (upper hemisphere shown).
Vec3 DirCosines(const Direction& d, bool lowerHemisphere = true);
Direction CosinesToDir(const Vec3& h);
// Angle in [0, pi] between the two vectors (not axes).
double AngleBetween(const Direction& a, const Direction& b);

// Radius on the net of a direction of that plunge.
double NetRadius(double plunge, const Net& net);
Point DirToPixel(const Direction& d, const Net& net);
PlaneOffset DirToPlane(const Direction& d, const Net& net);
// Offsets from the centre beyond the primitive circle are taken on it.
Direction PixelToDir(int east, int north, const Net& net);
Direction PlaneToDir(double north, double east, const Net& net);

struct MeanResult {
    Vec3 mean;        // unit mean vector in frame G, zero when R is 0
    double R = 0;     // length of the vector sum
};
// The mean of the present values (bit 0 of inf) that `shown` accepts.
MeanResult MeanVector(std::span<const InfoVal> values,
                      const std::function<bool(const InfoVal&)>& shown = {});

// Rotation by `angle` about `axis`, clockwise looking down the axis.
Direction RotateDir(double angle, const Direction& axis, const Direction& d);
Vec3 RotateVec(double angle, const Direction& axis, const Vec3& h);

// The line of a plane (strike, dip) at a pitch measured from the strike direction toward the
// dip direction.
Direction PitchToLine(double pitch, double dip, double strike);
// The same, the pitch (0..pi/2) measured from the strike end named by the letter N, E, S or W.
Direction PitchLetterToLine(char letter, double pitch, double dip, double strike);

struct Pitch {
    double pitch = 0; // 0..pi/2
    char letter = 'N';
};
Pitch PitchOfLine(const Direction& line, double poleTrend);
// Angle in [0, pi] between the line and the strike direction of the plane.
double AngleToStrike(const Direction& line, double poleTrend);
// The line of the plane in the vertical section of the given trend, pointing down.
Direction ApparentDip(double sectionTrend, const Direction& pole);

struct PlungeLines {
    double trend1 = 0;
    double trend2 = 0;
    double plunge = 0;
    int choice = 0; // 1 or 2: the line the letter names; 0 when both are the same
};
// The two lines of a plane with a given plunge; the letter N, E, S or W picks one, any other
// letter leaves `previousChoice`.
PlungeLines LineOfPlunge(char letter, double plunge, double dip, double strike,
                         int previousChoice = 0);

} // namespace ploq
