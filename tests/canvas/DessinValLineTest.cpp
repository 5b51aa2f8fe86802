// The calculator's net on the recording surface: what each mode draws and where, checked with
// the projection written out here and by taking the traces back onto the sphere.

#include "canvas/DessinValLine.h"

#include "app/VarGlob.h"
#include "canvas/DrawingProbe.h"
#include "model/TypesGlob.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace ploq {
namespace {

using test::DistanceFrom;
using test::Sampled;

constexpr double kToRad = std::numbers::pi / 180;
constexpr Size kPicture{200, 200};
constexpr int kColour = 4;
// Lower hemisphere, Schmidt net, graduations and diameters asked for: the calculator shows
// neither.
constexpr std::int32_t kLowerSchmidt = (1 << kStyleLowerHemisphere) | (1 << 2) | (1 << 3);

struct Pixel {
    double x = 0;
    double y = 0;
};

// The equal-area position of a direction (degrees) on the calculator's net.
Pixel schmidt(double trendDeg, double plungeDeg, bool lower = true)
{
    const Net net = ValLineNet(kPicture, kLowerSchmidt);
    const double r = net.radius * std::sqrt(2.0) * std::sin((45 - plungeDeg / 2) * kToRad);
    const double s = lower ? 1 : -1;
    return {net.xc + s * r * std::sin(trendDeg * kToRad),
            net.yc - s * r * std::cos(trendDeg * kToRad)};
}

struct Drawing {
    RecordingSurface surface;
    VarGlob settings;
    ValLineResult result;

    Drawing(const char* first, bool plane1, const char* second, bool plane2, ValLineView view = {},
            std::int32_t style = kLowerSchmidt)
    {
        result = ComputeValLine({first, second, plane1, plane2, {1, 1}, true});
        view.colour = kColour;
        DessinerValLine(ValLineContext(surface, kPicture, style, settings), kPicture, result, view);
    }
    TColor colour() const { return settings.Tco[kColour]; }
    // Symbol 10: a filled circle of the results' colour; symbol 9 the same circle open.
    std::vector<Box> circles(bool filled) const
    {
        std::vector<Box> found;
        for (const Primitive& p : surface.primitives())
            if (p.shape == Shape::Ellipse && p.pen.colour == colour()
                && p.box.right - p.box.left == 7 && (p.brush.style == BrushStyle::Solid)
                && (p.brush.colour == colour()) == filled)
                found.push_back(p.box);
        return found;
    }
    // The traces of planes, in the results' colour.
    std::vector<Primitive> traces() const
    {
        std::vector<Primitive> found;
        for (const Primitive& p : surface.primitives())
            if (p.pen.colour == colour() && (p.shape == Shape::Polyline || p.shape == Shape::Arc))
                found.push_back(p);
        return found;
    }
    // Symbol 1: the horizontal stroke of its cross, (x-3, y-1) to (x+2, y-1).
    std::vector<Point> crosses() const
    {
        std::vector<Point> found;
        for (const Primitive& p : surface.primitives())
            if (p.shape == Shape::Line && p.pen.colour == colour() && p.points[0].y == p.points[1].y
                && p.points[1].x - p.points[0].x == 5)
                found.push_back({p.points[0].x + 3, p.points[0].y + 1});
        return found;
    }
};

void expectSymbolAt(const std::vector<Box>& boxes, Pixel at)
{
    bool found = false;
    for (const Box& b : boxes)
        found =
            found || (std::fabs(b.left + 4 - at.x) <= 0.5 && std::fabs(b.top + 4 - at.y) <= 0.5);
    EXPECT_TRUE(found) << "no symbol at " << at.x << ", " << at.y;
}

// Each vertex of a trace, taken back onto the sphere, is at right angles to the pole.
void expectTraceOf(const Primitive& trace, double poleTrendDeg, double polePlungeDeg)
{
    const Net net = ValLineNet(kPicture, kLowerSchmidt);
    const Vec3 pole = DirToVec({poleTrendDeg * kToRad, polePlungeDeg * kToRad});
    for (const test::RealPoint& q : Sampled(trace)) {
        if (DistanceFrom(net, q) > net.radius - 1)
            continue; // on the rim a pixel is several degrees
        const Direction d = PlaneToDir(net.yc - q.y, q.x - net.xc, net);
        const double cosine = std::fabs(Dot(DirToVec(d), pole));
        EXPECT_LT(std::asin(cosine) / kToRad, 1.5) << q.x << ", " << q.y;
    }
}

TEST(ValLineNetGeometry, CentreAndRadiusFromThePicture)
{
    const Net net = ValLineNet({200, 180}, kLowerSchmidt);
    EXPECT_EQ(net.xc, 100);
    EXPECT_EQ(net.yc, 94);
    EXPECT_EQ(net.radius, 92);
    EXPECT_TRUE(net.lowerHemisphere);
    EXPECT_FALSE(net.equalAngle);
    EXPECT_TRUE(ValLineNet({200, 180}, 1 << kStyleWulff).equalAngle);
}

TEST(ValLineNetGeometry, ProjectionLabel)
{
    EXPECT_EQ(ValLineProjection(kLowerSchmidt), "Schmidt/inf ");
    EXPECT_EQ(ValLineProjection(1 << kStyleWulff), "Wulff/sup ");
    EXPECT_EQ(ValLineProjection((1 << kStyleWulff) | (1 << kStyleLowerHemisphere)), "Wulff/inf ");
    EXPECT_EQ(ValLineProjection(0), "Schmidt/sup ");
}

// Planes 30/090 and 30/180 meet in 22.2/135.
TEST(ValLineDrawing, TwoPlanesTheirTracesAndIntersection)
{
    const Drawing d("30/090", true, "30/180", true, {.showPoles = true});
    ASSERT_EQ(d.result.mode, ValLineMode::TwoPlanes);
    const std::vector<Primitive> traces = d.traces();
    ASSERT_EQ(traces.size(), 2u);
    expectTraceOf(traces[0], 270, 60);
    expectTraceOf(traces[1], 0, 60);
    ASSERT_EQ(d.circles(true).size(), 1u);
    expectSymbolAt(d.circles(true), schmidt(135, 22.2076));
    EXPECT_TRUE(d.circles(false).empty());
    const std::vector<Point> poles = d.crosses();
    ASSERT_EQ(poles.size(), 2u);
    for (const auto& [pole, at] : std::vector<std::pair<Point, Pixel>>{
             {poles[0], schmidt(270, 60)}, {poles[1], schmidt(0, 60)}}) {
        EXPECT_NEAR(pole.x, at.x, 0.5);
        EXPECT_NEAR(pole.y, at.y, 0.5);
    }
}

// The lines 20/045 and 20/135 lie in the plane dipping 27.2 toward 090 (pole 270/62.8).
TEST(ValLineDrawing, TwoLinesAndThePlaneThroughThem)
{
    const Drawing d("20/045", false, "20/135", false, {.showPoles = true});
    ASSERT_EQ(d.result.mode, ValLineMode::TwoLines);
    ASSERT_EQ(d.traces().size(), 1u);
    expectTraceOf(d.traces()[0], 270, 90 - 27.2363);
    ASSERT_EQ(d.circles(true).size(), 2u);
    expectSymbolAt(d.circles(true), schmidt(45, 20));
    expectSymbolAt(d.circles(true), schmidt(135, 20));
    ASSERT_EQ(d.crosses().size(), 1u) << "the pole of the plane through the lines";
}

TEST(ValLineDrawing, PlaneAndLine)
{
    // Trend 080 in the plane 40/120: 32.73/080.
    const Drawing d("40/120", true, "80", false);
    ASSERT_EQ(d.result.mode, ValLineMode::PlaneAndLine);
    ASSERT_EQ(d.traces().size(), 1u);
    expectTraceOf(d.traces()[0], 300, 50);
    ASSERT_EQ(d.circles(true).size(), 1u);
    expectSymbolAt(d.circles(true), schmidt(80, 32.7324));
    EXPECT_TRUE(d.crosses().empty()) << "poles only when asked for";
}

// Plunge 20 in the plane 40/120: 055.71 and 184.29; "*/20" chooses none, the first comes first.
TEST(ValLineDrawing, PlaneAndTwoLinesTheChosenOneFilled)
{
    const Drawing d("40/120", true, "*/20", false, {.showPoles = true});
    ASSERT_EQ(d.result.mode, ValLineMode::PlaneAndTwoLines);
    ASSERT_EQ(d.traces().size(), 1u);
    ASSERT_EQ(d.circles(true).size(), 1u);
    ASSERT_EQ(d.circles(false).size(), 1u);
    expectSymbolAt(d.circles(true), schmidt(184.2934, 20));
    expectSymbolAt(d.circles(false), schmidt(55.7066, 20));
    ASSERT_EQ(d.crosses().size(), 1u);
    // The open circle first: where both answers are one line, the filled one shows.
    const auto& all = d.surface.primitives();
    std::size_t open = 0, filled = 0;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].shape == Shape::Ellipse && all[i].pen.colour == d.colour())
            (all[i].brush.colour == d.colour() ? filled : open) = i;
    EXPECT_LT(open, filled);
}

TEST(ValLineDrawing, NothingWithoutAResult)
{
    for (const Drawing& d : {Drawing("30/090", true, "30.0/90", true, {.showPoles = true}),
                             Drawing("30/090", true, "what", false, {.showPoles = true})}) {
        EXPECT_EQ(d.result.mode, ValLineMode::None);
        for (const Primitive& p : d.surface.primitives())
            EXPECT_NE(p.pen.colour, d.colour());
        // Only the white ground, the primitive circle, the north tick and the centre cross.
        EXPECT_EQ(d.surface.count(Shape::Ellipse), 1u);
        EXPECT_EQ(d.surface.count(Shape::Line), 3u);
    }
}

// Whatever is drawn stays on the net (the north tick and a symbol on the rim reach 5 pixels
// out), in both projections and hemispheres, with every grid.
TEST(ValLineDrawing, EverythingWithinTheNet)
{
    const std::vector<std::pair<const char*, const char*>> inputs = {
        {"30/090", "30/180"}, {"90/090", "90/180"}, {"0/000", "80/045"}, {"5/010", "89/200"}};
    for (std::int32_t style : {kLowerSchmidt, std::int32_t{1 << kStyleWulff},
                               std::int32_t{(1 << kStyleWulff) | (1 << kStyleLowerHemisphere)}, 0})
        for (const auto& [a, b] : inputs)
            for (int grid = 1; grid <= kValLineGridCount; ++grid)
                for (const auto& [plane1, plane2] : std::vector<std::pair<bool, bool>>{
                         {true, true}, {false, false}, {true, false}}) {
                    ValLineView view{true, grid, true, 0};
                    const Drawing d(a, plane1, b, plane2, view, style);
                    const Net net = ValLineNet(kPicture, style);
                    for (const Primitive& p : d.surface.primitives())
                        if (p.shape != Shape::FillRect) {
                            for (const test::RealPoint& q : Sampled(p))
                                EXPECT_LE(DistanceFrom(net, q), net.radius + 5.5)
                                    << a << " " << b << " grid " << grid;
                        }
                }
}

TEST(ValLineDrawing, UpperHemisphereMirrorsThePositions)
{
    const Drawing d("40/120", true, "80", false, {}, 0);
    expectSymbolAt(d.circles(true), schmidt(80, 32.7324, false));
}

// Grids in the grid colour: 2 and 3 turned to the strike of D1 and D2, 4 axed on the result,
// 5 polar; never labelled.
TEST(ValLineDrawing, GridsByType)
{
    const VarGlob defaults;
    const TColor gridColour = defaults.Tco[defaults.GridCol];
    const Net net = ValLineNet(kPicture, kLowerSchmidt);
    // The diameter along the axis of a standard net turned to azimuth rot.
    const auto hasDiameter = [&](const Drawing& d, double rotDeg) {
        const double s = std::sin(rotDeg * kToRad);
        const double c = std::cos(rotDeg * kToRad);
        for (const Primitive& p : d.surface.primitives())
            if (p.shape == Shape::Line && p.pen.colour == gridColour
                && std::abs(p.points[0].x - (net.xc - net.radius * s)) <= 1
                && std::abs(p.points[0].y - (net.yc + net.radius * c)) <= 1
                && std::abs(p.points[1].x - (net.xc + net.radius * s)) <= 1
                && std::abs(p.points[1].y - (net.yc - net.radius * c)) <= 1)
                return true;
        return false;
    };
    std::int32_t labelled = kLowerSchmidt;
    SetBit(labelled, 7, true);
    // Planes 30/120 (strike 030) and 50/200 (strike 110).
    const auto drawn = [&](int grid, const char* a = "30/120", bool plane1 = true,
                           const char* b = "50/200", bool plane2 = true) {
        return Drawing(a, plane1, b, plane2, {true, grid, false, 0}, labelled);
    };
    EXPECT_TRUE(hasDiameter(drawn(1), 0));
    EXPECT_TRUE(hasDiameter(drawn(2), 30));
    EXPECT_TRUE(hasDiameter(drawn(3), 110));
    // Two lines: both turned to the strike of the plane through them (dipping toward 090).
    EXPECT_TRUE(hasDiameter(drawn(2, "20/045", false, "20/135", false), 0));
    EXPECT_TRUE(hasDiameter(drawn(3, "20/045", false, "20/135", false), 0));
    // Axed on the result: its equator, 2 pixels wide, is the trace of the plane normal to it.
    const Drawing axed = drawn(4, "40/120", true, "80", false);
    int wide = 0;
    for (const Primitive& p : axed.surface.primitives())
        if (p.pen.colour == gridColour && p.pen.width == 2) {
            ++wide;
            expectTraceOf(p, 80, 32.7324);
        }
    EXPECT_GE(wide, 1);
    // Polar: circles about the centre.
    int centred = 0;
    const Drawing polar = drawn(5);
    for (const Primitive& p : polar.surface.primitives())
        if (p.shape == Shape::Ellipse && p.pen.colour == gridColour
            && p.box.left + p.box.right == 2 * net.xc && p.box.top + p.box.bottom == 2 * net.yc)
            ++centred;
    EXPECT_EQ(centred, 8) << "every 10 degrees from 10 to 80";
    for (int grid = 1; grid <= kValLineGridCount; ++grid) {
        EXPECT_EQ(drawn(grid).surface.count(Shape::Text), 0u);
        const Drawing hidden("30/120", true, "50/200", true, {false, grid, false, 0});
        const Drawing plain("30/120", true, "50/200", true, {});
        EXPECT_EQ(hidden.surface.primitives().size(), plain.surface.primitives().size())
            << "no grid unless shown";
    }
}

TEST(ValLineDrawing, GridIconCycles)
{
    int grid = 1;
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i)
        seen.push_back(grid = NextValLineGrid(grid));
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 5, 1, 2}));
}

} // namespace
} // namespace ploq
