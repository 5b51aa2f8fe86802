#pragma once

// The data sheet window: the grid of the sheet's rows above an edit panel where measurements are
// typed, checked and converted at once. Its messages open next to the edit panel.

#include "app/WindowRegistry.h"
#include "datasheet/SheetEdit.h"
#include "datasheet/SheetEntry.h"
#include "model/DataSheet.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QScrollArea;
class QTableView;
class QToolButton;

namespace ploq {

class Application;
class TWFichierModel;

class TWFichier : public QWidget, public DataWindow {
    Q_OBJECT

public:
    enum class EntryButton { Append, Insert, Modify, Delete, Decimals };

    // Use NewSheet, which refuses when the 15 slots are taken. The window takes the lowest free
    // slot, is placed below the main window by its slot and sized from the settings.
    TWFichier(Application& app, QWidget* mainWindow, DataSheet sheet);
    ~TWFichier() override;

    WindowKind kind() const override { return WindowKind::Sheet; }
    std::string title() const override;
    bool isNormal() const override;
    bool isListed() const override { return !closed_; }
    // Asks to save a sheet with unsaved changes: false on Cancel, and when the save failed.
    bool queryClose() override;
    void closeWithoutAsking() override;
    // Undo, Cut, Copy and Paste on the focused edit box, cell editor, or the grid's selection.
    void runEdit(Cmd command) override;
    void describe(AppSnapshot& snapshot) const override;

    const DataSheet& sheet() const { return sheet_; }
    // Commands that change the sheet from outside (import, utilities) call sheetChanged after.
    DataSheet& sheet() { return sheet_; }
    // The grid, the pick lists and the menus follow the sheet.
    void sheetChanged();

    // Writes the sheet to its file, or to a file asked for when `saveAs` is set or it has none.
    // False when nothing was saved (cancelled, or refused with a message).
    bool SaveSheet(bool saveAs);

    // Top-left corner of this sheet's message boxes: beside its entry button, level with the
    // top of its edit panel.
    Point messagePlace() const;

    // The edit boxes into the sheet (rang 0 appends, > 0 inserts before, < 0 replaces -rang);
    // a refusal is told and changes nothing.
    bool LigneToGrille(int rang);
    // The nature, location and comment of a row, or of the edit boxes, into the pick lists.
    void CellToCB(int row);
    void EditToCB();

    // The sheet's value texts written in other notations (the notation menu, or the options
    // when they change); the current sheet's notations become the settings.
    void ChangeNotation(const Notation& to);
    // The headings of the settings (TNomC) into the grid's header row and the boxes' labels.
    void SetHeadings();
    // The data sheet font of the settings into the grid, rows as tall as it needs.
    void SetGridFont();

    // Prints the table on the printer as it is set up: every page that holds rows, or the pages
    // of the range asked for. Returns the pages printed.
    int PrintSheet(QPrinter& printer);
    // The pages in a preview, from which they are printed.
    void PrintPreview();

    QLineEdit* lE(int column) const { return lE_[static_cast<std::size_t>(column)]; }
    QComboBox* pickList(Field field) const;
    QPushButton* button(EntryButton which) const;
    QToolButton* plusOneButton() const { return plusOne_; }
    QLineEdit* declinationBox() const { return declination_; }
    QCheckBox* useDeclinationBox() const { return useDeclination_; }
    QTableView* grid() const { return grid_; }
    // The edit panel as shown: it scrolls sideways in a window narrower than its boxes.
    QWidget* editPanel() const;
    QWidget* editBoxes() const { return panel_; }
    QCheckBox* gridEditBox() const { return gridEdit_; }
    QMenu* notationMenu() const { return notationMenu_; }
    // The notation menu's item (0..4, 6..9; 5 is the separator).
    QAction* notationItem(int item) const;
    // The selected rows and grid columns; top 0 when nothing is selected.
    struct Selection {
        int top = 0;
        int bottom = 0;
        int left = 0;
        int right = 0;
    };
    Selection selection() const;

    // For the utilities that search and change the sheet from outside: a found cell selected
    // and scrolled to the first or last visible row when it was above or below them, "grid
    // edit" turned off so that a selection shows, and a cell written into the sheet shown.
    void showFoundCell(int row, int column);
    void gridEditOff();
    void cellWritten(int row, int column);

public slots:
    void ButtonAppendClick(); // "é", and Enter in an edit box
    void ButtonInsertClick();
    void ButtonModifyClick();
    void ButtonDeleteClick();
    void ButtonDeciClick();
    void ButtonPlusOneClick();
    void DeclinationChanged(); // the declination box and "add  decli."
    // A click in the grid: a field cell (column 1..5) or the row number (column 0).
    void GrilleClick(int row, int column);
    void PickListChosen(Field field, const QString& code);
    void ToggleEditPanel();
    void EqualWidths();
    // Items 0..4 and 6..9 of the notation menu.
    void NotationItemClick(int item);
    // "grid edit": cells typed in place, no range selected, no row or column dragged.
    void GridEditClick();
    // A cell typed in place (sheet row, grid column 1..5).
    void GridCellEdited(int row, int column, const QString& text);
    // A row or a grid column dragged to another place.
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);
    // The Edit menu's commands.
    void EditUndo();
    void EditCut();
    void EditCopy();
    void EditPaste();
    // The window was activated: it becomes the current sheet.
    void FormActivate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid();
    void buildEditPanel();
    void buildNotationMenu();
    void checkNotationItems();
    void applyGridEdit();
    // The in-place editor of a cell began: its first change is kept for the undo.
    void beginCellEdit(int row, int column);
    void closeCellEditor();
    bool undoHoldsEditedCell() const;
    // The focused edit box (grid column 1..5), 0 for none.
    int focusedBox() const;
    QLineEdit* focusedCellEditor() const;
    void boxEdit(Cmd command, int box);
    void cellEditorEdit(Cmd command, QLineEdit* editor);
    // After the sheet's cells changed: the grid shows them and the block is selected.
    void afterBlockChange(const CellBlock& block);
    // The selection, or the first cell of an empty sheet.
    Selection selectionOrStart() const;
    // Grid column `from` went to `to`: widths, edit texts, labels and settings follow.
    void columnsFollow(int from, int to);
    void keepColumnWidths();
    void renotateValueBox(const Notation& from, const Notation& to);
    QWidget* buildToggles();
    void layoutFields();
    void placeAccessory(QWidget* accessory, Field field);
    void retitle();
    void finishClose();
    // The menus learn of a change of the dirty state (or of the title, with `always`).
    void menusFollow(bool always = false);
    void tell(Message message);
    EditBoxes boxTexts() const;
    void setBoxTexts(const EditBoxes& texts);
    void addToPickList(Field field, const std::string& code);
    // A click in the grid; `select` when the view has not selected the cell or row itself.
    void clicked(int row, int column, bool select);
    void selectRow(int row);
    void selectCell(int row, int column);
    void enableEntry(bool insertAndDelete, bool modify);
    // After an entry: the grid shows the sheet, the row is selected and the menus follow.
    void afterEntry(int row, bool wholeRow);

    Application& app_;
    DataSheet sheet_;
    TWFichierModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QScrollArea* panelArea_ = nullptr;
    int valueTextWidth_ = 0; // of the widest value text, once measured
    QWidget* panel_ = nullptr;
    std::array<QLineEdit*, kColumnCount> lE_{};
    std::array<QLabel*, kColumnCount> labels_{};
    std::array<QHBoxLayout*, kColumnCount> boxRows_{};
    std::array<QComboBox*, kFieldCount> pickLists_{};
    std::array<QPushButton*, 5> buttons_{};
    QToolButton* plusOne_ = nullptr;
    QCheckBox* useDeclination_ = nullptr;
    QLineEdit* declination_ = nullptr;
    QCheckBox* gridEdit_ = nullptr;
    QMenu* notationMenu_ = nullptr;
    std::array<QAction*, kLinesSameItem + 1> notationItems_{};
    bool linesSame_ = false; // "Lines same as planes"
    struct CellEditing {
        int row = 0;
        int column = 0;
        bool saved = false; // its undo is kept
    } editing_;
    bool keepWidths_ = false; // the user sizes the columns
    Qt::MouseButton pressedButton_ = Qt::NoButton; // of the last press in the grid
    int cCkd = 0;             // the last click in the grid: column, row, and the cell's text then
    int rCkd = 0;
    std::string vCkd;
    bool closed_ = false;
    bool menusDirty_ = false;
    std::string title_; // Windows-1252, without the unsaved-changes mark of the window title
};

// Creates a data sheet window in the lowest free slot, shown and made the current sheet; tells
// "maximum number of data sheets (viz. 16) reached" and gives null when the 15 slots are taken.
TWFichier* NewSheet(Application& app, QWidget* mainWindow, DataSheet sheet);
TWFichier* NewSheet(Application& app, QWidget* mainWindow);

// The current data sheet (ActiveWF), or null; the open sheets by slot.
TWFichier* CurrentSheet(Application& app);
std::vector<TWFichier*> OpenSheets(Application& app);

inline constexpr std::string_view kMsgTooManySheets =
    "maximum number of data sheets (viz. 16) reached";

} // namespace ploq
