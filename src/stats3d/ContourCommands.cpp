#include "stats3d/ContourCommands.h"

#include "canvas/Plot.h"
#include "stats3d/Contours.h"

namespace ploq {

void InstallContourCommands(TForm1&, Application&)
{
    RegisterContourDisplay(CanvasPainters::Registered());
}

} // namespace ploq
