#pragma once

// A stand-in for the right dihedra density in the contouring tests: each pair of records (a
// record and the next one) counts at a direction when the first record's direction, taken as
// an axis, lies within 45 degrees of it. Its contours lie where the cones of the axes meet the
// net, which a test can work out apart.

#include "model/Trigo.h"
#include "model/TypesGlob.h"
#include "stats3d/DihedraContours.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <span>
#include <vector>

namespace ploq::test {

inline std::vector<Vec3> StubAxes(std::span<const InfoVal> records)
{
    std::vector<Vec3> axes;
    for (std::size_t i = 0; i + 1 < records.size(); i += 2)
        axes.push_back(DirToVec({records[i].azi, records[i].pen}));
    return axes;
}

inline int StubCount(std::span<const Vec3> axes, const Direction& d)
{
    const Vec3 u = DirToVec(d);
    return static_cast<int>(std::count_if(axes.begin(), axes.end(), [&](const Vec3& a) {
        return std::fabs(Dot(u, a)) >= std::cos(45 * kDegToRad);
    }));
}

// The stub's maker; `given` sees the records each time it is made.
inline DihedraDensityMaker StubPairs(std::function<void(std::span<const InfoVal>)> given = {})
{
    return [given](std::span<const InfoVal> records, const Net&) {
        if (given)
            given(records);
        return DirectionCount(
            [axes = StubAxes(records)](const Direction& d) { return StubCount(axes, d); });
    };
}

// A present record of a direction in degrees.
inline InfoVal StubRecord(double trendDeg, double plungeDeg, const char* nature)
{
    InfoVal v;
    v.azi = trendDeg * kDegToRad;
    v.pen = plungeDeg * kDegToRad;
    v.na = nature;
    SetBit(v.inf, kInfPresent, true);
    return v;
}

// Gives the hook the stub for the life of a test and the density it had back after it.
struct StubDensityGiven {
    explicit StubDensityGiven(std::function<void(std::span<const InfoVal>)> given = {})
        : kept(RightDihedraDensity())
    {
        RightDihedraDensity() = StubPairs(std::move(given));
    }
    ~StubDensityGiven() { RightDihedraDensity() = kept; }
    StubDensityGiven(const StubDensityGiven&) = delete;
    StubDensityGiven& operator=(const StubDensityGiven&) = delete;

    DihedraDensityMaker kept;
};

} // namespace ploq::test
