// The data sheet window driven through its slots, with the File commands of the main window.

#include "app/Main.h"
#include "datasheet/Fichier.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWFichierCommands.h"
#include "support/SheetRows.h"
#include "support/SheetUi.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ploq {
namespace {

namespace fs = std::filesystem;
using test::RowTexts;
using test::SheetUi;

const std::string kFoldedArea = PLOQ_EXAMPLES "/folded-area.plq";

struct TypedCase {
    int frtS;
    int frtL;
    RowTexts row;
    const char* shownOrMessage;
    bool accepted;
};

void PrintTo(const TypedCase& c, std::ostream* out)
{
    *out << c.row.nature << " " << c.row.value;
}

class SheetEntryUi : public SheetUi, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(SheetEntryUi, EntryIsCheckedAndWrittenBackOrRefusedBesideTheEditPanel)
{
    const TypedCase& c = GetParam();
    t.app.settings().FrtS = c.frtS;
    t.app.settings().FrtL = c.frtL;
    TWFichier* sheet = newSheet();
    const int valueColumn = sheet->sheet().columnOf(Field::Value);

    if (!c.accepted)
        t.prompts.expectMessage(c.shownOrMessage, Button::Cancel);
    enter(*sheet, c.row);
    const DataSheet& s = sheet->sheet();
    if (!c.accepted) {
        EXPECT_TRUE(s.isEmpty());
        ASSERT_TRUE(t.prompts.messages().back().at.has_value());
        const Point at = *t.prompts.messages().back().at;
        EXPECT_EQ(at.x, sheet->messagePlace().x);
        EXPECT_EQ(at.y, sheet->messagePlace().y);
        EXPECT_EQ(sheet->lE(valueColumn)->text(), QString::fromStdString(c.row.value))
            << "the box keeps what was typed, to be corrected";
        return;
    }
    ASSERT_EQ(s.rowCount(), 1);
    EXPECT_EQ(s.field(1, Field::Value), c.shownOrMessage);
    EXPECT_EQ(sheet->lE(valueColumn)->text(), c.shownOrMessage);
    const QAbstractItemModel* grid = sheet->grid()->model();
    EXPECT_EQ(grid->data(grid->index(0, valueColumn - 1)).toString(), c.shownOrMessage);
    EXPECT_EQ(grid->headerData(0, Qt::Vertical).toString(), "001");
}

INSTANTIATE_TEST_SUITE_P(
    Notations, SheetEntryUi,
    ::testing::Values(TypedCase{0, 0, {"S1", "120 s 10.5", "", "", ""}, "120.0 SW 10.5", true},
                      TypedCase{1, 1, {"L", "10-210", "", "", ""}, "10 / 210", true},
                      TypedCase{2, 2, {"S", "210/10", "", "", ""}, "210 / 10", true},
                      TypedCase{3, 1, {"P", "30/80", "", "", ""}, "30 / 80", true},
                      TypedCase{0, 0, {"S0", "45 NE 30", "", "", ""}, "sense of dip", false},
                      TypedCase{1, 1, {"S0", "10/400", "", "", ""}, "cannot exceed 360", false},
                      TypedCase{
                          1, 1, {"Z", "10/40", "", "", ""}, "must be S, F, P, L or A", false}));

TEST_F(SheetUi, NewSheetIsPlacedByItsSlotAndTitled)
{
    TWFichier* first = newSheet();
    TWFichier* second = newSheet();
    EXPECT_EQ(first->title(), "Data sheet 1");
    EXPECT_EQ(second->title(), "Data sheet 2");
    EXPECT_EQ(second->x() - form.x(), 20);
    EXPECT_EQ(second->y() - form.y(), 15 * 2 + 58);
    EXPECT_EQ(second->width(), t.app.settings().SheetW);
    EXPECT_EQ(CurrentSheet(t.app), second);
    EXPECT_EQ(t.app.registry().ActiveTag, 2);
    EXPECT_EQ(form.action(Cmd::FileSave)->shortcutContext(), Qt::ApplicationShortcut)
        << "Ctrl+S saves from the sheet itself";
}

// The title bar marks a sheet with unsaved changes; the menus and the Windows list name it
// without the mark.
TEST_F(SheetUi, TheTitleMarksUnsavedChanges)
{
    TWFichier* sheet = newSheet();
    const auto shown = [sheet] { return sheet->windowHandle()->title().toStdString(); };
    EXPECT_EQ(shown(), "Data sheet 1");
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    EXPECT_EQ(shown(), "Data sheet 1*");
    EXPECT_EQ(sheet->title(), "Data sheet 1");
    EXPECT_EQ(form.action(Cmd::FileSave)->text(), "Save \"Data sheet 1\"...");
    t.prompts.expectSaveFile(path("marked [*].plq"));
    form.run(Cmd::FileSave);
    EXPECT_EQ(shown(), "marked [*].plq") << "saved: no mark, and a name is shown as it is";
    EXPECT_EQ(sheet->title(), "marked [*].plq");
}

TEST_F(SheetUi, SixteenthSheetIsRefusedAndAFreedSlotIsReused)
{
    for (int i = 0; i < kMaxWindows; ++i)
        newSheet();
    t.prompts.expectMessage("maximum number of data sheets (viz. 16) reached");
    form.run(Cmd::FileNew);
    EXPECT_EQ(OpenSheets(t.app).size(), 15u);
    close(OpenSheets(t.app)[2]);
    EXPECT_EQ(newSheet()->title(), "Data sheet 3");
}

TEST_F(SheetUi, EntryDirtiesTheSheetAndTheMenusFollow)
{
    TWFichier* sheet = newSheet();
    EXPECT_FALSE(form.action(Cmd::FileSave)->isEnabled());
    enter(*sheet, {"S0", "120 S 10", "1", "Col", "limb"});
    EXPECT_TRUE(form.action(Cmd::FileSave)->isEnabled());
    EXPECT_EQ(form.action(Cmd::FileSave)->text(), "Save \"Data sheet 1\"...");
    EXPECT_EQ(sheet->lE(2)->text(), "120 SW 10");
    EXPECT_EQ(sheet->pickList(Field::Location)->findText("Col"), 0);
}

TEST_F(SheetUi, PickListsCollectCodesAndTheNatureListIsSorted)
{
    TWFichier* sheet = newSheet();
    for (const char* nature : {"S1", "L2", "S0", "L2"})
        enter(*sheet, {nature, "10 N 10", "", "", ""});
    QStringList natures;
    for (int i = 0; i < sheet->pickList(Field::Nature)->count(); ++i)
        natures << sheet->pickList(Field::Nature)->itemText(i);
    EXPECT_EQ(natures, (QStringList{"L2", "S0", "S1"}));
    sheet->PickListChosen(Field::Nature, "S0");
    EXPECT_EQ(sheet->lE(sheet->sheet().columnOf(Field::Nature))->text(), "S0");
}

TEST_F(SheetUi, RowClickFillsTheBoxesAndModifyInsertDeleteWorkOnIt)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    enter(*sheet, {"L1", "45 NE 30", "2", "", ""});
    enter(*sheet, {"L1", "50 NE 30", "3", "", ""});
    const DataSheet& s = sheet->sheet();
    const int nature = s.columnOf(Field::Nature);

    sheet->GrilleClick(2, 0);
    EXPECT_EQ(sheet->lE(nature)->text(), "L1");
    EXPECT_TRUE(sheet->button(TWFichier::EntryButton::Delete)->isEnabled());
    sheet->lE(nature)->setText("B1");
    sheet->ButtonModifyClick();
    EXPECT_EQ(s.rowCount(), 3);
    EXPECT_EQ(s.field(2, Field::Nature), "B1");

    sheet->GrilleClick(2, 0);
    sheet->lE(s.columnOf(Field::Value))->setText("10 N 5");
    sheet->ButtonInsertClick();
    EXPECT_EQ(s.rowCount(), 4);
    EXPECT_EQ(s.field(2, Field::Value), "10  N 5");
    EXPECT_EQ(s.field(3, Field::Nature), "B1");
    EXPECT_EQ(sheet->selection().top, 3);

    sheet->ButtonDeleteClick();
    EXPECT_EQ(s.rowCount(), 3);
    EXPECT_EQ(s.field(3, Field::Number), "3");
    EXPECT_EQ(sheet->selection().top, 2);
}

TEST_F(SheetUi, ClickOnACellEditsThatCellAlone)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    const DataSheet& s = sheet->sheet();
    const int number = s.columnOf(Field::Number);
    sheet->GrilleClick(1, number);
    EXPECT_EQ(sheet->lE(s.columnOf(Field::Nature))->text(), "");
    EXPECT_EQ(sheet->lE(number)->text(), "1");
    sheet->ButtonPlusOneClick();
    EXPECT_EQ(sheet->lE(number)->text(), "2");
    sheet->ButtonModifyClick();
    EXPECT_EQ(s.field(1, Field::Number), "2");
    EXPECT_EQ(s.field(1, Field::Value), "120 SW 10");
}

TEST_F(SheetUi, ArrowKeysMoveAroundTheEditBoxes)
{
    TWFichier* sheet = newSheet();
    const std::pair<int, int> moves[] = {{Qt::Key_Up, 5}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2}};
    sheet->lE(1)->setFocus();
    for (const auto& [key, box] : moves) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(sheet->focusWidget(), &press);
        EXPECT_EQ(sheet->focusWidget(), sheet->lE(box));
    }
}

TEST_F(SheetUi, EditPanelShowsAgainOnlyInATallEnoughWindow)
{
    TWFichier* sheet = newSheet();
    sheet->ToggleEditPanel();
    EXPECT_TRUE(sheet->editPanel()->isHidden());
    QApplication::processEvents(); // the layout lets the window shrink
    sheet->resize(400, 200);
    QApplication::processEvents();
    ASSERT_EQ(sheet->height(), 200);
    t.prompts.expectMessage("Window height is too small to display the edit box");
    sheet->ToggleEditPanel();
    EXPECT_TRUE(sheet->editPanel()->isHidden());
    sheet->resize(400, 400);
    QApplication::processEvents();
    sheet->ToggleEditPanel();
    EXPECT_FALSE(sheet->editPanel()->isHidden());
}

// The room a line edit has for its text, inside its frame and margins, as the style draws it.
int TextRoom(const QLineEdit& box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * 2;
}

// Every edit box shows its longest text whole: codes of 9 characters, the value texts of every
// notation. A sheet narrower than the boxes keeps its width, and its panel scrolls sideways to
// the box that has the focus.
TEST_F(SheetUi, TheEditBoxesShowTheirLongestTexts)
{
    TWFichier* sheet = newSheet();
    QApplication::processEvents();
    ASSERT_EQ(sheet->width(), t.app.settings().SheetW);
    const DataSheet& s = sheet->sheet();
    const QFontMetrics metrics(sheet->lE(1)->font());
    int code = 0;
    for (const char* text : {"123456789", "SE limb 2", "Ridge S12", "S0/S1-12b", "F-sinistr"})
        code = std::max(code, metrics.horizontalAdvance(text));
    int value = 0;
    for (int frtS = 0; frtS < 5; ++frtS)
        for (int frtL = 0; frtL < 3; ++frtL)
            for (double trend = 0; trend < 360; trend += 7.3)
                for (double plunge = 0.1; plunge < 90; plunge += 11.1)
                    for (const bool plane : {true, false})
                        value = std::max(value, metrics.horizontalAdvance(QString::fromStdString(
                                                    DirToText(true, plane, plunge * kDegToRad,
                                                              trend * kDegToRad, {frtS, frtL}))));
    for (int column = 1; column <= kFieldCount; ++column) {
        const bool isValue = s.fieldAt(column) == Field::Value;
        EXPECT_GE(TextRoom(*sheet->lE(column)), isValue ? value : code) << "column " << column;
    }

    auto* area = qobject_cast<QScrollArea*>(sheet->editPanel());
    ASSERT_NE(area, nullptr);
    QLineEdit* last = sheet->lE(kFieldCount);
    QApplication::setActiveWindow(sheet);
    sheet->lE(1)->setFocus();
    QTest::keyClick(sheet->lE(1), Qt::Key_Up); // to the last box
    EXPECT_EQ(QApplication::focusWidget(), last);
    const QRect shown = QRect(last->mapTo(area->viewport(), QPoint(0, 0)), last->size());
    EXPECT_TRUE(area->viewport()->rect().contains(shown)) << "the focused box is in sight";
}

TEST_F(SheetUi, EqualWidthsAreKeptForTheNextSheets)
{
    TWFichier* sheet = newSheet();
    sheet->EqualWidths();
    const auto& widths = t.app.settings().ColW;
    for (int column = 2; column <= kFieldCount; ++column)
        EXPECT_EQ(widths[static_cast<std::size_t>(column)], widths[1]);
    EXPECT_EQ(sheet->grid()->columnWidth(0), widths[1]);
}

TEST_F(SheetUi, DecimalsButtonRewritesTheValues)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    sheet->ButtonDeciClick();
    EXPECT_EQ(sheet->sheet().field(1, Field::Value), "120.0 SW 10.0");
}

TEST_F(SheetUi, WestDeclinationIsTakenWithItsSign)
{
    t.app.settings().FrtL = 1;
    TWFichier* sheet = newSheet();
    sheet->declinationBox()->setText("-2");
    sheet->useDeclinationBox()->setChecked(true);
    sheet->DeclinationChanged();
    enter(*sheet, {"L", "10/1", "", "", ""});
    EXPECT_NEAR(sheet->sheet().ltAz[1] / kDegToRad, 359, 1e-9);
    EXPECT_EQ(sheet->sheet().field(1, Field::Value), "10 / 359");
}

TEST_F(SheetUi, AFullSheetRefusesAnotherRowWithAMessage)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    DataSheet& s = sheet->sheet();
    while (s.rowCount() < kMaxValues) {
        s.appendRow();
        for (int column = 1; column < kColumnCount; ++column)
            s.setCell(s.rowCount(), column, s.cell(1, column));
    }
    s.Numeroter();
    sheet->sheetChanged();
    t.prompts.expectMessage("Maximum data sheet  size reached (5000)");
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    EXPECT_EQ(s.rowCount(), kMaxValues);
    EXPECT_EQ(sheet->grid()->model()->rowCount(), kMaxValues);
}

TEST_F(SheetUi, SavedSheetReloadsTheSame)
{
    const std::string file = path("saved.plq");
    TWFichier* sheet = savedSheet(file);
    EXPECT_EQ(sheet->title(), "saved.plq");
    EXPECT_FALSE(sheet->sheet().lDirty);
    EXPECT_FALSE(form.action(Cmd::FileSave)->isEnabled());
    EXPECT_EQ(fs::file_size(file), 3 * kPlqRecordSize);
    const DataSheet kept = sheet->sheet();
    close(sheet);

    TWFichier* reloaded = open(file);
    ASSERT_NE(reloaded, nullptr);
    const DataSheet& again = reloaded->sheet();
    ASSERT_EQ(again.rowCount(), kept.rowCount());
    for (int row = 0; row <= kept.rowCount(); ++row) {
        for (int column = 0; column < kColumnCount; ++column)
            EXPECT_EQ(again.cell(row, column), kept.cell(row, column)) << row << ":" << column;
        EXPECT_EQ(again.ltAz[static_cast<std::size_t>(row)],
                  kept.ltAz[static_cast<std::size_t>(row)]);
        EXPECT_EQ(again.ltPe[static_cast<std::size_t>(row)],
                  kept.ltPe[static_cast<std::size_t>(row)]);
    }
}

TEST_F(SheetUi, SaveUpdatesTheFileInPlace)
{
    const std::string file = path("kept.plq");
    TWFichier* sheet = savedSheet(file);
    sheet->GrilleClick(1, 0);
    sheet->ButtonDeleteClick();
    form.run(Cmd::FileSave);
    EXPECT_EQ(fs::file_size(file), 2 * kPlqRecordSize);
    EXPECT_FALSE(sheet->sheet().lDirty);
}

TEST_F(SheetUi, ANameWithoutExtensionGetsPlq)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    t.prompts.expectSaveFile(path("plain"));
    form.run(Cmd::FileSave);
    EXPECT_TRUE(fs::exists(path("plain.plq")));
    EXPECT_EQ(sheet->title(), "plain.plq");
}

struct CloseCase {
    Button answer;
    bool saveWorks;
    bool closes;
    bool fileWritten;
};

void PrintTo(const CloseCase& c, std::ostream* out)
{
    *out << static_cast<int>(c.answer) << (c.saveWorks ? " saved" : " save fails");
}

class CloseQuestion : public SheetUi, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, ClosesOnlyWhenTheChangesAreSavedOrGivenUp)
{
    const CloseCase& c = GetParam();
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    QPointer<TWFichier> watched = sheet;
    const std::string file = c.saveWorks ? path("closing.plq") : path("missing/closing.plq");
    t.prompts.expectMessage(
        "Sheet \"Data sheet 1\" modified and non saved. Save it before closing ?", c.answer);
    if (c.answer == Button::Yes) {
        t.prompts.expectSaveFile(file);
        if (!c.saveWorks)
            t.prompts.expectMessage("Error writing the file");
    }
    close(sheet);
    EXPECT_EQ(watched.isNull(), c.closes);
    EXPECT_EQ(CurrentSheet(t.app) == nullptr, c.closes);
    EXPECT_EQ(fs::exists(file), c.fileWritten);
    if (!c.closes) {
        EXPECT_TRUE(watched->sheet().lDirty) << "the data are still there, unsaved";
        EXPECT_EQ(watched->sheet().rowCount(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQuestion,
                         ::testing::Values(CloseCase{Button::Yes, true, true, true},
                                           CloseCase{Button::Yes, false, false, false},
                                           CloseCase{Button::No, true, true, false},
                                           CloseCase{Button::Cancel, true, false, false}));

TEST_F(SheetUi, YesWithACancelledFileQuestionKeepsTheSheet)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    QPointer<TWFichier> watched = sheet;
    t.prompts.expectMessage("modified and non saved", Button::Yes).expectSaveFile(std::nullopt);
    close(sheet);
    EXPECT_FALSE(watched.isNull());
}

TEST_F(SheetUi, ClosingKeepsTheSheetChoicesAsDefaults)
{
    TWFichier* sheet = newSheet();
    sheet->ButtonDeciClick();
    sheet->declinationBox()->setText("-5");
    sheet->useDeclinationBox()->setChecked(true);
    sheet->resize(450, 520);
    t.app.settings().OptVal = 0;
    close(sheet);
    const VarGlob& s = t.app.settings();
    EXPECT_TRUE(s.ShowDeci);
    EXPECT_TRUE(TestBit(s.OptVal, kOptValShowDeci));
    EXPECT_TRUE(TestBit(s.OptVal, kOptValAddDecl));
    EXPECT_NEAR(s.Decl / kDegToRad, -5, 1e-12);
    EXPECT_EQ(s.SheetW, 450);
    EXPECT_EQ(s.SheetH, 520);
}

TEST_F(SheetUi, ActivationMakesTheSheetsNotationsCurrent)
{
    t.app.settings().FrtS = 2;
    TWFichier* first = newSheet();
    t.app.settings().FrtS = 4;
    TWFichier* second = newSheet();
    first->FormActivate();
    EXPECT_EQ(t.app.settings().FrtS, 2);
    EXPECT_EQ(CurrentSheet(t.app), first);
    second->FormActivate();
    EXPECT_EQ(t.app.settings().FrtS, 4);
    EXPECT_EQ(t.app.registry().ActiveTag, second->tag());
}

TEST_F(SheetUi, OpenAnExample)
{
    TWFichier* sheet = open(kFoldedArea);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->title(), "folded-area.plq");
    EXPECT_GT(sheet->sheet().rowCount(), 10);
    EXPECT_FALSE(sheet->sheet().lDirty);
    const QString info = form.RichEdit1()->toPlainText();
    EXPECT_TRUE(info.contains(QString::fromStdString("File " + kFoldedArea)));
    EXPECT_TRUE(info.contains(QString(", %1 meas.").arg(sheet->sheet().rowCount())));
    EXPECT_TRUE(info.contains("created "));
    EXPECT_GE(sheet->pickList(Field::Nature)->findText("S0"), 0);
    EXPECT_EQ(sheet->selection().top, sheet->sheet().rowCount()) << "the last row is shown";
    const FileQuestion& asked = t.prompts.fileQuestions().back();
    EXPECT_EQ(asked.title, "Ouvrir");
    EXPECT_EQ(asked.filters.front().second, "*.plq");
}

TEST_F(SheetUi, AFileThatIsNoSheetIsRefusedWithoutAWindow)
{
    std::ofstream(path("short.plq"), std::ios::binary) << "too short";
    t.prompts.expectOpenFile(path("short.plq")).expectMessage("shorter than one record");
    form.run(Cmd::FileOpen);
    EXPECT_TRUE(OpenSheets(t.app).empty());
}

TEST_F(SheetUi, RecentFilesKeepTheLatestFirstWithoutDuplicates)
{
    const std::string a = path("a.plq");
    const std::string b = path("b.plq");
    close(savedSheet(a));
    close(savedSheet(b));
    close(open(a));
    EXPECT_EQ(t.app.settings().FRecents[0], a);
    EXPECT_EQ(t.app.settings().FRecents[1], b);
    EXPECT_EQ(t.app.settings().FRecents[2], "");
    const QList<QAction*> items = form.menu(Cmd::FileReopen)->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text().toStdString(), a);
    EXPECT_EQ(items[1]->text().toStdString(), b);
}

TEST_F(SheetUi, ReopeningAnOpenFileBringsItsSheetToTheFront)
{
    const std::string a = path("a.plq");
    close(savedSheet(a));
    form.menu(Cmd::FileReopen)->actions()[0]->trigger();
    TWFichier* sheetA = CurrentSheet(t.app);
    ASSERT_NE(sheetA, nullptr);
    newSheet();
    ASSERT_NE(CurrentSheet(t.app), sheetA);
    form.menu(Cmd::FileReopen)->actions()[0]->trigger();
    EXPECT_EQ(OpenSheets(t.app).size(), 2u) << "not loaded twice";
    EXPECT_EQ(CurrentSheet(t.app), sheetA);
}

TEST_F(SheetUi, ReopeningAMissingFileSaysSo)
{
    const std::string a = path("a.plq");
    close(savedSheet(a));
    fs::remove(a);
    t.prompts.expectMessage("File not found (file directory modified, or file access error)");
    ReopenRecent(form, t.app, 0);
    EXPECT_TRUE(OpenSheets(t.app).empty());
}

TEST_F(SheetUi, DeleteClosesTheSheetThenRemovesItsFile)
{
    const std::string file = path("gone.plq");
    TWFichier* sheet = savedSheet(file);
    t.prompts.expectMessage("Do you really want to delete " + file + " ?", Button::Abort);
    form.run(Cmd::FileDelete);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(CurrentSheet(t.app), sheet);

    t.prompts.expectMessage("Do you really want to delete " + file + " ?", Button::Yes);
    form.run(Cmd::FileDelete);
    flush();
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(OpenSheets(t.app).empty());
}

TEST_F(SheetUi, DeleteWithoutASheetAsksForTheFile)
{
    const std::string file = path("other.txt");
    std::ofstream(file) << "text";
    t.prompts.expectOpenFile(file).expectMessage("Do you really want to delete", Button::Yes);
    form.run(Cmd::FileDelete);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(t.prompts.fileQuestions().back().title, "Delete");
}

TEST_F(SheetUi, QuittingAsksEverySheetAndKeepsOneWhoseSaveFailed)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    t.prompts.expectMessage("modified and non saved", Button::Yes)
        .expectSaveFile(path("missing/x.plq"))
        .expectMessage("Error writing the file");
    EXPECT_FALSE(form.close());
    EXPECT_EQ(OpenSheets(t.app).size(), 1u);
}

} // namespace
} // namespace ploq
