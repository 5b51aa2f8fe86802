#pragma once

// The "Faults" dialog: fault/striae pairs typed into the active data sheet, each pair a plane
// row and a striae row with the sense and qualifiers in their natures. The checks and the rows
// are PrepareFaultPair and AppendFaultPair; the dialog maps its controls to them, remembers its
// choices in the settings and keeps the number counting.

#include "faults/FaultEntry.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace ploq {

class Application;
class TForm1;

class TDlgEnterFaults : public QWidget {
    Q_OBJECT

public:
    // FormCreate: use OuvrirDlgFaults, which keeps the one instance. The controls take the
    // choices the settings remember.
    TDlgEnterFaults(TForm1& form, Application& app);

    // The dialog shows the current data sheet (a new one when there is none) and numbers from 1.
    void FormShow();

    void ButtonAddClick();    // "Add to the datasheet", and Enter in the fault or striae text
    void ButtonPlusClick();   // "+1" or "-1"
    void ButtonToggleClick(); // turns "+1" into "-1" and back
    void OptionsClick();      // the options arrow: the short or the tall layout
    void NumberChanged(const QString& text);

    // What the controls hold, and the controls put back from it.
    FaultForm form() const;
    bool tall() const;

    QLineEdit* numberBox() const { return number_; }
    QPushButton* plusButton() const { return plus_; }
    QToolButton* toggleButton() const { return toggle_; }
    QCheckBox* autoNumberBox() const { return autoNumber_; }
    QLineEdit* faultBox() const { return fault_; }
    QRadioButton* senseButton(Sense sense) const;
    QLineEdit* striaeBox() const { return striae_; }
    QLabel* fsLabel() const { return fsLabel_; }
    QRadioButton* confidenceButton(Confidence confidence) const;
    QSpinBox* chronologyBox() const { return chronology_; }
    QCheckBox* addToCodeBox() const { return addToCode_; }
    QLineEdit* locationBox() const { return location_; }
    QLineEdit* faultCommentBox() const { return faultComment_; }
    QLineEdit* striaeCommentBox() const { return striaeComment_; }
    QCheckBox* autoCommentBox() const { return autoComment_; }
    QLineEdit* letterBox(int level) const { return letters_[static_cast<std::size_t>(level)]; }
    QSpinBox* maxFSBox() const { return maxFS_; }
    QCheckBox* lightCodeBox() const { return lightCode_; }
    QPushButton* addButton() const { return add_; }
    QToolButton* optionsArrow() const { return options_; }

protected:
    void closeEvent(QCloseEvent* event) override; // FormClose: the choices into the settings
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildShortPart();
    QWidget* buildOptionsPart();
    void restoreMemory();
    void storeMemory();
    void setTall(bool tall);
    void tell(const Message& message);
    void stepNumber();

    TForm1& form_;
    Application& app_;
    QLineEdit* number_ = nullptr;
    QPushButton* plus_ = nullptr;
    QToolButton* toggle_ = nullptr;
    QCheckBox* autoNumber_ = nullptr;
    QLineEdit* fault_ = nullptr;
    QButtonGroup* senses_ = nullptr;
    QLineEdit* striae_ = nullptr;
    QLabel* fsLabel_ = nullptr;
    QPushButton* add_ = nullptr;
    QToolButton* options_ = nullptr;
    QWidget* optionsPart_ = nullptr;
    QButtonGroup* confidences_ = nullptr;
    QSpinBox* chronology_ = nullptr;
    QCheckBox* addToCode_ = nullptr;
    QLineEdit* location_ = nullptr;
    QLineEdit* faultComment_ = nullptr;
    QLineEdit* striaeComment_ = nullptr;
    QCheckBox* autoComment_ = nullptr;
    std::array<QLineEdit*, 3> letters_{};
    QSpinBox* maxFS_ = nullptr;
    QCheckBox* lightCode_ = nullptr;
};

// OuvrirDlgFaults: opens the dialog, made and placed under the main window's tool bar the first
// time.
TDlgEnterFaults* OuvrirDlgFaults(TForm1& form, Application& app);

inline constexpr std::string_view kCaptionEnterFaults = "Faults";

} // namespace ploq
