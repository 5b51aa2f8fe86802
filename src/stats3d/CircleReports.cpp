#include "stats3d/CircleReports.h"

#include "canvas/Dessin.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "stats3d/Stats3D.h"

#include <numbers>

namespace ploq {

std::string GreatCircleCentreLine(const BestGreatCircleResult& r, const Notation& notation)
{
    return "center : " + DirToText(true, false, r.pole.plunge, r.pole.trend, notation);
}

std::vector<InfoLine> GreatCircleReport(const BestGreatCircleResult& r, const Notation& notation,
                                        DayCount now)
{
    std::vector<InfoLine> report{{ResultHeading(now, kTitleBestGreatCircle), true},
                                 {GreatCircleCentreLine(r, notation)}};
    for (std::string& line : ConeLines(r.cones))
        report.push_back({std::move(line)});
    return report;
}

void DrawGreatCircleMarks(const DrawContext& ctx, const BestGreatCircleResult& r)
{
    Surface& surface = ctx.CnvsCourant;
    const Pen dashed{CouleurDe(ctx.settings.Tco, ctx.settings.GridCol), 1, PenStyle::Dash};
    surface.setPen(dashed);
    TraceGC(ctx, r.pole.plunge, r.pole.trend);
    surface.setPen({});
    const Point at = DirToPixel(r.pole, ctx.net);
    DessinerSymbole(ctx, kCircleMarkSymbol, kCircleMarkColour, at.x, at.y);
    surface.setPen(dashed);
    for (const double cone : {r.cones.cone95, r.cones.cone99})
        if (ConeUsable(cone))
            TracePC2(ctx, cone, r.pole.plunge, r.pole.trend);
    surface.setPen({});
}

std::string SmallCircleCentreLine(const SmallCircleFit& fit, const Notation& notation)
{
    return "center : " + DirToText(true, false, fit.axis.plunge, fit.axis.trend, notation)
           + " / operture : " + FormatFixed(fit.aperture * 180 / std::numbers::pi, 1);
}

std::vector<InfoLine> SmallCircleReport(const SmallCircleFit& fit, const Notation& notation,
                                        DayCount now)
{
    return {{ResultHeading(now, kTitleBestSmallCircle), true},
            {SmallCircleCentreLine(fit, notation)}};
}

void DrawSmallCircleNow(const DrawContext& ctx, const SmallCircleFit& fit, int part)
{
    if (part != 0)
        return;
    Surface& surface = ctx.CnvsCourant;
    surface.setPen({kSmallCircleGrey, 1});
    surface.setBrush({clWhite, BrushStyle::Clear});
    TracePC(ctx, fit.aperture, fit.axis.plunge, fit.axis.trend);
    surface.setPen({});
}

} // namespace ploq
