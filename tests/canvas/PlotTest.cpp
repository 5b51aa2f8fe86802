#include "canvas/Plot.h"
#include "model/UtilGlob.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

std::int32_t styleOf(bool lower, bool wulff)
{
    std::int32_t style = 0;
    SetBit(style, kStyleLowerHemisphere, lower);
    SetBit(style, kStyleWulff, wulff);
    return style;
}

struct Canvas : ::testing::Test {
    VarGlob settings;
    RecordingImageFactory images;

    CanvasModel make(int radius, bool lower, bool wulff)
    {
        CanvasModel c(kWPOrdinary, settings);
        c.lStyleCnvs = styleOf(lower, wulff);
        EXPECT_TRUE(c.SetRayon(radius, images));
        return c;
    }
};

TEST_F(Canvas, NewImageIsSquareWithTheNetCentred)
{
    const CanvasModel c = make(190, true, false);
    EXPECT_EQ(c.imageSize(), (Size{410, 410}));
    EXPECT_EQ(c.lXc, 205);
    EXPECT_EQ(c.lYc, 205);
    EXPECT_EQ(c.lRc, 190);
}

TEST_F(Canvas, ProjectionOnTheCanvasGeometry)
{
    for (bool lower : {true, false})
        for (bool wulff : {true, false}) {
            const CanvasModel c = make(100, lower, wulff);
            const Net net = c.net();
            EXPECT_EQ(DirToPixel({0, kPi / 2}, net), (Point{115, 115}));
            const int rim = wulff ? 100 : RoundHalfEven(0.999998 * 100);
            EXPECT_EQ(DirToPixel({0, 0}, net), (Point{115, lower ? 115 - rim : 115 + rim}));
            // Azimuth 90, plunge 30: tan 30 = 0.577 of the radius on a Wulff net, 0.707 on a
            // Schmidt net.
            const Point p = DirToPixel({kPi / 2, kPi / 6}, net);
            EXPECT_EQ(p.x - 115, (lower ? 1 : -1) * (wulff ? 58 : 71)) << lower << wulff;
        }
    const CanvasModel lower = make(100, true, true);
    EXPECT_NEAR(lower.DirAt(115, 150)->trend, kPi, 1e-12) << "straight below the centre";
}

TEST_F(Canvas, InverseWithinOnePixel)
{
    for (bool lower : {true, false})
        for (bool wulff : {true, false}) {
            const CanvasModel c = make(150, lower, wulff);
            for (double t = 0; t < 2 * kPi; t += 0.21)
                for (double p = 0; p <= kPi / 2; p += 0.07) {
                    const Point pixel = DirToPixel({t, p}, c.net());
                    // A rim direction may round to a pixel just outside the circle.
                    const std::optional<Direction> back = c.DirAt(pixel.x, pixel.y, 2 * 150 + 1);
                    ASSERT_TRUE(back.has_value()) << t << " " << p;
                    const Point again = DirToPixel(*back, c.net());
                    EXPECT_LE(std::abs(again.x - pixel.x), 1);
                    EXPECT_LE(std::abs(again.y - pixel.y), 1);
                }
        }
}

TEST_F(Canvas, PointsOutsideTheNetHaveNoDirection)
{
    const CanvasModel c = make(100, true, false);
    EXPECT_FALSE(c.DirAt(115 + 101, 115).has_value());
    EXPECT_TRUE(c.DirAt(115 + 100, 115).has_value());
    EXPECT_FALSE(c.DirAt(115 + 71, 115 + 71).has_value());
    EXPECT_TRUE(c.DirAt(115 + 101, 115, 201).has_value()) << "with the rim tolerance";
}

TEST_F(Canvas, RadiusRefusedWithoutChangingTheCanvas)
{
    CanvasModel c = make(100, true, false);
    EXPECT_FALSE(c.SetRayon(19, images));
    RecordingImageFactory small(300 * 300);
    EXPECT_FALSE(c.SetRayon(200, small));
    EXPECT_EQ(c.lRc, 100);
    EXPECT_EQ(c.imageSize(), (Size{230, 230}));
    EXPECT_EQ(RoundHalfEven(20 / 1.1), 18);
    EXPECT_EQ(RoundHalfEven(100 * 1.1), 110);
}

TEST_F(Canvas, RedrawReprojectsRecordsAfterAChangeOfNet)
{
    CanvasModel c = make(100, true, false);
    InfoVal v;
    v.azi = kPi / 2;
    v.pen = kPi / 6;
    v.inf = 1 << kInfPresent;
    c.AddRecord(v);
    InfoVal hidden = v;
    hidden.inf = 0;
    c.AddRecord(hidden);
    RecordingSurface surface;
    int drawn = 0;
    CanvasPainters painters;
    painters.record = [&drawn](CanvasModel&, DrawContext&, InfoVal&) { ++drawn; };

    DrawContext ctx{surface, c.net(), c.lStyleCnvs, c.lStylePlot, settings};
    EXPECT_EQ(Redessiner(c, ctx, painters), std::string(14, ' '));
    EXPECT_EQ(c.lNC, 1);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(c.lVal[1].p, 115 + 71);

    SetBit(c.lStyleCnvs, kStyleWulff, true);
    c.rChanged = true;
    DrawContext wulff{surface, c.net(), c.lStyleCnvs, c.lStylePlot, settings};
    EXPECT_EQ(Redessiner(c, wulff, painters), "N = 1");
    EXPECT_EQ(c.lVal[1].p, 115 + 58);
    EXPECT_FALSE(c.rChanged);
}

TEST(CanvasRules, TitlesByKind)
{
    EXPECT_EQ(CanvasTitle(kWPOrdinary, 2, 5), " Canvas 2");
    EXPECT_EQ(CanvasTitle(kWPRotated, 1, 1), " Rotated canvas 1");
    EXPECT_EQ(CanvasTitle(kWPCounting, 1, 3, " Canvas 1"), "Counting  Canvas 1");
    EXPECT_EQ(CanvasTitle(kWPTestContours, 1, 4), " Test contours 4");
    EXPECT_EQ(CanvasTitle(kWPStats2D, 3, 1), " Stats 2D - 3");
}

TEST(CanvasRules, RestyleKeepsOnlyTheLowBits)
{
    const std::int32_t inf = 1 | 2 | 1 << 8 | 1 << 9 | 1 << 10 | 1 << 12 | 1 << 13;
    EXPECT_EQ(RestyledInf(inf, 1 << 12), 1 | 2 | 1 << 10 | 1 << 12);
}

TEST(CanvasRules, Layout)
{
    // A small image in a tall window: image area, tool bar, then the panel.
    CanvasLayout l = AjusterTaille({230, 230}, {255, 500}, true, false);
    EXPECT_EQ(l.imageAreaHeight, 234);
    EXPECT_EQ(l.toolBarTop, 234);
    EXPECT_EQ(l.infoHeight, 500 - 234 - 21);
    // An image taller than the window scrolls in its area; the panel keeps its least height.
    l = AjusterTaille({800, 800}, {700, 600}, true, false);
    EXPECT_EQ(l.infoHeight, kCanvasLeastPanelHeight);
    EXPECT_EQ(l.imageAreaHeight, 600 - 21 - kCanvasLeastPanelHeight);
    EXPECT_EQ(l.infoTop + l.infoHeight, 600);
    EXPECT_EQ(l.maxWidth, 700);
    // A window too low for both shares its height.
    l = AjusterTaille({800, 800}, {700, 101}, true, false);
    EXPECT_EQ(l.imageAreaHeight + l.infoHeight, 80);
    EXPECT_EQ(l.infoHeight, 40);
    // Showing everything: the window takes the image, the bar and the panel, 700 at most.
    l = AjusterTaille({410, 410}, {100, 100}, true, true);
    EXPECT_EQ(l.windowWidth, 435);
    EXPECT_EQ(l.windowHeight, 410 + 4 + 21 + kCanvasPanelHeight);
    EXPECT_EQ(l.infoHeight, kCanvasPanelHeight);
    l = AjusterTaille({650, 650}, {100, 100}, false, true);
    EXPECT_EQ(l.windowHeight, 700);
    EXPECT_EQ(l.toolBarHeight, 0);
    EXPECT_EQ(l.infoHeight, kCanvasLeastPanelHeight) << "the reports stay in sight";
    for (const int diameter : {600, 1000, 3000}) {
        l = AjusterTaille({diameter, diameter}, {100, 100}, true, true);
        EXPECT_EQ(l.infoHeight, kCanvasLeastPanelHeight) << diameter;
        EXPECT_EQ(l.infoTop + l.infoHeight, l.windowHeight) << diameter;
    }
}

TEST(CanvasRules, DiameterInMillimetres)
{
    const double pixMM = 96 / 25.3;
    EXPECT_EQ(RadiusForDiameter(100, pixMM), RoundHalfEven(100 * pixMM / 2));
    EXPECT_EQ(DiameterShown(190, pixMM), 100);
}

} // namespace
} // namespace ploq
