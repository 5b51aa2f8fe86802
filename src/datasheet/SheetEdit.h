#pragma once

// Working on a data sheet as a table: its notations, the one-step undo, blocks of cells taken
// to and from the clipboard as tab-separated text, rows and columns moved, cells edited in
// place. Nothing here shows anything: what must be told comes back as a message.
//
// A stored direction is never rebuilt from its text: texts are written from directions, and a
// row whose text no longer matches its direction waits to be decoded (kRowToDecode), which
// the next save does with the checked decoder.

#include "model/Conversion.h"
#include "model/DataSheet.h"
#include "platform/Prompts.h"

#include <string>
#include <string_view>
#include <vector>

namespace ploq {

// --- Notations ---------------------------------------------------------------------------

// The notation pop-up menu: items 0..4 the plane notations, 6..8 the line notations, 9 "Lines
// same as planes" (lines follow the planes' notation, the nearest one for 3 and 4).
struct NotationChoice {
    int frtS = 0;
    int frtL = 0;
    bool linesSame = false;
};
constexpr int kLinesSameItem = 9;
NotationChoice ChooseNotation(NotationChoice current, int item);

// Every value text written again in another notation, with decimals when it had a decimal
// separator. Stored directions stay as they are. The notations become the sheet's.
void ReNotate(DataSheet& sheet, const Notation& to);

// --- One-step undo -----------------------------------------------------------------------

// Rows a block change keeps for its undo; beyond them only the first rows can be restored.
constexpr int kUndoRows = 40;
// "Attention, après modification, retour en arrière permis que pour 40 lignes du tableau".
std::string UndoLimitMessage();

// Keeps rows first..last (at most kUndoRows of them) whole for the undo of `zone`.
void SaveRowsForUndo(DataSheet& sheet, int zone, int first, int last, int column);
// Keeps an edit box's text (box = its grid column 1..5).
void SaveBoxForUndo(DataSheet& sheet, int box, std::string text);

// What an undo brought back, for the window to show: the row and column to select, or the
// edit box and its text.
struct UndoOutcome {
    int zone = kUndoNothing;
    int row = 0;
    int column = 0;
    int movedFrom = 0; // a moved row or column went back from there to `row` or `column`
    std::string boxText;
};
// Undoes the last recorded change; restored rows are marked to be saved again.
UndoOutcome UndoWF(DataSheet& sheet);

// --- Blocks of cells and the clipboard ---------------------------------------------------

// Rows top..bottom and grid columns left..right.
struct CellBlock {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

// The cells of the block as tab-separated lines ("\n" after each line), or the text alone for
// one cell.
std::string CopyBlock(const DataSheet& sheet, const CellBlock& block);
// The block copied, then emptied; rows that lose their nature or value wait to be decoded.
std::string CutBlock(DataSheet& sheet, const CellBlock& block);
// Lines of tab-separated cells; the line end after the last line does not make a line.
std::vector<std::vector<std::string>> SplitBlock(std::string_view text);

// A paste worked out in full before the sheet changes: refused with the message to show, or
// the rows as they will be.
struct PastePlan {
    bool ok = false;
    Message message;
    int first = 0; // first row written
    int left = 0;  // grid columns written
    int right = 0;
    int overwritten = 0;        // rows of the sheet it changes (the others are added)
    std::vector<SavedRow> rows; // rows first.. as they will be
};
// Clipboard text into the sheet at the block: one text fills the block's left column; a block of
// text goes with its top-left cell at the block's, adding rows below the last. Rows that get a
// nature or value are checked and decoded as entries are (no declination added), codes cut to 9
// characters; one bad row refuses the whole paste.
PastePlan PlanPaste(const DataSheet& sheet, const CellBlock& block, std::string_view text);
void ApplyPaste(DataSheet& sheet, const PastePlan& plan);

// --- Editing in place and moving ---------------------------------------------------------

// A cell typed in the grid. A new nature or value leaves the row to be decoded at the next save
// (its direction taken meanwhile with the quiet decoder); a code marks the row changed. With
// `saveForUndo` the row is kept first.
void EditGridCell(DataSheet& sheet, int row, int column, const std::string& text, bool saveForUndo);

// A row dragged from `from` to `to`: it keeps its number, direction and state, and every row
// between is marked changed.
void MoveSheetRow(DataSheet& sheet, int from, int to);
// A grid column dragged from `from` to `to`: the fields follow their cells.
void MoveSheetColumn(DataSheet& sheet, int from, int to);

} // namespace ploq
