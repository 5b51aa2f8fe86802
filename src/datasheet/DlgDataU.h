#pragma once

// The find/change/select dialog: one modeless dialog in three modes that searches the current
// data sheet by a code or a value criterion, changes codes, and copies the rows found, or a
// range of rows, into a new sheet. The work itself is in DataU.h.

#include "datasheet/DataU.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ploq {

class Application;
class TForm1;
class TWFichier;

class TDlgDataU : public QDialog {
    Q_OBJECT

public:
    // Use ShowDataU, which keeps the one instance.
    TDlgDataU(TForm1& form, Application& app);

    DataUMode mode() const { return butDlg_; }
    // Lays the dialog out for the mode (SetDlgDataU) and forgets the whole-sheet check.
    void setMode(DataUMode mode);
    // What LireParam read last.
    const SearchParams& params() const { return params_; }
    bool sheetChecked() const { return testSt1_; }

    QLabel* sheetLabel() const { return sheetLabel_; }
    QLabel* searchLabel() const { return searchLabel_; }
    QComboBox* searchBox() const { return comboBox1_; }
    QCheckBox* fullWordBox() const { return fullWord_; }
    QCheckBox* caseBox() const { return caseSensitive_; }
    QGroupBox* moveGroup() const { return moveGroup_; }
    QRadioButton* upButton() const { return up_; }
    QRadioButton* downButton() const { return down_; }
    QGroupBox* valGroup() const { return valGroup_; }
    QRadioButton* valButton(int i) const { return val_[static_cast<std::size_t>(i)]; }
    // The first " on " group (Az, Pe, Sens) and the second (Az, Pe).
    QGroupBox* onGroup(int group) const { return group == 0 ? on1Group_ : on2Group_; }
    QRadioButton* onButton(int group, int i) const;
    QGroupBox* keepGroup() const { return keepGroup_; }
    QRadioButton* keepButton(int i) const { return keep_[static_cast<std::size_t>(i)]; }
    QGroupBox* columnGroup() const { return columnGroup_; }
    QRadioButton* columnButton(int field) const { return column_[static_cast<std::size_t>(field)]; }
    QGroupBox* linesGroup() const { return linesGroup_; }
    QLineEdit* fromBox() const { return from_; }
    QLineEdit* toBox() const { return to_; }
    QPushButton* selectLinesButton() const { return selectLines_; }
    QLabel* changeLabel() const { return changeLabel_; }
    QLineEdit* changeBox() const { return changeBox_; }
    QPushButton* button1() const { return button1_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* changeButton() const { return change_; }
    QPushButton* changeAllButton() const { return changeAll_; }

    // Top-left corners of the messages about the search and about the replacement.
    Point searchMessagePlace() const;
    Point changeMessagePlace() const;

public slots:
    void Button1Click(); // "Find" or "Select", and F3
    void CancelClick();
    void ChangeClick();
    void ChangeAllClick();
    void SelectLinesClick(); // "select" of a range of lines
    void ColumnClick();      // a " column " item
    void ValClick();         // " val "
    void FormActivate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override;

private:
    void build();
    void placeControls();
    void applyOptions();
    void writeOptions();
    void SetDlgDataU();
    void SetRGroup56();
    void SetBoutons();
    void SetComboBox1();
    void LireParam();
    int chosenField() const;
    // The notation, in the current sheet, of the kind " val " chooses.
    int chosenNotation() const;
    bool searchTextEdited();
    bool askBeforeChange(const ChangeCheck& check);
    void findNext(TWFichier& sheet);
    void keepChange(TWFichier& sheet, const CellChange& change);
    void undoChanges();
    void tell(Message message, Point at);

    TForm1& form_;
    Application& app_;
    DataUMode butDlg_ = DataUMode::Find;
    SearchParams params_;
    bool testSt1_ = false;
    bool stOk_ = false;
    // Every cell Change and Change all wrote, oldest first, with the sheet that holds it.
    struct KeptChange {
        QPointer<TWFichier> sheet;
        CellChange change;
    };
    std::vector<KeptChange> changes_;

    QLabel* sheetLabel_ = nullptr;
    QLabel* searchLabel_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    QCheckBox* fullWord_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QGroupBox* moveGroup_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QGroupBox* valGroup_ = nullptr;
    std::array<QRadioButton*, 2> val_{};
    QGroupBox* on1Group_ = nullptr;
    std::array<QRadioButton*, 3> on1_{};
    QGroupBox* on2Group_ = nullptr;
    std::array<QRadioButton*, 2> on2_{};
    QGroupBox* keepGroup_ = nullptr;
    std::array<QRadioButton*, 2> keep_{};
    QGroupBox* columnGroup_ = nullptr;
    std::array<QRadioButton*, kFieldCount> column_{};
    QGroupBox* linesGroup_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QPushButton* selectLines_ = nullptr;
    QLabel* changeLabel_ = nullptr;
    QLineEdit* changeBox_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* changeAll_ = nullptr;
};

// The dialog in the mode, made when there is none, placed beside the current sheet and shown;
// null without a current sheet.
TDlgDataU* ShowDataU(TForm1& form, Application& app, DataUMode mode);

// File > Datasheet utilities: "Find", "Change" and "Select".
void InstallDataUCommands(TForm1& form, Application& app);

// The client heights of the three layouts.
constexpr int kDataUHeightSelect = 263;
constexpr int kDataUHeightFind = 214;
constexpr int kDataUHeightChange = 198;

} // namespace ploq
