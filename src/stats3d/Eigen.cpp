#include "stats3d/Eigen.h"

#include "model/UtilGlob.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace ploq {

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;

// Normalized eigenvalues this close are taken as equal: where they are equal the rounding of
// the decomposition leaves about 1e-17 between them.
constexpr double kEqualEigenvalues = 1e-9;
// A spread (lambda - E4) this small is no spread: the measurements lie exactly on the axis or
// on the great circle.
constexpr double kNoSpread = 1e-12;

constexpr double kSqrtLn20 = 1.731;  // sqrt(-ln 0.05): 95 %
constexpr double kSqrtLn100 = 2.146; // sqrt(-ln 0.01): 99 %

// One Jacobi rotation of the pair (g, h) by the angle whose sine is s, tau = s / (1 + c).
void Rotate(double& g, double& h, double s, double tau)
{
    const double g0 = g;
    const double h0 = h;
    g = g0 - s * (h0 + g0 * tau);
    h = h0 + s * (g0 - h0 * tau);
}

// Annuls a[p][q] (p < q) and turns the other elements of a and the columns p, q of V with it.
void Annul(Mat3& a, Mat3& V, std::array<double, 3>& d, std::array<double, 3>& z, int p, int q,
           double g)
{
    double h = d[q] - d[p];
    double t = 0;
    if (std::fabs(h) + g == std::fabs(h)) {
        t = a[p][q] / h;
    } else {
        const double theta = 0.5 * h / a[p][q];
        t = 1 / (std::fabs(theta) + std::sqrt(1 + theta * theta));
        if (theta < 0)
            t = -t;
    }
    const double c = 1 / std::sqrt(1 + t * t);
    const double s = t * c;
    const double tau = s / (1 + c);
    h = t * a[p][q];
    z[p] -= h;
    z[q] += h;
    d[p] -= h;
    d[q] += h;
    a[p][q] = 0;
    for (int j = 0; j < p; ++j)
        Rotate(a[j][p], a[j][q], s, tau);
    for (int j = p + 1; j < q; ++j)
        Rotate(a[p][j], a[j][q], s, tau);
    for (int j = q + 1; j < 3; ++j)
        Rotate(a[p][j], a[q][j], s, tau);
    for (int j = 0; j < 3; ++j)
        Rotate(V[j][p], V[j][q], s, tau);
}

// Decreasing order; on equal values the later index comes first.
void SortDecreasing(Eigen3& e)
{
    for (int s = 0; s < 2; ++s) {
        int k = s;
        for (int j = s + 1; j < 3; ++j)
            if (e.d[j] >= e.d[k])
                k = j;
        if (k == s)
            continue;
        std::swap(e.d[s], e.d[k]);
        for (int row = 0; row < 3; ++row)
            std::swap(e.V[row][s], e.V[row][k]);
    }
}

bool NearlyEqual(double a, double b)
{
    return std::fabs(a - b) <= kEqualEigenvalues;
}

double Aperture(double sine)
{
    return std::fabs(sine) < 1 ? std::asin(sine) : kHalfPi;
}

} // namespace

OrientationTensor OrientationMatrix(std::span<const Vec3> u)
{
    double xx = 0, xy = 0, xz = 0, yy = 0, yz = 0, zz = 0;
    for (const Vec3& v : u) {
        xx += v.x * v.x;
        xy += v.x * v.y;
        xz += v.x * v.z;
        yy += v.y * v.y;
        yz += v.y * v.z;
        zz += v.z * v.z;
    }
    OrientationTensor t;
    t.T = {{{xx, xy, xz}, {xy, yy, yz}, {xz, yz, zz}}};
    t.n = static_cast<int>(u.size());
    return t;
}

// Cyclic Jacobi with a threshold (the scheme of Numerical Recipes' jacobi): small elements are
// passed over in the first three sweeps, and from the fifth on an element too small to change
// either diagonal element is set to zero without a rotation.
Eigen3 Jacobi3(Mat3 a)
{
    Eigen3 e;
    e.V = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    std::array<double, 3> b{a[0][0], a[1][1], a[2][2]};
    std::array<double, 3> z{};
    e.d = b;
    constexpr std::array<std::pair<int, int>, 3> pairs{{{0, 1}, {0, 2}, {1, 2}}};
    bool converged = false;
    for (int sweep = 1; sweep <= kJacobiMaxSweeps && !converged; ++sweep) {
        const double offDiagonal = std::fabs(a[0][1]) + std::fabs(a[0][2]) + std::fabs(a[1][2]);
        if (offDiagonal == 0) {
            converged = true;
            break;
        }
        e.sweeps = sweep;
        const double threshold = sweep < 4 ? 0.2 * offDiagonal / 9 : 0;
        for (const auto& [p, q] : pairs) {
            const double g = 100 * std::fabs(a[p][q]);
            if (sweep > 4 && std::fabs(e.d[p]) + g == std::fabs(e.d[p])
                && std::fabs(e.d[q]) + g == std::fabs(e.d[q])) {
                a[p][q] = 0;
            } else if (std::fabs(a[p][q]) > threshold) {
                Annul(a, e.V, e.d, z, p, q, g);
                ++e.rotations;
            }
        }
    }
    if (!converged)
        for (int p = 0; p < 3; ++p)
            e.d[p] = b[p] + z[p];
    SortDecreasing(e);
    return e;
}

void NormalizeEigen(int n, std::array<double, 3>& d)
{
    if (n == 0)
        return;
    for (double& value : d)
        value /= n;
}

Direction EigenAxis(const Eigen3& eigen, int k)
{
    const auto column = static_cast<std::size_t>(k);
    return VecToDir({eigen.V[0][column], eigen.V[1][column], eigen.V[2][column]});
}

double FourthMoment(std::span<const Vec3> u, const Direction& v)
{
    if (u.empty())
        return 0;
    const Vec3 axis = DirToVec(v);
    double sum = 0;
    for (const Vec3& w : u) {
        const double c2 = Dot(axis, w) * Dot(axis, w);
        sum += c2 * c2;
    }
    return sum / static_cast<double>(u.size());
}

// Large-sample cones for a sample symmetric about its axis (as in Fisher, Lewis & Embleton,
// Statistical analysis of spherical data, 1987): the principal axis deviates from the true one
// by a tangent vector whose two components have the variance sigma^2 / 2, sigma^2 =
// (lambda1 - E4) / (n (lambda1 - lambda2)^2), so |deviation|^2 / sigma^2 is exponential and
// the cone of confidence 1 - a has sin(aperture) = sqrt(-ln a) sigma. The pole of a girdle
// likewise with lambda3 - E4 and lambda2 - lambda3.
ConePair ConeAperturesE4(int kind, const std::array<double, 3>& lambda, int n, double e4)
{
    const ConePair unavailable{kHalfPi, kHalfPi};
    if (n < 2 || NearlyEqual(lambda[0], lambda[1]) || NearlyEqual(lambda[1], lambda[2]))
        return unavailable;
    double k = 0;
    if (kind == kConeGreatCircle) {
        const double spread = lambda[2] - e4;
        // Every measurement on the great circle: its pole is known exactly, the cones are
        // 0 degrees (the principal-axis formula about the pole would measure something else).
        if (spread <= kNoSpread)
            return {0, 0};
        k = std::sqrt(spread / n) / (lambda[1] - lambda[2]);
    } else {
        const double spread = lambda[0] - e4;
        if (spread <= kNoSpread)
            return unavailable;
        k = std::sqrt(spread / n) / (lambda[0] - lambda[1]);
    }
    return {Aperture(kSqrtLn100 * k), Aperture(kSqrtLn20 * k)};
}

ConePair ConeApertures(int kind, const std::array<double, 3>& lambda, std::span<const Vec3> u,
                       const Direction& v)
{
    return ConeAperturesE4(kind, lambda, static_cast<int>(u.size()), FourthMoment(u, v));
}

std::string DegreesText(double radians)
{
    return FormatFixed(radians / kDegToRad, 1) + "\xB0";
}

} // namespace ploq
