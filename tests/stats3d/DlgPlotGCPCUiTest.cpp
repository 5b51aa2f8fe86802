// The best-fit plot dialog over a canvas drawn through Qt: its boxes by kind, every control
// into the choices and back into the settings, OK, Cancel and the full list. The pictures are
// kept (pictures/plot_best_fit_*.png, pictures/additional_values.png) to be looked at.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/DlgPlotGcPC.h"
#include "support/ScriptedPrompts.h"
#include "support/UiApp.h"
#include "transform/QtClickImage.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ploq {
namespace {

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

QRgb ToQRgb(TColor c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

struct PlotBestFitDialog : ::testing::Test {
    PlotBestFitDialog()
    {
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 900, 700);
        canvas = NewWP(t.app, kWPOrdinary);
        canvas->SetRayon(150, true);
        VarGlob& s = t.app.settings();
        s.FrtL = 2; // direction/plunge
        s.FrtS = 1; // dip/dip direction
        for (int i = 0; i < 30; ++i) {
            InfoVal v;
            v.na = "L";
            v.azi = Rad(100 + (i % 6) * 4);
            v.pen = Rad(40 + (i % 5) * 3);
            AjoutVal(canvas->model(), v, s);
        }
        canvas->NettoyerWP();
    }
    ~PlotBestFitDialog() override
    {
        RunPlotGCPC() = [](TDlgPlotGCPC& d) { return d.exec(); };
    }

    QImage canvasImage() const { return dynamic_cast<QtImage&>(*canvas->model().image()).image(); }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
    TWPlot* canvas = nullptr;
};

TEST_F(PlotBestFitDialog, CaptionsAndBoxesByKind)
{
    struct Row {
        int kind;
        double cone99, cone95; // degrees
        const char* caption;
        const char* circle; // nullptr: hidden
        const char* cone95Box;
        bool cone95On;
        const char* cone99Box;
        bool cone99On;
        bool twoParts;
        bool aperture;
    };
    const Row rows[] = {
        {1, 12.34, 90, "Best axis", "attached cyclo", "95% : >90\xB0", false, "99% (12.3\xB0)",
         true, false, false},
        {2, 12, 8, "Best plane", "cyclo trace", "95% (8.0\xB0)", true, "99% (12.0\xB0)", true,
         false, false},
        {3, 30, 1, "Best small circle", "small circle", "95%", false, "99%", false, true, true},
        {25, 95, 8, "Best great circle", "cyclo trace", "95% (8.0\xB0)", true, "99% : >90\xB0",
         false, false, false},
        {38, 95, 8, " GC position (bootstrap)", "great circle", "95% (8.0\xB0)", true,
         "99% : >90\xB0", true, true, true},
        {39, 12, 8, " SC position (bootstrap)", "small circle", "95% (8.0\xB0)", true,
         "99% (12.0\xB0)", true, true, true},
        {49, 0, 0, "Small circle via 3 poles", nullptr, "95%", false, "99%", false, true, true},
    };
    const VarGlob& s = t.app.settings();
    const Notation n{s.FrtS, s.FrtL};
    for (const Row& r : rows) {
        const BestFit fit{r.kind, Rad(r.cone99), Rad(r.cone95), Rad(23.45), Rad(35), Rad(210)};
        TDlgPlotGCPC d(fit, InitialChoices(r.kind, s), s.Tco, n, form->addSymbolMenu());
        d.show();
        EXPECT_EQ(d.windowTitle().toStdString(), r.caption);
        EXPECT_EQ(d.groupBox()->title().toStdString(), r.caption);
        EXPECT_EQ(d.poleBox()->text(), "pole");
        EXPECT_EQ(d.circleBox()->isVisible(), r.circle != nullptr) << r.kind;
        if (r.circle) {
            EXPECT_EQ(d.circleBox()->text().toStdString(), r.circle);
        }
        EXPECT_EQ(fromQString(d.cone95Box()->text()), r.cone95Box) << r.kind;
        EXPECT_EQ(d.cone95Box()->isEnabled(), r.cone95On) << r.kind;
        EXPECT_EQ(fromQString(d.cone99Box()->text()), r.cone99Box) << r.kind;
        EXPECT_EQ(d.cone99Box()->isEnabled(), r.cone99On) << r.kind;
        EXPECT_EQ(d.twoPartsBox()->isEnabled(), r.twoParts) << r.kind;
        EXPECT_EQ(d.apertureField()->isVisible(), r.aperture) << r.kind;
        EXPECT_TRUE(d.directionField()->isReadOnly() && d.apertureField()->isReadOnly());
        const bool plane = r.kind == 2 || r.kind == 25;
        EXPECT_EQ(fromQString(d.directionField()->text()),
                  DirToText(false, plane, fit.plunge, fit.trend, n));
        EXPECT_EQ(d.apertureField()->text(), "23");
        d.decimalsBox()->setChecked(true);
        EXPECT_EQ(fromQString(d.directionField()->text()),
                  DirToText(true, plane, fit.plunge, fit.trend, n));
        EXPECT_EQ(d.apertureField()->text(), "23.4");
    }
    // OptAdd 6 (pole and circle): kind 1 opens with its circle unticked, 3 with its pole.
    TDlgPlotGCPC axis({1, Rad(12), Rad(8), 0, 0, 0}, InitialChoices(1, s), s.Tco, n, nullptr);
    EXPECT_TRUE(axis.poleBox()->isChecked());
    EXPECT_FALSE(axis.circleBox()->isChecked());
    TDlgPlotGCPC small({3, Rad(12), 1, 0, 0, 0}, InitialChoices(3, s), s.Tco, n, nullptr);
    EXPECT_FALSE(small.poleBox()->isChecked());
    EXPECT_TRUE(small.circleBox()->isChecked());
}

// Every control of the dialog reaches the choices; closing by either button remembers them,
// and the next dialog opens with them.
TEST_F(PlotBestFitDialog, EveryControlRoundTripsThroughTheSettings)
{
    BestFitChoices expected;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        EXPECT_EQ(d.choices().colour, t.app.settings().TcoAdd[39]);
        for (QCheckBox* b : {d.poleBox(), d.circleBox(), d.cone95Box(), d.cone99Box(), d.thickBox(),
                             d.dotBox(), d.twoPartsBox(), d.decimalsBox(), d.tailedBox()})
            b->click();
        d.optionsButton()->click();
        d.stripReleased(3 + 12 * 5 + 4);
        form->addSymbolMenu()->actions()[5]->trigger();
        expected = {true, false, true, true, true, true, true, true, true, true, 5, 106};
        EXPECT_EQ(d.choices(), expected);
        EXPECT_EQ(d.optionsPanel()->isVisibleTo(&d), true);
        return int(QDialog::Rejected);
    };
    VarGlob& s = t.app.settings();
    s.OptAdd = 6;
    EXPECT_FALSE(PlotBestFit(t.app, 39, Rad(12), Rad(8), Rad(40), Rad(30), Rad(45)));
    EXPECT_EQ(canvas->model().lNAdd, 0) << "Cancel appends nothing";
    EXPECT_EQ(s.TcoAdd[39], 5);
    EXPECT_EQ(s.SyAdd[39], 106);
    EXPECT_EQ(s.SyAddCur, 106);
    EXPECT_EQ(s.OptAdd, (1 << 1) | (1 << 3) | (1 << 4) | (1 << 5) | (1 << 6) | (1 << 7) | (1 << 8)
                            | (1 << 12) | (1 << 13));

    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        const BestFitChoices c = d.choices();
        EXPECT_EQ(c, (BestFitChoices{false, false, true, true, true, true, true, true, true, true,
                                     5, 106}))
            << "kind 39 opens with its pole unticked";
        EXPECT_TRUE(d.optionsPanel()->isVisibleTo(&d));
        return int(QDialog::Rejected);
    };
    PlotBestFit(t.app, 39, Rad(12), Rad(8), Rad(40), Rad(30), Rad(45));
}

TEST_F(PlotBestFitDialog, OkAppendsTheEntriesReportsAndRedraws)
{
    VarGlob& s = t.app.settings();
    s.NbTirBS = 750;
    s.TcoAdd[38] = 2;
    RunPlotGCPC() = [](TDlgPlotGCPC& d) {
        d.poleBox()->setChecked(true);
        d.circleBox()->setChecked(true);
        d.cone95Box()->setChecked(true);
        d.cone99Box()->setChecked(false);
        return int(QDialog::Accepted);
    };
    const Direction pole{Rad(300), Rad(20)};
    ASSERT_TRUE(PlotBestFit(t.app, 38, Rad(15), Rad(9), 0, pole.plunge, pole.trend));
    const CanvasModel& m = canvas->model();
    ASSERT_EQ(m.lNAdd, 4);
    EXPECT_EQ(m.lAdd[0].nat, 26);
    EXPECT_EQ(m.lAdd[3].nat, 33);
    EXPECT_FALSE(m.lAdd[3].vis);
    EXPECT_EQ(m.lUndoPlot.bfit, 38);
    EXPECT_EQ(m.lUndoPlot.v2, 4);
    const QString panel = canvas->RichEdit1()->toPlainText();
    EXPECT_TRUE(panel.contains("14:05 - Error on great circle (boot strap, 750 tossings)"));
    EXPECT_TRUE(panel.contains("axis confidence cones 95% and 99%: 9.0\xC2\xB0 and 15.0\xC2\xB0"))
        << panel.toStdString();
    const Point at = DirToPixel(pole, m.net());
    EXPECT_EQ(canvasImage().pixel(at.x, at.y), ToQRgb(s.Tco[2])) << "the pole, redrawn";

    RunPlotGCPC() = [](TDlgPlotGCPC&) { return int(QDialog::Rejected); };
    EXPECT_FALSE(PlotBestFit(t.app, 1, Rad(15), Rad(9), Rad(9), Rad(50), Rad(10)));
    EXPECT_EQ(m.lNAdd, 4);
}

TEST_F(PlotBestFitDialog, AFullListRefusesTheResultWithAMessage)
{
    CanvasModel& m = canvas->model();
    InfoAdd filler;
    filler.nat = 26;
    ASSERT_TRUE(AppendAdd(m, std::vector<InfoAdd>(98, filler)));
    RunPlotGCPC() = [](TDlgPlotGCPC&) { return int(QDialog::Accepted); };
    t.prompts.expectMessage("No room for more additional values on this canvas (100)");
    EXPECT_FALSE(PlotBestFit(t.app, 1, Rad(15), Rad(9), Rad(9), Rad(50), Rad(10)));
    EXPECT_TRUE(t.prompts.allAnswered());
    EXPECT_EQ(m.lNAdd, 98);
    EXPECT_EQ(m.lUndoPlot.bfit, 0);
}

// Pictures: the dialog for kinds 1, 3 and 38, and a canvas with one entry of each drawn kind.
TEST_F(PlotBestFitDialog, Pictures)
{
    VarGlob& s = t.app.settings();
    s.OptAdd = (1 << 1) | (1 << 2) | (1 << 3) | (1 << 8);
    s.TcoAdd[3] = 4;
    s.SyAdd[3] = 107;
    const struct {
        int kind;
        double cone99, cone95, aperture;
    } shots[] = {{1, 12.3, 8.1, 8.1}, {3, 35, 1, 35}, {38, 16.2, 9.4, 0}};
    for (const auto& shot : shots) {
        RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
            d.show();
            const QString name = QString("plot_best_fit_%1.png").arg(shot.kind);
            EXPECT_FALSE(test::SavePicture(d.grab().toImage(), name).isEmpty());
            return int(QDialog::Rejected);
        };
        PlotBestFit(t.app, shot.kind, Rad(shot.cone99), Rad(shot.cone95), Rad(shot.aperture),
                    Rad(55), Rad(120));
    }

    CanvasModel& m = canvas->model();
    std::vector<InfoAdd> all;
    const auto add = [&](int nat, double trend, double plunge, double aperture = 0,
                         int colour = 1) {
        InfoAdd e;
        e.nat = nat;
        e.nco = colour;
        e.nsy = 104;
        e.x[0] = Rad(trend);
        e.y[0] = Rad(plunge);
        e.x[1] = Rad(aperture);
        e.a[1] = 1;
        e.vis = true;
        all.push_back(e);
        return &all.back();
    };
    add(1, 110, 45);                  // best axis
    add(11, 110, 45, 0, 1)->b[1] = 1; // its plane, dashed
    add(12, 110, 45, 12, 1);          // cones
    add(13, 110, 45, 18, 1);
    add(25, 20, 70, 0, 2)->a[1] = 2;      // a thick great circle
    add(27, 20, 70, 25, 2);               // a cone that leaves the hemisphere
    InfoAdd* sc = add(3, 250, 15, 40, 4); // a small circle with both parts
    sc->a[2] = 1;
    sc->b[2] = 1;
    add(53, 160, 30, 0, 5);               // dashed great circle
    InfoAdd* p2 = add(54, 330, 40, 0, 6); // plane by two lines
    p2->x[1] = Rad(60);
    p2->y[1] = Rad(10);
    p2->x[2] = Rad(230);
    p2->y[2] = Rad(35);
    InfoAdd* cl = add(16, 0, 0, 0, 7); // clusters
    cl->x = {Rad(200), Rad(220), Rad(240), 0, 0, 0};
    cl->y = {Rad(60), Rad(50), Rad(40), 0, 0, 0};
    cl->b = {4, 5, 6, 0, 0, 0};
    InfoAdd* three = add(49, 300, 70, 20, 3); // small circle by three points
    three->a[2] = 1;
    const double pts[3][3] = {{1, 300, 50}, {-1, 120, 90 - 4}, {-1, 300 + 38, 70 - 15}};
    for (int k = 0; k < 3; ++k) {
        three->a[3 + k] = static_cast<int>(pts[k][0]);
        three->x[2 + k] = Rad(pts[k][1]);
        three->y[2 + k] = Rad(pts[k][2]);
    }
    InfoAdd* cuts = add(58, 80, 5, 0, 0); // intersections, one missing
    cuts->x[1] = 9999;
    ASSERT_TRUE(AppendAdd(m, all));
    m.lVal[1].nu = "R1";
    canvas->NettoyerWP();
    EXPECT_FALSE(test::SavePicture(canvasImage(), "additional_values.png").isEmpty());
}

} // namespace
} // namespace ploq
