#include "faults/FaultDisplays.h"

#include "app/VarGlob.h"
#include "model/Trigo.h"
#include "model/UtilGlob.h"
#include "stats2d/Stats2D.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = kPi / 2;
constexpr double kRightAngle = kHalfPi;
// Angles computed from decoded texts carry rounding noise: a bound typed as 20° must keep a
// pitch that comes out as 20.000000000001°.
constexpr double kBoundSlackDeg = 1e-6;

double degrees(double radians)
{
    return radians / kDegToRad;
}

// Within the range, bounds included.
bool within(double valueDeg, const AngleRange& range)
{
    return valueDeg >= range.from - kBoundSlackDeg && valueDeg <= range.to + kBoundSlackDeg;
}

// The pair of a record span that starts at `first` (1-based).
FaultPair pairAt(std::span<const InfoVal> records, int first)
{
    const auto i = static_cast<std::size_t>(first - 1);
    return {first, &records[i], &records[i + 1]};
}

std::string rangeText(const AngleRange& r)
{
    return FormatFixed(r.from, 1) + " - " + FormatFixed(r.to, 1);
}

} // namespace

// --- Angles of a pair ---------------------------------------------------------------------

double FaultStrike(const InfoVal& plane)
{
    return NormalizeTrend(plane.azi + kHalfPi);
}

double FaultDip(const InfoVal& plane)
{
    return kHalfPi - plane.pen;
}

double StriaeToStrike(const FaultPair& pair)
{
    return AngleToStrike({pair.striae->azi, pair.striae->pen}, pair.plane->azi);
}

double StriaePitch(const FaultPair& pair)
{
    const double a = StriaeToStrike(pair);
    return a <= kRightAngle ? a : kPi - a;
}

std::optional<double> Rake(Sense sense, double a)
{
    const bool along = a < kRightAngle; // the striae trends within 90° of the strike
    double rake = 0;
    switch (sense) {
    case Sense::Reverse: rake = kPi - a; break;
    case Sense::Normal: rake = -a; break;
    case Sense::Dextral: rake = along ? kPi - a : -a; break;
    case Sense::Sinistral: rake = along ? -a : kPi - a; break;
    case Sense::Unknown: return std::nullopt;
    }
    // -180° is the same rake as 180°, the one the range keeps.
    return rake <= -kPi ? rake + 2 * kPi : rake;
}

int MovementSymbol(Sense sense, double a)
{
    const bool along = a < kRightAngle;
    switch (sense) {
    case Sense::Normal: return 301;
    case Sense::Reverse: return 302;
    case Sense::Dextral: return along ? 304 : 303;
    case Sense::Sinistral: return along ? 305 : 306;
    case Sense::Unknown: return 0;
    }
    return 0;
}

int MovementArrow(Sense sense, double a)
{
    const bool along = a < kRightAngle;
    switch (sense) {
    case Sense::Normal: return 1;
    case Sense::Reverse: return 0;
    case Sense::Dextral: return along ? 1 : 0;
    case Sense::Sinistral: return along ? 0 : 1;
    case Sense::Unknown: return kNoArrow;
    }
    return kNoArrow;
}

// --- Striae rakes and hanging-wall movement -----------------------------------------------

std::vector<PairMovement> PairMovements(std::span<const InfoVal> records)
{
    std::vector<PairMovement> movements;
    for (const FaultPair& pair : FaultPairs(records)) {
        PairMovement m;
        m.first = pair.first;
        m.sense = pair.sense(SenseRow::Plane);
        m.a = StriaeToStrike(pair);
        m.symbol = MovementSymbol(m.sense, m.a);
        m.arrow = MovementArrow(m.sense, m.a);
        movements.push_back(m);
    }
    return movements;
}

void MarkStriaeRakes(std::span<InfoVal> records)
{
    for (const PairMovement& m : PairMovements(records)) {
        if (m.sense == Sense::Unknown)
            continue;
        InfoVal& plane = records[static_cast<std::size_t>(m.first - 1)];
        InfoVal& striae = records[static_cast<std::size_t>(m.first)];
        plane.sy = m.symbol;
        striae.sy = m.symbol;
        striae.nco = kStriaeRakeColour;
    }
}

void MarkHangingWall(std::span<InfoVal> records)
{
    for (const PairMovement& m : PairMovements(records)) {
        InfoVal& striae = records[static_cast<std::size_t>(m.first)];
        striae.sy = kHangingWallSymbol;
        striae.aux = m.arrow;
    }
}

std::string StriaeRakesTitle(int sourceNumber)
{
    return "Cnvs " + std::to_string(sourceNumber) + "- Rake";
}

std::string HangingWallTitle(int sourceNumber)
{
    return "Cnvs " + std::to_string(sourceNumber) + "- hanging wall mvt";
}

std::string FaultViewLabel(int displayed)
{
    return sformat("%d F", displayed / 2);
}

std::vector<std::string> MovementLines(std::span<const InfoVal> records,
                                       std::span<const PairMovement> movements)
{
    std::vector<std::string> lines;
    for (const PairMovement& m : movements) {
        const InfoVal& plane = records[static_cast<std::size_t>(m.first - 1)];
        const std::optional<double> rake = Rake(m.sense, m.a);
        lines.push_back(
            sformat("%s %c  a = %s  rake = %s  symbol %d  arrow %d", plane.nu.str().c_str(),
                    SenseLetter(m.sense), FormatFixed(degrees(m.a), 1).c_str(),
                    rake ? FormatFixed(degrees(*rake), 1).c_str() : "-", m.symbol, m.arrow));
    }
    return lines;
}

// --- Histograms -----------------------------------------------------------------------------

std::optional<FaultHistogramShape> FaultHistogramOf(int type)
{
    switch (type) {
    case kDiagramFaultStrikes: return FaultHistogramShape{type, 10, 36, "Faults strikes"};
    case kDiagramFaultDips: return FaultHistogramShape{type, 5, 18, "Faults dips"};
    case kDiagramFaultRakes: return FaultHistogramShape{type, 10, 36, "Faults rakes"};
    default: return std::nullopt;
    }
}

int FaultClassEntry(double degreesFromStart, int width, int classes)
{
    const int entry = static_cast<int>(std::floor(degreesFromStart / width)) + 1;
    return std::clamp(entry, 1, classes);
}

FaultHistogram ComputeFaultHistogram(int type, std::span<const InfoVal> records, int colour,
                                     std::int32_t style, DayCount now)
{
    FaultHistogram h;
    h.shape = FaultHistogramOf(type).value_or(
        FaultHistogramShape{kDiagramFaultStrikes, 10, 36, "Faults strikes"});
    for (const FaultPair& pair : FaultPairs(records)) {
        switch (h.shape.type) {
        case kDiagramFaultStrikes: h.values.push_back(degrees(FaultStrike(*pair.plane))); break;
        case kDiagramFaultDips: h.values.push_back(degrees(FaultDip(*pair.plane))); break;
        default:
            if (const std::optional<double> rake =
                    Rake(pair.sense(FaultTool::RakeHistogram), StriaeToStrike(pair)))
                h.values.push_back(degrees(*rake));
            else
                ++h.unknownSenses;
        }
    }
    InfoStats2D& info = h.info;
    info.natM = kVectors360;
    info.wCl = h.shape.width;
    info.nCl = h.shape.classes;
    info.oCl = 0;
    info.colh = colour;
    // The classes are drawn as plain bars whatever the dialog of the diagrams last chose.
    SetBit(style, kStats2DSmoothed, false);
    info.style = style;
    info.ntV = static_cast<std::int32_t>(h.values.size());
    // Rakes run from -180°: their classes start there.
    const double start = h.shape.type == kDiagramFaultRakes ? -180 : 0;
    for (const double v : h.values)
        ++info.vCl[static_cast<std::size_t>(FaultClassEntry(v - start, info.wCl, info.nCl))];
    int fullest = 1;
    for (int j = 2; j <= info.nCl; ++j)
        if (info.vCl[static_cast<std::size_t>(j)] > info.vCl[static_cast<std::size_t>(fullest)])
            fullest = j;
    info.nCM = info.vCl[static_cast<std::size_t>(fullest)];
    info.pCM = (fullest - 1) * info.wCl;
    h.lines.push_back(ListingTitle(h.shape.type, std::string(h.shape.title)));
    const std::vector<std::string> listing = ClassListing(h.shape.type, std::span(&info, 1), now);
    h.lines.insert(h.lines.end(), listing.begin(), listing.end());
    return h;
}

// --- Selection on dip and pitch -----------------------------------------------------------

AngleRange Ordered(AngleRange range)
{
    if (range.from > range.to)
        std::swap(range.from, range.to);
    return range;
}

AngleRange RangeOfFields(std::optional<int> from, std::optional<int> to)
{
    return {from ? double(*from) : 0.0, to ? double(*to) : 90.0};
}

FaultRanges UsualRanges(UsualFault kind)
{
    switch (kind) {
    case UsualFault::StrikeSlip: return {{0, 20}, {50, 90}};
    case UsualFault::Reverse: return {{50, 90}, {0, 40}};
    case UsualFault::Normal: break;
    }
    return {{70, 90}, {50, 90}};
}

FaultSelection SelectFaults(std::span<const InfoVal> rows, const FaultRanges& ranges)
{
    const AngleRange pitch = Ordered(ranges.pitch);
    const AngleRange dip = Ordered(ranges.dip);
    FaultSelection s;
    for (const FaultPair& pair : FaultPairs(rows)) {
        ++s.pairs;
        if (within(degrees(StriaePitch(pair)), pitch)
            && within(degrees(FaultDip(*pair.plane)), dip))
            s.firstRows.push_back(pair.first);
    }
    s.lines.push_back("Striae pitch : " + rangeText(pitch) + ", fault dip : " + rangeText(dip));
    s.lines.push_back(
        sformat("%d of %d faults selected", static_cast<int>(s.firstRows.size()), s.pairs));
    for (const int first : s.firstRows) {
        const FaultPair pair = pairAt(rows, first);
        s.lines.push_back(sformat("%s  dip %s  pitch %s", pair.plane->nu.str().c_str(),
                                  FormatFixed(degrees(FaultDip(*pair.plane)), 1).c_str(),
                                  FormatFixed(degrees(StriaePitch(pair)), 1).c_str()));
    }
    return s;
}

DataSheet SelectedFaultsSheet(const DataSheet& source, std::span<const int> firstRows)
{
    DataSheet sheet = source;
    sheet.lNomF.clear();
    sheet.lTitle.clear();
    sheet.lUndoWF = {};
    sheet.setRowCount(1);
    sheet.restoreRow(1, SavedRow{});
    int row = 0;
    const auto copy = [&](int from) {
        if (row > 0 && !sheet.appendRow())
            return;
        ++row;
        sheet.restoreRow(row, source.savedRow(from));
        sheet.markChanged(row);
    };
    for (const int first : firstRows) {
        copy(first);
        copy(first + 1);
    }
    sheet.Numeroter();
    sheet.lDirty = true;
    return sheet;
}

std::string SelectionCaption(const std::string& sheetTitle, int pairs)
{
    return sformat("%s (%d faults)", sheetTitle.c_str(), pairs);
}

} // namespace ploq
