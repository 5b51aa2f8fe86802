// Arbitrary node values, levels, grid steps 3 to 30 and radii into the contour tracer: every
// point it draws lies within the primitive circle and one pixel, whatever the mode; nothing is
// written outside its tables (the sanitizers watch), no NaN reaches a pixel.

#include "app/VarGlob.h"
#include "platform/RecordingSurface.h"
#include "stats3d/Contours.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace ploq;
    if (size < 8)
        return 0;
    // Byte 0: the step; 1: the radius; 2: the mode, filling, flavour; 3: the levels; the rest
    // are the values the density takes, by position.
    ParamContours p;
    p.pas = 3 + data[0] % 28;
    const int radius = 20 + data[1] * 2;
    p.modeC = static_cast<std::int16_t>(data[2] % 3);
    p.filled = (data[2] & 4) != 0;
    p.rightDihedra = (data[2] & 8) != 0;
    p.bezier = (data[2] & 16) != 0;
    p.blackLine = (data[2] & 32) != 0;
    p.funif = 0.5 + (data[2] >> 6);
    p.nz = 1 + data[3] % kMaxContourLevels;
    for (int j = 0; j < p.nz; ++j)
        p.tz[static_cast<std::size_t>(j)] = {(data[3] >> 4) + j * 0.5 + 0.25 * (j % 2), 255 * j};
    const std::uint8_t* values = data + 4;
    const std::size_t count = size - 4;
    const Density density = [&](PlaneOffset o) {
        const auto key =
            static_cast<std::size_t>(std::llround(std::fabs(o.east) * 7 + std::fabs(o.north) * 13));
        return static_cast<int>(values[key % count]) - 20;
    };
    const Net net{radius + 15, radius + 15, radius, (data[2] & 64) == 0, (data[2] & 128) != 0};
    RecordingSurface surface;
    VarGlob settings;
    DrawContext ctx{surface, net, 0, 0, settings};
    DrawContours(ctx, p, density);
    for (const Primitive& q : surface.primitives()) {
        if (q.shape == Shape::Ellipse)
            break; // the frame drawn over the contours
        for (const Point& point : q.points) {
            const double dx = point.x - net.xc, dy = point.y - net.yc;
            if (!(std::sqrt(dx * dx + dy * dy) <= radius + 1.0))
                std::abort();
        }
        if (q.shape == Shape::Rectangle) {
            const double dx =
                std::max(std::abs(q.box.left - net.xc), std::abs(q.box.right - 1 - net.xc));
            const double dy =
                std::max(std::abs(q.box.top - net.yc), std::abs(q.box.bottom - 1 - net.yc));
            if (!(std::sqrt(dx * dx + dy * dy) <= radius + 1.0))
                std::abort();
        }
        if (q.shape == Shape::Bezier && q.points.size() % 3 != 1)
            std::abort();
    }
    return 0;
}
