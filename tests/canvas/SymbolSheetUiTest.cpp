// Every symbol in every colour, drawn through Qt into a sheet the build keeps
// (pictures/symbols.png), so that a change of a symbol shows.

#include "app/VarGlob.h"
#include "canvas/UtilDessin.h"
#include "platform/QtSurface.h"

#include <QImage>

#include <gtest/gtest.h>

#include "DrawingProbe.h"
#include "PicturesUi.h"
#include <string>
#include <vector>

namespace ploq {
namespace {

constexpr int kCell = 32;
constexpr int kLeft = 44; // the symbol numbers
constexpr int kTop = 22;  // the colour numbers

QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The symbol drawn as a canvas draws it, with the centre of the net to its left so that a
// tadpole's tail points right.
void Draw(Surface& surface, const VarGlob& settings, int sy, int c, Point at)
{
    const DrawContext ctx{surface, Net{at.x - 100, at.y, 90, true, false}, 0, 0, settings};
    DessinerSymbole(ctx, sy, c, at.x, at.y);
}

Point CellCentre(int row, int column)
{
    return {kLeft + column * kCell + kCell / 2, kTop + row * kCell + kCell / 2};
}

bool CellHolds(const QImage& image, int row, int column, QRgb colour)
{
    const Point centre = CellCentre(row, column);
    for (int y = centre.y - kCell / 2; y < centre.y + kCell / 2; ++y)
        for (int x = centre.x - kCell / 2; x < centre.x + kCell / 2; ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

QRgb ToQRgb(TColor c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

TEST(SymbolSheet, EverySymbolInEveryColour)
{
    VarGlob settings;
    const std::vector<int> symbols = test::EverySymbol();
    QtImage sheet(Blank(kLeft + kColourCount * kCell, kTop + int(symbols.size()) * kCell), false);
    Surface& surface = sheet.surface();
    surface.setFont({"DejaVu Sans", 11});
    for (int c = 0; c < kColourCount; ++c)
        surface.textOut({CellCentre(0, c).x - 6, 4}, std::to_string(c));
    for (std::size_t row = 0; row < symbols.size(); ++row) {
        const int r = static_cast<int>(row);
        surface.setBrush({clWhite, BrushStyle::Clear});
        surface.textOut({4, CellCentre(r, 0).y - 7}, std::to_string(symbols[row]));
        for (int c = 0; c < kColourCount; ++c)
            Draw(surface, settings, symbols[row], c, CellCentre(r, c));
    }
    const QImage image = sheet.image();
    const QString path = test::SavePicture(image, "symbols.png");

    for (std::size_t row = 0; row < symbols.size(); ++row)
        for (int c = 0; c < kColourCount; ++c) {
            if (c == kEraseColour)
                continue;
            EXPECT_TRUE(CellHolds(image, int(row), c, ToQRgb(settings.Tco[c])))
                << "symbol " << symbols[row] << " colour " << c << " in " << path.toStdString();
        }
}

// The shapes whose every pixel takes the symbol's colour, so that colour 8 erases them.
TEST(SymbolSheet, DrawingInColour8Erases)
{
    VarGlob settings;
    std::vector<int> erasable;
    for (int n = 1; n <= 16; ++n) {
        erasable.push_back(n);
        erasable.push_back(-n);
    }
    for (int n : {21, 22, 23, 101, 102, 103, 104, 105, 106, 107, 200, 307})
        erasable.push_back(n);
    for (int sy : erasable) {
        QtImage canvas(Blank(60, 60), false);
        Draw(canvas.surface(), settings, sy, 2, {30, 30});
        Draw(canvas.surface(), settings, sy, kEraseColour, {30, 30});
        const QImage image = canvas.image();
        int marked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                marked += image.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_EQ(marked, 0) << "symbol " << sy;
    }
}

} // namespace
} // namespace ploq
