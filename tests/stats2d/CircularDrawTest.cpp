// The circular plot canvas and the Kuiper diagram on a recording surface: one symbol per value
// where the formulas put it, the diameters of the statistics, the axes and the diagonal.

#include "stats2d/CircularDraw.h"

#include "canvas/DrawingProbe.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr int kRadius = 200;
constexpr int kColour = 4;
constexpr TColor kSilver = 12632256;
constexpr std::int32_t kAllShown = 1 << kStats2DShowMean | 1 << kStats2DShowMedian
                                   | 1 << kStats2DHodgesAjne | 1 << kStats2DGraduate;

std::vector<double> sortedRadians(const std::vector<double>& degrees)
{
    std::vector<double> r;
    for (double d : degrees)
        r.push_back(d * kDegToRad);
    std::sort(r.begin(), r.end());
    return r;
}

bool samePrimitive(const Primitive& a, const Primitive& b, int dx, int dy)
{
    if (a.shape != b.shape || a.pen.colour != b.pen.colour || a.points.size() != b.points.size())
        return false;
    for (std::size_t i = 0; i < a.points.size(); ++i)
        if (a.points[i].x != b.points[i].x + dx || a.points[i].y != b.points[i].y + dy)
            return false;
    const Box& x = a.box;
    const Box& y = b.box;
    return x == Box{} || x == Box{y.left + dx, y.top + dy, y.right + dx, y.bottom + dy};
}

// The centres of the symbols `sy` in colour `c` among the primitives: each run of primitives
// that repeats the symbol's own drawing, shifted.
std::vector<Point> symbolsDrawn(const std::vector<Primitive>& drawn, int sy, int c)
{
    test::RecordingCanvas alone(kRadius);
    const Point origin{500, 500};
    DessinerSymbole(alone.ctx, sy, c, origin.x, origin.y);
    const std::vector<Primitive>& shape = alone.surface.primitives();
    const auto anchor = [](const Primitive& p) {
        return p.points.empty() ? Point{p.box.left, p.box.top} : p.points[0];
    };
    std::vector<Point> centres;
    for (std::size_t i = 0; i + shape.size() <= drawn.size(); ++i) {
        const int dx = anchor(drawn[i]).x - anchor(shape[0]).x;
        const int dy = anchor(drawn[i]).y - anchor(shape[0]).y;
        bool all = true;
        for (std::size_t k = 0; k < shape.size() && all; ++k)
            all = samePrimitive(drawn[i + k], shape[k], dx, dy);
        if (all) {
            centres.push_back({origin.x + dx, origin.y + dy});
            i += shape.size() - 1;
        }
    }
    return centres;
}

std::vector<Primitive> inColour(const std::vector<Primitive>& drawn, TColor colour, Shape shape)
{
    std::vector<Primitive> found;
    for (const Primitive& p : drawn)
        if (p.pen.colour == colour && p.shape == shape)
            found.push_back(p);
    return found;
}

// The point at `radius` toward azimuth a (clockwise from the top), as the figure places it.
test::RealPoint toward(const Net& net, double radians, double radius)
{
    const double h = net.lowerHemisphere ? 1 : -1;
    return {net.xc + h * radius * std::sin(radians), net.yc - h * radius * std::cos(radians)};
}

bool near(Point p, test::RealPoint q, double tolerance = 0.5 + 1e-9)
{
    return std::fabs(p.x - q.x) <= tolerance && std::fabs(p.y - q.y) <= tolerance;
}

struct CircularCanvas {
    explicit CircularCanvas(const std::vector<double>& degrees, int natM = kVectors360,
                            std::int32_t style = kAllShown, bool lower = true)
        : values(sortedRadians(degrees))
    {
        SetBit(settings.StyleCnvs, kStyleLowerHemisphere, lower);
        canvas = std::make_unique<CanvasModel>(kWPCircularPlot, settings);
        EXPECT_TRUE(canvas->SetRayon(kRadius, images));
        report = ComputeCircularPlot(values, natM, kPlaneStrike, 0);
        FillCircularPlot(*canvas, values, report, kColour, style);
        RegisterCircularDisplays(painters);
    }
    // The primitives of one redraw, and Label1.
    std::vector<Primitive> redraw()
    {
        RecordingSurface& s = static_cast<RecordingImage*>(canvas->image())->recording();
        s.clear();
        DrawContext ctx = ScreenContext(*canvas, settings);
        label = Redessiner(*canvas, ctx, painters);
        return s.primitives();
    }

    VarGlob settings;
    RecordingImageFactory images;
    std::vector<double> values;
    std::unique_ptr<CanvasModel> canvas;
    CircularPlotReport report;
    CanvasPainters painters;
    std::string label;
};

TEST(CircularPlotCanvas, FieldsAndOneRecordPerValue)
{
    CircularCanvas c({10, 40, 95, 200, 300});
    const CanvasModel& m = *c.canvas;
    EXPECT_EQ(m.lNT, 5);
    EXPECT_EQ(m.i0, 2);
    EXPECT_EQ(m.i1, 1);
    EXPECT_EQ(m.i2, kColour);
    EXPECT_EQ(m.mi, c.report.info.nMin);
    EXPECT_DOUBLE_EQ(m.ar1, c.report.info.med);
    EXPECT_DOUBLE_EQ(m.ar2, c.report.info.moy);
    EXPECT_DOUBLE_EQ(m.ar3, c.report.diameter);
    const Net net = m.net();
    for (int i = 1; i <= m.lNT; ++i) {
        const InfoVal& v = m.lVal[static_cast<std::size_t>(i)];
        EXPECT_DOUBLE_EQ(v.azi, c.values[static_cast<std::size_t>(i - 1)]);
        EXPECT_TRUE(TestBit(v.inf, kInfPresent));
        EXPECT_TRUE(near({v.p, v.q}, toward(net, v.azi, kRadius))) << i;
    }
}

TEST(CircularPlotCanvas, SymbolsOnTheCircleAndTheThreeDiameters)
{
    for (bool lower : {true, false}) {
        SCOPED_TRACE(lower ? "lower hemisphere" : "upper hemisphere");
        CircularCanvas c({10, 40, 60, 95, 120, 200, 300}, kVectors360, kAllShown, lower);
        const std::vector<Primitive> drawn = c.redraw();
        const Net net = c.canvas->net();
        EXPECT_EQ(c.label, "N = 7");
        const std::vector<Point> symbols = symbolsDrawn(drawn, kCircularPlotSymbol, kColour);
        ASSERT_EQ(symbols.size(), c.values.size());
        for (std::size_t i = 0; i < symbols.size(); ++i)
            EXPECT_TRUE(near(symbols[i], toward(net, c.values[i], kRadius))) << i;

        const std::vector<Primitive> circles = inColour(drawn, kSilver, Shape::Ellipse);
        ASSERT_EQ(circles.size(), 1u);
        EXPECT_EQ(test::boxCentre(circles[0].box).x, net.xc);
        EXPECT_EQ(test::boxRadius(circles[0].box), kRadius);
        // The top mark and the two main diameters.
        EXPECT_EQ(inColour(drawn, kSilver, Shape::Line).size(), 3u);

        struct Diameter {
            TColor colour;
            double at;
        };
        const Diameter diameters[] = {
            {clBlack, c.report.info.moy}, {clRed, c.report.info.med}, {clBlue, c.report.diameter}};
        for (const Diameter& d : diameters) {
            const std::vector<Primitive> lines = inColour(drawn, d.colour, Shape::Line);
            ASSERT_EQ(lines.size(), 1u) << d.colour;
            const auto& ends = lines[0].points;
            EXPECT_TRUE(near(ends[1], toward(net, d.at, kRadius)));
            EXPECT_TRUE(near(ends[0], toward(net, d.at + std::numbers::pi, kRadius)));
        }
        // Ticks every 10° between 0.75 and 0.9 of the radius.
        const std::vector<Primitive> ticks = inColour(drawn, clGreen, Shape::Line);
        ASSERT_EQ(ticks.size(), 36u);
        for (const Primitive& t : ticks) {
            EXPECT_NEAR(test::DistanceFrom(net, t.points[0]), 0.75 * kRadius, 1);
            EXPECT_NEAR(test::DistanceFrom(net, t.points[1]), 0.9 * kRadius, 1);
        }
    }
}

TEST(CircularPlotCanvas, MeanLabelledAtItsRightHandEnd)
{
    struct Case {
        std::vector<double> values;
        bool lower;
        const char* label;
    };
    const Case cases[] = {
        {{30, 40, 50}, true, "40.0"},
        {{210, 220, 230}, true, "40.0"}, // the opposite end is the right one
        {{30, 40, 50}, false, "220.0"},  // seen from below
        {{200, 220, 240}, false, "220.0"},
    };
    for (const Case& c : cases) {
        CircularCanvas canvas(c.values, kVectors360, 1 << kStats2DShowMean, c.lower);
        const std::vector<Primitive> drawn = canvas.redraw();
        std::vector<Primitive> texts;
        for (const Primitive& p : drawn)
            if (p.shape == Shape::Text)
                texts.push_back(p);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, c.label);
        EXPECT_GT(texts[0].points[0].x, canvas.canvas->lXc) << "right of the centre";
        EXPECT_TRUE(inColour(drawn, clRed, Shape::Line).empty()) << "no median asked for";
        EXPECT_TRUE(inColour(drawn, clGreen, Shape::Line).empty()) << "no ticks asked for";
    }
}

TEST(CircularPlotCanvas, PlacedAgainAtTheSameAngleAfterAResize)
{
    // Axes 0-360 too: the values keep their place on the circle, not their doubled angle.
    for (int natM : {kAxes180, kAxes360, kVectors360}) {
        CircularCanvas c({10, 40, 95, 170}, natM);
        ASSERT_TRUE(c.canvas->SetRayon(120, c.images));
        const std::vector<Primitive> drawn = c.redraw();
        EXPECT_FALSE(c.canvas->rChanged);
        const Net net = c.canvas->net();
        const std::vector<Point> symbols = symbolsDrawn(drawn, kCircularPlotSymbol, kColour);
        ASSERT_EQ(symbols.size(), 4u);
        for (int i = 1; i <= 4; ++i) {
            const InfoVal& v = c.canvas->lVal[static_cast<std::size_t>(i)];
            EXPECT_TRUE(near({v.p, v.q}, toward(net, c.values[i - 1], 120))) << natM;
            EXPECT_EQ(symbols[static_cast<std::size_t>(i - 1)], (Point{v.p, v.q}));
        }
    }
}

struct KuiperCanvas {
    KuiperCanvas(const std::vector<double>& degrees, int natM)
    {
        canvas = std::make_unique<CanvasModel>(kWPStats2D, settings);
        EXPECT_TRUE(canvas->SetRayon(kRadius, images));
        canvas->lT2D = sortedRadians(degrees);
        canvas->lNT = static_cast<int>(degrees.size());
        canvas->i0 = kDiagramKuiper;
        canvas->i1 = natM;
        canvas->i2 = kColour;
        RegisterStats2DDisplay(painters);
        RegisterCircularDisplays(painters);
    }
    std::vector<Primitive> redraw()
    {
        RecordingSurface& s = static_cast<RecordingImage*>(canvas->image())->recording();
        s.clear();
        DrawContext ctx = ScreenContext(*canvas, settings);
        label = Redessiner(*canvas, ctx, painters);
        return s.primitives();
    }

    VarGlob settings;
    RecordingImageFactory images;
    std::unique_ptr<CanvasModel> canvas;
    CanvasPainters painters;
    std::string label;
};

TEST(KuiperDiagram, SymbolsRisingAlongTheRangeAndTheDiagonal)
{
    struct Case {
        int natM;
        std::vector<double> values;
        double range; // degrees across the whole axis
        std::vector<std::string> ticks;
    };
    const Case cases[] = {
        {kVectors360, {12, 40, 40, 100, 250, 300}, 360, {"0", "90", "180", "270", "360"}},
        // Axes (i1 = 0) are drawn too, on doubled angles.
        {kAxes180, {5, 30, 90, 120}, 180, {"0", "90", "180", "270", "360"}},
        {kDips90, {0, 20, 35, 60}, 90, {"0", "30", "60", "90"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "natM " << c.natM);
        KuiperCanvas k(c.values, c.natM);
        const std::vector<Primitive> drawn = k.redraw();
        const int n = static_cast<int>(c.values.size());
        EXPECT_EQ(k.label, std::to_string(n) + " val");
        const Net net = k.canvas->net();
        const int x0 = net.xc - kRadius;
        const int y0 = net.yc + 150;
        const double q = (2.0 * kRadius - 10) / 360;
        const double H = 1.5 * kRadius;
        const std::vector<Point> symbols = symbolsDrawn(drawn, kKuiperSymbol, kColour);
        ASSERT_EQ(symbols.size(), c.values.size());
        for (int i = 1; i <= n; ++i) {
            const Point p = symbols[static_cast<std::size_t>(i - 1)];
            const double share = c.values[static_cast<std::size_t>(i - 1)] / c.range;
            EXPECT_TRUE(near(p, {x0 + 360 * q * share, y0 - H * i / n})) << i;
            if (i > 1) {
                EXPECT_GE(p.x, symbols[static_cast<std::size_t>(i - 2)].x);
                EXPECT_LT(p.y, symbols[static_cast<std::size_t>(i - 2)].y);
            }
        }
        const std::vector<Primitive> diagonal = inColour(drawn, clRed, Shape::Line);
        ASSERT_EQ(diagonal.size(), 1u);
        EXPECT_EQ(diagonal[0].points[0], (Point{x0, y0}));
        EXPECT_TRUE(near(diagonal[0].points[1], {x0 + 360 * q, y0 - H}));
        std::vector<std::string> texts;
        for (const Primitive& p : drawn)
            if (p.shape == Shape::Text)
                texts.push_back(p.text);
        std::vector<std::string> expected = c.ticks;
        expected.push_back("1");
        EXPECT_EQ(texts, expected);
    }
}

TEST(KuiperDiagram, KuiperFrameOfTheNet)
{
    const KuiperFrame f = KuiperFrameFor(Net{215, 215, 200});
    EXPECT_EQ(f.x0, 15);
    EXPECT_EQ(f.y0, 365);
    EXPECT_DOUBLE_EQ(f.q, 390.0 / 360);
    EXPECT_DOUBLE_EQ(f.H, 300);
}

} // namespace
} // namespace ploq
