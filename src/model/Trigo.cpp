#include "model/Trigo.h"

#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;
constexpr double kHalfPi = kPi / 2;
constexpr double kSqrt2 = 1.41421; // as the equal-area nets have always used
constexpr double kTolerance = 0.0001;

double clampedAcos(double cosine) { return std::acos(std::clamp(cosine, -1.0, 1.0)); }

void rotatePair(double& u, double& w, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double u2 = u * c - w * s;
    w = u * s + w * c;
    u = u2;
}

double reduceOnce(double trend) { return trend > kTwoPi ? trend - kTwoPi : trend; }

} // namespace

Net Net::FromStyle(int xc, int yc, int radius, std::int32_t styleCnvs)
{
    return {xc, yc, radius, TestBit(styleCnvs, kStyleLowerHemisphere),
            TestBit(styleCnvs, kStyleWulff)};
}

double NormalizeTrend(double trend)
{
    if (!std::isfinite(trend))
        return 0;
    double t = std::fmod(trend, kTwoPi);
    if (t < 0)
        t += kTwoPi;
    return t >= kTwoPi ? 0 : t;
}

Vec3 DirToVec(const Direction& d)
{
    return {std::sin(d.trend) * std::cos(d.plunge), std::cos(d.trend) * std::cos(d.plunge),
            std::sin(d.plunge)};
}

Direction VecToDir(const Vec3& v)
{
    if (v.x == 0 && v.y == 0)
        return {0, kHalfPi};
    double trend = std::atan2(v.x, v.y);
    double plunge = std::atan(v.z / std::hypot(v.x, v.y));
    if (plunge < 0) {
        trend += kPi;
        plunge = -plunge;
    }
    return {NormalizeTrend(trend), plunge};
}

Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Direction NormalOf(const Direction& first, const Direction& second)
{
    return VecToDir(Cross(DirToVec(second), DirToVec(first)));
}

Vec3 DirCosines(const Direction& d, bool lowerHemisphere)
{
    const Vec3 up{-std::sin(d.trend) * std::cos(d.plunge), -std::cos(d.trend) * std::cos(d.plunge),
                  std::sin(d.plunge)};
    return lowerHemisphere ? up : Vec3{-up.x, -up.y, -up.z};
}

Direction CosinesToDir(const Vec3& h) { return VecToDir({h.x, h.y, -h.z}); }

double AngleBetween(const Direction& a, const Direction& b)
{
    return clampedAcos(Dot(DirCosines(a), DirCosines(b)));
}

double NetRadius(double plunge, const Net& net)
{
    const double half = kPi / 4 - plunge / 2;
    return net.equalAngle ? net.radius * std::tan(half) : net.radius * kSqrt2 * std::sin(half);
}

PlaneOffset DirToPlane(const Direction& d, const Net& net)
{
    const double r = NetRadius(d.plunge, net);
    const double sign = net.lowerHemisphere ? 1.0 : -1.0;
    return {sign * r * std::sin(d.trend), sign * r * std::cos(d.trend)};
}

Point DirToPixel(const Direction& d, const Net& net)
{
    const PlaneOffset o = DirToPlane(d, net);
    return {RoundHalfEven(net.xc + o.east), RoundHalfEven(net.yc - o.north)};
}

Direction PlaneToDir(double north, double east, const Net& net)
{
    double trend = north == 0 ? kHalfPi : std::atan(east / north);
    if (east < 0)
        trend += north > 0 ? kTwoPi : kPi;
    else if (north < 0)
        trend += kPi;
    if (!net.lowerHemisphere)
        trend += kPi;
    trend = reduceOnce(trend);

    const double rho = net.radius > 0 ? std::min(1.0, std::hypot(east, north) / net.radius) : 0.0;
    const double plunge = net.equalAngle ? kHalfPi - 2 * std::atan(rho)
                                         : kHalfPi - 2 * std::asin(rho * kSqrt2 / 2);
    return {trend, std::max(0.0, plunge)};
}

Direction PixelToDir(int east, int north, const Net& net)
{
    return PlaneToDir(static_cast<double>(north), static_cast<double>(east), net);
}

MeanResult MeanVector(std::span<const InfoVal> values,
                      const std::function<bool(const InfoVal&)>& shown)
{
    Vec3 sum;
    for (const InfoVal& v : values) {
        if (!TestBit(v.inf, kInfPresent) || (shown && !shown(v)))
            continue;
        const Vec3 u = DirToVec({v.azi, v.pen});
        sum = {sum.x + u.x, sum.y + u.y, sum.z + u.z};
    }
    MeanResult result;
    result.R = std::sqrt(Dot(sum, sum));
    if (result.R > 0)
        result.mean = {sum.x / result.R, sum.y / result.R, sum.z / result.R};
    return result;
}

Vec3 RotateVec(double angle, const Direction& axis, const Vec3& h)
{
    Vec3 v = h;
    rotatePair(v.x, v.y, axis.trend - kHalfPi);
    rotatePair(v.x, v.z, axis.plunge - kHalfPi);
    rotatePair(v.x, v.y, -angle);
    rotatePair(v.x, v.z, kHalfPi - axis.plunge);
    rotatePair(v.x, v.y, kHalfPi - axis.trend);
    return v;
}

// The downward vector of the line is turned, so that a horizontal line comes back by the end
// that was turned (trend 0 turned 30 degrees about the vertical is trend 30, not 210).
Direction RotateDir(double angle, const Direction& axis, const Direction& d)
{
    return CosinesToDir(RotateVec(angle, axis, DirCosines(d, false)));
}

namespace {

double pitchPlunge(double pitch, double dip)
{
    const double sq = std::sin(pitch);
    const double cq = std::cos(pitch);
    return std::atan(sq * std::sin(dip) / std::hypot(sq * std::cos(dip), cq));
}

} // namespace

Direction PitchToLine(double pitch, double dip, double strike)
{
    if (std::fabs(pitch - kHalfPi) < kTolerance)
        return {NormalizeTrend(strike + kHalfPi), dip};
    double trend = strike + std::atan(std::cos(dip) * std::tan(pitch));
    if (pitch > kHalfPi)
        trend -= kPi;
    return {NormalizeTrend(trend), pitchPlunge(pitch, dip)};
}

Direction PitchLetterToLine(char letter, double pitch, double dip, double strike)
{
    if (std::fabs(pitch - kHalfPi) < kTolerance)
        return {NormalizeTrend(strike + kHalfPi), dip};
    const double w = std::atan(std::cos(dip) * std::tan(pitch));
    const double s = reduceOnce(strike);
    const char upper = UpperAscii(std::string(1, letter))[0];
    const auto names = [upper](char a, char b) { return upper == a || upper == b; };
    bool atStrike = false;
    if (s < kHalfPi)
        atStrike = names('E', 'N');
    else if (s < kPi)
        atStrike = names('E', 'S');
    else if (s < 3 * kHalfPi)
        atStrike = names('S', 'W');
    else
        atStrike = names('N', 'W');
    const double trend = atStrike ? s + w : s + kPi - w;
    return {NormalizeTrend(trend), pitchPlunge(pitch, dip)};
}

Pitch PitchOfLine(const Direction& line, double poleTrend)
{
    const double strike = reduceOnce(poleTrend + kHalfPi);
    const double g = clampedAcos(Dot(DirCosines({strike, 0}), DirCosines(line)));
    Pitch result;
    result.pitch = g <= kHalfPi ? g : g - kPi;
    if (strike < kPi / 4)
        result.letter = 'N';
    else if (strike < 3 * kPi / 4)
        result.letter = 'E';
    else if (strike < 5 * kPi / 4)
        result.letter = 'S';
    else if (strike < 7 * kPi / 4)
        result.letter = 'W';
    else
        result.letter = 'N';
    if (result.pitch < 0) {
        static constexpr std::string_view letters = "NESW";
        result.pitch = -result.pitch;
        result.letter = letters[(letters.find(result.letter) + 2) % 4];
    }
    return result;
}

double AngleToStrike(const Direction& line, double poleTrend)
{
    const double strike = reduceOnce(poleTrend + kHalfPi);
    return clampedAcos(Dot(DirCosines({strike, 0}), DirCosines(line)));
}

Direction ApparentDip(double sectionTrend, const Direction& pole)
{
    double trend = sectionTrend > kPi ? sectionTrend - kPi : sectionTrend;
    double plunge =
        std::atan(std::sin(trend - (pole.trend + kHalfPi)) * std::tan(kHalfPi - pole.plunge));
    if (plunge < 0) {
        plunge = -plunge;
        trend += kPi;
    }
    return {NormalizeTrend(trend), plunge};
}

PlungeLines LineOfPlunge(char letter, double plunge, double dip, double strike, int previousChoice)
{
    PlungeLines lines;
    const double g = std::min(plunge, dip);
    const auto reduce = [](double t) { return t >= kTwoPi ? t - kTwoPi : t; };
    if (std::fabs(g - dip) < kTolerance) {
        lines.trend1 = lines.trend2 = reduce(strike + kHalfPi);
        lines.plunge = g;
        return lines;
    }
    if (g < kTolerance) {
        lines.trend1 = lines.trend2 = strike;
        return lines;
    }
    const double f = std::asin(std::tan(g) / std::tan(dip));
    lines.trend1 = reduce(strike - f + kPi);
    lines.trend2 = reduce(strike + f);
    lines.plunge = g;
    lines.choice = previousChoice;
    const char upper = UpperAscii(std::string(1, letter))[0];
    // Nearer around the compass: a line at 20 degrees is nearer the west than one at 110.
    const auto apart = [](double trend, double target) {
        return std::fabs(std::remainder(trend - target, kTwoPi));
    };
    const auto nearer = [&lines, &apart](double target) {
        return apart(lines.trend1, target) > apart(lines.trend2, target) ? 2 : 1;
    };
    switch (upper) {
    case 'N': lines.choice = nearer(0); break;
    case 'E': lines.choice = nearer(kHalfPi); break;
    case 'S': lines.choice = nearer(kPi); break;
    case 'W': lines.choice = nearer(3 * kHalfPi); break;
    default: break;
    }
    return lines;
}

} // namespace ploq
