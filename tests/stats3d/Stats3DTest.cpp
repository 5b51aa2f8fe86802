// The working set of a canvas, the best axis, plane and pole of degenerate and ordinary sets,
// their report lines, and the marks they leave on the canvas, checked on the sphere.

#include "stats3d/Stats3D.h"

#include "canvas/DrawingProbe.h"
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

InfoVal Record(const char* nature, double trendDeg, double plungeDeg, int sy = 1, int nco = 0,
               bool present = true)
{
    InfoVal v;
    v.na = nature;
    v.azi = Rad(trendDeg);
    v.pen = Rad(plungeDeg);
    v.sy = sy;
    v.nco = nco;
    SetBit(v.inf, kInfPresent, present);
    return v;
}

TEST(WorkingSetTest, PresentRecordsOfTheChosenPairsAndTheirClass)
{
    const std::vector<InfoVal> records = {
        Record("L1", 62, 14, 1, 0),        Record("B", 60, 12, 2, 0),
        Record("S0", 150, 40, 1, 0),       Record("L1", 10, 10, 1, 3),
        Record("L1", 64, 15, 1, 0, false), Record("Fault", 200, 30, -3, 2),
    };
    struct Row {
        std::vector<std::pair<int, int>> chosen;
        int n;
        int lines;
        int planes;
        int setClass;
    };
    const Row rows[] = {
        {{}, 0, 0, 0, kSetEmpty},
        {{{2, 0}}, 1, 1, 0, kSetLines},
        {{{1, 3}, {2, 0}}, 2, 2, 0, kSetLines},
        {{{-3, 2}}, 1, 0, 1, kSetPlanes},
        {{{1, 0}}, 2, 1, 1, kSetMixed}, // the hidden record of that pair is left out
        {{{1, 0}, {1, 3}, {2, 0}, {-3, 2}}, 5, 3, 2, kSetMixed},
    };
    for (const Row& r : rows) {
        SymbolSelection tsy;
        for (const auto& [sy, c] : r.chosen)
            tsy.set(sy, c, true);
        const WorkingSet set = MakeWorkingSet(records, tsy);
        EXPECT_EQ(set.n(), r.n);
        EXPECT_EQ(set.lines, r.lines);
        EXPECT_EQ(set.planes, r.planes);
        EXPECT_EQ(set.setClass(), r.setClass);
    }
    SymbolSelection one;
    one.set(2, 0, true);
    const WorkingSet set = MakeWorkingSet(records, one);
    const Vec3 expected = DirToVec({Rad(60), Rad(12)});
    EXPECT_DOUBLE_EQ(set.u[0].x, expected.x);
    EXPECT_DOUBLE_EQ(set.u[0].z, expected.z);
}

std::vector<Vec3> Vectors(std::initializer_list<Direction> directions)
{
    std::vector<Vec3> u;
    for (const Direction& d : directions)
        u.push_back(DirToVec(d));
    return u;
}

// n axes scattered about an axis by a normally drawn angle.
std::vector<Vec3> Cluster(const Direction& axis, int n, double sigmaDeg, std::uint32_t seed)
{
    test::Draws draws(seed);
    std::vector<Vec3> u;
    for (int i = 0; i < n; ++i)
        u.push_back(DirToVec(
            test::Deviated(axis, Rad(draws.normal(0, sigmaDeg)), 2 * kPi * draws.uniform())));
    return u;
}

bool IsFinite(const BestPoleResult& r)
{
    bool finite = std::isfinite(r.cones.cone95) && std::isfinite(r.cones.cone99);
    for (std::size_t k = 0; k < 3; ++k)
        finite = finite && std::isfinite(r.lambda[k]) && std::isfinite(r.axes[k].trend)
                 && std::isfinite(r.axes[k].plunge);
    return finite;
}

// Degenerate sets never give NaN: no cone, or cones of 0 for a perfect circle.
TEST(BestPoleTest, DegenerateSetsGiveNoConeAndNoNaN)
{
    const Direction a{Rad(62), Rad(14)};
    std::vector<Vec3> girdle;
    for (int i = 0; i < 36; ++i)
        girdle.push_back(DirToVec(test::Deviated(a, kPi / 2, 2 * kPi * i / 36)));
    struct Row {
        const char* name;
        std::vector<Vec3> u;
    };
    const Row rows[] = {
        {"empty", {}},
        {"one measurement", Vectors({a})},
        {"two identical measurements", Vectors({a, a})},
        {"a vertical axis three times", Vectors({{0, kPi / 2}, {0, kPi / 2}, {0, kPi / 2}})},
        {"an even girdle", girdle},
    };
    for (const Row& r : rows) {
        const BestPoleResult result = BestPoleOf(r.u, kSetLines);
        EXPECT_TRUE(IsFinite(result)) << r.name;
        EXPECT_FALSE(ConeUsable(result.cones.cone95)) << r.name;
        EXPECT_FALSE(ConeUsable(result.cones.cone99)) << r.name;
        EXPECT_EQ(ConeLines(result.cones),
                  std::vector<std::string>{"unsuccesfull calculation of the confidence cones"})
            << r.name;
    }
    const BestPoleResult one = BestPoleOf(Vectors({a}), kSetLines);
    EXPECT_EQ(one.n, 1);
    EXPECT_NEAR(one.lambda[0], 1, 1e-15);
    EXPECT_NEAR(one.direction().trend, a.trend, 1e-12);
    EXPECT_NEAR(one.direction().plunge, a.plunge, 1e-12);
    // Every axis exactly on one great circle: the pole of that circle is exact.
    Eigen3 e = Jacobi3(OrientationMatrix(girdle).T);
    NormalizeEigen(36, e.d);
    const ConePair pole =
        ConeApertures(kConeGreatCircle, {0.5, 0.5 - 2e-9, e.d[2]}, girdle, EigenAxis(e, 2));
    EXPECT_EQ(pole.cone95, 0);
    EXPECT_EQ(pole.cone99, 0);
}

// Lines and the same directions given as planes (by their poles) give the same best pole; the
// plane of a set of planes is written from that pole.
TEST(BestPoleTest, PlanesAndMixedSetsShareTheDirection)
{
    const Direction axis{Rad(300), Rad(50)};
    const std::vector<Vec3> u = Cluster(axis, 40, 8, 42);
    const BestPoleResult lines = BestPoleOf(u, kSetLines);
    const BestPoleResult planes = BestPoleOf(u, kSetPlanes);
    const BestPoleResult mixed = BestPoleOf(u, kSetMixed);
    EXPECT_LT(std::acos(std::fabs(Dot(DirToVec(lines.direction()), DirToVec(axis)))), Rad(4));
    for (const BestPoleResult* r : {&planes, &mixed}) {
        EXPECT_EQ(r->direction().trend, lines.direction().trend);
        EXPECT_EQ(r->direction().plunge, lines.direction().plunge);
        EXPECT_EQ(r->lambda, lines.lambda);
        EXPECT_EQ(r->cones.cone95, lines.cones.cone95);
    }
    EXPECT_TRUE(ConeUsable(lines.cones.cone95));
    EXPECT_NEAR(lines.lambda[0] + lines.lambda[1] + lines.lambda[2], 1, 1e-14);
    const Notation notation{1, 1};
    const Direction& d = lines.direction();
    EXPECT_EQ(BestPoleValueLines(planes, notation)[0],
              "plane : " + DirToText(true, true, d.plunge, d.trend, notation));
    EXPECT_EQ(BestPoleValueLines(mixed, notation)[0],
              "axis : " + DirToText(true, false, d.plunge, d.trend, notation));
    EXPECT_EQ(BestPoleFitKind(kSetLines), 1);
    EXPECT_EQ(BestPoleFitKind(kSetPlanes), 2);
    EXPECT_EQ(BestPoleFitKind(kSetMixed), 1);
}

// The report of two lines 5 degrees either side of 40/070 (cones worked by hand in the cone
// tests), written at 14:05 in plunge/direction notation.
TEST(BestPoleTest, ReportLines)
{
    const Direction axis{Rad(70), Rad(40)};
    const std::vector<Vec3> u = {DirToVec(test::Deviated(axis, Rad(5), 0.3)),
                                 DirToVec(test::Deviated(axis, Rad(5), 0.3 + kPi))};
    const BestPoleResult r = BestPoleOf(u, kSetLines);
    const DayCount at = toDayCount({2026, 12, 9, 14, 5, 0});
    const std::vector<InfoLine> report = BestPoleReport(r, {1, 1}, at);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"14:05 - Best axis", true},
        {"aperture confidence cone 95% : 6.2\xB0", false},
        {"aperture confidence cone 99% : 7.7\xB0", false},
        {"axis : 40.0 / 70.0", false},
        {"lambda  0.992  0.008  0.000", false},
    };
    ASSERT_EQ(report.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(report[i].text, expected[i].first);
        EXPECT_EQ(report[i].bold, expected[i].second) << i;
    }
    EXPECT_EQ(BestPoleTitle(kSetPlanes), "Best plane");
    EXPECT_EQ(BestPoleTitle(kSetMixed), "Best pole (mix of axis and planes)");
    EXPECT_EQ(ConeLines({kPi / 2, Rad(12.34)}),
              std::vector<std::string>{"aperture confidence cone 95% : 12.3\xB0"})
        << "a missing 99% cone is simply not written";
}

// Symbol 10 in colour 9 at the result; each usable cone dashed in the grid colour, every point
// of it at the cone's aperture from the axis.
TEST(BestPoleTest, MarksOnTheCanvas)
{
    const std::vector<Vec3> u = Cluster({Rad(135), Rad(60)}, 25, 10, 5);
    const BestPoleResult r = BestPoleOf(u, kSetLines);
    ASSERT_TRUE(ConeUsable(r.cones.cone99));
    for (const bool wulff : {false, true}) {
        test::RecordingCanvas canvas(200, wulff);
        canvas.settings.GridCol = 13;
        DrawBestPoleMarks(canvas.ctx, r);
        const TColor symbolColour = canvas.settings.Tco[kBestPoleColour];
        const TColor gridColour = canvas.settings.Tco[13];
        ASSERT_NE(symbolColour, gridColour);
        const Point at = DirToPixel(r.direction(), canvas.ctx.net);
        int symbolParts = 0;
        std::vector<double> coneAngles;
        for (const Primitive& p : canvas.surface.primitives()) {
            if (p.pen.colour == symbolColour && p.pen.style == PenStyle::Solid) {
                ++symbolParts;
                for (const test::RealPoint q : test::Sampled(p))
                    EXPECT_LE(std::hypot(q.x - at.x, q.y - at.y), 8);
                continue;
            }
            ASSERT_EQ(p.pen.colour, gridColour);
            EXPECT_EQ(p.pen.style, PenStyle::Dash);
            for (const test::RealPoint q : test::Sampled(p)) {
                const Net& net = canvas.ctx.net;
                const Direction d = PixelToDir(static_cast<int>(std::lround(q.x - net.xc)),
                                               static_cast<int>(std::lround(net.yc - q.y)), net);
                coneAngles.push_back(
                    std::acos(std::fabs(Dot(DirToVec(d), DirToVec(r.direction())))));
            }
        }
        EXPECT_GT(symbolParts, 0);
        ASSERT_FALSE(coneAngles.empty());
        const double tolerance = Rad(1.0);
        int near95 = 0, near99 = 0;
        for (const double angle : coneAngles) {
            const bool on95 = std::fabs(angle - r.cones.cone95) < tolerance;
            const bool on99 = std::fabs(angle - r.cones.cone99) < tolerance;
            EXPECT_TRUE(on95 || on99) << angle / kDegToRad;
            near95 += on95;
            near99 += on99;
        }
        EXPECT_GT(near95, 0);
        EXPECT_GT(near99, 0);
        EXPECT_EQ(canvas.surface.pen().style, PenStyle::Solid);
    }
}

} // namespace
} // namespace ploq
