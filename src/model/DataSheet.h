#pragma once

// The data sheet in memory: a table of text cells (row 0 the headings, rows 1..N the
// measurements, column 0 the row number, columns 1..5 the five fields in the sheet's own
// order) and, per row, the decoded direction and the save state.

#include "model/TypesGlob.h"

#include <array>
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

// The one-step undo of the sheet editor.
struct UndoWFRecord {
    int zone = -1; // 0 a block of cells, 1..5 an edit box, 7 a modified row, 8 a deleted row
    std::vector<std::string> ts; // saved cell texts
    int ixl = 0;                 // column of the saved cells
    int ixt = 0;                 // first row
    int nls = 0;                 // number of saved cells
    std::string sU;              // an edit box's text, or the cells of a row
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

    // Column (1..5) of a field: lC1..lC5.
    int columnOf(Field f) const { return lC[static_cast<std::size_t>(f)]; }

    // Appends an empty row (numbered), or refuses beyond kMaxValues rows.
    bool appendRow();
    // Inserts an empty row before `row`; refuses beyond kMaxValues rows.
    bool insertRow(int row);
    // Removes a row; the last remaining row is emptied instead.
    void deleteRow(int row);
    // Keeps rows 1..count (at least one row).
    void setRowCount(int count);
    // Rewrites the numbers of column 0 for every row with content.
    void Numeroter();

    // The first letter of the row's nature code, or '\0'.
    char natureLetter(int row) const;

    // Per-row side arrays, entries 0..kMaxValues.
    TrMM ltAz;
    TrMM ltPe;
    TiMM lMod;

    std::array<int, kFieldCount> lC = kDefaultColumns;
    std::string lNomF; // path of the file, empty for a new sheet
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

} // namespace ploq
