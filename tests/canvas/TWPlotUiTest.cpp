#include "app/Main.h"
#include "canvas/SymbBatchWindow.h"
#include "canvas/TWPlot.h"
#include "support/UiApp.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <numbers>

namespace ploq {
namespace {

struct CanvasWindow : ::testing::Test {
    CanvasWindow()
    {
        SavePrefsFile(t.app.settings(), t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
    }
    test::UiApp t;
    std::unique_ptr<TForm1> form;
};

TEST_F(CanvasWindow, FifteenCanvasesAndASlotReused)
{
    std::vector<TWPlot*> plots;
    for (int k = 1; k <= 15; ++k) {
        TWPlot* p = NewWP(t.app, kWPOrdinary);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->tag(), 255 + k);
        EXPECT_EQ(p->title(), " Canvas " + std::to_string(k));
        plots.push_back(p);
    }
    t.prompts.expectMessage("Maximum number of canvas reached...");
    EXPECT_EQ(NewWP(t.app, kWPOrdinary), nullptr);
    plots[4]->close();
    TWPlot* again = NewWP(t.app, kWPOrdinary);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->tag(), 260);
    EXPECT_EQ(again->model().imageSize().width, 2 * t.app.settings().Rc + 30);
}

TEST_F(CanvasWindow, ActivationAndCloseKeepTheCurrentCanvasAndMenus)
{
    EXPECT_FALSE(form->action(Cmd::PlotClean)->isEnabled());
    TWPlot* a = NewWP(t.app, kWPOrdinary);
    TWPlot* b = NewWP(t.app, kWPOrdinary);
    EXPECT_EQ(ActiveCanvas(t.app), b);
    EXPECT_TRUE(form->action(Cmd::PlotClean)->isEnabled());
    EXPECT_EQ(form->action(Cmd::FileSave)->text(), "Save plot \" Canvas 2\"...");
    t.app.activateWindow(*a);
    EXPECT_EQ(form->action(Cmd::FileSave)->text(), "Save plot \" Canvas 1\"...");
    a->close();
    EXPECT_EQ(ActiveCanvas(t.app), b) << "the other canvas becomes current";
    b->close();
    EXPECT_EQ(ActiveCanvas(t.app), nullptr);
    EXPECT_FALSE(form->action(Cmd::PlotClean)->isEnabled());
}

// A double click shows the canvas's legend, which goes with its canvas; another canvas closing
// leaves it.
TEST_F(CanvasWindow, TheLegendClosesWithItsCanvas)
{
    TWPlot* a = NewWP(t.app, kWPOrdinary);
    TWPlot* b = NewWP(t.app, kWPOrdinary);
    b->model().lsy = {"6.2.no selection"};
    b->imageMouse(3, {40, 40});
    QPointer<QWidget> legend = t.app.dialog(kWinSymbBatch);
    ASSERT_NE(legend, nullptr);
    EXPECT_TRUE(legend->isVisible());
    a->close();
    EXPECT_TRUE(legend && legend->isVisible()) << "the legend of another canvas";
    b->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!legend || !legend->isVisible());
}

// However large the canvas, its information panel stays in sight below the image, which
// scrolls in its area.
TEST_F(CanvasWindow, TheReportPanelStaysAtLargeDiameters)
{
    TWPlot* p = NewWP(t.app, kWPOrdinary);
    ASSERT_NE(p, nullptr);
    for (const int radius : {200, 400, 900}) {
        ASSERT_TRUE(p->SetRayon(radius, true));
        EXPECT_FALSE(p->RichEdit1()->isHidden()) << radius;
        EXPECT_GE(p->RichEdit1()->height(), kCanvasLeastPanelHeight) << radius;
        EXPECT_LE(p->RichEdit1()->geometry().bottom(), p->height()) << radius;
    }
}

TEST_F(CanvasWindow, StyleMenuSwitchesTheNetAndReprojects)
{
    SetBit(t.app.settings().StyleCnvs, kStyleWulff, false);
    TWPlot* p = NewWP(t.app, kWPOrdinary);
    InfoVal v;
    v.azi = std::numbers::pi / 2;
    v.pen = std::numbers::pi / 6;
    v.inf = 1 << kInfPresent | 1 << kInfDrawPole;
    p->model().AddRecord(v);
    p->model().rChanged = true;
    p->NettoyerWP();
    const int schmidtX = p->model().lVal[1].p;
    EXPECT_EQ(p->MenuStyleCnvs()->actions()[0]->text(), "Wulff net");

    p->DoPUMenuStyleCnvs(0);
    EXPECT_TRUE(TestBit(p->model().lStyleCnvs, kStyleWulff));
    EXPECT_TRUE(TestBit(t.app.settings().StyleCnvs, kStyleWulff)) << "the setting follows";
    EXPECT_LT(p->model().lVal[1].p, schmidtX) << "re-projected on the Wulff net";
    EXPECT_EQ(p->MenuStyleCnvs()->actions()[0]->text(), "Schmidt net");
    EXPECT_EQ(p->Label3()->text(), " W/inf ");
    EXPECT_EQ(p->Label1()->text(), "N = 1");

    p->DoPUMenuStyleCnvs(4); // surfaces as traces
    EXPECT_EQ(p->model().lVal[1].inf, 1 << kInfPresent | 1 << kInfDrawTrace);
    EXPECT_TRUE(p->MenuStyleCnvs()->actions()[4]->isChecked());
}

TEST_F(CanvasWindow, RadiusAndDiameter)
{
    TWPlot* p = NewWP(t.app, kWPOrdinary);
    p->SetRayon(100, true);
    p->SpeedButton1Click();
    EXPECT_EQ(p->model().lRc, 110);
    p->SetRayon(20, true);
    p->SpeedButton2Click();
    EXPECT_EQ(p->model().lRc, 20) << "never below 20 pixels";

    p->Edit1()->clear();
    t.prompts.expectMessage("Give the canvas diameter (in mm)");
    p->SetDiamClick();
    p->Edit1()->setText("3");
    t.prompts.expectMessage("at least");
    p->SetDiamClick();
    EXPECT_EQ(p->model().lRc, 20);
    p->Edit1()->setText("100");
    p->SetDiamClick();
    EXPECT_EQ(p->model().lRc, RadiusForDiameter(100, t.app.settings().PixMM));
}

TEST_F(CanvasWindow, ImageTooLargeIsRefusedAndTheCanvasKept)
{
    TWPlot* p = NewWP(t.app, kWPOrdinary);
    const int radius = p->model().lRc;
    t.images = RecordingImageFactory(1000 * 1000);
    t.prompts.expectMessage("Canvas size too large, select a smaller value");
    EXPECT_FALSE(p->SetRayon(600, true));
    EXPECT_EQ(p->model().lRc, radius);
}

TEST_F(CanvasWindow, ButtonEndsTheClickMode)
{
    TWPlot* p = NewWP(t.app, kWPOrdinary);
    int ended = 0;
    ClickModes()[999] = {{}, {}, {}, [&ended](TWPlot&, bool shift) { ended += shift ? 10 : 1; }};
    p->model().butPosXY = 999;
    p->SignalClic(true);
    p->Button1()->show();
    p->Button1MouseUp(true);
    EXPECT_EQ(ended, 10);
    EXPECT_EQ(p->model().butPosXY, kModeNone);
    EXPECT_FALSE(p->model().AttenteClic);
    ClickModes().erase(999);
}

// Ctrl or Shift let go while another window has the keys (a dialog opened by a shortcut) does not
// leave the canvas believing it is still held.
TEST_F(CanvasWindow, ModifierKeysLetGoWhenTheWindowIsDeactivated)
{
    TWPlot* p = NewWP(t.app, kWPOrdinary);
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(p, &ctrl);
    QApplication::sendEvent(p, &shift);
    ASSERT_TRUE(p->model().lCtrlOn);
    ASSERT_TRUE(p->model().lMajOn);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(p, &deactivate);
    EXPECT_FALSE(p->model().lCtrlOn);
    EXPECT_FALSE(p->model().lMajOn);
}

} // namespace
} // namespace ploq

namespace ploq {
namespace {

TEST_F(CanvasWindow, GridCommands)
{
    TWPlot* p = NewWP(t.app, kWPOrdinary);
    form->run(Cmd::NetPolar);
    EXPECT_EQ(p->model().natGrille, 1);

    t.app.settings().FrtL = 0;
    t.prompts.expectText("Orientation of the axis of the grid ?", "45 NE 30");
    form->run(Cmd::NetAxedGiven);
    EXPECT_EQ(p->model().natGrille, 2);
    EXPECT_NEAR(p->model().ar4, 45 * kDegToRad, 1e-12);
    EXPECT_NEAR(p->model().ar5, 30 * kDegToRad, 1e-12);
    t.prompts.expectText("axis of the grid", std::nullopt);
    form->run(Cmd::NetAxedGiven);
    EXPECT_EQ(p->model().natGrille, 2) << "Cancel changes nothing";
    t.prompts.expectText("axis of the grid", "");
    form->run(Cmd::NetAxedGiven);
    EXPECT_EQ(p->model().natGrille, 0) << "an empty axis is the standard net";

    form->run(Cmd::NetIndexed);
    EXPECT_TRUE(TestBit(p->model().lStyleCnvs, 7));
    EXPECT_TRUE(form->action(Cmd::NetIndexed)->isChecked());
    form->run(Cmd::PlotEraseNet);
    EXPECT_EQ(p->model().natGrille, -1);
}

TEST_F(CanvasWindow, GridAxedOnAClickedPoint)
{
    TWPlot* p = NewWP(t.app, kWPOrdinary);
    form->run(Cmd::NetAxedClicked);
    EXPECT_EQ(p->model().butPosXY, kModeGridAxis);
    EXPECT_TRUE(p->model().AttenteClic);
    const CanvasModel& m = p->model();
    const Point east = DirToPixel({std::numbers::pi / 2, 0.3}, m.net());
    p->imageMouse(0, {east.x, east.y});
    EXPECT_EQ(m.natGrille, 2);
    EXPECT_NEAR(m.ar4, std::numbers::pi / 2, 0.02);
    EXPECT_TRUE(p->RichEdit1()->toPlainText().startsWith("Axis of the grid : "));
    p->imageMouse(0, {0, 0}); // outside the net: ignored
    EXPECT_NEAR(m.ar4, std::numbers::pi / 2, 0.02);
    p->Button1MouseUp(false);
    EXPECT_EQ(m.butPosXY, kModeNone);
}

} // namespace
} // namespace ploq
