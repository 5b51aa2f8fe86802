#include "transform/ChangeSy.h"

#include "model/UtilGlob.h"
#include "transform/UseSymb.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace ploq {

namespace {

constexpr int kColours = 8;
constexpr int kCellPitch = 12;
constexpr int kSourceCellsLeft = 27;
constexpr int kReplacementCellsLeft = 13;
constexpr int kSourceSymbolX = 15;

int rowBottom(int r)
{
    return kChangeRowHeight * r;
}

// The symbol's centre in row r.
int symbolY(int r)
{
    return rowBottom(r) - 8;
}

void drawCell(Surface& surface, int left, int r, bool filled, TColor colour)
{
    surface.setPen({filled ? clBlack : kChooserSilver, 1});
    surface.setBrush({filled ? colour : clWhite, BrushStyle::Solid});
    surface.rectangle({left, rowBottom(r) - 15, left + 13, rowBottom(r) - 3});
}

void fillWhite(Surface& surface, Size size)
{
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.fillRect({0, 0, size.width, size.height});
}

// "symbol.colour.code" read as its three parts; the code is kept whole.
struct LegendParts {
    int sy = 0;
    int co = 0;
    std::string code;
};

std::optional<LegendParts> readLegend(const std::string& entry)
{
    LegendParts parts;
    const char* const end = entry.data() + entry.size();
    auto [afterSy, e1] = std::from_chars(entry.data(), end, parts.sy);
    if (e1 != std::errc{} || afterSy == end || *afterSy != '.')
        return std::nullopt;
    auto [afterCo, e2] = std::from_chars(afterSy + 1, end, parts.co);
    if (e2 != std::errc{} || afterCo == end || *afterCo != '.')
        return std::nullopt;
    parts.code.assign(afterCo + 1, end);
    return parts;
}

} // namespace

SymbolChange::SymbolChange(std::span<const InfoVal> records, int sy, int couleur)
    : newSymbol_(sy), newColour_(couleur)
{
    const SymbolSelection present = PresentPairs(records);
    for (int s = SymbolSelection::kMinSymbol; s <= SymbolSelection::kMaxSymbol; ++s)
        if (const std::int32_t colours = present.word(s) & ((1 << kColours) - 1); colours != 0)
            rows_.push_back({s, colours, {}});
}

const Replacement& SymbolChange::replacement(int row, int colour) const
{
    static const Replacement none;
    if (row < 1 || row > static_cast<int>(rows_.size()) || colour < 0 || colour >= kColours)
        return none;
    return rows_[static_cast<std::size_t>(row - 1)].replacements[static_cast<std::size_t>(colour)];
}

bool SymbolChange::clickSource(int x, int y)
{
    const int r = CeilDiv(y, kChangeRowHeight);
    const int c = FloorDiv(x - 24, kCellPitch);
    if (r < 1 || r > static_cast<int>(rows_.size())
        || !rows_[static_cast<std::size_t>(r - 1)].offers(c))
        return false;
    selected_ = SourceCell{r, c};
    confirmed_ = false;
    newSymbol_ = rows_[static_cast<std::size_t>(r - 1)].sy;
    newColour_ = c;
    return true;
}

void SymbolChange::setTadpole(bool tadpole)
{
    newSymbol_ = tadpole ? -std::abs(newSymbol_) : std::abs(newSymbol_);
}

bool SymbolChange::confirm(bool tadpole)
{
    setTadpole(tadpole);
    if (!selected_)
        return false;
    rows_[static_cast<std::size_t>(selected_->row - 1)]
        .replacements[static_cast<std::size_t>(selected_->colour)] = {newSymbol_, newColour_};
    confirmed_ = true;
    return true;
}

std::pair<int, int> SymbolChange::replaced(int sy, int colour) const
{
    for (const SourceRow& row : rows_) {
        if (row.sy != sy || colour < 0 || colour >= kColours)
            continue;
        const Replacement& r = row.replacements[static_cast<std::size_t>(colour)];
        if (r.exists()) {
            sy = r.sy;
            colour = r.co;
        }
    }
    return {sy, colour};
}

void SymbolChange::apply(std::span<InfoVal> records) const
{
    for (InfoVal& v : records) {
        const auto [sy, co] = replaced(v.sy, v.nco);
        v.sy = sy;
        v.nco = co;
    }
}

void SymbolChange::apply(std::vector<std::string>& legend) const
{
    for (std::string& entry : legend)
        if (const std::optional<LegendParts> parts = readLegend(entry)) {
            const auto [sy, co] = replaced(parts->sy, parts->co);
            entry = sformat("%d.%d.%s", sy, co, parts->code.c_str());
        }
    std::sort(legend.begin(), legend.end());
    legend.erase(std::unique(legend.begin(), legend.end()), legend.end());
}

Size SourceTableSize(int rows)
{
    return {kSourceCellsLeft + kCellPitch * (kColours - 1) + 13 + 4,
            kChangeRowHeight * std::max(0, rows) + 15};
}

Size ReplacementTableSize(int rows)
{
    return {kReplacementCellsLeft + kCellPitch * (kColours - 1) + 13 + 4,
            kChangeRowHeight * std::max(0, rows) + 15};
}

void DessinerSource(Surface& surface, const VarGlob& settings, const SymbolChange& change,
                    Size size)
{
    const Tcouleur& tco = settings.Tco;
    fillWhite(surface, size);
    int r = 0;
    for (const SourceRow& row : change.rows()) {
        ++r;
        // A tadpole's tail points left, into the margin, as from a net centred on its right:
        // pointing down it would run into the next row.
        const Point at{kSourceSymbolX, symbolY(r)};
        const DrawContext ctx{surface, Net{at.x + 100, at.y, 90, true, false}, 0, 0, settings};
        DessinerSymbole(ctx, row.sy, 0, at.x, at.y);
        for (int c = 0; c < kColours; ++c)
            drawCell(surface, kSourceCellsLeft + kCellPitch * c, r, row.offers(c),
                     CouleurDe(tco, c));
    }
    if (const std::optional<SourceCell> cell = change.selected())
        DessinerMarque(surface, {kCellPitch * cell->colour + 32, rowBottom(cell->row) - 3},
                       change.selectionConfirmed() ? kChooserSilver : clBlack);
}

void DessinerRemplacement(Surface& surface, const Tcouleur& tco, const SymbolChange& change,
                          Size size)
{
    fillWhite(surface, size);
    for (int r = 1; r <= static_cast<int>(change.rows().size()); ++r)
        for (int c = 0; c < kColours; ++c) {
            const int left = kReplacementCellsLeft + kCellPitch * c;
            drawCell(surface, left, r, false, clWhite);
            if (const Replacement& to = change.replacement(r, c); to.exists())
                DessinerSymboleSeul(surface, tco, to.sy, to.co, {left + 7, symbolY(r)});
        }
}

} // namespace ploq
