#include "stats3d/Stats3DCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "stats3d/DlgPlotGcPC.h"
#include "transform/DlgUseSymb.h"

namespace ploq {

std::optional<Stats3DSelection> SelectStats3D(Application& app)
{
    TWPlot* canvas = ActiveCanvas(app);
    if (!canvas || !HoldsRecords(canvas->model().natWP))
        return std::nullopt;
    if (ChoixSymboles(app, kChoixStatistics) == 0)
        return std::nullopt;
    Stats3DSelection s;
    s.canvas = canvas;
    s.set = MakeWorkingSet(CanvasRecords(canvas->model()), app.Tsy());
    s.setClass = s.set.setClass();
    if (s.setClass == kSetEmpty)
        return std::nullopt;
    if (s.setClass == kSetMixed
        && app.prompts().confirmation(std::string(kMsgMixedSet), Button::Yes | Button::No)
               != Button::Yes)
        return std::nullopt;
    canvas->raise();
    canvas->activateWindow();
    return s;
}

void BestPole(Application& app, const Stats3DSelection& selection)
{
    QPointer<TWPlot> canvas = selection.canvas;
    if (!canvas)
        return;
    const BestPoleResult r = BestPoleOf(selection.set.u, selection.setClass);
    canvas->appendInfo(ResultHeading(app.clock().now(), BestPoleTitle(r.setClass)), true);
    canvas->drawNow([&r](const DrawContext& ctx) { DrawBestPoleMarks(ctx, r); });
    for (const std::string& line : ConeLines(r.cones))
        canvas->appendInfo(line);
    const Direction& d = r.direction();
    if (!PlotBestFit(app, BestPoleFitKind(r.setClass), r.cones.cone99, r.cones.cone95,
                     r.cones.cone95, d.plunge, d.trend)
        || !canvas)
        return;
    const VarGlob& s = app.settings();
    for (const std::string& line : BestPoleValueLines(r, {s.FrtS, s.FrtL}))
        canvas->appendInfo(line);
}

void InstallStats3DCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::BestPole, [&app] {
        if (const std::optional<Stats3DSelection> selection = SelectStats3D(app))
            BestPole(app, *selection);
    });
}

} // namespace ploq
