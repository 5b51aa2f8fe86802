#include "faults/FaultDraw.h"

#include "canvas/UtilDessin.h"
#include "canvas/UtilPlot.h"
#include "faults/FaultDisplays.h"
#include "stats2d/Stats2DDraw.h"

#include <algorithm>
#include <cmath>

namespace ploq {

namespace {

Point offset(double x, double y, double dx, double dy, double length)
{
    return {static_cast<int>(std::lround(x + dx * length)),
            static_cast<int>(std::lround(y + dy * length))};
}

} // namespace

std::optional<ArrowShape> MovementArrowShape(Point at, Point centre, int arrow, double unit)
{
    const double dx = at.x - centre.x;
    const double dy = at.y - centre.y;
    const double length = std::hypot(dx, dy);
    if ((arrow != 0 && arrow != 1) || length < 0.5)
        return std::nullopt;
    const double way = arrow == 1 ? 1 : -1;
    const double ux = way * dx / length;
    const double uy = way * dy / length;
    const double tipX = at.x + ux * kArrowShaft * unit;
    const double tipY = at.y + uy * kArrowShaft * unit;
    // Each stroke runs back from the tip, turned 10° off the shaft on its side.
    const double c = std::cos(kArrowHeadDeg * kDegToRad);
    const double s = std::sin(kArrowHeadDeg * kDegToRad);
    const double bx = -ux;
    const double by = -uy;
    ArrowShape shape;
    shape.tip = offset(tipX, tipY, 0, 0, 0);
    // The head hangs from the tip as drawn, so that its strokes keep their length.
    const double x = shape.tip.x;
    const double y = shape.tip.y;
    shape.stroke1 = offset(x, y, bx * c - by * s, bx * s + by * c, kArrowStroke * unit);
    shape.stroke2 = offset(x, y, bx * c + by * s, -bx * s + by * c, kArrowStroke * unit);
    return shape;
}

void DessinerStriaeMvt(const DrawContext& ctx, const InfoVal& striae)
{
    const VarGlob& s = ctx.settings;
    const int colour = TestBit(s.StyleFlt, kFltArrowFaultColour) ? striae.nco : s.ColMvtF;
    DessinerSymbole(ctx, striae.sy, colour, striae.p, striae.q);
    const std::optional<ArrowShape> arrow = MovementArrowShape(
        {striae.p, striae.q}, {ctx.net.xc, ctx.net.yc}, striae.aux, ctx.UnitDessin);
    if (!arrow)
        return;
    Surface& surface = ctx.CnvsCourant;
    surface.setPen({CouleurDe(s.Tco, colour), 1});
    surface.moveTo({striae.p, striae.q});
    surface.lineTo(arrow->tip);
    surface.moveTo(arrow->stroke1);
    surface.lineTo(arrow->tip);
    surface.lineTo(arrow->stroke2);
}

void DessinerFaultView(CanvasModel& canvas, DrawContext& ctx)
{
    DrawPresentRecords(canvas, ctx.net, [&](int i, InfoVal& v) {
        // The records come in pairs, the striae second.
        if (canvas.natWP == kWPHangingWall && i % 2 == 0)
            DessinerStriaeMvt(ctx, v);
        else
            DessinVal(ctx, v);
    });
}

void KeepFaultView(CanvasModel& view, const CanvasModel& source)
{
    // The view shows the pairs on the same net as their canvas.
    view.lStyleCnvs = source.lStyleCnvs;
    view.lStylePlot = source.lStylePlot;
    std::copy(source.lVal.begin() + 1, source.lVal.begin() + 1 + source.lNT, view.lVal.begin() + 1);
    view.lNT = source.lNT;
    const std::span<InfoVal> records(view.lVal.data() + 1, static_cast<std::size_t>(view.lNT));
    if (view.natWP == kWPStriaeRakes)
        MarkStriaeRakes(records);
    else
        MarkHangingWall(records);
    view.rChanged = true;
}

void KeepFaultHistogram(CanvasModel& diagram, const FaultHistogram& histogram)
{
    (*diagram.lTinfo2D)[0] = histogram.info;
    diagram.i0 = histogram.shape.type;
    diagram.i1 = 1;
    diagram.lNT = histogram.info.ntV;
}

void RegisterFaultDisplays(CanvasPainters& painters)
{
    for (const int kind : {kWPHangingWall, kWPStriaeRakes}) {
        painters.display[kind] = DessinerFaultView;
        painters.label[kind] = [](const CanvasModel& c) { return FaultViewLabel(c.lNC); };
    }
    for (const int type : {kDiagramFaultStrikes, kDiagramFaultDips, kDiagramFaultRakes})
        Stats2DDisplays()[type] = {DessinerHistoLineaire, HistoLabel};
}

} // namespace ploq
