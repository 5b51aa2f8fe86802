// The sample data sheets of examples/: made-up but geologically plausible field data, drawn
// here from a fixed seed and typed in as whole degrees, as a compass gives them.
//
// To write the files again:
//   ploq_core_tests --gtest_also_run_disabled_tests --gtest_filter='Examples*Write*'

#include "datasheet/Fichier.h"
#include "model/Trigo.h"
#include "model/UtilGlob.h"
#include "support/Draws.h"
#include "support/SheetRows.h"

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

struct Example {
    const char* file;
    DataSheet (*make)();
    CivilTime created;
};
const Example kExamples[] = {
    {"folded-area.plq", FoldedArea, {2024, 7, 16, 18, 20, 0}},
    {"cross-bedding.plq", CrossBedding, {2024, 8, 2, 17, 45, 0}},
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
