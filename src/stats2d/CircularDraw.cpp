#include "stats2d/CircularDraw.h"

#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr TColor clSilver = 12632256;
constexpr double kPi = std::numbers::pi;

void segment(Surface& s, Point from, Point to)
{
    s.moveTo(from);
    s.lineTo(to);
}

// The point at `radius` pixels from the centre toward the value's place on the circle.
Point onCircle(const Net& net, double radians, double radius)
{
    const double h = net.lowerHemisphere ? 1 : -1;
    return {RoundHalfEven(net.xc + h * radius * std::sin(radians)),
            RoundHalfEven(net.yc - h * radius * std::cos(radians))};
}

void diameter(const DrawContext& ctx, double radians, TColor colour)
{
    Surface& s = ctx.CnvsCourant;
    s.setPen({colour, 1});
    segment(s, onCircle(ctx.net, radians + kPi, ctx.net.radius),
            onCircle(ctx.net, radians, ctx.net.radius));
}

// The direction of the mean diameter's right-hand end, written beside it.
void meanLabel(const DrawContext& ctx, double moy)
{
    const Point end = onCircle(ctx.net, moy, ctx.net.radius);
    const bool meanEndRight = end.x >= ctx.net.xc;
    const double shown = meanEndRight ? moy : std::fmod(moy + kPi, 2 * kPi);
    const Point at = meanEndRight ? end : onCircle(ctx.net, moy + kPi, ctx.net.radius);
    const Net& net = ctx.net;
    LabelBeside(ctx, {net.xc, net.yc, net.radius}, at, FormatFixed(shown / kDegToRad, 1));
}

void placeRecords(CanvasModel& canvas, const Net& net)
{
    for (int i = 1; i <= canvas.lNT; ++i) {
        InfoVal& v = canvas.lVal[static_cast<std::size_t>(i)];
        const Point p = CircularPlotPixel(net, v.azi);
        v.p = p.x;
        v.q = p.y;
    }
}

} // namespace

Point CircularPlotPixel(const Net& net, double radians)
{
    return onCircle(net, radians, net.radius);
}

void FillCircularPlot(CanvasModel& canvas, std::span<const double> sorted,
                      const CircularPlotReport& report, int colour, std::int32_t style)
{
    canvas.lNT = 0;
    for (double v : sorted) {
        InfoVal record;
        record.azi = v;
        record.sy = kCircularPlotSymbol;
        record.nco = colour;
        SetBit(record.inf, kInfPresent, true);
        if (!canvas.AddRecord(record))
            break;
    }
    canvas.lNC = canvas.lNT;
    placeRecords(canvas, canvas.net());
    canvas.i0 = 2;
    canvas.i1 = 1;
    canvas.i2 = colour;
    canvas.i3 = style;
    canvas.mi = report.info.nMin;
    canvas.ar1 = report.info.med;
    canvas.ar2 = report.info.moy;
    canvas.ar3 = report.diameter;
}

void DessinerCircularPlot(CanvasModel& canvas, const DrawContext& ctx)
{
    Surface& s = ctx.CnvsCourant;
    const Net& net = ctx.net;
    const int r = net.radius;
    if (canvas.rChanged) {
        placeRecords(canvas, net);
        canvas.rChanged = false;
    }
    s.setPen({clSilver, 1});
    s.setBrush({clWhite, BrushStyle::Clear});
    s.ellipse({net.xc - r, net.yc - r, net.xc + r + 1, net.yc + r + 1});
    segment(s, {net.xc, net.yc - r}, {net.xc, net.yc - r - ctx.scaled(5)});
    segment(s, {net.xc, net.yc - r}, {net.xc, net.yc + r});
    segment(s, {net.xc - r, net.yc}, {net.xc + r, net.yc});
    const std::int32_t style = canvas.i3;
    if (TestBit(style, kStats2DGraduate)) {
        s.setPen({clGreen, 1});
        for (int a = 0; a < 360; a += 10) {
            const double t = a * kDegToRad;
            segment(s, onCircle(net, t, 0.75 * r), onCircle(net, t, 0.9 * r));
        }
    }
    for (int i = 1; i <= canvas.lNT; ++i) {
        const InfoVal& v = canvas.lVal[static_cast<std::size_t>(i)];
        DessinerSymbole(ctx, kCircularPlotSymbol, canvas.i2, v.p, v.q);
    }
    const bool mean = TestBit(style, kStats2DShowMean);
    if (mean)
        diameter(ctx, canvas.ar2, clBlack);
    if (TestBit(style, kStats2DShowMedian))
        diameter(ctx, canvas.ar1, clRed);
    if (TestBit(style, kStats2DHodgesAjne))
        diameter(ctx, canvas.ar3, clBlue);
    // Last, so that no diameter crosses it.
    if (mean)
        meanLabel(ctx, canvas.ar2);
    s.setBrush({clWhite, BrushStyle::Solid});
}

std::string CircularPlotLabel(const CanvasModel& canvas)
{
    return "N = " + std::to_string(canvas.lNT);
}

KuiperFrame KuiperFrameFor(const Net& net)
{
    const int rc = net.radius;
    return {net.xc - rc, net.yc + RoundHalfEven(3.0 * rc / 4), (2.0 * rc - 10) / 360, 1.5 * rc};
}

Point KuiperPoint(const KuiperFrame& f, std::span<const double> sorted, int natM, int i)
{
    // Across, the fraction of the range the test compares with i / n: so that the distance to
    // the diagonal is the deviation tested.
    const double units = KuiperScale(natM) * sorted[static_cast<std::size_t>(i - 1)] / kDegToRad;
    const double n = static_cast<double>(sorted.size());
    return {f.x0 + RoundHalfEven(f.q * units), f.y0 - RoundHalfEven(f.H * i / n)};
}

void DessinerKuiper(const DrawContext& ctx, const Stats2DDiagram& diagram)
{
    if (diagram.values.empty())
        return;
    Surface& s = ctx.CnvsCourant;
    const KuiperFrame f = KuiperFrameFor(ctx.net);
    const auto x = [&f](double units) { return f.x0 + RoundHalfEven(f.q * units); };
    const auto y = [&f](double share) { return f.y0 - RoundHalfEven(f.H * share); };
    const int tick = ctx.scaled(5);
    s.setPen({clBlack, 1});
    s.setBrush({clWhite, BrushStyle::Clear});
    segment(s, {f.x0, f.y0}, {f.x0, y(1.1)});
    segment(s, {f.x0, f.y0}, {x(370), f.y0});
    struct Tick {
        double units;
        int label;
    };
    const std::vector<Tick> dips = {{0, 0}, {120, 30}, {240, 60}, {360, 90}};
    const std::vector<Tick> circle = {{0, 0}, {90, 90}, {180, 180}, {270, 270}, {360, 360}};
    for (const Tick& t : diagram.natM == kDips90 ? dips : circle) {
        const int at = x(t.units);
        segment(s, {at, f.y0}, {at, f.y0 + tick});
        const std::string text = std::to_string(t.label);
        s.textOut({at - s.textExtent(text).width / 2, f.y0 + tick + 1}, text);
    }
    for (double share : {1.0, 0.5})
        segment(s, {f.x0 - tick, y(share)}, {f.x0, y(share)});
    const Size one = s.textExtent("1");
    s.textOut({f.x0 - tick - one.width - ctx.scaled(2), y(1) - one.height / 2}, "1");
    s.setPen({clRed, 1});
    segment(s, {f.x0, f.y0}, {x(360), y(1)});
    const int n = static_cast<int>(diagram.values.size());
    for (int i = 1; i <= n; ++i) {
        const Point p = KuiperPoint(f, diagram.values, diagram.natM, i);
        DessinerSymbole(ctx, kKuiperSymbol, diagram.colour, p.x, p.y);
    }
    s.setBrush({clWhite, BrushStyle::Solid});
}

std::string KuiperLabel(const Stats2DDiagram& diagram)
{
    return std::to_string(diagram.lNT) + " val";
}

void RegisterCircularDisplays(CanvasPainters& painters)
{
    painters.display[kWPCircularPlot] = [](CanvasModel& canvas, DrawContext& ctx) {
        DessinerCircularPlot(canvas, ctx);
    };
    painters.label[kWPCircularPlot] = CircularPlotLabel;
    Stats2DDisplays()[kDiagramKuiper] = {DessinerKuiper, KuiperLabel};
}

} // namespace ploq
