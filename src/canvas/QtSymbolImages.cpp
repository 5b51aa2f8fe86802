#include "canvas/QtSymbolImages.h"

#include "platform/QtSurface.h"

namespace ploq {

namespace {

template <class Draw> QImage rendered(Size size, Draw draw)
{
    QImage blank(std::max(1, size.width), std::max(1, size.height), QImage::Format_RGB32);
    blank.fill(Qt::white);
    QtImage image(std::move(blank), false);
    draw(image);
    return image.image().copy();
}

} // namespace

QImage ApercuSymboleImage(const Tcouleur& tco, int sy, int c, QSize size)
{
    return rendered({size.width(), size.height()},
                    [&](Image& image) { ApercuSymbole(image, tco, sy, c); });
}

QImage BandeCouleursImage(const Tcouleur& tco, int cell, int current)
{
    return rendered(BandeCouleursSize(cell),
                    [&](Image& image) { BandeCouleurs(image, tco, cell, current); });
}

QImage LegendeImage(const Tcouleur& tco, std::span<const BatchEntry> entries)
{
    return rendered(LegendeSize(static_cast<int>(entries.size())),
                    [&](Image& image) { DessinerLegende(image, tco, entries); });
}

QImage DrawnImage(Size size, const std::function<void(Surface&)>& draw)
{
    return rendered(size, [&](Image& image) { draw(image.surface()); });
}

} // namespace ploq
