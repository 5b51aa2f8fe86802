#pragma once

// The data sheet in memory: a table of text cells (row 0 the headings, rows 1..N the
// measurements, column 0 the row number, columns 1..5 the five fields in the sheet's own
// order) and, per row, the decoded direction and the save state.

#include "model/Conversion.h"
#include "model/Trigo.h"
#include "model/TypesGlob.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ploq {

// The five fields of a measurement row.
enum class Field : int { Value = 0, Nature = 1, Number = 2, Location = 3, Comment = 4 };
constexpr int kFieldCount = 5;
constexpr int kColumnCount = 6; // the row number and the five fields

// Save state of a row (lMod).
enum RowState : std::int32_t {
    kRowSaved = 0,    // unchanged since the last save
    kRowChanged = 1,  // codes or position changed; ltAz, ltPe are current
    kRowToDecode = 2, // value text changed: decode it again when saving
};

// "001" for row 1; only the last three digits, so row 1234 is "234".
std::string RowNumberText(int row);

// The default column order: nature, value, number, comment, location in columns 1 to 5, given
// as the column of value, nature, number, location and comment.
constexpr std::array<int, kFieldCount> kDefaultColumns = {2, 1, 3, 5, 4};

// True when the columns are a permutation of 1..5.
bool IsColumnOrder(const std::array<int, kFieldCount>& columns);

// A whole row as the undo keeps it: its cells (the number first), its direction and its save
// state.
struct SavedRow {
    std::array<std::string, kColumnCount> cells;
    double azi = 0;
    double pen = 0;
    std::int32_t mod = 0;
    friend bool operator==(const SavedRow&, const SavedRow&) = default;
};

// What the one-step undo of the sheet editor undoes (UndoWFRecord::zone).
enum UndoZone : int {
    kUndoNothing = -1,
    kUndoCells = 0, // a block of cells: rows ixt.. kept whole in ts
    // 1..5: the edit box of that grid column, its text in sU
    kUndoModifiedRow = 7,  // the row ixt, kept in ts
    kUndoDeletedRow = 8,   // the row that was at ixt, kept in ts
    kUndoAddedRow = 9,     // the row added at ixt
    kUndoMovedRow = 10,    // the row moved from ixl to ixt
    kUndoMovedColumn = 11, // the grid column moved from ixl to ixt
    kUndoNotation = 12,    // notations and decimals, every row kept in ts
};

// The one-step undo of the sheet editor.
struct UndoWFRecord {
    int zone = kUndoNothing;
    std::vector<SavedRow> ts; // saved rows, ts[0] being row ixt
    int ixl = 0;              // column of the saved cells, or where a row or column came from
    int ixt = 0;              // first row, or where a row or column went
    int nls = 0;              // number of saved rows
    int rowCount = 0;         // rows of the sheet before the change
    std::string sU;           // an edit box's text
    int frtS = 0;             // notations and decimals before a change of them
    int frtL = 0;
    bool showDeci = false;
};

class DataSheet {
public:
    DataSheet();

    // Measurement rows N; an empty sheet has one row whose cells are all empty.
    int rowCount() const { return static_cast<int>(cells_.size()) - 1; }
    bool isEmpty() const { return cells_[1][0].empty(); }

    const std::string& cell(int row, int column) const { return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]; }
    void setCell(int row, int column, std::string text);
    const std::string& field(int row, Field f) const { return cell(row, columnOf(f)); }
    void setField(int row, Field f, std::string text) { setCell(row, columnOf(f), std::move(text)); }

    // Column (1..5) of a field: lC1..lC5; the field of a column.
    int columnOf(Field f) const { return lC[static_cast<std::size_t>(f)]; }
    Field fieldAt(int column) const;
    // The sheet's notations of planes and lines.
    Notation notation() const { return {lFrtS, lFrtL}; }

    // Appends an empty row (numbered), or refuses beyond kMaxValues rows.
    bool appendRow();
    // Inserts an empty row before `row`; refuses beyond kMaxValues rows.
    bool insertRow(int row);
    // Removes a row; the last remaining row is emptied instead.
    void deleteRow(int row);
    // Keeps rows 1..count (at least one row); new rows are empty.
    void setRowCount(int count);
    // Moves a row, with its number, direction and state, to position `to`; the rows between
    // shift by one.
    void moveRow(int from, int to);
    // Moves the cells of grid column `from` (heading included) to column `to`; the columns
    // between shift by one and the fields follow their cells (lC).
    void moveColumn(int from, int to);

    SavedRow savedRow(int row) const;
    void restoreRow(int row, const SavedRow& saved);
    // Rewrites the numbers of column 0 for every row with content.
    void Numeroter();

    // The row must be written at the next save; a row whose value waits to be decoded keeps
    // that state, its stored direction not being valid.
    void markChanged(int row);

    // The first letter of the row's nature code, or '\0'.
    char natureLetter(int row) const;

    // Per-row side arrays, entries 0..kMaxValues.
    TrMM ltAz;
    TrMM ltPe;
    TiMM lMod;

    std::array<int, kFieldCount> lC = kDefaultColumns;
    std::string lNomF;  // path of the file, empty for a new sheet
    std::string lTitle; // title of a sheet without a file (Windows-1252); empty: its slot's
    double lCreated = 0;
    double lModified = 0;
    bool lDirty = false;
    int lFrtS = 0;
    int lFrtL = 0;
    bool lShowDeci = true;
    bool lUseDecl = false;
    double lDecl = 0;
    UndoWFRecord lUndoWF;

private:
    std::vector<std::array<std::string, kColumnCount>> cells_;
};

// The direction of a row as the sheet holds it; a row whose value text waits to be decoded is
// decoded as saving would. None when the row has no valid direction.
std::optional<Direction> RowDirection(const DataSheet& sheet, int row);

} // namespace ploq
