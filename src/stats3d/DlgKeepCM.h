#pragma once

// The keep dialog of a circle fitted by hand: its pole (and a small circle's aperture), the
// colour and symbol it is kept with, whether its pole is drawn, and which records close to it
// are listed or underlined afterwards. It only maps its controls to ManualCircleChoices.

#include "canvas/UtilDessin.h"
#include "stats3d/ManualCircle.h"
#include "stats3d/SymbolPicker.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ploq {

class Application;
class ClickImage;

class TDlgKeepCM : public QDialog {
    Q_OBJECT

public:
    // `symbols`: the popup of additional-value symbols (items "01" to "11"), if any.
    TDlgKeepCM(const ManualCircle& circle, const ManualCircleChoices& initial, const Tcouleur& tco,
               const Notation& notation, QMenu* symbols, QWidget* parent = nullptr);

    const ManualCircle& circle() const { return circle_; }
    ManualCircleChoices choices() const;

    void stripReleased(int x);
    void symbolChosen(int symbol);

    QLineEdit* poleField() const { return pole_; }
    QLabel* apertureLabel() const { return apertureLabel_; }
    QLineEdit* apertureField() const { return aperture_; }
    QCheckBox* decimalsBox() const { return decimals_; }
    QCheckBox* tailedBox() const { return picker_->tailedBox(); }
    QCheckBox* plotPoleBox() const { return plotPole_; }
    QComboBox* offsetBox() const { return offset_; }
    QCheckBox* listBox() const { return list_; }
    QCheckBox* underlineBox() const { return underline_; }
    ClickImage* symbolImage() const { return picker_->symbolImage(); }
    ClickImage* colourStrip() const { return picker_->colourStrip(); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void showValues();

    ManualCircle circle_;
    Notation notation_;
    SymbolPicker* picker_ = nullptr;
    QLineEdit* pole_ = nullptr;
    QLabel* apertureLabel_ = nullptr;
    QLineEdit* aperture_ = nullptr;
    QCheckBox* decimals_ = nullptr;
    QCheckBox* plotPole_ = nullptr;
    QComboBox* offset_ = nullptr;
    QCheckBox* list_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// How the dialog is run: modally, giving QDialog::Accepted or Rejected. Tests put their own
// answers in its place.
using KeepCMRun = std::function<int(TDlgKeepCM&)>;
KeepCMRun& RunKeepCM();

// Keeps the circle the current canvas's fit left (pole in ar1/ar2, a small circle's aperture
// in ar5) for type "+", "-" or "/": on OK its two entries are appended, the report written and
// the canvas redrawn, and the closest-values choice is returned for the search that follows.
// None when the user cancels, when the entries do not fit (after telling the user), or when
// there is no canvas that keeps additional values.
std::optional<ClosestValues> KeepManualCircle(Application& app, char type);

} // namespace ploq
