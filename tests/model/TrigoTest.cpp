#include "model/Trigo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kToDeg = 1.0 / kDegToRad;

Direction deg(double trend, double plunge) { return {trend * kDegToRad, plunge * kDegToRad}; }

// Angle between two axes (ends do not matter), in degrees.
double axesApart(const Direction& a, const Direction& b)
{
    const Vec3 u = DirToVec(a);
    const Vec3 v = DirToVec(b);
    const Vec3 c = Cross(u, v);
    return std::atan2(std::sqrt(Dot(c, c)), std::fabs(Dot(u, v))) * kToDeg;
}

void expectDirection(const Direction& d, double trendDeg, double plungeDeg, double tol = 1e-6)
{
    EXPECT_NEAR(d.trend * kToDeg, trendDeg, tol);
    EXPECT_NEAR(d.plunge * kToDeg, plungeDeg, tol);
}

TEST(Vectors, VecToDirTakesTheLowerEnd)
{
    expectDirection(VecToDir({1, 0, 0}), 90, 0);
    expectDirection(VecToDir({0, 0, -1}), 0, 90);
    expectDirection(VecToDir({1, 0, 1}), 90, 45);
    expectDirection(VecToDir({0, 1, -1}), 180, 45);
    expectDirection(VecToDir({-1, 0, 0}), 270, 0);
}

TEST(Vectors, DirectionsRoundTripThroughBothFrames)
{
    for (double t = 0; t < 360; t += 17.3)
        for (double p = 0; p < 90; p += 9.7) {
            const Direction d = deg(t, p);
            expectDirection(VecToDir(DirToVec(d)), t, p, 1e-9);
            // A horizontal axis may come back by its other end.
            for (bool lower : {true, false})
                EXPECT_LT(axesApart(CosinesToDir(DirCosines(d, lower)), d), 1e-6);
        }
}

TEST(Vectors, NormalOfTwoPlanesIsTheirIntersection)
{
    // Planes dipping 30 toward 90 and toward 180.
    const Direction a = deg(270, 60);
    const Direction b = deg(0, 60);
    for (const Direction& line : {NormalOf(a, b), NormalOf(b, a)}) {
        EXPECT_NEAR(line.trend * kToDeg, 135, 1e-9);
        EXPECT_NEAR(line.plunge * kToDeg, 22.2, 0.05);
        EXPECT_NEAR(axesApart(line, a), 90, 1e-9);
        EXPECT_NEAR(axesApart(line, b), 90, 1e-9);
    }
    expectDirection(NormalOf(deg(40, 20), deg(40, 20)), 0, 90);
}

TEST(Vectors, AngleBetweenClampsRounding)
{
    EXPECT_NEAR(AngleBetween(deg(10, 20), deg(10, 20)), 0, 1e-7);
    EXPECT_NEAR(AngleBetween(deg(0, 0), deg(90, 0)) * kToDeg, 90, 1e-9);
    // Opposite horizontal directions: the dot product may round just below -1.
    for (double t = 0; t < 180; t += 0.7)
        EXPECT_NEAR(AngleBetween(deg(t, 0), deg(t + 180, 0)), kPi, 1e-7) << t;
}

TEST(Rotation, KnownRotations)
{
    expectDirection(RotateDir(30 * kDegToRad, deg(0, 90), deg(0, 0)), 30, 0);
    expectDirection(RotateDir(30 * kDegToRad, deg(90, 0), deg(0, 90)), 0, 60);
    expectDirection(RotateDir(47 * kDegToRad, deg(123, 34), deg(123, 34)), 123, 34);
}

TEST(Rotation, KeepsAnglesAndUndoes)
{
    const Direction axis = deg(57, 23);
    const double angle = 71 * kDegToRad;
    for (double t = 0; t < 360; t += 29)
        for (double p = 0; p <= 90; p += 15) {
            const Direction d = deg(t, p);
            const Direction turned = RotateDir(angle, axis, d);
            EXPECT_NEAR(axesApart(turned, axis), axesApart(d, axis), 1e-9);
            EXPECT_LT(axesApart(RotateDir(-angle, axis, turned), d), 1e-6);
        }
}

TEST(Projection, KnownPoints)
{
    for (bool wulff : {false, true}) {
        const Net lower{215, 215, 200, true, wulff};
        const Net upper{215, 215, 200, false, wulff};
        EXPECT_EQ(DirToPixel(deg(0, 90), lower), (Point{215, 215}));
        EXPECT_EQ(DirToPixel(deg(90, 0), lower), (Point{415, 215}));
        EXPECT_EQ(DirToPixel(deg(90, 0), upper), (Point{15, 215}));
        EXPECT_EQ(DirToPixel(deg(0, 0), lower), (Point{215, 15}));
        EXPECT_EQ(DirToPixel(deg(0, 0), upper), (Point{215, 415}));
    }
    const Net schmidt{0, 0, 100, true, false};
    EXPECT_NEAR(NetRadius(0, schmidt), 100 * 1.41421 * std::sin(kPi / 4), 1e-12);
    EXPECT_NEAR(NetRadius(0, schmidt), 99.9998, 1e-4);
    EXPECT_NEAR(PixelToDir(100, 0, schmidt).plunge * kToDeg, 0, 0.001);
    EXPECT_NEAR(PixelToDir(0, 0, schmidt).plunge * kToDeg, 90, 1e-12);
    // 45 degrees of plunge: equal angle R tan(22.5), equal area R sqrt2 sin(22.5).
    EXPECT_NEAR(NetRadius(45 * kDegToRad, {0, 0, 100, true, true}), 41.421, 1e-3);
    EXPECT_NEAR(NetRadius(45 * kDegToRad, schmidt), 54.119, 1e-3);
}

TEST(Projection, InverseOverBothNetsAndHemispheres)
{
    for (bool wulff : {false, true})
        for (bool lower : {false, true}) {
            const Net net{300, 300, 250, lower, wulff};
            for (double t = 0; t < 360; t += 7.7)
                for (double p = 0; p <= 90; p += 4.3) {
                    const PlaneOffset o = DirToPlane(deg(t, p), net);
                    const Direction back = PlaneToDir(o.north, o.east, net);
                    ASSERT_LT(axesApart(back, deg(t, p)), 0.001) << t << "/" << p;
                    const Point pixel = DirToPixel(deg(t, p), net);
                    const PlaneOffset again = DirToPlane(
                        PixelToDir(pixel.x - net.xc, net.yc - pixel.y, net), net);
                    ASSERT_LE(std::hypot(again.east - o.east, again.north - o.north), 1.0);
                }
        }
}

TEST(Projection, PointsBeyondThePrimitiveCircleAreTakenOnIt)
{
    for (bool wulff : {false, true}) {
        const Net net{0, 0, 100, true, wulff};
        for (int far : {101, 150, 142, 1000}) {
            const Direction d = PixelToDir(far, far, net);
            EXPECT_TRUE(std::isfinite(d.plunge)) << far;
            EXPECT_NEAR(d.plunge * kToDeg, 0, 0.001) << far;
            EXPECT_NEAR(d.trend * kToDeg, 45, 1e-9);
        }
    }
}

TEST(MeanVector, SumsPresentShownValues)
{
    std::vector<InfoVal> values(4);
    const Direction dirs[] = {deg(0, 90), deg(10, 80), deg(200, 85), deg(90, 0)};
    for (std::size_t i = 0; i < 4; ++i) {
        values[i].azi = dirs[i].trend;
        values[i].pen = dirs[i].plunge;
        values[i].inf = 1;
    }
    values[3].inf = 0; // not present
    const MeanResult all = MeanVector(values);
    EXPECT_GT(all.R, 2.9);
    EXPECT_LT(all.R, 3.0);
    EXPECT_NEAR(std::hypot(all.mean.x, all.mean.y, all.mean.z), 1.0, 1e-12);
    const MeanResult none = MeanVector(values, [](const InfoVal&) { return false; });
    EXPECT_EQ(none.R, 0);
}

TEST(Pitch, DipAndStrikeLines)
{
    const double strike = 30 * kDegToRad;
    const double dip = 40 * kDegToRad;
    expectDirection(PitchToLine(kPi / 2, dip, strike), 120, 40);
    expectDirection(PitchToLine(0, dip, strike), 30, 0);
    expectDirection(PitchLetterToLine('N', kPi / 2, dip, strike), 120, 40);
    expectDirection(PitchLetterToLine('N', 0, dip, strike), 30, 0);
    expectDirection(PitchLetterToLine('S', 0, dip, strike), 210, 0);
}

// A line of a plane, described by its pitch and the strike end it is measured from, is the
// same line again.
TEST(Pitch, PitchOfLineInvertsPitchLetterToLine)
{
    for (double s = 0; s < 360; s += 23)
        for (double d = 5; d <= 90; d += 17)
            for (double q = 0; q <= 180; q += 11) {
                const double strike = s * kDegToRad;
                const double dip = d * kDegToRad;
                const Direction line = PitchToLine(q * kDegToRad, dip, strike);
                ASSERT_NEAR(axesApart(line, {strike - kPi / 2, kPi / 2 - dip}), 90, 1e-6) << "in the plane";
                const Pitch pitch = PitchOfLine(line, NormalizeTrend(strike - kPi / 2));
                ASSERT_LE(pitch.pitch, kPi / 2 + 1e-12);
                const Direction back = PitchLetterToLine(pitch.letter, pitch.pitch, dip, strike);
                ASSERT_LT(axesApart(back, line), 1e-6) << s << " " << d << " " << q;
            }
}

TEST(Pitch, AngleToStrike)
{
    EXPECT_NEAR(AngleToStrike(deg(30, 0), deg(300, 50).trend), 0, 1e-7);
    EXPECT_NEAR(AngleToStrike(deg(210, 0), deg(300, 50).trend), kPi, 1e-7);
    EXPECT_NEAR(AngleToStrike(deg(120, 40), deg(300, 50).trend) * kToDeg, 90, 1e-9);
}

TEST(ApparentDip, InAVerticalSection)
{
    const Direction pole = deg(270, 60); // dip 30 toward 90
    expectDirection(ApparentDip(90 * kDegToRad, pole), 90, 30);
    expectDirection(ApparentDip(270 * kDegToRad, pole), 90, 30);
    EXPECT_NEAR(ApparentDip(0, pole).plunge, 0, 1e-12);
    const Direction oblique = ApparentDip(45 * kDegToRad, pole);
    expectDirection(oblique, 45, std::atan(std::tan(30 * kDegToRad) * std::cos(kPi / 4)) * kToDeg);
}

TEST(LineOfPlunge, TwoLinesAndTheLetterChoice)
{
    const double strike = 0;
    const double dip = 30 * kDegToRad;
    const PlungeLines north = LineOfPlunge('N', 20 * kDegToRad, dip, strike);
    EXPECT_NEAR(north.trend2 * kToDeg, std::asin(std::tan(20 * kDegToRad) / std::tan(dip)) * kToDeg, 1e-9);
    EXPECT_NEAR(north.trend1 * kToDeg, 180 - north.trend2 * kToDeg, 1e-9);
    EXPECT_EQ(north.choice, 2);
    EXPECT_EQ(LineOfPlunge('s', 20 * kDegToRad, dip, strike).choice, 1);
    EXPECT_EQ(LineOfPlunge('?', 20 * kDegToRad, dip, strike, 7).choice, 7);
    for (double t : {north.trend1, north.trend2})
        EXPECT_NEAR(axesApart({t, north.plunge}, deg(270, 60)), 90, 1e-9) << "lies in the plane";

    const PlungeLines steep = LineOfPlunge('E', 50 * kDegToRad, dip, strike);
    EXPECT_EQ(steep.choice, 0);
    EXPECT_NEAR(steep.trend1 * kToDeg, 90, 1e-9);
    EXPECT_NEAR(steep.plunge, dip, 1e-12);
    // Nearer around the compass: with strike 340 and dip 55, plunge 45 gives lines toward 115.6
    // and 24.4; the second is nearer both the west and the north.
    const double strike340 = 340 * kDegToRad;
    const PlungeLines west = LineOfPlunge('W', 45 * kDegToRad, 55 * kDegToRad, strike340);
    EXPECT_NEAR(west.trend2 * kToDeg, 24.4, 0.05);
    EXPECT_EQ(west.choice, 2);
    EXPECT_EQ(LineOfPlunge('N', 45 * kDegToRad, 55 * kDegToRad, strike340).choice, 2);
    EXPECT_EQ(LineOfPlunge('E', 45 * kDegToRad, 55 * kDegToRad, strike340).choice, 1);
    const PlungeLines flat = LineOfPlunge('E', 0, dip, strike);
    EXPECT_EQ(flat.choice, 0);
    EXPECT_EQ(flat.trend1, strike);
}

} // namespace
} // namespace ploq
