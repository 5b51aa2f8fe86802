#pragma once

// The values of the right dihedra's contouring dialog, on the level list of the data
// contouring: its default levels, spread between the smallest and largest node values of the
// right dihedra canvas, and the parameters a right dihedra contour canvas receives.

#include "stats3d/ContourLevels.h"

#include <optional>
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

inline constexpr std::string_view kMsgBadCurveCount = "The number of curves must be a whole number";

} // namespace ploq
