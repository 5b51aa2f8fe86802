#include "stats3d/CircleAnalysis.h"

#include "canvas/Dessin.h"
#include "canvas/Plot.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "stats3d/Circles.h"
#include "stats3d/Contours.h"
#include "stats3d/Eigen.h"
#include "stats3d/Stats3D.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;
constexpr double kHalfWindow = 20; // degrees either side of the fitted axis

double radians(double degrees)
{
    return degrees * kDeg;
}
double degrees(double radians)
{
    return radians / kDeg;
}

// The angle between a direction and an axis, as an axis: 0..pi/2. The argument is clamped:
// rounding may take |u.v| past 1, and one NaN would poison the grid's extremes and levels.
double axialAngle(double cosine)
{
    return std::acos(std::min(1.0, std::fabs(cosine)));
}

} // namespace

AnalysisWindow AnalysisWindowAbout(const Direction& axis, double aperture)
{
    AnalysisWindow w;
    const double trend = degrees(axis.trend);
    const double plunge = degrees(axis.plunge);
    w.firstTrend = trend - kHalfWindow;
    w.firstPlunge = plunge - kHalfWindow;
    if (w.firstPlunge < 0)
        w.firstPlunge -= std::floor(w.firstPlunge); // keeps the axis's fraction
    w.lastPlunge = plunge + kHalfWindow;
    if (w.lastPlunge > 90)
        w.lastPlunge = 89 + (w.lastPlunge - std::floor(w.lastPlunge));
    w.plunges = RoundHalfEven(w.lastPlunge - w.firstPlunge) + 1;
    double first = degrees(aperture) - 30;
    while (first < 0)
        first += 1;
    w.firstAperture = first;
    w.apertures = 89 - static_cast<int>(std::floor(first)) + 1;
    return w;
}

int AnalysisMatrixWeight(int n)
{
    return n > 0 && n <= 20 ? 40 / n : 1;
}

Direction WeightedGreatCirclePole(std::span<const Vec3> u)
{
    OrientationTensor t = OrientationMatrix(u);
    const double weight = AnalysisMatrixWeight(t.n);
    for (auto& row : t.T)
        for (double& value : row)
            value *= weight;
    return EigenAxis(Jacobi3(t.T), 2);
}

UnitVectors::UnitVectors(std::span<const Vec3> u)
{
    x.reserve(u.size());
    y.reserve(u.size());
    z.reserve(u.size());
    for (const Vec3& v : u) {
        x.push_back(v.x);
        y.push_back(v.y);
        z.push_back(v.z);
    }
}

namespace {

// Keeps the smallest sum and its aperture, the first one on equality.
void keepSmallest(AxisChi2& r, double sum, double aperture, bool first)
{
    if (first || sum < r.smallest) {
        r.smallest = sum;
        r.aperture = aperture;
    }
}

} // namespace

AxisChi2 AxisChi2Fast(const UnitVectors& u, const Direction& axis, const AnalysisWindow& w,
                      std::vector<double>& theta)
{
    const Vec3 v = DirToVec(axis);
    const std::size_t n = u.x.size();
    theta.resize(n);
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        theta[i] = axialAngle(u.x[i] * v.x + u.y[i] * v.y + u.z[i] * v.z);
        sum += theta[i];
    }
    const double count = static_cast<double>(n);
    const double mean = n > 0 ? sum / count : 0;
    double spread = 0;
    for (const double t : theta)
        spread += (t - mean) * (t - mean);
    const auto chi2 = [&](double rho) { return spread + count * (mean - rho) * (mean - rho); };
    AxisChi2 r;
    for (int i = 0; i < w.apertures; ++i) {
        const double rho = radians(w.aperture(i));
        keepSmallest(r, chi2(rho), rho, i == 0);
    }
    r.great = chi2(kPi / 2);
    return r;
}

AxisChi2 AxisChi2Literal(std::span<const Vec3> u, const Direction& axis, const AnalysisWindow& w)
{
    const Vec3 v = DirToVec(axis);
    const auto chi2 = [&](double rho) {
        double sum = 0;
        for (const Vec3& ui : u) {
            const double theta = axialAngle(Dot(ui, v));
            sum += (theta - rho) * (theta - rho);
        }
        return sum;
    };
    AxisChi2 r;
    for (int i = 0; i < w.apertures; ++i) {
        const double rho = radians(w.aperture(i));
        keepSmallest(r, chi2(rho), rho, i == 0);
    }
    r.great = chi2(kPi / 2);
    return r;
}

std::optional<CircleAnalysisData> AnalyseBestCircles(std::span<const Vec3> u, bool lowerHemisphere,
                                                     const std::function<void()>& onTrend)
{
    const SmallCircleFit fit = FitSmallCircle(u, lowerHemisphere);
    if (fit.failed)
        return std::nullopt;
    CircleAnalysisData d;
    d.n = static_cast<int>(u.size());
    d.fitAxis = fit.axis;
    d.fitAperture = fit.aperture;
    d.window = radians(2 * kHalfWindow);
    d.matrixPole = WeightedGreatCirclePole(u);
    d.matrixChi2 = Chi2Sum(u, d.matrixPole, kPi / 2);

    const AnalysisWindow w = AnalysisWindowAbout(fit.axis, fit.aperture);
    d.firstTrend = radians(w.firstTrend);
    d.firstPlunge = radians(w.firstPlunge);
    d.lastPlunge = radians(w.lastPlunge);
    d.trends = kAnalysisTrends;
    d.plunges = w.plunges;
    d.chi2.assign(static_cast<std::size_t>(d.trends * d.plunges), 0);
    const UnitVectors vectors(u);
    std::vector<double> theta;
    bool first = true;
    for (int k = 0; k < d.trends; ++k) {
        for (int c = 0; c < d.plunges; ++c) {
            const Direction axis{radians(w.trend(k)), radians(w.plunge(c))};
            const AxisChi2 r = AxisChi2Fast(vectors, axis, w, theta);
            d.chi2[static_cast<std::size_t>(k * d.plunges + c)] = r.smallest;
            if (first || r.smallest < d.minimum) {
                d.minimum = r.smallest;
                d.bestAxis = axis;
                d.bestAperture = r.aperture;
            }
            if (first || r.smallest > d.maximum)
                d.maximum = r.smallest;
            if (first || r.great < d.greatChi2) {
                d.greatChi2 = r.great;
                d.greatAxis = axis;
            }
            first = false;
        }
        if (onTrend)
            onTrend();
    }
    return d;
}

namespace {

std::string lineText(const Direction& d, const Notation& notation)
{
    return DirToText(true, false, d.plunge, d.trend, notation);
}

std::string fixed(double value, int decimals)
{
    return FormatFixed(value, decimals);
}

} // namespace

std::vector<InfoLine> CircleAnalysisReport(const CircleAnalysisData& d, const Notation& notation,
                                           DayCount now)
{
    const double n = d.n > 0 ? d.n : 1;
    const std::string degree = "\xB0";
    double from = degrees(d.firstTrend);
    if (from < 0)
        from += 360;
    std::vector<InfoLine> lines{
        {ResultHeading(now, "Best small/great circle analysis"), true},
        {"Best small circle, ki2 : " + fixed(d.minimum / n, 4) + " (center "
         + lineText(d.bestAxis, notation) + ", aperture " + fixed(degrees(d.bestAperture), 1)
         + degree + ")"},
        {"Best SC of aperture 90" + degree + " (best GC) : ki2 = " + fixed(d.greatChi2 / n, 4)
         + " (center : " + lineText(d.greatAxis, notation) + ")"},
        {"Best GC (orientations matrix) : ki2 = " + fixed(d.matrixChi2 / n, 4) + " (center : "
         + lineText(d.matrixPole, notation) + ")"},
        {"Analysis range : Az " + fixed(from, 1) + "/"
         + fixed(degrees(d.firstTrend) + 2 * kHalfWindow, 1) + degree + ", Pe "
         + fixed(degrees(d.firstPlunge), 1) + "/" + fixed(degrees(d.lastPlunge), 1) + degree
         + ", step 1" + degree + " (" + std::to_string(kAnalysisPoints) + " pts)"},
        {"ki2 values,starting from center (white zone):"}};
    const double b = (d.maximum - d.minimum) / 128;
    const auto level = [&](int steps) { return fixed((d.maximum - steps * b) / n, 3); };
    lines.push_back({"   < " + level(127) + " "});
    const int bounds[] = {127, 124, 120, 112, 96, 64, 32};
    for (std::size_t i = 0; i + 1 < std::size(bounds); ++i)
        lines.push_back({"   " + level(bounds[i]) + " to " + level(bounds[i + 1])});
    return lines;
}

std::vector<double> Chi2Levels(const CircleAnalysisData& d)
{
    const double b = (d.maximum - d.minimum) / 128;
    std::vector<double> levels;
    for (const double steps : {127.5, 124.0, 120.0, 112.0, 96.0, 64.0, 32.0})
        levels.push_back(d.maximum - steps * b);
    return levels;
}

void DrawCircleAnalysisMarks(const DrawContext& ctx, const CircleAnalysisData& d)
{
    Surface& surface = ctx.CnvsCourant;
    surface.setPen({});
    const Point best = DirToPixel(d.bestAxis, ctx.net);
    DessinerSymbole(ctx, 9, 0, best.x, best.y);
    const Point pole = DirToPixel(d.matrixPole, ctx.net);
    DessinerSymbole(ctx, 10, 15, pole.x, pole.y);
    surface.setPen({});
    surface.setBrush({clWhite, BrushStyle::Clear});
    TracePC2(ctx, d.bestAperture, d.bestAxis.plunge, d.bestAxis.trend);
    TraceGC(ctx, d.matrixPole.plunge, d.matrixPole.trend);
}

namespace {

double floorTo(double value, int multiple)
{
    return std::floor(value / multiple) * multiple;
}
double ceilTo(double value, int multiple)
{
    return std::ceil(value / multiple) * multiple;
}

// The frame of the diagram and its scales, degrees to pixels.
struct Chi2Frame {
    double left, right, top, bottom;         // pixels
    double trendMin, trendMax, plungeMin, plungeMax; // degrees

    Chi2Frame(const CircleAnalysisData& d, const Net& net)
    {
        left = net.xc - 0.9 * net.radius;
        right = net.xc + net.radius;
        top = net.yc - 0.9 * net.radius;
        bottom = net.yc + 0.9 * net.radius;
        const double firstTrend = degrees(d.firstTrend);
        trendMin = floorTo(RoundHalfEven(firstTrend) - 2, 5);
        trendMax = ceilTo(RoundHalfEven(firstTrend + 2 * kHalfWindow) + 2, 5);
        plungeMin = floorTo(RoundHalfEven(degrees(d.firstPlunge)) - 2, 3);
        plungeMax = ceilTo(RoundHalfEven(degrees(d.lastPlunge)) + 1, 5);
    }
    double x(double trend) const
    {
        return left + (trend - trendMin) / (trendMax - trendMin) * (right - left);
    }
    double y(double plunge) const
    {
        return bottom - (plunge - plungeMin) / (plungeMax - plungeMin) * (bottom - top);
    }
    // The trend of a direction taken round to the turn of the window.
    double unwrapped(double trendRadians) const
    {
        const double centre = (trendMin + trendMax) / 2;
        double t = degrees(trendRadians);
        t -= 360 * std::round((t - centre) / 360);
        return t;
    }
    Point at(const Direction& d) const
    {
        return {static_cast<int>(std::lround(x(unwrapped(d.trend)))),
                static_cast<int>(std::lround(y(degrees(d.plunge))))};
    }
};

int px(double v)
{
    return static_cast<int>(std::lround(v));
}

void shade(Surface& surface, const CircleAnalysisData& d, const Chi2Frame& f,
           const std::array<TColor, 17>& colours)
{
    if (d.plunges < 2 || d.trends < 2)
        return;
    ValueGrid g;
    g.columns = d.trends;
    g.rows = d.plunges;
    const double firstTrend = degrees(d.firstTrend);
    const double topPlunge = degrees(d.firstPlunge) + (d.plunges - 1);
    g.origin = {f.x(firstTrend), f.y(topPlunge)};
    g.stepX = f.x(firstTrend + 1) - f.x(firstTrend);
    g.stepY = f.y(topPlunge - 1) - f.y(topPlunge);
    g.values.resize(static_cast<std::size_t>(g.columns * g.rows));
    for (int row = 0; row < g.rows; ++row)
        for (int k = 0; k < g.columns; ++k)
            g.values[static_cast<std::size_t>(row * g.columns + k)] = d.at(k, d.plunges - 1 - row);
    const std::vector<double> levels = Chi2Levels(d);
    for (std::size_t j = 0; j < levels.size(); ++j)
        ContourValueGrid(surface, g, levels[j], colours[j + 1], true);
}

std::string trendLabel(double trend)
{
    double t = std::fmod(trend, 360);
    if (t < 0)
        t += 360;
    return std::to_string(RoundHalfEven(t));
}

void axes(Surface& surface, const Chi2Frame& f)
{
    surface.setPen({});
    surface.setBrush({clWhite, BrushStyle::Clear});
    surface.rectangle({px(f.left), px(f.top), px(f.right) + 1, px(f.bottom) + 1});
    constexpr int kTick = 4;
    for (double t = ceilTo(f.trendMin, 5); t <= f.trendMax; t += 5) {
        const int x = px(f.x(t));
        const bool labelled = std::fmod(std::fabs(t), 10) == 0;
        surface.moveTo({x, px(f.bottom)});
        surface.lineTo({x, px(f.bottom) + (labelled ? 2 * kTick : kTick)});
        if (labelled) {
            const std::string text = trendLabel(t);
            const Size size = surface.textExtent(text);
            surface.textOut({x - size.width / 2, px(f.bottom) + 2 * kTick + 1}, text);
        }
    }
    for (double p = ceilTo(f.plungeMin, 5); p <= f.plungeMax; p += 5) {
        const int y = px(f.y(p));
        const bool labelled = std::fmod(std::fabs(p), 10) == 0;
        surface.moveTo({px(f.left), y});
        surface.lineTo({px(f.left) - (labelled ? 2 * kTick : kTick), y});
        if (labelled) {
            const std::string text = std::to_string(RoundHalfEven(p));
            const Size size = surface.textExtent(text);
            surface.textOut({px(f.left) - 2 * kTick - 2 - size.width, y - size.height / 2},
                            text);
        }
    }
    // On the row of the trend labels, before the last one: below them and beyond the frame's
    // right side the image may end.
    const Size last = surface.textExtent(trendLabel(f.trendMax));
    const Size az = surface.textExtent("Az");
    surface.textOut({px(f.right) - last.width / 2 - 6 - az.width, px(f.bottom) + 2 * kTick + 1},
                    "Az");
    const Size pe = surface.textExtent("Pe");
    surface.textOut({px(f.left) - pe.width - 2 * kTick - 2, px(f.top) - pe.height - 2}, "Pe");
}

void marker(const DrawContext& ctx, const Chi2Frame& f, int symbol, const Direction& d,
            bool labelled)
{
    const Point at = f.at(d);
    ctx.CnvsCourant.setPen({});
    DessinerSymbole(ctx, symbol, 0, at.x, at.y);
    if (!labelled)
        return;
    Surface& s = ctx.CnvsCourant;
    s.setBrush({clWhite, BrushStyle::Clear});
    const std::string text =
        fixed(degrees(NormalizeTrend(d.trend)), 1) + "/" + fixed(degrees(d.plunge), 1);
    s.textOut({at.x + 6, at.y - s.textExtent(text).height - 2}, text);
}

// Whether two axes differ by more than 5 degrees in trend or in plunge.
bool differ(const Direction& a, const Direction& b)
{
    double dt = std::fabs(degrees(a.trend - b.trend));
    dt = std::fmod(dt, 360);
    dt = std::min(dt, 360 - dt);
    return dt > 5 || std::fabs(degrees(a.plunge - b.plunge)) > 5;
}

} // namespace

void DrawChi2Diagram(CanvasModel& canvas, DrawContext& ctx)
{
    if (!canvas.lKi || canvas.lKi->chi2.empty())
        return;
    const CircleAnalysisData& d = *canvas.lKi;
    const Chi2Frame f(d, ctx.net);
    Surface& s = ctx.CnvsCourant;
    const Brush brushBefore = s.brush();
    shade(s, d, f, ctx.settings.TcoCont);
    axes(s, f);
    marker(ctx, f, 9, d.bestAxis, true);
    if (differ(d.greatAxis, d.matrixPole))
        marker(ctx, f, 10, d.greatAxis, false);
    marker(ctx, f, 10, d.matrixPole, true);
    s.setPen({});
    s.setBrush(brushBefore);
}

void KeepCircleAnalysis(CanvasModel& canvas, CircleAnalysisData data)
{
    canvas.lKi = std::make_unique<CircleAnalysisData>(std::move(data));
    canvas.i1 = kDiagramChi2;
}

} // namespace ploq
