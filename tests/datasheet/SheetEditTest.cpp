#include "datasheet/SheetEdit.h"

#include "datasheet/Fichier.h"
#include "datasheet/SheetEntry.h"
#include "support/SheetRows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>

namespace ploq {
namespace {

using test::ExpectSameRows;

const FixedClock kClock(toDayCount({2026, 12, 9, 14, 5, 0}));

std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

struct Measure {
    const char* nature;
    double trendDeg;
    double plungeDeg;
    const char* number;
    const char* location;
    const char* comment;
};

// Rows as a file gives them: directions to the bit, texts written from them in the quadrant
// notations. Codes may hold a ":", and with decimals a value text reaches 13 characters.
DataSheet Measured(bool decimals)
{
    const Measure rows[] = {
        {"S0", 30.47, 79.9, "1", "Col", "a:b"},    {"L1", 212.33, 12.06, "2", "Col", ""},
        {"P", 359.96, 0.02, "3", "Pic:N", "flat"}, {"B", 90.0, 89.99, "4", "", "x"},
        {"S2", 181.5, 45.25, "5", "", ""},         {"L1", 0.04, 33.3, "6", "Gap", "y"}};
    DataSheet sheet;
    sheet.lShowDeci = decimals;
    for (const Measure& m : rows) {
        if (!sheet.isEmpty())
            sheet.appendRow();
        const int row = sheet.rowCount();
        const double trend = m.trendDeg * kDegToRad;
        const double plunge = m.plungeDeg * kDegToRad;
        sheet.setField(row, Field::Nature, m.nature);
        sheet.setField(row, Field::Value,
                       DirToText(decimals, IsPlane(m.nature[0]), plunge, trend, sheet.notation()));
        sheet.setField(row, Field::Number, m.number);
        sheet.setField(row, Field::Location, m.location);
        sheet.setField(row, Field::Comment, m.comment);
        sheet.ltAz[at(row)] = trend;
        sheet.ltPe[at(row)] = plunge;
        sheet.Numeroter();
    }
    SetHeadings(sheet, {"", "Value", "Nature", "Number", "Location", "Comment"});
    return sheet;
}

EditBoxes Boxes(const DataSheet& sheet, const test::RowTexts& row)
{
    EditBoxes boxes;
    boxes[at(sheet.columnOf(Field::Nature))] = row.nature;
    boxes[at(sheet.columnOf(Field::Value))] = row.value;
    boxes[at(sheet.columnOf(Field::Number))] = row.number;
    boxes[at(sheet.columnOf(Field::Location))] = row.location;
    boxes[at(sheet.columnOf(Field::Comment))] = row.comment;
    return boxes;
}

// The angle between the stored direction of a row and the one its text decodes to, degrees.
double TextOffsetDeg(const DataSheet& sheet, int row)
{
    const DirResult dir =
        CellToDir(sheet.natureLetter(row), sheet.field(row, Field::Value), sheet.notation());
    EXPECT_TRUE(dir.ok);
    const auto vector = [](double trend, double plunge) {
        return std::array<double, 3>{std::cos(plunge) * std::cos(trend),
                                     std::cos(plunge) * std::sin(trend), std::sin(plunge)};
    };
    const auto a = vector(dir.trend, dir.plunge);
    const auto b = vector(sheet.ltAz[at(row)], sheet.ltPe[at(row)]);
    const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    return std::acos(std::clamp(dot, -1.0, 1.0)) / kDegToRad;
}

void ExpectSameSheet(const DataSheet& sheet, const DataSheet& before)
{
    ExpectSameRows(sheet, before);
    for (int column = 1; column <= kFieldCount; ++column)
        EXPECT_EQ(sheet.cell(0, column), before.cell(0, column));
    EXPECT_EQ(sheet.lC, before.lC);
    EXPECT_EQ(sheet.lFrtS, before.lFrtS);
    EXPECT_EQ(sheet.lFrtL, before.lFrtL);
    EXPECT_EQ(sheet.lShowDeci, before.lShowDeci);
}

// --- Notations ------------------------------------------------------------------------------

struct ChoiceCase {
    NotationChoice before;
    int item;
    NotationChoice after;
};

TEST(ChooseNotation, PlaneAndLineItemsAndLinesSameAsPlanes)
{
    const ChoiceCase cases[] = {
        {{0, 0, false}, 1, {1, 0, false}}, // a plane item leaves the lines alone
        {{0, 0, false}, 7, {0, 1, false}}, // a line item: its notation
        {{4, 1, false}, 9, {4, 2, true}},  // lines same as planes 3 and 4: direction/plunge
        {{0, 0, true}, 1, {1, 1, true}},   // lines follow the planes
        {{0, 0, true}, 3, {3, 2, true}},
        {{2, 2, true}, 6, {2, 0, false}},  // a line item ends "same as planes"
        {{1, 1, false}, 5, {1, 1, false}}, // the separator
    };
    for (const ChoiceCase& c : cases) {
        const NotationChoice got = ChooseNotation(c.before, c.item);
        EXPECT_EQ(got.frtS, c.after.frtS) << c.item;
        EXPECT_EQ(got.frtL, c.after.frtL) << c.item;
        EXPECT_EQ(got.linesSame, c.after.linesSame) << c.item;
    }
}

TEST(ReNotate, PlaneTextsOfTheExamples)
{
    DataSheet sheet;
    sheet.lShowDeci = false;
    test::EnterRow(sheet, {"S", "120 S 10", "", "", ""});
    sheet.lShowDeci = true;
    test::EnterRow(sheet, {"S", "120 S 10", "", "", ""});
    ASSERT_EQ(sheet.field(1, Field::Value), "120 SW 10");
    ASSERT_EQ(sheet.field(2, Field::Value), "120.0 SW 10.0");
    ReNotate(sheet, {1, 0});
    EXPECT_EQ(sheet.field(1, Field::Value), "10 / 210");
    EXPECT_EQ(sheet.field(2, Field::Value), "10.0 / 210.0");
    EXPECT_EQ(sheet.lFrtS, 1);
}

TEST(ReNotate, ThroughEveryNotationAndBackTheDirectionsStayAndTheTextsComeBack)
{
    for (bool decimals : {false, true}) {
        DataSheet sheet = Measured(decimals);
        const DataSheet before = sheet;
        // Whole degrees are read within half a degree in every notation.
        const double tolerance = decimals ? 0.08 : 0.8;
        for (int frtS = 0; frtS <= 4; ++frtS)
            for (int frtL = 0; frtL <= 2; ++frtL) {
                ReNotate(sheet, {frtS, frtL});
                for (int row = 1; row <= sheet.rowCount(); ++row) {
                    EXPECT_EQ(sheet.ltAz[at(row)], before.ltAz[at(row)]);
                    EXPECT_EQ(sheet.ltPe[at(row)], before.ltPe[at(row)]);
                    EXPECT_LT(TextOffsetDeg(sheet, row), tolerance)
                        << frtS << frtL << " " << sheet.field(row, Field::Value);
                }
            }
        ReNotate(sheet, {0, 0});
        ExpectSameSheet(sheet, before);
    }
}

TEST(ReNotate, ATextWaitingToBeDecodedIsRenotatedAsText)
{
    DataSheet sheet = test::LineRows(2);
    EditGridCell(sheet, 2, sheet.columnOf(Field::Value), "20/300", true);
    const double trend = sheet.ltAz[2];
    ReNotate(sheet, {1, 2});
    EXPECT_EQ(sheet.field(2, Field::Value), "300 / 20");
    EXPECT_EQ(sheet.ltAz[2], trend);
    EXPECT_EQ(sheet.lMod[2], kRowToDecode);
}

TEST(ReNotate, AnEmptySheetTakesTheNotations)
{
    DataSheet sheet;
    ReNotate(sheet, {3, 2});
    EXPECT_EQ(sheet.lFrtS, 3);
    EXPECT_EQ(sheet.lFrtL, 2);
    EXPECT_TRUE(sheet.isEmpty());
}

// --- Undo -----------------------------------------------------------------------------------

struct UndoCase {
    const char* change;
    int rows; // 0: an empty sheet
    std::function<void(DataSheet&)> apply;
};

void PrintTo(const UndoCase& c, std::ostream* out)
{
    *out << c.change;
}

PastePlan Paste(DataSheet& sheet, CellBlock block, const std::string& text)
{
    const PastePlan plan = PlanPaste(sheet, block, text);
    EXPECT_TRUE(plan.ok) << plan.message.text;
    ApplyPaste(sheet, plan);
    return plan;
}

DataSheet SheetOf(int rows)
{
    if (rows == 0) {
        DataSheet sheet = Measured(true);
        sheet.setRowCount(1);
        sheet.deleteRow(1);
        return sheet;
    }
    DataSheet sheet = Measured(true);
    sheet.setRowCount(rows);
    return sheet;
}

class Undo : public ::testing::TestWithParam<UndoCase> {};

TEST_P(Undo, GivesBackTheSheetExactly)
{
    const UndoCase& c = GetParam();
    DataSheet sheet = SheetOf(c.rows);
    const DataSheet before = sheet;
    c.apply(sheet);
    ASSERT_NE(sheet.lUndoWF.zone, kUndoNothing);

    UndoWF(sheet);
    ExpectSameSheet(sheet, before);
    EXPECT_EQ(sheet.lUndoWF.zone, kUndoNothing);
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        if (sheet.lMod[at(row)] != before.lMod[at(row)]) {
            EXPECT_NE(sheet.lMod[at(row)], kRowSaved) << "row " << row << " is saved again";
        }
    }
}

const auto kValue = [](const DataSheet& s) { return s.columnOf(Field::Value); };
const auto kComment = [](const DataSheet& s) { return s.columnOf(Field::Comment); };

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfChange, Undo,
    ::testing::Values(UndoCase{"append", 6,
                               [](DataSheet& s) {
                                   EditBoxes b = Boxes(s, {"L", "10 N 5", "7", "", ""});
                                   ASSERT_TRUE(LigneToGrille(s, b, 0).ok);
                               }},
                      UndoCase{"append to an empty sheet", 0,
                               [](DataSheet& s) {
                                   EditBoxes b = Boxes(s, {"L", "10 N 5", "7", "", ""});
                                   ASSERT_TRUE(LigneToGrille(s, b, 0).ok);
                               }},
                      UndoCase{"insert", 6,
                               [](DataSheet& s) {
                                   EditBoxes b = Boxes(s, {"S", "10 N 5", "7", "", ""});
                                   ASSERT_TRUE(LigneToGrille(s, b, 3).ok);
                               }},
                      UndoCase{"modify a row", 6,
                               [](DataSheet& s) {
                                   SaveRowForUndo(s, 1, kUndoModifiedRow);
                                   EditBoxes b = Boxes(s, {"L", "10 N 5", "7", "c:d", "e"});
                                   ASSERT_TRUE(LigneToGrille(s, b, -1).ok);
                               }},
                      UndoCase{"modify one cell", 6,
                               [](DataSheet& s) {
                                   SaveRowForUndo(s, 1, kUndoModifiedRow);
                                   EditBoxes b;
                                   b[at(kValue(s))] = "100 N 5";
                                   ASSERT_TRUE(ModifyCell(s, b, 1, kValue(s)).ok);
                               }},
                      UndoCase{"delete", 6, [](DataSheet& s) { DeleteSheetRow(s, 2); }},
                      UndoCase{"delete the only row", 1,
                               [](DataSheet& s) { DeleteSheetRow(s, 1); }},
                      UndoCase{"cut a block", 6,
                               [](DataSheet& s) {
                                   CutBlock(s, {2, 4, 1, 3});
                               }},
                      UndoCase{"paste a block that adds rows", 6,
                               [](DataSheet& s) {
                                   Paste(s, {5, 5, 1, 1}, "L\t1 N 2\nS\t10 S 20\nL\t5 E 5\n");
                               }},
                      UndoCase{"paste into an empty sheet", 0,
                               [](DataSheet& s) {
                                   Paste(s, {1, 1, 1, 1}, "L\t1 N 2\nS\t10 S 20\n");
                               }},
                      UndoCase{"paste one text down a column", 6,
                               [](DataSheet& s) {
                                   Paste(s, {1, 3, kComment(s), kComment(s)}, "z");
                               }},
                      UndoCase{"type a value in the grid", 6,
                               [](DataSheet& s) {
                                   EditGridCell(s, 3, kValue(s), "1", true);
                                   EditGridCell(s, 3, kValue(s), "12 N 8", false);
                               }},
                      UndoCase{"type a code in the grid", 6,
                               [](DataSheet& s) { EditGridCell(s, 2, kComment(s), "new", true); }},
                      UndoCase{"move a row down", 6, [](DataSheet& s) { MoveSheetRow(s, 1, 5); }},
                      UndoCase{"move a row up", 6, [](DataSheet& s) { MoveSheetRow(s, 6, 2); }},
                      UndoCase{"move a column", 6, [](DataSheet& s) { MoveSheetColumn(s, 2, 5); }},
                      UndoCase{"change the notations", 6,
                               [](DataSheet& s) {
                                   ReNotate(s, {4, 2});
                               }},
                      UndoCase{"decimals", 6, [](DataSheet& s) { ToggleDecimals(s); }}),
    [](const ::testing::TestParamInfo<UndoCase>& info) {
        std::string name = info.param.change;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(Undo, KeepsWholeValueTextsAndCodesWithAColon)
{
    DataSheet sheet = Measured(true);
    ASSERT_EQ(sheet.field(1, Field::Value).size(), 13u) << sheet.field(1, Field::Value);
    ASSERT_EQ(sheet.field(1, Field::Comment), "a:b");
    const DataSheet before = sheet;
    SaveRowForUndo(sheet, 1, kUndoModifiedRow);
    EditBoxes boxes = Boxes(sheet, {"L", "1 N 1", "", "", ""});
    ASSERT_TRUE(LigneToGrille(sheet, boxes, -1).ok);
    UndoWF(sheet);
    ExpectSameRows(sheet, before);
}

TEST(Undo, AnEditBoxGetsItsTextBack)
{
    DataSheet sheet = test::LineRows(1);
    SaveBoxForUndo(sheet, 3, "12:34");
    const UndoOutcome outcome = UndoWF(sheet);
    EXPECT_EQ(outcome.column, 3);
    EXPECT_EQ(outcome.boxText, "12:34");
    EXPECT_FALSE(sheet.lDirty);
    EXPECT_EQ(UndoWF(sheet).zone, kUndoNothing) << "one step only";
}

TEST(Undo, ABlockBeyondFortyRowsIsRestoredForItsFirstFortyRows)
{
    DataSheet sheet = test::LineRows(60);
    const DataSheet before = sheet;
    const int number = sheet.columnOf(Field::Number);
    CutBlock(sheet, {1, 50, number, number});
    UndoWF(sheet);
    EXPECT_EQ(sheet.cell(40, number), before.cell(40, number));
    EXPECT_EQ(sheet.cell(41, number), "");
    EXPECT_EQ(UndoLimitMessage(), "Attention, apr\xE8s modification, retour en arri\xE8re permis "
                                  "que pour 40 lignes du tableau");
}

// --- Blocks and the clipboard ---------------------------------------------------------------

TEST(SplitBlock, LinesOfTabSeparatedCells)
{
    using Split = std::vector<std::vector<std::string>>;
    EXPECT_EQ(SplitBlock("a\tb\nc\td\n"), (Split{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(SplitBlock("a\tb\r\nc\t\r\n"), (Split{{"a", "b"}, {"c", ""}}));
    EXPECT_EQ(SplitBlock("one"), (Split{{"one"}}));
    EXPECT_EQ(SplitBlock("\n\nx"), (Split{{""}, {""}, {"x"}}));
    EXPECT_EQ(SplitBlock(""), Split{});
}

TEST(CopyBlock, TabSeparatedLinesOrOneCellAlone)
{
    DataSheet sheet = test::LineRows(3);
    EXPECT_EQ(CopyBlock(sheet, {2, 2, 2, 2}), "10 / 10");
    EXPECT_EQ(CopyBlock(sheet, {1, 2, 1, 3}), "L\t10 / 5\t1\nL\t10 / 10\t2\n");
}

TEST(CutBlock, RowsThatLoseTheirValueWaitToBeDecodedAndCodesAreChanges)
{
    DataSheet sheet = test::LineRows(4);
    const int value = sheet.columnOf(Field::Value);
    const int number = sheet.columnOf(Field::Number);
    EXPECT_EQ(CutBlock(sheet, {1, 1, value, value}), "10 / 5");
    EXPECT_EQ(CutBlock(sheet, {3, 3, number, number}), "3");
    EXPECT_EQ(sheet.lMod[1], kRowToDecode);
    EXPECT_EQ(sheet.lMod[3], kRowChanged);
    EXPECT_EQ(sheet.field(3, Field::Number), "");
    EXPECT_TRUE(sheet.lDirty);
}

TEST(Paste, ABlockFromASpreadsheetBecomesCheckedRows)
{
    DataSheet sheet;
    sheet.lFrtS = 1;
    sheet.lFrtL = 1;
    sheet.lShowDeci = false;
    // Grid columns: nature, value, number, comment, location.
    const PastePlan plan = Paste(sheet, {1, 1, 1, 1},
                                 "S0\t10/210\t1\tlimb\tCol\r\n"
                                 "L1\t25.5-64\t2\t\tCol de la Croix\r\n");
    EXPECT_EQ(plan.overwritten, 1) << "the blank row of the empty sheet";
    ASSERT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.cell(2, 0), "002");
    EXPECT_EQ(sheet.field(1, Field::Value), "10 / 210");
    EXPECT_EQ(sheet.field(2, Field::Value), "25.5 / 64.0") << "a typed decimal is kept";
    EXPECT_EQ(sheet.field(2, Field::Location), "Col de la") << "codes hold 9 characters";
    EXPECT_NEAR(sheet.ltAz[1] / kDegToRad, 30, 1e-9);
    EXPECT_NEAR(sheet.ltPe[2] / kDegToRad, 25.5, 1e-9);
    EXPECT_EQ(sheet.lMod[1], kRowChanged);
    EXPECT_EQ(sheet.lMod[2], kRowChanged);
    EXPECT_TRUE(sheet.lDirty);
}

struct RefusedPaste {
    const char* text;
    const char* message;
};

TEST(Paste, OneBadRowRefusesTheWholeBlockAndChangesNothing)
{
    const RefusedPaste cases[] = {
        {"L\t10/20\nS\t95/210\nL\t1/1\n", "95/210 : dip or plunge must range from 0 to 90"},
        {"L\t10/20\nX\t10/210\n", "First character of the code nature"},
        {"L\t10/20\nL\n", " missing value"},
    };
    for (const RefusedPaste& c : cases) {
        DataSheet sheet = test::LineRows(3);
        const DataSheet before = sheet;
        const PastePlan plan = PlanPaste(sheet, {2, 2, 1, 1}, c.text);
        ASSERT_FALSE(plan.ok) << c.text;
        EXPECT_NE(plan.message.text.find(c.message), std::string::npos) << plan.message.text;
        EXPECT_NE(plan.message.text.find("\rLine 3"), std::string::npos) << plan.message.text;
        EXPECT_EQ(plan.message.kind, MsgKind::Error);
        ApplyPaste(sheet, plan);
        ExpectSameRows(sheet, before);
        EXPECT_EQ(sheet.lMod, before.lMod);
        EXPECT_FALSE(sheet.lDirty);
    }
}

TEST(Paste, OneTextFillsTheSelectedCellsOfTheLeftColumnEachInItsOwnRow)
{
    DataSheet sheet = test::LineRows(3);
    sheet.setField(2, Field::Nature, "S");
    const int value = sheet.columnOf(Field::Value);
    Paste(sheet, {1, 2, value, value + 1}, "10/210\n");
    EXPECT_NEAR(sheet.ltAz[1] / kDegToRad, 210, 1e-9) << "a line";
    EXPECT_NEAR(sheet.ltAz[2] / kDegToRad, 30, 1e-9) << "a plane's pole";
    EXPECT_EQ(sheet.field(1, Field::Number), "1") << "the left column only";
    EXPECT_EQ(sheet.field(3, Field::Value), "10 / 15");
}

TEST(Paste, CodesAloneAreChangesAndABlankRowStillWaitsForItsValue)
{
    DataSheet sheet = test::LineRows(2);
    const int comment = sheet.columnOf(Field::Comment);
    Paste(sheet, {2, 2, comment, comment}, "a\nb\n");
    EXPECT_EQ(sheet.field(2, Field::Comment), "a");
    EXPECT_EQ(sheet.lMod[2], kRowChanged);
    EXPECT_EQ(sheet.rowCount(), 3);
    EXPECT_EQ(sheet.lMod[3], kRowToDecode) << "a row of codes alone has no direction to save";
}

TEST(Paste, NoMoreRowsThanASheetHolds)
{
    DataSheet sheet = test::LineRows(1);
    std::string text;
    for (int row = 0; row < kMaxValues; ++row)
        text += "L\t10/10\n";
    const PastePlan plan = PlanPaste(sheet, {1, 1, 1, 1}, text);
    EXPECT_TRUE(plan.ok);
    EXPECT_FALSE(PlanPaste(sheet, {2, 2, 1, 1}, text).ok);
    EXPECT_EQ(PlanPaste(sheet, {2, 2, 1, 1}, text).message.text, SheetFullMessage());
}

// --- Editing in place, moves, and what an in-place save writes ------------------------------

TEST(EditGridCell, AValueWaitsToBeDecodedACodeIsAChange)
{
    DataSheet sheet = test::LineRows(3);
    const double trend = sheet.ltAz[2];
    EditGridCell(sheet, 1, sheet.columnOf(Field::Value), "10/100", true);
    EditGridCell(sheet, 2, sheet.columnOf(Field::Location), "Somewhere else", true);
    EXPECT_EQ(sheet.lMod[1], kRowToDecode);
    EXPECT_NEAR(sheet.ltAz[1] / kDegToRad, 100, 1e-9);
    EXPECT_EQ(sheet.lMod[2], kRowChanged);
    EXPECT_EQ(sheet.ltAz[2], trend) << "a code leaves the direction as it was";
    EXPECT_EQ(sheet.field(2, Field::Location), "Somewhere");
    EXPECT_EQ(sheet.lMod[3], kRowSaved);
    EXPECT_TRUE(sheet.lDirty);
}

TEST(EditGridCell, TypingIntoAnEmptySheetMakesItsFirstRow)
{
    DataSheet sheet;
    EditGridCell(sheet, 1, sheet.columnOf(Field::Comment), "c", true);
    EXPECT_FALSE(sheet.isEmpty());
    EXPECT_EQ(sheet.cell(1, 0), "001");
    EXPECT_EQ(sheet.lMod[1], kRowToDecode) << "no nature, no value: nothing valid to save";
}

TEST(MoveSheetRow, TheRowTakesItsDirectionAndNumberAndTheRowsBetweenAreChanged)
{
    DataSheet sheet = Measured(false);
    const DataSheet before = sheet;
    MoveSheetRow(sheet, 1, 4);
    EXPECT_EQ(sheet.cell(4, 0), "001") << "numbers move with their rows";
    EXPECT_EQ(sheet.field(4, Field::Comment), "a:b");
    EXPECT_EQ(sheet.ltAz[4], before.ltAz[1]);
    EXPECT_EQ(sheet.ltAz[1], before.ltAz[2]);
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(sheet.lMod[at(row)], kRowChanged) << row;
    EXPECT_EQ(sheet.lMod[5], kRowSaved);
    EXPECT_TRUE(sheet.lDirty);
}

TEST(MoveSheetColumn, FieldsFollowTheirCellsAndTheFileIsTheSame)
{
    DataSheet sheet = Measured(false);
    std::ostringstream first;
    ASSERT_TRUE(SaveSheetStream(sheet, first, kClock).ok);
    const DataSheet before = sheet;
    MoveSheetColumn(sheet, sheet.columnOf(Field::Value), 5);
    EXPECT_EQ(sheet.columnOf(Field::Value), 5);
    EXPECT_EQ(sheet.cell(0, 5), "Value");
    EXPECT_EQ(sheet.field(3, Field::Value), before.field(3, Field::Value));
    EXPECT_EQ(sheet.field(3, Field::Comment), before.field(3, Field::Comment));
    EXPECT_TRUE(IsColumnOrder(sheet.lC));
    EXPECT_FALSE(sheet.lDirty) << "the file holds no column order";
    std::ostringstream second;
    ASSERT_TRUE(SaveSheetStream(sheet, second, kClock).ok);
    EXPECT_EQ(second.str(), first.str());
}

TEST(InPlaceSave, EveryRowWhoseCellsChangedIsWritten)
{
    DataSheet sheet = test::LineRows(6);
    std::ostringstream saved;
    ASSERT_TRUE(SaveSheetStream(sheet, saved, kClock).ok);
    const int comment = sheet.columnOf(Field::Comment);
    const int location = sheet.columnOf(Field::Location);
    EditGridCell(sheet, 2, comment, "typed", true);
    EditGridCell(sheet, 3, sheet.columnOf(Field::Value), "20/300", true);
    Paste(sheet, {4, 4, location, location}, "pasted");
    CutBlock(sheet, {5, 5, sheet.columnOf(Field::Number), sheet.columnOf(Field::Number)});
    MoveSheetRow(sheet, 6, 1);

    std::istringstream previous(saved.str());
    std::ostringstream updated;
    ASSERT_TRUE(UpdateSheetStream(sheet, previous, updated, kClock).ok);
    DataSheet reloaded;
    reloaded.lFrtS = reloaded.lFrtL = 1;
    reloaded.lShowDeci = false;
    std::istringstream in(updated.str());
    ASSERT_TRUE(LoadSheetStream(in, reloaded).ok);
    sheet.Numeroter();
    ExpectSameRows(reloaded, sheet);
    EXPECT_EQ(reloaded.field(3, Field::Comment), "typed");
    EXPECT_EQ(reloaded.field(4, Field::Value), "20 / 300");
    EXPECT_EQ(reloaded.field(5, Field::Location), "pasted");
    EXPECT_EQ(reloaded.field(6, Field::Number), "");
}

} // namespace
} // namespace ploq
