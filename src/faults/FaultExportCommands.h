#pragma once

// Faults > "Export faults datasheet": the pairs of the current data sheet written into a text
// window in the layout of a fault-inversion program, from which the user saves or copies them.

#include "faults/Faults.h"

namespace ploq {

class Application;
class TForm1;
class TWText;

// The text window of an export of the current sheet, shown beside it and marked modified; null
// when there is no sheet, when its pair check refused it (told), or when no text window can be
// made (told).
TWText* ExportFaults(Application& app, FaultLayout layout);

// "Stress 331", "Tektonics VB" and "Yamaji".
void InstallFaultExportCommands(TForm1& form, Application& app);

} // namespace ploq
