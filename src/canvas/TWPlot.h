#pragma once

// The canvas window: the canvas image in a scroll area, its small tool bar, its labels and
// button, and its information panel. Click modes of later features plug into its mouse
// handlers by mode number.

#include "app/WindowRegistry.h"
#include "canvas/Plot.h"

#include <QWidget>

#include <functional>
#include <map>

class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;

namespace ploq {

class Application;
class CanvasView;
class TForm1;

// A mouse event on the canvas image, in image pixels.
struct CanvasMouse {
    int x = 0;
    int y = 0;
    bool left = true;
    bool shift = false;
    bool ctrl = false;
};

class TWPlot;

// What a click mode does with the mouse; `end` runs when the canvas button ends the mode.
struct ClickMode {
    std::function<void(TWPlot&, const CanvasMouse&)> down;
    std::function<void(TWPlot&, const CanvasMouse&)> move;
    std::function<void(TWPlot&, const CanvasMouse&)> up;
    std::function<void(TWPlot&, bool shift)> end;
};

// The click modes by butPosXY, filled by the features that own them.
std::map<int, ClickMode>& ClickModes();
// What the canvas button does on canvases of a kind other than 0 and 3 (rotated, fault
// canvases), by kind, with the state of Shift.
std::map<int, std::function<void(TWPlot&, bool)>>& KindButtons();
// What the list button lists on canvases whose records are not measurements (the class table
// of a diagram), by kind.
std::map<int, std::function<void(TWPlot&)>>& KindListings();
// The menu the style button opens on canvases of a kind that has its own, by kind; the menu is
// made ready for the canvas each time it is asked for.
std::map<int, std::function<QMenu*(TWPlot&)>>& KindMenus();

class TWPlot : public QWidget, public DataWindow {
    Q_OBJECT

public:
    // Use NewWP: a canvas window exists only in a slot.
    TWPlot(Application& app, int natWP);
    ~TWPlot() override;

    Application& app() { return app_; }
    CanvasModel& model() { return model_; }
    const CanvasModel& model() const { return model_; }

    // DataWindow
    WindowKind kind() const override { return WindowKind::Canvas; }
    std::string title() const override { return title_; }
    bool isNormal() const override;
    bool isListed() const override { return isVisible(); }
    void closeWithoutAsking() override { close(); }
    void runEdit(Cmd command) override;
    void describe(AppSnapshot& snapshot) const override;

    void setTitle(const std::string& title);

    // Gives the canvas radius R and redraws it; with adjust the window shows the whole image.
    // Tells the user and changes nothing when the image cannot be made.
    bool SetRayon(int radius, bool adjust);
    // Redraws the canvas on its image (no clearing) and shows it.
    void Redessiner();
    // Paints the image white and redraws.
    void NettoyerWP();
    // Draws over the image at once and shows it: a mark the next redraw takes away.
    void drawNow(const std::function<void(const DrawContext&)>& draw);
    // Shows the image again after something was drawn on it.
    void showImage();
    void AjusterTaille(bool voirTout);
    void SetControls();
    void MajMenuStyle();
    void SignalClic(bool on);
    // Runs item `position` of the style menu.
    void DoPUMenuStyleCnvs(int position);
    // The grid commands, from the style menu's grid submenu or the main menu.
    enum GridItem { kGridItemStandard, kGridItemPolar, kGridItemAxedClicked, kGridItemAxedGiven,
                    kGridItemIndexed };
    void DoPUMenuGrille(int item);
    // Ends the click mode as the canvas button does.
    void Button1MouseUp(bool shift);
    void setFolded(bool folded);

    // Whether the information panel holds the window's focus: File > Save and Print then act
    // on its text.
    bool infoFocused() const;

    // Writes a line (Windows-1252) in the information panel.
    void appendInfo(const std::string& line, bool bold = false, TColor colour = clBlack,
                    bool italic = false);

    QTextEdit* RichEdit1() const { return richEdit1_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QPushButton* Button1() const { return button1_; }
    QProgressBar* ProgressBar1() const { return progressBar1_; }
    QLineEdit* Edit1() const { return edit1_; }
    QMenu* MenuStyleCnvs() const { return menuStyleCnvs_; }
    // What the style button opens: the kind's own menu, or the style menu.
    QMenu* styleButtonMenu();
    QWidget* toolBarWidget() const { return toolBar_; }
    CanvasView* view() const { return view_; }

    // Tool bar buttons.
    void SetDiamClick();
    void SpeedButton1Click(); // enlarge
    void SpeedButton2Click(); // reduce

    // Mouse events from the image, dispatched on the click mode.
    void imageMouse(int phase, const CanvasMouse& mouse);

signals:
    void redrawn();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    void buildStyleMenu();
    void buildInfoMenu();
    void layoutChildren();
    void showDiameter();
    // Ctrl or Shift pressed or let go: the flag and its mark in the image's corner.
    void modifierKey(bool ctrl, bool down);

    Application& app_;
    CanvasModel model_;
    std::string title_;
    QWidget* imagePanel_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    CanvasView* view_ = nullptr;
    QWidget* toolBar_ = nullptr;
    QToolButton* deplier_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QPushButton* button1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QTextEdit* richEdit1_ = nullptr;
    QMenu* menuStyleCnvs_ = nullptr;
    QMenu* gridMenu_ = nullptr;
    QAction* indexedItem_ = nullptr;
    std::vector<QAction*> styleItems_;
};

// Creates a canvas of the kind in the lowest free slot, makes it the current one and shows
// it; null (after telling the user) when 15 canvases are open or it could not be made.
TWPlot* NewWP(Application& app, int natWP, const std::string& source = {});

// The current canvas window, or null.
TWPlot* ActiveCanvas(Application& app);

// Where a dialog of that width opens beside the canvas (screen pixels, a gap of 1): right
// first for kind 1, left first for kind -1.
Point BesideCanvas(const QWidget& canvas, int width, int kind = 1);

// The click mode 75: each click sets the axis of the grid.
constexpr int kModeGridAxis = 75;

// The canvas commands of the main window.
void InstallCanvasCommands(TForm1& form, Application& app);

} // namespace ploq
