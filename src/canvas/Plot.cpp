#include "canvas/Plot.h"

#include "canvas/Dessin.h"
#include "canvas/UtilPlot.h"
#include "model/UtilGlob.h"
#include "stats3d/Stats3Dadd.h"

#include <algorithm>
#include <cmath>

namespace ploq {

bool HoldsRecords(int natWP)
{
    switch (natWP) {
    case kWPOrdinary:
    case kWPRotated:
    case kWPTestContours:
    case kWPPTAxes:
    case kWPDihedra:
    case kWPStats3D:
    case kWPCircularPlot:
    case kWPHangingWall:
    case kWPStriaeRakes:
    case kWPDihedraContours: return true;
    default: return false;
    }
}

bool ShowsNet(int natWP)
{
    return (natWP >= kWPOrdinary && natWP <= kWPContouring) || natWP == kWPPTAxes
           || natWP == kWPDihedra || (natWP >= kWPReserved && natWP <= kWPStriaeRakes);
}

bool IsPlotKind(int natWP)
{
    return natWP == kWPOrdinary || natWP == kWPRotated || natWP == kWPReserved;
}

std::string CanvasTitle(int natWP, int sameKind, int slot, const std::string& source)
{
    const std::string n = std::to_string(sameKind);
    switch (natWP) {
    case kWPOrdinary: return " Canvas " + n;
    case kWPRotated: return " Rotated canvas " + n;
    case kWPCodes: return " Codes - " + n + " (" + source + ")";
    case kWPCounting: return "Counting " + source;
    case kWPContouring: return " Contouring - " + n;
    case kWPTestContours: return " Test contours " + std::to_string(slot);
    case kWPPTAxes: return " P and T axis " + source;
    case kWPDihedra: return "Right angle dihedra : " + source;
    case kWPStats3D: return " Stats 3D - " + n;
    case kWPStats2D: return " Stats 2D - " + n;
    case kWPTrackdip: return " Trackdip - " + n;
    default: return "Plot";
    }
}

CanvasModel::CanvasModel(int kind, const VarGlob& settings)
    : lOptS3Dadd(settings.OptS3Dadd), lStylePlot(settings.StylePlot),
      lStyleCnvs(settings.StyleCnvs), natWP(kind)
{
    if (HoldsRecords(kind))
        lVal.resize(kValueSlots);
    if (OwnsAddList(kind))
        lAdd.resize(kMaxAdd);
    if (kind == kWPStats2D)
        lTinfo2D = std::make_unique<TInfo2D>();
    lPts.reserve(kMaxPoints);
}

bool CanvasModel::SetRayon(int radius, ImageFactory& images)
{
    if (radius < kMinRadius)
        return false;
    const int side = 2 * (radius + kMarginPixels);
    std::unique_ptr<Image> fresh = images.createImage({side, side});
    if (!fresh)
        return false;
    image_ = std::move(fresh);
    EffacerWP();
    rChanged = rChanged || radius != lRc;
    lRc = radius;
    lXc = lYc = radius + kMarginPixels;
    return true;
}

void CanvasModel::EffacerWP()
{
    if (!image_)
        return;
    Surface& s = image_->surface();
    s.setBrush({clWhite, BrushStyle::Solid});
    const Size size = image_->size();
    s.fillRect({0, 0, size.width, size.height});
}

std::optional<Direction> CanvasModel::DirAt(int x, int y, int tolerance) const
{
    const long long dx = x - lXc;
    const long long dy = lYc - y;
    if (dx * dx + dy * dy > static_cast<long long>(lRc) * lRc + tolerance)
        return std::nullopt;
    return PixelToDir(static_cast<int>(dx), static_cast<int>(dy), net());
}

bool CanvasModel::AddRecord(const InfoVal& record)
{
    if (lVal.empty() || lNT >= kMaxValues)
        return false;
    lVal[static_cast<std::size_t>(++lNT)] = record;
    return true;
}

CanvasPainters& CanvasPainters::Registered()
{
    // The net, its frame, the records and the additional values are drawn the same on every
    // canvas; the displays of the other kinds are added by their features.
    static CanvasPainters painters = [] {
        CanvasPainters p;
        p.grid = [](CanvasModel& c, DrawContext& ctx) {
            DessinerGrille(ctx, {c.natGrille, c.ar4, c.ar5});
        };
        p.frame = [](CanvasModel& c, DrawContext& ctx) { TraceCanevas(ctx, c.lNC); };
        p.record = [](CanvasModel&, DrawContext& ctx, InfoVal& v) { DessinVal(ctx, v); };
        p.additional = [](CanvasModel& c, DrawContext& ctx) { DrawAddValues(c, ctx); };
        return p;
    }();
    return painters;
}

std::string Redessiner(CanvasModel& canvas, DrawContext& ctx, const CanvasPainters& painters)
{
    const auto call = [&](const std::function<void(CanvasModel&, DrawContext&)>& f) {
        if (f)
            f(canvas, ctx);
    };
    if (ShowsNet(canvas.natWP)) {
        call(painters.grid);
        call(painters.frame);
        if (canvas.AttenteClic)
            FillCornerTriangle(ctx.CnvsCourant, 12, clLime);
    }
    const std::string count =
        canvas.lNC > 0 ? "N = " + std::to_string(canvas.lNC) : std::string(14, ' ');
    if (IsPlotKind(canvas.natWP)) {
        DrawPresentRecords(canvas, ctx.net, [&](int, InfoVal& v) {
            if (painters.record)
                painters.record(canvas, ctx, v);
        });
    } else {
        call(painters.display[static_cast<std::size_t>(canvas.natWP)]);
    }
    if (canvas.natWP <= kWPContouring || canvas.natWP == kWPPTAxes)
        call(painters.additional);
    if (const auto& label = painters.label[static_cast<std::size_t>(canvas.natWP)])
        return label(canvas);
    return count;
}

DrawContext ScreenContext(CanvasModel& canvas, const VarGlob& settings)
{
    return DrawContext{canvas.image()->surface(), canvas.net(), canvas.lStyleCnvs,
                       canvas.lStylePlot, settings};
}

void FillCornerTriangle(Surface& surface, int size, TColor colour)
{
    surface.setPen({colour, 1});
    surface.setBrush({colour, BrushStyle::Solid});
    const Point corners[] = {{0, 0}, {size, 0}, {0, size}};
    surface.polygon(corners);
}

std::int32_t RestyledInf(std::int32_t inf, std::int32_t stylePlot)
{
    return (inf & 0xCFF) + stylePlot;
}

int RadiusForDiameter(double millimetres, double pixelsPerMillimetre)
{
    return RoundHalfEven(millimetres * pixelsPerMillimetre / 2);
}

int DiameterShown(int radius, double pixelsPerMillimetre)
{
    return pixelsPerMillimetre > 0 ? RoundHalfEven(2 * radius / pixelsPerMillimetre) : 0;
}

} // namespace ploq

namespace ploq {

CanvasLayout AjusterTaille(Size image, Size client, bool toolBarShown, bool voirTout)
{
    CanvasLayout l;
    l.toolBarHeight = toolBarShown ? kCanvasToolBarHeight : 0;
    l.maxWidth = image.width > 674 ? 700 : image.width + 25;
    if (voirTout) {
        const bool roomForPanel = image.height + kCanvasPanelHeight <= 700;
        l.windowWidth = l.maxWidth;
        l.windowHeight =
            std::min(700, image.height + 4 + l.toolBarHeight
                              + (roomForPanel ? kCanvasPanelHeight : kCanvasLeastPanelHeight));
        client = {l.windowWidth, l.windowHeight};
    }
    const int room = std::max(0, client.height - l.toolBarHeight);
    const int leastPanel = std::min(kCanvasLeastPanelHeight, room / 2);
    l.imageAreaHeight = std::min(image.height + 4, room - leastPanel);
    l.infoHeight = room - l.imageAreaHeight;
    l.toolBarTop = l.imageAreaHeight;
    l.infoTop = l.toolBarTop + l.toolBarHeight;
    return l;
}

} // namespace ploq
