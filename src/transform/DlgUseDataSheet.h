#pragma once

// The "Data Sheet" dialog: which open sheet, which lines (kept for other uses), and the rows
// chosen by a key on one code field.

#include "transform/UseDataSheet.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace ploq {

class Application;
class TWFichier;

struct DataSheetChoice {
    QPointer<TWFichier> sheet;
    Field field = Field::Nature;
    std::string key; // ready to match: empty for every row
    int line1 = 1;
    int line2 = 1;
};

class TDlgUseDataSheet : public QDialog {
    Q_OBJECT

public:
    // Opens on `sheet` (one of the open sheets) with the field chosen before.
    TDlgUseDataSheet(Application& app, TWFichier* sheet, Field field, QWidget* parent = nullptr);

    // What OK gives.
    DataSheetChoice choice() const;

    QComboBox* sheetBox() const { return sheets_; }
    QSpinBox* firstLine() const { return line1_; }
    QSpinBox* lastLine() const { return line2_; }
    QRadioButton* fieldButton(Field field) const;
    QComboBox* keyBox() const { return key_; }
    QCheckBox* exactBox() const { return exact_; }

private:
    TWFichier* chosenSheet() const;
    Field chosenField() const;
    // The lines and the key list follow the sheet and the field.
    void showSheet();
    void fillKeys();

    Application& app_;
    std::vector<QPointer<TWFichier>> listed_;
    QComboBox* sheets_ = nullptr;
    QSpinBox* line1_ = nullptr;
    QSpinBox* line2_ = nullptr;
    std::array<QRadioButton*, 4> fields_{};
    QComboBox* key_ = nullptr;
    QCheckBox* exact_ = nullptr;
};

// How the dialog is run: modally, giving QDialog::Accepted or Rejected. Tests put their own
// answers in its place.
using DataSheetChooserRun = std::function<int(TDlgUseDataSheet&)>;
DataSheetChooserRun& RunDataSheetChooser();

// The rows to use, or none when there is no sheet or the user cancelled. The dialog opens
// over `over`, 25 pixels below its top.
std::optional<DataSheetChoice> ChoixDataSheet(Application& app, TWFichier* sheet, Field field,
                                              QWidget* over = nullptr);

} // namespace ploq
