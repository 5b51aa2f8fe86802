#include "stats3d/Contours.h"

#include "canvas/Dessin.h"
#include "canvas/Plot.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = kPi / 2;
constexpr int kMaxContourDirections = 5000;
// An edge across the primitive circle is walked in this many steps at most.
constexpr int kRimSteps = 25;
// The square root of 2 the equal-area nets project with, so that a node inverts to the
// direction that projects back onto it.
constexpr double kNetSqrt2 = 1.41421;

Point pixel(PointF p)
{
    return {RoundHalfEven(p.x), RoundHalfEven(p.y)};
}

Point tenths(PointF p)
{
    return {RoundHalfEven(p.x * 10), RoundHalfEven(p.y * 10)};
}

PointF lerp(PointF a, PointF b, double t)
{
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

PlaneOffset offsetOf(PointF p, const Net& net)
{
    return {p.x - net.xc, net.yc - p.y};
}

bool inDisk(PointF p, const Net& net)
{
    const double dx = p.x - net.xc;
    const double dy = p.y - net.yc;
    return dx * dx + dy * dy <= static_cast<double>(net.radius) * net.radius;
}

// A cell across the primitive circle, clipped to the disk once per drawing: its inside
// corners and, on each edge from an inside to an outside corner, the first point inside met
// walking from the outside corner, with the density there. The side between two such points
// is a chord.
struct ClippedCell {
    int row = 0;
    int column = 0;
    std::vector<CellVertex> vertices;
};

std::array<PointF, 4> cellCorners(const ContourGrid& g, int row, int column)
{
    return {g.node(row, column), g.node(row, column + 1), g.node(row + 1, column + 1),
            g.node(row + 1, column)};
}

std::array<int, 4> cornerNodes(const ContourGrid& g, int row, int column)
{
    return {g.index(row, column), g.index(row, column + 1), g.index(row + 1, column + 1),
            g.index(row + 1, column)};
}

PointF rimPoint(PointF outside, PointF inside, const Net& net)
{
    for (int k = 1; k < kRimSteps; ++k) {
        const PointF p = lerp(outside, inside, static_cast<double>(k) / kRimSteps);
        if (inDisk(p, net))
            return p;
    }
    return inside;
}

ClippedCell clipCell(const ContourGrid& g, int row, int column, const Net& net,
                     const Density& density)
{
    ClippedCell cell{row, column, {}};
    const std::array<PointF, 4> p = cellCorners(g, row, column);
    const std::array<int, 4> node = cornerNodes(g, row, column);
    const auto inside = [&](int i) {
        return g.flag[static_cast<std::size_t>(node[static_cast<std::size_t>(i)])] == kNodeInside;
    };
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        const auto ui = static_cast<std::size_t>(i);
        const auto uj = static_cast<std::size_t>(j);
        if (inside(i))
            cell.vertices.push_back(
                {p[ui], static_cast<double>(g.value[static_cast<std::size_t>(node[ui])])});
        if (inside(i) != inside(j)) {
            const PointF at = inside(i) ? rimPoint(p[uj], p[ui], net) : rimPoint(p[ui], p[uj], net);
            cell.vertices.push_back({at, static_cast<double>(density(offsetOf(at, net)))});
        }
    }
    return cell;
}

std::vector<ClippedCell> clippedCells(const ContourGrid& g, const Net& net, const Density& density)
{
    std::vector<ClippedCell> cells;
    for (int row = 0; row + 1 < g.side; ++row)
        for (int column = 0; column + 1 < g.side; ++column) {
            const int sum = g.cellSum(row, column);
            if (sum >= 5 && sum <= 7)
                cells.push_back(clipCell(g, row, column, net, density));
        }
    return cells;
}

void drawChains(Surface& s, std::span<const Segment10> buffer, const ParamContours& params,
                TColor colour, LevelDrawn& drawn)
{
    s.setPen({colour, 1});
    for (const Chain& chain : ChainSegments(buffer)) {
        const std::vector<Point> points =
            chain.closed ? ClosedChainPoints(chain.points) : OpenChainPoints(chain.points);
        const bool curves =
            chain.closed ? params.modeC != kContourPolylines : params.modeC == kContourBezier;
        if (curves)
            s.polyBezier(points);
        else
            s.polyline(points);
        ++(chain.closed ? drawn.closedChains : drawn.openChains);
    }
}

} // namespace

Direction OffsetToDir(PlaneOffset offset, const Net& net)
{
    const double trend = PlaneToDir(offset.north, offset.east, net).trend;
    const double rho = net.radius > 0 ? std::hypot(offset.east, offset.north) / net.radius : 0.0;
    // Beyond the rim the equal-area radius runs out at sqrt 2: the opposite of the vertical.
    const double plunge = net.equalAngle
                              ? kHalfPi - 2 * std::atan(rho)
                              : kHalfPi - 2 * std::asin(std::min(1.0, rho * kNetSqrt2 / 2));
    if (plunge < 0)
        return {NormalizeTrend(trend + kPi), -plunge};
    return {trend, plunge};
}

ConeCount::ConeCount(std::span<const Direction> directions, double coneDegrees, const Net& net)
    : cosCone_(std::cos(coneDegrees * kDegToRad)), net_(net)
{
    x_.reserve(directions.size());
    y_.reserve(directions.size());
    z_.reserve(directions.size());
    for (const Direction& d : directions) {
        const Vec3 v = DirToVec(d);
        x_.push_back(v.x);
        y_.push_back(v.y);
        z_.push_back(v.z);
    }
}

int ConeCount::at(const Direction& d) const
{
    const Vec3 u = DirToVec(d);
    const double* x = x_.data();
    const double* y = y_.data();
    const double* z = z_.data();
    const std::size_t n = x_.size();
    int count = 0;
    for (std::size_t i = 0; i < n; ++i)
        count += std::fabs(u.x * x[i] + u.y * y[i] + u.z * z[i]) >= cosCone_;
    return count;
}

int ConeCount::operator()(PlaneOffset offset) const
{
    return at(OffsetToDir(offset, net_));
}

int ContourGridSide(int stepDegrees)
{
    return 180 / std::max(1, stepDegrees) + 3;
}

int ContourGrid::cellSum(int row, int column) const
{
    int sum = 0;
    for (const int node : {index(row, column), index(row, column + 1), index(row + 1, column + 1),
                           index(row + 1, column)})
        sum += flag[static_cast<std::size_t>(node)];
    return sum;
}

ContourGrid BuildContourGrid(const Net& net, int stepDegrees, const Density& density)
{
    ContourGrid g;
    g.side = ContourGridSide(stepDegrees);
    const int m = g.side;
    const double r = net.radius;
    g.step = 2 * r / (m - 2);
    g.origin = {net.xc - r - g.step / 2, net.yc - r - g.step / 2};
    const auto count = static_cast<std::size_t>(m) * static_cast<std::size_t>(m);
    g.flag.assign(count, kNodeOutside);
    g.value.assign(count, 0);
    for (int row = 0; row < m; ++row)
        for (int column = 0; column < m; ++column) {
            const PointF p = g.node(row, column);
            // One step nearer the centre on both axes.
            const PointF nearer{p.x + (column < m / 2 ? g.step : -g.step),
                                p.y + (row < m / 2 ? g.step : -g.step)};
            const auto i = static_cast<std::size_t>(g.index(row, column));
            g.flag[i] = inDisk(p, net)        ? kNodeInside
                        : inDisk(nearer, net) ? kNodeNearRim
                                              : kNodeOutside;
            if (density && g.flag[i] != kNodeOutside)
                g.value[i] = density(offsetOf(p, net));
        }
    return g;
}

int GridMaximum(std::span<const Direction> directions, int stepDegrees, double coneDegrees,
                const Net& net)
{
    const ConeCount count(directions, coneDegrees, net);
    const ContourGrid g =
        BuildContourGrid(net, stepDegrees, [&count](PlaneOffset o) { return count(o); });
    return *std::max_element(g.value.begin(), g.value.end());
}

double LevelCount(double z, const ParamContours& params)
{
    double level = params.rightDihedra ? z : z * params.funif;
    const double whole = std::round(level);
    if (std::fabs(level - whole) <= 0.01)
        level = whole + 0.01;
    return level;
}

int SaddleCase(double k0, double k1, double level, double w)
{
    if (level < k0 && level < w)
        return 11;
    if (level < k1 && level < w)
        return 12;
    if (level < k0 && level > w)
        return 13;
    return 14;
}

LevelTracer::LevelTracer(Surface& surface, double level, TColor colour, bool filled,
                         std::vector<Segment10>* buffer)
    : surface_(surface), level_(level), colour_(colour), lineColour_(colour), filled_(filled),
      buffer_(buffer)
{
    drawn_.level = level;
}

PointF LevelTracer::crossing(const CellVertex& a, const CellVertex& b) const
{
    // One end is at or above the level and the other below: never 0 / 0.
    return lerp(a.at, b.at, (level_ - a.value) / (b.value - a.value));
}

void LevelTracer::segment(PointF from, PointF to)
{
    ++drawn_.segments;
    if (buffer_) {
        buffer_->push_back({tenths(from), tenths(to)});
        return;
    }
    surface_.setPen({lineColour_, 1});
    surface_.moveTo(pixel(from));
    surface_.lineTo(pixel(to));
}

void LevelTracer::fill(std::span<const PointF> polygon)
{
    if (!filled_)
        return;
    std::vector<Point> points;
    points.reserve(polygon.size());
    for (const PointF& p : polygon)
        points.push_back(pixel(p));
    surface_.setPen({colour_, 1});
    surface_.setBrush({colour_, BrushStyle::Solid});
    surface_.polygon(points);
    ++drawn_.polygons;
}

void LevelTracer::interiorCell(PointF topLeft, double width, double height,
                               const std::array<double, 4>& k,
                               const std::function<double(PointF)>& saddle)
{
    const std::array<CellVertex, 4> c{{{topLeft, k[0]},
                                       {{topLeft.x + width, topLeft.y}, k[1]},
                                       {{topLeft.x + width, topLeft.y + height}, k[2]},
                                       {{topLeft.x, topLeft.y + height}, k[3]}}};
    const auto high = std::count_if(k.begin(), k.end(), [this](double v) { return above(v); });
    if (high == 0)
        return;
    if (high == 4) {
        if (filled_) {
            surface_.setPen({colour_, 1});
            surface_.setBrush({colour_, BrushStyle::Solid});
            const Point a = pixel(topLeft);
            const Point b = pixel({topLeft.x + width, topLeft.y + height});
            surface_.rectangle({a.x, a.y, b.x + 1, b.y + 1});
            ++drawn_.rectangles;
        }
        return;
    }
    // Edges top, right, bottom, left: from corner e to corner e + 1.
    std::array<bool, 4> crosses{};
    std::array<PointF, 4> x{};
    std::vector<int> crossed;
    for (std::size_t e = 0; e < 4; ++e) {
        const CellVertex& a = c[e];
        const CellVertex& b = c[(e + 1) % 4];
        crosses[e] = above(a.value) != above(b.value);
        if (crosses[e]) {
            x[e] = crossing(a, b);
            crossed.push_back(static_cast<int>(e));
        }
    }
    bool apart = false;
    if (crossed.size() == 4) {
        const double w = saddle(lerp(x[0], x[2], 0.5));
        const int saddleCase = SaddleCase(k[0], k[1], level_, w);
        if (saddleCase == 11 || saddleCase == 14) {
            segment(x[0], x[1]);
            segment(x[2], x[3]);
        } else {
            segment(x[0], x[3]);
            segment(x[1], x[2]);
        }
        apart = saddleCase == 13 || saddleCase == 14;
    } else {
        segment(x[static_cast<std::size_t>(crossed[0])], x[static_cast<std::size_t>(crossed[1])]);
    }
    if (!filled_)
        return;
    if (apart) {
        // A triangle round each high corner.
        for (std::size_t i = 0; i < 4; ++i)
            if (above(k[i])) {
                const PointF triangle[] = {x[(i + 3) % 4], c[i].at, x[i]};
                fill(triangle);
            }
        return;
    }
    // The high corners and the crossings in order round the cell: triangle to hexagon.
    std::vector<PointF> polygon;
    for (std::size_t e = 0; e < 4; ++e) {
        if (above(k[e]))
            polygon.push_back(c[e].at);
        if (crosses[e])
            polygon.push_back(x[e]);
    }
    fill(polygon);
}

void LevelTracer::polygonCell(std::span<const CellVertex> v)
{
    const std::size_t n = v.size();
    const auto high =
        std::count_if(v.begin(), v.end(), [this](const CellVertex& c) { return above(c.value); });
    if (n < 3 || high == 0)
        return;
    if (static_cast<std::size_t>(high) == n) {
        std::vector<PointF> whole;
        for (const CellVertex& c : v)
            whole.push_back(c.at);
        fill(whole);
        return;
    }
    for (std::size_t e = 0; e < n; ++e) {
        std::size_t i = (e + 1) % n;
        if (above(v[e].value) || !above(v[i].value))
            continue;
        // Rising on side e: the run of high vertices up to the side where the values fall.
        std::vector<PointF> run{crossing(v[e], v[i])};
        std::size_t last = e;
        while (above(v[i].value)) {
            run.push_back(v[i].at);
            last = i;
            i = (i + 1) % n;
        }
        run.push_back(crossing(v[last], v[i]));
        segment(run.front(), run.back());
        fill(run);
    }
}

LevelDrawn ContourValueGrid(Surface& surface, const ValueGrid& g, double level, TColor colour,
                            bool filled)
{
    LevelTracer tracer(surface, level, colour, filled, nullptr);
    for (int row = 0; row + 1 < g.rows; ++row)
        for (int column = 0; column + 1 < g.columns; ++column) {
            const PointF topLeft{g.origin.x + column * g.stepX, g.origin.y + row * g.stepY};
            const std::array<double, 4> k{g.at(row, column), g.at(row, column + 1),
                                          g.at(row + 1, column + 1), g.at(row + 1, column)};
            const auto bilinear = [&](PointF p) {
                const double u = (p.x - topLeft.x) / g.stepX;
                const double t = (p.y - topLeft.y) / g.stepY;
                return k[0] * (1 - u) * (1 - t) + k[1] * u * (1 - t) + k[2] * u * t
                       + k[3] * (1 - u) * t;
            };
            tracer.interiorCell(topLeft, g.stepX, g.stepY, k, bilinear);
        }
    return tracer.drawn();
}

ContourDrawing DrawContours(const DrawContext& ctx, const ParamContours& params,
                            const Density& density)
{
    ContourDrawing drawing;
    const int levels = std::min(params.nz, static_cast<int>(params.tz.size()));
    if (levels <= 0 || !density)
        return drawing;
    const Net& net = ctx.net;
    const ContourGrid g = BuildContourGrid(net, params.pas, density);
    const std::vector<ClippedCell> rim = clippedCells(g, net, density);
    // The centre of a saddle cell takes the contoured density itself, the right dihedra's
    // included: a data count there would be 0 on a right dihedra canvas and settle every
    // saddle the same way.
    const auto saddle = [&](PointF p) { return static_cast<double>(density(offsetOf(p, net))); };
    const bool chained = params.modeC != kContourSegments || (params.rightDihedra && params.bezier);
    Surface& s = ctx.CnvsCourant;
    const Brush brushBefore = s.brush();
    std::vector<Segment10> buffer;
    for (int j = 0; j < levels; ++j) {
        const Contour& level = params.tz[static_cast<std::size_t>(j)];
        buffer.clear();
        LevelTracer tracer(s, LevelCount(level.z, params), level.cz, params.filled,
                           chained ? &buffer : nullptr);
        std::size_t next = 0;
        for (int row = 0; row + 1 < g.side; ++row)
            for (int column = 0; column + 1 < g.side; ++column) {
                if (g.cellSum(row, column) == 8) {
                    tracer.setLineColour(level.cz);
                    std::array<double, 4> k{};
                    const std::array<int, 4> node = cornerNodes(g, row, column);
                    for (std::size_t i = 0; i < 4; ++i)
                        k[i] = g.value[static_cast<std::size_t>(node[i])];
                    tracer.interiorCell(g.node(row, column), g.step, g.step, k, saddle);
                } else if (next < rim.size() && rim[next].row == row
                           && rim[next].column == column) {
                    const bool black = params.rightDihedra && params.blackLine;
                    tracer.setLineColour(black ? clBlack : level.cz);
                    tracer.polygonCell(rim[next++].vertices);
                }
            }
        LevelDrawn drawn = tracer.drawn();
        if (chained)
            drawChains(s, buffer, params, params.blackLine ? clBlack : level.cz, drawn);
        drawing.levels.push_back(drawn);
    }
    s.setPen({clBlack, 1});
    s.setBrush(brushBefore);
    TraceCanevas(ctx);
    return drawing;
}

ParamContours CheckedContourParams(ParamContours params)
{
    params.nz = std::clamp(params.nz, 0, kMaxContourLevels);
    for (int j = 0; j < params.nz; ++j) {
        double& z = params.tz[static_cast<std::size_t>(j)].z;
        const double whole = std::round(z);
        if (z > 0 && std::fabs(z - whole) <= 0.01)
            z = whole + 0.01;
    }
    params.pas = std::max(params.pas, kMinContourStep);
    params.cone = std::max(params.cone, 2.0 * params.pas);
    return params;
}

TColor GreyOfPercent(double percent)
{
    const int v = std::clamp(RoundHalfEven((100 - percent) * 240 / 100), 0, 255);
    return rgb(v, v, v);
}

void DoublingLevels(ParamContours& params, double maximum, double U, bool raw,
                    const std::array<TColor, 17>& tcoCont, bool greyScale)
{
    params.tz.fill(Contour{});
    params.funif = raw ? 1 : U;
    params.max = maximum;
    int n = 0;
    for (double level = 1; n < kMaxContourLevels && (raw ? level : level * U) < maximum; level *= 2)
        params.tz[static_cast<std::size_t>(n++)].z = level;
    for (int i = 0; i < n; ++i)
        params.tz[static_cast<std::size_t>(i)].cz =
            greyScale ? GreyOfPercent((i + 1) * 80.0 / n) : tcoCont[static_cast<std::size_t>(i)];
    params.nz = n;
}

std::vector<InfoLine> ContourReport(const ParamContours& params, DayCount now)
{
    const auto levels = [&](double factor) {
        std::string text;
        for (int j = 0; j < params.nz; ++j)
            text += " " + FormatFixed(params.tz[static_cast<std::size_t>(j)].z * factor, 1) + "/";
        return text;
    };
    std::vector<InfoLine> lines{{shortTime(now) + " - Contouring", true}};
    if (params.funif != 1) {
        lines.push_back({"Isocontours values (N * uniformity), max = "
                         + FormatFixed(params.funif != 0 ? params.max / params.funif : 0, 1)
                         + " :"});
        lines.push_back({"   curves :" + levels(1)});
        lines.push_back({"   (raw values :" + levels(params.funif) + ")"});
    } else {
        lines.push_back({"Isocontours values (raw data), max = " + FormatInt(params.max) + " :"});
        lines.push_back({"   curves :" + levels(1)});
    }
    lines.push_back({"Counting cone aperture : " + FormatFixed(params.cone, 1) + "\xB0"});
    return lines;
}

std::vector<Direction> ContouredDirections(const CanvasModel& canvas)
{
    std::vector<Direction> directions;
    const auto count = static_cast<std::size_t>(std::max(0, canvas.lNT));
    if (canvas.natWP == kWPOrdinary || canvas.natWP == kWPRotated) {
        for (std::size_t i = 1; i <= count && i < canvas.lVal.size(); ++i)
            if (TestBit(canvas.lVal[i].inf, kInfPresent))
                directions.push_back({canvas.lVal[i].azi, canvas.lVal[i].pen});
    } else if (canvas.natWP == kWPContouring) {
        for (std::size_t i = 1; i <= count && i < canvas.lTaz.size() && i < canvas.lTpe.size(); ++i)
            directions.push_back({canvas.lTaz[i], canvas.lTpe[i]});
    }
    return directions;
}

void KeepContouring(CanvasModel& canvas, std::span<const Direction> directions,
                    const ParamContours& params)
{
    const std::size_t n =
        std::min(directions.size(), static_cast<std::size_t>(kMaxContourDirections));
    canvas.lTaz.assign(kMaxContourDirections + 1, 0);
    canvas.lTpe.assign(kMaxContourDirections + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        canvas.lTaz[i + 1] = directions[i].trend;
        canvas.lTpe[i + 1] = directions[i].plunge;
    }
    canvas.lNT = static_cast<int>(n);
    canvas.tContour = params;
    canvas.i0 = 1;
}

void DrawContourCanvas(CanvasModel& canvas, const DrawContext& ctx)
{
    if (canvas.i0 <= 0)
        return;
    const std::vector<Direction> directions = ContouredDirections(canvas);
    const ConeCount count(directions, canvas.tContour.cone, ctx.net);
    DrawContours(ctx, canvas.tContour, [&count](PlaneOffset o) { return count(o); });
}

void RegisterContourDisplay(CanvasPainters& painters)
{
    painters.display[kWPContouring] = [](CanvasModel& canvas, DrawContext& ctx) {
        DrawContourCanvas(canvas, ctx);
    };
}

} // namespace ploq
