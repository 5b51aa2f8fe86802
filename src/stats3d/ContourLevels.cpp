#include "stats3d/ContourLevels.h"

#include "canvas/Plot.h"
#include "model/Trigo.h"
#include "model/TypesGlob.h"
#include "model/UtilGlob.h"
#include "stats3d/Contours.h"
#include "stats3d/Stats3D.h"
#include "transform/UseSymb.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ploq {

namespace {

constexpr double kOpeningLevel = 1.5;
constexpr double kOpeningGrey = 15; // percent
constexpr int kDefaultStep = 6;     // degrees
constexpr double kDefaultCone = 20; // degrees
constexpr int kLowestTypedStep = 5;
constexpr int kHighestTypedStep = 30;

// A number as a person types it: blanks round it, a sign, digits with one "." or ","; nothing
// else, so that "2x" or "1.2.3" is refused rather than read in part.
std::optional<double> readNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t last = text.find_last_not_of(" \t");
    std::string kept(text.substr(first, last - first + 1));
    if (kept.front() == '+')
        kept.erase(0, 1);
    std::replace(kept.begin(), kept.end(), ',', '.');
    const bool plain = !kept.empty() && std::all_of(kept.begin(), kept.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == '-';
    });
    if (!plain)
        return std::nullopt;
    double value = 0;
    const char* end = kept.data() + kept.size();
    const auto [stop, error] = std::from_chars(kept.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

double PercentOfGrey(TColor colour)
{
    return (24000.0 - 100.0 * blueOf(colour)) / 240.0;
}

TColor LevelGrey(int index, int levels)
{
    return GreyOfPercent((index + 1) * 80.0 / std::max(1, levels));
}

LevelEdit ContourLevelList::add(double z, TColor colour, int* inserted)
{
    if (count() >= kMaxContourLevels)
        return LevelEdit::Full;
    if (sameAs(z, -1) >= 0)
        return LevelEdit::Duplicate;
    const auto at = std::upper_bound(levels_.begin(), levels_.end(), z,
                                     [](double v, const Contour& c) { return v < c.z; });
    const auto placed = levels_.insert(at, Contour{z, colour});
    if (inserted)
        *inserted = static_cast<int>(placed - levels_.begin());
    return LevelEdit::Done;
}

LevelEdit ContourLevelList::remove(int index)
{
    if (index < 0 || index >= count())
        return LevelEdit::NoSelection;
    levels_.erase(levels_.begin() + index);
    return LevelEdit::Done;
}

LevelEdit ContourLevelList::modify(int index, double z, TColor colour, int* moved)
{
    if (index < 0 || index >= count())
        return LevelEdit::NoSelection;
    if (sameAs(z, index) >= 0)
        return LevelEdit::Duplicate;
    levels_[static_cast<std::size_t>(index)] = {z, colour};
    sort();
    if (moved)
        *moved = static_cast<int>(
            std::find_if(levels_.begin(), levels_.end(), [z](const Contour& c) { return c.z == z; })
            - levels_.begin());
    return LevelEdit::Done;
}

void ContourLevelList::assign(const TContour& tz, int nz)
{
    levels_.clear();
    for (int j = 0; j < std::min(nz, kMaxContourLevels); ++j)
        if (tz[static_cast<std::size_t>(j)].z > 0)
            levels_.push_back(tz[static_cast<std::size_t>(j)]);
    sort();
}

TContour ContourLevelList::toTContour() const
{
    TContour tz{};
    std::copy(levels_.begin(), levels_.end(), tz.begin());
    return tz;
}

void ContourLevelList::recolourGrey()
{
    for (int i = 0; i < count(); ++i)
        levels_[static_cast<std::size_t>(i)].cz = LevelGrey(i, count());
}

void ContourLevelList::recolourStandard(const ContourColours& tcoCont)
{
    for (std::size_t i = 0; i < levels_.size(); ++i)
        levels_[i].cz = tcoCont[i];
}

void ContourLevelList::storeColours(ContourColours& tcoCont) const
{
    for (std::size_t i = 0; i < levels_.size(); ++i)
        tcoCont[i] = levels_[i].cz;
}

int ContourLevelList::sameAs(double z, int except) const
{
    const std::string shown = FormatFixed(z, 1);
    for (int i = 0; i < count(); ++i)
        if (i != except && FormatFixed(at(i).z, 1) == shown)
            return i;
    return -1;
}

void ContourLevelList::sort()
{
    // Stable: a level keeps its colour, and equal ranks keep their order.
    std::stable_sort(levels_.begin(), levels_.end(),
                     [](const Contour& a, const Contour& b) { return a.z < b.z; });
}

std::string LevelListText(double z)
{
    return sformat("%5s", FormatFixed(z, 1).c_str());
}

std::string LevelFieldText(double z)
{
    std::string text = FormatFixed(z, 1);
    if (text.size() > 1 && text[0] == '0' && text[1] == '.')
        text.erase(0, 1);
    return text;
}

TColor ContourDialogState::currentColour() const
{
    return greyScale ? GreyOfPercent(greyPercent) : colour;
}

ContourDialogState OpeningState(std::int32_t styleCont, const ContourColours& tcoCont)
{
    ContourDialogState s;
    s.filled = TestBit(styleCont, kStyleContFilled);
    s.blackLine = TestBit(styleCont, kStyleContBlack);
    s.greyScale = TestBit(styleCont, kStyleContGrey);
    s.uniformity = TestBit(styleCont, kStyleContUniformity);
    s.collapsed = TestBit(styleCont, kStyleContCollapsed);
    s.drawing = TestBit(styleCont, kStyleContBezier)     ? ContourDrawingChoice::BezierCurves
                : TestBit(styleCont, kStyleContPolygons) ? ContourDrawingChoice::Polygons
                                                         : ContourDrawingChoice::Segments;
    s.pas = std::max(kMinContourStep, (styleCont >> 16) & 0xFF);
    s.cone = kDefaultCone;
    s.tcoCont = tcoCont;
    s.colour = tcoCont[0];
    s.levels.add(kOpeningLevel, s.greyScale ? GreyOfPercent(kOpeningGrey) : tcoCont[0]);
    return s;
}

std::int32_t StyleContOf(const ContourDialogState& s, std::int32_t previous)
{
    std::int32_t word = previous & ~(0x7F | (0xFF << 16));
    SetBit(word, kStyleContFilled, s.filled);
    SetBit(word, kStyleContBlack, s.blackLine);
    SetBit(word, kStyleContGrey, s.greyScale);
    SetBit(word, kStyleContUniformity, s.uniformity);
    SetBit(word, kStyleContCollapsed, s.collapsed);
    SetBit(word, kStyleContPolygons, s.drawing == ContourDrawingChoice::Polygons);
    SetBit(word, kStyleContBezier, s.drawing == ContourDrawingChoice::BezierCurves);
    return word | (std::clamp(s.pas, 0, 0xFF) << 16);
}

std::int16_t ModeCOf(const ContourDialogState& s)
{
    if (s.drawing == ContourDrawingChoice::BezierCurves && s.filled)
        return kContourPolylines;
    return static_cast<std::int16_t>(s.drawing);
}

void Recount(ContourDialogState& s, std::span<const Direction> set, const Net& net)
{
    s.n = static_cast<int>(set.size());
    s.max = set.empty() ? 0 : GridMaximum(set, s.pas, s.cone, net);
    // Each of n axes spread evenly falls in an axial cone of half-aperture c about a node with
    // the chance of the two caps, 2 (2 pi (1 - cos c)) / (4 pi): U = (1 - cos c) n.
    s.U = (1 - std::cos(s.cone * kDegToRad)) * s.n;
    if (s.max == 0 || s.n == 0) {
        s.U = 1;
        s.uniformity = false;
    }
}

void DefaultParameters(ContourDialogState& s, std::span<const Direction> set, const Net& net)
{
    s.pas = kDefaultStep;
    s.cone = kDefaultCone;
    Recount(s, set, net);
    DefaultLevels(s);
}

void DefaultLevels(ContourDialogState& s)
{
    ParamContours p;
    DoublingLevels(p, s.max, s.U, !s.uniformity, s.tcoCont, s.greyScale);
    s.levels.assign(p.tz, p.nz);
    s.levelField = "1.0";
}

void SetGreyScale(ContourDialogState& s, bool grey)
{
    s.greyScale = grey;
    if (grey)
        s.levels.recolourGrey();
    else
        s.levels.recolourStandard(s.tcoCont);
}

std::string UnitLabel(const ContourDialogState& s)
{
    if (s.uniformity)
        return " uniformity multiples (1*u = " + FormatFixed(s.U, 1) + ") ";
    return sformat(" raw values (max = %d values)", s.max);
}

std::string MaxLabel(const ContourDialogState& s)
{
    if (!s.uniformity)
        return {};
    return sformat(" max = %d (uniformity * ", s.max) + FormatFixed(s.max / s.U, 1) + ")";
}

std::string DrawingNote(const ContourDialogState& s)
{
    switch (s.drawing) {
    case ContourDrawingChoice::Segments: return "(segments) ";
    case ContourDrawingChoice::Polygons: return "(polygones) ";
    case ContourDrawingChoice::BezierCurves: break;
    }
    return s.filled ? "(no smoothing when filled !) " : "(Bezier smoothing) ";
}

std::string BezierNote(bool smoothing)
{
    return smoothing ? "(Bezier smoothing) " : "(no smoothing) ";
}

ParamContours ParamsOf(const ContourDialogState& s)
{
    ParamContours p;
    p.tz = s.levels.toTContour();
    p.nz = s.levels.count();
    p.cone = s.cone;
    p.funif = s.funif();
    p.max = s.max;
    p.pas = s.pas;
    p.filled = s.filled;
    p.blackLine = s.blackLine;
    p.bezier = s.bezierBox;
    p.modeC = ModeCOf(s);
    return p;
}

std::optional<ParamContours> ContourParamsFor(ContourDialogState& s, std::span<const Direction> set,
                                              const Net& net)
{
    if (s.levels.count() == 0)
        return std::nullopt;
    s.pas = std::max(s.pas, kMinContourStep);
    s.cone = std::max(s.cone, 2.0 * s.pas);
    Recount(s, set, net);
    return CheckedContourParams(ParamsOf(s));
}

std::vector<Direction> ContourSet(CanvasModel& canvas, const SymbolSelection& tsy)
{
    if (canvas.natWP == kWPContouring)
        return ContouredDirections(canvas);
    std::vector<Direction> set;
    if (canvas.natWP != kWPOrdinary && canvas.natWP != kWPRotated)
        return set;
    const WorkingSet chosen = MakeWorkingSet(CanvasRecords(canvas), tsy);
    set.reserve(chosen.u.size());
    for (const Vec3& u : chosen.u)
        set.push_back(VecToDir(u));
    return set;
}

std::optional<int> ReadGridStep(std::string_view text, int fromPreferences)
{
    const std::optional<double> v = readNumber(text);
    if (!v || *v != std::floor(*v))
        return std::nullopt;
    const bool typed = *v >= kLowestTypedStep && *v <= kHighestTypedStep;
    const bool kept = *v == fromPreferences && fromPreferences >= kMinContourStep
                      && fromPreferences < kLowestTypedStep;
    if (!typed && !kept)
        return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<double> ReadCone(std::string_view text)
{
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        return kDefaultCone;
    const std::optional<double> v = readNumber(text);
    if (!v || *v <= 0 || *v >= 90)
        return std::nullopt;
    return v;
}

std::optional<double> ReadLevel(std::string_view text)
{
    const std::optional<double> v = readNumber(text);
    if (!v || *v <= 0)
        return std::nullopt;
    return v;
}

std::optional<double> ReadGreyPercent(std::string_view text)
{
    const std::optional<double> v = readNumber(text);
    if (!v || *v < 0 || *v > 100)
        return std::nullopt;
    return v;
}

} // namespace ploq
