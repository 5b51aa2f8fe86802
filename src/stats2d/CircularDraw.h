#pragma once

// The pictures of the circular tests: the circular plot canvas (each value a point on a
// circle, with the mean, median and Hodges-Ajne diameters) and the Kuiper diagram (the
// empirical distribution of the values against the diagonal of a uniform one).
//
// Azimuths run clockwise from the top of the window; on an upper-hemisphere canvas the circle
// is seen from below, every value at the opposite point.

#include "canvas/Plot.h"
#include "stats2d/Stats2D.h"
#include "stats2d/Stats2DDraw.h"

#include <span>
#include <string>

namespace ploq {

constexpr int kCircularPlotSymbol = 10;
constexpr int kKuiperSymbol = 22;

// The pixel of a value on the circle of the net: (XC + h Rc sin v, YC - h Rc cos v), h = 1 on
// a lower-hemisphere canvas and -1 on an upper one.
Point CircularPlotPixel(const Net& net, double radians);

// What a circular plot canvas (kind 10) keeps: a record per value (its azimuth and pixel,
// symbol 10 in the plot colour), lNT = n, i0 = 2, i1 = 1, mi = nMin, i2 = the colour index,
// i3 = the option word of the choices, ar1 = med, ar2 = moy, ar3 = the Hodges-Ajne diameter.
void FillCircularPlot(CanvasModel& canvas, std::span<const double> sorted,
                      const CircularPlotReport& report, int colour, std::int32_t style);

// Kind 10: the silver circle with its top mark and main diameters, the ticks every 10° (bit 15
// of i3), the values, the mean diameter labelled at its right end (bit 12), the median (bit
// 13) and the Hodges-Ajne diameter (bit 14). Positions are placed again when rChanged.
void DessinerCircularPlot(CanvasModel& canvas, const DrawContext& ctx);
// "N = " and the number of values.
std::string CircularPlotLabel(const CanvasModel& canvas);

// Where a Kuiper diagram goes: its origin (x0, y0) at the bottom left, q pixels per unit of
// the horizontal axis (360 units for the whole range) and the height H of a probability 1.
struct KuiperFrame {
    int x0 = 0;
    int y0 = 0;
    double q = 0;
    double H = 0;
};
KuiperFrame KuiperFrameFor(const Net& net);
// The point of value i (1..n) of the sorted values: its fraction of the range across, i / n up.
Point KuiperPoint(const KuiperFrame& f, std::span<const double> sorted, int natM, int i);

// Type 6 of a diagram window: the axes and their ticks (0-90 for dips, 0-360 otherwise), "1"
// at the top, the red diagonal of the uniform distribution, symbol 22 per value.
void DessinerKuiper(const DrawContext& ctx, const Stats2DDiagram& diagram);
// n followed by " val".
std::string KuiperLabel(const Stats2DDiagram& diagram);

// Makes canvases draw the circular plot (kind 10) and the Kuiper diagram (type 6 of kind 9).
void RegisterCircularDisplays(CanvasPainters& painters = CanvasPainters::Registered());

} // namespace ploq
