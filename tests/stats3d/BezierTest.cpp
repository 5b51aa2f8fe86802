// Chaining a level's segments and the points a chain is drawn through, on hand-made segments;
// and the cubic curves of the surfaces.

#include "stats3d/Bezier.h"

#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

TEST(ChainSegmentsTest, ARingGivenShuffledAndReversedIsOneClosedChain)
{
    const Segment10 ring[] = {
        {{100, 0}, {100, 100}}, {{0, 0}, {100, 0}}, {{0, 100}, {100, 100}}, {{0, 100}, {0, 0}}};
    const std::vector<Chain> chains = ChainSegments(ring);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_TRUE(chains[0].closed);
    ASSERT_EQ(chains[0].points.size(), 5u);
    EXPECT_EQ(chains[0].points.front(), chains[0].points.back());
}

TEST(ChainSegmentsTest, OpenChainsFromTheirFreeEndsFirstRepeatsAndZeroLengthsDropped)
{
    const Segment10 segments[] = {
        {{500, 500}, {600, 500}}, {{600, 500}, {600, 600}},
        {{600, 600}, {500, 600}}, {{500, 600}, {500, 500}}, // a ring, listed first
        {{20, 0}, {30, 0}},                                 // the middle of a path
        {{10, 0}, {20, 0}},                                 // ... its start
        {{30, 0}, {20, 0}},                                 // a repeat, reversed
        {{40, 0}, {40, 0}},                                 // zero length
        {{30, 0}, {40, 0}},                                 // ... its end
    };
    const std::vector<Chain> chains = ChainSegments(segments);
    ASSERT_EQ(chains.size(), 2u);
    EXPECT_FALSE(chains[0].closed);
    // Started at the free end met first (segment {20,0}-{30,0} has none): 10 or 40.
    const std::vector<Point> forward{{10, 0}, {20, 0}, {30, 0}, {40, 0}};
    const std::vector<Point> backward{{40, 0}, {30, 0}, {20, 0}, {10, 0}};
    EXPECT_TRUE(chains[0].points == forward || chains[0].points == backward);
    EXPECT_TRUE(chains[1].closed);
    EXPECT_EQ(chains[1].points.size(), 5u);
}

TEST(ChainSegmentsTest, EachSegmentIsUsedOnceWhereFourMeet)
{
    // Two chains crossing at one point (a cross of four arms).
    const Segment10 arms[] = {
        {{0, 0}, {10, 10}}, {{10, 10}, {20, 20}}, {{20, 0}, {10, 10}}, {{10, 10}, {0, 20}}};
    std::size_t points = 0;
    for (const Chain& c : ChainSegments(arms))
        points += c.points.size() - 1;
    EXPECT_EQ(points, 4u);
}

TEST(ChainPointsTest, OpenChainsThinnedAtTwoTenthsAndPaddedTo3kPlus1)
{
    struct Case {
        std::vector<Point> chain;
        std::vector<Point> drawn; // pixels
    };
    const Case cases[] = {
        // Five points 1 px apart: five kept, the last again, the end once more: 7.
        {{{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}},
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 0}, {4, 0}}},
        // A point 2 tenths from the last kept is dropped; 3 tenths is kept.
        {{{0, 0}, {2, 2}, {3, 0}, {100, 0}}, {{0, 0}, {0, 0}, {10, 0}, {10, 0}}},
        // The end within 2 tenths of the last kept point: the padding ends on it.
        {{{0, 0}, {50, 0}, {51, 0}}, {{0, 0}, {5, 0}, {5, 0}, {5, 0}}},
    };
    for (const Case& c : cases) {
        const std::vector<Point> drawn = OpenChainPoints(c.chain);
        EXPECT_EQ(drawn, c.drawn);
        EXPECT_EQ(drawn.size() % 3, 1u);
    }
}

TEST(ChainPointsTest, ClosedChainsThinnedAtFourTenthsKeepTheirClosingPoint)
{
    // The closing point lies 3 tenths from the last kept one: it takes its place.
    const std::vector<Point> chain{{0, 0}, {100, 0}, {100, 100}, {3, 1}, {0, 0}};
    const std::vector<Point> drawn = ClosedChainPoints(chain);
    EXPECT_EQ(drawn.front(), drawn.back());
    EXPECT_EQ(drawn.size() % 3, 1u);
    EXPECT_EQ(drawn, (std::vector<Point>{{0, 0}, {10, 0}, {10, 10}, {0, 0}}));
    const std::vector<Point> square{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
    const std::vector<Point> padded = ClosedChainPoints(square);
    EXPECT_EQ(padded,
              (std::vector<Point>{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {0, 0}, {0, 0}}));
}

TEST(PolyBezierTest, RecordedWith3kPlus1PointsOtherCountsDrawNothing)
{
    RecordingSurface s;
    const Point curve[] = {{0, 0}, {10, 0}, {20, 10}, {20, 20}, {20, 30}, {10, 40}, {0, 40}};
    s.polyBezier(curve);
    ASSERT_EQ(s.count(Shape::Bezier), 1u);
    EXPECT_EQ(s.primitives()[0].points.size(), 7u);
    EXPECT_EQ(s.penPosition(), (Point{0, 40}));
    s.polyBezier(std::span(curve, 5));
    s.polyBezier(std::span(curve, 1));
    EXPECT_EQ(s.primitives().size(), 1u);
}

// A surface with no curves of its own draws them in straight pieces through their ends.
class LinesOnly : public RecordingSurface {
protected:
    void drawPolyBezier(std::span<const Point> points) override { Surface::drawPolyBezier(points); }
};

TEST(PolyBezierTest, FlattenedThroughTheEndsOfEachCurve)
{
    LinesOnly s;
    const Point curve[] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
    s.polyBezier(curve);
    ASSERT_EQ(s.count(Shape::Polyline), 1u);
    const std::vector<Point>& line = s.primitives()[0].points;
    EXPECT_EQ(line.size(), 17u);
    EXPECT_EQ(line.front(), (Point{0, 0}));
    EXPECT_EQ(line.back(), (Point{100, 0}));
    // Halfway: (0 + 3 x 0 + 3 x 100 + 100) / 8 = 50 across, 3 x 100 x 2 / 8 = 75 down.
    EXPECT_EQ(line[8], (Point{50, 75}));
}

} // namespace
} // namespace ploq
