#include "stats3d/Stats3D.h"

#include "canvas/Dessin.h"
#include "model/UtilGlob.h"

#include <algorithm>

namespace ploq {

int WorkingSet::setClass() const
{
    return (lines > 0 ? kSetLines : 0) | (planes > 0 ? kSetPlanes : 0);
}

WorkingSet MakeWorkingSet(std::span<const InfoVal> records, const SymbolSelection& tsy)
{
    WorkingSet set;
    set.u.reserve(records.size());
    for (const InfoVal& v : records) {
        if (!TestBit(v.inf, kInfPresent) || !tsy.shows(v))
            continue;
        set.u.push_back(DirToVec({v.azi, v.pen}));
        ++(IsPlane(v.na[0]) ? set.planes : set.lines);
    }
    return set;
}

std::string ResultHeading(DayCount now, std::string_view title)
{
    return shortTime(now) + " - " + std::string(title);
}

BestPoleResult BestPoleOf(std::span<const Vec3> u, int setClass)
{
    BestPoleResult r;
    r.setClass = setClass;
    const OrientationTensor t = OrientationMatrix(u);
    const Eigen3 eigen = Jacobi3(t.T);
    r.n = t.n;
    r.lambda = eigen.d;
    NormalizeEigen(t.n, r.lambda);
    for (int k = 0; k < 3; ++k)
        r.axes[static_cast<std::size_t>(k)] = EigenAxis(eigen, k);
    const int kind = setClass == kSetPlanes ? kConePlane : kConeAxis;
    r.cones = ConeApertures(kind, r.lambda, u, r.direction());
    r.sweeps = eigen.sweeps;
    return r;
}

std::string_view BestPoleTitle(int setClass)
{
    switch (setClass) {
    case kSetPlanes: return "Best plane";
    case kSetMixed: return "Best pole (mix of axis and planes)";
    default: return "Best axis";
    }
}

int BestPoleFitKind(int setClass)
{
    return setClass == kSetPlanes ? 2 : 1;
}

std::vector<std::string> ConeLines(const ConePair& cones)
{
    std::vector<std::string> lines;
    if (ConeUsable(cones.cone95))
        lines.push_back("aperture confidence cone 95% : " + DegreesText(cones.cone95));
    else
        lines.emplace_back("unsuccesfull calculation of the confidence cones");
    if (ConeUsable(cones.cone99))
        lines.push_back("aperture confidence cone 99% : " + DegreesText(cones.cone99));
    return lines;
}

namespace {

// "%6.3f"; an eigenvalue of an orientation matrix is never below 0, so the rounding's -1e-17
// of a flat set is written 0.000.
std::string LambdaText(double value)
{
    std::string text = FormatFixed(std::max(0.0, value), 3);
    if (text.size() < 6)
        text.insert(0, 6 - text.size(), ' ');
    return text;
}

} // namespace

std::vector<std::string> BestPoleValueLines(const BestPoleResult& r, const Notation& notation)
{
    const bool plane = r.setClass == kSetPlanes;
    const Direction& d = r.direction();
    return {std::string(plane ? "plane : " : "axis : ")
                + DirToText(true, plane, d.plunge, d.trend, notation),
            "lambda " + LambdaText(r.lambda[0]) + " " + LambdaText(r.lambda[1]) + " "
                + LambdaText(r.lambda[2])};
}

std::vector<InfoLine> BestPoleReport(const BestPoleResult& r, const Notation& notation,
                                     DayCount now)
{
    std::vector<InfoLine> report{{ResultHeading(now, BestPoleTitle(r.setClass)), true}};
    for (std::string& line : ConeLines(r.cones))
        report.push_back({std::move(line)});
    for (std::string& line : BestPoleValueLines(r, notation))
        report.push_back({std::move(line)});
    return report;
}

void DrawBestPoleMarks(const DrawContext& ctx, const BestPoleResult& r)
{
    Surface& surface = ctx.CnvsCourant;
    const Direction& d = r.direction();
    const Point at = DirToPixel(d, ctx.net);
    surface.setPen({});
    DessinerSymbole(ctx, kBestPoleSymbol, kBestPoleColour, at.x, at.y);
    surface.setPen({CouleurDe(ctx.settings.Tco, ctx.settings.GridCol), 1, PenStyle::Dash});
    for (const double cone : {r.cones.cone95, r.cones.cone99})
        if (ConeUsable(cone))
            TracePC2(ctx, cone, d.plunge, d.trend);
    surface.setPen({});
}

} // namespace ploq
