#include "canvas/UtilDessin.h"

#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <span>
#include <vector>

namespace ploq {

namespace {

constexpr TColor kSilver = rgb(192, 192, 192);
constexpr int kUserColours = 8; // the strip of dialogs: Tco 0..7

// How a part of a symbol is filled.
enum class Fill {
    None,  // lines: the pen only
    Open,  // white inside a coloured outline
    Solid, // the symbol's colour
    Clear, // outline only, what lies below shows through
    Black,
    Silver,
};

enum class Op { Line, Rect, Ellipse, Polygon };

// One shape of a symbol, as offsets from its centre: two end points of a line, the corners of a
// box (left, top, right, bottom), or the corners of a polygon.
struct Part {
    Op op;
    Fill fill;
    std::vector<Point> at;
};

struct SymbolShape {
    int number;
    std::vector<Part> parts;
    char letter = '\0'; // fault kinds: a letter drawn in the box
    Point letterAt{};
    bool fixedSize = false; // the highlight ring keeps its size on every output
};

Part line(int x1, int y1, int x2, int y2)
{
    return {Op::Line, Fill::None, {{x1, y1}, {x2, y2}}};
}
Part rect(Fill f, int l, int t, int r, int b)
{
    return {Op::Rect, f, {{l, t}, {r, b}}};
}
Part ellipse(Fill f, int l, int t, int r, int b)
{
    return {Op::Ellipse, f, {{l, t}, {r, b}}};
}
Part polygon(Fill f, std::initializer_list<Point> corners)
{
    return {Op::Polygon, f, corners};
}

std::vector<Part> smallCross()
{
    return {line(-3, -1, 2, -1), line(-1, -3, -1, 2)};
}
std::vector<Part> cross()
{
    return {line(-4, -1, 3, -1), line(-1, -4, -1, 3)};
}
Part square(Fill f)
{
    return rect(f, -4, -4, 3, 3);
}
Part smallSquare(Fill f)
{
    return rect(f, -2, -2, 2, 2);
}
Part circle(Fill f)
{
    return ellipse(f, -4, -4, 3, 3);
}
Part smallCircle(Fill f)
{
    return ellipse(f, -2, -2, 2, 2);
}
Part diamond(Fill f)
{
    return polygon(f, {{-4, 0}, {0, -4}, {4, 0}, {0, 4}});
}
Part triangle(Fill f)
{
    return polygon(f, {{-5, 2}, {-1, -5}, {3, 2}});
}
Part faultSquare(Fill f)
{
    return rect(f, -7, -7, 6, 6);
}
Part faultCircle(Fill f)
{
    return ellipse(f, -7, -7, 7, 7);
}

const std::vector<SymbolShape>& shapes()
{
    static const std::vector<SymbolShape> table = {
        {1, smallCross()},
        {2, cross()},
        {3, {smallSquare(Fill::Open)}},
        {4, {smallSquare(Fill::Solid)}},
        {5, {square(Fill::Open)}},
        {6, {square(Fill::Solid)}},
        {7, {smallCircle(Fill::Open)}},
        {8, {smallCircle(Fill::Solid)}},
        {9, {circle(Fill::Open)}},
        {10, {circle(Fill::Solid)}},
        {11, {diamond(Fill::Open)}},
        {12, {diamond(Fill::Solid)}},
        {13, {triangle(Fill::Open)}},
        {14, {triangle(Fill::Solid)}},
        {15, {line(-4, -1, 3, -1), line(-3, -3, 2, 2), line(1, -3, -4, 2), line(-1, -4, -1, 3)}},
        {16, {rect(Fill::Solid, -6, -6, 5, 5)}},
        {20, {smallSquare(Fill::Black)}},
        {21, {smallCircle(Fill::Open)}},
        {22, {rect(Fill::Open, -1, -1, 2, 2)}},
        {23, {rect(Fill::Open, -1, -1, 1, 1)}},
        {101, {rect(Fill::Solid, -4, -1, 4, 1), rect(Fill::Solid, -1, -4, 1, 4)}},
        {102,
         {line(-5, -1, 5, -1), line(-5, 0, 5, 0), line(-1, -5, -1, 5), line(0, -5, 0, 5),
          line(-3, -4, 4, 3), line(-4, -4, 4, 4), line(-4, -3, 3, 4), line(-4, 2, 3, -5),
          line(-4, 3, 4, -5), line(-3, 3, 4, -4)}},
        // Nested open squares, outermost first: each white inside leaves the outer outline.
        {103,
         {rect(Fill::Open, -5, -5, 4, 4), rect(Fill::Open, -4, -4, 3, 3),
          rect(Fill::Open, -3, -3, 2, 2)}},
        {104, {rect(Fill::Solid, -5, -5, 4, 4)}},
        {105, {polygon(Fill::Solid, {{-4, 3}, {0, -4}, {4, 3}})}},
        {106, {ellipse(Fill::Open, -5, -5, 4, 4), ellipse(Fill::Open, -4, -4, 3, 3)}},
        {107, {ellipse(Fill::Solid, -5, -5, 4, 4)}},
        {108, cross()},
        {109, {square(Fill::Solid)}},
        {110, {circle(Fill::Solid)}},
        {111, {diamond(Fill::Solid)}},
        {kHighlightSymbol, {ellipse(Fill::Clear, -10, -10, 9, 9)}, '\0', {}, true},
        {301, {faultSquare(Fill::Open)}, 'N', {-4, -6}},
        {302, {faultSquare(Fill::Silver)}, 'R', {-4, -6}},
        {303, {faultCircle(Fill::Open)}, 'D', {-3, -6}},
        {304, {faultCircle(Fill::Silver)}, 'D', {-3, -6}},
        {305, {faultCircle(Fill::Open)}, 'S', {-3, -6}},
        {306, {faultCircle(Fill::Silver)}, 'S', {-3, -6}},
        {307, {rect(Fill::Solid, -1, -1, 1, 1)}},
    };
    return table;
}

const SymbolShape* shapeOf(int sy)
{
    for (const SymbolShape& s : shapes())
        if (s.number == sy)
            return &s;
    return nullptr;
}

void setFill(Surface& surface, Fill fill, TColor colour)
{
    switch (fill) {
    case Fill::None:
    case Fill::Clear: surface.setBrush({surface.brush().colour, BrushStyle::Clear}); return;
    case Fill::Open: surface.setBrush({clWhite, BrushStyle::Solid}); return;
    case Fill::Solid: surface.setBrush({colour, BrushStyle::Solid}); return;
    case Fill::Black: surface.setBrush({clBlack, BrushStyle::Solid}); return;
    case Fill::Silver: surface.setBrush({kSilver, BrushStyle::Solid}); return;
    }
}

Point offset(Point centre, Point d, int unit)
{
    return {centre.x + d.x * unit, centre.y + d.y * unit};
}

void drawPart(Surface& surface, const Part& part, Point centre, int unit)
{
    const auto p = [&](std::size_t i) { return offset(centre, part.at[i], unit); };
    switch (part.op) {
    case Op::Line:
        surface.moveTo(p(0));
        surface.lineTo(p(1));
        return;
    case Op::Rect: surface.rectangle({p(0).x, p(0).y, p(1).x, p(1).y}); return;
    case Op::Ellipse: surface.ellipse({p(0).x, p(0).y, p(1).x, p(1).y}); return;
    case Op::Polygon: {
        std::vector<Point> corners;
        for (std::size_t i = 0; i < part.at.size(); ++i)
            corners.push_back(p(i));
        surface.polygon(corners);
        return;
    }
    }
}

// The shape of symbol sy (positive) in `colour`; `colourFills20` fills symbol 20 with the colour
// instead of black, as the previews show it.
void drawShape(Surface& surface, int sy, TColor colour, Point at, int unit, bool colourFills20)
{
    const SymbolShape* shape = shapeOf(sy);
    if (shape == nullptr)
        return;
    const int u = shape->fixedSize ? 1 : unit;
    Pen pen = surface.pen();
    pen.colour = colour;
    pen.style = PenStyle::Solid;
    surface.setPen(pen);
    for (const Part& part : shape->parts) {
        const Fill fill = colourFills20 && part.fill == Fill::Black ? Fill::Solid : part.fill;
        setFill(surface, fill, colour);
        drawPart(surface, part, at, u);
    }
    if (shape->letter != '\0') {
        surface.setBrush({surface.brush().colour, BrushStyle::Clear});
        Font font = surface.font();
        const Font before = font;
        font.pixelHeight = 9;
        surface.setFont(font);
        surface.textOut(offset(at, shape->letterAt, u), std::string(1, shape->letter));
        surface.setFont(before);
    }
    surface.setBrush({surface.brush().colour, BrushStyle::Clear});
}

void drawTail(Surface& surface, TColor colour, Point from, Point to)
{
    Pen pen = surface.pen();
    pen.colour = colour;
    pen.style = PenStyle::Solid;
    surface.setPen(pen);
    surface.moveTo(from);
    surface.lineTo(to);
}

int sgn(int v)
{
    return v >= 0 ? 1 : -1;
}

// The end of a tail of `length` pixels from (x, y) along the radius of the net: toward its
// centre when `inward`, away from it otherwise.
Point tailEnd(const Net& net, int x, int y, int length, bool inward)
{
    const double theta = x == net.xc ? std::numbers::pi / 2
                                     : std::atan(std::fabs(double(y - net.yc) / (net.xc - x)));
    const int sx = inward ? sgn(net.xc - x) : sgn(x - net.xc);
    const int sy = inward ? sgn(y - net.yc) : sgn(net.yc - y);
    return {x + RoundHalfEven(sx * length * std::cos(theta)),
            y - RoundHalfEven(sy * length * std::sin(theta))};
}

// The symbol whose tadpole -n is; no symbol for a number without a magnitude.
int magnitude(int sy)
{
    return sy == std::numeric_limits<int>::min() ? 0 : std::abs(sy);
}

int outputUnit(const DrawContext& ctx)
{
    return ctx.EnImpression ? std::max(1, static_cast<int>(ctx.UnitDessin)) : 1;
}

} // namespace

TColor CouleurDe(const Tcouleur& tco, int c)
{
    return c >= 0 && c < kColourCount ? tco[static_cast<std::size_t>(c)] : clBlack;
}

int LongueurQueue(int n)
{
    switch (n) {
    case 1:
    case 3:
    case 4:
    case 7:
    case 8: return 7;
    default: return 12;
    }
}

void DessinerSymbole(const DrawContext& ctx, int sy, int c, int x, int y)
{
    Surface& surface = ctx.CnvsCourant;
    const TColor colour = CouleurDe(ctx.settings.Tco, c);
    const int unit = outputUnit(ctx);
    if (sy < 0) {
        const int length = LongueurQueue(magnitude(sy)) * unit;
        drawTail(surface, colour, {x, y},
                 tailEnd(ctx.net, x, y, length, TestBit(ctx.StyleCnvs, kStyleTailInward)));
    }
    drawShape(surface, magnitude(sy), colour, {x, y}, unit, false);
}

void DessinerSymboleSeul(Surface& surface, const Tcouleur& tco, int sy, int c, Point at)
{
    const TColor colour = CouleurDe(tco, c);
    if (sy < 0)
        drawTail(surface, colour, at, {at.x, at.y + LongueurQueue(magnitude(sy))});
    drawShape(surface, magnitude(sy), colour, at, 1, true);
}

void ApercuSymbole(Image& image, const Tcouleur& tco, int sy, int c)
{
    Surface& surface = image.surface();
    const Size size = image.size();
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.fillRect({0, 0, size.width, size.height});
    DessinerSymboleSeul(surface, tco, sy, c, {size.width / 2, size.height / 2});
}

Size ColourStripSize(int cell, int count)
{
    const int c = std::max(1, cell);
    return {count * c + 4, c + 4};
}

void ColourStrip(Surface& surface, std::span<const TColor> colours, int cell, int current)
{
    const int c = std::max(1, cell);
    const int count = static_cast<int>(colours.size());
    const Size size = ColourStripSize(c, count);
    surface.setBrush({clWhite, BrushStyle::Solid});
    surface.fillRect({0, 0, size.width, size.height});
    surface.setPen({clBlack, 1});
    for (int i = 0; i < count; ++i) {
        surface.setBrush({colours[static_cast<std::size_t>(i)], BrushStyle::Solid});
        surface.rectangle({2 + i * c, 2, 3 + (i + 1) * c, c + 2});
    }
    if (current >= 0 && current < count) {
        surface.setPen({clBlack, 3});
        surface.setBrush({clWhite, BrushStyle::Clear});
        surface.rectangle({2 + current * c, 1, 3 + (current + 1) * c, c + 3});
        surface.setPen({clBlack, 1});
    }
}

int ColourStripCell(int x, int cell, int count)
{
    if (cell <= 0 || count <= 0)
        return 0;
    const int column = static_cast<int>(std::floor(double(x - 3) / cell));
    return std::clamp(column, 0, count - 1);
}

Size BandeCouleursSize(int cell)
{
    return ColourStripSize(cell, kUserColours);
}

void BandeCouleurs(Image& image, const Tcouleur& tco, int cell, int current)
{
    std::array<TColor, kUserColours> colours{};
    for (int i = 0; i < kUserColours; ++i)
        colours[static_cast<std::size_t>(i)] = CouleurDe(tco, i);
    ColourStrip(image.surface(), colours, cell, current);
}

int CouleurCliquee(int x, int cell)
{
    return ColourStripCell(x, cell, kUserColours);
}

bool SymbolSelection::InRange(int sy, int c)
{
    return sy >= kMinSymbol && sy <= kMaxSymbol && c >= 0 && c < kColourCount;
}

bool SymbolSelection::test(int sy, int c) const
{
    return InRange(sy, c) && (word(sy) >> c & 1) != 0;
}

void SymbolSelection::set(int sy, int c, bool selected)
{
    if (!InRange(sy, c))
        return;
    std::int32_t& w = words_[static_cast<std::size_t>(sy - kMinSymbol)];
    w = selected ? (w | 1 << c) : (w & ~(1 << c));
}

std::int32_t SymbolSelection::word(int sy) const
{
    return sy >= kMinSymbol && sy <= kMaxSymbol ? words_[static_cast<std::size_t>(sy - kMinSymbol)]
                                                : 0;
}

void SymbolSelection::setWord(int sy, std::int32_t colours)
{
    if (sy >= kMinSymbol && sy <= kMaxSymbol)
        words_[static_cast<std::size_t>(sy - kMinSymbol)] = colours & ((1 << kColourCount) - 1);
}

int SymbolSelection::countPairs(int maxColour) const
{
    int n = 0;
    for (std::int32_t w : words_)
        for (int c = 0; c <= std::min(maxColour, kColourCount - 1); ++c)
            n += (w >> c) & 1;
    return n;
}

SymbolSelection PresentPairs(std::span<const InfoVal> values)
{
    SymbolSelection pairs;
    for (const InfoVal& v : values)
        if (TestBit(v.inf, kInfPresent))
            pairs.set(v.sy, v.nco, true);
    return pairs;
}

} // namespace ploq
