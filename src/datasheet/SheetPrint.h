#pragma once

// The printed table of a data sheet: a page heading, then the rows (the first page starting with
// the column headings) with their number, nature, value, number, location and comment, ruled
// when the grid lines are asked for. Sizes follow the page: one unit is 1/200 of its shorter
// side.

#include "model/DataSheet.h"
#include "platform/Surface.h"

#include <string>

namespace ploq {

struct SheetPageLayout {
    int u = 0;            // the unit
    int m = 0;            // margin
    int h = 0;            // line height
    int s = 0;            // width of the number column
    int w = 0;            // width of a field column, and the left margin
    int linesPerPage = 0; // table lines a page holds
    int pages = 0;        // pages that hold rows
    int fontPixels = 0;   // "Times" 10 points
};

// The layout of a page of `pageSize` device pixels at `dotsPerInch`, in portrait or landscape,
// for a sheet of `measurements` rows.
SheetPageLayout SheetPageLayoutFor(Size pageSize, bool landscape, int dotsPerInch,
                                   int measurements);

// The sheet rows (0 the headings) on a page, 1 the first.
struct PageRows {
    int first = 0;
    int last = -1;
};
PageRows RowsOfPage(const SheetPageLayout& layout, int page, int measurements);

// "PLOQ -  14:05 - site.plq  (42 values)".
std::string SheetPrintHeading(const std::string& time, const std::string& title, int measurements);

// Draws one page of the table.
void DrawSheetPage(Surface& surface, const DataSheet& sheet, const SheetPageLayout& layout,
                   int page, const std::string& heading, bool gridLines);

} // namespace ploq
