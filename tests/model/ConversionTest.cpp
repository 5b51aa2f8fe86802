#include "model/Conversion.h"
#include "model/Trigo.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ploq {
namespace {

constexpr double kToDeg = 1.0 / kDegToRad;

TEST(ReadReal, KeepsDigitsAndTwoDecimals)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"12.345", 12.34}, {",5", 0.5}, {"-3", 3},     {"N30E", 30}, {"7.", 7},
        {"", 0},           {"1,5", 1.5}, {"abc", 0},   {".", 0},     {"0.07", 0.07},
        {"2147483647", 2147483647.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ReadReal(c.text), c.value) << c.text;
}

TEST(ReadReal, RefusesWhatItCannotRead)
{
    for (const char* text : {"1.2.3", "1,5,3", "1,5.3", "2147483648", "99999999999999999999",
                             "12..3"}) {
        double value = -1;
        EXPECT_FALSE(TryReadReal(text, value)) << text;
        EXPECT_EQ(ReadReal(text), 0.0) << text;
    }
}

struct Accepted {
    char letter;
    int frtS;
    int frtL;
    const char* text;
    double trendDeg;
    double plungeDeg;
};

TEST(TextToDir, AcceptedTexts)
{
    const Accepted cases[] = {
        {'S', 0, 0, "120 S 10", 30, 80},
        {'S', 0, 0, "120s10", 30, 80},
        {'S', 0, 0, "120  S  10", 30, 80},
        {'s', 0, 0, "120 SW 10", 30, 80},
        {'S', 0, 0, "90 S 40", 0, 50},
        {'S', 0, 0, "90 N 40", 180, 50},
        {'S', 0, 0, "0 E 40", 270, 50},
        {'S', 0, 0, "120.0 SW 10.0", 30, 80},
        {'S', 0, 0, "45 SE 0", 315, 90},
        {'S', 0, 0, "45 NW 90", 135, 0},
        {'L', 0, 0, "45 NE 30", 45, 30},
        {'L', 0, 0, "45 SW 30", 225, 30},
        {'L', 0, 0, "90 W 10", 270, 10},
        {'L', 0, 0, "180 N 10", 0, 10},
        {'A', 0, 0, "30 SW 10", 210, 10},
        {'S', 1, 0, "10/210", 30, 80},
        {'S', 1, 0, "10-210", 30, 80},
        {'S', 1, 0, "10;210", 30, 80},
        {'S', 1, 0, "10.0 / 210.0", 30, 80},
        {'S', 1, 0, "10/180", 0, 80},
        {'S', 2, 0, "210/10", 30, 80},
        {'S', 2, 0, "210/", 30, 90},
        {'S', 3, 0, "30/80", 30, 80},
        {'S', 4, 0, "300/10", 210, 80},
        {'S', 4, 0, "120/10", 30, 80},
        {'L', 0, 1, "10/210", 210, 10},
        {'L', 0, 2, "210/10", 210, 10},
        {'L', 0, 2, "360/10", 0, 10},
        {'L', 0, 1, "10/360", 0, 10},
        {'B', 0, 2, "0/90", 0, 90},
    };
    for (const Accepted& c : cases) {
        const DirResult r = TextToDir(c.letter, c.text, {c.frtS, c.frtL});
        ASSERT_TRUE(r.ok) << c.text << ": " << r.message;
        EXPECT_NEAR(r.trend * kToDeg, c.trendDeg, 1e-9) << c.text;
        EXPECT_NEAR(r.plunge * kToDeg, c.plungeDeg, 1e-9) << c.text;
    }
}

TEST(TextToDir, RefusedTextsAndTheirMessages)
{
    struct Refused {
        char letter;
        int frtS;
        int frtL;
        const char* text;
        int messageNo;
        const char* message;
    };
    const Refused cases[] = {
        {'S', 0, 0, "", 1, " missing value..."},
        {'X', 0, 0, "120 S 10", 0, "error on the first character of \"nature\" code"},
        {'S', 0, 0, "45 NE 30", 9, "45 NE 30 : sense of dip doesn't fit given strike"},
        {'S', 0, 0, "200 N 30", 3, "200 N 30 : strike must range from 0 to 180\xB0"},
        {'S', 0, 0, "120 S 95", 8, "120 S 95 : dip or plunge must range from 0 to 90\xB0"},
        {'S', 0, 0, "120", 4, "120 : strike or dip missing"},
        {'S', 0, 0, "120 10", 3, "120 10 : strike must range"},
        {'S', 0, 0, "120 NNE 10", 5, "120 NNE 10 : wrong sense of dip"},
        {'S', 0, 0, "120 S", 6, "120 S : dip or plunge missing"},
        {'S', 0, 0, "120 S x5", 7, "120 S x5 : wrong dip or plunge "},
        {'S', 0, 0, " ", 4, " : strike or dip missing"},
        {'S', 0, 0, "SW 10", 4, "strike or dip missing"},
        {'L', 0, 0, "135 NE 30", 10, "135 NE 30 : sense of plunge doesn't fit given strike"},
        {'S', 1, 0, "95/210", 8, "95/210 : dip or plunge must range"},
        {'S', 1, 0, "10/400", 11, "10/400 : strike cannot exceed 360\xB0"},
        {'S', 1, 0, "10 210", 8, "10 210 : dip or plunge must range"},
        {'S', 1, 0, "10/", 12, "10/ : erroneous value..."},
        {'S', 1, 0, "/210", 4, "strike or dip missing"},
        {'S', 2, 0, "210", 12, "210 : erroneous value..."},
        {'S', 2, 0, "400/10", 11, "strike cannot exceed"},
        {'S', 2, 0, "210/95", 8, "dip or plunge must range"},
        {'S', 3, 0, "30/95", 8, "dip or plunge must range"},
        {'S', 3, 0, "30", 12, "erroneous value"},
        {'S', 4, 0, "/10", 12, "erroneous value"},
        {'S', 4, 0, "300", 12, "erroneous value"},
        {'S', 4, 0, "300/x", 4, "strike or dip missing"},
        // Numbers that cannot be read are refused, never misread.
        {'S', 0, 0, "1.2.3 S 10", 12, "1.2.3 S 10 : erroneous value..."},
        {'S', 1, 0, "10/99999999999", 12, "erroneous value"},
        {'S', 1, 0, "1,5.3/210", 12, "erroneous value"},
        {'S', 0, 0, "120 S 99999999999", 12, "erroneous value"},
    };
    for (const Refused& c : cases) {
        const DirResult r = TextToDir(c.letter, c.text, {c.frtS, c.frtL});
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_EQ(r.messageNo, c.messageNo) << c.text << ": " << r.message;
        EXPECT_NE(r.message.find(c.message), std::string::npos) << c.text << ": " << r.message;
    }
}

TEST(CellToDir, StoredTextAlwaysGivesADirection)
{
    const Accepted cases[] = {
        {'S', 0, 0, "120.0 SW 10.0", 30, 80},
        {'S', 0, 0, "120 sw 10", 30, 80},
        {'S', 0, 0, "45 NE 30", 135, 60}, // no sense check: the strike rule still applies
        {'S', 0, 0, "200 N 95", 290, -5},  // nor range checks
        {'S', 1, 0, "10 / 210", 30, 80},
        {'S', 2, 0, "210.0 / 10.0", 30, 80},
        {'L', 0, 1, "10.0 / 210.0", 210, 10},
        {'L', 0, 0, "30.0 SW 10.0", 210, 10},
        {'S', 4, 0, "300 / 10", 210, 80},
    };
    for (const Accepted& c : cases) {
        const DirResult r = CellToDir(c.letter, c.text, {c.frtS, c.frtL});
        ASSERT_TRUE(r.ok) << c.text;
        EXPECT_NEAR(r.trend * kToDeg, c.trendDeg, 1e-9) << c.text;
        EXPECT_NEAR(r.plunge * kToDeg, c.plungeDeg, 1e-9) << c.text;
    }
    EXPECT_EQ(CellToDir('S', "", {}).messageNo, 1);
    EXPECT_EQ(CellToDir('Q', "10/10", {}).messageNo, 0);
    EXPECT_TRUE(CellToDir('S', "garbage", {1, 0}).ok);
}

TEST(DirToText, ThePlaneAndLineExamplesInEveryNotation)
{
    struct Case {
        bool plane;
        int notation;
        bool decimals;
        double plungeDeg;
        double trendDeg;
        const char* text;
    };
    const Case cases[] = {
        {true, 0, true, 80, 30, "120.0 SW 10.0"},   {true, 1, true, 80, 30, "10.0 / 210.0"},
        {true, 2, true, 80, 30, "210.0 / 10.0"},    {true, 3, true, 80, 30, "30.0 / 80.0"},
        {true, 4, true, 80, 30, "120.0 / 10.0"},    {true, 0, false, 80, 30, "120 SW 10"},
        {true, 1, false, 80, 30, "10 / 210"},       {false, 0, true, 10, 210, "30.0 SW 10.0"},
        {false, 1, true, 10, 210, "10.0 / 210.0"},  {false, 2, true, 10, 210, "210.0 / 10.0"},
        {false, 2, false, 10, 210, "210 / 10"},     {true, 0, true, 50, 0, "90.0  S 40.0"},
        {true, 0, true, 50, 90, "0.0  W 40.0"},     {false, 0, false, 10, 0, "0  N 10"},
        {true, 1, false, 89.5, 30, "0 / 210"},      {true, 1, false, 88.5, 30, "2 / 210"},
        {true, 1, false, 80, 389.6, "10 / 210"},    // a trend past 2 pi by a declination
    };
    for (const Case& c : cases) {
        const Notation n{c.notation, c.notation > 2 ? 0 : c.notation};
        EXPECT_EQ(DirToText(c.decimals, c.plane, c.plungeDeg * kDegToRad, c.trendDeg * kDegToRad, n),
                  c.text)
            << c.notation << " " << c.trendDeg << "/" << c.plungeDeg;
    }
}

// Each octant keeps its upper bound, for a trend stored in radians as typed in degrees: the
// dip quadrant of a plane is the octant of its pole trend turned by 180 degrees, the plunge
// quadrant of a line the octant of its trend.
TEST(DirToText, QuadrantOctantsIncludeTheirUpperBound)
{
    const char* const lineQuadrants[] = {" N", "NE", " E", "SE", " S", "SW", " W", "NW"};
    const char* const dipQuadrants[] = {" S", "SW", " W", "NW", " N", "NE", " E", "SE"};
    const Notation quadrants{0, 0};
    const auto quadrantOf = [](const std::string& text) {
        return text.substr(text.find(' ') + 1, 2);
    };
    for (int octant = 0; octant < 8; ++octant) {
        const double bound = (22.5 + 45 * octant) * kDegToRad;
        const std::string line = DirToText(true, false, 0.5, bound, quadrants);
        const std::string plane = DirToText(true, true, 0.5, bound, quadrants);
        EXPECT_EQ(quadrantOf(line), lineQuadrants[octant]) << line;
        EXPECT_EQ(quadrantOf(plane), dipQuadrants[octant]) << plane;
        const std::string past = DirToText(true, false, 0.5, bound + 0.001 * kDegToRad, quadrants);
        EXPECT_EQ(quadrantOf(past), lineQuadrants[(octant + 1) % 8]) << past;
    }
    EXPECT_EQ(DirToText(false, false, 10 * kDegToRad, 247.5 * kDegToRad, quadrants), "68 SW 10");
    EXPECT_EQ(DirToText(false, true, 80 * kDegToRad, 247.5 * kDegToRad, quadrants), "158 NE 10");
}

// Whatever is written can be typed back, and gives the direction back within the precision
// of the text.
TEST(DirToText, RoundTripOverAGridOfDirections)
{
    for (const bool plane : {true, false}) {
        for (int notation = 0; notation < (plane ? 5 : 3); ++notation) {
            for (const bool decimals : {true, false}) {
                const Notation n{notation, notation};
                const double tolerance = (decimals ? 0.075 : 0.75) * kDegToRad;
                for (double trend = 0; trend < 360; trend += 2.35) {
                    for (double plunge = 0; plunge <= 90; plunge += 1.45) {
                        const Direction d{trend * kDegToRad, plunge * kDegToRad};
                        const std::string text = DirToText(decimals, plane, d.plunge, d.trend, n);
                        const DirResult r = TextToDir(plane ? 'S' : 'L', text, n);
                        ASSERT_TRUE(r.ok) << text << ": " << r.message;
                        const double apart = std::acos(std::min(
                            1.0, std::fabs(Dot(DirToVec(d), DirToVec({r.trend, r.plunge})))));
                        ASSERT_LE(apart, tolerance)
                            << "notation " << notation << " " << trend << "/" << plunge << " -> "
                            << text << " -> " << r.trend * kToDeg << "/" << r.plunge * kToDeg;
                    }
                }
            }
        }
    }
}

TEST(Renotate, KeepsTheDirection)
{
    EXPECT_EQ(Renotate('S', "120.0 SW 10.0", {0, 0}, {1, 0}, true), "10.0 / 210.0");
    EXPECT_EQ(Renotate('L', "30.0 SW 10.0", {0, 0}, {0, 2}, false), "210 / 10");
}

TEST(FormatAngle, DecimalsOrHalfEvenIntegers)
{
    EXPECT_EQ(FormatAngle(true, 57.25), "57.2");
    EXPECT_EQ(FormatAngle(false, 2.5), "2");
    EXPECT_EQ(FormatAngle(false, 3.5), "4");
    EXPECT_EQ(FormatPrec(0, 12.5), "12");
    EXPECT_EQ(FormatPrec(2, 1.005), "1.00");
    EXPECT_EQ(FormatPrec(3, 1.5), "1.500");
    EXPECT_EQ(FormatPrec(4, 1.5), "");
}

} // namespace
} // namespace ploq
