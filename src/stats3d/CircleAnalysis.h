#pragma once

// The best-circle distribution analysis: around the small circle found by iteration, the chi2
// sum of every circle whose axis lies in a window of 41 by up to 41 trial axes (1 degree apart)
// and whose aperture runs over whole-degree steps, the smallest per axis kept as a grid; the
// best great circle by the orientation matrix and by chi2; the panel lines; the marks on the
// measurements' canvas and the diagram of the grid on the result canvas.

#include "canvas/DrawContext.h"
#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "platform/Clock.h"
#include "stats3d/CircleAnalysisTypes.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ploq {

class CanvasModel;

inline constexpr std::string_view kMsgTooFewForAnalysis = "At least 3 displayed values are needed";
inline constexpr std::string_view kTitleCircleAnalysis = "Best circle analysis";
constexpr int kCircleAnalysisSteps = 40; // of the progress bar
constexpr int kAnalysisTrends = 41;
constexpr int kAnalysisPoints = 1600; // as the range line counts them

// The trial axes and apertures about a fitted circle, in degrees.
struct AnalysisWindow {
    double firstTrend = 0;  // axis trend - 20
    double firstPlunge = 0; // F: axis plunge - 20, its fraction alone when negative
    double lastPlunge = 0;  // H: axis plunge + 20, 89 and its fraction when above 90
    int plunges = 0;        // round(H - F) + 1
    double firstAperture = 0; // aperture - 30, raised by whole degrees to 0 or more
    int apertures = 0;        // up to 89 and the fraction of the first

    double trend(int k) const { return firstTrend + k; }
    double plunge(int c) const { return firstPlunge + c; }
    double aperture(int i) const { return firstAperture + i; }
};
AnalysisWindow AnalysisWindowAbout(const Direction& axis, double aperture);

// The weight of each direction in the orientation matrix of the analysis: floor(40 / n) for
// n up to 20, else 1.
int AnalysisMatrixWeight(int n);
// The pole of the best great circle by the weighted orientation matrix.
Direction WeightedGreatCirclePole(std::span<const Vec3> u);

// What one trial axis gives: the smallest sum over the trial apertures and that aperture
// (radians), and the sum of the circle of aperture pi/2.
struct AxisChi2 {
    double smallest = 0;
    double aperture = 0;
    double great = 0;
};

// The directions as contiguous coordinates, made once per analysis.
struct UnitVectors {
    std::vector<double> x, y, z;
    explicit UnitVectors(std::span<const Vec3> u);
    int n() const { return static_cast<int>(x.size()); }
};

// The angles are taken once per axis: with their mean m and S = sum (theta - m)^2, the sum of
// aperture rho is S + n (m - rho)^2.
AxisChi2 AxisChi2Fast(const UnitVectors& u, const Direction& axis, const AnalysisWindow& w,
                      std::vector<double>& theta);
// Every sum taken over the directions, aperture by aperture.
AxisChi2 AxisChi2Literal(std::span<const Vec3> u, const Direction& axis, const AnalysisWindow& w);

// The whole analysis over the directions (frame G) on a canvas of that hemisphere; none when the
// small-circle fit fails. `onTrend` is called once per trial trend.
std::optional<CircleAnalysisData> AnalyseBestCircles(std::span<const Vec3> u,
                                                     bool lowerHemisphere,
                                                     const std::function<void()>& onTrend = {});

// The heading and the lines of the result canvas's panel.
std::vector<InfoLine> CircleAnalysisReport(const CircleAnalysisData& d, const Notation& notation,
                                           DayCount now);
// The shading levels of the diagram, increasing: max - 127.5 B, 124 B, 120 B, 112 B, 96 B,
// 64 B, 32 B with B = (max - min) / 128.
std::vector<double> Chi2Levels(const CircleAnalysisData& d);

// On the measurements' canvas: symbol 9 in colour 0 at the best grid axis, symbol 10 in colour
// 15 at the orientation matrix's pole, the cone of the best aperture about the grid axis and
// the trace of the matrix's great circle.
void DrawCircleAnalysisMarks(const DrawContext& ctx, const CircleAnalysisData& d);

// The chi2 diagram: trend across, plunge up, the grid shaded at the seven levels in the
// standard contour colours 1 to 7, the three markers.
void DrawChi2Diagram(CanvasModel& canvas, DrawContext& ctx);
constexpr int kDiagramChi2 = 36;

// A result canvas keeps the analysis.
void KeepCircleAnalysis(CanvasModel& canvas, CircleAnalysisData data);

} // namespace ploq
