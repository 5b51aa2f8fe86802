#include "faults/FaultCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "faults/DlgEnterFaults.h"
#include "faults/Faults.h"

#include <span>

namespace ploq {

namespace {

bool tellCheck(Application& app, const PairCheck& check, std::optional<Point> at = {})
{
    if (check.message) {
        Message message = *check.message;
        message.at = at;
        app.prompts().message(message);
    }
    return check.ok;
}

} // namespace

void InstallFaultCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::FaultsSheet, [&form, &app] { OuvrirDlgFaults(form, app); });
}

TWFichier* CheckedFaultSheet(Application& app)
{
    TWFichier* sheet = CurrentSheet(app);
    if (!sheet)
        return nullptr;
    const PairCheck check = CheckSheetPairs(SheetRecords(sheet->sheet()));
    return tellCheck(app, check, sheet->messagePlace()) ? sheet : nullptr;
}

TWPlot* FaultCanvas(Application& app)
{
    for (DataWindow* window : app.registry().recent(WindowKind::Canvas)) {
        auto* plot = dynamic_cast<TWPlot*>(window);
        if (plot && plot->isListed() && HoldsRecords(plot->model().natWP)
            && ShowsNet(plot->model().natWP))
            return plot;
    }
    return nullptr;
}

TWPlot* CheckedFaultCanvas(Application& app)
{
    TWPlot* plot = FaultCanvas(app);
    if (!plot)
        return nullptr;
    if (plot->isMinimized())
        plot->showNormal();
    plot->raise();
    plot->activateWindow();
    app.activateWindow(*plot);
    const CanvasModel& m = plot->model();
    const auto records =
        std::span<const InfoVal>(m.lVal).subspan(1, static_cast<std::size_t>(m.lNT));
    return tellCheck(app, CheckCanvasPairs(records)) ? plot : nullptr;
}

} // namespace ploq
