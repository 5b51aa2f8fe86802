#include "faults/DihedraCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "faults/DihedraDraw.h"
#include "faults/FaultCommands.h"
#include "faults/RightDihedra.h"
#include "model/UtilGlob.h"
#include "platform/QtText.h"
#include "stats3d/Counting.h"
#include "stats3d/DihedraContours.h"

#include <QLabel>
#include <QPushButton>

namespace ploq {

namespace {

bool lowerHemisphere(const CanvasModel& m)
{
    return TestBit(m.lStyleCnvs, kStyleLowerHemisphere);
}

Notation notationOf(const Application& app)
{
    const VarGlob& s = app.settings();
    return {s.FrtS, s.FrtL};
}

std::string lineText(const Direction& d, const Notation& notation)
{
    return DirToText(false, false, d.plunge, d.trend, notation);
}

void tellDegenerate(TWPlot& plot, std::span<const InfoVal> records, std::span<const int> firsts)
{
    for (const std::string& line : DegenerateLines(records, firsts))
        plot.appendInfo(line);
}

void shown(Application& app, TWPlot& plot)
{
    plot.NettoyerWP();
    plot.SetControls();
    emit app.menusChanged();
}

// The node under a click on a right dihedra canvas, on the grid the canvas was computed on;
// none outside the net.
std::optional<int> clickedNode(const CanvasModel& m, const CanvasMouse& mouse)
{
    const std::optional<Direction> clicked = m.DirAt(mouse.x, mouse.y);
    if (!clicked || !mouse.left || m.lNbCr < 1)
        return std::nullopt;
    return NodeAt(*clicked, m.lNbCr);
}

// The node marked and its direction in the label.
void showNode(TWPlot& plot, int node, const Notation& notation)
{
    const Direction at = NodeDirection(node, plot.model().lNbCr);
    plot.drawNow([&at](const DrawContext& ctx) { DrawNodeMark(ctx, at); });
    QLabel* label = plot.Label2();
    label->setText(toQString(lineText(at, notation)));
    label->adjustSize();
    label->show();
}

void valueClick(TWPlot& plot, const CanvasMouse& mouse)
{
    const CanvasModel& m = plot.model();
    const std::optional<Direction> clicked = m.DirAt(mouse.x, mouse.y);
    if (!clicked || !mouse.left)
        return;
    const int value = DihedraCounter(CanvasRecords(m), lowerHemisphere(m)).CountAt(*clicked);
    plot.drawNow([&](const DrawContext& ctx) { DrawClickedValue(ctx, {mouse.x, mouse.y}, value); });
    plot.appendInfo(sformat("point %s   v = %s", lineText(*clicked, notationOf(plot.app())).c_str(),
                            std::to_string(value).c_str()));
}

void nodeClick(TWPlot& plot, const CanvasMouse& mouse)
{
    const std::optional<int> node = clickedNode(plot.model(), mouse);
    if (!node)
        return;
    const Notation notation = notationOf(plot.app());
    const Direction at = NodeDirection(*node, plot.model().lNbCr);
    plot.appendInfo(sformat("nod %d, position : %s ", *node, lineText(at, notation).c_str()));
    showNode(plot, *node, notation);
}

void zeroClick(TWPlot& plot, const CanvasMouse& mouse)
{
    const std::optional<int> node = clickedNode(plot.model(), mouse);
    if (!node)
        return;
    Application& app = plot.app();
    const Notation notation = notationOf(app);
    const CanvasModel& m = plot.model();
    const Direction at = NodeDirection(*node, m.lNbCr);
    plot.appendInfo(sformat("nod set to zero :  %s ", lineText(at, notation).c_str()));
    showNode(plot, *node, notation);
    const auto slot = static_cast<std::size_t>(*node);
    if (slot >= m.lVnod.size() || m.lVnod[slot] == 0)
        return;
    const NodeRemoval removal =
        RemoveNode(CanvasRecords(m), m.lVnod, m.lNbCr, *node, lowerHemisphere(m), notation);
    TWPlot* result = NewWP(app, kWPDihedra, "faults");
    if (!result)
        return;
    KeepNodeRemoval(result->model(), plot.model(), removal);
    result->appendInfo("Derelicted faults :");
    for (const std::string& line : removal.lines)
        result->appendInfo(line);
    shown(app, *result);
}

// The button of a fault canvas: a running click mode ends first; then the next overlay.
void faultButton(TWPlot& plot, bool)
{
    CanvasModel& m = plot.model();
    const bool running = m.butPosXY > 1;
    if (running) {
        m.butPosXY = kModeNone;
        plot.SignalClic(false);
        plot.Label2()->hide();
    }
    m.i1 = NextFaultStep(m.i1, running);
    plot.Button1()->setText(QString::fromLatin1(FaultStepCaption(m.i1)));
    plot.NettoyerWP();
}

std::vector<InfoLine> dihedraHeading(const DihedraResult& r, DayCount now)
{
    return {{shortTime(now) + " - Right angle dihedra", true},
            {sformat("%d faults, grid : %d crowns, %d nods", r.faults(), r.crowns,
                     NodeCount(r.crowns))}};
}

} // namespace

TWPlot* DihedraCalculate(Application& app)
{
    TWPlot* source = CheckedFaultCanvas(app);
    if (!source)
        return nullptr;
    const CanvasModel& s = source->model();
    // The setting is read now; the canvas keeps the crown number it was computed on.
    const DihedraResult r =
        CalculateDihedra(CanvasRecords(s), app.settings().NbCr, lowerHemisphere(s));
    TWPlot* plot = NewWP(app, kWPDihedra, source->title());
    if (!plot)
        return nullptr;
    KeepDihedra(plot->model(), source->model(), r);
    for (const InfoLine& line : dihedraHeading(r, app.clock().now()))
        plot->appendInfo(line.text, line.bold);
    tellDegenerate(*plot, CanvasRecords(source->model()), r.pairs.degenerate);
    shown(app, *plot);
    return plot;
}

TWPlot* PTAxesCanvas(Application& app)
{
    TWPlot* source = CheckedFaultCanvas(app);
    if (!source)
        return nullptr;
    const PTAxes axes =
        ComputePTAxes(CanvasRecords(source->model()), lowerHemisphere(source->model()));
    TWPlot* plot = NewWP(app, kWPPTAxes, source->title());
    if (!plot)
        return nullptr;
    KeepPTAxes(plot->model(), source->model(), axes);
    for (const InfoLine& line : PTReport(axes, app.clock().now()))
        plot->appendInfo(line.text, line.bold);
    tellDegenerate(*plot, CanvasRecords(source->model()), axes.degenerate);
    shown(app, *plot);
    return plot;
}

bool StartDihedraMode(TWPlot& canvas, int mode)
{
    if (canvas.model().natWP != kWPDihedra)
        return false;
    canvas.model().butPosXY = mode;
    canvas.SignalClic(true);
    canvas.Button1()->setText(QStringLiteral("ok"));
    canvas.Button1()->show();
    return true;
}

void InstallDihedraCommands(TForm1& form, Application& app)
{
    RegisterDihedraDisplays(CanvasPainters::Registered());
    // A density given before the window was made (a stand-in) is left in place.
    if (!RightDihedraDensity())
        FillRightDihedraDensity();
    ClickModes()[kModeDihedraValue] = {valueClick, {}, {}, {}};
    ClickModes()[kModeDihedraNode] = {nodeClick, {}, {}, {}};
    ClickModes()[kModeDihedraZero] = {zeroClick, {}, {}, {}};
    KindButtons()[kWPDihedra] = faultButton;
    KindButtons()[kWPPTAxes] = faultButton;
    form.setHandler(Cmd::DihedraCalculate, [&app] { DihedraCalculate(app); });
    form.setHandler(Cmd::FaultsPTAxis, [&app] { PTAxesCanvas(app); });
    const std::pair<Cmd, int> modes[] = {{Cmd::DihedraValueAtClick, kModeDihedraValue},
                                         {Cmd::DihedraNodePosition, kModeDihedraNode},
                                         {Cmd::DihedraNodeToZero, kModeDihedraZero}};
    for (const auto& [cmd, clickMode] : modes)
        form.setHandler(cmd, [&app, mode = clickMode] {
            if (TWPlot* canvas = ActiveCanvas(app)) {
                canvas->raise();
                StartDihedraMode(*canvas, mode);
            }
        });
}

} // namespace ploq
