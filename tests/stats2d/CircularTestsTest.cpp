// The circular tests checked against independent references: the Hodges-Ajne critical values
// against a Monte Carlo of 100000 uniform samples per n and against published values, nMin
// against a brute-force count over every diameter, Kuiper's V against astropy.stats.kuiper and a
// brute-force supremum of the empirical distribution, its critical values against Stephens
// (1970) and a Monte Carlo of its levels. circular_reference.py makes the pasted values.

#include "app/VarGlob.h"
#include "model/UtilGlob.h"
#include "stats2d/BruteForce.h"
#include "stats2d/Stats2D.h"
#include "support/Draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;
const DayCount kAt = toDayCount({2026, 12, 9, 14, 5, 0});

std::vector<double> sortedRadians(const std::vector<double>& degrees)
{
    std::vector<double> r;
    for (double d : degrees)
        r.push_back(d * kDegToRad);
    std::sort(r.begin(), r.end());
    return r;
}

// circular_reference.py: for each n, the samples out of 100000 whose m is at most 0, 1, ...,
// up to the first k past 5 %.
struct MonteCarloRow {
    int n;
    std::vector<int> atMost;
};
const std::vector<MonteCarloRow> kHodgesAjneMonteCarlo = {
    {1, {100000}},
    {2, {100000}},
    {3, {75005}},
    {4, {49913}},
    {5, {31567}},
    {6, {18870}},
    {7, {10944}},
    {8, {6091}},
    {9, {3415, 24668}},
    {10, {1987, 15686}},
    {11, {1115, 9698}},
    {12, {569, 5772}},
    {13, {301, 3506, 17029}},
    {14, {179, 2126, 11082}},
    {15, {104, 1190, 7141}},
    {16, {53, 651, 4359, 17067}},
    {17, {21, 387, 2803, 11462}},
    {18, {13, 212, 1599, 7307}},
    {19, {6, 125, 997, 4785, 16217}},
    {20, {6, 74, 614, 3056, 11106}},
    {21, {0, 34, 331, 1887, 7309}},
    {22, {2, 17, 185, 1136, 4840, 14910}},
    {23, {0, 11, 124, 695, 3112, 10369}},
    {24, {0, 3, 72, 464, 2087, 7038}},
    {25, {0, 0, 30, 239, 1257, 4685, 13790}},
    {26, {0, 0, 19, 151, 797, 3133, 9676}},
    {27, {0, 0, 6, 94, 482, 2007, 6576}},
    {28, {0, 0, 9, 58, 319, 1335, 4533, 12481}},
    {29, {0, 0, 6, 32, 188, 846, 3015, 8767}},
    {30, {0, 0, 2, 21, 105, 560, 1958, 5989}},
    {31, {0, 0, 0, 8, 65, 321, 1345, 4236, 11232}},
    {32, {0, 0, 1, 5, 33, 184, 840, 2802, 7892}},
    {33, {0, 0, 0, 5, 26, 124, 529, 1923, 5571}},
    {34, {0, 0, 1, 2, 10, 80, 352, 1238, 3842, 9835}},
    {35, {0, 0, 0, 0, 5, 46, 214, 799, 2634, 7027}},
    {36, {0, 0, 0, 1, 7, 31, 154, 555, 1752, 4846, 11835}},
    {37, {0, 0, 0, 1, 2, 18, 90, 334, 1174, 3423, 8656}},
    {38, {0, 0, 0, 0, 1, 12, 55, 220, 795, 2326, 6200}},
    {39, {0, 0, 0, 0, 3, 4, 36, 150, 527, 1648, 4371, 10350}},
    {40, {0, 0, 0, 0, 1, 2, 15, 90, 319, 1098, 2971, 7431}},
    {41, {0, 0, 0, 0, 1, 2, 13, 61, 243, 744, 2131, 5541}},
    {42, {0, 0, 0, 0, 0, 0, 8, 40, 144, 507, 1486, 3839, 8920}},
    {43, {0, 0, 0, 0, 0, 0, 4, 26, 106, 361, 1034, 2846, 6697}},
    {44, {0, 0, 0, 0, 0, 1, 1, 8, 43, 207, 676, 1972, 4909, 10691}},
    {45, {0, 0, 0, 0, 0, 1, 2, 12, 33, 133, 471, 1327, 3455, 7934}},
    {46, {0, 0, 0, 0, 0, 0, 1, 4, 19, 79, 284, 918, 2457, 5802}},
    {47, {0, 0, 0, 0, 0, 1, 2, 5, 15, 56, 188, 610, 1703, 4309, 9369}},
    {48, {0, 0, 0, 0, 0, 0, 0, 1, 12, 36, 127, 402, 1194, 3002, 6863}},
    {49, {0, 0, 0, 0, 0, 0, 0, 2, 7, 25, 88, 259, 808, 2069, 5044}},
    {50, {0, 0, 0, 0, 0, 0, 0, 0, 1, 12, 66, 193, 567, 1496, 3618, 7827}},
};
constexpr double kSamples = 100000;

// Four standard errors of a share of the Monte Carlo, and a floor for shares near 0.
double tolerance(double p)
{
    return 4 * std::sqrt(std::max(p, 1e-4) * (1 - p) / kSamples);
}

TEST(HodgesAjne, ExactTailAgreesWithTheMonteCarlo)
{
    for (const MonteCarloRow& row : kHodgesAjneMonteCarlo)
        for (int k = 0; k < static_cast<int>(row.atMost.size()); ++k) {
            const double tail = HodgesAjneTail(row.n, k);
            EXPECT_NEAR(tail, row.atMost[k] / kSamples, tolerance(tail))
                << "n " << row.n << ", k " << k;
        }
    // Three values lie in one half-circle 3 times in 4; n / 2^(n-1) in general.
    EXPECT_DOUBLE_EQ(HodgesAjneTail(3, 0), 0.75);
    EXPECT_DOUBLE_EQ(HodgesAjneTail(8, 0), 8.0 / 128);
    // WaveMetrics, Igor Pro manual, StatsHodgesAjneTest: 30 values with m = 0 give P = 5.5e-08.
    EXPECT_NEAR(HodgesAjneTail(30, 0), 5.5e-8, 0.1e-8);
}

TEST(HodgesAjne, CriticalValuesHoldTheirLevelByTheMonteCarlo)
{
    for (const MonteCarloRow& row : kHodgesAjneMonteCarlo)
        for (double alpha : {0.05, 0.01}) {
            SCOPED_TRACE(::testing::Message() << "n " << row.n << ", level " << alpha);
            const int c = HodgesAjneCritical(row.n, alpha);
            const auto share = [&](int k) {
                return k < 0 ? 0.0 : k < int(row.atMost.size()) ? row.atMost[k] / kSamples : 1.0;
            };
            // Rejecting at m <= c keeps to the level; at m <= c + 1 it would not.
            EXPECT_LE(share(c), alpha + tolerance(alpha));
            EXPECT_GE(share(c + 1), alpha - tolerance(alpha));
        }
}

TEST(HodgesAjne, CriticalValuesOfSmallSamples)
{
    struct Case {
        int n, c95, c99;
    };
    const Case cases[] = {
        // m = 0 is no evidence below 9 values: P(m = 0) = n / 2^(n-1) is 6 % or more.
        {1, -1, -1},
        {3, -1, -1},
        {8, -1, -1},
        {9, 0, -1},
        {12, 0, 0},
        {20, 3, 2},
        // WaveMetrics, Igor Pro manual, StatsHodgesAjneTest: 30 values, critical 6 at 0.05.
        {30, 6, 5},
        {50, 14, 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HodgesAjneCritical(c.n, 0.05), c.c95) << c.n;
        EXPECT_EQ(HodgesAjneCritical(c.n, 0.01), c.c99) << c.n;
    }
}

// n values with `m` of them on one side of a diameter: n - m spread over [0°, 170°], m within
// [240°, 250°].
std::vector<double> withFewOnOneSide(int n, int m)
{
    std::vector<double> d;
    for (int i = 0; i < n - m; ++i)
        d.push_back(170.0 * i / std::max(1, n - m - 1));
    for (int i = 0; i < m; ++i)
        d.push_back(240 + 10.0 * i / std::max(1, m));
    return d;
}

TEST(CircularPlot, VerdictsByTheNumberOfValuesAndTheCount)
{
    struct Case {
        int n, m;
        std::string critical; // empty: no verdict
        std::string verdict;
    };
    const Case cases[] = {
        {20, 2, "Test = 2  Critical value 95% and 99% = 3 and 2",
         "uniformity not probable at P 95% and 99%"},
        {20, 3, "Test = 3  Critical value 95% and 99% = 3 and 2",
         "non-uniformity probable at P 95%, non-uniformity not evidenced at P 99%"},
        {20, 4, "Test = 4  Critical value 95% and 99% = 3 and 2",
         "non-uniformity evidenced neither at P 95% nor at P 99%"},
        {3, 0, "Test = 0  Critical value 95% and 99% = none and none",
         "non-uniformity evidenced neither at P 95% nor at P 99%"},
        {8, 0, "Test = 0  Critical value 95% and 99% = none and none",
         "non-uniformity evidenced neither at P 95% nor at P 99%"},
        {9, 0, "Test = 0  Critical value 95% and 99% = 0 and none",
         "non-uniformity probable at P 95%, non-uniformity not evidenced at P 99%"},
        {50, 12, "Test = 12  Critical value 95% and 99% = 14 and 12",
         "uniformity not probable at P 95% and 99%"},
        {51, 2, "", "(critical value for more than 50 data unavailable)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.n << " values, m " << c.m);
        const std::vector<double> degrees = withFewOnOneSide(c.n, c.m);
        ASSERT_EQ(test::BruteForceHodgesAjne(degrees), c.m);
        const CircularPlotReport r =
            ComputeCircularPlot(sortedRadians(degrees), kVectors360, kPlaneStrike, kAt);
        EXPECT_EQ(r.info.nMin, c.m);
        ASSERT_EQ(r.lines.size(), c.critical.empty() ? 4u : 5u);
        if (!c.critical.empty()) {
            EXPECT_EQ(r.lines[3], c.critical);
        }
        EXPECT_EQ(r.lines.back(), c.verdict);
        EXPECT_EQ(r.verdict.available, !c.critical.empty());
    }
}

TEST(CircularPlot, ReportLines)
{
    const CircularPlotReport r = ComputeCircularPlot(sortedRadians({190, 200, 210, 220, 230, 240}),
                                                     kVectors360, kPlaneStrike, kAt);
    const std::vector<std::string> expected = {
        "14:05 - Circular plot", "Moyenne 215.0\xB0, median 215.0\xB0",
        "Hodges-Ajne's test : min 0,  max 6, diameter position  240.0\xB0",
        "Test = 0  Critical value 95% and 99% = none and none",
        "non-uniformity evidenced neither at P 95% nor at P 99%"};
    EXPECT_EQ(r.lines, expected);
    // The diameter through 240° has no value clockwise within 180° of it.
    EXPECT_DOUBLE_EQ(r.diameter, 240 * kDegToRad);
    EXPECT_EQ(r.info.ntV, 6);
    // No value: nothing computed and nothing to write.
    const CircularPlotReport none = ComputeCircularPlot({}, kVectors360, kPlaneStrike, kAt);
    EXPECT_TRUE(none.lines.empty());
    EXPECT_FALSE(none.verdict.available);
    EXPECT_EQ(none.info.moy, 0);
}

TEST(CircularPlot, AxesTestedOnDoubledAngles)
{
    // Five axes 40° apart are five directions 80° apart once doubled, two or three on each
    // side of any diameter, although they lie within a half-circle as they are.
    const std::vector<double> axes = {0, 40, 80, 120, 160};
    ASSERT_EQ(test::BruteForceHodgesAjne(axes), 0);
    ASSERT_EQ(test::BruteForceHodgesAjne({0, 80, 160, 240, 320}), 2);
    for (int natM : {kAxes180, kAxes360}) {
        const CircularPlotReport r =
            ComputeCircularPlot(sortedRadians(axes), natM, kPlaneStrike, kAt);
        EXPECT_EQ(r.info.nMin, 2) << natM;
    }
    // Axes about 0° wrap: 170° and 10° are 20° apart, the whole set on one side.
    const CircularPlotReport wrapped =
        ComputeCircularPlot(sortedRadians({170, 175, 0, 5, 10}), kAxes180, kPlaneStrike, kAt);
    EXPECT_EQ(wrapped.info.nMin, 0);
    EXPECT_EQ(wrapped.lines[1], "Moyenne 0.0\xB0, median 0.0\xB0");
}

// circular_reference.py: values drawn from a fixed seed, written with one decimal.
const std::vector<double> kVectors = {8.7,   9.1,   25.0,  32.9,  41.1,  46.3,  48.9,  54.1,
                                      58.0,  64.6,  65.6,  74.2,  78.5,  97.8,  100.2, 101.7,
                                      104.7, 110.1, 115.8, 122.8, 123.5, 136.9, 152.3, 204.6,
                                      244.2, 246.3, 298.2, 317.7, 348.4, 353.1};
const std::vector<double> kUniform = {
    2.7,   4.6,   9.5,   15.8,  19.5,  22.4,  27.2,  30.2,  30.5,  33.1,  38.3,  40.4,  42.1,
    42.2,  46.3,  49.3,  50.1,  52.9,  59.1,  61.1,  64.5,  69.9,  72.0,  76.9,  83.0,  83.6,
    90.6,  91.2,  91.7,  95.1,  95.1,  96.1,  105.9, 108.0, 110.8, 113.7, 117.5, 120.6, 121.1,
    123.2, 123.8, 125.7, 134.0, 136.4, 140.2, 141.0, 146.7, 161.2, 167.3, 180.9, 185.8, 192.5,
    192.8, 198.6, 200.5, 216.6, 220.0, 225.1, 230.3, 236.4, 240.2, 241.3, 243.3, 245.6, 246.5,
    248.2, 250.0, 252.5, 252.6, 253.5, 255.4, 272.8, 275.7, 277.4, 282.2, 282.5, 285.0, 289.3,
    289.6, 291.2, 300.7, 303.3, 306.0, 318.5, 324.4, 327.3, 327.6, 328.5, 329.4, 331.2, 333.9,
    339.5, 340.8, 341.5, 346.3, 346.5, 349.2, 350.4, 350.9, 354.1};
const std::vector<double> kAxes = {3.9,   5.0,   7.9,   7.9,   8.9,   9.6,   11.9, 13.6,  14.0,
                                   17.2,  18.6,  21.8,  23.5,  35.1,  44.3,  53.9, 134.4, 154.4,
                                   155.6, 165.6, 166.3, 169.6, 170.4, 171.0, 176.3};
const std::vector<double> kDips = {0.0,  6.6,  15.3, 18.1, 20.5, 20.8, 23.0, 23.1, 26.1, 26.1,
                                   26.7, 28.9, 30.2, 31.8, 34.5, 34.7, 34.7, 45.6, 51.2, 64.9};
// Mardia & Jupp, Directional Statistics (2000), p. 93: homing directions of ten pigeons.
const std::vector<double> kPigeons = {55, 60, 65, 95, 100, 110, 260, 275, 285, 295};

// The values as fractions of their range, as the test compares them with i / n.
std::vector<double> fractions(const std::vector<double>& degrees, int natM)
{
    std::vector<double> f;
    for (double d : degrees) {
        const double a = OneAngle({d * kDegToRad, d * kDegToRad}, false, natM, 0) / kDegToRad;
        f.push_back(KuiperScale(natM) * a / 360);
    }
    return f;
}

std::vector<double> collected(const std::vector<double>& degrees, int natM)
{
    std::vector<double> r;
    for (double d : degrees)
        r.push_back(OneAngle({d * kDegToRad, d * kDegToRad}, false, natM, 0));
    std::sort(r.begin(), r.end());
    return r;
}

TEST(Kuiper, VAgreesWithAstropyAndABruteForceSupremum)
{
    struct Case {
        const std::vector<double>* values;
        int natM;
        double astropy; // astropy.stats.kuiper D of the same fractions (circular_reference.py)
    };
    const Case cases[] = {
        {&kVectors, kVectors360, 0.391388888889}, {&kUniform, kVectors360, 0.138055555556},
        {&kAxes, kAxes180, 0.567222222222},       {&kDips, kDips90, 0.534444444444},
        {&kPigeons, kVectors360, 0.447222222222}, {&kPigeons, kAxes360, 0.666666666667},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.values->size() << " values, natM " << c.natM);
        const KuiperResult r = KuiperTest(collected(*c.values, c.natM), c.natM);
        EXPECT_NEAR(r.V, c.astropy, 1e-9);
        EXPECT_NEAR(r.V, test::BruteForceKuiper(fractions(*c.values, c.natM)), 1e-12);
        EXPECT_EQ(r.n, static_cast<int>(c.values->size()));
    }
}

TEST(Kuiper, PublishedPigeonExample)
{
    // The pigeons of Mardia & Jupp as the documentation of the R package tectonicr tests their
    // axes (kuiper_test, axial = TRUE): V* = 2.262115, above 1.747 at 0.05.
    const KuiperResult r = KuiperTest(collected(kPigeons, kAxes360), kAxes360);
    EXPECT_NEAR(r.V * StephensFactor(10), 2.262115, 1e-6);
    EXPECT_TRUE(r.reject05);
}

TEST(Kuiper, ValuesBunchedEarlyInTheRange)
{
    // Ten vectors at 10°: every d_i - i/n is negative. V = D+ + D- = 1, where |Dmin| + |Dmax|
    // + 1/n would give 1.144.
    const KuiperResult r = KuiperTest(sortedRadians(std::vector<double>(10, 10)), kVectors360);
    EXPECT_LT(r.dMax, 0);
    EXPECT_NEAR(r.dMax, 10.0 / 360 - 0.1, 1e-12);
    EXPECT_NEAR(r.dMin, 10.0 / 360 - 1, 1e-12);
    EXPECT_NEAR(r.V, 1, 1e-12);
    EXPECT_NEAR(r.V, test::BruteForceKuiper(std::vector<double>(10, 10.0 / 360)), 1e-12);
}

TEST(Kuiper, AxesAndDipsScaledToTheirRange)
{
    // Axes spread evenly over 0-180° are uniform once doubled: V is the least possible, 1/n.
    std::vector<double> axes;
    for (int i = 0; i < 10; ++i)
        axes.push_back(18 * (i + 0.5));
    for (int natM : {kAxes180, kAxes360})
        EXPECT_NEAR(KuiperTest(collected(axes, natM), natM).V, 0.1, 1e-12) << natM;
    // Dips spread over 0-90° likewise.
    std::vector<double> dips;
    for (int i = 0; i < 10; ++i)
        dips.push_back(9 * (i + 0.5));
    EXPECT_NEAR(KuiperTest(sortedRadians(dips), kDips90).V, 0.1, 1e-12);
    EXPECT_EQ(KuiperScale(kAxes180), 2);
    EXPECT_EQ(KuiperScale(kAxes360), 2);
    EXPECT_EQ(KuiperScale(kVectors360), 1);
    EXPECT_EQ(KuiperScale(kDips90), 4);
}

TEST(Kuiper, CriticalValuesOfStephens)
{
    // Stephens (1970), J. R. Statist. Soc. B 32, 115-122: V (sqrt(n) + 0.155 + 0.24 / sqrt(n))
    // has the upper points 1.747 at 0.05 and 2.001 at 0.01 for any n.
    for (int n : {4, 10, 25, 100, 1000, 5000}) {
        const KuiperResult r = KuiperTest(sortedRadians(std::vector<double>(n, 30)), kVectors360);
        const double k = std::sqrt(n) + 0.155 + 0.24 / std::sqrt(n);
        EXPECT_NEAR(r.c05 * k, 1.747, 0.0035) << n;
        EXPECT_NEAR(r.c01 * k, 2.001, 0.0035) << n;
    }
    EXPECT_NEAR(StephensFactor(100), 10.179, 1e-12);
}

TEST(Kuiper, LevelsByMonteCarlo)
{
    // Uniform vectors are rejected at the rate of the level.
    test::Draws draws(1970);
    constexpr int kTrials = 40000;
    for (int n : {10, 30, 100}) {
        int rejected05 = 0;
        int rejected01 = 0;
        std::vector<double> values(static_cast<std::size_t>(n));
        for (int trial = 0; trial < kTrials; ++trial) {
            for (double& v : values)
                v = 2 * kPi * draws.uniform();
            std::sort(values.begin(), values.end());
            const KuiperResult r = KuiperTest(values, kVectors360);
            rejected05 += r.reject05;
            rejected01 += r.reject01;
        }
        EXPECT_NEAR(rejected05 / double(kTrials), 0.05, 0.006) << n;
        EXPECT_NEAR(rejected01 / double(kTrials), 0.01, 0.0025) << n;
    }
}

TEST(Kuiper, ReportLines)
{
    const KuiperResult r = KuiperTest(sortedRadians(kUniform), kVectors360);
    EXPECT_EQ(KuiperCountLine(100), "Kuiper test  nV  100");
    const std::vector<std::string> lines = KuiperLines(r, kAt);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "14:05 - Kuiper test");
    EXPECT_EQ(lines[1], "min deviation : " + FormatFixed(r.dMin, 2)
                            + ", max deviation : " + FormatFixed(r.dMax, 2));
    // 100 vectors: 1.75 / 10.179 and 2.0 / 10.179.
    EXPECT_EQ(lines[2], "Test = 0.14  Critical value 0.05 and 0.01 = 0.17 and 0.20");
    EXPECT_FALSE(r.reject05);
}

TEST(Kuiper, OnlyZerosAndNoValue)
{
    EXPECT_TRUE(OnlyZeroValues(std::vector<double>{0, 0, 0}));
    EXPECT_FALSE(OnlyZeroValues(std::vector<double>{0, 0, 0.1}));
    EXPECT_FALSE(OnlyZeroValues({}));
    const KuiperResult none = KuiperTest({}, kVectors360);
    EXPECT_EQ(none.n, 0);
    EXPECT_EQ(none.V, 0);
}

TEST(Stats2DStyle, KindAndPlaneBits)
{
    for (int natM = 0; natM < 4; ++natM)
        for (int sBy = 0; sBy < 3; ++sBy) {
            std::int32_t style = 1 << kStats2DAxes180 | 1 << kStats2DPlanePole | 1;
            SetKindAndPlane(style, natM, sBy);
            EXPECT_EQ(KindOfStyle(style), natM);
            EXPECT_EQ(PlaneOfStyle(style), sBy);
            EXPECT_TRUE(TestBit(style, 0)) << "other bits kept";
        }
    EXPECT_EQ(KindOfStyle(0), kVectors360);
    EXPECT_EQ(PlaneOfStyle(0), kPlaneStrike);
    EXPECT_EQ(KindSummary(kDips90), "dip (0 to 90\xB0)");
    EXPECT_EQ(PlaneSummary(kPlanePole), "S : perpendicular line");
}

} // namespace
} // namespace ploq
