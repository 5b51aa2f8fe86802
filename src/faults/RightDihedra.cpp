#include "faults/RightDihedra.h"

#include "model/UtilGlob.h"
#include "stats3d/Counting.h"
#include "stats3d/DihedraContours.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace ploq {

namespace {

constexpr double kHalfPi = std::numbers::pi / 2;
// Below this squared length a or b is no direction: the striae lies along the pole.
constexpr double kLeastSquaredLength = 1e-12;

Vec3 plus(const Vec3& u, const Vec3& v)
{
    return {u.x + v.x, u.y + v.y, u.z + v.z};
}
Vec3 minus(const Vec3& u, const Vec3& v)
{
    return {u.x - v.x, u.y - v.y, u.z - v.z};
}

bool known(Sense sense)
{
    return sense != Sense::Unknown;
}

Sense rowSense(std::string_view nature)
{
    return SenseOfNature(nature).value_or(Sense::Unknown);
}

// The sense the P side is chosen by, or unknown when the pair is skipped.
Sense senseFor(const FaultPair& pair, DihedraSense where)
{
    const Sense fault = rowSense(pair.plane->na);
    const Sense striae = rowSense(pair.striae->na);
    switch (where) {
    case DihedraSense::FaultRow: return fault;
    case DihedraSense::StriaeRow:
        if (!known(fault))
            return Sense::Unknown;
        return known(striae) ? striae : fault;
    case DihedraSense::EitherRow: return known(striae) ? striae : fault;
    }
    return Sense::Unknown;
}

Direction poleOf(const InfoVal& v)
{
    return {v.azi, v.pen};
}

// The lower-hemisphere direction of the axis of a P or T side.
Direction axisOf(const Vec3& h)
{
    return CosinesToDir(h);
}

} // namespace

std::optional<PTSides> PTSidesOf(const Vec3& n, const Vec3& s, Sense sense, double angleToStrike)
{
    const Vec3 a = plus(n, s);
    const Vec3 b = minus(n, s);
    if (Dot(a, a) < kLeastSquaredLength || Dot(b, b) < kLeastSquaredLength)
        return std::nullopt;
    switch (sense) {
    case Sense::Reverse: return PTSides{b, a};
    case Sense::Normal: return PTSides{a, b};
    case Sense::Dextral: return angleToStrike <= kHalfPi ? PTSides{b, a} : PTSides{a, b};
    case Sense::Sinistral: return angleToStrike < kHalfPi ? PTSides{a, b} : PTSides{b, a};
    case Sense::Unknown: break;
    }
    return std::nullopt;
}

DihedraFaults DihedraFaultsOf(std::span<const InfoVal> records, bool lowerHemisphere,
                              DihedraSense where)
{
    DihedraFaults out;
    out.faults.reserve(records.size() / 2);
    for (const FaultPair& pair : FaultPairs(records)) {
        const Sense sense = senseFor(pair, where);
        if (!known(sense)) {
            out.unknown.push_back(pair.first);
            continue;
        }
        const Direction pole = poleOf(*pair.plane);
        const Direction striae = poleOf(*pair.striae);
        const std::optional<PTSides> sides =
            PTSidesOf(DirCosines(pole, lowerHemisphere), DirCosines(striae, lowerHemisphere), sense,
                      AngleToStrike(striae, pole.trend));
        if (!sides) {
            out.degenerate.push_back(pair.first);
            continue;
        }
        out.faults.push_back({pair.first, sense, *sides});
    }
    return out;
}

int CountAt(std::span<const DihedraFault> faults, const Vec3& g)
{
    int count = 0;
    for (const DihedraFault& f : faults)
        count += InPDihedra(g, f.sides) ? 1 : 0;
    return count;
}

DihedraCounter::DihedraCounter(std::span<const InfoVal> records, bool lowerHemisphere)
    : faults_(DihedraFaultsOf(records, lowerHemisphere, DihedraSense::StriaeRow).faults)
{
}

int DihedraCounter::CountAt(const Direction& d) const
{
    return ploq::CountAt(faults_, DirCosines(d));
}

void FillRightDihedraDensity()
{
    RightDihedraDensity() = [](std::span<const InfoVal> records, const Net& net) -> DirectionCount {
        // The pairs are made into vectors once for the whole drawing.
        auto counter = std::make_shared<const DihedraCounter>(records, net.lowerHemisphere);
        return [counter](const Direction& d) { return counter->CountAt(d); };
    };
}

void FoldOuterCrown(std::vector<int>& counts, int crowns)
{
    const int half = 3 * crowns;
    const int first = FirstNodeOfCrown(crowns);
    if (static_cast<int>(counts.size()) < NodeCount(crowns))
        return;
    for (int i = first; i < first + half; ++i) {
        int& a = counts[static_cast<std::size_t>(i)];
        int& b = counts[static_cast<std::size_t>(i + half)];
        a = b = std::max(a, b);
    }
}

namespace {

void setExtremes(const std::vector<int>& counts, int& ma, int& mi)
{
    if (counts.empty()) {
        ma = mi = 0;
        return;
    }
    const auto [lo, hi] = std::minmax_element(counts.begin(), counts.end());
    ma = *hi;
    mi = *lo;
}

} // namespace

DihedraResult CalculateDihedra(std::span<const InfoVal> records, int crowns,
                               bool lowerHemisphere)
{
    DihedraResult r;
    r.crowns = crowns;
    const CountingGrid grid = CountingGridNodes(crowns);
    r.pairs = DihedraFaultsOf(records, lowerHemisphere, DihedraSense::FaultRow);
    r.counts.assign(grid.nodes.size(), 0);
    // Fault by fault over the nodes: the sides stay in registers for the whole grid.
    for (const DihedraFault& f : r.pairs.faults)
        for (std::size_t node = 0; node < grid.nodes.size(); ++node)
            r.counts[node] += InPDihedra(grid.nodes[node], f.sides) ? 1 : 0;
    FoldOuterCrown(r.counts, crowns);
    setExtremes(r.counts, r.ma, r.mi);
    return r;
}

std::string DerelictedLine(const InfoVal& plane, const Notation& notation)
{
    const char letter = plane.na.size() >= 2 ? plane.na[1] : '.';
    const std::optional<Sense> sense = SenseOfLetter(letter);
    const bool strikeSlip = sense == Sense::Dextral || sense == Sense::Sinistral;
    const std::string kind = std::string(1, strikeSlip ? 'D' : 'F') + letter;
    return plane.nu.str() + " " + kind + "  ("
           + DirToText(false, false, plane.pen, plane.azi, notation) + ")";
}

NodeRemoval RemoveNode(std::span<const InfoVal> records, std::span<const int> counts, int crowns,
                       int node, bool lowerHemisphere, const Notation& notation)
{
    NodeRemoval r;
    r.counts.assign(counts.begin(), counts.end());
    const CountingGrid grid = CountingGridNodes(crowns);
    if (node < 0 || node >= static_cast<int>(grid.nodes.size()))
        return r;
    const Vec3& chosen = grid.nodes[static_cast<std::size_t>(node)];
    const std::size_t nodes = std::min(grid.nodes.size(), r.counts.size());
    const DihedraFaults pairs = DihedraFaultsOf(records, lowerHemisphere, DihedraSense::FaultRow);
    for (const DihedraFault& f : pairs.faults) {
        if (!InPDihedra(chosen, f.sides)) {
            r.kept.push_back(f.first);
            continue;
        }
        r.removed.push_back(f.first);
        for (std::size_t j = 0; j < nodes; ++j)
            r.counts[j] -= InPDihedra(grid.nodes[j], f.sides) ? 1 : 0;
        r.lines.push_back(
            DerelictedLine(records[static_cast<std::size_t>(f.first - 1)], notation));
    }
    r.ma = r.counts.empty() ? 0 : *std::max_element(r.counts.begin(), r.counts.end());
    return r;
}

PTAxes ComputePTAxes(std::span<const InfoVal> records, bool lowerHemisphere)
{
    const DihedraFaults pairs = DihedraFaultsOf(records, lowerHemisphere, DihedraSense::EitherRow);
    PTAxes out;
    out.unknown = pairs.unknown;
    out.degenerate = pairs.degenerate;
    out.axes.reserve(pairs.faults.size());
    for (const DihedraFault& f : pairs.faults)
        out.axes.push_back({f.first, axisOf(f.sides.p), axisOf(f.sides.t)});
    return out;
}

std::vector<InfoVal> PTRecords(std::span<const InfoVal> records, const PTAxes& axes,
                               std::int32_t stylePlot)
{
    std::int32_t inf = stylePlot;
    SetBit(inf, kInfPresent, true);
    SetBit(inf, kInfPlane, false);
    std::vector<InfoVal> out;
    out.reserve(2 * axes.axes.size());
    for (const PTAxis& axis : axes.axes) {
        const InfoVal& fault = records[static_cast<std::size_t>(axis.first - 1)];
        for (const bool p : {true, false}) {
            InfoVal v = fault;
            const Direction& d = p ? axis.p : axis.t;
            v.azi = d.trend;
            v.pen = d.plunge;
            v.inf = inf;
            v.na = p ? "lP" : "lT";
            v.nco = p ? kPColour : kTColour;
            v.aux = 0;
            out.push_back(v);
        }
    }
    return out;
}

std::vector<InfoLine> PTReport(const PTAxes& axes, DayCount now)
{
    return {{shortTime(now) + " - " + "Axis P and T", true},
            {sformat("%d P and T axis(s)", static_cast<int>(axes.axes.size()))}};
}

std::vector<std::string> DegenerateLines(std::span<const InfoVal> records,
                                         std::span<const int> degenerate)
{
    std::vector<std::string> lines;
    for (const int first : degenerate)
        lines.push_back("fault " + records[static_cast<std::size_t>(first - 1)].nu.str()
                        + " skipped: its striae lies along its pole");
    return lines;
}

std::string FaultCountLabel(int faults)
{
    return std::to_string(faults) + " f";
}

int NextFaultStep(int step, bool clickModeRunning)
{
    if (clickModeRunning)
        step = -1;
    ++step;
    return step == 4 ? 1 : step;
}

const char* FaultStepCaption(int step)
{
    switch (step) {
    case 1: return "aux S";
    case 2: return "clean";
    default: return "faults";
    }
}

} // namespace ploq
