#include "faults/DihedraDraw.h"

#include "canvas/Dessin.h"
#include "canvas/UtilDessin.h"
#include "canvas/UtilPlot.h"
#include "stats3d/Counting.h"

#include <algorithm>

namespace ploq {

namespace {

constexpr int kNodeMarkRadius = 10;
constexpr int kNodeMarkColour = 11; // fixed blue

void copyNetOf(CanvasModel& canvas, const CanvasModel& source)
{
    // The result is shown on the same net as the pairs it was made from.
    canvas.lStyleCnvs = source.lStyleCnvs;
    canvas.lStylePlot = source.lStylePlot;
    canvas.rChanged = true;
    canvas.i1 = 0;
}

void copyRecords(CanvasModel& canvas, std::span<const InfoVal> records)
{
    const std::size_t n = std::min(records.size(), kValueSlots - 1);
    if (canvas.lVal.size() < n + 1)
        canvas.lVal.resize(n + 1);
    std::copy_n(records.begin(), n, canvas.lVal.begin() + 1);
    canvas.lNT = static_cast<int>(n);
}

// Text centred on a point, in the surface's font made bold or not and coloured.
void centredText(Surface& s, Point at, const std::string& text, bool bold, TColor colour)
{
    Font font = s.font();
    font.bold = bold;
    font.colour = colour;
    s.setFont(font);
    const Size extent = s.textExtent(text);
    s.textOut({at.x - extent.width / 2, at.y - extent.height / 2}, text);
}

// A record placed at its projected pixel.
InfoVal placed(const InfoVal& v, const Net& net)
{
    InfoVal out = v;
    const Point p = DirToPixel({v.azi, v.pen}, net);
    out.p = p.x;
    out.q = p.y;
    return out;
}

// The dotted trace of the plane normal to a striae, and the striae's symbol.
void drawAuxiliaryPlane(const DrawContext& ctx, const InfoVal& striae)
{
    Surface& s = ctx.CnvsCourant;
    s.setPen({CouleurDe(ctx.settings.Tco, striae.nco), 1, PenStyle::Dot});
    TraceGC(ctx, striae.pen, striae.azi);
    s.setPen({});
    DessinerSymbole(ctx, striae.sy, striae.nco, striae.p, striae.q);
}

void drawFaultTrace(const DrawContext& ctx, const InfoVal& plane)
{
    ctx.CnvsCourant.setPen({CouleurDe(ctx.settings.Tco, plane.nco), 1});
    TraceGC(ctx, plane.pen, plane.azi);
    ctx.CnvsCourant.setPen({});
}

// The overlay of a step over the pairs: plotted as data (1), or fault traces (when asked) and
// the auxiliary planes (2).
void drawPairsOverlay(const DrawContext& ctx, std::span<const InfoVal> pairs, int step,
                      bool faultTraces)
{
    if (step != 1 && step != 2)
        return;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const InfoVal v = placed(pairs[i], ctx.net);
        const bool striae = i % 2 == 1;
        if (step == 1)
            DessinVal(ctx, v);
        else if (striae)
            drawAuxiliaryPlane(ctx, v);
        else if (faultTraces)
            drawFaultTrace(ctx, v);
    }
}

} // namespace

std::span<const InfoVal> CanvasRecords(const CanvasModel& canvas)
{
    if (canvas.lVal.empty())
        return {};
    return std::span<const InfoVal>(canvas.lVal).subspan(1, static_cast<std::size_t>(canvas.lNT));
}

void KeepDihedra(CanvasModel& canvas, const CanvasModel& source, const DihedraResult& result)
{
    copyNetOf(canvas, source);
    copyRecords(canvas, CanvasRecords(source));
    for (const DihedraFault& f : result.pairs.faults)
        SetBit(canvas.lVal[static_cast<std::size_t>(f.first)].inf, kInfFaultMark, true);
    canvas.lVnod = result.counts;
    canvas.lNbCr = result.crowns;
    canvas.ma = result.ma;
    canvas.mi = result.mi;
    canvas.i2 = result.faults();
}

void KeepNodeRemoval(CanvasModel& canvas, const CanvasModel& source, const NodeRemoval& removal)
{
    copyNetOf(canvas, source);
    const std::span<const InfoVal> records = CanvasRecords(source);
    std::vector<InfoVal> kept;
    kept.reserve(2 * removal.kept.size());
    for (const int first : removal.kept) {
        kept.push_back(records[static_cast<std::size_t>(first - 1)]);
        kept.push_back(records[static_cast<std::size_t>(first)]);
    }
    copyRecords(canvas, kept);
    canvas.lVnod = removal.counts;
    canvas.lNbCr = source.lNbCr;
    canvas.ma = removal.ma;
    canvas.mi = 0;
    canvas.i2 = static_cast<int>(removal.kept.size());
}

void KeepPTAxes(CanvasModel& canvas, const CanvasModel& source, const PTAxes& axes)
{
    copyNetOf(canvas, source);
    const std::span<const InfoVal> records = CanvasRecords(source);
    copyRecords(canvas, PTRecords(records, axes, source.lStylePlot));
    canvas.lFaults.assign(records.begin(), records.end());
    canvas.i2 = static_cast<int>(axes.axes.size());
}

void DrawDihedraValues(const CanvasModel& canvas, const DrawContext& ctx)
{
    const int nodes = std::min(static_cast<int>(canvas.lVnod.size()), NodeCount(canvas.lNbCr));
    if (canvas.ma == 0 || canvas.butPosXY != kModeNone || canvas.lNbCr < 1)
        return;
    Surface& s = ctx.CnvsCourant;
    const Font before = s.font();
    const Brush brushBefore = s.brush();
    s.setBrush({clWhite, BrushStyle::Clear});
    for (int node = 0; node < nodes; ++node) {
        const int value = canvas.lVnod[static_cast<std::size_t>(node)];
        const bool top = value == canvas.ma;
        const bool bottom = !top && value == canvas.mi;
        const Point p = node == 0 ? Point{ctx.net.xc, ctx.net.yc}
                                  : DirToPixel(NodeDirection(node, canvas.lNbCr), ctx.net);
        s.setFont(before);
        centredText(s, p, std::to_string(value), top || bottom,
                    top ? kCountMaxColour : bottom ? kDihedraMinColour : kDihedraOtherColour);
    }
    s.setFont(before);
    s.setBrush(brushBefore);
}

void DrawDihedra(CanvasModel& canvas, DrawContext& ctx)
{
    DrawDihedraValues(canvas, ctx);
    drawPairsOverlay(ctx, CanvasRecords(canvas), canvas.i1, true);
}

void DrawPTAxes(CanvasModel& canvas, DrawContext& ctx)
{
    Surface& s = ctx.CnvsCourant;
    const Font before = s.font();
    const Brush brushBefore = s.brush();
    s.setBrush({clWhite, BrushStyle::Clear});
    DrawPresentRecords(canvas, ctx.net, [&](int, InfoVal& v) {
        s.setFont(before);
        const std::string letter(1, v.na.size() >= 2 ? v.na[1] : '?');
        centredText(s, {v.p, v.q}, letter, true, CouleurDe(ctx.settings.Tco, v.nco));
    });
    s.setFont(before);
    s.setBrush(brushBefore);
    // The faults themselves are plotted at step 1; their traces are not drawn at step 2.
    drawPairsOverlay(ctx, canvas.lFaults, canvas.i1, false);
}

void DrawClickedValue(const DrawContext& ctx, Point at, int value)
{
    Surface& s = ctx.CnvsCourant;
    const Font before = s.font();
    const Brush brushBefore = s.brush();
    s.setBrush({clWhite, BrushStyle::Clear});
    centredText(s, at, std::to_string(value), true, kDihedraClickColour);
    s.setFont(before);
    s.setBrush(brushBefore);
}

void DrawNodeMark(const DrawContext& ctx, const Direction& node)
{
    const Point p = DirToPixel(node, ctx.net);
    Surface& surface = ctx.CnvsCourant;
    const Brush brushBefore = surface.brush();
    surface.setPen({CouleurDe(ctx.settings.Tco, kNodeMarkColour), 1});
    surface.setBrush({clWhite, BrushStyle::Clear});
    const int r = ctx.scaled(kNodeMarkRadius);
    surface.ellipse({p.x - r, p.y - r, p.x + r + 1, p.y + r + 1});
    surface.setPen({});
    surface.setBrush(brushBefore);
}

void RegisterDihedraDisplays(CanvasPainters& painters)
{
    painters.display[kWPDihedra] = DrawDihedra;
    painters.display[kWPPTAxes] = DrawPTAxes;
    for (const int kind : {kWPDihedra, kWPPTAxes})
        painters.label[kind] = [](const CanvasModel& c) { return FaultCountLabel(c.i2); };
}

} // namespace ploq
