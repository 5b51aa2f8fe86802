#pragma once

// Symbols and colours: the small shapes that stand for measurements, additional values and
// fault kinds on a canvas, their tadpole variant, the previews and colour strip of dialogs, and
// the table that selects measurements by symbol and colour.
//
// A symbol is a signed number: 1..16 for measurements, -n the tadpole of n (a tail along the
// radius of the net), 20..23 marks, 101..111 additional values, 200 the highlight ring,
// 301..306 fault kinds, 307 a dot. A colour is an index into the colour table Tco.

#include "canvas/DrawContext.h"

#include <array>
#include <cstdint>
#include <span>

namespace ploq {

using Tcouleur = std::array<TColor, kColourCount>;

constexpr int kHighlightSymbol = 200;
constexpr int kEraseColour = 8; // white: drawing in it erases

// Tco[c], black for an index outside the table.
TColor CouleurDe(const Tcouleur& tco, int c);

// Symbol sy in colour c centred at (x, y) on the context's surface; the output variant scales
// it by UnitDessin. The brush is left clear.
void DessinerSymbole(const DrawContext& ctx, int sy, int c, int x, int y);

// The same shape on any surface, its tadpole tail (if any) pointing straight down: what the
// previews of dialogs and the legend show.
void DessinerSymboleSeul(Surface& surface, const Tcouleur& tco, int sy, int c, Point at);

// Length of the tail of the tadpole of symbol n, in screen pixels.
int LongueurQueue(int n);

// The image filled white with the symbol at its centre; symbol 20 filled with its colour.
void ApercuSymbole(Image& image, const Tcouleur& tco, int sy, int c);

// The colour strip of dialogs: eight cells of `cell` pixels for colours 0..7 in an image of
// BandeCouleursSize(cell), the current colour outlined in a thick pen.
Size BandeCouleursSize(int cell);
void BandeCouleurs(Image& image, const Tcouleur& tco, int cell, int current);
// The colour a click at x in the strip chooses: always one of its cells, 0..7.
int CouleurCliquee(int x, int cell);
// The same strip for any row of colours (the contour colours have ten), drawn on a surface of
// ColourStripSize: BandeCouleurs is the strip of Tco[0..7]; a click chooses ColourStripCell.
Size ColourStripSize(int cell, int count);
void ColourStrip(Surface& surface, std::span<const TColor> colours, int cell, int current);
int ColourStripCell(int x, int cell, int count);

// Tsy: for each measurement symbol -16..16 the set of colours 0..16 selected. Commands that
// work on chosen sets take the records whose pair is selected.
class SymbolSelection {
public:
    static constexpr int kMinSymbol = -16;
    static constexpr int kMaxSymbol = 16;

    static bool InRange(int sy, int c);

    // Pairs outside the table are never selected and cannot be set.
    bool test(int sy, int c) const;
    void set(int sy, int c, bool selected);
    void clear() { words_.fill(0); }
    // The colour set of symbol sy as a bit word; 0 outside the table.
    std::int32_t word(int sy) const;
    void setWord(int sy, std::int32_t colours);

    // Whether the record's pair is selected: the display mask of the working set.
    bool shows(const InfoVal& v) const { return test(v.sy, v.nco); }
    // The number of selected pairs with a colour 0..maxColour.
    int countPairs(int maxColour = 7) const;

    friend bool operator==(const SymbolSelection&, const SymbolSelection&) = default;

private:
    std::array<std::int32_t, kMaxSymbol - kMinSymbol + 1> words_{};
};

// The pairs of the displayed records (bit 0 of inf), records 1..lNT of `values`.
SymbolSelection PresentPairs(std::span<const InfoVal> values);

} // namespace ploq
