// The data sheet window's table editing: the notation menu, editing in place, dragged rows and
// columns, the Edit menu's undo, cut, copy and paste through the clipboard, and printing.

#include "canvas/PicturesUi.h"
#include "datasheet/TWFichier.h"
#include "platform/QtText.h"
#include "support/SheetUi.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace ploq {
namespace {

using test::ExpectSameRows;
using test::RowTexts;

const std::string kFoldedArea = PLOQ_EXAMPLES "/folded-area.plq";

std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

QClipboard* Clipboard()
{
    return QGuiApplication::clipboard();
}

// Sheets start in the normal mode, where ranges are selected and rows and columns dragged.
struct SheetEdits : test::SheetUi {
    SheetEdits() { SetBit(t.app.settings().OptVal, kOptValEditInGrid, false); }

    // A block selected with the mouse: the grid has the focus.
    static void select(TWFichier& sheet, int top, int bottom, int left, int right)
    {
        sheet.grid()->setFocus();
        const QAbstractItemModel* model = sheet.grid()->model();
        sheet.grid()->selectionModel()->select(
            QItemSelection(model->index(top - 1, left - 1), model->index(bottom - 1, right - 1)),
            QItemSelectionModel::ClearAndSelect);
    }

    // Types into a cell as the user does in "grid edit" mode: the cell becomes current, its
    // editor opens, and the keys go to the editor.
    static void typeInCell(TWFichier& sheet, int row, int column, const QString& text)
    {
        sheet.gridEditBox()->setChecked(true);
        QTableView* grid = sheet.grid();
        const QModelIndex cell = grid->model()->index(row - 1, column - 1);
        grid->setCurrentIndex(cell);
        QLineEdit* editor = nullptr;
        for (QLineEdit* e : grid->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible())
                editor = e;
        ASSERT_NE(editor, nullptr) << "the editor is shown on the current cell";
        editor->selectAll();
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(editor, &press);
        }
    }

    // A sheet of `rows` lines 10 N 1, 10 N 2 ... numbered 1, 2 ..., saved as `file`.
    TWFichier* savedLines(const std::string& file, int rows)
    {
        TWFichier* sheet = newSheet();
        for (int row = 1; row <= rows; ++row)
            enter(*sheet, {"L1", "10 N " + std::to_string(row), std::to_string(row), "", ""});
        t.prompts.expectSaveFile(file);
        form.run(Cmd::FileSaveAs);
        return sheet;
    }

    // A mouse click on a cell, or with column 0 on the row's number, as the user makes it.
    static void click(TWFichier& sheet, int row, int column,
                      Qt::MouseButton button = Qt::LeftButton)
    {
        QTableView* grid = sheet.grid();
        const QModelIndex cell = grid->model()->index(row - 1, std::max(column, 1) - 1);
        grid->scrollTo(cell);
        if (column == 0) {
            QHeaderView* rows = grid->verticalHeader();
            const QPoint at(rows->width() / 2, rows->sectionViewportPosition(row - 1) + 4);
            QTest::mouseClick(rows->viewport(), button, {}, at);
            return;
        }
        QTest::mouseClick(grid->viewport(), button, {}, grid->visualRect(cell).center());
    }

    static std::string shown(const TWFichier& sheet, int row, int column)
    {
        const QAbstractItemModel* model = sheet.grid()->model();
        return fromQString(model->data(model->index(row - 1, column - 1)).toString());
    }

    // The grid shows the sheet in its own order, nothing dragged out of place.
    static void expectGridInOrder(const TWFichier& sheet)
    {
        const QHeaderView* columns = sheet.grid()->horizontalHeader();
        for (int c = 0; c < kFieldCount; ++c)
            EXPECT_EQ(columns->visualIndex(c), c);
        const QHeaderView* rows = sheet.grid()->verticalHeader();
        for (int r = 0; r < sheet.sheet().rowCount(); ++r)
            EXPECT_EQ(rows->visualIndex(r), r);
        EXPECT_EQ(sheet.grid()->model()->rowCount(), sheet.sheet().rowCount());
    }
};

void ExpectSameSheet(const DataSheet& sheet, const DataSheet& before)
{
    ExpectSameRows(sheet, before);
    EXPECT_EQ(sheet.lC, before.lC);
    EXPECT_EQ(sheet.lFrtS, before.lFrtS);
    EXPECT_EQ(sheet.lFrtL, before.lFrtL);
    EXPECT_EQ(sheet.lShowDeci, before.lShowDeci);
}

// --- The notation menu ----------------------------------------------------------------------

TEST_F(SheetEdits, NotationMenuHasItsItemsAndChecksTheSheetsNotations)
{
    t.app.settings().FrtS = 2;
    t.app.settings().FrtL = 1;
    TWFichier* sheet = newSheet();
    const QList<QAction*> items = sheet->notationMenu()->actions();
    ASSERT_EQ(items.size(), 10);
    EXPECT_TRUE(items[5]->isSeparator());
    EXPECT_EQ(items[0]->text(), "Planes by Az Quadrant Dip (120 S 10)");
    EXPECT_EQ(items[3]->text(), "Pole of plane (80/030)");
    EXPECT_EQ(items[6]->text(), "Lines by Trend Quadrant Plunge (030 S 10)");
    EXPECT_EQ(items[9]->text(), "Lines same as planes");
    EXPECT_TRUE(sheet->notationItem(2)->isChecked());
    EXPECT_TRUE(sheet->notationItem(7)->isChecked());
    EXPECT_EQ(sheet->grid()->contextMenuPolicy(), Qt::CustomContextMenu);

    sheet->notationItem(9)->trigger();
    EXPECT_EQ(sheet->sheet().lFrtL, 2) << "lines same as planes";
    sheet->notationItem(4)->trigger();
    EXPECT_EQ(sheet->sheet().lFrtS, 4);
    EXPECT_EQ(sheet->sheet().lFrtL, 2);
    EXPECT_TRUE(sheet->notationItem(9)->isChecked());
    EXPECT_FALSE(sheet->notationItem(7)->isChecked());
    EXPECT_EQ(t.app.settings().FrtS, 4) << "the current sheet's notations are the settings";

    sheet->notationMenu()->adjustSize();
    test::SavePicture(sheet->notationMenu()->grab().toImage(), "sheet-notation-menu.png");
}

TEST_F(SheetEdits, EveryNotationAndBackLeavesTheStoredDirectionsAndTexts)
{
    TWFichier* sheet = open(kFoldedArea);
    ASSERT_NE(sheet, nullptr);
    const DataSheet before = sheet->sheet();
    for (int plane = 0; plane <= 4; ++plane)
        for (int line = 6; line <= kLinesSameItem; ++line) {
            sheet->notationItem(plane)->trigger();
            sheet->notationItem(line)->trigger();
            const DataSheet& now = sheet->sheet();
            for (int row = 1; row <= now.rowCount(); ++row) {
                ASSERT_EQ(now.ltAz[at(row)], before.ltAz[at(row)]) << row;
                ASSERT_EQ(now.ltPe[at(row)], before.ltPe[at(row)]) << row;
            }
            EXPECT_EQ(shown(*sheet, 3, now.columnOf(Field::Value)), now.field(3, Field::Value));
        }
    sheet->notationItem(before.lFrtS)->trigger();
    sheet->notationItem(6 + before.lFrtL)->trigger();
    ExpectSameSheet(sheet->sheet(), before);
    EXPECT_FALSE(sheet->sheet().lDirty) << "the file holds directions, not texts";
}

TEST_F(SheetEdits, AValueWaitingInItsBoxFollowsTheNotation)
{
    TWFichier* sheet = newSheet();
    type(*sheet, {"S0", "120 S 10", "", "", ""});
    sheet->notationItem(1)->trigger();
    EXPECT_EQ(sheet->lE(sheet->sheet().columnOf(Field::Value))->text(), "10 / 210");
    sheet->ButtonAppendClick();
    EXPECT_NEAR(sheet->sheet().ltAz[1] / kDegToRad, 30, 1e-9);
}

// --- Undo of every kind of change, through the Edit menu -------------------------------------

struct WindowChange {
    const char* name;
    std::function<void(SheetEdits&, TWFichier&)> apply;
};

void PrintTo(const WindowChange& c, std::ostream* out)
{
    *out << c.name;
}

class UndoInTheWindow : public SheetEdits, public ::testing::WithParamInterface<WindowChange> {};

TEST_P(UndoInTheWindow, GivesBackTheSheetAsItWas)
{
    TWFichier* sheet = open(kFoldedArea);
    ASSERT_NE(sheet, nullptr);
    const DataSheet before = sheet->sheet();
    GetParam().apply(*this, *sheet);
    ASSERT_NE(sheet->sheet().lUndoWF.zone, kUndoNothing);
    form.run(Cmd::EditUndo);
    ExpectSameSheet(sheet->sheet(), before);
    expectGridInOrder(*sheet);
    const int value = sheet->sheet().columnOf(Field::Value);
    EXPECT_EQ(shown(*sheet, 2, value), before.field(2, Field::Value)) << "the grid follows";
    EXPECT_TRUE(t.prompts.allAnswered());
}

const RowTexts kRow{"L9", "12 N 8", "77", "Here", "new"};

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfChange, UndoInTheWindow,
    ::testing::Values(
        WindowChange{"append", [](SheetEdits&, TWFichier& s) { SheetEdits::enter(s, kRow); }},
        WindowChange{"insert",
                     [](SheetEdits&, TWFichier& s) {
                         s.GrilleClick(2, 0);
                         SheetEdits::type(s, kRow);
                         s.ButtonInsertClick();
                     }},
        WindowChange{"modify a row",
                     [](SheetEdits&, TWFichier& s) {
                         s.GrilleClick(2, 0);
                         SheetEdits::type(s, kRow);
                         s.ButtonModifyClick();
                     }},
        WindowChange{"modify a cell",
                     [](SheetEdits&, TWFichier& s) {
                         const int value = s.sheet().columnOf(Field::Value);
                         s.GrilleClick(2, value);
                         s.lE(value)->setText("10 N 3");
                         s.ButtonModifyClick();
                     }},
        WindowChange{"delete",
                     [](SheetEdits&, TWFichier& s) {
                         s.GrilleClick(2, 0);
                         s.ButtonDeleteClick();
                     }},
        WindowChange{"cut",
                     [](SheetEdits& f, TWFichier& s) {
                         f.select(s, 1, 3, 1, 4);
                         f.form.run(Cmd::EditCut);
                     }},
        WindowChange{"paste",
                     [](SheetEdits& f, TWFichier& s) {
                         Clipboard()->setText("S0\t120 S 10\tp1\nL1\t45 NE 30\tp2\n");
                         f.select(s, 2, 2, 1, 1);
                         f.form.run(Cmd::EditPaste);
                     }},
        WindowChange{"paste beyond the last row",
                     [](SheetEdits& f, TWFichier& s) {
                         Clipboard()->setText("S0\t120 S 10\nL1\t45 NE 30\nL1\t45 NE 31\n");
                         const int last = s.sheet().rowCount();
                         f.select(s, last, last, 1, 1);
                         f.form.run(Cmd::EditPaste);
                     }},
        WindowChange{"type in a cell",
                     [](SheetEdits&, TWFichier& s) {
                         SheetEdits::typeInCell(s, 2, s.sheet().columnOf(Field::Value), "9 N 9");
                     }},
        WindowChange{
            "drag a row",
            [](SheetEdits&, TWFichier& s) { s.grid()->verticalHeader()->moveSection(0, 3); }},
        WindowChange{
            "drag a column",
            [](SheetEdits&, TWFichier& s) { s.grid()->horizontalHeader()->moveSection(1, 4); }},
        WindowChange{"notation", [](SheetEdits&, TWFichier& s) { s.notationItem(3)->trigger(); }},
        WindowChange{"decimals", [](SheetEdits&, TWFichier& s) { s.ButtonDeciClick(); }}),
    [](const ::testing::TestParamInfo<WindowChange>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_F(SheetEdits, EditBoxesCutCopyPasteAndUndo)
{
    TWFichier* sheet = newSheet();
    QLineEdit* box = sheet->lE(3);
    box->setText("A12:b");
    box->setFocus();
    form.run(Cmd::EditCopy);
    EXPECT_EQ(Clipboard()->text(), "A12:b") << "the whole text";
    box->setSelection(0, 3);
    form.run(Cmd::EditCut);
    EXPECT_EQ(box->text(), ":b");
    EXPECT_EQ(Clipboard()->text(), "A12");
    form.run(Cmd::EditUndo);
    EXPECT_EQ(box->text(), "A12:b");
    Clipboard()->setText("first\r\nsecond\n");
    form.run(Cmd::EditPaste);
    EXPECT_EQ(box->text(), "first");
    form.run(Cmd::EditUndo);
    EXPECT_EQ(box->text(), "A12:b");
    EXPECT_TRUE(sheet->sheet().isEmpty());
}

// --- Clipboard blocks -----------------------------------------------------------------------

TEST_F(SheetEdits, CopyGivesASpreadsheetATabSeparatedBlock)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "limb", "Col"});
    enter(*sheet, {"L1", "45 NE 30", "2", "", "Col"});
    select(*sheet, 1, 2, 1, 5);
    form.run(Cmd::EditCopy);
    EXPECT_EQ(Clipboard()->text(), "S0\t120 SW 10\t1\tCol\tlimb\nL1\t45 NE 30\t2\tCol\t\n");
    select(*sheet, 2, 2, 2, 2);
    form.run(Cmd::EditCopy);
    EXPECT_EQ(Clipboard()->text(), "45 NE 30");
}

TEST_F(SheetEdits, ABlockWithOneBadValueIsRefusedAndNothingIsLost)
{
    TWFichier* sheet = open(kFoldedArea);
    ASSERT_NE(sheet, nullptr);
    const DataSheet before = sheet->sheet();
    const QString block = "S0\t120 S 10\tp1\nS0\t45 NE 30\tp2\nL1\t10 N 5\tp3\n";
    Clipboard()->setText(block);
    select(*sheet, before.rowCount() - 1, before.rowCount() - 1, 1, 1);
    t.prompts.expectMessage("45 NE 30 : sense of dip doesn't fit given strike\rLine "
                                + std::to_string(before.rowCount()),
                            Button::Cancel);
    form.run(Cmd::EditPaste);
    ExpectSameSheet(sheet->sheet(), before);
    EXPECT_EQ(sheet->sheet().lMod, before.lMod);
    EXPECT_FALSE(sheet->sheet().lDirty);
    EXPECT_FALSE(form.action(Cmd::FileSave)->isEnabled());
    EXPECT_EQ(Clipboard()->text(), block) << "the block is still there to be corrected";
    EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Error);
}

TEST_F(SheetEdits, ABlockPastedIntoANewSheetMakesItsRows)
{
    TWFichier* sheet = newSheet();
    Clipboard()->setText("S0\t120 S 10\t1\nL1\t45 NE 30\t2\n");
    form.run(Cmd::EditPaste);
    const DataSheet& s = sheet->sheet();
    ASSERT_EQ(s.rowCount(), 2);
    EXPECT_EQ(s.field(1, Field::Value), "120 SW 10");
    EXPECT_EQ(s.field(2, Field::Number), "2");
    EXPECT_EQ(sheet->grid()->model()->headerData(1, Qt::Vertical).toString(), "002");
    EXPECT_GE(sheet->pickList(Field::Nature)->findText("L1"), 0);
    EXPECT_TRUE(form.action(Cmd::FileSave)->isEnabled());
}

TEST_F(SheetEdits, CuttingOrPastingMoreThanFortyRowsWarnsAboutTheUndo)
{
    DataSheet rows = test::LineRows(45);
    TWFichier* sheet = NewSheet(t.app, &form, rows);
    const int number = sheet->sheet().columnOf(Field::Number);
    select(*sheet, 1, 45, number, number);
    t.prompts.expectMessage("retour en arri\xE8re permis que pour 40 lignes du tableau");
    form.run(Cmd::EditCut);
    EXPECT_EQ(sheet->sheet().field(45, Field::Number), "");
    EXPECT_TRUE(t.prompts.allAnswered());
}

// --- What an in-place save writes -----------------------------------------------------------

// A cell found wrong while saving is told as when it was typed: the nature check's message
// with OK, the value decoder's with Cancel; the row is selected and the sheet stays unsaved.
TEST_F(SheetEdits, AWrongCellFoundWhileSavingIsToldWithTheEntrysButtons)
{
    TWFichier* sheet = savedLines(path("wrong.plq"), 3);
    const DataSheet& s = sheet->sheet();
    const struct {
        int row;
        Field field;
        const char* text;
        Buttons buttons;
    } cases[] = {
        {2, Field::Value, "10 Q 400", Button::Cancel},
        {3, Field::Nature, "X9", Button::Ok},
    };
    for (const auto& c : cases) {
        typeInCell(*sheet, c.row, s.columnOf(c.field), c.text);
        t.prompts.expectMessage("");
        form.run(Cmd::FileSave);
        EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Error) << c.text;
        EXPECT_EQ(t.prompts.messages().back().buttons, c.buttons) << c.text;
        EXPECT_EQ(sheet->selection().top, c.row);
        EXPECT_TRUE(s.lDirty);
        typeInCell(*sheet, c.row, s.columnOf(c.field), c.field == Field::Value ? "10 N 2" : "L1");
    }
}

TEST_F(SheetEdits, EveryEditedRowIsSavedInPlace)
{
    const std::string file = path("edits.plq");
    TWFichier* sheet = savedLines(file, 4);
    ASSERT_FALSE(sheet->sheet().lDirty);

    const DataSheet& s = sheet->sheet();
    typeInCell(*sheet, 1, s.columnOf(Field::Comment), "typed");
    typeInCell(*sheet, 2, s.columnOf(Field::Value), "20 S 5");
    select(*sheet, 3, 3, s.columnOf(Field::Number), s.columnOf(Field::Number));
    form.run(Cmd::EditCut);
    Clipboard()->setText("pasted");
    select(*sheet, 4, 4, s.columnOf(Field::Location), s.columnOf(Field::Location));
    form.run(Cmd::EditPaste);
    EXPECT_TRUE(form.action(Cmd::FileSave)->isEnabled());
    form.run(Cmd::FileSave);
    ASSERT_FALSE(s.lDirty);
    close(sheet);

    TWFichier* again = open(file);
    ASSERT_NE(again, nullptr);
    const DataSheet& r = again->sheet();
    EXPECT_EQ(r.field(1, Field::Comment), "typed");
    EXPECT_EQ(r.field(2, Field::Value), "20  S 5");
    EXPECT_NEAR(r.ltAz[2] / kDegToRad, 200, 1e-9);
    EXPECT_EQ(r.field(3, Field::Number), "");
    EXPECT_EQ(r.field(4, Field::Location), "pasted");
}

// --- Grid edit mode, dragged rows and columns, widths ----------------------------------------

TEST_F(SheetEdits, GridEditComesFromTheSettingsAndGoesBackToThem)
{
    SetBit(t.app.settings().OptVal, kOptValEditInGrid, true);
    TWFichier* sheet = newSheet();
    EXPECT_TRUE(sheet->gridEditBox()->isChecked());
    EXPECT_EQ(sheet->grid()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_FALSE(sheet->grid()->horizontalHeader()->sectionsMovable());
    typeInCell(*sheet, 1, sheet->sheet().columnOf(Field::Nature), "S0");
    Clipboard()->setText("L1\t45 NE 30\n");
    form.run(Cmd::EditPaste);
    EXPECT_EQ(sheet->sheet().field(1, Field::Nature), "L1")
        << "a block goes into the sheet, not into the cell's editor";
    Clipboard()->setText("X");
    form.run(Cmd::EditPaste);
    EXPECT_EQ(sheet->sheet().field(1, Field::Nature), "X") << "a text into the editor";
    EXPECT_EQ(sheet->sheet().cell(1, 0), "001") << "typing into an empty sheet makes row 1";
    EXPECT_TRUE(form.action(Cmd::FileSave)->isEnabled()) << "marked while typing";

    sheet->gridEditBox()->setChecked(false);
    EXPECT_EQ(sheet->grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(sheet->grid()->selectionMode(), QAbstractItemView::ContiguousSelection);
    EXPECT_TRUE(sheet->grid()->verticalHeader()->sectionsMovable());
    t.prompts.expectMessage("modified and non saved", Button::No);
    close(sheet);
    EXPECT_FALSE(TestBit(t.app.settings().OptVal, kOptValEditInGrid));
}

TEST_F(SheetEdits, EscapeGivesTheCellBackAndCtrlVPastesABlock)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    const DataSheet before = sheet->sheet();
    const int value = before.columnOf(Field::Value);
    typeInCell(*sheet, 1, value, "10 N 5");
    ASSERT_EQ(sheet->sheet().field(1, Field::Value), "10 N 5");
    QLineEdit* editor = qobject_cast<QLineEdit*>(sheet->focusWidget());
    ASSERT_NE(editor, nullptr);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(editor, &escape);
    ExpectSameRows(sheet->sheet(), before);

    typeInCell(*sheet, 1, 1, "");
    Clipboard()->setText("L1\t45 NE 30\nL2\t45 NE 31\n");
    editor = qobject_cast<QLineEdit*>(sheet->focusWidget());
    ASSERT_NE(editor, nullptr);
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(editor, &paste);
    EXPECT_EQ(sheet->sheet().rowCount(), 2);
    EXPECT_EQ(sheet->sheet().field(2, Field::Nature), "L2");
}

// In "grid edit" mode the grid selects single cells; a click on a row number still selects the
// row whose cells the edit boxes show, and the entry buttons act on that row.
TEST_F(SheetEdits, ARowNumberClickedSelectsTheRowTheButtonsActOn)
{
    SetBit(t.app.settings().OptVal, kOptValEditInGrid, true);
    TWFichier* sheet = open(kFoldedArea);
    ASSERT_NE(sheet, nullptr);
    sheet->resize(500, 600);
    sheet->show();
    const DataSheet before = sheet->sheet();
    const int value = before.columnOf(Field::Value);
    click(*sheet, 77, value);
    EXPECT_EQ(sheet->selection().top, 77);
    click(*sheet, 75, 0);
    EXPECT_EQ(fromQString(sheet->lE(value)->text()), before.field(75, Field::Value));
    EXPECT_EQ(sheet->selection().top, 75);
    EXPECT_EQ(sheet->selection().bottom, 75);

    sheet->button(TWFichier::EntryButton::Delete)->click();
    const DataSheet& s = sheet->sheet();
    ASSERT_EQ(s.rowCount(), before.rowCount() - 1);
    EXPECT_EQ(s.field(75, Field::Value), before.field(76, Field::Value));
    EXPECT_EQ(s.field(76, Field::Value), before.field(77, Field::Value)) << "row 77 is kept";

    click(*sheet, 10, 0);
    click(*sheet, 12, value, Qt::RightButton);
    EXPECT_EQ(fromQString(sheet->lE(1)->text()), before.cell(10, 1))
        << "a right click opens the notation menu and keeps the edit boxes";
    sheet->notationMenu()->close();
}

// A line edit with the key bindings of X11, where Ctrl+E moves to the end of the line: it claims
// the key before the shortcuts are looked at, as the sheet's boxes do there.
struct X11LineEdit : QLineEdit {
    using QLineEdit::QLineEdit;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride
            && static_cast<QKeyEvent*>(e)->keyCombination()
                   == QKeyCombination(Qt::ControlModifier, Qt::Key_E)) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
};

// The menu's shortcuts win over a text box's own bindings: Ctrl+E in a box is "Enter (data
// sheet)", not the end of the line; Ctrl+Z with nothing to undo in the cell editor undoes the
// sheet's last change. A box keeps its editing keys and Ctrl+Z for an edit of its own.
TEST_F(SheetEdits, MenuShortcutsWinOverTheTextBoxesBindings)
{
    SetBit(t.app.settings().OptVal, kOptValEditInGrid, true);
    form.show(); // the menus' shortcuts live while the menu bar is shown
    TWFichier* sheet = open(kFoldedArea);
    ASSERT_NE(sheet, nullptr);
    sheet->show();
    QApplication::setActiveWindow(sheet);
    const DataSheet before = sheet->sheet();
    const int value = before.columnOf(Field::Value);

    auto* x11Box = new X11LineEdit(sheet);
    x11Box->setFocus();
    QTest::keyClick(x11Box, Qt::Key_E, Qt::ControlModifier);
    QWidget* dialog = t.app.dialog(kDlgEnterFile);
    ASSERT_NE(dialog, nullptr) << "Ctrl+E in a text box opens the plot dialog";
    dialog->close();
    flush();
    delete x11Box;

    click(*sheet, 75, 0);
    sheet->button(TWFichier::EntryButton::Delete)->click();
    ASSERT_EQ(sheet->sheet().rowCount(), before.rowCount() - 1);
    click(*sheet, 20, value);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "the cell editor has the keys";
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    ExpectSameRows(sheet->sheet(), before);

    QLineEdit* box = sheet->lE(value);
    box->setFocus();
    box->setText("10/20");
    QTest::keyClicks(box, "5");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "10/20") << "the box takes back its own edit";
    ExpectSameRows(sheet->sheet(), before);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard()->text(), "10/20");
}

TEST_F(SheetEdits, ADraggedRowKeepsItsDirectionAndNumber)
{
    TWFichier* sheet = open(kFoldedArea);
    ASSERT_NE(sheet, nullptr);
    const DataSheet before = sheet->sheet();
    sheet->grid()->verticalHeader()->moveSection(0, 3);
    const DataSheet& s = sheet->sheet();
    expectGridInOrder(*sheet);
    EXPECT_EQ(s.ltAz[4], before.ltAz[1]);
    EXPECT_EQ(s.field(4, Field::Value), before.field(1, Field::Value));
    EXPECT_EQ(sheet->grid()->model()->headerData(3, Qt::Vertical).toString(), "001");
    EXPECT_EQ(sheet->selection().top, 4);
    EXPECT_TRUE(s.lDirty);
}

TEST_F(SheetEdits, AMovedColumnIsSavedAndReloadedTheSame)
{
    TWFichier* sheet = open(kFoldedArea);
    ASSERT_NE(sheet, nullptr);
    const DataSheet before = sheet->sheet();
    const int value = before.columnOf(Field::Value);
    sheet->lE(value)->setText("waiting");
    sheet->grid()->horizontalHeader()->moveSection(value - 1, 4);
    const DataSheet moved = sheet->sheet();
    expectGridInOrder(*sheet);
    EXPECT_EQ(moved.columnOf(Field::Value), 5);
    EXPECT_EQ(t.app.settings().C1, 5) << "the settings take the new order";
    EXPECT_EQ(sheet->lE(5)->text(), "waiting") << "the edit text moves with its field";
    EXPECT_EQ(moved.cell(0, 5), before.cell(0, value)) << "the heading too";
    EXPECT_EQ(fromQString(sheet->grid()->model()->headerData(4, Qt::Horizontal).toString()),
              before.cell(0, value));
    for (int row = 1; row <= moved.rowCount(); ++row)
        for (int f = 0; f < kFieldCount; ++f)
            ASSERT_EQ(moved.field(row, static_cast<Field>(f)),
                      before.field(row, static_cast<Field>(f)))
                << row;

    t.prompts.expectSaveFile(path("moved.plq"));
    form.run(Cmd::FileSaveAs);
    close(sheet);
    TWFichier* again = open(path("moved.plq"));
    ASSERT_NE(again, nullptr);
    ExpectSameSheet(again->sheet(), moved);
}

TEST_F(SheetEdits, ColumnWidthsAreKeptAndMoveWithTheirColumns)
{
    TWFichier* sheet = newSheet();
    sheet->grid()->horizontalHeader()->resizeSection(0, 123);
    EXPECT_EQ(t.app.settings().ColW[1], 123);
    sheet->MoveColumn(1, 3);
    EXPECT_EQ(sheet->grid()->columnWidth(2), 123);
    EXPECT_EQ(t.app.settings().ColW[3], 123);
    TWFichier* next = newSheet();
    EXPECT_EQ(next->grid()->columnWidth(2), 123);
}

// --- Printing -------------------------------------------------------------------------------

int PdfPages(const QString& file)
{
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    const QString bytes = QString::fromLatin1(pdf.readAll());
    return static_cast<int>(bytes.count(QRegularExpression("/Type\\s*/Page[^s]")));
}

struct PdfPrinter {
    explicit PdfPrinter(const QString& file) : printer(QPrinter::HighResolution)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(file);
    }
    QPrinter printer;
};

TEST_F(SheetEdits, EveryPageThatHoldsRowsIsPrinted)
{
    SetBit(t.app.settings().OptVal, kOptValPrintGrid, true);
    DataSheet rows = test::LineRows(300);
    TWFichier* sheet = NewSheet(t.app, &form, rows);
    QDir().mkpath(PLOQ_PICTURES);
    const QString file = QString(PLOQ_PICTURES) + "/sheet-300-rows.pdf";
    {
        PdfPrinter pdf(file);
        EXPECT_EQ(sheet->PrintSheet(pdf.printer), 8) << "300 rows at 42 lines a page";
    }
    EXPECT_EQ(PdfPages(file), 8);

    const QString range = QString::fromStdString(path("range.pdf"));
    {
        PdfPrinter pdf(range);
        pdf.printer.setPrintRange(QPrinter::PageRange);
        pdf.printer.setFromTo(7, 20);
        EXPECT_EQ(sheet->PrintSheet(pdf.printer), 2) << "pages 7 and 8";
    }
    EXPECT_EQ(PdfPages(range), 2);
}

// Rows of the previewed page crossed by a dark line over most of its width: the rules of a
// printed table, which its text never makes. The page is the white part of the preview.
int RuledRows(const QImage& preview)
{
    QRect page;
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            if (preview.pixel(x, y) == qRgb(255, 255, 255))
                page |= QRect(x, y, 1, 1);
    int ruled = 0;
    for (int y = page.top() + 1; y < page.bottom(); ++y) {
        int dark = 0;
        for (int x = page.left() + 1; x < page.right(); ++x)
            dark += qGray(preview.pixel(x, y)) < 160;
        ruled += dark > page.width() / 2;
    }
    return ruled;
}

// Printing rules the table: a rule under each row and a frame, in the preview as on paper, even
// when the grid lines were off.
TEST_F(SheetEdits, ThePrintedSheetIsRuled)
{
    SetBit(t.app.settings().OptVal, kOptValPrintGrid, false);
    DataSheet rows = test::LineRows(12);
    TWFichier* sheet = NewSheet(t.app, &form, rows);
    sheet->PrintPreview();
    auto* preview = sheet->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    preview->resize(700, 990);
    preview->fitToWidth();
    preview->updatePreview();
    const QImage shown = preview->grab().toImage();
    test::SavePicture(shown, "sheet-print-preview.png");
    EXPECT_GE(RuledRows(shown), 13) << "the heading row and 12 rows, each with its rule";
    EXPECT_TRUE(TestBit(t.app.settings().OptVal, kOptValPrintGrid)) << "grid lines are on";
    sheet->findChild<QPrintPreviewDialog*>()->close();
}

TEST_F(SheetEdits, PrintOpensAPreviewOfTheSheet)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    ASSERT_TRUE(form.action(Cmd::FilePrint)->isEnabled());
    form.run(Cmd::FilePrint);
    auto* preview = sheet->findChild<QPrintPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->windowTitle(), "Print \"Data sheet 1\"");
    preview->close();
}

} // namespace
} // namespace ploq
