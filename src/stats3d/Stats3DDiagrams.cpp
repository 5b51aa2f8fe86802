#include "stats3d/Stats3DDiagrams.h"

#include "canvas/Plot.h"
#include "stats3d/CircleAnalysis.h"

#include <algorithm>

namespace ploq {

namespace {

// One row per diagram.
constexpr Stats3DDiagramRow kDiagrams[] = {
    {kDiagramChi2, DrawChi2Diagram},
};

} // namespace

std::span<const Stats3DDiagramRow> Stats3DDiagrams()
{
    return kDiagrams;
}

Stats3DDiagram Stats3DDiagramOf(int number)
{
    const auto row = std::find_if(std::begin(kDiagrams), std::end(kDiagrams),
                                  [number](const Stats3DDiagramRow& r) { return r.number == number; });
    return row == std::end(kDiagrams) ? nullptr : row->draw;
}

void RegisterStats3DDisplay(CanvasPainters& painters)
{
    painters.display[kWPStats3D] = [](CanvasModel& canvas, DrawContext& ctx) {
        if (const Stats3DDiagram draw = Stats3DDiagramOf(canvas.i1))
            draw(canvas, ctx);
    };
}

} // namespace ploq
