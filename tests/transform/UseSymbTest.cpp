// The chooser of (symbol, colour) sets: what it offers, its clicks and what "OK" leaves in Tsy.

#include "transform/UseSymb.h"

#include "app/VarGlob.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include "SymbolRecords.h"
#include <vector>

namespace ploq {
namespace {

using test::Record;

SymbolChooser ChooserOf(const std::vector<InfoVal>& records)
{
    return SymbolChooser(PresentPairs(records));
}

// Where a click lands on cell `colour` of row `row`; column -2 is the row mark.
int CellX(int colour)
{
    return 12 * colour + 31;
}
int RowY(int row)
{
    return 28 * row - 10;
}

TEST(SymbolChooser, SimpleSymbolsAndTadpolesInTheirImages)
{
    const SymbolChooser chooser =
        ChooserOf({Record(3, 0), Record(3, 2), Record(-5, 0), Record(3, 0)});
    EXPECT_EQ(chooser.pairs(), 3);
    EXPECT_EQ(chooser.t1(), std::vector<int>{3});
    EXPECT_EQ(chooser.t2(), std::vector<int>{5});
    EXPECT_EQ(chooser.symbolAt(false, 1), 3);
    EXPECT_EQ(chooser.symbolAt(true, 1), -5);
    EXPECT_EQ(chooser.symbolAt(false, 2), std::nullopt);
    EXPECT_EQ(chooser.offered(3), 0b101);
    EXPECT_EQ(chooser.offered(-5), 0b1);
    EXPECT_EQ(chooser.rows(), 1);
}

TEST(SymbolChooser, RowsInTheirOrder)
{
    const SymbolChooser chooser = ChooserOf(
        {Record(9, 1), Record(-2, 0), Record(2, 0), Record(-16, 3), Record(16, 7), Record(-9, 1)});
    EXPECT_EQ(chooser.t1(), (std::vector<int>{2, 9, 16}));
    EXPECT_EQ(chooser.t2(), (std::vector<int>{16, 9, 2})) << "from the most negative symbol on";
    EXPECT_EQ(chooser.rows(), 3);
    EXPECT_EQ(chooser.symbolAt(true, 3), -2);
}

TEST(SymbolChooser, HiddenRecordsAndColoursBeyondSevenAreNeitherOfferedNorCounted)
{
    const SymbolChooser chooser =
        ChooserOf({Record(3, 0), Record(4, 9), Record(3, 16), Record(6, 1, false)});
    EXPECT_TRUE(chooser.present().test(4, 9)) << "recorded all the same";
    EXPECT_TRUE(chooser.present().test(3, 16));
    EXPECT_FALSE(chooser.present().test(6, 1));
    EXPECT_EQ(chooser.pairs(), 1);
    EXPECT_EQ(chooser.t1(), std::vector<int>{3}) << "symbol 4 has nothing to offer";
    EXPECT_EQ(chooser.offered(3), 0b1);
}

TEST(SymbolChooser, OkWithoutChoiceKeepsEveryPresentPair)
{
    const SymbolChooser chooser = ChooserOf({Record(3, 0), Record(3, 2), Record(-5, 0)});
    EXPECT_EQ(chooser.accepted(), chooser.present());
}

TEST(SymbolChooser, OkGivesExactlyTheChosenPairs)
{
    SymbolChooser chooser = ChooserOf({Record(3, 0), Record(3, 2), Record(3, 12), Record(-5, 0)});
    EXPECT_TRUE(chooser.click(false, CellX(2), RowY(1)));
    const SymbolSelection tsy = chooser.accepted();
    EXPECT_TRUE(tsy.test(3, 2));
    EXPECT_FALSE(tsy.test(3, 0));
    EXPECT_FALSE(tsy.test(-5, 0));
    EXPECT_FALSE(tsy.test(3, 12)) << "colours beyond 7 cannot be chosen";
    EXPECT_EQ(tsy.countPairs(16), 1);
}

TEST(SymbolChooser, TickingEveryColourMarksTheRowAndTheRowMarkClearsThem)
{
    SymbolChooser chooser = ChooserOf({Record(3, 0), Record(3, 2), Record(3, 5)});
    for (int c : {0, 5}) {
        EXPECT_TRUE(chooser.click(false, CellX(c), RowY(1)));
        EXPECT_FALSE(chooser.rowMarked(3));
    }
    EXPECT_TRUE(chooser.click(false, CellX(2), RowY(1)));
    EXPECT_TRUE(chooser.rowMarked(3));
    EXPECT_EQ(chooser.chosen(3), 0b100101);

    EXPECT_TRUE(chooser.click(false, 9, RowY(1))) << "the row mark";
    EXPECT_EQ(chooser.chosen(3), 0);
    EXPECT_FALSE(chooser.rowMarked(3));
    EXPECT_TRUE(chooser.click(false, 9, RowY(1)));
    EXPECT_EQ(chooser.chosen(3), 0b100101) << "an unmarked row mark chooses them all";
    EXPECT_TRUE(chooser.click(false, CellX(5), RowY(1)));
    EXPECT_FALSE(chooser.rowMarked(3)) << "one colour left out";
}

TEST(SymbolChooser, ClicksElsewhereChangeNothing)
{
    struct Case {
        const char* where;
        bool tadpoles;
        int x;
        int y;
    };
    const Case cases[] = {
        {"above the first row", false, CellX(0), 0},
        {"a row without symbol", false, CellX(0), RowY(2)},
        {"a colour the symbol lacks", false, CellX(1), RowY(1)},
        {"between the row mark and the cells", false, 20, RowY(1)},
        {"left of the row mark", false, 0, RowY(1)},
        {"right of the last cell", false, CellX(8), RowY(1)},
        {"the tadpole image, without tadpoles", true, CellX(0), RowY(1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        SymbolChooser chooser = ChooserOf({Record(3, 0), Record(3, 2)});
        EXPECT_FALSE(chooser.click(c.tadpoles, c.x, c.y));
        EXPECT_EQ(chooser.chosen(3), 0);
    }
}

TEST(SymbolChooser, TadpoleRowsAreClickedInTheirImage)
{
    SymbolChooser chooser = ChooserOf({Record(3, 0), Record(-5, 0), Record(-5, 4), Record(-1, 0)});
    EXPECT_TRUE(chooser.click(true, CellX(4), RowY(1)));
    EXPECT_TRUE(chooser.isChosen(-5, 4));
    EXPECT_TRUE(chooser.click(true, CellX(0), RowY(2)));
    EXPECT_TRUE(chooser.isChosen(-1, 0));
    EXPECT_FALSE(chooser.isChosen(3, 0));
}

TEST(ChoixSymbolesTexts, CaptionLabelAndButtonByMode)
{
    struct Case {
        int mode;
        const char* caption;
        const char* label;
        const char* button;
    };
    const Case cases[] = {
        {0, "Selection of the data", "data to keep in the calculation", "OK"},
        {1, "Modification of the canvas", "Symbols to erase", "Erase"},
        {2, "Modification of the canvas", "Symbols to keep", "Keep"},
        {3, "Rotation of the data", "Symbols to rotate", "OK"},
        {5, "Symbols to keep", "Symbols to keep", "OK"},
    };
    for (const Case& c : cases) {
        const ChoixTexts texts = ChoixSymbolesTexts(c.mode);
        EXPECT_EQ(texts.caption, c.caption);
        EXPECT_EQ(texts.label, c.label);
        EXPECT_EQ(texts.button, c.button);
    }
}

// The primitives of one image of the chooser.
std::vector<Primitive> Drawn(const SymbolChooser& chooser, bool tadpoles, const VarGlob& settings)
{
    RecordingSurface surface;
    DessinerChoix(surface, settings.Tco, chooser, tadpoles, ChooserImageSize(chooser.rows()));
    return surface.primitives();
}

const Primitive* Find(const std::vector<Primitive>& drawn, Shape shape, Point at)
{
    for (const Primitive& p : drawn) {
        if (p.shape != shape)
            continue;
        const Point first = shape == Shape::Polygon ? p.points[0] : Point{p.box.left, p.box.top};
        if (first == at)
            return &p;
    }
    return nullptr;
}

TEST(DessinerChoix, PresentCellsInTheirColourWithSilverMarks)
{
    VarGlob settings;
    const SymbolChooser chooser = ChooserOf({Record(3, 0), Record(3, 2), Record(-5, 0)});
    const std::vector<Primitive> simple = Drawn(chooser, false, settings);
    for (int c = 0; c < 8; ++c) {
        SCOPED_TRACE(c);
        const Primitive* cell = Find(simple, Shape::Rectangle, {12 * c + 27, 7});
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->box, (Box{12 * c + 27, 7, 12 * c + 40, 19}));
        const bool present = c == 0 || c == 2;
        EXPECT_EQ(cell->brush.colour, present ? settings.Tco[c] : clWhite);
        EXPECT_EQ(cell->pen.colour, present ? clBlack : kChooserSilver);
        const Primitive* mark = Find(simple, Shape::Polygon, {12 * c + 33, 21});
        EXPECT_EQ(mark != nullptr, present) << "marks under the present cells only";
        if (mark) {
            EXPECT_EQ(mark->brush.colour, kChooserSilver);
            EXPECT_EQ(mark->points[1], (Point{12 * c + 40, 25}));
        }
    }
    const Primitive* rowMark = Find(simple, Shape::Polygon, {9, 21});
    ASSERT_NE(rowMark, nullptr);
    EXPECT_EQ(rowMark->brush.colour, kChooserSilver);

    const std::vector<Primitive> tadpoles = Drawn(chooser, true, settings);
    EXPECT_EQ(Find(tadpoles, Shape::Rectangle, {27, 7})->brush.colour, settings.Tco[0]);
    EXPECT_EQ(Find(tadpoles, Shape::Rectangle, {51, 7})->brush.colour, clWhite);
    bool tailFromSymbol = false;
    for (const Primitive& p : tadpoles)
        tailFromSymbol |= p.shape == Shape::Line && p.points[0] == Point{9, 15};
    EXPECT_TRUE(tailFromSymbol) << "the tadpole drawn at (9, f + 10)";
}

TEST(DessinerChoix, ChosenMarksAndTheRowMarkTurnBlack)
{
    VarGlob settings;
    SymbolChooser chooser = ChooserOf({Record(3, 0), Record(3, 2), Record(4, 1)});
    chooser.click(false, 9, RowY(1));
    chooser.click(false, CellX(1), RowY(2));
    const std::vector<Primitive> drawn = Drawn(chooser, false, settings);
    for (Point apex : {Point{9, 21}, Point{33, 21}, Point{57, 21}, Point{9, 49}, Point{45, 49}}) {
        const Primitive* mark = Find(drawn, Shape::Polygon, apex);
        ASSERT_NE(mark, nullptr) << apex.x << "," << apex.y;
        EXPECT_EQ(mark->brush.colour, clBlack) << apex.x << "," << apex.y;
    }
}

TEST(FloorAndCeilDiv, NegativeNumbersRoundTheirWay)
{
    EXPECT_EQ(FloorDiv(-25, 12), -3);
    EXPECT_EQ(FloorDiv(-24, 12), -2);
    EXPECT_EQ(FloorDiv(-1, 12), -1);
    EXPECT_EQ(FloorDiv(11, 12), 0);
    EXPECT_EQ(CeilDiv(0, 28), 0);
    EXPECT_EQ(CeilDiv(1, 28), 1);
    EXPECT_EQ(CeilDiv(28, 28), 1);
    EXPECT_EQ(CeilDiv(29, 28), 2);
}

TEST(CanvasRecords, RecordsOneToNtAndNoneWithoutRecords)
{
    VarGlob settings;
    CanvasModel canvas(kWPOrdinary, settings);
    EXPECT_TRUE(CanvasRecords(canvas).empty());
    canvas.AddRecord(Record(3, 1));
    canvas.AddRecord(Record(4, 2));
    ASSERT_EQ(CanvasRecords(canvas).size(), 2u);
    EXPECT_EQ(CanvasRecords(canvas)[1].sy, 4);
    CanvasModel counting(kWPCounting, settings);
    EXPECT_TRUE(CanvasRecords(counting).empty());
}

} // namespace
} // namespace ploq
