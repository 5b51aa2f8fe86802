#pragma once

// The best-fit plot dialog: what of a computed result (best axis, plane, circles, bootstrap
// positions, circle by three points) stays on the canvas, in which colour, symbol and pen.
// It only maps its boxes to BestFitChoices; the entries are made in the core.

#include "app/VarGlob.h"
#include "canvas/UtilDessin.h"
#include "stats3d/Stats3Dadd.h"
#include "stats3d/SymbolPicker.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace ploq {

class Application;
class ClickImage;

class TDlgPlotGCPC : public QDialog {
    Q_OBJECT

public:
    // `symbols`: the popup of additional-value symbols (items "01" to "11"), if any.
    TDlgPlotGCPC(const BestFit& fit, const BestFitChoices& initial, const Tcouleur& tco,
                 const Notation& notation, QMenu* symbols, QWidget* parent = nullptr);

    const BestFit& fit() const { return fit_; }
    // The boxes, colour and symbol as they stand.
    BestFitChoices choices() const;

    // A click at x in the colour strip; a symbol 101..111 chosen from the popup.
    void stripReleased(int x);
    void symbolChosen(int symbol);
    void setOptionsOpen(bool open);

    QGroupBox* groupBox() const { return group_; }
    QCheckBox* poleBox() const { return pole_; }
    QCheckBox* circleBox() const { return circle_; }
    QCheckBox* cone95Box() const { return cone95_; }
    QCheckBox* cone99Box() const { return cone99_; }
    QCheckBox* decimalsBox() const { return decimals_; }
    QCheckBox* thickBox() const { return thick_; }
    QCheckBox* dotBox() const { return dot_; }
    QCheckBox* twoPartsBox() const { return twoParts_; }
    QCheckBox* tailedBox() const { return picker_->tailedBox(); }
    QLineEdit* directionField() const { return direction_; }
    QLineEdit* apertureField() const { return aperture_; }
    QToolButton* optionsButton() const { return optionsButton_; }
    QWidget* optionsPanel() const { return options_; }
    ClickImage* symbolImage() const { return picker_->symbolImage(); }
    ClickImage* colourStrip() const { return picker_->colourStrip(); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void showValues();

    BestFit fit_;
    Notation notation_;
    SymbolPicker* picker_ = nullptr;
    QGroupBox* group_ = nullptr;
    QCheckBox* pole_ = nullptr;
    QCheckBox* circle_ = nullptr;
    QCheckBox* cone95_ = nullptr;
    QCheckBox* cone99_ = nullptr;
    QCheckBox* decimals_ = nullptr;
    QCheckBox* thick_ = nullptr;
    QCheckBox* dot_ = nullptr;
    QCheckBox* twoParts_ = nullptr;
    QLineEdit* direction_ = nullptr;
    QLineEdit* aperture_ = nullptr;
    QToolButton* optionsButton_ = nullptr;
    QWidget* options_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// How the dialog is run: modally, giving QDialog::Accepted or Rejected. Tests put their own
// answers in its place.
using PlotGCPCRun = std::function<int(TDlgPlotGCPC&)>;
PlotGCPCRun& RunPlotGCPC();

// Offers a computed result on the current canvas. Whichever button closes the dialog, its
// choices are remembered (TcoAdd, SyAdd of the kind, OptAdd). OK appends the result's entries,
// sets the canvas's undo, writes the report of a bootstrap position and cleans and redraws the
// canvas. False when the user cancels, when the entries do not fit (after telling the user),
// or when there is no canvas that keeps additional values.
bool PlotBestFit(Application& app, int kind, double cone99, double cone95, double aperture,
                 double plunge, double trend, const std::array<ConstructionPoint, 3>& points = {});

} // namespace ploq
