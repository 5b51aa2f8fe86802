#pragma once

// The Faults menu's views of the fault/striae pairs of a canvas (striae rakes, hanging-wall
// movement, the histograms of strikes, dips and rakes) and its selection of a sheet's pairs on
// dip and pitch. Each view runs after the canvas pair check and opens a new window; the source
// canvas is left as it was.

namespace ploq {

class Application;
class TForm1;
class TWPlot;

// The rake view (kind 13) or the hanging-wall view (kind 12) of the checked fault canvas; null
// when the check refused or no canvas could be made (told).
TWPlot* FaultView(Application& app, int natWP);
// The histogram of type 7 (strikes), 8 (dips) or 9 (rakes) in a new diagram window; null when
// the check refused, nothing was counted or no window could be made (told).
TWPlot* FaultHistogramWindow(Application& app, int type);

// Plugs the Display items and "Select faults on dip and pitch" into the main window.
void InstallFaultDisplayCommands(TForm1& form, Application& app);

} // namespace ploq
