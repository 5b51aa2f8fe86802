#include "faults/FaultDraw.h"

#include "app/VarGlob.h"
#include "faults/FaultDisplays.h"
#include "model/UtilGlob.h"
#include "platform/RecordingSurface.h"
#include "stats2d/Stats2DDraw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double length(Point a, Point b)
{
    return std::hypot(double(b.x - a.x), double(b.y - a.y));
}

// The angle between the rays from `at` to a and to b, degrees.
double angleAt(Point at, Point a, Point b)
{
    const double ax = a.x - at.x, ay = a.y - at.y, bx = b.x - at.x, by = b.y - at.y;
    return std::acos((ax * bx + ay * by) / (std::hypot(ax, ay) * std::hypot(bx, by))) * 180 / kPi;
}

// How far p lies off the line through the centre and `at`, pixels.
double offLine(Point centre, Point at, Point p)
{
    const double ux = at.x - centre.x, uy = at.y - centre.y;
    return std::fabs(ux * (p.y - centre.y) - uy * (p.x - centre.x)) / std::hypot(ux, uy);
}

TEST(MovementArrows, SixteenPixelsOnTheCentreLineWithTwoStrokesAtTenDegrees)
{
    const Point centre{200, 200};
    for (int k = 0; k < 24; ++k) {
        const double t = k * 15 * kPi / 180 + 0.1;
        const double r = 40 + 6 * k;
        const Point at{static_cast<int>(std::lround(200 + r * std::sin(t))),
                       static_cast<int>(std::lround(200 - r * std::cos(t)))};
        for (const int arrow : {0, 1}) {
            SCOPED_TRACE(std::to_string(k) + " arrow " + std::to_string(arrow));
            const std::optional<ArrowShape> shape = MovementArrowShape(at, centre, arrow);
            ASSERT_TRUE(shape);
            // Pixels are whole: each end is within half a pixel of its place on either axis.
            EXPECT_NEAR(length(at, shape->tip), 16, 0.75);
            EXPECT_LT(offLine(centre, at, shape->tip), 0.75);
            const double fromCentre = length(centre, shape->tip) - length(centre, at);
            EXPECT_NEAR(fromCentre, arrow == 1 ? 16 : -16, 0.75);
            for (const Point stroke : {shape->stroke1, shape->stroke2}) {
                EXPECT_NEAR(length(shape->tip, stroke), 11, 0.75);
                // Back along the shaft, 10° off it (a pixel's rounding turns it by up to 4°).
                EXPECT_NEAR(angleAt(shape->tip, stroke, at), 10, 4);
            }
            // One stroke on each side of the shaft.
            const auto side = [&](Point p) {
                return (shape->tip.x - at.x) * (p.y - at.y) - (shape->tip.y - at.y) * (p.x - at.x);
            };
            EXPECT_LT(side(shape->stroke1) * side(shape->stroke2), 0);
        }
    }
    // Printing scales the lengths.
    const std::optional<ArrowShape> printed = MovementArrowShape({300, 200}, centre, 1, 4);
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->tip, (Point{364, 200}));
}

TEST(MovementArrows, NoArrowWithoutACodeOrADirection)
{
    EXPECT_FALSE(MovementArrowShape({250, 200}, {200, 200}, kNoArrow));
    // A vertical striae projects on the centre: it has no way out.
    EXPECT_FALSE(MovementArrowShape({200, 200}, {200, 200}, 1));
    EXPECT_FALSE(MovementArrowShape({200, 200}, {200, 200}, 0));
}

InfoVal shownRecord(double trend, double plunge, const char* nature, bool plane)
{
    InfoVal v;
    v.azi = trend;
    v.pen = plunge;
    v.na = nature;
    SetBit(v.inf, kInfPresent, true);
    SetBit(v.inf, kInfPlane, plane);
    SetBit(v.inf, kInfDrawTrace, plane); // planes as traces: only the striae draw symbols
    v.nco = 3;
    v.sy = 5;
    return v;
}

struct FaultCanvas : ::testing::Test {
    VarGlob settings;
    RecordingImageFactory images;
    CanvasPainters painters;

    FaultCanvas() { RegisterFaultDisplays(painters); }

    // Pairs of the senses on a net of radius 150: faults dipping 50° towards 30° k, their
    // striae at 40° + 25° k from the strike, and a last one vertical.
    CanvasModel make(int kind, const std::vector<const char*>& senses)
    {
        CanvasModel c(kind, settings);
        EXPECT_TRUE(c.SetRayon(150, images));
        int k = 0;
        for (const char* sense : senses) {
            const double dipDir = 30.0 * k * kPi / 180;
            const InfoVal plane =
                shownRecord(std::fmod(dipDir + kPi, 2 * kPi), 40 * kPi / 180, sense, true);
            c.AddRecord(plane);
            const double a = (40 + 25 * k) * kPi / 180;
            const Direction line =
                k == 6 ? Direction{0, kPi / 2} : PitchToLine(a, 50 * kPi / 180, dipDir - kPi / 2);
            c.AddRecord(shownRecord(line.trend, line.plunge, "L", false));
            ++k;
        }
        const std::span<InfoVal> records(c.lVal.data() + 1, static_cast<std::size_t>(c.lNT));
        if (kind == kWPHangingWall)
            MarkHangingWall(records);
        else
            MarkStriaeRakes(records);
        c.rChanged = true;
        return c;
    }

    RecordingSurface& draw(CanvasModel& c, std::string& label)
    {
        auto& recording = static_cast<RecordingImage*>(c.image())->recording();
        recording.clear();
        DrawContext ctx = ScreenContext(c, settings);
        label = Redessiner(c, ctx, painters);
        return recording;
    }
};

TEST_F(FaultCanvas, RakeViewDrawsOneMovementSymbolPerPairBySense)
{
    CanvasModel c = make(kWPStriaeRakes, {"FN..", "FR..", "FD..", "FS..", "FI..", "F", "FN.."});
    std::string label;
    const RecordingSurface& s = draw(c, label);
    EXPECT_EQ(label, "7 F");
    EXPECT_EQ(c.lNC, 14);
    std::map<std::string, int> letters;
    for (const Primitive& p : s.primitives())
        if (p.shape == Shape::Text)
            ++letters[p.text];
    // The unknown pair keeps its square; the others show their letter once.
    EXPECT_EQ(letters, (std::map<std::string, int>{{"N", 2}, {"R", 2}, {"D", 1}, {"S", 1}}));
    // The fault planes as their traces.
    EXPECT_GE(s.count(Shape::Polyline) + s.count(Shape::Line) + s.count(Shape::Arc), 7u);
}

TEST_F(FaultCanvas, HangingWallViewDrawsEachArrowOnItsStriae)
{
    settings.ColMvtF = 4;
    CanvasModel c = make(kWPHangingWall, {"FN..", "FR..", "FD..", "FS..", "F", "FD..", "FN.."});
    std::string label;
    const RecordingSurface& s = draw(c, label);
    EXPECT_EQ(label, "7 F");
    const Point centre{c.lXc, c.lYc};
    const TColor arrowColour = settings.Tco[4];
    int arrows = 0;
    int filledCircles = 0;
    for (const Primitive& p : s.primitives()) {
        if (p.shape == Shape::Ellipse) {
            ++filledCircles;
            EXPECT_EQ(p.pen.colour, arrowColour);
        }
        if (p.shape != Shape::Line || p.pen.colour != arrowColour)
            continue;
        // Shafts start on a striae.
        for (int i = 2; i <= c.lNT; i += 2) {
            const InfoVal& v = c.lVal[static_cast<std::size_t>(i)];
            if (p.points.front() != Point{v.p, v.q})
                continue;
            ++arrows;
            EXPECT_NE(v.aux, kNoArrow);
            const double outward =
                length(centre, p.points.back()) - length(centre, p.points.front());
            EXPECT_NEAR(outward, v.aux == 1 ? 16 : -16, 0.75) << i;
        }
    }
    // Seven striae as symbol 8; the unknown pair and the vertical striae have no arrow.
    EXPECT_EQ(filledCircles, 7);
    EXPECT_EQ(arrows, 5);
    EXPECT_EQ(c.lVal[14].p, c.lXc); // the vertical one is at the centre
    EXPECT_EQ(c.lVal[14].aux, 1);

    // With bit 16 the striae keep their own colour.
    SetBit(settings.StyleFlt, kFltArrowFaultColour, true);
    const RecordingSurface& own = draw(c, label);
    for (const Primitive& p : own.primitives()) {
        if (p.shape == Shape::Ellipse) {
            EXPECT_EQ(p.pen.colour, settings.Tco[3]);
        }
    }
}

TEST(FaultHistogramDrawing, OneBarPerNonEmptyClassInsideTheAxes)
{
    VarGlob settings;
    RecordingImageFactory images;
    CanvasPainters painters;
    RegisterFaultDisplays(painters);
    RegisterStats2DDisplay(painters);
    for (const int type : {kDiagramFaultStrikes, kDiagramFaultDips, kDiagramFaultRakes}) {
        SCOPED_TRACE(type);
        CanvasModel c(kWPStats2D, settings);
        ASSERT_TRUE(c.SetRayon(150, images));
        const std::optional<FaultHistogramShape> shape = FaultHistogramOf(type);
        ASSERT_TRUE(shape);
        InfoStats2D info;
        info.natM = kVectors360;
        info.wCl = shape->width;
        info.nCl = shape->classes;
        int nonEmpty = 0;
        for (int j = 1; j <= info.nCl; ++j) {
            const int count = j % 3 == 0 ? 0 : (j * 7) % 11; // zeros among the others
            info.vCl[static_cast<std::size_t>(j)] = count;
            nonEmpty += count > 0;
            info.nCM = std::max(info.nCM, count);
        }
        info.vCl[static_cast<std::size_t>(info.nCl)] = 5; // the last class reaches the end
        (*c.lTinfo2D)[0] = info;
        c.i0 = type;
        c.i1 = 1;
        c.lNT = 40;
        auto& recording = static_cast<RecordingImage*>(c.image())->recording();
        DrawContext ctx = ScreenContext(c, settings);
        EXPECT_EQ(Redessiner(c, ctx, painters), sformat("N = 40, max = %d", info.nCM));
        const int x0 = c.lXc - c.lRc + 20;
        const int xEnd = c.lXc + c.lRc;
        const int y0 = c.lYc + RoundHalfEven(c.lRc / 1.2);
        const int top = c.lYc - RoundHalfEven(c.lRc / 1.5);
        int bars = 0;
        int rightmost = 0;
        for (const Primitive& p : recording.primitives()) {
            if (p.shape != Shape::Rectangle)
                continue;
            ++bars;
            EXPECT_GE(p.box.left, x0);
            EXPECT_LE(p.box.right, xEnd + 1);
            EXPECT_GE(p.box.top, top);
            EXPECT_LE(p.box.bottom, y0 + 1);
            rightmost = std::max(rightmost, p.box.right);
        }
        EXPECT_EQ(bars, nonEmpty + (info.nCl % 3 == 0 ? 1 : 0));
        // The classes fill the axis: the last one ends on its end.
        EXPECT_EQ(rightmost, xEnd + 1);
        // The rake axis is labelled from -180.
        bool minus180 = false;
        for (const Primitive& p : recording.primitives())
            minus180 = minus180 || (p.shape == Shape::Text && p.text == "-180");
        EXPECT_EQ(minus180, type == kDiagramFaultRakes);
    }
}

} // namespace
} // namespace ploq
