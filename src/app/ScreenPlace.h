#pragma once

// Windows are placed by their frame, and never where their title bar cannot be reached.

#include <QPoint>

class QWidget;

namespace ploq {

// Moves the window's frame to the point, or to the nearest place on the screen there (see
// KeepOnScreen); before the window is shown its frame is taken as its own size.
void MoveOnScreen(QWidget& window, QPoint frameTopLeft);

} // namespace ploq
