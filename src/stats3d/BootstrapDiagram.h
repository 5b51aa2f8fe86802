#pragma once

// The diagrams of a bootstrap (Stats 3D canvases, diagrams 38 and 39): the axes of the
// resampled fits as squares on a plot of trend (across) against plunge (up), coloured by
// their rank among the fits sorted by their angle to the reference, which the lines from the
// scales and symbol 10 mark. Each record is drawn by the end of its axis nearer the reference,
// its trend unwrapped about the reference's, so that fits across the primitive or across north
// stay beside it.

#include "canvas/DrawContext.h"
#include "canvas/Plot.h"
#include "stats3d/VkiRecords.h"

#include <string>
#include <string_view>
#include <vector>

namespace ploq {

inline constexpr int kDiagramBootstrapGC = 38;
inline constexpr int kDiagramBootstrapSC = 39;

// One scale of a diagram, in degrees: its ends and the step of its ticks.
struct DiagramScale {
    double low = 0;
    double high = 0;
    int step = 30;
};

// The tick step of a half-range in degrees: 2 up to 10, 5 up to 30, 10 up to 60, 20 up to 90,
// else 30.
int ScaleStep(int halfRange);
// The trend scale: the whole 0..360 by 30 when the half-range is 180, else the reference
// trend plus or minus the half-range.
DiagramScale TrendScale(double referenceDeg, int halfRange);
// The plunge scale: the reference plunge plus or minus the half-range.
DiagramScale PlungeScale(double referenceDeg, int halfRange);

// The plot's frame: from x = 30 to XC + R, from y = 35 to YC + round(0.85 R).
Box BootstrapFrame(const Net& net);

// The colour of the record of rank i (1..m) among m: magenta below round(0.67 m), then
// 8421376 below round(0.95 m), green below round(0.99 m), else 65535.
TColor RankColour(int rank, int m);

// The end of the axis of d nearer the reference, in degrees, its trend unwrapped to within
// 180 degrees of the reference's (or into 0..360 on the whole scale).
struct DiagramPoint {
    double trendDeg = 0;
    double plungeDeg = 0;
};
DiagramPoint NearerEnd(const Direction& d, const Direction& reference, bool wholeTrend);

struct DiagramSquare {
    Point centre;
    TColor colour = clBlack;
};

// Everything a diagram shows of its records: the squares of records 1..m that lie within the
// frame (record 0 is the reference and only marked), and the scales about the reference.
struct BootstrapPlot {
    Box frame;
    bool hasReference = false;
    Direction reference; // trend in 0..2 pi, plunge within -pi/2..pi/2
    bool wholeTrend = false;
    DiagramScale trend;
    DiagramScale plunge;
    std::vector<DiagramSquare> squares;
};
BootstrapPlot PlotBootstrap(const VkiRecords& read, int total, const Net& net, int amBS, int peBS);

// Draws the frame, the scales with their ticks and labels, the squares, and the reference's
// lines, values and symbol.
void DrawBootstrapDiagram(const DrawContext& ctx, const BootstrapPlot& plot);

// "n = " the squares drawn "/" the fits ranked.
std::string BootstrapDiagramLabel(const BootstrapPlot& plot, int total);

// What a new Stats 3D canvas keeps of its bootstrap: the diagram number (i1), the file's path
// (lNomF), the fits its squares are ranked among (i2: T, or V for a small circle) and the
// failed tossings (i3), and the records read from the file's text now, once.
void KeepBootstrapDiagram(CanvasModel& canvas, int diagram, const std::string& path,
                          std::string_view fileText, int ranked, int failures);

// The plot of a canvas's bootstrap diagram at its size and the settings' half-ranges.
BootstrapPlot PlotOf(const CanvasModel& canvas, const VarGlob& settings);

// The display of diagrams 38 and 39 on a Stats 3D canvas: it keeps the number of squares it
// drew in i4, which its label shows.
void DrawBootstrapCanvas(CanvasModel& canvas, DrawContext& ctx);
// "n = 57/60" on a bootstrap diagram, nothing on the other diagrams.
std::string BootstrapCanvasLabel(const CanvasModel& canvas);

} // namespace ploq
