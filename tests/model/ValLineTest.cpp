// The line-or-plane calculator against hand-worked spherical trigonometry and against vectors
// built here from dips and directions (east, north, down), independently of the geometry code.

#include "model/ValLine.h"

#include "model/PartialLine.h"
#include "model/UtilGlob.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kToDeg = 180 / kPi;
constexpr double kToRad = kPi / 180;

using Lines = std::vector<std::string>;

struct V {
    double x = 0; // east
    double y = 0; // north
    double z = 0; // down
};

V lineVector(double trendDeg, double plungeDeg)
{
    const double t = trendDeg * kToRad;
    const double p = plungeDeg * kToRad;
    return {std::sin(t) * std::cos(p), std::cos(t) * std::cos(p), std::sin(p)};
}
// The downward normal of a plane dipping `dipDeg` toward `dipDirDeg`.
V poleVector(double dipDeg, double dipDirDeg)
{
    return lineVector(dipDirDeg + 180, 90 - dipDeg);
}
double dot(V a, V b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
V cross(V a, V b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V vectorOf(const Direction& d)
{
    return lineVector(d.trend * kToDeg, d.plunge * kToDeg);
}
// Degrees between two axes, whichever their ends.
double axesApartDeg(V a, V b)
{
    const V c = cross(a, b);
    return std::atan2(std::sqrt(dot(c, c)), std::fabs(dot(a, b))) * kToDeg;
}
double vectorsApartDeg(V a, V b)
{
    const V c = cross(a, b);
    return std::atan2(std::sqrt(dot(c, c)), dot(a, b)) * kToDeg;
}

ValLineResult Go(const std::string& text1, bool plane1, const std::string& text2, bool plane2,
                 int frtS, int frtL, bool decimals)
{
    return ComputeValLine({text1, text2, plane1, plane2, {frtS, frtL}, decimals});
}

// The number that ends a report line (after its last ": " and any letter).
double NumberAfter(const std::string& line, const std::string& head)
{
    EXPECT_EQ(line.rfind(head, 0), 0u) << line;
    std::string rest = line.substr(head.size());
    while (!rest.empty() && !(rest[0] >= '0' && rest[0] <= '9'))
        rest.erase(0, 1);
    return std::stod(rest);
}

// --- Two planes -------------------------------------------------------------------------------

// Planes dipping 30 toward 090 and toward 180. The intersection bisects the dip directions
// (trend 135) with tan(plunge) = tan(30) sin(45): 22.21; its pitch in either plane, from
// sin(pitch) = sin(plunge) / sin(dip), is 49.11 from the strike end nearer it (S in the first
// plane, E in the second). The poles 270/60 and 000/60 are apart by
// arccos(sin 60 sin 60 + cos 60 cos 60 cos 90) = 41.41.
TEST(ValLineTwoPlanes, ReportLinesHandWorked)
{
    struct Row {
        const char* first;
        const char* second;
        int frtS, frtL;
        bool decimals;
        Lines lines;
    };
    const std::vector<Row> rows = {
        {"30/090",
         "30/180",
         1,
         1,
         true,
         {"Intersection of the 2 planes : 22.2 / 135.0", "their angle :  41.4",
          "pitch of intersection on 30.0 / 90.0 : S 49.1 ",
          "pitch of intersection on 30.0 / 180.0 : E 49.1 ", ""}},
        {"30/090",
         "30/180",
         1,
         1,
         false,
         {"Intersection of the 2 planes : 22 / 135", "their angle : 41",
          "pitch of intersection on 30 / 90 : S 49", "pitch of intersection on 30 / 180 : E 49",
          ""}},
        {"0 E 30",
         "90 S 30",
         0,
         0,
         true,
         {"Intersection of the 2 planes : 135.0 SE 22.2", "their angle :  41.4",
          "pitch of intersection on 0.0  E 30.0 : S 49.1 ",
          "pitch of intersection on 90.0  S 30.0 : E 49.1 ", ""}},
        // Two vertical planes meet in the vertical, at right angles.
        {"90/90",
         "90/180",
         1,
         1,
         false,
         {"Intersection of the 2 planes : 90 / 0", "their angle : 90",
          "pitch of intersection on 90 / 90 : N 90", "pitch of intersection on 90 / 180 : E 90",
          ""}},
    };
    for (const Row& r : rows) {
        const ValLineResult v = Go(r.first, true, r.second, true, r.frtS, r.frtL, r.decimals);
        EXPECT_EQ(v.status, ValLineStatus::Done);
        EXPECT_EQ(v.mode, ValLineMode::TwoPlanes);
        EXPECT_EQ(v.lines, r.lines) << r.first << " & " << r.second;
    }
}

// The angle written is the angle between the planes (between their poles), never its
// complement: planes striking north and dipping 30 east and 30 west are 60 apart.
TEST(ValLineTwoPlanes, TheirAngleIsTheAngleBetweenThePlanes)
{
    struct Row {
        const char* first;
        const char* second;
        const char* angle;
    };
    for (const Row& r : std::vector<Row>{{"30/090", "30/270", "their angle : 60"},
                                         {"90/090", "90/180", "their angle : 90"},
                                         {"20/000", "60/000", "their angle : 40"},
                                         {"45/010", "45/190", "their angle : 90"}}) {
        const ValLineResult v = Go(r.first, true, r.second, true, 1, 1, false);
        ASSERT_EQ(v.lines.size(), 5u);
        EXPECT_EQ(v.lines[1], r.angle) << r.first << " & " << r.second;
    }
}

TEST(ValLineTwoPlanes, AgreeWithVectorsOverManyPairs)
{
    for (double dip1 = 5; dip1 <= 90; dip1 += 17)
        for (double dir1 = 0; dir1 < 360; dir1 += 47)
            for (double dip2 = 10; dip2 <= 90; dip2 += 23)
                for (double dir2 = 20; dir2 < 360; dir2 += 61) {
                    const V n1 = poleVector(dip1, dir1);
                    const V n2 = poleVector(dip2, dir2);
                    if (axesApartDeg(n1, n2) < 1)
                        continue;
                    const std::string t1 = FormatFixed(dip1, 1) + "/" + FormatFixed(dir1, 1);
                    const std::string t2 = FormatFixed(dip2, 1) + "/" + FormatFixed(dir2, 1);
                    const ValLineResult v = Go(t1, true, t2, true, 1, 1, true);
                    ASSERT_EQ(v.mode, ValLineMode::TwoPlanes) << t1 << " & " << t2;
                    const V line = cross(n1, n2);
                    EXPECT_LT(axesApartDeg(vectorOf(v.d3), line), 1e-6);
                    EXPECT_GE(v.d3.plunge, 0);
                    EXPECT_NEAR(NumberAfter(v.lines[1], "their angle : "), vectorsApartDeg(n1, n2),
                                0.051);
                    // The pitch is the acute angle between the line and the strike.
                    for (int k : {0, 1}) {
                        const double dir = k == 0 ? dir1 : dir2;
                        const double pitch = axesApartDeg(line, lineVector(dir + 90, 0));
                        const std::string& text = k == 0 ? v.text1 : v.text2;
                        EXPECT_NEAR(
                            NumberAfter(v.lines[2 + k], "pitch of intersection on " + text + " : "),
                            pitch, 0.051);
                    }
                }
}

// The same plane typed twice, however it is typed, has no intersection.
TEST(ValLineParallel, SamePlaneOrLineTypedTwoWays)
{
    struct Row {
        const char* first;
        const char* second;
        bool planes;
        int frtS, frtL;
        const char* message;
    };
    const std::vector<Row> rows = {
        // The same texts once written again with integers.
        {"120 S 10", "120.0 S 10.0", true, 0, 0, "S1 and S2 are parallel..."},
        {"10/210", "10.0/210", true, 1, 1, "S1 and S2 are parallel..."},
        // Different texts, the same plane: the vertical plane striking N, the horizontal plane.
        {"90/090", "90/270", true, 1, 1, "S1 and S2 are parallel..."},
        {"0/000", "0/180", true, 1, 1, "S1 and S2 are parallel..."},
        {"0 N 90", "180 S 90", true, 0, 0, "S1 and S2 are parallel..."},
        // The horizontal east-west line, by both ends.
        {"0/090", "0/270", false, 1, 1, "L1 and  L2 are parallel..."},
        {"90 E 0", "90 W 0", false, 0, 0, "L1 and  L2 are parallel..."},
        {"10/200", "10.0/200.0", false, 1, 1, "L1 and  L2 are parallel..."},
    };
    for (const Row& r : rows) {
        const ValLineResult v = Go(r.first, r.planes, r.second, r.planes, r.frtS, r.frtL, false);
        EXPECT_EQ(v.status, ValLineStatus::Done);
        EXPECT_EQ(v.mode, ValLineMode::None) << r.first << " & " << r.second;
        EXPECT_EQ(v.lines, (Lines{r.message, ""})) << r.first << " & " << r.second;
    }
    // A degree apart is not parallel.
    EXPECT_EQ(Go("90/090", true, "89/270", true, 1, 1, false).mode, ValLineMode::TwoPlanes);
    EXPECT_EQ(Go("0/090", false, "1/270", false, 1, 1, false).mode, ValLineMode::TwoLines);
}

// --- Two lines --------------------------------------------------------------------------------

// The lines 0/000 and 30/090 lie in the plane striking north and dipping 30 east. The lines
// 20/045 and 20/135 lie in a plane dipping toward 090 with tan(dip) = tan(20) / sin(45): 27.24;
// the angle between them is arccos(cos 20 cos 20 cos 90 + sin 20 sin 20) = 83.28.
TEST(ValLineTwoLines, ReportLinesHandWorked)
{
    struct Row {
        const char* first;
        const char* second;
        int frtS, frtL;
        bool decimals;
        Lines lines;
    };
    const std::vector<Row> rows = {
        {"0/000",
         "30/090",
         1,
         1,
         true,
         {"Plane defined by the 2 lines : 30.0 / 90.0", "angle of the lines : 90.0\xB0", ""}},
        {"20/045",
         "20/135",
         1,
         1,
         true,
         {"Plane defined by the 2 lines : 27.2 / 90.0", "angle of the lines : 83.3\xB0", ""}},
        {"45 NE 20",
         "135 SE 20",
         0,
         0,
         false,
         {"Plane defined by the 2 lines : 0  E 27", "angle of the lines : 83\xB0", ""}},
    };
    for (const Row& r : rows) {
        const ValLineResult v = Go(r.first, false, r.second, false, r.frtS, r.frtL, r.decimals);
        EXPECT_EQ(v.mode, ValLineMode::TwoLines);
        EXPECT_EQ(v.lines, r.lines) << r.first << " & " << r.second;
    }
}

TEST(ValLineTwoLines, AgreeWithVectorsOverManyPairs)
{
    for (double p1 = 0; p1 <= 90; p1 += 19)
        for (double t1 = 0; t1 < 360; t1 += 53)
            for (double p2 = 3; p2 <= 90; p2 += 29)
                for (double t2 = 10; t2 < 360; t2 += 71) {
                    const V a = lineVector(t1, p1);
                    const V b = lineVector(t2, p2);
                    if (axesApartDeg(a, b) < 1)
                        continue;
                    const std::string s1 = FormatFixed(p1, 1) + "/" + FormatFixed(t1, 1);
                    const std::string s2 = FormatFixed(p2, 1) + "/" + FormatFixed(t2, 1);
                    const ValLineResult v = Go(s1, false, s2, false, 3, 1, true);
                    ASSERT_EQ(v.mode, ValLineMode::TwoLines) << s1 << " & " << s2;
                    EXPECT_LT(axesApartDeg(vectorOf(v.d3), cross(a, b)), 1e-6);
                    EXPECT_NEAR(NumberAfter(v.lines[1], "angle of the lines : "),
                                vectorsApartDeg(a, b), 0.051);
                }
}

// --- A plane and a line -----------------------------------------------------------------------

// The plane dipping 40 toward 120 strikes 030.
//  - Trend 080 (50 from the strike): tan(plunge) = tan(40) sin(50), 32.73; its pitch from
//    cos(pitch) = cos(plunge) cos(50), 57.27 from the N end.
//  - Pitch 30 from the N end: sin(plunge) = sin(30) sin(40), 18.75, at 030 + arctan(cos(40)
//    tan(30)) = 053.86; from the S end at 210 - 23.86 = 186.14.
//  - Plunge 20: sin(f) = tan(20) / tan(40) gives f = 25.71 from the strike: trends 055.71 and
//    184.29, both at sin(pitch) = sin(20) / sin(40), 32.15 from the N and S ends.
TEST(ValLinePlaneAndLine, ReportLinesHandWorked)
{
    struct Row {
        const char* line;
        int frtL;
        bool decimals;
        ValLineMode mode;
        Lines lines;
    };
    const std::vector<Row> rows = {
        {"80",
         1,
         true,
         ValLineMode::PlaneAndLine,
         {"strike 80 in plane 40.0 / 120.0 : 32.7 / 80.0", "pitch of the line : N57.3", ""}},
        {"260",
         1,
         false,
         ValLineMode::PlaneAndLine,
         {"strike 260 in plane 40 / 120 : 33 / 80", "pitch of the line : N57", ""}},
        {"30",
         1,
         true,
         ValLineMode::PlaneAndLine,
         {"strike 30 in plane 40.0 / 120.0 : 0.0 / 30.0", "pitch of the line : N0.0", ""}},
        {"30N",
         0,
         true,
         ValLineMode::PlaneAndLine,
         {"pitch 30N in plane 40.0 / 120.0 : 53.9 NE 18.7", ""}},
        {"N30",
         1,
         true,
         ValLineMode::PlaneAndLine,
         {"pitch N30 in plane 40.0 / 120.0 : 18.7 / 53.9", ""}},
        {"s30",
         1,
         true,
         ValLineMode::PlaneAndLine,
         {"pitch s30 in plane 40.0 / 120.0 : 18.7 / 186.1", ""}},
        // In the slash forms a letter makes a pitch even after "?", and "?" without "/" is
        // passed over: a trend.
        {"?N30",
         1,
         true,
         ValLineMode::PlaneAndLine,
         {"pitch ?N30 in plane 40.0 / 120.0 : 18.7 / 53.9", ""}},
        {"?80",
         1,
         true,
         ValLineMode::PlaneAndLine,
         {"strike ?80 in plane 40.0 / 120.0 : 32.7 / 80.0", "pitch of the line : N57.3", ""}},
        {"?20",
         0,
         true,
         ValLineMode::PlaneAndTwoLines,
         {"plunge 20 in plane 40.0 / 120.0 :", "lines 4.3  S 20.0 and 55.7 NE 20.0",
          "pitch of those lines : S 32.1 and N 32.1", ""}},
        {"?S20",
         0,
         true,
         ValLineMode::PlaneAndTwoLines,
         {"plunge 20 in plane 40.0 / 120.0 :", "lines 4.3  S 20.0 and 55.7 NE 20.0",
          "pitch of those lines : S 32.1 and N 32.1", ""}},
        // The chosen line comes first, with its own pitch.
        {"?N20",
         0,
         true,
         ValLineMode::PlaneAndTwoLines,
         {"plunge 20 in plane 40.0 / 120.0 :", "lines 55.7 NE 20.0 and 4.3  S 20.0",
          "pitch of those lines : N 32.1 and S 32.1", ""}},
        {"*/20",
         1,
         false,
         ValLineMode::PlaneAndTwoLines,
         {"plunge 20 in plane 40 / 120 :", "lines 20 / 184 and 20 / 56",
          "pitch of those lines : S 32 and N 32", ""}},
        // The whole plunge after the slash. By hand: sin f = sin 20.9 / sin 40 gives a pitch of
        // 33.71, tan d = tan f cos 40 puts the lines 27.06 from the strikes 30 and 210.
        {"?/20.9",
         1,
         false,
         ValLineMode::PlaneAndTwoLines,
         {"plunge 21 in plane 40 / 120 :", "lines 21 / 183 and 21 / 57",
          "pitch of those lines : S 34 and N 34", ""}},
        {"x?", 0, true, ValLineMode::None, {"linex?: error of format or value", ""}},
    };
    for (const Row& r : rows) {
        const ValLineResult v = Go("40/120", true, r.line, false, 1, r.frtL, r.decimals);
        EXPECT_EQ(v.status, ValLineStatus::Done);
        EXPECT_EQ(v.mode, r.mode) << r.line;
        EXPECT_EQ(v.lines, r.lines) << r.line;
        EXPECT_EQ(v.text2, r.line) << "a partial value stays as typed";
    }
}

// Plane 30/090 strikes 000: the plunge 20 lines are at f = arcsin(tan 20 / tan 30) = 39.08 from
// it, 039.08 and 140.92, each 43.19 from its strike end (cos = cos 20 cos 39.08).
TEST(ValLinePlaneAndLine, PlungeChoiceLeadsTheReport)
{
    const ValLineResult v = Go("30/090", true, "?N20", false, 1, 0, true);
    EXPECT_EQ(v.lines,
              (Lines{"plunge 20 in plane 30.0 / 90.0 :", "lines 39.1 NE 20.0 and 140.9 SE 20.0",
                     "pitch of those lines : N 43.2 and S 43.2", ""}));
    EXPECT_EQ(v.mode, ValLineMode::PlaneAndTwoLines);
    EXPECT_NEAR(v.d2.trend * kToDeg, 39.08, 0.01);
    EXPECT_NEAR(v.d3.trend * kToDeg, 140.92, 0.01);
    const ValLineResult south = Go("30/090", true, "?S20", false, 1, 0, true);
    EXPECT_NEAR(south.d2.trend * kToDeg, 140.92, 0.01);
    EXPECT_EQ(south.lines[1], "lines 140.9 SE 20.0 and 39.1 NE 20.0");
    EXPECT_EQ(south.lines[2], "pitch of those lines : S 43.2 and N 43.2");
}

// One answer: a plunge beyond the dip is the dip line, a plunge of 0 the strike line.
TEST(ValLinePlaneAndLine, PlungeWithOneAnswer)
{
    struct Row {
        const char* line;
        const char* report;
        double trend;
    };
    for (const Row& r : std::vector<Row>{{"?40", "plunge 30 in plane 30 / 90 : 90  E 30", 90},
                                         {"?30", "plunge 30 in plane 30 / 90 : 90  E 30", 90},
                                         {"?0", "plunge 0 in plane 30 / 90 : 0  N 0", 0}}) {
        const ValLineResult v = Go("30/090", true, r.line, false, 1, 0, false);
        EXPECT_EQ(v.lines, (Lines{r.report, ""})) << r.line;
        EXPECT_EQ(v.mode, ValLineMode::PlaneAndTwoLines);
        EXPECT_NEAR(NormalizeTrend(v.d2.trend) * kToDeg, r.trend, 1e-9);
        EXPECT_EQ(v.d2.trend, v.d3.trend);
    }
}

// Trend 302 names the same vertical section as 122: the answer is its plunging end.
TEST(ValLinePlaneAndLine, TrendGivesThePlungingEndOfTheSection)
{
    for (const char* trend : {"122", "302"}) {
        const ValLineResult v = Go("30/090", true, trend, false, 1, 1, true);
        // tan(plunge) = tan(30) sin(122): 26.09; the pitch from the S end, cos = cos(26.09)
        // cos(58): 61.56.
        EXPECT_EQ(v.lines,
                  (Lines{std::string("strike ") + trend + " in plane 30.0 / 90.0 : 26.1 / 122.0",
                         "pitch of the line : S61.6", ""}));
    }
}

// Every partial answer lies in the plane and has what was asked of it.
TEST(ValLinePlaneAndLine, AnswersLieInThePlane)
{
    for (double dip = 10; dip <= 85; dip += 15)
        for (double dir = 0; dir < 360; dir += 37) {
            const std::string plane = FormatFixed(dip, 1) + "/" + FormatFixed(dir, 1);
            const V n = poleVector(dip, dir);
            const V strike = lineVector(dir - 90, 0);
            for (double value = 5; value < 90; value += 20) {
                const std::string trend = FormatFixed(value * 3.7, 1);
                const ValLineResult a = Go(plane, true, trend, false, 1, 1, true);
                EXPECT_NEAR(dot(vectorOf(a.d2), n), 0, 1e-9) << plane << " " << trend;
                const double section = std::fmod(a.d2.trend * kToDeg - value * 3.7 + 360, 180);
                EXPECT_TRUE(section < 1e-6 || section > 180 - 1e-6) << plane << " " << trend;

                for (const char* end : {"N", "S"}) {
                    const ValLineResult p =
                        Go(plane, true, end + FormatFixed(value, 1), false, 1, 1, true);
                    EXPECT_NEAR(dot(vectorOf(p.d2), n), 0, 1e-9);
                    EXPECT_NEAR(axesApartDeg(vectorOf(p.d2), strike), value, 1e-6);
                }

                const ValLineResult g =
                    Go(plane, true, "?/" + FormatFixed(value, 0), false, 1, 1, true);
                for (const Direction& d : {g.d2, g.d3}) {
                    EXPECT_NEAR(dot(vectorOf(d), n), 0, 1e-9);
                    EXPECT_NEAR(d.plunge * kToDeg, std::min(value, dip), 1e-6);
                }
            }
        }
}

// The angle between a plane and a line is arcsin |n . l|; within 3 degrees the line is taken
// as lying in the plane and its pitch is written too.
TEST(ValLinePlaneAndLine, AngleBetweenPlaneAndLine)
{
    struct Row {
        double dip, dipDir, plunge, trend; // degrees
        const char* pitch;                 // nullptr: no pitch line
    };
    const std::vector<Row> rows = {
        // A vertical plane striking north: a horizontal line is as far from it as its trend
        // is from north (pitch = angle to the strike).
        {90, 90, 0, 2, "pitch of the line : N2.0"},
        {90, 90, 0, 5, nullptr},
        {90, 90, 0, 92, nullptr},
        // A horizontal plane: the plunge is the angle; the pitch is taken from the strike
        // (090) toward the trend, here 110 from E, 70 from W.
        {0, 0, 2.5, 200, "pitch of the line : W70.0"},
        {0, 0, 3.5, 200, nullptr},
        // The strike line of the plane dipping 30 east, and lines near that plane.
        {30, 90, 0, 0, "pitch of the line : N0.0"},
        {30, 90, 10, 10, nullptr},
        // Its angle to the strike: cos = cos(24) cos(55), 58.4.
        {30, 90, 24, 55, "pitch of the line : N58.4"},
    };
    for (const Row& r : rows) {
        const std::string plane = FormatFixed(r.dip, 1) + "/" + FormatFixed(r.dipDir, 1);
        const std::string line = FormatFixed(r.plunge, 1) + "/" + FormatFixed(r.trend, 1);
        const ValLineResult v = Go(plane, true, line, false, 1, 1, true);
        ASSERT_EQ(v.mode, ValLineMode::PlaneAndLine) << line;
        const V n = poleVector(r.dip, r.dipDir);
        const V l = lineVector(r.trend, r.plunge);
        const double angle = std::asin(std::fabs(dot(n, l))) * kToDeg;
        EXPECT_EQ(v.lines[0], "angle between plane " + v.text1 + " and line " + v.text2 + " : "
                                  + FormatFixed(angle, 1) + "\xB0");
        const bool pitched = angle < 3;
        EXPECT_EQ(pitched, r.pitch != nullptr) << line << " is " << angle << " from " << plane;
        ASSERT_EQ(v.lines.size(), pitched ? 3u : 2u) << line;
        if (pitched) {
            EXPECT_EQ(v.lines[1], r.pitch);
        }
    }
}

// The dip line of a plane in the plane: angle 0, and a whole line rewritten into its box.
TEST(ValLinePlaneAndLine, WholeLineIsRewrittenIntoItsBox)
{
    const ValLineResult v = Go("30 N 20", false, "0 e 30", true, 0, 0, false);
    EXPECT_EQ(v.text1, "30 NE 20");
    EXPECT_EQ(v.text2, "0  E 30");
    EXPECT_NEAR(v.d1.trend * kToDeg, 270, 1e-9) << "D1 is the plane, whichever box holds it";
    EXPECT_NEAR(v.d2.trend * kToDeg, 30, 1e-9);
    EXPECT_EQ(v.lines.front().rfind("angle between plane 0  E 30 and line 30 NE 20 : ", 0), 0u);
}

TEST(ValLinePlaneAndLine, PlaneInTheSecondBoxWithAPartialLine)
{
    const ValLineResult v = Go("?N20", false, "30/90", true, 1, 0, false);
    EXPECT_EQ(v.text1, "?N20");
    EXPECT_EQ(v.text2, "30 / 90");
    EXPECT_EQ(v.lines[0], "plunge 20 in plane 30 / 90 :");
    EXPECT_EQ(v.mode, ValLineMode::PlaneAndTwoLines);
}

// --- Partial values ---------------------------------------------------------------------------

TEST(ValLinePartialValue, ReadPerNotation)
{
    using K = PartialKind;
    struct Row {
        const char* text;
        int frtL;
        PartialKind kind;
        double value; // degrees
        char letter;
    };
    const std::vector<Row> rows = {
        // Quadrant forms.
        {"34N", 0, K::Pitch, 34, 'N'},
        {"N34", 0, K::Pitch, 34, 'N'},
        {"34 ne", 0, K::Pitch, 34, 'N'},
        {"sw 12,5", 0, K::Pitch, 12.5, 'S'},
        {"E90", 0, K::Pitch, 90, 'E'},
        {"122", 0, K::Trend, 122, 0},
        {"0", 0, K::Trend, 0, 0},
        {"?25", 0, K::Plunge, 25, 0},
        {"?N25", 0, K::Plunge, 25, 'N'},
        {"*w25", 0, K::Plunge, 25, 'W'},
        {"*/30", 0, K::Plunge, 30, 0},
        {"30 N 20", 0, K::Full, 0, 'N'},
        {"30NE20", 0, K::Full, 0, 'N'},
        {"95N", 0, K::None, 0, 0},
        {"360", 0, K::None, 0, 0},
        {"?90", 0, K::None, 0, 0},
        {"12.5.3", 0, K::None, 0, 0},
        {"garbage", 0, K::None, 0, 0},
        {"?", 0, K::None, 0, 0},
        {"", 0, K::None, 0, 0},
        // Plunge/direction.
        {"34N", 1, K::Pitch, 34, 'N'},
        {"N34", 1, K::Pitch, 34, 'N'},
        {"122", 1, K::Trend, 122, 0},
        {"?25", 1, K::Trend, 25, 0},
        {"?N25", 1, K::Pitch, 25, 'N'},
        {"N120", 1, K::Trend, 120, 'N'},
        {"30 N 20", 1, K::None, 0, 0},
        {"*/30", 1, K::Plunge, 30, 0},
        {"?/30", 1, K::Plunge, 30, 0},
        {"/30", 1, K::Plunge, 30, 0},
        {"*/3000", 1, K::None, 0, 0},
        {"*/95", 1, K::None, 0, 0},
        {"20/141", 1, K::Full, 0, 0},
        {"20-141", 1, K::None, 0, 0}, // a dash separates nothing: 20141 is no trend
        {"95/141", 1, K::None, 0, 0},
        {"20/400", 1, K::None, 0, 0},
        {"garbage", 1, K::None, 0, 0},
        // Direction/plunge.
        {"141/20", 2, K::Full, 0, 0},
        {"400/20", 2, K::None, 0, 0},
        {"141/95", 2, K::None, 0, 0},
        {"*/30", 2, K::Plunge, 30, 0},
        {"N34", 2, K::Pitch, 34, 'N'},
        {"300", 2, K::Trend, 300, 0},
    };
    for (const Row& r : rows) {
        const PartialLine v = ReadPartialLine(r.text, r.frtL, SlashReading::PitchFirst);
        EXPECT_EQ(v.kind, r.kind) << '"' << r.text << "\" notation " << r.frtL;
        if (r.kind == K::None)
            continue;
        EXPECT_NEAR(v.value * kToDeg, r.value, 1e-9) << r.text;
        if (r.kind != K::Full) {
            EXPECT_EQ(v.letter, r.letter) << r.text;
        }
    }
}

// --- Refusals and empty boxes -----------------------------------------------------------------

TEST(ValLineInput, EmptyBoxComputesNothing)
{
    for (const auto& [a, b] : std::vector<std::pair<const char*, const char*>>{
             {"", "30/090"}, {"30/090", ""}, {"", ""}}) {
        const ValLineResult v = Go(a, true, b, false, 1, 1, false);
        EXPECT_EQ(v.status, ValLineStatus::Nothing);
        EXPECT_TRUE(v.lines.empty());
    }
}

// A text TextToDir refuses gives its message; nothing is computed and no box is rewritten.
TEST(ValLineInput, RefusedTextGivesItsMessage)
{
    struct Row {
        const char* first;
        bool plane1;
        const char* second;
        bool plane2;
        int frtS, frtL;
        const char* message;
    };
    const std::vector<Row> rows = {
        {"95/10", true, "30/090", true, 1, 1, "95/10 : dip or plunge must range from 0 to 90\xB0"},
        {"30/090", true, "10/400", true, 1, 1, "10/400 : strike cannot exceed 360\xB0"},
        {"10/010", false, "95/10", false, 1, 1,
         "95/10 : dip or plunge must range from 0 to 90\xB0"},
        {"45 NE 30", true, "30 N 20", false, 0, 0,
         "45 NE 30 : sense of dip doesn't fit given strike"},
        // A whole line whose plunge is out of range, beside a sound plane.
        {"30/090", true, "30 N 95", false, 1, 0,
         "30 N 95 : dip or plunge must range from 0 to 90\xB0"},
        {"135 NE 30", false, "0 E 30", true, 0, 0,
         "135 NE 30 : sense of plunge doesn't fit given strike"},
    };
    for (const Row& r : rows) {
        const ValLineResult v = Go(r.first, r.plane1, r.second, r.plane2, r.frtS, r.frtL, true);
        EXPECT_EQ(v.status, ValLineStatus::Refused) << r.first << " & " << r.second;
        EXPECT_EQ(v.refusal.message, r.message);
        EXPECT_TRUE(v.lines.empty());
        EXPECT_EQ(v.mode, ValLineMode::None);
        EXPECT_EQ(v.text1, r.first);
        EXPECT_EQ(v.text2, r.second);
    }
}

TEST(ValLineLabels, NameTheNotations)
{
    EXPECT_EQ(ValLinePlaneLabel(0), "planes : azimut quadrant dip");
    EXPECT_EQ(ValLinePlaneLabel(1), "planes : dip/dip direction");
    EXPECT_EQ(ValLinePlaneLabel(4), "Plane, right hand rule: strike/dip");
    EXPECT_EQ(ValLineLineLabel(0), "lines : trend quadrant plunge (or partial value)");
    EXPECT_EQ(ValLineLineLabel(1), "lines : Plunge/plunge direction (or partial value)");
    EXPECT_EQ(ValLineLineLabel(2), "Line : plunge direction/plunge");
    EXPECT_EQ(kValLineMessages[kVlLinesParallel], std::string("L1 and  L2 are parallel..."));
    EXPECT_EQ(kValLineMessages[kVlAndLine], std::string(" and line "));
}

} // namespace
} // namespace ploq
