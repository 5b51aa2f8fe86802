#pragma once

// "Contouring": the dialog of the data contouring. Its values are a ContourDialogState; every
// control writes into it and the view is shown again from it. "Contour" makes a contour canvas
// of the active canvas's working set (or of a contour canvas's directions) with the levels.

#include "stats3d/ContourLevelPanel.h"
#include "stats3d/ContourLevels.h"

#include <QWidget>

#include <span>

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

// The dialog's tag, next to the last one of the tool dialogs.
constexpr int kDlgContours = 12324;

class TDlgContours : public QWidget {
    Q_OBJECT

public:
    // Use OpenContouring, which keeps the one instance. The options come from StyleCont and
    // the set of the active canvas is counted at once.
    TDlgContours(QWidget* parent, Application& app);

    const ContourDialogState& state() const { return state_; }
    ContourDialogState& state() { return state_; }
    // Every control shown again from the values.
    void showState();
    // Counts the set of the active canvas again (kinds 0, 1 and 4; another canvas, or none,
    // leaves the counting as it is).
    void recount();

    // The controls' handlers.
    void gridStepEdited();
    void coneEdited();
    void isovaluesClicked(bool uniformity);
    void drawingClicked(ContourDrawingChoice drawing);
    void levelSelected(int row) { levels_->levelSelected(row); }
    void colourBoxClick() { levels_->colourBoxClick(); }
    void greyEdited() { levels_->greyEdited(); }
    void bezierToggled(bool smoothing);
    void addClick() { levels_->addClick(); }
    void deleteClick() { levels_->deleteClick(); }
    void modifyClick() { levels_->modifyClick(); }
    void defaultClick();
    void contourClick();
    void setCollapsed(bool collapsed);

    // StyleCont and, in colour mode, TcoCont take the dialog's values.
    void saveOptions();

    QLineEdit* gridStepEdit() const { return gridStep_; }
    QLineEdit* coneEdit() const { return cone_; }
    QRadioButton* rawButton() const { return raw_; }
    QRadioButton* uniformityButton() const { return uniformity_; }
    QRadioButton* drawingButton(ContourDrawingChoice d) const
    {
        return drawing_[static_cast<std::size_t>(d)];
    }
    QLabel* drawingNote() const { return drawingNote_; }
    QRadioButton* contoursOnlyButton() const { return look_.contoursOnly; }
    QRadioButton* filledButton() const { return look_.filled; }
    QRadioButton* asFillingButton() const { return look_.asFilling; }
    QRadioButton* blackButton() const { return look_.black; }
    QRadioButton* colourButton() const { return look_.colourMode; }
    QRadioButton* greyButton() const { return look_.greyMode; }
    QGroupBox* levelsGroup() const { return levelsGroup_; }
    QListWidget* levelList() const { return levels_->levelList(); }
    QLabel* maxLabel() const { return maxLabel_; }
    QLineEdit* levelEdit() const { return levels_->levelEdit(); }
    QToolButton* colourBox() const { return levels_->colourBox(); }
    QLineEdit* greyEdit() const { return levels_->greyEdit(); }
    QLabel* greySwatch() const { return levels_->greySwatch(); }
    QCheckBox* bezierBox() const { return bezierBox_; }
    QLabel* bezierNote() const { return bezierNote_; }
    QPushButton* addButton() const { return levels_->addButton(); }
    QPushButton* deleteButton() const { return levels_->deleteButton(); }
    QPushButton* modifyButton() const { return levels_->modifyButton(); }
    QPushButton* defaultButton() const { return default_; }
    QPushButton* contourButton() const { return contour_; }
    QToolButton* optionsButton() const { return optionsButton_; }
    QWidget* optionsPanel() const { return options_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildOptions();
    QWidget* buildLevels();
    void refuse(std::string_view message);

    Application& app_;
    ContourDialogState state_;
    int stepFromPreferences_ = 0;
    bool showing_ = false;

    QWidget* options_ = nullptr;
    QToolButton* optionsButton_ = nullptr;
    QLineEdit* gridStep_ = nullptr;
    QLineEdit* cone_ = nullptr;
    QRadioButton* raw_ = nullptr;
    QRadioButton* uniformity_ = nullptr;
    std::array<QRadioButton*, 3> drawing_{};
    QLabel* drawingNote_ = nullptr;
    ContourLookButtons look_;
    QGroupBox* levelsGroup_ = nullptr;
    ContourLevelPanel* levels_ = nullptr;
    QLabel* maxLabel_ = nullptr;
    QCheckBox* bezierBox_ = nullptr;
    QLabel* bezierNote_ = nullptr;
    QPushButton* default_ = nullptr;
    QPushButton* contour_ = nullptr;
};

// Opens the dialog (or brings the open one forward, counting again) beside the active canvas.
TDlgContours* OpenContouring(TForm1& form, Application& app);

// The canvas a contouring starts from: a data canvas (kinds 0 and 1) or a contour canvas.
bool IsContourSource(int natWP);

// "Contour": with no active canvas the dialog closes; from another kind nothing happens; with
// no level the user is told. Otherwise a new contour canvas, contoured and reported; null when
// none was made.
TWPlot* ContourCommand(Application& app, TDlgContours& dialog);

// What "Contour" does on the contour canvas once made: it keeps the directions and the
// parameters, is drawn and marked contoured, and its panel gets the report.
void ContourOnto(Application& app, TWPlot& plot, std::span<const Direction> set,
                 const ParamContours& params);

} // namespace ploq
