#pragma once

// The circular plot dialog ("Median"): what the values are (axes, vectors or dips; which
// angle of planes), where they come from (the stereonet canvas or the data sheet), whether
// the circular plot is drawn and what it shows. OK computes the mean, the median and the
// Hodges-Ajne test (the core's ComputeCircularPlot) and shows them on a circular plot canvas,
// or in a text window when no plot is drawn.
//
// The Kuiper test runs from the "Stats 2D" dialog opened for it; its runner and diagram are
// installed here with the circular plot.

#include "stats2d/Stats2D.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ploq {

class Application;
class ClickImage;
class TDlgStats2D;
class TForm1;
class TWPlot;

class TDlgMedian2D : public QWidget {
    Q_OBJECT

public:
    // Use OuvrirMedian2D, which keeps the one instance.
    TDlgMedian2D(TForm1& form, Application& app);

    // Brings the sources up to date with the open sheets and canvases.
    void FormActivate();
    void Button1Click(); // OK
    void ColourStripClick(int x);
    void setTall(bool tall);
    bool tall() const;

    // The settings the controls show, as StyleStats2D holds them (bits the dialog does not own
    // kept as they are).
    std::int32_t styleWord() const;

    QRadioButton* kindButton(int natM) const { return kinds_[static_cast<std::size_t>(natM)]; }
    QRadioButton* planeButton(int sBy) const { return planes_[static_cast<std::size_t>(sBy)]; }
    QRadioButton* canvasSource() const { return canvasSource_; }
    QRadioButton* sheetSource() const { return sheetSource_; }
    QRadioButton* allValues() const { return allValues_; }
    QRadioButton* selectionValues() const { return selection_; }
    QPushButton* selectButton() const { return select_; }
    QCheckBox* drawBox() const { return draw_; }
    QCheckBox* averageBox() const { return average_; }
    QCheckBox* medianBox() const { return median_; }
    QCheckBox* hodgesAjneBox() const { return hodgesAjne_; }
    QCheckBox* graduationsBox() const { return graduations_; }
    ClickImage* colourStrip() const { return colours_; }
    QGroupBox* optionsGroup() const { return options_; }
    QToolButton* optionsButton() const { return optionsButton_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The summary: kind and angle of planes.
    std::array<QLabel*, 2> summary() const { return summary_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildKinds();
    QWidget* buildSources();
    QWidget* buildOptions();
    void restore();
    void showSummary();
    void showColours();
    void enableShown();
    int natM() const;
    int sBy() const;
    // All the values of the source, sorted; none without a source.
    std::vector<double> collect();

    TForm1& form_;
    Application& app_;
    std::array<QRadioButton*, 4> kinds_{};
    std::array<QRadioButton*, 3> planes_{};
    std::array<QLabel*, 2> summary_{};
    QRadioButton* canvasSource_ = nullptr;
    QRadioButton* sheetSource_ = nullptr;
    QRadioButton* allValues_ = nullptr;
    QRadioButton* selection_ = nullptr;
    QPushButton* select_ = nullptr;
    QGroupBox* options_ = nullptr;
    QCheckBox* draw_ = nullptr;
    QCheckBox* average_ = nullptr;
    QCheckBox* median_ = nullptr;
    QCheckBox* hodgesAjne_ = nullptr;
    QCheckBox* graduations_ = nullptr;
    ClickImage* colours_ = nullptr;
    QToolButton* optionsButton_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Opens the dialog, made the first time; nothing without a sheet or canvas.
TDlgMedian2D* OuvrirMedian2D(TForm1& form, Application& app);

// The Kuiper test of the values, as OK of the "Stats 2D" dialog runs it for type 6: its lines
// in a diagram window (a new one, or the current Kuiper diagram when "in a new window" is not
// checked) and the diagram of the values; only zeros close a window made for them, and tell.
void RunKuiperTest(Application& app, TDlgStats2D& dialog, std::span<const double> sorted,
                   const Stats2DChoice& choice);

// "Circular plot" and "Kuiper test", and the pictures of their windows.
void InstallCircularCommands(TForm1& form, Application& app);

} // namespace ploq
