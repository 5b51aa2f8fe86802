// The contour engine: hand-worked cells and grids, properties of the drawing on a recording
// surface over many smooth random densities, and the data density against counts written
// here (every node against every direction with their own inverse projection, the fixed-cone
// "schmidt" count of mplstereonet in its own coordinates, a Fisher cluster along radii).

#include "stats3d/Contours.h"

#include "canvas/Plot.h"
#include "model/UtilGlob.h"
#include "platform/RecordingSurface.h"
#include "support/Draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

using Segment = std::pair<Point, Point>;

std::set<std::pair<std::pair<int, int>, std::pair<int, int>>>
Unordered(const std::vector<Segment>& segments)
{
    std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> s;
    for (const auto& [a, b] : segments) {
        const std::pair<int, int> p{a.x, a.y}, q{b.x, b.y};
        s.insert({std::min(p, q), std::max(p, q)});
    }
    return s;
}

std::vector<Segment> Lines(const RecordingSurface& s)
{
    std::vector<Segment> lines;
    for (const Primitive& p : s.primitives())
        if (p.shape == Shape::Line)
            lines.push_back({p.points[0], p.points[1]});
    return lines;
}

std::vector<std::vector<Point>> Polygons(const RecordingSurface& s)
{
    std::vector<std::vector<Point>> polygons;
    for (const Primitive& p : s.primitives())
        if (p.shape == Shape::Polygon)
            polygons.push_back(p.points);
    return polygons;
}

// A polygon as the set of its vertices, whatever vertex it starts from.
std::set<std::pair<int, int>> Corners(const std::vector<Point>& polygon)
{
    std::set<std::pair<int, int>> s;
    for (const Point& p : polygon)
        s.insert({p.x, p.y});
    return s;
}

// --- One cell of 100 x 100 pixels from (0, 0): crossings land on whole pixels. ----------------

struct CellCase {
    const char* name;
    std::array<double, 4> k; // top-left, top-right, bottom-right, bottom-left
    double level;
    double saddleValue; // the value the density gives at the saddle's midpoint
    std::vector<Segment> segments;
    std::vector<std::vector<Point>> fills;
    int rectangles;
};

TEST(InteriorRule, HandWorkedCells)
{
    const Point top{50, 0}, right{100, 50}, bottom{50, 100}, left{0, 50};
    const Point p0{0, 0}, p1{100, 0}, p2{100, 100}, p3{0, 100};
    const CellCase cases[] = {
        {"all below", {1, 1, 1, 1}, 3, 0, {}, {}, 0},
        {"four 2s under a level of 2 (drawn at 2.01)", {2, 2, 2, 2}, 2.01, 0, {}, {}, 0},
        {"all at or above: the whole cell", {3, 4, 5, 6}, 2.01, 0, {}, {}, 1},
        {"one corner above", {5, 1, 1, 1}, 3, 0, {{top, left}}, {{p0, top, left}}, 0},
        {"two adjacent corners above",
         {5, 5, 1, 1},
         3,
         0,
         {{right, left}},
         {{p0, p1, right, left}},
         0},
        {"three corners above",
         {5, 5, 5, 1},
         3,
         0,
         {{bottom, left}},
         {{p0, p1, p2, bottom, left}},
         0},
        {"saddle 5 1 5 1, midpoint above: case 11",
         {5, 1, 5, 1},
         3,
         4,
         {{top, right}, {bottom, left}},
         {{p0, top, right, p2, bottom, left}},
         0},
        {"saddle 5 1 5 1, midpoint below: case 13",
         {5, 1, 5, 1},
         3,
         2,
         {{top, left}, {right, bottom}},
         {{left, p0, top}, {right, p2, bottom}},
         0},
        {"saddle 1 5 1 5, midpoint above: case 12",
         {1, 5, 1, 5},
         3,
         4,
         {{top, left}, {right, bottom}},
         {{top, p1, right, bottom, p3, left}},
         0},
        {"saddle 1 5 1 5, midpoint below: case 14",
         {1, 5, 1, 5},
         3,
         2,
         {{top, right}, {bottom, left}},
         {{top, p1, right}, {bottom, p3, left}},
         0},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface s;
        LevelTracer tracer(s, c.level, clRed, true, nullptr);
        Point asked{-1, -1};
        tracer.interiorCell({0, 0}, 100, 100, c.k, [&](PointF p) {
            asked = {RoundHalfEven(p.x), RoundHalfEven(p.y)};
            return c.saddleValue;
        });
        EXPECT_EQ(Unordered(Lines(s)), Unordered(c.segments));
        const auto fills = Polygons(s);
        ASSERT_EQ(fills.size(), c.fills.size());
        for (std::size_t i = 0; i < fills.size(); ++i) {
            EXPECT_EQ(fills[i].size(), c.fills[i].size());
            EXPECT_EQ(Corners(fills[i]), Corners(c.fills[i]));
        }
        EXPECT_EQ(static_cast<int>(s.count(Shape::Rectangle)), c.rectangles);
        if (c.rectangles) {
            EXPECT_EQ(s.primitives()[0].box, (Box{0, 0, 101, 101}));
        }
        // The density is asked at the midpoint of the top and bottom crossings of a saddle only.
        const bool saddle = c.segments.size() == 2;
        EXPECT_EQ(asked, saddle ? (Point{50, 50}) : (Point{-1, -1}));
        for (const Primitive& p : s.primitives())
            if (p.shape == Shape::Polygon || p.shape == Shape::Rectangle) {
                EXPECT_EQ(p.pen.colour, clRed);
                EXPECT_EQ(p.brush, (Brush{clRed, BrushStyle::Solid}));
            }
    }
}

TEST(InteriorRule, SaddleCasesFromTheCornersAndTheMidpoint)
{
    EXPECT_EQ(SaddleCase(5, 1, 3, 4), 11);
    EXPECT_EQ(SaddleCase(1, 5, 3, 4), 12);
    EXPECT_EQ(SaddleCase(5, 1, 3, 2), 13);
    EXPECT_EQ(SaddleCase(1, 5, 3, 2), 14);
}

TEST(InteriorRule, WithoutFillingOnlyTheLinesAreDrawnInTheLineColour)
{
    RecordingSurface s;
    LevelTracer tracer(s, 3, clRed, false, nullptr);
    tracer.setLineColour(clBlue);
    tracer.interiorCell({10, 20}, 40, 40, {5, 5, 5, 5}, {});
    tracer.interiorCell({10, 20}, 40, 40, {5, 1, 1, 1}, {});
    ASSERT_EQ(s.primitives().size(), 1u);
    EXPECT_EQ(s.primitives()[0].shape, Shape::Line);
    EXPECT_EQ(s.primitives()[0].pen.colour, clBlue);
    EXPECT_EQ(Unordered(Lines(s)), Unordered({{{30, 20}, {10, 40}}}));
}

// A clipped boundary cell whose values rise above the level twice round it: each rising
// crossing is joined to the next crossing, two segments that each cut off one high corner.
TEST(BoundaryRule, FourCrossingsGiveTwoSegmentsNeverOneAcrossTheCell)
{
    // A pentagon: corners (0,0) 5, (100,0) 1, (100,100) 5, (50,150) 1, (0,100) 1.
    const CellVertex v[] = {
        {{0, 0}, 5}, {{100, 0}, 1}, {{100, 100}, 5}, {{50, 150}, 1}, {{0, 100}, 1}};
    RecordingSurface s;
    LevelTracer tracer(s, 3, clRed, true, nullptr);
    tracer.polygonCell(v);
    EXPECT_EQ(Unordered(Lines(s)), Unordered({{{0, 50}, {50, 0}}, {{100, 50}, {75, 125}}}));
    const auto fills = Polygons(s);
    ASSERT_EQ(fills.size(), 2u);
    const std::set<std::set<std::pair<int, int>>> triangles{Corners(fills[0]), Corners(fills[1])};
    EXPECT_EQ(triangles, (std::set<std::set<std::pair<int, int>>>{
                             Corners({{0, 50}, {0, 0}, {50, 0}}),
                             Corners({{100, 50}, {100, 100}, {75, 125}})}));
    EXPECT_EQ(tracer.drawn().segments, 2);
}

TEST(BoundaryRule, PolygonsFromTriangleToHexagonAndTheWholeCell)
{
    struct Case {
        std::vector<CellVertex> v;
        std::vector<Point> fill;
        Segment line;
    };
    const Case cases[] = {
        // A triangle with one high vertex: a triangle is filled.
        {{{{0, 0}, 5}, {{100, 0}, 1}, {{0, 100}, 1}},
         {{0, 0}, {50, 0}, {0, 50}},
         {{0, 50}, {50, 0}}},
        // A pentagon with four high vertices: a hexagon.
        {{{{0, 0}, 5}, {{100, 0}, 5}, {{100, 100}, 5}, {{50, 150}, 1}, {{0, 100}, 5}},
         {{0, 0}, {100, 0}, {100, 100}, {75, 125}, {25, 125}, {0, 100}},
         {{25, 125}, {75, 125}}},
    };
    for (const Case& c : cases) {
        RecordingSurface s;
        LevelTracer tracer(s, 3, clRed, true, nullptr);
        tracer.polygonCell(c.v);
        ASSERT_EQ(Polygons(s).size(), 1u);
        EXPECT_EQ(Polygons(s)[0].size(), c.fill.size());
        EXPECT_EQ(Corners(Polygons(s)[0]), Corners(c.fill));
        EXPECT_EQ(Unordered(Lines(s)), Unordered({c.line}));
    }
    RecordingSurface s;
    LevelTracer tracer(s, 3, clRed, true, nullptr);
    const CellVertex high[] = {{{0, 0}, 4}, {{10, 0}, 4}, {{10, 10}, 4}};
    tracer.polygonCell(high);
    EXPECT_EQ(s.count(Shape::Polygon), 1u);
    EXPECT_EQ(s.count(Shape::Line), 0u);
}

// --- The grid ---------------------------------------------------------------------------------

TEST(ContourGridTest, SideFromTheStep)
{
    const std::pair<int, int> cases[] = {{5, 39}, {6, 33}, {3, 63}, {10, 21}, {30, 9}, {7, 28}};
    for (const auto& [step, side] : cases)
        EXPECT_EQ(ContourGridSide(step), side) << step;
}

TEST(ContourGridTest, FlagsOfASixNodeGridWorkedByHand)
{
    // Step 60 degrees: m = 6, s = 2R/4 = 50 for R = 100; nodes at -125, -75, -25, 25, 75, 125.
    const Net net{200, 150, 100};
    const ContourGrid g = BuildContourGrid(net, 60);
    ASSERT_EQ(g.side, 6);
    EXPECT_DOUBLE_EQ(g.step, 50);
    EXPECT_DOUBLE_EQ(g.origin.x, 75);
    EXPECT_DOUBLE_EQ(g.origin.y, 25);
    const int expected[6][6] = {{0, 1, 1, 1, 1, 0}, {1, 1, 2, 2, 1, 1}, {1, 2, 2, 2, 2, 1},
                                {1, 2, 2, 2, 2, 1}, {1, 1, 2, 2, 1, 1}, {0, 1, 1, 1, 1, 0}};
    for (int l = 0; l < 6; ++l)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(g.flag[static_cast<std::size_t>(g.index(l, c))], expected[l][c]) << l << c;
    EXPECT_EQ(g.cellSum(0, 0), 0 + 1 + 1 + 1);
    EXPECT_EQ(g.cellSum(1, 1), 1 + 2 + 2 + 2);
    EXPECT_EQ(g.cellSum(2, 2), 8);
}

TEST(ContourGridTest, StepThreeHoldsAllItsNodesWithValues)
{
    const Net net{215, 215, 200};
    int asked = 0;
    const ContourGrid g = BuildContourGrid(net, 3, [&](PlaneOffset) { return ++asked; });
    EXPECT_EQ(g.side, 63);
    EXPECT_EQ(g.flag.size(), 3969u);
    EXPECT_EQ(g.value.size(), 3969u);
    const auto flagged = std::count_if(g.flag.begin(), g.flag.end(), [](auto f) { return f > 0; });
    EXPECT_EQ(asked, flagged);
    // Each flagged node got its own value.
    std::set<int> values;
    for (std::size_t i = 0; i < g.value.size(); ++i)
        if (g.flag[i] > 0)
            values.insert(g.value[i]);
    EXPECT_EQ(static_cast<long>(values.size()), flagged);
}

// --- Levels -------------------------------------------------------------------------------------

TEST(LevelCountTest, LevelsKeptOffWholeCounts)
{
    ParamContours raw;
    EXPECT_DOUBLE_EQ(LevelCount(2.0, raw), 2.01);
    EXPECT_DOUBLE_EQ(LevelCount(2.01, raw), 2.01);
    EXPECT_DOUBLE_EQ(LevelCount(1.5, raw), 1.5);
    EXPECT_DOUBLE_EQ(LevelCount(2.995, raw), 3.01);
    // Cone 60 degrees and 760 records: U = (1 - cos 60) 760 / 2 = 190, and 2.7 U = 513.
    ParamContours u;
    u.funif = (1 - std::cos(Rad(60))) * 760 / 2;
    EXPECT_NEAR(LevelCount(2.7, u), 513.01, 1e-9);
    EXPECT_NEAR(LevelCount(1.5, u), 285.01, 1e-9);
    EXPECT_NEAR(LevelCount(1.25, u), 237.5, 1e-9);
    // The right dihedra compare the values themselves.
    u.rightDihedra = true;
    EXPECT_DOUBLE_EQ(LevelCount(2.5, u), 2.5);
}

TEST(LevelCountTest, CheckedParameters)
{
    ParamContours p;
    p.nz = 3;
    p.tz[0].z = 1.0;
    p.tz[1].z = 2.995;
    p.tz[2].z = 4.5;
    p.pas = 2;
    p.cone = 4;
    const ParamContours c = CheckedContourParams(p);
    EXPECT_DOUBLE_EQ(c.tz[0].z, 1.01);
    EXPECT_DOUBLE_EQ(c.tz[1].z, 3.01);
    EXPECT_DOUBLE_EQ(c.tz[2].z, 4.5);
    EXPECT_EQ(c.pas, 3);
    EXPECT_DOUBLE_EQ(c.cone, 6);
    p.pas = 6;
    p.cone = 20;
    p.nz = 14;
    EXPECT_DOUBLE_EQ(CheckedContourParams(p).cone, 20);
    EXPECT_EQ(CheckedContourParams(p).nz, 10);
}

TEST(LevelCountTest, DoublingLevelsWhileBelowTheMaximum)
{
    ParamContours p;
    DoublingLevels(p, 100, 10, false, kDefaultTcoCont, false);
    ASSERT_EQ(p.nz, 4); // 10, 20, 40, 80 below 100; 160 is not
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(p.tz[static_cast<std::size_t>(i)].z, std::pow(2, i));
        EXPECT_EQ(p.tz[static_cast<std::size_t>(i)].cz,
                  kDefaultTcoCont[static_cast<std::size_t>(i)]);
    }
    EXPECT_DOUBLE_EQ(p.tz[4].z, -1);
    EXPECT_EQ(p.tz[4].cz, clWhite);
    EXPECT_DOUBLE_EQ(p.funif, 10);
    DoublingLevels(p, 100, 10, true, kDefaultTcoCont, true);
    EXPECT_EQ(p.nz, 7); // 1 .. 64
    EXPECT_DOUBLE_EQ(p.funif, 1);
    // Grey of (i + 1) 80 / 7 percent: the first 11.43 %, 240 x 0.8857 = 212.6 -> 213.
    EXPECT_EQ(p.tz[0].cz, rgb(213, 213, 213));
    EXPECT_EQ(p.tz[6].cz, GreyOfPercent(80));
    EXPECT_EQ(GreyOfPercent(80), rgb(48, 48, 48));
    DoublingLevels(p, 1e9, 1, true, kDefaultTcoCont, false);
    EXPECT_EQ(p.nz, 10);
}

TEST(ContourReportTest, LinesInBothModes)
{
    ParamContours p;
    p.nz = 2;
    p.tz[0].z = 1;
    p.tz[1].z = 2.5;
    p.funif = 12.5;
    p.max = 100;
    p.cone = 20;
    const DayCount now = 46000.5; // 12:00
    const std::vector<InfoLine> u = ContourReport(p, now);
    ASSERT_EQ(u.size(), 5u);
    EXPECT_EQ(u[0].text, "12:00 - Contouring");
    EXPECT_TRUE(u[0].bold);
    EXPECT_EQ(u[1].text, "Isocontours values (N * uniformity), max = 8.0 :");
    EXPECT_EQ(u[2].text, "   curves : 1.0/ 2.5/");
    EXPECT_EQ(u[3].text, "   (raw values : 12.5/ 31.2/)");
    EXPECT_EQ(u[4].text, "Counting cone aperture : 20.0\xB0");
    p.funif = 1;
    p.max = 42.5;
    const std::vector<InfoLine> raw = ContourReport(p, now);
    ASSERT_EQ(raw.size(), 4u);
    EXPECT_EQ(raw[1].text, "Isocontours values (raw data), max = 42 :");
    EXPECT_EQ(raw[2].text, "   curves : 1.0/ 2.5/");
}

// --- Drawing on a net -------------------------------------------------------------------------

struct Drawn {
    RecordingSurface surface;
    VarGlob settings;
    ContourDrawing result;
};

Net NetOf(int radius, bool lower = true, bool wulff = false)
{
    return {radius + kMarginPixels, radius + kMarginPixels, radius, lower, wulff};
}

void Draw(Drawn& d, const Net& net, const ParamContours& params, const Density& density)
{
    DrawContext ctx{d.surface, net, 0, 0, d.settings};
    d.result = DrawContours(ctx, params, density);
}

ParamContours Levels(std::initializer_list<double> zs, int modeC, bool filled)
{
    ParamContours p;
    const TColor colours[] = {clRed, clBlue, clGreen, clLime, rgb(1, 2, 3), rgb(4, 5, 6)};
    for (double z : zs) {
        p.tz[static_cast<std::size_t>(p.nz)] = {z, colours[p.nz % 6]};
        ++p.nz;
    }
    p.modeC = static_cast<std::int16_t>(modeC);
    p.filled = filled;
    return p;
}

// A smooth random density: a few Gaussian bumps of offsets, whole counts.
struct Bumps {
    struct Bump {
        double east, north, sigma, height;
    };
    std::vector<Bump> bumps;

    double exact(PlaneOffset o) const
    {
        double v = 0;
        for (const Bump& b : bumps) {
            const double d2 =
                (o.east - b.east) * (o.east - b.east) + (o.north - b.north) * (o.north - b.north);
            v += b.height * std::exp(-d2 / (2 * b.sigma * b.sigma));
        }
        return v;
    }
    int operator()(PlaneOffset o) const { return static_cast<int>(std::lround(exact(o))); }
};

Bumps RandomBumps(test::Draws& draws, double radius)
{
    Bumps b;
    const int n = 1 + static_cast<int>(draws.uniform() * 4);
    for (int i = 0; i < n; ++i)
        b.bumps.push_back({(draws.uniform() * 2 - 1) * radius, (draws.uniform() * 2 - 1) * radius,
                           radius * (0.3 + 0.3 * draws.uniform()), 10 + 30 * draws.uniform()});
    return b;
}

// The node values bilinearly interpolated at a point, the nodes placed from their definition.
double Bilinear(const Bumps& density, const Net& net, int step, PointF p)
{
    const int m = 180 / step + 3;
    const double s = 2.0 * net.radius / (m - 2);
    const double x0 = net.xc - net.radius - s / 2, y0 = net.yc - net.radius - s / 2;
    const double fc = (p.x - x0) / s, fl = (p.y - y0) / s;
    const double c = std::floor(fc), l = std::floor(fl);
    const double u = fc - c, t = fl - l;
    const auto at = [&](double cc, double ll) {
        return density({x0 + cc * s - net.xc, net.yc - (y0 + ll * s)});
    };
    return at(c, l) * (1 - u) * (1 - t) + at(c + 1, l) * u * (1 - t) + at(c + 1, l + 1) * u * t
           + at(c, l + 1) * (1 - u) * t;
}

bool WithinNet(Point p, const Net& net, double margin)
{
    const double dx = p.x - net.xc, dy = p.y - net.yc;
    return std::sqrt(dx * dx + dy * dy) <= net.radius + margin;
}

// The primitives of the contours, without the frame drawn after them from its circle on.
std::vector<Primitive> ContourPrimitives(const RecordingSurface& s)
{
    std::vector<Primitive> out;
    for (const Primitive& p : s.primitives()) {
        if (p.shape == Shape::Ellipse)
            break;
        out.push_back(p);
    }
    return out;
}

TEST(DrawContoursProperties, ManyRandomDensities)
{
    test::Draws draws(2107);
    int segments = 0, closedChains = 0, beziers = 0, rimSegments = 0;
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE(trial);
        const int radius = 60 + static_cast<int>(draws.uniform() * 200);
        const Net net = NetOf(radius, trial % 2 == 0, trial % 3 == 0);
        const int step = 3 + static_cast<int>(draws.uniform() * 8);
        const Bumps density = RandomBumps(draws, radius);
        const int modeC = trial % 3;
        const ParamContours params = Levels({2.5, 6.5, 12.5, 20.5}, modeC, trial % 2 == 1);
        Drawn d;
        Draw(d, net, params, std::cref(density));
        const int image = 2 * radius + 2 * kMarginPixels;
        for (const Primitive& p : ContourPrimitives(d.surface)) {
            for (const Point& q : p.points) {
                ASSERT_TRUE(WithinNet(q, net, 1.0)) << q.x << " " << q.y;
                ASSERT_TRUE(q.x >= 0 && q.y >= 0 && q.x < image && q.y < image);
            }
            if (p.shape == Shape::Rectangle) {
                EXPECT_TRUE(WithinNet({p.box.left, p.box.top}, net, 1.0));
                EXPECT_TRUE(WithinNet({p.box.right - 1, p.box.bottom - 1}, net, 1.0));
            }
            if (p.shape == Shape::Bezier) {
                EXPECT_EQ(p.points.size() % 3, 1u);
                ++beziers;
            }
            if (p.shape == Shape::Line) {
                // The midpoint lies on the level of the grid's bilinear surface, within a count.
                const PointF mid{(p.points[0].x + p.points[1].x) / 2.0,
                                 (p.points[0].y + p.points[1].y) / 2.0};
                const int level = static_cast<int>(
                    std::find_if(params.tz.begin(), params.tz.end(),
                                 [&](const Contour& c) { return c.cz == p.pen.colour; })
                    - params.tz.begin());
                ASSERT_LT(level, params.nz);
                EXPECT_NEAR(Bilinear(density, net, step, mid),
                            LevelCount(params.tz[static_cast<std::size_t>(level)].z, params), 1.0)
                    << mid.x << " " << mid.y;
                const double dx = mid.x - net.xc, dy = mid.y - net.yc;
                rimSegments +=
                    std::sqrt(dx * dx + dy * dy) > net.radius - 2.0 * radius / (180 / step + 1);
            }
            if (p.shape == Shape::Polyline && p.points.front() == p.points.back())
                ++closedChains;
        }
        for (const LevelDrawn& l : d.result.levels)
            segments += l.segments;
    }
    // The random densities did reach the cases the properties are about.
    EXPECT_GT(closedChains, 0);
    EXPECT_GT(beziers, 0);
    EXPECT_GT(rimSegments, 0);
    EXPECT_GT(segments, 0);
}

// A bump at the centre: its level is one closed chain, a polyline whose last point is its first.
TEST(DrawContoursProperties, AnInteriorContourChainCloses)
{
    for (const int modeC : {kContourPolylines, kContourBezier}) {
        const Bumps density{{{10, -20, 40, 30}}};
        const Net net = NetOf(200);
        Drawn d;
        Draw(d, net, Levels({15.5}, modeC, false), std::cref(density));
        ASSERT_EQ(d.result.levels.size(), 1u);
        EXPECT_EQ(d.result.levels[0].closedChains, 1);
        EXPECT_EQ(d.result.levels[0].openChains, 0);
        const Shape shape = modeC == kContourPolylines ? Shape::Polyline : Shape::Bezier;
        ASSERT_EQ(d.surface.count(shape), 1u);
        const Primitive& line = d.surface.primitives()[0];
        ASSERT_EQ(line.shape, shape);
        EXPECT_EQ(line.points.front(), line.points.back());
        EXPECT_EQ(line.points.size() % 3, 1u);
        // The circle of the bump: r = sigma sqrt(2 ln(30 / 15.5)) from its centre.
        const double r = 40 * std::sqrt(2 * std::log(30 / 15.5));
        for (const Point& p : line.points)
            EXPECT_NEAR(std::hypot(p.x - (net.xc + 10), p.y - (net.yc + 20)), r, 3.0);
    }
}

TEST(DrawContoursProperties, FilledLevelsPaintInIncreasingOrderThenTheFrameInBlack)
{
    const Bumps density{{{0, 0, 80, 40}}};
    Drawn d;
    Draw(d, NetOf(150), Levels({5.5, 10.5, 20.5}, kContourPolylines, true), std::cref(density));
    const TColor order[] = {clRed, clBlue, clGreen};
    int level = 0;
    for (const Primitive& p : ContourPrimitives(d.surface)) {
        if (p.shape != Shape::Polygon && !(p.shape == Shape::Rectangle))
            continue;
        while (level < 3 && p.brush.colour != order[level])
            ++level;
        ASSERT_LT(level, 3) << "a fill out of order";
    }
    EXPECT_EQ(level, 2);
    EXPECT_EQ(d.surface.pen().colour, clBlack);
    EXPECT_GT(d.surface.count(Shape::Ellipse), 0u); // the primitive circle over it all
}

TEST(DrawContoursProperties, AnEmptyLevelListDrawsNothing)
{
    int asked = 0;
    Drawn d;
    Draw(d, NetOf(100), ParamContours{}, [&](PlaneOffset) { return ++asked; });
    EXPECT_TRUE(d.surface.primitives().empty());
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(d.result.levels.empty());
}

// Nodes equal to a level that is a whole count (2.7 x 190 = 513): the level is compared at
// 513.01, and no edge has both its ends on it.
TEST(DrawContoursProperties, AWholeLevelCountDrawsNoNaN)
{
    ParamContours p = Levels({2.7}, kContourSegments, true);
    p.funif = (1 - std::cos(Rad(60))) * 760 / 2;
    const Net net = NetOf(120);
    const auto density = [](PlaneOffset o) { return o.east < 0 ? 513 : o.north < 0 ? 514 : 513; };
    Drawn d;
    Draw(d, net, p, density);
    EXPECT_NEAR(d.result.levels[0].level, 513.01, 1e-9);
    EXPECT_GT(d.result.levels[0].segments, 0);
    for (const Primitive& q : ContourPrimitives(d.surface))
        for (const Point& point : q.points)
            EXPECT_TRUE(WithinNet(point, net, 1.0)) << point.x << " " << point.y;
}

// Scattered data at grid step 3 and cone 6 degrees: one level needs twice the 750 segments
// (1501 points) a fixed buffer would hold, all chained.
TEST(DrawContoursProperties, ALevelOfManySegmentsIsChainedWhole)
{
    test::Draws draws(5);
    std::vector<Direction> scattered;
    for (int i = 0; i < 1500; ++i)
        scattered.push_back({draws.uniform() * 2 * kPi, std::asin(draws.uniform())});
    const Net net = NetOf(200);
    const ConeCount count(scattered, 6, net);
    // Some 8 directions in a cone of 6 degrees on average: the level winds round every gap.
    ParamContours p = Levels({8.5}, kContourPolylines, false);
    p.pas = 3;
    Drawn d;
    Draw(d, net, p, std::cref(count));
    const LevelDrawn& l = d.result.levels[0];
    EXPECT_GT(l.segments, 1400);
    EXPECT_GT(l.openChains + l.closedChains, 10);
    EXPECT_EQ(d.surface.count(Shape::Polyline),
              static_cast<std::size_t>(l.openChains + l.closedChains));
    for (const Primitive& q : ContourPrimitives(d.surface))
        for (const Point& point : q.points)
            ASSERT_TRUE(WithinNet(point, net, 1.0));
}

// Lines: each segment of modeC 0 in its level's colour, even with black lines asked; chained
// lines black. The right dihedra: levels as they stand, boundary segments black, and with
// smoothing open chains as polylines, closed ones as curves.
TEST(DrawContoursFlavours, LineColoursAndChains)
{
    // One bump inside the net, one across its rim.
    const Bumps density{{{-60, 0, 30, 30}, {150, 0, 30, 30}}};
    const Net net = NetOf(150);
    {
        ParamContours p = Levels({10.5}, kContourSegments, false);
        p.blackLine = true;
        Drawn d;
        Draw(d, net, p, std::cref(density));
        for (const Primitive& q : ContourPrimitives(d.surface))
            EXPECT_EQ(q.pen.colour, clRed);
        p.modeC = kContourPolylines;
        Drawn chained;
        Draw(chained, net, p, std::cref(density));
        for (const Primitive& q : ContourPrimitives(chained.surface))
            EXPECT_EQ(q.pen.colour, clBlack);
    }
    {
        ParamContours p = Levels({10.5}, kContourSegments, false);
        p.rightDihedra = true;
        p.blackLine = true;
        p.funif = 5; // not applied
        Drawn d;
        Draw(d, net, p, std::cref(density));
        EXPECT_DOUBLE_EQ(d.result.levels[0].level, 10.5);
        int black = 0, red = 0;
        for (const Primitive& q : ContourPrimitives(d.surface)) {
            const bool rim = !WithinNet(q.points[0], net, -1.5 * 2.0 * net.radius / 31 - 1);
            if (q.pen.colour == clBlack) {
                ++black;
                EXPECT_TRUE(rim);
            } else {
                ++red;
                EXPECT_EQ(q.pen.colour, clRed);
            }
        }
        EXPECT_GT(black, 0);
        EXPECT_GT(red, 0);
        p.bezier = true;
        Drawn smooth;
        Draw(smooth, net, p, std::cref(density));
        const std::vector<Primitive> lines = ContourPrimitives(smooth.surface);
        const auto count = [&](Shape shape) {
            return std::count_if(lines.begin(), lines.end(),
                                 [&](const Primitive& q) { return q.shape == shape; });
        };
        EXPECT_EQ(count(Shape::Line), 0);
        EXPECT_EQ(count(Shape::Bezier), smooth.result.levels[0].closedChains);
        EXPECT_EQ(count(Shape::Polyline), smooth.result.levels[0].openChains);
        EXPECT_EQ(smooth.result.levels[0].closedChains, 1); // round the bump at the centre
        EXPECT_GE(smooth.result.levels[0].openChains, 1);   // across the rim
    }
}

TEST(ValueGridTest, TheInteriorRuleOnARectangularGrid)
{
    // Two rows of three values; level 3 between the high middle column and its neighbours.
    ValueGrid g{3, 2, {10, 10}, 100, 50, {1, 5, 1, 1, 5, 1}};
    RecordingSurface s;
    const LevelDrawn drawn = ContourValueGrid(s, g, 3, clRed, true);
    EXPECT_EQ(drawn.segments, 2);
    EXPECT_EQ(Unordered(Lines(s)), Unordered({{{60, 10}, {60, 60}}, {{160, 10}, {160, 60}}}));
    ASSERT_EQ(Polygons(s).size(), 2u);
    EXPECT_EQ(Corners(Polygons(s)[0]), Corners({{60, 10}, {110, 10}, {110, 60}, {60, 60}}));
}

// --- The data density against independent counts --------------------------------------------

// The direction under an offset written from the projections' definitions: r = R sqrt 2
// sin(theta / 2) (equal area, with the 1.41421 the nets are drawn with) or R tan(theta / 2)
// (equal angle), theta from the vertical,
// trend clockwise from north; the upper hemisphere shows the opposite end; beyond the rim
// theta passes 90 degrees and the axis is the same.
std::pair<double, double> ReferenceDirection(double east, double north, const Net& net)
{
    const double rho = std::hypot(east, north) / net.radius;
    const double theta =
        net.equalAngle ? 2 * std::atan(rho) : 2 * std::asin(std::min(1.0, rho * 1.41421 / 2));
    double trend = std::atan2(east, north);
    if (!net.lowerHemisphere)
        trend += kPi;
    return {trend, kPi / 2 - theta};
}

// Every direction against the axis, by the spherical law of cosines.
int AllPairs(const std::vector<Direction>& data, double trend, double plunge, double coneDeg)
{
    int n = 0;
    for (const Direction& d : data) {
        const double c = std::sin(plunge) * std::sin(d.plunge)
                         + std::cos(plunge) * std::cos(d.plunge) * std::cos(trend - d.trend);
        n += std::fabs(c) >= std::cos(Rad(coneDeg));
    }
    return n;
}

std::vector<Direction> Clusters(int n, std::uint32_t seed)
{
    test::Draws draws(seed);
    const Direction centres[] = {{Rad(40), Rad(20)}, {Rad(200), Rad(60)}, {Rad(310), Rad(3)}};
    std::vector<Direction> out;
    for (int i = 0; i < n; ++i) {
        Direction d = test::Deviated(centres[i % 3], Rad(12) * std::sqrt(draws.uniform()),
                                     2 * kPi * draws.uniform());
        out.push_back(d);
    }
    return out;
}

TEST(ConeCountTruth, NodeDensitiesEqualAnAllPairsCount)
{
    const std::vector<Direction> data = Clusters(600, 77);
    for (const Net& net :
         {NetOf(200), NetOf(170, false), NetOf(150, true, true), NetOf(90, false, true)}) {
        for (const int step : {5, 6, 9}) {
            const double cone = 20;
            const ConeCount count(data, cone, net);
            const ContourGrid g = BuildContourGrid(net, step, std::cref(count));
            int maximum = 0, compared = 0;
            for (int l = 0; l < g.side; ++l)
                for (int c = 0; c < g.side; ++c) {
                    const auto i = static_cast<std::size_t>(g.index(l, c));
                    if (g.flag[i] == 0) {
                        EXPECT_EQ(g.value[i], 0);
                        continue;
                    }
                    const PointF p = g.node(l, c);
                    const auto [trend, plunge] =
                        ReferenceDirection(p.x - net.xc, net.yc - p.y, net);
                    ASSERT_EQ(g.value[i], AllPairs(data, trend, plunge, cone)) << l << " " << c;
                    maximum = std::max(maximum, g.value[i]);
                    ++compared;
                }
            EXPECT_GT(compared, 200);
            EXPECT_GT(maximum, 50);
            EXPECT_EQ(GridMaximum(data, step, cone, net), maximum);
        }
    }
}

// A negative plunge beyond the rim is the other end of the same axis.
TEST(ConeCountTruth, OffsetsBeyondTheRimTurnOver)
{
    const Net net = NetOf(100);
    const Direction d = OffsetToDir({0, 110}, net);
    EXPECT_NEAR(d.trend, kPi, 1e-12);
    EXPECT_NEAR(d.plunge, 2 * std::asin(1.1 * 1.41421 / 2) - kPi / 2, 1e-12);
    const Direction w = OffsetToDir({-120, 0}, NetOf(100, true, true));
    EXPECT_NEAR(w.trend, kPi / 2, 1e-12);
    EXPECT_NEAR(w.plunge, 2 * std::atan(1.2) - kPi / 2, 1e-12);
    const Direction inside = OffsetToDir({30, 40}, net);
    const Direction landed = PlaneToDir(40, 30, net);
    EXPECT_DOUBLE_EQ(inside.trend, landed.trend);
    EXPECT_DOUBLE_EQ(inside.plunge, landed.plunge);
}

// mplstereonet's "schmidt" (1 %) count, unscaled: a line (plunge, bearing) is the point of
// longitude 0 and latitude 90 - plunge turned by the bearing about the x axis; a counter
// holds the points with 1 - |cos| <= 0.01.
struct PeerXyz {
    double x, y, z;
};

PeerXyz PeerLine(double plungeDeg, double bearingDeg)
{
    const double lat = Rad(90 - plungeDeg);
    const double x = std::cos(lat), y = 0, z = std::sin(lat);
    const double t = Rad(bearingDeg);
    return {x, y * std::cos(t) + z * std::sin(t), -y * std::sin(t) + z * std::cos(t)};
}

int PeerSchmidtCount(const std::vector<PeerXyz>& points, const PeerXyz& counter)
{
    int n = 0;
    for (const PeerXyz& p : points)
        n += (1 - std::fabs(p.x * counter.x + p.y * counter.y + p.z * counter.z)) <= 0.01;
    return n;
}

TEST(ConeCountTruth, TheFixedConeCountOfAPeerAtTheNodes)
{
    const std::vector<Direction> data = Clusters(900, 4242);
    std::vector<PeerXyz> points;
    for (const Direction& d : data)
        points.push_back(PeerLine(d.plunge / kDegToRad, d.trend / kDegToRad));
    const Net net = NetOf(200);
    const ConeCount count(data, std::acos(0.99) / kDegToRad, net);
    const ContourGrid g = BuildContourGrid(net, 4);
    int compared = 0, positive = 0;
    for (int l = 0; l < g.side; ++l)
        for (int c = 0; c < g.side; ++c) {
            if (g.flag[static_cast<std::size_t>(g.index(l, c))] != kNodeInside)
                continue;
            const PointF p = g.node(l, c);
            const Direction node = OffsetToDir({p.x - net.xc, net.yc - p.y}, net);
            const int peer =
                PeerSchmidtCount(points, PeerLine(node.plunge / kDegToRad, node.trend / kDegToRad));
            ASSERT_EQ(count.at(node), peer) << l << " " << c;
            ++compared;
            positive += peer > 0;
        }
    EXPECT_GT(compared, 1500);
    EXPECT_GT(positive, 100);
}

// One Fisher cluster about the vertical: along each radius every contour crossing lies within
// a grid step of a radius where the all-pairs density crosses the level.
TEST(ConeCountTruth, AFisherClusterContoursCrossEachRadiusWhereTheDensityDoes)
{
    test::Draws draws(31);
    const double kappa = 12;
    std::vector<Direction> data;
    for (int i = 0; i < 1500; ++i) {
        // cos theta = 1 + ln(1 - u (1 - e^-2k)) / k about the mean, the azimuth uniform.
        const double cosTheta =
            1 + std::log(1 - draws.uniform() * (1 - std::exp(-2 * kappa))) / kappa;
        const Direction d =
            test::Deviated({0, kPi / 2}, std::acos(cosTheta), 2 * kPi * draws.uniform());
        data.push_back(d);
    }
    const Net net = NetOf(200);
    const double cone = 12;
    const ConeCount count(data, cone, net);
    ParamContours p = Levels({30.5, 80.5, 160.5}, kContourSegments, false);
    p.cone = cone;
    Drawn d;
    Draw(d, net, p, std::cref(count));
    const double step = 2.0 * net.radius / (ContourGridSide(p.pas) - 2);
    constexpr int kRays = 24;
    std::vector<std::vector<int>> along(kRays);
    for (int ray = 0; ray < kRays; ++ray) {
        const double a = ray * 2 * kPi / kRays;
        for (double r = 0; r <= net.radius; r += 0.5) {
            const auto [trend, plunge] = ReferenceDirection(r * std::sin(a), r * std::cos(a), net);
            along[static_cast<std::size_t>(ray)].push_back(AllPairs(data, trend, plunge, cone));
        }
    }
    for (int j = 0; j < p.nz; ++j) {
        const double level = LevelCount(p.tz[static_cast<std::size_t>(j)].z, p);
        for (int ray = 0; ray < kRays; ++ray) {
            const double a = ray * 2 * kPi / kRays;
            const double ux = std::sin(a), uy = -std::cos(a);
            // Where the all-pairs density crosses the level along the ray, by half pixels.
            std::vector<double> truth;
            const std::vector<int>& n = along[static_cast<std::size_t>(ray)];
            for (std::size_t i = 1; i < n.size(); ++i)
                if ((n[i - 1] >= level) != (n[i] >= level))
                    truth.push_back(0.5 * static_cast<double>(i));
            // Where the drawn segments of the level cross the ray.
            int crossings = 0;
            for (const Primitive& q : ContourPrimitives(d.surface)) {
                if (q.shape != Shape::Line || q.pen.colour != p.tz[static_cast<std::size_t>(j)].cz)
                    continue;
                const double ax = q.points[0].x - net.xc, ay = q.points[0].y - net.yc;
                const double bx = q.points[1].x - net.xc, by = q.points[1].y - net.yc;
                const double sa = ax * uy - ay * ux, sb = bx * uy - by * ux;
                if ((sa > 0) == (sb > 0) || sa == sb)
                    continue;
                const double t = sa / (sa - sb);
                const double r = (ax + t * (bx - ax)) * ux + (ay + t * (by - ay)) * uy;
                if (r < 0)
                    continue;
                ++crossings;
                double nearest = 1e9;
                for (double tr : truth)
                    nearest = std::min(nearest, std::fabs(tr - r));
                EXPECT_LE(nearest, step) << "level " << level << " ray " << ray << " r " << r;
            }
            EXPECT_GE(crossings, 1) << "level " << level << " ray " << ray;
        }
    }
}

// --- The contour canvas -------------------------------------------------------------------------

TEST(ContourCanvas, KeepsItsDirectionsAndRedrawsWhenContoured)
{
    VarGlob settings;
    CanvasModel data(kWPOrdinary, settings);
    data.lVal.resize(4);
    data.lNT = 3;
    for (int i = 1; i <= 3; ++i) {
        data.lVal[static_cast<std::size_t>(i)].azi = i * 0.5;
        data.lVal[static_cast<std::size_t>(i)].pen = 1.0;
        SetBit(data.lVal[static_cast<std::size_t>(i)].inf, kInfPresent, i != 2);
    }
    const std::vector<Direction> directions = ContouredDirections(data);
    ASSERT_EQ(directions.size(), 2u); // the erased record is not counted
    EXPECT_DOUBLE_EQ(directions[1].trend, 1.5);

    RecordingImageFactory images;
    CanvasModel canvas(kWPContouring, settings);
    ASSERT_TRUE(canvas.SetRayon(100, images));
    const std::vector<Direction> many(6000, Direction{1, 1});
    KeepContouring(canvas, many, Levels({1.5}, kContourSegments, true));
    EXPECT_EQ(canvas.lNT, 5000);
    EXPECT_EQ(canvas.lTaz.size(), 5001u);
    EXPECT_DOUBLE_EQ(canvas.lTpe[5000], 1);
    EXPECT_EQ(ContouredDirections(canvas).size(), 5000u);
    EXPECT_EQ(canvas.i0, 1);

    CanvasPainters painters;
    RegisterContourDisplay(painters);
    auto& recording = static_cast<RecordingImage*>(canvas.image())->recording();
    DrawContext ctx = ScreenContext(canvas, settings);
    Redessiner(canvas, ctx, painters);
    EXPECT_GT(recording.count(Shape::Polygon) + recording.count(Shape::Rectangle), 0u);
    recording.clear();
    canvas.i0 = 0;
    Redessiner(canvas, ctx, painters);
    EXPECT_EQ(recording.count(Shape::Polygon), 0u);
}

} // namespace
} // namespace ploq
