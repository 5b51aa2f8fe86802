#pragma once

// Typing measurements into a data sheet. Every entry is checked and converted at once: the value
// text is decoded in the sheet's notation and written back from the decoded direction, so that a
// row's text and its stored direction always agree. Nothing here shows anything: a refusal
// comes back as the message to show, and leaves the sheet as it was.

#include "app/VarGlob.h"
#include "model/DataSheet.h"
#include "platform/Prompts.h"

#include <array>
#include <string>
#include <string_view>

namespace ploq {

// The texts of the edit boxes: boxes[k] edits grid column k (1..5); boxes[0] is not used.
using EditBoxes = std::array<std::string, kColumnCount>;

struct EntryResult {
    bool ok = false;
    int row = 0;     // the row written
    int column = 0;  // refused: grid column of the box to correct, 0 for none
    Message message; // refused: what to tell the user
};

// A sheet as the settings make it: notations, column order, decimals, declination, headings.
DataSheet NewDataSheet(const VarGlob& settings);
// Row 0 takes the headings of the fields (TNomC[1..5]: value, nature, number, location,
// comment) at their columns.
void SetHeadings(DataSheet& sheet, const std::array<std::string, kFieldCount + 1>& headings);

// An activated sheet's notations and column order become the current settings.
void TakeSheetLayout(const DataSheet& sheet, VarGlob& settings);
// A closing sheet's notations, decimals and declination become the defaults of the next sheets.
void KeepSheetChoices(const DataSheet& sheet, VarGlob& settings);

// The trend brought into [0, 2 pi), so that no declination leaves a negative or a second-turn
// trend in the sheet or its file.
double NormalTrend(double trend);

// A typed value decoded with the row's nature letter: the sheet's declination added when it is
// in use, and the text written again (with one decimal when the text had a decimal separator
// or the sheet shows decimals).
struct DecodedEntry {
    bool ok = false;
    double trend = 0;
    double plunge = 0;
    std::string text;
    Message message;
};
DecodedEntry DecodeEntry(const DataSheet& sheet, char letter, std::string_view text);

// The edit boxes into the sheet: rang 0 appends a row, rang > 0 inserts before row rang, rang < 0
// replaces row -rang. The value box is written back in the notation and the code boxes cut to 9
// characters. A sheet holding kMaxValues rows takes no new row.
EntryResult LigneToGrille(DataSheet& sheet, EditBoxes& boxes, int rang);

// "Modify" of one cell: the box of grid column `column` into that cell of the row. A value is
// decoded and written back; a nature must pass CheckNature (a plane turned into a line, or the
// reverse, has its value text decoded again); other codes hold at most 9 characters.
EntryResult ModifyCell(DataSheet& sheet, EditBoxes& boxes, int row, int column);

// Keeps a row for the one-step undo: `zone` 7 (modified) or 8 (deleted).
void SaveRowForUndo(DataSheet& sheet, int row, int zone);

// "Delete": the row goes and the rows below move up; the only row is emptied instead. Returns
// the row to select afterwards.
int DeleteSheetRow(DataSheet& sheet, int row);

// "Deci./Int.": values shown with one decimal or as integers, rewritten from the stored
// directions. Rows whose text waits to be decoded keep it.
void ToggleDecimals(DataSheet& sheet);

// "+1": the first run of digits counted up by one ("A12b" gives "A13b", "007" gives "8"), an
// empty text gives "1" and a text without digits stays as it is.
std::string PlusOne(std::string_view text);
// Its twin: the first run of digits counted down by one ("A12b" gives "A11b", "10" gives "9"),
// never below 0; an empty text gives "1" and a text without digits stays as it is.
std::string MinusOne(std::string_view text);

// The rows of the grid for the data sheet font of that height: |h| + |h| div 2 pixels.
int SheetRowHeight(int fontHeight);

// The declination box, in degrees: a leading minus sign is a west declination. Radians.
double ReadDeclination(std::string_view text);

// "Maximum data sheet  size reached (5000)".
std::string SheetFullMessage();

} // namespace ploq
