#pragma once

// The small net of the line-or-plane calculator: its own picture and projection, the grid the
// user picks, and the planes, lines and poles of the last computation.

#include "canvas/DrawContext.h"
#include "model/ValLine.h"

#include <cstdint>
#include <string>

namespace ploq {

// The grids of "Show grid", cycled by clicking their icon: 1 standard net, 2 and 3 the net
// turned to the strike of D1 or D2 (of the plane D3 between two lines), 4 the net axed on the
// result line, 5 the polar net.
constexpr int kValLineGridCount = 5;
constexpr int NextValLineGrid(int grid)
{
    return grid % kValLineGridCount + 1;
}

struct ValLineView {
    bool showGrid = false;
    int grid = 1;           // 1..5
    bool showPoles = false; // symbol 1 at the pole of every plane drawn
    int colour = 0;         // index into Tco of the results
};

// The net of a picture of that size: centre (width / 2, height / 2 + 4), radius centre x - 8,
// in the projection and hemisphere of the style word.
Net ValLineNet(Size picture, std::int32_t styleCnvs);
// "Wulff/" or "Schmidt/", then "inf " or "sup ".
std::string ValLineProjection(std::int32_t styleCnvs);

// The context the calculator draws through: its own net, a centre cross and no grid labels.
DrawContext ValLineContext(Surface& surface, Size picture, std::int32_t styleCnvs,
                           const VarGlob& settings);

// The picture filled white, the grid when shown, the frame, then what the mode draws:
// 1 both planes and symbol 10 at their intersection; 2 symbol 10 at both lines and the plane
// through them; 3 the plane and symbol 10 at the line; 4 the plane, symbol 10 at the chosen
// line and 9 at the other; none for a computation without a result.
void DessinerValLine(const DrawContext& ctx, Size picture, const ValLineResult& result,
                     const ValLineView& view);

} // namespace ploq
