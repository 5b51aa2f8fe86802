#include "stats3d/ManualCircle.h"

#include "stats3d/Stats3D.h"
#include "stats3d/Stats3Dadd.h"

#include <cstdlib>

namespace ploq {

namespace {

int circleKind(char type)
{
    return static_cast<unsigned char>(type);
}

int poleKind(char type)
{
    return circleKind(type) + 1;
}

// Where the colour and the symbol are remembered: the circle's kind and the pole's, or 47 for
// both with a circle through two points.
std::size_t colourSlot(char type)
{
    return static_cast<std::size_t>(circleKind(type));
}

std::size_t symbolSlot(char type)
{
    return static_cast<std::size_t>(type == kManualTwoPoints ? circleKind(type) : poleKind(type));
}

int sign(bool yes)
{
    return yes ? 1 : -1;
}

} // namespace

bool IsManualCircleType(char type)
{
    return type == kManualGreatCircle || type == kManualSmallCircle || type == kManualTwoPoints;
}

std::string_view ManualCircleCaption(char type)
{
    switch (type) {
    case kManualGreatCircle: return "Great circle";
    case kManualSmallCircle: return "Small circle";
    case kManualTwoPoints: return "Great circle by 2 points";
    default: return {};
    }
}

ManualCircleChoices InitialManualChoices(char type, const VarGlob& settings)
{
    ManualCircleChoices c;
    c.decimals = TestBit(settings.OptAdd, kOptAddDecimals);
    c.tailed = TestBit(settings.OptAdd, kOptAddTailed);
    if (IsManualCircleType(type)) {
        c.colour = settings.TcoAdd[colourSlot(type)];
        c.symbol = std::abs(settings.SyAdd[symbolSlot(type)]);
    }
    return c;
}

void StoreManualChoices(char type, const ManualCircleChoices& choices, VarGlob& settings)
{
    SetBit(settings.OptAdd, kOptAddDecimals, choices.decimals);
    SetBit(settings.OptAdd, kOptAddTailed, choices.tailed);
    if (!IsManualCircleType(type))
        return;
    settings.TcoAdd[colourSlot(type)] = choices.colour;
    settings.SyAdd[symbolSlot(type)] = std::abs(choices.symbol);
}

std::vector<InfoAdd> ManualCircleEntries(const ManualCircle& circle, const ManualCircleChoices& c,
                                         Point polePixel)
{
    if (!IsManualCircleType(circle.type))
        return {};
    const double aperture =
        circle.type == kManualSmallCircle ? circle.aperture : std::numbers::pi / 2;
    InfoAdd ring;
    ring.nat = circleKind(circle.type);
    ring.nco = c.colour;
    ring.nsy = c.tailed ? -std::abs(c.symbol) : std::abs(c.symbol);
    ring.x[0] = circle.pole.trend;
    ring.y[0] = circle.pole.plunge;
    ring.x[1] = aperture;
    ring.a[1] = 1;
    ring.vis = ring.initVis = true;

    InfoAdd pole = ring;
    pole.nat = poleKind(circle.type);
    pole.vis = pole.initVis = c.plotPole;
    pole.a[0] = polePixel.x;
    pole.b[0] = polePixel.y;
    pole.b[1] = c.closest.maxOffset;
    pole.a[5] = sign(c.closest.list);
    pole.b[5] = sign(c.closest.underline);
    return {ring, pole};
}

bool KeepManualFit(CanvasModel& canvas, const ManualCircle& circle,
                   const ManualCircleChoices& choices)
{
    const Point pixel = DirToPixel(circle.pole, canvas.net());
    const std::vector<InfoAdd> entries = ManualCircleEntries(circle, choices, pixel);
    if (entries.empty() || !AppendAdd(canvas, entries))
        return false;
    UndoPlotRecord& undo = canvas.lUndoPlot;
    undo.bfit = static_cast<std::uint8_t>(circleKind(circle.type));
    undo.stade = 1;
    undo.v2 = static_cast<int>(entries.size());
    undo.actif = true;
    return true;
}

std::vector<InfoLine> ManualCircleReport(const ManualCircle& circle, const Notation& notation,
                                         bool decimals, DayCount now)
{
    const bool small = circle.type == kManualSmallCircle;
    const std::string pole =
        DirToText(decimals, false, circle.pole.plunge, circle.pole.trend, notation);
    std::vector<InfoLine> lines{{ResultHeading(now, small ? "Small circle (manually fitted)"
                                                          : "Great circle (manually fitted)"),
                                 true}};
    if (small)
        lines.push_back({"pole of the center : " + pole
                         + " aperture : " + FormatAngle(decimals, circle.aperture / kDegToRad)});
    else
        lines.push_back({"pole : " + pole});
    return lines;
}

} // namespace ploq
