#pragma once

// A canvas leaving the program: File > "Print" (the page at a chosen diameter, through a print
// preview), File > "Save" (a picture file at a chosen diameter), Edit > "Copy" (the canvas as a
// picture on the clipboard). While the canvas's information panel has the focus, Save and Print
// act on the panel's text as a text window does.

#include "canvas/Plot.h"

namespace ploq {

class Application;
class TForm1;
class TWPlot;

// ImprimerWP: asks the diameter, then opens the print preview of the page; its print button
// gives the printer dialog.
void ImprimerWP(TWPlot& plot);

// SauverImageWP: asks the diameter and the printed frame, then the file (SVG, PDF or PNG), and
// writes the picture through a temporary file renamed into place. True when a file was written;
// a picture that could not be drawn whole or written is told, naming the file, and leaves no
// file (an earlier one stays as it was).
bool SauverImageWP(TWPlot& plot, const CanvasPainters& painters = CanvasPainters::Registered());

// The canvas image and an SVG picture of it, together on the clipboard.
void CopierWP(TWPlot& plot);

// The information panel's text, saved as plain or rich text, or printed.
bool SaveCanvasInfo(TWPlot& plot);
void PrintCanvasInfo(TWPlot& plot);

// File > Save and File > Print while a canvas is current.
void InstallCanvasOutputCommands(TForm1& form, Application& app);

} // namespace ploq
