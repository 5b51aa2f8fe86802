#include "stats3d/Stats3Dadd.h"

#include "canvas/Dessin.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ploq {

namespace {

using D = AddDrawing;
using T = AddText;
using O = AddOffer;

constexpr double kPi = std::numbers::pi;
constexpr double kMissing = 9999; // trend of a missing intersection
constexpr int kMaxClusters = 6;
constexpr int kClickedPointSymbol = 20;
constexpr std::string_view kDegree = "\xB0";

// Every kind of entry: its label, drawing, value text, whether "add to data" is offered and
// the nature it then takes.
constexpr AddKindInfo kKinds[] = {
    {1, "Best axis", D::Symbol, T::Line, O::Yes, "L"},
    {2, "Best plane", D::Symbol, T::Line, O::Yes, "L"},
    {3, "Best small circle", D::SmallCircle, T::None, O::LeftListOnly, ""},
    {4, "Additional cyclo.", D::GreatCircle, T::Plane, O::Yes, "S"},
    {5, "Rotation pole", D::None, T::Line, O::Yes, ""},
    {11, "Plane normal to BA", D::GreatCircle, T::Plane, O::Yes, ""},
    {12, "Conf. cone 95%, BA", D::Cone, T::Cone95, O::No, ""},
    {13, "Conf. cone  99%, BA", D::Cone, T::Cone99, O::No, ""},
    {15, "", D::Seeds, T::None, O::Yes, ""},
    {16, "Clusters", D::Clusters, T::Line, O::Yes, "L"},
    {21, "Pole of best plane", D::GreatCircle, T::Plane, O::Yes, "S"},
    {22, "Conf. cone 95%, BP", D::Cone, T::None, O::Yes, ""},
    {23, "Conf. cone 99%, BP", D::Cone, T::None, O::Yes, ""},
    {25, "Best great circle", D::GreatCircle, T::Plane, O::Yes, "S"},
    {26, "Pole of best GC", D::Symbol, T::Line, O::Yes, "L"},
    {27, "Conf. cone 95%, best GC", D::Cone, T::Cone95, O::No, ""},
    {28, "Conf. cone 99%, best GC", D::Cone, T::Cone99, O::No, ""},
    {31, "Pole best SC", D::Symbol, T::Line, O::Yes, "L"},
    {32, "Conf. cone 95%, best GC (BS)", D::Cone, T::None, O::Yes, ""},
    {33, "Conf. cone 99%, best GC (BS)", D::Cone, T::None, O::Yes, ""},
    {34, "Conf. cone 95%, best PC (BS)", D::Cone, T::None, O::Yes, ""},
    {35, "Conf. cone 99%, best PC (BS)", D::Cone, T::None, O::Yes, ""},
    {36, "Min Chi2 SC or GC", D::SmallCircle, T::None, O::Yes, ""},
    {37, "Pole of min Chi2 c.", D::Symbol, T::Line, O::Yes, "L"},
    {38, "", D::None, T::Plane, O::Yes, "S"},
    {40, "Pole of add. cyclo.", D::Symbol, T::Line, O::Yes, "L"},
    {41, "Additional small c.", D::SmallCircle, T::None, O::Yes, ""},
    {42, "Pole of add. small c.", D::Symbol, T::Line, O::Yes, "L"},
    {43, "Manually fited cyclo", D::GreatCircle, T::Plane, O::Yes, "S"},
    {44, "Pole of manual. cyclo", D::Symbol, T::Line, O::Yes, "L"},
    {45, "Small circle (manual)", D::SmallCircle, T::None, O::LeftListOnly, ""},
    {46, "Pole of SC (manual)", D::Symbol, T::Line, O::Yes, "L"},
    {47, "Great c. by 2 points", D::None, T::Plane, O::Yes, "S"},
    {48, "Pole of GC (2 pts)", D::None, T::Line, O::Yes, "L"},
    {49, "Small c. by 3 points", D::ThreePoints, T::None, O::Yes, ""},
    {50, "Line -> pitch querry", D::Symbol, T::Plane, O::Yes, ""},
    {52, "Line by 2 planes", D::Symbol, T::Line, O::Yes, "L"},
    {53, "Line by 2 pl. (aux. cyclo)", D::DashedGreatCircle, T::Plane, O::Yes, "S"},
    {54, "Plane by 2 lines (cyclo)", D::PlaneByTwoLines, T::Plane, O::Yes, "S"},
    {55, "Plane by 2 lines (pole)", D::Symbol, T::Line, O::Yes, "L"},
    {56, "Bisector plane (2 cyclo traces)", D::DashedGreatCircle, T::Plane, O::Yes, "S"},
    {57, "Bisector  line (2 poles)", D::Symbol, T::Line, O::Yes, "L"},
    {58, "Great/small c. intersections", D::Intersections, T::None, O::Yes, ""},
};

double degrees(double radians)
{
    return radians / kDegToRad;
}

std::string coneText(std::string_view level, double cone)
{
    return std::string(level) + DegreesText(cone);
}

class EntryPainter {
public:
    EntryPainter(const DrawContext& ctx, const CanvasModel& canvas, const InfoAdd& e)
        : ctx_(ctx), canvas_(canvas), e_(e), colour_(CouleurDe(ctx.settings.Tco, e.nco))
    {
    }

    void draw(AddDrawing drawing)
    {
        switch (drawing) {
        case D::None: break;
        case D::Symbol: symbol(e_.nsy, 0); break;
        case D::GreatCircle:
            pen(e_.a[1], e_.b[1] == 1);
            TraceGC(ctx_, e_.y[0], e_.x[0]);
            break;
        case D::DashedGreatCircle:
            pen(1, true);
            TraceGC(ctx_, e_.y[0], e_.x[0]);
            break;
        case D::PlaneByTwoLines:
            pen(1, true);
            TraceGC(ctx_, e_.y[0], e_.x[0]);
            symbol(kHighlightSymbol, 1);
            symbol(kHighlightSymbol, 2);
            break;
        case D::Cone:
            pen(1, false);
            TracePC2(ctx_, e_.x[1], e_.y[0], e_.x[0]);
            break;
        case D::SmallCircle: smallCircle(); break;
        case D::Seeds: seeds(); break;
        case D::Clusters:
            for (int i = 0; i < kMaxClusters; ++i)
                if (e_.b[i] > 0)
                    symbol(e_.nsy, i);
            break;
        case D::ThreePoints: threePoints(); break;
        case D::Intersections:
            for (int i : {0, 1})
                if (e_.x[i] < kMissing)
                    symbol(e_.nsy, i);
            break;
        }
        pen(1, false);
    }

private:
    void pen(int width, bool dashed)
    {
        ctx_.CnvsCourant.setPen(
            {colour_, std::max(1, width), dashed ? PenStyle::Dash : PenStyle::Solid});
    }

    Point pixel(int i) const { return DirToPixel({e_.x[i], e_.y[i]}, ctx_.net); }

    // Symbol sy at (x[i], y[i]).
    void symbol(int sy, int i)
    {
        pen(1, false);
        const Point p = pixel(i);
        DessinerSymbole(ctx_, sy, e_.nco, p.x, p.y);
    }

    // The circle of aperture x[1] and, dashed and thin, its complement pi - x[1]: a[2] says
    // which is the principal part (0 and 1 the circle itself, 2 its complement), b[2] whether
    // the other part is drawn too.
    void smallCircle()
    {
        const double alpha = e_.x[1];
        const bool complementFirst = e_.a[2] == 2;
        const bool other = e_.b[2] == 1 && (e_.a[2] == 1 || complementFirst);
        pen(e_.a[1], e_.b[1] == 1);
        TracePC(ctx_, complementFirst ? kPi - alpha : alpha, e_.y[0], e_.x[0]);
        if (other) {
            pen(1, true);
            TracePC(ctx_, complementFirst ? alpha : kPi - alpha, e_.y[0], e_.x[0]);
        }
    }

    // The seeds being picked: a black ring of 10 pixels and the seed's number in bold above.
    void seeds()
    {
        if (canvas_.lUndoPlot.bfit != kAddSeeds)
            return;
        Surface& s = ctx_.CnvsCourant;
        const Font before = s.font();
        Font bold = before;
        bold.bold = true;
        bold.colour = clBlack;
        s.setFont(bold);
        const int n = std::clamp(canvas_.lUndoPlot.v1, 0, kMaxClusters);
        for (int i = 1; i <= n; ++i) {
            const Point p = pixel(i - 1);
            s.setPen({clBlack, 1});
            s.setBrush({clWhite, BrushStyle::Clear});
            s.ellipse({p.x - 10, p.y - 10, p.x + 10, p.y + 10});
            const std::string number = std::to_string(i);
            s.textOut({p.x - s.textExtent(number).width / 2, p.y - 6}, number);
        }
        s.setFont(before);
    }

    // The circle through the three points, the points themselves (a record by its label, a
    // clicked position by symbol 20) and, when chosen, the centre.
    void threePoints()
    {
        const double alpha = e_.x[1];
        pen(e_.a[1], e_.b[1] == 1);
        TracePC(ctx_, alpha, e_.y[0], e_.x[0]);
        if (e_.b[2] == 1) {
            pen(1, true);
            TracePC(ctx_, kPi - alpha, e_.y[0], e_.x[0]);
        }
        for (int k = 0; k < 3; ++k) {
            const int record = e_.a[3 + k];
            if (record >= 1 && record <= canvas_.lNT
                && record < static_cast<int>(canvas_.lVal.size())) {
                const Point p = pixel(2 + k);
                const St9& number = canvas_.lVal[static_cast<std::size_t>(record)].nu;
                EtiquetteWP(ctx_, number.empty() ? "x" : number.view(), p.x, p.y, e_.nco);
            } else {
                symbol(kClickedPointSymbol, 2 + k);
            }
        }
        if (e_.a[2] == 1)
            symbol(e_.nsy, 0);
    }

    const DrawContext& ctx_;
    const CanvasModel& canvas_;
    const InfoAdd& e_;
    TColor colour_;
};

InfoAdd entry(int nat, const BestFit& fit, const BestFitChoices& c, bool vis)
{
    InfoAdd e;
    e.nat = nat;
    e.nco = c.colour;
    e.nsy = c.tailed ? -std::abs(c.symbol) : std::abs(c.symbol);
    e.x[0] = fit.trend;
    e.y[0] = fit.plunge;
    e.a[1] = 1;
    e.vis = e.initVis = vis;
    return e;
}

// A circle entry: its pen from "thick line" and "dot line".
InfoAdd circleEntry(int nat, const BestFit& fit, const BestFitChoices& c, bool vis)
{
    InfoAdd e = entry(nat, fit, c, vis);
    e.a[1] = c.thick ? 2 : 1;
    e.b[1] = c.dot ? 1 : 0;
    return e;
}

InfoAdd coneEntry(int nat, const BestFit& fit, const BestFitChoices& c, double cone, bool vis)
{
    InfoAdd e = entry(nat, fit, c, vis);
    e.x[1] = cone;
    return e;
}

// The entries of kinds 1, 2 and 25: a pole, a circle, and the cones that were computed.
void poleCircleCones(std::vector<InfoAdd>& out, const BestFit& fit, const BestFitChoices& c,
                     std::array<int, 4> kinds)
{
    out.push_back(entry(kinds[0], fit, c, c.pole));
    out.push_back(circleEntry(kinds[1], fit, c, c.circle));
    if (ConeUsable(fit.cone95))
        out.push_back(coneEntry(kinds[2], fit, c, fit.cone95, c.cone95));
    if (ConeUsable(fit.cone99))
        out.push_back(coneEntry(kinds[3], fit, c, fit.cone99, c.cone99));
}

// The caption of the dialog and of its circle box by kind of result.
struct BestFitKindTexts {
    int kind;
    std::string_view caption;
    std::string_view circleBox;
};
constexpr BestFitKindTexts kBestFitKinds[] = {
    {kAddBestAxis, "Best axis", "attached cyclo"},
    {kAddBestPlane, "Best plane", "cyclo trace"},
    {kAddBestSmallCircle, "Best small circle", "small circle"},
    {kAddBestGC, "Best great circle", "cyclo trace"},
    {kAddGCBootstrap, " GC position (bootstrap)", "great circle"},
    {kAddSCBootstrap, " SC position (bootstrap)", "small circle"},
    {kAddSC3Points, "Small circle via 3 poles", ""},
};

// A best plane and a best great circle are written as planes, the other results as lines.
bool writesPlane(int kind)
{
    return kind == kAddBestPlane || kind == kAddBestGC;
}

// lNAdd within the slots the canvas has.
std::size_t usedCount(const CanvasModel& canvas)
{
    return static_cast<std::size_t>(
        std::clamp<int>(canvas.lNAdd, 0, static_cast<int>(canvas.lAdd.size())));
}

bool opensWithoutPole(int kind)
{
    return kind == kAddBestSmallCircle || kind == kAddGCBootstrap || kind == kAddSCBootstrap;
}

} // namespace

const AddKindInfo* AddKindOf(int nat)
{
    for (const AddKindInfo& k : kKinds)
        if (k.nat == nat)
            return &k;
    return nullptr;
}

std::string_view AddLabel(int nat)
{
    const AddKindInfo* k = AddKindOf(nat);
    return k ? k->label : std::string_view{};
}

bool OwnsAddList(int natWP)
{
    switch (natWP) {
    case kWPOrdinary:
    case kWPRotated:
    case kWPCodes:
    case kWPCounting:
    case kWPPTAxes:
    case kWPStats3D: return true;
    default: return false;
    }
}

std::span<InfoAdd> AddInUse(CanvasModel& canvas)
{
    return std::span<InfoAdd>(canvas.lAdd).first(usedCount(canvas));
}

std::span<const InfoAdd> AddInUse(const CanvasModel& canvas)
{
    return std::span<const InfoAdd>(canvas.lAdd).first(usedCount(canvas));
}

int NextRang(const CanvasModel& canvas)
{
    int largest = 0;
    for (const InfoAdd& e : AddInUse(canvas))
        largest = std::max(largest, e.rang);
    return largest + 1;
}

bool AppendAdd(CanvasModel& canvas, std::span<const InfoAdd> group)
{
    const std::size_t used = usedCount(canvas);
    if (canvas.lAdd.size() < used + group.size())
        return false;
    int rang = NextRang(canvas);
    canvas.lNAdd = static_cast<int>(used);
    for (const InfoAdd& e : group) {
        InfoAdd& slot = canvas.lAdd[static_cast<std::size_t>(canvas.lNAdd++)];
        slot = e;
        slot.rang = rang++;
    }
    return true;
}

void DrawAddValue(const DrawContext& ctx, const CanvasModel& canvas, const InfoAdd& entry)
{
    const AddKindInfo* kind = AddKindOf(entry.nat);
    if (!entry.vis || kind == nullptr)
        return;
    EntryPainter(ctx, canvas, entry).draw(kind->drawing);
}

void DrawAddValues(const CanvasModel& canvas, const DrawContext& ctx)
{
    for (const InfoAdd& e : AddInUse(canvas))
        DrawAddValue(ctx, canvas, e);
}

std::string StValeurAdd(const InfoAdd& entry, const Notation& notation, bool decimals)
{
    const AddKindInfo* kind = AddKindOf(entry.nat);
    switch (kind ? kind->text : AddText::None) {
    case T::Line: return DirToText(decimals, false, entry.y[0], entry.x[0], notation);
    case T::Plane: return DirToText(decimals, true, entry.y[0], entry.x[0], notation);
    case T::Cone95: return coneText("conf.95% ", entry.x[1]);
    case T::Cone99: return coneText("conf.99% ", entry.x[1]);
    case T::None: break;
    }
    return {};
}

InfoVal AddValueRecord(const InfoAdd& entry, int number, std::int32_t stylePlot, const Net& net)
{
    const AddKindInfo* kind = AddKindOf(entry.nat);
    InfoVal v;
    v.azi = entry.x[0];
    v.pen = entry.y[0];
    const Point p = DirToPixel({v.azi, v.pen}, net);
    v.p = p.x;
    v.q = p.y;
    v.na = kind ? kind->nature : std::string_view{};
    v.inf = stylePlot;
    SetBit(v.inf, kInfPresent, true);
    SetBit(v.inf, kInfPlane, !v.na.empty() && IsPlane(v.na[0]));
    v.nco = entry.nco;
    v.sy = 9;
    v.co = "add.v " + std::to_string(number);
    return v;
}

bool IsBestFitKind(int kind)
{
    return std::any_of(std::begin(kBestFitKinds), std::end(kBestFitKinds),
                       [kind](const BestFitKindTexts& k) { return k.kind == kind; });
}

BestFitTexts BestFitDialogTexts(const BestFit& fit)
{
    BestFitTexts t;
    for (const BestFitKindTexts& k : kBestFitKinds)
        if (k.kind == fit.kind) {
            t.caption = k.caption;
            t.circleBox = k.circleBox;
        }
    t.circleShown = fit.kind != kAddSC3Points;
    t.planeNotation = writesPlane(fit.kind);
    const bool circleKind = fit.kind == kAddBestSmallCircle || fit.kind == kAddGCBootstrap
                            || fit.kind == kAddSCBootstrap || fit.kind == kAddSC3Points;
    t.apertureShown = circleKind;
    t.twoPartsEnabled = circleKind;
    const bool noCones = fit.kind == kAddBestSmallCircle || fit.kind == kAddSC3Points;
    const bool bootstrap = fit.kind == kAddGCBootstrap || fit.kind == kAddSCBootstrap;
    const auto box = [&](std::string_view level, double cone, bool& enabled) {
        enabled = !noCones && (bootstrap || ConeUsable(cone));
        if (noCones)
            return std::string(level);
        if (!ConeUsable(cone))
            return std::string(level) + " : >90" + std::string(kDegree);
        return std::string(level) + " (" + DegreesText(cone) + ")";
    };
    t.cone95Box = box("95%", fit.cone95, t.cone95Enabled);
    t.cone99Box = box("99%", fit.cone99, t.cone99Enabled);
    return t;
}

std::string BestFitDirection(const BestFit& fit, const Notation& notation, bool decimals)
{
    return DirToText(decimals, writesPlane(fit.kind), fit.plunge, fit.trend, notation);
}

std::string BestFitAperture(const BestFit& fit, bool decimals)
{
    return FormatAngle(decimals, degrees(fit.aperture));
}

BestFitChoices InitialChoices(int kind, const VarGlob& settings)
{
    const std::int32_t opt = settings.OptAdd;
    BestFitChoices c;
    c.pole = TestBit(opt, kOptAddPole);
    c.circle = TestBit(opt, kOptAddCircle);
    c.cone95 = TestBit(opt, kOptAddCone95);
    c.cone99 = TestBit(opt, kOptAddCone99);
    c.thick = TestBit(opt, kOptAddThick);
    c.dot = TestBit(opt, kOptAddDot);
    c.twoParts = TestBit(opt, kOptAddTwoParts);
    c.optionsOpen = TestBit(opt, kOptAddOptionsOpen);
    c.decimals = TestBit(opt, kOptAddDecimals);
    c.tailed = TestBit(opt, kOptAddTailed);
    if (kind == kAddBestAxis)
        c.circle = false;
    if (opensWithoutPole(kind))
        c.pole = false;
    if (kind >= 0 && kind < kAddKindCount) {
        c.colour = settings.TcoAdd[static_cast<std::size_t>(kind)];
        c.symbol = settings.SyAdd[static_cast<std::size_t>(kind)];
    }
    return c;
}

void StoreChoices(const BestFit& fit, const BestFitChoices& c, VarGlob& settings)
{
    const BestFitTexts t = BestFitDialogTexts(fit);
    std::int32_t& opt = settings.OptAdd;
    // A box the kind opens unticked whatever was remembered tells something only when ticked:
    // a best axis must not make every later best plane open without its trace.
    const bool poleForced = opensWithoutPole(fit.kind);
    const bool circleForced = fit.kind == kAddBestAxis;
    if (!poleForced || c.pole)
        SetBit(opt, kOptAddPole, c.pole);
    if (t.circleShown && (!circleForced || c.circle))
        SetBit(opt, kOptAddCircle, c.circle);
    if (t.cone95Enabled)
        SetBit(opt, kOptAddCone95, c.cone95);
    if (t.cone99Enabled)
        SetBit(opt, kOptAddCone99, c.cone99);
    SetBit(opt, kOptAddThick, c.thick);
    SetBit(opt, kOptAddDot, c.dot);
    if (t.twoPartsEnabled)
        SetBit(opt, kOptAddTwoParts, c.twoParts);
    SetBit(opt, kOptAddOptionsOpen, c.optionsOpen);
    SetBit(opt, kOptAddDecimals, c.decimals);
    SetBit(opt, kOptAddTailed, c.tailed);
    if (fit.kind >= 0 && fit.kind < kAddKindCount) {
        settings.TcoAdd[static_cast<std::size_t>(fit.kind)] = c.colour;
        settings.SyAdd[static_cast<std::size_t>(fit.kind)] = std::abs(c.symbol);
    }
}

std::vector<InfoAdd> BestFitEntries(const BestFit& fit, const BestFitChoices& c)
{
    std::vector<InfoAdd> out;
    switch (fit.kind) {
    case kAddBestAxis:
        poleCircleCones(out, fit, c, {kAddBestAxis, kAddNormalToBA, kAddCone95BA, kAddCone99BA});
        break;
    case kAddBestPlane:
        poleCircleCones(out, fit, c, {kAddBestPlane, kAddPoleBP, kAddCone95BP, kAddCone99BP});
        break;
    case kAddBestGC:
        poleCircleCones(out, fit, c, {kAddPoleBGC, kAddBestGC, kAddCone95BGC, kAddCone99BGC});
        break;
    case kAddBestSmallCircle: {
        out.push_back(entry(kAddPoleBSC, fit, c, c.pole));
        InfoAdd circle = circleEntry(kAddBestSmallCircle, fit, c, c.circle);
        circle.x[1] = fit.aperture;
        circle.a[2] = std::clamp(static_cast<int>(std::lround(fit.cone95)), 0, 2);
        circle.b[2] = c.twoParts ? 1 : 0;
        out.push_back(circle);
        break;
    }
    case kAddGCBootstrap:
        out.push_back(entry(kAddPoleBGC, fit, c, c.pole));
        out.push_back(circleEntry(kAddBestGC, fit, c, c.circle));
        out.push_back(coneEntry(kAddCone95GCBoot, fit, c, fit.cone95, c.cone95));
        out.push_back(coneEntry(kAddCone99GCBoot, fit, c, fit.cone99, c.cone99));
        break;
    case kAddSCBootstrap: {
        out.push_back(entry(kAddPoleBSC, fit, c, c.pole));
        InfoAdd circle = circleEntry(kAddBestSmallCircle, fit, c, c.circle);
        circle.x[1] = fit.aperture;
        circle.a[2] = 1; // the circle itself is the principal part; "two parts" adds the other
        circle.b[2] = c.twoParts ? 1 : 0;
        out.push_back(circle);
        out.push_back(coneEntry(kAddCone95SCBoot, fit, c, fit.cone95, c.cone95));
        out.push_back(coneEntry(kAddCone99SCBoot, fit, c, fit.cone99, c.cone99));
        break;
    }
    case kAddSC3Points: {
        InfoAdd circle = circleEntry(kAddSC3Points, fit, c, true);
        circle.x[1] = fit.aperture;
        circle.a[2] = c.pole ? 1 : 0;
        circle.b[2] = c.twoParts ? 1 : 0;
        for (std::size_t k = 0; k < 3; ++k) {
            circle.x[2 + k] = fit.points[k].at.trend;
            circle.y[2 + k] = fit.points[k].at.plunge;
            circle.a[3 + k] = fit.points[k].record;
        }
        out.push_back(circle);
        break;
    }
    default: break;
    }
    return out;
}

bool KeepBestFit(CanvasModel& canvas, const BestFit& fit, const BestFitChoices& choices)
{
    const std::vector<InfoAdd> entries = BestFitEntries(fit, choices);
    if (entries.empty() || !AppendAdd(canvas, entries))
        return false;
    UndoPlotRecord& undo = canvas.lUndoPlot;
    undo.bfit = static_cast<std::uint8_t>(fit.kind);
    undo.stade = 1;
    undo.v2 = static_cast<int>(entries.size());
    undo.actif = true;
    return true;
}

std::vector<InfoLine> BestFitReport(const BestFit& fit, int tossings, const Notation& notation,
                                    bool decimals, DayCount now)
{
    const std::string axis = DirToText(decimals, false, fit.plunge, fit.trend, notation);
    const std::string cones = "axis confidence cones 95% and 99%: " + DegreesText(fit.cone95)
                              + " and " + DegreesText(fit.cone99);
    if (fit.kind == kAddGCBootstrap)
        return {{shortTime(now)
                     + sformat(" - Error on great circle (boot strap, %d tossings)", tossings),
                 true},
                {"best great circle axis " + axis},
                {cones}};
    if (fit.kind == kAddSCBootstrap)
        return {{shortTime(now)
                     + sformat(" - Error on small circle (boot strap, %d tossings)", tossings),
                 true},
                {"best small circle : axis " + axis + " aperture "
                 + FormatFixed(degrees(fit.aperture), 1)},
                {cones}};
    return {};
}

} // namespace ploq
