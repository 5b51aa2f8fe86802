// Finding, changing and selecting rows of a data sheet: the value criteria and how a value cell
// is split, the code comparison of each mode, the whole-sheet check and its warnings, the
// search up and down, the sheets that selections make, and changes with their undo.

#include "datasheet/DataU.h"

#include "support/SheetRows.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

using test::RowTexts;

std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

// Rows entered as typed, then their value cells set to the text given (the cell as written,
// which the search reads), keeping the directions the entry decoded.
DataSheet Sheet(const std::vector<RowTexts>& rows, Notation notation = {0, 0})
{
    DataSheet sheet;
    sheet.lFrtS = notation.frtS;
    sheet.lFrtL = notation.frtL;
    for (const RowTexts& r : rows) {
        test::EnterRow(sheet, r);
        sheet.setField(sheet.rowCount(), Field::Value, r.value);
    }
    return sheet;
}

// Planes 30 E 20 with these nature codes, numbered from 1.
DataSheet Natures(const std::vector<std::string>& natures)
{
    std::vector<RowTexts> rows;
    for (std::size_t i = 0; i < natures.size(); ++i)
        rows.push_back({"S", "30 E 20", std::to_string(i + 1), "", ""});
    DataSheet sheet = Sheet(rows);
    for (std::size_t i = 0; i < natures.size(); ++i)
        sheet.setField(static_cast<int>(i) + 1, Field::Nature, natures[i]);
    return sheet;
}

SearchParams Params(DataUMode mode, Field field, std::string st1)
{
    SearchParams p;
    p.mode = mode;
    p.field = field;
    p.st1 = std::move(st1);
    return ReadSearchParams(p);
}

SearchParams ValueParams(std::string st1, ValuePart part, bool lines = false)
{
    SearchParams p = Params(DataUMode::Find, Field::Value, std::move(st1));
    p.part = part;
    p.lines = lines;
    return p;
}

// --- Criteria ----------------------------------------------------------------------------

TEST(DataUCriterion, ReadAsTyped)
{
    struct Case {
        const char* text;
        CompareOp op;
        double v1;
        double v2;
    };
    const Case cases[] = {
        {"30-10", CompareOp::Range, 10, 30},
        {"10-30", CompareOp::Range, 10, 30},
        {"=30", CompareOp::Equal, 30, 0},
        {">30", CompareOp::Greater, 30, 0},
        {">=30", CompareOp::GreaterEqual, 30, 0},
        {"<30", CompareOp::Less, 30, 0},
        {"<=30", CompareOp::LessEqual, 30, 0},
        {"> 30", CompareOp::Greater, 30, 0},
        {" 3 0 ", CompareOp::Bare, 30, 0},
        {"30,5", CompareOp::Bare, 30.5, 0},
        {"30", CompareOp::Bare, 30, 0},
        {"-5", CompareOp::Unknown, 5, 0},
        {"=>30", CompareOp::Unknown, 30, 0},
        {"12,5-3,5", CompareOp::Range, 3.5, 12.5},
        // Nine characters once the blanks are gone: "<=123456" keeps "<=1234567".
        {"<= 1234567890", CompareOp::LessEqual, 1234567, 0},
    };
    for (const Case& c : cases) {
        const Criterion r = ReadCriterion(c.text);
        EXPECT_EQ(r.op, c.op) << c.text;
        EXPECT_DOUBLE_EQ(r.v1, c.v1) << c.text;
        if (c.op == CompareOp::Range) {
            EXPECT_DOUBLE_EQ(r.v2, c.v2) << c.text;
        }
    }
}

TEST(DataUCriterion, TestsAsWritten)
{
    struct Case {
        const char* text;
        double x;
        bool meets;
    };
    const Case cases[] = {
        {"30-10", 10, true},    {"30-10", 30, true}, {"30-10", 20, true},   {"30-10", 9.9, false},
        {"30-10", 30.1, false}, {"=30", 30, true},   {"=30", 30.5, false},  {">30", 30, false},
        {">30", 30.1, true},    {">=30", 30, true},  {">=30", 29.9, false}, {"<30", 30, false},
        {"<30", 29.9, true},    {"<=30", 30, true},  {"<=30", 30.1, false}, {"> 30", 31, true},
        {"30,5", 30.5, true},   {"30,5", 30, false}, {"30", 30, true},      {"30", 31, false},
        {"-5", 5, false},       {"-5", 0, false},    {"=>30", 40, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MeetsCriterion(ReadCriterion(c.text), c.x), c.meets) << c.text << " " << c.x;
}

// --- Value cells -------------------------------------------------------------------------

TEST(DataUSplitValue, PartsByNotation)
{
    struct Case {
        char letter;
        const char* text;
        Notation notation;
        double azimuth;
        const char* sense;
        double dip;
    };
    const Case cases[] = {
        {'S', "120 SW 10", {0, 0}, 120, "SW", 10},
        {'S', "120,5sw10,5", {0, 0}, 120.5, "sw", 10.5},
        {'L', "45 NE 30", {0, 0}, 45, "NE", 30},
        {'S', "170 W", {0, 0}, 170, "W", 0},
        {'S', "10/200", {1, 0}, 200, "", 10}, // dip/dip direction: Az is the direction
        {'S', "200/10", {2, 0}, 200, "", 10}, // dip direction/dip
        {'P', "20/80", {3, 0}, 20, "", 80},   // the pole's trend/plunge
        {'F', "110/40", {4, 0}, 110, "", 40}, // right-hand strike/dip
        {'L', "30/100", {4, 1}, 100, "", 30}, // lines read in their own notation
        {'b', "100/30", {1, 2}, 100, "", 30},
        {'S', "10/200", {0, 1}, 10, "", 0}, // quadrant notation: "/" ends the runs
        {'S', "25", {1, 0}, 0, "", 25},     // no "/": the number before it
    };
    for (const Case& c : cases) {
        const ValueParts p = SplitValue(c.letter, c.text, c.notation);
        EXPECT_DOUBLE_EQ(p.azimuth, c.azimuth) << c.text;
        EXPECT_EQ(p.sense, c.sense) << c.text;
        EXPECT_DOUBLE_EQ(p.dip, c.dip) << c.text;
    }
}

// The quadrant strike is tested as written: the pole of 120 SW 10 trends 30, which >170
// must not find.
TEST(DataUTesterVal, QuadrantAzimuthAsWritten)
{
    const DataSheet sheet = Sheet({{"S", "120 SW 10", "1", "", ""}});
    EXPECT_FALSE(RowMatches(ValueParams(">170", ValuePart::Azimuth), sheet, 1));
    EXPECT_TRUE(RowMatches(ValueParams(">110", ValuePart::Azimuth), sheet, 1));
    EXPECT_TRUE(RowMatches(ValueParams("5-10", ValuePart::Dip), sheet, 1));
    const std::optional<Message> w = CheckAnyMatch(ValueParams(">170", ValuePart::Azimuth), sheet);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->text, "No azimut fitting the given criteria (>170)");
}

TEST(DataUTesterVal, AzimuthOfTheSeparatorNotations)
{
    const DataSheet dipFirst = Sheet({{"S", "10/200", "", "", ""}}, {1, 1});
    EXPECT_TRUE(RowMatches(ValueParams("200", ValuePart::Azimuth), dipFirst, 1));
    EXPECT_TRUE(RowMatches(ValueParams("10", ValuePart::Dip), dipFirst, 1));
    EXPECT_FALSE(RowMatches(ValueParams("10", ValuePart::Azimuth), dipFirst, 1));
    const DataSheet directionFirst = Sheet({{"S", "200/10", "", "", ""}}, {2, 2});
    EXPECT_TRUE(RowMatches(ValueParams("200", ValuePart::Azimuth), directionFirst, 1));
    EXPECT_TRUE(RowMatches(ValueParams("10", ValuePart::Dip), directionFirst, 1));
}

TEST(DataUTesterVal, SenseLetters)
{
    const DataSheet sheet = Sheet({{"S", "120 SW 10", "", "", ""}});
    struct Case {
        const char* st1;
        bool respectCase;
        bool motEntier;
        bool found;
    };
    const Case cases[] = {
        {"sw", false, false, true},  {"sw", true, false, false}, {"SW", true, false, true},
        {"S", false, false, true},   {"S", false, true, false},  {"sw", false, true, true},
        {"NE", false, false, false},
    };
    for (const Case& c : cases) {
        SearchParams p = ValueParams(c.st1, ValuePart::Sense);
        p.respectCase = c.respectCase;
        p.motEntier = c.motEntier;
        EXPECT_EQ(RowMatches(p, sheet, 1), c.found) << c.st1 << c.respectCase << c.motEntier;
    }
}

TEST(DataUTesterVal, OnlyRowsOfTheChosenKind)
{
    for (const char* nature : {"S", "s1", "F", "P", "L", "l2", "A", "B", "X", ""}) {
        const bool plane = IsNatureLetter(nature[0]) && IsPlane(nature[0]);
        const bool line = IsNatureLetter(nature[0]) && !IsPlane(nature[0]);
        DataSheet sheet = Sheet({{"S", "30 E 20", "", "", ""}});
        sheet.setField(1, Field::Nature, nature);
        EXPECT_EQ(RowMatches(ValueParams("30", ValuePart::Azimuth, false), sheet, 1), plane)
            << nature;
        EXPECT_EQ(RowMatches(ValueParams("30", ValuePart::Azimuth, true), sheet, 1), line)
            << nature;
        EXPECT_EQ(OfChosenKind(true, nature[0]), line) << nature;
    }
}

// --- Codes -------------------------------------------------------------------------------

TEST(DataUCodes, ComparisonByMode)
{
    struct Case {
        DataUMode mode;
        bool motEntier;
        bool respectCase;
        const char* st1;
        const char* cell;
        bool match;
    };
    const DataUMode F = DataUMode::Find;
    const DataUMode C = DataUMode::Change;
    const DataUMode S = DataUMode::Select;
    const Case cases[] = {
        {F, true, true, "S", "S", true},
        {F, true, true, "S", "S12", false},
        {F, true, false, "s", "S", true},
        {F, true, true, "s", "S", false},
        {F, false, true, "S", "S12", true},
        {F, false, true, "1", "S12", true},
        {F, false, false, "s1", "AS12", true},
        {F, false, true, "s1", "AS12", false},
        {C, false, false, "s", "xS", true},
        {C, true, false, "col", "COL", true},
        // Select: a prefix with "*" for any character, "/" ending the code, case counts.
        {S, false, true, "S", "S12", true},
        {S, false, true, "S", "AS1", false},
        {S, false, true, "S/", "S12", false},
        {S, false, true, "S/", "S", true},
        {S, false, true, "S*2", "S12", true},
        {S, false, false, "s", "S12", false},
        {S, true, false, "s", "S", false},
        {S, true, true, "S", "S12", false},
        // Nine characters of the cell are compared.
        {F, false, true, "J", "ABCDEFGHIJ", false},
    };
    for (const Case& c : cases) {
        SearchParams p = Params(c.mode, Field::Nature, c.st1);
        p.motEntier = c.motEntier;
        p.respectCase = c.respectCase;
        EXPECT_EQ(CodeMatches(p, c.cell), c.match)
            << static_cast<int>(c.mode) << c.motEntier << c.respectCase << " " << c.st1 << " in "
            << c.cell;
    }
}

TEST(DataUCodes, PickListInRowOrder)
{
    DataSheet sheet = Natures({"S2", "L", "S2", "", "s2", "L"});
    sheet.setField(4, Field::Nature, "");
    EXPECT_EQ(DistinctTexts(sheet, Field::Nature), (std::vector<std::string>{"S2", "L", "s2"}));
    EXPECT_EQ(DistinctTexts(sheet, Field::Number),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_TRUE(DistinctTexts(DataSheet(), Field::Nature).empty());
}

TEST(DataUCheck, WarningsWhenNothingMatches)
{
    const DataSheet sheet = Sheet({{"S", "120 SW 10", "1", "Col", ""}});
    struct Case {
        Field field;
        ValuePart part;
        const char* st1;
        const char* warning;
    };
    const Case cases[] = {
        {Field::Nature, ValuePart::Azimuth, "", "No value has been given..."},
        {Field::Value, ValuePart::Azimuth, "", "No value has been given..."},
        {Field::Location, ValuePart::Azimuth, "ABCDEFGHIJKLM", "String 'ABCDEFGHI' not found"},
        {Field::Value, ValuePart::Azimuth, ">170", "No azimut fitting the given criteria (>170)"},
        {Field::Value, ValuePart::Dip, "<5", "No dip fitting the given criteria (<5)"},
        {Field::Value, ValuePart::Sense, "NE", "No sens of dip fitting the given criteria (NE)"},
        {Field::Value, ValuePart::Azimuth, "-5", "No azimut fitting the given criteria (-5)"},
    };
    for (const Case& c : cases) {
        SearchParams p = Params(DataUMode::Find, c.field, c.st1);
        p.part = c.part;
        p.lines = false;
        const std::optional<Message> w = CheckAnyMatch(p, sheet);
        ASSERT_TRUE(w) << c.st1;
        EXPECT_EQ(w->text, c.warning);
        EXPECT_EQ(w->kind, MsgKind::Warning);
        EXPECT_EQ(w->buttons, Buttons(Button::Ok));
    }
    SearchParams anyCase = Params(DataUMode::Find, Field::Location, "co");
    anyCase.respectCase = false;
    EXPECT_FALSE(CheckAnyMatch(anyCase, sheet))
        << "the code is upper-cased with Case sensitive off";
    anyCase.respectCase = true;
    EXPECT_TRUE(CheckAnyMatch(anyCase, sheet));
}

// --- Searching ---------------------------------------------------------------------------

TEST(DataUFind, FromTheLastRowReversesThenSearchesUp)
{
    const DataSheet sheet = Natures({"S", "L", "S", "L"});
    SearchParams p = Params(DataUMode::Find, Field::Nature, "S");
    p.motEntier = true;
    const FindOutcome none = FindNext(p, sheet, 4);
    EXPECT_EQ(none.row, 0);
    EXPECT_FALSE(none.versBas);
    p.versBas = none.versBas;
    EXPECT_EQ(FindNext(p, sheet, 4).row, 3);
    EXPECT_EQ(FindNext(p, sheet, 3).row, 1);
    const FindOutcome top = FindNext(p, sheet, 1);
    EXPECT_EQ(top.row, 0);
    EXPECT_TRUE(top.versBas);
}

TEST(DataUFind, MatchOnlyInTheLastRowFoundAtOnce)
{
    const DataSheet sheet = Natures({"L", "L", "L", "S"});
    const SearchParams p = Params(DataUMode::Find, Field::Nature, "S");
    EXPECT_FALSE(CheckAnyMatch(p, sheet));
    const FindOutcome found = FindNext(p, sheet, 0);
    EXPECT_EQ(found.row, 4);
    EXPECT_TRUE(found.versBas);
    EXPECT_EQ(FindNext(Params(DataUMode::Find, Field::Nature, ""), sheet, 0).row, 0);
}

// --- Selecting ---------------------------------------------------------------------------

TEST(DataUSelect, OtherLinesOnS)
{
    const DataSheet source = Natures({"S", "S12", "L", "AS", "S"});
    struct Case {
        bool motEntier;
        std::vector<std::string> kept;
    };
    const Case cases[] = {{true, {"S12", "L", "AS"}}, {false, {"L", "AS"}}};
    for (const Case& c : cases) {
        SearchParams p = Params(DataUMode::Select, Field::Nature, "S");
        p.motEntier = c.motEntier;
        p.garderSel = false;
        const DataSheet made = SelectRows(p, source, DataSheet(), "Sheet2");
        ASSERT_EQ(made.rowCount(), static_cast<int>(c.kept.size()));
        for (int row = 1; row <= made.rowCount(); ++row) {
            EXPECT_EQ(made.field(row, Field::Nature), c.kept[at(row - 1)]);
            EXPECT_EQ(made.cell(row, 0), RowNumberText(row));
        }
        EXPECT_EQ(made.lTitle, "Sheet2 (except S)");
        EXPECT_TRUE(made.lDirty);
    }
}

TEST(DataUSelect, KeepsCellsStatesAndDirectionsExactly)
{
    DataSheet source = Sheet({{"S1", "120 SW 10", "1", "Col", "a"},
                              {"L", "45 NE 30", "2", "Pic", "b"},
                              {"S2", "10 E 80", "3", "Col", ""}});
    // States of each kind, and a direction that its text no longer gives.
    source.lMod[1] = kRowSaved;
    source.lMod[3] = kRowToDecode;
    source.ltAz[3] = 1.2345678901;
    SearchParams p = Params(DataUMode::Select, Field::Location, "Col");
    DataSheet blank;
    blank.lC = {1, 2, 3, 4, 5}; // other columns than the source's: cells go by field
    const DataSheet made = SelectRows(p, source, blank, "src");
    ASSERT_EQ(made.rowCount(), 2);
    for (const auto& [to, from] : {std::pair{1, 1}, std::pair{2, 3}}) {
        for (int f = 0; f < kFieldCount; ++f)
            EXPECT_EQ(made.field(to, Field(f)), source.field(from, Field(f)));
        EXPECT_EQ(made.ltAz[at(to)], source.ltAz[at(from)]);
        EXPECT_EQ(made.ltPe[at(to)], source.ltPe[at(from)]);
        EXPECT_EQ(made.lMod[at(to)], source.lMod[at(from)]);
    }
    EXPECT_EQ(made.lTitle, "Col (selected in src)");
    EXPECT_EQ(made.notation().frtS, source.lFrtS);
}

TEST(DataUSelect, ByValueRangeAndNothingKept)
{
    const DataSheet source = Sheet({{"S", "120 SW 10", "1", "", ""},
                                    {"S", "30 E 50", "2", "", ""},
                                    {"L", "45 NE 30", "3", "", ""}});
    SearchParams p = ValueParams("40-60", ValuePart::Dip);
    p.mode = DataUMode::Select;
    const DataSheet made = SelectRows(p, source, DataSheet(), "src");
    ASSERT_EQ(made.rowCount(), 1);
    EXPECT_EQ(made.field(1, Field::Number), "2");
    // Lines never take part in a plane criterion, not even as "other lines".
    p.garderSel = false;
    const DataSheet others = SelectRows(p, source, DataSheet(), "src");
    ASSERT_EQ(others.rowCount(), 1);
    EXPECT_EQ(others.field(1, Field::Number), "1");
    p = Params(DataUMode::Select, Field::Number, "*");
    p.garderSel = false;
    const DataSheet empty = SelectRows(p, source, DataSheet(), "src");
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.lDirty);
    EXPECT_EQ(empty.lTitle, "src (except *)");
}

TEST(DataUSelect, LineRanges)
{
    DataSheet source = test::LineRows(10);
    source.lMod[5] = kRowToDecode;
    struct Case {
        const char* from;
        const char* to;
        int first; // 0: refused
        int last;
        const char* refusal;
    };
    const Case cases[] = {
        {"1", "3", 1, 3, ""},
        {"4", "2", 2, 4, ""},
        {"0", "3", 1, 3, ""},
        {"9", "20", 9, 10, ""},
        {" 5 ", "+5", 5, 5, ""},
        {"11", "12", 0, 0, "No line from 11 to 12 in the data sheet (lines 1 to 10)"},
        {"-3", "0", 0, 0, "No line from -3 to 0 in the data sheet (lines 1 to 10)"},
        {"x", "3", 0, 0, "'x' is not an integer (from line)"},
        {"1", "3.5", 0, 0, "'3.5' is not an integer (to line)"},
        {"", "3", 0, 0, "'' is not an integer (from line)"},
    };
    for (const Case& c : cases) {
        const LineRange range = ReadLineRange(c.from, c.to, source.rowCount());
        if (c.first == 0) {
            ASSERT_TRUE(range.refusal) << c.from << "-" << c.to;
            EXPECT_EQ(range.refusal->text, c.refusal);
            continue;
        }
        ASSERT_FALSE(range.refusal) << c.from << "-" << c.to;
        EXPECT_EQ(range.first, c.first);
        EXPECT_EQ(range.last, c.last);
        const DataSheet made = SelectLines(source, range.first, range.last, DataSheet());
        ASSERT_EQ(made.rowCount(), c.last - c.first + 1);
        for (int row = 1; row <= made.rowCount(); ++row) {
            const int from = c.first + row - 1;
            EXPECT_EQ(made.field(row, Field::Number), std::to_string(from));
            EXPECT_EQ(made.cell(row, 0), RowNumberText(row));
            EXPECT_EQ(made.ltAz[at(row)], source.ltAz[at(from)]);
            EXPECT_EQ(made.lMod[at(row)], from == 5 ? kRowToDecode : kRowChanged);
        }
        EXPECT_TRUE(made.lDirty);
        EXPECT_TRUE(made.lTitle.empty());
    }
}

// --- Changing ----------------------------------------------------------------------------

SearchParams ChangeParams(std::string st1, std::string st2, bool motEntier)
{
    SearchParams p = Params(DataUMode::Change, Field::Nature, std::move(st1));
    p.st2 = std::move(st2);
    p.motEntier = motEntier;
    return p;
}

std::vector<std::string> NatureColumn(const DataSheet& sheet)
{
    std::vector<std::string> natures;
    for (int row = 1; row <= sheet.rowCount(); ++row)
        natures.push_back(sheet.field(row, Field::Nature));
    return natures;
}

void ExpectSameSheet(const DataSheet& a, const DataSheet& b)
{
    test::ExpectSameRows(a, b);
    for (int row = 1; row <= a.rowCount(); ++row)
        EXPECT_EQ(a.lMod[at(row)], b.lMod[at(row)]) << row;
}

void Cancel(DataSheet& sheet, const std::vector<CellChange>& changes)
{
    for (auto it = changes.rbegin(); it != changes.rend(); ++it)
        RestoreCell(sheet, *it);
}

TEST(DataUChange, ChangeAllThenCancel)
{
    struct Case {
        bool motEntier;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {false, {"F", "F12", "FS", "L", "s1", "AF"}},
        {true, {"F", "S12", "SS", "L", "s1", "AS"}},
    };
    for (const Case& c : cases) {
        DataSheet sheet = Natures({"S", "S12", "SS", "L", "s1", "AS"});
        sheet.lMod[1] = kRowSaved;
        const DataSheet before = sheet;
        SearchParams p = ChangeParams("S", "F", c.motEntier);
        p.respectCase = true;
        const std::vector<CellChange> changes = ChangeAll(p, sheet);
        EXPECT_EQ(NatureColumn(sheet), c.after) << c.motEntier;
        EXPECT_TRUE(sheet.lDirty);
        Cancel(sheet, changes);
        ExpectSameSheet(sheet, before);
    }
}

// Without "Case sensitive" a change finds the code as the search found it.
TEST(DataUChange, IgnoringCaseAsFindDoes)
{
    DataSheet sheet = Natures({"s1", "xs", "L"});
    SearchParams p = ChangeParams("S", "F", false);
    p.respectCase = false;
    ASSERT_EQ(FindNext(p, sheet, 0).row, 1);
    ASSERT_TRUE(ChangeOne(p, sheet, 1));
    EXPECT_EQ(sheet.field(1, Field::Nature), "F1");
    EXPECT_EQ(ChangeAll(p, sheet).size(), 1u);
    EXPECT_EQ(NatureColumn(sheet), (std::vector<std::string>{"F1", "xF", "L"}));
}

// "Full word" changes a cell only when it is the search text, not whatever row is selected.
TEST(DataUChange, OnlyACellThatMatches)
{
    DataSheet sheet = Natures({"S", "L1", "S12"});
    const DataSheet before = sheet;
    for (bool motEntier : {true, false}) {
        const SearchParams p = ChangeParams("S", "F", motEntier);
        EXPECT_FALSE(ChangeOne(p, sheet, 2)) << motEntier;
        EXPECT_FALSE(ChangeOne(p, sheet, 0)) << "no row selected";
        ExpectSameSheet(sheet, before);
    }
    const SearchParams p = ChangeParams("S", "F", true);
    EXPECT_FALSE(ChangeOne(p, sheet, 3));
    const std::optional<CellChange> change = ChangeOne(p, sheet, 1);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->oldText(), "S");
    EXPECT_EQ(change->newText(), "F");
}

// Cancel puts back only what was written, where it still is.
TEST(DataUChange, CancelRestoresOnlyCellsStillAsChanged)
{
    DataSheet sheet = Natures({"S", "S", "S", "L"});
    const std::vector<CellChange> changes = ChangeAll(ChangeParams("S", "F", true), sheet);
    ASSERT_EQ(changes.size(), 3u);
    // The user typed over row 2 since, and a cell of another column holds the search text.
    sheet.setField(2, Field::Nature, "P");
    sheet.setField(4, Field::Location, "S");
    Cancel(sheet, changes);
    EXPECT_EQ(NatureColumn(sheet), (std::vector<std::string>{"S", "P", "S", "L"}));
    EXPECT_EQ(sheet.field(4, Field::Location), "S");
    // A partial replacement comes back whole, and a second change of the same cell unwinds.
    DataSheet partial = Natures({"S12", "AS"});
    const DataSheet before = partial;
    std::vector<CellChange> both = ChangeAll(ChangeParams("S", "SS", false), partial);
    for (const CellChange& c : ChangeAll(ChangeParams("SS", "T", false), partial))
        both.push_back(c);
    EXPECT_EQ(NatureColumn(partial), (std::vector<std::string>{"T12", "AT"}));
    Cancel(partial, both);
    ExpectSameSheet(partial, before);
}

// A nature changed from plane to line is checked again at the next save, as a cell typed in
// place: the row no longer passes its pole off as the line.
TEST(DataUChange, NewNatureWaitsToBeDecoded)
{
    DataSheet sheet = Sheet({{"S", "120 SW 10", "1", "", ""}, {"S", "30 E 20", "2", "", ""}});
    sheet.lMod[1] = kRowSaved;
    ChangeAll(ChangeParams("S", "L", true), sheet);
    for (int row : {1, 2}) {
        EXPECT_EQ(sheet.field(row, Field::Nature), "L");
        EXPECT_EQ(sheet.lMod[at(row)], kRowToDecode) << row;
    }
    DataSheet codes = Natures({"S"});
    codes.lMod[1] = kRowSaved;
    SearchParams p = ChangeParams("1", "7", true);
    p.field = Field::Number;
    ChangeAll(p, codes);
    EXPECT_EQ(codes.field(1, Field::Number), "7");
    EXPECT_EQ(codes.lMod[1], kRowChanged);
}

TEST(DataUChange, ChecksBeforeWriting)
{
    SearchParams p = ChangeParams("", "F", true);
    EXPECT_TRUE(CheckChange(p).stop);
    EXPECT_FALSE(CheckChange(p).message);
    p = ChangeParams("S", "F", true);
    p.field = Field::Value;
    ChangeCheck c = CheckChange(p);
    EXPECT_TRUE(c.stop);
    ASSERT_TRUE(c.message);
    EXPECT_EQ(c.message->text, "Not possible to change the value this way...");
    EXPECT_EQ(c.message->kind, MsgKind::Information);
    c = CheckChange(ChangeParams("S", "", true));
    EXPECT_FALSE(c.stop);
    ASSERT_TRUE(c.message);
    EXPECT_EQ(c.message->text, "Change 'S' for an empty string ?");
    EXPECT_EQ(c.message->buttons, (Button::Yes | Button::Cancel));
    EXPECT_FALSE(CheckChange(ChangeParams("S", "F", true)).message);
    // Replacement results are codes of 9 characters at most.
    EXPECT_EQ(ChangedCell(ChangeParams("S", "ABCDEFGHIJK", false), "S12"), "ABCDEFGHI");
    EXPECT_EQ(ChangedCell(ChangeParams("S", "ABCDEFGHIJK", true), "S"), "ABCDEFGHI");
    EXPECT_EQ(ChangedCell(ChangeParams("S", "", false), "AS1"), "A1");
}

} // namespace
} // namespace ploq
