#pragma once

// Density contours on a net. A square grid of nodes is laid over the projected net, the
// density is taken at every node once, and each level is traced cell by cell (marching
// squares): cells inside the primitive circle by the interior rule, cells across it clipped
// to the disk first. Segments are drawn as they come or chained into polylines or Bezier
// curves (Bezier.h); the areas at or above a level may be filled, the levels in increasing
// order so that each paints over the lower ones. Nothing here knows a window: the contour
// canvas, its dialogs and the command line all call these functions and read these values.

#include "canvas/DrawContext.h"
#include "canvas/UtilPlot.h"
#include "platform/Clock.h"
#include "platform/LineRaster.h"
#include "stats3d/Bezier.h"
#include "stats3d/ContourTypes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace ploq {

class CanvasModel;
struct CanvasPainters;

// The value of the contoured quantity at a real offset from the net centre (pixels).
using Density = std::function<int(PlaneOffset)>;

// The direction under an offset, as PlaneToDir finds it but without taking an offset beyond
// the primitive circle onto it: there the plunge comes out negative, and the opposite
// direction (trend + pi, -plunge) is returned.
Direction OffsetToDir(PlaneOffset offset, const Net& net);

// The data density: the number of directions within the cone about the direction under the
// offset, counted axially (|u.v| >= cos cone). The unit vectors are made once.
class ConeCount {
public:
    ConeCount(std::span<const Direction> directions, double coneDegrees, const Net& net);
    int operator()(PlaneOffset offset) const;
    // The count about a direction.
    int at(const Direction& d) const;

private:
    std::vector<double> x_, y_, z_;
    double cosCone_ = 1;
    Net net_;
};

// The grid of a step in degrees: m = floor(180 / step) + 3 nodes a side, 2R / (m - 2) pixels
// apart, node (row l, column c) at x = XC - R - s/2 + c s, y = YC - R - s/2 + l s.
int ContourGridSide(int stepDegrees);

constexpr std::int8_t kNodeOutside = 0;
constexpr std::int8_t kNodeNearRim = 1; // outside, but one step nearer the centre is inside
constexpr std::int8_t kNodeInside = 2;

struct ContourGrid {
    int side = 0;                  // m
    double step = 0;               // s, pixels
    PointF origin;                 // node (0, 0), pixels
    std::vector<std::int8_t> flag; // per node l m + c
    std::vector<int> value;        // the density of the nodes flagged 1 or 2, else 0

    int index(int row, int column) const { return row * side + column; }
    PointF node(int row, int column) const
    {
        return {origin.x + column * step, origin.y + row * step};
    }
    // The sum of the flags of cell (l, c): corners (l, c), (l, c+1), (l+1, c+1), (l+1, c).
    int cellSum(int row, int column) const;
};

// The grid over the net, with its flags, and the density of its nodes when one is given.
ContourGrid BuildContourGrid(const Net& net, int stepDegrees, const Density& density = {});

// The largest data density over the nodes flagged 1 or 2 (the dialog proposes its levels
// from it).
int GridMaximum(std::span<const Direction> directions, int stepDegrees, double coneDegrees,
                const Net& net);

// The count a level is compared with: z times funif (the value itself for the right
// dihedra), moved to the whole number + 0.01 when within 0.01 of one, so that no node, whose
// value is whole, ever equals it.
double LevelCount(double z, const ParamContours& params);

// The saddle cases of a cell whose four edges cross, from its top-left and top-right corner
// values and the value w at the midpoint of the top and bottom crossings: 11 and 12 join the
// high corners through the cell, 13 and 14 keep them apart.
int SaddleCase(double k0, double k1, double level, double w);

// A vertex of a cell: its pixel position and its value.
struct CellVertex {
    PointF at;
    double value = 0;
};

// What one level drew.
struct LevelDrawn {
    double level = 0; // L, the count compared
    int segments = 0;
    int polygons = 0;
    int rectangles = 0;
    int openChains = 0;
    int closedChains = 0;
};

// Traces one level cell by cell on a surface: segments go straight to the surface in the
// line colour, or to a buffer in tenths of a pixel to be chained; fills take the level
// colour for pen and brush.
class LevelTracer {
public:
    LevelTracer(Surface& surface, double level, TColor colour, bool filled,
                std::vector<Segment10>* buffer);

    void setLineColour(TColor colour) { lineColour_ = colour; }
    const LevelDrawn& drawn() const { return drawn_; }

    // A rectangular cell of corner values k0..k3 (top-left, top-right, bottom-right,
    // bottom-left). A saddle asks `saddle` for the value at a point.
    void interiorCell(PointF topLeft, double width, double height, const std::array<double, 4>& k,
                      const std::function<double(PointF)>& saddle);
    // A convex cell of any number of vertices in order round it (a cell clipped to the disk):
    // each crossing where the values rise to the level is joined to the next one, and each run
    // of vertices at or above the level is filled.
    void polygonCell(std::span<const CellVertex> vertices);

private:
    bool above(double v) const { return v >= level_; }
    PointF crossing(const CellVertex& a, const CellVertex& b) const;
    void segment(PointF from, PointF to);
    void fill(std::span<const PointF> polygon);

    Surface& surface_;
    double level_;
    TColor colour_;
    TColor lineColour_;
    bool filled_;
    std::vector<Segment10>* buffer_;
    LevelDrawn drawn_;
};

// A rectangular grid of values (rows from the top), traced by the interior rule alone; the
// value at a saddle's midpoint is interpolated bilinearly.
struct ValueGrid {
    int columns = 0;
    int rows = 0;
    PointF origin; // the top-left node, pixels
    double stepX = 1;
    double stepY = 1;
    std::vector<double> values; // row by row

    double at(int row, int column) const
    {
        return values[static_cast<std::size_t>(row * columns + column)];
    }
};
LevelDrawn ContourValueGrid(Surface& surface, const ValueGrid& grid, double level, TColor colour,
                            bool filled);

struct ContourDrawing {
    std::vector<LevelDrawn> levels;
};

// Draws the levels of `params` over the net of the context with the density: the grid and its
// node values once, the boundary cells clipped once, then each level with its colour; chains
// after each level; then the pen back to black and the net's frame drawn over it all. An empty
// level list draws nothing.
ContourDrawing DrawContours(const DrawContext& ctx, const ParamContours& params,
                            const Density& density);

// The checks the contour command makes before drawing: a level z > 0 within 0.01 of a whole
// number becomes that number + 0.01, a step below 3 becomes 3, a cone narrower than twice the
// step becomes twice the step.
ParamContours CheckedContourParams(ParamContours params);

// The grey of a percentage: red = green = blue = round((100 - p) 240 / 100).
TColor GreyOfPercent(double percent);

// The default levels 1, 2, 4, 8 ... while the level times U (raw: the level itself) stays
// below the maximum, at most 10, coloured by tcoCont or, in grey scale, with the grey of
// (i + 1) 80 / n percent; the levels not in use -1 and white.
void DoublingLevels(ParamContours& params, double maximum, double U, bool raw,
                    const std::array<TColor, 17>& tcoCont, bool greyScale);

// The text written after contouring: the heading, the levels, the cone.
std::vector<InfoLine> ContourReport(const ParamContours& params, DayCount now);

// The directions a canvas contours: the present records of a data canvas (kinds 0 and 1),
// the stored directions of a contour canvas, none for the other kinds.
std::vector<Direction> ContouredDirections(const CanvasModel& canvas);

// What a contour canvas keeps: at most 5000 directions in lTaz / lTpe (1-based), lNT, and the
// contouring to redraw.
void KeepContouring(CanvasModel& canvas, std::span<const Direction> directions,
                    const ParamContours& params);

// The display of a contour canvas once it has been contoured (i0 > 0).
void DrawContourCanvas(CanvasModel& canvas, const DrawContext& ctx);
void RegisterContourDisplay(CanvasPainters& painters);

} // namespace ploq
