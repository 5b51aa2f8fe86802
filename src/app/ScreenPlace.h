#pragma once

// Windows are placed by their frame, and never where their title bar cannot be reached.

#include "app/PlaceDialog.h"

#include <QPoint>

class QWidget;

namespace ploq {

// Moves the window's frame to the point, or to the nearest place on the screen there (see
// KeepOnScreen); before the window is shown its frame is taken as its own size.
void MoveOnScreen(QWidget& window, QPoint frameTopLeft);

// The window's frame on the screen.
ScreenRect ScreenRectOf(const QWidget& window);

// Where a tool dialog opens beside the data sheet it works on (`gap` pixels apart), on the
// screen of the main window.
Point PlaceBesideSheet(const QWidget& dialog, const QWidget& mainWindow, const QWidget& sheet,
                       int gap);

} // namespace ploq
