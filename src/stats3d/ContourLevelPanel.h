#pragma once

// The level list of the contouring dialogs with what edits it: the level field, the colour box,
// the grey percentage with its swatch, and "add", "delete", "modify". Every edit goes to the
// dialog's ContourDialogState; an edit refused is told and the fields shown again from the
// values, so a bad value typed is replaced by the last good one.

#include "stats3d/ContourLevels.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string_view>

class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPixmap;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ploq {

class Prompts;

class ContourLevelPanel : public QObject {
    Q_OBJECT

public:
    // Puts the controls in rows 0 to 5 of `layout`, the list down its first column; the state
    // and the prompts outlive the panel. `showState` shows the whole dialog again.
    ContourLevelPanel(QObject* parent, QGridLayout& layout, ContourDialogState& state,
                      Prompts& prompts, std::function<void()> showState);

    // The field, the colour box, the grey percentage and the list shown from the values, the
    // selected level kept.
    void show();
    void showLevels(int selected);

    void levelSelected(int row);
    void colourBoxClick();
    void greyEdited();
    void addClick();
    void deleteClick();
    void modifyClick();

    QListWidget* levelList() const { return levelList_; }
    QLineEdit* levelEdit() const { return levelEdit_; }
    QToolButton* colourBox() const { return colourBox_; }
    QLineEdit* greyEdit() const { return greyEdit_; }
    QLabel* greySwatch() const { return greySwatch_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* modifyButton() const { return modify_; }

private:
    // The typed level, or none after telling why (the field restored).
    std::optional<double> typedLevel();
    void refuse(std::string_view message);

    ContourDialogState& state_;
    Prompts& prompts_;
    std::function<void()> showState_;

    QListWidget* levelList_ = nullptr;
    QLineEdit* levelEdit_ = nullptr;
    QToolButton* colourBox_ = nullptr;
    QLineEdit* greyEdit_ = nullptr;
    QLabel* greySwatch_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* modify_ = nullptr;
};

// Two exclusive choices in a titled box: the first and the second button.
QGroupBox* ContourChoiceBox(const char* title, QRadioButton*& first, const char* firstText,
                            QRadioButton*& second, const char* secondText);
// Checks `on` when `first`, else `off`, without their signals.
void CheckOneOf(QRadioButton* on, QRadioButton* off, bool first);

// " display ", " contour lines " and " filling ": the choices both contouring dialogs offer.
struct ContourLookButtons {
    QRadioButton* contoursOnly = nullptr;
    QRadioButton* filled = nullptr;
    QRadioButton* asFilling = nullptr;
    QRadioButton* black = nullptr;
    QRadioButton* colourMode = nullptr;
    QRadioButton* greyMode = nullptr;

    // Appends the three boxes to `layout`; a click sets the state's choice (grey scale
    // recolours the levels) and shows the dialog again. The state outlives the buttons.
    void build(QBoxLayout& layout, QObject& context, ContourDialogState& state,
               const std::function<void()>& showState);
    void show(const ContourDialogState& state) const;
};

// A line edit of 60 pixels at most in column 1 of `row`, its label in column 0; `edited` runs
// when the editing is finished.
QLineEdit* AddContourField(QGridLayout& layout, int row, const char* label, QObject& context,
                           const std::function<void()>& edited);

// A small picture of a colour, as the level list and the colour boxes show it.
QPixmap ContourSwatch(TColor colour);

} // namespace ploq
