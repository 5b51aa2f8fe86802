// Changing the symbol and colour of whole sets: the source table, the replacements and what
// "OK" does to the records and the legend.

#include "transform/ChangeSy.h"

#include "app/VarGlob.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

#include "SymbolRecords.h"
#include <string>
#include <vector>

namespace ploq {
namespace {

using test::Record;

SymbolChange ChangeOf(const std::vector<InfoVal>& records, int sy, int couleur)
{
    return SymbolChange(records, sy, couleur);
}

// Where a click lands on cell (row, colour) of the source table.
bool Select(SymbolChange& change, int row, int colour)
{
    return change.clickSource(12 * colour + 30, 22 * row - 8);
}

// Selects the set of (sy, colour), gives it the new symbol and colour, confirms.
void Replace(SymbolChange& change, int sy, int colour, int newSy, int newColour)
{
    int row = 0;
    for (std::size_t i = 0; i < change.rows().size(); ++i)
        if (change.rows()[i].sy == sy)
            row = static_cast<int>(i) + 1;
    ASSERT_TRUE(Select(change, row, colour)) << sy << "." << colour;
    change.setNewSymbol(std::abs(newSy));
    change.setNewColour(newColour);
    ASSERT_TRUE(change.confirm(newSy < 0));
}

std::vector<std::pair<int, int>> Pairs(const std::vector<InfoVal>& records)
{
    std::vector<std::pair<int, int>> pairs;
    for (const InfoVal& v : records)
        pairs.emplace_back(v.sy, v.nco);
    return pairs;
}

TEST(SymbolChange, SourceRowsOfTheDisplayedSetsInSymbolOrder)
{
    const std::vector<InfoVal> records = {Record(5, 1), Record(-3, 0),       Record(3, 2),
                                          Record(3, 0), Record(7, 0, false), Record(5, 10)};
    const SymbolChange change(records, 2, 6);
    ASSERT_EQ(change.rows().size(), 3u);
    EXPECT_EQ(change.rows()[0].sy, -3);
    EXPECT_EQ(change.rows()[1].sy, 3);
    EXPECT_EQ(change.rows()[1].colours, 0b101);
    EXPECT_EQ(change.rows()[2].sy, 5);
    EXPECT_EQ(change.rows()[2].colours, 0b10) << "colour 10 is not a set of the table";
    for (int r = 1; r <= 3; ++r)
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(change.replacement(r, c).co, kNoReplacement);
    EXPECT_EQ(change.newSymbol(), 2);
    EXPECT_EQ(change.newColour(), 6);
    EXPECT_FALSE(change.selected());
}

TEST(SymbolChange, AClickOnASetSelectsItAndTakesItsSymbolAndColour)
{
    SymbolChange change = ChangeOf({Record(-3, 0), Record(3, 2)}, 9, 1);
    EXPECT_TRUE(Select(change, 1, 0));
    EXPECT_EQ(change.selected(), (SourceCell{1, 0}));
    EXPECT_EQ(change.newSymbol(), -3);
    EXPECT_EQ(change.newColour(), 0);
    EXPECT_TRUE(Select(change, 2, 2));
    EXPECT_EQ(change.newSymbol(), 3);
    EXPECT_EQ(change.newColour(), 2);
}

TEST(SymbolChange, ClicksOffTheSetsChangeNothing)
{
    SymbolChange change = ChangeOf({Record(3, 2)}, 9, 1);
    for (Point at : {Point{12 * 1 + 30, 14}, Point{12 * 2 + 30, 0}, Point{12 * 2 + 30, 30},
                     Point{20, 14}, Point{12 * 8 + 30, 14}}) {
        EXPECT_FALSE(change.clickSource(at.x, at.y)) << at.x << "," << at.y;
        EXPECT_FALSE(change.selected());
        EXPECT_EQ(change.newSymbol(), 9);
    }
}

TEST(SymbolChange, ConfirmWithoutASelectedSetDoesNothing)
{
    SymbolChange change = ChangeOf({Record(3, 0)}, 4, 1);
    EXPECT_FALSE(change.confirm(true));
    EXPECT_EQ(change.replacement(1, 0).co, kNoReplacement);
    EXPECT_EQ(change.newSymbol(), -4) << "the tadpole box still gives the sign";
}

TEST(SymbolChange, OkChangesEveryRecordOfTheSetHiddenOnesIncluded)
{
    std::vector<InfoVal> records = {Record(3, 0), Record(3, 0, false), Record(3, 2), Record(5, 0),
                                    Record(3, 0)};
    SymbolChange change(records, 1, 1);
    Replace(change, 3, 0, 7, 4);
    EXPECT_EQ(change.replacement(1, 0), (Replacement{7, 4}));
    change.apply(records);
    EXPECT_EQ(Pairs(records),
              (std::vector<std::pair<int, int>>{{7, 4}, {7, 4}, {3, 2}, {5, 0}, {7, 4}}));
    EXPECT_FALSE(TestBit(records[1].inf, kInfPresent)) << "still hidden";
}

TEST(SymbolChange, OkRewritesTheLegendSortedWithoutDuplicates)
{
    SymbolChange change = ChangeOf({Record(3, 0), Record(3, 2), Record(4, 1)}, 1, 1);
    Replace(change, 3, 0, 7, 4);
    Replace(change, 3, 2, 4, 1);
    std::vector<std::string> legend = {"3.0.no selection", "3.2.PLAN", "4.1.PLAN", "5.0.LIN"};
    change.apply(legend);
    EXPECT_EQ(legend, (std::vector<std::string>{"4.1.PLAN", "5.0.LIN", "7.4.no selection"}));
}

TEST(SymbolChange, ChainedReplacementsFollowTheRowOrder)
{
    std::vector<InfoVal> records = {Record(3, 0), Record(5, 0), Record(5, 1)};
    SymbolChange change(records, 1, 1);
    Replace(change, 5, 0, 8, 1); // clicked first, applied second: the rows give the order
    Replace(change, 3, 0, 5, 0);
    change.apply(records);
    EXPECT_EQ(Pairs(records), (std::vector<std::pair<int, int>>{{8, 1}, {8, 1}, {5, 1}}));
    std::vector<std::string> legend = {"3.0.A", "5.0.B"};
    change.apply(legend);
    EXPECT_EQ(legend, (std::vector<std::string>{"8.1.A", "8.1.B"}));
}

TEST(SymbolChange, ReplacementsOnSeveralRowsInAnyOrder)
{
    const std::vector<InfoVal> initial = {Record(-2, 0), Record(6, 3), Record(9, 7), Record(6, 1)};
    const std::vector<std::pair<int, int>> expected = {{2, 5}, {-6, 3}, {1, 0}, {6, 1}};
    const int orders[][3] = {{0, 1, 2}, {2, 1, 0}, {1, 2, 0}};
    for (const auto& order : orders) {
        std::vector<InfoVal> records = initial;
        SymbolChange change(records, 1, 1);
        for (int i : order) {
            const int sy = initial[static_cast<std::size_t>(i)].sy;
            const int co = initial[static_cast<std::size_t>(i)].nco;
            const auto [newSy, newCo] = expected[static_cast<std::size_t>(i)];
            Replace(change, sy, co, newSy, newCo);
        }
        change.apply(records);
        EXPECT_EQ(Pairs(records), expected);
    }
}

TEST(SymbolChange, ALaterConfirmReplacesTheEarlierOne)
{
    std::vector<InfoVal> records = {Record(3, 0)};
    SymbolChange change(records, 1, 1);
    Replace(change, 3, 0, 7, 4);
    Replace(change, 3, 0, -9, 2);
    change.apply(records);
    EXPECT_EQ(Pairs(records), (std::vector<std::pair<int, int>>{{-9, 2}}));
}

TEST(SymbolChange, UnreadableLegendEntriesAreKept)
{
    SymbolChange change = ChangeOf({Record(3, 0)}, 1, 1);
    Replace(change, 3, 0, 7, 4);
    std::vector<std::string> legend = {"x.0.A", "3.0.", "3.0"};
    change.apply(legend);
    EXPECT_EQ(legend, (std::vector<std::string>{"3.0", "7.4.", "x.0.A"}));
}

const Primitive* At(const RecordingSurface& surface, Shape shape, Point topLeft)
{
    for (const Primitive& p : surface.primitives())
        if (p.shape == shape && Point{p.box.left, p.box.top} == topLeft)
            return &p;
    return nullptr;
}

TEST(DessinerSource, SetsInTheirColourAndTheMarkOfTheSelectedSet)
{
    VarGlob settings;
    SymbolChange change = ChangeOf({Record(3, 0), Record(-5, 2)}, 1, 1);
    const Size size = SourceTableSize(2);
    EXPECT_EQ(size.height, 22 * 2 + 15);
    RecordingSurface surface;
    DessinerSource(surface, settings, change, size);
    EXPECT_EQ(At(surface, Shape::Rectangle, {27 + 24, 7})->brush.colour, settings.Tco[2])
        << "row 1 is -5";
    EXPECT_EQ(At(surface, Shape::Rectangle, {27, 29})->brush.colour, settings.Tco[0]);
    EXPECT_EQ(At(surface, Shape::Rectangle, {27 + 12, 29})->brush.colour, clWhite);
    EXPECT_EQ(surface.count(Shape::Polygon), 0u) << "no mark before a selection";
    bool tailLeft = false;
    for (const Primitive& p : surface.primitives())
        tailLeft |= p.shape == Shape::Line && p.points == std::vector<Point>{{15, 14}, {3, 14}};
    EXPECT_TRUE(tailLeft) << "the tadpole's tail stays in its row";

    ASSERT_TRUE(Select(change, 2, 0));
    for (bool confirmed : {false, true}) {
        if (confirmed)
            change.confirm(false);
        surface.clear();
        DessinerSource(surface, settings, change, size);
        ASSERT_EQ(surface.count(Shape::Polygon), 1u);
        const Primitive& mark = surface.primitives().back();
        EXPECT_EQ(mark.points[0], (Point{32, 41}));
        EXPECT_EQ(mark.points[1], (Point{39, 45}));
        EXPECT_EQ(mark.brush.colour, confirmed ? rgb(192, 192, 192) : clBlack);
    }
}

TEST(DessinerRemplacement, TheNewSymbolInItsColourInTheReplacedCell)
{
    VarGlob settings;
    SymbolChange change = ChangeOf({Record(3, 0), Record(4, 2)}, 1, 1);
    Replace(change, 4, 2, 7, 4);
    RecordingSurface surface;
    DessinerRemplacement(surface, settings.Tco, change, ReplacementTableSize(2));
    EXPECT_EQ(surface.count(Shape::Rectangle), 16u) << "eight empty cells a row";
    EXPECT_EQ(surface.count(Shape::Ellipse), 1u);
    const Primitive* symbol = At(surface, Shape::Ellipse, {42, 34});
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->box, (Box{12 * 2 + 20 - 2, 44 - 8 - 2, 12 * 2 + 20 + 2, 44 - 8 + 2}));
    EXPECT_EQ(symbol->pen.colour, settings.Tco[4]);
}

} // namespace
} // namespace ploq
