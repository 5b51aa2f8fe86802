#include "canvas/Dessin.h"

#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;
constexpr double kHalfPi = kPi / 2;
constexpr TColor kSilver = rgb(192, 192, 192);
constexpr TColor kLabelGrey = rgb(128, 128, 128);
constexpr double kVerticalPlane = 0.0174; // pole plunge below which a trace is a diameter
constexpr double kHorizontalPlane = 0.0001;
constexpr double kAxisTolerance = 0.1 * kDegToRad;

double reduceOnce(double a)
{
    return a > kTwoPi ? a - kTwoPi : a;
}

PlaneOffset reflectedIfUpper(const Net& net, PlaneOffset lower)
{
    return net.lowerHemisphere ? lower : PlaneOffset{-lower.east, -lower.north};
}

Point pixelOf(const Net& net, PlaneOffset o)
{
    return {RoundHalfEven(net.xc + o.east), RoundHalfEven(net.yc - o.north)};
}

Box circleBox(const Net& net, PlaneOffset centre, double radius)
{
    return {RoundHalfEven(net.xc + centre.east - radius),
            RoundHalfEven(net.yc - centre.north - radius),
            RoundHalfEven(net.xc + centre.east + radius),
            RoundHalfEven(net.yc - centre.north + radius)};
}

Box primitiveBox(const Net& net)
{
    return {net.xc - net.radius, net.yc - net.radius, net.xc + net.radius, net.yc + net.radius};
}

void segment(Surface& surface, Point from, Point to)
{
    surface.moveTo(from);
    surface.lineTo(to);
}

void clearBrush(Surface& surface)
{
    surface.setBrush({surface.brush().colour, BrushStyle::Clear});
}

void setPen(Surface& surface, TColor colour, int width = 1)
{
    surface.setPen({colour, width, PenStyle::Solid, PenMode::Copy});
}

void setPenWidth(Surface& surface, int width)
{
    Pen pen = surface.pen();
    pen.width = width;
    surface.setPen(pen);
}

TColor gridColour(const DrawContext& ctx)
{
    return CouleurDe(ctx.settings.Tco, ctx.settings.GridCol);
}

double stepOf(const DrawContext& ctx)
{
    return ctx.settings.GridStep * kDegToRad;
}

// The unit vector (frame G: east, north, down) of a direction, whatever its plunge.
Vec3 vectorOf(double trend, double plunge)
{
    return DirToVec({trend, plunge});
}

// The direction of a vector that points into the lower hemisphere or grazes it: rounding may
// leave it a hair above the horizontal, where it must not jump to the opposite rim.
Direction downwardDirection(const Vec3& v)
{
    const double trend = (v.x == 0 && v.y == 0) ? 0 : NormalizeTrend(std::atan2(v.x, v.y));
    return {trend, std::asin(std::clamp(v.z, 0.0, 1.0))};
}

// Draws, counter-clockwise as the screen shows it, the arc of a circle from `from` to `to`
// that passes through `through`; all are plane offsets of points of the circle.
void arcThrough(const DrawContext& ctx, PlaneOffset centre, double radius, PlaneOffset from,
                PlaneOffset to, PlaneOffset through)
{
    const auto angle = [&](PlaneOffset p) {
        return std::atan2(p.north - centre.north, p.east - centre.east);
    };
    const auto ccw = [](double a, double b) {
        double d = std::fmod(b - a, kTwoPi);
        return d < 0 ? d + kTwoPi : d;
    };
    const double start = angle(from);
    if (ccw(start, angle(through)) > ccw(start, angle(to)))
        std::swap(from, to);
    const Net& net = ctx.net;
    ctx.CnvsCourant.arc(circleBox(net, centre, radius), pixelOf(net, from), pixelOf(net, to));
}

// The cone of half-aperture alpha about the axis A = (azi, pen):
//   v(theta) = cos(alpha) A + sin(alpha) (cos(theta) U + sin(theta) W)
// with U the upward perpendicular to A in its vertical plane and W horizontal, so that v(0) is
// the cone's line of least plunge and v(pi) its line of greatest plunge. Its depth is
// cos(alpha) sin(pen) - sin(alpha) cos(pen) cos(theta): the cone is shown where that is >= 0.
struct Cone {
    Vec3 a;
    Vec3 u;
    Vec3 w;
    double alpha;
    double pen;
    double azi;

    Cone(double alphaIn, double penIn, double aziIn)
        : a(vectorOf(aziIn, penIn)), u(vectorOf(aziIn, penIn - kHalfPi)), w(Cross(a, u)),
          alpha(alphaIn), pen(penIn), azi(aziIn)
    {
    }

    Vec3 at(double theta) const
    {
        const double ca = std::cos(alpha);
        const double sa = std::sin(alpha);
        const double c = std::cos(theta);
        const double s = std::sin(theta);
        return {ca * a.x + sa * (c * u.x + s * w.x), ca * a.y + sa * (c * u.y + s * w.y),
                ca * a.z + sa * (c * u.z + s * w.z)};
    }

    bool wholeShown() const { return std::sin(pen - alpha) >= 0; }
    bool hidden() const { return std::sin(pen + alpha) <= 0; }
    // The angle where the cone comes into the shown hemisphere; it is shown from there to
    // 2 pi less that angle.
    double entry() const
    {
        const double c = std::cos(alpha) * std::sin(pen) / (std::sin(alpha) * std::cos(pen));
        return std::acos(std::clamp(c, -1.0, 1.0));
    }
};

int schmidtVertices(double alpha)
{
    return alpha < 0.14 ? 36 : alpha < 0.523 ? 60 : 72;
}

void schmidtSmallCircle(const DrawContext& ctx, const Cone& cone)
{
    const int perTurn = schmidtVertices(cone.alpha);
    double first = 0;
    double last = kTwoPi;
    if (!cone.wholeShown()) {
        first = cone.entry();
        last = kTwoPi - first;
    }
    const int steps =
        std::max(1, static_cast<int>(std::ceil((last - first) / (kTwoPi / perTurn) - 1e-9)));
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        const double theta = k == steps ? last : first + (last - first) * k / steps;
        points.push_back(DirToPixel(downwardDirection(cone.at(theta)), ctx.net));
    }
    ctx.CnvsCourant.polyline(points);
}

// The stereographic image of the cone is a circle through the images of its lines of least and
// greatest plunge, d1 and d2 from the centre toward the axis.
void wulffSmallCircle(const DrawContext& ctx, const Cone& cone)
{
    const Net& net = ctx.net;
    const double d1 = net.radius * std::tan(kPi / 4 - (cone.pen - cone.alpha) / 2);
    const double d2 = net.radius * std::tan(kPi / 4 - (cone.pen + cone.alpha) / 2);
    const double along = (d1 + d2) / 2;
    const double radius = std::fabs(d1 - d2) / 2;
    const PlaneOffset centre =
        reflectedIfUpper(net, {along * std::sin(cone.azi), along * std::cos(cone.azi)});
    if (cone.wholeShown()) {
        ctx.CnvsCourant.ellipse(circleBox(net, centre, radius));
        return;
    }
    const auto image = [&](double theta) {
        return DirToPlane(downwardDirection(cone.at(theta)), net);
    };
    const double entry = cone.entry();
    const PlaneOffset from = image(entry);
    const PlaneOffset to = image(kTwoPi - entry);
    const double chord2 = std::pow(from.east - to.east, 2) + std::pow(from.north - to.north, 2);
    // A cone through the zenith projects to a straight line; near it the circle is so large
    // that its arc lies within a quarter pixel of the chord.
    if (!std::isfinite(radius) || chord2 < 2 * radius) {
        segment(ctx.CnvsCourant, pixelOf(net, from), pixelOf(net, to));
        return;
    }
    arcThrough(ctx, centre, radius, from, to, image(kPi));
}

bool finite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

void label(Surface& surface, Point at, int degrees)
{
    const std::string text = std::to_string(degrees);
    const Size size = surface.textExtent(text);
    surface.textOut({at.x - size.width / 2, at.y - 6}, text);
}

void tick(Surface& surface, const Net& net, double angle, int from, int to)
{
    const auto at = [&](int r) {
        return Point{RoundHalfEven(net.xc + r * std::cos(angle)),
                     RoundHalfEven(net.yc - r * std::sin(angle))};
    };
    segment(surface, at(from), at(to));
}

// What the output variant writes under and above the circle.
void frameTexts(const DrawContext& ctx, int unit, int countShown)
{
    Surface& surface = ctx.CnvsCourant;
    const Net& net = ctx.net;
    const Font before = surface.font();
    Font font = before;
    font.pixelHeight = std::max(1, RoundHalfEven(2 * ctx.settings.PixMM * ctx.UnitDessin));
    surface.setFont(font);
    clearBrush(surface);
    const Size north = surface.textExtent("N");
    surface.textOut({net.xc - north.width / 2, net.yc - net.radius - font.pixelHeight - 20 * unit},
                    "N");
    const int y = net.yc + net.radius + 12 * unit;
    surface.textOut({net.xc - net.radius + 5 * unit, y}, "N = " + std::to_string(countShown));
    const std::string projection = ProjectionLabel(net);
    const Size size = surface.textExtent(projection);
    surface.textOut({net.xc + net.radius - 5 * unit - size.width, y}, projection);
    surface.setFont(before);
}

} // namespace

GridSteps StepTable(int gridStep)
{
    switch (gridStep) {
    case 2: return {90, 45};
    case 5: return {36, 18};
    case 10: return {18, 9};
    case 15: return {12, 6};
    default: return {};
    }
}

std::string ProjectionLabel(const Net& net)
{
    return std::string(net.equalAngle ? " W/" : " S/") + (net.lowerHemisphere ? "inf " : "sup ");
}

void TraceCanevas(const DrawContext& ctx, int countShown)
{
    Surface& surface = ctx.CnvsCourant;
    const Net& net = ctx.net;
    const int r = net.radius;
    const int u = ctx.EnImpression ? std::max(1, static_cast<int>(ctx.UnitDessin) / 2) : 1;
    clearBrush(surface);
    setPen(surface, clBlack);
    surface.ellipse(primitiveBox(net));
    segment(surface, {net.xc, net.yc - r}, {net.xc, net.yc - r - (ctx.EnImpression ? 6 * u : 5)});
    if (TestBit(ctx.StyleCnvs, kStyleDiameters)) {
        setPen(surface, kSilver);
        const Point ends[] = {
            {net.xc, net.yc - r}, {net.xc, net.yc + r}, {net.xc + r, net.yc}, {net.xc - r, net.yc}};
        for (Point end : ends)
            segment(surface, {net.xc, net.yc}, end);
        setPen(surface, clBlack);
    }
    if (TestBit(ctx.StyleCnvs, kStyleNetCentre)) {
        segment(surface, {net.xc - 5 * u, net.yc}, {net.xc + 5 * u, net.yc});
        segment(surface, {net.xc, net.yc - 5 * u}, {net.xc, net.yc + 5 * u});
    }
    if (TestBit(ctx.StyleCnvs, kStyleGraduations)) {
        const bool halves = r >= 151;
        for (int k = 0; k < 36; ++k) {
            const double a = 10 * k * kDegToRad;
            tick(surface, net, a, r + 2 * u, r + (halves ? 10 : 7) * u);
            if (halves)
                tick(surface, net, a + 5 * kDegToRad, r + 2 * u, r + 7 * u);
        }
    }
    if (ctx.EnImpression)
        frameTexts(ctx, u, countShown);
}

void DessinerGrille(const DrawContext& ctx, const CanvasGrid& grid)
{
    switch (grid.natGrille) {
    case kGridStandard: GrilleStandard(ctx, 0, grid); return;
    case kGridPolar: GrillePolaire(ctx, grid); return;
    case kGridAxed:
    case kGridAxedTyped: GrilleAxee(ctx, grid.ar5, grid.ar4, grid.natGrille); return;
    case kGridConcentric: CerclesConcentriques(ctx); return;
    default: return;
    }
}

void GrilleStandard(const DrawContext& ctx, double rot, const CanvasGrid& labels)
{
    Surface& surface = ctx.CnvsCourant;
    const Net& net = ctx.net;
    const GridSteps steps = StepTable(ctx.settings.GridStep);
    const double s = stepOf(ctx);
    setPen(surface, gridColour(ctx));
    clearBrush(surface);
    // Each small circle runs from rim to rim, so the cones k.s for k = 1..n already give both
    // sides of the net.
    for (int k = 1; k <= steps.n; ++k)
        TracePC(ctx, k * s, 0, rot);
    const double r = net.radius;
    segment(surface, pixelOf(net, {-r * std::sin(rot), -r * std::cos(rot)}),
            pixelOf(net, {r * std::sin(rot), r * std::cos(rot)}));
    const double v = reduceOnce(rot + kHalfPi);
    const double w = v + kPi;
    for (int k = 1; k <= steps.m; ++k) {
        TraceGC(ctx, k * s, v);
        TraceGC(ctx, k * s, w);
    }
    IndexGrille(ctx, labels);
}

void CerclesConcentriques(const DrawContext& ctx)
{
    Surface& surface = ctx.CnvsCourant;
    const Net& net = ctx.net;
    const GridSteps steps = StepTable(ctx.settings.GridStep);
    setPen(surface, gridColour(ctx));
    clearBrush(surface);
    // The circle of plunge 90 degrees is the centre itself: not drawn.
    for (int k = 1; k < steps.m; ++k) {
        const int r = RoundHalfEven(NetRadius(k * stepOf(ctx), net));
        surface.ellipse({net.xc - r, net.yc - r, net.xc + r, net.yc + r});
    }
}

void GrillePolaire(const DrawContext& ctx, const CanvasGrid& labels)
{
    Surface& surface = ctx.CnvsCourant;
    const Net& net = ctx.net;
    CerclesConcentriques(ctx);
    const GridSteps steps = StepTable(ctx.settings.GridStep);
    for (int k = 1; k <= steps.n; ++k) {
        const double t = k * stepOf(ctx);
        const int dx = RoundHalfEven(net.radius * std::sin(t));
        const int dy = RoundHalfEven(net.radius * std::cos(t));
        segment(surface, {net.xc - dx, net.yc - dy}, {net.xc + dx, net.yc + dy});
    }
    // The radii crowd the centre: a white disc clears it.
    const Pen pen = surface.pen();
    setPen(surface, clWhite);
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.ellipse({net.xc - 10, net.yc - 10, net.xc + 10, net.yc + 10});
    surface.setPen(pen);
    clearBrush(surface);
    IndexGrille(ctx, labels);
}

void GrilleAxee(const DrawContext& ctx, double pen, double azi, int natGrille)
{
    const CanvasGrid labels{natGrille, azi, pen};
    if (pen < kAxisTolerance) {
        GrilleStandard(ctx, azi, labels);
        return;
    }
    if (std::fabs(pen - kHalfPi) < kAxisTolerance) {
        GrillePolaire(ctx, labels);
        return;
    }
    Surface& surface = ctx.CnvsCourant;
    const GridSteps steps = StepTable(ctx.settings.GridStep);
    const double s = stepOf(ctx);
    setPen(surface, gridColour(ctx));
    clearBrush(surface);
    const double v = reduceOnce(azi + kHalfPi);
    // The poles of the planes through the horizontal axis azi, tilted with it down to pen.
    for (int k = 1; k <= steps.n; ++k) {
        const Direction pole = RotateDir(-pen, {v, 0}, {v, k * s});
        TraceGC(ctx, pole.plunge, pole.trend);
    }
    for (int k = 1; k <= steps.m; ++k)
        TracePC2(ctx, k * s, pen, azi);
    setPenWidth(surface, 2);
    TracePC(ctx, kHalfPi, pen, azi);
    setPenWidth(surface, 1);
    IndexGrille(ctx, labels);
}

void IndexGrille(const DrawContext& ctx, const CanvasGrid& grid)
{
    if (!TestBit(ctx.StyleCnvs, kStyleIndexedGrid) || grid.natGrille < kGridStandard
        || grid.natGrille > kGridAxed)
        return;
    Surface& surface = ctx.CnvsCourant;
    const Net& net = ctx.net;
    const Font before = surface.font();
    Font font = before;
    font.colour = kLabelGrey;
    surface.setFont(font);
    clearBrush(surface);
    const int q = net.radius < 301 ? 20 : 10;
    const auto at = [&](double trend, double plunge) { return DirToPixel({trend, plunge}, net); };
    if (grid.natGrille == kGridAxed) {
        const double strike = reduceOnce(grid.ar4 + kHalfPi);
        const double dip = kHalfPi - grid.ar5;
        for (int v = 0; v < 90; v += q) {
            for (char end : {'E', 'W'}) {
                const Direction line = PitchLetterToLine(end, v * kDegToRad, dip, strike);
                label(surface, at(line.trend, line.plunge), v);
            }
        }
        for (int v = 0; v < 90; v += q) {
            const double above = grid.ar5 - v * kDegToRad;
            const double below = grid.ar5 + v * kDegToRad;
            label(surface, above < 0 ? at(grid.ar4 + kPi, -above) : at(grid.ar4, above), v);
            label(surface, below >= kHalfPi ? at(grid.ar4 + kPi, kPi - below) : at(grid.ar4, below),
                  v);
        }
    } else {
        for (int v = 0; v < 90; v += q) {
            const int d = at(kHalfPi, v * kDegToRad).x - net.xc;
            for (Point p : {Point{net.xc, net.yc + d}, Point{net.xc, net.yc - d},
                            Point{net.xc + d, net.yc}, Point{net.xc - d, net.yc}})
                label(surface, p, v);
        }
    }
    surface.setFont(before);
}

void TraceGC(const DrawContext& ctx, double pen, double azi)
{
    if (!finite({pen, azi}))
        return;
    Surface& surface = ctx.CnvsCourant;
    const Net& net = ctx.net;
    const double r = net.radius;
    if (std::fabs(pen - kHalfPi) < kHorizontalPlane) {
        clearBrush(surface);
        surface.ellipse(primitiveBox(net));
        return;
    }
    const double strike = azi + kHalfPi;
    const PlaneOffset end1{-r * std::sin(strike), -r * std::cos(strike)};
    const PlaneOffset end2{r * std::sin(strike), r * std::cos(strike)};
    if (pen < kVerticalPlane) {
        segment(surface, pixelOf(net, end1), pixelOf(net, end2));
        return;
    }
    if (net.equalAngle) {
        // An exact circle: centre r / tan(pen) toward the pole, radius r / sin(pen); the arc
        // between the strike points that passes nearest the centre, on the dip line.
        const double c = r / std::tan(pen);
        const double radius = r / std::sin(pen);
        const PlaneOffset centre = reflectedIfUpper(net, {c * std::sin(azi), c * std::cos(azi)});
        const double nearest = c - radius;
        const PlaneOffset through =
            reflectedIfUpper(net, {nearest * std::sin(azi), nearest * std::cos(azi)});
        clearBrush(surface);
        arcThrough(ctx, centre, radius, end1, end2, through);
        return;
    }
    // Equal-area: 22 vertices along the apparent dips, from one strike end to the other, finer
    // near the ends where the trace bends most. The ends are the strike points themselves, so
    // that steep traces reach the rim.
    const double tanDip = std::tan(kHalfPi - pen);
    const double dipDirection = azi + kPi;
    const double start = strike + kPi;
    const auto vertex = [&](double theta) {
        const double delta = std::atan(tanDip * std::cos(theta - dipDirection));
        return delta >= 0 ? DirToPixel({theta, delta}, net)
                          : DirToPixel({theta + kPi, -delta}, net);
    };
    static constexpr int kSteps[] = {6,  12,  18,  24,  30,  36,  48,  60,  72,  84,
                                     96, 108, 120, 132, 144, 150, 156, 162, 168, 174};
    std::vector<Point> points;
    points.reserve(22);
    points.push_back(DirToPixel({start, 0}, net));
    for (int k : kSteps)
        points.push_back(vertex(start - k * kDegToRad));
    points.push_back({2 * net.xc - points.front().x, 2 * net.yc - points.front().y});
    surface.polyline(points);
}

void TracePC(const DrawContext& ctx, double alpha, double pen, double azi)
{
    if (!finite({alpha, pen, azi}))
        return;
    // A cone of no aperture, or of a full half-turn, is a single point.
    if (alpha <= 1e-9 || alpha >= kPi - 1e-9)
        return;
    const Cone cone(alpha, pen, azi);
    if (cone.hidden())
        return;
    clearBrush(ctx.CnvsCourant);
    if (ctx.net.equalAngle)
        wulffSmallCircle(ctx, cone);
    else
        schmidtSmallCircle(ctx, cone);
}

void TracePC2(const DrawContext& ctx, double alpha, double pen, double azi)
{
    TracePC(ctx, alpha, pen, azi);
    if (pen < alpha)
        TracePC(ctx, kPi - alpha, pen, azi);
}

void FaisceauPC(const DrawContext& ctx, double pen, double azi)
{
    Surface& surface = ctx.CnvsCourant;
    setPen(surface, gridColour(ctx));
    clearBrush(surface);
    for (int i = 1; i <= 36; ++i) {
        const int degrees = 5 * i;
        const double alpha = degrees * kDegToRad;
        if (alpha > kPi - pen + 1e-9)
            break;
        const bool bold = degrees == 90 || (degrees % 20 == 0);
        setPenWidth(surface, bold ? 2 : 1);
        TracePC2(ctx, alpha, pen, azi);
    }
    setPenWidth(surface, 1);
}

std::string GridAxisDefaultText(const Notation& notation)
{
    return DirToText(false, false, 0, 0, notation);
}

CanvasGrid GridFromAxisText(std::string_view text, const Notation& notation)
{
    const bool blank = text.find_first_not_of(" \t") == std::string_view::npos;
    if (blank)
        return {kGridStandard, 0, 0};
    const DirResult axis = CellToDir('L', text, notation);
    if (!axis.ok)
        return {kGridStandard, 0, 0};
    return {kGridAxed, axis.trend, axis.plunge};
}

ClickedAxis GridAxisFromClick(std::span<const InfoVal> values, const Direction& clicked,
                              const Notation& notation, bool decimals)
{
    constexpr double kNear = 2 * kDegToRad;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const InfoVal& v = values[i];
        if (!TestBit(v.inf, kInfPresent) || AngleBetween({v.azi, v.pen}, clicked) > kNear)
            continue;
        const bool plane = TestBit(v.inf, kInfPlane);
        return {{v.azi, v.pen},
                static_cast<int>(i) + 1,
                v.na.str() + " " + DirToText(decimals, plane, v.pen, v.azi, notation)};
    }
    return {clicked, 0, DirToText(decimals, false, clicked.plunge, clicked.trend, notation)};
}

std::string GridAxisLine(const ClickedAxis& axis)
{
    return "Axis of the grid : " + axis.label;
}

} // namespace ploq
