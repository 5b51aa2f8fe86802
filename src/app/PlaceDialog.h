#pragma once

// Where a tool dialog opens: beside the window it works on, on the screen.

#include "platform/Surface.h"

#include <optional>

namespace ploq {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
};

struct Placement {
    // -1 / 1: beside the active canvas, left or right first; -2 / 2: beside the active data
    // sheet, likewise; 0: under the main window's tool bar.
    int kind = 0;
    int dialogWidth = 0;
    int gap = 0; // 0 counts as 1 pixel
    int topOffset = 0;
    std::optional<ScreenRect> canvas; // the active canvas, if any
    std::optional<ScreenRect> sheet;  // the active data sheet, if any
    ScreenRect mainWindow;
    int mainClientTop = 0;            // screen top of the main window's client area
    bool toolbarShown = true;
    int screenWidth = 1600;
    Point current;                    // where the dialog is now
};

// The top-left corner of the dialog; with no window of the needed kind it stays where it is.
Point PlaceDialog(const Placement& p);

// The height of a title bar that must stay on the screen for the window to be moved.
constexpr int kTitleBarReach = 30;

// Where a window's frame goes so that it can be reached: its title bar on the available part
// of the screen, and the whole frame across when it is not wider than the screen (else its
// left edge on the screen). A frame already there stays where it is.
Point KeepOnScreen(const ScreenRect& frame, const ScreenRect& available);

} // namespace ploq
