// The right dihedra's default levels against the levels worked out by hand from the rule
// min + 0.5 + i (max - min - 1) / (n - 1), the parameters its contour canvas receives, and the
// contour canvas made from a right dihedra canvas, drawn with a density of stub pairs whose
// contours lie where the cones of the stub's axes meet the net, worked out here.

#include "stats3d/DihedraContours.h"

#include "canvas/Plot.h"
#include "platform/RecordingSurface.h"
#include "stats3d/Contours.h"
#include "support/StubDihedra.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ploq {
namespace {

ContourColours Standard()
{
    ContourColours c{};
    for (std::size_t i = 0; i < c.size(); ++i)
        c[i] = rgb(static_cast<int>(10 * i), 0, 0);
    return c;
}

struct DefaultCase {
    int mi, ma, curves;
    std::vector<double> expected;
};

TEST(DihedraDefaultValues, LevelsOfTheRuleInIncreasingOrder)
{
    const DefaultCase cases[] = {
        // 11 / 9 apart from 0.5.
        {0,
         12,
         10,
         {0.5, 1.72222, 2.94444, 4.16667, 5.38889, 6.61111, 7.83333, 9.05556, 10.27778, 11.5}},
        // Fewer than 2 curves means 6: 11 / 5 apart.
        {0, 12, 1, {0.5, 2.7, 4.9, 7.1, 9.3, 11.5}},
        // More than 10 means 10: 8 / 9 apart from 3.5.
        {3,
         12,
         15,
         {3.5, 4.38889, 5.27778, 6.16667, 7.05556, 7.94444, 8.83333, 9.72222, 10.61111, 11.5}},
        // Every node the same, and a spread of one: the single level min + 0.5.
        {0, 0, 10, {0.5}},
        {4, 5, 10, {4.5}},
    };
    for (const DefaultCase& c : cases) {
        ContourDialogState s;
        s.tcoCont = Standard();
        s.filled = false;
        s.blackLine = true;
        s.pas = 6;
        s.levelField = "3.0";
        DihedraDefaultValues(s, c.mi, c.ma, c.curves);
        SCOPED_TRACE(testing::Message() << c.mi << ".." << c.ma << " n " << c.curves);
        ASSERT_EQ(s.levels.count(), static_cast<int>(c.expected.size()));
        for (int i = 0; i < s.levels.count(); ++i) {
            EXPECT_NEAR(s.levels.at(i).z, c.expected[static_cast<std::size_t>(i)], 1e-5);
            EXPECT_EQ(s.levels.at(i).cz, s.tcoCont[static_cast<std::size_t>(i)]);
            if (i > 0) {
                EXPECT_GT(s.levels.at(i).z, s.levels.at(i - 1).z);
            }
            const double z = s.levels.at(i).z;
            EXPECT_GT(std::fabs(z - std::round(z)), 0.01) << "a level on a whole count";
        }
        EXPECT_TRUE(s.filled);
        EXPECT_FALSE(s.blackLine);
        EXPECT_EQ(s.pas, 10);
        EXPECT_EQ(s.levelField, "1.0");
    }
}

TEST(DihedraDefaultValues, GreyScaleGivesTheGreyOfEachRank)
{
    ContourDialogState s;
    s.greyScale = true;
    DihedraDefaultValues(s, 0, 12, 4);
    ASSERT_EQ(s.levels.count(), 4);
    // (i + 1) 80 / 4 percent: 20, 40, 60, 80 %, so round((100 - p) 2.4) = 192, 144, 96, 48.
    const int expected[] = {192, 144, 96, 48};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.levels.at(i).cz, rgb(expected[i], expected[i], expected[i]));
}

TEST(DihedraCurveCount, OutOfRangeBroughtToSixOrTen)
{
    const std::pair<int, int> cases[] = {{-3, 6}, {0, 6},   {1, 6},   {2, 2},
                                         {7, 7},  {10, 10}, {11, 10}, {99, 10}};
    for (const auto& [typed, n] : cases)
        EXPECT_EQ(DihedraCurveCount(typed), n) << typed;
}

TEST(ReadCurveCount, WholeNumbersOnly)
{
    EXPECT_EQ(ReadCurveCount(" 12 "), 12);
    EXPECT_EQ(ReadCurveCount("-1"), -1);
    for (const char* bad : {"", "  ", "4.5", "4x", "x", "1 2"})
        EXPECT_FALSE(ReadCurveCount(bad)) << bad;
}

TEST(DihedraParamsOf, LevelsAsTheyStandRaisedOffWholeCounts)
{
    ContourDialogState s;
    s.levels.add(2.005, clRed);
    s.levels.add(3.5, clBlue);
    s.filled = false;
    s.blackLine = true;
    s.bezierBox = true;
    s.pas = 12;
    const std::optional<ParamContours> p = DihedraParamsOf(s);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->rightDihedra);
    EXPECT_EQ(p->nz, 2);
    EXPECT_DOUBLE_EQ(p->tz[0].z, 2.01);
    EXPECT_DOUBLE_EQ(p->tz[1].z, 3.5);
    EXPECT_EQ(p->tz[1].cz, clBlue);
    EXPECT_EQ(p->tz[2].z, -1);
    // Never multiplied, whatever the data contouring's factor.
    EXPECT_DOUBLE_EQ(LevelCount(p->tz[1].z, *p), 3.5);
    EXPECT_FALSE(p->filled);
    EXPECT_TRUE(p->blackLine);
    EXPECT_TRUE(p->bezier);
    EXPECT_EQ(p->modeC, kContourSegments);
    EXPECT_EQ(p->pas, 12);

    EXPECT_FALSE(DihedraParamsOf(ContourDialogState{}));
}

// --- The contour canvas of a right dihedra canvas ----------------------------------------------

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

using test::StubRecord;

// A right dihedra canvas of three pairs: two whose stub axis is vertical, one whose axis plunges
// 10 degrees to the north. Count 2 or more: the cone of the vertical; 1 or more: that cone with
// the north axis's, which reaches the north rim and, turned over, the south one (its 35 degrees
// of plunge there stay clear of the vertical cone's 45).
CanvasModel DihedraCanvas(const VarGlob& settings)
{
    CanvasModel m(kWPDihedra, settings);
    m.lVal[1] = StubRecord(0, 90, "PN");
    m.lVal[2] = StubRecord(10, 0, "LN");
    m.lVal[3] = StubRecord(0, 90, "PR");
    m.lVal[4] = StubRecord(100, 0, "LR");
    m.lVal[5] = StubRecord(0, 10, "PD");
    m.lVal[6] = StubRecord(90, 0, "LD");
    m.lNT = 6;
    m.mi = 0;
    m.ma = 3;
    return m;
}

constexpr int kRadius = 150;

// On a lower-hemisphere Schmidt net the cone of 45 degrees about the vertical meets the net on
// the circle of radius R sqrt 2 sin(45 / 2 degrees).
const double kVerticalConeRadius = kRadius * std::sqrt(2.0) * std::sin(Rad(22.5));
// The grid of step 10: 21 nodes a side, 2R / 19 pixels apart.
const double kGridStep10 = 2.0 * kRadius / 19;

double FromCentre(Point p, const Net& net)
{
    return std::hypot(p.x - net.xc, p.y - net.yc);
}

VarGlob SchmidtNets()
{
    VarGlob settings;
    SetBit(settings.StyleCnvs, kStyleWulff, false);
    SetBit(settings.StyleCnvs, kStyleLowerHemisphere, true);
    return settings;
}

struct DihedraContourDrawing {
    std::vector<Primitive> lines; // the contours, before the frame drawn over them
    Net net;
};

DihedraContourDrawing Redrawn(CanvasModel& canvas, const VarGlob& settings)
{
    auto& recording = static_cast<RecordingImage*>(canvas.image())->recording();
    recording.clear();
    CanvasPainters painters;
    RegisterDihedraContourDisplay(painters);
    DrawContext ctx = ScreenContext(canvas, settings);
    Redessiner(canvas, ctx, painters);
    DihedraContourDrawing d{{}, canvas.net()};
    for (const Primitive& p : recording.primitives()) {
        if (p.shape == Shape::Ellipse)
            break;
        if (p.shape == Shape::Line || p.shape == Shape::Polyline || p.shape == Shape::Bezier)
            d.lines.push_back(p);
    }
    return d;
}

std::size_t CountOf(const DihedraContourDrawing& d, Shape shape)
{
    return static_cast<std::size_t>(std::count_if(
        d.lines.begin(), d.lines.end(), [shape](const Primitive& p) { return p.shape == shape; }));
}

struct DihedraContourCanvasTest : ::testing::Test {
    DihedraContourCanvasTest()
        : dihedra(DihedraCanvas(settings)), contours(kWPDihedraContours, settings)
    {
        EXPECT_TRUE(contours.SetRayon(kRadius, images));
    }

    // Level 0.5 in red and 1.5 in blue, grid step 10.
    ParamContours params(bool blackLine, bool bezier)
    {
        ContourDialogState s;
        s.levels.add(0.5, clRed);
        s.levels.add(1.5, clBlue);
        s.filled = false;
        s.blackLine = blackLine;
        s.bezierBox = bezier;
        s.pas = 10;
        std::optional<ParamContours> p = DihedraParamsOf(s);
        EXPECT_TRUE(p);
        // A factor the right dihedra never applies: 1.5 times 3 would lie above every node.
        p->funif = 3;
        return *p;
    }

    // The records the stub density was last made over, and how many times it was made.
    int made = 0;
    std::vector<InfoVal> seen;
    test::StubDensityGiven stub{[this](std::span<const InfoVal> records) {
        ++made;
        seen.assign(records.begin(), records.end());
    }};
    VarGlob settings = SchmidtNets();
    RecordingImageFactory images;
    CanvasModel dihedra;
    CanvasModel contours;
};

TEST_F(DihedraContourCanvasTest, KeepsACopyOfTheRecordsAndValues)
{
    KeepDihedraContouring(contours, dihedra, params(false, false));
    EXPECT_EQ(contours.i0, 1);
    EXPECT_EQ(contours.lNT, 6);
    EXPECT_EQ(contours.mi, 0);
    EXPECT_EQ(contours.ma, 3);
    for (std::size_t i = 1; i <= 6; ++i) {
        EXPECT_DOUBLE_EQ(contours.lVal[i].azi, dihedra.lVal[i].azi);
        EXPECT_DOUBLE_EQ(contours.lVal[i].pen, dihedra.lVal[i].pen);
        EXPECT_EQ(contours.lVal[i].na, dihedra.lVal[i].na);
    }
    EXPECT_EQ(contours.tContour.nz, 2);
    EXPECT_TRUE(contours.tContour.rightDihedra);

    // The right dihedra canvas changes (or goes): the contours still count its old pairs.
    dihedra.lVal[1] = StubRecord(0, 0, "PN");
    dihedra.lNT = 0;
    const DihedraContourDrawing d = Redrawn(contours, settings);
    EXPECT_EQ(made, 1);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_DOUBLE_EQ(seen[0].pen, Rad(90));
    EXPECT_DOUBLE_EQ(seen[4].pen, Rad(10));
    EXPECT_FALSE(d.lines.empty());

    // Not contoured yet: nothing but the net.
    contours.i0 = 0;
    EXPECT_TRUE(Redrawn(contours, settings).lines.empty());
    EXPECT_EQ(made, 1);
}

TEST_F(DihedraContourCanvasTest, LevelsAsTheyStandRoundTheConesOfTheAxes)
{
    KeepDihedraContouring(contours, dihedra, params(false, false));
    const DihedraContourDrawing d = Redrawn(contours, settings);
    int red = 0, blue = 0;
    for (const Primitive& p : d.lines) {
        ASSERT_EQ(p.shape, Shape::Line);
        if (p.pen.colour == clBlue) {
            ++blue;
            EXPECT_NEAR(FromCentre(p.points[0], d.net), kVerticalConeRadius, kGridStep10);
        } else {
            ++red;
            EXPECT_EQ(p.pen.colour, clRed);
        }
    }
    // The circle of 81 pixels, some 510 long, in cells of 16: thirty segments and more.
    EXPECT_GT(blue, 25);
    EXPECT_GT(red, 25);
}

TEST_F(DihedraContourCanvasTest, BlackLinesOnTheRimInteriorSegmentsInTheirColour)
{
    KeepDihedraContouring(contours, dihedra, params(true, false));
    const DihedraContourDrawing d = Redrawn(contours, settings);
    int black = 0, coloured = 0;
    for (const Primitive& p : d.lines) {
        ASSERT_EQ(p.shape, Shape::Line);
        if (p.pen.colour == clBlack) {
            ++black;
            // A cell across the rim reaches at most one and a half steps inside it.
            EXPECT_GT(FromCentre(p.points[0], d.net), kRadius - 1.5 * kGridStep10 - 1);
        } else {
            ++coloured;
            EXPECT_TRUE(p.pen.colour == clRed || p.pen.colour == clBlue);
        }
    }
    EXPECT_GT(black, 0) << "the north axis's cone crosses the rim";
    EXPECT_GT(coloured, 0);
}

TEST_F(DihedraContourCanvasTest, SmoothingDrawsClosedChainsAsCurvesOpenOnesAsPolylines)
{
    for (const bool blackLine : {true, false}) {
        SCOPED_TRACE(blackLine);
        KeepDihedraContouring(contours, dihedra, params(blackLine, true));
        const DihedraContourDrawing d = Redrawn(contours, settings);
        EXPECT_EQ(CountOf(d, Shape::Line), 0u);
        // Level 0.5 runs from rim to rim in the north and in the south: two open chains;
        // level 1.5 closes round the vertical.
        ASSERT_EQ(CountOf(d, Shape::Bezier), 1u);
        EXPECT_EQ(CountOf(d, Shape::Polyline), 2u);
        for (const Primitive& p : d.lines) {
            if (p.shape == Shape::Bezier) {
                EXPECT_EQ(p.pen.colour, blackLine ? clBlack : clBlue);
                for (const Point& q : p.points)
                    EXPECT_NEAR(FromCentre(q, d.net), kVerticalConeRadius, kGridStep10);
            } else {
                EXPECT_EQ(p.pen.colour, blackLine ? clBlack : clRed);
                EXPECT_GT(FromCentre(p.points.front(), d.net), kRadius - 2);
                EXPECT_GT(FromCentre(p.points.back(), d.net), kRadius - 2);
            }
        }
    }
}

TEST_F(DihedraContourCanvasTest, NoDensityDrawsNothing)
{
    RightDihedraDensity() = nullptr;
    KeepDihedraContouring(contours, dihedra, params(false, false));
    EXPECT_FALSE(DihedraDensity(contours, contours.net()));
    EXPECT_TRUE(Redrawn(contours, settings).lines.empty());
}

TEST(DihedraLabels, MinAndMax)
{
    EXPECT_EQ(DihedraMinLabel(0), "min = 0");
    EXPECT_EQ(DihedraMaxLabel(12), "max = 12");
}

} // namespace
} // namespace ploq
