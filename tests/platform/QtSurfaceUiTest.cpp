// The Qt adapter keeps the pixel conventions of the drawing surface.

#include "platform/QtSurface.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

class QtSurfaceTest : public ::testing::Test {
protected:
    QtImage image{[] {
        QImage blank(40, 40, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }(), false};
    Surface& surface = image.surface();

    bool black(int x, int y) { return image.image().pixel(x, y) == qRgb(0, 0, 0); }
    bool white(int x, int y) { return image.image().pixel(x, y) == qRgb(255, 255, 255); }
};

TEST_F(QtSurfaceTest, LineLeavesItsEndPixel)
{
    surface.moveTo({5, 5});
    surface.lineTo({15, 5});
    surface.lineTo({15, 12});
    EXPECT_TRUE(black(5, 5));
    EXPECT_TRUE(black(14, 5));
    EXPECT_TRUE(black(15, 5)) << "drawn as the start of the second line";
    EXPECT_TRUE(black(15, 11));
    EXPECT_TRUE(white(15, 12));
    surface.moveTo({20, 20});
    surface.lineTo({25, 25});
    EXPECT_TRUE(black(20, 20));
    EXPECT_TRUE(black(24, 24));
    EXPECT_TRUE(white(25, 25));
    const std::vector<Point> path = {{2, 30}, {8, 30}, {8, 36}};
    surface.polyline(path);
    EXPECT_TRUE(black(8, 30));
    EXPECT_TRUE(black(8, 35));
    EXPECT_TRUE(white(8, 36));
}

TEST_F(QtSurfaceTest, BoxCoversLeftToRightLessOne)
{
    surface.setBrush({clWhite, BrushStyle::Clear});
    surface.rectangle({10, 10, 20, 16});
    EXPECT_TRUE(black(10, 10));
    EXPECT_TRUE(black(19, 15));
    EXPECT_TRUE(black(19, 10));
    EXPECT_TRUE(white(20, 10));
    EXPECT_TRUE(white(19, 16));
    EXPECT_TRUE(white(15, 13)) << "clear brush";

    surface.setBrush({clRed, BrushStyle::Solid});
    surface.fillRect({30, 30, 33, 33});
    EXPECT_EQ(image.image().pixel(32, 32), qRgb(255, 0, 0));
    EXPECT_TRUE(white(33, 33));
}

TEST_F(QtSurfaceTest, EllipseStaysInItsBox)
{
    surface.setBrush({clBlack, BrushStyle::Solid});
    surface.ellipse({10, 10, 21, 21});
    EXPECT_TRUE(black(15, 15));
    EXPECT_TRUE(black(10, 15));
    EXPECT_TRUE(black(20, 15));
    EXPECT_TRUE(white(21, 15));
    EXPECT_TRUE(white(9, 15));
}

TEST_F(QtSurfaceTest, ArcRunsCounterClockwise)
{
    // From the east ray to the north ray: the upper right quarter only.
    surface.arc({10, 10, 31, 31}, {30, 20}, {20, 10});
    EXPECT_TRUE(black(27, 13) || black(27, 12) || black(28, 13));
    for (int y = 21; y < 31; ++y)
        for (int x = 10; x < 31; ++x)
            ASSERT_TRUE(white(x, y)) << x << "," << y;
}

TEST_F(QtSurfaceTest, NotXorTwiceRestores)
{
    surface.setPen({clRed, 1, PenStyle::Solid, PenMode::NotXor});
    surface.moveTo({0, 0});
    surface.lineTo({39, 39});
    EXPECT_FALSE(white(10, 10));
    surface.moveTo({0, 0});
    surface.lineTo({39, 39});
    EXPECT_TRUE(white(10, 10));
}

TEST_F(QtSurfaceTest, TextWithSolidBrushFillsItsBox)
{
    surface.setFont({"DejaVu Sans", 12, false, false, clBlack});
    const Size extent = surface.textExtent("W");
    EXPECT_GT(extent.width, 3);
    EXPECT_GE(extent.height, 12);
    surface.setBrush({clBlue, BrushStyle::Solid});
    surface.textOut({2, 2}, "W");
    EXPECT_EQ(image.image().pixel(2 + extent.width - 1, 2), qRgb(0, 0, 255));
}

// An antialiased picture keeps the same conventions: a line leaves its end pixel, an arc runs
// counter-clockwise within its box, and the pixels beside a line on pixel centres stay white.
TEST(QtSurfaceAntialiased, KeepsTheConventions)
{
    QImage blank(40, 40, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QtImage image(blank, true);
    Surface& surface = image.surface();
    surface.moveTo({5, 5});
    surface.lineTo({15, 5});
    surface.lineTo({15, 12});
    surface.arc({10, 18, 31, 39}, {30, 28}, {20, 18});
    const QImage& drawn = image.image();
    const auto pixel = [&](int x, int y) { return drawn.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(pixel(5, 5), 0x000000u);
    EXPECT_EQ(pixel(14, 5), 0x000000u);
    EXPECT_EQ(pixel(15, 5), 0x000000u) << "the start of the second line";
    EXPECT_EQ(pixel(15, 11), 0x000000u);
    EXPECT_EQ(pixel(15, 12), 0xFFFFFFu);
    EXPECT_EQ(pixel(10, 4), 0xFFFFFFu);
    EXPECT_EQ(pixel(10, 6), 0xFFFFFFu);
    EXPECT_NE(pixel(27, 21), 0xFFFFFFu) << "the upper right quarter";
    for (int y = 29; y < 40; ++y)
        for (int x = 10; x < 40; ++x)
            ASSERT_EQ(pixel(x, y), 0xFFFFFFu) << x << "," << y;
}

TEST(QtImageFactory, RefusesImagesItCannotMake)
{
    QtImageFactory factory;
    EXPECT_NE(factory.createImage({430, 430}), nullptr);
    EXPECT_EQ(factory.createImage({0, 10}), nullptr);
    EXPECT_EQ(factory.createImage({100000, 100000}), nullptr);
}

} // namespace
} // namespace ploq
