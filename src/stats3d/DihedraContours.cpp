#include "stats3d/DihedraContours.h"

#include "canvas/Plot.h"

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

std::string DihedraMinLabel(int mi)
{
    return "min = " + std::to_string(mi);
}

std::string DihedraMaxLabel(int ma)
{
    return "max = " + std::to_string(ma);
}

DihedraDensityMaker& RightDihedraDensity()
{
    static DihedraDensityMaker maker;
    return maker;
}

std::span<const InfoVal> KeptRecords(const CanvasModel& canvas)
{
    if (canvas.lVal.size() < 2 || canvas.lNT <= 0)
        return {};
    const std::size_t n = std::min(static_cast<std::size_t>(canvas.lNT), canvas.lVal.size() - 1);
    return std::span<const InfoVal>(canvas.lVal).subspan(1, n);
}

Density DihedraDensity(const CanvasModel& canvas, const Net& net)
{
    const DihedraDensityMaker& maker = RightDihedraDensity();
    if (!maker)
        return {};
    DirectionCount count = maker(KeptRecords(canvas), net);
    if (!count)
        return {};
    return [count = std::move(count), net](PlaneOffset offset) {
        return count(OffsetToDir(offset, net));
    };
}

void KeepDihedraContouring(CanvasModel& contours, const CanvasModel& dihedra,
                           const ParamContours& params)
{
    const std::span<const InfoVal> records = KeptRecords(dihedra);
    contours.lVal.assign(kValueSlots, InfoVal{});
    std::copy(records.begin(), records.end(), contours.lVal.begin() + 1);
    contours.lNT = static_cast<int>(records.size());
    contours.mi = dihedra.mi;
    contours.ma = dihedra.ma;
    contours.tContour = params;
    contours.i0 = 1;
}

void DrawDihedraContourCanvas(CanvasModel& canvas, const DrawContext& ctx)
{
    if (canvas.i0 <= 0)
        return;
    if (const Density density = DihedraDensity(canvas, ctx.net))
        DrawContours(ctx, canvas.tContour, density);
}

void RegisterDihedraContourDisplay(CanvasPainters& painters)
{
    painters.display[kWPDihedraContours] = [](CanvasModel& canvas, DrawContext& ctx) {
        DrawDihedraContourCanvas(canvas, ctx);
    };
}

} // namespace ploq
