#pragma once

// The values of the right dihedra's contouring dialog, on the level list of the data
// contouring: its default levels, spread between the smallest and largest node values of the
// right dihedra canvas, and the parameters a right dihedra contour canvas receives.

#include "model/Trigo.h"
#include "model/TypesGlob.h"
#include "stats3d/ContourLevels.h"
#include "stats3d/Contours.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ploq {

// "nb. of curves" as the default levels take it: below 2 it means 6, above 10 it means 10.
int DihedraCurveCount(int typed);

// "default val.": display filled, lines as filling, grid step 10, the level field "1.0";
// n = DihedraCurveCount(curves) levels min + 0.5 + i (max - min - 1) / (n - 1), coloured as the
// data contouring's defaults. When max - min <= 1 that spread would run downward or repeat one
// value, so the single level min + 0.5 is given instead.
void DihedraDefaultValues(ContourDialogState& state, int mi, int ma, int curves);

// The parameters of a right dihedra contour canvas: levels compared as they stand (raised to
// the whole number + 0.01 when within 0.01 of one), segments drawn as they come and chained
// only for "Bezier smoothing"; none without a level.
std::optional<ParamContours> DihedraParamsOf(const ContourDialogState& state);

// A typed "nb. of curves": a whole number, none otherwise.
std::optional<int> ReadCurveCount(std::string_view text);

// "min = " and "max = " with the right dihedra canvas's smallest and largest node values.
std::string DihedraMinLabel(int mi);
std::string DihedraMaxLabel(int ma);

// The right dihedra value at a direction.
using DirectionCount = std::function<int(const Direction&)>;

// Makes the right dihedra density of fault records kept as a right dihedra canvas keeps them
// (its records 1..lNT: each fault of known sense followed by its striae), on a net: the number
// of pairs whose P dihedra holds a direction. It is made once for each drawing, so that the
// vectors of the pairs are made once, and it reads nothing but the records it is given.
using DihedraDensityMaker =
    std::function<DirectionCount(std::span<const InfoVal> records, const Net& net)>;

// The one place the right dihedra contouring takes its density from: the fault commands fill it
// with their count of P dihedra; until they do it is empty and nothing is contoured.
DihedraDensityMaker& RightDihedraDensity();

// The records 1..lNT of a canvas.
std::span<const InfoVal> KeptRecords(const CanvasModel& canvas);

// The density a right dihedra contour canvas is drawn with: the right dihedra value over its own
// copy of the records, at the direction under an offset on `net`. Empty without a density.
Density DihedraDensity(const CanvasModel& canvas, const Net& net);

// What a right dihedra contour canvas keeps of the right dihedra canvas it was made from: a copy
// of its records (lVal, lNT) and of mi and ma, and the contouring to redraw (i0 = 1).
void KeepDihedraContouring(CanvasModel& contours, const CanvasModel& dihedra,
                           const ParamContours& params);

// The display of a right dihedra contour canvas once it has been contoured (i0 > 0).
void DrawDihedraContourCanvas(CanvasModel& canvas, const DrawContext& ctx);
void RegisterDihedraContourDisplay(CanvasPainters& painters);

inline constexpr std::string_view kMsgBadCurveCount = "The number of curves must be a whole number";
inline constexpr std::string_view kMsgNoDihedraCanvas = "No right angle dihedra canvas to contour";
inline constexpr std::string_view kMsgNoDihedraDensity =
    "The right dihedra values cannot be contoured: no density is available";

} // namespace ploq
