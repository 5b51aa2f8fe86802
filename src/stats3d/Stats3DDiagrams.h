#pragma once

// The diagrams of a Stats 3D result canvas (kind 8), one per diagram number (i1): the chi2
// map of the best circles, and those the later analyses add to the table.

#include "canvas/DrawContext.h"

#include <span>

namespace ploq {

class CanvasModel;
struct CanvasPainters;

using Stats3DDiagram = void (*)(CanvasModel&, DrawContext&);

struct Stats3DDiagramRow {
    int number; // i1
    Stats3DDiagram draw;
};

std::span<const Stats3DDiagramRow> Stats3DDiagrams();
// The diagram of a number, or null.
Stats3DDiagram Stats3DDiagramOf(int number);

// The kind-8 display: the diagram of the canvas's i1; an unknown number draws nothing.
void RegisterStats3DDisplay(CanvasPainters& painters);

} // namespace ploq
