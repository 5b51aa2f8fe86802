#include "stats3d/ContourCommands.h"

#include "app/Main.h"
#include "canvas/Plot.h"
#include "stats3d/Contours.h"
#include "stats3d/DlgContours.h"
#include "stats3d/Stats3DCommands.h"

namespace ploq {

void InstallContourCommands(TForm1& form, Application& app)
{
    RegisterContourDisplay(CanvasPainters::Registered());
    form.setHandler(Cmd::Contouring, [&form, &app] {
        if (SelectStats3D(app))
            OpenContouring(form, app);
    });
}

} // namespace ploq
