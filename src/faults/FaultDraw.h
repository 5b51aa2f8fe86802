#pragma once

// Drawing the fault views: the rake view draws its records as any canvas does (their movement
// symbols are in them); the hanging-wall view draws each striae with its arrow along the line
// from the net centre. The fault histograms are linear histograms of the diagram window.

#include "canvas/Plot.h"
#include "faults/FaultDisplays.h"

#include <optional>

namespace ploq {

constexpr int kArrowShaft = 16;      // pixels from the striae's point
constexpr int kArrowStroke = 11;     // each stroke of the head
constexpr double kArrowHeadDeg = 10; // each stroke's angle to the shaft

// The three segments of a movement arrow at `at`: the shaft to its tip, away from the centre
// for arrow 1 and towards it for 0, and the two strokes of the head from the tip; `unit` scales
// the lengths for printing. None for no arrow (-1), or a point at the centre, which has no
// direction.
struct ArrowShape {
    Point tip;
    Point stroke1;
    Point stroke2;
};
std::optional<ArrowShape> MovementArrowShape(Point at, Point centre, int arrow, double unit = 1);

// A striae of the hanging-wall view: symbol 8 in its own colour (StyleFlt bit 16) or the colour
// of movement arrows, then its arrow in the same colour.
void DessinerStriaeMvt(const DrawContext& ctx, const InfoVal& striae);

// Both views: the displayed records counted into lNC and drawn, re-projected first when the
// net changed; Label1 shows the number of pairs.
void DessinerFaultView(CanvasModel& canvas, DrawContext& ctx);

// A rake view (kind 13) or hanging-wall view (kind 12), made for its kind: the source canvas's
// net and records, the records marked as the kind shows them. The source is left as it was.
void KeepFaultView(CanvasModel& view, const CanvasModel& source);
// A fault histogram as the one distribution of a diagram canvas, which draws it by its type.
void KeepFaultHistogram(CanvasModel& diagram, const FaultHistogram& histogram);

// The canvas draws its fault views, and the diagram window its fault histograms.
void RegisterFaultDisplays(CanvasPainters& painters = CanvasPainters::Registered());

} // namespace ploq
