#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

TEST(DayCount, KnownDates)
{
    EXPECT_EQ(toDayCount({1899, 12, 30}), 0.0);
    EXPECT_EQ(toDayCount({1900, 1, 1}), 2.0);
    EXPECT_EQ(toDayCount({2000, 1, 1}), 36526.0);
    EXPECT_DOUBLE_EQ(toDayCount({2026, 12, 9, 18, 0, 0}), 46365.75);
    EXPECT_DOUBLE_EQ(toDayCount({1899, 12, 29, 12, 0, 0}), -0.5);
}

TEST(DayCount, RoundTripsToTheSecond)
{
    for (const CivilTime t : {CivilTime{2026, 12, 9, 23, 59, 59}, CivilTime{1999, 2, 28, 0, 0, 1},
                              CivilTime{2024, 2, 29, 12, 30, 0}, CivilTime{1850, 6, 1, 6, 0, 0}})
        EXPECT_EQ(fromDayCount(toDayCount(t)), t);
    EXPECT_EQ(fromDayCount(std::numeric_limits<double>::quiet_NaN()), CivilTime{});
}

TEST(DayCount, Texts)
{
    const DayCount at = toDayCount({2026, 12, 9, 14, 5, 30});
    EXPECT_EQ(shortTime(at), "14:05");
    EXPECT_EQ(longTime(at), "14:05:30");
    EXPECT_EQ(longTime(toDayCount({2026, 12, 9, 9, 0, 0})), "09:00:00");
    EXPECT_EQ(longDate(at), "Wednesday, December 9, 2026");
    EXPECT_EQ(longDate(0), "Saturday, December 30, 1899");
    EXPECT_EQ(dateTimeText(at), "09/12/2026 14:05:30");
}

} // namespace
} // namespace ploq
