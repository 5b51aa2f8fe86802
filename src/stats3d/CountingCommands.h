#pragma once

// "Counting" of the Stats 3D menu, which makes a counting canvas from the chosen sets, and
// "Counting-grid nod position", which asks a counting canvas for the node under a click.

#include "stats3d/Stats3DCommands.h"

namespace ploq {

class Application;
class TForm1;
class TWPlot;

// The click mode of the node queries on a counting canvas.
constexpr int kModeCountingNode = 81;

// Counts the chosen set on the grid of the current crown number and shows it on a new counting
// canvas; null when no canvas could be made.
TWPlot* Counting(Application& app, const Stats3DSelection& selection);

// Puts a counting canvas into the node-position click mode; false for another kind.
bool StartNodePosition(TWPlot& canvas);

void InstallCountingCommands(TForm1& form, Application& app);

} // namespace ploq
