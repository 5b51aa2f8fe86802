#include "stats3d/Counting.h"

#include "canvas/Plot.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = kPi / 2;
// Closer than this to the vertical a measurement lies in the cone of node 0 and no other, for
// every grid of 5 to 12 crowns.
constexpr double kNearVertical = 0.04;
// The sector of the first crown is found with 60 degrees a little short, so that a trend just
// below a node's is taken in the sector that ends at it.
constexpr double kFirstCrownSector = 1.04719;

// The two neighbouring nodes of crown k round the trend: the one at or before it and the next.
void addCrownPair(NodeCandidates& c, int crown, double trend)
{
    const int perCrown = 6 * crown;
    // A trend a rounding short of 2 pi gives perCrown itself: the first node again.
    const int before = static_cast<int>(std::floor(trend / (kPi / (3 * crown)))) % perCrown;
    const int first = FirstNodeOfCrown(crown);
    c.node[static_cast<std::size_t>(c.count++)] = first + before;
    c.node[static_cast<std::size_t>(c.count++)] = first + (before + 1) % perCrown;
}

// The candidates of a measurement at `theta` from the vertical and of that trend.
NodeCandidates candidatesAt(double theta, double trend, int crowns)
{
    NodeCandidates c;
    const double delta = CrownSpacing(crowns);
    if (theta < delta) {
        c.node[static_cast<std::size_t>(c.count++)] = 0;
        if (theta < kNearVertical)
            return c;
        int sector = static_cast<int>(std::ceil(trend / kFirstCrownSector));
        if (sector <= 0 || sector > 6)
            sector = 6;
        c.node[static_cast<std::size_t>(c.count++)] = sector;
        c.node[static_cast<std::size_t>(c.count++)] = sector == 6 ? 1 : sector + 1;
        return c;
    }
    const int inside = std::min(static_cast<int>(std::floor(theta / delta)), crowns);
    addCrownPair(c, inside, trend);
    if (inside < crowns)
        addCrownPair(c, inside + 1, trend);
    return c;
}

// The measurement's vector in frame H, where the nodes are.
Vec3 InFrameH(const Vec3& g)
{
    return {g.x, g.y, -g.z};
}

} // namespace

double CrownSpacing(int crowns)
{
    return kHalfPi / crowns;
}

double CountingCone(int crowns)
{
    return (60.0 / crowns) * kDegToRad;
}

Direction NodeDirection(int node, int crowns)
{
    if (node <= 0)
        return {0, kHalfPi};
    int crown = 1;
    while (crown < crowns && node >= FirstNodeOfCrown(crown + 1))
        ++crown;
    const int c = node - FirstNodeOfCrown(crown);
    return {c * kPi / (3 * crown), kHalfPi - crown * CrownSpacing(crowns)};
}

CountingGrid CountingGridNodes(int crowns)
{
    CountingGrid grid;
    grid.crowns = crowns;
    grid.nodes.reserve(static_cast<std::size_t>(NodeCount(crowns)));
    grid.nodes.push_back({0, 0, -1});
    const double delta = CrownSpacing(crowns);
    for (int k = 1; k <= crowns; ++k) {
        const double s = std::sin(k * delta);
        const double z = -std::cos(k * delta);
        for (int c = 0; c < 6 * k; ++c) {
            const double t = c * kPi / (3 * k);
            grid.nodes.push_back({std::sin(t) * s, std::cos(t) * s, z});
        }
    }
    return grid;
}

NodeCandidates CandidateNodes(const Direction& d, int crowns)
{
    return candidatesAt(kHalfPi - d.plunge, d.trend, crowns);
}

CountingResult CountNodes(std::span<const Vec3> u, int crowns)
{
    crowns = std::clamp(crowns, kMinCrowns, kMaxCrowns);
    const CountingGrid grid = CountingGridNodes(crowns);
    const double cosCone = std::cos(CountingCone(crowns));
    CountingResult r;
    r.crowns = crowns;
    r.counts.assign(grid.nodes.size(), 0);
    for (const Vec3& g : u) {
        // The angle from the vertical and the trend of the lower end of the axis, as VecToDir
        // gives them, with one arc cosine instead of its arc tangent and hypotenuse. A trend
        // a rounding below 0 gives 2 pi, taken as north by the crowns' modulo and the sector.
        const double down = g.z < 0 ? -1 : 1;
        const double theta = std::acos(std::min(1.0, down * g.z));
        double trend = g.x == 0 && g.y == 0 ? 0 : std::atan2(down * g.x, down * g.y);
        if (trend < 0)
            trend += 2 * kPi;
        const Vec3 h = InFrameH(g);
        const NodeCandidates candidates = candidatesAt(theta, trend, crowns);
        for (const int node : candidates.nodes())
            if (std::fabs(Dot(h, grid.nodes[static_cast<std::size_t>(node)])) >= cosCone)
                ++r.counts[static_cast<std::size_t>(node)];
    }
    r.counted = static_cast<int>(u.size());
    // Node i of the second half of the outer crown and node i - 3n are the same horizontal axis.
    const int half = 3 * crowns;
    for (int i = 3 * crowns * crowns + 1; i <= grid.lastNode(); ++i) {
        int& a = r.counts[static_cast<std::size_t>(i)];
        int& b = r.counts[static_cast<std::size_t>(i - half)];
        a = b = a + b;
    }
    r.ma = *std::max_element(r.counts.begin(), r.counts.end());
    r.U = (1 - cosCone) * r.counted;
    return r;
}

std::vector<InfoLine> CountingReport(const CountingResult& r, bool uniformityMultiples,
                                     DayCount now)
{
    const double maxU = r.uniformity(r.ma);
    std::string uniformity;
    if (uniformityMultiples)
        uniformity = " U = 1 -> " + FormatFixed(r.U, 1) + " val" + " max = " + FormatFixed(maxU, 1)
                     + " U (=> " + std::to_string(r.ma) + " val)";
    else
        uniformity = " 1 val => " + FormatFixed(r.U > 0 ? 1 / r.U : 0, 1) + " U" + " max = "
                     + std::to_string(r.ma) + " val (=> " + FormatFixed(maxU, 1) + " U)";
    return {
        {longTime(now) + "- counting of " + std::to_string(r.counted) + " val  ", true},
        {sformat(" (grid : %d crowns, %d nods, cone half-aperture  ", r.crowns, NodeCount(r.crowns))
         + FormatFixed(60.0 / r.crowns, 1) + "\xB0)"},
        {std::move(uniformity)},
        {""}};
}

int NodeAt(const Direction& d, int crowns)
{
    const double plungeDeg = d.plunge / kDegToRad;
    const int crown = std::min(RoundHalfEven((90 - plungeDeg) / (90.0 / crowns)), crowns);
    if (crown < 1)
        return 0;
    const int perCrown = 6 * crown;
    const int index = RoundHalfEven(d.trend / kDegToRad / (360.0 / perCrown)) % perCrown;
    return FirstNodeOfCrown(crown) + index;
}

std::string NodePositionLine(int node, int crowns, int count, const Notation& notation)
{
    const Direction d = NodeDirection(node, crowns);
    return sformat("nod %d, position : %s ", node,
                   DirToText(false, false, d.plunge, d.trend, notation).c_str())
           + std::to_string(count);
}

void KeepCounting(CanvasModel& canvas, const CountingResult& r)
{
    canvas.lVnod = r.counts;
    canvas.lNbCr = r.crowns;
    canvas.ma = r.ma;
    canvas.lNT = r.counted;
    canvas.ar1 = r.U;
}

void DrawCounting(const CanvasModel& canvas, const DrawContext& ctx)
{
    const int nodes = std::min(static_cast<int>(canvas.lVnod.size()), NodeCount(canvas.lNbCr));
    if (canvas.lNbCr < 1 || nodes < 1)
        return;
    Surface& s = ctx.CnvsCourant;
    const Font before = s.font();
    const Brush brushBefore = s.brush();
    s.setBrush({clWhite, BrushStyle::Clear});
    const bool multiples = TestBit(canvas.lOptS3Dadd, kS3DaddCountF);
    for (int node = 0; node < nodes; ++node) {
        const int count = canvas.lVnod[static_cast<std::size_t>(node)];
        if (count <= 0)
            continue;
        Font font = before;
        font.bold = count == canvas.ma;
        font.colour =
            font.bold ? kCountMaxColour : (count > canvas.ma / 2.0 ? clBlack : kCountLowColour);
        s.setFont(font);
        const std::string text = multiples ? FormatFixed(canvas.ar1 > 0 ? count / canvas.ar1 : 0, 1)
                                           : std::to_string(count);
        const Point p = node == 0 ? Point{ctx.net.xc, ctx.net.yc}
                                  : DirToPixel(NodeDirection(node, canvas.lNbCr), ctx.net);
        s.textOut({p.x - s.textExtent(text).width / 2, p.y - ctx.scaled(6)}, text);
    }
    s.setFont(before);
    s.setBrush(brushBefore);
}

void RegisterCountingDisplay(CanvasPainters& painters)
{
    painters.display[kWPCounting] = [](CanvasModel& canvas, DrawContext& ctx) {
        DrawCounting(canvas, ctx);
    };
}

} // namespace ploq
