// Trackdip: the window means against a power iteration written here, the passes against a scan
// that sorts every row into every window pair afresh, the linking on hand-made records, a
// synthetic log of three dip domains whose rotations are known by construction, the refusals
// of a sheet and the texts.

#include "app/VarGlob.h"
#include "canvas/Plot.h"
#include "model/UtilGlob.h"
#include "stats3d/UtilTrackDip.h"
#include "support/Draws.h"
#include "support/SheetRows.h"
#include "support/TrackdipLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

TrackdipRows RowsOf(const std::vector<double>& z, const std::vector<Direction>& poles)
{
    TrackdipRows rows{z, {}};
    for (const Direction& d : poles)
        rows.u.push_back(DirToVec(d));
    return rows;
}

TrackdipRows RowsOf(const test::DomainLog& log)
{
    return RowsOf(log.z, log.poles);
}

// The principal axis by power iteration on the orientation matrix, built here.
Direction PowerAxis(const std::vector<Vec3>& u)
{
    double t[3][3] = {};
    for (const Vec3& v : u) {
        const double c[3] = {v.x, v.y, v.z};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                t[i][j] += c[i] * c[j];
    }
    double x[3] = {0.3, 0.5, 0.8};
    for (int it = 0; it < 2000; ++it) {
        double y[3] = {};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                y[i] += t[i][j] * x[j];
        const double n = std::sqrt(y[0] * y[0] + y[1] * y[1] + y[2] * y[2]);
        for (int i = 0; i < 3; ++i)
            x[i] = y[i] / n;
    }
    return VecToDir({x[0], x[1], x[2]});
}

TEST(TrackdipWindowMean, OneIsItselfTwoTheirVectorSumMoreThePrincipalAxis)
{
    const Direction one{Rad(40), Rad(25)};
    const Direction m1 = WindowMean(std::vector<Vec3>{DirToVec(one)});
    EXPECT_NEAR(m1.trend, one.trend, 1e-12);
    EXPECT_NEAR(m1.plunge, one.plunge, 1e-12);

    // Two shallow poles toward N and S: their axial mean is near N-S horizontal, their vector
    // sum (0, 0, 2 sin 10) is the vertical.
    const Direction north{0, Rad(10)}, south{kPi, Rad(10)};
    const std::vector<Vec3> pair{DirToVec(north), DirToVec(south)};
    EXPECT_NEAR(WindowMean(pair).plunge, kPi / 2, 1e-12);
    EXPECT_GT(AxialAngle(PowerAxis(pair), WindowMean(pair)), Rad(80));
    // Two poles 20 degrees apart on the same side: the bisector.
    const std::vector<Vec3> near{DirToVec({Rad(80), Rad(30)}), DirToVec({Rad(100), Rad(30)})};
    EXPECT_NEAR(WindowMean(near).trend, Rad(90), 1e-12);

    test::Draws draws(31);
    for (int n : {3, 4, 7, 20, 150}) {
        SCOPED_TRACE(n);
        const Direction centre{2 * kPi * draws.uniform(), kPi / 2 * draws.uniform()};
        std::vector<Vec3> u;
        for (int i = 0; i < n; ++i)
            u.push_back(DirToVec(
                test::Deviated(centre, Rad(draws.normal(0, 15)), 2 * kPi * draws.uniform())));
        EXPECT_LT(AxialAngle(WindowMean(u), PowerAxis(u)), 1e-7);
        EXPECT_GE(WindowMean(u).plunge, 0);
    }
}

// A pass written the plain way: for each pair j every row is tested against [f, f + h) and
// [f + h, f + 2h), f = f0 + j h, until the upper window passes the deepest row.
struct ReferenceRecord {
    int m1, m2;
    double z2, angle;
};

std::vector<ReferenceRecord> ReferencePass(const TrackdipRows& rows, double h, double cut)
{
    const double zmin = rows.z.front(), range = rows.z.back() - zmin;
    const double windows = std::floor(range / h);
    const double f0 = (range - windows * h) / 2 + zmin - h / 2;
    std::vector<ReferenceRecord> out;
    // Window edges as f0 + k h (rows may fall on them exactly).
    const auto edge = [&](int k) { return f0 + k * h; };
    for (int j = 0; edge(j) <= rows.z.back(); ++j) {
        std::vector<Vec3> g1, g2;
        for (std::size_t i = 0; i < rows.z.size(); ++i) {
            if (rows.z[i] >= edge(j) && rows.z[i] < edge(j + 1))
                g1.push_back(rows.u[i]);
            else if (rows.z[i] >= edge(j + 1) && rows.z[i] < edge(j + 2))
                g2.push_back(rows.u[i]);
        }
        if (g1.empty() || g2.empty())
            continue;
        const double theta = AngleBetween(WindowMean(g1), WindowMean(g2));
        const double tilt = std::min(theta, kPi - theta);
        if (tilt > cut)
            out.push_back({int(g1.size()), int(g2.size()), edge(j + 1), tilt});
    }
    return out;
}

void ExpectPassesAsReference(const TrackdipRows& rows, double smallestStep, double cut)
{
    const TrackdipScan scan = ScanTrackdip(rows, cut);
    ASSERT_GT(scan.passes(), 0);
    const double range = rows.z.back() - rows.z.front();
    // The window sizes as the definition makes them, step by step: at h = s the depth range
    // may be a whole number of windows, where the last bit of h decides their number.
    double h = smallestStep / std::pow(10.0, 0.2);
    for (int p = 0; p < scan.passes(); ++p) {
        SCOPED_TRACE(p);
        h *= std::pow(10.0, 0.1);
        const std::vector<ReferenceRecord> ref = ReferencePass(rows, h, cut);
        const auto first = static_cast<std::size_t>(scan.passStart[p]);
        ASSERT_EQ(scan.passStart[p + 1] - scan.passStart[p], int(ref.size()));
        for (std::size_t k = 0; k < ref.size(); ++k) {
            const TiltRecord& r = scan.records[first + k];
            EXPECT_EQ(r.pass, p);
            EXPECT_NEAR(r.h, h, 1e-9);
            EXPECT_EQ(r.m1, ref[k].m1);
            EXPECT_EQ(r.m2, ref[k].m2);
            EXPECT_NEAR(r.z2, ref[k].z2, 1e-9);
            EXPECT_NEAR(r.angle, ref[k].angle, 1e-12);
        }
        // The last pass is the first with at most one window.
        EXPECT_EQ(std::floor(range / h) <= 1, p == scan.passes() - 1);
    }
}

TEST(TrackdipScan, PassesAreThoseOfAPlainScanOfEveryWindowPair)
{
    // A regular log, a log with gaps (runs of empty windows) and repeated depths.
    const test::DomainLog log = test::ThreeDomainLog(120, 0, 1, 4, 5);
    ExpectPassesAsReference(RowsOf(log), 1, Rad(3.5));

    std::vector<double> gapped{0, 0.5, 1, 1.5, 2, 30, 30.5, 31, 31.5, 80, 80.5, 81, 140, 140.5};
    std::vector<Direction> poles;
    test::Draws draws(7);
    for (std::size_t i = 0; i < gapped.size(); ++i)
        poles.push_back({2 * kPi * draws.uniform(), Rad(30 + 50 * draws.uniform())});
    ExpectPassesAsReference(RowsOf(gapped, poles), 0.5, Rad(3.5));

    std::vector<double> repeated{0, 0, 1, 1, 1, 2, 2, 3, 4, 4, 5, 6, 6, 6, 7, 8, 9, 9, 10};
    poles.clear();
    for (std::size_t i = 0; i < repeated.size(); ++i)
        poles.push_back({2 * kPi * draws.uniform(), Rad(20 + 60 * draws.uniform())});
    ExpectPassesAsReference(RowsOf(repeated, poles), 1, Rad(3.5));
}

TEST(TrackdipScan, UnitDepthsStartWithWindowsOfSingleMeasurements)
{
    test::Draws draws(11);
    std::vector<double> z;
    std::vector<Direction> poles;
    for (int i = 0; i < 40; ++i) {
        z.push_back(i);
        poles.push_back({2 * kPi * draws.uniform(), Rad(30 + 50 * draws.uniform())});
    }
    const TrackdipScan scan = ScanTrackdip(RowsOf(z, poles), Rad(3.5));
    EXPECT_NEAR(scan.firstWindow, std::pow(10.0, -0.1), 1e-12);
    EXPECT_NEAR(scan.firstWindow, 0.794, 5e-4);
    ASSERT_GT(scan.passStart[1], 0);
    for (int k = 0; k < scan.passStart[1]; ++k) {
        EXPECT_EQ(scan.records[k].m1, 1);
        EXPECT_EQ(scan.records[k].m2, 1);
    }
    EXPECT_EQ(scan.zmin, 0);
    EXPECT_EQ(scan.zmax, 39);
    EXPECT_GE(scan.lastWindow, 39 / 2.0);
}

TEST(TrackdipCompare, ATiltMustExceedTheCutOffAndIsAnAngleBetweenAxes)
{
    const Direction a{Rad(90), Rad(60)}, b{Rad(110), Rad(50)};
    const double tilt = AngleBetween(a, b);
    EXPECT_FALSE(CompareWindows(a, b, tilt));
    ASSERT_TRUE(CompareWindows(a, b, tilt - 1e-9));
    EXPECT_NEAR(CompareWindows(a, b, 0)->angle, tilt, 1e-15);

    // Steep planes whose poles fall on both sides of the primitive: 10 degrees apart, not 170.
    const Direction east{Rad(90), Rad(5)}, west{Rad(270), Rad(5)};
    ASSERT_TRUE(CompareWindows(east, west, Rad(3.5)));
    EXPECT_NEAR(CompareWindows(east, west, Rad(3.5))->angle, Rad(10), 1e-12);
    EXPECT_FALSE(CompareWindows(east, west, Rad(10.5)));
}

TEST(TrackdipCompare, TheAxisIsCommonToBothPlanesAndTheAzimuthSeenWithPlaneOneFlat)
{
    // Hand-worked: poles plunging 30 and 50 toward 090 are 20 degrees apart in the E-W
    // vertical plane.
    const Direction p1{Rad(90), Rad(30)}, p2{Rad(90), Rad(50)};
    const std::optional<TiltRecord> r = CompareWindows(p1, p2, 0);
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->angle, Rad(20), 1e-12);
    // Both poles are in the vertical plane E-W: the common line of the planes is N-S horizontal.
    EXPECT_NEAR(r->axis.plunge, 0, 1e-12);
    EXPECT_NEAR(std::fmod(r->axis.trend, kPi), 0, 1e-9);
    // Flattening plane 1 takes its pole to the vertical; pole 2 stays in the E-W plane, 20
    // degrees from the vertical, on the side of the horizontal end it came from (E).
    const Direction strike{p1.trend + kPi / 2, 0};
    EXPECT_NEAR(RotateDir(-(kPi / 2 - p1.plunge), strike, p1).plunge, kPi / 2, 1e-9);
    EXPECT_NEAR(std::cos(r->azimuth), 0, 1e-9);
    EXPECT_NEAR(std::fabs(std::sin(r->azimuth)), 1, 1e-9);
}

TiltRecord Record(double z2, double h, double axisTrendDeg, double azimuthDeg, double angleDeg = 5,
                  int pass = 0)
{
    TiltRecord r;
    r.z2 = z2;
    r.h = h;
    r.axis = {Rad(axisTrendDeg), Rad(10)};
    r.azimuth = Rad(azimuthDeg);
    r.angle = Rad(angleDeg);
    r.pass = pass;
    return r;
}

TEST(TrackdipLinkTest, DepthAxisAndAzimuthAllDecide)
{
    const TiltRecord current = Record(100, 8, 40, 350);
    struct Case {
        const char* name;
        TiltRecord candidate;
        bool linked;
    } cases[] = {
        {"same", Record(100, 6, 40, 350), true},
        {"boundary exactly h below", Record(108, 6, 40, 350), true},
        {"boundary exactly h above", Record(92, 6, 40, 350), true},
        {"beyond h", Record(108.01, 6, 40, 350), false},
        {"candidate's own h does not count", Record(91, 20, 40, 350), false},
        {"axes 29 degrees apart", Record(100, 6, 69, 350), true},
        {"axes 31 degrees apart", Record(100, 6, 71, 350), false},
        {"axes 10/040 and 10/220 are 20 apart as lines", Record(100, 6, 220, 350), true},
        {"azimuths 350 and 20 across north", Record(100, 6, 40, 20), true},
        {"azimuths 350 and 80: exactly 90", Record(100, 6, 40, 80), true},
        {"azimuths 350 and 81", Record(100, 6, 40, 81), false},
        {"azimuths 350 and 259", Record(100, 6, 40, 259), false},
        {"azimuths 350 and 261", Record(100, 6, 40, 261), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinkTest(c.candidate, current, Rad(30)), c.linked) << c.name;

    // Two near-horizontal lines 178 degrees apart as vectors are 2 degrees apart as lines.
    TiltRecord shallow = Record(100, 8, 40, 350);
    shallow.axis = {Rad(40), Rad(1)};
    TiltRecord opposite = shallow;
    opposite.axis = {Rad(220), Rad(1)};
    EXPECT_TRUE(LinkTest(opposite, shallow, Rad(30)));
}

// Pass 0 holds `n` candidates near z = 50 with angles 1, 2, ... degrees (shuffled); pass 1 one
// record that links to all of them.
std::vector<TiltRecord> Branching(int n)
{
    std::vector<TiltRecord> records;
    for (int k = 0; k < n; ++k) {
        const int angle = (k * 3) % n + 1;
        records.push_back(Record(50 + k * 0.1, 1, 40, 10, 4 + angle, 0));
    }
    records.push_back(Record(50, 4, 40, 10, 9, 1));
    return records;
}

TEST(TrackdipLinks, BranchesTakeTheLargestAngleAndTooManyCandidatesEndThePolygone)
{
    const TrackdipParams params{Rad(3.5), Rad(30), 1, 4};
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE(n);
        std::vector<TiltRecord> records = Branching(n);
        const std::vector<int> passStart{0, n, n + 1};
        const TrackdipLinks links = LinkPolygones(records, passStart, params);
        if (n > 5) {
            // The top record alone: no polygone of more than one; the candidates are spent.
            EXPECT_TRUE(links.polygones.empty());
            EXPECT_EQ(links.iterations, 1);
            EXPECT_EQ(links.links, 0);
            continue;
        }
        ASSERT_FALSE(links.polygones.empty());
        const Polygone& main = links.polygones.front();
        ASSERT_EQ(main.records.size(), 2u);
        EXPECT_EQ(main.records[0], n);
        int largest = 0;
        for (int k = 1; k < n; ++k)
            if (records[k].angle > records[largest].angle)
                largest = k;
        EXPECT_EQ(main.records[1], largest);
        if (n == 1) {
            EXPECT_EQ(links.panel.size(), 2u);
            continue;
        }
        // The branch line lists the candidates by decreasing angle.
        std::vector<int> order(n);
        for (int k = 0; k < n; ++k)
            order[k] = k;
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return records[a].angle > records[b].angle; });
        std::string list;
        for (int k : order)
            list += sformat("%d (%s\xB0), ", k + 1,
                            FormatFixed(records[k].angle / kDegToRad, 1).c_str());
        list.resize(list.size() - 2);
        EXPECT_EQ(links.panel.front(),
                  sformat("from %d : %s => %d", n + 1, list.c_str(), largest + 1));
        // The side polygone starts again at the branch and takes the next candidate.
        ASSERT_GE(links.polygones.size(), 2u);
        EXPECT_TRUE(links.polygones[1].side);
        EXPECT_EQ(links.polygones[1].records, (std::vector<int>{n, order[1]}));
    }
}

TEST(TrackdipLinks, EveryRecordIsUsedAndPolygonesFollowDecreasingWindows)
{
    const test::DomainLog log = test::ThreeDomainLog(3000, 0, 1, 12, 2024);
    const TrackdipParams params{Rad(3.5), Rad(30), 3, 4};
    const TrackdipResult result = RunTrackdip(RowsOf(log), params, {1, 1});
    // A long noisy log fills far more than the 1500 records a table of old would hold.
    ASSERT_GT(result.scan.records.size(), 1500u);
    for (const TiltRecord& r : result.scan.records)
        EXPECT_TRUE(r.used);
    std::size_t elements = 0;
    for (const Polygone& p : result.links.polygones) {
        EXPECT_GT(p.records.size(), p.side ? 1u : 3u);
        for (std::size_t k = 1; k < p.records.size(); ++k)
            EXPECT_EQ(result.scan.records[p.records[k]].pass + 1,
                      result.scan.records[p.records[k - 1]].pass);
        elements += p.records.size() + 1;
    }
    EXPECT_EQ(TrackdipElements(result).size(), elements);
    EXPECT_EQ(result.links.panel.back(),
              sformat("%d iterations , %d  limits ", result.links.iterations, result.links.links));
    EXPECT_GT(result.links.iterations, 0);
}

// The larger windows see each boundary of the constructed log where it is, and the rotation
// made there.
TEST(TrackdipTruth, ThreeDomainsGiveTheirBoundariesAxesAndAngles)
{
    const test::DomainLog log = test::ThreeDomainLog(300, 1200, 0.5, 2, 99);
    const TrackdipParams params{Rad(3.5), Rad(30), 3, 4};
    const TrackdipResult result = RunTrackdip(RowsOf(log), params, {1, 1});
    const auto nearestBoundary = [&](double z) {
        return std::min(std::fabs(z - log.boundaries[0]), std::fabs(z - log.boundaries[1]));
    };
    for (const TiltRecord& r : result.scan.records)
        if (r.h >= 4 && r.angle > Rad(8)) {
            EXPECT_LE(nearestBoundary(r.z2), r.h) << r.z2 << " h " << r.h;
        }
    for (int b = 0; b < 2; ++b) {
        SCOPED_TRACE(b);
        // The strongest record of the windows of 4 to 40 depth units round the boundary.
        const TiltRecord* best = nullptr;
        for (const TiltRecord& r : result.scan.records)
            if (r.h >= 4 && r.h <= 40 && std::fabs(r.z2 - log.boundaries[b]) <= r.h
                && (!best || r.angle > best->angle))
                best = &r;
        ASSERT_TRUE(best);
        EXPECT_LE(std::fabs(best->z2 - log.boundaries[b]), best->h);
        EXPECT_NEAR(best->angle, log.angles[b], Rad(2));
        EXPECT_LT(AxialAngle(best->axis, log.axes[b]), Rad(6));
        // A retained polygone runs down the scales at that boundary.
        bool found = false;
        for (const Polygone& p : result.links.polygones) {
            bool here = true;
            for (int k : p.records) {
                const TiltRecord& r = result.scan.records[k];
                here = here && std::fabs(r.z2 - log.boundaries[b]) <= std::max(r.h, 1.0);
            }
            found = found || (here && p.records.size() >= 4);
        }
        EXPECT_TRUE(found);
    }
}

DataSheet SheetOf(const std::vector<test::RowTexts>& rows)
{
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    for (const test::RowTexts& r : rows)
        test::EnterRow(sheet, r);
    return sheet;
}

TEST(TrackdipRead, RefusesWhatIsNoLogAndNamesTheRow)
{
    struct Case {
        const char* name;
        std::vector<test::RowTexts> rows;
        std::string error;
    } cases[] = {
        {"one depth",
         {{"S0", "30/090", "", "12", ""}, {"S0", "30/100", "", "12", ""}},
         std::string(kMsgTrackdipDepths)},
        {"one row", {{"S0", "30/090", "", "12", ""}}, std::string(kMsgTrackdipDepths)},
        {"rising",
         {{"S0", "30/090", "", "12", ""},
          {"S0", "30/090", "", "13", ""},
          {"S0", "30/090", "", "12.5", ""}},
         "Depth of row 3 is above the depth of row 2: depths must increase down the sheet"},
        {"a name",
         {{"S0", "30/090", "", "12", ""}, {"S0", "30/090", "", "top", ""}},
         "Row 2: the location code is not a depth"},
        {"empty", {{"S0", "30/090", "", "", ""}}, "Row 1: the location code is not a depth"},
        {"two separators",
         {{"S0", "30/090", "", "1.2.3", ""}},
         "Row 1: the location code is not a depth"},
        {"repeated depths",
         {{"S0", "30/090", "", "1", ""},
          {"S0", "30/090", "", "1", ""},
          {"S0", "30/090", "", "2,5", ""}},
         ""},
    };
    for (const Case& c : cases) {
        const TrackdipRowsRead read = ReadTrackdipRows(SheetOf(c.rows));
        EXPECT_EQ(read.error, c.error) << c.name;
    }
    EXPECT_EQ(ReadTrackdipRows(DataSheet()).error, kMsgTrackdipDepths);

    DataSheet noValue = SheetOf({{"S0", "30/090", "", "1", ""}, {"S0", "30/090", "", "2", ""}});
    noValue.setField(2, Field::Value, "");
    noValue.lMod[2] = kRowToDecode;
    EXPECT_EQ(ReadTrackdipRows(noValue).error, "Row 2: the value is not a direction");

    const TrackdipRowsRead read =
        ReadTrackdipRows(SheetOf({{"S0", "30/090", "", "1", ""}, {"L", "30/090", "", "2,5", ""}}));
    ASSERT_EQ(read.rows.z.size(), 2u);
    EXPECT_EQ(read.rows.z[1], 2.5);
    // A plane by its pole: dip 30 toward 090 has its pole plunging 60 toward 270.
    EXPECT_LT(AngleBetween(VecToDir(read.rows.u[0]), {Rad(270), Rad(60)}), 1e-9);
    EXPECT_LT(AngleBetween(VecToDir(read.rows.u[1]), {Rad(90), Rad(30)}), 1e-9);
}

TEST(TrackdipText, TableLinesSegmentsAndTitles)
{
    // Columns of 5, 9, 9, 5, 13 | 5, 13, 9, 13 | 9 characters, tabs where the bars are.
    EXPECT_EQ(TrackdipHeader(), std::string("   Nk") + "\t" + "       i0" + "       z2" + "  n12"
                                    + "s12          " + "\t" + "  n23" + "s23          "
                                    + "    angle" + "axis         " + "\t" + "  rot. az" + "  ");
    TiltRecord r;
    r.h = 1.2589;
    r.z2 = 1234.5;
    r.m1 = 3;
    r.m2 = 12;
    r.mean1 = {Rad(270), Rad(60)};
    r.mean2 = {Rad(300), Rad(45)};
    r.axis = {Rad(12.5), Rad(8.25)};
    r.angle = Rad(17.04);
    r.azimuth = Rad(355.96);
    const Notation dipDirection{1, 1};
    const auto padded = [](std::string text) { return text + std::string(13 - text.size(), ' '); };
    const std::string plane1 = DirToText(true, true, r.mean1.plunge, r.mean1.trend, dipDirection);
    const std::string plane2 = DirToText(true, true, r.mean2.plunge, r.mean2.trend, dipDirection);
    const std::string axis = DirToText(true, false, r.axis.plunge, r.axis.trend, dipDirection);
    EXPECT_EQ(TrackdipLine(7, r, dipDirection), "    7\t    1.259 1234.500    3" + padded(plane1)
                                                    + "\t   12" + padded(plane2) + "     17.0"
                                                    + padded(axis) + "\t    356.0  ");
    EXPECT_EQ(TrackdipTitle("well A.12.plq"), "Trackdip - well A");
    EXPECT_EQ(TrackdipTitle("log"), "Trackdip - log");
    EXPECT_EQ(SegmentsTitle("well A.12.plq"), "segments (well A.12.plq)");

    const std::vector<InfoLine> report = TrackdipCanvasReport("well.plq", {Rad(3.5), Rad(30), 3, 4},
                                                              toDayCount({2026, 12, 9, 14, 5, 0}));
    ASSERT_EQ(report.size(), 4u);
    EXPECT_EQ(report[0].text, "14:05 - file \"well.plq\", Trackdip analysis");
    EXPECT_EQ(report[1].text, "tilt angle cut-off : 3.5\xB0");
    EXPECT_EQ(report[2].text, "axis trend cut-off : 30.0\xB0");
    EXPECT_EQ(report[3].text, " ");
}

TEST(TrackdipText, SegmentsAndRotationAxesSheetOfTheRetainedPolygones)
{
    const test::DomainLog log = test::ThreeDomainLog(300, 1200, 0.5, 2, 99);
    const TrackdipResult result = RunTrackdip(RowsOf(log), {Rad(3.5), Rad(30), 3, 4}, {1, 1});
    ASSERT_GE(result.links.polygones.size(), 2u);
    EXPECT_EQ(result.segments.front(), "polygone n\xB0 1");
    EXPECT_EQ(result.panel.front(), "Trackdip :");
    std::size_t lines = 0;
    for (const Polygone& p : result.links.polygones)
        lines += 1 + p.records.size();
    EXPECT_EQ(result.segments.size(), lines);
    EXPECT_EQ(result.segments[result.links.polygones[0].records.size() + 1], "polygone n\xB0 2");
    EXPECT_EQ(result.table.size(), result.scan.records.size() + 1);

    const DataSheet sheet = RotationAxesSheet(result, {1, 1});
    EXPECT_EQ(sheet.cell(0, sheet.columnOf(Field::Number)), "num");
    EXPECT_EQ(sheet.cell(0, sheet.columnOf(Field::Location)), "z");
    EXPECT_EQ(sheet.cell(0, sheet.columnOf(Field::Comment)), "rot. angle");
    const Polygone& first = result.links.polygones[0];
    ASSERT_GE(sheet.rowCount(), int(first.records.size()));
    int maxima = 0;
    for (std::size_t i = 0; i < first.records.size(); ++i) {
        const int row = int(i) + 1;
        const int k = first.records[i];
        const TiltRecord& r = result.scan.records[k];
        EXPECT_EQ(sheet.field(row, Field::Number), sformat("s1  (%d)", k + 1));
        EXPECT_EQ(sheet.field(row, Field::Location), FormatFixed(r.z2, 2));
        EXPECT_EQ(sheet.field(row, Field::Comment), FormatFixed(r.angle / kDegToRad, 1));
        EXPECT_EQ(sheet.field(row, Field::Value),
                  DirToText(true, false, r.axis.plunge, r.axis.trend, {1, 1}));
        EXPECT_EQ(sheet.ltAz[row], r.axis.trend);
        EXPECT_EQ(sheet.cell(row, 0), RowNumberText(row));
        const std::string& nature = sheet.field(row, Field::Nature);
        EXPECT_TRUE(nature == "Lmax1" || nature == "Ls1") << nature;
        maxima += nature == "Lmax1";
        bool largest = true;
        for (int other : first.records)
            largest = largest && result.scan.records[other].angle <= r.angle;
        EXPECT_EQ(nature == "Lmax1", largest);
    }
    EXPECT_EQ(maxima, 1);
    EXPECT_EQ(sheet.field(int(first.records.size()) + 1, Field::Number).substr(0, 4), "s2  ");
}

TEST(TrackdipCanvas, KeepsTheElementsWithAnEndMarkAfterEachPolygone)
{
    const test::DomainLog log = test::ThreeDomainLog(300, 1200, 0.5, 2, 99);
    const TrackdipResult result = RunTrackdip(RowsOf(log), {Rad(3.5), Rad(30), 3, 4}, {1, 1});
    VarGlob settings;
    CanvasModel canvas(kWPTrackdip, settings);
    EXPECT_FALSE(canvas.lTD.analysed);
    KeepTrackdip(canvas, result);
    EXPECT_TRUE(canvas.lTD.analysed);
    EXPECT_EQ(canvas.lTD.zmin, 1200);
    EXPECT_EQ(canvas.lTD.zmax, 1200 + 0.5 * 299);
    EXPECT_EQ(canvas.lTD.firstWindow, result.scan.firstWindow);
    EXPECT_EQ(canvas.lTD.lastWindow, result.scan.lastWindow);
    EXPECT_EQ(canvas.i0, int(canvas.liTD.size()));
    std::size_t e = 0;
    for (const Polygone& p : result.links.polygones) {
        for (int k : p.records) {
            const InfoTD& el = canvas.liTD[e++];
            EXPECT_EQ(el.ii, k + 1);
            EXPECT_EQ(el.z, result.scan.records[k].z2);
            EXPECT_EQ(el.w, result.scan.records[k].h);
            EXPECT_EQ(el.e, result.scan.records[k].angle);
            EXPECT_EQ(el.a, result.scan.records[k].axis.trend);
        }
        EXPECT_TRUE(canvas.liTD[e++].isEnd());
    }
}

} // namespace
} // namespace ploq
