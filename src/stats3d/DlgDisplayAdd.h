#pragma once

// "Display best fits": the additional values of a source canvas in two lists. On one canvas
// the right list holds the values shown and OK shows exactly those; from one canvas to another
// the right list holds the values to copy and "add" copies them. Delete erases values, "add to
// data" turns one into a measurement, Cancel gives every list back as the dialog found it.
//
// The dialog is modeless: it follows the canvases that open and close meanwhile, and the
// values other commands append, so that Cancel takes back only what it did itself.

#include "stats3d/DisplayAdd.h"

#include <QDialog>
#include <QPointer>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace ploq {

class Application;
class TForm1;
class TWPlot;

class TDlgDisplayAdd : public QDialog {
    Q_OBJECT

public:
    explicit TDlgDisplayAdd(Application& app);

    // The canvases offered, in the order of both boxes.
    std::vector<TWPlot*> canvases() const;
    TWPlot* source() const;
    TWPlot* target() const;
    bool sameCanvas() const { return source() == target(); }
    const AddLists& lists() const { return lists_; }

    // A canvas chosen in the source or the target box (an index of canvases()).
    void sourceChosen(int index);
    void targetChosen(int index);
    // A line selected in the left or right list (-1: none).
    void leftSelected(int row);
    void rightSelected(int row);
    // The arrow buttons: the selected line goes to the other list.
    void moveRight();
    void moveLeft();
    void deleteClick();
    void addToDataLeft();
    void addToDataRight();
    // "Keep", "OK" or "add".
    void okClick();
    // Cancel, or the dialog closed: every list as the dialog found it.
    void reject() override;

    // Another command changed a list, or a canvas opened or closed.
    void followLists();
    void followCanvases();

    QComboBox* sourceBox() const { return sourceBox_; }
    QComboBox* targetBox() const { return targetBox_; }
    QLabel* sourceLabel() const { return sourceLabel_; }
    QLabel* targetLabel() const { return targetLabel_; }
    QListWidget* leftList() const { return leftList_; }
    QListWidget* rightList() const { return rightList_; }
    QLineEdit* leftValue() const { return leftValue_; }
    QLineEdit* rightValue() const { return rightValue_; }
    QPushButton* leftAddButton() const { return leftAdd_; }
    QPushButton* rightAddButton() const { return rightAdd_; }
    QToolButton* rightArrow() const { return toRight_; }
    QToolButton* leftArrow() const { return toLeft_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    struct Taken {
        QPointer<TWPlot> canvas;
        AddCopy copy;
    };
    // The copy of a canvas's list, taken the first time the dialog works on it.
    AddCopy& take(TWPlot& canvas);
    std::vector<QPointer<TWPlot>> offeredNow() const;
    void fillBoxes();
    void chosen();
    void showLists();
    void showValue(bool right);
    int selectedRang(bool right) const;
    void addToData(bool right);

    Application& app_;
    std::vector<QPointer<TWPlot>> offered_;
    QPointer<TWPlot> source_;
    QPointer<TWPlot> target_;
    std::vector<Taken> taken_;
    AddLists lists_;
    bool restoring_ = false;
    QComboBox* sourceBox_ = nullptr;
    QComboBox* targetBox_ = nullptr;
    QLabel* sourceLabel_ = nullptr;
    QLabel* targetLabel_ = nullptr;
    QListWidget* leftList_ = nullptr;
    QListWidget* rightList_ = nullptr;
    QLineEdit* leftValue_ = nullptr;
    QLineEdit* rightValue_ = nullptr;
    QPushButton* leftAdd_ = nullptr;
    QPushButton* rightAdd_ = nullptr;
    QToolButton* toRight_ = nullptr;
    QToolButton* toLeft_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Opens the dialog (or brings it forward when it is open already); null when no canvas keeps
// additional values.
TDlgDisplayAdd* DisplayBestFits(Application& app);

// Stats 3D > "Display best fits" and its tool button.
void InstallDisplayAddCommands(TForm1& form, Application& app);

} // namespace ploq
