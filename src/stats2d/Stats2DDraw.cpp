#include "stats2d/Stats2DDraw.h"

#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ploq {

namespace {

constexpr int kPetalMargin = 10; // the fullest petal stops this far inside the frame

int rounded(double v)
{
    return static_cast<int>(std::lround(v));
}

void segment(Surface& s, Point from, Point to)
{
    s.moveTo(from);
    s.lineTo(to);
}

Point polar(const RoseFrame& f, double radius, double screenDeg)
{
    const double a = screenDeg * kDegToRad;
    return {rounded(f.x0 + radius * std::sin(a)), rounded(f.y0 - radius * std::cos(a))};
}

Box circleBox(const RoseFrame& f, int radius)
{
    return {f.x0 - radius, f.y0 - radius, f.x0 + radius + 1, f.y0 + radius + 1};
}

const InfoStats2D& last(const Stats2DDiagram& d)
{
    return d.distributions.back();
}

// The smoothed counts as one polyline through at(degree, count) for each whole degree.
template <class At> void smoothedCurve(Surface& s, const InfoStats2D& info, At at)
{
    std::vector<Point> curve;
    for (int c = 0; c <= info.nCl; ++c)
        curve.push_back(at(c, info.vCl[static_cast<std::size_t>(c)]));
    s.polyline(curve);
}

// The sector between two screen azimuths (a1 < a2): two radii and the arc, or a filled polygon
// following the arc closely enough to keep the petal's area.
void petal(Surface& s, const RoseFrame& f, double radius, double a1, double a2, bool filled)
{
    if (radius <= 0)
        return;
    const Point origin{f.x0, f.y0};
    if (filled) {
        const int chords = std::max(3, static_cast<int>(std::ceil((a2 - a1) / 3)));
        std::vector<Point> points{origin};
        for (int k = 0; k <= chords; ++k)
            points.push_back(polar(f, radius, a1 + (a2 - a1) * k / chords));
        s.polygon(points);
        return;
    }
    const Point start = polar(f, radius, a1);
    const Point end = polar(f, radius, a2);
    segment(s, origin, start);
    segment(s, origin, end);
    // Clockwise from a1 to a2 is counter-clockwise from a2 to a1.
    s.arc(circleBox(f, rounded(radius)), end, start);
}

// A line through the origin at a screen azimuth: a radius, or a diameter for a whole rose.
void directionLine(const DrawContext& ctx, const RoseFrame& f, double screenDeg, bool diameter,
                   const std::string& text)
{
    Surface& s = ctx.CnvsCourant;
    const Point end = polar(f, f.r, screenDeg);
    segment(s, diameter ? polar(f, f.r, screenDeg + 180) : Point{f.x0, f.y0}, end);
    LabelBeside(ctx, f, end, text);
}

void meanAndMedian(const DrawContext& ctx, const RoseFrame& f, const InfoStats2D& info)
{
    Surface& s = ctx.CnvsCourant;
    const bool diameter = info.natM == kAxes360 || info.natM == kVectors360;
    const auto degreesOf = [](double radians) { return radians / kDegToRad; };
    if (TestBit(info.style, kStats2DShowMean)) {
        const double moy = degreesOf(info.moy);
        s.setPen({clBlack, ctx.scaled(2)});
        directionLine(ctx, f, ScreenAzimuth(info.natM, moy), diameter, FormatFixed(moy, 1));
        // The perpendicular: on the half rose of axes it is the same axis taken below 180°;
        // dips have none within their quarter.
        if (info.natM != kDips90) {
            double normal = moy + 90;
            normal = std::fmod(normal, info.natM == kAxes180 ? 180 : 360);
            s.setPen({clBlack, 1, PenStyle::Dash});
            directionLine(ctx, f, normal, diameter, FormatFixed(normal, 1));
        }
    }
    if (TestBit(info.style, kStats2DShowMedian)) {
        const double med = degreesOf(info.med);
        s.setPen({clBlue, ctx.scaled(2)});
        directionLine(ctx, f, ScreenAzimuth(info.natM, med), diameter, FormatFixed(med, 1));
    }
}

// The uniform level of a circular histogram: the count a class of wCl degrees would hold
// if the values were spread evenly over the range.
void referenceCircle(const DrawContext& ctx, const RoseFrame& f, const InfoStats2D& info, int M)
{
    Surface& s = ctx.CnvsCourant;
    const double uniform = double(info.ntV) * info.wCl / RangeDeg(info.natM);
    const int radius = rounded(PetalRadius(kDiagramCircular, uniform, M, f.r));
    if (radius <= 0)
        return;
    s.setPen({clRed, 1});
    s.setBrush({clWhite, BrushStyle::Clear});
    const Box box = circleBox(f, radius);
    switch (info.natM) {
    case kAxes180: s.arc(box, polar(f, radius, 180), polar(f, radius, 0)); break;
    case kDips90: s.arc(box, polar(f, radius, 90), polar(f, radius, 0)); break;
    default: s.ellipse(box); break;
    }
}

void frame(const DrawContext& ctx, const RoseFrame& f, int natM)
{
    Surface& s = ctx.CnvsCourant;
    s.setPen({clBlack, 1});
    const Point o{f.x0, f.y0};
    const Point top = polar(f, f.r, 0), right = polar(f, f.r, 90);
    const Point bottom = polar(f, f.r, 180), left = polar(f, f.r, 270);
    const int gap = ctx.scaled(3);
    // The labels sit inside the ends of the axes, where the image has room for them.
    const auto besideTop = [&](Point p, const char* t) { s.textOut({p.x + gap, p.y}, t); };
    const auto aboveRight = [&](Point p, const char* t) {
        const Size z = s.textExtent(t);
        s.textOut({p.x - z.width, p.y - z.height - gap}, t);
    };
    const auto besideBottom = [&](Point p, const char* t) {
        s.textOut({p.x + gap, p.y - s.textExtent(t).height}, t);
    };
    const auto aboveLeft = [&](Point p, const char* t) {
        s.textOut({p.x, p.y - s.textExtent(t).height - gap}, t);
    };
    switch (natM) {
    case kDips90:
        segment(s, o, top);
        segment(s, o, right);
        besideTop(top, "90");
        aboveRight(right, "0");
        return;
    case kAxes180:
        segment(s, top, bottom);
        segment(s, o, right);
        break;
    default:
        segment(s, top, bottom);
        segment(s, left, right);
        if (natM == kVectors360)
            aboveLeft(left, "270");
        break;
    }
    besideTop(top, "0");
    aboveRight(right, "90");
    besideBottom(bottom, "180");
}

// Ticks of the count scale along the half-axes, with the first and last values written.
void graduations(const DrawContext& ctx, const RoseFrame& f, int type, int M, int natM)
{
    if (M <= 0 || natM == kDips90)
        return;
    int ticks = M;
    int step = 1;
    if (M > 9) {
        ticks = M > 60 ? 10 : 5;
        step = M / ticks; // the top value is the largest multiple of the ticks up to M
    }
    std::vector<double> axes{90, 0, 180};
    if (natM != kAxes180)
        axes.push_back(270);
    Surface& s = ctx.CnvsCourant;
    s.setPen({clBlack, 1});
    const int half = ctx.scaled(3);
    for (int k = 1; k <= ticks; ++k) {
        const double radius = PetalRadius(type, k * step, M, f.r);
        for (double axis : axes) {
            const Point at = polar(f, radius, axis);
            const Point side = polar(f, half, axis + 90);
            const int dx = side.x - f.x0, dy = side.y - f.y0;
            segment(s, {at.x - dx, at.y - dy}, {at.x + dx, at.y + dy});
        }
        if (k == 1 || k == ticks) {
            const std::string value = std::to_string(k * step);
            const Point at = polar(f, radius, 90);
            s.textOut({at.x - s.textExtent(value).width / 2, at.y + half + 1}, value);
        }
    }
}

} // namespace

Stats2DDiagram DiagramOf(const CanvasModel& canvas)
{
    Stats2DDiagram d;
    d.type = canvas.i0;
    d.lNT = canvas.lNT;
    if (canvas.i0 == kDiagramKuiper) {
        const std::size_t n = std::min(canvas.lT2D.size(), std::size_t(std::max(canvas.lNT, 0)));
        d.values = std::span<const double>(canvas.lT2D.data(), n);
        d.natM = canvas.i1;
        d.colour = canvas.i2;
        return d;
    }
    if (canvas.lTinfo2D && canvas.i1 > 0)
        d.distributions = std::span<const InfoStats2D>(canvas.lTinfo2D->data(),
                                                       std::min(canvas.i1, kMaxDistributions));
    return d;
}

DiagramScale ScaleOf(const Stats2DDiagram& diagram)
{
    DiagramScale scale;
    for (const InfoStats2D& info : diagram.distributions)
        if (info.nCM > scale.M) {
            scale.M = info.nCM;
            scale.N = info.ntV;
        }
    return scale;
}

RoseFrame RoseFrameFor(const Net& net, int natM)
{
    const int rc = net.radius;
    switch (natM) {
    case kAxes180: return {net.xc - rc / 2, net.yc, rc};
    case kDips90: return {net.xc + rc / 4 - rc, net.yc + rc - rc / 4, RoundHalfEven(1.5 * rc)};
    default: return {net.xc, net.yc, rc};
    }
}

double ScreenAzimuth(int natM, double degrees)
{
    return natM == kDips90 ? 90 - degrees : degrees;
}

void LabelBeside(const DrawContext& ctx, const RoseFrame& f, Point end, const std::string& text)
{
    Surface& s = ctx.CnvsCourant;
    const Size size = s.textExtent(text);
    const int gap = ctx.scaled(3);
    const int x = end.x < f.x0 ? end.x - size.width - gap : end.x + gap;
    const Net& net = ctx.net;
    const int margin = ctx.scaled(kMarginPixels);
    const int left = net.xc - net.radius - margin, right = net.xc + net.radius + margin;
    const int top = net.yc - net.radius - margin, bottom = net.yc + net.radius + margin;
    s.textOut({std::clamp(x, left, std::max(left, right - size.width)),
               std::clamp(end.y - size.height / 2, top, std::max(top, bottom - size.height))},
              text);
}

double PetalRadius(int type, double count, int M, int r)
{
    if (M <= 0 || count <= 0)
        return 0;
    const double full = r - kPetalMargin;
    return type == kDiagramCircular ? full * std::sqrt(count / M) : full * count / M;
}

void DessinerRose(const DrawContext& ctx, const Stats2DDiagram& diagram)
{
    if (diagram.distributions.empty())
        return;
    Surface& s = ctx.CnvsCourant;
    const int M = ScaleOf(diagram).M;
    const int natM = last(diagram).natM;
    const RoseFrame f = RoseFrameFor(ctx.net, natM);
    const auto radius = [&](double count) { return PetalRadius(diagram.type, count, M, f.r); };
    for (const InfoStats2D& info : diagram.distributions) {
        const TColor colour = CouleurDe(ctx.settings.Tco, info.colh);
        s.setPen({colour, 1});
        if (TestBit(info.style, kStats2DSmoothed)) {
            smoothedCurve(s, info, [&](int c, int count) {
                return polar(f, radius(count), ScreenAzimuth(info.natM, c));
            });
            continue;
        }
        const bool filled = TestBit(info.style, kStats2DPlain);
        s.setBrush({colour, filled ? BrushStyle::Solid : BrushStyle::Clear});
        for (const ClassSpan& span : ClassSpans(info)) {
            const double a1 = ScreenAzimuth(info.natM, span.from);
            const double a2 = ScreenAzimuth(info.natM, span.to);
            petal(s, f, radius(info.vCl[static_cast<std::size_t>(span.entry)]), std::min(a1, a2),
                  std::max(a1, a2), filled);
        }
        s.setBrush({clWhite, BrushStyle::Solid});
    }
    if (diagram.type == kDiagramCircular)
        for (const InfoStats2D& info : diagram.distributions)
            referenceCircle(ctx, f, info, M);
    s.setBrush({clWhite, BrushStyle::Clear});
    for (const InfoStats2D& info : diagram.distributions)
        meanAndMedian(ctx, f, info);
    frame(ctx, f, natM);
    if (TestBit(last(diagram).style, kStats2DGraduate))
        graduations(ctx, f, diagram.type, M, natM);
    s.setBrush({clWhite, BrushStyle::Solid});
}

void DessinerHistoLineaire(const DrawContext& ctx, const Stats2DDiagram& diagram)
{
    if (diagram.distributions.empty())
        return;
    Surface& s = ctx.CnvsCourant;
    const Net& net = ctx.net;
    const int M = std::max(1, ScaleOf(diagram).M);
    const int x0 = net.xc - net.radius + 20;
    const int xEnd = net.xc + net.radius;
    const int y0 = net.yc + RoundHalfEven(net.radius / 1.2);
    const int top = net.yc - RoundHalfEven(net.radius / 1.5);
    const int natM = last(diagram).natM;
    // The fault histograms are counted as vectors but cover their classes: dips end at 90°.
    const bool faults = diagram.type == kDiagramFaultStrikes || diagram.type == kDiagramFaultDips
                        || diagram.type == kDiagramFaultRakes;
    const int extent = faults ? last(diagram).nCl * last(diagram).wCl
                       : natM == kAxes360 ? 360
                                          : RangeDeg(natM);
    const double perDegree = double(xEnd - x0) / extent;
    const double perCount = double(y0 - top) / M;
    const auto x = [&](double degrees) { return rounded(x0 + degrees * perDegree); };
    const auto y = [&](double count) { return rounded(y0 - count * perCount); };

    for (const InfoStats2D& info : diagram.distributions) {
        const TColor colour = CouleurDe(ctx.settings.Tco, info.colh);
        s.setPen({colour, 1});
        if (TestBit(info.style, kStats2DSmoothed)) {
            smoothedCurve(s, info, [&](int c, int count) { return Point{x(c), y(count)}; });
            continue;
        }
        s.setBrush(
            {colour, TestBit(info.style, kStats2DPlain) ? BrushStyle::Solid : BrushStyle::Clear});
        for (const ClassSpan& span : ClassSpans(info))
            if (const int count = info.vCl[static_cast<std::size_t>(span.entry)]; count > 0)
                s.rectangle({x(span.from), y(count), x(span.to) + 1, y0 + 1});
    }

    s.setPen({clBlack, 1});
    s.setBrush({clWhite, BrushStyle::Clear});
    segment(s, {x0, y0}, {xEnd + 1, y0});
    segment(s, {x0, y0}, {x0, top - 1});
    // Angles every 30°, a label left out when it would touch the previous one.
    const int room = s.textExtent("XXXX").width;
    int lastLabel = x0 - 2 * room;
    for (int a = 0; a <= extent; a += 30) {
        const int at = x(a);
        segment(s, {at, y0}, {at, y0 + ctx.scaled(5)});
        const std::string text = std::to_string(diagram.type == kDiagramFaultRakes ? a - 180 : a);
        const Size z = s.textExtent(text);
        if (at - lastLabel < room)
            continue;
        s.textOut({at - z.width / 2, y0 + ctx.scaled(6)}, text);
        lastLabel = at;
    }
    // Counts: the label step keeps three text heights between labels.
    const double textHeight = s.textExtent("0").height;
    const int e = std::max(1, static_cast<int>(std::ceil(3 * textHeight / perCount)));
    const int g = e <= 4 ? 5 : e <= 9 ? 10 : e < 20 ? 20 : e < 50 ? 50 : e < 100 ? 100 : 200;
    const int minor = std::max(1, g / 5);
    for (int k = 1; k * minor <= M; ++k) {
        const int at = y(k * minor);
        const bool major = k % 5 == 0;
        segment(s, {x0 - ctx.scaled(major ? 9 : 5), at}, {x0, at});
        if (major) {
            const std::string text = std::to_string(k * minor);
            const Size z = s.textExtent(text);
            s.textOut({x0 - ctx.scaled(10) - z.width, at - z.height / 2}, text);
        }
    }
    s.setBrush({clWhite, BrushStyle::Solid});
}

std::string RoseLabel(const Stats2DDiagram& diagram)
{
    const DiagramScale scale = ScaleOf(diagram);
    if (diagram.type == kDiagramCircular)
        return "F max = " + FormatFixed(scale.N > 0 ? double(scale.M) / scale.N : 0, 2);
    return "N max = " + std::to_string(scale.M);
}

std::string HistoLabel(const Stats2DDiagram& diagram)
{
    return sformat("N = %d, max = %d", diagram.lNT, ScaleOf(diagram).M);
}

std::map<int, Stats2DDisplay>& Stats2DDisplays()
{
    static std::map<int, Stats2DDisplay> displays = {
        {kDiagramRose, {DessinerRose, RoseLabel}},
        {kDiagramCircular, {DessinerRose, RoseLabel}},
        {kDiagramLinear, {DessinerHistoLineaire, HistoLabel}},
    };
    return displays;
}

void RegisterStats2DDisplay(CanvasPainters& painters)
{
    const auto display = [](const CanvasModel& canvas) -> const Stats2DDisplay* {
        // A test diagram holds values rather than distributions; its i1 is a kind, 0 for axes.
        if (canvas.i1 <= 0 && canvas.lT2D.empty())
            return nullptr;
        const auto it = Stats2DDisplays().find(canvas.i0);
        return it == Stats2DDisplays().end() ? nullptr : &it->second;
    };
    painters.display[kWPStats2D] = [display](CanvasModel& canvas, DrawContext& ctx) {
        if (const Stats2DDisplay* d = display(canvas); d && d->draw)
            d->draw(ctx, DiagramOf(canvas));
    };
    painters.label[kWPStats2D] = [display](const CanvasModel& canvas) -> std::string {
        const Stats2DDisplay* d = display(canvas);
        return d && d->label ? d->label(DiagramOf(canvas)) : std::string();
    };
}

} // namespace ploq
