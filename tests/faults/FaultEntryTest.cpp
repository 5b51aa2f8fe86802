#include "faults/FaultEntry.h"

#include "datasheet/SheetEntry.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ploq {
namespace {

constexpr double kToDeg = 1 / kDegToRad;

// Planes as dip/dip direction, lines in the notation of the case, whole degrees.
EntryStyle style(int frtL = 1)
{
    return {{1, frtL}, false};
}

FaultForm form(const char* fault, const char* striae, Sense sense = Sense::Normal)
{
    FaultForm f;
    f.number = "7";
    f.fault = fault;
    f.striae = striae;
    f.codes.sense = sense;
    return f;
}

struct FaultEntryTest : ::testing::Test {
    FaultPairEntry prepare(const FaultForm& f, const EntryStyle& s = style())
    {
        return PrepareFaultPair(f, s, prompts);
    }
    test::ScriptedPrompts prompts;
};

TEST_F(FaultEntryTest, EachStriaeFormInEachNotationOfLines)
{
    // A plane dipping 60 toward 090 (strike 000). Pitch 30 from the north end: trend
    // atan(cos 60 tan 30) = 16.1, plunge asin(sin 30 sin 60) = 25.7. The section of trend 122:
    // tan(plunge) = tan 60 sin 122, plunge 55.8. Plunge 25 nearer north: trend
    // asin(tan 25 / tan 60) = 15.6. The dip line itself as a whole line. A leading "?" makes a
    // plunge in every notation, whatever the letter and with or without a "/".
    struct Case {
        int frtL;
        const char* striae;
        const char* written;
    };
    const Case cases[] = {
        {0, "30N", "16  N 26"},     {1, "30N", "26 / 16"},    {2, "N30", "16 / 26"},
        {0, "122", "122 SE 56"},    {1, "122", "56 / 122"},   {2, "302", "122 / 56"},
        {0, "?N25", "16  N 25"},    {1, "?/25N", "25 / 16"},  {2, "*/25 n", "16 / 25"},
        {0, "90 E 60", "90  E 60"}, {1, "60/090", "60 / 90"}, {2, "90/60", "90 / 60"},
        {0, "?/25N", "16  N 25"},   {1, "?N25", "25 / 16"},   {2, "?n25", "16 / 25"},
    };
    for (const Case& c : cases) {
        const FaultPairEntry entry = prepare(form("60/090", c.striae), style(c.frtL));
        SCOPED_TRACE(c.striae);
        ASSERT_TRUE(entry.ok);
        EXPECT_EQ(entry.striaeText, c.written);
        EXPECT_EQ(entry.striae.value, c.written);
        EXPECT_EQ(entry.faultText, "60 / 90");
        EXPECT_LT(std::fabs(Dot(DirToVec(entry.plane.direction), DirToVec(entry.striae.direction))),
                  1e-9);
    }
    // Decimals when the sheet shows them, or when the text was typed with them.
    EXPECT_EQ(prepare(form("60/090", "30N"), {{1, 1}, true}).striaeText, "25.7 / 16.1");
    EXPECT_EQ(prepare(form("60.0/090", "30.0 N")).striaeText, "25.7 / 16.1");
    EXPECT_EQ(prepare(form("60.0/090", "30 N")).faultText, "60.0 / 90.0");
}

TEST_F(FaultEntryTest, TheCalculatorsExamplesAgainstAPlane)
{
    // The plane strikes 000 and dips 60 east. A pitch p from the north end: tan(trend) =
    // cos(dip) tan(p), sin(plunge) = sin(dip) sin(p). The section of trend t: tan(plunge) =
    // tan(dip) sin(t). A plunge g nearer north: sin(trend) = tan(g) / tan(dip).
    const double dip = 60 * kDegToRad;
    const auto deg = [](double radians) { return radians * kToDeg; };
    const double p = 34 * kDegToRad;
    const double t = 122 * kDegToRad;
    const double g = 25 * kDegToRad;
    struct Case {
        const char* striae;
        double trendDeg;
        double plungeDeg;
    };
    const Case cases[] = {
        {"34N", deg(std::atan(std::cos(dip) * std::tan(p))),
         deg(std::asin(std::sin(dip) * std::sin(p)))},
        {"N34", deg(std::atan(std::cos(dip) * std::tan(p))),
         deg(std::asin(std::sin(dip) * std::sin(p)))},
        {"122", 122, deg(std::atan(std::tan(dip) * std::sin(t)))},
        {"?N25", deg(std::asin(std::tan(g) / std::tan(dip))), 25},
    };
    for (const Case& c : cases) {
        const FaultPairEntry entry = prepare(form("0 E 60", c.striae), {{0, 0}, true});
        SCOPED_TRACE(c.striae);
        ASSERT_TRUE(entry.ok);
        EXPECT_NEAR(entry.striae.direction.trend * kToDeg, c.trendDeg, 1e-9);
        EXPECT_NEAR(entry.striae.direction.plunge * kToDeg, c.plungeDeg, 1e-9);
        EXPECT_EQ(entry.striaeText,
                  DirToText(true, false, c.plungeDeg * kDegToRad, c.trendDeg * kDegToRad, {0, 0}));
    }
    // 30 N 20 is a whole line, 13.6 degrees off the plane: the sine of that angle is the dot of
    // the line (north cos 20 cos 30, east cos 20 sin 30, down sin 20) with the pole (north 0,
    // east -cos 30, down sin 30).
    const double off =
        deg(std::asin(std::fabs(std::cos(20 * kDegToRad) * 0.5 * -std::cos(30 * kDegToRad)
                                + std::sin(20 * kDegToRad) * 0.5)));
    const FaultPairEntry whole = prepare(form("0 E 60", "30 N 20"), {{0, 0}, true});
    EXPECT_FALSE(whole.ok);
    EXPECT_EQ(whole.fsLabel, FSAngleLabel(off));
    EXPECT_EQ(whole.message->text, "F-S angle = 13.6\xB0 (max permitted = 4\xB0)");
}

TEST_F(FaultEntryTest, TheRowsCarryTheCodesOfTheForm)
{
    FaultForm f = form("40/120", "30S", Sense::Reverse);
    f.number = "1234567890";
    f.location = "Quarry north";
    f.faultComment = "polished";
    f.striaeComment = "calcite";
    f.codes = {Sense::Reverse, Confidence::High, 3, false};
    FaultPairEntry entry = prepare(f);
    ASSERT_TRUE(entry.ok);
    EXPECT_EQ(entry.plane.nature, "FR..");
    EXPECT_EQ(entry.striae.nature, "LR..");
    EXPECT_EQ(entry.plane.number, "123456789");
    EXPECT_EQ(entry.striae.number, "123456789");
    EXPECT_EQ(entry.plane.location, "Quarry no");
    EXPECT_EQ(entry.striae.location, "Quarry no");
    EXPECT_EQ(entry.plane.comment, "polished");
    EXPECT_EQ(entry.striae.comment, "calcite");

    f.codes.addToCode = true;
    f.lightCode = true;
    f.autoComment = true;
    entry = prepare(f);
    EXPECT_EQ(entry.plane.nature, "FRB3");
    EXPECT_EQ(entry.striae.nature, "L");
    EXPECT_EQ(entry.striae.comment, "polished");
}

TEST_F(FaultEntryTest, AStriaeOffThePlaneIsRefusedBeyondTheLargestAngle)
{
    // The plane dips 40 toward 090; lines in its dip section are off it by their plunge - 40.
    FaultPairEntry entry = prepare(form("40/090", "43/090"));
    EXPECT_TRUE(entry.ok);
    EXPECT_EQ(entry.fsLabel, "F-S angle : 3.0\xB0");
    EXPECT_EQ(entry.striaeText, "43 / 90");

    entry = prepare(form("40/090", "46/090"));
    EXPECT_FALSE(entry.ok);
    EXPECT_EQ(entry.fsLabel, "F-S angle : 6.0\xB0");
    ASSERT_TRUE(entry.message);
    EXPECT_EQ(entry.message->text, "F-S angle = 6.0\xB0 (max permitted = 4\xB0)");
    EXPECT_EQ(entry.striaeText, "46/090");

    FaultForm wide = form("40/090", "46/090");
    wide.maxFSDeg = 6;
    EXPECT_TRUE(prepare(wide).ok);

    // Near the pole (50 toward 270) a line is far from the plane: 80 toward 270 is 30 from the
    // pole, 60 off the plane.
    entry = prepare(form("40/090", "80/270"));
    EXPECT_FALSE(entry.ok);
    EXPECT_EQ(entry.fsLabel, "F-S angle : 60.0\xB0");
    // Partial forms lie in the plane: the label is reset.
    EXPECT_EQ(prepare(form("40/090", "30N")).fsLabel, std::string(kFSAngleZero));
}

TEST_F(FaultEntryTest, ADipOf90IsNoNormalOrReverseFault)
{
    for (Sense sense : {Sense::Dextral, Sense::Sinistral, Sense::Unknown})
        EXPECT_TRUE(prepare(form("90/090", "10N", sense)).ok);
    for (Sense sense : {Sense::Normal, Sense::Reverse}) {
        const FaultPairEntry entry = prepare(form("89.6/090", "10N", sense));
        EXPECT_FALSE(entry.ok);
        ASSERT_TRUE(entry.message);
        EXPECT_EQ(entry.message->text, kMsgVerticalDipSlip);
        EXPECT_TRUE(entry.faultRefused);
    }
    EXPECT_TRUE(prepare(form("89/090", "10N", Sense::Normal)).ok);
}

TEST_F(FaultEntryTest, ADipOfZeroIsAskedAbout)
{
    prompts.expectMessage("Dip of the fault is zero value", Button::No);
    FaultPairEntry entry = prepare(form("0.4/090", "122"));
    EXPECT_FALSE(entry.ok);
    EXPECT_FALSE(entry.message);
    prompts.expectMessage("Dip of the fault is zero value", Button::Yes);
    entry = prepare(form("0/090", "122"));
    EXPECT_TRUE(entry.ok);
    EXPECT_NEAR(entry.striae.direction.plunge, 0, 1e-12);
    EXPECT_TRUE(prompts.allAnswered());
    EXPECT_TRUE(prepare(form("1/090", "122")).ok);
}

TEST_F(FaultEntryTest, RefusalsNameWhatToCorrect)
{
    FaultForm noNumber = form("40/090", "30N");
    noNumber.number.clear();
    FaultPairEntry entry = prepare(noNumber);
    EXPECT_FALSE(entry.ok);
    EXPECT_EQ(entry.message->text, kMsgNumberMandatory);

    // The decoder's message for the plane.
    entry = prepare(form("95/090", "30N"));
    EXPECT_FALSE(entry.ok);
    EXPECT_TRUE(entry.faultRefused);
    EXPECT_EQ(entry.message->text, "95/090 : dip or plunge must range from 0 to 90\xB0");
    EXPECT_EQ(entry.faultText, "95/090");

    // A striae not understood: the fault text is kept, written in the notation.
    entry = prepare(form("40/090", "thirty"));
    EXPECT_FALSE(entry.ok);
    EXPECT_FALSE(entry.faultRefused);
    EXPECT_EQ(entry.message->text, "striae thirty: error of format or on the value");
    EXPECT_EQ(entry.faultText, "40 / 90");
    EXPECT_EQ(entry.striaeText, "thirty");
    EXPECT_EQ(prepare(form("40/090", "")).message->text,
              "striae : error of format or on the value");
    // A whole line that does not decode: the decoder's message.
    EXPECT_EQ(prepare(form("40/090", "30 SE 20"), style(0)).message->text,
              "30 SE 20 : sense of plunge doesn't fit given strike");
}

TEST(FaultStriaeAngle, IsTheDeviationFromThePlaneOnEitherSideOfThePole)
{
    const Direction pole{0, 50 * kDegToRad};
    for (double off : {0.0, 3.0, 30.0, 60.0, 90.0})
        for (double side : {0.0, 180.0}) {
            // In the vertical plane through the pole, `off` from it toward the horizontal, or
            // over the vertical.
            const double plunge = 50 + (side == 0 ? -off : off);
            const Direction line = plunge < 0 ? Direction{180 * kDegToRad, -plunge * kDegToRad}
                                   : plunge > 90
                                       ? Direction{180 * kDegToRad, (180 - plunge) * kDegToRad}
                                       : Direction{0, plunge * kDegToRad};
            EXPECT_NEAR(FaultStriaeAngleDeg(pole, line), 90 - off, 1e-9) << off << " " << side;
        }
    EXPECT_EQ(FSAngleLabel(2.26), "F-S angle : 2.3\xB0");
}

TEST(FaultPairRows, GoAtTheEndOfTheSheetOrIntoItsBlankRow)
{
    test::ScriptedPrompts prompts;
    const FaultPairEntry entry = PrepareFaultPair(form("40/090", "30N"), style(), prompts);
    ASSERT_TRUE(entry.ok);

    DataSheet sheet;
    ASSERT_FALSE(AppendFaultPair(sheet, entry));
    ASSERT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.cell(1, 0), "001");
    EXPECT_EQ(sheet.cell(2, 0), "002");
    EXPECT_EQ(sheet.field(1, Field::Nature), "FN..");
    EXPECT_EQ(sheet.field(1, Field::Value), "40 / 90");
    EXPECT_EQ(sheet.field(2, Field::Nature), "LN..");
    EXPECT_EQ(sheet.field(2, Field::Number), "7");
    EXPECT_EQ(sheet.ltAz[1], entry.plane.direction.trend);
    EXPECT_EQ(sheet.ltPe[2], entry.striae.direction.plunge);
    EXPECT_EQ(sheet.lMod[1], kRowChanged);
    EXPECT_EQ(sheet.lMod[2], kRowChanged);
    EXPECT_TRUE(sheet.lDirty);

    ASSERT_FALSE(AppendFaultPair(sheet, entry));
    EXPECT_EQ(sheet.rowCount(), 4);
    EXPECT_EQ(sheet.cell(4, 0), "004");
    EXPECT_NEAR(sheet.ltAz[3] * kToDeg, 270, 1e-9);
}

TEST(FaultPairRows, ASheetWithRoomForOneRowTakesNeither)
{
    test::ScriptedPrompts prompts;
    const FaultPairEntry entry = PrepareFaultPair(form("40/090", "30N"), style(), prompts);
    DataSheet sheet;
    sheet.setField(1, Field::Nature, "S0");
    sheet.setRowCount(kMaxValues - 2);
    sheet.Numeroter();
    ASSERT_FALSE(AppendFaultPair(sheet, entry));
    EXPECT_EQ(sheet.rowCount(), kMaxValues);
    for (int rows : {kMaxValues - 1, kMaxValues}) {
        sheet.setRowCount(rows);
        sheet.lDirty = false;
        const std::optional<Message> full = AppendFaultPair(sheet, entry);
        ASSERT_TRUE(full);
        EXPECT_EQ(full->text, "Maximum data sheet  size reached (5000)");
        EXPECT_EQ(sheet.rowCount(), rows);
        EXPECT_FALSE(sheet.lDirty);
    }
}

TEST(FaultNumbers, StartWithADigitAndCountUpOrDown)
{
    const std::pair<const char*, std::optional<std::string>> typed[] = {
        {"12a", std::nullopt},
        {"0", std::nullopt},
        {"", std::nullopt},
        {"-3", "Fault number must be a positive number"},
        {"a12", "First digit of the fault number must be a number (1 to 9)"},
        {" 1", "First digit of the fault number must be a number (1 to 9)"}};
    for (const auto& [number, refusal] : typed)
        EXPECT_EQ(FaultNumberRefusal(number), refusal) << number;

    const std::tuple<const char*, int, const char*> steps[] = {{"12a", 1, "13a"},
                                                               {"12a", -1, "11a"},
                                                               {"", 1, "1"},
                                                               {"9", 1, "10"},
                                                               {"10b", -1, "9b"},
                                                               {"0", -1, "0"},
                                                               {"999999999", 1, "1000000000"}};
    for (const auto& [number, step, next] : steps)
        EXPECT_EQ(StepFaultNumber(number, step), next) << number << " " << step;
}

} // namespace
} // namespace ploq
