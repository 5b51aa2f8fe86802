#pragma once

// The numerical core of the 3D statistics: the orientation matrix of a set of unit vectors,
// its eigen decomposition by the cyclic Jacobi method, the fourth moment about a direction and
// the confidence cones of a principal direction.
//
// Vectors are in frame G (x east, y north, z down), one per measurement, a plane by its pole;
// an axis and its opposite are the same measurement. Matrices are row-major, 0-based.

#include "model/Trigo.h"

#include <array>
#include <span>
#include <string>

namespace ploq {

using Mat3 = std::array<std::array<double, 3>, 3>;

struct OrientationTensor {
    Mat3 T{}; // sum of u uT, not divided by n
    int n = 0;
};

// T and n over the set.
OrientationTensor OrientationMatrix(std::span<const Vec3> u);

struct Eigen3 {
    std::array<double, 3> d{}; // eigenvalues, decreasing
    Mat3 V{};                  // column k: the unit eigenvector of d[k]
    int sweeps = 0;            // sweeps begun, 50 at most
    int rotations = 0;
};

constexpr int kJacobiMaxSweeps = 50;

// Eigenvalues and eigenvectors of a symmetric matrix (its upper triangle is read). Equal
// eigenvalues keep the later index first. Never fails: after 50 sweeps it gives what it has.
Eigen3 Jacobi3(Mat3 a);

// Divides the eigenvalues by n (nothing for n = 0): the normalized eigenvalues sum to 1.
void NormalizeEigen(int n, std::array<double, 3>& d);

// Column k of V as a lower-hemisphere direction.
Direction EigenAxis(const Eigen3& eigen, int k);

// E4 = (1/n) sum (v.u)^4 over the set; 0 for an empty set.
double FourthMoment(std::span<const Vec3> u, const Direction& v);

// Kinds of cone: about a principal axis (of lines, of poles of planes), or about the pole of
// a great circle.
enum ConeKind : int { kConeAxis = 1, kConePlane = 2, kConeGreatCircle = 25 };

// Half-apertures in radians; pi/2 when not available.
struct ConePair {
    double cone99 = 0;
    double cone95 = 0;
};

// The cones from the normalized eigenvalues, n and the fourth moment about the direction.
ConePair ConeAperturesE4(int kind, const std::array<double, 3>& lambda, int n, double e4);
// The same about a direction, n and E4 taken over the set.
ConePair ConeApertures(int kind, const std::array<double, 3>& lambda, std::span<const Vec3> u,
                       const Direction& v);

// A cone of 89.99 degrees or more is not shown and not kept.
inline constexpr double kConeLimit = 1.5706217938696971863;
inline bool ConeUsable(double cone)
{
    return cone < kConeLimit;
}

// An aperture in degrees as results write it: "12.3" and the degree sign (Windows-1252).
std::string DegreesText(double radians);

} // namespace ploq
