#pragma once

// "Best great circle" and "Best small circle" of the Stats 3D menu on a chosen set, and "Best
// circle distribution analysis" of Other 3D stats on every displayed value of the canvas.

#include "stats3d/Stats3DCommands.h"

namespace ploq {

class Application;
class TForm1;
class TWPlot;

// The heading and centre, the circle, pole and cones marked at once, their lines, then the
// best-fit plot of kind 25.
void BestGreatCircle(Application& app, const Stats3DSelection& selection);
// The fit, its heading and centre, a circle inside the net drawn at once, then the best-fit
// plot of kind 3; a fit that fails says so once and writes nothing.
void BestSmallCircle(Application& app, const Stats3DSelection& selection);
// The chi2 analysis of the current canvas's displayed values: a result canvas holding the
// grid and its diagram, the marks on the canvas analysed. Null when nothing was made.
TWPlot* BestCircleAnalysis(Application& app);

void InstallCircleCommands(TForm1& form, Application& app);

} // namespace ploq
