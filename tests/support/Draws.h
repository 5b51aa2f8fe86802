#pragma once

// Pseudo-random draws that are the same with every standard library: only the generator's raw
// output is used, never the library's distributions.

#include "model/Trigo.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace ploq::test {

class Draws {
public:
    explicit Draws(std::uint32_t seed) : random_(seed) {}
    // In (0, 1), never 0 or 1.
    double uniform() { return (static_cast<double>(random_()) + 0.5) / 4294967296.0; }
    // Box-Muller.
    double normal(double mean, double sigma)
    {
        const double radius = std::sqrt(-2 * std::log(uniform()));
        return mean + sigma * radius * std::cos(2 * std::numbers::pi * uniform());
    }

private:
    std::mt19937 random_;
};

// The direction at the angle `off` from d, toward the side `toward` (radians round d).
inline Direction Deviated(const Direction& d, double off, double toward)
{
    const auto scaled = [](const Vec3& a, double k) { return Vec3{a.x * k, a.y * k, a.z * k}; };
    const auto sum = [](const Vec3& a, const Vec3& b) {
        return Vec3{a.x + b.x, a.y + b.y, a.z + b.z};
    };
    const Vec3 v = DirToVec(d);
    const Vec3 across = Cross(v, std::fabs(v.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0});
    const Vec3 side1 = scaled(across, 1 / std::sqrt(Dot(across, across)));
    const Vec3 side2 = Cross(v, side1);
    const Vec3 side = sum(scaled(side1, std::cos(toward)), scaled(side2, std::sin(toward)));
    return VecToDir(sum(scaled(v, std::cos(off)), scaled(side, std::sin(off))));
}

} // namespace ploq::test
