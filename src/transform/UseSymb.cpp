#include "transform/UseSymb.h"

#include <algorithm>
#include <array>

namespace ploq {

namespace {

constexpr std::int32_t kOfferedMask = (1 << kChooserColours) - 1;
constexpr int kCellsLeft = 27; // x of colour 0's cell
constexpr int kCellPitch = 12; // one colour to the next
constexpr int kSymbolX = 9;    // the symbol, and the apex of the row mark under it
constexpr int kRowMarkColumn = -2;

// The top of row k (from 1), from which its contents are placed.
int rowTop(int k)
{
    return kChooserRowHeight * k - 23;
}

Point markApex(int column, int row)
{
    return {kCellPitch * column + 33, kChooserRowHeight * row - 7};
}

} // namespace

ChoixTexts ChoixSymbolesTexts(int mode)
{
    switch (mode) {
    case kChoixErase: return {"Modification of the canvas", "Symbols to erase", "Erase"};
    case kChoixKeep: return {"Modification of the canvas", "Symbols to keep", "Keep"};
    case kChoixRotate: return {"Rotation of the data", "Symbols to rotate", "OK"};
    case kChoixStats2D: return {"Symbols to keep", "Symbols to keep", "OK"};
    default: return {"Selection of the data", "data to keep in the calculation", "OK"};
    }
}

void DessinerMarque(Surface& surface, Point apex, TColor colour)
{
    surface.setPen({colour, 1});
    surface.setBrush({colour, BrushStyle::Solid});
    const std::array<Point, 3> corners = {Point{apex.x, apex.y}, Point{apex.x + 7, apex.y + 4},
                                          Point{apex.x - 7, apex.y + 4}};
    surface.polygon(corners);
}

std::span<InfoVal> CanvasRecords(CanvasModel& canvas)
{
    const auto count = static_cast<std::size_t>(std::max(0, canvas.lNT));
    if (canvas.lVal.size() <= count)
        return {};
    return std::span<InfoVal>(canvas.lVal).subspan(1, count);
}

int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int CeilDiv(int a, int b)
{
    return -FloorDiv(-a, b);
}

SymbolChooser::SymbolChooser(const SymbolSelection& present) : present_(present)
{
    // A symbol whose records all have colours beyond 7 offers nothing: it gets no row.
    for (int s = 1; s <= SymbolSelection::kMaxSymbol; ++s)
        if (offered(s) != 0)
            t1_.push_back(s);
    for (int s = SymbolSelection::kMinSymbol; s <= 0; ++s)
        if (offered(s) != 0)
            t2_.push_back(-s);
}

int SymbolChooser::rows() const
{
    return static_cast<int>(std::max(t1_.size(), t2_.size()));
}

std::optional<int> SymbolChooser::symbolAt(bool tadpoles, int row) const
{
    const std::vector<int>& list = tadpoles ? t2_ : t1_;
    if (row < 1 || row > static_cast<int>(list.size()))
        return std::nullopt;
    const int s = list[static_cast<std::size_t>(row - 1)];
    return tadpoles ? -s : s;
}

std::int32_t SymbolChooser::offered(int sy) const
{
    return present_.word(sy) & kOfferedMask;
}

bool SymbolChooser::rowMarked(int sy) const
{
    const std::int32_t colours = offered(sy);
    return colours != 0 && (chosen(sy) & colours) == colours;
}

bool SymbolChooser::click(bool tadpoles, int x, int y)
{
    const std::optional<int> sy = symbolAt(tadpoles, CeilDiv(y, kChooserRowHeight));
    if (!sy)
        return false;
    const int column = FloorDiv(x - 25, kCellPitch);
    if (column == kRowMarkColumn) {
        etatC_.setWord(*sy,
                       rowMarked(*sy) ? chosen(*sy) & ~offered(*sy) : chosen(*sy) | offered(*sy));
        return true;
    }
    if (column < 0 || column >= kChooserColours || (offered(*sy) >> column & 1) == 0)
        return false;
    etatC_.set(*sy, column, !isChosen(*sy, column));
    return true;
}

SymbolSelection SymbolChooser::accepted() const
{
    return etatC_ == SymbolSelection{} ? present_ : etatC_;
}

Size ChooserImageSize(int rows)
{
    return {kCellPitch * (kChooserColours - 1) + 40 + 4, kChooserRowHeight * std::max(1, rows) + 2};
}

void DessinerChoix(Surface& surface, const Tcouleur& tco, const SymbolChooser& chooser,
                   bool tadpoles, Size size)
{
    surface.setPen({clWhite, 1});
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.fillRect({0, 0, size.width, size.height});
    for (int k = 1;; ++k) {
        const std::optional<int> sy = chooser.symbolAt(tadpoles, k);
        if (!sy)
            break;
        const int f = rowTop(k);
        DessinerSymboleSeul(surface, tco, *sy, 0, {kSymbolX, f + (tadpoles ? 10 : 8)});
        for (int c = 0; c < kChooserColours; ++c) {
            const bool offered = (chooser.offered(*sy) >> c & 1) != 0;
            surface.setPen({offered ? clBlack : kChooserSilver, 1});
            surface.setBrush({offered ? CouleurDe(tco, c) : clWhite, BrushStyle::Solid});
            const int left = kCellsLeft + kCellPitch * c;
            surface.rectangle({left, f + 2, left + 13, f + 14});
            if (offered)
                DessinerMarque(surface, markApex(c, k),
                               chooser.isChosen(*sy, c) ? clBlack : kChooserSilver);
        }
        DessinerMarque(surface, markApex(kRowMarkColumn, k),
                       chooser.rowMarked(*sy) ? clBlack : kChooserSilver);
    }
}

} // namespace ploq
