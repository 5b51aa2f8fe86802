#include "datasheet/SheetPrint.h"

#include "datasheet/SheetEntry.h"
#include "platform/RecordingSurface.h"
#include "support/SheetRows.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ploq {
namespace {

// A4 at 1200 dots per inch, less the printer's margins.
constexpr Size kA4Portrait{9921, 14031};
constexpr Size kA4Landscape{14031, 9921};

struct LayoutCase {
    Size page;
    bool landscape;
    int measurements;
    int linesPerPage;
    int pages;
};

TEST(SheetPageLayout, LinesAndPagesByOrientation)
{
    const LayoutCase cases[] = {
        {kA4Portrait, false, 0, 42, 1},   {kA4Portrait, false, 41, 42, 1},
        {kA4Portrait, false, 42, 42, 2},  {kA4Portrait, false, 50, 42, 2},
        {kA4Portrait, false, 300, 42, 8}, {kA4Landscape, true, 26, 27, 1},
        {kA4Landscape, true, 27, 27, 2},  {kA4Landscape, true, 300, 27, 12},
    };
    for (const LayoutCase& c : cases) {
        const SheetPageLayout layout =
            SheetPageLayoutFor(c.page, c.landscape, 1200, c.measurements);
        EXPECT_EQ(layout.linesPerPage, c.linesPerPage) << c.measurements;
        EXPECT_EQ(layout.pages, c.pages) << c.measurements;
        EXPECT_EQ(layout.u, 50) << "one unit is 1/200 of the shorter side";
        EXPECT_EQ(layout.h, 300);
        EXPECT_EQ(layout.s, 600);
        EXPECT_EQ(layout.w, 1250);
        EXPECT_EQ(layout.fontPixels, 167) << "10 points at 1200 dots per inch";
    }
}

TEST(SheetPageLayout, TheFirstPageStartsWithTheHeadingsAndTheLastHoldsTheLastRow)
{
    const SheetPageLayout layout = SheetPageLayoutFor(kA4Portrait, false, 1200, 300);
    EXPECT_EQ(RowsOfPage(layout, 1, 300).first, 0);
    EXPECT_EQ(RowsOfPage(layout, 1, 300).last, 41);
    EXPECT_EQ(RowsOfPage(layout, 8, 300).first, 294);
    EXPECT_EQ(RowsOfPage(layout, 8, 300).last, 300);
    EXPECT_LT(RowsOfPage(layout, 9, 300).last, RowsOfPage(layout, 9, 300).first);
}

struct PrintedPage {
    std::vector<Primitive> texts;
    std::size_t lines = 0;
};

PrintedPage Print(const DataSheet& sheet, int page, bool gridLines)
{
    const int n = sheet.isEmpty() ? 0 : sheet.rowCount();
    const SheetPageLayout layout = SheetPageLayoutFor(kA4Portrait, false, 1200, n);
    RecordingSurface surface;
    DrawSheetPage(surface, sheet, layout, page, SheetPrintHeading("14:05", "site.plq", n),
                  gridLines);
    PrintedPage printed;
    for (const Primitive& p : surface.primitives())
        if (p.shape == Shape::Text)
            printed.texts.push_back(p);
    printed.lines = surface.count(Shape::Line);
    return printed;
}

const Primitive* FindText(const PrintedPage& page, const std::string& text)
{
    const auto found = std::find_if(page.texts.begin(), page.texts.end(),
                                    [&](const Primitive& p) { return p.text == text; });
    return found == page.texts.end() ? nullptr : &*found;
}

TEST(DrawSheetPage, HeadingPageNumberAndTheRowsOfThePage)
{
    DataSheet sheet = test::LineRows(300);
    SetHeadings(sheet, {"", "Value", "Nature", "Number", "Location", "Comment"});
    const PrintedPage last = Print(sheet, 8, true);
    const Primitive* heading = FindText(last, "PLOQ -  14:05 - site.plq  (300 values)");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->points.front(), (Point{1250, 650}));
    ASSERT_NE(FindText(last, "p.8/8"), nullptr);
    EXPECT_EQ(FindText(last, "p.8/8")->points.front(), (Point{7500, 900}));
    const Primitive* number = FindText(last, "300");
    ASSERT_NE(number, nullptr) << "the last row is on the last page";
    // Row 300 is the seventh line of the page: y = (6 + 4) h + m.
    EXPECT_EQ(number->points.front(), (Point{1300, 3050}));
    ASSERT_NE(FindText(last, "10 / 60"), nullptr);
    EXPECT_EQ(FindText(last, "10 / 60")->points.front().x, 2 * 1250 + 600 + 50);
    EXPECT_EQ(heading->font.family, "Times");
    EXPECT_EQ(last.lines, 7u + 1u + 7u) << "a rule above each row, one below, seven columns";

    const PrintedPage first = Print(sheet, 1, false);
    ASSERT_NE(FindText(first, "Value"), nullptr) << "the headings open the first page";
    EXPECT_EQ(FindText(first, "001")->points.front().y, 5 * 300 + 50);
    EXPECT_EQ(first.lines, 0u) << "no grid lines asked for";
}

TEST(DrawSheetPage, FieldsArePrintedInTheirOwnOrderWhateverTheGridsOrder)
{
    DataSheet sheet = test::LineRows(2);
    sheet.moveColumn(sheet.columnOf(Field::Value), 5);
    const PrintedPage page = Print(sheet, 1, true);
    EXPECT_EQ(FindText(page, "L")->points.front().x, 1250 + 600 + 50);
    EXPECT_EQ(FindText(page, "10 / 5")->points.front().x, 2 * 1250 + 600 + 50);
    EXPECT_EQ(FindText(page, "1")->points.front().x, 3 * 1250 + 600 + 50);
}

TEST(DrawSheetPage, AnEmptySheetPrintsItsHeadingsOnOnePage)
{
    DataSheet sheet;
    SetHeadings(sheet, {"", "Value", "Nature", "Number", "Location", "Comment"});
    const PrintedPage page = Print(sheet, 1, true);
    EXPECT_NE(FindText(page, "p.1/1"), nullptr);
    EXPECT_NE(FindText(page, "PLOQ -  14:05 - site.plq  (0 values)"), nullptr);
    EXPECT_TRUE(Print(sheet, 2, true).texts.empty());
}

} // namespace
} // namespace ploq
