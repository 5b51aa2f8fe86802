#include "platform/LineRaster.h"

#include <algorithm>
#include <cmath>

namespace ploq {

namespace {

// The pixel word of a colour.
std::uint32_t pixelOf(TColor colour)
{
    return 0xFF000000u | static_cast<std::uint32_t>(redOf(colour)) << 16
           | static_cast<std::uint32_t>(greenOf(colour)) << 8
           | static_cast<std::uint32_t>(blueOf(colour));
}

// `ink` laid over a pixel with a coverage of 0..256: red and blue, then green, each as a
// weighted sum that stays within the word.
std::uint32_t blended(std::uint32_t pixel, std::uint32_t ink, std::uint32_t coverage)
{
    const std::uint32_t rest = 256 - coverage;
    const std::uint32_t rb = ((ink & 0xFF00FFu) * coverage + (pixel & 0xFF00FFu) * rest) >> 8;
    const std::uint32_t g = ((ink & 0x00FF00u) * coverage + (pixel & 0x00FF00u) * rest) >> 8;
    return 0xFF000000u | (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

// One segment, its end left to the next one: column m (row m for a steep segment) holds the
// part of it from m to m + 1 along the major axis, so that whole-pixel ends fill their columns
// and leave the end's column to the next segment. The first column of a line, and the last,
// hold only what the line covers of them. The line's place across the major axis is kept in
// 1/65536 pixel.
void segment(const PixelRows& pixels, PointF from, PointF to, std::uint32_t ink, bool starts,
             bool ends, bool antialiased)
{
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const bool steep = std::fabs(dy) > std::fabs(dx);
    const double major0 = steep ? from.y : from.x;
    const double major1 = steep ? to.y : to.x;
    const double slope = steep ? dx / dy : dy / dx;
    // Halves round up, as the minor axis does below.
    long first = static_cast<long>(std::floor(major0 + 0.5));
    long last = static_cast<long>(std::floor(major1 + 0.5));
    if (first == last)
        return;
    const long step = last > first ? 1 : -1;
    const long start = first;
    const long end = last - step;
    const auto share = [](double covered) {
        return static_cast<std::uint32_t>(std::lround(256 * std::clamp(covered, 0.0, 1.0)));
    };
    const std::uint32_t startShare = starts ? share(1 - (major0 - first) * step) : 256;
    const std::uint32_t endShare = ends ? share((major1 - end) * step) : 256;
    // Steps outside the picture draw nothing.
    const long majorSize = steep ? pixels.height : pixels.width;
    const long lowest = std::max(std::min(first, end), 0L);
    const long highest = std::min(std::max(first, end), majorSize - 1);
    if (lowest > highest)
        return;
    first = step > 0 ? lowest : highest;
    last = (step > 0 ? highest : lowest) + step;
    constexpr double kUnit = 65536.0;
    const double minorAtFirst = (steep ? from.x : from.y) + (first - major0) * slope;
    auto minor = static_cast<std::int64_t>(std::llround(minorAtFirst * kUnit));
    const auto minorStep = static_cast<std::int64_t>(std::llround(slope * step * kUnit));
    const long minorSize = steep ? pixels.width : pixels.height;
    // Along the major axis a pixel is one word (flat) or one row (steep) further on.
    const std::ptrdiff_t majorStride = steep ? pixels.stride : 1;
    const std::ptrdiff_t minorStride = steep ? 1 : pixels.stride;
    if (!antialiased) {
        // The one pixel nearest to the line in each column, a half going to the next one.
        for (long m = first; m != last; m += step, minor += minorStep) {
            const long nearest = static_cast<long>((minor + 0x8000) >> 16);
            if (nearest >= 0 && nearest < minorSize)
                pixels.bits[m * majorStride + nearest * minorStride] = ink;
        }
        return;
    }
    for (long m = first; m != last; m += step, minor += minorStep) {
        const long near = static_cast<long>(minor >> 16);
        std::uint32_t far = static_cast<std::uint32_t>((minor >> 8) & 0xFF);
        std::uint32_t whole = 256;
        if (m == start || m == end) {
            whole = std::min(m == start ? startShare : 256, m == end ? endShare : 256);
            far = far * whole >> 8;
        }
        std::uint32_t* line = pixels.bits + m * majorStride;
        if (near >= 0 && near < minorSize) {
            std::uint32_t& pixel = line[near * minorStride];
            pixel = blended(pixel, ink, whole - far);
        }
        if (near + 1 >= 0 && near + 1 < minorSize) {
            std::uint32_t& pixel = line[(near + 1) * minorStride];
            pixel = blended(pixel, ink, far);
        }
    }
}

} // namespace

void RasterPolyline(const PixelRows& pixels, std::span<const PointF> points, TColor colour,
                    bool antialiased)
{
    const std::uint32_t ink = pixelOf(colour);
    for (std::size_t i = 1; i < points.size(); ++i)
        segment(pixels, points[i - 1], points[i], ink, i == 1, i + 1 == points.size(), antialiased);
}

void ArcPoints(double cx, double cy, double a, double b, double from, double span,
               std::vector<PointF>& points)
{
    // A chord of angle d strays r (1 - cos(d / 2)) from its arc.
    constexpr double kStray = 0.2;
    constexpr int kMostSegments = 4096;
    const double r = std::max({a, b, kStray});
    const double step = 2 * std::acos(std::max(-1.0, 1 - kStray / r));
    const int segments =
        std::clamp(static_cast<int>(std::ceil(std::fabs(span) / step)), 1, kMostSegments);
    for (int i = 0; i <= segments; ++i) {
        const double t = from + span * i / segments;
        points.push_back({cx + a * std::cos(t), cy - b * std::sin(t)});
    }
}

} // namespace ploq
