#pragma once

// The commands of the Stats 3D menu on the current canvas: the choice of the sets they work on,
// shared by all of them, and "Best pôle".

#include "stats3d/Stats3D.h"

#include <QPointer>

#include <optional>

namespace ploq {

class Application;
class TForm1;
class TWPlot;

// The working set a command of the Stats 3D menu works on, and the canvas it came from.
struct Stats3DSelection {
    QPointer<TWPlot> canvas;
    WorkingSet set;
    int setClass = kSetEmpty;
};

// The user chooses the sets (symbol, colour) of the current canvas; none when the chooser is
// cancelled, the set is empty or the user will not mix lines and planes. The canvas then
// comes to the front.
std::optional<Stats3DSelection> SelectStats3D(Application& app);

// "Best pôle" on a chosen set: the heading, the result marked at once with its cones, the
// best-fit plot, and the direction and eigenvalues once the user keeps the result.
void BestPole(Application& app, const Stats3DSelection& selection);

void InstallStats3DCommands(TForm1& form, Application& app);

} // namespace ploq
