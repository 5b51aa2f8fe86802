// The Trackdip canvas on a recording surface: the axes placed as written here from the
// definition (depth down from 15 px, log window size over the width less 40 px), the polylines,
// every mark, the symbol and the summit query.

#include "stats3d/TrackdipDraw.h"

#include "canvas/Dessin.h"
#include "canvas/Plot.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr int kRadius = 200;
constexpr int kSide = 2 * (kRadius + 15);

// Two polygones, of five and of three elements; the largest angle overall is element 2.
TrTD Elements()
{
    const auto el = [](int ii, double w, double z, double eDeg, double aDeg) {
        return InfoTD{0, ii, w, z, eDeg * kDegToRad, aDeg * kDegToRad, false};
    };
    return {el(9, 40, 1250, 10, 0),     el(8, 20, 1252, 12, 90), el(7, 10, 1251, 30, 45),
            el(6, 5, 1250, 8, 0),       el(5, 2.5, 1250, 6, 0),  {0, 0, -1, -1, 0, 0, false},
            el(4, 30, 1320, 20, 0),     el(3, 15, 1318, 18, 0),  el(2, 0.6, 1320, 5, 0),
            {0, 0, -1, -1, 0, 0, false}};
}

struct Fixture {
    Fixture()
    {
        EXPECT_TRUE(canvas.SetRayon(kRadius, images));
        canvas.liTD = Elements();
        canvas.lTD = {true, 1200, 1350, 0.4, 60};
        canvas.i0 = static_cast<int>(canvas.liTD.size());
    }
    const std::vector<Primitive>& draw()
    {
        auto& image = static_cast<RecordingImage&>(*canvas.image());
        image.recording().clear();
        DrawContext ctx = ScreenContext(canvas, settings);
        DrawTrackdip(canvas, ctx);
        return image.recording().primitives();
    }
    // Where an element belongs, from the definition: decades 0.1 .. 100 over x 25 .. side - 15,
    // depths 1200 .. 1350 over y 15 .. side - 15.
    static Point expected(double w, double z)
    {
        const double fx = (std::log10(w) + 1) / 3;
        const double fy = (z - 1200) / 150;
        return {25 + static_cast<int>(std::lround(fx * (kSide - 40))),
                15 + static_cast<int>(std::lround(fy * (kSide - 30)))};
    }

    VarGlob settings;
    RecordingImageFactory images;
    CanvasModel canvas{kWPTrackdip, settings};
};

std::vector<const Primitive*> Having(const std::vector<Primitive>& all, Shape shape, TColor colour)
{
    std::vector<const Primitive*> out;
    for (const Primitive& p : all)
        if (p.shape == shape && p.pen.colour == colour)
            out.push_back(&p);
    return out;
}

std::vector<std::string> Texts(const std::vector<Primitive>& all, TColor colour)
{
    std::vector<std::string> out;
    for (const Primitive& p : all)
        if (p.shape == Shape::Text && p.font.colour == colour)
            out.push_back(p.text);
    return out;
}

TEST(TrackdipDraw, AxesDecadesAndPolylines)
{
    Fixture f;
    f.canvas.lOptS3Dadd = 0;
    const std::vector<Primitive>& all = f.draw();
    // Depth range 150: a step of 50, lines at 1200 (black) and 1250 .. 1350 (grey).
    std::vector<int> depthLines;
    for (const Primitive& p : all)
        if (p.shape == Shape::Line && p.points[0].y == p.points[1].y) {
            EXPECT_EQ(p.points[0].x, 25);
            EXPECT_EQ(p.points[1].x, kSide);
            EXPECT_EQ(p.pen.colour, depthLines.empty() ? clBlack : TColor(8421504));
            depthLines.push_back(p.points[0].y);
        }
    ASSERT_EQ(depthLines.size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(depthLines[k], Fixture::expected(1, 1200 + 50 * k).y);
    const std::vector<std::string> labels = Texts(all, clBlack);
    for (const char* t : {"1200", "1250", "1300", "1350", "0.100", "1", "10", "100"})
        EXPECT_NE(std::find(labels.begin(), labels.end(), t), labels.end()) << t;
    // 2..9 times the decades 0.1, 1 and 10 in light grey; the decades grey then black.
    const auto light = Having(all, Shape::Line, 12632256);
    ASSERT_EQ(light.size(), 24u);
    EXPECT_EQ(light[0]->points[0].x, Fixture::expected(0.2, 1200).x);
    EXPECT_EQ(light[0]->points[0].y, 15);
    EXPECT_EQ(light[0]->points[1].y, kSide - 15);
    std::vector<int> decades;
    for (const Primitive& p : all)
        if (p.shape == Shape::Line && p.points[0].x == p.points[1].x
            && p.pen.colour != TColor(12632256)) {
            EXPECT_EQ(p.pen.colour, decades.empty() ? TColor(8421504) : clBlack);
            decades.push_back(p.points[0].x);
        }
    EXPECT_EQ(decades, (std::vector<int>{25, Fixture::expected(1, 0).x, Fixture::expected(10, 0).x,
                                         kSide - 15}));
    // One red polyline of width 2 per polygone, through its elements.
    const auto red = Having(all, Shape::Polyline, 255);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0]->pen.width, 2);
    ASSERT_EQ(red[0]->points.size(), 5u);
    ASSERT_EQ(red[1]->points.size(), 3u);
    EXPECT_EQ(red[0]->points[2], Fixture::expected(10, 1251));
    EXPECT_EQ(red[1]->points[2], Fixture::expected(0.6, 1320));
    // No marks without display bits.
    EXPECT_EQ(all.size(), 4 + 4 + 24 + 4 + 4 + 2u);
}

TEST(TrackdipDraw, NothingBeforeAnAnalysisButALogEndingAtDepthZeroIsDrawn)
{
    Fixture f;
    f.canvas.lTD.analysed = false;
    EXPECT_TRUE(f.draw().empty());
    f.canvas.lTD = {true, -140, 0, 0.4, 60};
    EXPECT_EQ(Having(f.draw(), Shape::Polyline, 255).size(), 2u);
}

TEST(TrackdipDraw, SummitMarksOfEveryType)
{
    struct Case {
        int type;
        Shape shape;
        std::size_t perMark;
    } cases[] = {{1, Shape::Line, 2},      {2, Shape::Line, 2},     {3, Shape::Rectangle, 1},
                 {4, Shape::Rectangle, 1}, {10, Shape::Ellipse, 1}, {11, Shape::Ellipse, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Fixture f;
        f.settings.TDsySum = c.type;
        f.canvas.lOptS3Dadd = 0;
        const std::size_t before = f.draw().size();
        SetBit(f.canvas.lOptS3Dadd, kTDSummits, true);
        const std::vector<Primitive>& all = f.draw();
        EXPECT_EQ(all.size() - before, 8 * c.perMark);
        const Primitive& first = all[before];
        EXPECT_EQ(first.shape, c.shape);
        const Point at = Fixture::expected(40, 1250);
        if (c.shape == Shape::Line) {
            EXPECT_EQ(first.points[0].y, at.y);
            EXPECT_EQ(first.points[0].x, at.x - (c.type == 2 ? 6 : 3));
        } else {
            EXPECT_EQ((first.box.left + first.box.right - 1) / 2, at.x);
            EXPECT_EQ((first.box.top + first.box.bottom - 1) / 2, at.y);
            const TColor fill = c.type == 3 ? clWhite : c.type == 4 ? clBlack : clRed;
            EXPECT_EQ(first.brush.colour, fill);
        }
    }
}

TEST(TrackdipDraw, ClickedSummitsShowTheirNumberOrTheSymbol)
{
    Fixture f;
    f.canvas.liTD[2].ix = 1;
    std::vector<std::string> green = Texts(f.draw(), 32768);
    EXPECT_EQ(green, (std::vector<std::string>{"7"}));
    SetBit(f.canvas.lStyleCnvs, kStyleIndexedGrid, true);
    green = Texts(f.draw(), 32768);
    EXPECT_EQ(green, (std::vector<std::string>{"7 30.0\xB0"}));

    SetBit(f.canvas.lOptS3Dadd, kTDClickSymbol, true);
    const std::vector<Primitive>& all = f.draw();
    EXPECT_TRUE(Texts(all, 32768).empty());
    // The bar along trend 45 (half-length 10) and the tail toward 315 of 30 x 10 / 2 = 150 px.
    const Point at = Fixture::expected(10, 1251);
    const auto black = Having(all, Shape::Line, clBlack);
    ASSERT_GE(black.size(), 2u);
    const Primitive& bar = *black[black.size() - 2];
    const Primitive& tail = *black.back();
    const int d = static_cast<int>(std::lround(10 * std::sqrt(0.5)));
    EXPECT_EQ(bar.points[0], (Point{at.x - d, at.y + d}));
    EXPECT_EQ(bar.points[1], (Point{at.x + d, at.y - d}));
    const int t = static_cast<int>(std::lround(150 * std::sqrt(0.5)));
    EXPECT_EQ(tail.points[0], at);
    EXPECT_EQ(tail.points[1], (Point{at.x - t, at.y - t}));

    // Bit 13: the tail is L sqrt(30); bit 14: L = R / 20, 15 px on a canvas of radius 300.
    SetBit(f.canvas.lOptS3Dadd, kTDSqrtTail, true);
    const Primitive sqrtTail = *Having(f.draw(), Shape::Line, clBlack).back();
    const int s = static_cast<int>(std::lround(10 * std::sqrt(30.0) * std::sqrt(0.5)));
    EXPECT_EQ(sqrtTail.points[1], (Point{at.x - s, at.y - s}));
    ASSERT_TRUE(f.canvas.SetRayon(300, f.images));
    SetBit(f.canvas.lOptS3Dadd, kTDSizeFollows, true);
    const auto bigger = Having(f.draw(), Shape::Line, clBlack);
    const Primitive& bigBar = *bigger[bigger.size() - 2];
    EXPECT_EQ(bigBar.points[1].x - bigBar.points[0].x,
              2 * static_cast<int>(std::lround(15 * std::sqrt(0.5))));
}

TEST(TrackdipDraw, MaximaOfAllPolygonesOrTheLargestOne)
{
    Fixture f;
    f.settings.TDpoly2 = 4;
    SetBit(f.canvas.lOptS3Dadd, kTDMaximum, true);
    // Bit 9 alone: the largest angle of all (30 degrees, element 3), a red disc.
    auto discs = Having(f.draw(), Shape::Ellipse, clRed);
    ASSERT_EQ(discs.size(), 1u);
    const Point top = Fixture::expected(10, 1251);
    EXPECT_EQ((discs[0]->box.left + discs[0]->box.right - 1) / 2, top.x);
    // With bit 10: the maximum of each polygone of more than TDpoly2 = 4 elements: only the
    // first; with TDpoly2 = 2 both.
    SetBit(f.canvas.lOptS3Dadd, kTDAllMaxima, true);
    EXPECT_EQ(Having(f.draw(), Shape::Ellipse, clRed).size(), 1u);
    f.settings.TDpoly2 = 2;
    discs = Having(f.draw(), Shape::Ellipse, clRed);
    ASSERT_EQ(discs.size(), 2u);
    const Point second = Fixture::expected(30, 1320);
    EXPECT_EQ((discs[1]->box.top + discs[1]->box.bottom - 1) / 2, second.y);
    // Bit 12: the Trackdip symbol in purple, width 2, instead of the disc.
    SetBit(f.canvas.lOptS3Dadd, kTDMaxSymbol, true);
    const std::vector<Primitive>& all = f.draw();
    EXPECT_TRUE(Having(all, Shape::Ellipse, clRed).empty());
    const auto purple = Having(all, Shape::Line, 8388736);
    ASSERT_EQ(purple.size(), 4u);
    EXPECT_EQ(purple[0]->pen.width, 2);
}

TEST(TrackdipDraw, AClickWithinFourPixelsFindsTheElement)
{
    Fixture f;
    const Point at = Fixture::expected(10, 1251);
    EXPECT_EQ(TrackdipElementAt(f.canvas, at), std::optional<std::size_t>(2));
    EXPECT_EQ(TrackdipElementAt(f.canvas, {at.x + 4, at.y}), std::optional<std::size_t>(2));
    EXPECT_EQ(TrackdipElementAt(f.canvas, {at.x + 2, at.y - 3}), std::optional<std::size_t>(2));
    EXPECT_FALSE(TrackdipElementAt(f.canvas, {at.x + 3, at.y + 3}));
    EXPECT_FALSE(TrackdipElementAt(f.canvas, {0, 0}));
}

TEST(TrackdipDraw, DepthStepsAndDecades)
{
    EXPECT_EQ(DepthStep(100), 10);
    EXPECT_EQ(DepthStep(100.5), 50);
    EXPECT_EQ(DepthStep(500), 50);
    EXPECT_EQ(DepthStep(1000), 100);
    EXPECT_EQ(DepthStep(1000.1), 200);
    const TrackdipAxes a = TrackdipGeometry({true, 3, 57, 0.004, 2}, {430, 430});
    EXPECT_EQ(a.zTop, 0);
    EXPECT_EQ(a.zBottom, 60);
    EXPECT_EQ(a.firstDecade, 0.001);
    EXPECT_EQ(a.lastDecade, 10);
    const TrackdipAxes b = TrackdipGeometry({true, 0, 20000, 5, 30000}, {430, 430});
    EXPECT_EQ(b.firstDecade, 1);
    EXPECT_EQ(b.lastDecade, 10000);
}

} // namespace
} // namespace ploq
