// The pictures of the 2D statistics on a recording surface: where the petals, curves, bars,
// reference circles and direction lines go, rather than how they are drawn.

#include "stats2d/Stats2DDraw.h"

#include "canvas/DrawingProbe.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr int kRadius = 200;
constexpr int kColour = 4; // green: neither the frame (black), the median (blue) nor red

std::vector<double> radians(const std::vector<double>& degrees)
{
    std::vector<double> r;
    for (double d : degrees)
        r.push_back(d * kDegToRad);
    std::sort(r.begin(), r.end());
    return r;
}

// `count` values spread evenly over [from, from + span).
std::vector<double> spread(double from, double span, int count)
{
    std::vector<double> d;
    for (int i = 0; i < count; ++i)
        d.push_back(from + span * (i + 0.5) / count);
    return d;
}

InfoStats2D distribution(const std::vector<double>& degrees, int natM, int width, int shift,
                         std::int32_t style = 0)
{
    Stats2DChoice choice;
    choice.natM = natM;
    choice.width = width;
    choice.shift = shift;
    choice.style = style;
    choice.colour = kColour;
    return ComputeStats2D(radians(degrees), choice, 0).info;
}

// Clockwise from the top of the window, degrees in [0, 360).
double screenAzimuth(const RoseFrame& f, test::RealPoint p)
{
    const double a = std::atan2(p.x - f.x0, f.y0 - p.y) / kDegToRad;
    return a < 0 ? a + 360 : a;
}

struct Drawn {
    test::RecordingCanvas canvas{kRadius};
    std::vector<InfoStats2D> infos;

    Stats2DDiagram diagram(int type) const
    {
        Stats2DDiagram d;
        d.distributions = infos;
        d.type = type;
        d.lNT = infos.back().ntV;
        return d;
    }
    RoseFrame frame() const { return RoseFrameFor(canvas.ctx.net, infos.back().natM); }
    std::vector<Primitive> inColour(TColor colour, Shape shape) const
    {
        std::vector<Primitive> found;
        for (const Primitive& p : canvas.surface.primitives())
            if (p.pen.colour == colour && p.shape == shape)
                found.push_back(p);
        return found;
    }
    TColor colour() const { return CouleurDe(canvas.settings.Tco, kColour); }
};

TEST(Stats2DDraw, OnePetalPerClassOnItsBounds)
{
    struct Case {
        int natM, width, shift, type;
        std::vector<double> values;
    };
    const Case cases[] = {
        {kVectors360, 10, 0, kDiagramRose, {5, 6, 7, 35, 123, 359}},
        {kVectors360, 20, 5, kDiagramCircular, {1, 2, 50, 200, 358}},
        {kAxes180, 15, 0, kDiagramRose, {3, 40, 41, 170}},
        {kAxes360, 10, 5, kDiagramRose, {2, 60, 178}},
        {kDips90, 10, 5, kDiagramCircular, {0, 3, 40, 88, 90}},
    };
    for (const Case& c : cases) {
        Drawn d;
        d.infos = {distribution(c.values, c.natM, c.width, c.shift)};
        DessinerRose(d.canvas.ctx, d.diagram(c.type));
        const InfoStats2D& info = d.infos[0];
        const RoseFrame f = d.frame();
        std::vector<ClassSpan> filled;
        for (const ClassSpan& span : ClassSpans(info))
            if (info.vCl[span.entry] > 0)
                filled.push_back(span);
        const std::vector<Primitive> arcs = d.inColour(d.colour(), Shape::Arc);
        ASSERT_EQ(arcs.size(), filled.size()) << "natM " << c.natM;
        EXPECT_EQ(d.inColour(d.colour(), Shape::Line).size(), 2 * filled.size())
            << "two radii each";
        const int M = ScaleOf(d.diagram(c.type)).M;
        for (std::size_t i = 0; i < arcs.size(); ++i) {
            const Primitive& arc = arcs[i];
            const test::RealPoint centre = test::boxCentre(arc.box);
            EXPECT_EQ(centre.x, f.x0);
            EXPECT_EQ(centre.y, f.y0);
            const double radius = test::boxRadius(arc.box);
            EXPECT_LE(radius, f.r - 10);
            EXPECT_NEAR(radius, PetalRadius(c.type, info.vCl[filled[i].entry], M, f.r), 0.5);
            // The arc runs counter-clockwise from the end of the class to its start.
            const double from = ScreenAzimuth(info.natM, filled[i].from);
            const double to = ScreenAzimuth(info.natM, filled[i].to);
            const double tolerance = 0.75 / radius / kDegToRad;
            const auto near = [&](double a, double b) {
                return std::fabs(std::remainder(a - b, 360.0)) <= tolerance;
            };
            const double a1 = screenAzimuth(f, {double(arc.points[1].x), double(arc.points[1].y)});
            const double a2 = screenAzimuth(f, {double(arc.points[0].x), double(arc.points[0].y)});
            EXPECT_TRUE(near(a1, std::min(from, to))) << a1 << " vs " << std::min(from, to);
            EXPECT_TRUE(near(a2, std::max(from, to))) << a2 << " vs " << std::max(from, to);
        }
        // Half rose right of its diameter, quarter rose above and right of its corner.
        for (const Primitive& p : d.inColour(d.colour(), Shape::Arc))
            for (const test::RealPoint q : test::Sampled(p)) {
                if (c.natM == kAxes180 || c.natM == kDips90) {
                    EXPECT_GE(q.x, f.x0 - 0.5);
                }
                if (c.natM == kDips90) {
                    EXPECT_LE(q.y, f.y0 + 0.5);
                }
            }
    }
}

TEST(Stats2DDraw, PetalRadiusAndAreaLaws)
{
    // A class of 40, one of 10 and one of 20: the fullest petal reaches r - 10 on both types;
    // the rose's radii go as the counts, the histogram's areas do.
    std::vector<double> values = spread(10, 10, 40);
    for (double v : spread(100, 10, 10))
        values.push_back(v);
    for (double v : spread(200, 10, 20))
        values.push_back(v);
    for (int type : {kDiagramRose, kDiagramCircular}) {
        Drawn d;
        d.infos = {distribution(values, kVectors360, 10, 0)};
        DessinerRose(d.canvas.ctx, d.diagram(type));
        const std::vector<Primitive> arcs = d.inColour(d.colour(), Shape::Arc);
        ASSERT_EQ(arcs.size(), 3u);
        const double full = test::boxRadius(arcs[0].box);
        EXPECT_EQ(full, kRadius - 10);
        const double r10 = test::boxRadius(arcs[1].box);
        const double r20 = test::boxRadius(arcs[2].box);
        if (type == kDiagramRose) {
            EXPECT_NEAR(r10, full / 4, 0.5);
            EXPECT_NEAR(r20, full / 2, 0.5);
        } else {
            EXPECT_NEAR(r10, full / 2, 0.5) << "a class of 10 at half the radius of 40";
            EXPECT_NEAR(r20 * r20 / (full * full), 0.5, 0.01);
        }
        EXPECT_EQ(RoseLabel(d.diagram(type)), type == kDiagramRose ? "N max = 40" : "F max = 0.57");
    }
    // Axes shown at both ends are still counted once: 40 of 50 axes in the fullest class.
    Drawn axes;
    std::vector<double> axial = spread(10, 10, 40);
    for (double v : spread(100, 10, 10))
        axial.push_back(v);
    axes.infos = {distribution(axial, kAxes360, 10, 0)};
    EXPECT_EQ(RoseLabel(axes.diagram(kDiagramCircular)), "F max = 0.80");
    EXPECT_EQ(RoseLabel(axes.diagram(kDiagramRose)), "N max = 40");
}

TEST(Stats2DDraw, FilledPetalsKeepTheirArea)
{
    Drawn d;
    d.infos = {distribution(spread(0, 90, 9), kVectors360, 90, 0, 1 << kStats2DPlain)};
    DessinerRose(d.canvas.ctx, d.diagram(kDiagramCircular));
    const std::vector<Primitive> petals = d.inColour(d.colour(), Shape::Polygon);
    ASSERT_EQ(petals.size(), 1u);
    const Primitive& p = petals[0];
    const RoseFrame f = d.frame();
    EXPECT_EQ(p.brush.style, BrushStyle::Solid);
    EXPECT_EQ(p.points.front(), (Point{f.x0, f.y0}));
    // Shoelace area against the sector's: within a percent.
    double area = 0;
    for (std::size_t i = 0; i < p.points.size(); ++i) {
        const Point a = p.points[i], b = p.points[(i + 1) % p.points.size()];
        area += double(a.x) * b.y - double(b.x) * a.y;
    }
    const double radius = kRadius - 10;
    EXPECT_NEAR(std::fabs(area) / 2 / (std::numbers::pi * radius * radius / 4), 1, 0.01);
}

TEST(Stats2DDraw, ReferenceCircleAtTheUniformLevel)
{
    // 180 axes spread evenly, shown 0-360 in classes of 10: every petal and the circle at the
    // same radius.
    Drawn d;
    d.infos = {distribution(spread(0, 180, 180), kAxes360, 10, 0)};
    DessinerRose(d.canvas.ctx, d.diagram(kDiagramCircular));
    const std::vector<Primitive> circles = d.inColour(clRed, Shape::Ellipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(test::boxRadius(circles[0].box), kRadius - 10);
    EXPECT_EQ(d.inColour(d.colour(), Shape::Arc).size(), 36u);

    // A half circle for axes 0-180, a quarter for dips: arcs, right of the diameter.
    for (const auto& [natM, range] : {std::pair{kAxes180, 180}, std::pair{kDips90, 90}}) {
        Drawn half;
        half.infos = {distribution(spread(0, range, 36), natM, 10, 0)};
        DessinerRose(half.canvas.ctx, half.diagram(kDiagramCircular));
        const std::vector<Primitive> arcs = half.inColour(clRed, Shape::Arc);
        ASSERT_EQ(arcs.size(), 1u);
        const RoseFrame f = half.frame();
        for (const test::RealPoint q : test::Sampled(arcs[0]))
            EXPECT_GE(q.x, f.x0 - 0.5);
        EXPECT_NEAR(test::boxRadius(arcs[0].box), f.r - 10, 0.5) << "uniform data: at the petals";
    }
}

TEST(Stats2DDraw, MeanAndMedianLines)
{
    const std::int32_t style = 1 << kStats2DShowMean | 1 << kStats2DShowMedian;
    Drawn d;
    d.infos = {distribution({100, 110, 120, 130, 150}, kVectors360, 10, 0, style)};
    DessinerRose(d.canvas.ctx, d.diagram(kDiagramRose));
    const RoseFrame f = d.frame();
    const InfoStats2D& info = d.infos[0];
    const auto endsAt = [&](const Primitive& line, double degrees) {
        const Point end = line.points[1];
        const double a = degrees * kDegToRad;
        return std::hypot(end.x - (f.x0 + f.r * std::sin(a)), end.y - (f.y0 - f.r * std::cos(a)))
               < 1;
    };
    int means = 0, normals = 0, medians = 0;
    for (const Primitive& p : d.canvas.surface.primitives()) {
        if (p.shape != Shape::Line)
            continue;
        if (p.pen.colour == clBlack && p.pen.width == 2 && endsAt(p, info.moy / kDegToRad))
            ++means;
        if (p.pen.colour == clBlack && p.pen.style == PenStyle::Dash
            && endsAt(p, info.moy / kDegToRad + 90))
            ++normals;
        if (p.pen.colour == clBlue && p.pen.width == 2 && endsAt(p, 120))
            ++medians;
    }
    EXPECT_EQ(means, 1);
    EXPECT_EQ(normals, 1);
    EXPECT_EQ(medians, 1);
    bool labelled = false;
    for (const Primitive& p : d.canvas.surface.primitives())
        labelled =
            labelled || (p.shape == Shape::Text && p.text == FormatFixed(info.moy / kDegToRad, 1));
    EXPECT_TRUE(labelled) << "the mean written beside its end";
}

TEST(Stats2DDraw, LinearHistogramBarsInsideTheAxes)
{
    Drawn d;
    d.infos = {distribution({5, 6, 7, 35, 123, 359, 200, 201}, kVectors360, 20, 5)};
    d.infos.push_back(distribution({12, 100, 101}, kVectors360, 20, 5, 1 << kStats2DPlain));
    DessinerHistoLineaire(d.canvas.ctx, d.diagram(kDiagramLinear));
    const Net& net = d.canvas.ctx.net;
    const int x0 = net.xc - net.radius + 20, xEnd = net.xc + net.radius;
    const int y0 = net.yc + RoundHalfEven(net.radius / 1.2);
    const int top = net.yc - RoundHalfEven(net.radius / 1.5);
    const std::vector<Primitive> bars = d.inColour(d.colour(), Shape::Rectangle);
    int expected = 0;
    for (const InfoStats2D& info : d.infos)
        for (const ClassSpan& span : ClassSpans(info))
            expected += info.vCl[span.entry] > 0;
    ASSERT_EQ(static_cast<int>(bars.size()), expected);
    const int M = ScaleOf(d.diagram(kDiagramLinear)).M;
    for (const Primitive& bar : bars) {
        EXPECT_GE(bar.box.left, x0);
        EXPECT_LE(bar.box.right, xEnd + 1);
        EXPECT_GE(bar.box.top, top);
        EXPECT_EQ(bar.box.bottom, y0 + 1);
    }
    // The tallest bar reaches the top; the filled ones belong to the second distribution.
    int tallest = y0;
    for (const Primitive& bar : bars)
        tallest = std::min(tallest, bar.box.top);
    EXPECT_EQ(tallest, top);
    EXPECT_EQ(M, 3);
    EXPECT_EQ(HistoLabel(d.diagram(kDiagramLinear)), "N = 3, max = 3");
}

TEST(Stats2DDraw, CanvasOfKind9DrawsThroughItsDisplay)
{
    VarGlob settings;
    RecordingImageFactory images;
    CanvasModel canvas(kWPStats2D, settings);
    ASSERT_TRUE(canvas.SetRayon(kRadius, images));
    CanvasPainters painters;
    RegisterStats2DDisplay(painters);
    auto& surface = static_cast<RecordingImage*>(canvas.image())->recording();
    DrawContext ctx = ScreenContext(canvas, settings);
    surface.clear();
    EXPECT_EQ(Redessiner(canvas, ctx, painters), "") << "no distribution yet";
    EXPECT_TRUE(surface.primitives().empty());

    (*canvas.lTinfo2D)[0] = distribution(spread(0, 10, 12), kVectors360, 10, 0);
    canvas.i0 = kDiagramRose;
    canvas.i1 = 1;
    canvas.lNT = 12;
    EXPECT_EQ(Redessiner(canvas, ctx, painters), "N max = 12");
    EXPECT_FALSE(surface.primitives().empty());
    canvas.i0 = kDiagramLinear;
    EXPECT_EQ(Redessiner(canvas, ctx, painters), "N = 12, max = 12");
}

} // namespace
} // namespace ploq
