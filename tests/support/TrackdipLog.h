#pragma once

// A synthetic dipmeter log of three dip domains: the bedding pole of the first domain is
// turned about an axis normal to it at the first boundary, the new pole about another axis
// normal to it at the second; every row is scattered by a normally drawn angle. The rotations
// are made here with Rodrigues' formula, not with the code under test.

#include "model/Trigo.h"
#include "support/Draws.h"

#include <array>
#include <cmath>
#include <vector>

namespace ploq::test {

struct DomainLog {
    std::vector<double> z;
    std::vector<Direction> poles;
    std::array<double, 2> boundaries{};
    std::array<Direction, 2> axes{};    // the rotation axes, normal to the poles they turn
    std::array<double, 2> angles{};     // radians
    std::array<Direction, 3> domains{}; // the pole of each domain
};

inline Vec3 RodriguesTurn(const Vec3& v, const Vec3& k, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const Vec3 kxv = Cross(k, v);
    const double kv = Dot(k, v);
    return {v.x * c + kxv.x * s + k.x * kv * (1 - c), v.y * c + kxv.y * s + k.y * kv * (1 - c),
            v.z * c + kxv.z * s + k.z * kv * (1 - c)};
}

// The horizontal line normal to a pole: an axis about which the pole turns with its plane.
inline Direction StrikeOf(const Direction& pole)
{
    return {std::fmod(pole.trend + std::acos(-1.0) / 2, 2 * std::acos(-1.0)), 0};
}

// Rows at z0, z0 + step, ...; the boundaries at a third and two thirds of the rows.
inline DomainLog ThreeDomainLog(int rows, double z0, double step, double noiseDeg,
                                std::uint32_t seed, double angle1Deg = 25, double angle2Deg = 35)
{
    const double degree = std::acos(-1.0) / 180;
    DomainLog log;
    log.domains[0] = {120 * degree, 70 * degree};
    log.angles = {angle1Deg * degree, angle2Deg * degree};
    for (int k = 0; k < 2; ++k) {
        log.axes[k] = StrikeOf(log.domains[k]);
        log.domains[k + 1] =
            VecToDir(RodriguesTurn(DirToVec(log.domains[k]), DirToVec(log.axes[k]), log.angles[k]));
    }
    log.boundaries = {z0 + step * (rows / 3) - step / 2, z0 + step * (2 * rows / 3) - step / 2};
    Draws draws(seed);
    for (int i = 0; i < rows; ++i) {
        const double z = z0 + step * i;
        const int domain = z < log.boundaries[0] ? 0 : z < log.boundaries[1] ? 1 : 2;
        const double off = draws.normal(0, noiseDeg) * degree;
        log.z.push_back(z);
        log.poles.push_back(
            Deviated(log.domains[domain], off, 2 * std::acos(-1.0) * draws.uniform()));
    }
    return log;
}

} // namespace ploq::test
