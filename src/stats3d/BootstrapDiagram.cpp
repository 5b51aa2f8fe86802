#include "stats3d/BootstrapDiagram.h"

#include "app/VarGlob.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "stats3d/Bootstrap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kDeg = 180 / std::numbers::pi;
constexpr int kHalfSquare = 3;
constexpr int kReferenceSymbol = 10;
constexpr int kReferenceColour = 0;

} // namespace

int ScaleStep(int halfRange)
{
    if (halfRange <= 10)
        return 2;
    if (halfRange <= 30)
        return 5;
    if (halfRange <= 60)
        return 10;
    if (halfRange <= 90)
        return 20;
    return 30;
}

DiagramScale TrendScale(double referenceDeg, int halfRange)
{
    if (halfRange >= 180)
        return {0, 360, 30};
    return {referenceDeg - halfRange, referenceDeg + halfRange, ScaleStep(halfRange)};
}

DiagramScale PlungeScale(double referenceDeg, int halfRange)
{
    return {referenceDeg - halfRange, referenceDeg + halfRange, ScaleStep(halfRange)};
}

Box BootstrapFrame(const Net& net)
{
    return {30, 35, net.xc + net.radius, net.yc + RoundHalfEven(0.85 * net.radius)};
}

TColor RankColour(int rank, int m)
{
    if (rank < RoundHalfEven(0.67 * m))
        return 16711935;
    if (rank < RoundHalfEven(0.95 * m))
        return 8421376;
    if (rank < RoundHalfEven(0.99 * m))
        return 65280;
    return 65535;
}

DiagramPoint NearerEnd(const Direction& d, const Direction& reference, bool wholeTrend)
{
    double trend = d.trend * kDeg;
    double plunge = d.plunge * kDeg;
    if (Dot(DirToVec(d), DirToVec(reference)) < 0) {
        trend += 180;
        plunge = -plunge;
    }
    if (wholeTrend)
        trend = std::fmod(std::fmod(trend, 360) + 360, 360);
    else
        trend = reference.trend * kDeg + std::remainder(trend - reference.trend * kDeg, 360);
    return {trend, plunge};
}

namespace {

// Where a value of the scale lies between two pixel ends.
double Along(const DiagramScale& s, double value, int from, int to)
{
    return from + (value - s.low) / (s.high - s.low) * (to - from);
}

} // namespace

BootstrapPlot PlotBootstrap(const VkiRecords& read, int total, const Net& net, int amBS, int peBS)
{
    BootstrapPlot plot;
    plot.frame = BootstrapFrame(net);
    if (read.reference)
        plot.reference = *read.reference;
    else if (!read.records.empty())
        plot.reference = read.records.front();
    else
        return plot;
    // A garbled file must not stretch the scales past a few ticks.
    plot.reference.trend = NormalizeTrend(plot.reference.trend);
    plot.reference.plunge =
        std::clamp(plot.reference.plunge, -std::numbers::pi / 2, std::numbers::pi / 2);
    plot.hasReference = true;
    const bool whole = amBS >= 180;
    plot.wholeTrend = whole;
    const DiagramPoint ref = NearerEnd(plot.reference, plot.reference, whole);
    plot.trend = TrendScale(ref.trendDeg, amBS);
    plot.plunge = PlungeScale(ref.plungeDeg, peBS);
    const Box& f = plot.frame;
    const std::size_t last =
        std::min(read.records.size(), static_cast<std::size_t>(std::max(total, 0)) + 1);
    for (std::size_t i = 1; i < last; ++i) {
        const DiagramPoint p = NearerEnd(read.records[i], plot.reference, whole);
        const double x = Along(plot.trend, p.trendDeg, f.left, f.right);
        const double y = Along(plot.plunge, p.plungeDeg, f.bottom, f.top);
        // Compared as reals: a garbled value far off never becomes a pixel.
        if (!(x >= f.left + kHalfSquare && x <= f.right - kHalfSquare && y >= f.top + kHalfSquare
              && y <= f.bottom - kHalfSquare))
            continue;
        plot.squares.push_back(
            {{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))},
             RankColour(static_cast<int>(i), total)});
    }
    return plot;
}

namespace {

std::string TrendLabel(double deg)
{
    return FormatInt(std::fmod(std::fmod(deg, 360) + 360, 360));
}

// Ticks every step from the first multiple of the step within the scale.
template <typename Tick> void EachTick(const DiagramScale& s, Tick&& tick)
{
    for (double v = std::ceil(s.low / s.step) * s.step; v <= s.high + 1e-9; v += s.step)
        tick(v);
}

void DrawScales(const DrawContext& ctx, const BootstrapPlot& plot)
{
    Surface& surface = ctx.CnvsCourant;
    const Box& f = plot.frame;
    surface.setFont({ctx.settings.FontName, 11, false, false, clBlack});
    surface.setBrush({clWhite, BrushStyle::Clear});
    EachTick(plot.trend, [&](double v) {
        const int x = static_cast<int>(std::lround(Along(plot.trend, v, f.left, f.right)));
        surface.moveTo({x, f.bottom});
        surface.lineTo({x, f.bottom + 4});
        const std::string text = TrendLabel(v);
        surface.textOut({x - surface.textExtent(text).width / 2, f.bottom + 5}, text);
    });
    EachTick(plot.plunge, [&](double v) {
        const int y = static_cast<int>(std::lround(Along(plot.plunge, v, f.bottom, f.top)));
        surface.moveTo({f.left, y});
        surface.lineTo({f.left - 4, y});
        const std::string text = FormatInt(v);
        const Size size = surface.textExtent(text);
        surface.textOut({f.left - 5 - size.width, y - size.height / 2}, text);
    });
    surface.textOut({f.right - 14, f.bottom + 18}, "Az");
    surface.textOut({2, f.top - 16}, "Pe");
}

void DrawReference(const DrawContext& ctx, const BootstrapPlot& plot)
{
    Surface& surface = ctx.CnvsCourant;
    const Box& f = plot.frame;
    const DiagramPoint ref = NearerEnd(plot.reference, plot.reference, plot.wholeTrend);
    const int x = static_cast<int>(std::lround(Along(plot.trend, ref.trendDeg, f.left, f.right)));
    const int y = static_cast<int>(std::lround(Along(plot.plunge, ref.plungeDeg, f.bottom, f.top)));
    surface.setPen({clBlack, 1, PenStyle::Dot});
    surface.moveTo({x, f.bottom});
    surface.lineTo({x, y});
    surface.moveTo({f.left, y});
    surface.lineTo({x, y});
    surface.setPen({});
    surface.setBrush({clWhite, BrushStyle::Clear});
    surface.textOut({x + 3, f.bottom - 15}, FormatFixed(std::fmod(ref.trendDeg + 360, 360), 1));
    surface.textOut({f.left + 3, y - 15}, FormatFixed(ref.plungeDeg, 1));
    DessinerSymbole(ctx, kReferenceSymbol, kReferenceColour, x, y);
}

} // namespace

void DrawBootstrapDiagram(const DrawContext& ctx, const BootstrapPlot& plot)
{
    Surface& surface = ctx.CnvsCourant;
    surface.setPen({});
    surface.setBrush({clWhite, BrushStyle::Clear});
    surface.rectangle(plot.frame);
    if (!plot.hasReference)
        return;
    DrawScales(ctx, plot);
    for (const DiagramSquare& s : plot.squares) {
        surface.setBrush({s.colour, BrushStyle::Solid});
        surface.fillRect({s.centre.x - kHalfSquare, s.centre.y - kHalfSquare,
                          s.centre.x + kHalfSquare + 1, s.centre.y + kHalfSquare + 1});
    }
    DrawReference(ctx, plot);
    surface.setBrush({clWhite, BrushStyle::Clear});
}

std::string BootstrapDiagramLabel(const BootstrapPlot& plot, int total)
{
    return "n = " + std::to_string(plot.squares.size()) + "/" + std::to_string(total);
}

void KeepBootstrapDiagram(CanvasModel& canvas, int diagram, const std::string& path,
                          std::string_view fileText, int ranked, int failures)
{
    canvas.i1 = diagram;
    canvas.lNomF = path;
    canvas.i2 = ranked;
    canvas.i3 = failures;
    canvas.lVKi = ReadVki(fileText, ranked);
}

BootstrapPlot PlotOf(const CanvasModel& canvas, const VarGlob& settings)
{
    return PlotBootstrap(canvas.lVKi, canvas.i2, canvas.net(), settings.AmBS, settings.PeBS);
}

void DrawBootstrapCanvas(CanvasModel& canvas, DrawContext& ctx)
{
    const BootstrapPlot plot =
        PlotBootstrap(canvas.lVKi, canvas.i2, ctx.net, ctx.settings.AmBS, ctx.settings.PeBS);
    DrawBootstrapDiagram(ctx, plot);
    canvas.i4 = static_cast<int>(plot.squares.size());
}

std::string BootstrapCanvasLabel(const CanvasModel& canvas)
{
    if (canvas.i1 != kDiagramBootstrapGC && canvas.i1 != kDiagramBootstrapSC)
        return {};
    return "n = " + std::to_string(canvas.i4) + "/" + std::to_string(canvas.i2);
}

} // namespace ploq
