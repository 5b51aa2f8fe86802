// The bootstrap commands on a canvas: the result canvas and its panel, the file, "keep" with
// the remembered result, a cancelled run that leaves everything as it was, and the refusals.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtText.h"
#include "stats3d/Bootstrap.h"
#include "stats3d/BootstrapCommands.h"
#include "stats3d/Circles.h"
#include "stats3d/DlgPlotGcPC.h"
#include "stats3d/Stats3Dadd.h"
#include "support/FaultyFileCalls.h"
#include "support/PlotUi.h"
#include "support/UiApp.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

namespace ploq {
namespace {

constexpr double kDeg = std::numbers::pi / 180;
using test::PanelLines;

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct BootstrapOnCanvas : ::testing::Test {
    BootstrapOnCanvas()
    {
        VarGlob& s = t.app.settings();
        s.FrtL = 1;
        s.FrtS = 1;
        s.NbTirBS = 60;
        SavePrefsFile(s, t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        canvas = NewWP(t.app, kWPOrdinary);
        canvas->SetRayon(150, true);
    }
    ~BootstrapOnCanvas() override
    {
        RunPlotGCPC() = [](TDlgPlotGCPC& d) { return d.exec(); };
    }

    // Lines round a girdle of pole 060/30, or round a cone of axis 200/70 and aperture 30.
    void plotGirdle(bool cone = false, int n = 30)
    {
        const Vec3 a =
            DirToVec(cone ? Direction{200 * kDeg, 70 * kDeg} : Direction{60 * kDeg, 30 * kDeg});
        Vec3 e1 = Cross(a, {0, 0, 1});
        const double l = std::sqrt(Dot(e1, e1));
        e1 = {e1.x / l, e1.y / l, e1.z / l};
        const Vec3 e2 = Cross(a, e1);
        const double rho = (cone ? 30 : 90) * kDeg;
        for (int i = 0; i < n; ++i) {
            const double t = 2 * std::numbers::pi * i / n;
            const double r = rho + 0.05 * std::sin(7.0 * i);
            const Vec3 p{
                std::cos(r) * a.x + std::sin(r) * (std::cos(t) * e1.x + std::sin(t) * e2.x),
                std::cos(r) * a.y + std::sin(r) * (std::cos(t) * e1.y + std::sin(t) * e2.y),
                std::cos(r) * a.z + std::sin(r) * (std::cos(t) * e1.z + std::sin(t) * e2.z)};
            u.push_back(DirToVec(VecToDir(p)));
            InfoVal v;
            v.na = "L";
            const Direction d = VecToDir(p);
            v.azi = d.trend;
            v.pen = d.plunge;
            AjoutVal(canvas->model(), v, 1, 0);
        }
        canvas->NettoyerWP();
    }

    TWPlot* resultCanvas()
    {
        TWPlot* active = ActiveCanvas(t.app);
        return active != canvas ? active : nullptr;
    }

    std::filesystem::path vki() const { return t.dir_.path() / "VKi.txt"; }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
    TWPlot* canvas = nullptr;
    std::vector<Vec3> u;
};

TEST_F(BootstrapOnCanvas, GreatCircleMakesItsCanvasFileAndKeep)
{
    plotGirdle();
    BootstrapGreatCircle(t.app);
    TWPlot* result = resultCanvas();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->model().natWP, kWPStats3D);
    EXPECT_EQ(result->title(), "Best GC (bootstrap)");
    EXPECT_EQ(result->model().i1, 38);
    EXPECT_EQ(result->model().i2, 60);
    EXPECT_EQ(std::filesystem::path(result->model().lNomF), vki());
    // The diagram read its file once: the reference and the 60 fits.
    EXPECT_EQ(result->model().lVKi.records.size(), 61u);
    const std::vector<std::string> lines = PanelLines(*result);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "14:05 - testing best great circle (boot strap, 60 tossing)");
    EXPECT_EQ(lines[3], "(to change az direction scale : menu \"Option\")");
    const QTextBlock last = result->RichEdit1()->document()->lastBlock();
    EXPECT_TRUE(last.begin().fragment().charFormat().fontItalic());
    EXPECT_FALSE(
        result->RichEdit1()->document()->begin().begin().fragment().charFormat().fontItalic());
    EXPECT_EQ(FileText(vki()).substr(0, 1), " ");
    EXPECT_FALSE(canvas->ProgressBar1()->isVisibleTo(canvas));

    // The source canvas waits for "keep" with the pole of the orientation matrix.
    EXPECT_EQ(canvas->model().butPosXY, kModeBootstrapGC);
    EXPECT_EQ(canvas->Button1()->text(), "keep");
    EXPECT_TRUE(canvas->Button1()->isVisibleTo(canvas));
    const Direction pole = BestGreatCircleOf(u).pole;
    std::optional<BestFit> offered;
    RunPlotGCPC() = [&offered](TDlgPlotGCPC& d) {
        offered = d.fit();
        return int(QDialog::Rejected);
    };
    canvas->Button1MouseUp(false);
    ASSERT_TRUE(offered);
    EXPECT_EQ(offered->kind, kAddGCBootstrap);
    EXPECT_LT(std::acos(std::min(1.0, std::fabs(Dot(DirToVec({offered->trend, offered->plunge}),
                                                    DirToVec(pole))))),
              1e-9);
    EXPECT_EQ(lines[2], "confidence cones 95% and 99% for GC axis: " + DegreesText(offered->cone95)
                            + " and " + DegreesText(offered->cone99));
    EXPECT_GT(offered->cone99, offered->cone95);
    EXPECT_FALSE(canvas->Button1()->isVisibleTo(canvas));
    EXPECT_EQ(canvas->model().butPosXY, kModeNone);
}

TEST_F(BootstrapOnCanvas, SmallCircleKeepOffersAxisApertureAndCones)
{
    plotGirdle(true, 40);
    BootstrapSmallCircle(t.app);
    TWPlot* result = resultCanvas();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->title(), "Best PC (bootstrap)");
    EXPECT_EQ(result->model().i1, 39);
    EXPECT_EQ(result->model().i2 + result->model().i3, 60);
    const std::vector<std::string> lines = PanelLines(*result);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "14:05 - testing best small circle (boot strap, 60 tossings)");
    EXPECT_EQ(lines[1], "unsucessfull calculation for " + std::to_string(result->model().i3)
                            + " tossings from 60");
    const SmallCircleFit fit = FitSmallCircle(u, true);
    std::optional<BestFit> offered;
    RunPlotGCPC() = [&offered](TDlgPlotGCPC& d) {
        offered = d.fit();
        return int(QDialog::Rejected);
    };
    canvas->Button1MouseUp(false);
    ASSERT_TRUE(offered);
    EXPECT_EQ(offered->kind, kAddSCBootstrap);
    EXPECT_NEAR(offered->aperture, fit.aperture, 1e-12);
    EXPECT_NEAR(offered->aperture, 30 * kDeg, 2 * kDeg);
    EXPECT_NEAR(offered->trend, fit.axis.trend, 1e-12);
}

// Esc, or the canvas button that reads "cancel" while the run goes, stops it: no file, no
// canvas, no line, and the button as it was.
TEST_F(BootstrapOnCanvas, CancelledSmallCircleLeavesEverythingAsItWas)
{
    plotGirdle(true, 40);
    {
        std::ofstream old(vki(), std::ios::binary);
        old << "an older run\r\n";
    }
    canvas->appendInfo("before");
    for (const bool byButton : {false, true}) {
        if (byButton) {
            QPushButton* b = canvas->Button1();
            const QPointF at(b->width() / 2.0, b->height() / 2.0);
            for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(
                    b, new QMouseEvent(type, at, b->mapToGlobal(at), Qt::LeftButton,
                                       type == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                        : Qt::NoButton,
                                       Qt::NoModifier));
        } else {
            QCoreApplication::postEvent(
                canvas, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        }
        BootstrapSmallCircle(t.app);
        EXPECT_EQ(ActiveCanvas(t.app), canvas) << byButton;
        EXPECT_EQ(FileText(vki()), "an older run\r\n") << byButton;
        EXPECT_EQ(PanelLines(*canvas), std::vector<std::string>{"before"}) << byButton;
        EXPECT_EQ(canvas->model().butPosXY, kModeNone);
        EXPECT_FALSE(canvas->Button1()->isVisibleTo(canvas));
        EXPECT_FALSE(canvas->ProgressBar1()->isVisibleTo(canvas));
    }
    EXPECT_TRUE(t.prompts.messages().empty());
}

TEST_F(BootstrapOnCanvas, RefusalsMakeNothing)
{
    // Two present records: the message, no run.
    InfoVal v;
    v.na = "L";
    v.azi = 0.3;
    v.pen = 0.4;
    AjoutVal(canvas->model(), v, 1, 0);
    v.azi = 1.3;
    AjoutVal(canvas->model(), v, 1, 0);
    t.prompts.expectMessage(std::string(kMsgBootstrapTooFew));
    BootstrapGreatCircle(t.app);
    t.prompts.expectMessage(std::string(kMsgBootstrapTooFew));
    BootstrapSmallCircle(t.app);
    // Two distinct directions twice over: the reference small circle cannot be fitted.
    AjoutVal(canvas->model(), v, 1, 0);
    v.azi = 0.3;
    AjoutVal(canvas->model(), v, 1, 0);
    t.prompts.expectMessage(std::string(kMsgSmallCircleFailed));
    BootstrapSmallCircle(t.app);
    EXPECT_FALSE(std::filesystem::exists(vki()));
    EXPECT_EQ(ActiveCanvas(t.app), canvas);
    EXPECT_TRUE(PanelLines(*canvas).empty());
    EXPECT_TRUE(t.prompts.allAnswered());
}

TEST_F(BootstrapOnCanvas, AFileThatCannotBeWrittenIsToldAndNothingMade)
{
    plotGirdle();
    test::FaultyFileCalls calls;
    calls.failWriteAfter(100, ENOSPC);
    ScopedFileCalls scoped(calls);
    t.prompts.expectMessage(std::string(kMsgVkiNotWritten));
    BootstrapGreatCircle(t.app);
    EXPECT_TRUE(calls.tripped());
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_FALSE(std::filesystem::exists(vki()));
    EXPECT_EQ(ActiveCanvas(t.app), canvas);
    EXPECT_EQ(canvas->model().butPosXY, kModeNone);
    EXPECT_FALSE(canvas->Button1()->isVisibleTo(canvas));
}

// A diagram keeps the records it read: a later bootstrap rewrites the file, not the diagram.
TEST_F(BootstrapOnCanvas, AnOlderDiagramKeepsItsRecords)
{
    plotGirdle();
    BootstrapGreatCircle(t.app);
    TWPlot* first = resultCanvas();
    ASSERT_NE(first, nullptr);
    const std::vector<Direction> kept = first->model().lVKi.records;
    RunPlotGCPC() = [](TDlgPlotGCPC&) { return int(QDialog::Rejected); };
    canvas->Button1MouseUp(false); // "keep", cancelled
    t.clock.set(t.clock.now() + 1.0 / 86400);
    t.app.activateWindow(*canvas);
    t.app.settings().NbTirBS = 30;
    BootstrapGreatCircle(t.app);
    EXPECT_EQ(first->model().lVKi.records.size(), kept.size());
    EXPECT_EQ(first->model().lVKi.records.front().trend, kept.front().trend);
    EXPECT_EQ(ReadVki(FileText(vki()), 30).records.size(), 31u);
}

} // namespace
} // namespace ploq
