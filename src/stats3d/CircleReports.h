#pragma once

// What "Best great circle" and "Best small circle" write and mark on the canvas at once. The
// menu commands and the command line read the same lines.

#include "canvas/DrawContext.h"
#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "platform/Clock.h"
#include "stats3d/Circles.h"

#include <string>
#include <vector>

namespace ploq {

inline constexpr std::string_view kTitleBestGreatCircle = "Best great circle";
inline constexpr std::string_view kTitleBestSmallCircle = "Best small circle";

constexpr int kCircleMarkSymbol = 10;
constexpr int kCircleMarkColour = 9;
constexpr TColor kSmallCircleGrey = 8421504;

// "center : " and the pole in the line notation with decimals.
std::string GreatCircleCentreLine(const BestGreatCircleResult& r, const Notation& notation);
// The heading, the centre and the cone lines.
std::vector<InfoLine> GreatCircleReport(const BestGreatCircleResult& r, const Notation& notation,
                                        DayCount now);
// The trace of the circle dashed in the grid colour, the pole as symbol 10 in colour 9, the
// usable cones dashed. The pen ends solid.
void DrawGreatCircleMarks(const DrawContext& ctx, const BestGreatCircleResult& r);

// "center : %s / operture : %1.1f", the axis with decimals and the aperture in degrees.
std::string SmallCircleCentreLine(const SmallCircleFit& fit, const Notation& notation);
std::vector<InfoLine> SmallCircleReport(const SmallCircleFit& fit, const Notation& notation,
                                        DayCount now);
// A circle that stays inside the net (principal part 0) is drawn at once, grey, brush clear.
void DrawSmallCircleNow(const DrawContext& ctx, const SmallCircleFit& fit, int part);

} // namespace ploq
