// The right dihedra and the P-T axes (Angelier & Mechler 1977, "Sur une méthode graphique de
// recherche des contraintes principales également utilisable en tectonique et en séismologie :
// la méthode des dièdres droits", Bull. Soc. géol. France 19, 1309-1318).
//
// The references are built apart from the code under test, from a fault given by its strike,
// dip and rake (Aki & Richards 1980: the normal n into the hanging wall, the hanging wall's slip
// u): the P and T axes are the eigenvectors of the double couple M = n u^T + u n^T for its
// negative and positive eigenvalues, and a direction g lies in the P dihedra (the compressional
// quadrants of the focal mechanism) when (g.n)(g.u) < 0.

#include "datasheet/Fichier.h"
#include "faults/DihedraDraw.h"
#include "faults/RightDihedra.h"
#include "stats3d/Contours.h"
#include "stats3d/Counting.h"
#include "stats3d/DihedraContours.h"
#include "stats3d/Eigen.h"
#include "support/Draws.h"

#include "canvas/DrawingProbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}
double Deg(double radians)
{
    return radians / kDegToRad;
}

// A fault by strike (the dip to its right), dip and rake, in frame G (x east, y north, z down).
struct Mechanism {
    double strikeDeg = 0;
    double dipDeg = 0;
    double rakeDeg = 0;

    Vec3 n() const
    {
        const double f = Rad(strikeDeg), d = Rad(dipDeg);
        return {std::sin(d) * std::cos(f), -std::sin(d) * std::sin(f), -std::cos(d)};
    }
    Vec3 u() const
    {
        const double f = Rad(strikeDeg), d = Rad(dipDeg), l = Rad(rakeDeg);
        return {std::cos(l) * std::sin(f) - std::sin(l) * std::cos(d) * std::cos(f),
                std::cos(l) * std::cos(f) + std::sin(l) * std::cos(d) * std::sin(f),
                -std::sin(l) * std::sin(d)};
    }
};

// The sense letter a geologist gives a slip of that rake: the nearer of dip-slip and strike-slip.
char SenseLetterOfRake(double rakeDeg)
{
    if (rakeDeg > 45 && rakeDeg < 135)
        return 'R';
    if (rakeDeg < -45 && rakeDeg > -135)
        return 'N';
    return std::fabs(rakeDeg) <= 45 ? 'S' : 'D';
}

InfoVal Record(const Direction& d, const std::string& nature, const std::string& number)
{
    InfoVal v;
    v.azi = d.trend;
    v.pen = d.plunge;
    v.na = nature;
    v.nu = number;
    v.inf = 1;
    return v;
}

// The pair a mechanism is measured as: its pole and striae, the sense on both rows (or the
// light code "L" on the striae row).
void AddPair(std::vector<InfoVal>& records, const Mechanism& m, char sense,
             const std::string& number, bool light = false)
{
    records.push_back(Record(VecToDir(m.n()), std::string("F") + sense + "..", number));
    records.push_back(Record(VecToDir(m.u()), light ? std::string("L") : std::string("L") + sense + "..",
                             number));
}

std::vector<InfoVal> Pairs(std::initializer_list<Mechanism> mechanisms)
{
    std::vector<InfoVal> records;
    int number = 0;
    for (const Mechanism& m : mechanisms)
        AddPair(records, m, SenseLetterOfRake(m.rakeDeg), std::to_string(++number));
    return records;
}

// The angle between two axes, 0..90 degrees.
double AxisAngleDeg(const Direction& a, const Direction& b)
{
    const double angle = Deg(AngleBetween(a, b));
    return std::min(angle, 180 - angle);
}

struct Reference {
    Direction p;
    Direction t;
};
Reference DoubleCouple(const Mechanism& m)
{
    const Vec3 n = m.n(), u = m.u();
    const double nv[] = {n.x, n.y, n.z};
    const double uv[] = {u.x, u.y, u.z};
    Mat3 M{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            M[i][j] = nv[i] * uv[j] + uv[i] * nv[j];
    const Eigen3 e = Jacobi3(M);
    return {EigenAxis(e, 2), EigenAxis(e, 0)};
}

// Whether g (frame G) is in the compressional quadrants of the mechanism; none within `margin`
// of a nodal plane, where rounding decides.
std::optional<bool> Compressional(const Mechanism& m, const Vec3& g, double margin = 1e-9)
{
    const double gn = Dot(g, m.n()), gu = Dot(g, m.u());
    if (std::fabs(gn) < margin || std::fabs(gu) < margin)
        return std::nullopt;
    return gn * gu < 0;
}

// A node's vector in frame G.
Vec3 NodeInG(int node, int crowns)
{
    return DirToVec(NodeDirection(node, crowns));
}

// ---- P and T sides

TEST(RightDihedra, TheSenseChoosesThePSide)
{
    const Vec3 n{0, 0, 1};
    const Vec3 s{1, 0, 0};
    const Vec3 a{1, 0, 1};
    const Vec3 b{-1, 0, 1};
    struct Case {
        Sense sense;
        double angleDeg;
        Vec3 p;
    };
    const Case cases[] = {
        {Sense::Reverse, 10, b},    {Sense::Reverse, 170, b},   {Sense::Normal, 10, a},
        {Sense::Normal, 170, a},    {Sense::Dextral, 0, b},     {Sense::Dextral, 89.9, b},
        {Sense::Dextral, 90, b},    {Sense::Dextral, 90.1, a},  {Sense::Dextral, 180, a},
        {Sense::Sinistral, 0, a},   {Sense::Sinistral, 89.9, a}, {Sense::Sinistral, 90, b},
        {Sense::Sinistral, 90.1, b}, {Sense::Sinistral, 180, b},
    };
    for (const Case& c : cases) {
        const std::optional<PTSides> sides = PTSidesOf(n, s, c.sense, Rad(c.angleDeg));
        ASSERT_TRUE(sides) << SenseLetter(c.sense) << " " << c.angleDeg;
        const Vec3 t = c.p.x == a.x ? b : a;
        EXPECT_EQ(sides->p.x, c.p.x) << SenseLetter(c.sense) << " " << c.angleDeg;
        EXPECT_EQ(sides->t.x, t.x) << SenseLetter(c.sense) << " " << c.angleDeg;
    }
    EXPECT_FALSE(PTSidesOf(n, s, Sense::Unknown, 0));
    // A striae along the pole leaves no plane of movement.
    EXPECT_FALSE(PTSidesOf(n, n, Sense::Normal, 0));
    EXPECT_FALSE(PTSidesOf(n, Vec3{0, 0, -1}, Sense::Reverse, 0));
}

// The strikes, dips and rakes of all four senses, each strike-slip sense with its striae on both
// sides of 90 degrees from the strike direction.
const Mechanism kTable[] = {
    {0, 45, 90},    {30, 60, 120},  {200, 30, 60},   {310, 75, 95},   // reverse
    {0, 45, -90},   {120, 55, -60}, {250, 70, -130}, {345, 20, -100}, // normal
    {0, 89, 180},   {80, 70, 150},  {160, 60, -160}, {275, 85, -140}, // dextral
    {0, 89, 0},     {80, 70, 30},   {160, 60, -20},  {275, 85, 40},   // sinistral
};

TEST(RightDihedra, PAndTAxesAreTheEigenvectorsOfTheDoubleCouple)
{
    for (const bool lower : {true, false}) {
        std::vector<InfoVal> records;
        for (const Mechanism& m : kTable)
            AddPair(records, m, SenseLetterOfRake(m.rakeDeg), "1");
        const PTAxes axes = ComputePTAxes(records, lower);
        ASSERT_EQ(axes.axes.size(), std::size(kTable));
        for (std::size_t i = 0; i < std::size(kTable); ++i) {
            const Mechanism& m = kTable[i];
            const Reference ref = DoubleCouple(m);
            // An arc cosine near 0 and the Jacobi sweeps leave some 1e-6 degrees; a wrong side
            // would be 90 degrees off.
            EXPECT_LT(AxisAngleDeg(axes.axes[i].p, ref.p), 1e-4)
                << m.strikeDeg << "/" << m.dipDeg << "/" << m.rakeDeg << " lower " << lower;
            EXPECT_LT(AxisAngleDeg(axes.axes[i].t, ref.t), 1e-4)
                << m.strikeDeg << "/" << m.dipDeg << "/" << m.rakeDeg << " lower " << lower;
        }
    }
}

TEST(RightDihedra, TheStrikeSlipCasesLieOnBothSidesOfARightAngle)
{
    // The table exercises both branches of the dextral and sinistral rules.
    int below[2] = {0, 0}, above[2] = {0, 0};
    for (const Mechanism& m : kTable) {
        const char sense = SenseLetterOfRake(m.rakeDeg);
        if (sense != 'D' && sense != 'S')
            continue;
        const Direction pole = VecToDir(m.n());
        const double a = AngleToStrike(VecToDir(m.u()), pole.trend);
        (a < kPi / 2 ? below : above)[sense == 'D' ? 0 : 1]++;
    }
    EXPECT_GT(below[0], 0);
    EXPECT_GT(above[0], 0);
    EXPECT_GT(below[1], 0);
    EXPECT_GT(above[1], 0);
}

// ---- The Part's edge cases

// One reverse fault striking north, dipping 45 degrees east, its striae down the dip.
std::vector<InfoVal> OneReverseFault(const char* sense = "R")
{
    return {Record({Rad(270), Rad(45)}, std::string("F") + sense + "..", "1"),
            Record({Rad(90), Rad(45)}, std::string("L") + sense + "..", "1")};
}

TEST(RightDihedra, OneReverseFaultCountsTheHorizontalEastWestNodes)
{
    const DihedraResult r = CalculateDihedra(OneReverseFault(), 6, true);
    ASSERT_EQ(r.counts.size(), 127u);
    EXPECT_EQ(r.faults(), 1);
    EXPECT_EQ(r.counts[0], 0); // the vertical is in the T dihedra
    const int east = FirstNodeOfCrown(6) + 9;  // azimuth 90 on the outer crown
    const int west = FirstNodeOfCrown(6) + 27; // azimuth 270
    ASSERT_EQ(Deg(NodeDirection(east, 6).trend), 90);
    ASSERT_EQ(Deg(NodeDirection(west, 6).trend), 270);
    EXPECT_EQ(r.counts[static_cast<std::size_t>(east)], 1);
    EXPECT_EQ(r.counts[static_cast<std::size_t>(west)], 1);
    EXPECT_EQ(r.ma, 1);
    EXPECT_EQ(r.mi, 0);
    // Every node against the quadrants: closer to the horizontal east-west line than to the
    // vertical.
    for (int node = 0; node < 127; ++node) {
        const Vec3 g = NodeInG(node, 6);
        if (std::fabs(std::fabs(g.x) - std::fabs(g.z)) < 1e-9)
            continue;
        EXPECT_EQ(r.counts[static_cast<std::size_t>(node)], std::fabs(g.x) > std::fabs(g.z) ? 1 : 0)
            << "node " << node;
    }
}

TEST(RightDihedra, IReadsAsR)
{
    const DihedraResult r = CalculateDihedra(OneReverseFault("R"), 6, true);
    const DihedraResult i = CalculateDihedra(OneReverseFault("I"), 6, true);
    EXPECT_EQ(i.counts, r.counts);
    const PTAxes pr = ComputePTAxes(OneReverseFault("R"), true);
    const PTAxes pi = ComputePTAxes(OneReverseFault("I"), true);
    ASSERT_EQ(pi.axes.size(), 1u);
    EXPECT_EQ(pi.axes[0].p.trend, pr.axes[0].p.trend);
    EXPECT_EQ(pi.axes[0].p.plunge, pr.axes[0].p.plunge);
    EXPECT_EQ(pi.axes[0].t.plunge, pr.axes[0].t.plunge);
}

TEST(RightDihedra, TheGridAndTheFoldOfItsOuterCrown)
{
    test::Draws draws(2611);
    std::vector<InfoVal> records;
    for (int i = 0; i < 30; ++i) {
        const Mechanism m{360 * draws.uniform(), 10 + 75 * draws.uniform(),
                          360 * draws.uniform() - 180};
        AddPair(records, m, SenseLetterOfRake(m.rakeDeg), std::to_string(i + 1));
    }
    for (const int crowns : {5, 6, 7, 12}) {
        const DihedraResult r = CalculateDihedra(records, crowns, true);
        ASSERT_EQ(static_cast<int>(r.counts.size()), 1 + 3 * crowns * (crowns + 1));
        const int half = 3 * crowns;
        for (int i = FirstNodeOfCrown(crowns); i < FirstNodeOfCrown(crowns) + half; ++i)
            EXPECT_EQ(r.counts[static_cast<std::size_t>(i)],
                      r.counts[static_cast<std::size_t>(i + half)])
                << crowns << " crowns, node " << i;
    }
    const DihedraResult six = CalculateDihedra(records, 6, true);
    EXPECT_EQ(six.counts.size() - 1, 126u);
    // Azimuths 0 and 180 of the outer crown.
    EXPECT_EQ(six.counts[91], six.counts[109]);
}

TEST(RightDihedra, TheFoldTakesTheLargerOfOppositeNodes)
{
    std::vector<int> counts(127, 0);
    counts[91] = 3;  // azimuth 0
    counts[109] = 5; // azimuth 180
    counts[100] = 2; // azimuth 90, its opposite (118) at 0
    FoldOuterCrown(counts, 6);
    EXPECT_EQ(counts[91], 5);
    EXPECT_EQ(counts[109], 5);
    EXPECT_EQ(counts[100], 2);
    EXPECT_EQ(counts[118], 2);
}

// ---- Counts against the quadrants

std::vector<Mechanism> RandomMechanisms(std::uint32_t seed, int count)
{
    test::Draws draws(seed);
    std::vector<Mechanism> out;
    for (int i = 0; i < count; ++i)
        out.push_back({360 * draws.uniform(), 10 + 75 * draws.uniform(), 360 * draws.uniform() - 180});
    return out;
}

std::vector<InfoVal> PairsOf(const std::vector<Mechanism>& mechanisms)
{
    std::vector<InfoVal> records;
    for (std::size_t i = 0; i < mechanisms.size(); ++i)
        AddPair(records, mechanisms[i], SenseLetterOfRake(mechanisms[i].rakeDeg),
                std::to_string(i + 1));
    return records;
}

// The brute-force count at g: the mechanisms whose compressional quadrants hold it; none when
// g lies on a nodal plane of one of them.
std::optional<int> BruteCount(const std::vector<Mechanism>& mechanisms, const Vec3& g)
{
    int count = 0;
    for (const Mechanism& m : mechanisms) {
        const std::optional<bool> c = Compressional(m, g);
        if (!c)
            return std::nullopt;
        count += *c ? 1 : 0;
    }
    return count;
}

TEST(RightDihedra, CountAtMatchesABruteForceCountOverTheSphere)
{
    const std::vector<Mechanism> mechanisms = RandomMechanisms(77, 40);
    const std::vector<InfoVal> records = PairsOf(mechanisms);
    const DihedraCounter counter(records, true);
    ASSERT_EQ(counter.faults(), 40);
    // A fine sampling of the sphere: a Fibonacci lattice of 4000 directions.
    const int samples = 4000;
    int compared = 0;
    for (int k = 0; k < samples; ++k) {
        const double z = 1 - (2.0 * k + 1) / samples;
        const double r = std::sqrt(1 - z * z);
        const double phi = k * kPi * (3 - std::sqrt(5.0));
        const Vec3 g{r * std::cos(phi), r * std::sin(phi), z};
        const std::optional<int> brute = BruteCount(mechanisms, g);
        if (!brute)
            continue;
        ++compared;
        ASSERT_EQ(counter.CountAt(VecToDir(g)), *brute) << "sample " << k;
    }
    EXPECT_GT(compared, samples * 9 / 10);
}

TEST(RightDihedra, NodeCountsMatchABruteForceCountOnEveryGrid)
{
    const std::vector<Mechanism> mechanisms = RandomMechanisms(1977, 60);
    const std::vector<InfoVal> records = PairsOf(mechanisms);
    for (const bool lower : {true, false})
        for (const int crowns : {5, 6, 9, 12}) {
            const DihedraResult r = CalculateDihedra(records, crowns, lower);
            for (int node = 0; node < NodeCount(crowns); ++node) {
                const std::optional<int> brute = BruteCount(mechanisms, NodeInG(node, crowns));
                if (brute) {
                    ASSERT_EQ(r.counts[static_cast<std::size_t>(node)], *brute)
                        << crowns << " crowns, node " << node;
                }
            }
        }
}

TEST(RightDihedra, TheDensityContoursSampleTheCountOverTheNet)
{
    const std::vector<Mechanism> mechanisms = RandomMechanisms(1414, 30);
    VarGlob settings;
    CanvasModel canvas(kWPDihedra, settings);
    for (const InfoVal& v : PairsOf(mechanisms))
        canvas.AddRecord(v);
    const DihedraDensityMaker before = RightDihedraDensity();
    FillRightDihedraDensity();
    for (const bool lower : {true, false}) {
        const Net net{215, 215, 200, lower, false};
        const Density density = DihedraDensity(canvas, net);
        ASSERT_TRUE(density);
        int compared = 0;
        for (int dy = -200; dy <= 200; dy += 20)
            for (int dx = -200; dx <= 200; dx += 20) {
                if (dx * dx + dy * dy > 200 * 200)
                    continue;
                const PlaneOffset offset{double(dx), double(dy)};
                const std::optional<int> brute =
                    BruteCount(mechanisms, DirToVec(OffsetToDir(offset, net)));
                if (!brute)
                    continue;
                ++compared;
                EXPECT_EQ(density(offset), *brute) << dx << " " << dy;
            }
        EXPECT_GT(compared, 250);
    }
    RightDihedraDensity() = before;
}

// ---- Senses the tools skip or read elsewhere

TEST(RightDihedra, UnknownSensesAndStriaeAlongThePoleAreSkippedWhole)
{
    std::vector<InfoVal> records = Pairs({{0, 45, 90}, {120, 55, -60}});
    // A fault of unknown sense, its striae of known sense: the fault row decides for Calculate.
    AddPair(records, {80, 70, 150}, '.', "3");
    records[records.size() - 1].na = "LD..";
    // A striae along the pole.
    records.push_back(Record({Rad(10), Rad(40)}, "FN..", "4"));
    records.push_back(Record({Rad(10), Rad(40)}, "LN..", "4"));
    const DihedraResult r = CalculateDihedra(records, 6, true);
    EXPECT_EQ(r.faults(), 2);
    EXPECT_EQ(r.pairs.unknown, (std::vector<int>{5}));
    EXPECT_EQ(r.pairs.degenerate, (std::vector<int>{7}));
    const DihedraResult two = CalculateDihedra(Pairs({{0, 45, 90}, {120, 55, -60}}), 6, true);
    EXPECT_EQ(r.counts, two.counts);
    // The value at a direction needs a known sense on the fault row too.
    EXPECT_EQ(DihedraCounter(records, true).faults(), 2);
    // P-T axes take the striae row's sense when the fault row has none.
    const PTAxes axes = ComputePTAxes(records, true);
    ASSERT_EQ(axes.axes.size(), 3u);
    EXPECT_EQ(axes.axes[2].first, 5);
    EXPECT_EQ(axes.degenerate, (std::vector<int>{7}));
    EXPECT_EQ(DegenerateLines(records, axes.degenerate),
              (std::vector<std::string>{"fault 4 skipped: its striae lies along its pole"}));
}

TEST(RightDihedra, ALightCodeStriaeTakesItsFaultsSense)
{
    const Mechanism m{80, 70, 150};
    std::vector<InfoVal> full, light;
    AddPair(full, m, 'D', "1");
    AddPair(light, m, 'D', "1", true);
    ASSERT_EQ(light[1].na, "L");
    const PTAxes a = ComputePTAxes(full, true);
    const PTAxes b = ComputePTAxes(light, true);
    ASSERT_EQ(b.axes.size(), 1u);
    EXPECT_EQ(b.axes[0].p.trend, a.axes[0].p.trend);
    EXPECT_EQ(b.axes[0].p.plunge, a.axes[0].p.plunge);
    const DihedraCounter fc(full, true), lc(light, true);
    ASSERT_EQ(lc.faults(), 1);
    for (int node = 0; node < 127; ++node)
        EXPECT_EQ(lc.CountAt(NodeDirection(node, 6)), fc.CountAt(NodeDirection(node, 6)));
    // A striae row naming another sense than its fault: the value at a direction follows the
    // striae row, Calculate the fault row.
    std::vector<InfoVal> mixed = full;
    mixed[1].na = "LS..";
    std::vector<InfoVal> sinistral = full;
    sinistral[0].na = "FS..";
    sinistral[1].na = "LS..";
    const DihedraCounter mc(mixed, true), sc(sinistral, true);
    const DihedraResult mr = CalculateDihedra(mixed, 6, true);
    const DihedraResult fr = CalculateDihedra(full, 6, true);
    EXPECT_EQ(mr.counts, fr.counts);
    for (int node = 0; node < 127; ++node)
        EXPECT_EQ(mc.CountAt(NodeDirection(node, 6)), sc.CountAt(NodeDirection(node, 6)));
}

// ---- Clicked directions and node removal

TEST(RightDihedra, ClickedDirectionsGiveTheNodeOfTheirCrown)
{
    struct Case {
        double trendDeg, plungeDeg;
        int crowns, node;
    };
    const Case cases[] = {
        {0, 90, 6, 0},    {123, 84, 6, 0},  {0, 80, 6, 1},    {60, 76, 6, 2},  {300, 80, 6, 6},
        {359, 78, 6, 1},  {0, 0, 6, 91},    {180, 0, 6, 109}, {355, 1, 6, 91}, {90, 0, 6, 100},
        {0, 0, 12, 397},  {45, 45, 6, 21}, // crown 3 from node 19, index round(45/20)
        {330, 80, 6, 1}, // index round(5.5) = 6, halves to even: the first node again
    };
    for (const Case& c : cases)
        EXPECT_EQ(NodeAt({Rad(c.trendDeg), Rad(c.plungeDeg)}, c.crowns), c.node)
            << c.trendDeg << "/" << c.plungeDeg;
}

TEST(RightDihedra, SettingANodeToZeroRemovesTheFaultsThatHoldIt)
{
    const std::vector<Mechanism> mechanisms = RandomMechanisms(2026, 25);
    const std::vector<InfoVal> records = PairsOf(mechanisms);
    const DihedraResult r = CalculateDihedra(records, 6, true);
    const Notation notation{1, 1};
    for (const int node : {0, 17, 60, 100}) {
        if (r.counts[static_cast<std::size_t>(node)] == 0)
            continue;
        const NodeRemoval removal = RemoveNode(records, r.counts, 6, node, true, notation);
        EXPECT_EQ(removal.counts[static_cast<std::size_t>(node)], 0) << node;
        EXPECT_EQ(removal.kept.size() + removal.removed.size(), 25u);
        EXPECT_EQ(removal.lines.size(), removal.removed.size());
        // The faults kept are those whose compressional quadrants miss the node.
        for (const int first : removal.kept)
            EXPECT_EQ(Compressional(mechanisms[static_cast<std::size_t>(first / 2)],
                                    NodeInG(node, 6)),
                      false);
        // What is left equals the right dihedra of the kept faults alone.
        std::vector<InfoVal> kept;
        for (const int first : removal.kept) {
            kept.push_back(records[static_cast<std::size_t>(first - 1)]);
            kept.push_back(records[static_cast<std::size_t>(first)]);
        }
        const DihedraResult again = CalculateDihedra(kept, 6, true);
        EXPECT_EQ(removal.counts, again.counts) << node;
        EXPECT_EQ(removal.ma, again.ma);
    }
}

TEST(RightDihedra, TheDerelictedLineNamesTheSenseAndThePole)
{
    const Notation notation{1, 1}; // dip/dip direction, plunge/trend
    InfoVal plane = Record({Rad(270), Rad(45)}, "FNM2", "12a");
    EXPECT_EQ(DerelictedLine(plane, notation), "12a FN  (" + DirToText(false, false, Rad(45), Rad(270), notation) + ")");
    plane.na = "FI..";
    EXPECT_EQ(DerelictedLine(plane, notation).substr(0, 8), "12a FI  ");
    plane.na = "FD..";
    EXPECT_EQ(DerelictedLine(plane, notation).substr(0, 8), "12a DD  ");
    plane.na = "FS..";
    EXPECT_EQ(DerelictedLine(plane, notation).substr(0, 8), "12a DS  ");
}

// ---- P-T records

TEST(RightDihedra, PTRecordsCarryTheFaultsCodes)
{
    std::vector<InfoVal> records = Pairs({{0, 45, 90}, {120, 55, -60}});
    records[0].lo = "Quarry";
    records[0].co = "gouge";
    records[0].nco = 7;
    const PTAxes axes = ComputePTAxes(records, true);
    const std::int32_t style = (1 << 12) | (1 << 1) | (1 << 5);
    const std::vector<InfoVal> pt = PTRecords(records, axes, style);
    ASSERT_EQ(pt.size(), 4u);
    EXPECT_EQ(pt[0].na, "lP");
    EXPECT_EQ(pt[1].na, "lT");
    EXPECT_EQ(pt[0].nco, kPColour);
    EXPECT_EQ(pt[1].nco, kTColour);
    EXPECT_EQ(pt[1].lo, "Quarry");
    EXPECT_EQ(pt[1].co, "gouge");
    EXPECT_EQ(pt[2].nu, "2");
    EXPECT_EQ(pt[0].inf, (1 << 12) | (1 << 5) | 1);
    EXPECT_EQ(pt[0].azi, axes.axes[0].p.trend);
    EXPECT_EQ(pt[1].pen, axes.axes[0].t.plunge);
}

TEST(RightDihedra, ThePTReportCountsThePairs)
{
    const PTAxes axes = ComputePTAxes(Pairs({{0, 45, 90}, {120, 55, -60}, {80, 70, 150}}), true);
    const std::vector<InfoLine> lines = PTReport(axes, 0.5);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].bold);
    EXPECT_EQ(lines[0].text.substr(lines[0].text.size() - 15), " - Axis P and T");
    EXPECT_EQ(lines[1].text, "3 P and T axis(s)");
}

TEST(RightDihedra, TheButtonStepsAndTheirCaptions)
{
    int step = 0;
    std::vector<std::string> captions;
    for (int press = 0; press < 6; ++press) {
        step = NextFaultStep(step, false);
        captions.push_back(FaultStepCaption(step));
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"aux S", "clean", "faults", "aux S", "clean",
                                                  "faults"}));
    EXPECT_EQ(FaultStepCaption(0), std::string("faults"));
    // A running click mode ends first and goes back to the values alone.
    EXPECT_EQ(NextFaultStep(2, true), 0);
    EXPECT_EQ(FaultCountLabel(12), "12 f");
}

// ---- The example sheet: striae from a known stress

// examples/faults.plq: forty faults slipping along the shear of a stress whose sigma 1 is
// horizontal toward 160 and sigma 3 horizontal toward 070, with some 6 degrees of scatter.
std::vector<InfoVal> ExampleFaults()
{
    DataSheet sheet;
    const FileOutcome loaded = LoadSheetFile(std::string(PLOQ_EXAMPLES) + "/faults.plq", sheet);
    EXPECT_TRUE(loaded.ok);
    return SheetRecords(sheet);
}

const Direction kSigma1{Rad(160), 0};
const Direction kSigma3{Rad(70), 0};

TEST(RightDihedra, TheExampleFaultsPointTheirMaximumAtSigma1)
{
    const std::vector<InfoVal> records = ExampleFaults();
    ASSERT_EQ(records.size(), 80u);
    const DihedraResult r = CalculateDihedra(records, 6, true);
    EXPECT_EQ(r.faults(), 40);
    // The method's premise: sigma 1 lies in the P dihedra, sigma 3 in the T dihedra, of every
    // fault slipping along the shear of the stress; the scatter may move a few across.
    const DihedraCounter counter(records, true);
    EXPECT_GE(counter.CountAt(kSigma1), 36);
    EXPECT_LE(counter.CountAt(kSigma3), 4);
    // The nodes of the largest count lie round sigma 1, those of the smallest round sigma 3.
    for (int node = 0; node < 127; ++node) {
        const int v = r.counts[static_cast<std::size_t>(node)];
        if (v == r.ma) {
            EXPECT_LT(AxisAngleDeg(NodeDirection(node, 6), kSigma1), 25) << "node " << node;
        }
        if (v == r.mi) {
            EXPECT_LT(AxisAngleDeg(NodeDirection(node, 6), kSigma3), 25) << "node " << node;
        }
    }
    EXPECT_GE(r.ma, 36);
}

TEST(RightDihedra, TheExampleFaultsPAxesClusterAboutSigma1)
{
    const std::vector<InfoVal> records = ExampleFaults();
    const PTAxes axes = ComputePTAxes(records, true);
    ASSERT_EQ(axes.axes.size(), 40u);
    std::vector<Vec3> p, t;
    for (const PTAxis& a : axes.axes) {
        p.push_back(DirToVec(a.p));
        t.push_back(DirToVec(a.t));
    }
    // The principal axis of the P axes near sigma 1, of the T axes near sigma 3; and nearly
    // every P axis nearer sigma 1 than its T axis is, since sigma 1 lies in the P dihedra of a
    // fault slipping along the shear of the stress (the scatter may move a few across).
    const Eigen3 ep = Jacobi3(OrientationMatrix(p).T);
    const Eigen3 et = Jacobi3(OrientationMatrix(t).T);
    EXPECT_LT(AxisAngleDeg(EigenAxis(ep, 0), kSigma1), 15);
    EXPECT_LT(AxisAngleDeg(EigenAxis(et, 0), kSigma3), 15);
    int nearer = 0;
    for (const PTAxis& a : axes.axes)
        nearer += AxisAngleDeg(a.p, kSigma1) < AxisAngleDeg(a.t, kSigma1) ? 1 : 0;
    EXPECT_GE(nearer, 36);
}

// ---- The canvases

TEST(RightDihedraCanvas, EveryNodeValueIsWrittenInItsColourAndWeight)
{
    VarGlob settings;
    CanvasModel source(kWPOrdinary, settings);
    const std::vector<InfoVal> records = PairsOf(RandomMechanisms(5, 12));
    for (const InfoVal& v : records)
        source.AddRecord(v);
    const DihedraResult r = CalculateDihedra(records, 6, true);
    CanvasModel canvas(kWPDihedra, settings);
    KeepDihedra(canvas, source, r);
    EXPECT_EQ(canvas.lNbCr, 6);
    EXPECT_EQ(canvas.i2, 12);
    EXPECT_EQ(canvas.lNT, 24);
    for (int i = 1; i <= canvas.lNT; i += 2)
        EXPECT_TRUE(TestBit(canvas.lVal[static_cast<std::size_t>(i)].inf, kInfFaultMark));
    test::RecordingCanvas rec;
    DrawDihedraValues(canvas, rec.ctx);
    std::vector<const Primitive*> texts;
    for (const Primitive& p : rec.surface.primitives())
        if (p.shape == Shape::Text)
            texts.push_back(&p);
    ASSERT_EQ(texts.size(), 127u);
    for (int node = 0; node < 127; ++node) {
        const Primitive& t = *texts[static_cast<std::size_t>(node)];
        const int v = r.counts[static_cast<std::size_t>(node)];
        EXPECT_EQ(t.text, std::to_string(v));
        EXPECT_EQ(t.font.bold, v == r.ma || v == r.mi) << node;
        EXPECT_EQ(t.font.colour, v == r.ma   ? kCountMaxColour
                                 : v == r.mi ? kDihedraMinColour
                                             : kDihedraOtherColour)
            << node;
        // Centred on the node's point; node 0 at the net centre.
        const Point at = node == 0 ? Point{rec.ctx.net.xc, rec.ctx.net.yc}
                                   : DirToPixel(NodeDirection(node, 6), rec.ctx.net);
        const Size extent = rec.surface.textExtent(t.text);
        EXPECT_LE(std::abs(t.points[0].x + extent.width / 2 - at.x), 1) << node;
        EXPECT_LE(std::abs(t.points[0].y + extent.height / 2 - at.y), 1) << node;
    }
    // No values while a click mode runs, nor for a canvas of no count.
    rec.surface.clear();
    canvas.butPosXY = 82;
    DrawDihedraValues(canvas, rec.ctx);
    EXPECT_EQ(rec.surface.count(Shape::Text), 0u);
}

TEST(RightDihedraCanvas, EachButtonStepAddsWhatItNames)
{
    VarGlob settings;
    CanvasModel source(kWPOrdinary, settings);
    SetBit(source.lStylePlot, kInfDrawTrace, true);
    std::vector<InfoVal> records = PairsOf(RandomMechanisms(9, 5));
    for (InfoVal& v : records) {
        v.inf = source.lStylePlot | 1;
        SetBit(v.inf, kInfPlane, v.na[0] == 'F');
        v.sy = 3;
        source.AddRecord(v);
    }
    CanvasModel canvas(kWPDihedra, settings);
    KeepDihedra(canvas, source, CalculateDihedra(records, 6, true));
    const auto drawn = [&](int step) {
        canvas.i1 = step;
        test::RecordingCanvas rec;
        DrawDihedra(canvas, rec.ctx);
        std::size_t dotted = 0, solid = 0;
        for (const Primitive& p : rec.surface.primitives())
            if (p.shape == Shape::Polyline || p.shape == Shape::Line)
                (p.pen.style == PenStyle::Dot ? dotted : solid)++;
        return std::tuple{rec.surface.count(Shape::Text), solid, dotted};
    };
    const auto [texts0, solid0, dotted0] = drawn(0);
    EXPECT_EQ(texts0, 127u);
    EXPECT_EQ(solid0, 0u);
    EXPECT_EQ(dotted0, 0u);
    // Step 1: the pairs as data, the fault planes as their traces.
    const auto [texts1, solid1, dotted1] = drawn(1);
    EXPECT_EQ(texts1, 127u);
    EXPECT_GT(solid1, 0u);
    EXPECT_EQ(dotted1, 0u);
    // Step 2: fault traces and dotted auxiliary planes.
    const auto [texts2, solid2, dotted2] = drawn(2);
    EXPECT_EQ(texts2, 127u);
    EXPECT_GT(solid2, 0u);
    EXPECT_GT(dotted2, 0u);
    const auto [texts3, solid3, dotted3] = drawn(3);
    EXPECT_EQ(texts3, 127u);
    EXPECT_EQ(solid3 + dotted3, 0u);
}

TEST(PTCanvas, TwoThousandFiveHundredPairsDrawTheirLettersAndSources)
{
    VarGlob settings;
    CanvasModel source(kWPOrdinary, settings);
    std::vector<Mechanism> mechanisms = RandomMechanisms(31, 2500);
    std::vector<InfoVal> records = PairsOf(mechanisms);
    for (InfoVal& v : records) {
        v.sy = 2;
        ASSERT_TRUE(source.AddRecord(v));
    }
    ASSERT_EQ(source.lNT, 5000);
    const PTAxes axes = ComputePTAxes(CanvasRecords(source), true);
    ASSERT_EQ(axes.axes.size(), 2500u);
    CanvasModel canvas(kWPPTAxes, settings);
    KeepPTAxes(canvas, source, axes);
    EXPECT_EQ(canvas.lNT, 5000);
    EXPECT_EQ(canvas.lFaults.size(), 5000u);
    EXPECT_EQ(canvas.i2, 2500);
    EXPECT_EQ(canvas.lFaults[4999].nu, "2500");
    EXPECT_EQ(canvas.lVal[5000].na, "lT");
    test::RecordingCanvas rec;
    DrawPTAxes(canvas, rec.ctx);
    std::size_t p = 0, t = 0;
    for (const Primitive& prim : rec.surface.primitives())
        if (prim.shape == Shape::Text) {
            EXPECT_TRUE(prim.font.bold);
            (prim.text == "P" ? p : t)++;
            EXPECT_TRUE(prim.text == "P" || prim.text == "T");
        }
    EXPECT_EQ(p, 2500u);
    EXPECT_EQ(t, 2500u);
    EXPECT_EQ(canvas.lNC, 5000);
    // Step 1 overlays the 5000 source records, as symbols of their own.
    canvas.i1 = 1;
    test::RecordingCanvas over;
    DrawPTAxes(canvas, over.ctx);
    test::RecordingCanvas none;
    canvas.i1 = 0;
    DrawPTAxes(canvas, none.ctx);
    EXPECT_GE(over.surface.primitives().size(), none.surface.primitives().size() + 5000);
    // Step 2: one dotted auxiliary plane per source striae.
    canvas.i1 = 2;
    test::RecordingCanvas aux;
    DrawPTAxes(canvas, aux.ctx);
    std::size_t dotted = 0;
    for (const Primitive& prim : aux.surface.primitives())
        dotted += prim.pen.style == PenStyle::Dot && prim.shape != Shape::Text ? 1 : 0;
    EXPECT_GE(dotted, 2500u);
}

} // namespace
} // namespace ploq
