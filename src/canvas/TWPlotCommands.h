#pragma once

// The main window's commands that plot data sheets onto canvases and copy a canvas's records
// back into a data sheet.

namespace ploq {

class Application;
class TForm1;
class TWFichier;
class TWPlot;

// "Enter (data sheet)", and "Save as..." on a canvas.
void InstallPlotCommands(TForm1& form, Application& app);

// CanvasToSheet: a new data sheet holding the displayed records of the canvas from record
// `first` on; null when there is none (or no free slot, told).
TWFichier* CanvasToSheet(Application& app, const TWPlot& plot, int first = 1);
// "List plotted values" of a canvas of plotted records (kinds 0, 1 and 7).
void ListPlottedValues(TWPlot& plot);
// "Save measurements in canvas ...": the displayed records into a new sheet, saved as a file.
void SaveCanvasMeasurements(Application& app, const TWPlot& plot);

} // namespace ploq
