#include "stats3d/DihedraContours.h"

#include "stats3d/Contours.h"

#include <algorithm>
#include <charconv>

namespace ploq {

namespace {

constexpr int kFewestCurves = 2;
constexpr int kCurvesBelowFewest = 6;
constexpr int kDihedraDefaultStep = 10; // degrees

} // namespace

int DihedraCurveCount(int typed)
{
    if (typed < kFewestCurves)
        return kCurvesBelowFewest;
    return std::min(typed, kMaxContourLevels);
}

void DihedraDefaultValues(ContourDialogState& state, int mi, int ma, int curves)
{
    state.filled = true;
    state.blackLine = false;
    state.pas = kDihedraDefaultStep;
    state.levelField = "1.0";
    const int n = ma - mi <= 1 ? 1 : DihedraCurveCount(curves);
    TContour tz{};
    for (int i = 0; i < n; ++i) {
        Contour& c = tz[static_cast<std::size_t>(i)];
        c.z = n == 1 ? mi + 0.5 : mi + 0.5 + i * (ma - mi - 1.0) / (n - 1);
        c.cz = state.greyScale ? LevelGrey(i, n) : state.tcoCont[static_cast<std::size_t>(i)];
    }
    state.levels.assign(tz, n);
}

std::optional<ParamContours> DihedraParamsOf(const ContourDialogState& state)
{
    if (state.levels.count() == 0)
        return std::nullopt;
    ParamContours p;
    p.rightDihedra = true;
    p.tz = state.levels.toTContour();
    p.nz = state.levels.count();
    p.filled = state.filled;
    p.blackLine = state.blackLine;
    p.bezier = state.bezierBox;
    p.modeC = kContourSegments;
    p.pas = state.pas;
    p.funif = 1;
    return CheckedContourParams(p);
}

std::optional<int> ReadCurveCount(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t last = text.find_last_not_of(" \t");
    const std::string_view kept = text.substr(first, last - first + 1);
    int value = 0;
    const auto [stop, error] = std::from_chars(kept.data(), kept.data() + kept.size(), value);
    if (error != std::errc() || stop != kept.data() + kept.size())
        return std::nullopt;
    return value;
}

} // namespace ploq
