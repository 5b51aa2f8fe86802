// Circular statistics of one angle per measurement, checked against independent references:
// class counts against numpy.histogram and mean directions against astropy.stats.circmean of
// the same values (stats2d_reference.py, its output pasted below), mean directions against
// published worked examples, the median against a brute-force minimum of the mean arc
// distance (the definition of Fisher 1993, eqs. 2.32-2.33) and nMin against a brute-force
// count over every diameter.

#include "stats2d/Stats2D.h"

#include "app/VarGlob.h"
#include "model/Conversion.h"
#include "stats2d/BruteForce.h"
#include "support/SheetRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <random>
#include <tuple>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double rad(double degrees)
{
    return degrees * kDegToRad;
}
double deg(double radians)
{
    return radians / kDegToRad;
}

std::vector<double> sortedRadians(std::vector<double> degrees)
{
    std::vector<double> r;
    for (double d : degrees)
        r.push_back(rad(d));
    std::sort(r.begin(), r.end());
    return r;
}

// The difference of two angles on the circle of a kind (180° for axes), degrees.
double angleGap(double aDeg, double bDeg, double period = 360)
{
    return std::fabs(std::remainder(aDeg - bDeg, period));
}

InfoStats2D counted(const std::vector<double>& degrees, int natM, int width, int shift)
{
    InfoStats2D info;
    info.natM = natM;
    info.wCl = width;
    info.oCl = shift;
    CountClasses(sortedRadians(degrees), info);
    return info;
}

// Every value counted once: the straddling class once, although it is held twice.
int classTotal(const InfoStats2D& info)
{
    int total = 0;
    for (const ClassSpan& span : ClassSpans(info))
        total += info.vCl[static_cast<std::size_t>(span.entry)];
    const bool straddles = IsCircular(info.natM) && info.oCl != 0;
    return straddles ? total - info.vCl[0] : total;
}

// stats2d_reference.py: values drawn from a fixed seed, written with one decimal.
const std::vector<double> kVectors = {
    28.4,  66.0,  173.7, 121.2, 6.8,   25.2,  338.1, 65.5,  8.1,   92.6,  86.4,  18.2,
    22.6,  2.1,   116.0, 13.9,  75.4,  70.1,  359.1, 225.3, 115.7, 70.1,  38.5,  336.5,
    39.2,  91.8,  97.7,  348.5, 93.9,  44.3,  271.4, 213.3, 216.6, 263.0, 212.3, 235.4,
    255.8, 274.3, 247.0, 208.8, 224.8, 214.4, 276.9, 252.1, 197.0, 160.2, 224.5};
const std::vector<double> kAxes = {179.5, 40.8,  178.2, 177.6, 167.9, 165.7, 149.8, 178.0, 15.3,
                                   172.0, 151.3, 169.5, 165.3, 145.8, 178.7, 151.2, 175.4, 154.5,
                                   142.5, 166.4, 168.0, 146.9, 6.3,   14.7,  8.2,   157.0, 167.2,
                                   134.5, 132.1, 135.6, 173.3, 136.1, 152.3, 150.5, 171.3, 6.6,
                                   175.1, 172.5, 20.1,  178.8, 142.2};
const std::vector<double> kDips = {76.8, 39.9, 36.2, 51.5, 62.2, 41.4, 46.6, 49.2, 27.9, 50.6,
                                   41.0, 90.0, 42.1, 66.4, 64.5, 27.0, 23.8, 43.9, 71.6, 40.7,
                                   38.6, 0.0,  45.1, 62.8, 66.1, 65.7, 46.8, 49.3, 75.8, 51.6,
                                   0.0,  80.5, 28.1, 89.4, 90.0, 74.1, 77.6};

TEST(Stats2DCounts, ClassesAgreeWithNumpyHistogram)
{
    struct Case {
        const std::vector<double>* values;
        int natM, width, shift;
        std::vector<int> numpy; // numpy.histogram of the same values (stats2d_reference.py)
        bool straddling;        // numpy's last bin is the class over the origin
    };
    const Case cases[] = {
        {&kVectors,
         kVectors360,
         10,
         0,
         {3, 2, 3, 2, 1, 0, 2, 3, 1, 4, 0, 2, 1, 0, 0, 0, 1, 1,
          0, 1, 1, 4, 3, 1, 1, 2, 1, 3, 0, 0, 0, 0, 0, 2, 1, 1},
         false},
        {&kVectors,
         kVectors360,
         20,
         5,
         {5, 5, 0, 5, 5, 3, 0, 1, 1, 1, 7, 2, 4, 3, 0, 0, 2, 3},
         true},
        {&kAxes, kAxes180, 15, 0, {4, 2, 1, 0, 0, 0, 0, 0, 2, 7, 6, 19}, false},
        {&kDips, kDips90, 18, 0, {2, 4, 16, 7, 8}, false},
    };
    for (const Case& c : cases) {
        const InfoStats2D info = counted(*c.values, c.natM, c.width, c.shift);
        const int n = static_cast<int>(c.numpy.size());
        ASSERT_EQ(info.nCl, n);
        for (int j = 1; j < n; ++j)
            EXPECT_EQ(info.vCl[j], c.numpy[j - 1]) << "natM " << c.natM << " class " << j;
        EXPECT_EQ(info.vCl[n], c.numpy[n - 1]);
        if (c.straddling) {
            EXPECT_EQ(info.vCl[0], c.numpy[n - 1]) << "the straddling class in both entries";
        }
        EXPECT_EQ(classTotal(info), static_cast<int>(c.values->size()));
        EXPECT_EQ(info.ntV, static_cast<int>(c.values->size()));
        const int numpyMax = *std::max_element(c.numpy.begin(), c.numpy.end());
        EXPECT_EQ(info.nCM, numpyMax);
    }
}

TEST(Stats2DCounts, EdgeCasesAndMendedFaults)
{
    // Shift 5, axes 0-180: 3° and 178° both land in the class over the origin.
    InfoStats2D axes = counted({3, 178}, kAxes180, 10, 5);
    EXPECT_EQ(axes.nCl, 18);
    EXPECT_EQ(axes.vCl[0], 2);
    EXPECT_EQ(axes.vCl[18], 2);

    // Axes 0-360: 200° is counted at 20° and shown again at 200°.
    InfoStats2D mirrored = counted({200 - 180}, kAxes360, 10, 0);
    EXPECT_EQ(mirrored.nCl, 36);
    EXPECT_EQ(mirrored.vCl[3], 1) << "[20, 30)";
    EXPECT_EQ(mirrored.vCl[21], 1) << "[200, 210)";

    // A negative shift is the shift it is congruent to.
    const InfoStats2D minus = counted(kVectors, kVectors360, 10, -5);
    const InfoStats2D plus = counted(kVectors, kVectors360, 10, 5);
    EXPECT_EQ(minus.oCl, 5);
    EXPECT_EQ(minus.vCl, plus.vCl);
    EXPECT_EQ(classTotal(minus), static_cast<int>(kVectors.size()));

    // Dips: classes of 18 up to 90°, 90° itself in the last class, no summing of the ends.
    const InfoStats2D dips = counted({85, 90, 2}, kDips90, 18, 0);
    EXPECT_EQ(dips.nCl, 5);
    EXPECT_EQ(dips.vCl[5], 2);
    EXPECT_EQ(dips.vCl[0], 0);
    EXPECT_EQ(dips.nCM, 2) << "the last class of dips is compared too";
    const InfoStats2D shiftedDips = counted({1, 89}, kDips90, 10, 5);
    EXPECT_EQ(shiftedDips.vCl[0], 1) << "[0, 5)";
    EXPECT_EQ(shiftedDips.vCl[9], 1) << "[85, 90]";
    EXPECT_EQ(classTotal(shiftedDips), 2);
}

TEST(Stats2DCounts, ClassOfTheMaximum)
{
    struct Case {
        std::vector<double> values;
        int natM, width, shift;
        const char* line;
    };
    const Case cases[] = {
        {{355, 352, 10}, kVectors360, 10, 0, "(class of the max : 350 - 360 d\xB0)"},
        {{16, 24, 100}, kVectors360, 10, 5, "(class of the max : 15 - 25 d\xB0)"},
        {{356, 2, 100}, kVectors360, 10, 5, "(class of the max : 355 - 5 d\xB0)"},
        {{175, 2, 100}, kAxes180, 10, 5, "(class of the max : 175 - 5 d\xB0)"},
        {{1, 3, 50}, kDips90, 10, 5, "(class of the max : 0 - 5 d\xB0)"},
        {{86, 90, 50}, kDips90, 10, 5, "(class of the max : 85 - 90 d\xB0)"},
    };
    for (const Case& c : cases) {
        Stats2DChoice choice;
        choice.natM = c.natM;
        choice.width = c.width;
        choice.shift = c.shift;
        const Stats2DReport r = ComputeStats2D(sortedRadians(c.values), choice, 0);
        EXPECT_EQ(r.lines[2], c.line);
        EXPECT_EQ(r.info.nCM, 2);
    }
}

TEST(Stats2DCounts, SmoothedWindowsAgreeWithADirectCount)
{
    for (const auto& [values, natM] : {std::pair{&kVectors, kVectors360},
                                       std::pair{&kAxes, kAxes180}, std::pair{&kDips, kDips90}}) {
        InfoStats2D info;
        info.natM = natM;
        info.wCl = 15;
        CountSmoothed(sortedRadians(*values), info);
        const int range = RangeDeg(natM);
        ASSERT_EQ(info.nCl, range);
        int best = -1;
        for (int c = 0; c <= range; ++c) {
            int direct = 0;
            for (double v : *values) {
                // The window [c - 7.5, c + 7.5): on a circle the distance wraps; dips do not wrap
                // and 90° itself belongs to the windows that reach it.
                const double offset = natM == kDips90 ? v - c : std::remainder(v - c, range);
                direct += (offset >= -7.5 && offset < 7.5)
                          || (natM == kDips90 && v == 90 && c + 7.5 > 90);
            }
            EXPECT_EQ(info.vCl[c], direct) << "natM " << natM << " at " << c;
            if (direct > best && (c < range || natM == kDips90))
                best = direct;
        }
        EXPECT_EQ(info.nCM, best);
        EXPECT_EQ(info.vCl[info.pCM], best) << "pCM is the degree of the maximum";
    }
    Stats2DChoice choice;
    choice.style = 1 << kStats2DSmoothed;
    const Stats2DReport r = ComputeStats2D(sortedRadians({40, 41, 42, 200}), choice, 0);
    EXPECT_EQ(r.lines[2].rfind("(position of the max : ", 0), 0u) << r.lines[2];
    EXPECT_EQ(r.info.nCM, 3);
}

TEST(Stats2DChecks, WidthAndShift)
{
    struct Case {
        int width, natM, allowed;
        const char* message;
    };
    const Case cases[] = {
        {25, kVectors360, 20, "unallowed class width (25\xB0), changed to 20\xB0"},
        {10, kVectors360, 10, ""},
        {20, kDips90, 18, "unallowed class width (20\xB0), changed to 18\xB0"},
        {36, kDips90, 30, "unallowed class width (36\xB0), changed to 30\xB0"},
        {12, kAxes180, 12, ""},
        {7, kAxes360, 6, "unallowed class width (7\xB0), changed to 6\xB0"},
    };
    for (const Case& c : cases) {
        const WidthCheck check = CheckClassWidth(c.width, c.natM);
        EXPECT_EQ(check.width, c.allowed);
        EXPECT_EQ(check.message, c.message);
    }
    EXPECT_EQ(CheckShift(10, 10),
              "initial shift must be smaller than class width (10\xB0), choose another value...");
    EXPECT_FALSE(CheckShift(5, 10));
    EXPECT_FALSE(CheckShift(-20, 10));
    EXPECT_EQ(NormalShift(-5, 10), 5);
    EXPECT_EQ(NormalShift(-20, 10), 0);
}

TEST(Stats2DCollection, OneAngleOfEachMeasurement)
{
    struct Case {
        double trend, plunge;
        bool plane;
        int natM, sBy;
        double expected;
    };
    const Case cases[] = {
        // A plane dipping east: pole trend 270, strike 360 -> 0.
        {270, 60, true, kVectors360, kPlaneStrike, 0},
        // A plane dipping north: pole trend 180, dip direction 360 -> 0.
        {180, 40, true, kVectors360, kPlaneDipDirection, 0},
        {180, 40, true, kAxes180, kPlaneDipDirection, 0},
        {200, 40, true, kVectors360, kPlanePole, 200},
        {200, 40, true, kAxes360, kPlanePole, 20},
        {180, 40, false, kAxes180, kPlaneStrike, 0},
        {30, 40, true, kVectors360, kPlaneStrike, 120},
        {30, 25, false, kVectors360, kPlaneStrike, 30},
        {30, 25, true, kDips90, kPlaneStrike, 25},
        {359.99999999, 10, false, kVectors360, kPlaneStrike, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(deg(OneAngle({rad(c.trend), rad(c.plunge)}, c.plane, c.natM, c.sBy)),
                    c.expected, 1e-9)
            << c.trend << " " << c.natM << " " << c.sBy;
}

TEST(Stats2DCollection, SheetRowsByKeyAndRecordsBySet)
{
    DataSheet sheet;
    EXPECT_TRUE(CollectSheet(sheet, {}, kVectors360, kPlaneStrike).empty())
        << "the empty row of a new sheet is no value";
    sheet.lFrtS = sheet.lFrtL = 1;
    test::EnterRow(sheet, {"S0", "30/090", "1", "", ""}); // dip direction 90
    test::EnterRow(sheet, {"S01", "30/180", "2", "", ""});
    test::EnterRow(sheet, {"L", "10/045", "3", "", ""});
    sheet.appendRow(); // an empty row at the end
    const auto degreesOf = [](const std::vector<double>& v) {
        std::vector<double> d;
        for (double x : v)
            d.push_back(std::round(deg(x) * 1e6) / 1e6);
        return d;
    };
    EXPECT_EQ(degreesOf(CollectSheet(sheet, {}, kVectors360, kPlaneDipDirection)),
              (std::vector<double>{45, 90, 180}));
    EXPECT_EQ(degreesOf(CollectSheet(sheet, {Field::Nature, "S0/"}, kVectors360, kPlaneStrike)),
              (std::vector<double>{0}))
        << "the whole code";
    EXPECT_EQ(degreesOf(CollectSheet(sheet, {Field::Nature, "S0"}, kVectors360, kPlaneStrike)),
              (std::vector<double>{0, 90}));
    EXPECT_TRUE(CollectSheet(sheet, {Field::Number, "9"}, kVectors360, kPlaneStrike).empty());
    // A row typed but not decoded yet is read as saving would read it.
    sheet.setField(3, Field::Value, "20/300");
    sheet.lMod[3] = kRowToDecode;
    EXPECT_EQ(degreesOf(CollectSheet(sheet, {Field::Nature, "L"}, kVectors360, kPlaneStrike)),
              (std::vector<double>{300}));

    std::vector<InfoVal> records(3);
    const std::tuple<double, int, int> made[] = {{10, 1, 2}, {20, 1, 3}, {30, 0, 2}}; // 30 hidden
    for (std::size_t i = 0; i < 3; ++i) {
        records[i].azi = rad(std::get<0>(made[i]));
        records[i].inf = std::get<1>(made[i]);
        records[i].nco = std::get<2>(made[i]);
        records[i].sy = 6;
    }
    SymbolSelection chosen;
    chosen.set(6, 3, true);
    EXPECT_EQ(degreesOf(CollectRecords(records, nullptr, kVectors360, 0)),
              (std::vector<double>{10, 20}));
    EXPECT_EQ(degreesOf(CollectRecords(records, &chosen, kVectors360, 0)),
              (std::vector<double>{20}));
}

TEST(Stats2DMean, PublishedExamplesAndAstropy)
{
    struct Case {
        std::vector<double> values;
        int natM;
        double expected;
        const char* source;
    };
    const Case cases[] = {
        // Jammalamadaka & SenGupta (2001), Topics in Circular Statistics, p. 23: 0.8487044 rad.
        {{51, 67, 40, 109, 31, 358}, kVectors360, deg(0.8487044), "J&S 2001 p. 23"},
        // Zar (2010), Biostatistical Analysis, Example 26.4: 99 degrees (r = 0.82522).
        {{45, 55, 81, 96, 110, 117, 132, 154}, kVectors360, 99, "Zar 2010 ex. 26.4"},
        // astropy.stats.circmean of the reference sets (axes doubled and halved).
        {kVectors, kVectors360, 43.536141, "astropy vectors"},
        {kAxes, kAxes180, 166.353466, "astropy axes"},
        {kDips, kDips90, 52.450016, "astropy dips"},
        // Axes are averaged on doubled angles: 5 and 175 are 10 apart around 0.
        {{5, 175}, kAxes180, 0, "axes across 0"},
        {{5, 175}, kAxes360, 0, "axes across 0"},
    };
    for (const Case& c : cases) {
        const double period = IsAxial(c.natM) ? 180 : 360;
        const double mean = deg(MeanDirection(sortedRadians(c.values), c.natM));
        EXPECT_LT(angleGap(mean, c.expected, period), c.expected == 99 ? 0.02 : 1e-5) << c.source;
        EXPECT_GE(mean, 0);
        EXPECT_LT(mean, period);
    }
}

// The least mean arc distance over the data points (odd n) or the midpoints of neighbours
// (even n): the median by Fisher's definition, searched exhaustively.
double bruteForceMedianDistance(const std::vector<double>& sorted, int natM)
{
    double best = 1e300;
    const std::size_t n = sorted.size();
    for (std::size_t i = 0; i < n; ++i) {
        double at = sorted[i];
        if (n % 2 == 0) {
            const double k = IsAxial(natM) ? 2 : 1;
            const double a = k * sorted[i], b = k * sorted[(i + 1) % n];
            at = std::atan2(std::sin(a) + std::sin(b), std::cos(a) + std::cos(b)) / k;
        }
        double sum = 0;
        for (double v : sorted)
            sum += std::fabs(std::remainder((IsAxial(natM) ? 2 : 1) * (v - at), 2 * kPi));
        best = std::min(best, sum);
    }
    return best / double(n) / (IsAxial(natM) ? 2 : 1);
}

TEST(Stats2DMedian, WorkedCases)
{
    struct Case {
        std::vector<double> values;
        int natM;
        double median;
        int nMin;
    };
    const Case cases[] = {
        {{190, 200, 210, 220, 230, 240}, kVectors360, 215, 0},
        {{190, 200, 210, 220, 230}, kVectors360, 210, 0},
        // Wrapping past 360: the values on both sides of north.
        {{350, 355, 5, 10, 20}, kVectors360, 5, 0},
        {{340, 350, 10, 20}, kVectors360, 0, 0},
        // Axes on doubled angles: 170 and 10 lie 20 apart around 0.
        {{170, 175, 5, 10, 15}, kAxes180, 5, 0},
        {{30}, kVectors360, 30, 0},
        // Four values at right angles: every diameter leaves one value on a side.
        {{0, 90, 180, 270}, kVectors360, -1, 1},
        // Dips: not circular, the middle value.
        {{10, 20, 80, 85, 90}, kDips90, 80, 0},
        // Ties: every value the same.
        {{40, 40, 40}, kVectors360, 40, 0},
    };
    for (const Case& c : cases) {
        const std::vector<double> sorted = sortedRadians(c.values);
        const MedianScan scan = MedianDirection(sorted, c.natM);
        if (c.median >= 0) {
            EXPECT_LT(angleGap(deg(scan.med), c.median, IsAxial(c.natM) ? 180 : 360), 1e-9)
                << c.values.size() << " values, median " << deg(scan.med);
        }
        EXPECT_EQ(scan.nMin, c.nMin);
        EXPECT_NEAR(MeanArcDistance(sorted, scan.med, c.natM),
                    bruteForceMedianDistance(sorted, c.natM), 1e-12);
    }
    EXPECT_EQ(MedianDirection({}, kVectors360).nMin, 0);
}

TEST(Stats2DMedian, AgreesWithBruteForceOnRandomSamples)
{
    std::mt19937 random(17);
    for (int trial = 0; trial < 300; ++trial) {
        const int natM = trial % 3 == 0 ? kAxes180 : trial % 3 == 1 ? kVectors360 : kAxes360;
        const int n = 1 + trial % 40;
        const double kappa = 0.3 + (trial % 7);
        std::vector<double> degrees;
        // von Mises draws by rejection (Best & Fisher 1979 is not needed for a test).
        std::uniform_real_distribution<double> u(0, 1);
        while (static_cast<int>(degrees.size()) < n) {
            const double t = 2 * kPi * u(random);
            if (u(random) < std::exp(kappa * (std::cos(t) - 1)))
                degrees.push_back(std::fmod(deg(t) + 77 + (trial % 4) * 90, 360));
        }
        std::vector<double> values = degrees;
        std::vector<double> circle;
        for (double& d : values) {
            d = deg(OneAngle({rad(d), 0}, false, natM, 0));
            circle.push_back(IsAxial(natM) ? 2 * d : d);
        }
        const std::vector<double> sorted = sortedRadians(values);
        const MedianScan scan = MedianDirection(sorted, natM);
        EXPECT_EQ(scan.nMin, test::BruteForceHodgesAjne(circle)) << "trial " << trial;
        EXPECT_NEAR(MeanArcDistance(sorted, scan.med, natM), bruteForceMedianDistance(sorted, natM),
                    1e-9)
            << "trial " << trial << ", n " << n;
        // The diameter through v[iMin] leaves nMin values on its emptier side.
        const double a = IsAxial(natM) ? 2 * deg(sorted[scan.iMin]) : deg(sorted[scan.iMin]);
        int j = 0;
        for (double w : circle) {
            const double off = std::fmod(w - a + 720, 360);
            j += off > 1e-7 && off < 180 - 1e-7;
        }
        EXPECT_EQ(std::min(j, n - j), scan.nMin) << "trial " << trial;
    }
}

TEST(Stats2DReport, LinesOfARoseAndAHistogram)
{
    Stats2DChoice choice;
    choice.type = kDiagramRose;
    choice.natM = kVectors360;
    choice.width = 10;
    choice.style = 1 << kStats2DShowMean | 1 << kStats2DShowMedian;
    const DayCount at = toDayCount({2026, 12, 9, 14, 5, 0});
    const Stats2DReport rose =
        ComputeStats2D(sortedRadians({190, 200, 210, 220, 230, 240}), choice, at);
    const std::vector<std::string> expected = {
        "14:05 -  Rose diagram", "6 values, classes of 10\xB0, origin : 0\xB0, max: 1 val",
        "(class of the max : 190 - 200 d\xB0)", "(average orientation : 215.0 d\xB0)",
        "(median position : 215.0 d\xB0)"};
    EXPECT_EQ(rose.lines, expected);

    choice.type = kDiagramLinear;
    choice.style = 0;
    const Stats2DReport linear = ComputeStats2D(sortedRadians({10, 30}), choice, at);
    EXPECT_EQ(linear.lines[0], "14:05 - Linear histogram");
    ASSERT_EQ(linear.lines.size(), 5u) << "the linear histogram always writes mean and median";
    EXPECT_EQ(linear.lines[3], "(average orientation : 20.0 d\xB0)");
    EXPECT_EQ(linear.lines[4], "(median position : 20.0 d\xB0)");

    choice.type = kDiagramCircular;
    EXPECT_EQ(ComputeStats2D(sortedRadians({10}), choice, at).lines,
              (std::vector<std::string>{"14:05 -  Circular histogram",
                                        "1 values, classes of 10\xB0, origin : 0\xB0, max: 1 val",
                                        "(class of the max : 10 - 20 d\xB0)"}));
}

TEST(Stats2DReport, ClassListing)
{
    InfoStats2D plain = counted({3, 12, 178}, kAxes180, 30, 0);
    InfoStats2D shifted = counted({3, 12, 178}, kAxes180, 30, 10);
    const DayCount at = toDayCount({2026, 12, 9, 14, 5, 0});
    const std::vector<InfoStats2D> both = {plain, shifted};
    const std::vector<std::string> expected = {"14:05",
                                               "Nb of values: 3, V max: 2",
                                               "  0-30\xB0 : 2",
                                               "  30-60\xB0 : 0",
                                               "  60-90\xB0 : 0",
                                               "  90-120\xB0 : 0",
                                               "  120-150\xB0 : 0",
                                               "  150-180\xB0 : 1",
                                               "14:05",
                                               "Nb of values: 3, V max: 2",
                                               "  0-10\xB0 : 2",
                                               "  11-40\xB0 : 1",
                                               "  41-70\xB0 : 0",
                                               "  71-100\xB0 : 0",
                                               "  101-130\xB0 : 0",
                                               "  131-160\xB0 : 0",
                                               "  161-180\xB0 : 2"};
    EXPECT_EQ(ClassListing(kDiagramRose, both, at), expected);
    // Axes 0-360: each axis listed at both ends, and counted once.
    const InfoStats2D axes[] = {counted({20, 100}, kAxes360, 90, 0)};
    EXPECT_EQ(
        ClassListing(kDiagramCircular, axes, at),
        (std::vector<std::string>{"14:05", "Nb of values: 2, V max: 1", "  0-90\xB0 : 1",
                                  "  90-180\xB0 : 1", "  180-270\xB0 : 1", "  270-360\xB0 : 1"}));
    EXPECT_EQ(ListingTitle(kDiagramRose, "x"), "Rose diagram");
    EXPECT_EQ(ListingTitle(kDiagramFaultRakes, "x"), "Faults Rakes");
    EXPECT_EQ(ListingTitle(kDiagramLinear, " Stats 2D - 1 (histogram)"),
              " Stats 2D - 1 (histogram)");
    EXPECT_EQ(DiagramTitleSuffix(kDiagramCircular), " (circular histo)");
    EXPECT_EQ(DiagramTitleSuffix(kDiagramFaultDips), " (histogram)");
    EXPECT_EQ(DiagramTitleSuffix(kDiagramKuiper), " (Kuiper test)");
}

} // namespace
} // namespace ploq
