#pragma once

// The chooser of (symbol, colour) sets: the sets of displayed records a command is to work on.
// Its two images list the simple symbols and the tadpoles present, one row of 28 pixels each:
// the symbol, a cell for each colour 0..7 (filled when the symbol has records of that colour)
// and under each present cell a mark, black when chosen. The mark under the symbol is the
// row's: black when every colour of the row is chosen, and a click on it chooses or leaves
// them all.

#include "canvas/Plot.h"
#include "canvas/UtilDessin.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ploq {

// What the chooser is opened for.
enum ChoixMode : int {
    kChoixStatistics = 0, // statistics of the canvas
    kChoixErase = 1,      // "Erase selected symbol"
    kChoixKeep = 2,       // "Keep selected symbol"
    kChoixRotate = 3,     // rotation of chosen sets
    kChoixStats2D = 5,    // 2D statistics of a canvas
};

struct ChoixTexts {
    std::string_view caption;
    std::string_view label;
    std::string_view button;
};
// The caption, label and accepting button of a mode; an unknown mode reads as the statistics.
ChoixTexts ChoixSymbolesTexts(int mode);

constexpr int kChooserRowHeight = 28;
constexpr int kChooserColours = 8; // only colours 0..7 are offered
constexpr TColor kChooserSilver = rgb(192, 192, 192);

// An upward triangle of 14 by 4 pixels with its apex at `apex`: the mark under a cell.
void DessinerMarque(Surface& surface, Point apex, TColor colour);

class SymbolChooser {
public:
    // `present`: the pairs of the displayed records, every colour (Tsy once filled).
    explicit SymbolChooser(const SymbolSelection& present);

    const SymbolSelection& present() const { return present_; }
    // The number of pairs offered: colours 0..7 only.
    int pairs() const { return present_.countPairs(kChooserColours - 1); }

    // t1: the simple symbols present, increasing; t2: the tadpoles present as their absolute
    // values, from the most negative symbol on.
    const std::vector<int>& t1() const { return t1_; }
    const std::vector<int>& t2() const { return t2_; }
    // Rows of the taller image.
    int rows() const;
    // The symbol of row `row` (from 1) of an image, if that row holds one.
    std::optional<int> symbolAt(bool tadpoles, int row) const;

    // Colours 0..7 of the symbol's displayed records, as a bit word.
    std::int32_t offered(int sy) const;
    // etatC: the colours the user chose for the symbol.
    std::int32_t chosen(int sy) const { return etatC_.word(sy); }
    bool isChosen(int sy, int c) const { return etatC_.test(sy, c); }
    // The row mark: black when every colour offered for the symbol is chosen.
    bool rowMarked(int sy) const;

    // The mouse button released at (x, y) in an image; true when a choice changed.
    bool click(bool tadpoles, int x, int y);

    // What "OK" leaves in Tsy: the choices when there are any, else every present pair.
    SymbolSelection accepted() const;

private:
    SymbolSelection present_;
    SymbolSelection etatC_;
    std::vector<int> t1_;
    std::vector<int> t2_;
};

// The size of each image of a chooser with `rows` rows.
Size ChooserImageSize(int rows);
// Draws one image of the chooser (the simple symbols, or the tadpoles) from its top-left corner.
void DessinerChoix(Surface& surface, const Tcouleur& tco, const SymbolChooser& chooser,
                   bool tadpoles, Size size);

// Records 1..lNT of a canvas; none for a kind that holds no records.
std::span<InfoVal> CanvasRecords(CanvasModel& canvas);

// floor(a / b) for b > 0, negative a included: the column of a click left of the first cell.
int FloorDiv(int a, int b);
// ceil(a / b) for b > 0: the row of a click.
int CeilDiv(int a, int b);

} // namespace ploq
