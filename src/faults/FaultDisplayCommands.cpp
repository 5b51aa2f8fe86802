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

#include <algorithm>
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
    const int number = source->slot();
    const CanvasModel& from = source->model();
    TWPlot* plot = NewWP(app, natWP);
    if (!plot)
        return nullptr;
    CanvasModel& m = plot->model();
    // The view shows the pairs on the same net as their canvas.
    m.lStyleCnvs = from.lStyleCnvs;
    m.lStylePlot = from.lStylePlot;
    std::copy(from.lVal.begin() + 1, from.lVal.begin() + 1 + from.lNT, m.lVal.begin() + 1);
    m.lNT = from.lNT;
    const std::span<InfoVal> records(m.lVal.data() + 1, static_cast<std::size_t>(m.lNT));
    if (natWP == kWPStriaeRakes) {
        MarkStriaeRakes(records);
        plot->setTitle(StriaeRakesTitle(number));
    } else {
        MarkHangingWall(records);
        plot->setTitle(HangingWallTitle(number));
    }
    m.rChanged = true;
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
    CanvasModel& m = plot->model();
    (*m.lTinfo2D)[0] = h.info;
    m.i0 = h.shape.type;
    m.i1 = 1;
    m.lNT = h.info.ntV;
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
