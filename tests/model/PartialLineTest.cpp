#include "model/PartialLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kToDeg = 1 / kDegToRad;

// The pole of a plane of that dip direction and dip, degrees.
Direction poleOf(double dipDirection, double dip)
{
    return {NormalizeTrend((dipDirection + 180) * kDegToRad), (90 - dip) * kDegToRad};
}

TEST(PartialLine, ReadsEachFormInEachNotationOfLines)
{
    struct Case {
        const char* text;
        int frtL;
        PartialKind kind;
        double valueDeg;
        char letter;
    };
    const Case cases[] = {
        // The calculator's examples, line notation 0.
        {"34N", 0, PartialKind::Pitch, 34, 'N'},
        {"N34", 0, PartialKind::Pitch, 34, 'N'},
        {"122", 0, PartialKind::Trend, 122, '\0'},
        {"?25", 0, PartialKind::Plunge, 25, '\0'},
        {"?N25", 0, PartialKind::Plunge, 25, 'N'},
        {"30 N 20", 0, PartialKind::Full, 0, 'N'},
        // Two-letter ends read by their N or S; a comma is a decimal point; either case.
        {"34,5 sw", 0, PartialKind::Pitch, 34.5, 'S'},
        {"ne 12", 0, PartialKind::Pitch, 12, 'N'},
        {"*40 e", 0, PartialKind::Plunge, 40, 'E'},
        {"30 NE 20", 0, PartialKind::Full, 0, 'N'},
        {"359.9", 0, PartialKind::Trend, 359.9, '\0'},
        // Slash notations: a "/" after something is a whole line, after "*", "?" or nothing a
        // plunge; without "/" a letter gives a pitch, no letter a trend.
        {"20/030", 1, PartialKind::Full, 0, '\0'},
        {"?/25", 1, PartialKind::Plunge, 25, '\0'},
        {"*/25 N", 1, PartialKind::Plunge, 25, 'N'},
        {"/25", 1, PartialKind::Plunge, 25, '\0'},
        {"?25", 1, PartialKind::Plunge, 25, '\0'},
        {"25N", 1, PartialKind::Pitch, 25, 'N'},
        {"W 25", 1, PartialKind::Pitch, 25, 'W'},
        {"122", 1, PartialKind::Trend, 122, '\0'},
        {"030/20", 2, PartialKind::Full, 0, '\0'},
        {"?/40 E", 2, PartialKind::Plunge, 40, 'E'},
        {"40S", 2, PartialKind::Pitch, 40, 'S'},
    };
    for (const Case& c : cases) {
        const PartialLine p = ReadPartialLine(c.text, c.frtL, SlashReading::PlungeFirst);
        EXPECT_EQ(p.kind, c.kind) << c.text << " in " << c.frtL;
        EXPECT_NEAR(p.value * kToDeg, c.valueDeg, 1e-9) << c.text;
        EXPECT_EQ(p.letter, c.letter) << c.text;
    }
}

TEST(PartialLine, RefusesWhatItCannotRead)
{
    const std::pair<const char*, int> cases[] = {
        {"", 0},     {"abc", 0}, {"?", 0},   {"95N", 0}, {"360", 0}, {"N34E", 0}, {"1.2.3", 0},
        {"?/95", 1}, {"?/", 2},  {"91W", 1}, {"400", 2}, {"12/", 0}, {"*N*", 0},  {"?N", 1}};
    for (const auto& [text, frtL] : cases)
        EXPECT_EQ(ReadPartialLine(text, frtL, SlashReading::PlungeFirst).kind, PartialKind::None)
            << text << " in " << frtL;
}

struct Reading {
    PartialKind kind;
    double valueDeg;
    char letter;
};

void expectReading(const PartialLine& p, const Reading& r)
{
    EXPECT_EQ(p.kind, r.kind);
    EXPECT_NEAR(p.value * kToDeg, r.valueDeg, 1e-9);
    EXPECT_EQ(p.letter, r.letter);
}

// Where the calculator and the striae part: in the slash notations only, on a letter beside the
// marks of a plunge, a letter with no pitch, and the length of a plunge.
TEST(PartialLine, TheTwoSlashReadingsDiffer)
{
    struct Case {
        const char* text;
        int frtL;
        Reading pitchFirst;
        Reading plungeFirst;
    };
    const Case cases[] = {
        // A letter after the marks: a pitch, or the letter that picks a plunge's line.
        {"?N20", 1, {PartialKind::Pitch, 20, 'N'}, {PartialKind::Plunge, 20, 'N'}},
        {"*w25", 2, {PartialKind::Pitch, 25, 'W'}, {PartialKind::Plunge, 25, 'W'}},
        {"?/20N", 1, {PartialKind::Pitch, 20, 'N'}, {PartialKind::Plunge, 20, 'N'}},
        {"*/25 s", 2, {PartialKind::Pitch, 25, 'S'}, {PartialKind::Plunge, 25, 'S'}},
        {"/25E", 1, {PartialKind::Pitch, 25, 'E'}, {PartialKind::Plunge, 25, 'E'}},
        // Marks without a "/": the mark is passed over, or it makes a plunge.
        {"?20", 1, {PartialKind::Trend, 20, '\0'}, {PartialKind::Plunge, 20, '\0'}},
        {"*90", 2, {PartialKind::Trend, 90, '\0'}, {PartialKind::Plunge, 90, '\0'}},
        // A letter that gives no pitch: passed over, or an error.
        {"N120", 1, {PartialKind::Trend, 120, 'N'}, {PartialKind::None, 0, '\0'}},
        {"91W", 2, {PartialKind::Trend, 91, 'W'}, {PartialKind::None, 0, '\0'}},
        {"?N120", 1, {PartialKind::Trend, 120, 'N'}, {PartialKind::None, 0, '\0'}},
        // The whole plunge, however it is written.
        {"?/20.9", 1, {PartialKind::Plunge, 20.9, '\0'}, {PartialKind::Plunge, 20.9, '\0'}},
        {"*/0045", 2, {PartialKind::Plunge, 45, '\0'}, {PartialKind::Plunge, 45, '\0'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" in " << c.frtL);
        expectReading(ReadPartialLine(c.text, c.frtL, SlashReading::PitchFirst), c.pitchFirst);
        expectReading(ReadPartialLine(c.text, c.frtL, SlashReading::PlungeFirst), c.plungeFirst);
    }
}

TEST(PartialLine, BothReadingsAgreeElsewhere)
{
    struct Case {
        const char* text;
        int frtL;
        Reading both;
    };
    const Case cases[] = {
        // The quadrant forms, marks and letters alike.
        {"?N20", 0, {PartialKind::Plunge, 20, 'N'}},
        {"?20", 0, {PartialKind::Plunge, 20, '\0'}},
        {"*/30", 0, {PartialKind::Plunge, 30, '\0'}},
        {"?/25N", 0, {PartialKind::Plunge, 25, 'N'}},
        {"?89.5", 0, {PartialKind::Plunge, 89.5, '\0'}},
        {"?90", 0, {PartialKind::None, 0, '\0'}},
        {"N120", 0, {PartialKind::None, 0, '\0'}},
        {"30 N 20", 0, {PartialKind::Full, 0, 'N'}},
        {"45 NE 30", 0, {PartialKind::Full, 0, 'N'}},
        // A stray "/" is no part of a number.
        {"12/", 0, {PartialKind::None, 0, '\0'}},
        {"1/2", 0, {PartialKind::None, 0, '\0'}},
        {"/30", 0, {PartialKind::None, 0, '\0'}},
        {"34N/", 1, {PartialKind::None, 0, '\0'}},
        {"2/3N", 1, {PartialKind::Full, 0, 'N'}},
        // The slash forms without marks or letters, and the plunges without a letter.
        {"?/30", 1, {PartialKind::Plunge, 30, '\0'}},
        {"*/90", 2, {PartialKind::Plunge, 90, '\0'}},
        {"/30", 1, {PartialKind::Plunge, 30, '\0'}},
        {"*/95", 1, {PartialKind::None, 0, '\0'}},
        {"34N", 1, {PartialKind::Pitch, 34, 'N'}},
        {"W 90", 2, {PartialKind::Pitch, 90, 'W'}},
        {"300", 2, {PartialKind::Trend, 300, '\0'}},
        // A whole line is one in range, plunge first or direction first.
        {"20/141", 1, {PartialKind::Full, 0, '\0'}},
        {"141/20", 2, {PartialKind::Full, 0, '\0'}},
        {"95/141", 1, {PartialKind::None, 0, '\0'}},
        {"20/400", 1, {PartialKind::None, 0, '\0'}},
        {"20/141", 2, {PartialKind::None, 0, '\0'}},
    };
    for (const Case& c : cases)
        for (SlashReading reading : {SlashReading::PitchFirst, SlashReading::PlungeFirst}) {
            SCOPED_TRACE(testing::Message() << '"' << c.text << "\" in " << c.frtL << " reading "
                                            << static_cast<int>(reading));
            expectReading(ReadPartialLine(c.text, c.frtL, reading), c.both);
        }
}

// Planes of every quadrant of dip direction, gentle to vertical, none with a strike at a
// compass point (where two letters would name the same end).
const std::pair<double, double> kPlanes[] = {{35, 10},  {100, 40}, {200, 60}, {290, 75},
                                             {160, 89}, {250, 90}, {70, 55},  {340, 30}};

double planeDistance(const Direction& pole, const Direction& line)
{
    return std::fabs(Dot(DirToVec(pole), DirToVec(line)));
}

// The horizontal end of the strike line nearest the compass point the letter names.
Vec3 strikeEnd(const Direction& pole, char letter)
{
    const double strike = NormalizeTrend(pole.trend + kPi / 2);
    const double compass = std::string_view("NESW").find(letter) * kPi / 2;
    const auto apart = [compass](double t) {
        return std::fabs(std::remainder(t - compass, 2 * kPi));
    };
    const double end = apart(strike) < apart(strike + kPi) ? strike : strike + kPi;
    return DirToVec({end, 0});
}

TEST(PartialLine, APitchNamesTheLineAtThatAngleFromTheNamedEnd)
{
    for (const auto& [dipDirection, dip] : kPlanes)
        for (char letter : std::string_view("NESW"))
            for (double pitch : {0.0, 15.0, 34.0, 60.0, 89.0, 90.0}) {
                const Direction pole = poleOf(dipDirection, dip);
                const Direction line =
                    PartialLineInPlane({PartialKind::Pitch, pitch * kDegToRad, letter}, pole)
                        .chosen();
                SCOPED_TRACE(testing::Message()
                             << dipDirection << "/" << dip << " " << letter << pitch);
                EXPECT_LT(planeDistance(pole, line), 1e-9);
                EXPECT_GE(line.plunge, 0);
                // The downward line makes the pitch with the named end ...
                const double fromEnd =
                    std::acos(std::clamp(Dot(DirToVec(line), strikeEnd(pole, letter)), -1.0, 1.0));
                EXPECT_NEAR(fromEnd * kToDeg, pitch, 1e-6);
                // ... and reads back as that pitch.
                EXPECT_NEAR(PitchOfLine(line, pole.trend).pitch * kToDeg, pitch, 1e-6);
            }
}

TEST(PartialLine, ATrendNamesTheLineOfThePlaneInThatVerticalSection)
{
    for (const auto& [dipDirection, dip] : kPlanes)
        for (double trend = 3; trend < 360; trend += 29) {
            const Direction pole = poleOf(dipDirection, dip);
            const Direction line =
                PartialLineInPlane({PartialKind::Trend, trend * kDegToRad, '\0'}, pole).chosen();
            SCOPED_TRACE(testing::Message() << dipDirection << "/" << dip << " trend " << trend);
            EXPECT_LT(planeDistance(pole, line), 1e-9);
            // The section is the vertical plane of that trend: its normal is horizontal,
            // across the trend. The line is where both planes meet, taken downward.
            const Vec3 sectionNormal{std::cos(trend * kDegToRad), -std::sin(trend * kDegToRad), 0};
            const Vec3 meet = Cross(DirToVec(pole), sectionNormal);
            const double length = std::sqrt(Dot(meet, meet));
            EXPECT_NEAR(std::fabs(Dot(meet, DirToVec(line))), length, 1e-9 * length);
            EXPECT_NEAR(std::fabs(std::remainder(line.trend - trend * kDegToRad, kPi)), 0,
                        line.plunge > 89.999 * kDegToRad ? 1 : 1e-9);
            // tan(plunge) = tan(dip) |sin(trend - strike)|.
            if (dip < 90) {
                EXPECT_NEAR(std::tan(line.plunge),
                            std::tan(dip * kDegToRad)
                                * std::fabs(std::sin((trend - dipDirection + 90) * kDegToRad)),
                            1e-9 * (1 + std::tan(line.plunge)));
            }
        }
}

TEST(PartialLine, APlungeNamesTheLinesOfThatPlungeAndTheLetterPicksOne)
{
    for (const auto& [dipDirection, dip] : kPlanes)
        for (double plunge : {5.0, 20.0, 45.0}) {
            if (plunge >= dip)
                continue;
            const Direction pole = poleOf(dipDirection, dip);
            for (char letter : std::string_view("NESW")) {
                const LinesInPlane lines =
                    PartialLineInPlane({PartialKind::Plunge, plunge * kDegToRad, letter}, pole);
                SCOPED_TRACE(testing::Message()
                             << dipDirection << "/" << dip << " ?" << letter << plunge);
                for (const Direction& line : {lines.first, lines.second}) {
                    EXPECT_LT(planeDistance(pole, line), 1e-9);
                    EXPECT_NEAR(line.plunge * kToDeg, plunge, 1e-9);
                }
                EXPECT_GT(
                    std::fabs(std::remainder(lines.first.trend - lines.second.trend, 2 * kPi)),
                    1e-6);
                ASSERT_NE(lines.choice, 0);
                // The chosen line is the one nearer the compass point.
                const double compass = std::string_view("NESW").find(letter) * kPi / 2;
                const auto apart = [compass](const Direction& d) {
                    return std::fabs(std::remainder(d.trend - compass, 2 * kPi));
                };
                const Direction other = lines.choice == 2 ? lines.first : lines.second;
                EXPECT_LE(apart(lines.chosen()), apart(other) + 1e-9);
            }
        }
}

TEST(PartialLine, APlungeSteeperThanThePlaneIsItsDipLine)
{
    // A plane dipping 30 toward 120 and the partial value ?40.
    const Direction pole = poleOf(120, 30);
    const LinesInPlane lines =
        PartialLineInPlane(ReadPartialLine("?40", 0, SlashReading::PlungeFirst), pole);
    EXPECT_EQ(lines.choice, 0);
    EXPECT_NEAR(lines.chosen().trend * kToDeg, 120, 1e-9);
    EXPECT_NEAR(lines.chosen().plunge * kToDeg, 30, 1e-9);
    EXPECT_NEAR(lines.second.trend, lines.first.trend, 1e-12);
}

TEST(PartialLine, ATrendThatDoesNotPlungeTurnsToTheOtherEnd)
{
    // A plane dipping 40 toward 090: the section of trend 300 meets it in a line plunging
    // toward 120, and the section along the strike in the horizontal strike line.
    const Direction pole = poleOf(90, 40);
    const Direction line =
        PartialLineInPlane(ReadPartialLine("300", 0, SlashReading::PlungeFirst), pole).chosen();
    EXPECT_NEAR(line.trend * kToDeg, 120, 1e-9);
    EXPECT_NEAR(std::tan(line.plunge), std::tan(40 * kDegToRad) * std::sin(60 * kDegToRad), 1e-12);
    const Direction strike =
        PartialLineInPlane(ReadPartialLine("180", 0, SlashReading::PlungeFirst), pole).chosen();
    EXPECT_NEAR(strike.plunge, 0, 1e-12);
}

} // namespace
} // namespace ploq
