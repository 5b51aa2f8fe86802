// Antialiased lines drawn straight into the pixels: each column (row, for a steep line) holds
// one pixel's worth of ink, centred where the line crosses it; nothing is drawn before the
// line's start, at its end or outside the picture.

#include "platform/LineRaster.h"

#include "platform/Surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace ploq {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

struct Picture {
    Picture(int w, int h) : width(w), height(h), words(static_cast<std::size_t>(w * h), kWhite) {}
    PixelRows rows() { return {words.data(), width, height, width}; }
    std::uint32_t at(int x, int y) const { return words[static_cast<std::size_t>(y * width + x)]; }
    // How much black ink the pixel holds, 0 (white) to 1.
    double ink(int x, int y) const { return 1.0 - (at(x, y) & 0xFF) / 255.0; }

    int width;
    int height;
    std::vector<std::uint32_t> words;
};

void Draw(Picture& picture, std::vector<PointF> points, TColor colour = clBlack)
{
    RasterPolyline(picture.rows(), points, colour, true);
}

TEST(LineRaster, ALineOnPixelCentresIsOnePixelWideAndLeavesItsEnd)
{
    Picture p(20, 20);
    Draw(p, {{3, 5}, {12, 5}});
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y) {
            const bool drawn = y == 5 && x >= 3 && x < 12;
            EXPECT_EQ(p.at(x, y), drawn ? 0xFF000000u : kWhite) << x << "," << y;
        }
    Picture q(20, 20);
    Draw(q, {{4, 2}, {4, 9}}, rgb(255, 0, 0));
    EXPECT_EQ(q.at(4, 2), 0xFFFF0000u) << "red, as the pixel words hold it";
    EXPECT_EQ(q.at(4, 8), 0xFFFF0000u);
    EXPECT_EQ(q.at(4, 9), kWhite);
}

TEST(LineRaster, ALineBetweenTwoRowsSharesItsInk)
{
    Picture p(20, 20);
    Draw(p, {{2, 6.5}, {10, 6.5}});
    for (int x = 2; x < 10; ++x) {
        EXPECT_NEAR(p.ink(x, 6), 0.5, 0.01);
        EXPECT_NEAR(p.ink(x, 7), 0.5, 0.01);
    }
}

// Checked against the line itself: in every column it crosses, the ink adds up to one pixel
// and its centre lies where the line crosses the column.
TEST(LineRaster, EachColumnHoldsOnePixelOfInkWhereTheLineCrossesIt)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(5, 55);
    for (int line = 0; line < 200; ++line) {
        Picture p(60, 60);
        const PointF a{coordinate(random), coordinate(random)};
        const PointF b{coordinate(random), coordinate(random)};
        Draw(p, {a, b});
        const bool steep = std::fabs(b.y - a.y) > std::fabs(b.x - a.x);
        const double from = steep ? a.y : a.x;
        const double to = steep ? b.y : b.x;
        const long first = std::lround(from);
        const long last = std::lround(to);
        const long step = last > first ? 1 : -1;
        // The first and last columns hold only what the line covers of them; the others all.
        for (long m = first + step; (last - step - m) * step > 0; m += step) {
            double ink = 0;
            double moment = 0;
            for (int n = 0; n < 60; ++n) {
                const double i =
                    steep ? p.ink(n, static_cast<int>(m)) : p.ink(static_cast<int>(m), n);
                ink += i;
                moment += i * n;
            }
            const double t = (m - from) / (to - from);
            const double crossing = steep ? a.x + t * (b.x - a.x) : a.y + t * (b.y - a.y);
            ASSERT_NEAR(ink, 1.0, 0.02) << line << " at " << m;
            ASSERT_NEAR(moment / ink, crossing, 0.02) << line << " at " << m;
        }
    }
}

// Without antialiasing: in each column the pixel nearest to the line, in the colour itself,
// the end pixel left undrawn.
TEST(LineRaster, AnAliasedLineTakesTheNearestPixelOfEachColumn)
{
    const struct {
        Point a, b;
    } cases[] = {{{2, 3}, {17, 3}},  {{4, 18}, {4, 1}}, {{1, 1}, {15, 15}},
                 {{15, 2}, {2, 15}}, {{1, 2}, {18, 9}}, {{3, 17}, {8, 1}}};
    for (const auto& c : cases) {
        Picture p(20, 20);
        const PointF line[] = {{double(c.a.x), double(c.a.y)}, {double(c.b.x), double(c.b.y)}};
        RasterPolyline(p.rows(), line, rgb(0, 0, 255), false);
        const bool steep = std::abs(c.b.y - c.a.y) > std::abs(c.b.x - c.a.x);
        const int from = steep ? c.a.y : c.a.x;
        const int to = steep ? c.b.y : c.b.x;
        const int step = to > from ? 1 : -1;
        int drawn = 0;
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 20; ++y)
                drawn += p.at(x, y) == 0xFF0000FFu;
        EXPECT_EQ(drawn, std::abs(to - from)) << "one pixel a column";
        for (int m = from; m != to; m += step) {
            const double t = double(m - from) / (to - from);
            const double exact = steep ? c.a.x + t * (c.b.x - c.a.x) : c.a.y + t * (c.b.y - c.a.y);
            const int nearest = static_cast<int>(std::floor(exact + 0.5));
            EXPECT_EQ(steep ? p.at(nearest, m) : p.at(m, nearest), 0xFF0000FFu)
                << c.a.x << "," << c.a.y << " to " << c.b.x << "," << c.b.y << " at " << m;
        }
        EXPECT_EQ(p.at(c.b.x, c.b.y), kWhite);
    }
}

TEST(LineRaster, APolylineDrawsEachJointOnce)
{
    Picture p(30, 30);
    Draw(p, {{2, 10}, {10, 10}, {20, 10}, {20, 20}});
    EXPECT_EQ(p.at(10, 10), 0xFF000000u);
    EXPECT_EQ(p.at(20, 10), 0xFF000000u) << "the turn starts the next segment";
    EXPECT_EQ(p.at(20, 19), 0xFF000000u);
    EXPECT_EQ(p.at(20, 20), kWhite) << "the last point is left undrawn";
}

TEST(LineRaster, NothingIsDrawnBeforeTheStartOrOutsideThePicture)
{
    Picture p(20, 20);
    Draw(p, {{5.4, 8}, {14.7, 8}});
    EXPECT_NEAR(p.ink(5, 8), 0.6, 0.01) << "the start's column holds only what lies after it";
    EXPECT_EQ(p.at(4, 8), kWhite);
    EXPECT_NEAR(p.ink(14, 8), 0.7, 0.01) << "the end's column, what lies before the end";
    EXPECT_EQ(p.at(15, 8), kWhite);

    Picture q(20, 20);
    Draw(q, {{-50, -30}, {70, 50}});
    Draw(q, {{-10, 5}, {-1, 5}});
    Draw(q, {{5, 30}, {9, 90}});
    int inked = 0;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y)
            inked += q.at(x, y) != kWhite;
    EXPECT_GT(inked, 15) << "the part of the first line inside";
    EXPECT_LT(inked, 45);
}

// The polyline of an arc stays within a fifth of a pixel of the ellipse, whatever its size.
TEST(LineRaster, ArcPointsFollowTheEllipse)
{
    const struct {
        double a, b, from, span;
    } cases[] = {
        {200, 200, 0.3, 2.9}, {5, 5, 0, 6.283}, {20000, 20000, 4.700, 0.02}, {150, 90, 1.0, 4.0}};
    for (const auto& c : cases) {
        std::vector<PointF> points;
        ArcPoints(100, 120, c.a, c.b, c.from, c.span, points);
        ASSERT_GE(points.size(), 2u);
        const auto onArc = [&](double t) {
            return PointF{100 + c.a * std::cos(t), 120 - c.b * std::sin(t)};
        };
        EXPECT_NEAR(points.front().x, onArc(c.from).x, 1e-9);
        EXPECT_NEAR(points.back().y, onArc(c.from + c.span).y, 1e-6);
        double farthest = 0;
        for (int k = 0; k <= 10000; ++k) {
            const PointF q = onArc(c.from + c.span * k / 10000);
            double nearest = 1e30;
            for (std::size_t i = 1; i < points.size(); ++i) {
                const PointF u = points[i - 1];
                const PointF v = points[i];
                const double dx = v.x - u.x;
                const double dy = v.y - u.y;
                const double along = std::clamp(
                    ((q.x - u.x) * dx + (q.y - u.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                nearest =
                    std::min(nearest, std::hypot(q.x - u.x - along * dx, q.y - u.y - along * dy));
            }
            farthest = std::max(farthest, nearest);
        }
        EXPECT_LE(farthest, 0.2 + 1e-6) << c.a << " " << c.span;
    }
}

} // namespace
} // namespace ploq
