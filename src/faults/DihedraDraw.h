#pragma once

// The right dihedra canvas (kind 7) and the P-T canvas (kind 6): what they keep of a
// computation and how they draw it, with the overlays their button cycles through.
//
//   right dihedra  the copy of the source pairs (lVal, bit 7 set on the faults counted), one
//                  value per node (lVnod) with the crown number it was computed on (lNbCr),
//                  ma and mi, the number of faults (i2) and the display step (i1)
//   P-T axes       the P and T records (lVal), the source pairs in a store of their own
//                  (lFaults), the display step (i1)
//
// The display step: 0 the result alone; 1 with the fault pairs plotted as data; 2 with the
// fault traces (right dihedra) and the dotted auxiliary planes of the striae with their
// symbol; 3 the result alone again.

#include "canvas/Plot.h"
#include "faults/RightDihedra.h"

namespace ploq {

constexpr TColor kDihedraMinColour = clBlue;
constexpr TColor kDihedraOtherColour = 8421504; // grey
constexpr TColor kDihedraClickColour = 8388736; // purple: a value at a click

// A right dihedra canvas made from the source's records: the source's net and records, bit 7
// on the faults counted, the node values and extremes of the result.
void KeepDihedra(CanvasModel& canvas, const CanvasModel& source, const DihedraResult& result);
// The canvas after "Set a nod to zero": the kept pairs of the source dihedra canvas, the values
// left by the removal, mi = 0.
void KeepNodeRemoval(CanvasModel& canvas, const CanvasModel& source, const NodeRemoval& removal);
// A P-T canvas: its P and T records and the source pairs beside them.
void KeepPTAxes(CanvasModel& canvas, const CanvasModel& source, const PTAxes& axes);

// The records 1..lNT of a canvas.
std::span<const InfoVal> CanvasRecords(const CanvasModel& canvas);

// The node values at their projected nodes, centred: red bold for ma, blue bold for mi, grey
// otherwise; node 0 at the centre. Nothing while ma is 0 or a click mode runs.
void DrawDihedraValues(const CanvasModel& canvas, const DrawContext& ctx);
// The whole display of a right dihedra canvas: values, then the overlay of its step.
void DrawDihedra(CanvasModel& canvas, DrawContext& ctx);
// Every P or T record as its bold letter centred on its point in its colour, then the overlay.
void DrawPTAxes(CanvasModel& canvas, DrawContext& ctx);

// The count written at a click, bold purple, centred on the point.
void DrawClickedValue(const DrawContext& ctx, Point at, int value);
// The mark of a node: a circle round its point.
void DrawNodeMark(const DrawContext& ctx, const Direction& node);

// The canvas draws kinds 6 and 7 and labels them with their number of faults.
void RegisterDihedraDisplays(CanvasPainters& painters = CanvasPainters::Registered());

} // namespace ploq
