#include "canvas/TWPlotCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/DlgEnterFile.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/TWFichier.h"

namespace ploq {

namespace {

// The canvases whose records are measurements a data sheet can take.
bool HoldsMeasurements(int natWP)
{
    return natWP == kWPOrdinary || natWP == kWPRotated || natWP == kWPDihedra
           || natWP == kWPStriaeRakes;
}

} // namespace

void InstallPlotCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::PlotEnterSheet, [&form, &app] { OuvrirDlgFichier(form, app); });
    form.setHandler(Cmd::FileSaveAs, WindowKind::Canvas, [&app] {
        if (const TWPlot* plot = ActiveCanvas(app))
            SaveCanvasMeasurements(app, *plot);
    });
}

TWFichier* CanvasToSheet(Application& app, const TWPlot& plot, int first)
{
    if (!HasDisplayedRecords(plot.model(), first))
        return nullptr;
    const VarGlob& s = app.settings();
    DataSheet sheet =
        SheetFromCanvas(plot.model(), first, NewDataSheet(s), TestBit(s.OptVal, kOptValShowDeci));
    return NewSheet(app, app.mainWindow(), std::move(sheet));
}

void ListPlottedValues(TWPlot& plot)
{
    const int kind = plot.model().natWP;
    if (kind == kWPOrdinary || kind == kWPRotated || kind == kWPDihedra)
        CanvasToSheet(plot.app(), plot);
    else if (const auto it = KindListings().find(kind); it != KindListings().end())
        it->second(plot);
}

void SaveCanvasMeasurements(Application& app, const TWPlot& plot)
{
    if (!HoldsMeasurements(plot.model().natWP))
        return;
    if (TWFichier* sheet = CanvasToSheet(app, plot))
        sheet->SaveSheet(true);
}

} // namespace ploq
