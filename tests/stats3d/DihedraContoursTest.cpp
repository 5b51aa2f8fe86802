// The right dihedra's default levels against the levels worked out by hand from the rule
// min + 0.5 + i (max - min - 1) / (n - 1), and the parameters its contour canvas receives.

#include "stats3d/DihedraContours.h"

#include "stats3d/Contours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace ploq {
namespace {

ContourColours Standard()
{
    ContourColours c{};
    for (std::size_t i = 0; i < c.size(); ++i)
        c[i] = rgb(static_cast<int>(10 * i), 0, 0);
    return c;
}

struct DefaultCase {
    int mi, ma, curves;
    std::vector<double> expected;
};

TEST(DihedraDefaultValues, LevelsOfTheRuleInIncreasingOrder)
{
    const DefaultCase cases[] = {
        // 11 / 9 apart from 0.5.
        {0,
         12,
         10,
         {0.5, 1.72222, 2.94444, 4.16667, 5.38889, 6.61111, 7.83333, 9.05556, 10.27778, 11.5}},
        // Fewer than 2 curves means 6: 11 / 5 apart.
        {0, 12, 1, {0.5, 2.7, 4.9, 7.1, 9.3, 11.5}},
        // More than 10 means 10: 8 / 9 apart from 3.5.
        {3,
         12,
         15,
         {3.5, 4.38889, 5.27778, 6.16667, 7.05556, 7.94444, 8.83333, 9.72222, 10.61111, 11.5}},
        // Every node the same, and a spread of one: the single level min + 0.5.
        {0, 0, 10, {0.5}},
        {4, 5, 10, {4.5}},
    };
    for (const DefaultCase& c : cases) {
        ContourDialogState s;
        s.tcoCont = Standard();
        s.filled = false;
        s.blackLine = true;
        s.pas = 6;
        s.levelField = "3.0";
        DihedraDefaultValues(s, c.mi, c.ma, c.curves);
        SCOPED_TRACE(testing::Message() << c.mi << ".." << c.ma << " n " << c.curves);
        ASSERT_EQ(s.levels.count(), static_cast<int>(c.expected.size()));
        for (int i = 0; i < s.levels.count(); ++i) {
            EXPECT_NEAR(s.levels.at(i).z, c.expected[static_cast<std::size_t>(i)], 1e-5);
            EXPECT_EQ(s.levels.at(i).cz, s.tcoCont[static_cast<std::size_t>(i)]);
            if (i > 0) {
                EXPECT_GT(s.levels.at(i).z, s.levels.at(i - 1).z);
            }
            const double z = s.levels.at(i).z;
            EXPECT_GT(std::fabs(z - std::round(z)), 0.01) << "a level on a whole count";
        }
        EXPECT_TRUE(s.filled);
        EXPECT_FALSE(s.blackLine);
        EXPECT_EQ(s.pas, 10);
        EXPECT_EQ(s.levelField, "1.0");
    }
}

TEST(DihedraDefaultValues, GreyScaleGivesTheGreyOfEachRank)
{
    ContourDialogState s;
    s.greyScale = true;
    DihedraDefaultValues(s, 0, 12, 4);
    ASSERT_EQ(s.levels.count(), 4);
    // (i + 1) 80 / 4 percent: 20, 40, 60, 80 %, so round((100 - p) 2.4) = 192, 144, 96, 48.
    const int expected[] = {192, 144, 96, 48};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.levels.at(i).cz, rgb(expected[i], expected[i], expected[i]));
}

TEST(DihedraCurveCount, OutOfRangeBroughtToSixOrTen)
{
    const std::pair<int, int> cases[] = {{-3, 6}, {0, 6},   {1, 6},   {2, 2},
                                         {7, 7},  {10, 10}, {11, 10}, {99, 10}};
    for (const auto& [typed, n] : cases)
        EXPECT_EQ(DihedraCurveCount(typed), n) << typed;
}

TEST(ReadCurveCount, WholeNumbersOnly)
{
    EXPECT_EQ(ReadCurveCount(" 12 "), 12);
    EXPECT_EQ(ReadCurveCount("-1"), -1);
    for (const char* bad : {"", "  ", "4.5", "4x", "x", "1 2"})
        EXPECT_FALSE(ReadCurveCount(bad)) << bad;
}

TEST(DihedraParamsOf, LevelsAsTheyStandRaisedOffWholeCounts)
{
    ContourDialogState s;
    s.levels.add(2.005, clRed);
    s.levels.add(3.5, clBlue);
    s.filled = false;
    s.blackLine = true;
    s.bezierBox = true;
    s.pas = 12;
    const std::optional<ParamContours> p = DihedraParamsOf(s);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->rightDihedra);
    EXPECT_EQ(p->nz, 2);
    EXPECT_DOUBLE_EQ(p->tz[0].z, 2.01);
    EXPECT_DOUBLE_EQ(p->tz[1].z, 3.5);
    EXPECT_EQ(p->tz[1].cz, clBlue);
    EXPECT_EQ(p->tz[2].z, -1);
    // Never multiplied, whatever the data contouring's factor.
    EXPECT_DOUBLE_EQ(LevelCount(p->tz[1].z, *p), 3.5);
    EXPECT_FALSE(p->filled);
    EXPECT_TRUE(p->blackLine);
    EXPECT_TRUE(p->bezier);
    EXPECT_EQ(p->modeC, kContourSegments);
    EXPECT_EQ(p->pas, 12);

    EXPECT_FALSE(DihedraParamsOf(ContourDialogState{}));
}

} // namespace
} // namespace ploq
