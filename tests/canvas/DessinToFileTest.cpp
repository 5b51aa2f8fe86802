#include "canvas/DessinToFile.h"

#include "canvas/DlgTailleCnvs.h"
#include "canvas/UtilPlot.h"
#include "platform/RecordingSurface.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include "DrawingProbe.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace ploq {
namespace {

VarGlob schmidtPoles()
{
    VarGlob s;
    SetBit(s.StyleCnvs, kStyleWulff, false);
    s.StylePlot = 1 << kInfDrawPole;
    return s;
}

// The sampled points of every primitive but texts.
std::vector<test::RealPoint> drawnPoints(const RecordingSurface& surface)
{
    std::vector<test::RealPoint> all;
    for (const Primitive& p : surface.primitives()) {
        const auto sampled = test::Sampled(p);
        all.insert(all.end(), sampled.begin(), sampled.end());
        if (p.shape == Shape::Rectangle || p.shape == Shape::FillRect)
            all.insert(all.end(), {{double(p.box.left), double(p.box.top)},
                                   {p.box.right - 1.0, p.box.bottom - 1.0}});
    }
    return all;
}

// A Schmidt canvas of radius 190 with a line, a plane drawn as its pole and a tadpole line.
struct OutputCanvas : ::testing::Test {
    OutputCanvas()
    {
        canvas.SetRayon(190, images);
        add("L1", 0.5, 0.6, 6, 2);
        add("S0", 2.0, 1.1, 10, 1);
        add("L2", 4.0, 0.2, -3, 4);
        canvas.lsy = {"-3.4.L2", "10.1.S0", "6.2.L1"};
    }
    void add(const char* nature, double azi, double pen, int sy, int co)
    {
        InfoVal v;
        v.na = nature;
        v.azi = azi;
        v.pen = pen;
        AjoutVal(canvas, v, sy, co);
    }

    VarGlob settings = schmidtPoles();
    RecordingImageFactory images;
    CanvasModel canvas{kWPOrdinary, settings};
    RecordingSurface out;
};

TEST(Diameter, ProposedFromTheCanvasAndTurnedIntoARadius)
{
    VarGlob settings;
    CanvasModel canvas(kWPOrdinary, settings);
    canvas.lRc = 152;
    test::ScriptedPrompts prompts;
    prompts.expectNumber("Canvas diameter (mm)", 80);
    const std::optional<DiameterChoice> same = DemanderDiametre(prompts, &canvas, 3.8);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->radius, 152);
    const NumberQuestion& asked = prompts.numberQuestions().at(0);
    EXPECT_EQ(asked.caption, "Save Plot");
    EXPECT_EQ(asked.value, 80) << "2 * 152 / 3.8";
    EXPECT_EQ((std::array{asked.minimum, asked.maximum, asked.step}), (std::array{30, 300, 5}));
    EXPECT_TRUE(asked.option.empty()) << "printing asks no frame";

    prompts.expectNumber("diameter", 30);
    EXPECT_EQ(DemanderDiametre(prompts, &canvas, 1.0)->radius, 20) << "15 raised to the minimum";

    prompts.expectNumber("diameter", 120, 0);
    const auto framed = DemanderDiametre(prompts, &canvas, 3.8, true);
    EXPECT_EQ(prompts.numberQuestions().back().option, kFramedOption);
    EXPECT_TRUE(prompts.numberQuestions().back().optionChecked);
    EXPECT_EQ(framed->radius, 228);
    EXPECT_FALSE(framed->framed) << "the tick taken off";

    prompts.expectNumber("diameter", std::nullopt);
    EXPECT_FALSE(DemanderDiametre(prompts, &canvas, 3.8));
    EXPECT_FALSE(DemanderDiametre(prompts, nullptr, 3.8)) << "no canvas: nothing asked";
}

TEST(PrintedPage, CircleKeepsItsMillimetresTwentyBelowThePageTop)
{
    const double pixMM = 96 / 25.3;
    const int radius = RadiusForDiameter(80, pixMM);
    for (const double dpi : {600.0, 300.0, 96.0, 72.0}) {
        const double perMM = dpi / 25.4;
        const int pageWidth = static_cast<int>(210 * perMM);
        const OutputPlacement p = PrintPlacement(radius, pixMM, dpi, pageWidth);
        EXPECT_NEAR(p.radius / perMM, radius / pixMM, 0.5 / perMM) << dpi;
        EXPECT_NEAR((p.yc - p.radius) / perMM, 20, 0.5 / perMM) << dpi;
        EXPECT_EQ(p.xc, pageWidth / 2);
        EXPECT_TRUE(p.EnImpression);
        // Printer pixels per screen pixel, whole, and one at least on a coarse printer.
        EXPECT_EQ(p.UnitDessin, std::max(1.0, std::floor(perMM / pixMM))) << dpi;
        EXPECT_GE(p.UnitDessin, 1);
    }
}

TEST_F(OutputCanvas, PictureIsTheChosenRadiusWithItsMarginWhateverTheScreenCanvas)
{
    // 150 mm on a canvas of 190 pixels: radius 285, a picture of 600 pixels.
    const int radius = RadiusForDiameter(150, settings.PixMM);
    ASSERT_EQ(radius, 285);
    const PictureLayout bare = PictureLayoutFor(canvas, radius, false, settings);
    EXPECT_EQ(bare.size, (Size{600, 600}));
    EXPECT_EQ(bare.placement, (OutputPlacement{300, 300, 285, 1, false}));
    EXPECT_TRUE(bare.legend.empty());

    // Every plane as its trace too, with the graduations: all inside the picture.
    for (int i = 1; i <= 3; ++i)
        SetBit(canvas.lVal[i].inf, kInfDrawTrace, true);
    SetBit(canvas.lStyleCnvs, kStyleGraduations, true);
    ASSERT_TRUE(DessinerImage(canvas, out, bare, settings));
    for (const test::RealPoint p : drawnPoints(out)) {
        EXPECT_GE(std::min(p.x, p.y), 0);
        EXPECT_LE(std::max(p.x, p.y), 599);
    }
    const Primitive& ground = out.primitives().front();
    EXPECT_EQ(ground.shape, Shape::FillRect);
    EXPECT_EQ(ground.box, (Box{0, 0, 600, 600}));
}

TEST_F(OutputCanvas, FramedPictureHoldsTheFrameTextsAndTheLegend)
{
    const PictureLayout layout = PictureLayoutFor(canvas, 152, true, settings);
    EXPECT_TRUE(layout.placement.EnImpression);
    EXPECT_EQ(layout.size.width, 2 * 152 + 30);
    EXPECT_EQ(layout.legend.size(), 3u);
    ASSERT_TRUE(DessinerImage(canvas, out, layout, settings));
    std::vector<std::string> texts;
    std::vector<test::RealPoint> reached = drawnPoints(out);
    for (const Primitive& p : out.primitives()) {
        if (p.shape != Shape::Text)
            continue;
        texts.push_back(p.text);
        out.setFont(p.font);
        const Size extent = out.textExtent(p.text);
        reached.push_back({double(p.points[0].x), double(p.points[0].y)});
        reached.push_back(
            {double(p.points[0].x + extent.width), double(p.points[0].y + extent.height)});
    }
    for (const test::RealPoint c : reached) {
        EXPECT_GE(std::min(c.x, c.y), 0);
        EXPECT_LE(c.x, layout.size.width);
        EXPECT_LE(c.y, layout.size.height);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"N", "N = 3", " S/inf ", "L2", "S0", "L1"}));
    EXPECT_GT(layout.size.height, layout.size.width) << "grown downward";

    canvas.lsy.clear();
    EXPECT_LT(PictureLayoutFor(canvas, 152, true, settings).size.height, layout.size.height);
}

TEST_F(OutputCanvas, OutputProjectsForItselfAndLeavesTheCanvasAsItWas)
{
    const std::vector<InfoVal> before(canvas.lVal.begin() + 1, canvas.lVal.begin() + 4);
    canvas.rChanged = false;
    const OutputPlacement page = PrintPlacement(190, settings.PixMM, 600, 4960);
    ASSERT_TRUE(DessinerSortie(canvas, out, page, settings));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(canvas.lVal[i].p, before[i - 1].p);
        EXPECT_EQ(canvas.lVal[i].q, before[i - 1].q);
    }
    EXPECT_FALSE(canvas.rChanged);
    EXPECT_EQ(canvas.lNC, 3);
    EXPECT_EQ(canvas.lXc, 205);

    // Symbol 6 of the first record, scaled by the unit, where the page's net puts the line.
    const Net net = Net::FromStyle(page.xc, page.yc, page.radius, canvas.lStyleCnvs);
    const Point at = DirToPixel({0.5, 0.6}, net);
    const int u = static_cast<int>(page.UnitDessin);
    const Box square{at.x - 4 * u, at.y - 4 * u, at.x + 3 * u, at.y + 3 * u};
    EXPECT_TRUE(std::any_of(out.primitives().begin(), out.primitives().end(),
                            [&](const Primitive& p) { return p.box == square; }));
}

TEST_F(OutputCanvas, CoarsePrinterKeepsSymbolsAndTextsReadable)
{
    // 96 dpi is no finer than the screen: one printer pixel per screen pixel, not none.
    const OutputPlacement page = PrintPlacement(190, settings.PixMM, 96, 794);
    ASSERT_TRUE(DessinerSortie(canvas, out, page, settings));
    const Net net = Net::FromStyle(page.xc, page.yc, page.radius, canvas.lStyleCnvs);
    const Point at = DirToPixel({0.5, 0.6}, net);
    const Box square{at.x - 4, at.y - 4, at.x + 3, at.y + 3};
    EXPECT_TRUE(std::any_of(out.primitives().begin(), out.primitives().end(),
                            [&](const Primitive& p) { return p.box == square; }));
    for (const Primitive& p : out.primitives()) {
        if (p.shape == Shape::Text) {
            EXPECT_GE(p.font.pixelHeight, 7) << p.text;
        }
    }
}

TEST_F(OutputCanvas, RedrawFailingPartWayIsToldAndTheCanvasKept)
{
    CanvasPainters failing = CanvasPainters::Registered();
    int drawn = 0;
    failing.record = [&drawn](CanvasModel&, DrawContext&, InfoVal&) {
        if (++drawn == 2)
            throw std::runtime_error("out of memory");
    };
    const Point first{canvas.lVal[1].p, canvas.lVal[1].q};
    canvas.rChanged = false;
    const PictureLayout layout = PictureLayoutFor(canvas, 300, true, settings);
    EXPECT_FALSE(DessinerImage(canvas, out, layout, settings, failing));
    EXPECT_EQ((Point{canvas.lVal[1].p, canvas.lVal[1].q}), first);
    EXPECT_EQ(canvas.lNC, 3);
    EXPECT_FALSE(canvas.rChanged);
}

TEST(PictureFiles, TypeFromTheNameOrTheChosenFilter)
{
    struct Case {
        const char* chosen;
        int filter;
        const char* path;
        PictureType type;
    };
    const Case cases[] = {
        {"/d/fig", 0, "/d/fig.svg", PictureType::Svg},
        {"/d/fig", 1, "/d/fig.pdf", PictureType::Pdf},
        {"/d/fig", 2, "/d/fig.png", PictureType::Png},
        {"/d/fig.PNG", 0, "/d/fig.PNG", PictureType::Png},
        {"/d/fig.pdf", 2, "/d/fig.pdf", PictureType::Pdf},
        {"/d/fig.v2", 0, "/d/fig.v2.svg", PictureType::Svg},
        {"/d/.svg", 1, "/d/.svg.pdf", PictureType::Pdf},
    };
    for (const Case& c : cases) {
        const PicturePath p = PicturePathFor(c.chosen, c.filter);
        EXPECT_EQ(p.path, c.path) << c.chosen;
        EXPECT_EQ(p.type, c.type) << c.chosen;
    }
    EXPECT_EQ(PictureFileTypes().front().pattern, "*.svg");
}

} // namespace
} // namespace ploq
