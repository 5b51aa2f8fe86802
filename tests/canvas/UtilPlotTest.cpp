#include "canvas/UtilPlot.h"

#include "canvas/SymbBatch.h"
#include "model/Conversion.h"
#include "model/UtilGlob.h"
#include "platform/RecordingSurface.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

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

// A sheet of `count` lines, all of the nature "L".
DataSheet linesSheet(int count)
{
    DataSheet sheet = sheetOf({});
    for (int row = 1; row <= count; ++row) {
        if (row > 1)
            sheet.appendRow();
        sheet.setField(row, Field::Nature, "L");
        sheet.setField(row, Field::Value, "10 / 10");
    }
    sheet.Numeroter();
    return sheet;
}

struct Plotting : ::testing::Test {
    Plotting() { canvas.SetRayon(100, images); }
    PlotResult plot(const DataSheet& sheet, PlotRequest request)
    {
        request.sheetTitle = "folded.plq";
        return TraceFichier(canvas, sheet, request, settings, prompts, 46365.5, {});
    }
    void fillCanvas(int count)
    {
        InfoVal filler;
        filler.inf = 1;
        for (int i = 0; i < count; ++i)
            canvas.AddRecord(filler);
        canvas.lNC = count;
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
    const DataSheet sheet = sheetOf({{"F", "1", "10/20"},
                                     {"F1", "A12", "10/20"},
                                     {"FA", "15", "10/20"},
                                     {"SA", "4", "10/20"},
                                     {"S0", "7", "10/20"},
                                     {"L", "x", "10/20"},
                                     {"f", "20", "10/20"},
                                     {"F12", "9", "10/20"}});
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
    EXPECT_EQ(plane.inf,
              1 << kInfPresent | 1 << kInfPlane | 1 << kInfDrawPole | 1 << kInfDrawTrace);
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
    fillCanvas(4990);
    const DataSheet sheet = linesSheet(30);
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

TEST_F(Plotting, RowsWithoutAValidDirection)
{
    DataSheet sheet = sheetOf({{"L", "1", "10/20"}, {"L", "2", "30/40"}, {"L", "3", "x"}});
    sheet.lMod[2] = kRowToDecode; // typed again, not decoded yet
    sheet.lMod[3] = kRowToDecode;
    sheet.ltAz[2] = sheet.ltPe[2] = 0;
    const PlotResult r = plot(sheet, {KeyField::Nature, "", false, 1, 3, {}});
    EXPECT_EQ(plottedNumbers(), (std::vector<std::string>{"1", "2"}));
    EXPECT_NEAR(canvas.lVal[2].pen, 30 * kDegToRad, 1e-9) << "decoded from its text";
    EXPECT_NEAR(canvas.lVal[2].azi, 40 * kDegToRad, 1e-9);
    ASSERT_EQ(r.info.size(), 3u);
    EXPECT_EQ(r.info[1].text, " (no selection) - lines 1 to 3 (2 new val.)");
    EXPECT_EQ(r.info[2].text, "Lines without a valid direction, not plotted: 3");
}

// Plotting with the symbols of a batch file written for the test.
struct BatchPlotting : Plotting {
    void useBatch(std::span<const BatchEntry> entries)
    {
        const std::string path = (dir.path() / "set.pqb").string();
        ASSERT_FALSE(SaveBatchFile(path, entries));
        settings.NomFBatch = path;
    }
    PlotResult plotBatch(const DataSheet& sheet, bool identity, int line1, int line2)
    {
        return TraceFichierBatch(canvas, sheet,
                                 {KeyField::Location, "", identity, line1, line2, "folded.plq"},
                                 settings, prompts, 46365.5, {});
    }
    std::vector<std::pair<int, int>> plottedSymbols() const
    {
        std::vector<std::pair<int, int>> symbols;
        for (int i = 1; i <= canvas.lNT; ++i)
            symbols.emplace_back(canvas.lVal[static_cast<std::size_t>(i)].sy,
                                 canvas.lVal[static_cast<std::size_t>(i)].nco);
        return symbols;
    }
    test::TempDir dir;
};

TEST_F(BatchPlotting, EachRowTakesTheFirstMatchingEntry)
{
    const BatchEntry entries[] = {{"F", 3, 1}, {"FA", 5, 2}, {"S", -7, 3}, {"", 9, 4}};
    useBatch(entries);
    const DataSheet sheet = sheetOf(
        {{"FA", "1", "10/20"}, {"F", "2", "10/20"}, {"S0", "3", "10/20"}, {"L", "4", "10/20"}});
    const PlotResult r = plotBatch(sheet, false, 1, 4);
    EXPECT_EQ(plottedSymbols(), (std::vector<std::pair<int, int>>{{3, 1}, {3, 1}, {-7, 3}, {9, 4}}))
        << "the nature is matched whatever key field the dialog shows";
    EXPECT_EQ(canvas.lsy, (std::vector<std::string>{"-7.3.S", "3.1.F", "9.4."}));
    EXPECT_EQ(settings.Sy, 9) << "the last entry used becomes current";
    EXPECT_EQ(settings.Couleur, 4);
    ASSERT_EQ(r.info.size(), 2u);
    EXPECT_EQ(r.info[0].text, "12:00 - folded, ");
    EXPECT_TRUE(r.info[0].bold);
    EXPECT_EQ(r.info[1].text, "lines 1 to 4, symbols \"set\" (4 new val.)");
    EXPECT_EQ(canvas.lUndoPlot.v1, 1);
    EXPECT_EQ(canvas.lUndoPlot.v2, 4);

    CanvasModel fresh(kWPOrdinary, settings);
    fresh.SetRayon(100, images);
    canvas = std::move(fresh);
    plotBatch(sheet, true, 3, 1);
    EXPECT_EQ(plottedSymbols(), (std::vector<std::pair<int, int>>{{5, 2}, {3, 1}}))
        << "identity: whole codes only; swapped lines give rows 1 to 3";
}

TEST_F(BatchPlotting, OnlyTheFirstFiftyEntriesAreUsed)
{
    std::vector<BatchEntry> entries;
    for (int k = 1; k <= 60; ++k)
        entries.push_back({sformat("A%d", k), 1 + k % 16, k % 8});
    useBatch(entries);
    const DataSheet sheet = sheetOf({{"A50", "1", "10/20"}, {"A51", "2", "10/20"}, {"", "3", ""}});
    const PlotResult r = plotBatch(sheet, true, 1, 3);
    EXPECT_EQ(plottedNumbers(), (std::vector<std::string>{"1"}));
    EXPECT_EQ(r.added, 1);
}

TEST_F(BatchPlotting, TheLimitQuestionAndTheFullCanvas)
{
    const BatchEntry entries[] = {{"L", 4, 5}};
    useBatch(entries);
    fillCanvas(4990);
    const DataSheet sheet = linesSheet(30);
    prompts.expectMessage("keep the last plotted point or cancel entry ?", Button::Cancel);
    EXPECT_TRUE(plotBatch(sheet, false, 1, 30).cancelled);
    EXPECT_EQ(canvas.lNT, 4990);
    EXPECT_EQ(canvas.lNC, 4990);
    EXPECT_TRUE(canvas.lsy.empty());
    EXPECT_EQ(settings.Sy, VarGlob{}.Sy) << "the current symbol is kept";

    prompts.expectMessage("keep the last plotted point", Button::Yes);
    EXPECT_EQ(plotBatch(sheet, false, 1, 30).added, 10);
    EXPECT_EQ(canvas.lNT, kMaxValues);
    prompts.expectMessage("Too many data have been already ploted in the canvas...");
    EXPECT_TRUE(plotBatch(sheet, false, 1, 30).refused);
    EXPECT_EQ(canvas.lNT, kMaxValues);
}

TEST_F(BatchPlotting, NoBatchFileAndAnEmptySheet)
{
    settings.NomFBatch = std::string(kBatchUndefined);
    const DataSheet sheet = linesSheet(3);
    EXPECT_TRUE(plotBatch(sheet, false, 1, 3).refused) << "nothing is asked";
    settings.NomFBatch = (dir.path() / "gone.pqb").string();
    prompts.expectMessage(std::string(kMsgNoBatchFile));
    EXPECT_TRUE(plotBatch(sheet, false, 1, 3).refused);

    const BatchEntry entries[] = {{"", 4, 5}};
    useBatch(entries);
    const PlotResult r = plotBatch(DataSheet{}, false, 1, 1);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(canvas.lNT, 0) << "no record from the blank row of an empty sheet";
}

TEST(SheetFromCanvas, DisplayedRecordsFromTheFirstAsked)
{
    VarGlob settings;
    RecordingImageFactory images;
    CanvasModel canvas(kWPOrdinary, settings);
    canvas.SetRayon(100, images);
    const struct {
        const char* nature;
        const char* number;
        double pen, azi;
    } records[] = {{"S0", "1", 1.2, 3.0}, {"L", "2", 0.5, 1.0}, {"L", "3", 0.25, 2.0}};
    for (const auto& r : records) {
        InfoVal v;
        v.na = r.nature;
        v.nu = r.number;
        v.lo = "site";
        v.pen = r.pen;
        v.azi = r.azi;
        AjoutVal(canvas, v, settings);
    }
    canvas.lVal[2].inf &= ~1; // hidden
    DataSheet base;
    base.lFrtS = base.lFrtL = 1;
    const DataSheet sheet = SheetFromCanvas(canvas, 1, base, true);
    ASSERT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.field(1, Field::Nature), "S0");
    EXPECT_EQ(sheet.field(1, Field::Value), DirToText(true, true, 1.2, 3.0, {1, 1}));
    EXPECT_EQ(sheet.field(2, Field::Number), "3");
    EXPECT_EQ(sheet.field(2, Field::Location), "site");
    EXPECT_DOUBLE_EQ(sheet.ltAz[2], 2.0);
    EXPECT_EQ(sheet.cell(2, 0), "002");
    EXPECT_TRUE(sheet.lDirty);
    EXPECT_EQ(SheetFromCanvas(canvas, 3, base, false).rowCount(), 1);
    EXPECT_TRUE(HasDisplayedRecords(canvas, 3));
    canvas.lVal[3].inf &= ~1;
    EXPECT_FALSE(HasDisplayedRecords(canvas, 2));
}

TEST(PlotDialogTexts, CaptionsAndCodes)
{
    VarGlob settings;
    CanvasModel ordinary(kWPOrdinary, settings);
    CanvasModel rotated(kWPRotated, settings);
    EXPECT_EQ(PlotButtonCaption(false, nullptr, ""), "Plot on Canvas 1");
    EXPECT_EQ(PlotButtonCaption(true, nullptr, ""), "Plot on a new canvas");
    EXPECT_EQ(PlotButtonCaption(false, &ordinary, " Canvas 2"), "Plot on  Canvas 2");
    EXPECT_EQ(PlotButtonCaption(true, &ordinary, " Canvas 2"), "Plot on a new canvas");
    EXPECT_EQ(PlotButtonCaption(false, &rotated, " Rotated canvas 1"), "Plot on a new canvas");
    EXPECT_EQ(ProjectionCaption(1 << kStyleWulff | 1 << kStyleLowerHemisphere), "Wulff/inf");
    EXPECT_EQ(ProjectionCaption(0), "Schmidt/sup");

    const DataSheet sheet =
        sheetOf({{"S0", "2", "10/20"}, {"L", "1", "10/20"}, {"S0", "", "10/20"}});
    EXPECT_EQ(DistinctCodes(sheet, KeyField::Nature), (std::vector<std::string>{"L", "S0"}));
    EXPECT_EQ(DistinctCodes(sheet, KeyField::Number), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(DistinctCodes(DataSheet{}, KeyField::Nature).empty());
}

} // namespace
} // namespace ploq
