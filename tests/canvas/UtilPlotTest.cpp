#include "canvas/UtilPlot.h"
#include "model/Conversion.h"
#include "platform/RecordingSurface.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

// A sheet of rows (nature, number, value) in notation 1 (dip/direction, plunge/direction).
DataSheet sheetOf(std::initializer_list<std::array<const char*, 3>> rows)
{
    DataSheet sheet;
    sheet.lFrtS = sheet.lFrtL = 1;
    int row = 0;
    for (const auto& [nature, number, value] : rows) {
        if (++row > 1)
            sheet.appendRow();
        sheet.setField(row, Field::Nature, nature);
        sheet.setField(row, Field::Number, number);
        sheet.setField(row, Field::Value, value);
        const DirResult d = TextToDir(nature[0], value, {1, 1});
        sheet.ltAz[static_cast<std::size_t>(row)] = d.trend;
        sheet.ltPe[static_cast<std::size_t>(row)] = d.plunge;
    }
    sheet.Numeroter();
    return sheet;
}

struct Plotting : ::testing::Test {
    Plotting()
    {
        canvas.SetRayon(100, images);
    }
    PlotResult plot(const DataSheet& sheet, PlotRequest request)
    {
        request.sheetTitle = "folded.plq";
        return TraceFichier(canvas, sheet, request, settings, prompts, 46365.5, {});
    }
    std::vector<std::string> plottedNumbers() const
    {
        std::vector<std::string> numbers;
        for (int i = 1; i <= canvas.lNT; ++i)
            numbers.push_back(canvas.lVal[static_cast<std::size_t>(i)].nu.str());
        return numbers;
    }

    VarGlob settings;
    RecordingImageFactory images;
    CanvasModel canvas{kWPOrdinary, settings};
    test::ScriptedPrompts prompts;
};

TEST_F(Plotting, SelectionByKey)
{
    const DataSheet sheet = sheetOf({{"F", "1", "10/20"},     {"F1", "A12", "10/20"},
                                     {"FA", "15", "10/20"},   {"SA", "4", "10/20"},
                                     {"S0", "7", "10/20"},    {"L", "x", "10/20"},
                                     {"f", "20", "10/20"},    {"F12", "9", "10/20"}});
    struct Case {
        KeyField field;
        const char* key;
        bool identity;
        std::vector<std::string> numbers;
    };
    const Case cases[] = {
        {KeyField::Nature, "F", false, {"1", "A12", "15", "9"}},
        {KeyField::Nature, "F*", false, {"1", "A12", "15", "9"}},
        {KeyField::Nature, "*A", false, {"15", "4"}},
        {KeyField::Nature, "F", true, {"1"}},
        {KeyField::Nature, "F1/", false, {"A12"}},
        {KeyField::Nature, "*********", false, {"1", "A12", "15", "4", "7", "x", "20", "9"}},
        {KeyField::Number, "10-20", false, {"A12", "15", "20"}},
        {KeyField::Number, "20-10", false, {"A12", "15", "20"}},
        {KeyField::Number, "<5", false, {"1", "4"}},
        {KeyField::Number, ">=7", false, {"A12", "15", "7", "20", "9"}},
        {KeyField::Number, "12", false, {"A12"}},
    };
    for (const Case& c : cases) {
        CanvasModel fresh(kWPOrdinary, settings);
        fresh.SetRayon(100, images);
        canvas = std::move(fresh);
        const PlotResult r = plot(sheet, {c.field, c.key, c.identity, 1, 8, {}});
        EXPECT_EQ(plottedNumbers(), c.numbers) << c.key << (c.identity ? " identity" : "");
        EXPECT_EQ(r.added, static_cast<int>(c.numbers.size()));
    }
}

TEST_F(Plotting, RecordsAndReport)
{
    settings.Couleur = 3;
    settings.Sy = 9;
    canvas.lStylePlot = 1 << kInfDrawPole | 1 << kInfDrawTrace;
    SetBit(settings.OptVal, kOptValListInfo, true);
    const DataSheet sheet = sheetOf({{"S0", "1", "10/210"}, {"L1", "2", "20/90"}});
    const PlotResult r = plot(sheet, {KeyField::Nature, "", false, 20, 1, {}});
    ASSERT_EQ(r.added, 2);
    const InfoVal& plane = canvas.lVal[1];
    EXPECT_EQ(plane.nco, 3);
    EXPECT_EQ(plane.sy, 9);
    EXPECT_EQ(plane.inf, 1 << kInfPresent | 1 << kInfPlane | 1 << kInfDrawPole | 1 << kInfDrawTrace);
    EXPECT_EQ(canvas.lVal[2].inf & (1 << kInfPlane), 0) << "a line";
    EXPECT_EQ((Point{plane.p, plane.q}), DirToPixel({plane.azi, plane.pen}, canvas.net()));
    EXPECT_EQ(canvas.lNC, 2);
    EXPECT_EQ(canvas.lUndoPlot.v1, 1);
    EXPECT_EQ(canvas.lUndoPlot.v2, 2);
    EXPECT_TRUE(canvas.lUndoPlot.actif);
    ASSERT_EQ(r.info.size(), 4u);
    EXPECT_EQ(r.info[0].text, "12:00 - folded");
    EXPECT_TRUE(r.info[0].bold);
    EXPECT_EQ(r.info[1].text, " (no selection) - lines 1 to 2 (2 new val.)") << "swapped lines";
    EXPECT_EQ(r.info[2].text, "1 / S0  10.0 / 210.0 ");
    EXPECT_EQ(canvas.lsy, (std::vector<std::string>{"9.3.no selection"}));
}

TEST_F(Plotting, TheLimitQuestionAtTheEleventhRow)
{
    InfoVal filler;
    filler.inf = 1;
    for (int i = 0; i < 4990; ++i)
        canvas.AddRecord(filler);
    canvas.lNC = 4990;
    DataSheet sheet = sheetOf({});
    for (int row = 1; row <= 30; ++row) {
        if (row > 1)
            sheet.appendRow();
        sheet.setField(row, Field::Nature, "L");
        sheet.setField(row, Field::Value, "10 / 10");
    }
    sheet.Numeroter();
    prompts.expectMessage("keep the last plotted point or cancel entry ?", Button::Cancel);
    const PlotResult cancelled = plot(sheet, {KeyField::Nature, "", false, 1, 30, {}});
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.info.empty());
    EXPECT_EQ(canvas.lNT, 4990);
    EXPECT_EQ(canvas.lNC, 4990);

    prompts.expectMessage("keep the last plotted point", Button::Yes);
    const PlotResult kept = plot(sheet, {KeyField::Nature, "", false, 1, 30, {}});
    EXPECT_EQ(kept.added, 10);
    EXPECT_EQ(canvas.lNT, 5000);
    prompts.expectMessage("Too many data have been already ploted in the canvas...");
    EXPECT_TRUE(plot(sheet, {KeyField::Nature, "", false, 1, 30, {}}).refused);
}

TEST_F(Plotting, AnEmptySheetPlotsNothing)
{
    const DataSheet empty;
    const PlotResult r = plot(empty, {KeyField::Nature, "", false, 1, 1, {}});
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(canvas.lNT, 0);
    EXPECT_FALSE(canvas.lUndoPlot.actif);
}

TEST(PlotKey, IdentityAndNoSelection)
{
    EXPECT_EQ(PlotKey("F", true), "F/");
    EXPECT_EQ(PlotKey("F/", true), "F/");
    EXPECT_EQ(PlotKey("ABCDEFGHIJK", false), "ABCDEFGHI");
    EXPECT_EQ(PlotKey("ABCDEFGHI", true), "ABCDEFGHI") << "no room for the end mark";
    EXPECT_EQ(PlotKey("*********", true), "");
    EXPECT_EQ(PlotKey("", true), "");
}

} // namespace
} // namespace ploq
