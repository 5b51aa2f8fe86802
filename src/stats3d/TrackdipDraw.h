#pragma once

// The Trackdip canvas: depth downward against window size on a logarithmic axis to the right,
// each polygone a red polyline through its records, and the marks its display bits ask for.

#include "canvas/DrawContext.h"
#include "stats3d/InfoTD.h"

#include <optional>

namespace ploq {

class CanvasModel;
struct CanvasPainters;

// Display bits of lOptS3Dadd.
constexpr int kTDSummits = 8;      // every element gets the summit mark TDsySum
constexpr int kTDMaximum = 9;      // the maximum (or the maxima) marked
constexpr int kTDAllMaxima = 10;   // the maximum of every polygone, not only the largest
constexpr int kTDClickSymbol = 11; // a clicked summit gets the Trackdip symbol, not its number
constexpr int kTDMaxSymbol = 12;   // maxima get the Trackdip symbol, not a red disc
constexpr int kTDSqrtTail = 13;    // the tail grows as the square root of the angle
constexpr int kTDSizeFollows = 14; // the symbol's size follows the canvas radius

// The mark a maximum gets without the Trackdip symbol: a red disc.
constexpr int kTDMaxMark = 10;

// Click mode of the summit query.
constexpr int kModeTrackdipSummit = 117;

// Where the axes of an analysis fall on a picture of that size.
struct TrackdipAxes {
    int left = 0, right = 0, top = 0, bottom = 0; // the plot area, in pixels
    double depthStep = 10;                        // between horizontal lines
    double zTop = 0, zBottom = 0;                 // widened to whole steps
    double firstDecade = 1, lastDecade = 10;

    Point at(double window, double depth) const;
};

// `scale` is output pixels per screen pixel.
TrackdipAxes TrackdipGeometry(const TrackdipExtent& extent, Size picture, double scale = 1);

// The tick step of a depth range: 10, 50, 100 or 200 up to 100, 500, 1000 or beyond.
double DepthStep(double range);

// Draws the display of a Trackdip canvas; nothing before an analysis.
void DrawTrackdip(const CanvasModel& canvas, const DrawContext& ctx);

// The element (not an end mark) whose position on the canvas image lies within 4 pixels of the
// point, the first in order.
std::optional<std::size_t> TrackdipElementAt(const CanvasModel& canvas, Point p);

void RegisterTrackdipDisplay(CanvasPainters& painters);

} // namespace ploq
