#pragma once

// Changing the symbol and colour of whole sets of a canvas. The source table has one row of 22
// pixels per symbol displayed, with a cell for each colour 0..7 that the symbol's displayed
// records have; the replacement table beside it shows, cell for cell, the symbol and colour each
// set is to take. "OK" applies the replacements to every record, shown or hidden, and to the
// canvas legend.

#include "canvas/UtilDessin.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace ploq {

constexpr int kChangeRowHeight = 22;
constexpr int kNoReplacement = 127; // the new colour of a cell that keeps its set

struct Replacement {
    int sy = 0;
    int co = kNoReplacement;
    bool exists() const { return co != kNoReplacement; }
    friend bool operator==(const Replacement&, const Replacement&) = default;
};

struct SourceRow {
    int sy = 0;
    std::int32_t colours = 0; // bit c: records of this symbol and colour c are displayed
    std::array<Replacement, 8> replacements{};
    bool offers(int c) const { return c >= 0 && c < 8 && (colours >> c & 1) != 0; }
};

struct SourceCell {
    int row = 0; // from 1
    int colour = 0;
    friend bool operator==(const SourceCell&, const SourceCell&) = default;
};

class SymbolChange {
public:
    // The sets of the displayed records among `records`; `sy` and `couleur` the current symbol
    // and colour, where the new symbol and colour start.
    SymbolChange(std::span<const InfoVal> records, int sy, int couleur);

    // Rows in increasing symbol order, -16 to 16.
    const std::vector<SourceRow>& rows() const { return rows_; }
    const Replacement& replacement(int row, int colour) const;

    std::optional<SourceCell> selected() const { return selected_; }
    // The selected cell got its replacement: its mark is silver.
    bool selectionConfirmed() const { return confirmed_; }
    int newSymbol() const { return newSymbol_; }
    int newColour() const { return newColour_; }

    // The mouse released at (x, y) on the source table: selects the cell of a displayed set,
    // whose symbol and colour become the new ones. False (nothing changes) elsewhere.
    bool clickSource(int x, int y);
    // The symbol menu and the colour strip.
    void setNewSymbol(int sy) { newSymbol_ = sy; }
    void setNewColour(int colour) { newColour_ = colour; }
    // "tadpole" ticked or not: the new symbol's sign.
    void setTadpole(bool tadpole);
    // "confirm": the selected cell takes the new symbol and colour. Before any cell is selected
    // there is nothing to confirm.
    bool confirm(bool tadpole);

    // Where a set ends: the rows are visited in order, each one comparing the set as the rows
    // before left it, so that (3,0)->(5,0) and (5,0)->(8,1) take (3,0) to (8,1).
    std::pair<int, int> replaced(int sy, int colour) const;
    // "OK": every record, displayed or not, and the legend entries "%d.%d.%s" (kept sorted and
    // without duplicates).
    void apply(std::span<InfoVal> records) const;
    void apply(std::vector<std::string>& legend) const;

private:
    std::vector<SourceRow> rows_;
    std::optional<SourceCell> selected_;
    bool confirmed_ = false;
    int newSymbol_ = 1;
    int newColour_ = 0;
};

// Both tables are as high as their rows and a margin; the source is wider by its symbols.
Size SourceTableSize(int rows);
Size ReplacementTableSize(int rows);
void DessinerSource(Surface& surface, const VarGlob& settings, const SymbolChange& change,
                    Size size);
void DessinerRemplacement(Surface& surface, const Tcouleur& tco, const SymbolChange& change,
                          Size size);

} // namespace ploq
