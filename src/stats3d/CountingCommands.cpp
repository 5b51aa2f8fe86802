#include "stats3d/CountingCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilDessin.h"
#include "platform/QtText.h"
#include "stats3d/Counting.h"

#include <QLabel>
#include <QPushButton>

namespace ploq {

namespace {

constexpr int kNodeMarkRadius = 10; // round the count written at the node
constexpr int kNodeMarkColour = 11; // fixed blue

// Mode 81: the node nearest the click, its direction and count in the panel, the node marked
// and its direction in the label. A click outside the net is ignored.
void nodeClick(TWPlot& plot, const CanvasMouse& mouse)
{
    CanvasModel& m = plot.model();
    const std::optional<Direction> clicked = m.DirAt(mouse.x, mouse.y);
    if (!clicked || !mouse.left || m.lNbCr < 1)
        return;
    const int node = NodeAt(*clicked, m.lNbCr);
    const auto slot = static_cast<std::size_t>(node);
    const int count = slot < m.lVnod.size() ? m.lVnod[slot] : 0;
    const VarGlob& s = plot.app().settings();
    const Notation notation{s.FrtS, s.FrtL};
    plot.appendInfo(NodePositionLine(node, m.lNbCr, count, notation));
    plot.NettoyerWP();
    const Direction at = NodeDirection(node, m.lNbCr);
    plot.drawNow([&at](const DrawContext& ctx) {
        const Point p = DirToPixel(at, ctx.net);
        Surface& surface = ctx.CnvsCourant;
        surface.setPen({CouleurDe(ctx.settings.Tco, kNodeMarkColour), 1});
        surface.setBrush({clWhite, BrushStyle::Clear});
        const int r = ctx.scaled(kNodeMarkRadius);
        surface.ellipse({p.x - r, p.y - r, p.x + r + 1, p.y + r + 1});
        surface.setPen({});
    });
    QLabel* label = plot.Label2();
    label->setText(toQString(DirToText(false, false, at.plunge, at.trend, notation)));
    label->adjustSize();
    label->show();
}

} // namespace

TWPlot* Counting(Application& app, const Stats3DSelection& selection)
{
    const QPointer<TWPlot> source = selection.canvas;
    if (!source)
        return nullptr;
    // The setting is read at each counting; the canvas keeps the crown number it was made with.
    const CountingResult r = CountNodes(selection.set.u, app.settings().NbCr);
    TWPlot* plot = NewWP(app, kWPCounting, source->title());
    if (!plot)
        return nullptr;
    CanvasModel& m = plot->model();
    KeepCounting(m, r);
    for (const InfoLine& line :
         CountingReport(r, TestBit(m.lOptS3Dadd, kS3DaddCountF), app.clock().now()))
        plot->appendInfo(line.text, line.bold);
    plot->NettoyerWP();
    emit app.menusChanged(); // the canvas now holds the number counted
    return plot;
}

bool StartNodePosition(TWPlot& canvas)
{
    if (canvas.model().natWP != kWPCounting)
        return false;
    canvas.model().butPosXY = kModeCountingNode;
    canvas.SignalClic(true);
    canvas.Button1()->setText(QStringLiteral("OK"));
    canvas.Button1()->show();
    return true;
}

void InstallCountingCommands(TForm1& form, Application& app)
{
    RegisterCountingDisplay(CanvasPainters::Registered());
    ClickModes()[kModeCountingNode] = {nodeClick, {}, {}, {}};
    form.setHandler(Cmd::Counting, [&app] {
        if (const std::optional<Stats3DSelection> selection = SelectStats3D(app))
            Counting(app, *selection);
    });
    // A counting canvas holds no records to choose from: no selection step.
    form.setHandler(Cmd::CountingNodePosition, [&app] {
        if (TWPlot* canvas = ActiveCanvas(app)) {
            canvas->raise();
            StartNodePosition(*canvas);
        }
    });
}

} // namespace ploq
