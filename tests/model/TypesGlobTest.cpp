#include "model/DataSheet.h"
#include "model/TypesGlob.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

TEST(FlagWords, SetAndTestOnlyTheNamedBit)
{
    std::int32_t word = 0b1111 | 1 << 16;
    SetBit(word, 3, false);
    EXPECT_EQ(word, 0b0111 | 1 << 16);

    std::int32_t zero = 0;
    SetBit(zero, 20, true);
    EXPECT_EQ(zero, 1 << 20);

    std::int32_t all = -1;
    EXPECT_FALSE(TestBit(all, 24));
    EXPECT_FALSE(TestBit(all, -1));
    SetBit(zero, 24, true);
    SetBit(zero, -3, true);
    EXPECT_EQ(zero, 1 << 20) << "bits outside 0..23 are left alone";
}

TEST(NatureCode, FirstLetterTellsPlaneFromLine)
{
    struct Case {
        const char* code;
        bool ok;
        bool plane;
        const char* message;
    };
    const Case cases[] = {
        {"s0", true, true, ""},         {"F12", true, true, ""},
        {"P", true, true, ""},          {"b", true, false, ""},
        {"L2", true, false, ""},        {"a", true, false, ""},
        {"X1", false, false, "First character of the code nature must be S, F, P, L or A..."},
        {"", false, false, "Missing \"nature\" code"},
        {" S", false, false, "First character"},
    };
    for (const Case& c : cases) {
        const NatureCheck check = CheckNature(c.code);
        EXPECT_EQ(check.ok, c.ok) << c.code;
        if (c.ok)
            EXPECT_EQ(IsPlane(check.letter), c.plane) << c.code;
        else
            EXPECT_NE(check.message.find(c.message), std::string::npos) << c.code;
    }
}

TEST(MatchCode, PrefixWithWildcardsAndEndMark)
{
    struct Case {
        const char* pattern;
        const char* code;
        bool matches;
    };
    const Case cases[] = {
        {"S*", "S12", true},       {"S*", "S", true},          {"*1", "S1", true},
        {"S1/", "S12", false},     {"S1/", "S1", true},        {"s", "S0", false},
        {"", "anything", true},    {"S", "S0", true},          {"S0", "S", false},
        {"F*/", "F1", true},       {"F*/", "F12", false},      {"*********", "ABCDEFGHI", true},
        {"/", "", true},           {"/", "A", false},          {"ABCDEFGHIJ", "ABCDEFGHI", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchCode(c.pattern, c.code), c.matches) << c.pattern << " / " << c.code;
}

TEST(MatchNumber, RangesAndComparisons)
{
    struct Case {
        const char* pattern;
        const char* code;
        bool matches;
    };
    const Case cases[] = {
        {"10-20", "B15", true},  {"20-10", "15", true},   {"10-20", "21", false},
        {">=7", "7a", true},     {">7", "7", false},      {"<5", "4", true},
        {"<=5", "5", true},      {"12", "x", false},      {"-5", "5", false},
        {"12", "A12b", true},    {"123", "A12b3", true},  {"=3", "3", true},
        {"", "3", false},        {"=>3", "4", false},     {"<5", "12", false},
        {"99999999999999999999999", "99999999999999999999999", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchNumber(c.pattern, c.code), c.matches) << c.pattern << " / " << c.code;
}

TEST(ShortString, CutsToItsCapacityInBytes)
{
    St9 code("ABCDEFGHIJKL");
    EXPECT_EQ(code.view(), "ABCDEFGHI");
    St13 value("123.4 SW 56.7 extra");
    EXPECT_EQ(value.size(), 13u);
    EXPECT_EQ(St9("\xE9t\xE9").size(), 3u) << "one byte per accented letter";
}

TEST(Slots, LowestFreeSlotIsTakenAndReused)
{
    SlotTable slots;
    for (int k = 1; k <= kMaxWindows; ++k)
        EXPECT_EQ(slots.take(), k);
    EXPECT_EQ(slots.take(), std::nullopt);
    slots.release(3);
    EXPECT_EQ(slots.take(), 3);
    EXPECT_EQ(slots.count(), kMaxWindows);
}

TEST(Tags, KindOfEachRange)
{
    EXPECT_EQ(KindOfTag(0), TagKind::Main);
    EXPECT_EQ(KindOfTag(15), TagKind::Sheet);
    EXPECT_EQ(KindOfTag(kTagCanvasBase + 1), TagKind::Canvas);
    EXPECT_EQ(KindOfTag(kTagCanvasBase + 15), TagKind::Canvas);
    EXPECT_EQ(KindOfTag(kTagTextBase + 1), TagKind::Text);
    EXPECT_EQ(KindOfTag(12306), TagKind::Dialog);
}

TEST(DataSheetModel, NumberingAndRows)
{
    EXPECT_EQ(RowNumberText(7), "007");
    EXPECT_EQ(RowNumberText(1234), "234");

    DataSheet sheet;
    EXPECT_TRUE(sheet.isEmpty());
    EXPECT_EQ(sheet.rowCount(), 1);
    sheet.setField(1, Field::Nature, "S0");
    sheet.setField(1, Field::Value, "120 SW 10");
    EXPECT_EQ(sheet.cell(1, 1), "S0") << "nature is column 1 by default";
    EXPECT_EQ(sheet.cell(1, 2), "120 SW 10");
    sheet.Numeroter();
    EXPECT_FALSE(sheet.isEmpty());

    for (int row = 2; row <= kMaxValues; ++row)
        ASSERT_TRUE(sheet.appendRow());
    EXPECT_FALSE(sheet.appendRow()) << "a sheet holds at most 5000 rows";
    EXPECT_FALSE(sheet.insertRow(2));
    EXPECT_EQ(sheet.rowCount(), kMaxValues);
}

TEST(DataSheetModel, DeleteAndInsertMoveTheSideArrays)
{
    DataSheet sheet;
    sheet.appendRow();
    sheet.appendRow();
    for (int row = 1; row <= 3; ++row) {
        sheet.setField(row, Field::Number, std::to_string(row));
        sheet.ltAz[static_cast<std::size_t>(row)] = row;
    }
    sheet.deleteRow(2);
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.field(2, Field::Number), "3");
    EXPECT_EQ(sheet.ltAz[2], 3);
    sheet.insertRow(1);
    EXPECT_EQ(sheet.field(2, Field::Number), "1");
    EXPECT_EQ(sheet.ltAz[2], 1);
    EXPECT_EQ(sheet.ltAz[1], 0);
}

TEST(DataSheetModel, ColumnOrderMustBeAPermutation)
{
    EXPECT_TRUE(IsColumnOrder(kDefaultColumns));
    EXPECT_TRUE(IsColumnOrder({1, 2, 3, 4, 5}));
    EXPECT_FALSE(IsColumnOrder({1, 1, 3, 4, 5}));
    EXPECT_FALSE(IsColumnOrder({0, 2, 3, 4, 5}));
    EXPECT_FALSE(IsColumnOrder({6, 2, 3, 4, 5}));
}

} // namespace
} // namespace ploq
