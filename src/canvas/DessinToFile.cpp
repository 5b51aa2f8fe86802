#include "canvas/DessinToFile.h"

#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <exception>

namespace ploq {

namespace {

constexpr int kTextHeight = 13; // the canvas font on screen, in pixels

// What a redraw changes on the canvas, put back however the redraw ends.
class KeptCanvas {
public:
    explicit KeptCanvas(CanvasModel& canvas)
        : canvas_(canvas), count_(canvas.lNC), rChanged_(canvas.rChanged)
    {
        pixels_.reserve(canvas.lVal.size());
        for (const InfoVal& v : canvas.lVal)
            pixels_.push_back({v.p, v.q});
    }
    ~KeptCanvas()
    {
        for (std::size_t i = 0; i < pixels_.size() && i < canvas_.lVal.size(); ++i) {
            canvas_.lVal[i].p = pixels_[i].x;
            canvas_.lVal[i].q = pixels_[i].y;
        }
        canvas_.lNC = count_;
        canvas_.rChanged = rChanged_;
    }
    KeptCanvas(const KeptCanvas&) = delete;
    KeptCanvas& operator=(const KeptCanvas&) = delete;

private:
    CanvasModel& canvas_;
    std::vector<Point> pixels_;
    int count_;
    bool rChanged_;
};

// The height of the frame's texts (two millimetres) and of their line, in screen pixels.
int frameTextHeight(const VarGlob& settings)
{
    return std::max(1, RoundHalfEven(2 * settings.PixMM));
}
int lineHeight(int textHeight)
{
    return (3 * textHeight + 1) / 2;
}

void drawLegend(Surface& surface, const PictureLayout& layout, const VarGlob& settings)
{
    if (layout.legend.empty())
        return;
    surface.setFont({settings.FontName, kTextHeight, false, false, clBlack});
    const int columns = std::max(1, layout.legendColumns);
    const int rows = (static_cast<int>(layout.legend.size()) + columns - 1) / columns;
    for (std::size_t i = 0; i < layout.legend.size(); ++i) {
        const BatchEntry& entry = layout.legend[i];
        const int column = static_cast<int>(i) / rows;
        const int row = static_cast<int>(i) % rows + 1;
        const int x = layout.legendTopLeft.x + column * kLegendWidth;
        const int y = layout.legendTopLeft.y + kLegendRowHeight * row;
        DessinerSymboleSeul(surface, settings.Tco, entry.sy, entry.co, {x + 10, y - 3});
        surface.setBrush({clWhite, BrushStyle::Clear});
        surface.textOut({x + 30, y - 10}, entry.code.view());
    }
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

const std::array<PictureFileType, 3> kPictureTypes = {{
    {PictureType::Svg, "SVG picture", "*.svg", ".svg"},
    {PictureType::Pdf, "PDF document", "*.pdf", ".pdf"},
    {PictureType::Png, "PNG image", "*.png", ".png"},
}};

} // namespace

OutputPlacement PrintPlacement(int radius, double pixMM, double dpiX, int pageWidth)
{
    const auto mmToDevice = [dpiX](double mm) { return dpiX / 25.4 * mm; };
    OutputPlacement p;
    p.radius = RoundHalfEven(mmToDevice(radius / pixMM));
    // A printer no finer than the screen still draws symbols and offsets of one pixel.
    p.UnitDessin = std::max(1.0, std::trunc(mmToDevice(1) / pixMM));
    p.yc = RoundHalfEven(mmToDevice(20) + p.radius);
    p.xc = pageWidth / 2;
    p.EnImpression = true;
    return p;
}

PictureLayout PictureLayoutFor(const CanvasModel& canvas, int radius, bool framed,
                               const VarGlob& settings)
{
    PictureLayout layout;
    const int side = 2 * (radius + kMarginPixels);
    layout.size = {side, side};
    layout.placement = {radius + kMarginPixels, radius + kMarginPixels, radius, 1, false};
    if (!framed || !ShowsNet(canvas.natWP))
        return layout;
    // The frame's output variant at one picture pixel per screen pixel: the letter "N" above
    // the north mark, the count and the projection under the circle.
    const int text = frameTextHeight(settings);
    const int top = std::max(kMarginPixels, text + 20 + 4);
    layout.placement = {radius + kMarginPixels, radius + top, radius, 1, true};
    const int textsBottom = layout.placement.yc + radius + 12 + lineHeight(text);
    layout.legend = LireBatchLegend(canvas.lsy).TabBatch;
    if (layout.legend.empty()) {
        layout.size.height = textsBottom + kMarginPixels / 2;
        return layout;
    }
    layout.legendColumns = std::max(1, (side - 2 * kMarginPixels) / kLegendWidth);
    const int count = static_cast<int>(layout.legend.size());
    const int rows = (count + layout.legendColumns - 1) / layout.legendColumns;
    layout.legendTopLeft = {kMarginPixels, textsBottom};
    layout.size.height = textsBottom + kLegendRowHeight * rows + 9;
    return layout;
}

bool DessinerSortie(CanvasModel& canvas, Surface& surface, const OutputPlacement& placement,
                    const VarGlob& settings, const CanvasPainters& painters)
{
    const KeptCanvas kept(canvas);
    DrawContext ctx{surface,
                    Net::FromStyle(placement.xc, placement.yc, placement.radius, canvas.lStyleCnvs),
                    canvas.lStyleCnvs,
                    canvas.lStylePlot,
                    settings,
                    std::max(1.0, placement.UnitDessin),
                    placement.EnImpression};
    surface.setFont(
        {settings.FontName, std::max(1, ctx.scaled(kTextHeight)), false, false, clBlack});
    // The records are projected for the output; the canvas gets its own pixels back.
    canvas.rChanged = true;
    try {
        Redessiner(canvas, ctx, painters);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool DessinerImage(CanvasModel& canvas, Surface& surface, const PictureLayout& layout,
                   const VarGlob& settings, const CanvasPainters& painters)
{
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.fillRect({0, 0, layout.size.width, layout.size.height});
    if (!DessinerSortie(canvas, surface, layout.placement, settings, painters))
        return false;
    drawLegend(surface, layout, settings);
    return true;
}

std::span<const PictureFileType> PictureFileTypes()
{
    return kPictureTypes;
}

std::optional<PictureType> PictureTypeOf(const std::string& path)
{
    const std::string name = lowerCase(path.substr(path.find_last_of('/') + 1));
    for (const PictureFileType& t : kPictureTypes)
        if (name.size() > t.extension.size() && name.ends_with(t.extension))
            return t.type;
    return std::nullopt;
}

PicturePath PicturePathFor(const std::string& chosen, int filter)
{
    if (const std::optional<PictureType> named = PictureTypeOf(chosen))
        return {chosen, *named};
    const auto last = static_cast<int>(kPictureTypes.size()) - 1;
    const auto index = static_cast<std::size_t>(std::clamp(filter, 0, last));
    return {chosen + kPictureTypes[index].extension, kPictureTypes[index].type};
}

double PngScale(double pixMM)
{
    return kPngDpi / (25.4 * pixMM);
}

} // namespace ploq
