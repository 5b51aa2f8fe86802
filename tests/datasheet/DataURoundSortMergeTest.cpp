// Rounding, sorting, listing and merging data sheets: whole degrees with halves to even, rows
// ordered field by field (checked against a plain sort of composed rows written here), the codes
// and files listings, and merges with and without the converting copy.

#include "datasheet/DataU.h"
#include "datasheet/Fichier.h"
#include "model/UtilGlob.h"
#include "platform/Clock.h"
#include "support/SheetRows.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace ploq {
namespace {

using test::EnterRow;
using test::RowTexts;

std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

double rad(double degrees)
{
    return degrees * kDegToRad;
}

DataSheet Sheet(const std::vector<RowTexts>& rows, Notation notation = {0, 0})
{
    DataSheet sheet;
    sheet.lFrtS = notation.frtS;
    sheet.lFrtL = notation.frtL;
    for (const RowTexts& r : rows)
        EnterRow(sheet, r);
    return sheet;
}

// A row stored as a saved file holds it: its direction and text, state 0.
void StoreRow(DataSheet& sheet, int row, const std::string& nature, double trendDeg,
              double plungeDeg)
{
    sheet.setField(row, Field::Nature, nature);
    sheet.ltAz[at(row)] = rad(trendDeg);
    sheet.ltPe[at(row)] = rad(plungeDeg);
    sheet.setField(row, Field::Value,
                   DirToText(sheet.lShowDeci, IsPlane(nature.front()), rad(plungeDeg),
                             rad(trendDeg), sheet.notation()));
    sheet.lMod[at(row)] = kRowSaved;
}

std::vector<std::string> Column(const DataSheet& sheet, Field field)
{
    std::vector<std::string> texts;
    for (int row = 1; row <= sheet.rowCount(); ++row)
        texts.push_back(sheet.field(row, field));
    return texts;
}

std::vector<std::string> Plain(const TextDocument& document)
{
    std::vector<std::string> lines;
    for (const TextParagraph& p : document.paragraphs)
        lines.push_back(p.plain());
    return lines;
}

// --- Round data ---------------------------------------------------------------------------

TEST(DataURound, SavedRowsRoundTheirStoredDirectionHalvesToEven)
{
    struct Case {
        double plunge;
        double rounded;
    };
    const Case cases[] = {{10.4, 10}, {10.6, 11}, {10.5, 10}, {11.5, 12}, {0.5, 0}, {89.5, 90}};
    DataSheet sheet;
    sheet.lFrtL = 2; // direction/plunge
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        if (i > 0) {
            ASSERT_TRUE(sheet.appendRow());
        }
        StoreRow(sheet, static_cast<int>(i) + 1, "L", 40.5, cases[i].plunge);
    }
    sheet.Numeroter();
    EXPECT_TRUE(RoundData(sheet).empty());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const int row = static_cast<int>(i) + 1;
        EXPECT_DOUBLE_EQ(sheet.ltPe[at(row)], rad(cases[i].rounded)) << cases[i].plunge;
        EXPECT_DOUBLE_EQ(sheet.ltAz[at(row)], rad(40)) << "40.5 goes to the even 40";
        EXPECT_EQ(sheet.field(row, Field::Value), "40 / " + FormatInt(cases[i].rounded));
        EXPECT_EQ(sheet.lMod[at(row)], kRowChanged);
    }
    EXPECT_TRUE(sheet.lDirty);
    EXPECT_TRUE(sheet.lShowDeci) << "the decimals setting stays";
}

TEST(DataURound, ChangedRowsAreReadFromTheirCellPlanesOnTheirPole)
{
    // 120.4 SW 10.6: pole trend 30.4, plunge 79.4, rounded to 30/79, which is 120 SW 11.
    DataSheet sheet =
        Sheet({{"S", "120.4 SW 10.6", "1", "", ""}, {"L", "45 NE 30.5", "2", "", ""}});
    sheet.lMod[2] = kRowToDecode;
    EXPECT_TRUE(RoundData(sheet).empty());
    EXPECT_EQ(sheet.field(1, Field::Value), "120 SW 11");
    EXPECT_DOUBLE_EQ(sheet.ltAz[1], rad(30));
    EXPECT_DOUBLE_EQ(sheet.ltPe[1], rad(79));
    EXPECT_EQ(sheet.lMod[1], kRowChanged);
    EXPECT_EQ(sheet.field(2, Field::Value), "45 NE 30");
    EXPECT_DOUBLE_EQ(sheet.ltPe[2], rad(30));
    EXPECT_EQ(sheet.lMod[2], kRowToDecode) << "the state stays";
}

TEST(DataURound, ATrendRoundedTo360IsNorth)
{
    DataSheet sheet;
    sheet.lFrtL = 2;
    StoreRow(sheet, 1, "L", 359.6, 20);
    sheet.Numeroter();
    RoundData(sheet);
    EXPECT_EQ(sheet.ltAz[1], 0);
    EXPECT_EQ(sheet.field(1, Field::Value), "0 / 20");
}

TEST(DataURound, ARowWhoseCellFailsIsLeftAndReportedTheNextOnesDone)
{
    DataSheet sheet = Sheet({{"S", "120 SW 10", "1", "", ""}, {"L", "45 NE 10.6", "2", "", ""}});
    const SavedRow before = sheet.savedRow(1);
    sheet.setField(1, Field::Value, "120 XY 10.4");
    sheet.lMod[1] = kRowToDecode;
    const std::vector<RowRefusal> refusals = RoundData(sheet);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].row, 1);
    EXPECT_EQ(refusals[0].message.text, TextToDir('S', "120 XY 10.4", sheet.notation()).message);
    EXPECT_EQ(sheet.field(1, Field::Value), "120 XY 10.4");
    EXPECT_EQ(sheet.ltAz[1], before.azi);
    EXPECT_EQ(sheet.ltPe[1], before.pen);
    EXPECT_EQ(sheet.lMod[1], kRowToDecode);
    EXPECT_EQ(sheet.field(2, Field::Value), "45 NE 11");
}

TEST(DataURound, AnEmptySheetIsLeftAlone)
{
    DataSheet sheet;
    EXPECT_TRUE(RoundData(sheet).empty());
    EXPECT_FALSE(sheet.lDirty);
    EXPECT_TRUE(sheet.isEmpty());
}

TEST(DataURound, TheQuestionIsCentredWithYesAndNo)
{
    const Message q = RoundQuestion();
    EXPECT_EQ(q.text, "Decimal values will be rounded, undo not possible: ok ?");
    EXPECT_EQ(q.kind, MsgKind::Confirmation);
    EXPECT_EQ(q.buttons, Button::Yes | Button::No);
    EXPECT_TRUE(q.screenCentre);
}

// --- Sort ---------------------------------------------------------------------------------

TEST(DataUSort, NumberKeys)
{
    const std::pair<const char*, const char*> cases[] = {
        {"12", "000000012"},  {"A3b", "000000003"},   {"abc", "000000000"},
        {"", "000000000"},    {"1a2b3", "000000123"}, {"1234567890", "234567890"},
        {"007", "000000007"},
    };
    for (const auto& [code, key] : cases)
        EXPECT_EQ(SortByNumberKey(code), key) << code;
}

TEST(DataUSort, NumbersByValueOrAsStrings)
{
    const NoCaseOrder order;
    const std::vector<RowTexts> rows = {{"S", "120 SW 10", "2", "", ""},
                                        {"S", "120 SW 10", "10", "", ""},
                                        {"S", "120 SW 10", "1a", "", ""}};
    DataSheet byValue = Sheet(rows);
    SortByNumber(byValue, order);
    EXPECT_EQ(Column(byValue, Field::Number), (std::vector<std::string>{"1a", "2", "10"}));
    DataSheet asStrings = Sheet(rows);
    SortSheet(asStrings, Field::Number, order);
    EXPECT_EQ(Column(asStrings, Field::Number), (std::vector<std::string>{"10", "1a", "2"}));
    EXPECT_TRUE(asStrings.lDirty);
    EXPECT_EQ(asStrings.cell(1, 0), "001");
    EXPECT_EQ(asStrings.cell(3, 0), "003");
}

TEST(DataUSort, EqualKeysByValueThenNatureCaseIgnored)
{
    DataSheet sheet = Sheet({{"b", "20 E 30", "1", "", ""},
                             {"A", "20 E 30", "2", "", ""},
                             {"a", "10 N 5", "3", "", ""},
                             {"B", "10 N 5", "4", "", ""},
                             {"S1", "120 SW 10", "5", "Col", ""},
                             {"s1", "100 SW 10", "6", "col", ""}});
    SortSheet(sheet, Field::Location, NoCaseOrder());
    // Empty locations first; among them value 10 N 5 before 20 E 30, then nature a = A < b = B
    // with equal rows in their order; "Col" and "col" are one key, ordered by value.
    EXPECT_EQ(Column(sheet, Field::Number),
              (std::vector<std::string>{"3", "4", "2", "1", "6", "5"}));
}

TEST(DataUSort, CellsWithColonsStayWhole)
{
    DataSheet sheet =
        Sheet({{"S2", "120 SW 10", "1", "a:b", "x:y:z"}, {"S1", "30 SE 5", "2", ":", ""}});
    SortSheet(sheet, Field::Nature, NoCaseOrder());
    EXPECT_EQ(Column(sheet, Field::Location), (std::vector<std::string>{":", "a:b"}));
    EXPECT_EQ(Column(sheet, Field::Comment), (std::vector<std::string>{"", "x:y:z"}));
    EXPECT_EQ(Column(sheet, Field::Value),
              (std::vector<std::string>{"30.0 SE 5.0", "120.0 SW 10.0"}));
}

TEST(DataUSort, WholeRowsMoveAndOnlyMovedRowsAreMarked)
{
    DataSheet sheet;
    sheet.setRowCount(4);
    StoreRow(sheet, 1, "S1", 30.4, 79.4);
    StoreRow(sheet, 2, "L2", 12.3, 45.6);
    StoreRow(sheet, 3, "S3", 200.1, 10.2);
    StoreRow(sheet, 4, "L0", 1.5, 2.5);
    sheet.setField(3, Field::Value, "not read");
    sheet.lMod[3] = kRowToDecode; // its text waits to be decoded, and must keep waiting
    sheet.Numeroter();
    std::vector<SavedRow> before;
    for (int row = 1; row <= 4; ++row)
        before.push_back(sheet.savedRow(row));
    // L0, L2, S1, S3: rows 4 and 1 swap places, 2 and 3 stay.
    SortSheet(sheet, Field::Nature, NoCaseOrder());
    const int from[] = {4, 2, 1, 3};
    for (int row = 1; row <= 4; ++row) {
        const SavedRow& was = before[at(from[row - 1] - 1)];
        for (int column = 1; column < kColumnCount; ++column)
            EXPECT_EQ(sheet.cell(row, column), was.cells[at(column)]) << row;
        EXPECT_EQ(sheet.ltAz[at(row)], was.azi) << row;
        EXPECT_EQ(sheet.ltPe[at(row)], was.pen) << row;
    }
    EXPECT_EQ(sheet.lMod[1], kRowChanged);
    EXPECT_EQ(sheet.lMod[2], kRowSaved);
    EXPECT_EQ(sheet.lMod[3], kRowChanged);
    EXPECT_EQ(sheet.lMod[4], kRowToDecode);
}

TEST(DataUSort, ASheetShownAsIntegersKeepsItsDirectionsThroughSaveAndLoad)
{
    DataSheet sheet;
    sheet.lShowDeci = false;
    sheet.setRowCount(3);
    StoreRow(sheet, 1, "S", 30.4, 79.4); // shown "120 SW 11"
    StoreRow(sheet, 2, "L", 123.45, 33.33);
    StoreRow(sheet, 3, "P", 271.7, 0.6);
    sheet.setField(1, Field::Number, "3");
    sheet.setField(2, Field::Number, "1");
    sheet.setField(3, Field::Number, "2");
    sheet.Numeroter();
    ASSERT_EQ(sheet.field(1, Field::Value), "120 SW 11");
    const double trends[] = {0, 123.45, 271.7, 30.4}; // by number code
    const double plunges[] = {0, 33.33, 0.6, 79.4};
    SortByNumber(sheet, NoCaseOrder());
    std::stringstream file;
    ASSERT_TRUE(SaveSheetStream(sheet, file, FixedClock(toDayCount({2026, 12, 9, 14, 5, 0}))).ok);
    DataSheet loaded;
    ASSERT_TRUE(LoadSheetStream(file, loaded).ok);
    ASSERT_EQ(loaded.rowCount(), 3);
    for (int row = 1; row <= 3; ++row) {
        const int number = std::stoi(loaded.field(row, Field::Number));
        EXPECT_EQ(number, row);
        // The file keeps single precision: the stored direction, not one read from a cell.
        EXPECT_NEAR(loaded.ltAz[at(row)], rad(trends[number]), 1e-6) << row;
        EXPECT_NEAR(loaded.ltPe[at(row)], rad(plunges[number]), 1e-6) << row;
    }
}

// The order of the Sort submenu, written plainly: each row composed as its key followed by its
// fields, compared field by field, the whole sorted stably.
std::vector<int> ComposedOrder(const DataSheet& sheet, const std::vector<std::string>& keys,
                               const TextOrder& order)
{
    std::vector<std::vector<std::string>> composed;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        composed.push_back({keys[at(row - 1)]});
        for (Field f :
             {Field::Value, Field::Nature, Field::Number, Field::Location, Field::Comment})
            composed.back().push_back(sheet.field(row, f));
    }
    std::vector<int> rows(composed.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<int>(i) + 1;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const auto& x = composed[at(a - 1)];
        const auto& y = composed[at(b - 1)];
        for (std::size_t i = 0; i < x.size(); ++i)
            if (const int c = order.compare(x[i], y[i]); c != 0)
                return c < 0;
        return false;
    });
    return rows;
}

TEST(DataUSort, AgreesWithAPlainSortOfComposedRows)
{
    std::mt19937 random(20261211);
    const char* natures[] = {"S", "s", "S1", "L", "l", "F2"};
    const char* places[] = {"", "Col", "col", "COL", "Pic", "a:b"};
    const NoCaseOrder order;
    for (int trial = 0; trial < 20; ++trial) {
        DataSheet sheet;
        const int n = 1 + static_cast<int>(random() % 60);
        sheet.setRowCount(n);
        for (int row = 1; row <= n; ++row) {
            StoreRow(sheet, row, natures[random() % 6], static_cast<double>(random() % 4 * 90),
                     static_cast<double>(random() % 3 * 10));
            sheet.setField(row, Field::Number, std::to_string(random() % 5));
            sheet.setField(row, Field::Location, places[random() % 6]);
            sheet.setField(row, Field::Comment, places[random() % 6]);
        }
        sheet.Numeroter();
        for (const Field key : {Field::Nature, Field::Location, Field::Comment, Field::Number}) {
            DataSheet sorted = sheet;
            const std::vector<std::string> keys = Column(sheet, key);
            SortSheet(sorted, key, order);
            const std::vector<int> expected = ComposedOrder(sheet, keys, order);
            for (int row = 1; row <= n; ++row) {
                SavedRow was = sheet.savedRow(expected[at(row - 1)]);
                was.cells[0] = RowNumberText(row);
                EXPECT_EQ(sorted.savedRow(row).cells, was.cells)
                    << "trial " << trial << " row " << row;
            }
        }
    }
}

TEST(DataUSort, AnEmptySheetIsLeftAlone)
{
    DataSheet sheet;
    SortByNumber(sheet, NoCaseOrder());
    EXPECT_FALSE(sheet.lDirty);
    EXPECT_TRUE(sheet.isEmpty());
}

// --- Info codes and info files ------------------------------------------------------------

TEST(DataUInfoCodes, NumberCodesLineUpToTheRight)
{
    const std::pair<const char*, const char*> cases[] = {
        {"5", "   5 "},    {"12", "  12 "},  {"123", " 123 "},
        {"1234", "1234 "}, {"1a", "   1a "}, {"A3", "A3 "},
    };
    for (const auto& [code, line] : cases)
        EXPECT_EQ(InfoCodesNumber(code), line) << code;
}

TEST(DataUInfoCodes, HeadingsAndDistinctCodesSortedCaseIgnored)
{
    DataSheet sheet = Sheet({{"S1", "120 SW 10", "123", "Pic", "limb"},
                             {"s1", "120 SW 10", "5", "col", ""},
                             {"L", "45 NE 30", "12", "Col", "Hinge"},
                             {"S1", "120 SW 10", "5", "", "hinge"}});
    for (int f = 0; f < kFieldCount; ++f)
        sheet.setCell(0, sheet.columnOf(static_cast<Field>(f)), "H" + std::to_string(f));
    const TextDocument listing = InfoCodes(sheet, "site.plq", NoCaseOrder());
    EXPECT_EQ(Plain(listing),
              (std::vector<std::string>{"Data sheet site.plq", "H1", "L", "S1", "", "H3", "col",
                                        "Pic", "", "H4", "Hinge", "limb", "", "H2", "   5 ",
                                        "  12 ", " 123 ", ""}));
    ASSERT_EQ(listing.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(listing.paragraphs[0].runs[0], (TextRun{"Data sheet site.plq", true, clRed}));
    EXPECT_EQ(listing.paragraphs[1].runs[0], (TextRun{"H1", false, clRed}));
    EXPECT_EQ(listing.paragraphs[2].runs[0], (TextRun{"L", false, clBlack}));
}

TEST(DataUInfoFiles, FilesWithTheirDatesAndSheetsWithoutFiles)
{
    DataSheet changed = Sheet({{"S", "120 SW 10", "1", "", ""}, {"L", "45 NE 30", "2", "", ""}});
    changed.lNomF = "/data/field trip/site.plq";
    changed.lCreated = toDayCount({2026, 12, 9, 14, 5, 0});
    changed.lModified = toDayCount({2027, 1, 15, 8, 30, 0});
    const DataSheet fresh;
    const TextDocument listing = InfoFiles({{&changed, "site.plq"}, {&fresh, "WF n\xB0 2"}});
    EXPECT_EQ(Plain(listing), (std::vector<std::string>{
                                  "File \"site.plq\"", "    directory :   /data/field trip",
                                  "    creation :  Wednesday, December 9, 2026,   14:05",
                                  "    last modification :  Friday, January 15, 2027,   08:30",
                                  "    2 measurements", "    ", "Tableau \"WF n\xB0 2\"",
                                  "    0 mesures", "    "}));
    EXPECT_EQ(listing.paragraphs[0].runs[0].colour, clRed);
    EXPECT_EQ(listing.paragraphs[6].runs[0].colour, clRed);
    EXPECT_EQ(listing.paragraphs[1].runs[0].colour, clBlack);
}

// --- Merge --------------------------------------------------------------------------------

DataSheet Blank(Notation notation)
{
    DataSheet sheet;
    sheet.lFrtS = notation.frtS;
    sheet.lFrtL = notation.frtL;
    sheet.lC = {1, 2, 3, 4, 5}; // its own columns: value first
    return sheet;
}

TEST(DataUMerge, TitlesJoinedWithoutExtensionsAndTheQuestions)
{
    const DataSheet a = Sheet({{"S", "120 SW 10", "1", "", ""}});
    const DataSheet b = Sheet({{"L", "45 NE 30", "1", "", ""}});
    const DataSheet empty;
    const MergePlan plan = PlanMerge({{&a, "site.plq"}, {&empty, "WF 2"}, {&b, "WF n\xB0 3"}});
    EXPECT_FALSE(plan.refusal);
    EXPECT_FALSE(plan.heterogeneous);
    ASSERT_EQ(plan.taken.size(), 2u);
    EXPECT_EQ(plan.titles, "site,  WF n\xB0 3");
    EXPECT_EQ(MergeQuestion(plan).text, "Merging the data sheet : site,  WF n\xB0 3 - OK ?");
    EXPECT_EQ(MergeQuestion(plan).buttons, Button::Yes | Button::No);
    EXPECT_EQ(HeterogeneousQuestion().text,
              "Heterogeneous data formats, will slow down merging - continue ?");
}

TEST(DataUMerge, FewerThanTwoSheetsWithRowsAreRefused)
{
    const DataSheet a = Sheet({{"S", "120 SW 10", "1", "", ""}});
    const DataSheet empty;
    for (const std::vector<TitledSheet>& open :
         {std::vector<TitledSheet>{{&a, "a"}, {&empty, "b"}},
          std::vector<TitledSheet>{{&empty, "b"}}, std::vector<TitledSheet>{}}) {
        const MergePlan plan = PlanMerge(open);
        ASSERT_TRUE(plan.refusal);
        EXPECT_EQ(plan.refusal->text, "Only one data sheet, unmeaning merging");
    }
}

TEST(DataUMerge, EqualNotationsCopyTheTextsUnchanged)
{
    DataSheet a = Sheet({{"S1", "120 SW 10", "1", "Col", "x"}});
    a.lShowDeci = false;
    a.setField(1, Field::Value, "120 SW 10"); // as shown without decimals
    DataSheet b = Sheet({{"L2", "45 NE 30", "7", "Pic", ""}});
    b.lMod[1] = kRowToDecode;
    const MergeOutcome merged = MergeSheets(PlanMerge({{&a, "a"}, {&b, "b"}}), Blank({0, 0}));
    const DataSheet& m = merged.sheet;
    EXPECT_FALSE(merged.full);
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(Column(m, Field::Value), (std::vector<std::string>{"120 SW 10", "45.0 NE 30.0"}));
    EXPECT_EQ(Column(m, Field::Nature), (std::vector<std::string>{"S1", "L2"}));
    EXPECT_EQ(m.cell(1, 1), "120 SW 10") << "the blank's own columns";
    EXPECT_EQ(m.cell(2, 3), "7");
    EXPECT_EQ(m.ltAz[1], a.ltAz[1]);
    EXPECT_EQ(m.ltPe[2], b.ltPe[1]);
    EXPECT_EQ(m.lMod[1], kRowChanged);
    EXPECT_EQ(m.lMod[2], kRowToDecode);
    EXPECT_EQ(m.cell(2, 0), "002");
    EXPECT_TRUE(m.lDirty);
}

TEST(DataUMerge, HeterogeneousNotationsAreWrittenInTheNewSheetsWithOneDecimal)
{
    DataSheet quadrant = Sheet({{"S", "120 SW 10", "1", "", ""}, {"L", "45 NE 30", "2", "", ""}});
    quadrant.lShowDeci = false;
    DataSheet dipFirst = Sheet({{"S", "10/210", "3", "", ""}}, {1, 1});
    // A text waiting to be decoded is read in its own sheet's notations: 20/300 is dip 20
    // toward 300 there.
    dipFirst.setField(1, Field::Value, "20/300");
    dipFirst.lMod[1] = kRowToDecode;
    const MergePlan plan = PlanMerge({{&quadrant, "q"}, {&dipFirst, "d"}});
    EXPECT_TRUE(plan.heterogeneous);
    const DataSheet m = MergeSheets(plan, Blank({2, 2})).sheet;
    // Notation 2: dip direction/dip and direction/plunge.
    EXPECT_EQ(Column(m, Field::Value),
              (std::vector<std::string>{"210.0 / 10.0", "45.0 / 30.0", "300.0 / 20.0"}));
    EXPECT_EQ(m.lMod[3], kRowToDecode);
}

TEST(DataUMerge, SharedNotationsOtherThanTheNewSheetsAreConverted)
{
    const DataSheet a = Sheet({{"S", "10/210", "1", "", ""}}, {1, 1});
    const DataSheet b = Sheet({{"L", "30/45", "2", "", ""}}, {1, 1});
    const MergePlan plan = PlanMerge({{&a, "a"}, {&b, "b"}});
    EXPECT_FALSE(plan.heterogeneous) << "nothing to ask: the two agree";
    const DataSheet m = MergeSheets(plan, Blank({0, 0})).sheet;
    EXPECT_EQ(Column(m, Field::Value), (std::vector<std::string>{"120.0 SW 10.0", "45.0 NE 30.0"}));
}

TEST(DataUMerge, StopsAtTheCapacityKeepingWhatWasMerged)
{
    const DataSheet a = test::LineRows(3000);
    const DataSheet b = test::LineRows(2500);
    const MergeOutcome merged =
        MergeSheets(PlanMerge({{&a, "a"}, {&b, "b"}}), Blank({a.lFrtS, a.lFrtL}));
    ASSERT_TRUE(merged.full);
    EXPECT_EQ(merged.full->text, "Maximum data sheet  size reached (5000)");
    const DataSheet& m = merged.sheet;
    ASSERT_EQ(m.rowCount(), kMaxValues);
    EXPECT_EQ(m.field(3000, Field::Number), "3000");
    EXPECT_EQ(m.field(3001, Field::Number), "1");
    EXPECT_EQ(m.field(5000, Field::Number), "2000");
    EXPECT_EQ(m.cell(5000, 0), "000");
}

} // namespace
} // namespace ploq
