// The sample the contouring benchmarks share: poles in three clusters of some 10 degrees about
// 20/040, 60/200 and 5/310 (plunge/trend), the same for every run.

#pragma once

#include "model/Trigo.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace ploq::bench {

inline std::vector<Direction> ClusteredPoles(int count)
{
    constexpr double kDeg = std::numbers::pi / 180;
    const Direction centres[] = {
        {40 * kDeg, 20 * kDeg}, {200 * kDeg, 60 * kDeg}, {310 * kDeg, 5 * kDeg}};
    std::mt19937 random(2024);
    const auto spread = [&random] { return (random() / 4294967296.0 - 0.5) * 20 * kDeg; };
    std::vector<Direction> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const Direction& c = centres[i % 3];
        const double plunge = c.plunge + spread();
        const double trend = c.trend + spread() / std::max(0.2, std::cos(plunge));
        out.push_back(
            {NormalizeTrend(plunge < 0 ? trend + std::numbers::pi : trend), std::fabs(plunge)});
    }
    return out;
}

} // namespace ploq::bench
