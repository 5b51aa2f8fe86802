// The best-circle distribution analysis: its window as a table, the weights of its orientation
// matrix, the fast chi2 grid against the literal loop and against a brute force written here,
// the panel lines, and the diagram and marks on a recording surface.

#include "stats3d/CircleAnalysis.h"

#include "canvas/Plot.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "platform/RecordingSurface.h"
#include "stats3d/CircleReports.h"
#include "stats3d/Circles.h"
#include "stats3d/Stats3DDiagrams.h"
#include "support/Draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

// n directions round a cone, each moved off it a little (deterministic draws).
std::vector<Vec3> NoisyCone(double trend, double plunge, double aperture, int n,
                            double spreadDeg = 3, std::uint32_t seed = 5)
{
    test::Draws draws(seed);
    std::vector<Vec3> u;
    for (int i = 0; i < n; ++i) {
        const double off = Rad(aperture + draws.normal(0, spreadDeg));
        const Direction d = test::Deviated({Rad(trend), Rad(plunge)}, off, 2 * kPi * i / n);
        u.push_back(DirToVec(d));
    }
    return u;
}

TEST(AnalysisWindow, TrendsPlungesAndAperturesAboutTheFit)
{
    struct Row {
        double trend, plunge, aperture;                 // of the fit, degrees
        double firstTrend, first, last;                 // F and H
        int plunges;
        double firstAperture;
        int apertures;
    };
    const Row rows[] = {
        {10, 40, 50, -10, 20, 60, 41, 20, 70},
        {200, 5.3, 12.4, 180, 0.3, 25.3, 26, 0.4, 90},   // F keeps the fraction
        {0, 85.3, 45.5, -20, 65.3, 89.3, 25, 15.5, 75},  // H is 89 and the fraction
        {90, 20, 30.25, 70, 0, 40, 41, 0.25, 90},
        {300, 60, 89.6, 280, 40, 80, 41, 59.6, 31},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.plunge);
        const AnalysisWindow w = AnalysisWindowAbout({Rad(r.trend), Rad(r.plunge)}, Rad(r.aperture));
        EXPECT_NEAR(w.firstTrend, r.firstTrend, 1e-9);
        EXPECT_NEAR(w.trend(40), r.firstTrend + 40, 1e-9);
        EXPECT_NEAR(w.firstPlunge, r.first, 1e-9);
        EXPECT_NEAR(w.lastPlunge, r.last, 1e-9);
        EXPECT_EQ(w.plunges, r.plunges);
        EXPECT_NEAR(w.firstAperture, r.firstAperture, 1e-9);
        EXPECT_EQ(w.apertures, r.apertures);
        EXPECT_LT(w.aperture(w.apertures - 1), 90);
        EXPECT_GE(w.aperture(w.apertures - 1), 89);
    }
}

TEST(AnalysisWindow, WeightOfTheOrientationMatrix)
{
    const std::pair<int, int> rows[] = {{1, 40}, {3, 13}, {10, 4}, {20, 2}, {21, 1}, {25, 1}};
    for (const auto& [n, weight] : rows)
        EXPECT_EQ(AnalysisMatrixWeight(n), weight) << n;
}

// A uniform weight scales the matrix, not its eigenvectors: the pole is that of the plain
// matrix, and its sum is written here from the angles.
TEST(CircleAnalysis, MatrixPoleIsTheBestGreatCirclePole)
{
    for (const int n : {10, 25}) {
        const std::vector<Vec3> u = NoisyCone(120, 20, 80, n, 4, 11);
        const Direction pole = WeightedGreatCirclePole(u);
        EXPECT_LT(AngleBetween(pole, BestGreatCircleOf(u).pole), 1e-6) << n;
        const std::optional<CircleAnalysisData> d = AnalyseBestCircles(u, true);
        ASSERT_TRUE(d);
        double sum = 0;
        for (const Vec3& v : u) {
            const double theta = std::acos(std::min(1.0, std::fabs(Dot(v, DirToVec(pole)))));
            sum += (theta - kPi / 2) * (theta - kPi / 2);
        }
        EXPECT_NEAR(d->matrixChi2, sum, 1e-12 * sum) << n;
    }
}

void ExpectRelative(double fast, double literal, const char* what)
{
    EXPECT_LE(std::fabs(fast - literal), 1e-9 * std::max(std::fabs(literal), 1e-300)) << what;
}

// The sums from the mean and spread of the angles agree with the literal loop over every
// axis and aperture of the window.
TEST(CircleAnalysis, FastSumsAgreeWithTheLiteralLoop)
{
    const std::vector<Vec3> u = NoisyCone(75, 35, 40, 25);
    const SmallCircleFit fit = FitSmallCircle(u);
    ASSERT_FALSE(fit.failed);
    const AnalysisWindow w = AnalysisWindowAbout(fit.axis, fit.aperture);
    const UnitVectors vectors(u);
    std::vector<double> theta;
    for (int k = 0; k < kAnalysisTrends; k += 4)
        for (int c = 0; c < w.plunges; c += 3) {
            const Direction axis{Rad(w.trend(k)), Rad(w.plunge(c))};
            const AxisChi2 fast = AxisChi2Fast(vectors, axis, w, theta);
            const AxisChi2 literal = AxisChi2Literal(u, axis, w);
            ExpectRelative(fast.smallest, literal.smallest, "smallest");
            ExpectRelative(fast.great, literal.great, "great");
            EXPECT_EQ(fast.aperture, literal.aperture);
        }
}

// Rounding can take |u.v| past 1 for a direction on the trial axis: no NaN.
TEST(CircleAnalysis, DirectionOnTheTrialAxisGivesNoNan)
{
    const Direction axis{Rad(30), Rad(50)};
    Vec3 on = DirToVec(axis);
    on = {on.x * (1 + 4e-16), on.y * (1 + 4e-16), on.z * (1 + 4e-16)};
    ASSERT_GT(std::fabs(Dot(on, DirToVec(axis))), 1.0);
    const std::vector<Vec3> u = {on, DirToVec({Rad(100), Rad(20)}), DirToVec({Rad(200), Rad(10)})};
    const AnalysisWindow w = AnalysisWindowAbout(axis, Rad(40));
    std::vector<double> theta;
    const AxisChi2 fast = AxisChi2Fast(UnitVectors(u), axis, w, theta);
    const AxisChi2 literal = AxisChi2Literal(u, axis, w);
    for (const double v : {fast.smallest, fast.great, literal.smallest, literal.great})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(theta[0], 0.0);
}

// The whole grid against a brute force written here: every trial axis, every trial
// aperture, every direction, with the window's own arithmetic.
TEST(CircleAnalysis, GridExtremesAreThoseOfABruteForce)
{
    const std::vector<Vec3> u = NoisyCone(250, 55, 25, 12, 4, 3);
    const std::optional<CircleAnalysisData> d = AnalyseBestCircles(u, true);
    ASSERT_TRUE(d);
    const double axisTrend = d->fitAxis.trend / kDegToRad;
    const double axisPlunge = d->fitAxis.plunge / kDegToRad;
    double first = axisPlunge - 20;
    if (first < 0)
        first -= std::floor(first);
    double last = axisPlunge + 20;
    if (last > 90)
        last = 89 + last - std::floor(last);
    double a0 = d->fitAperture / kDegToRad - 30;
    while (a0 < 0)
        a0 += 1;
    const int plunges = static_cast<int>(std::nearbyint(last - first)) + 1;
    ASSERT_EQ(d->plunges, plunges);
    ASSERT_EQ(d->trends, 41);
    double lowest = 1e300, highest = -1, bestGreat = 1e300, bestAperture = 0;
    Direction bestAxis, greatAxis;
    for (int k = 0; k <= 40; ++k)
        for (int c = 0; c < plunges; ++c) {
            const Direction axis{Rad(axisTrend - 20 + k), Rad(first + c)};
            const Vec3 v = DirToVec(axis);
            double smallest = 1e300, aperture = 0;
            for (double rho = a0; rho < 90; rho += 1) {
                double sum = 0;
                for (const Vec3& ui : u) {
                    const double t = std::acos(std::min(1.0, std::fabs(Dot(ui, v))));
                    sum += (t - Rad(rho)) * (t - Rad(rho));
                }
                if (sum < smallest)
                    smallest = sum, aperture = Rad(rho);
            }
            double great = 0;
            for (const Vec3& ui : u) {
                const double t = std::acos(std::min(1.0, std::fabs(Dot(ui, v))));
                great += (t - kPi / 2) * (t - kPi / 2);
            }
            ExpectRelative(d->at(k, c), smallest, "cell");
            if (smallest < lowest)
                lowest = smallest, bestAxis = axis, bestAperture = aperture;
            highest = std::max(highest, smallest);
            if (great < bestGreat)
                bestGreat = great, greatAxis = axis;
        }
    ExpectRelative(d->minimum, lowest, "minimum");
    ExpectRelative(d->maximum, highest, "maximum");
    ExpectRelative(d->greatChi2, bestGreat, "great circle");
    EXPECT_LT(AngleBetween(d->bestAxis, bestAxis), 1e-6);
    EXPECT_NEAR(d->bestAperture, bestAperture, 1e-12);
    EXPECT_LT(AngleBetween(d->greatAxis, greatAxis), 1e-6);
    // The cone the points were drawn about is near the best grid circle.
    EXPECT_LT(AngleBetween(d->bestAxis, {Rad(250), Rad(55)}), Rad(3));
    EXPECT_NEAR(d->bestAperture / kDegToRad, 25, 3);
}

TEST(CircleAnalysis, ProgressOncePerTrendAndFailureGivesNothing)
{
    int steps = 0;
    EXPECT_TRUE(AnalyseBestCircles(NoisyCone(10, 40, 30, 20), true, [&steps] { ++steps; }));
    EXPECT_EQ(steps, kAnalysisTrends);
    steps = 0;
    const Vec3 a = DirToVec({Rad(10), Rad(40)});
    const Vec3 b = DirToVec({Rad(100), Rad(20)});
    EXPECT_FALSE(AnalyseBestCircles(std::vector<Vec3>{a, b, a, b}, true, [&steps] { ++steps; }));
    EXPECT_EQ(steps, 0);
}

// The range line of an analysis about an axis trending 10 degrees starts from 350.
TEST(CircleAnalysis, RangeLineOfAnAxisTrending10)
{
    std::vector<Vec3> u;
    for (int i = 0; i < 24; ++i)
        u.push_back(DirToVec(test::Deviated({Rad(10), Rad(60)}, Rad(30), 2 * kPi * i / 24)));
    const std::optional<CircleAnalysisData> d = AnalyseBestCircles(u, true);
    ASSERT_TRUE(d);
    const std::vector<InfoLine> lines = CircleAnalysisReport(*d, {1, 1}, 0);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[4].text, "Analysis range : Az 350.0/30.0\xB0, Pe 40.0/80.0\xB0, step 1\xB0 (1600 pts)");
}

TEST(CircleAnalysis, PanelLinesDivideTheSumsByN)
{
    CircleAnalysisData d;
    d.n = 4;
    d.minimum = 0;
    d.maximum = 12.8;
    d.bestAxis = {Rad(62), Rad(14)};
    d.bestAperture = Rad(33.3);
    d.greatChi2 = 2;
    d.greatAxis = {Rad(64), Rad(15)};
    d.matrixChi2 = 2.2;
    d.matrixPole = {Rad(60), Rad(12)};
    d.firstTrend = Rad(42);
    d.firstPlunge = Rad(0.3);
    d.lastPlunge = Rad(34.3);
    const DayCount at = toDayCount({2026, 12, 9, 14, 5, 0});
    std::vector<std::string> texts;
    for (const InfoLine& line : CircleAnalysisReport(d, {1, 1}, at))
        texts.push_back(line.text);
    const std::vector<std::string> expected = {
        "14:05 - Best small/great circle analysis",
        "Best small circle, ki2 : 0.0000 (center 14.0 / 62.0, aperture 33.3\xB0)",
        "Best SC of aperture 90\xB0 (best GC) : ki2 = 0.5000 (center : 15.0 / 64.0)",
        "Best GC (orientations matrix) : ki2 = 0.5500 (center : 12.0 / 60.0)",
        "Analysis range : Az 42.0/82.0\xB0, Pe 0.3/34.3\xB0, step 1\xB0 (1600 pts)",
        "ki2 values,starting from center (white zone):",
        "   < 0.025 ",
        "   0.025 to 0.100",
        "   0.100 to 0.200",
        "   0.200 to 0.400",
        "   0.400 to 0.800",
        "   0.800 to 1.600",
        "   1.600 to 2.400"};
    EXPECT_EQ(texts, expected);
    EXPECT_TRUE(CircleAnalysisReport(d, {1, 1}, at)[0].bold);
    const std::vector<double> levels = Chi2Levels(d);
    const std::vector<double> expectedLevels = {0.05, 0.4, 0.8, 1.6, 3.2, 6.4, 9.6};
    ASSERT_EQ(levels.size(), expectedLevels.size());
    for (std::size_t i = 0; i < levels.size(); ++i)
        EXPECT_NEAR(levels[i], expectedLevels[i], 1e-12) << i;
}

// The diagram on a recording surface.
struct Chi2DiagramDrawn : ::testing::Test {
    Chi2DiagramDrawn() : canvas(kWPStats3D, settings)
    {
        canvas.SetRayon(200, images);
        std::optional<CircleAnalysisData> d = AnalyseBestCircles(NoisyCone(140, 50, 35, 30), true);
        EXPECT_TRUE(d);
        KeepCircleAnalysis(canvas, *d);
        RegisterStats3DDisplay(painters);
    }
    const std::vector<Primitive>& draw()
    {
        RecordingSurface& s = recording();
        s.clear();
        DrawContext ctx = ScreenContext(canvas, settings);
        Redessiner(canvas, ctx, painters);
        return s.primitives();
    }
    RecordingSurface& recording()
    {
        return dynamic_cast<RecordingImage&>(*canvas.image()).recording();
    }
    std::set<std::string> texts()
    {
        std::set<std::string> out;
        for (const Primitive& p : draw())
            if (p.shape == Shape::Text)
                out.insert(p.text);
        return out;
    }

    VarGlob settings;
    RecordingImageFactory images;
    CanvasModel canvas;
    CanvasPainters painters;
};

TEST_F(Chi2DiagramDrawn, TableOfDiagramsByNumber)
{
    EXPECT_NE(Stats3DDiagramOf(kDiagramChi2), nullptr);
    EXPECT_EQ(Stats3DDiagramOf(37), nullptr);
    EXPECT_FALSE(draw().empty());
    canvas.i1 = 37;
    EXPECT_TRUE(draw().empty()) << "an unknown diagram number draws nothing";
}

TEST_F(Chi2DiagramDrawn, AxesTitlesAndLabelsEveryTenDegrees)
{
    const std::set<std::string> t = texts();
    EXPECT_TRUE(t.count("Az"));
    EXPECT_TRUE(t.count("Pe"));
    // Trends 120 - 2 .. 160 + 2 widened to multiples of 5: labels 120 to 160.
    const CircleAnalysisData& d = *canvas.lKi;
    const int from = static_cast<int>(std::floor((std::nearbyint(d.firstTrend / kDegToRad) - 2) / 5) * 5);
    const int to = static_cast<int>(std::ceil((std::nearbyint(d.firstTrend / kDegToRad + 40) + 2) / 5) * 5);
    int labels = 0;
    for (int trend = from; trend <= to; ++trend)
        if (trend % 10 == 0) {
            EXPECT_TRUE(t.count(std::to_string(((trend % 360) + 360) % 360))) << trend;
            ++labels;
        }
    EXPECT_GE(labels, 4);
    EXPECT_FALSE(t.count("125")) << "ticks every 5 degrees, labels every 10";
    const std::string best = FormatFixed(NormalizeTrend(d.bestAxis.trend) / kDegToRad, 1) + "/"
                             + FormatFixed(d.bestAxis.plunge / kDegToRad, 1);
    EXPECT_TRUE(t.count(best)) << best;
}

// Seven levels, each in its standard contour colour; nothing filled in another colour.
TEST_F(Chi2DiagramDrawn, SevenLevelsInTheStandardContourColours)
{
    std::set<TColor> fills;
    for (const Primitive& p : draw())
        if ((p.shape == Shape::Polygon || p.shape == Shape::FillRect)
            && p.brush.style == BrushStyle::Solid)
            fills.insert(p.brush.colour);
    std::set<TColor> expected;
    for (int i = 1; i <= 7; ++i)
        expected.insert(settings.TcoCont[static_cast<std::size_t>(i)]);
    std::set<TColor> symbolFills = fills;
    for (const TColor c : expected)
        symbolFills.erase(c);
    for (const TColor c : expected)
        EXPECT_TRUE(fills.count(c)) << c;
    EXPECT_LE(symbolFills.size(), 1u) << "only the markers' own colour besides the levels";
}

// Symbol 10 marks the best great circle by chi2 only when it is more than 5 degrees away
// from the orientation matrix's pole.
TEST_F(Chi2DiagramDrawn, SecondGreatCircleMarkerOnlyWhenItDiffers)
{
    RecordingSurface one;
    DrawContext ctx{one, canvas.net(), 0, 0, settings};
    DessinerSymbole(ctx, 10, 0, 50, 50);
    const std::size_t symbol = one.primitives().size();
    ASSERT_GT(symbol, 0u);
    CircleAnalysisData& d = *canvas.lKi;
    d.greatAxis = d.matrixPole;
    const std::size_t same = draw().size();
    d.greatAxis = {d.matrixPole.trend + Rad(4), d.matrixPole.plunge + Rad(4)};
    EXPECT_EQ(draw().size(), same) << "4 degrees off: one marker";
    d.greatAxis = {d.matrixPole.trend + Rad(6), d.matrixPole.plunge};
    EXPECT_EQ(draw().size(), same + symbol) << "6 degrees in trend: a second marker";
    d.greatAxis = {d.matrixPole.trend, d.matrixPole.plunge - Rad(6)};
    EXPECT_EQ(draw().size(), same + symbol) << "6 degrees in plunge";
}

// What the analysis leaves on the measurements' canvas: two symbols, the cone of the best
// aperture (both parts when it leaves the hemisphere) and the matrix's great circle.
TEST(CircleAnalysisMarks, SymbolsConeAndGreatCircle)
{
    VarGlob settings;
    const std::optional<CircleAnalysisData> d = AnalyseBestCircles(NoisyCone(140, 50, 35, 30), true);
    ASSERT_TRUE(d);
    const Net net{200, 200, 180, true, false};
    RecordingSurface marks, expected;
    DrawCircleAnalysisMarks({marks, net, 0, 0, settings}, *d);
    DrawContext e{expected, net, 0, 0, settings};
    DessinerSymbole(e, 9, 0, DirToPixel(d->bestAxis, net).x, DirToPixel(d->bestAxis, net).y);
    const Point pole = DirToPixel(d->matrixPole, net);
    DessinerSymbole(e, 10, 15, pole.x, pole.y);
    const std::size_t symbols = expected.primitives().size();
    ASSERT_GE(marks.primitives().size(), symbols + 2);
    for (std::size_t i = 0; i < symbols; ++i)
        EXPECT_EQ(marks.primitives()[i].points, expected.primitives()[i].points) << i;
    // The traces that follow reach the net's primitive on the great circle's ends.
    int onRim = 0;
    for (std::size_t i = symbols; i < marks.primitives().size(); ++i)
        for (const Point& p : marks.primitives()[i].points)
            onRim += std::abs(std::hypot(p.x - 200.0, p.y - 200.0) - 180) < 2;
    EXPECT_GE(onRim, 2);
}

TEST(CircleMarks, GreatCircleDashedInTheGridColourWithPoleAndCones)
{
    VarGlob settings;
    settings.GridCol = 13;
    const Net net{200, 200, 180, true, false};
    const std::vector<Vec3> u = NoisyCone(60, 10, 88, 40, 3, 2);
    BestGreatCircleResult r = BestGreatCircleOf(u);
    ASSERT_TRUE(ConeUsable(r.cones.cone95));
    const auto count = [&](const BestGreatCircleResult& result) {
        RecordingSurface s;
        DrawGreatCircleMarks({s, net, 0, 0, settings}, result);
        std::size_t dashed = 0, symbol = 0, other = 0;
        for (const Primitive& p : s.primitives()) {
            if (p.pen.style == PenStyle::Dash && p.pen.colour == settings.Tco[13])
                ++dashed;
            else if (p.pen.style == PenStyle::Solid)
                ++symbol;
            else
                ++other;
        }
        EXPECT_EQ(other, 0u);
        EXPECT_GT(symbol, 0u);
        EXPECT_EQ(s.pen(), Pen{}) << "the pen ends solid";
        return dashed;
    };
    const std::size_t withCones = count(r);
    r.cones = {kPi / 2, kPi / 2};
    const std::size_t traceOnly = count(r);
    EXPECT_GT(traceOnly, 0u) << "the trace";
    EXPECT_GT(withCones, traceOnly) << "and the cones";
}

TEST(CircleMarks, SmallCircleInsideTheNetDrawnGreyAtOnce)
{
    VarGlob settings;
    const Net net{200, 200, 180, true, false};
    SmallCircleFit fit;
    fit.failed = false;
    fit.axis = {Rad(30), Rad(70)};
    fit.aperture = Rad(20);
    RecordingSurface s;
    DrawSmallCircleNow({s, net, 0, 0, settings}, fit, 0);
    ASSERT_FALSE(s.primitives().empty());
    for (const Primitive& p : s.primitives()) {
        EXPECT_EQ(p.pen.colour, kSmallCircleGrey);
        EXPECT_EQ(p.brush.style, BrushStyle::Clear);
    }
    RecordingSurface none;
    DrawSmallCircleNow({none, net, 0, 0, settings}, fit, 1);
    EXPECT_TRUE(none.primitives().empty()) << "a circle across the primitive waits for the plot";
}

} // namespace
} // namespace ploq
