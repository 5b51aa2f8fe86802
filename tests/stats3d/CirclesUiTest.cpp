// "Best great circle", "Best small circle" and "Best circle distribution analysis" on a canvas:
// the panel lines with a fixed clock, the marks left on the recording surface, the messages,
// the result canvas and its progress bar; then end to end on the example sheets as a user
// would, with pictures (pictures/circles_*.png).

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/CircleAnalysis.h"
#include "stats3d/CircleReports.h"
#include "stats3d/DlgPlotGcPC.h"
#include "support/Draws.h"
#include "support/PlotUi.h"
#include "support/UiApp.h"
#include "transform/DlgUseSymb.h"

#include <QAction>
#include <QCheckBox>
#include <QProgressBar>
#include <QTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ploq {
namespace {

constexpr double kPi = std::numbers::pi;

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

using test::PanelLines;

struct CirclesOnCanvas : ::testing::Test {
    CirclesOnCanvas()
    {
        VarGlob& s = t.app.settings();
        s.FrtL = 1; // plunge/direction
        s.FrtS = 1;
        s.GridCol = 13;
        SavePrefsFile(s, t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        canvas = NewWP(t.app, kWPOrdinary);
        canvas->SetRayon(150, true);
    }
    ~CirclesOnCanvas() override
    {
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
        RunPlotGCPC() = [](TDlgPlotGCPC& d) { return d.exec(); };
    }

    void plot(const std::vector<Direction>& directions, int absent = 0)
    {
        int i = 0;
        for (const Direction& d : directions) {
            InfoVal v;
            v.na = "L";
            v.azi = d.trend;
            v.pen = d.plunge;
            InfoVal& added = AjoutVal(canvas->model(), v, 1, 0);
            SetBit(added.inf, kInfPresent, i++ >= absent);
        }
        canvas->NettoyerWP();
        form->RefreshMenus();
    }
    RecordingSurface& surface(TWPlot& plot)
    {
        return dynamic_cast<RecordingImage&>(*plot.model().image()).recording();
    }
    int canvases() { return t.app.registry().count(WindowKind::Canvas); }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
    TWPlot* canvas = nullptr;
};

// Directions of one plane whose pole is 30/120 (plunge/direction).
std::vector<Direction> OnePlane()
{
    std::vector<Direction> out;
    for (int i = 0; i < 9; ++i)
        out.push_back(test::Deviated({Rad(120), Rad(30)}, kPi / 2, i * 0.33 + 0.1));
    return out;
}

// Directions round a cone of axis 70/30 and aperture 20 degrees, inside the net.
std::vector<Direction> Cone(double trend = 30, double plunge = 70, double aperture = 20)
{
    std::vector<Direction> out;
    for (int i = 0; i < 16; ++i)
        out.push_back(test::Deviated({Rad(trend), Rad(plunge)}, Rad(aperture), 2 * kPi * i / 16));
    return out;
}

TEST_F(CirclesOnCanvas, MenuItemsEnabledOnAFilledCanvas)
{
    const std::pair<Cmd, const char*> items[] = {
        {Cmd::BestGreatCircle, "Best great circle"},
        {Cmd::BestSmallCircle, "Best small circle"},
        {Cmd::BestCircleAnalysis, "Best circle distribution analysis"}};
    form->RefreshMenus();
    for (const auto& [cmd, text] : items) {
        EXPECT_EQ(fromQString(form->action(cmd)->text()), text);
        EXPECT_FALSE(form->action(cmd)->isEnabled()) << text << ": an empty canvas";
    }
    plot(Cone());
    for (const auto& [cmd, text] : items)
        EXPECT_TRUE(form->action(cmd)->isEnabled()) << text;
    EXPECT_TRUE(form->toolBar()->actions().contains(form->action(Cmd::BestGreatCircle)));
}

// Before the dialog: the dashed trace in the grid colour, the pole and the cones; then the
// best-fit plot of kind 25 about the pole. Cancel leaves the heading, centre and cone lines.
TEST_F(CirclesOnCanvas, BestGreatCircleLinesMarksAndPlot)
{
    plot(OnePlane());
    const VarGlob& s = t.app.settings();
    BestFit offered;
    std::size_t dashed = 0, solid = 0, other = 0;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        offered = d.fit();
        for (const Primitive& p : surface(*canvas).primitives()) {
            if (p.pen.style == PenStyle::Dash && p.pen.colour == s.Tco[13])
                ++dashed;
            else if (p.pen.style == PenStyle::Solid)
                ++solid;
            else
                ++other;
        }
        return int(QDialog::Rejected);
    };
    surface(*canvas).clear();
    form->run(Cmd::BestGreatCircle);
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(offered.kind, kAddBestGC);
    EXPECT_LT(AngleBetween({offered.trend, offered.plunge}, {Rad(120), Rad(30)}), 1e-6);
    EXPECT_GT(dashed, 0u);
    EXPECT_GT(solid, 0u) << "the pole's symbol";
    EXPECT_EQ(other, 0u);
    const std::vector<std::string> lines = PanelLines(*canvas);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "14:05 - Best great circle");
    EXPECT_EQ(lines[1], "center : 30.0 / 120.0");
    EXPECT_TRUE(lines[2].rfind("aperture confidence cone 95% : ", 0) == 0
                || lines[2] == "unsuccesfull calculation of the confidence cones")
        << lines[2];
    EXPECT_EQ(canvas->model().lNAdd, 0);

    RunPlotGCPC() = [](TDlgPlotGCPC& d) {
        d.circleBox()->setChecked(true);
        return int(QDialog::Accepted);
    };
    form->run(Cmd::BestGreatCircle);
    EXPECT_GT(canvas->model().lNAdd, 0);
}

TEST_F(CirclesOnCanvas, BestSmallCircleInsideTheNetIsDrawnGreyAtOnce)
{
    plot(Cone());
    BestFit offered;
    std::size_t grey = 0, otherColour = 0;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        offered = d.fit();
        for (const Primitive& p : surface(*canvas).primitives())
            ++(p.pen.colour == kSmallCircleGrey ? grey : otherColour);
        return int(QDialog::Rejected);
    };
    surface(*canvas).clear();
    form->run(Cmd::BestSmallCircle);
    EXPECT_EQ(PanelLines(*canvas), (std::vector<std::string>{
                                       "14:05 - Best small circle",
                                       "center : 70.0 / 30.0 / operture : 20.0"}))
        << "a cancelled plot leaves the heading lines only";
    EXPECT_EQ(offered.kind, kAddBestSmallCircle);
    EXPECT_EQ(offered.cone95, 0) << "principal part 0";
    EXPECT_NEAR(offered.aperture, Rad(20), 1e-6);
    EXPECT_NEAR(offered.cone99, Rad(20), 1e-6);
    EXPECT_GT(grey, 0u);
    EXPECT_EQ(otherColour, 0u);
    EXPECT_EQ(canvas->model().lNAdd, 0);
}

// A cone that crosses the primitive is drawn by the plot alone, its principal part 1 or 2.
TEST_F(CirclesOnCanvas, BestSmallCircleAcrossThePrimitiveWaitsForThePlot)
{
    plot(Cone(200, 15, 30));
    BestFit offered;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        offered = d.fit();
        EXPECT_TRUE(surface(*canvas).primitives().empty());
        return int(QDialog::Accepted);
    };
    surface(*canvas).clear();
    form->run(Cmd::BestSmallCircle);
    EXPECT_TRUE(offered.cone95 == 1 || offered.cone95 == 2) << offered.cone95;
    EXPECT_GT(canvas->model().lNAdd, 0);
}

// Two distinct directions: the message once, nothing written, drawn or offered.
TEST_F(CirclesOnCanvas, FailedSmallCircleSaysSoOnce)
{
    plot({{Rad(10), Rad(40)}, {Rad(100), Rad(20)}, {Rad(10), Rad(40)}});
    int shown = 0;
    RunPlotGCPC() = [&](TDlgPlotGCPC&) { return ++shown, int(QDialog::Accepted); };
    t.prompts.expectMessage("Unsuccesfull calculation of the best small circle");
    surface(*canvas).clear();
    form->run(Cmd::BestSmallCircle);
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(t.prompts.messages().size(), 1u);
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(PanelLines(*canvas).empty());
    EXPECT_TRUE(surface(*canvas).primitives().empty());
    EXPECT_EQ(canvas->model().lNAdd, 0);
}

TEST_F(CirclesOnCanvas, AnalysisMakesTheResultCanvasAndMarksTheSource)
{
    plot(Cone(140, 50, 35));
    const int before = canvases();
    surface(*canvas).clear();
    form->run(Cmd::BestCircleAnalysis);
    ASSERT_EQ(canvases(), before + 1);
    TWPlot* result = ActiveCanvas(t.app);
    ASSERT_NE(result, canvas);
    EXPECT_EQ(result->title(), "Best circle analysis");
    EXPECT_EQ(result->model().natWP, kWPStats3D);
    EXPECT_EQ(result->model().i1, 36);
    ASSERT_TRUE(result->model().lKi);
    EXPECT_EQ(result->model().lKi->n, 16);
    const std::vector<std::string> lines = PanelLines(*result);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "14:05 - Best small/great circle analysis");
    EXPECT_EQ(lines[1].rfind("Best small circle, ki2 : ", 0), 0u);
    EXPECT_EQ(lines[5], "ki2 values,starting from center (white zone):");
    EXPECT_TRUE(PanelLines(*canvas).empty()) << "the source's panel stays as it was";
    EXPECT_FALSE(canvas->ProgressBar1()->isVisible());
    EXPECT_EQ(canvas->ProgressBar1()->maximum(), kCircleAnalysisSteps);
    EXPECT_EQ(canvas->ProgressBar1()->value(), kCircleAnalysisSteps);
    EXPECT_FALSE(surface(*canvas).primitives().empty()) << "the marks on the source";
    EXPECT_FALSE(surface(*result).primitives().empty()) << "the diagram";
    EXPECT_EQ(canvas->model().lNAdd, 0);
}

// Too few displayed values (held ones do not count, none at all included): the message before
// the progress bar; a fit that fails: nothing, silently. No canvas, no line, no mark.
TEST_F(CirclesOnCanvas, AnalysisRefusals)
{
    struct Row {
        const char* name;
        std::vector<Direction> directions;
        int absent;
        bool message;
    };
    const Direction a{Rad(10), Rad(40)}, b{Rad(100), Rad(20)};
    const Row rows[] = {{"two displayed of four", {a, b, a, b}, 2, true},
                        {"every record erased", {a, b, a, b}, 4, true},
                        {"two distinct directions", {a, b, a, b}, 0, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        canvas->model().lNT = 0;
        plot(r.directions, r.absent);
        if (r.message)
            t.prompts.expectMessage("At least 3 displayed values are needed");
        const std::size_t messages = t.prompts.messages().size();
        const int before = canvases();
        surface(*canvas).clear();
        form->run(Cmd::BestCircleAnalysis);
        EXPECT_TRUE(t.prompts.allAnswered());
        EXPECT_EQ(t.prompts.messages().size(), messages + (r.message ? 1 : 0));
        EXPECT_EQ(canvases(), before);
        EXPECT_FALSE(canvas->ProgressBar1()->isVisible());
        EXPECT_TRUE(surface(*canvas).primitives().empty());
        EXPECT_TRUE(PanelLines(*canvas).empty());
    }
}

// End to end on the example sheets, drawing real pixels.
struct CirclesOnExamples : ::testing::Test {
    CirclesOnExamples()
    {
        t.app.settings().FrtL = 1;
        t.app.settings().FrtS = 1;
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 1100, 760);
        form->show();
    }
    ~CirclesOnExamples() override
    {
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
        RunPlotGCPC() = [](TDlgPlotGCPC& d) { return d.exec(); };
    }
    void open(const char* file)
    {
        t.prompts.expectOpenFile(std::string(PLOQ_EXAMPLES) + "/" + file);
        form->run(Cmd::FileOpen);
    }
    static QImage image(TWPlot& canvas)
    {
        return dynamic_cast<QtImage&>(*canvas.model().image()).image();
    }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
};

// The bedding of the folded area: its poles girdle about the fold axis 14/062, the pole of
// their best great circle.
TEST_F(CirclesOnExamples, GreatCircleOfTheBeddingPolesIsNormalToTheFoldAxis)
{
    open("folded-area.plq");
    TWPlot* canvas = test::PlotThroughDialog(*form, t.app, "S0", 1, 0, true);
    ASSERT_NE(canvas, nullptr);
    canvas->DoPUMenuStyleCnvs(3); // planes as their poles
    BestFit fit;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        fit = d.fit();
        test::SavePicture(image(*canvas), "circles_great_before_dialog.png");
        d.poleBox()->setChecked(true);
        d.circleBox()->setChecked(true);
        d.cone95Box()->setChecked(true);
        return int(QDialog::Accepted);
    };
    form->action(Cmd::BestGreatCircle)->trigger();
    EXPECT_EQ(fit.kind, kAddBestGC);
    const double off = AngleBetween({fit.trend, fit.plunge}, {Rad(62), Rad(14)});
    EXPECT_LT(std::min(off, kPi - off), Rad(5)) << fit.plunge / kDegToRad << "/" << fit.trend / kDegToRad;
    EXPECT_GT(canvas->model().lNAdd, 0);
    test::SavePicture(image(*canvas), "circles_great_folded_area.png");
}

TEST_F(CirclesOnExamples, SmallCircleAndAnalysisOfTheCrossBeds)
{
    open("cross-bedding.plq");
    TWPlot* canvas = test::PlotThroughDialog(*form, t.app, "Sxb", 1, 0, true);
    ASSERT_NE(canvas, nullptr);
    ASSERT_EQ(canvas->model().lNT, 40);
    canvas->DoPUMenuStyleCnvs(3);
    BestFit fit;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        fit = d.fit();
        d.poleBox()->setChecked(true);
        d.circleBox()->setChecked(true);
        return int(QDialog::Accepted);
    };
    form->action(Cmd::BestSmallCircle)->trigger();
    EXPECT_EQ(fit.kind, kAddBestSmallCircle);
    const std::vector<std::string> lines = PanelLines(*canvas);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("center : ", 0), 0u) << lines.back();
    test::SavePicture(image(*canvas), "circles_small_cross_bedding.png");

    form->action(Cmd::BestCircleAnalysis)->trigger();
    TWPlot* result = ActiveCanvas(t.app);
    ASSERT_NE(result, canvas);
    ASSERT_TRUE(result->model().lKi);
    EXPECT_EQ(result->model().lKi->n, 40);
    test::SavePicture(image(*result), "circles_chi2_diagram.png");
    test::SavePicture(image(*canvas), "circles_analysis_marks.png");
}

} // namespace
} // namespace ploq
