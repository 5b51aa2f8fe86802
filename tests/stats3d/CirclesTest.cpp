#include "stats3d/Circles.h"

#include "support/Draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace ploq {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

// Unit vectors (frame G) of n directions evenly round the cone, each at its lower end.
std::vector<Vec3> ConePoints(double trendDeg, double plungeDeg, double apertureDeg, int n)
{
    const Vec3 a = DirToVec({trendDeg * kDeg, plungeDeg * kDeg});
    // Two unit vectors normal to the axis.
    Vec3 e1 = Cross(a, {0, 0, 1});
    const double n1 = std::sqrt(Dot(e1, e1));
    e1 = {e1.x / n1, e1.y / n1, e1.z / n1};
    const Vec3 e2 = Cross(a, e1);
    std::vector<Vec3> u;
    const double rho = apertureDeg * kDeg;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * std::numbers::pi * i / n;
        const Vec3 p{
            std::cos(rho) * a.x + std::sin(rho) * (std::cos(t) * e1.x + std::sin(t) * e2.x),
            std::cos(rho) * a.y + std::sin(rho) * (std::cos(t) * e1.y + std::sin(t) * e2.y),
            std::cos(rho) * a.z + std::sin(rho) * (std::cos(t) * e1.z + std::sin(t) * e2.z)};
        u.push_back(DirToVec(VecToDir(p)));
    }
    return u;
}

double AxisAngleDeg(const Direction& a, const Direction& b)
{
    return std::acos(std::min(1.0, std::fabs(Dot(DirToVec(a), DirToVec(b))))) / kDeg;
}

struct ConeCase {
    double trend, plunge, aperture;
};

// Points exactly on a cone: the criterion's optimum is that cone, whatever the algorithm.
TEST(FitSmallCircle, FindsTheConeOfExactPointsOnBothHemispheres)
{
    // The last three cross the primitive: part of each cone is stored by its other end.
    const ConeCase cases[] = {{30, 70, 15},  {200, 45, 30}, {300, 12, 8},  {120, 89, 85},
                              {200, 15, 30}, {100, 10, 40}, {330, 30, 84}};
    for (const ConeCase& c : cases) {
        const std::vector<Vec3> u = ConePoints(c.trend, c.plunge, c.aperture, 24);
        for (const bool lower : {true, false}) {
            const SmallCircleFit fit = FitSmallCircle(u, lower);
            ASSERT_FALSE(fit.failed) << c.trend << "/" << c.plunge;
            EXPECT_LT(AxisAngleDeg(fit.axis, {c.trend * kDeg, c.plunge * kDeg}), 0.02)
                << c.trend << "/" << c.plunge << " lower " << lower;
            EXPECT_NEAR(fit.aperture / kDeg, c.aperture, 0.02) << c.trend << "/" << c.plunge;
        }
    }
}

// Points spread deterministically off a cone of axis 080/50 and aperture 25 degrees.
std::vector<Vec3> NoisyCone()
{
    std::vector<Vec3> u = ConePoints(80, 50, 25, 30);
    // A deterministic spread off the cone.
    for (std::size_t i = 0; i < u.size(); ++i) {
        const Direction d = VecToDir(u[i]);
        u[i] = DirToVec({d.trend + 0.03 * std::sin(3.0 * i), d.plunge + 0.02 * std::cos(5.0 * i)});
    }
    return u;
}

// A second algorithm: a dense search over axes with local refinement of the criterion
// sum cos(theta_i - rho), rho = atan2(sum s, sum c), theta_i the angle between the axis and
// measurement i as an axis (0..pi/2), in the canvas frame.
double Criterion(const std::vector<Vec3>& g, const Vec3& v)
{
    double sc = 0, ss = 0;
    for (const Vec3& gi : g) {
        const Vec3 u{-gi.x, -gi.y, gi.z};
        const double c = std::min(std::fabs(Dot(u, v)), 1.0);
        sc += c;
        ss += std::sqrt(1 - c * c);
    }
    return std::hypot(sc, ss); // = max over rho of sum cos(theta - rho)
}

// The axis of the largest criterion: every axis of a 1-degree grid, then a pattern search
// halving its step down to 1e-5 degree.
Vec3 GridSearchAxis(const std::vector<Vec3>& u)
{
    Vec3 best{};
    double bestValue = -1;
    for (double el = -90; el <= 90; el += 1)
        for (double az = 0; az < 360; az += 1) {
            const Vec3 v = DirCosines({az * kDeg, el * kDeg});
            if (const double f = Criterion(u, v); f > bestValue) {
                bestValue = f;
                best = v;
            }
        }
    for (double step = 0.5; step > 1e-5; step /= 2) {
        bool moved = true;
        while (moved) {
            moved = false;
            const Direction d = CosinesToDir(best);
            for (const auto& [dt, dp] :
                 {std::pair{step, 0.0}, {-step, 0.0}, {0.0, step}, {0.0, -step}}) {
                const Vec3 v = DirCosines({d.trend + dt * kDeg, d.plunge + dp * kDeg});
                if (const double f = Criterion(u, v); f > bestValue) {
                    bestValue = f;
                    best = v;
                    moved = true;
                }
            }
        }
    }
    return best;
}

// The aperture of the criterion about an axis: tan rho = sum s / sum c, folded into 0..pi/2.
double CriterionAperture(const std::vector<Vec3>& g, const Vec3& v)
{
    double sc = 0, ss = 0;
    for (const Vec3& gi : g) {
        const double c = std::min(std::fabs(Dot(Vec3{-gi.x, -gi.y, gi.z}, v)), 1.0);
        sc += c;
        ss += std::sqrt(1 - c * c);
    }
    const double rho = std::atan2(ss, sc);
    return rho > std::numbers::pi / 2 ? std::numbers::pi - rho : rho;
}

TEST(FitSmallCircle, IsTheOptimumOfAGridSearchOnNoisyCone)
{
    const std::vector<Vec3> u = NoisyCone();
    const SmallCircleFit fit = FitSmallCircle(u);
    ASSERT_FALSE(fit.failed);
    EXPECT_LT(AxisAngleDeg(fit.axis, CosinesToDir(GridSearchAxis(u))), 0.05);
}

// The fit against the grid search: the criterion within 1e-6 of the largest (relative), the
// axis within a tolerance, the aperture that of the criterion about the fitted axis.
void ExpectGridOptimum(const std::vector<Vec3>& u, const Vec3& best, bool lower,
                       double axisToleranceDeg)
{
    const SmallCircleFit fit = FitSmallCircle(u, lower);
    ASSERT_FALSE(fit.failed);
    EXPECT_FALSE(fit.greatCircle);
    const Vec3 axis = DirCosines(fit.axis);
    EXPECT_LT(1 - Criterion(u, axis) / Criterion(u, best), 1e-6) << "lower " << lower;
    EXPECT_LT(AxisAngleDeg(fit.axis, CosinesToDir(best)), axisToleranceDeg) << "lower " << lower;
    EXPECT_NEAR(fit.aperture, CriterionAperture(u, axis), 1e-6);
}

// Poles to the bedding of a conical fold: the bedding example of Gray, N.H., Geiser, P.A. and
// Geiser, J.R. (1980), On the least-squares fit of small and great circles to spherically
// projected data, Mathematical Geology 12(3), 173-184 (strike, right-hand rule, and dip).
// The fold is near cylindrical (a cone of some 88 degrees): the criterion is so flat along
// the axis's plunge that the iteration, which stops once a pass moves the axis by less than
// 0.008 degree, may end up to a degree short of the grid's optimum, the criterion within 1e-6.
TEST(FitSmallCircle, ConicalFoldOfTheLiteratureIsTheGridSearchOptimum)
{
    const double bedding[][2] = {{156, 50}, {146, 45}, {138, 34}, {98, 33},
                                 {62, 36},  {43, 48},  {34, 48},  {29, 61}};
    std::vector<Vec3> poles;
    for (const auto& [strike, dip] : bedding)
        poles.push_back(DirToVec({(strike + 90 + 180) * kDeg, (90 - dip) * kDeg}));
    const Vec3 best = GridSearchAxis(poles);
    for (const bool lower : {true, false})
        ExpectGridOptimum(poles, best, lower, 1);
    EXPECT_NEAR(FitSmallCircle(poles).aperture / kDeg, CriterionAperture(poles, best) / kDeg, 1);
}

// Noisy cones with steep, moderate and shallow axes and apertures up to near 90 degrees:
// the grid search's optimum, on both hemispheres.
TEST(FitSmallCircle, NoisyConesAreTheGridSearchOptimumOnBothHemispheres)
{
    const ConeCase cases[] = {{15, 80, 20}, {140, 50, 60}, {250, 8, 35}, {330, 30, 84}};
    for (const ConeCase& c : cases) {
        SCOPED_TRACE(c.trend);
        std::vector<Vec3> u = ConePoints(c.trend, c.plunge, c.aperture, 18);
        for (std::size_t i = 0; i < u.size(); ++i)
            u[i] = DirToVec(test::Deviated(VecToDir(u[i]), 0.03 * std::sin(5.0 * i + 1),
                                           2.0 * i));
        const Vec3 best = GridSearchAxis(u);
        for (const bool lower : {true, false})
            ExpectGridOptimum(u, best, lower, 0.1);
    }
}

TEST(FitSmallCircle, DegenerateSetsFailCleanly)
{
    const Vec3 vertical = DirToVec({0, std::numbers::pi / 2});
    const Vec3 a = DirToVec({10 * kDeg, 40 * kDeg});
    const Vec3 b = DirToVec({100 * kDeg, 20 * kDeg});
    const std::vector<std::vector<Vec3>> sets = {{vertical}, {a, b, a, b}, {a, a, a}, {}};
    for (const std::vector<Vec3>& set : sets)
        EXPECT_TRUE(FitSmallCircle(set).failed) << set.size();
}

TEST(FitSmallCircle, LinesOfOneVerticalPlaneGiveItsGreatCircle)
{
    std::vector<Vec3> u;
    for (const int plunge : {5, 20, 37, 61, 80})
        u.push_back(DirToVec({45 * kDeg, plunge * kDeg}));
    for (const int plunge : {15, 50})
        u.push_back(DirToVec({225 * kDeg, plunge * kDeg}));
    const SmallCircleFit fit = FitSmallCircle(u);
    ASSERT_FALSE(fit.failed);
    EXPECT_TRUE(fit.greatCircle);
    EXPECT_NEAR(fit.aperture, std::numbers::pi / 2, 1e-12);
    EXPECT_LT(AxisAngleDeg(fit.axis, {135 * kDeg, 0}), 1e-6);
}

TEST(FitSmallCircle, NoConvergenceWithinThePassesFails)
{
    const std::vector<Vec3> u = NoisyCone();
    const SmallCircleFit fit = FitSmallCircle(u);
    ASSERT_FALSE(fit.failed);
    ASSERT_GT(fit.passes, 2);
    EXPECT_TRUE(FitSmallCircle(u, true, fit.passes - 1).failed);
}

TEST(BestGreatCircle, PoleIsTheBruteForceMinimumOfSquaredCosines)
{
    std::vector<Vec3> u = ConePoints(60, 10, 88, 20);
    for (std::size_t i = 0; i < u.size(); ++i) {
        const Direction d = VecToDir(u[i]);
        u[i] = DirToVec({d.trend + 0.05 * std::sin(7.0 * i), d.plunge});
    }
    const auto sumSquares = [&u](const Direction& p) {
        double s = 0;
        for (const Vec3& ui : u)
            s += Dot(ui, DirToVec(p)) * Dot(ui, DirToVec(p));
        return s;
    };
    Direction best;
    double bestValue = 1e300;
    for (double pl = 0; pl <= 90; pl += 0.1)
        for (double tr = 0; tr < 360; tr += 0.1)
            if (const double s = sumSquares({tr * kDeg, pl * kDeg}); s < bestValue) {
                bestValue = s;
                best = {tr * kDeg, pl * kDeg};
            }
    EXPECT_LT(AxisAngleDeg(BestGreatCircleOf(u).pole, best), 0.15);
}

TEST(SmallCirclePart, InsideTheNetOrThePartNearerTheBestAxis)
{
    const Net net{0, 0, 100, true, false};
    EXPECT_EQ(SmallCirclePart(20 * kDeg, 60 * kDeg, 0, {0, 60 * kDeg}, net), 0);
    // A cone about a shallow axis: the best axis of the set near the axis picks the aperture's
    // own circle, one on the far side that of pi minus it.
    EXPECT_EQ(SmallCirclePart(40 * kDeg, 10 * kDeg, 0, {0, 10 * kDeg}, net), 1);
    EXPECT_EQ(SmallCirclePart(80 * kDeg, 10 * kDeg, 0, {std::numbers::pi, 30 * kDeg}, net), 2);
}

TEST(Chi2Sum, SquaredDeviationsOfTheAnglesFromTheAperture)
{
    const std::vector<Vec3> u = ConePoints(20, 60, 25, 12);
    EXPECT_NEAR(Chi2Sum(u, {20 * kDeg, 60 * kDeg}, 25 * kDeg), 0, 1e-20);
    EXPECT_NEAR(Chi2Sum(u, {20 * kDeg, 60 * kDeg}, 20 * kDeg), 12 * std::pow(5 * kDeg, 2), 1e-12);
}

} // namespace
} // namespace ploq
