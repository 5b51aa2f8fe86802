#include "stats3d/BootstrapCommands.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/SafeFile.h"
#include "stats3d/Bootstrap.h"
#include "stats3d/BootstrapDiagram.h"
#include "stats3d/DlgPlotGcPC.h"
#include "stats3d/Stats3D.h"
#include "stats3d/Stats3Dadd.h"
#include "transform/UseSymb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

namespace ploq {

namespace {

// A run in progress on a canvas. The run stays on the user-interface thread and lets the
// window system work between tossings; meanwhile only the canvas's "cancel" button and Esc
// reach the program, so that no other command changes what the run works on.
class BootstrapRun : public QObject {
public:
    BootstrapRun(TWPlot& canvas, int mode, int tossings)
        : canvas_(&canvas), tossings_(tossings), mode_(canvas.model().butPosXY),
          caption_(canvas.Button1()->text()), buttonShown_(canvas.Button1()->isVisible())
    {
        QProgressBar* bar = canvas.ProgressBar1();
        bar->setRange(0, tossings);
        bar->setValue(0);
        bar->show();
        canvas.model().butPosXY = mode;
        canvas.Button1()->setText(QStringLiteral("cancel"));
        canvas.Button1()->show();
        current_ = this;
        qApp->installEventFilter(this);
        sinceEvents_.start();
    }

    ~BootstrapRun() override
    {
        qApp->removeEventFilter(this);
        current_ = nullptr;
        if (canvas_)
            canvas_->ProgressBar1()->hide();
    }

    // Puts the canvas's button and mode back as they were before the run.
    void restoreButton()
    {
        if (!canvas_)
            return;
        canvas_->model().butPosXY = mode_;
        canvas_->Button1()->setText(caption_);
        canvas_->Button1()->setVisible(buttonShown_);
    }

    // The progress callback of the core run: false once the user cancelled or the canvas went.
    bool progress(int done)
    {
        if (done == 1 || done == tossings_ || sinceEvents_.elapsed() >= kEventsEveryMs) {
            if (canvas_)
                canvas_->ProgressBar1()->setValue(done);
            QApplication::processEvents();
            sinceEvents_.restart();
        }
        return canvas_ && !cancelled_;
    }

    TWPlot* canvas() const { return canvas_; }
    bool cancelled() const { return cancelled_ || !canvas_; }
    void cancel() { cancelled_ = true; }

    static BootstrapRun* current() { return current_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                cancelled_ = true;
            return true;
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close: return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: return !canvas_ || watched != canvas_->Button1();
        default: return false;
        }
    }

private:
    static constexpr int kEventsEveryMs = 40;
    static inline BootstrapRun* current_ = nullptr;

    QPointer<TWPlot> canvas_;
    int tossings_ = 0;
    int mode_ = kModeNone;
    QString caption_;
    bool buttonShown_ = false;
    bool cancelled_ = false;
    QElapsedTimer sinceEvents_;
};

std::vector<Vec3> PresentDirections(CanvasModel& canvas)
{
    const std::span<const InfoVal> records = CanvasRecords(canvas);
    return MakeWorkingSet(records, PresentPairs(records)).u;
}

std::string VkiPath()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return (folder / std::string(kVkiFileName)).string();
}

// Writes VKi.txt; tells the user when it cannot.
std::optional<std::string> WriteVki(Application& app, const std::string& text)
{
    const std::string path = VkiPath();
    if (ReplaceFile(path, text))
        return path;
    app.prompts().error(std::string(kMsgVkiNotWritten));
    return std::nullopt;
}

// The file as it now stands on the disk: the diagram shows what was written.
std::string ReadBack(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void AppendLines(TWPlot& canvas, const std::vector<InfoLine>& lines)
{
    for (const InfoLine& line : lines)
        canvas.appendInfo(line.text, line.bold, clBlack, line.italic);
}

void OpenDiagram(Application& app, int diagram, const std::string& caption, const std::string& path,
                 int ranked, int failures, const std::vector<InfoLine>& report)
{
    TWPlot* plot = NewWP(app, kWPStats3D);
    if (!plot)
        return;
    plot->setTitle(caption);
    KeepBootstrapDiagram(plot->model(), diagram, path, ReadBack(path), ranked, failures);
    AppendLines(*plot, report);
    plot->NettoyerWP();
}

// The source canvas remembers the result for "keep": axis, cones (ar4 and ar5 belong to an
// axed grid) and aperture.
void AwaitKeep(TWPlot& canvas, int mode, const Direction& axis, double cone95, double cone99,
               double aperture)
{
    CanvasModel& m = canvas.model();
    m.ar1 = axis.trend;
    m.ar2 = axis.plunge;
    m.ar3 = cone95;
    m.ar6 = cone99;
    m.ar7 = aperture;
    m.butPosXY = mode;
    canvas.Button1()->setText(QStringLiteral("keep"));
    canvas.Button1()->show();
}

bool Starts(Application& app, TWPlot*& canvas, std::vector<Vec3>& u)
{
    canvas = ActiveCanvas(app);
    if (!canvas || canvas->model().natWP != kWPOrdinary || BootstrapRun::current())
        return false;
    u = PresentDirections(canvas->model());
    if (u.size() >= 3)
        return true;
    app.prompts().information(std::string(kMsgBootstrapTooFew));
    return false;
}

} // namespace

void BootstrapGreatCircle(Application& app)
{
    TWPlot* source = nullptr;
    std::vector<Vec3> u;
    if (!Starts(app, source, u))
        return;
    const int tossings = app.settings().NbTirBS;
    QPointer<TWPlot> canvas = source;
    std::optional<GreatCircleBootstrap> run;
    {
        BootstrapRun progress(*source, kModeBootstrapGC, tossings);
        run.emplace(
            BootstrapGreatCircleOf(u, tossings, SeedFromClock(app.clock().now()),
                                   [&progress](int done) { return progress.progress(done); }));
        progress.restoreButton();
    }
    if (!canvas || run->status == BootstrapStatus::Cancelled)
        return;
    if (run->status == BootstrapStatus::NoMemory) {
        app.prompts().error(std::string(kMsgNoMemoryGreatCircle));
        return;
    }
    const std::optional<std::string> path = WriteVki(app, VkiText(*run));
    if (!path)
        return;
    const VarGlob& s = app.settings();
    canvas->drawNow([&run](const DrawContext& ctx) { DrawBootstrapMarks(ctx, *run); });
    const Direction pole{run->reference().x, run->reference().y};
    AwaitKeep(*canvas, kModeBootstrapGC, pole, run->cone95, run->cone99, std::numbers::pi / 2);
    OpenDiagram(app, kDiagramBootstrapGC, "Best GC (bootstrap)", *path, tossings, 0,
                BootstrapReport(*run, {s.FrtS, s.FrtL}, app.clock().now()));
}

void BootstrapSmallCircle(Application& app)
{
    TWPlot* source = nullptr;
    std::vector<Vec3> u;
    if (!Starts(app, source, u))
        return;
    const int tossings = app.settings().NbTirBS;
    const bool lower = source->model().net().lowerHemisphere;
    QPointer<TWPlot> canvas = source;
    std::optional<SmallCircleBootstrap> run;
    {
        BootstrapRun progress(*source, kModeBootstrapSC, tossings);
        run.emplace(
            BootstrapSmallCircleOf(u, tossings, SeedFromClock(app.clock().now()), lower,
                                   [&progress](int done) { return progress.progress(done); }));
        progress.restoreButton();
    }
    if (!canvas || run->status == BootstrapStatus::Cancelled)
        return;
    const VarGlob& s = app.settings();
    const std::vector<InfoLine> report = BootstrapReport(*run, {s.FrtS, s.FrtL}, app.clock().now());
    switch (run->status) {
    case BootstrapStatus::NoMemory:
        app.prompts().error(std::string(kMsgNoMemorySmallCircle));
        return;
    case BootstrapStatus::ReferenceFailed:
        app.prompts().information(std::string(kMsgSmallCircleFailed));
        return;
    default: break;
    }
    if (run->valid == 0) {
        AppendLines(*canvas, report);
        return;
    }
    const std::optional<std::string> path = WriteVki(app, VkiText(*run));
    if (!path)
        return;
    canvas->drawNow([&run](const DrawContext& ctx) { DrawBootstrapMarks(ctx, *run); });
    AwaitKeep(*canvas, kModeBootstrapSC, run->fit.axis, run->cone95, run->cone99,
              run->fit.aperture);
    OpenDiagram(app, kDiagramBootstrapSC, "Best PC (bootstrap)", *path, run->valid,
                tossings - run->valid, report);
}

namespace {

// The canvas button of a bootstrap: "cancel" while it runs, then "keep".
void KeepOrCancel(TWPlot& plot, int kind)
{
    if (BootstrapRun* running = BootstrapRun::current()) {
        if (running->canvas() == &plot)
            running->cancel();
        return;
    }
    const CanvasModel& m = plot.model();
    plot.app().activateWindow(plot);
    PlotBestFit(plot.app(), kind, m.ar6, m.ar3, m.ar7, m.ar2, m.ar1);
}

} // namespace

void InstallBootstrapCommands(TForm1& form, Application& app)
{
    ClickModes()[kModeBootstrapGC] = {
        {}, {}, {}, [](TWPlot& plot, bool) { KeepOrCancel(plot, kAddGCBootstrap); }};
    ClickModes()[kModeBootstrapSC] = {
        {}, {}, {}, [](TWPlot& plot, bool) { KeepOrCancel(plot, kAddSCBootstrap); }};
    form.setHandler(Cmd::ErrorGreatCircle, [&app] { BootstrapGreatCircle(app); });
    form.setHandler(Cmd::ErrorSmallCircle, [&app] { BootstrapSmallCircle(app); });
}

} // namespace ploq
