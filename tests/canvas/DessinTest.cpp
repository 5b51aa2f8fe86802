// The frame, the grids and the two traces, checked on a recording surface for where they go.

#include "canvas/Dessin.h"

#include "model/UtilGlob.h"

#include <gtest/gtest.h>

#include "DrawingProbe.h"
#include <cmath>
#include <numbers>

namespace ploq {
namespace {

using test::DistanceFrom;
using test::Reach;
using test::RealPoint;
using test::RecordingCanvas;
using test::Sampled;

constexpr double kPi = std::numbers::pi;
constexpr double kRimTolerance = 1.0; // rounding to pixels and the box convention's half pixel

struct NetCase {
    const char* name;
    bool wulff;
    bool lower;
};

constexpr NetCase kNets[] = {
    {"Schmidt lower", false, true},
    {"Schmidt upper", false, false},
    {"Wulff lower", true, true},
    {"Wulff upper", true, false},
};

double deg(double d)
{
    return d * kDegToRad;
}

TEST(TraceGC, EveryPointIsInsideAndTheRimPointsAreOpposite)
{
    for (const NetCase& net : kNets) {
        for (double plunge : {1.0, 5.0, 20.0, 45.0, 60.0, 85.0, 89.9}) {
            for (double trend = 0; trend < 360; trend += 37) {
                SCOPED_TRACE(::testing::Message()
                             << net.name << " pole " << trend << "/" << plunge);
                RecordingCanvas c(200, net.wulff, net.lower);
                TraceGC(c.ctx, deg(plunge), deg(trend));
                ASSERT_EQ(c.surface.primitives().size(), 1u);
                const Primitive& p = c.surface.primitives()[0];
                EXPECT_LE(Reach(c.ctx.net, c.surface.primitives()), 200 + kRimTolerance);
                // The ends: the polyline's first and last vertices, or the arc's end rays.
                ASSERT_GE(p.points.size(), 2u);
                const Point a = p.points.front();
                const Point b = p.points.back();
                EXPECT_EQ(a.x + b.x, 2 * c.ctx.net.xc);
                EXPECT_EQ(a.y + b.y, 2 * c.ctx.net.yc);
                EXPECT_NEAR(DistanceFrom(c.ctx.net, a), 200, kRimTolerance);
                if (net.wulff)
                    EXPECT_EQ(p.shape, Shape::Arc);
                else
                    EXPECT_EQ(p.points.size(), 22u);
            }
        }
    }
}

TEST(TraceGC, PassesThroughTheDipLine)
{
    // A plane dipping 40 degrees toward 120: its line of greatest dip is 120/40.
    const Direction pole{deg(300), deg(50)};
    const Direction dipLine{deg(120), deg(40)};
    for (const NetCase& net : kNets) {
        SCOPED_TRACE(net.name);
        RecordingCanvas c(200, net.wulff, net.lower);
        TraceGC(c.ctx, pole.plunge, pole.trend);
        const Point target = DirToPixel(dipLine, c.ctx.net);
        double nearest = 1e9;
        for (RealPoint q : Sampled(c.surface.primitives()[0]))
            nearest = std::min(nearest, std::hypot(q.x - target.x, q.y - target.y));
        EXPECT_LT(nearest, 1.5);
    }
}

TEST(TraceGC, WulffTraceOfAPlaneDipping45IsAnArcOfRadiusRootTwoR)
{
    RecordingCanvas c(200, true, true);
    TraceGC(c.ctx, deg(45), deg(90));
    const Primitive& arc = c.surface.primitives()[0];
    ASSERT_EQ(arc.shape, Shape::Arc);
    EXPECT_NEAR((arc.box.right - arc.box.left) / 2.0, 200 * std::sqrt(2.0), 1);
    const test::RealPoint centre = test::boxCentre(arc.box);
    EXPECT_NEAR(centre.x - c.ctx.net.xc, 200, 1);
    EXPECT_NEAR(centre.y, c.ctx.net.yc, 1);
}

TEST(TraceGC, HorizontalAndVerticalPlanes)
{
    RecordingCanvas c(200, true, true);
    TraceGC(c.ctx, kPi / 2, 0);
    TraceGC(c.ctx, 0.01, deg(90));
    const auto& p = c.surface.primitives();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].shape, Shape::Ellipse);
    EXPECT_EQ(p[0].box, (Box{15, 15, 415, 415}));
    EXPECT_EQ(p[1].shape, Shape::Line);
    EXPECT_EQ(p[1].points[0], (Point{215, 15}));
    EXPECT_EQ(p[1].points[1], (Point{215, 415}));
}

TEST(TracePC, ConeAboutTheVerticalIsACircleOfTheNetRadius)
{
    for (const NetCase& net : kNets) {
        for (double alpha : {3.0, 10.0, 30.0, 60.0, 89.0}) {
            SCOPED_TRACE(::testing::Message() << net.name << " alpha " << alpha);
            RecordingCanvas c(200, net.wulff, net.lower);
            TracePC(c.ctx, deg(alpha), kPi / 2, deg(70));
            ASSERT_EQ(c.surface.primitives().size(), 1u);
            const Primitive& p = c.surface.primitives()[0];
            const double expected = NetRadius(kPi / 2 - deg(alpha), c.ctx.net);
            if (net.wulff) {
                ASSERT_EQ(p.shape, Shape::Ellipse);
                EXPECT_NEAR((p.box.right - p.box.left) / 2.0, expected, 1);
                EXPECT_NEAR((p.box.left + p.box.right) / 2.0, c.ctx.net.xc, 0.5);
                EXPECT_NEAR((p.box.top + p.box.bottom) / 2.0, c.ctx.net.yc, 0.5);
            } else {
                ASSERT_EQ(p.shape, Shape::Polyline);
                EXPECT_EQ(p.points.front(), p.points.back()) << "closed";
                for (Point q : p.points)
                    EXPECT_NEAR(DistanceFrom(c.ctx.net, q), expected, 0.75);
            }
        }
    }
}

TEST(TracePC, ConesLeavingTheHemisphereStopOnTheRim)
{
    struct Cone {
        double alpha, plunge, trend;
    };
    const Cone cones[] = {{30, 0, 0},     {60, 10, 45},  {89, 0, 200},  {90, 0, 10},
                          {120, 20, 300}, {150, 5, 100}, {45, 44.9, 0}, {100, 70, 30}};
    for (const NetCase& net : kNets) {
        for (const Cone& cone : cones) {
            SCOPED_TRACE(::testing::Message() << net.name << " cone " << cone.alpha << " about "
                                              << cone.trend << "/" << cone.plunge);
            RecordingCanvas c(200, net.wulff, net.lower);
            TracePC(c.ctx, deg(cone.alpha), deg(cone.plunge), deg(cone.trend));
            ASSERT_EQ(c.surface.primitives().size(), 1u);
            const Primitive& p = c.surface.primitives()[0];
            EXPECT_LE(Reach(c.ctx.net, c.surface.primitives()), 200 + kRimTolerance);
            EXPECT_NEAR(DistanceFrom(c.ctx.net, p.points.front()), 200, kRimTolerance);
            EXPECT_NEAR(DistanceFrom(c.ctx.net, p.points.back()), 200, kRimTolerance);
        }
    }
}

TEST(TracePC, HiddenAndDegenerateConesDrawNothing)
{
    for (const NetCase& net : kNets) {
        RecordingCanvas c(200, net.wulff, net.lower);
        TracePC(c.ctx, deg(150), deg(40), 0); // beyond pi - plunge: all of it above
        TracePC(c.ctx, 0, deg(40), 0);
        TracePC(c.ctx, kPi, deg(40), 0);
        TracePC(c.ctx, std::nan(""), deg(40), 0);
        EXPECT_TRUE(c.surface.primitives().empty()) << net.name;
    }
}

TEST(TracePC2, BothPiecesOfASmallCircleCrossingTheHorizontal)
{
    RecordingCanvas c(200, false, true);
    TracePC2(c.ctx, deg(40), deg(20), deg(90));
    EXPECT_EQ(c.surface.primitives().size(), 2u);
    c.surface.clear();
    TracePC2(c.ctx, deg(10), deg(20), deg(90));
    EXPECT_EQ(c.surface.primitives().size(), 1u);
}

// The primitives of a standard net by shape: n small circles (the cone of 180 degrees is a
// point, not drawn), the diameter along the axis, and m meridians on each side, the last of
// which is the primitive circle.
TEST(GrilleStandard, DrawsTheCirclesItsStepImplies)
{
    for (int step : {2, 5, 10, 15}) {
        for (const NetCase& net : {kNets[0], kNets[2]}) {
            SCOPED_TRACE(::testing::Message() << net.name << " step " << step);
            RecordingCanvas c(200, net.wulff, true);
            c.settings.GridStep = step;
            GrilleStandard(c.ctx, 0);
            const GridSteps s = StepTable(step);
            const std::size_t smallCircles = s.n - 1;
            const std::size_t meridians = 2 * (s.m - 1);
            if (net.wulff) {
                // The cone of 90 degrees is the straight east-west diameter.
                EXPECT_EQ(c.surface.count(Shape::Arc), smallCircles - 1 + meridians);
                EXPECT_EQ(c.surface.count(Shape::Line), 2u);
            } else {
                EXPECT_EQ(c.surface.count(Shape::Polyline), smallCircles + meridians);
                EXPECT_EQ(c.surface.count(Shape::Line), 1u);
            }
            EXPECT_EQ(c.surface.count(Shape::Ellipse), 2u);
            EXPECT_LE(Reach(c.ctx.net, c.surface.primitives()), 200 + kRimTolerance);
            for (const Primitive& p : c.surface.primitives())
                EXPECT_EQ(p.pen.colour, c.settings.Tco[c.settings.GridCol]);
        }
    }
}

TEST(GrilleStandard, Step15Shows12SmallCirclesAnd6MeridiansEachSide)
{
    const GridSteps s = StepTable(15);
    EXPECT_EQ(s.n, 12);
    EXPECT_EQ(s.m, 6);
}

TEST(Grids, AStepOutsideTheTableDrawsNoCirclesAndNeverLoops)
{
    for (int step : {0, -5, 1, 7, 90, 1000000}) {
        SCOPED_TRACE(step);
        RecordingCanvas c;
        c.settings.GridStep = step;
        GrilleStandard(c.ctx, 0);
        GrillePolaire(c.ctx);
        GrilleAxee(c.ctx, deg(30), deg(40));
        CerclesConcentriques(c.ctx);
        // The standard net's diameter, the polar net's white centre and the axed net's equator.
        EXPECT_EQ(c.surface.primitives().size(), 3u);
    }
}

TEST(GrillePolaire, CirclesOfEqualPlungeAndRadialDiameters)
{
    RecordingCanvas c(200, true, true);
    c.settings.GridStep = 10;
    GrillePolaire(c.ctx);
    const auto& p = c.surface.primitives();
    ASSERT_EQ(p.size(), 8u + 18u + 1u);
    for (int k = 1; k <= 8; ++k) {
        const int r = RoundHalfEven(NetRadius(deg(10 * k), c.ctx.net));
        EXPECT_EQ(p[k - 1].box, (Box{215 - r, 215 - r, 215 + r, 215 + r}));
    }
    EXPECT_EQ(p.back().brush, (Brush{clWhite, BrushStyle::Solid})) << "clears the centre";
}

TEST(GrilleAxee, MeridiansPassThroughTheAxis)
{
    const Direction axis{deg(40), deg(35)};
    for (const NetCase& net : {kNets[2], kNets[3]}) {
        SCOPED_TRACE(net.name);
        RecordingCanvas c(200, true, net.lower);
        c.settings.GridStep = 15;
        GrilleAxee(c.ctx, axis.plunge, axis.trend);
        const PlaneOffset at = DirToPlane(axis, c.ctx.net);
        const RealPoint target{c.ctx.net.xc + at.east, c.ctx.net.yc - at.north};
        const auto& p = c.surface.primitives();
        ASSERT_GE(p.size(), 12u);
        for (std::size_t k = 0; k < 12; ++k) {
            double nearest = 1e9;
            for (RealPoint q : Sampled(p[k]))
                nearest = std::min(nearest, std::hypot(q.x - target.x, q.y - target.y));
            EXPECT_LT(nearest, 2.5) << "meridian " << k;
        }
        EXPECT_LE(Reach(c.ctx.net, p), 200 + kRimTolerance);
        EXPECT_EQ(p.back().pen.width, 2) << "the equator is bold";
    }
}

TEST(GrilleAxee, NearlyHorizontalOrVerticalAxesGiveTheStandardOrPolarNet)
{
    RecordingCanvas axed;
    RecordingCanvas standard;
    GrilleAxee(axed.ctx, deg(0.05), deg(30));
    GrilleStandard(standard.ctx, deg(30));
    EXPECT_EQ(axed.surface.primitives().size(), standard.surface.primitives().size());

    RecordingCanvas axedPolar;
    RecordingCanvas polar;
    GrilleAxee(axedPolar.ctx, deg(89.95), deg(30));
    GrillePolaire(polar.ctx);
    EXPECT_EQ(axedPolar.surface.primitives().size(), polar.surface.primitives().size());
}

TEST(DessinerGrille, ByKind)
{
    struct Case {
        int natGrille;
        bool draws;
    };
    for (const Case& k : {Case{kGridNone, false}, Case{kGridStandard, true}, Case{kGridPolar, true},
                          Case{kGridAxed, true}, Case{kGridAxedTyped, true},
                          Case{kGridConcentric, true}, Case{4, false}}) {
        RecordingCanvas c;
        DessinerGrille(c.ctx, {k.natGrille, deg(10), deg(50)});
        EXPECT_EQ(!c.surface.primitives().empty(), k.draws) << k.natGrille;
    }
}

TEST(IndexGrille, LabelsOnlyWithTheIndexedGridBit)
{
    struct Case {
        int natGrille;
        int radius;
        std::size_t labels;
    };
    const Case cases[] = {
        {kGridStandard, 200, 20}, // 0, 20, 40, 60, 80 on four half-diameters
        {kGridPolar, 400, 36},    // every 10 degrees on a large net
        {kGridAxed, 200, 20},     // pitches from both ends, then both sides of the axis
        {kGridAxedTyped, 200, 0}, {kGridConcentric, 200, 0},
    };
    for (const Case& k : cases) {
        RecordingCanvas c(k.radius);
        IndexGrille(c.ctx, {k.natGrille, deg(30), deg(40)});
        EXPECT_EQ(c.surface.count(Shape::Text), 0u);
        c.ctx.StyleCnvs = 1 << kStyleIndexedGrid;
        IndexGrille(c.ctx, {k.natGrille, deg(30), deg(40)});
        EXPECT_EQ(c.surface.count(Shape::Text), k.labels) << k.natGrille;
        for (const Primitive& p : c.surface.primitives())
            EXPECT_EQ(p.font.colour, rgb(128, 128, 128));
    }
}

TEST(IndexGrille, LabelIsCentredWithItsTopSixPixelsAbove)
{
    RecordingCanvas c(200, true, true, 1 << kStyleIndexedGrid);
    IndexGrille(c.ctx, {kGridStandard});
    const Primitive& first = c.surface.primitives()[0]; // "0" below the centre, on the rim
    EXPECT_EQ(first.text, "0");
    const int width = c.surface.textExtent("0").width;
    EXPECT_EQ(first.points[0], (Point{215 - width / 2, 215 + 200 - 6}));
}

std::size_t lineCount(const RecordingSurface& s)
{
    return s.count(Shape::Line);
}

TEST(TraceCanevas, TicksByRadius)
{
    const std::int32_t graduations = 1 << kStyleGraduations;
    RecordingCanvas small(150, false, true, graduations);
    TraceCanevas(small.ctx);
    EXPECT_EQ(lineCount(small.surface), 1u + 36u);
    const auto& tick = small.surface.primitives()[2].points;
    EXPECT_EQ(tick[0], (Point{165 + 152, 165}));
    EXPECT_EQ(tick[1], (Point{165 + 157, 165}));

    RecordingCanvas large(151, false, true, graduations);
    TraceCanevas(large.ctx);
    EXPECT_EQ(lineCount(large.surface), 1u + 72u);
    const auto& longTick = large.surface.primitives()[2].points;
    EXPECT_EQ(longTick[1].x - longTick[0].x, 8);
}

TEST(TraceCanevas, OptionsByStyleBits)
{
    RecordingCanvas plain;
    TraceCanevas(plain.ctx);
    ASSERT_EQ(plain.surface.primitives().size(), 2u);
    EXPECT_EQ(plain.surface.primitives()[0].box, (Box{15, 15, 415, 415}));
    EXPECT_EQ(plain.surface.primitives()[1].points[1], (Point{215, 10}));

    RecordingCanvas all(200, false, true, 1 << kStyleNetCentre | 1 << kStyleDiameters);
    TraceCanevas(all.ctx);
    std::size_t silver = 0;
    for (const Primitive& p : all.surface.primitives())
        silver += p.pen.colour == rgb(192, 192, 192);
    EXPECT_EQ(silver, 4u);
    EXPECT_EQ(lineCount(all.surface), 1u + 4u + 2u);
}

TEST(TraceCanevas, OutputVariantScalesAndWritesTheCountAndProjection)
{
    RecordingCanvas c(1000, true, false, 1 << kStyleNetCentre);
    c.ctx.EnImpression = true;
    c.ctx.UnitDessin = 6;
    TraceCanevas(c.ctx, 42);
    const auto& p = c.surface.primitives();
    EXPECT_EQ(p[1].points[1].y, 15 - 18) << "north mark 6u long, u = 3";
    EXPECT_EQ(p[2].points[0].x, 1015 - 15) << "cross 5u";
    std::vector<std::string> texts;
    for (const Primitive& q : p)
        if (q.shape == Shape::Text)
            texts.push_back(q.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"N", "N = 42", " W/sup "}));
}

TEST(TraceCanevas, OutputUnitIsNeverZero)
{
    RecordingCanvas c(200, false, true, 1 << kStyleGraduations);
    c.ctx.EnImpression = true;
    c.ctx.UnitDessin = 1;
    TraceCanevas(c.ctx);
    const auto& tick = c.surface.primitives()[2].points;
    EXPECT_NE(tick[0], tick[1]);
}

TEST(FaisceauPC, StopsWhenTheConesLeaveTheHemisphere)
{
    RecordingCanvas c(200, false, true);
    FaisceauPC(c.ctx, deg(60), deg(10));
    // alpha 5..120: up to 60 one piece each, beyond two.
    EXPECT_EQ(c.surface.primitives().size(), 12u + 2 * 12u);
    int bold = 0;
    for (const Primitive& p : c.surface.primitives())
        bold += p.pen.width == 2;
    EXPECT_EQ(bold, 3 + 2 * 4) << "20, 40, 60, then 80, 90, 100, 120 in two pieces";
    EXPECT_LE(Reach(c.ctx.net, c.surface.primitives()), 200 + kRimTolerance);
}

TEST(GridAxis, AnswerToTheQuestion)
{
    const Notation notation{1, 1};
    EXPECT_EQ(GridAxisDefaultText(notation), DirToText(false, false, 0, 0, notation));
    const CanvasGrid empty = GridFromAxisText("  ", notation);
    EXPECT_EQ(empty.natGrille, kGridStandard);
    EXPECT_EQ(empty.ar4, 0);
    const std::string text = DirToText(false, false, deg(30), deg(120), notation);
    const CanvasGrid axed = GridFromAxisText(text, notation);
    EXPECT_EQ(axed.natGrille, kGridAxed);
    EXPECT_NEAR(axed.ar4, deg(120), 1e-9);
    EXPECT_NEAR(axed.ar5, deg(30), 1e-9);
}

TEST(GridAxis, ClickTakesTheFirstDisplayedRecordWithinTwoDegrees)
{
    const Notation notation{1, 1};
    std::vector<InfoVal> values(3);
    const double trends[] = {100, 101, 100.5};
    const double plunges[] = {30, 31, 30.5};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i].azi = deg(trends[i]);
        values[i].pen = deg(plunges[i]);
    }
    values[1].inf = values[2].inf = 1 << kInfPresent;
    values[2].na = "L2";
    values[1].na = "L1";
    values[0].na = "L0"; // nearest but hidden
    const ClickedAxis hit = GridAxisFromClick(values, {deg(100), deg(30)}, notation, false);
    EXPECT_EQ(hit.record, 2);
    EXPECT_EQ(hit.label, "L1 " + DirToText(false, false, deg(31), deg(101), notation));
    EXPECT_EQ(GridAxisLine(hit), "Axis of the grid : " + hit.label);

    const ClickedAxis miss = GridAxisFromClick(values, {deg(200), deg(30)}, notation, false);
    EXPECT_EQ(miss.record, 0);
    EXPECT_NEAR(miss.axis.trend, deg(200), 1e-12);
    EXPECT_EQ(miss.label, DirToText(false, false, deg(30), deg(200), notation));
}

} // namespace
} // namespace ploq
