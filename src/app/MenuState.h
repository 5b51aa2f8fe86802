#pragma once

// What the menus show after every command, activation and close: the enabled state and
// caption of each command, as a pure function of the application's state.

#include "app/Commands.h"

#include <array>
#include <string>

namespace ploq {

// The kind of the current object, from the tag of the window activated last.
enum class Current { None, Sheet, Canvas, Text };

struct AppSnapshot {
    Current current = Current::None;
    std::string title;              // title of the current window
    bool sheetDirty = false;        // the current sheet has unsaved changes
    int canvasKind = 0;             // natWP of the current canvas
    int canvasValues = 0;           // values held by the current canvas
    bool canvasInfoFocused = false; // the current canvas's information panel has the focus
    bool canvasInfoSelection = false;
    bool textHasLines = false;      // the current text window holds text
    bool sheetExists = false;       // a data sheet is open (ActiveWF)
    bool canvasExists = false;      // a canvas is open (WPActif)
    bool textExists = false;        // a text window is open (ActiveWT)
    bool windowsListed = false;     // the Windows menu lists at least one window
    bool planesAsTraces = false;    // bit 13 of StylePlot
    bool toolbarShown = true;       // bit 0 of StyleGene
    // Headings of the nature, number, location and comment codes.
    std::array<std::string, 4> codeHeadings{"Nature", "Number", "Location", "Comment"};
};

struct ItemState {
    bool enabled = true;
    std::string caption;
};

class MenuState {
public:
    MenuState();
    ItemState& operator[](Cmd cmd) { return items_[static_cast<std::size_t>(cmd)]; }
    const ItemState& operator[](Cmd cmd) const { return items_[static_cast<std::size_t>(cmd)]; }

private:
    std::array<ItemState, kCmdCount> items_;
};

MenuState ComputeMenuState(const AppSnapshot& app);

// A window title as the menus quote it: "S1" with its quotation marks.
std::string Quoted(const std::string& title);

} // namespace ploq
