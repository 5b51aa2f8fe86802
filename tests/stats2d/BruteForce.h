#pragma once

// Statistics of angles found by brute force, as second algorithms for the tests.

#include <algorithm>
#include <cmath>
#include <vector>

namespace ploq::test {

// The Hodges-Ajne count: the fewest values on one side of a diameter, over every half-open
// half-circle [t, t + 180°) whose edge sits just before or after a value or its opposite,
// counted directly. Angles in degrees, anywhere on the circle.
inline int BruteForceHodgesAjne(const std::vector<double>& circleDeg)
{
    const int n = static_cast<int>(circleDeg.size());
    int m = n;
    for (double v : circleDeg)
        for (double edge : {v, v + 180})
            for (double t : {edge - 1e-6, edge + 1e-6}) {
                int k = 0;
                for (double w : circleDeg)
                    k += std::fmod(w - t + 720, 360) < 180;
                m = std::min(m, std::min(k, n - k));
            }
    return m;
}

// Kuiper's V = sup (F_n(x) - x) + sup (x - F_n(x)) of fractions x in [0, 1], F_n the empirical
// distribution: the suprema sought at both sides of every jump and at the ends.
inline double BruteForceKuiper(const std::vector<double>& fractions)
{
    const double n = static_cast<double>(fractions.size());
    const auto empirical = [&](double x, bool inclusive) {
        double count = 0;
        for (double d : fractions)
            count += inclusive ? d <= x : d < x;
        return count / n;
    };
    double above = 0; // sup F_n(x) - x
    double below = 0; // sup x - F_n(x)
    std::vector<double> xs = fractions;
    xs.push_back(0);
    xs.push_back(1);
    for (double x : xs) {
        above = std::max(above, empirical(x, true) - x);
        below = std::max(below, x - empirical(x, false));
    }
    return above + below;
}

} // namespace ploq::test
