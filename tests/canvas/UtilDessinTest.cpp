// Symbols, tadpoles, previews, the colour strip and the symbol/colour selection table.

#include "canvas/UtilDessin.h"

#include <gtest/gtest.h>

#include "DrawingProbe.h"
#include <climits>
#include <vector>

namespace ploq {
namespace {

using test::RecordingCanvas;

// How far from its centre a symbol may reach: the fault boxes and tails are the largest, the
// highlight ring the only one beyond.
int ReachOf(int sy)
{
    return sy == kHighlightSymbol ? 11 : sy < 0 ? 13 : 8;
}

TEST(DessinerSymbole, EverySymbolAndTadpoleInEveryColour)
{
    for (int sy : test::EverySymbol()) {
        for (int c = 0; c < kColourCount; ++c) {
            SCOPED_TRACE(::testing::Message() << "symbol " << sy << " colour " << c);
            RecordingCanvas canvas;
            const Point at{260, 150};
            DessinerSymbole(canvas.ctx, sy, c, at.x, at.y);
            const auto& drawn = canvas.surface.primitives();
            ASSERT_FALSE(drawn.empty());
            for (const Primitive& p : drawn)
                EXPECT_EQ(p.pen.colour, canvas.settings.Tco[c]);
            for (Point q : canvas.surface.allPoints())
                EXPECT_LE(std::max(std::abs(q.x - at.x), std::abs(q.y - at.y)), ReachOf(sy));
            EXPECT_EQ(canvas.surface.brush().style, BrushStyle::Clear);
            if (sy < 0) {
                EXPECT_EQ(drawn[0].shape, Shape::Line) << "the tail comes first";
                EXPECT_EQ(drawn[0].points[0], at);
            }
        }
    }
}

TEST(DessinerSymbole, ShapesAtTheirPixels)
{
    RecordingCanvas canvas;
    const auto draw = [&](int sy) {
        canvas.surface.clear();
        DessinerSymbole(canvas.ctx, sy, 2, 100, 50);
        return canvas.surface.primitives();
    };
    const auto five = draw(5);
    ASSERT_EQ(five.size(), 1u);
    EXPECT_EQ(five[0].shape, Shape::Rectangle);
    EXPECT_EQ(five[0].box, (Box{96, 46, 103, 53}));
    EXPECT_EQ(five[0].brush, (Brush{clWhite, BrushStyle::Solid})) << "open: white inside";

    const auto six = draw(6);
    EXPECT_EQ(six[0].brush, (Brush{canvas.settings.Tco[2], BrushStyle::Solid}));

    const auto one = draw(1);
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[0].points, (std::vector<Point>{{97, 49}, {102, 49}}));
    EXPECT_EQ(one[1].points, (std::vector<Point>{{99, 47}, {99, 52}}));

    const auto twenty = draw(20);
    EXPECT_EQ(twenty[0].brush.colour, clBlack);

    const auto triangle = draw(13);
    EXPECT_EQ(triangle[0].points, (std::vector<Point>{{95, 52}, {99, 45}, {103, 52}}));

    const auto thick = draw(103);
    ASSERT_EQ(thick.size(), 3u);
    EXPECT_EQ(thick[2].box, (Box{97, 47, 102, 52}));

    const auto fault = draw(302);
    ASSERT_EQ(fault.size(), 2u);
    EXPECT_EQ(fault[0].brush.colour, rgb(192, 192, 192));
    EXPECT_EQ(fault[1].text, "R");
    EXPECT_EQ(fault[1].points[0], (Point{96, 44}));
    EXPECT_EQ(fault[1].font.pixelHeight, 9);
    EXPECT_EQ(canvas.surface.font().pixelHeight, Font{}.pixelHeight) << "font restored";
}

TEST(DessinerSymbole, NumbersWithoutAShapeDrawNothing)
{
    for (int sy : {0, 17, 19, 24, 100, 112, 199, 201, 300, 308, INT_MIN, INT_MAX, -17}) {
        RecordingCanvas canvas;
        DessinerSymbole(canvas.ctx, sy, 0, 50, 50);
        std::size_t shapes = 0;
        for (const Primitive& p : canvas.surface.primitives())
            shapes += p.shape != Shape::Line || p.points[0] != Point{50, 50};
        EXPECT_EQ(shapes, 0u) << sy;
    }
}

TEST(DessinerSymbole, ColourOutsideTheTableIsBlack)
{
    for (int c : {-1, 17, 1000}) {
        RecordingCanvas canvas;
        DessinerSymbole(canvas.ctx, 6, c, 50, 50);
        EXPECT_EQ(canvas.surface.primitives()[0].pen.colour, clBlack);
        EXPECT_EQ(canvas.surface.primitives()[0].brush.colour, clBlack);
    }
}

TEST(DessinerSymbole, TadpoleTails)
{
    struct Case {
        int sy;
        Point offset; // from the centre of the net
        bool inward;
        Point end; // tail end, from the symbol
    };
    const Case cases[] = {
        {-5, {30, 0}, false, {12, 0}},     {-5, {30, 0}, true, {-12, 0}},
        {-3, {0, -40}, false, {0, -7}}, // above the centre: up, away from it
        {-3, {0, -40}, true, {0, 7}},      {-3, {0, 40}, false, {0, 7}},
        {-6, {-30, -30}, false, {-8, -8}}, // 12 cos 45 = 8.49
        {-6, {-30, -30}, true, {8, 8}},    {-8, {0, 0}, false, {0, -7}},
    };
    for (const Case& k : cases) {
        RecordingCanvas canvas(200, false, true, k.inward ? 1 << kStyleTailInward : 0);
        const Point at{canvas.ctx.net.xc + k.offset.x, canvas.ctx.net.yc + k.offset.y};
        DessinerSymbole(canvas.ctx, k.sy, 1, at.x, at.y);
        const Primitive& tail = canvas.surface.primitives()[0];
        EXPECT_EQ(tail.points[1], (Point{at.x + k.end.x, at.y + k.end.y}))
            << k.sy << " at " << k.offset.x << "," << k.offset.y << (k.inward ? " in" : " out");
    }
}

TEST(DessinerSymbole, OutputVariantScalesAllButTheRingAndTheLetters)
{
    RecordingCanvas canvas;
    canvas.ctx.EnImpression = true;
    canvas.ctx.UnitDessin = 4;
    const int y = canvas.ctx.net.yc; // east of the centre: the tail runs east
    DessinerSymbole(canvas.ctx, -5, 0, 1000, y);
    DessinerSymbole(canvas.ctx, 200, 0, 1000, y);
    DessinerSymbole(canvas.ctx, 301, 0, 1000, y);
    const auto& p = canvas.surface.primitives();
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[0].points[1], (Point{1000 + 48, y})) << "tail of 12 u";
    EXPECT_EQ(p[1].box, (Box{984, y - 16, 1012, y + 12}));
    EXPECT_EQ(p[2].box, (Box{990, y - 10, 1009, y + 9})) << "ring keeps its size";
    EXPECT_EQ(p[3].box, (Box{972, y - 28, 1024, y + 24}));
    EXPECT_EQ(p[4].points[0], (Point{984, y - 24}));
    EXPECT_EQ(p[4].font.pixelHeight, 9);
}

TEST(ApercuSymbole, FilledWhiteWithTheSymbolAtTheCentre)
{
    VarGlob settings;
    RecordingImage image({40, 30});
    ApercuSymbole(image, settings.Tco, -20, 3);
    const auto& p = image.recording().primitives();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].shape, Shape::FillRect);
    EXPECT_EQ(p[0].box, (Box{0, 0, 40, 30}));
    EXPECT_EQ(p[0].brush.colour, clWhite);
    EXPECT_EQ(p[1].points, (std::vector<Point>{{20, 15}, {20, 27}})) << "tail straight down";
    EXPECT_EQ(p[2].brush.colour, settings.Tco[3]) << "20 takes the colour in a preview";
}

TEST(BandeCouleurs, EightCellsAndTheCurrentOneOutlined)
{
    VarGlob settings;
    const Size size = BandeCouleursSize(12);
    EXPECT_EQ(size, (Size{100, 16}));
    RecordingImage image(size);
    BandeCouleurs(image, settings.Tco, 12, 3);
    const auto& p = image.recording().primitives();
    ASSERT_EQ(p.size(), 1u + 8u + 1u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(p[1 + i].box, (Box{2 + i * 12, 2, 3 + (i + 1) * 12, 14}));
        EXPECT_EQ(p[1 + i].brush.colour, settings.Tco[i]);
    }
    EXPECT_EQ(p[9].box, (Box{38, 1, 51, 15}));
    EXPECT_EQ(p[9].pen.width, 3);
}

TEST(BandeCouleurs, ClickChoosesACellAndStaysInTheStrip)
{
    struct Case {
        int x, colour;
    };
    for (const Case& k : {Case{3, 0}, Case{14, 0}, Case{15, 1}, Case{50, 3}, Case{86, 6},
                          Case{87, 7}, Case{99, 7}, Case{150, 7}, Case{2, 0}, Case{-40, 0}})
        EXPECT_EQ(CouleurCliquee(k.x, 12), k.colour) << k.x;
    EXPECT_EQ(CouleurCliquee(10, 0), 0);
}

TEST(SymbolSelection, PairsInsideTheTableOnly)
{
    SymbolSelection tsy;
    tsy.set(-16, 0, true);
    tsy.set(16, 16, true);
    tsy.set(5, 3, true);
    tsy.set(17, 0, true);
    tsy.set(5, 17, true);
    tsy.set(5, -1, true);
    tsy.set(101, 2, true);
    EXPECT_TRUE(tsy.test(-16, 0));
    EXPECT_TRUE(tsy.test(16, 16));
    EXPECT_TRUE(tsy.test(5, 3));
    EXPECT_FALSE(tsy.test(5, 4));
    EXPECT_FALSE(tsy.test(17, 0));
    EXPECT_FALSE(tsy.test(101, 2));
    EXPECT_FALSE(tsy.test(INT_MIN, 0));
    EXPECT_EQ(tsy.word(5), 1 << 3);
    EXPECT_EQ(tsy.countPairs(), 2) << "colours 0..7";
    EXPECT_EQ(tsy.countPairs(16), 3);
    tsy.set(5, 3, false);
    EXPECT_FALSE(tsy.test(5, 3));
    tsy.setWord(2, -1);
    EXPECT_EQ(tsy.word(2), (1 << kColourCount) - 1);
    tsy.clear();
    EXPECT_EQ(tsy, SymbolSelection{});
}

TEST(SymbolSelection, DisplayMaskOfTheWorkingSet)
{
    std::vector<InfoVal> values(4);
    values[0].sy = 6;
    values[0].nco = 2;
    values[1].sy = -3;
    values[1].nco = 12;
    values[2].sy = 6;
    values[2].nco = 5; // not displayed
    values[3].sy = 301;
    values[3].nco = 1;
    for (int i : {0, 1, 3})
        values[static_cast<std::size_t>(i)].inf = 1 << kInfPresent;
    const SymbolSelection present = PresentPairs(values);
    EXPECT_TRUE(present.shows(values[0]));
    EXPECT_TRUE(present.shows(values[1]));
    EXPECT_FALSE(present.shows(values[2]));
    EXPECT_FALSE(present.shows(values[3])) << "a fault symbol has no entry";
    EXPECT_EQ(present.countPairs(), 1);
}

} // namespace
} // namespace ploq
