#include "model/UtilGlob.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ploq {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    struct Case {
        double value;
        int rounded;
    };
    const Case cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},  {-0.5, 0}, {-1.5, -2},
                          {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {57.7, 58}, {70.7, 71}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(FormatFixed, DotWhateverTheLocale)
{
    EXPECT_EQ(FormatFixed(57.25, 1), "57.2");
    EXPECT_EQ(FormatFixed(0.05, 1), "0.1");
    EXPECT_EQ(FormatFixed(-3.0, 1), "-3.0");
    EXPECT_EQ(FormatFixed(1e20, 1), "100000000000000000000.0");
    EXPECT_EQ(FormatInt(359.6), "360");
    EXPECT_EQ(sformat("%d meas. %s", 12, "ok"), "12 meas. ok");
}

TEST(WithoutExtension, OnlyTheFinalExtensionGoes)
{
    EXPECT_EQ(WithoutExtension("folded-area.plq"), "folded-area");
    EXPECT_EQ(WithoutExtension("site.2024.plq"), "site.2024");
    EXPECT_EQ(WithoutExtension("/data/v1.2/sheet"), "/data/v1.2/sheet");
    EXPECT_EQ(WithoutExtension("C:\\data.old\\sheet"), "C:\\data.old\\sheet");
    EXPECT_EQ(WithoutExtension(".plq"), ".plq");
    EXPECT_EQ(WithoutExtension("Data sheet 3"), "Data sheet 3");
}

} // namespace
} // namespace ploq
