#pragma once

// The "Right angle dihedra" submenu and "P-T axis" of the Faults menu: the right dihedra and
// P-T canvases they make, the click modes of a right dihedra canvas and the button both kinds
// of canvas cycle their overlays with.

namespace ploq {

class Application;
class TForm1;
class TWPlot;

// The click modes of a right dihedra canvas.
constexpr int kModeDihedraValue = 82;
constexpr int kModeDihedraNode = 83;
constexpr int kModeDihedraZero = 84;

// "Calculate": the right dihedra of the checked fault canvas on a new canvas; null when the
// check refused, or no canvas could be made.
TWPlot* DihedraCalculate(Application& app);
// "P-T axis": the P and T axes of the checked fault canvas on a new canvas.
TWPlot* PTAxesCanvas(Application& app);
// Puts a right dihedra canvas into one of its click modes, the button reading "ok"; false for
// another kind of canvas.
bool StartDihedraMode(TWPlot& canvas, int mode);

void InstallDihedraCommands(TForm1& form, Application& app);

} // namespace ploq
