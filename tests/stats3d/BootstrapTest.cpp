#include "stats3d/Bootstrap.h"

#include "stats3d/Circles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>
#include <memory_resource>
#include <numbers>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;

Vec3 Unit(const Vec3& v)
{
    const double n = std::sqrt(Dot(v, v));
    return {v.x / n, v.y / n, v.z / n};
}

Vec3 Combine(double a, const Vec3& p, double b, const Vec3& q, double c, const Vec3& r)
{
    return {a * p.x + b * q.x + c * r.x, a * p.y + b * q.y + c * r.y, a * p.z + b * q.z + c * r.z};
}

// Two unit vectors normal to the axis and to each other.
std::pair<Vec3, Vec3> NormalPair(const Vec3& a)
{
    const Vec3 helper = std::fabs(a.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    const Vec3 e1 = Unit(Cross(a, helper));
    return {e1, Cross(a, e1)};
}

// n directions (frame G, lower-hemisphere ends) at angle `apertureDeg` plus a normal scatter of
// `sigmaDeg` from the axis, at random azimuths round it: a cone, or a girdle at 90 degrees.
std::vector<Vec3> NoisyCircle(const Direction& axis, double apertureDeg, double sigmaDeg, int n,
                              std::mt19937_64& g)
{
    const Vec3 a = DirToVec(axis);
    const auto [e1, e2] = NormalPair(a);
    std::uniform_real_distribution<double> azimuth(0, 2 * kPi);
    std::normal_distribution<double> scatter(0, sigmaDeg * kDeg);
    std::vector<Vec3> u;
    for (int i = 0; i < n; ++i) {
        const double rho = apertureDeg * kDeg + scatter(g);
        const double t = azimuth(g);
        const Vec3 p = Combine(std::cos(rho), a, std::sin(rho) * std::cos(t), e1,
                               std::sin(rho) * std::sin(t), e2);
        u.push_back(DirToVec(VecToDir(p)));
    }
    return u;
}

double AxisAngle(const Direction& a, const Direction& b)
{
    return std::acos(std::min(1.0, std::fabs(Dot(DirToVec(a), DirToVec(b)))));
}

TEST(QuantileRank, RoundsHalvesToEvenWithinOneToM)
{
    struct Case {
        double p;
        int m;
        int rank;
    };
    const Case cases[] = {
        {0.95, 100, 95},    {0.99, 100, 99}, {0.95, 2000, 1900},
        {0.99, 4000, 3960}, {0.005, 90, 1}, // round(0.45) = 0: the lowest record, never the
                                            // reference
        {0.025, 20, 1},                     // round(0.5) = 0, halves to even
        {0.025, 100, 2},                    // round(2.5) = 2
        {0.995, 90, 90},    {0.975, 10, 10}, {0.99, 1, 1},
        {0.5, 3, 2},        {0.5, 5, 2},     {0.95, 10, 10}, // round(9.5) = 10
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuantileRank(c.p, c.m), c.rank) << c.p << " of " << c.m;
}

TEST(ApertureInterval, NinetyAperturesTakeTheirLowestAndHighest)
{
    std::vector<double> w;
    for (int k = 1; k <= 90; ++k)
        w.push_back(0.01 * k);
    // 99 %: ranks round(0.45) -> 1 and round(89.55) = 90; 95 %: round(2.25) = 2, round(87.75) = 88.
    EXPECT_DOUBLE_EQ(*ApertureInterval(w, 0.005, 0.995), 0.90 - 0.01);
    EXPECT_DOUBLE_EQ(*ApertureInterval(w, 0.025, 0.975), 0.88 - 0.02);
    EXPECT_FALSE(ApertureInterval({}, 0.025, 0.975));
    const std::vector<double> one{0.3};
    EXPECT_DOUBLE_EQ(*ApertureInterval(one, 0.005, 0.995), 0);
}

std::vector<Vec3> Girdle(const Direction& pole, int n, std::uint64_t seed, double sigmaDeg = 5)
{
    std::mt19937_64 g(seed);
    return NoisyCircle(pole, 90, sigmaDeg, n, g);
}

TEST(BootstrapGreatCircle, ReferenceIsTheBestGreatCircleWithItsChi2Sum)
{
    const std::vector<Vec3> u = Girdle({40 * kDeg, 55 * kDeg}, 60, 7);
    const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, 20, 1);
    ASSERT_EQ(run.status, BootstrapStatus::Done);
    const BestGreatCircleResult best = BestGreatCircleOf(u);
    EXPECT_LT(AxisAngle({run.reference().x, run.reference().y}, best.pole), 1e-9);
    EXPECT_NEAR(run.reference().z, Chi2Sum(u, best.pole, kPi / 2), 1e-9);
    EXPECT_EQ(run.reference().u, 0);
    EXPECT_EQ(static_cast<int>(run.records.size()), 21);
}

// The first tossing drawn again in the test from the same generator, fitted by the orientation
// matrix of the drawn directions themselves (not of counts of precomputed products).
TEST(BootstrapGreatCircle, EachTossingIsTheFitOfADrawWithReplacement)
{
    const std::vector<Vec3> u = Girdle({200 * kDeg, 30 * kDeg}, 40, 11);
    for (const std::uint64_t seed : {3u, 99u, 12345u}) {
        const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, 1, seed);
        ASSERT_EQ(run.status, BootstrapStatus::Done);
        std::mt19937_64 g(seed);
        std::uniform_int_distribution<std::size_t> pick(0, u.size() - 1);
        std::vector<Vec3> drawn;
        for (std::size_t k = 0; k < u.size(); ++k)
            drawn.push_back(u[pick(g)]);
        const Direction pole = BestGreatCircleOf(drawn).pole;
        const Vxyzu& r = run.records[1];
        EXPECT_LT(AxisAngle({r.x, r.y}, pole), 1e-9) << seed;
        EXPECT_NEAR(r.z, Chi2Sum(drawn, pole, kPi / 2), 1e-9) << seed;
        EXPECT_NEAR(r.u, AxisAngle(pole, {run.reference().x, run.reference().y}), 1e-9);
    }
}

// With T = 100 the cones are the angles of the 95th and 99th of the sorted tossings.
TEST(BootstrapGreatCircle, ConesAreThe95thAnd99thSortedAngles)
{
    const std::vector<Vec3> u = Girdle({120 * kDeg, 70 * kDeg}, 30, 5, 12);
    const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, 100, 42);
    ASSERT_EQ(run.status, BootstrapStatus::Done);
    std::vector<double> angles;
    for (std::size_t i = 1; i < run.records.size(); ++i)
        angles.push_back(run.records[i].u);
    EXPECT_TRUE(std::is_sorted(angles.begin(), angles.end()));
    std::sort(angles.begin(), angles.end());
    EXPECT_EQ(run.cone95, angles[94]);
    EXPECT_EQ(run.cone99, angles[98]);
    EXPECT_GT(run.cone99, run.cone95);
    double minChi2 = 1e300;
    int best = 0;
    for (std::size_t i = 1; i < run.records.size(); ++i)
        if (run.records[i].z < minChi2) {
            minChi2 = run.records[i].z;
            best = static_cast<int>(i);
        }
    EXPECT_EQ(run.bestRecord, best);
    EXPECT_EQ(run.extremes.minChi2, minChi2);
}

// A girdle whose pole lies on the primitive: resampled poles come out on either side of the
// net (trends near 90 and near 270), yet each is a few degrees from the reference.
TEST(BootstrapGreatCircle, PolesAcrossThePrimitiveAreNear)
{
    const std::vector<Vec3> u = Girdle({90 * kDeg, 0}, 80, 21, 4);
    const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, 200, 8);
    ASSERT_EQ(run.status, BootstrapStatus::Done);
    int east = 0, west = 0;
    for (std::size_t i = 1; i < run.records.size(); ++i) {
        const Vxyzu& r = run.records[i];
        EXPECT_LT(r.u, 5 * kDeg) << i;
        (std::sin(r.x) > 0 ? east : west) += 1;
    }
    EXPECT_GT(east, 10);
    EXPECT_GT(west, 10);
    EXPECT_LT(run.cone99, 5 * kDeg);
}

TEST(BootstrapGreatCircle, RefusesTooFewOutOfMemoryAndStopsWhenCancelled)
{
    const std::vector<Vec3> u = Girdle({0, 60 * kDeg}, 20, 2);
    EXPECT_EQ(BootstrapGreatCircleOf(std::span(u).first(2), 10, 1).status, BootstrapStatus::TooFew);
    const GreatCircleBootstrap starved =
        BootstrapGreatCircleOf(u, 10, 1, {}, std::pmr::null_memory_resource());
    EXPECT_EQ(starved.status, BootstrapStatus::NoMemory);
    EXPECT_TRUE(starved.records.empty());
    std::vector<int> told;
    const GreatCircleBootstrap stopped = BootstrapGreatCircleOf(u, 50, 1, [&told](int done) {
        told.push_back(done);
        return done < 5;
    });
    EXPECT_EQ(stopped.status, BootstrapStatus::Cancelled);
    EXPECT_TRUE(stopped.records.empty());
    EXPECT_EQ(told, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(BootstrapGreatCircle, TheSameSeedGivesTheSameFileByteForByte)
{
    const std::vector<Vec3> u = Girdle({300 * kDeg, 40 * kDeg}, 50, 4);
    const std::string first = VkiText(BootstrapGreatCircleOf(u, 30, 77));
    EXPECT_EQ(first, VkiText(BootstrapGreatCircleOf(u, 30, 77)));
    EXPECT_NE(first, VkiText(BootstrapGreatCircleOf(u, 30, 78)));
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::vector<double> Values(const std::string& line)
{
    std::vector<double> v;
    const std::regex value(" (-?[0-9]\\.[0-9]{14}E[+-][0-9]{2,3})");
    const std::string rest = std::regex_replace(line, value, "");
    EXPECT_EQ(rest, "") << "not made of values: " << line;
    for (std::sregex_iterator i(line.begin(), line.end(), value), end; i != end; ++i)
        v.push_back(std::stod((*i)[1].str()));
    return v;
}

void ExpectRecord(const std::vector<double>& got, std::initializer_list<double> want)
{
    ASSERT_EQ(got.size(), want.size());
    std::size_t k = 0;
    for (const double w : want) {
        EXPECT_NEAR(got[k], w, std::fabs(w) * 1e-14 + 1e-300) << k;
        ++k;
    }
}

TEST(VkiText, GreatCircleHeadersThenEverySortedRecord)
{
    const std::vector<Vec3> u = Girdle({10 * kDeg, 20 * kDeg}, 25, 9);
    const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, 6, 5);
    const std::vector<std::string> lines = Lines(VkiText(run));
    ASSERT_EQ(lines.size(), 2u + 7u);
    const Vxyzu& ref = run.reference();
    const Vxyzu& best = run.records[static_cast<std::size_t>(run.bestRecord)];
    ExpectRecord(Values(lines[0]), {ref.x, ref.y, ref.z});
    ExpectRecord(Values(lines[1]), {best.x, best.y, best.z});
    for (std::size_t i = 0; i < run.records.size(); ++i)
        ExpectRecord(Values(lines[2 + i]), {run.records[i].x, run.records[i].y, run.records[i].z});
}

TEST(VkiText, WritesFifteenDigitsWhateverTheValue)
{
    GreatCircleBootstrap run(std::pmr::get_default_resource());
    run.records = {{1.0, 0.5, 1234.5678, 0}, {2 * kPi - 1e-12, 0, 1e-7, 0.1}};
    run.bestRecord = 1;
    EXPECT_EQ(Lines(VkiText(run))[0],
              " 1.00000000000000E+00 5.00000000000000E-01 1.23456780000000E+03");
    EXPECT_EQ(Lines(VkiText(run))[1],
              " 6.28318530717859E+00 0.00000000000000E+00 1.00000000000000E-07");
}

// n directions on three distinct axes only: a resample that misses one of them cannot be fitted.
std::vector<Vec3> ThreeAxes()
{
    return {DirToVec({0, 50 * kDeg}), DirToVec({120 * kDeg, 40 * kDeg}),
            DirToVec({240 * kDeg, 60 * kDeg})};
}

TEST(BootstrapSmallCircle, FailedResamplesAreCountedOutAndSortedLast)
{
    const std::vector<Vec3> u = ThreeAxes();
    const SmallCircleBootstrap run = BootstrapSmallCircleOf(u, 40, 3);
    ASSERT_EQ(run.status, BootstrapStatus::Done);
    ASSERT_FALSE(run.fit.failed);
    // A draw of 3 among 3 takes each once with probability 6/27.
    EXPECT_GT(run.valid, 0);
    EXPECT_LT(run.valid, 40);
    for (int i = 1; i <= 40; ++i) {
        const Vxyzt& r = run.records[static_cast<std::size_t>(i)];
        if (i <= run.valid) {
            EXPECT_LT(r.u, 1e-6) << i; // the same three axes give the same circle
            EXPECT_NEAR(r.w, run.fit.aperture, 1e-6);
        } else {
            EXPECT_EQ(r.u, kFailedFit) << i;
            EXPECT_EQ(r.w, kFailedFit) << i;
        }
    }
    const std::vector<std::string> lines = Lines(VkiText(run));
    EXPECT_EQ(lines.size(), 2u + 1u + static_cast<std::size_t>(run.valid));
    EXPECT_EQ(Values(lines[0]).size(), 4u);
    EXPECT_EQ(Values(lines[2]).size(), 3u);
}

TEST(BootstrapSmallCircle, NoValidTossingReportsTheFailuresOnly)
{
    const std::vector<Vec3> u = ThreeAxes();
    std::uint64_t seed = 0;
    SmallCircleBootstrap run(std::pmr::get_default_resource());
    // (21/27)^4 of the runs of 4 tossings fit none: one of the first seeds does.
    for (seed = 1; seed < 200; ++seed) {
        run = BootstrapSmallCircleOf(u, 4, seed);
        if (run.valid == 0)
            break;
    }
    ASSERT_EQ(run.valid, 0);
    EXPECT_EQ(run.status, BootstrapStatus::Done);
    const std::vector<InfoLine> lines = BootstrapReport(run, {}, 0.5);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "12:00 - testing best small circle (boot strap, 4 tossings)");
    EXPECT_TRUE(lines[0].bold);
    EXPECT_EQ(lines[1].text, "unsucessfull calculation for 4 tossings from 4");
}

TEST(BootstrapSmallCircle, AFailedReferenceStopsBeforeAnyTossing)
{
    const std::vector<Vec3> two{DirToVec({0, 50 * kDeg}), DirToVec({90 * kDeg, 20 * kDeg}),
                                DirToVec({0, 50 * kDeg}), DirToVec({90 * kDeg, 20 * kDeg})};
    int told = 0;
    const SmallCircleBootstrap run = BootstrapSmallCircleOf(two, 10, 1, true, [&told](int) {
        ++told;
        return true;
    });
    EXPECT_EQ(run.status, BootstrapStatus::ReferenceFailed);
    EXPECT_TRUE(run.records.empty());
    EXPECT_EQ(told, 0);
    EXPECT_EQ(BootstrapSmallCircleOf(std::span(two).first(2), 10, 1).status,
              BootstrapStatus::TooFew);
    EXPECT_EQ(BootstrapSmallCircleOf(ThreeAxes(), 10, 1, true, {}, std::pmr::null_memory_resource())
                  .status,
              BootstrapStatus::NoMemory);
}

TEST(BootstrapSmallCircle, ConesAndIntervalsFollowTheValidRecords)
{
    std::mt19937_64 g(17);
    const std::vector<Vec3> u = NoisyCircle({60 * kDeg, 50 * kDeg}, 35, 4, 40, g);
    const SmallCircleBootstrap run = BootstrapSmallCircleOf(u, 100, 5);
    ASSERT_EQ(run.status, BootstrapStatus::Done);
    ASSERT_EQ(run.valid, 100);
    EXPECT_EQ(run.cone95, run.records[95].u);
    EXPECT_EQ(run.cone99, run.records[99].u);
    std::vector<double> w;
    for (std::size_t i = 1; i < run.records.size(); ++i)
        w.push_back(run.records[i].w);
    std::sort(w.begin(), w.end());
    ASSERT_EQ(run.smallApertures, 100);
    EXPECT_DOUBLE_EQ(*run.interval95, w[97] - w[1]); // ranks 98 and 2 (round(2.5) = 2)
    EXPECT_DOUBLE_EQ(*run.interval99,
                     w[99] - w[0]); // ranks 100 (99.5 -> 100) and 1 (0.5 -> 0 -> 1)
    EXPECT_NEAR(run.fit.aperture, 35 * kDeg, 3 * kDeg);
}

TEST(BootstrapReport, GreatCircleLinesAsThePanelShowsThem)
{
    const std::vector<Vec3> u = Girdle({90 * kDeg, 45 * kDeg}, 30, 1);
    const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, 10, 1);
    const std::vector<InfoLine> lines = BootstrapReport(run, {}, 0.25);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "06:00 - testing best great circle (boot strap, 10 tossing)");
    EXPECT_TRUE(lines[0].bold);
    EXPECT_EQ(lines[1].text.rfind("best great circle : axis ", 0), 0u);
    EXPECT_NE(lines[1].text.find(" (ki2 "), std::string::npos);
    EXPECT_EQ(lines[2].text, "confidence cones 95% and 99% for GC axis: " + DegreesText(run.cone95)
                                 + " and " + DegreesText(run.cone99));
    EXPECT_EQ(lines[3].text, "(to change az direction scale : menu \"Option\")");
    EXPECT_TRUE(lines[3].italic);
    EXPECT_FALSE(lines[2].italic);
}

std::string Truncated(const std::string& text, std::size_t keep)
{
    return text.substr(0, std::min(keep, text.size()));
}

TEST(ReadVki, ReadsWhatWasWrittenAndNoMore)
{
    const std::vector<Vec3> u = Girdle({45 * kDeg, 30 * kDeg}, 20, 3);
    const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, 8, 2);
    const std::string text = VkiText(run);
    const std::size_t lineLength = text.find("\r\n") + 2;
    struct Case {
        const char* what;
        std::string text;
        int expected;
        std::size_t records;
        bool reference;
    };
    const Case cases[] = {
        {"whole", text, 8, 9, true},
        {"fewer expected", text, 5, 6, true},
        {"more expected", text, 20, 9, true},
        {"cut within record 4", Truncated(text, lineLength * 6 + 10), 8, 4, true},
        {"headers only", Truncated(text, lineLength * 2), 8, 0, true},
        {"first header cut", Truncated(text, 12), 8, 0, false},
        {"empty", "", 8, 0, false},
        {"garbled record 2", text.substr(0, lineLength * 4) + "x" + text.substr(lineLength * 4 + 1),
         8, 2, true},
        {"not a number", "abc\r\ndef\r\n nan 1 2\r\n", 8, 0, false},
        {"without CR", "1 2 3\n4 5 6\n7 8 9\n10 11\n", 8, 2, true},
    };
    for (const Case& c : cases) {
        const VkiRecords read = ReadVki(c.text, c.expected);
        EXPECT_EQ(read.records.size(), c.records) << c.what;
        EXPECT_EQ(read.reference.has_value(), c.reference) << c.what;
    }
    const VkiRecords read = ReadVki(text, 8);
    ASSERT_EQ(read.records.size(), 9u);
    for (std::size_t i = 0; i < read.records.size(); ++i) {
        EXPECT_NEAR(read.records[i].trend, run.records[i].x, 1e-13);
        EXPECT_NEAR(read.records[i].plunge, run.records[i].y, 1e-13);
    }
    EXPECT_NEAR(read.reference->trend, run.reference().x, 1e-13);
}

// Coverage by Monte Carlo: over 200 synthetic girdles of known pole, with a fifth of them
// horizontal, the bootstrap cones about the fitted pole contain the true pole about as often
// as their levels say.
TEST(BootstrapCoverage, GreatCircleConesContainTheTruePole)
{
    std::mt19937_64 g(2026);
    std::uniform_real_distribution<double> trend(0, 2 * kPi);
    std::uniform_real_distribution<double> plunge(0, kPi / 2);
    int in95 = 0, in99 = 0;
    const int runs = 200;
    for (int k = 0; k < runs; ++k) {
        const Direction pole{trend(g), k % 5 == 0 ? 0.0 : plunge(g)};
        const std::vector<Vec3> u = NoisyCircle(pole, 90, 8, 40, g);
        const GreatCircleBootstrap run = BootstrapGreatCircleOf(u, 400, g());
        ASSERT_EQ(run.status, BootstrapStatus::Done);
        const double off = AxisAngle(pole, {run.reference().x, run.reference().y});
        in95 += off <= run.cone95;
        in99 += off <= run.cone99;
    }
    std::cout << "great circle coverage: " << in95 << " and " << in99 << " of " << runs << "\n";
    EXPECT_GE(in95, 0.88 * runs);
    EXPECT_LE(in95, 0.99 * runs);
    EXPECT_GE(in99, 0.95 * runs);
}

TEST(BootstrapCoverage, SmallCircleConesContainTheTrueAxis)
{
    // Cones that stay below the horizontal: the fit takes the directions as vectors in the
    // canvas's frame, and a direction of the upper part would come in by its other end, off
    // the cone.
    std::mt19937_64 g(4711);
    std::uniform_real_distribution<double> trend(0, 2 * kPi);
    std::uniform_real_distribution<double> aperture(20, 45);
    int in95 = 0, in99 = 0;
    const int runs = 200;
    for (int k = 0; k < runs; ++k) {
        const double rho = aperture(g);
        std::uniform_real_distribution<double> plunge((rho + 15) * kDeg, kPi / 2);
        const Direction axis{trend(g), plunge(g)};
        const std::vector<Vec3> u = NoisyCircle(axis, rho, 4, 40, g);
        const SmallCircleBootstrap run = BootstrapSmallCircleOf(u, 200, g());
        ASSERT_EQ(run.status, BootstrapStatus::Done);
        ASSERT_GT(run.valid, 190);
        const double off = AxisAngle(axis, {run.reference().x, run.reference().y});
        in95 += off <= run.cone95;
        in99 += off <= run.cone99;
    }
    std::cout << "small circle coverage: " << in95 << " and " << in99 << " of " << runs << "\n";
    EXPECT_GE(in95, 0.88 * runs);
    EXPECT_LE(in95, 0.99 * runs);
    EXPECT_GE(in99, 0.95 * runs);
}

} // namespace
} // namespace ploq
