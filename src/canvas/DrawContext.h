#pragma once

// What every drawing on a canvas reads: the surface it draws on and the canvas it draws for.
// The canvas window builds one for each redraw; printing and pictures build one for their own
// surface, with their scale. Drawing code takes it explicitly and reads no global.

#include "app/VarGlob.h"
#include "model/Trigo.h"
#include "platform/Surface.h"

#include <cmath>
#include <cstdint>

namespace ploq {

struct DrawContext {
    Surface& CnvsCourant;          // where every primitive goes
    Net net;                       // centre XC, YC and radius Rc in pixels, hemisphere, net kind
    std::int32_t StyleCnvs = 0;    // canvas style word of the canvas being drawn
    std::int32_t StylePlot = 0;    // plot style word of the canvas being drawn
    const VarGlob& settings;       // colour table Tco, grid step and colour, fonts
    double UnitDessin = 1.0;       // output pixels per screen pixel (printing, pictures)
    bool EnImpression = false;     // drawing for the printer or a picture file

    // A length in screen pixels, in output pixels.
    int scaled(int pixels) const { return static_cast<int>(std::lround(pixels * UnitDessin)); }
};

} // namespace ploq
