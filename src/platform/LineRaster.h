#pragma once

// Lines one pixel wide, antialiased or not, drawn straight into the pixels of a 32-bit
// picture. A full canvas draws thousands of great-circle traces; a general rasteriser spends
// most of a redraw on them, this one a fraction of it.
//
// Coordinates are in pixels, a pixel's centre on whole numbers. Along a line, each column (or
// row, for a steep line) gets the two pixels nearest to the line, each covered in proportion to
// its nearness (Wu's method). As everywhere on the drawing surface, a segment leaves its end to
// the next one and a polyline leaves its last point undrawn.

#include "platform/Colour.h"

#include <cstdint>
#include <span>
#include <vector>

namespace ploq {

// The pixels of a picture: 0xAARRGGBB words, `stride` words from a row to the next.
struct PixelRows {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

struct PointF {
    double x = 0;
    double y = 0;
};

// Draws the polyline through the points. Without antialiasing each column (row) takes the one
// pixel nearest to the line, in the colour itself.
void RasterPolyline(const PixelRows& pixels, std::span<const PointF> points, TColor colour,
                    bool antialiased);

// The points of the arc of the ellipse of centre (cx, cy) and semi-axes (a, b) that runs
// counter-clockwise, as seen on the screen, from the parametric angle `from` over `span`
// (radians), close enough for no point of the arc to lie more than a fifth of a pixel from the
// polyline through them. Appended to `points`.
void ArcPoints(double cx, double cy, double a, double b, double from, double span,
               std::vector<PointF>& points);

} // namespace ploq
