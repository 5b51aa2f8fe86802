#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

TEST(RecordingSurface, KeepsPrimitivesWithTheirPens)
{
    RecordingSurface surface;
    surface.setPen({clRed, 2, PenStyle::Dash});
    surface.moveTo({1, 2});
    surface.lineTo({3, 4});
    const std::vector<Point> line = {{0, 0}, {5, 5}, {9, 0}};
    surface.polyline(line);
    surface.setBrush({clBlue, BrushStyle::Clear});
    surface.ellipse({10, 10, 20, 20});
    surface.textOut({4, 5}, "N");

    ASSERT_EQ(surface.primitives().size(), 4u);
    EXPECT_EQ(surface.primitives()[0].points, (std::vector<Point>{{1, 2}, {3, 4}}));
    EXPECT_EQ(surface.primitives()[0].pen.colour, clRed);
    EXPECT_EQ(surface.penPosition(), (Point{9, 0}));
    EXPECT_EQ(surface.count(Shape::Ellipse), 1u);
    EXPECT_EQ(surface.primitives()[2].brush.style, BrushStyle::Clear);
    EXPECT_EQ(surface.primitives()[3].text, "N");
    const std::vector<Point> all = surface.allPoints();
    EXPECT_EQ(all.size(), 2u + 3u + 2u + 1u);
}

TEST(RecordingSurface, ImageCreationMayFail)
{
    RecordingImageFactory factory(1000);
    EXPECT_NE(factory.createImage({30, 30}), nullptr);
    EXPECT_EQ(factory.createImage({40, 30}), nullptr);
    EXPECT_EQ(factory.createImage({0, 30}), nullptr);
}

} // namespace
} // namespace ploq
