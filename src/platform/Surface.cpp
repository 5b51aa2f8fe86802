#include "platform/Surface.h"

#include <cmath>
#include <vector>

namespace ploq {

void Surface::drawPolyBezier(std::span<const Point> points)
{
    constexpr int kPieces = 16;
    std::vector<Point> line{points.front()};
    for (std::size_t i = 0; i + 3 < points.size(); i += 3) {
        const Point p0 = points[i], p1 = points[i + 1], p2 = points[i + 2], p3 = points[i + 3];
        for (int k = 1; k <= kPieces; ++k) {
            const double t = static_cast<double>(k) / kPieces;
            const double u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            line.push_back(
                {static_cast<int>(std::lround(a * p0.x + b * p1.x + c * p2.x + d * p3.x)),
                 static_cast<int>(std::lround(a * p0.y + b * p1.y + c * p2.y + d * p3.y))});
        }
    }
    drawPolyline(line);
}

} // namespace ploq
