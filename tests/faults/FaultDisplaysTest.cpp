#include "faults/FaultDisplays.h"

#include "app/VarGlob.h"
#include "datasheet/SheetEntry.h"
#include "model/Trigo.h"
#include "model/UtilGlob.h"
#include "stats2d/Stats2D.h"
#include "support/Draws.h"
#include "support/SheetRows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double rad(double degrees)
{
    return degrees * kPi / 180;
}

double deg(double radians)
{
    return radians * 180 / kPi;
}

// A vector given as (north, east, down) as the trend and plunge of the line, pointing down (a
// line upward is the same line taken the other way).
Direction lineOf(double north, double east, double down)
{
    if (down < 0) {
        north = -north;
        east = -east;
        down = -down;
    }
    double trend = std::atan2(east, north);
    if (trend < 0)
        trend += 2 * kPi;
    return {trend,
            std::asin(std::min(1.0, down / std::sqrt(north * north + east * east + down * down)))};
}

// A fault of strike phi and dip delta after the right-hand rule (it dips to the right of its
// strike), written with its pole pointing down as the records hold it; angles in degrees.
InfoVal faultPlane(double phi, double delta, const char* nature)
{
    const double p = rad(phi);
    const double d = rad(delta);
    // The normal pointing down: (sin d sin p, -sin d cos p, cos d) in (north, east, down).
    const Direction pole =
        lineOf(std::sin(d) * std::sin(p), -std::sin(d) * std::cos(p), std::cos(d));
    InfoVal v;
    v.azi = pole.trend;
    v.pen = pole.plunge;
    v.na = nature;
    v.nu = "1";
    return v;
}

InfoVal striaeLine(const Direction& line, const char* nature)
{
    InfoVal v;
    v.azi = line.trend;
    v.pen = line.plunge;
    v.na = nature;
    v.nu = "1";
    return v;
}

// The line of the plane at the angle a from its strike toward its dip: cos a s + sin a d.
Direction lineInPlane(double phi, double delta, double a)
{
    const double p = rad(phi);
    const double d = rad(delta);
    const double c = std::cos(rad(a));
    const double s = std::sin(rad(a));
    return lineOf(c * std::cos(p) - s * std::sin(p) * std::cos(d),
                  c * std::sin(p) + s * std::cos(p) * std::cos(d), s * std::sin(d));
}

std::vector<InfoVal> pair(const InfoVal& plane, const InfoVal& striae)
{
    return {plane, striae};
}

// Rakes against Aki & Richards (1980, eq. 4.83): the hanging wall's slip of a fault of strike
// phi, dip delta and rake lambda is, in (north, east, down),
//   (cos l cos p + cos d sin l sin p, cos l sin p - cos d sin l cos p, -sin l sin d).
// The striae is that slip as a line; each pair is named once by its dip-slip sense (normal
// below 0°, reverse above) and once by its strike-slip sense (sinistral within 90° of 0°,
// dextral beyond): both names must give the rake back.
TEST(FaultRakes, FollowAkiAndRichardsForEverySenseOnBothSidesOfTheStrike)
{
    for (const double phi : {0.0, 35.0, 135.0, 200.0, 310.0})
        for (const double delta : {10.0, 45.0, 80.0, 90.0})
            for (const double lambda : {-170.0, -135.0, -100.0, -80.0, -45.0, -10.0, 10.0, 45.0,
                                        80.0, 100.0, 135.0, 170.0}) {
                const double p = rad(phi);
                const double d = rad(delta);
                const double l = rad(lambda);
                const Direction slip =
                    lineOf(std::cos(l) * std::cos(p) + std::cos(d) * std::sin(l) * std::sin(p),
                           std::cos(l) * std::sin(p) - std::cos(d) * std::sin(l) * std::cos(p),
                           -std::sin(l) * std::sin(d));
                const char* dipSlip = lambda < 0 ? "N" : "R";
                const char* strikeSlip = std::fabs(lambda) < 90 ? "S" : "D";
                for (const char* letter : {dipSlip, strikeSlip}) {
                    const std::string fault = std::string("F") + letter + "..";
                    const std::string striae = std::string("L") + letter + "..";
                    const std::vector<InfoVal> records = pair(faultPlane(phi, delta, fault.c_str()),
                                                              striaeLine(slip, striae.c_str()));
                    const FaultPair fp = FaultPairs(records).front();
                    const std::optional<double> rake =
                        Rake(fp.sense(SenseRow::Striae), StriaeToStrike(fp));
                    ASSERT_TRUE(rake);
                    EXPECT_NEAR(deg(*rake), lambda, 1e-7)
                        << "strike " << phi << " dip " << delta << " sense " << letter;
                }
            }
}

TEST(FaultRakes, TheTableOfSensesAndTheEndsOfTheRange)
{
    struct Case {
        Sense sense;
        double a;
        double rake;
        int symbol;
        int arrow;
    };
    const Case cases[] = {
        {Sense::Normal, 30, -30, 301, 1},
        {Sense::Normal, 150, -150, 301, 1},
        {Sense::Reverse, 30, 150, 302, 0},
        {Sense::Reverse, 150, 30, 302, 0},
        // A dextral fault whose striae trends within 90° of the strike: 304 and 180° - a.
        {Sense::Dextral, 20, 160, 304, 1},
        {Sense::Dextral, 160, -160, 303, 0},
        {Sense::Sinistral, 20, -20, 305, 0},
        {Sense::Sinistral, 160, 20, 306, 1},
        // A striae along the strike: dextral or reverse is 180°; a normal striae against the
        // strike is -180°, the same rake, kept as 180°.
        {Sense::Dextral, 0, 180, 304, 1},
        {Sense::Reverse, 0, 180, 302, 0},
        {Sense::Normal, 180, 180, 301, 1},
        {Sense::Sinistral, 180, 0, 306, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, SenseLetter(c.sense)) + " a " + std::to_string(c.a));
        const std::optional<double> rake = Rake(c.sense, rad(c.a));
        ASSERT_TRUE(rake);
        EXPECT_NEAR(deg(*rake), c.rake, 1e-9);
        EXPECT_GT(*rake, -kPi);
        EXPECT_LE(*rake, kPi);
        EXPECT_EQ(MovementSymbol(c.sense, rad(c.a)), c.symbol);
        EXPECT_EQ(MovementArrow(c.sense, rad(c.a)), c.arrow);
    }
    EXPECT_FALSE(Rake(Sense::Unknown, 1.0));
    EXPECT_EQ(MovementSymbol(Sense::Unknown, 1.0), 0);
    EXPECT_EQ(MovementArrow(Sense::Unknown, 1.0), kNoArrow);
}

TEST(FaultAngles, StrikeDipAndPitchOfHandWorkedPairs)
{
    // Dipping 60° towards 135°: the pole points to 315°, the strike to 45° (not 405°).
    const InfoVal plane = faultPlane(45, 60, "FN..");
    EXPECT_NEAR(deg(plane.azi), 315, 1e-9);
    EXPECT_NEAR(deg(FaultStrike(plane)), 45, 1e-9);
    EXPECT_NEAR(deg(FaultDip(plane)), 60, 1e-9);
    // A striae at 170° from the strike has a pitch of 10°, as one at 10°.
    for (const double a : {10.0, 170.0}) {
        const std::vector<InfoVal> records =
            pair(plane, striaeLine(lineInPlane(45, 60, a), "LN.."));
        const FaultPair fp = FaultPairs(records).front();
        EXPECT_NEAR(deg(StriaeToStrike(fp)), a, 1e-9);
        EXPECT_NEAR(deg(StriaePitch(fp)), 10, 1e-9);
    }
}

TEST(FaultAngles, ThePitchIsTheOneOfTheLineInItsPlane)
{
    test::Draws draws(39);
    for (int i = 0; i < 200; ++i) {
        const double phi = 360 * draws.uniform();
        const double delta = 1 + 88 * draws.uniform();
        const double a = 180 * draws.uniform();
        const std::vector<InfoVal> records =
            pair(faultPlane(phi, delta, "FN.."), striaeLine(lineInPlane(phi, delta, a), "LN.."));
        const FaultPair fp = FaultPairs(records).front();
        const Pitch pitch = PitchOfLine({records[1].azi, records[1].pen}, records[0].azi);
        EXPECT_NEAR(StriaePitch(fp), pitch.pitch, 1e-9);
        EXPECT_NEAR(deg(StriaePitch(fp)), std::min(a, 180 - a), 1e-7);
    }
}

TEST(FaultViews, RakeViewMarksBothRecordsOfAKnownSenseOnly)
{
    std::vector<InfoVal> records;
    const auto add = [&](const char* fault, const char* striae, double a) {
        InfoVal plane = faultPlane(100, 50, fault);
        InfoVal line = striaeLine(lineInPlane(100, 50, a), striae);
        plane.sy = 3;
        plane.nco = 2;
        line.sy = 5;
        line.nco = 4;
        records.push_back(plane);
        records.push_back(line);
    };
    add("FD..", "LD..", 20);  // dextral, within 90° of the strike
    add("FD..", "LD..", 120); // dextral beyond
    add("FS..", "L", 20);     // the light code: the view reads the fault row anyway
    add("F", "L", 60);        // unknown
    add("F...", "LN..", 60);  // unknown on the fault row: the view does not look further
    MarkStriaeRakes(records);
    const int symbols[] = {304, 303, 305, 3, 3};
    for (std::size_t k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        const bool known = k < 3;
        EXPECT_EQ(records[2 * k].sy, symbols[k]);
        EXPECT_EQ(records[2 * k + 1].sy, known ? symbols[k] : 5);
        EXPECT_EQ(records[2 * k].nco, 2);
        EXPECT_EQ(records[2 * k + 1].nco, known ? kStriaeRakeColour : 4);
    }
}

TEST(FaultViews, HangingWallViewGivesEveryStriaeSymbol8AndItsArrow)
{
    std::vector<InfoVal> records;
    for (const auto& [fault, a] : std::vector<std::pair<const char*, double>>{{"FN..", 70},
                                                                              {"FR..", 70},
                                                                              {"FD..", 20},
                                                                              {"FD..", 160},
                                                                              {"FS..", 20},
                                                                              {"FS..", 160},
                                                                              {"F", 40}}) {
        records.push_back(faultPlane(10, 70, fault));
        records.push_back(striaeLine(lineInPlane(10, 70, a), "L"));
        records.back().aux = 7;
        records.back().sy = 2;
    }
    MarkHangingWall(records);
    const int arrows[] = {1, 0, 1, 0, 0, 1, kNoArrow};
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(records[2 * k + 1].sy, kHangingWallSymbol) << k;
        EXPECT_EQ(records[2 * k + 1].aux, arrows[k]) << k;
        EXPECT_EQ(records[2 * k].sy, 0) << k; // the fault records keep theirs
    }
    EXPECT_EQ(StriaeRakesTitle(2), "Cnvs 2- Rake");
    EXPECT_EQ(HangingWallTitle(11), "Cnvs 11- hanging wall mvt");
    EXPECT_EQ(FaultViewLabel(14), "7 F");
}

// A second count of the values into classes of `width` from `start`, each class [lo, hi) but
// the last [lo, hi], as numpy.histogram counts them.
std::vector<int> histogram(const std::vector<double>& values, double start, double width,
                           int classes)
{
    std::vector<int> counts(static_cast<std::size_t>(classes) + 1, 0);
    for (const double v : values)
        for (int j = 1; j <= classes; ++j) {
            const double lo = start + (j - 1) * width;
            const double hi = start + j * width;
            if (v >= lo && (v < hi || (j == classes && v <= hi))) {
                ++counts[static_cast<std::size_t>(j)];
                break;
            }
        }
    return counts;
}

void expectCounts(const FaultHistogram& h, const std::vector<int>& counts)
{
    int fullest = 0;
    int total = 0;
    for (int j = 1; j <= h.info.nCl; ++j) {
        EXPECT_EQ(h.info.vCl[static_cast<std::size_t>(j)], counts[static_cast<std::size_t>(j)])
            << "class " << j;
        fullest = std::max(fullest, counts[static_cast<std::size_t>(j)]);
        total += counts[static_cast<std::size_t>(j)];
    }
    EXPECT_EQ(h.info.vCl[0], 0);
    EXPECT_EQ(h.info.vCl[static_cast<std::size_t>(h.info.nCl) + 1], 0);
    EXPECT_EQ(h.info.nCM, fullest);
    EXPECT_EQ(h.info.ntV, total);
}

TEST(FaultHistograms, CountLikeASecondCountOfTheSameAngles)
{
    test::Draws draws(6339);
    std::vector<InfoVal> records;
    std::vector<double> strikes, dips, rakes;
    const char* senses[] = {"N", "R", "D", "S"};
    for (int i = 0; i < 300; ++i) {
        const double phi = 360 * draws.uniform();
        const double delta = i % 25 == 0 ? 90 : 90 * draws.uniform();
        const double a = i % 10 == 0 ? 0 : 180 * draws.uniform();
        const std::string letter = senses[i % 4];
        records.push_back(faultPlane(phi, delta, ("F" + letter + "..").c_str()));
        records.push_back(striaeLine(lineInPlane(phi, delta, a), ("L" + letter + "..").c_str()));
        strikes.push_back(phi);
        dips.push_back(delta);
        // The rake from the table, worked here once more.
        double rake = letter == "R"   ? 180 - a
                      : letter == "N" ? -a
                      : letter == "D" ? (a < 90 ? 180 - a : -a)
                                      : (a < 90 ? -a : 180 - a);
        if (rake <= -180)
            rake += 360;
        rakes.push_back(rake);
    }
    const DayCount now = toDayCount({2026, 12, 10, 15, 0, 0});
    const FaultHistogram s = ComputeFaultHistogram(kDiagramFaultStrikes, records, 1, 0, now);
    EXPECT_EQ(s.shape.title, "Faults strikes");
    EXPECT_EQ(s.info.wCl, 10);
    EXPECT_EQ(s.info.nCl, 36);
    EXPECT_EQ(s.info.natM, kVectors360);
    EXPECT_EQ(s.info.oCl, 0);
    // An arc cosine near 1 loses half its digits: 1e-5° is what the angles keep.
    ASSERT_EQ(s.values.size(), strikes.size());
    for (std::size_t i = 0; i < strikes.size(); ++i)
        EXPECT_NEAR(s.values[i], strikes[i], 1e-5);
    expectCounts(s, histogram(s.values, 0, 10, 36));

    const FaultHistogram d = ComputeFaultHistogram(kDiagramFaultDips, records, 1, 0, now);
    EXPECT_EQ(d.info.wCl, 5);
    EXPECT_EQ(d.info.nCl, 18);
    for (std::size_t i = 0; i < dips.size(); ++i)
        EXPECT_NEAR(d.values[i], dips[i], 1e-5);
    expectCounts(d, histogram(d.values, 0, 5, 18));

    const FaultHistogram r = ComputeFaultHistogram(kDiagramFaultRakes, records, 1, 0, now);
    EXPECT_EQ(r.info.nCl, 36);
    ASSERT_EQ(r.values.size(), rakes.size());
    for (std::size_t i = 0; i < rakes.size(); ++i)
        EXPECT_NEAR(r.values[i], rakes[i], 1e-5);
    expectCounts(r, histogram(r.values, -180, 10, 36));
    EXPECT_EQ(r.lines.front(), "Faults Rakes");
    // The listing names each class by its rakes, from -180 degrees as the axis does, with the
    // second count of its rakes (checked against the table above; the boundaries take them).
    const std::vector<int> rakeCounts = histogram(r.values, -180, 10, 36);
    ASSERT_EQ(r.lines.size(), 3U + 36U);
    for (int j = 1; j <= 36; ++j)
        EXPECT_EQ(r.lines[static_cast<std::size_t>(j) + 2],
                  sformat("  %d-%d\xB0 : %d", -190 + 10 * j, -180 + 10 * j,
                          rakeCounts[static_cast<std::size_t>(j)]));
    // Strikes and dips are listed from 0.
    EXPECT_EQ(d.lines[3], sformat("  0-5\xB0 : %d", histogram(d.values, 0, 5, 18)[1]));
    EXPECT_EQ(d.lines.back(), sformat("  85-90\xB0 : %d", histogram(d.values, 0, 5, 18)[18]));
}

TEST(FaultHistograms, AnglesOnTheEndsOfTheirRangesStayInTheLastClass)
{
    std::vector<InfoVal> records;
    // Dipping towards 135° (strike 45°), vertical (dip 90°), and a pitch-0 dextral striae.
    records.push_back(faultPlane(45, 30, "FN.."));
    records.push_back(striaeLine(lineInPlane(45, 30, 90), "LN.."));
    records.push_back(faultPlane(255, 90, "FS.."));
    records.push_back(striaeLine(lineInPlane(255, 90, 45), "LS.."));
    records.push_back(faultPlane(305, 40, "FD.."));
    records.push_back(striaeLine(lineInPlane(305, 40, 0), "LD.."));
    const DayCount now = 0;
    const FaultHistogram s = ComputeFaultHistogram(kDiagramFaultStrikes, records, 0, 0, now);
    EXPECT_EQ(s.info.vCl[5], 1);  // 45°: [40, 50)
    EXPECT_EQ(s.info.vCl[26], 1); // 255°
    EXPECT_EQ(s.info.vCl[31], 1); // 305°
    EXPECT_EQ(s.info.ntV, 3);
    const FaultHistogram d = ComputeFaultHistogram(kDiagramFaultDips, records, 0, 0, now);
    EXPECT_EQ(d.info.vCl[18], 1); // 90°: the last class [85, 90]
    EXPECT_EQ(d.info.vCl[19], 0);
    const FaultHistogram r = ComputeFaultHistogram(kDiagramFaultRakes, records, 0, 0, now);
    EXPECT_NEAR(r.values[2], 180, 1e-9);
    EXPECT_EQ(r.info.vCl[36], 1); // [170, 180]
    EXPECT_EQ(r.info.vCl[37], 0);
    EXPECT_EQ(r.info.vCl[10], 1); // the normal down-dip striae: -90°, in [-90, -80)
    EXPECT_EQ(r.info.vCl[14], 1); // the sinistral one at 45°: -45°
}

TEST(FaultSelection, UsualRangesAndTheirBounds)
{
    struct Usual {
        UsualFault kind;
        AngleRange pitch;
        AngleRange dip;
    };
    const Usual usual[] = {{UsualFault::Normal, {70, 90}, {50, 90}},
                           {UsualFault::StrikeSlip, {0, 20}, {50, 90}},
                           {UsualFault::Reverse, {50, 90}, {0, 40}}};
    for (const Usual& u : usual) {
        const FaultRanges r = UsualRanges(u.kind);
        EXPECT_EQ(r.pitch.from, u.pitch.from);
        EXPECT_EQ(r.pitch.to, u.pitch.to);
        EXPECT_EQ(r.dip.from, u.dip.from);
        EXPECT_EQ(r.dip.to, u.dip.to);
    }
    const AngleRange empty = RangeOfFields(std::nullopt, std::nullopt);
    EXPECT_EQ(empty.from, 0);
    EXPECT_EQ(empty.to, 90);
    const AngleRange typed = RangeOfFields(35, std::nullopt);
    EXPECT_EQ(typed.from, 35);
    EXPECT_EQ(typed.to, 90);
    const AngleRange reversed = Ordered({80, 10});
    EXPECT_EQ(reversed.from, 10);
    EXPECT_EQ(reversed.to, 80);
}

TEST(FaultSelection, KeepsThePairsWhoseDipAndPitchLieInTheRanges)
{
    struct Case {
        double dip;
        double a; // from the strike
        bool strikeSlip;
    };
    const Case cases[] = {
        {60, 10, true},   // pitch 10°, dip 60°
        {60, 25, false},  // pitch 25°
        {60, 170, true},  // 170° from the strike: pitch 10°
        {45, 10, false},  // too gentle
        {50, 20, true},   // both lower and upper bounds are in
        {90, 0, true},    // vertical, horizontal striae
        {70, 160, true},  // pitch 20° from the other end
        {70, 155, false}, // pitch 25°
    };
    std::vector<InfoVal> records;
    std::vector<int> expected;
    for (const Case& c : cases) {
        const int first = static_cast<int>(records.size()) + 1;
        records.push_back(faultPlane(30 + 20 * first, c.dip, "FD.."));
        records.push_back(striaeLine(lineInPlane(30 + 20 * first, c.dip, c.a), "LD.."));
        records[records.size() - 2].nu = std::to_string(first).c_str();
        if (c.strikeSlip)
            expected.push_back(first);
    }
    const FaultSelection kept = SelectFaults(records, UsualRanges(UsualFault::StrikeSlip));
    EXPECT_EQ(kept.pairs, 8);
    EXPECT_EQ(kept.firstRows, expected);
    // The same ranges typed upside down.
    const FaultSelection upsideDown = SelectFaults(records, {{20, 0}, {90, 50}});
    EXPECT_EQ(upsideDown.firstRows, expected);
    EXPECT_EQ(kept.lines[0], "Striae pitch : 0.0 - 20.0, fault dip : 50.0 - 90.0");
    EXPECT_EQ(kept.lines[1], sformat("%d of 8 faults selected", int(expected.size())));
    EXPECT_TRUE(SelectFaults(records, UsualRanges(UsualFault::Reverse)).firstRows.empty());
}

TEST(FaultSelection, TheNewSheetHoldsThePairsRowsAndDirectionsRenumbered)
{
    DataSheet source;
    source.lFrtS = 1;
    source.lFrtL = 1;
    source.lShowDeci = false;
    source.lNomF = "/somewhere/faults.plq";
    for (int k = 1; k <= 3; ++k) {
        test::EnterRow(source,
                       {"FN..", "60/" + std::to_string(100 * k), std::to_string(k), "Site", "f"});
        test::EnterRow(source,
                       {"LN..", "50/" + std::to_string(100 * k), std::to_string(k), "Site", "s"});
    }
    std::fill(source.lMod.begin(), source.lMod.end(), kRowSaved);
    source.lDirty = false;
    const int kept[] = {1, 5};
    const DataSheet sheet = SelectedFaultsSheet(source, kept);
    ASSERT_EQ(sheet.rowCount(), 4);
    const int from[] = {1, 2, 5, 6};
    for (int row = 1; row <= 4; ++row) {
        const int src = from[row - 1];
        for (int column = 1; column < kColumnCount; ++column)
            EXPECT_EQ(sheet.cell(row, column), source.cell(src, column)) << row << ":" << column;
        EXPECT_EQ(sheet.cell(row, 0), source.cell(row, 0)); // renumbered 1..4
        EXPECT_EQ(sheet.ltAz[static_cast<std::size_t>(row)],
                  source.ltAz[static_cast<std::size_t>(src)]);
        EXPECT_EQ(sheet.ltPe[static_cast<std::size_t>(row)],
                  source.ltPe[static_cast<std::size_t>(src)]);
        EXPECT_EQ(sheet.lMod[static_cast<std::size_t>(row)], kRowChanged);
    }
    EXPECT_EQ(sheet.cell(0, 1), source.cell(0, 1));
    EXPECT_TRUE(sheet.lDirty);
    EXPECT_TRUE(sheet.lNomF.empty());
    EXPECT_EQ(sheet.notation().frtS, 1);
    EXPECT_EQ(SelectionCaption("Faults 1", 20), "Faults 1 (20 faults)");
}

} // namespace
} // namespace ploq
