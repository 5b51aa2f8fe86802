#include "stats3d/TrackdipDraw.h"

#include "canvas/Dessin.h"
#include "canvas/Plot.h"
#include "model/TypesGlob.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <vector>

namespace ploq {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = kPi / 2;
constexpr double kRadToDeg = 1 / kDegToRad;
constexpr TColor kGridGrey = 8421504;
constexpr TColor kLightGrey = 12632256;
constexpr TColor kPolygoneRed = 255;
constexpr TColor kNumberGreen = 32768;
constexpr TColor kMaxPurple = 8388736;
constexpr int kAxisLeft = 25;
constexpr int kPlotTop = 15;
constexpr int kSymbolHalfLength = 10;
constexpr int kClickTolerance = 4;

double decadeAtOrBelow(double w)
{
    for (double d : {1.0, 0.1, 0.01})
        if (d <= w)
            return d;
    return 0.001;
}

double decadeAtOrAbove(double w)
{
    for (double d : {1.0, 10.0, 100.0, 1000.0})
        if (d >= w)
            return d;
    return 10000.0;
}

// The polygones of the elements, as runs between end marks.
std::vector<std::span<const InfoTD>> polygonesOf(const TrTD& elements)
{
    std::vector<std::span<const InfoTD>> runs;
    std::size_t from = 0;
    for (std::size_t k = 0; k <= elements.size(); ++k) {
        if (k < elements.size() && !elements[k].isEnd())
            continue;
        if (k > from)
            runs.emplace_back(elements.data() + from, k - from);
        from = k + 1;
    }
    return runs;
}

class TrackdipPainter {
public:
    TrackdipPainter(const CanvasModel& canvas, const DrawContext& ctx)
        : canvas_(canvas), ctx_(ctx), s_(ctx.CnvsCourant),
          axes_(TrackdipGeometry(canvas.lTD, {2 * ctx.net.xc, 2 * ctx.net.yc}, ctx.UnitDessin)),
          polygones_(polygonesOf(canvas.liTD))
    {
    }

    void draw()
    {
        depthAxis();
        windowAxis();
        for (std::span<const InfoTD> p : polygones_)
            polyline(p);
        if (TestBit(canvas_.lOptS3Dadd, kTDSummits))
            for (const InfoTD& e : canvas_.liTD)
                if (!e.isEnd())
                    mark(ctx_.settings.TDsySum, pos(e));
        for (const InfoTD& e : canvas_.liTD)
            if (!e.isEnd() && e.ix == 1)
                summit(e);
        if (TestBit(canvas_.lOptS3Dadd, kTDMaximum))
            maxima();
        s_.setPen({});
        s_.setBrush({clWhite, BrushStyle::Solid});
    }

private:
    Point pos(const InfoTD& e) const { return axes_.at(e.w, e.z); }
    int px(int pixels) const { return ctx_.scaled(pixels); }

    void label(Point topLeft, const std::string& text, int size, TColor colour)
    {
        s_.setFont({ctx_.settings.FontName, px(size), false, false, colour});
        s_.setBrush({clWhite, BrushStyle::Clear});
        s_.textOut(topLeft, text);
    }

    void depthAxis()
    {
        const int right = 2 * ctx_.net.xc;
        bool first = true;
        for (double z = axes_.zTop; z <= axes_.zBottom + axes_.depthStep / 2;
             z += axes_.depthStep) {
            const int y = axes_.at(axes_.firstDecade, z).y;
            s_.setPen({first ? clBlack : kGridGrey, 1});
            s_.moveTo({axes_.left, y});
            s_.lineTo({right, y});
            label({px(5), y - px(6)}, FormatInt(z), 9, clBlack);
            first = false;
        }
    }

    void verticalLine(double w, TColor colour)
    {
        const int x = axes_.at(w, axes_.zTop).x;
        s_.setPen({colour, 1});
        s_.moveTo({x, axes_.top});
        s_.lineTo({x, axes_.bottom});
    }

    void windowAxis()
    {
        for (double d = axes_.firstDecade; d < axes_.lastDecade * 0.999; d *= 10)
            for (int m = 2; m <= 9; ++m)
                verticalLine(m * d, kLightGrey);
        bool first = true;
        for (double d = axes_.firstDecade; d <= axes_.lastDecade * 1.001; d *= 10) {
            verticalLine(d, first ? kGridGrey : clBlack);
            const std::string text = d >= 1 ? sformat("%d", RoundHalfEven(d)) : FormatFixed(d, 3);
            label({axes_.at(d, axes_.zTop).x - px(6), axes_.bottom + px(1)}, text, 9, clBlack);
            first = false;
        }
    }

    void polyline(std::span<const InfoTD> p)
    {
        std::vector<Point> points;
        points.reserve(p.size());
        for (const InfoTD& e : p)
            points.push_back(pos(e));
        s_.setPen({kPolygoneRed, px(2)});
        if (points.size() == 1)
            points.push_back(points.front());
        s_.polyline(points);
    }

    // Mark types: 1 small cross, 2 larger cross, 3 white square, 4 black square, 10 and 11 a
    // red disc (11 ringed in black); another number draws the small cross.
    void mark(int type, Point p)
    {
        const auto box = [&](int r) { return Box{p.x - r, p.y - r, p.x + r + 1, p.y + r + 1}; };
        switch (type) {
        case 3:
        case 4:
            s_.setPen({clBlack, 1});
            s_.setBrush({type == 3 ? clWhite : clBlack, BrushStyle::Solid});
            s_.rectangle(box(px(3)));
            return;
        case 10:
        case 11:
            s_.setPen({type == 10 ? clRed : clBlack, 1});
            s_.setBrush({clRed, BrushStyle::Solid});
            s_.ellipse(box(px(4)));
            return;
        default: {
            const int r = px(type == 2 ? 6 : 3);
            s_.setPen({clBlack, 1});
            s_.moveTo({p.x - r, p.y});
            s_.lineTo({p.x + r + 1, p.y});
            s_.moveTo({p.x, p.y - r});
            s_.lineTo({p.x, p.y + r + 1});
        }
        }
    }

    // A bar along the rotation axis trend, with a tail toward its left that grows with the
    // rotation angle.
    void symbol(const InfoTD& e, bool maximum)
    {
        const Point p = pos(e);
        const double L = TestBit(canvas_.lOptS3Dadd, kTDSizeFollows) ? ctx_.net.radius / 20.0
                                                                     : px(kSymbolHalfLength);
        const double degrees = e.e * kRadToDeg;
        const double tail =
            TestBit(canvas_.lOptS3Dadd, kTDSqrtTail) ? L * std::sqrt(degrees) : degrees * L / 2;
        const auto offset = [&](double trend, double length) {
            return Point{p.x + static_cast<int>(std::lround(length * std::sin(trend))),
                         p.y - static_cast<int>(std::lround(length * std::cos(trend)))};
        };
        s_.setPen(maximum ? Pen{kMaxPurple, px(2)} : Pen{clBlack, 1});
        s_.moveTo(offset(e.a + kPi, L));
        s_.lineTo(offset(e.a, L));
        s_.moveTo(p);
        s_.lineTo(offset(e.a - kHalfPi, tail));
    }

    // A clicked summit: its symbol, or its record number (and angle with labels on) in green
    // above it, below it when there is no room above.
    void summit(const InfoTD& e)
    {
        if (TestBit(canvas_.lOptS3Dadd, kTDClickSymbol)) {
            symbol(e, false);
            return;
        }
        std::string text = std::to_string(e.ii);
        if (TestBit(canvas_.lStyleCnvs, kStyleIndexedGrid))
            text += " " + FormatFixed(e.e * kRadToDeg, 1) + "\xB0";
        const Point p = pos(e);
        const int y = p.y - px(14) >= 0 ? p.y - px(14) : p.y + px(4);
        label({p.x + px(3), y}, text, 7, kNumberGreen);
    }

    void maximumMark(const InfoTD& e)
    {
        if (TestBit(canvas_.lOptS3Dadd, kTDMaxSymbol))
            symbol(e, true);
        else
            mark(kTDMaxMark, pos(e));
    }

    void maxima()
    {
        const auto largest = [](std::span<const InfoTD> p) {
            return std::max_element(p.begin(), p.end(),
                                    [](const InfoTD& x, const InfoTD& y) { return x.e < y.e; });
        };
        if (TestBit(canvas_.lOptS3Dadd, kTDAllMaxima)) {
            for (std::span<const InfoTD> p : polygones_)
                if (static_cast<int>(p.size()) > ctx_.settings.TDpoly2)
                    maximumMark(*largest(p));
            return;
        }
        const InfoTD* top = nullptr;
        for (std::span<const InfoTD> p : polygones_)
            if (const auto it = largest(p); !top || it->e > top->e)
                top = &*it;
        if (top)
            maximumMark(*top);
    }

    const CanvasModel& canvas_;
    const DrawContext& ctx_;
    Surface& s_;
    TrackdipAxes axes_;
    std::vector<std::span<const InfoTD>> polygones_;
};

} // namespace

Point TrackdipAxes::at(double window, double depth) const
{
    const double fx = (std::log10(std::max(window, 1e-12)) - std::log10(firstDecade))
                      / (std::log10(lastDecade) - std::log10(firstDecade));
    const double fy = (depth - zTop) / (zBottom - zTop);
    return {left + static_cast<int>(std::lround(fx * (right - left))),
            top + static_cast<int>(std::lround(fy * (bottom - top)))};
}

double DepthStep(double range)
{
    if (range <= 100)
        return 10;
    if (range <= 500)
        return 50;
    if (range <= 1000)
        return 100;
    return 200;
}

TrackdipAxes TrackdipGeometry(const TrackdipExtent& extent, Size picture, double scale)
{
    const auto px = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
    TrackdipAxes a;
    a.left = px(kAxisLeft);
    a.right = a.left + picture.width - px(40);
    a.top = px(kPlotTop);
    a.bottom = picture.height - px(kPlotTop);
    a.depthStep = DepthStep(extent.zmax - extent.zmin);
    a.zTop = std::floor(extent.zmin / a.depthStep) * a.depthStep;
    a.zBottom = std::ceil(extent.zmax / a.depthStep) * a.depthStep;
    if (a.zBottom <= a.zTop)
        a.zBottom = a.zTop + a.depthStep;
    a.firstDecade = decadeAtOrBelow(extent.firstWindow);
    a.lastDecade = std::max(decadeAtOrAbove(extent.lastWindow), 10 * a.firstDecade);
    return a;
}

void DrawTrackdip(const CanvasModel& canvas, const DrawContext& ctx)
{
    if (canvas.lTD.analysed)
        TrackdipPainter(canvas, ctx).draw();
}

std::optional<std::size_t> TrackdipElementAt(const CanvasModel& canvas, Point p)
{
    if (!canvas.lTD.analysed)
        return std::nullopt;
    const TrackdipAxes axes = TrackdipGeometry(canvas.lTD, canvas.imageSize());
    for (std::size_t k = 0; k < canvas.liTD.size(); ++k) {
        const InfoTD& e = canvas.liTD[k];
        if (e.isEnd())
            continue;
        const Point q = axes.at(e.w, e.z);
        const long long dx = q.x - p.x;
        const long long dy = q.y - p.y;
        if (dx * dx + dy * dy <= kClickTolerance * kClickTolerance)
            return k;
    }
    return std::nullopt;
}

void RegisterTrackdipDisplay(CanvasPainters& painters)
{
    painters.display[kWPTrackdip] = [](CanvasModel& c, DrawContext& ctx) { DrawTrackdip(c, ctx); };
}

} // namespace ploq
