// The sample data sheets of examples/: made-up but geologically plausible field data, drawn
// here from a fixed seed and typed in as whole degrees, as a compass gives them.
//
// To write the files again:
//   ploq_core_tests --gtest_also_run_disabled_tests --gtest_filter='Examples*Write*'

#include "datasheet/Fichier.h"
#include "faults/FaultEntry.h"
#include "model/Trigo.h"
#include "model/UtilGlob.h"
#include "stats3d/UtilTrackDip.h"
#include "support/Draws.h"
#include "support/ScriptedPrompts.h"
#include "support/SheetRows.h"
#include "support/TrackdipLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadToDeg = 1 / kDegToRad;

using test::Draws;

Vec3 Scaled(const Vec3& v, double k)
{
    return {v.x * k, v.y * k, v.z * k};
}
Vec3 Sum(const Vec3& a, const Vec3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 Unit(const Vec3& v)
{
    return Scaled(v, 1 / std::sqrt(Dot(v, v)));
}

// The direction moved off by a normally drawn angle, toward a uniformly drawn side.
Direction Scatter(const Direction& d, double sigmaDeg, Draws& draws)
{
    const double off = draws.normal(0, sigmaDeg) * kDegToRad;
    return test::Deviated(d, off, 2 * kPi * draws.uniform());
}

int WholeDegrees(double radians)
{
    return RoundHalfEven(radians * kRadToDeg);
}

// "35/128": dip and dip direction of the plane of this pole.
std::string PlaneText(const Direction& pole)
{
    return sformat("%d/%03d", WholeDegrees(kPi / 2 - pole.plunge),
                   WholeDegrees(NormalizeTrend(pole.trend + kPi)) % 360);
}

// "14/062": plunge and plunge direction.
std::string LineText(const Direction& line)
{
    return sformat("%d/%03d", WholeDegrees(line.plunge), WholeDegrees(line.trend) % 360);
}

DataSheet NewSheet()
{
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    sheet.lShowDeci = false;
    return sheet;
}

const Direction kFoldAxis{62 * kDegToRad, 14 * kDegToRad};

// A traverse of 30 stations across an upright cylindrical fold whose axis plunges 14 toward 062:
// two bedding planes at each station, their poles on the girdle normal to the axis, limbs
// dipping up to some 60 degrees; intersection lineations every third station and minor fold
// axes in the hinge zone, both near the fold axis.
DataSheet FoldedArea()
{
    Draws draws(20240716);
    DataSheet sheet = NewSheet();
    const Vec3 axis = DirToVec(kFoldAxis);
    const Vec3 across = Unit(Cross(axis, Vec3{0, 0, 1}));
    const Vec3 hingePole = Cross(across, axis);
    constexpr int kStations = 30;
    for (int station = 1; station <= kStations; ++station) {
        const double x = -1 + 2.0 * (station - 1) / (kStations - 1); // NW limb -1 .. SE limb 1
        const bool hinge = std::fabs(x) < 0.3;
        const char* location = hinge ? "Valley" : x < 0 ? "Ridge N" : "Ridge S";
        const char* limb = hinge ? "hinge" : x < 0 ? "NW limb" : "SE limb";
        const std::string number = std::to_string(station);
        for (int i = 0; i < 2; ++i) {
            const double limbDeg = 60 * std::sin(kPi / 2 * std::clamp(1.5 * x, -1.0, 1.0));
            const double turn = draws.normal(limbDeg, 4) * kDegToRad;
            const Vec3 pole =
                Sum(Scaled(hingePole, std::cos(turn)), Scaled(across, std::sin(turn)));
            const Direction measured = Scatter(VecToDir(pole), 2.5, draws);
            test::EnterRow(sheet, {"S0", PlaneText(measured), number, location, limb});
        }
        if (station % 3 == 1)
            test::EnterRow(
                sheet, {"L1", LineText(Scatter(kFoldAxis, 5, draws)), number, location, "S0/S1"});
        if (hinge)
            test::EnterRow(
                sheet, {"B", LineText(Scatter(kFoldAxis, 3, draws)), number, location, "minor F1"});
    }
    return sheet;
}

// Forty foresets of planar and trough cross-beds in four beds of flat-lying sandstone, dipping
// down a palaeocurrent toward about 112; the trough set spreads more.
DataSheet CrossBedding()
{
    Draws draws(20240802);
    DataSheet sheet = NewSheet();
    struct Bed {
        const char* name;
        const char* kind;
        double currentDeg;
        double spreadDeg;
        int count;
    };
    const Bed beds[] = {
        {"Bed A", "planar", 108, 14, 11},
        {"Bed B", "planar", 121, 16, 9},
        {"Bed C", "trough", 104, 32, 12},
        {"Bed D", "planar", 115, 12, 8},
    };
    int number = 0;
    for (const Bed& bed : beds)
        for (int i = 0; i < bed.count; ++i) {
            const double dipDirection = draws.normal(bed.currentDeg, bed.spreadDeg) * kDegToRad;
            const double dip = std::clamp(draws.normal(24, 4), 12.0, 32.0) * kDegToRad;
            const Direction pole{NormalizeTrend(dipDirection + kPi), kPi / 2 - dip};
            test::EnterRow(sheet,
                           {"Sxb", PlaneText(pole), std::to_string(++number), bed.name, bed.kind});
        }
    return sheet;
}

// A strike-slip regime: sigma 1 horizontal toward 160, sigma 3 horizontal toward 070, sigma 2
// vertical, stress ratio (sigma 2 - sigma 3) / (sigma 1 - sigma 3) = 0.5; compression positive.
const Direction kSigma1{160 * kDegToRad, 0};
constexpr double kStressRatio = 0.5;

// The hanging wall slips along the shear stress that the footwall resolves on the plane, against
// the shear it exerts (Wallace 1951, Bott 1959).
Vec3 HangingWallSlip(const Direction& pole)
{
    const Vec3 s1 = DirToVec(kSigma1);
    const Vec3 s2 = DirToVec({0, kPi / 2});
    const Vec3 up = Scaled(DirToVec(pole), -1); // the normal into the hanging wall
    const Vec3 traction = Sum(Scaled(s1, Dot(s1, up)), Scaled(s2, kStressRatio * Dot(s2, up)));
    const Vec3 shear = Sum(traction, Scaled(up, -Dot(traction, up)));
    return Unit(Scaled(shear, -1));
}

// The sense of a slip of the hanging wall on the plane: normal or reverse when it is nearer the
// dip line, dextral or sinistral when nearer the strike; with how far from 45 degrees it is.
Sense SenseOfSlip(const Direction& pole, const Vec3& slip, double& marginDeg)
{
    const double dipDirection = pole.trend + kPi;
    const Vec3 down = DirToVec({dipDirection, kPi / 2 - pole.plunge});
    const Vec3 strike = DirToVec({dipDirection - kPi / 2, 0}); // the dip to its right
    const double alongDip = Dot(slip, down);
    const double alongStrike = Dot(slip, strike);
    marginDeg = std::fabs(std::atan2(std::fabs(alongDip), std::fabs(alongStrike)) * kRadToDeg - 45);
    if (std::fabs(alongDip) >= std::fabs(alongStrike))
        return alongDip > 0 ? Sense::Normal : Sense::Reverse;
    // The hanging wall moving along the strike goes left, seen from the footwall.
    return alongStrike > 0 ? Sense::Sinistral : Sense::Dextral;
}

// Forty faults from three sites, ten of each sense, slipping along the shear of the stress above
// with some 6 degrees of scatter, measured as a compass gives them: the plane in whole degrees,
// the striae mostly as its pitch, some as a whole line or as a plunge. A third carry a confidence
// (by the scatter) and a chronology; one striae has the light code.
DataSheet Faults()
{
    Draws draws(20240912);
    DataSheet sheet = NewSheet();
    const EntryStyle style{sheet.notation(), sheet.lShowDeci};
    test::ScriptedPrompts prompts;
    std::array<int, 4> perSense{};
    for (int i = 0; i < 40;) {
        const double dipDirectionDeg = 360 * draws.uniform();
        const double dipDeg = 25 + 63 * draws.uniform();
        const Direction truePole{NormalizeTrend((dipDirectionDeg + 180) * kDegToRad),
                                 (90 - dipDeg) * kDegToRad};
        const Vec3 slip = HangingWallSlip(truePole);
        double margin = 0;
        const Sense sense = SenseOfSlip(truePole, slip, margin);
        const auto senseIndex = static_cast<std::size_t>(sense);
        if (margin < 10 || perSense[senseIndex] == 10)
            continue;

        const double scatterDeg = draws.normal(0, 6);
        const double turn = scatterDeg * kDegToRad;
        const Vec3 measured = Sum(Scaled(slip, std::cos(turn)),
                                  Scaled(Cross(DirToVec(truePole), slip), std::sin(turn)));
        FaultForm form;
        form.number = std::to_string(i + 1);
        form.fault = PlaneText(truePole);
        const DirResult typed = TextToDir('F', form.fault, style.notation);
        const Direction typedPole{typed.trend, typed.plunge};
        const Vec3 typedNormal = DirToVec(typedPole);
        const Direction line =
            VecToDir(Unit(Sum(measured, Scaled(typedNormal, -Dot(measured, typedNormal)))));
        const Pitch pitch = PitchOfLine(line, typedPole.trend);
        const std::string pitchText = sformat("%d%c", WholeDegrees(pitch.pitch), pitch.letter);
        form.striae = pitchText;
        if (i % 4 == 3)
            form.striae = LineText(line);
        if (i % 7 == 5) {
            static constexpr std::string_view compass = "NESW";
            const auto quarter = static_cast<std::size_t>(std::lround(line.trend / (kPi / 2)));
            form.striae = sformat("?/%d%c", WholeDegrees(line.plunge), compass[quarter % 4]);
        }
        form.codes.sense = sense;
        form.codes.addToCode = i % 3 == 0;
        form.codes.confidence = std::fabs(scatterDeg) < 4   ? Confidence::High
                                : std::fabs(scatterDeg) < 9 ? Confidence::Normal
                                                            : Confidence::Low;
        form.codes.chronology = i % 6 == 0 ? 2 : 1;
        form.lightCode = i == 17;
        form.location = i < 14 ? "Quarry" : i < 28 ? "Road cut" : "Ridge";
        static const char* const faultComments[] = {"", "gouge", "breccia", ""};
        static const char* const striaeComments[] = {"calcite", "quartz", "polished"};
        form.faultComment = faultComments[i % 4];
        form.striaeComment = striaeComments[i % 3];
        FaultPairEntry entry = PrepareFaultPair(form, style, prompts);
        // A plunge whose letter picks the other line of that plunge is typed as its pitch.
        if (entry.ok
            && std::fabs(Dot(DirToVec(entry.striae.direction), DirToVec(line)))
                   < std::cos(2 * kDegToRad)) {
            form.striae = pitchText;
            entry = PrepareFaultPair(form, style, prompts);
        }
        EXPECT_TRUE(entry.ok) << form.fault << " " << form.striae;
        EXPECT_FALSE(AppendFaultPair(sheet, entry));
        ++perSense[senseIndex];
        ++i;
    }
    return sheet;
}

// A dipmeter log of 300 bedding planes every half metre from 1200 m: gentle dips toward some
// 300, turned 25 degrees about their strike at 1249.75 m and the new planes 35 degrees about
// theirs at 1299.75 m, 3 degrees of scatter, read in whole degrees.
test::DomainLog BoreholeLog()
{
    return test::ThreeDomainLog(300, 1200, 0.5, 3, 20241003);
}

DataSheet Borehole()
{
    const test::DomainLog log = BoreholeLog();
    DataSheet sheet = NewSheet();
    for (std::size_t i = 0; i < log.z.size(); ++i)
        test::EnterRow(sheet, {"S0", PlaneText(log.poles[i]), std::to_string(i + 1),
                               FormatFixed(log.z[i], 2), i % 25 == 0 ? "core" : ""});
    return sheet;
}

struct Example {
    const char* file;
    DataSheet (*make)();
    CivilTime created;
};
const Example kExamples[] = {
    {"folded-area.plq", FoldedArea, {2024, 7, 16, 18, 20, 0}},
    {"cross-bedding.plq", CrossBedding, {2024, 8, 2, 17, 45, 0}},
    {"faults.plq", Faults, {2024, 9, 12, 16, 30, 0}},
    {"borehole.plq", Borehole, {2024, 10, 3, 11, 0, 0}},
};

std::string ExamplePath(const Example& example)
{
    return std::string(PLOQ_EXAMPLES) + "/" + example.file;
}

DataSheet LoadExample(const Example& example)
{
    DataSheet sheet = NewSheet();
    const FileOutcome outcome = LoadSheetFile(ExamplePath(example), sheet);
    EXPECT_TRUE(outcome.ok) << outcome.error.message;
    EXPECT_TRUE(outcome.warnings.empty());
    return sheet;
}

TEST(ExamplesTest, FilesHoldWhatTheGeneratorDraws)
{
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.file);
        const DataSheet drawn = example.make();
        const DataSheet loaded = LoadExample(example);
        ASSERT_EQ(loaded.rowCount(), drawn.rowCount());
        EXPECT_EQ(loaded.lCreated, toDayCount(example.created));
        for (int row = 1; row <= drawn.rowCount(); ++row) {
            for (int column = 0; column < kColumnCount; ++column)
                EXPECT_EQ(loaded.cell(row, column), drawn.cell(row, column)) << row;
            EXPECT_NEAR(loaded.ltAz[row], drawn.ltAz[row], 1e-12) << row;
            EXPECT_NEAR(loaded.ltPe[row], drawn.ltPe[row], 1e-12) << row;
        }
    }
}

// The bedding poles lie within a few degrees of the girdle normal to the mean fold axis, and
// spread round it from one limb to the other.
TEST(ExamplesTest, FoldedAreaBeddingGirdlesTheFoldAxis)
{
    const DataSheet sheet = LoadExample(kExamples[0]);
    Vec3 axisSum;
    std::vector<Vec3> poles;
    int axes = 0;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const Vec3 v = DirToVec({sheet.ltAz[row], sheet.ltPe[row]});
        if (sheet.field(row, Field::Nature) == "S0") {
            poles.push_back(v);
        } else {
            axisSum = Sum(axisSum, v);
            ++axes;
        }
    }
    EXPECT_EQ(poles.size(), 60u);
    EXPECT_EQ(axes, 10 + 8); // lineations L1 and minor fold axes B
    const Vec3 axis = Unit(axisSum);
    EXPECT_LT(std::acos(Dot(axis, DirToVec(kFoldAxis))) * kRadToDeg, 3);
    double widest = 0;
    for (const Vec3& pole : poles) {
        EXPECT_LT(std::fabs(Dot(pole, axis)), std::sin(10 * kDegToRad));
        for (const Vec3& other : poles)
            widest = std::max(widest, std::acos(std::clamp(Dot(pole, other), -1.0, 1.0)));
    }
    EXPECT_GT(widest * kRadToDeg, 90);
}

TEST(ExamplesTest, CrossBedsDipDownThePalaeocurrent)
{
    const DataSheet sheet = LoadExample(kExamples[1]);
    ASSERT_EQ(sheet.rowCount(), 40);
    Vec3 dipSum;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const double dip = kPi / 2 - sheet.ltPe[row];
        EXPECT_GE(dip * kRadToDeg, 12);
        EXPECT_LE(dip * kRadToDeg, 32);
        const double dipDirection = sheet.ltAz[row] + kPi;
        dipSum = Sum(dipSum, {std::sin(dipDirection), std::cos(dipDirection), 0});
    }
    const double meanDeg = NormalizeTrend(std::atan2(dipSum.x, dipSum.y)) * kRadToDeg;
    EXPECT_NEAR(meanDeg, 112, 10);
}

// The stated stress gives Anderson's faults: a normal fault along sigma 1, a reverse one across
// it, and the conjugate vertical faults 30 degrees from sigma 1, sinistral clockwise of it and
// dextral anticlockwise (Anderson 1951).
TEST(ExamplesTest, TheStressOfTheFaultsGivesAndersonsFaults)
{
    const auto senseOf = [](double dipDirectionDeg, double dipDeg) {
        const Direction pole{NormalizeTrend((dipDirectionDeg + 180) * kDegToRad),
                             (90 - dipDeg) * kDegToRad};
        double margin = 0;
        return SenseOfSlip(pole, HangingWallSlip(pole), margin);
    };
    EXPECT_EQ(senseOf(250, 60), Sense::Normal);
    EXPECT_EQ(senseOf(160, 30), Sense::Reverse);
    EXPECT_EQ(senseOf(100, 89), Sense::Sinistral); // striking 190
    EXPECT_EQ(senseOf(280, 89), Sense::Sinistral); // the same, dipping the other way
    EXPECT_EQ(senseOf(40, 89), Sense::Dextral);    // striking 130
}

// Each striae lies in its plane, within some 20 degrees of the hanging wall's slip under the
// stated stress, and its sense is that slip's.
TEST(ExamplesTest, FaultsSlipAlongTheStatedStress)
{
    const DataSheet sheet = LoadExample(kExamples[2]);
    const std::vector<InfoVal> rows = SheetRecords(sheet);
    ASSERT_TRUE(CheckSheetPairs(rows).ok);
    const std::vector<FaultPair> pairs = FaultPairs(rows);
    ASSERT_EQ(pairs.size(), 40u);
    std::array<int, 5> perSense{};
    int qualified = 0;
    int light = 0;
    for (const FaultPair& pair : pairs) {
        const Direction pole{pair.plane->azi, pair.plane->pen};
        const Direction striae{pair.striae->azi, pair.striae->pen};
        SCOPED_TRACE(pair.plane->nu.str());
        EXPECT_LT(FaultStriaeAngleDeg(pole, striae), 1);
        const Vec3 slip = HangingWallSlip(pole);
        EXPECT_GT(std::fabs(Dot(slip, DirToVec(striae))), std::cos(20 * kDegToRad));
        double margin = 0;
        EXPECT_EQ(pair.sense(SenseRow::Striae), SenseOfSlip(pole, slip, margin));
        EXPECT_EQ(pair.plane->nu, pair.striae->nu);
        ++perSense[static_cast<std::size_t>(pair.sense(SenseRow::Plane))];
        qualified += pair.plane->na[2] != '.' ? 1 : 0;
        light += pair.striae->na == "L" ? 1 : 0;
    }
    EXPECT_EQ(perSense, (std::array<int, 5>{10, 10, 10, 10, 0}));
    EXPECT_GT(qualified, 10);
    EXPECT_EQ(light, 1);
}

// Trackdip finds both boundaries of the log and the rotations made there.
TEST(ExamplesTest, BoreholeTiltsAtItsTwoBoundaries)
{
    const DataSheet sheet = LoadExample(kExamples[3]);
    const TrackdipRowsRead read = ReadTrackdipRows(sheet);
    ASSERT_EQ(read.error, "");
    const TrackdipResult r =
        RunTrackdip(read.rows, {3.5 * kDegToRad, 30 * kDegToRad, 3, 4}, sheet.notation());
    const test::DomainLog log = BoreholeLog();
    for (int b = 0; b < 2; ++b) {
        const TiltRecord* best = nullptr;
        for (const TiltRecord& t : r.scan.records)
            if (t.h >= 4 && t.h <= 40 && std::fabs(t.z2 - log.boundaries[b]) <= t.h
                && (!best || t.angle > best->angle))
                best = &t;
        ASSERT_TRUE(best) << b;
        EXPECT_NEAR(best->angle, log.angles[b], 2 * kDegToRad) << b;
        EXPECT_LT(AxialAngle(best->axis, log.axes[b]), 6 * kDegToRad) << b;
    }
    EXPECT_GE(r.links.polygones.size(), 2u);
}

TEST(ExamplesTest, DISABLED_WriteExamples)
{
    for (const Example& example : kExamples) {
        DataSheet sheet = example.make();
        const FileOutcome outcome =
            SaveSheetAsFile(sheet, ExamplePath(example), FixedClock(toDayCount(example.created)));
        EXPECT_TRUE(outcome.ok) << outcome.error.message;
    }
}

} // namespace
} // namespace ploq
