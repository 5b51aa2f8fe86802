#pragma once

// The add-to-data dialog: new measurements (an additional value, or what a construction made)
// with their direction, their four codes, symbol and colour, before they join the records of a
// canvas. With two records the user ticks which to add. The dialog maps its controls to
// AddToDataChoices; "Ok" adds through the core and stays open on a refusal.

#include "canvas/UtilDessin.h"
#include "stats3d/AddToData.h"
#include "stats3d/SymbolPicker.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ploq {

class Application;
class ClickImage;
class TWPlot;
struct InfoAdd;

class TDlgAddToData : public QDialog {
    Q_OBJECT

public:
    // `symbols`: the popup of the measurement symbols (items "01" to "16"), if any.
    TDlgAddToData(Application& app, TWPlot& canvas, const AddToDataRequest& request,
                  QMenu* symbols);

    const AddToDataRequest& request() const { return request_; }
    AddToDataChoices choices() const;
    // What the last "Ok" gave.
    const AddToDataResult& result() const { return result_; }

    // A click at x in the colour strip; a symbol 1..16 chosen from the popup.
    void stripReleased(int x);
    void symbolChosen(int symbol);
    // Adds the chosen records to the canvas, writes the line and redraws; on a refusal the
    // user is told and the dialog stays (it closes when the canvas is full or gone).
    void okClick();

    QLineEdit* directionField() const { return direction_; }
    QCheckBox* recordBox(int index) const { return take_[static_cast<std::size_t>(index)]; }
    // Nature, number, location, comment.
    QLineEdit* codeField(int index) const { return codes_[static_cast<std::size_t>(index)]; }
    QCheckBox* tailedBox() const { return picker_->tailedBox(); }
    ClickImage* symbolImage() const { return picker_->symbolImage(); }
    ClickImage* colourStrip() const { return picker_->colourStrip(); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    Application& app_;
    QPointer<TWPlot> canvas_;
    AddToDataRequest request_;
    AddToDataResult result_;
    SymbolPicker* picker_ = nullptr;
    QLineEdit* direction_ = nullptr;
    std::array<QCheckBox*, 2> take_{};
    std::array<QLineEdit*, 4> codes_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// How the dialog is run: modally, giving QDialog::Accepted or Rejected. Tests put their own
// answers in its place.
using AddToDataRun = std::function<int(TDlgAddToData&)>;
AddToDataRun& RunAddToData();

// Offers the records to the canvas in the dialog; true when some were added. A canvas that
// holds no records, or no room for them, refuses at once (telling the user when it is full).
bool AddRecordsToData(Application& app, TWPlot& canvas, const AddToDataRequest& request);

// "add to data" on an entry of the canvas's list, `number` its number: the measurement it
// becomes, offered in the dialog.
bool AddValueToData(Application& app, TWPlot& canvas, const InfoAdd& entry, int number);

} // namespace ploq
