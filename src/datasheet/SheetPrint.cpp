#include "datasheet/SheetPrint.h"

#include "model/UtilGlob.h"

#include <algorithm>
#include <array>

namespace ploq {

namespace {

constexpr int kPortraitLength = 290; // usable length of a page, in units
constexpr int kLandscapeLength = 200;
constexpr int kFontPoints = 10;

// The printed columns, in this order whatever the grid's order.
constexpr std::array<Field, kFieldCount> kPrintedFields = {
    Field::Nature, Field::Value, Field::Number, Field::Location, Field::Comment};

int measurementCount(const DataSheet& sheet)
{
    return sheet.isEmpty() ? 0 : sheet.rowCount();
}

void rule(Surface& surface, Point from, Point to)
{
    surface.moveTo(from);
    surface.lineTo(to);
}

} // namespace

SheetPageLayout SheetPageLayoutFor(Size pageSize, bool landscape, int dotsPerInch, int measurements)
{
    SheetPageLayout layout;
    const double shortSide = landscape ? pageSize.height : pageSize.width;
    layout.u = std::max(1, RoundHalfEven(shortSide / 200));
    layout.m = layout.u;
    layout.h = 6 * layout.u;
    layout.s = 12 * layout.u;
    layout.w = 25 * layout.u;
    const int length = landscape ? kLandscapeLength : kPortraitLength;
    layout.linesPerPage = RoundHalfEven(length / 6.0) - 6;
    layout.pages = std::max(0, measurements) / layout.linesPerPage + 1;
    layout.fontPixels = std::max(1, RoundHalfEven(kFontPoints * dotsPerInch / 72.0));
    return layout;
}

PageRows RowsOfPage(const SheetPageLayout& layout, int page, int measurements)
{
    if (page < 1 || page > layout.pages)
        return {};
    const int first = (page - 1) * layout.linesPerPage;
    return {first, std::min(first + layout.linesPerPage - 1, measurements)};
}

std::string SheetPrintHeading(const std::string& time, const std::string& title, int measurements)
{
    return sformat("PLOQ -  %s - %s  (%d values)", time.c_str(), title.c_str(), measurements);
}

void DrawSheetPage(Surface& surface, const DataSheet& sheet, const SheetPageLayout& layout,
                   int page, const std::string& heading, bool gridLines)
{
    const int n = measurementCount(sheet);
    const PageRows rows = RowsOfPage(layout, page, n);
    if (rows.last < rows.first)
        return;
    const int m = layout.m;
    const int h = layout.h;
    const int s = layout.s;
    const int w = layout.w;
    surface.setFont({"Times", layout.fontPixels, false, false, clBlack});
    surface.setBrush({clWhite, BrushStyle::Clear});
    surface.setPen({});
    surface.textOut({w, 2 * h + m}, heading);
    surface.textOut({6 * w, 3 * h}, sformat("p.%d/%d", page, layout.pages));

    const int right = 6 * w + s;
    for (int row = rows.first; row <= rows.last; ++row) {
        const int top = (row - rows.first + 4) * h;
        if (row > 0)
            surface.textOut({w + m, top + m}, sheet.cell(row, 0));
        for (std::size_t i = 0; i < kPrintedFields.size(); ++i)
            surface.textOut({static_cast<int>(i + 1) * w + s + m, top + m},
                            sheet.field(row, kPrintedFields[i]));
        if (gridLines)
            rule(surface, {w, top}, {right, top});
    }
    if (!gridLines)
        return;
    const int bottom = (rows.last - rows.first + 5) * h;
    rule(surface, {w, bottom}, {right, bottom});
    for (int x : {w, w + s, 2 * w + s, 3 * w + s, 4 * w + s, 5 * w + s, right})
        rule(surface, {x, 4 * h}, {x, bottom});
}

} // namespace ploq
