#include "faults/FaultDisplayCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "faults/DlgTriPitch.h"
#include "faults/FaultCommands.h"
#include "faults/FaultDisplays.h"
#include "faults/FaultDraw.h"
#include "stats2d/Stats2D.h"

#include <span>

namespace ploq {

namespace {

std::span<const InfoVal> recordsOf(const CanvasModel& m)
{
    return std::span<const InfoVal>(m.lVal).subspan(1, static_cast<std::size_t>(m.lNT));
}

void shown(Application& app, TWPlot& plot)
{
    plot.showNormal();
    plot.NettoyerWP();
    plot.SetControls();
    emit app.menusChanged();
}

} // namespace

TWPlot* FaultView(Application& app, int natWP)
{
    TWPlot* source = CheckedFaultCanvas(app);
    if (!source)
        return nullptr;
    TWPlot* plot = NewWP(app, natWP);
    if (!plot)
        return nullptr;
    KeepFaultView(plot->model(), source->model());
    plot->setTitle(natWP == kWPStriaeRakes ? StriaeRakesTitle(source->slot())
                                           : HangingWallTitle(source->slot()));
    shown(app, *plot);
    return plot;
}

TWPlot* FaultHistogramWindow(Application& app, int type)
{
    TWPlot* source = CheckedFaultCanvas(app);
    if (!source)
        return nullptr;
    const VarGlob& s = app.settings();
    const FaultHistogram h = ComputeFaultHistogram(type, recordsOf(source->model()), s.Couleur,
                                                   s.StyleStats2D, app.clock().now());
    if (h.values.empty()) {
        app.prompts().information(std::string(kMsgNoValue));
        return nullptr;
    }
    TWPlot* plot = NewWP(app, kWPStats2D);
    if (!plot)
        return nullptr;
    KeepFaultHistogram(plot->model(), h);
    plot->setTitle(std::string(h.shape.title));
    shown(app, *plot);
    return plot;
}

void InstallFaultDisplayCommands(TForm1& form, Application& app)
{
    RegisterFaultDisplays();
    form.setHandler(Cmd::DisplayStriaeRakes, [&app] { FaultView(app, kWPStriaeRakes); });
    form.setHandler(Cmd::DisplayHangingWall, [&app] { FaultView(app, kWPHangingWall); });
    const std::pair<Cmd, int> histograms[] = {{Cmd::DisplayStrikeHistogram, kDiagramFaultStrikes},
                                              {Cmd::DisplayDipHistogram, kDiagramFaultDips},
                                              {Cmd::DisplayRakeHistogram, kDiagramFaultRakes}};
    for (const auto& histogram : histograms)
        form.setHandler(histogram.first,
                        [&app, type = histogram.second] { FaultHistogramWindow(app, type); });
    form.setHandler(Cmd::FaultsSelect, [&form, &app] {
        if (TWFichier* sheet = CheckedFaultSheet(app))
            OuvrirDlgTriPitch(form, app, *sheet);
    });
}

} // namespace ploq
