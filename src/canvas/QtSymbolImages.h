#pragma once

// Symbol previews, colour strips and legends as pictures, for the labels of dialogs and of the
// legend window. They are drawn without antialiasing, pixel for pixel as on a canvas.

#include "canvas/SymbBatch.h"
#include "canvas/UtilDessin.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <span>

namespace ploq {

QImage ApercuSymboleImage(const Tcouleur& tco, int sy, int c, QSize size = {24, 24});
QImage BandeCouleursImage(const Tcouleur& tco, int cell, int current);
QImage LegendeImage(const Tcouleur& tco, std::span<const BatchEntry> entries);
// A white picture of that size with what `draw` draws on it, as the tables of dialogs are.
QImage DrawnImage(Size size, const std::function<void(Surface&)>& draw);

} // namespace ploq
