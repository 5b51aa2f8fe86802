#include "app/PlaceDialog.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

TEST(PlaceDialog, BesideTheWindowItWorksOn)
{
    const ScreenRect leftCanvas{100, 200, 430, 500};   // right edge 530
    const ScreenRect middleCanvas{600, 200, 430, 500}; // right edge 1030
    const ScreenRect rightCanvas{1100, 80, 480, 500};  // right edge 1580
    const ScreenRect wide{50, 80, 1500, 500};           // no room on either side
    struct Case {
        int kind;
        ScreenRect window;
        int gap;
        Point expected;
    };
    const Case cases[] = {
        {-1, middleCanvas, 10, {600 - 310, 220}},   // left first, fits on the left
        {-1, leftCanvas, 10, {530 + 10, 220}},      // left first, no room: right
        {-1, wide, 10, {2, 100}},                   // no room at all
        {1, middleCanvas, 10, {1030 + 10, 220}},    // right first, fits on the right
        {1, rightCanvas, 10, {1100 - 310, 100}},    // right first, no room: left
        {1, wide, 10, {1600 - 300 - 2, 100}},       // no room at all
        {1, middleCanvas, 0, {1030 + 1, 220}},      // a gap of 0 counts as 1
        {-2, middleCanvas, 10, {600 - 310, 220}},   // the same beside a sheet
        {2, middleCanvas, 10, {1030 + 10, 220}},
    };
    for (const Case& c : cases) {
        Placement p;
        p.kind = c.kind;
        p.dialogWidth = 300;
        p.gap = c.gap;
        p.topOffset = 20;
        (std::abs(c.kind) == 1 ? p.canvas : p.sheet) = c.window;
        const Point at = PlaceDialog(p);
        EXPECT_EQ(at, c.expected) << "kind " << c.kind << " window at " << c.window.left;
    }
}

TEST(PlaceDialog, StaysWithoutItsWindowAndUnderTheToolBar)
{
    Placement p;
    p.kind = 1;
    p.current = {33, 44};
    p.sheet = ScreenRect{600, 200, 400, 400};
    EXPECT_EQ(PlaceDialog(p), (Point{33, 44})) << "no canvas";
    p.kind = 0;
    p.mainWindow = {40, 10, 900, 200};
    p.mainClientTop = 40;
    EXPECT_EQ(PlaceDialog(p), (Point{40, 90}));
    p.toolbarShown = false;
    EXPECT_EQ(PlaceDialog(p), (Point{40, 60}));
}

TEST(KeepOnScreen, TheTitleBarStaysWithinReach)
{
    const ScreenRect screen{0, 24, 1600, 976}; // below a panel 24 pixels high
    struct Case {
        ScreenRect frame;
        Point at;
    };
    const Case cases[] = {
        {{500, 20, 600, 140}, {500, 24}},     // the title bar under the panel
        {{500, -40, 600, 140}, {500, 24}},    // above the screen
        {{500, 990, 600, 140}, {500, 970}},   // below it: the title bar shows
        {{1300, 300, 600, 140}, {1000, 300}}, // past the right edge
        {{-700, 300, 600, 140}, {0, 300}},    // past the left edge
        {{200, 300, 2000, 140}, {0, 300}},    // wider than the screen
        {{500, 300, 600, 800}, {500, 300}},   // on the screen: kept
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepOnScreen(c.frame, screen), c.at) << c.frame.left << "," << c.frame.top;
}

} // namespace
} // namespace ploq
