// Additional values: what each kind draws and where (checked against the sphere, not against
// the drawing code: a trace's points lie at the right angle from its axis), the entries a best
// fit leaves, the 100-entry limit and the numbering, and an entry made back into a measurement.

#include "stats3d/Stats3Dadd.h"

#include "canvas/Dessin.h"
#include "canvas/DrawingProbe.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

using test::RecordingCanvas;
constexpr double kPi = std::numbers::pi;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

InfoAdd Entry(int nat, double trendDeg, double plungeDeg, double apertureDeg = 0)
{
    InfoAdd e;
    e.nat = nat;
    e.nco = 4;
    e.nsy = 103;
    e.x[0] = Rad(trendDeg);
    e.y[0] = Rad(plungeDeg);
    e.x[1] = Rad(apertureDeg);
    e.a[1] = 1;
    e.vis = e.initVis = true;
    return e;
}

bool SamePrimitive(const Primitive& a, const Primitive& b)
{
    return a.shape == b.shape && a.points == b.points && a.box == b.box && a.text == b.text
           && a.pen.colour == b.pen.colour;
}

// The primitives `draw` leaves on a fresh recording of the same net.
std::vector<Primitive> Reference(const RecordingCanvas& like,
                                 const std::function<void(const DrawContext&)>& draw)
{
    RecordingCanvas ref(like.ctx.net.radius, like.ctx.net.equalAngle, like.ctx.net.lowerHemisphere,
                        like.ctx.StyleCnvs);
    draw(ref.ctx);
    return ref.surface.primitives();
}

void ExpectSame(const std::vector<Primitive>& drawn, const std::vector<Primitive>& expected)
{
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t i = 0; i < drawn.size(); ++i)
        EXPECT_TRUE(SamePrimitive(drawn[i], expected[i])) << "primitive " << i;
}

// The angles (vector, 0..pi) from the axis of every point of the traces drawn, and whether
// every point lies within the primitive circle.
struct TraceAngles {
    std::vector<double> angles;
    double reach = 0;
    bool near(double angle, double tolerance = Rad(1.5)) const
    {
        for (double a : angles)
            if (std::fabs(a - angle) > tolerance)
                return false;
        return !angles.empty();
    }
    bool some(double angle, double tolerance = Rad(1.5)) const
    {
        for (double a : angles)
            if (std::fabs(a - angle) <= tolerance)
                return true;
        return false;
    }
};

TraceAngles AnglesFrom(const RecordingCanvas& c, Direction axis,
                       const std::vector<Primitive>& primitives)
{
    TraceAngles t;
    const Net& net = c.ctx.net;
    for (const Primitive& p : primitives)
        for (test::RealPoint q : test::Sampled(p)) {
            const Direction d = PlaneToDir(net.yc - q.y, q.x - net.xc, net);
            t.angles.push_back(AngleBetween(d, axis));
            t.reach = std::max(t.reach, test::DistanceFrom(net, q));
        }
    return t;
}

struct Drawn {
    RecordingCanvas c;
    CanvasModel canvas;
    explicit Drawn(bool wulff = false, bool lower = true)
        : c(200, wulff, lower), canvas(kWPOrdinary, c.settings)
    {
    }
    const std::vector<Primitive>& draw(const InfoAdd& e)
    {
        c.surface.clear();
        DrawAddValue(c.ctx, canvas, e);
        return c.surface.primitives();
    }
};

class EveryNet : public ::testing::TestWithParam<std::pair<bool, bool>> {};

// Symbol kinds: the entry's symbol at the projection of its direction, nothing else.
TEST_P(EveryNet, SymbolKindsDrawTheirSymbolAtTheirDirection)
{
    const auto [wulff, lower] = GetParam();
    Drawn d(wulff, lower);
    for (int nat : {1, 2, 26, 31, 37, 40, 42, 44, 46, 50, 52, 55, 57}) {
        InfoAdd e = Entry(nat, 130, 35);
        e.nsy = -107;
        const Point at = DirToPixel({e.x[0], e.y[0]}, d.c.ctx.net);
        ExpectSame(d.draw(e), Reference(d.c, [&](const DrawContext& ctx) {
                       DessinerSymbole(ctx, -107, 4, at.x, at.y);
                   }));
        EXPECT_EQ(d.c.surface.pen(), (Pen{d.c.settings.Tco[4], 1})) << nat;
    }
}

// Great circles: every point at 90 degrees from the pole, inside the net, in the entry's pen.
TEST_P(EveryNet, GreatCircleKindsDrawThePlaneInTheirPen)
{
    const auto [wulff, lower] = GetParam();
    Drawn d(wulff, lower);
    struct Row {
        int nat;
        int width;
        int dashed;
        PenStyle style;
        int drawnWidth;
    };
    const Row rows[] = {
        {4, 2, 0, PenStyle::Solid, 2},  {11, 1, 1, PenStyle::Dash, 1},
        {21, 2, 1, PenStyle::Dash, 2},  {25, 1, 0, PenStyle::Solid, 1},
        {43, 2, 0, PenStyle::Solid, 2}, {53, 2, 0, PenStyle::Dash, 1},
        {56, 2, 0, PenStyle::Dash, 1},
    };
    for (const Row& r : rows) {
        InfoAdd e = Entry(r.nat, 200, 40);
        e.a[1] = r.width;
        e.b[1] = r.dashed;
        const auto& drawn = d.draw(e);
        const TraceAngles t = AnglesFrom(d.c, {e.x[0], e.y[0]}, drawn);
        EXPECT_TRUE(t.near(kPi / 2)) << r.nat;
        EXPECT_LE(t.reach, 201) << r.nat;
        for (const Primitive& p : drawn) {
            EXPECT_EQ(p.pen.style, r.style) << r.nat;
            EXPECT_EQ(p.pen.width, r.drawnWidth) << r.nat;
            EXPECT_EQ(p.pen.colour, d.c.settings.Tco[4]) << r.nat;
        }
        EXPECT_EQ(d.c.surface.pen().style, PenStyle::Solid);
        EXPECT_EQ(d.c.surface.pen().width, 1);
    }
}

// A cone whose axis plunges less than its aperture leaves the hemisphere: both pieces are
// drawn. A steeper one is a single circle.
TEST_P(EveryNet, ConesDrawBothPiecesWhenTheyLeaveTheHemisphere)
{
    const auto [wulff, lower] = GetParam();
    Drawn d(wulff, lower);
    // Points come back as the lower ends of their axes: the piece of a steep cone shown on
    // the upper hemisphere is also at its aperture from the axis.
    for (int nat : {12, 13, 22, 23, 27, 28, 32, 33, 34, 35}) {
        const InfoAdd crossing = Entry(nat, 60, 10, 25);
        TraceAngles t = AnglesFrom(d.c, {crossing.x[0], crossing.y[0]}, d.draw(crossing));
        for (double& a : t.angles)
            a = std::min(a, kPi - a);
        EXPECT_TRUE(t.near(Rad(25))) << nat;
        const TraceAngles raw = AnglesFrom(d.c, {crossing.x[0], crossing.y[0]}, d.draw(crossing));
        EXPECT_TRUE(raw.some(Rad(25)) && raw.some(kPi - Rad(25))) << nat;
        EXPECT_LE(raw.reach, 201) << nat;

        const InfoAdd inside = Entry(nat, 60, 50, 25);
        const TraceAngles one = AnglesFrom(d.c, {inside.x[0], inside.y[0]}, d.draw(inside));
        EXPECT_TRUE(one.near(Rad(25))) << nat;
    }
}

INSTANTIATE_TEST_SUITE_P(Nets, EveryNet,
                         ::testing::Values(std::pair{false, true}, std::pair{true, false},
                                           std::pair{true, true}));

// Small circles draw their principal part, and the other part thin and dashed on request.
TEST(DrawAddValue, SmallCircleDrawsItsPrincipalPartAndTheOtherOnRequest)
{
    struct Row {
        int part;
        int twoParts;
        bool circle;     // the circle of aperture x[1] is drawn
        bool complement; // the circle of pi - x[1]
    };
    const Row rows[] = {{0, 0, true, false}, {0, 1, true, false}, {1, 0, true, false},
                        {1, 1, true, true},  {2, 0, false, true}, {2, 1, true, true}};
    for (int nat : {3, 36, 41, 45}) {
        for (const Row& r : rows) {
            Drawn d;
            InfoAdd e = Entry(nat, 300, 15, 40);
            e.a[1] = 2;
            e.b[1] = 1;
            e.a[2] = r.part;
            e.b[2] = r.twoParts;
            const auto& drawn = d.draw(e);
            const TraceAngles t = AnglesFrom(d.c, {e.x[0], e.y[0]}, drawn);
            EXPECT_EQ(t.some(Rad(40)), r.circle) << nat << " part " << r.part;
            EXPECT_EQ(t.some(kPi - Rad(40)), r.complement) << nat << " part " << r.part;
            // The principal part in the entry's pen, the other thin and dashed.
            EXPECT_EQ(drawn.front().pen.width, 2);
            EXPECT_EQ(drawn.front().pen.style, PenStyle::Dash);
            if (r.circle && r.complement) {
                EXPECT_EQ(drawn.back().pen.width, 1);
            }
        }
    }
}

TEST(DrawAddValue, KindsThatAreNeverDrawnAndHiddenEntriesDrawNothing)
{
    Drawn d;
    for (int nat : {5, 38, 47, 48, 0, 6, 39, 99, -3}) {
        EXPECT_TRUE(d.draw(Entry(nat, 10, 20, 30)).empty()) << nat;
    }
    InfoAdd hidden = Entry(1, 10, 20);
    hidden.vis = false;
    EXPECT_TRUE(d.draw(hidden).empty());
}

TEST(DrawAddValue, PlaneByTwoLinesDrawsItsTraceDashedAndRingsAtTheLines)
{
    Drawn d;
    // The plane through the lines 090/20 and 180/50, and its pole.
    const Direction l1{Rad(90), Rad(20)};
    const Direction l2{Rad(180), Rad(50)};
    const Direction pole = NormalOf(l1, l2);
    InfoAdd e = Entry(54, 0, 0);
    e.x[0] = pole.trend;
    e.y[0] = pole.plunge;
    e.x[1] = l1.trend;
    e.y[1] = l1.plunge;
    e.x[2] = l2.trend;
    e.y[2] = l2.plunge;
    std::vector<Primitive> trace;
    std::vector<Box> rings;
    for (const Primitive& p : d.draw(e))
        (p.shape == Shape::Ellipse ? rings.push_back(p.box) : trace.push_back(p));
    EXPECT_TRUE(AnglesFrom(d.c, pole, trace).near(kPi / 2));
    for (const Primitive& p : trace)
        EXPECT_EQ(p.pen.style, PenStyle::Dash);
    ASSERT_EQ(rings.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const Point at = DirToPixel(i == 0 ? l1 : l2, d.c.ctx.net);
        EXPECT_EQ(rings[i], (Box{at.x - 10, at.y - 10, at.x + 9, at.y + 9}));
    }
}

TEST(DrawAddValue, IntersectionsSkipAMissingOne)
{
    Drawn d;
    InfoAdd e = Entry(58, 40, 30);
    e.x[1] = Rad(250);
    e.y[1] = Rad(10);
    const auto both = d.draw(e);
    e.x[1] = 9999;
    const auto one = d.draw(e);
    const Point first = DirToPixel({Rad(40), Rad(30)}, d.c.ctx.net);
    ExpectSame(one, Reference(d.c, [&](const DrawContext& ctx) {
                   DessinerSymbole(ctx, 103, 4, first.x, first.y);
               }));
    EXPECT_EQ(both.size(), 2 * one.size());
    e.x[0] = 9999;
    EXPECT_TRUE(d.draw(e).empty());
}

// The seeds are drawn only while they are being picked, at most six, as numbered rings.
TEST(DrawAddValue, SeedsShowWhilePickedOnly)
{
    Drawn d;
    InfoAdd seeds = Entry(15, 0, 0);
    for (int i = 0; i < 6; ++i) {
        seeds.x[i] = Rad(60.0 * i);
        seeds.y[i] = Rad(10.0 + 10 * i);
    }
    d.canvas.lUndoPlot.bfit = 15;
    d.canvas.lUndoPlot.v1 = 41; // more than six: never past the entry's six seeds
    const auto& drawn = d.draw(seeds);
    ASSERT_EQ(d.c.surface.count(Shape::Ellipse), 6u);
    int n = 0;
    for (const Primitive& p : drawn)
        if (p.shape == Shape::Ellipse) {
            const Point at = DirToPixel({seeds.x[n], seeds.y[n]}, d.c.ctx.net);
            EXPECT_EQ(p.box, (Box{at.x - 10, at.y - 10, at.x + 10, at.y + 10}));
            EXPECT_EQ(p.pen.colour, clBlack);
            EXPECT_EQ(p.brush.style, BrushStyle::Clear);
            ++n;
        } else {
            ASSERT_EQ(p.shape, Shape::Text);
            EXPECT_EQ(p.text, std::to_string(n));
            EXPECT_TRUE(p.font.bold);
            const Point at = DirToPixel({seeds.x[n - 1], seeds.y[n - 1]}, d.c.ctx.net);
            EXPECT_EQ(p.points.front().y, at.y - 6);
        }
    d.canvas.lUndoPlot.v1 = 2;
    d.draw(seeds);
    EXPECT_EQ(d.c.surface.count(Shape::Ellipse), 2u);
    d.canvas.lUndoPlot.bfit = 16; // the analysis is over
    EXPECT_TRUE(d.draw(seeds).empty());
}

// The centres with members are drawn, whatever a later plotting left in the undo record.
TEST(DrawAddValue, ClustersDrawTheCentresThatHaveMembers)
{
    Drawn d;
    InfoAdd e = Entry(16, 0, 0);
    e.x = {Rad(10), Rad(100), Rad(200), 0, 0, 0};
    e.y = {Rad(20), Rad(40), Rad(60), 0, 0, 0};
    e.b = {12, 7, 3, 0, 0, 0};
    d.canvas.lUndoPlot = {41, 80, 0, 1, 0, true}; // a plotting of 40 rows after the analysis
    ExpectSame(d.draw(e), Reference(d.c, [&](const DrawContext& ctx) {
                   for (int i = 0; i < 3; ++i) {
                       const Point at = DirToPixel({e.x[i], e.y[i]}, ctx.net);
                       DessinerSymbole(ctx, 103, 4, at.x, at.y);
                   }
               }));
}

// A small circle by three points keeps its points: records by their label, clicked points by
// symbol 20, and a record number the canvas does not hold as a clicked point.
TEST(DrawAddValue, SmallCircleByThreePointsDrawsItsOwnPoints)
{
    Drawn d;
    InfoVal v;
    v.na = "L";
    v.nu = "R7";
    d.canvas.AddRecord(v);
    d.canvas.AddRecord(InfoVal{});
    // The clicked-mode fields say something else entirely: they are not read.
    d.canvas.i1 = 300;
    d.canvas.ar1 = 5;
    InfoAdd e = Entry(49, 90, 60, 25);
    const Direction points[] = {{Rad(90), Rad(35)}, {Rad(180), Rad(75)}, {Rad(0), Rad(75)}};
    for (int k = 0; k < 3; ++k) {
        e.x[2 + k] = points[k].trend;
        e.y[2 + k] = points[k].plunge;
    }
    e.a[3] = 1;  // record R7
    e.a[4] = 2;  // a record without a number: "x"
    e.a[5] = 40; // not held: a clicked point
    e.a[2] = 1;  // with its centre
    const auto& drawn = d.draw(e);
    std::vector<std::string> texts;
    std::vector<Primitive> trace;
    for (const Primitive& p : drawn) {
        if (p.shape == Shape::Text)
            texts.push_back(p.text);
        if (p.shape == Shape::Polyline || p.shape == Shape::Line)
            trace.push_back(p);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"R7", "x"}));
    EXPECT_TRUE(AnglesFrom(d.c, {e.x[0], e.y[0]}, trace).near(Rad(25)));
    const Point clicked = DirToPixel(points[2], d.c.ctx.net);
    const Point centre = DirToPixel({e.x[0], e.y[0]}, d.c.ctx.net);
    const auto tail = Reference(d.c, [&](const DrawContext& ctx) {
        DessinerSymbole(ctx, 20, 4, clicked.x, clicked.y);
        DessinerSymbole(ctx, 103, 4, centre.x, centre.y);
    });
    ExpectSame({drawn.end() - static_cast<long>(tail.size()), drawn.end()}, tail);
}

// A redraw draws the list after the records, on the kinds that show additional values.
TEST(DrawAddValue, RedrawDrawsTheListLastAndKeepsHiddenEntriesInPlace)
{
    VarGlob settings;
    RecordingImageFactory images;
    CanvasModel canvas(kWPOrdinary, settings);
    canvas.SetRayon(150, images);
    InfoVal line;
    line.na = "L";
    line.sy = 5;
    SetBit(line.inf, kInfPresent, true);
    canvas.AddRecord(line);
    InfoAdd hidden = Entry(26, 10, 10);
    hidden.vis = false;
    const InfoAdd shown[] = {hidden, Entry(1, 200, 45)};
    ASSERT_TRUE(AppendAdd(canvas, shown));
    auto& surface = dynamic_cast<RecordingImage&>(*canvas.image()).recording();
    surface.clear();
    DrawContext ctx = ScreenContext(canvas, settings);
    Redessiner(canvas, ctx);
    const Point at = DirToPixel({Rad(200), Rad(45)}, canvas.net());
    const Primitive& last = surface.primitives().back();
    EXPECT_EQ(test::boxCentre(last.box).x, at.x - 1); // symbol 103's innermost square
    EXPECT_EQ(canvas.lAdd[0].rang, 1);
    EXPECT_FALSE(canvas.lAdd[0].vis);
    EXPECT_EQ(canvas.lAdd[1].rang, 2);

    for (int kind = 0; kind < kWPKindCount; ++kind) {
        CanvasModel c(kind, settings);
        EXPECT_EQ(c.lAdd.size(), OwnsAddList(kind) ? 100u : 0u) << kind;
        for (const InfoAdd& e : c.lAdd)
            EXPECT_FALSE(e.vis);
    }
}

TEST(AppendAdd, AGroupThatDoesNotFitIsRefusedWhole)
{
    VarGlob settings;
    CanvasModel canvas(kWPOrdinary, settings);
    const std::vector<InfoAdd> many(98, Entry(1, 0, 90));
    ASSERT_TRUE(AppendAdd(canvas, many));
    BestFit axis{kAddBestAxis, Rad(20), Rad(10), Rad(10), Rad(60), Rad(30)};
    const BestFitChoices choices = InitialChoices(kAddBestAxis, settings);
    EXPECT_FALSE(KeepBestFit(canvas, axis, choices)); // four entries
    EXPECT_EQ(canvas.lNAdd, 98);
    EXPECT_EQ(canvas.lUndoPlot.bfit, 0);
    axis.cone95 = axis.cone99 = kConeLimit; // two entries: they fit
    EXPECT_TRUE(KeepBestFit(canvas, axis, choices));
    EXPECT_EQ(canvas.lNAdd, 100);
    EXPECT_FALSE(AppendAdd(canvas, std::vector<InfoAdd>(1, Entry(1, 0, 90))));
    EXPECT_EQ(canvas.lNAdd, 100);

    // A count driven out of its range by a fault elsewhere never writes outside the list.
    CanvasModel drifted(kWPOrdinary, settings);
    drifted.lNAdd = -3;
    ASSERT_TRUE(AppendAdd(drifted, std::vector<InfoAdd>(1, Entry(26, 0, 90))));
    EXPECT_EQ(drifted.lNAdd, 1);
    EXPECT_EQ(drifted.lAdd[0].nat, 26);
    drifted.lNAdd = 250;
    EXPECT_EQ(AddInUse(drifted).size(), 100u);
    EXPECT_FALSE(AppendAdd(drifted, std::vector<InfoAdd>(1, Entry(26, 0, 90))));

    CanvasModel contours(kWPContouring, settings);
    EXPECT_FALSE(AppendAdd(contours, std::vector<InfoAdd>(1, Entry(1, 0, 90))));
}

TEST(AppendAdd, NumbersStayUniqueAfterADeletion)
{
    VarGlob settings;
    CanvasModel canvas(kWPOrdinary, settings);
    ASSERT_TRUE(AppendAdd(canvas, std::vector<InfoAdd>(5, Entry(1, 0, 90))));
    // Delete the third: the following entries move up.
    canvas.lAdd.erase(canvas.lAdd.begin() + 2);
    canvas.lAdd.push_back({});
    --canvas.lNAdd;
    ASSERT_TRUE(AppendAdd(canvas, std::vector<InfoAdd>(2, Entry(1, 0, 90))));
    std::vector<int> numbers;
    for (const InfoAdd& e : AddInUse(canvas))
        numbers.push_back(e.rang);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 4, 5, 6, 7}));
}

struct Expected {
    int nat;
    bool vis;
    double x1; // degrees
};

std::vector<Expected> Summary(const std::vector<InfoAdd>& entries)
{
    std::vector<Expected> out;
    for (const InfoAdd& e : entries)
        out.push_back({e.nat, e.vis, std::round(e.x[1] / kDegToRad * 10) / 10});
    return out;
}

bool operator==(const Expected& a, const Expected& b)
{
    return a.nat == b.nat && a.vis == b.vis && a.x1 == b.x1;
}

void PrintTo(const Expected& e, std::ostream* os)
{
    *os << "{" << e.nat << ", " << e.vis << ", " << e.x1 << "}";
}

TEST(BestFitEntries, EachKindLeavesItsEntriesInOrder)
{
    BestFitChoices c;
    c.pole = true;
    c.circle = false;
    c.cone95 = true;
    c.cone99 = false;
    const double wide = 89.99;
    struct Row {
        int kind;
        double cone99, cone95, aperture; // degrees; kind 3's cone95 is its principal part
        std::vector<Expected> entries;
    };
    const Row rows[] = {
        {1, 12, 8, 8, {{1, true, 0}, {11, false, 0}, {12, true, 8}, {13, false, 12}}},
        {1, wide, 8, 8, {{1, true, 0}, {11, false, 0}, {12, true, 8}}},
        {1, wide, wide, wide, {{1, true, 0}, {11, false, 0}}},
        {1, 89.98, 89.98, 0, {{1, true, 0}, {11, false, 0}, {12, true, 90}, {13, false, 90}}},
        {2, 12, 8, 8, {{2, true, 0}, {21, false, 0}, {22, true, 8}, {23, false, 12}}},
        {25, 12, wide, 0, {{26, true, 0}, {25, false, 0}, {28, false, 12}}},
        {3, 30, 2.0 / kDegToRad, 30, {{31, true, 0}, {3, false, 30}}},
        {38, 95, 91, 0, {{26, true, 0}, {25, false, 0}, {32, true, 91}, {33, false, 95}}},
        {39, 12, 8, 40, {{31, true, 0}, {3, false, 40}, {34, true, 8}, {35, false, 12}}},
        {49, 0, 0, 33, {{49, true, 33}}},
        {5, 12, 8, 8, {}},
    };
    for (const Row& r : rows) {
        const BestFit fit{r.kind, Rad(r.cone99), Rad(r.cone95), Rad(r.aperture), Rad(50), Rad(120)};
        EXPECT_EQ(Summary(BestFitEntries(fit, c)), r.entries) << "kind " << r.kind;
    }
}

TEST(BestFitEntries, EntriesCarryTheChosenLookAndGeometry)
{
    BestFitChoices c;
    c.circle = true;
    c.thick = true;
    c.dot = true;
    c.twoParts = true;
    c.tailed = true;
    c.colour = 5;
    c.symbol = 104;
    const BestFit small{kAddBestSmallCircle, Rad(30), 2, Rad(30), Rad(20), Rad(250)};
    const std::vector<InfoAdd> e = BestFitEntries(small, c);
    ASSERT_EQ(e.size(), 2u);
    for (const InfoAdd& x : e) {
        EXPECT_EQ(x.nco, 5);
        EXPECT_EQ(x.nsy, -104);
        EXPECT_EQ(x.x[0], Rad(250));
        EXPECT_EQ(x.y[0], Rad(20));
        EXPECT_EQ(x.vis, x.initVis);
    }
    EXPECT_EQ(e[1].a[1], 2);
    EXPECT_EQ(e[1].b[1], 1);
    EXPECT_EQ(e[1].a[2], 2);
    EXPECT_EQ(e[1].b[2], 1);

    BestFit three{kAddSC3Points, 0, 0, Rad(25), Rad(60), Rad(90)};
    three.points = {ConstructionPoint{4, {Rad(1), Rad(2)}}, ConstructionPoint{-1, {Rad(3), Rad(4)}},
                    ConstructionPoint{9, {Rad(5), Rad(6)}}};
    c.pole = true;
    const InfoAdd circle = BestFitEntries(three, c).front();
    EXPECT_EQ(circle.a[2], 1);
    EXPECT_EQ((std::array{circle.a[3], circle.a[4], circle.a[5]}), (std::array{4, -1, 9}));
    EXPECT_EQ(circle.x[3], Rad(3));
    EXPECT_EQ(circle.y[4], Rad(6));

    VarGlob settings;
    CanvasModel canvas(kWPOrdinary, settings);
    canvas.lUndoPlot.v1 = 7;
    ASSERT_TRUE(KeepBestFit(canvas, small, c));
    EXPECT_EQ(canvas.lUndoPlot.bfit, kAddBestSmallCircle);
    EXPECT_EQ(canvas.lUndoPlot.stade, 1);
    EXPECT_EQ(canvas.lUndoPlot.v2, 2);
    EXPECT_TRUE(canvas.lUndoPlot.actif);
}

TEST(BestFitChoices, OptAddRoundTrip)
{
    VarGlob s;
    s.OptAdd = 0;
    for (int bit : {1, 2, 3, 4, 5, 6, 7, 8, 12, 13})
        SetBit(s.OptAdd, bit, true);
    SetBit(s.OptAdd, 14, true); // the clusters dialog's: left alone
    s.TcoAdd[25] = 6;
    s.SyAdd[25] = 108;
    BestFitChoices c = InitialChoices(kAddBestGC, s);
    EXPECT_TRUE(c.pole && c.circle && c.cone95 && c.cone99 && c.thick && c.dot && c.twoParts
                && c.optionsOpen && c.decimals && c.tailed);
    EXPECT_EQ(c.colour, 6);
    EXPECT_EQ(c.symbol, 108);
    EXPECT_FALSE(InitialChoices(kAddBestAxis, s).circle);
    for (int kind : {3, 38, 39})
        EXPECT_FALSE(InitialChoices(kind, s).pole) << kind;

    c = {};
    c.colour = 3;
    c.symbol = -110;
    const BestFit fit{kAddBestGC, Rad(12), Rad(8), 0, 0, 0};
    StoreChoices(fit, c, s);
    // Two parts is not a box of a best great circle: its bit stays.
    EXPECT_EQ(s.OptAdd, (1 << 7) | (1 << 14));
    EXPECT_EQ(s.TcoAdd[25], 3);
    EXPECT_EQ(s.SyAdd[25], 110);
    // The boxes a kind opens unticked keep their bits unless ticked.
    s.OptAdd = (1 << kOptAddPole) | (1 << kOptAddCircle);
    StoreChoices({kAddBestAxis, Rad(12), Rad(8), 0, 0, 0}, InitialChoices(kAddBestAxis, s), s);
    StoreChoices({kAddGCBootstrap, Rad(12), Rad(8), 0, 0, 0}, InitialChoices(kAddGCBootstrap, s),
                 s);
    EXPECT_EQ(s.OptAdd, (1 << kOptAddPole) | (1 << kOptAddCircle));
    c = InitialChoices(kAddBestAxis, s);
    c.pole = false;
    c.circle = true;
    StoreChoices({kAddBestAxis, Rad(12), Rad(8), 0, 0, 0}, c, s);
    EXPECT_EQ(s.OptAdd, 1 << kOptAddCircle);
    // Hidden and disabled boxes keep their bits.
    s.OptAdd = (1 << kOptAddCircle) | (1 << kOptAddCone95) | (1 << kOptAddCone99);
    StoreChoices({kAddSC3Points, 0, 0, 0, 0, 0}, {}, s);
    EXPECT_EQ(s.OptAdd, (1 << kOptAddCircle) | (1 << kOptAddCone95) | (1 << kOptAddCone99));
}

TEST(BestFitTexts, BoxesByKind)
{
    const BestFitTexts axis = BestFitDialogTexts({kAddBestAxis, Rad(12.34), kConeLimit, 0, 0, 0});
    EXPECT_EQ(axis.caption, "Best axis");
    EXPECT_EQ(axis.circleBox, "attached cyclo");
    EXPECT_EQ(axis.cone95Box, "95% : >90\xB0");
    EXPECT_FALSE(axis.cone95Enabled);
    EXPECT_EQ(axis.cone99Box, "99% (12.3\xB0)");
    EXPECT_TRUE(axis.cone99Enabled);
    EXPECT_FALSE(axis.twoPartsEnabled);
    // Just below 89.99 degrees a cone is usable.
    EXPECT_TRUE(BestFitDialogTexts({kAddBestAxis, 0, kConeLimit - 1e-12, 0, 0, 0}).cone95Enabled);
    const BestFitTexts boot = BestFitDialogTexts({kAddGCBootstrap, Rad(95), Rad(20), 0, 0, 0});
    EXPECT_TRUE(boot.cone95Enabled && boot.cone99Enabled && boot.twoPartsEnabled);
    EXPECT_EQ(boot.caption, " GC position (bootstrap)");
    const BestFitTexts three = BestFitDialogTexts({kAddSC3Points, 0, 0, 0, 0, 0});
    EXPECT_FALSE(three.circleShown || three.cone95Enabled || three.cone99Enabled);
    EXPECT_TRUE(three.apertureShown);
}

TEST(StValeurAdd, ValueTextsByKind)
{
    const Notation n{1, 2}; // planes dip/dip direction, lines direction/plunge
    InfoAdd axis = Entry(1, 123.4, 56.7);
    EXPECT_EQ(StValeurAdd(axis, n, true), DirToText(true, false, axis.y[0], axis.x[0], n));
    axis.nat = 25;
    EXPECT_EQ(StValeurAdd(axis, n, false), DirToText(false, true, axis.y[0], axis.x[0], n));
    EXPECT_EQ(StValeurAdd(Entry(13, 0, 0, 12.34), n, false), "conf.99% 12.3\xB0");
    EXPECT_EQ(StValeurAdd(Entry(27, 0, 0, 7.24), n, false), "conf.95% 7.2\xB0");
    EXPECT_EQ(StValeurAdd(Entry(3, 0, 0, 20), n, false), "");
    EXPECT_EQ(StValeurAdd(Entry(77, 10, 10), n, false), "");
    EXPECT_EQ(AddLabel(77), "");
    EXPECT_EQ(AddLabel(2), "Best plane");
    EXPECT_EQ(AddLabel(21), "Pole of best plane");
}

TEST(AddValueRecord, AnEntryBecomesAMeasurement)
{
    const Net net{215, 215, 200, true, false};
    const std::int32_t stylePlot = 1 << kInfDrawTrace;
    struct Row {
        int nat;
        const char* nature;
        bool plane;
    };
    for (const Row& r : {Row{1, "L", false}, Row{25, "S", true}, Row{21, "S", true},
                         Row{11, "", false}, Row{16, "L", false}}) {
        InfoAdd e = Entry(r.nat, 200, 30);
        const InfoVal v = AddValueRecord(e, 12, stylePlot, net);
        EXPECT_EQ(v.na, r.nature) << r.nat;
        EXPECT_EQ(TestBit(v.inf, kInfPlane), r.plane) << r.nat;
        EXPECT_TRUE(TestBit(v.inf, kInfPresent));
        EXPECT_TRUE(TestBit(v.inf, kInfDrawTrace));
        EXPECT_EQ(v.co, "add.v 12");
        EXPECT_EQ(v.sy, 9);
        EXPECT_EQ(v.nco, 4);
        EXPECT_TRUE(v.nu.empty() && v.lo.empty());
        EXPECT_EQ((Point{v.p, v.q}), DirToPixel({Rad(200), Rad(30)}, net));
    }
    EXPECT_EQ(AddValueRecord(Entry(1, 0, 0), 12345, 0, net).co, "add.v 123");
}

TEST(BestFitReport, BootstrapPositionsWriteAHeadingAndTwoLines)
{
    const Notation n{0, 2};
    const DayCount now = toDayCount({2026, 12, 9, 14, 5, 0});
    const BestFit gc{kAddGCBootstrap, Rad(12.25), Rad(8.5), 0, Rad(30), Rad(40)};
    const auto lines = BestFitReport(gc, 2000, n, false, now);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "14:05 - Error on great circle (boot strap, 2000 tossings)");
    EXPECT_TRUE(lines[0].bold);
    EXPECT_EQ(lines[1].text,
              "best great circle axis " + DirToText(false, false, gc.plunge, gc.trend, n));
    EXPECT_EQ(lines[2].text, "axis confidence cones 95% and 99%: 8.5\xB0 and 12.2\xB0");
    const BestFit sc{kAddSCBootstrap, Rad(12), Rad(8), Rad(33.33), Rad(30), Rad(40)};
    const auto small = BestFitReport(sc, 500, n, true, now);
    EXPECT_EQ(small[0].text, "14:05 - Error on small circle (boot strap, 500 tossings)");
    EXPECT_EQ(small[1].text, "best small circle : axis "
                                 + DirToText(true, false, sc.plunge, sc.trend, n)
                                 + " aperture 33.3");
    EXPECT_TRUE(BestFitReport({kAddBestAxis, 0, 0, 0, 0, 0}, 10, n, false, now).empty());
}

} // namespace
} // namespace ploq
