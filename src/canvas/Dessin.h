#pragma once

// Nets and grids: the frame of a canvas (primitive circle, north mark, centre cross, main
// diameters, graduations), the standard, polar, axed and concentric grids with their labels, and
// the two traces every drawing on the sphere uses: the great circle of a plane (TraceGC) and the
// small circle of a cone (TracePC).
//
// Directions are (azimuth, plunge) in radians, lower-hemisphere ends; a plane is given by its
// pole. Everything drawn stays inside the primitive circle: the part of a trace in the hemisphere
// that is not shown is left out, and its ends lie on the rim.

#include "canvas/DrawContext.h"
#include "model/Conversion.h"

#include <span>
#include <string>
#include <string_view>

namespace ploq {

// natGrille, the grid a canvas shows.
constexpr int kGridNone = -1;
constexpr int kGridStandard = 0;
constexpr int kGridPolar = 1;
constexpr int kGridAxed = 2;      // axed on the canvas's direction (ar4, ar5)
constexpr int kGridAxedTyped = 3; // axed, without labels
constexpr int kGridConcentric = 5;

constexpr int kStyleIndexedGrid = 7; // bit of StyleCnvs: labels over the grid

// The canvas fields that say which grid it shows.
struct CanvasGrid {
    int natGrille = kGridNone;
    double ar4 = 0; // axis azimuth of an axed grid
    double ar5 = 0; // axis plunge
};

// The number n of small circles (meridians of an axed net) and m of great circles on each side
// for a grid step in degrees; none for a step outside the table 2, 5, 10, 15.
struct GridSteps {
    int n = 0;
    int m = 0;
};
GridSteps StepTable(int gridStep);

// " W/" or " S/" followed by "inf " or "sup ".
std::string ProjectionLabel(const Net& net);

// The frame; for output also the letter "N", "N = " countShown and the projection label.
void TraceCanevas(const DrawContext& ctx, int countShown = 0);

// The grid of a canvas by its kind; nothing for kGridNone or an unknown kind.
void DessinerGrille(const DrawContext& ctx, const CanvasGrid& grid);
// Standard net whose axis is horizontal at azimuth rot (0: the north-south axis).
void GrilleStandard(const DrawContext& ctx, double rot, const CanvasGrid& labels = {kGridStandard});
void GrillePolaire(const DrawContext& ctx, const CanvasGrid& labels = {kGridPolar});
void CerclesConcentriques(const DrawContext& ctx);
void GrilleAxee(const DrawContext& ctx, double pen, double azi, int natGrille = kGridAxed);
// Labels in degrees over the grid, when bit 7 of StyleCnvs is set. The line-or-plane calculator
// draws its net with that bit clear.
void IndexGrille(const DrawContext& ctx, const CanvasGrid& grid);

// Great circle of the plane whose pole is (azi, pen), in the current pen.
void TraceGC(const DrawContext& ctx, double pen, double azi);
// The part in the shown hemisphere of the cone of half-aperture alpha about (azi, pen), in the
// current pen, brush clear.
void TracePC(const DrawContext& ctx, double alpha, double pen, double azi);
// The whole small circle: also the cone of pi - alpha when the cone leaves the hemisphere.
void TracePC2(const DrawContext& ctx, double alpha, double pen, double azi);
// Small circles every 5 degrees about an axis, for the small-circle construction.
void FaisceauPC(const DrawContext& ctx, double pen, double azi);

// The axis question of an axed grid: the text it proposes, and the grid an answer gives (an
// empty answer returns to the standard net).
std::string GridAxisDefaultText(const Notation& notation);
CanvasGrid GridFromAxisText(std::string_view text, const Notation& notation);

// The axis a click on the canvas gives: the first displayed record within 2 degrees of the
// clicked direction, else the clicked direction itself.
struct ClickedAxis {
    Direction axis;
    int record = 0;    // 1-based index in `values` of the record taken, 0 for the click
    std::string label; // nature code and direction, or the direction
};
ClickedAxis GridAxisFromClick(std::span<const InfoVal> values, const Direction& clicked,
                              const Notation& notation, bool decimals);
// "Axis of the grid : %s"
std::string GridAxisLine(const ClickedAxis& axis);

} // namespace ploq
