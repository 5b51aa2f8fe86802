#include "faults/Faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ploq {
namespace {

// Records of these natures and numbers, in order.
std::vector<InfoVal> records(std::initializer_list<std::pair<const char*, const char*>> codes)
{
    std::vector<InfoVal> values;
    for (const auto& [nature, number] : codes) {
        InfoVal v;
        v.na = nature;
        v.nu = number;
        values.push_back(v);
    }
    return values;
}

TEST(FaultCodes, TheDialogsChoicesMakeTheNatures)
{
    struct Case {
        FaultCodes codes;
        bool light;
        const char* plane;
        const char* striae;
    };
    const Case cases[] = {
        // Qualifiers go into the codes only when asked for.
        {{Sense::Normal, Confidence::High, 3, false}, false, "FN..", "LN.."},
        {{Sense::Normal, Confidence::Normal, 2, true}, false, "FNM2", "LNM2"},
        {{Sense::Reverse, Confidence::Low, 0, true}, false, "FRF.", "LRF."},
        // No confidence chosen takes the strong letter.
        {{Sense::Dextral, Confidence::None, 4, true}, false, "FDB4", "LDB4"},
        {{Sense::Sinistral, Confidence::Normal, 1, true}, true, "FSM1", "L"},
        {{Sense::Unknown, Confidence::None, 0, false}, false, "F...", "L..."},
        {{Sense::Normal, Confidence::Low, 2, true, {"weak", "", "x"}}, false, "FNw2", "LNw2"},
        {{Sense::Normal, Confidence::Normal, 2, true, {"weak", "", "x"}}, false, "FN.2", "LN.2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaneNature(c.codes), c.plane);
        EXPECT_EQ(StriaeNature(c.codes, c.light), c.striae);
    }
}

TEST(FaultCodes, TheSecondCharacterOfANatureIsTheSense)
{
    const std::pair<const char*, std::optional<Sense>> cases[] = {
        {"FN..", Sense::Normal},  {"FR", Sense::Reverse},   {"FI..", Sense::Reverse},
        {"fi", Sense::Reverse},   {"FD12", Sense::Dextral}, {"FS", Sense::Sinistral},
        {"F.M2", Sense::Unknown}, {"F", Sense::Unknown},    {"L", Sense::Unknown},
        {"", Sense::Unknown},     {"FX..", std::nullopt},   {"F1", std::nullopt}};
    for (const auto& [nature, sense] : cases)
        EXPECT_EQ(SenseOfNature(nature), sense) << nature;
    for (Sense s :
         {Sense::Normal, Sense::Reverse, Sense::Dextral, Sense::Sinistral, Sense::Unknown})
        EXPECT_EQ(SenseOfLetter(SenseLetter(s)), s);
}

TEST(FaultPairs, EachToolReadsTheSenseOnItsRow)
{
    // The striae row was edited to another sense; the second pair has the light code.
    const std::vector<InfoVal> values = records({{"FR..", "1"},
                                                 {"LN..", "1"},
                                                 {"FD..", "2"},
                                                 {"L", "2"},
                                                 {"F", "3"},
                                                 {"LS..", "3"},
                                                 {"FN", "4"}});
    const std::vector<FaultPair> pairs = FaultPairs(values);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[1].first, 3);
    EXPECT_EQ(pairs[1].plane, &values[2]);
    EXPECT_EQ(pairs[1].striae, &values[3]);

    const std::pair<FaultTool, SenseRow> rows[] = {{FaultTool::DihedraCalculate, SenseRow::Plane},
                                                   {FaultTool::StriaeRakes, SenseRow::Plane},
                                                   {FaultTool::HangingWall, SenseRow::Plane},
                                                   {FaultTool::StressExport, SenseRow::Plane},
                                                   {FaultTool::PTAxes, SenseRow::Striae},
                                                   {FaultTool::RakeHistogram, SenseRow::Striae},
                                                   {FaultTool::TektonicExport, SenseRow::Striae},
                                                   {FaultTool::YamajiExport, SenseRow::Striae},
                                                   {FaultTool::DihedraValueAt, SenseRow::Striae}};
    for (const auto& [tool, row] : rows)
        EXPECT_EQ(SenseRowOf(tool), row);

    EXPECT_EQ(pairs[0].sense(FaultTool::StressExport), Sense::Reverse);
    EXPECT_EQ(pairs[0].sense(FaultTool::TektonicExport), Sense::Normal);
    // A light striae code carries no sense: its plane's is read.
    EXPECT_EQ(pairs[1].sense(SenseRow::Striae), Sense::Dextral);
    EXPECT_EQ(pairs[2].sense(SenseRow::Plane), Sense::Unknown);
    EXPECT_EQ(pairs[2].sense(SenseRow::Striae), Sense::Sinistral);
}

TEST(FaultPairs, ASheetsRowsAreItsRecords)
{
    DataSheet sheet;
    EXPECT_TRUE(SheetRecords(sheet).empty());
    sheet.setField(1, Field::Nature, "FN..");
    sheet.setField(1, Field::Number, "12a");
    sheet.setField(1, Field::Location, "Quarry");
    sheet.setField(1, Field::Comment, "polished");
    sheet.ltAz[1] = 1.5;
    sheet.ltPe[1] = 0.25;
    sheet.Numeroter();
    const std::vector<InfoVal> rows = SheetRecords(sheet);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].na, "FN..");
    EXPECT_EQ(rows[0].nu, "12a");
    EXPECT_EQ(rows[0].lo, "Quarry");
    EXPECT_EQ(rows[0].co, "polished");
    EXPECT_EQ(rows[0].azi, 1.5);
    EXPECT_EQ(rows[0].pen, 0.25);
}

TEST(PairChecks, ASheetMustHoldFaultsAndTheirStriae)
{
    struct Case {
        std::vector<InfoVal> rows;
        int at; // 0: accepted
        std::string message;
    };
    const Case cases[] = {
        {records({{"FN..", "1"}, {"LN..", "1"}, {"Fi", "2"}, {"l", "2"}}), 0, ""},
        // A nature "F" alone is a fault of unknown sense.
        {records({{"F", "1"}, {"L", "1"}}), 0, ""},
        {{}, 0, ""},
        {records({{"FN..", "1"}, {"LN..", "1"}, {"FN..", "2"}, {"LN..", "2"}, {"FN..", "3"}}), 0,
         std::string(kMsgOddSheet)},
        {records({{"P", "1"}, {"LN..", "1"}}), 1,
         "Error on the data n\xB0"
         "1 : may be not a fault ?"},
        {records({{"FN..", "1"}, {"FN..", "2"}}), 2,
         "Error on the data n\xB0"
         "2 : may be not a striae ?"},
        {records({{"FN..", "1"}, {"LN..", "1"}, {"FX..", "2"}, {"LN..", "2"}}), 3,
         "Error on the data n\xB0"
         "3 : may be not a fault ?"},
        {records({{"FN..", "1"}, {"LN..", "1"}, {"S0", "2"}, {"LN..", "2"}}), 3,
         "Error on the data n\xB0"
         "3 : may be not a fault ?"},
    };
    for (const Case& c : cases) {
        const PairCheck check = CheckSheetPairs(c.rows);
        SCOPED_TRACE(c.message);
        EXPECT_EQ(check.ok, c.message.empty());
        EXPECT_EQ(check.at, c.at);
        if (c.message.empty()) {
            EXPECT_FALSE(check.message);
            continue;
        }
        ASSERT_TRUE(check.message);
        EXPECT_EQ(check.message->text, c.message);
        EXPECT_EQ(check.message->kind, MsgKind::Error);
    }
}

TEST(PairChecks, ACanvasCountsItsFaultsOfUnknownSenseAndStillRuns)
{
    const PairCheck known = CheckCanvasPairs(records({{"FN..", "1"}, {"LN..", "1"}}));
    EXPECT_TRUE(known.ok);
    EXPECT_FALSE(known.message);

    const PairCheck unknown = CheckCanvasPairs(records(
        {{"F", "1"}, {"L", "1"}, {"F.M2", "2"}, {"L.M2", "2"}, {"FI..", "3"}, {"LI..", "3"}}));
    EXPECT_TRUE(unknown.ok);
    EXPECT_EQ(unknown.unknownSenses, 2);
    ASSERT_TRUE(unknown.message);
    EXPECT_EQ(unknown.message->text, "unknown sense of movement for 2 fault(s)");

    const std::pair<std::vector<InfoVal>, std::string> refused[] = {
        {records({{"FN..", "1"}, {"LN..", "1"}, {"FN..", "2"}}), std::string(kMsgOddCanvas)},
        {records({{"FN..", "1"}, {"LN..", "1"}, {"FX..", "7b"}, {"LX..", "7b"}}),
         "Error on the fault n\xB0"
         "7b (FX..)"},
        {records({{"S0", "4"}, {"LN..", "4"}}), "Error on the fault n\xB0"
                                                "4 (S0)"},
        {records({{"F.", "8"}, {"S1", "9"}}), "Error on the value (striae) n\xB0"
                                              "9"},
    };
    for (const auto& [values, message] : refused) {
        const PairCheck check = CheckCanvasPairs(values);
        EXPECT_FALSE(check.ok) << message;
        ASSERT_TRUE(check.message);
        EXPECT_EQ(check.message->text, message);
    }
}

} // namespace
} // namespace ploq
