#include "stats3d/Circles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = kPi / 2;

Vec3 plus(const Vec3& a, const Vec3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 times(double k, const Vec3& a)
{
    return {k * a.x, k * a.y, k * a.z};
}

bool normalize(Vec3& v)
{
    const double norm = std::sqrt(Dot(v, v));
    if (!(norm > 0))
        return false;
    v = times(1 / norm, v);
    return true;
}

// The vector in the frame of the canvas's projection.
Vec3 canvasFrame(const Vec3& g, bool lowerHemisphere)
{
    return lowerHemisphere ? Vec3{-g.x, -g.y, g.z} : Vec3{g.x, g.y, -g.z};
}

// Whether at least three of the axes differ.
bool threeDistinct(std::span<const Vec3> u)
{
    constexpr double kSame = 1 - 1e-12;
    std::vector<Vec3> seen;
    for (const Vec3& v : u) {
        if (std::none_of(seen.begin(), seen.end(),
                         [&v](const Vec3& s) { return std::fabs(Dot(s, v)) > kSame; }))
            seen.push_back(v);
        if (seen.size() >= 3)
            return true;
    }
    return false;
}

struct Sums {
    double c = 0;
    double s = 0;
};

Sums angleSums(std::span<const Vec3> u, const Vec3& v)
{
    Sums sums;
    for (const Vec3& ui : u) {
        const double c = std::min(std::fabs(Dot(ui, v)), 1.0);
        sums.c += c;
        sums.s += std::sqrt(std::max(0.0, 1 - c * c));
    }
    return sums;
}

struct Climb {
    Vec3 axis;
    int passes = 0;
    double criterion = 0; // max over rho of sum cos(theta_i - rho) = |(sum c, sum s)|
};

// The iteration from a start axis, until a pass moves the axis by less than 1e-8 in cosine;
// none when it has not within the passes.
std::optional<Climb> climbFrom(std::span<const Vec3> u, Vec3 v, int maxPasses)
{
    Vec3 previous;
    for (int pass = 0; pass < maxPasses; ++pass) {
        Sums sums;
        Vec3 sumU;
        Vec3 sumTerms;
        for (const Vec3& stored : u) {
            // A measurement is an axis: its end on the side of the current axis. Taken as
            // stored, the end a cone leaves on the other side of the primitive counts pi minus
            // its angle and pulls the fit onto another circle.
            const Vec3 ui = Dot(stored, v) < 0 ? times(-1, stored) : stored;
            const double c = std::min(Dot(ui, v), 1.0);
            const double s = std::sqrt(std::max(0.0, 1 - c * c));
            sums.c += c;
            sums.s += s;
            sumU = plus(sumU, ui);
            if (s >= 1e-12) // a direction on the axis has no direction to pull it
                sumTerms = plus(sumTerms, times(1 / s, plus(times(c, ui), times(-1, v))));
        }
        const double rho = std::atan2(sums.s, sums.c);
        Vec3 w = plus(times(std::cos(rho), sumU), times(-std::sin(rho), sumTerms));
        if (!normalize(w))
            return std::nullopt;
        const bool converged = std::fabs(Dot(w, previous)) > 0.99999999;
        previous = w;
        v = w;
        if (converged) {
            const Sums last = angleSums(u, v);
            return Climb{v, pass + 1, std::hypot(last.c, last.s)};
        }
    }
    return std::nullopt;
}

} // namespace

BestGreatCircleResult BestGreatCircleOf(std::span<const Vec3> u)
{
    BestGreatCircleResult r;
    const OrientationTensor t = OrientationMatrix(u);
    const Eigen3 eigen = Jacobi3(t.T);
    r.n = t.n;
    r.lambda = eigen.d;
    NormalizeEigen(t.n, r.lambda);
    r.pole = EigenAxis(eigen, 2);
    r.cones = ConeApertures(kConeGreatCircle, r.lambda, u, r.pole);
    return r;
}

SmallCircleFit FitSmallCircle(std::span<const Vec3> g, bool lowerHemisphere, int maxPasses)
{
    SmallCircleFit fit;
    if (!threeDistinct(g))
        return fit;
    // On one great circle the iteration never leaves the plane of the set and its start axis.
    const BestGreatCircleResult plane = BestGreatCircleOf(g);
    if (plane.lambda[2] < 1e-10) {
        fit.failed = false;
        fit.greatCircle = true;
        fit.axis = plane.pole;
        fit.aperture = kHalfPi;
        return fit;
    }
    std::vector<Vec3> u;
    u.reserve(g.size());
    Vec3 resultant;
    for (const Vec3& gi : g) {
        u.push_back(canvasFrame(gi, lowerHemisphere));
        resultant = plus(resultant, gi);
    }
    // The resultant itself, in the canvas frame. Its components taken unchanged there stand for
    // the axis of trend plus 180 degrees, which for an axis plunging 45 degrees is normal to the
    // true axis: a stationary point of the iteration, which then stops on a great circle.
    // The iteration only climbs to the nearest maximum: a cone that crosses the primitive, or
    // a wide one, has its axis far from the resultant. It also starts from the three principal
    // axes of the set, and the circle of the largest criterion is kept.
    std::vector<Vec3> starts{canvasFrame(resultant, lowerHemisphere)};
    const Eigen3 eigen = Jacobi3(OrientationMatrix(g).T);
    for (int k = 0; k < 3; ++k)
        starts.push_back(canvasFrame(DirToVec(EigenAxis(eigen, k)), lowerHemisphere));
    std::optional<Climb> best;
    for (Vec3& start : starts) {
        if (!normalize(start))
            continue;
        const std::optional<Climb> climb = climbFrom(u, start, maxPasses);
        if (climb && (!best || climb->criterion > best->criterion))
            best = climb;
    }
    if (!best) {
        fit.passes = maxPasses;
        return fit;
    }
    const Sums last = angleSums(u, best->axis);
    fit.failed = false;
    fit.passes = best->passes;
    fit.axis = CosinesToDir(best->axis);
    fit.aperture = std::atan2(last.s, last.c);
    return fit;
}

namespace {

// Signed offset along the axis's trend of the point at elevation e in the axis's vertical
// plane, projected as a point (beyond the primitive when it points upward).
double verticalPlaneOffset(double e, const Net& net)
{
    const double radius = NetRadius(std::asin(std::sin(e)), net);
    return std::cos(e) >= 0 ? radius : -radius;
}

double projectedCentre(double aperture, double plunge, const Net& net)
{
    return (verticalPlaneOffset(plunge - aperture, net)
            + verticalPlaneOffset(plunge + aperture, net))
           / 2;
}

} // namespace

int SmallCirclePart(double aperture, double plunge, double trend, const Direction& bestAxis,
                    const Net& net)
{
    if (plunge > aperture)
        return 0;
    const PlaneOffset best = DirToPlane(bestAxis, net);
    const double sign = net.lowerHemisphere ? 1.0 : -1.0;
    const auto distance = [&](double centre) {
        return std::hypot(best.east - sign * centre * std::sin(trend),
                          best.north - sign * centre * std::cos(trend));
    };
    const double own = distance(projectedCentre(aperture, plunge, net));
    const double other = distance(projectedCentre(kPi - aperture, plunge, net));
    return own >= other ? 2 : 1;
}

double Chi2Sum(std::span<const Vec3> u, const Direction& axis, double aperture)
{
    const Vec3 v = DirToVec(axis);
    double sum = 0;
    for (const Vec3& ui : u) {
        const double theta = std::acos(std::min(1.0, std::fabs(Dot(ui, v))));
        sum += (theta - aperture) * (theta - aperture);
    }
    return sum;
}

} // namespace ploq
