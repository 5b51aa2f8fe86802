#pragma once

// A drawing context on a recording surface, and the points a recorded primitive covers, so that
// tests can check where a drawing goes (inside the net, on the rim) rather than how it is made.

#include "app/VarGlob.h"
#include "canvas/DrawContext.h"
#include "platform/RecordingSurface.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace ploq::test {

struct RecordingCanvas {
    RecordingSurface surface;
    VarGlob settings;
    DrawContext ctx;

    explicit RecordingCanvas(int radius = 200, bool wulff = false, bool lower = true,
                             std::int32_t style = 0)
        : ctx{surface, Net{radius + 15, radius + 15, radius, lower, wulff}, style, 0, settings}
    {
    }
};

// Every symbol number that draws something: the measurement symbols and their tadpoles, the
// marks, the additional values, the highlight ring and the fault kinds.
inline std::vector<int> EverySymbol()
{
    std::vector<int> all;
    for (int n = 1; n <= 16; ++n)
        all.push_back(n);
    for (int n = 1; n <= 16; ++n)
        all.push_back(-n);
    for (int n : {20, 21, 22, 23})
        all.push_back(n);
    for (int n = 101; n <= 111; ++n)
        all.push_back(n);
    for (int n : {200, 301, 302, 303, 304, 305, 306, 307})
        all.push_back(n);
    return all;
}

// A point in real pixels, where a box of the surface's convention has its centre at
// (left + right - 1) / 2.
struct RealPoint {
    double x = 0;
    double y = 0;
};

inline RealPoint boxCentre(const Box& b)
{
    return {(b.left + b.right - 1) / 2.0, (b.top + b.bottom - 1) / 2.0};
}
inline double boxRadius(const Box& b)
{
    return (b.right - b.left - 1) / 2.0;
}

// Points about a pixel apart along the primitive: along lines, polylines and polygon sides, and
// around an ellipse or an arc (counter-clockwise on the screen from its start ray to its end
// ray).
inline std::vector<RealPoint> Sampled(const Primitive& p)
{
    std::vector<RealPoint> points;
    const auto along = [&](Point a, Point b) {
        const int steps = std::max(1, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y)));
        for (int k = 0; k <= steps; ++k)
            points.push_back(
                {a.x + (b.x - a.x) * double(k) / steps, a.y + (b.y - a.y) * double(k) / steps});
    };
    if (p.shape == Shape::Line || p.shape == Shape::Polyline || p.shape == Shape::Polygon) {
        for (std::size_t i = 0; i + 1 < p.points.size(); ++i)
            along(p.points[i], p.points[i + 1]);
        if (p.shape == Shape::Polygon && !p.points.empty())
            along(p.points.back(), p.points.front());
        return points;
    }
    if (p.shape != Shape::Ellipse && p.shape != Shape::Arc)
        return points;
    const RealPoint c = boxCentre(p.box);
    const double a = (p.box.right - p.box.left - 1) / 2.0;
    const double b = (p.box.bottom - p.box.top - 1) / 2.0;
    double from = 0;
    double span = 2 * std::numbers::pi;
    if (p.shape == Shape::Arc) {
        const auto angle = [&](Point q) { return std::atan2((c.y - q.y) / b, (q.x - c.x) / a); };
        from = angle(p.points[0]);
        span = std::fmod(angle(p.points[1]) - from + 4 * std::numbers::pi, 2 * std::numbers::pi);
    }
    const int steps = std::clamp(static_cast<int>(span * std::max(a, b)), 2, 1'000'000);
    for (int k = 0; k <= steps; ++k) {
        const double t = from + span * k / steps;
        points.push_back({c.x + a * std::cos(t), c.y - b * std::sin(t)});
    }
    return points;
}

inline double DistanceFrom(const Net& net, RealPoint p)
{
    return std::hypot(p.x - net.xc, p.y - net.yc);
}
inline double DistanceFrom(const Net& net, Point p)
{
    return DistanceFrom(net, RealPoint{double(p.x), double(p.y)});
}

// The largest distance from the centre of the net that the primitives reach.
inline double Reach(const Net& net, const std::vector<Primitive>& primitives)
{
    double reach = 0;
    for (const Primitive& p : primitives)
        for (RealPoint q : Sampled(p))
            reach = std::max(reach, DistanceFrom(net, q));
    return reach;
}

} // namespace ploq::test
