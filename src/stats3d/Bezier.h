#pragma once

// The segments of one contour level chained into lines, and the points each line is drawn
// through as a polyline or as cubic Bezier curves. Segment ends are held in tenths of a pixel
// (rounded), so that the crossing computed by the two cells either side of an edge is one
// point.

#include "platform/Surface.h"

#include <span>
#include <vector>

namespace ploq {

struct Segment10 {
    Point a; // tenths of a pixel
    Point b;
};

struct Chain {
    std::vector<Point> points; // tenths of a pixel, from one end to the other
    bool closed = false;       // not from a free end: its last point is its first
};

// The chains of a level. Zero-length segments and repeats (the same ends in either order)
// are dropped; each segment is used once. Chains from a free end (a point of one segment
// only) come first, followed from segment to segment through their shared ends; the rest are
// the closed chains, started from any segment left.
std::vector<Chain> ChainSegments(std::span<const Segment10> segments);

// The points an open chain is drawn through, in pixels: thinned (a point kept only when it is
// more than 2 tenths from the last one kept in x or in y), then the last kept point once
// more and the chain's end until there are 3k + 1.
std::vector<Point> OpenChainPoints(std::span<const Point> chain);
// The same for a closed chain, thinned at 4 tenths and padded with the last point until there
// are 3k + 1; the closing point is always kept, so that the line closes.
std::vector<Point> ClosedChainPoints(std::span<const Point> chain);

} // namespace ploq
