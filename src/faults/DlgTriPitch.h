#pragma once

// The "Selection of faults" dialog: the pairs of a data sheet whose fault dip and striae pitch
// lie in two ranges, copied into a new sheet. The ranges are typed or set to the usual ones of
// normal, strike-slip and reverse faults; SelectFaults and SelectedFaultsSheet do the work.

#include "faults/FaultDisplays.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace ploq {

class Application;
class TForm1;
class TWFichier;

constexpr int kDlgTriPitch = 12339;

class TDlgTriPitch : public QWidget {
    Q_OBJECT

public:
    // Use OuvrirDlgTriPitch, which keeps the one instance. Destroyed when closed.
    TDlgTriPitch(TForm1& form, Application& app);

    // The sheet the pairs are taken from, named with its number of pairs.
    void setSheet(TWFichier& sheet);
    TWFichier* sheet() const { return sheet_; }

    void UsualRangeClick(UsualFault kind); // "Set usual range for :"
    void ButtonSelectClick();              // "Select"

    // What the fields hold: an empty "from" reads 0, an empty "to" 90.
    FaultRanges ranges() const;

    QLabel* captionLabel() const { return caption_; }
    QSpinBox* pitchFromBox() const { return fields_[0]; }
    QSpinBox* pitchToBox() const { return fields_[1]; }
    QSpinBox* dipFromBox() const { return fields_[2]; }
    QSpinBox* dipToBox() const { return fields_[3]; }
    QRadioButton* usualButton(UsualFault kind) const;
    QPushButton* selectButton() const { return select_; }

private:
    void setRanges(const FaultRanges& ranges);

    TForm1& form_;
    Application& app_;
    QPointer<TWFichier> sheet_;
    QLabel* caption_ = nullptr;
    std::array<QSpinBox*, 4> fields_{}; // pitch from, to; dip from, to
    std::array<QRadioButton*, 3> usual_{};
    QPushButton* select_ = nullptr;
};

// Opens the dialog on the sheet, made and placed beside the main window's tool bar the first
// time.
TDlgTriPitch* OuvrirDlgTriPitch(TForm1& form, Application& app, TWFichier& sheet);

inline constexpr std::string_view kCaptionTriPitch = "Selection of faults";

} // namespace ploq
