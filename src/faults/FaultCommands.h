#pragma once

// The Faults menu, and the pair checks every fault tool runs before it trusts a data set to be
// made of fault/striae pairs.

namespace ploq {

class Application;
class TForm1;
class TWFichier;
class TWPlot;

// Plugs the Faults menu's commands into the main window.
void InstallFaultCommands(TForm1& form, Application& app);

// The current data sheet once its rows passed the pair check; null when there is no sheet, or
// when the check refused it (told).
TWFichier* CheckedFaultSheet(Application& app);

// The stereonet canvas the fault tools work on: the most recently activated visible canvas that
// holds records on a net (not a diagram); null when there is none.
TWPlot* FaultCanvas(Application& app);
// That canvas, brought to front, once its records passed the pair check (the count of unknown
// senses told); null when there is none, or when the check refused it (told).
TWPlot* CheckedFaultCanvas(Application& app);

} // namespace ploq
