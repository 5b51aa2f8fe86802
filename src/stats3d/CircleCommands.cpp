#include "stats3d/CircleCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "platform/Prompts.h"
#include "stats3d/CircleAnalysis.h"
#include "stats3d/CircleReports.h"
#include "stats3d/DlgPlotGcPC.h"
#include "stats3d/Stats3DDiagrams.h"
#include "transform/UseSymb.h"

#include <QProgressBar>

#include <numbers>

namespace ploq {

namespace {

void appendLines(TWPlot& canvas, const std::vector<InfoLine>& lines)
{
    for (const InfoLine& line : lines)
        canvas.appendInfo(line.text, line.bold);
}

// The canvas's progress bar for the time of a computation: shown with its steps, hidden again
// however the computation ends.
class ProgressShown {
public:
    ProgressShown(TWPlot& canvas, int steps) : bar_(canvas.ProgressBar1())
    {
        bar_->setRange(0, steps);
        bar_->setValue(0);
        bar_->show();
    }
    ~ProgressShown()
    {
        if (bar_)
            bar_->hide();
    }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

    void step()
    {
        if (bar_ && bar_->value() < bar_->maximum())
            bar_->setValue(bar_->value() + 1);
    }

private:
    QPointer<QProgressBar> bar_;
};

std::vector<Vec3> displayedVectors(CanvasModel& canvas)
{
    std::vector<Vec3> u;
    for (const InfoVal& v : CanvasRecords(canvas))
        if (TestBit(v.inf, kInfPresent))
            u.push_back(DirToVec({v.azi, v.pen}));
    return u;
}

} // namespace

void BestGreatCircle(Application& app, const Stats3DSelection& selection)
{
    QPointer<TWPlot> canvas = selection.canvas;
    if (!canvas)
        return;
    const BestGreatCircleResult r = BestGreatCircleOf(selection.set.u);
    const VarGlob& s = app.settings();
    const std::vector<InfoLine> report = GreatCircleReport(r, {s.FrtS, s.FrtL}, app.clock().now());
    appendLines(*canvas, {report.begin(), report.begin() + 2});
    canvas->drawNow([&r](const DrawContext& ctx) { DrawGreatCircleMarks(ctx, r); });
    appendLines(*canvas, {report.begin() + 2, report.end()});
    PlotBestFit(app, kAddBestGC, r.cones.cone99, r.cones.cone95, std::numbers::pi / 2,
                r.pole.plunge, r.pole.trend);
}

void BestSmallCircle(Application& app, const Stats3DSelection& selection)
{
    QPointer<TWPlot> canvas = selection.canvas;
    if (!canvas)
        return;
    const Net net = canvas->model().net();
    const SmallCircleFit fit = FitSmallCircle(selection.set.u, net.lowerHemisphere);
    if (fit.failed) {
        app.prompts().information(std::string(kMsgSmallCircleFailed));
        return;
    }
    const VarGlob& s = app.settings();
    appendLines(*canvas, SmallCircleReport(fit, {s.FrtS, s.FrtL}, app.clock().now()));
    const Direction bestAxis = BestPoleOf(selection.set.u, kSetLines).direction();
    const int part = SmallCirclePart(fit.aperture, fit.axis.plunge, fit.axis.trend, bestAxis, net);
    canvas->drawNow([&](const DrawContext& ctx) { DrawSmallCircleNow(ctx, fit, part); });
    PlotBestFit(app, kAddBestSmallCircle, fit.aperture, part, fit.aperture, fit.axis.plunge,
                fit.axis.trend);
}

TWPlot* BestCircleAnalysis(Application& app)
{
    QPointer<TWPlot> source = ActiveCanvas(app);
    if (!source || !HoldsRecords(source->model().natWP))
        return nullptr;
    const std::vector<Vec3> u = displayedVectors(source->model());
    if (u.size() < 3) {
        app.prompts().information(std::string(kMsgTooFewForAnalysis));
        return nullptr;
    }
    std::optional<CircleAnalysisData> data;
    {
        ProgressShown progress(*source, kCircleAnalysisSteps);
        data = AnalyseBestCircles(u, source->model().net().lowerHemisphere,
                                  [&progress] { progress.step(); });
    }
    if (!data)
        return nullptr;
    TWPlot* result = NewWP(app, kWPStats3D);
    if (!result)
        return nullptr;
    result->setTitle(std::string(kTitleCircleAnalysis));
    const VarGlob& s = app.settings();
    appendLines(*result, CircleAnalysisReport(*data, {s.FrtS, s.FrtL}, app.clock().now()));
    KeepCircleAnalysis(result->model(), *data);
    result->NettoyerWP();
    if (source)
        source->drawNow([&data](const DrawContext& ctx) { DrawCircleAnalysisMarks(ctx, *data); });
    emit app.menusChanged();
    return result;
}

void InstallCircleCommands(TForm1& form, Application& app)
{
    RegisterStats3DDisplay(CanvasPainters::Registered());
    form.setHandler(Cmd::BestGreatCircle, [&app] {
        if (const std::optional<Stats3DSelection> selection = SelectStats3D(app))
            BestGreatCircle(app, *selection);
    });
    form.setHandler(Cmd::BestSmallCircle, [&app] {
        if (const std::optional<Stats3DSelection> selection = SelectStats3D(app))
            BestSmallCircle(app, *selection);
    });
    form.setHandler(Cmd::BestCircleAnalysis, [&app] { BestCircleAnalysis(app); });
}

} // namespace ploq
