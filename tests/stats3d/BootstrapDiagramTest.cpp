#include "stats3d/BootstrapDiagram.h"

#include "app/VarGlob.h"
#include "platform/RecordingSurface.h"
#include "stats3d/Bootstrap.h"
#include "stats3d/Stats3DDiagrams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace ploq {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

TEST(ScaleStep, FollowsTheHalfRange)
{
    const std::pair<int, int> cases[] = {{1, 2},   {10, 2},  {11, 5},  {20, 5},  {30, 5},
                                         {31, 10}, {60, 10}, {61, 20}, {90, 20}, {91, 30}};
    for (const auto& [half, step] : cases)
        EXPECT_EQ(ScaleStep(half), step) << half;
    const DiagramScale whole = TrendScale(123, 180);
    EXPECT_EQ(whole.low, 0);
    EXPECT_EQ(whole.high, 360);
    EXPECT_EQ(whole.step, 30);
    const DiagramScale twenty = TrendScale(123, 20);
    EXPECT_EQ(twenty.low, 103);
    EXPECT_EQ(twenty.high, 143);
    EXPECT_EQ(twenty.step, 5);
    EXPECT_EQ(PlungeScale(10, 40).low, -30);
    EXPECT_EQ(PlungeScale(10, 40).step, 10);
}

TEST(NearerEnd, UnwrapsTrendAndTakesTheNearerEndOfTheAxis)
{
    struct Case {
        double trend, plunge, refTrend, refPlunge;
        bool whole;
        double wantTrend, wantPlunge;
    };
    const Case cases[] = {
        {359, 10, 2, 12, false, -1, 10},  // across north, beside the reference
        {2, 10, 359, 12, false, 362, 10}, // and the other way
        {268, 3, 90, 0, false, 88, -3},   // across the primitive: the upper end
        {92, 4, 90, 0, false, 92, 4},
        {268, 3, 90, 0, true, 88, -3}, // the whole scale keeps 0..360
        {359, 10, 2, 12, true, 359, 10},
    };
    for (const Case& c : cases) {
        const DiagramPoint p = NearerEnd({c.trend * kDeg, c.plunge * kDeg},
                                         {c.refTrend * kDeg, c.refPlunge * kDeg}, c.whole);
        EXPECT_NEAR(p.trendDeg, c.wantTrend, 1e-9) << c.trend << "/" << c.plunge;
        EXPECT_NEAR(p.plungeDeg, c.wantPlunge, 1e-9) << c.trend << "/" << c.plunge;
    }
}

TEST(RankColour, ThresholdsOfTheRanks)
{
    // m = 100: magenta below 67, 8421376 below 95, green below 99, then 65535.
    const std::pair<int, TColor> cases[] = {{1, 16711935}, {66, 16711935}, {67, 8421376},
                                            {94, 8421376}, {95, 65280},    {98, 65280},
                                            {99, 65535},   {100, 65535}};
    for (const auto& [rank, colour] : cases)
        EXPECT_EQ(RankColour(rank, 100), colour) << rank;
}

VkiRecords Spread(const Direction& reference, int count, double stepDeg)
{
    VkiRecords r;
    r.reference = reference;
    r.records.push_back(reference);
    for (int i = 1; i <= count; ++i)
        r.records.push_back({reference.trend + (i % 7 - 3) * stepDeg * kDeg,
                             std::fabs(reference.plunge + (i % 5 - 2) * stepDeg * kDeg)});
    return r;
}

struct Drawn {
    RecordingSurface surface;
    VarGlob settings;
    Net net{115, 115, 100, true, false};
    DrawContext ctx{surface, net, 0, 0, settings};
};

bool Inside(const Box& inner, const Box& outer)
{
    return inner.left >= outer.left && inner.right <= outer.right + 1 && inner.top >= outer.top
           && inner.bottom <= outer.bottom + 1;
}

TEST(BootstrapDiagram, FrameScalesSquaresAndReference)
{
    for (const int amBS : {180, 20}) {
        Drawn d;
        const VkiRecords read = Spread({100 * kDeg, 40 * kDeg}, 50, 2);
        const BootstrapPlot plot = PlotBootstrap(read, 50, d.net, amBS, 40);
        DrawBootstrapDiagram(d.ctx, plot);
        const Box frame{30, 35, 215, 115 + 85};
        EXPECT_EQ(plot.frame, frame);
        const auto& p = d.surface.primitives();
        ASSERT_FALSE(p.empty());
        EXPECT_EQ(p.front().shape, Shape::Rectangle);
        EXPECT_EQ(p.front().box, frame);
        std::vector<std::string> labels;
        int squares = 0;
        for (const Primitive& q : p) {
            if (q.shape == Shape::Text)
                labels.push_back(q.text);
            if (q.shape == Shape::FillRect) {
                ++squares;
                EXPECT_EQ(q.box.right - q.box.left, 7);
                EXPECT_TRUE(Inside(q.box, frame)) << q.box.left << "," << q.box.top;
            }
        }
        EXPECT_EQ(squares, static_cast<int>(plot.squares.size()));
        const auto has = [&labels](const std::string& s) {
            return std::find(labels.begin(), labels.end(), s) != labels.end();
        };
        if (amBS == 180) {
            for (const char* t : {"0", "30", "90", "180", "330"})
                EXPECT_TRUE(has(t)) << t;
            EXPECT_FALSE(has("85"));
        } else {
            // 100 plus or minus 20 by 5.
            for (const char* t : {"80", "85", "100", "115", "120"})
                EXPECT_TRUE(has(t)) << t;
            EXPECT_FALSE(has("75"));
            EXPECT_FALSE(has("125"));
        }
        // Plunge scale 0..80 by 10, the reference's values at the axes.
        EXPECT_TRUE(has("0") && has("40") && has("80"));
        EXPECT_TRUE(has("100.0"));
        EXPECT_TRUE(has("40.0"));
        // All 50 fits lie within a few degrees: every one is drawn on both scales.
        EXPECT_EQ(squares, 50);
        EXPECT_EQ(BootstrapDiagramLabel(plot, 50), "n = 50/50");
    }
}

TEST(BootstrapDiagram, RecordsOffTheFrameAreLeftOutAndCounted)
{
    Drawn d;
    VkiRecords read = Spread({200 * kDeg, 30 * kDeg}, 10, 1);
    read.records[3] = {20 * kDeg, 85 * kDeg};  // far off, steep
    read.records[4] = {260 * kDeg, 30 * kDeg}; // 60 degrees off in trend
    read.records[5] = {1e300, -1e300};         // garbled
    const BootstrapPlot plot = PlotBootstrap(read, 10, d.net, 20, 20);
    EXPECT_EQ(plot.squares.size(), 7u);
    EXPECT_EQ(BootstrapDiagramLabel(plot, 10), "n = 7/10");
}

// A small-circle run with failures ranks its squares among its V valid fits, as its cones do.
TEST(BootstrapDiagram, SmallCircleRanksCountAgainstTheValidFits)
{
    Drawn d;
    const int valid = 20;
    const VkiRecords read = Spread({50 * kDeg, 60 * kDeg}, valid, 0.5);
    const BootstrapPlot plot = PlotBootstrap(read, valid, d.net, 20, 20);
    ASSERT_EQ(plot.squares.size(), 20u);
    // V = 20: magenta below round(13.4) = 13, 8421376 below 19, green below round(19.8) = 20.
    for (std::size_t i = 0; i < plot.squares.size(); ++i) {
        const int rank = static_cast<int>(i) + 1;
        const TColor want = rank < 13 ? 16711935 : rank < 19 ? 8421376 : rank < 20 ? 65280 : 65535;
        EXPECT_EQ(plot.squares[i].colour, want) << rank;
    }
}

// A small-circle run with failures, kept on a Stats 3D canvas and drawn through the kind-8
// table: its label and its colours count the V valid fits, not the T tossings.
TEST(BootstrapDiagram, SmallCircleCanvasWithFailuresRanksAmongItsValidFits)
{
    const std::vector<Vec3> three{DirToVec({0, 50 * kDeg}), DirToVec({120 * kDeg, 40 * kDeg}),
                                  DirToVec({240 * kDeg, 60 * kDeg})};
    const SmallCircleBootstrap run = BootstrapSmallCircleOf(three, 60, 3);
    const int v = run.valid;
    ASSERT_GT(v, 5);
    ASSERT_LT(v, 60);
    VarGlob settings;
    RecordingImageFactory images;
    CanvasModel canvas(kWPStats3D, settings);
    ASSERT_TRUE(canvas.SetRayon(150, images));
    KeepBootstrapDiagram(canvas, kDiagramBootstrapSC, "VKi.txt", VkiText(run), v, 60 - v);
    EXPECT_EQ(canvas.lVKi.records.size(), static_cast<std::size_t>(v) + 1);
    CanvasPainters painters;
    RegisterStats3DDisplay(painters);
    DrawContext ctx = ScreenContext(canvas, settings);
    EXPECT_EQ(Redessiner(canvas, ctx, painters),
              "n = " + std::to_string(v) + "/" + std::to_string(v));
    std::map<TColor, int> colours;
    for (const Primitive& q :
         dynamic_cast<RecordingImage&>(*canvas.image()).recording().primitives())
        if (q.shape == Shape::FillRect && q.box.right - q.box.left == 7)
            ++colours[q.brush.colour];
    const auto below = [v](double p) { return static_cast<int>(std::nearbyint(p * v)) - 1; };
    EXPECT_EQ(colours[16711935], below(0.67));
    EXPECT_EQ(colours[8421376], below(0.95) - below(0.67));
    EXPECT_EQ(colours[65280], below(0.99) - below(0.95));
    EXPECT_EQ(colours[65535], v - below(0.99));
}

TEST(BootstrapDiagram, NothingReadDrawsTheFrameAndZero)
{
    Drawn d;
    const BootstrapPlot plot = PlotBootstrap({}, 100, d.net, 20, 40);
    DrawBootstrapDiagram(d.ctx, plot);
    EXPECT_EQ(d.surface.count(Shape::Rectangle), 1u);
    EXPECT_EQ(d.surface.count(Shape::FillRect), 0u);
    EXPECT_EQ(BootstrapDiagramLabel(plot, 100), "n = 0/100");
}

} // namespace
} // namespace ploq
