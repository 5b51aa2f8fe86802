// The orientation matrix and its eigen analysis against a second algorithm (the closed-form
// trigonometric eigenvalues of a symmetric 3x3 matrix, in long double) and against matrices
// built from known eigenvalues; the fourth moment and the cones against hand-worked cases and
// a Monte Carlo of their coverage.

#include "stats3d/Eigen.h"

#include "support/Draws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;
using LongTriple = std::array<long double, 3>;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

// The angle between two axes, accurate near 0 too.
double AxialAngle(const Vec3& a, const Vec3& b)
{
    const Vec3 c = Cross(a, b);
    return std::atan2(std::sqrt(Dot(c, c)), std::fabs(Dot(a, b)));
}

// Smith (1961), "Eigenvalues of a symmetric 3 x 3 matrix", Communications of the ACM 4(4) 168:
// with q = tr A / 3 and p the root mean square of A - qI, the eigenvalues are q + 2p cos(phi +
// 2k pi / 3), phi = acos(det((A - qI) / p) / 2) / 3. Decreasing.
LongTriple TrigonometricEigenvalues(const Mat3& m)
{
    long double a[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            a[i][j] = m[i][j];
    const long double q = (a[0][0] + a[1][1] + a[2][2]) / 3;
    const long double off = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
    const long double p2 = (a[0][0] - q) * (a[0][0] - q) + (a[1][1] - q) * (a[1][1] - q)
                           + (a[2][2] - q) * (a[2][2] - q) + 2 * off;
    if (p2 == 0)
        return {q, q, q};
    const long double p = std::sqrt(p2 / 6);
    long double b[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            b[i][j] = (a[i][j] - (i == j ? q : 0)) / p;
    const long double det = b[0][0] * (b[1][1] * b[2][2] - b[1][2] * b[2][1])
                            - b[0][1] * (b[1][0] * b[2][2] - b[1][2] * b[2][0])
                            + b[0][2] * (b[1][0] * b[2][1] - b[1][1] * b[2][0]);
    const long double r = std::clamp(det / 2, -1.0L, 1.0L);
    const long double phi = std::acos(r) / 3;
    const long double third = 2 * std::numbers::pi_v<long double> / 3;
    const long double l1 = q + 2 * p * std::cos(phi);
    const long double l3 = q + 2 * p * std::cos(phi + third);
    return {l1, 3 * q - l1 - l3, l3};
}

Mat3 Product(const Mat3& a, const Mat3& b)
{
    Mat3 c{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                c[i][j] += a[i][k] * b[k][j];
    return c;
}

Mat3 Transposed(const Mat3& a)
{
    Mat3 t{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            t[i][j] = a[j][i];
    return t;
}

// A rotation made of three unit vectors drawn at random, orthonormalized.
Mat3 RandomRotation(test::Draws& draws)
{
    const Vec3 a = DirToVec({2 * kPi * draws.uniform(), std::asin(draws.uniform())});
    const Direction b = test::Deviated(VecToDir(a), kPi / 2, 2 * kPi * draws.uniform());
    const Vec3 bv = DirToVec(b);
    const Vec3 c = Cross(a, bv);
    return {{{a.x, bv.x, c.x}, {a.y, bv.y, c.y}, {a.z, bv.z, c.z}}};
}

// R diag(values) R^T: a symmetric matrix whose eigenvalues are known.
Mat3 WithEigenvalues(const LongTriple& values, const Mat3& R)
{
    Mat3 d{};
    for (int i = 0; i < 3; ++i)
        d[i][i] = static_cast<double>(values[static_cast<std::size_t>(i)]);
    return Product(Product(R, d), Transposed(R));
}

Direction UniformAxis(test::Draws& draws)
{
    return {2 * kPi * draws.uniform(), std::asin(draws.uniform())};
}

// The axis drawn from a Fisher distribution of concentration kappa about `mean` (Fisher, Lewis
// & Embleton 1987, simulation of the Fisher distribution: cos theta = 1 + ln(x + (1 - x)
// e^-2kappa) / kappa).
Direction FisherAxis(const Direction& mean, double kappa, test::Draws& draws)
{
    const double x = draws.uniform();
    const double w = 1 + std::log(x + (1 - x) * std::exp(-2 * kappa)) / kappa;
    return test::Deviated(mean, std::acos(std::clamp(w, -1.0, 1.0)), 2 * kPi * draws.uniform());
}

// A girdle symmetric about its pole: every axis at a normally drawn distance from the circle.
Direction GirdleAxis(const Direction& pole, double sigmaDeg, test::Draws& draws)
{
    const double fromCircle = draws.normal(0, sigmaDeg) * kDegToRad;
    return test::Deviated(pole, kPi / 2 - fromCircle, 2 * kPi * draws.uniform());
}

std::vector<Vec3> Vectors(const std::vector<Direction>& directions)
{
    std::vector<Vec3> u;
    for (const Direction& d : directions)
        u.push_back(DirToVec(d));
    return u;
}

struct EigenCase {
    std::string name;
    Mat3 T;
    double scale;                    // the trace: n for an orientation matrix
    std::optional<LongTriple> known; // eigenvalues by construction; else the closed form
};

EigenCase FromAxes(std::string name, const std::vector<Direction>& axes,
                   std::optional<LongTriple> known = {})
{
    const OrientationTensor t = OrientationMatrix(Vectors(axes));
    return {std::move(name), t.T, static_cast<double>(t.n), known};
}

std::vector<EigenCase> EigenCases()
{
    test::Draws draws(20241209);
    std::vector<EigenCase> cases;
    const Direction axis{Rad(62), Rad(14)};
    cases.push_back(FromAxes("one axis", {axis}, LongTriple{1, 0, 0}));
    cases.push_back(
        FromAxes("one axis 17 times", std::vector<Direction>(17, axis), LongTriple{17, 0, 0}));
    const Direction second = test::Deviated(axis, Rad(40), 1.0);
    const long double c = std::cos(40.0L * std::numbers::pi_v<long double> / 180);
    cases.push_back(
        FromAxes("two axes 40 degrees apart", {axis, second}, LongTriple{1 + c, 1 - c, 0}));
    for (const int n : {3, 10, 100, 1000, 5000}) {
        std::vector<Direction> uniform, cluster, girdle;
        for (int i = 0; i < n; ++i) {
            uniform.push_back(UniformAxis(draws));
            cluster.push_back(FisherAxis(axis, 20, draws));
            girdle.push_back(GirdleAxis(axis, 8, draws));
        }
        const std::string count = std::to_string(n);
        cases.push_back(FromAxes(count + " uniform axes", uniform));
        cases.push_back(FromAxes(count + " clustered axes", cluster));
        cases.push_back(FromAxes(count + " axes in a girdle", girdle));
    }
    // Rank 2: axes on one great circle, at random and evenly spaced.
    std::vector<Direction> onCircle, evenly;
    for (int i = 0; i < 50; ++i) {
        onCircle.push_back(test::Deviated(axis, kPi / 2, 2 * kPi * draws.uniform()));
        evenly.push_back(test::Deviated(axis, kPi / 2, 2 * kPi * i / 50));
    }
    cases.push_back(FromAxes("50 axes on a great circle", onCircle));
    cases.push_back(FromAxes("50 axes evenly on a great circle", evenly, LongTriple{25, 25, 0}));
    // Equal eigenvalues in a turned frame.
    const LongTriple equalPairs[] = {{7, 7, 2}, {5, 1, 1}, {4, 4, 4}, {3, 3, 0}};
    for (const LongTriple& values : equalPairs)
        for (int turn = 0; turn < 3; ++turn) {
            const double trace = static_cast<double>(values[0] + values[1] + values[2]);
            cases.push_back({"eigenvalues " + std::to_string(int(values[0])) + " "
                                 + std::to_string(int(values[1])) + " "
                                 + std::to_string(int(values[2])) + " turned",
                             WithEigenvalues(values, RandomRotation(draws)), trace, values});
        }
    return cases;
}

TEST(Jacobi3Test, AgreesWithTheClosedFormAndLeavesSmallResiduals)
{
    for (const EigenCase& c : EigenCases()) {
        SCOPED_TRACE(c.name);
        const Eigen3 e = Jacobi3(c.T);
        const LongTriple reference = c.known ? *c.known : TrigonometricEigenvalues(c.T);
        const double tolerance = 1e-12 * c.scale;
        EXPECT_LE(e.sweeps, kJacobiMaxSweeps);
        for (int k = 0; k < 3; ++k) {
            const auto K = static_cast<std::size_t>(k);
            EXPECT_NEAR(e.d[K], static_cast<double>(reference[K]), tolerance) << "eigenvalue " << k;
            if (k < 2) {
                EXPECT_GE(e.d[K], e.d[K + 1]);
            }
            double residual = 0;
            for (int i = 0; i < 3; ++i) {
                double tv = 0;
                for (int j = 0; j < 3; ++j)
                    tv += c.T[i][j] * e.V[j][K];
                residual += (tv - e.d[K] * e.V[i][K]) * (tv - e.d[K] * e.V[i][K]);
            }
            EXPECT_LE(std::sqrt(residual), tolerance) << "residual of eigenvector " << k;
            for (int l = 0; l < 3; ++l) {
                double dot = 0;
                for (int i = 0; i < 3; ++i)
                    dot += e.V[i][K] * e.V[i][static_cast<std::size_t>(l)];
                EXPECT_NEAR(dot, k == l ? 1 : 0, 1e-12) << "columns " << k << " and " << l;
            }
        }
    }
}

// A diagonal matrix needs no rotation: its eigenvalues are its diagonal in decreasing order and
// V is a permutation of the identity; equal values put the later index first.
TEST(Jacobi3Test, DiagonalMatricesSortTheirAxesByTheLaterIndexRule)
{
    struct Row {
        std::array<double, 3> diagonal;
        std::array<double, 3> values;
        std::array<int, 3> columns; // which axis each eigenvector is
    };
    const Row rows[] = {
        {{1, 2, 3}, {3, 2, 1}, {2, 1, 0}}, {{3, 1, 2}, {3, 2, 1}, {0, 2, 1}},
        {{2, 2, 1}, {2, 2, 1}, {1, 0, 2}}, {{1, 2, 2}, {2, 2, 1}, {2, 1, 0}},
        {{1, 1, 1}, {1, 1, 1}, {2, 0, 1}}, {{0, 0, 0}, {0, 0, 0}, {2, 0, 1}},
        {{5, 0, 0}, {5, 0, 0}, {0, 2, 1}},
    };
    for (const Row& r : rows) {
        Mat3 T{};
        for (int i = 0; i < 3; ++i)
            T[i][i] = r.diagonal[static_cast<std::size_t>(i)];
        const Eigen3 e = Jacobi3(T);
        EXPECT_EQ(e.rotations, 0);
        EXPECT_EQ(e.d, r.values) << r.diagonal[0] << r.diagonal[1] << r.diagonal[2];
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(e.V[i][k], i == r.columns[static_cast<std::size_t>(k)] ? 1 : 0)
                    << "column " << k << " row " << i;
    }
}

// The second-difference matrix K3 = [2 -1 0; -1 2 -1; 0 -1 2], worked in Strang,
// Computational Science and Engineering (2007), section 1.5: eigenvalues 2 - 2 cos(k pi / 4),
// that is 2 + sqrt 2, 2, 2 - sqrt 2, with the eigenvectors (1, -sqrt 2, 1) / 2, (1, 0, -1) /
// sqrt 2 and (1, sqrt 2, 1) / 2.
TEST(Jacobi3Test, TextbookSecondDifferenceMatrix)
{
    const Eigen3 e = Jacobi3({{{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}}});
    const double r2 = std::sqrt(2.0);
    const std::array<double, 3> values{2 + r2, 2, 2 - r2};
    const Vec3 vectors[] = {{0.5, -r2 / 2, 0.5}, {1 / r2, 0, -1 / r2}, {0.5, r2 / 2, 0.5}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(e.d[static_cast<std::size_t>(k)], values[static_cast<std::size_t>(k)], 1e-14);
        const Vec3 column{e.V[0][k], e.V[1][k], e.V[2][k]};
        EXPECT_NEAR(std::fabs(Dot(column, vectors[k])), 1, 1e-14) << "eigenvector " << k;
    }
}

// Axes evenly spread round a cone of half-aperture a about an axis: T / n has the eigenvalues
// cos^2 a, sin^2 a / 2, sin^2 a / 2, the axis is the first eigenvector and E4 about it cos^4 a.
TEST(OrientationMatrixTest, EvenConeAboutAKnownAxis)
{
    const Direction axis{Rad(128), Rad(35)};
    for (const double apertureDeg : {10.0, 30.0, 60.0}) {
        const double a = Rad(apertureDeg);
        std::vector<Direction> axes;
        for (int i = 0; i < 12; ++i)
            axes.push_back(test::Deviated(axis, a, 2 * kPi * i / 12));
        const std::vector<Vec3> u = Vectors(axes);
        const OrientationTensor t = OrientationMatrix(u);
        EXPECT_EQ(t.n, 12);
        Eigen3 e = Jacobi3(t.T);
        NormalizeEigen(t.n, e.d);
        const double c2 = std::cos(a) * std::cos(a);
        const double s2 = 1 - c2;
        const std::array<double, 3> expected =
            apertureDeg < 54.7 ? std::array{c2, s2 / 2, s2 / 2} : std::array{s2 / 2, s2 / 2, c2};
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(e.d[k], expected[k], 1e-14) << apertureDeg;
        const int axisColumn = apertureDeg < 54.7 ? 0 : 2;
        const Direction found = EigenAxis(e, axisColumn);
        EXPECT_LT(AxialAngle(DirToVec(found), DirToVec(axis)), 1e-7) << apertureDeg;
        EXPECT_NEAR(found.trend, axis.trend, 1e-7) << "lower-hemisphere end";
        EXPECT_NEAR(FourthMoment(u, axis), c2 * c2, 1e-14);
    }
    EXPECT_EQ(OrientationMatrix({}).n, 0);
    EXPECT_EQ(FourthMoment({}, axis), 0);
    std::array<double, 3> d{3, 2, 1};
    NormalizeEigen(0, d);
    EXPECT_EQ(d, (std::array<double, 3>{3, 2, 1})) << "n = 0 leaves them";
}

TEST(ConeAperturesTest, EdgeCasesOfTheEigenvalues)
{
    constexpr double none = kPi / 2;
    struct Row {
        const char* name;
        int kind;
        std::array<double, 3> lambda;
        int n;
        double e4;
        double cone99, cone95; // radians; negative: any usable value
    };
    const Row rows[] = {
        {"no measurement", 1, {0, 0, 0}, 0, 0, none, none},
        {"one measurement", 1, {1, 0, 0}, 1, 1, none, none},
        {"one measurement, rounding left in lambda", 1, {1, 2e-17, -1e-17}, 1, 1, none, none},
        {"two identical measurements", 1, {1, 1e-17, 0}, 2, 1, none, none},
        {"lambda1 = lambda2 within 1e-9", 1, {0.45, 0.45 - 5e-10, 0.1}, 50, 0.3, none, none},
        {"lambda2 = lambda3 within 1e-9", 1, {0.8, 0.1, 0.1 - 5e-10}, 50, 0.7, none, none},
        {"no spread about the axis", 1, {0.75, 0.25, 0}, 4, 0.75 - 1e-13, none, none},
        {"a usable axis", 1, {0.8, 0.15, 0.05}, 50, 0.7, -1, -1},
        {"only the 95% cone", 2, {0.5, 0.3, 0.2}, 5, 0.45, none, -1},
        {"no cone at all", 1, {0.4, 0.35, 0.25}, 3, 0.2, none, none},
        {"every measurement on the great circle", 25, {0.6, 0.4, 0}, 20, 0, 0, 0},
        {"a usable girdle pole", 25, {0.5, 0.45, 0.05}, 40, 0.01, -1, -1},
    };
    for (const Row& r : rows) {
        const ConePair c = ConeAperturesE4(r.kind, r.lambda, r.n, r.e4);
        EXPECT_FALSE(std::isnan(c.cone95) || std::isnan(c.cone99)) << r.name;
        if (r.cone95 < 0) {
            EXPECT_TRUE(ConeUsable(c.cone95) && c.cone95 > 0) << r.name;
        } else {
            EXPECT_EQ(c.cone95, r.cone95) << r.name;
        }
        if (r.cone99 < 0) {
            EXPECT_TRUE(ConeUsable(c.cone99) && c.cone99 > c.cone95) << r.name;
        } else {
            EXPECT_EQ(c.cone99, r.cone99) << r.name;
        }
    }
}

// Two axes 5 degrees either side of an axis: lambda = cos^2 5, sin^2 5, 0 and E4 = cos^4 5
// about the bisector, so k = sqrt(cos^2 5 sin^2 5 / 2) / (cos^2 5 - sin^2 5) = 0.0623410 and
// the cones are asin(1.731 k) = 6.19498 and asin(2.146 k) = 7.68830 degrees.
TEST(ConeAperturesTest, TwoAxesTenDegreesApart)
{
    const Direction axis{Rad(70), Rad(40)};
    const std::vector<Vec3> u =
        Vectors({test::Deviated(axis, Rad(5), 0.3), test::Deviated(axis, Rad(5), 0.3 + kPi)});
    Eigen3 e = Jacobi3(OrientationMatrix(u).T);
    NormalizeEigen(2, e.d);
    const Direction found = EigenAxis(e, 0);
    EXPECT_LT(AxialAngle(DirToVec(found), DirToVec(axis)), 1e-9);
    const ConePair c = ConeApertures(kConeAxis, e.d, u, found);
    EXPECT_NEAR(c.cone95 / kDegToRad, 6.19498127, 1e-6);
    EXPECT_NEAR(c.cone99 / kDegToRad, 7.68829825, 1e-6);
    EXPECT_EQ(DegreesText(c.cone95), "6.2\xB0");
}

struct Coverage {
    double held95 = 0;
    double held99 = 0;
};

// The share of 2000 samples of n axes whose cones about their estimate hold the true axis.
Coverage ConeCoverage(int kind, int n, test::Draws& draws)
{
    const Direction truth{Rad(230), Rad(55)};
    const Vec3 truthVec = DirToVec(truth);
    constexpr int kSamples = 2000;
    int held95 = 0, held99 = 0;
    std::vector<Vec3> u(static_cast<std::size_t>(n));
    for (int sample = 0; sample < kSamples; ++sample) {
        for (Vec3& v : u)
            v = DirToVec(kind == kConeGreatCircle ? GirdleAxis(truth, 12, draws)
                                                  : FisherAxis(truth, 8, draws));
        Eigen3 e = Jacobi3(OrientationMatrix(u).T);
        NormalizeEigen(n, e.d);
        const Direction estimate = EigenAxis(e, kind == kConeGreatCircle ? 2 : 0);
        const ConePair c = ConeApertures(kind, e.d, u, estimate);
        const double off = AxialAngle(DirToVec(estimate), truthVec);
        held95 += off <= c.cone95;
        held99 += off <= c.cone99;
    }
    return {double(held95) / kSamples, double(held99) / kSamples};
}

// The cones are large-sample ones: they hold the true axis in close to 95 % and 99 % of the
// samples (2000 samples: a binomial standard error of 0.5 % and 0.2 %). The cones of a girdle's
// pole are a little wide for small samples (measured 96.7 % and 97.0 % at n = 30 and 100): both
// tangent components take the smaller gap lambda2 - lambda3, while lambda1 of a sample of a
// symmetric girdle stands above lambda2 by chance.
TEST(ConeAperturesTest, MonteCarloCoverageOfFisherAxesAndGirdles)
{
    test::Draws draws(7031);
    for (const int kind : {kConeAxis, kConeGreatCircle})
        for (const int n : {30, 100, 300}) {
            const Coverage c = ConeCoverage(kind, n, draws);
            SCOPED_TRACE("kind " + std::to_string(kind) + ", n = " + std::to_string(n));
            EXPECT_NEAR(c.held95, 0.95, 0.025);
            EXPECT_NEAR(c.held99, 0.99, 0.008);
        }
}

} // namespace
} // namespace ploq
