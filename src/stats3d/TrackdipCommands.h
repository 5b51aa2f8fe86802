#pragma once

// "Trackdip" of Other 3D stats on the current data sheet: the table of tilt records and the
// polygones in two text windows, the links in the main window's panel, the Trackdip canvas
// with its own popup menu and summit clicks, and optionally the sheet of rotation axes.

#include <QMenu>

#include <array>

namespace ploq {

class Application;
class TForm1;
class TWPlot;

// Runs the analysis on the current sheet; the canvas made, or null when the sheet was refused
// (the user is told) or no window could be made.
TWPlot* Trackdip(Application& app);

// The popup menu of a Trackdip canvas (DoPUMenuTD): the display bits of the canvas.
class TrackdipMenu : public QMenu {
    Q_OBJECT

public:
    enum Item {
        kItemSummits = 0,
        kItemMaximum = 1,
        kItemAllMaxima = 3,
        kItemClickSymbol = 4,
        kItemMaxSymbol = 5,
        kItemSqrtTail = 7,
        kItemSizeFollows = 8,
        kItemReset = 10,
        kItemCount = 11
    };

    explicit TrackdipMenu(TWPlot& plot);

    QAction* item(int position) const { return items_[static_cast<std::size_t>(position)]; }
    // Runs the item at that position.
    void DoPUMenuTD(int position);
    // Captions and check marks from the canvas's display bits.
    void sync();

private:
    void setMaximumCaption();

    TWPlot& plot_;
    std::array<QAction*, kItemCount> items_{};
};

// The canvas's Trackdip menu, made on first use and set from its display bits.
TrackdipMenu* TrackdipMenuOf(TWPlot& plot);

void InstallTrackdipCommands(TForm1& form, Application& app);

} // namespace ploq
