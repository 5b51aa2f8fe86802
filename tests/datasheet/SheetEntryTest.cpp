#include "datasheet/SheetEntry.h"

#include "datasheet/Fichier.h"
#include "model/Conversion.h"
#include "support/SheetRows.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ploq {
namespace {

constexpr double kRadToDeg = 1 / kDegToRad;

// A sheet in the given notations, the default column order and whole degrees.
DataSheet Sheet(int frtS, int frtL)
{
    DataSheet sheet;
    sheet.lFrtS = frtS;
    sheet.lFrtL = frtL;
    sheet.lShowDeci = false;
    return sheet;
}

EditBoxes Boxes(const DataSheet& sheet, const test::RowTexts& row)
{
    EditBoxes boxes;
    boxes[static_cast<std::size_t>(sheet.columnOf(Field::Nature))] = row.nature;
    boxes[static_cast<std::size_t>(sheet.columnOf(Field::Value))] = row.value;
    boxes[static_cast<std::size_t>(sheet.columnOf(Field::Number))] = row.number;
    boxes[static_cast<std::size_t>(sheet.columnOf(Field::Location))] = row.location;
    boxes[static_cast<std::size_t>(sheet.columnOf(Field::Comment))] = row.comment;
    return boxes;
}

EntryResult Append(DataSheet& sheet, const test::RowTexts& row)
{
    EditBoxes boxes = Boxes(sheet, row);
    return LigneToGrille(sheet, boxes, 0);
}

struct EntryCase {
    int frtS;
    int frtL;
    const char* nature;
    const char* typed;
    const char* shown; // the value cell, or the part of the message for a refusal
    double trendDeg;   // stored trend (a plane's pole)
    double plungeDeg;
    Field faultyField; // the box to correct when refused
};

void PrintTo(const EntryCase& c, std::ostream* out)
{
    *out << c.nature << " " << c.typed;
}

class Entry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(Entry, IsCheckedAndWrittenBackInTheNotation)
{
    const EntryCase& c = GetParam();
    DataSheet sheet = Sheet(c.frtS, c.frtL);
    const EntryResult result = Append(sheet, {c.nature, c.typed, "7", "Col", "x"});
    if (c.trendDeg < 0) {
        ASSERT_FALSE(result.ok);
        EXPECT_NE(result.message.text.find(c.shown), std::string::npos) << result.message.text;
        EXPECT_EQ(result.column, sheet.columnOf(c.faultyField));
        EXPECT_TRUE(sheet.isEmpty()) << "a refused entry leaves the sheet as it was";
        EXPECT_FALSE(sheet.lDirty);
        return;
    }
    ASSERT_TRUE(result.ok) << result.message.text;
    EXPECT_EQ(result.row, 1);
    EXPECT_EQ(sheet.field(1, Field::Value), c.shown);
    EXPECT_NEAR(sheet.ltAz[1] * kRadToDeg, c.trendDeg, 1e-9);
    EXPECT_NEAR(sheet.ltPe[1] * kRadToDeg, c.plungeDeg, 1e-9);
    EXPECT_EQ(sheet.lMod[1], kRowChanged);
    EXPECT_EQ(sheet.cell(1, 0), "001");
    EXPECT_TRUE(sheet.lDirty);
}

constexpr double kRefused = -1;

INSTANTIATE_TEST_SUITE_P(
    Notations, Entry,
    ::testing::Values(
        EntryCase{0, 0, "S0", "120 S 10", "120 SW 10", 30, 80, Field::Value},
        EntryCase{0, 0, "s1", "120s10", "120 SW 10", 30, 80, Field::Value},
        EntryCase{0, 0, "S0", "120.5 S 10", "120.5 SW 10.0", 30.5, 80, Field::Value},
        EntryCase{1, 1, "S0", "10/210", "10 / 210", 30, 80, Field::Value},
        EntryCase{2, 2, "P", "210-10", "210 / 10", 30, 80, Field::Value},
        EntryCase{4, 0, "F2", "300/10", "300 / 10", 210, 80, Field::Value},
        EntryCase{1, 1, "L1", "10/350", "10 / 350", 350, 10, Field::Value},
        EntryCase{0, 0, "b", "45 NE 30", "45 NE 30", 45, 30, Field::Value},
        // A trend of a full turn is stored as 0.
        EntryCase{0, 0, "L", "180 N 10", "0  N 10", 0, 10, Field::Value},
        EntryCase{0, 0, "S0", "45 NE 30", "sense of dip doesn't fit", kRefused, 0, Field::Value},
        EntryCase{0, 0, "S0", "200 N 30", "strike must range from 0 to 180", kRefused, 0,
                  Field::Value},
        EntryCase{1, 1, "S0", "95/210", "must range from 0 to 90", kRefused, 0, Field::Value},
        EntryCase{1, 1, "L", "", "missing value", kRefused, 0, Field::Value},
        EntryCase{1, 1, "X1", "10/210", "must be S, F, P, L or A", kRefused, 0, Field::Nature},
        EntryCase{1, 1, "", "10/210", "Missing \"nature\" code", kRefused, 0, Field::Nature}));

TEST(Entry, MessagesKeepTheirBoxes)
{
    DataSheet sheet = Sheet(1, 1);
    const EntryResult badNature = Append(sheet, {"X", "10/210", "", "", ""});
    EXPECT_EQ(badNature.message.kind, MsgKind::Error);
    EXPECT_TRUE(badNature.message.buttons == Buttons(Button::Ok));
    const EntryResult badValue = Append(sheet, {"S", "95/210", "", "", ""});
    EXPECT_EQ(badValue.message.kind, MsgKind::Error);
    EXPECT_TRUE(badValue.message.buttons == Buttons(Button::Cancel));
}

TEST(Entry, BoxesAreWrittenBackAndCodesCutToNineCharacters)
{
    DataSheet sheet = Sheet(1, 1);
    EditBoxes boxes = Boxes(sheet, {"S0", "10 ; 210", "123456789012", "Ridge", "c"});
    ASSERT_TRUE(LigneToGrille(sheet, boxes, 0).ok);
    EXPECT_EQ(boxes[static_cast<std::size_t>(sheet.columnOf(Field::Value))], "10 / 210");
    EXPECT_EQ(sheet.field(1, Field::Number), "123456789");
}

struct DeclinationCase {
    const char* box;
    const char* typed;
    double trendDeg;
    const char* shown;
};

void PrintTo(const DeclinationCase& c, std::ostream* out)
{
    *out << c.box << " " << c.typed;
}

class Declination : public ::testing::TestWithParam<DeclinationCase> {};

TEST_P(Declination, IsAddedToTheTrendWhichStaysInOneTurn)
{
    const DeclinationCase& c = GetParam();
    DataSheet sheet = Sheet(1, 1);
    sheet.lShowDeci = true;
    sheet.lUseDecl = true;
    sheet.lDecl = ReadDeclination(c.box);
    ASSERT_TRUE(Append(sheet, {"L", c.typed, "", "", ""}).ok);
    EXPECT_NEAR(sheet.ltAz[1] * kRadToDeg, c.trendDeg, 1e-9);
    EXPECT_GE(sheet.ltAz[1], 0);
    EXPECT_EQ(sheet.field(1, Field::Value), c.shown);
}

INSTANTIATE_TEST_SUITE_P(EastAndWest, Declination,
                         ::testing::Values(DeclinationCase{"2", "10/350", 352, "10.0 / 352.0"},
                                           DeclinationCase{"2", "10/359", 1, "10.0 / 1.0"},
                                           // A minus sign is a west declination.
                                           DeclinationCase{"-3", "10/1", 358, "10.0 / 358.0"},
                                           DeclinationCase{" -2,5", "10/100", 97.5,
                                                           "10.0 / 97.5"}));

TEST(Declination, BoxIsReadInDegreesWithItsSign)
{
    EXPECT_NEAR(ReadDeclination("-3") / kDegToRad, -3, 1e-12);
    EXPECT_NEAR(ReadDeclination("12.5") / kDegToRad, 12.5, 1e-12);
    EXPECT_EQ(ReadDeclination(""), 0);
    EXPECT_NEAR(ReadDeclination("5-") / kDegToRad, 5, 1e-12) << "only a leading sign counts";
}

TEST(Entry, AppendFillsTheEmptyRowThenAddsRows)
{
    DataSheet sheet = Sheet(1, 1);
    ASSERT_TRUE(Append(sheet, {"S", "10/210", "", "", ""}).ok);
    EXPECT_EQ(sheet.rowCount(), 1);
    ASSERT_TRUE(Append(sheet, {"L", "20/100", "", "", ""}).ok);
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.cell(2, 0), "002");
}

// Rows 1..n typed as lines plunging 10 toward 10 x row degrees.
DataSheet Rows(int n)
{
    DataSheet sheet = Sheet(1, 1);
    for (int row = 1; row <= n; ++row)
        test::EnterRow(sheet, {"L", "10/" + std::to_string(10 * row), "", "", ""});
    std::fill(sheet.lMod.begin(), sheet.lMod.end(), kRowSaved);
    return sheet;
}

TEST(Entry, InsertMovesTheRowsBelowWithTheirDirections)
{
    DataSheet sheet = Rows(5);
    sheet.lMod[5] = kRowToDecode;
    const double third = sheet.ltAz[3];
    EditBoxes boxes = Boxes(sheet, {"S", "10/210", "", "", ""});
    ASSERT_TRUE(LigneToGrille(sheet, boxes, 3).ok);
    EXPECT_EQ(sheet.rowCount(), 6);
    EXPECT_EQ(sheet.field(3, Field::Nature), "S");
    EXPECT_EQ(sheet.ltAz[4], third);
    EXPECT_EQ(sheet.cell(6, 0), "006");
    EXPECT_EQ(sheet.lMod[2], kRowSaved);
    EXPECT_EQ(sheet.lMod[4], kRowChanged);
    EXPECT_EQ(sheet.lMod[6], kRowToDecode) << "a row waiting to be decoded still waits";
}

TEST(Entry, ReplaceKeepsTheRowCount)
{
    DataSheet sheet = Rows(3);
    EditBoxes boxes = Boxes(sheet, {"S", "10/210", "", "", ""});
    ASSERT_TRUE(LigneToGrille(sheet, boxes, -2).ok);
    EXPECT_EQ(sheet.rowCount(), 3);
    EXPECT_EQ(sheet.field(2, Field::Value), "10 / 210");
}

// A sheet of `n` copies of one line, filled directly.
DataSheet Copies(int n)
{
    DataSheet sheet = Rows(1);
    for (int row = 2; row <= n; ++row) {
        sheet.appendRow();
        for (int column = 1; column < kColumnCount; ++column)
            sheet.setCell(row, column, sheet.cell(1, column));
    }
    sheet.Numeroter();
    return sheet;
}

TEST(Entry, ASheetHoldsAtMostFiveThousandRows)
{
    DataSheet sheet = Copies(kMaxValues);
    for (int rang : {0, 1}) {
        EditBoxes boxes = Boxes(sheet, {"S", "10/210", "", "", ""});
        const EntryResult result = LigneToGrille(sheet, boxes, rang);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message.text, "Maximum data sheet  size reached (5000)");
        EXPECT_EQ(sheet.rowCount(), kMaxValues);
    }
    EditBoxes boxes = Boxes(sheet, {"S", "10/210", "", "", ""});
    EXPECT_TRUE(LigneToGrille(sheet, boxes, -kMaxValues).ok)
        << "a full sheet can still be corrected";
}

TEST(Delete, RowsBelowMoveUpWithTheirDirections)
{
    DataSheet sheet = Rows(3);
    const double first = sheet.ltAz[1];
    const double third = sheet.ltAz[3];
    EXPECT_EQ(DeleteSheetRow(sheet, 2), 1);
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.ltAz[1], first);
    EXPECT_EQ(sheet.ltAz[2], third);
    EXPECT_EQ(sheet.cell(2, 0), "002");
    EXPECT_EQ(sheet.lMod[2], kRowChanged);
    EXPECT_EQ(sheet.lUndoWF.zone, kUndoDeletedRow);
    EXPECT_EQ(sheet.lUndoWF.ixt, 2);
    ASSERT_EQ(sheet.lUndoWF.ts.size(), 1u);
    EXPECT_EQ(sheet.lUndoWF.ts[0].cells[1], "L");
    EXPECT_EQ(sheet.lUndoWF.ts[0].cells[2], "10 / 20");
    EXPECT_TRUE(sheet.lDirty);
}

TEST(Delete, TheOnlyRowIsEmptied)
{
    DataSheet sheet = Rows(1);
    EXPECT_EQ(DeleteSheetRow(sheet, 1), 1);
    EXPECT_EQ(sheet.rowCount(), 1);
    EXPECT_TRUE(sheet.isEmpty());
    EXPECT_EQ(sheet.field(1, Field::Value), "");
}

TEST(Modify, OneCellIsCheckedLikeAnEntry)
{
    DataSheet sheet = Rows(2);
    const int valueColumn = sheet.columnOf(Field::Value);
    EditBoxes boxes;
    boxes[static_cast<std::size_t>(valueColumn)] = "95/10";
    EXPECT_FALSE(ModifyCell(sheet, boxes, 2, valueColumn).ok);
    EXPECT_EQ(sheet.field(2, Field::Value), "10 / 20");

    boxes[static_cast<std::size_t>(valueColumn)] = "30/40";
    ASSERT_TRUE(ModifyCell(sheet, boxes, 2, valueColumn).ok);
    EXPECT_EQ(sheet.field(2, Field::Value), "30 / 40");
    EXPECT_NEAR(sheet.ltPe[2] * kRadToDeg, 30, 1e-9);
    EXPECT_EQ(sheet.lMod[2], kRowChanged);

    const int comment = sheet.columnOf(Field::Comment);
    boxes[static_cast<std::size_t>(comment)] = "0123456789";
    const EntryResult tooLong = ModifyCell(sheet, boxes, 2, comment);
    EXPECT_FALSE(tooLong.ok);
    EXPECT_FALSE(tooLong.message.text.empty());
    EXPECT_EQ(sheet.field(2, Field::Comment), "");
}

TEST(Modify, ALineTurnedIntoAPlaneTakesTheDirectionItsTextNowMeans)
{
    DataSheet sheet = Rows(1); // L 10/10: a line plunging 10 toward 10
    const int nature = sheet.columnOf(Field::Nature);
    EditBoxes boxes;
    boxes[static_cast<std::size_t>(nature)] = "S0";
    ASSERT_TRUE(ModifyCell(sheet, boxes, 1, nature).ok);
    // Now a plane dipping 10 toward 10: its pole plunges 80 toward 190.
    EXPECT_NEAR(sheet.ltAz[1] * kRadToDeg, 190, 1e-9);
    EXPECT_NEAR(sheet.ltPe[1] * kRadToDeg, 80, 1e-9);
    EXPECT_EQ(sheet.field(1, Field::Value), "10 / 10");

    boxes[static_cast<std::size_t>(nature)] = "Q";
    EXPECT_FALSE(ModifyCell(sheet, boxes, 1, nature).ok);
    EXPECT_EQ(sheet.field(1, Field::Nature), "S0");
}

TEST(Decimals, ValuesAreWrittenAgainFromTheStoredDirections)
{
    DataSheet sheet = Rows(2);
    sheet.ltAz[1] += 0.4 * kDegToRad;
    sheet.setField(2, Field::Value, "typed");
    sheet.lMod[2] = kRowToDecode;
    ToggleDecimals(sheet);
    EXPECT_TRUE(sheet.lShowDeci);
    EXPECT_EQ(sheet.field(1, Field::Value), "10.0 / 10.4");
    EXPECT_EQ(sheet.field(2, Field::Value), "typed") << "text waiting to be decoded is kept";
    ToggleDecimals(sheet);
    EXPECT_EQ(sheet.field(1, Field::Value), "10 / 10");
}

TEST(PlusOne, CountsUpTheFirstRunOfDigits)
{
    const std::pair<const char*, const char*> cases[] = {
        {"A12b", "A13b"},  {"99", "100"},
        {"", "1"},         {"007", "8"},
        {"0", "1"},        {"abc", "abc"},
        {"x9y9", "x10y9"}, {"99999999999999999999", "100000000000000000000"}};
    for (const auto& [text, next] : cases)
        EXPECT_EQ(PlusOne(text), next) << text;
}

TEST(MinusOne, CountsDownTheFirstRunOfDigitsNeverBelowZero)
{
    const std::pair<const char*, const char*> cases[] = {
        {"A12b", "A11b"},  {"100", "99"},
        {"10", "9"},       {"1", "0"},
        {"0", "0"},        {"007", "6"},
        {"", "1"},         {"abc", "abc"},
        {"x10y9", "x9y9"}, {"100000000000000000000", "99999999999999999999"}};
    for (const auto& [text, previous] : cases)
        EXPECT_EQ(MinusOne(text), previous) << text;
}

TEST(SheetSettings, ANewSheetTakesTheSettingsAndAClosedOneGivesThemBack)
{
    VarGlob settings;
    settings.FrtS = 3;
    settings.FrtL = 2;
    settings.C1 = 1;
    settings.C2 = 2;
    settings.TNomC = {"", "Value", "Nature", "Nr", "Place", "Note"};
    settings.Decl = 4 * kDegToRad;
    settings.OptVal = 0;
    DataSheet sheet = NewDataSheet(settings);
    EXPECT_EQ(sheet.lFrtS, 3);
    EXPECT_EQ(sheet.lFrtL, 2);
    EXPECT_EQ(sheet.columnOf(Field::Value), 1);
    EXPECT_EQ(sheet.cell(0, 1), "Value");
    EXPECT_EQ(sheet.cell(0, 2), "Nature");
    EXPECT_FALSE(sheet.lUseDecl);
    EXPECT_EQ(sheet.lDecl, settings.Decl);

    sheet.lShowDeci = true;
    sheet.lUseDecl = true;
    sheet.lDecl = -2 * kDegToRad;
    sheet.lFrtS = 1;
    KeepSheetChoices(sheet, settings);
    EXPECT_TRUE(settings.ShowDeci);
    EXPECT_TRUE(TestBit(settings.OptVal, kOptValShowDeci)) << "so that it is read back at start";
    EXPECT_TRUE(TestBit(settings.OptVal, kOptValAddDecl));
    EXPECT_EQ(settings.Decl, -2 * kDegToRad);
    EXPECT_EQ(settings.FrtS, 1);
}

TEST(Recents, LatestFirstWithoutDuplicates)
{
    std::array<std::string, kRecentCount> recents;
    EXPECT_TRUE(AddRecent(recents, "A"));
    EXPECT_TRUE(AddRecent(recents, "B"));
    EXPECT_TRUE(AddRecent(recents, "A"));
    EXPECT_EQ(recents[0], "A");
    EXPECT_EQ(recents[1], "B");
    EXPECT_EQ(recents[2], "");
    EXPECT_FALSE(AddRecent(recents, "A"));
    EXPECT_FALSE(AddRecent(recents, ""));
    for (int i = 0; i < 9; ++i)
        AddRecent(recents, "F" + std::to_string(i));
    EXPECT_EQ(recents.front(), "F8");
    EXPECT_EQ(recents.back(), "F1") << "the oldest drops out";
}

} // namespace
} // namespace ploq
