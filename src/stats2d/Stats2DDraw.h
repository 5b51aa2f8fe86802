#pragma once

// The pictures of 2D statistics diagrams: rose diagrams (petal radius proportional to the
// count), circular histograms (petal area proportional to the count, with the level of a
// uniform distribution), and linear histograms; up to five distributions over each other,
// with their mean and median lines, the frame and the graduations.
//
// Azimuths run clockwise from the top of the window. Dips are drawn on a quarter with the
// horizontal (0°) on the right radius and the vertical (90°) on the upper one.

#include "canvas/Plot.h"
#include "stats2d/Stats2D.h"

#include <functional>
#include <map>
#include <span>
#include <string>

namespace ploq {

// What a diagram window shows: its distributions (i1 of them), its type and the number of
// values of the last distribution. A test diagram (the Kuiper test) shows instead the sorted
// values it keeps (lT2D), of the kind held in i1, in the colour index i2.
struct Stats2DDiagram {
    std::span<const InfoStats2D> distributions;
    int type = kDiagramRose;
    int lNT = 0;
    std::span<const double> values;
    int natM = kVectors360;
    int colour = 0;
};
Stats2DDiagram DiagramOf(const CanvasModel& canvas);

// The largest count of the fullest classes (M), and the number of values of the
// distribution that has it (N).
struct DiagramScale {
    int M = 0;
    int N = 0;
};
DiagramScale ScaleOf(const Stats2DDiagram& diagram);

// Where a rose is drawn: its centre and radius, by the kind of the last distribution: a half
// rose right of a vertical diameter for axes 0-180, a whole one for axes 0-360 and vectors, a
// quarter for dips.
struct RoseFrame {
    int x0 = 0;
    int y0 = 0;
    int r = 0;
};
RoseFrame RoseFrameFor(const Net& net, int natM);
// The screen azimuth (degrees clockwise from the top) of an angle of a distribution.
double ScreenAzimuth(int natM, double degrees);
// A label beside the end of a line from the frame's centre: right of it, or left of it when
// the end lies left of the centre; kept within the image.
void LabelBeside(const DrawContext& ctx, const RoseFrame& f, Point end, const std::string& text);
// The radius of a petal of `count` values: (r - 10) k / M for a rose, (r - 10) sqrt(k / M) for
// a circular histogram.
double PetalRadius(int type, double count, int M, int r);

// Types 0 and 1.
void DessinerRose(const DrawContext& ctx, const Stats2DDiagram& diagram);
// Types 4, 7, 8 and 9; the rake histogram (type 9) labels its axis with the angle - 180.
void DessinerHistoLineaire(const DrawContext& ctx, const Stats2DDiagram& diagram);

// Label1 of a rose ("N max = 12"), a circular histogram ("F max = 0.25") and a linear
// histogram ("N = 40, max = 12").
std::string RoseLabel(const Stats2DDiagram& diagram);
std::string HistoLabel(const Stats2DDiagram& diagram);

// The displays of the diagram types (i0); the Kuiper and fault diagrams add theirs.
struct Stats2DDisplay {
    std::function<void(const DrawContext&, const Stats2DDiagram&)> draw;
    std::function<std::string(const Stats2DDiagram&)> label;
};
std::map<int, Stats2DDisplay>& Stats2DDisplays();

// Makes the canvas draw its kind-9 diagrams through Stats2DDisplays.
void RegisterStats2DDisplay(CanvasPainters& painters = CanvasPainters::Registered());

} // namespace ploq
