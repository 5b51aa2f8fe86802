#pragma once

// "Contouring RAD": the contouring of a right dihedra canvas's values. Its values are a
// ContourDialogState on the level list of the data contouring, with the grid step and the
// number of curves the default levels are spread over; "Contour" makes a right dihedra contour
// canvas from the right dihedra canvas with the levels as they stand.

#include "stats3d/ContourLevelPanel.h"
#include "stats3d/ContourLevels.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ploq {

class Application;
class TForm1;
class TWPlot;

// The dialog's tag, next to the data contouring's.
constexpr int kDlgContDD = 12325;

class TDlgContDD : public QWidget {
    Q_OBJECT

public:
    // Use OpenDihedraContouring, which keeps the one instance.
    TDlgContDD(QWidget* parent, Application& app);

    const ContourDialogState& state() const { return state_; }
    ContourDialogState& state() { return state_; }
    int curves() const { return curves_; }
    int mi() const { return mi_; }
    int ma() const { return ma_; }
    // Every control shown again from the values.
    void showState();
    // "min = " and "max = " take the values of the right dihedra canvas (none: as they were).
    void takeValuesOf(const TWPlot* dihedra);

    // The controls' handlers.
    void gridStepEdited();
    void curvesEdited();
    void bezierToggled(bool smoothing);
    void levelSelected(int row) { levels_->levelSelected(row); }
    void colourBoxClick() { levels_->colourBoxClick(); }
    void greyEdited() { levels_->greyEdited(); }
    void addClick() { levels_->addClick(); }
    void deleteClick() { levels_->deleteClick(); }
    void modifyClick() { levels_->modifyClick(); }
    void defaultClick();
    void contourClick();

    QLineEdit* gridStepEdit() const { return gridStep_; }
    QLineEdit* curvesEdit() const { return curvesEdit_; }
    QRadioButton* contoursOnlyButton() const { return look_.contoursOnly; }
    QRadioButton* filledButton() const { return look_.filled; }
    QRadioButton* asFillingButton() const { return look_.asFilling; }
    QRadioButton* blackButton() const { return look_.black; }
    QRadioButton* colourButton() const { return look_.colourMode; }
    QRadioButton* greyButton() const { return look_.greyMode; }
    QListWidget* levelList() const { return levels_->levelList(); }
    QLineEdit* levelEdit() const { return levels_->levelEdit(); }
    QToolButton* colourBox() const { return levels_->colourBox(); }
    QLineEdit* greyEdit() const { return levels_->greyEdit(); }
    QPushButton* addButton() const { return levels_->addButton(); }
    QPushButton* deleteButton() const { return levels_->deleteButton(); }
    QPushButton* modifyButton() const { return levels_->modifyButton(); }
    QLabel* minLabel() const { return minLabel_; }
    QLabel* maxLabel() const { return maxLabel_; }
    QCheckBox* bezierBox() const { return bezierBox_; }
    QPushButton* defaultButton() const { return default_; }
    QPushButton* contourButton() const { return contour_; }

protected:
    // In colour mode the standard contour colours take the levels' colours.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildOptions();
    QWidget* buildLevels();

    Application& app_;
    ContourDialogState state_;
    int curves_ = 10; // "nb. of curves"
    int mi_ = 0;
    int ma_ = 0;

    QLineEdit* gridStep_ = nullptr;
    QLineEdit* curvesEdit_ = nullptr;
    ContourLookButtons look_;
    ContourLevelPanel* levels_ = nullptr;
    QLabel* minLabel_ = nullptr;
    QLabel* maxLabel_ = nullptr;
    QCheckBox* bezierBox_ = nullptr;
    QPushButton* default_ = nullptr;
    QPushButton* contour_ = nullptr;
};

// Opens the dialog (or brings the open one forward) with the values of the right dihedra canvas.
TDlgContDD* OpenDihedraContouring(TForm1& form, Application& app);

// The right dihedra canvas a contouring is made from: of the visible canvases of kind 7, the one
// the user worked in last; null when none is open.
TWPlot* DihedraSource(Application& app);

// "Contour": a new right dihedra contour canvas holding a copy of the right dihedra canvas's
// records and values, drawn with the dialog's levels. With no right dihedra canvas, no level or
// no density the user is told and nothing is made; null when no canvas was made.
TWPlot* ContourRightDihedra(Application& app, TDlgContDD& dialog);

// "Density contours" of the right dihedra menu, and the contour canvases' display, so that
// every redraw contours them again.
void InstallDihedraContourCommands(TForm1& form, Application& app);

} // namespace ploq
