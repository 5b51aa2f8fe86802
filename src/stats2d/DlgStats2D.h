#pragma once

// The "Stats 2D" dialog: where the values come from (the stereonet canvas or a data sheet, all
// of them or a selection), what they are (axes, vectors or dips; which angle of planes), the
// classes, and how the diagram is drawn. OK computes a distribution and shows it in a new
// diagram window or over the distributions of the current one. The computation is the core's
// (Stats2D.h); the dialog maps its controls to it.

#include "stats2d/Stats2D.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <span>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace ploq {

class Application;
class TForm1;
class TWFichier;
class TWPlot;

class TDlgStats2D : public QWidget {
    Q_OBJECT

public:
    // Use OuvrirStats2D, which keeps the one instance.
    TDlgStats2D(TForm1& form, Application& app);

    int type() const { return type_; }
    // The diagram type (0 rose, 1 circular histogram, 4 linear histogram, 6 Kuiper test) and
    // the layout that goes with it.
    void setType(int type);
    // Brings the sources up to date with the open sheets and canvases.
    void FormActivate();

    void Button1Click();       // OK
    void DataSelectionClick(); // "data selection"
    void ColourStripClick(int x);
    void setTall(bool tall); // "options"
    bool tall() const;

    // The settings the controls show, as StyleStats2D holds them (bits the dialog does not own
    // kept as they are).
    std::int32_t styleWord() const;

    QRadioButton* canvasSource() const { return canvasSource_; }
    QRadioButton* sheetSource() const { return sheetSource_; }
    QRadioButton* allValues() const { return allValues_; }
    QRadioButton* selectionValues() const { return selection_; }
    QPushButton* dataSelectionButton() const { return dataSelection_; }
    QLabel* selectionLabel() const { return selectionLabel_; }
    QRadioButton* kindButton(int natM) const { return kinds_[static_cast<std::size_t>(natM)]; }
    QRadioButton* planeButton(int sBy) const { return planes_[static_cast<std::size_t>(sBy)]; }
    QSpinBox* widthBox() const { return width_; }
    QSpinBox* shiftBox() const { return shift_; }
    QCheckBox* newWindowBox() const { return newWindow_; }
    QCheckBox* plainBox() const { return plain_; }
    QCheckBox* smoothedBox() const { return smoothed_; }
    QCheckBox* averageBox() const { return average_; }
    QCheckBox* medianBox() const { return median_; }
    QCheckBox* graduateBox() const { return graduate_; }
    QLabel* colourStrip() const { return colours_; }
    QGroupBox* optionsGroup() const { return options_; }
    QToolButton* optionsButton() const { return optionsButton_; }
    QPushButton* okButton() const { return ok_; }
    // The summary: kind, angle of planes, width, shift.
    std::array<QLabel*, 4> summary() const { return summary_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSources();
    QWidget* buildKinds();
    QWidget* buildOptions();
    QWidget* buildSummary();
    void restore();
    void storeSettings();
    void showSummary();
    void showColours();
    void showSelection();
    int natM() const;
    int sBy() const;
    TWFichier* sourceSheet() const;
    // The values the choices take, sorted.
    std::vector<double> collect();
    // The diagram the distribution goes to, made when it must be; null (told) when it cannot.
    TWPlot* targetDiagram();

    TForm1& form_;
    Application& app_;
    int type_ = kDiagramRose;
    QRadioButton* canvasSource_ = nullptr;
    QRadioButton* sheetSource_ = nullptr;
    QRadioButton* allValues_ = nullptr;
    QRadioButton* selection_ = nullptr;
    QPushButton* dataSelection_ = nullptr;
    QLabel* selectionLabel_ = nullptr;
    std::array<QRadioButton*, 4> kinds_{};
    std::array<QRadioButton*, 3> planes_{};
    QGroupBox* options_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* shift_ = nullptr;
    QCheckBox* newWindow_ = nullptr;
    QCheckBox* plain_ = nullptr;
    QCheckBox* smoothed_ = nullptr;
    QCheckBox* average_ = nullptr;
    QCheckBox* median_ = nullptr;
    QCheckBox* graduate_ = nullptr;
    QLabel* colours_ = nullptr;
    std::array<QWidget*, 6> classControls_{}; // hidden for the Kuiper test
    std::array<QLabel*, 4> summary_{};
    QToolButton* optionsButton_ = nullptr;
    QPushButton* ok_ = nullptr;
    // The rows chosen with "data selection" on a sheet.
    QPointer<TWFichier> selectedSheet_;
    SheetSelection sheetSelection_;
};

// The stereonet canvas the values of "stereoplot values" come from: the canvas of measurements
// activated last (a diagram being current does not hide it).
TWPlot* StereonetCanvas(Application& app);

// Where a dialog of the 2D statistics opens: beside the data sheet, or else beside the
// stereonet canvas, left first; under the main window's tool bar without either.
QPoint PlaceStats2DDialog(const TForm1& form, const QWidget& dialog, const QWidget* sheet,
                          const QWidget* canvas);

// Opens the dialog for a diagram type, made the first time; nothing without a sheet or canvas.
TDlgStats2D* OuvrirStats2D(TForm1& form, Application& app, int type);

// What OK runs for the diagram types that are tests rather than class counts (the Kuiper
// test), given the sorted values and the choices.
using Stats2DRunner =
    std::function<void(TDlgStats2D&, std::span<const double> sorted, const Stats2DChoice&)>;
std::map<int, Stats2DRunner>& Stats2DRunners();

// "Rose diagram", "Circular histogram" and "Linear histogram", the diagrams' pictures and
// their class listing.
void InstallStats2DCommands(TForm1& form, Application& app);

// The dialog's sizes: its options group and its least height in the tall layout.
constexpr int kStats2DOptionsHeight = 168;
constexpr int kStats2DTallHeight = 412;
constexpr int kKuiperOptionsHeight = 116;
constexpr int kKuiperTallHeight = 361;

} // namespace ploq
