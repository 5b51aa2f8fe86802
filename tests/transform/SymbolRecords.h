#pragma once

// Records told apart by their symbol and colour only, as the symbol dialogs see them.

#include "model/TypesGlob.h"

namespace ploq::test {

inline InfoVal Record(int sy, int colour, bool displayed = true)
{
    InfoVal v;
    v.sy = sy;
    v.nco = colour;
    v.inf = displayed ? 1 << kInfPresent : 0;
    return v;
}

} // namespace ploq::test
