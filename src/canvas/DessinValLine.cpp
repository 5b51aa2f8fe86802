#include "canvas/DessinValLine.h"

#include "canvas/Dessin.h"
#include "canvas/UtilDessin.h"
#include "canvas/UtilPlot.h"
#include "model/TypesGlob.h"

#include <numbers>
#include <vector>

namespace ploq {

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;
constexpr int kResultSymbol = 10;
constexpr int kOtherLineSymbol = 9;
constexpr int kPoleSymbol = 1;

void drawGrid(const DrawContext& ctx, const ValLineResult& r, int grid)
{
    const bool twoLines = r.mode == ValLineMode::TwoLines;
    switch (grid) {
    case 2: GrilleStandard(ctx, NormalizeTrend((twoLines ? r.d3 : r.d1).trend + kHalfPi)); return;
    case 3: GrilleStandard(ctx, NormalizeTrend((twoLines ? r.d3 : r.d2).trend + kHalfPi)); return;
    case 4: {
        const Direction& axis = r.mode == ValLineMode::PlaneAndLine ? r.d2 : r.d3;
        GrilleAxee(ctx, axis.plunge, axis.trend);
        return;
    }
    case 5: GrillePolaire(ctx); return;
    default: GrilleStandard(ctx, 0); return;
    }
}

struct Drawn {
    std::vector<Direction> planes;  // by their poles
    std::vector<Direction> symbol9; // drawn first: symbol 10 on the same line stays filled
    std::vector<Direction> symbol10;
};

Drawn drawnBy(const ValLineResult& r)
{
    switch (r.mode) {
    case ValLineMode::TwoPlanes: return {{r.d1, r.d2}, {}, {r.d3}};
    case ValLineMode::TwoLines: return {{r.d3}, {}, {r.d1, r.d2}};
    case ValLineMode::PlaneAndLine: return {{r.d1}, {}, {r.d2}};
    case ValLineMode::PlaneAndTwoLines: return {{r.d1}, {r.d3}, {r.d2}};
    case ValLineMode::None: break;
    }
    return {};
}

void symbols(const DrawContext& ctx, const std::vector<Direction>& at, int sy, int colour)
{
    for (const Direction& d : at) {
        const Point p = DirToPixel(d, ctx.net);
        DessinerSymbole(ctx, sy, colour, p.x, p.y);
    }
}

} // namespace

Net ValLineNet(Size picture, std::int32_t styleCnvs)
{
    const int xc = picture.width / 2;
    return Net::FromStyle(xc, picture.height / 2 + 4, xc - 8, styleCnvs);
}

std::string ValLineProjection(std::int32_t styleCnvs)
{
    return ProjectionCaption(styleCnvs) + " ";
}

DrawContext ValLineContext(Surface& surface, Size picture, std::int32_t styleCnvs,
                           const VarGlob& settings)
{
    std::int32_t style = styleCnvs;
    SetBit(style, kStyleNetCentre, true);
    SetBit(style, kStyleGraduations, false);
    SetBit(style, kStyleDiameters, false);
    SetBit(style, kStyleIndexedGrid, false);
    return {surface, ValLineNet(picture, styleCnvs), style, 0, settings};
}

void DessinerValLine(const DrawContext& ctx, Size picture, const ValLineResult& result,
                     const ValLineView& view)
{
    Surface& surface = ctx.CnvsCourant;
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.fillRect({0, 0, picture.width, picture.height});
    if (view.showGrid)
        drawGrid(ctx, result, view.grid);
    TraceCanevas(ctx);

    const Drawn drawn = drawnBy(result);
    surface.setPen({CouleurDe(ctx.settings.Tco, view.colour), 1});
    surface.setBrush({clWhite, BrushStyle::Clear});
    for (const Direction& pole : drawn.planes)
        TraceGC(ctx, pole.plunge, pole.trend);
    symbols(ctx, drawn.symbol9, kOtherLineSymbol, view.colour);
    symbols(ctx, drawn.symbol10, kResultSymbol, view.colour);
    if (view.showPoles)
        symbols(ctx, drawn.planes, kPoleSymbol, view.colour);
}

} // namespace ploq
