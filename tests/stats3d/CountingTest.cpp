// Counting on the crown grid, checked against a brute force written here (every node against
// every measurement, nothing else), hand-worked cases, a Monte Carlo of the uniform count, the
// report lines with a fixed clock and the display on a recording surface.

#include "stats3d/Counting.h"

#include "canvas/DrawingProbe.h"
#include "canvas/Plot.h"
#include "model/UtilGlob.h"
#include "support/Draws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

// Measurements as the working set holds them.
std::vector<Vec3> Vectors(const std::vector<Direction>& directions)
{
    std::vector<Vec3> u;
    for (const Direction& d : directions)
        u.push_back(DirToVec(d));
    return u;
}

// The grid written out from its definition: crown k of 6k nodes at k x 90/n degrees from the
// vertical, trends c x 60/k degrees; each node as the downward unit vector of its axis.
struct ReferenceNode {
    double trendDeg;
    double plungeDeg;
    double x, y, z; // east, north, down
};

std::vector<ReferenceNode> ReferenceGrid(int n)
{
    std::vector<ReferenceNode> grid{{0, 90, 0, 0, 1}};
    for (int k = 1; k <= n; ++k)
        for (int c = 0; c < 6 * k; ++c) {
            const double trend = c * 60.0 / k, plunge = 90 - k * 90.0 / n;
            grid.push_back({trend, plunge, std::sin(Rad(trend)) * std::cos(Rad(plunge)),
                            std::cos(Rad(trend)) * std::cos(Rad(plunge)), std::sin(Rad(plunge))});
        }
    return grid;
}

// Every measurement against every node: |u.v| >= cos(60/n degrees), and nothing else.
std::vector<int> BruteForce(const std::vector<Direction>& directions, int n)
{
    const std::vector<ReferenceNode> grid = ReferenceGrid(n);
    const double threshold = std::cos(Rad(60.0 / n));
    std::vector<int> counts(grid.size(), 0);
    for (const Direction& d : directions) {
        const double x = std::sin(d.trend) * std::cos(d.plunge);
        const double y = std::cos(d.trend) * std::cos(d.plunge);
        const double z = std::sin(d.plunge);
        for (std::size_t j = 0; j < grid.size(); ++j)
            if (std::fabs(x * grid[j].x + y * grid[j].y + z * grid[j].z) >= threshold)
                ++counts[j];
    }
    return counts;
}

// Axes spread evenly over the sphere (lower ends), horizontal ones, near-vertical ones, and
// trends a rounding short of 2 pi. The last are at plunges clear of the cones' edges: on a node's
// trend, a direction at exactly a from a node (a horizontal one next to the rim node at north,
// or one 10 degrees from a node of 6 crowns) is counted or not by the last bit of a rounding.
std::vector<Direction> Mixed(std::uint32_t seed)
{
    test::Draws draws(seed);
    std::vector<Direction> d;
    for (int i = 0; i < 3000; ++i)
        d.push_back({2 * kPi * draws.uniform(), std::asin(draws.uniform())});
    for (int i = 0; i < 200; ++i)
        d.push_back({2 * kPi * draws.uniform(), 0});
    for (int i = 0; i < 200; ++i)
        d.push_back({2 * kPi * draws.uniform(), kPi / 2 - 0.1 * draws.uniform()});
    for (int i = 0; i < 18; ++i)
        d.push_back({std::nextafter(2 * kPi, 0.0), Rad(5.0 * i + 1.3)});
    return d;
}

TEST(Counting, EqualsTheBruteForceNodeByNode)
{
    for (int n = 5; n <= 12; ++n) {
        SCOPED_TRACE(n);
        const std::vector<Direction> directions = Mixed(static_cast<std::uint32_t>(n));
        const CountingResult r = CountNodes(Vectors(directions), n);
        const std::vector<int> expected = BruteForce(directions, n);
        ASSERT_EQ(r.counts.size(), expected.size());
        int differing = 0;
        for (std::size_t j = 0; j < expected.size(); ++j)
            if (r.counts[j] != expected[j] && ++differing <= 5)
                ADD_FAILURE() << "node " << j << ": " << r.counts[j] << " against " << expected[j];
        EXPECT_EQ(differing, 0);
        EXPECT_EQ(r.counted, static_cast<int>(directions.size()));
        EXPECT_EQ(r.ma, *std::max_element(expected.begin(), expected.end()));
    }
}

// An east component of -1e-15 gives the trend just below 2 pi: the nodes at north count it.
TEST(Counting, EastComponentARoundingBelowZero)
{
    for (int n = 5; n <= 12; ++n)
        for (double plungeDeg = 0.7; plungeDeg <= 90; plungeDeg += 2.5) {
            SCOPED_TRACE(testing::Message() << n << " crowns, plunge " << plungeDeg);
            const double p = Rad(plungeDeg);
            const Vec3 u{-1e-15, std::cos(p), std::sin(p)};
            const CountingResult r = CountNodes(std::span<const Vec3>(&u, 1), n);
            EXPECT_EQ(r.counts, BruteForce({{0, p}}, n));
        }
}

int Sum(const std::vector<int>& counts)
{
    int sum = 0;
    for (int c : counts)
        sum += c;
    return sum;
}

std::vector<int> Candidates(const Direction& d, int n)
{
    const NodeCandidates c = CandidateNodes(d, n);
    return {c.nodes().begin(), c.nodes().end()};
}

TEST(Counting, CasesOfTheGrid)
{
    // 7 crowns: 169 nodes 12.86 degrees apart, cones of 8.57 degrees.
    EXPECT_EQ(NodeCount(7), 169);
    EXPECT_EQ(CountingGridNodes(7).nodes.size(), 169u);
    EXPECT_EQ(CountingGridNodes(7).lastNode(), 168);
    EXPECT_NEAR(CrownSpacing(7) / kDegToRad, 12.857, 0.001);
    EXPECT_NEAR(CountingCone(7) / kDegToRad, 8.571, 0.001);
    EXPECT_EQ(NodeCount(6), 127);
    EXPECT_EQ(NodeCount(12), 469);
    EXPECT_EQ(FirstNodeOfCrown(6), 91) << "the last node of crown 6 is 126";

    // A vertical line counts on node 0 only.
    for (int n = 5; n <= 12; ++n) {
        const CountingResult r = CountNodes(Vectors({{Rad(123), kPi / 2}}), n);
        EXPECT_EQ(r.counts[0], 1);
        EXPECT_EQ(Sum(r.counts), 1) << n;
        EXPECT_EQ(Candidates({Rad(123), kPi / 2 - 0.039}, n), std::vector<int>{0});
    }

    // Trend 0, between 0.04 rad and one crown from the vertical: node 0 once, nodes 6 and 1.
    for (double theta : {0.041, 0.1, Rad(12)})
        EXPECT_EQ(Candidates({0, kPi / 2 - theta}, 7), (std::vector<int>{0, 6, 1})) << theta;
    EXPECT_EQ(Candidates({Rad(30), kPi / 2 - 0.1}, 7), (std::vector<int>{0, 1, 2}));

    // 10 crowns, horizontal at 7 degrees: nodes 1 and 2 of crown 10 (at 6 and 12 degrees),
    // and after the fold their opposites (at 186 and 192 degrees).
    const int first10 = FirstNodeOfCrown(10);
    EXPECT_EQ(Candidates({Rad(7), 0}, 10), (std::vector<int>{first10 + 1, first10 + 2}));
    const CountingResult h = CountNodes(Vectors({{Rad(7), 0}}), 10);
    for (int node : {first10 + 1, first10 + 2, first10 + 31, first10 + 32})
        EXPECT_EQ(h.counts[static_cast<std::size_t>(node)], 1) << node;
    EXPECT_EQ(Sum(h.counts), 4);

    // A single line 45/000 (trend 0, plunge 45) with 6 crowns: node 19 alone.
    const CountingResult one = CountNodes(Vectors({{0, Rad(45)}}), 6);
    EXPECT_EQ(one.counts[19], 1);
    EXPECT_EQ(Sum(one.counts), 1);
    EXPECT_EQ(one.ma, 1);

    // The trend just below 2 pi with 8 crowns: the nodes tested stay in their crowns, and a
    // horizontal line is tested on the last node and node 169, never on a node 217.
    const double lastTrend = std::nextafter(2 * kPi, 0.0);
    for (double thetaDeg = 0.5; thetaDeg <= 90; thetaDeg += 0.5) {
        const std::vector<int> nodes = Candidates({lastTrend, Rad(90 - thetaDeg)}, 8);
        for (int node : nodes)
            EXPECT_LT(node, NodeCount(8)) << thetaDeg;
    }
    const std::vector<int> rim = Candidates({lastTrend, 0}, 8);
    ASSERT_EQ(rim.size(), 2u) << "the outer crown alone";
    EXPECT_NE(std::find(rim.begin(), rim.end(), 169), rim.end()) << "the node at north";
    for (int node : rim)
        EXPECT_GE(node, FirstNodeOfCrown(8));
}

// After the fold node i and node i - 3n of the outer crown carry equal counts.
TEST(Counting, OppositeNodesOfTheOuterCrownAreEqual)
{
    for (int n = 5; n <= 12; ++n) {
        const CountingResult r = CountNodes(Vectors(Mixed(100 + n)), n);
        for (int i = 3 * n * n + 1; i <= 3 * n * (n + 1); ++i)
            EXPECT_EQ(r.counts[static_cast<std::size_t>(i)],
                      r.counts[static_cast<std::size_t>(i - 3 * n)])
                << n << " crowns, node " << i;
    }
}

// 5000 axes spread evenly: the mean count of a node is close to U = (1 - cos a) N, the count a
// cone of half-aperture a holds on average.
TEST(Counting, MonteCarloMeanCountIsU)
{
    for (int n : {5, 6, 9, 12}) {
        test::Draws draws(7u + static_cast<std::uint32_t>(n));
        std::vector<Direction> d;
        for (int i = 0; i < 5000; ++i)
            d.push_back({2 * kPi * draws.uniform(), std::asin(draws.uniform())});
        const CountingResult r = CountNodes(Vectors(d), n);
        const double mean = static_cast<double>(Sum(r.counts)) / NodeCount(n);
        const double u = (1 - std::cos(Rad(60.0 / n))) * 5000;
        EXPECT_NEAR(r.U, u, 1e-9);
        EXPECT_NEAR(mean / u, 1, 0.04) << n << " crowns: mean " << mean << ", U " << u;
    }
}

TEST(Counting, NothingCounted)
{
    const CountingResult r = CountNodes({}, 6);
    EXPECT_EQ(Sum(r.counts), 0);
    EXPECT_EQ(r.ma, 0);
    EXPECT_EQ(r.U, 0);
    EXPECT_EQ(r.uniformity(0), 0);
    // A crown number beyond 5..12 (never from the settings) is taken at the nearer end.
    EXPECT_EQ(CountNodes({}, 0).crowns, 5);
    EXPECT_EQ(CountNodes({}, 40).counts.size(), 469u);
}

// 100 lines 45/000 on 6 crowns: node 19 holds 100; U = (1 - cos 10 deg) x 100 = 1.5192,
// 1/U = 0.658, 100/U = 65.82.
TEST(Counting, ReportLines)
{
    const std::vector<Vec3> u(100, DirToVec({0, Rad(45)}));
    const CountingResult r = CountNodes(u, 6);
    const DayCount now = toDayCount({2026, 12, 9, 14, 5, 0});
    const auto texts = [](const std::vector<InfoLine>& lines) {
        std::vector<std::string> t;
        for (const InfoLine& l : lines)
            t.push_back(l.text);
        return t;
    };
    const std::vector<InfoLine> plain = CountingReport(r, false, now);
    EXPECT_EQ(texts(plain), (std::vector<std::string>{
                                "14:05:00- counting of 100 val  ",
                                " (grid : 6 crowns, 127 nods, cone half-aperture  10.0\xB0)",
                                " 1 val => 0.7 U max = 100 val (=> 65.8 U)", ""}));
    EXPECT_TRUE(plain[0].bold);
    EXPECT_FALSE(plain[1].bold);
    EXPECT_EQ(texts(CountingReport(r, true, now))[2],
              " U = 1 -> 1.5 val max = 65.8 U (=> 100 val)");
    EXPECT_EQ(texts(CountingReport(CountNodes(u, 7), true, now))[1],
              " (grid : 7 crowns, 169 nods, cone half-aperture  8.6\xB0)");
}

TEST(Counting, NodeAtAClickedDirection)
{
    struct Row {
        int crowns;
        double trendDeg, plungeDeg;
        int node;
    };
    const Row rows[] = {
        {6, 200, 90, 0},       {6, 200, 83, 0},  // within half a crown of the vertical
        {6, 0, 45, 19},        {6, 9, 46, 19},   // crown 3, index 0 of 18 (20 degrees each)
        {6, 351, 45, 19},      {6, 31, 45, 21},  // 351/20 rounds to 18, that is 0; 31/20 to 2
        {6, 359.9, 0, 91},     {6, 180, 0, 109}, // crown 6: 36 nodes of 10 degrees
        {12, 90, 0, 397 + 18},                   // crown 12 starts at 397, 72 nodes of 5 degrees
    };
    for (const Row& r : rows)
        EXPECT_EQ(NodeAt({Rad(r.trendDeg), Rad(r.plungeDeg)}, r.crowns), r.node)
            << r.trendDeg << "/" << r.plungeDeg;
    for (int n = 5; n <= 12; ++n)
        for (int node = 0; node < NodeCount(n); ++node)
            ASSERT_EQ(NodeAt(NodeDirection(node, n), n), node) << n << " crowns";
}

TEST(Counting, NodePositionLine)
{
    // Plunge/direction notation of lines: node 19 of 6 crowns is 45/000.
    EXPECT_EQ(NodePositionLine(19, 6, 7, {1, 1}), "nod 19, position : 45 / 0 7");
    EXPECT_EQ(NodePositionLine(0, 6, 0, {1, 1}), "nod 0, position : 90 / 0 0");
    EXPECT_EQ(NodePositionLine(100, 6, 3, {1, 1}), "nod 100, position : 0 / 90 3");
}

// The display on the recording surface.
struct Shown {
    std::string text;
    test::RealPoint centreTop; // the centre of the text's top edge
    bool bold;
    TColor colour;
};

std::vector<Shown> Texts(const RecordingSurface& surface)
{
    std::vector<Shown> shown;
    for (const Primitive& p : surface.primitives()) {
        if (p.shape != Shape::Text)
            continue;
        const double width = p.text.size() * 0.6 * p.font.pixelHeight; // the recording's advance
        shown.push_back({p.text,
                         {p.points[0].x + width / 2, double(p.points[0].y)},
                         p.font.bold,
                         p.font.colour});
    }
    return shown;
}

// Where the equal-area net puts a node, worked from its angle from the vertical.
test::RealPoint ExpectedPixel(const Net& net, double trendDeg, double fromVerticalDeg)
{
    const double r = net.radius * std::sqrt(2.0) * std::sin(Rad(fromVerticalDeg) / 2);
    const double sign = net.lowerHemisphere ? 1 : -1;
    return {net.xc + sign * r * std::sin(Rad(trendDeg)),
            net.yc - sign * r * std::cos(Rad(trendDeg))};
}

struct CountingCanvas {
    VarGlob settings;
    CanvasModel canvas{kWPCounting, settings};

    explicit CountingCanvas(const std::vector<int>& counts, int crowns, double u = 2)
    {
        CountingResult r;
        r.crowns = crowns;
        r.counts = counts;
        r.counts.resize(static_cast<std::size_t>(NodeCount(crowns)), 0);
        r.ma = *std::max_element(r.counts.begin(), r.counts.end());
        r.counted = 10;
        r.U = u;
        KeepCounting(canvas, r);
    }
};

TEST(Counting, DisplayAtTheProjectedNodes)
{
    // 6 crowns: node 0 = 8 (the largest), node 1 (crown 1, north) = 4 (half: grey), node 19
    // (crown 3, north) = 5 (black), node 100 (crown 6, 90 degrees) = 8 (red again), the rest 0.
    std::vector<int> counts(127, 0);
    counts[0] = 8;
    counts[1] = 4;
    counts[19] = 5;
    counts[100] = 8;
    const struct {
        int node;
        double trendDeg, fromVerticalDeg;
        const char* text;
        const char* multiple; // count / U with U = 2
        bool bold;
        TColor colour;
    } expected[] = {{0, 0, 0, "8", "4.0", true, 255},
                    {1, 0, 15, "4", "2.0", false, 8421504},
                    {19, 0, 45, "5", "2.5", false, clBlack},
                    {100, 90, 90, "8", "4.0", true, 255}};
    struct NetCase {
        int radius;
        bool lower;
    };
    for (const auto& [radius, lower] :
         {NetCase{150, true}, NetCase{220, true}, NetCase{150, false}})
        for (const bool multiples : {false, true}) {
            SCOPED_TRACE(testing::Message() << "radius " << radius << (lower ? " lower" : " upper")
                                            << (multiples ? ", multiples of U" : ""));
            CountingCanvas c(counts, 6);
            SetBit(c.canvas.lOptS3Dadd, kS3DaddCountF, multiples);
            test::RecordingCanvas rec(radius, false, lower);
            DrawCounting(c.canvas, rec.ctx);
            const std::vector<Shown> shown = Texts(rec.surface);
            ASSERT_EQ(shown.size(), std::size(expected)) << "one text per positive node";
            for (std::size_t i = 0; i < shown.size(); ++i) {
                const auto& e = expected[i];
                const test::RealPoint p = ExpectedPixel(rec.ctx.net, e.trendDeg, e.fromVerticalDeg);
                EXPECT_EQ(shown[i].text, multiples ? e.multiple : e.text) << e.node;
                EXPECT_NEAR(shown[i].centreTop.x, p.x, 1.5) << e.node;
                EXPECT_NEAR(shown[i].centreTop.y, p.y - 6, 1) << e.node;
                EXPECT_EQ(shown[i].bold, e.bold) << e.node;
                EXPECT_EQ(shown[i].colour, e.colour) << e.node;
            }
        }
}

// An older counting canvas draws its own grid: its counts stay at its nodes whatever the crown
// number of a later counting.
TEST(Counting, EachCanvasDrawsItsOwnGrid)
{
    std::vector<int> counts(NodeCount(12), 0);
    counts[FirstNodeOfCrown(12) + 18] = 3; // crown 12 at 90 degrees: on the rim, due east
    CountingCanvas c(counts, 12);
    test::RecordingCanvas rec(200);
    DrawCounting(c.canvas, rec.ctx);
    const std::vector<Shown> shown = Texts(rec.surface);
    ASSERT_EQ(shown.size(), 1u);
    const test::RealPoint p = ExpectedPixel(rec.ctx.net, 90, 90);
    EXPECT_NEAR(shown[0].centreTop.x, p.x, 1.5);
    EXPECT_NEAR(shown[0].centreTop.y, p.y - 6, 1);
}

TEST(Counting, KeptOnTheCanvas)
{
    const CountingResult r = CountNodes(Vectors({{0, Rad(45)}, {0, Rad(45)}}), 8);
    VarGlob settings;
    CanvasModel canvas(kWPCounting, settings);
    KeepCounting(canvas, r);
    EXPECT_EQ(canvas.lVnod, r.counts);
    EXPECT_EQ(canvas.lNbCr, 8);
    EXPECT_EQ(canvas.ma, 2);
    EXPECT_EQ(canvas.lNT, 2);
    EXPECT_DOUBLE_EQ(canvas.ar1, r.U);
}

} // namespace
} // namespace ploq
