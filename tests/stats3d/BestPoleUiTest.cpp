// "Best pôle" on a canvas: its edge cases as one table (panel lines with a fixed clock, the marks
// left on the recording surface, the questions asked), then end to end on the example sheets as
// a user would, with pictures of the dialog and the canvas (pictures/best_pole_*.png).

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/DlgEnterFile.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/DlgPlotGcPC.h"
#include "stats3d/Stats3DCommands.h"
#include "support/Draws.h"
#include "support/PlotUi.h"
#include "support/UiApp.h"
#include "transform/DlgUseSymb.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cmath>

namespace ploq {
namespace {

double Rad(double degrees)
{
    return degrees * kDegToRad;
}

std::vector<std::string> PanelLines(const TWPlot& canvas)
{
    std::vector<std::string> lines;
    for (const QString& line : canvas.RichEdit1()->toPlainText().split('\n', Qt::SkipEmptyParts))
        lines.push_back(fromQString(line));
    return lines;
}

struct Measurement {
    const char* nature;
    double trendDeg;
    double plungeDeg;
    int sy = 1;
    int colour = 0;
    bool present = true;
};

struct BestPoleOnCanvas : ::testing::Test {
    BestPoleOnCanvas()
    {
        VarGlob& s = t.app.settings();
        s.FrtL = 1; // plunge/direction
        s.FrtS = 1; // dip/dip direction
        s.GridCol = 13;
        SavePrefsFile(s, t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        canvas = NewWP(t.app, kWPOrdinary);
        canvas->SetRayon(150, true);
    }
    ~BestPoleOnCanvas() override
    {
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
        RunPlotGCPC() = [](TDlgPlotGCPC& d) { return d.exec(); };
    }

    void plot(const std::vector<Measurement>& measurements)
    {
        for (const Measurement& m : measurements) {
            InfoVal v;
            v.na = m.nature;
            v.azi = Rad(m.trendDeg);
            v.pen = Rad(m.plungeDeg);
            InfoVal& added = AjoutVal(canvas->model(), v, m.sy, m.colour);
            SetBit(added.inf, kInfPresent, m.present);
        }
        canvas->NettoyerWP();
    }
    RecordingSurface& surface()
    {
        return dynamic_cast<RecordingImage&>(*canvas->model().image()).recording();
    }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
    TWPlot* canvas = nullptr;
};

const std::vector<Measurement> kTwoLines = {{"L", 62, 14}, {"L", 70, 20}};

// The edge cases: what is asked, what the panel says, whether the dialog and the marks come.
TEST_F(BestPoleOnCanvas, EdgeCasesAsOneTable)
{
    struct Row {
        const char* name;
        std::vector<Measurement> measurements;
        int chooser;        // -1 not shown; else its answer
        Button mixedAnswer; // Button::None: no question
        int plotAnswer;     // -1 the dialog is not shown
        int kind;           // of the best-fit plot
        std::vector<std::string> lines;
    };
    const std::vector<Measurement> mixed = {{"L", 62, 14}, {"S", 70, 20}, {"L", 64, 30}};
    const Row rows[] = {
        {"one measurement",
         {{"L", 62, 14}},
         -1,
         Button::None,
         QDialog::Accepted,
         1,
         {"14:05 - Best axis", "unsuccesfull calculation of the confidence cones",
          "axis : 14.0 / 62.0", "lambda  1.000  0.000  0.000"}},
        {"two distinct lines",
         kTwoLines,
         -1,
         Button::None,
         QDialog::Accepted,
         1,
         {"14:05 - Best axis", "aperture confidence cone 95% : 6.0\xB0",
          "aperture confidence cone 99% : 7.5\xB0", "axis : 17.0 / 65.9",
          "lambda  0.993  0.007  0.000"}},
        {"two lines, the plot cancelled",
         kTwoLines,
         -1,
         Button::None,
         QDialog::Rejected,
         1,
         {"14:05 - Best axis", "aperture confidence cone 95% : 6.0\xB0",
          "aperture confidence cone 99% : 7.5\xB0"}},
        {"planes",
         {{"S", 62, 14}, {"S", 70, 20}},
         -1,
         Button::None,
         QDialog::Accepted,
         2,
         {"14:05 - Best plane", "aperture confidence cone 95% : 6.0\xB0",
          "aperture confidence cone 99% : 7.5\xB0", "plane : 73.0 / 245.9",
          "lambda  0.993  0.007  0.000"}},
        {"mixed, continued", mixed, -1, Button::Yes, QDialog::Accepted, 1, {}},
        {"mixed, refused", mixed, -1, Button::No, -1, 0, {}},
        {"no record shown", {{"L", 62, 14, 1, 0, false}}, -1, Button::None, -1, 0, {}},
        {"two sets, the chooser cancelled",
         {{"L", 62, 14, 1, 0}, {"L", 70, 20, 2, 0}},
         QDialog::Rejected,
         Button::None,
         -1,
         0,
         {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        canvas->model().lNT = 0;
        canvas->model().lNAdd = 0;
        canvas->RichEdit1()->clear();
        plot(r.measurements);
        int chooserShown = 0, plotShown = 0;
        RunChooser() = [&](TDlgUseSymb&) { return ++chooserShown, r.chooser; };
        BestFit offered;
        RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
            ++plotShown;
            offered = d.fit();
            return r.plotAnswer;
        };
        if (r.mixedAnswer != Button::None)
            t.prompts.expectMessage("Both lines and planes mixed in the selection", r.mixedAnswer);
        surface().clear();
        form->run(Cmd::BestPole);
        EXPECT_TRUE(t.prompts.allAnswered());
        EXPECT_EQ(chooserShown, r.chooser >= 0 ? 1 : 0);
        EXPECT_EQ(plotShown, r.plotAnswer >= 0 ? 1 : 0);
        if (r.plotAnswer < 0) {
            EXPECT_TRUE(PanelLines(*canvas).empty()) << "stops before any output";
            EXPECT_TRUE(surface().primitives().empty()) << "and draws nothing";
            continue;
        }
        if (!r.lines.empty()) {
            EXPECT_EQ(PanelLines(*canvas), r.lines);
        }
        EXPECT_EQ(offered.kind, r.kind);
        EXPECT_EQ(offered.aperture, offered.cone95) << "the 95% cone again as aperture";
        EXPECT_EQ(canvas->model().lNAdd > 0, r.plotAnswer == QDialog::Accepted);
    }
}

// A mixed set, after Yes, gives the pole the same directions give as lines.
TEST_F(BestPoleOnCanvas, MixedSetGivesThePoleOfTheSameLines)
{
    RunPlotGCPC() = [](TDlgPlotGCPC&) { return int(QDialog::Accepted); };
    plot({{"L", 62, 14}, {"L", 70, 20}, {"L", 64, 30}, {"L", 55, 22}});
    form->run(Cmd::BestPole);
    std::vector<std::string> lines = PanelLines(*canvas);
    canvas->model().lNT = 0;
    canvas->RichEdit1()->clear();
    plot({{"L", 62, 14}, {"S", 70, 20}, {"F", 64, 30}, {"L", 55, 22}});
    t.prompts.expectMessage("(all the poles will be seen as poles of axis)\r\rContinue ?",
                            Button::Yes);
    form->run(Cmd::BestPole);
    lines[0] = "14:05 - Best pole (mix of axis and planes)";
    EXPECT_EQ(PanelLines(*canvas), lines);
    EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Confirmation);
    EXPECT_EQ(t.prompts.messages().back().buttons, Button::Yes | Button::No);
}

// Before the dialog the canvas shows the result at once: symbol 10 in colour 9 and the cones
// dashed in the grid colour; Cancel leaves them until the next redraw, OK redraws the canvas
// with the kept values instead.
TEST_F(BestPoleOnCanvas, MarksBeforeTheDialog)
{
    plot({{"L", 62, 14}, {"L", 70, 20}, {"L", 64, 30}, {"L", 55, 22}, {"L", 58, 18}});
    const VarGlob& s = t.app.settings();
    std::size_t symbolParts = 0, dashed = 0, other = 0;
    RunPlotGCPC() = [&](TDlgPlotGCPC&) {
        for (const Primitive& p : surface().primitives()) {
            if (p.pen.colour == s.Tco[kBestPoleColour] && p.pen.style == PenStyle::Solid)
                ++symbolParts;
            else if (p.pen.colour == s.Tco[13] && p.pen.style == PenStyle::Dash)
                ++dashed;
            else
                ++other;
        }
        return int(QDialog::Rejected);
    };
    surface().clear();
    form->run(Cmd::BestPole);
    EXPECT_GT(symbolParts, 0u);
    EXPECT_GT(dashed, 0u);
    EXPECT_EQ(other, 0u) << "nothing else is drawn before the dialog";
    EXPECT_EQ(surface().primitives().size(), symbolParts + dashed) << "Cancel redraws nothing";
    EXPECT_EQ(canvas->model().lNAdd, 0);
}

TEST_F(BestPoleOnCanvas, MenuItemAndToolButton)
{
    QAction* item = form->action(Cmd::BestPole);
    EXPECT_EQ(fromQString(item->text()), "Best p\xF4le");
    EXPECT_FALSE(item->isEnabled()) << "an empty canvas";
    plot(kTwoLines);
    form->RefreshMenus();
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(form->toolBar()->actions().contains(item)) << "the tool button mirrors the item";
    int shown = 0;
    RunPlotGCPC() = [&](TDlgPlotGCPC&) { return ++shown, int(QDialog::Rejected); };
    item->trigger();
    EXPECT_EQ(shown, 1);
}

// End to end on the example sheets, drawing real pixels.
struct BestPoleOnExamples : ::testing::Test {
    BestPoleOnExamples()
    {
        t.app.settings().FrtL = 1;
        t.app.settings().FrtS = 1;
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 1100, 760);
        form->show();
    }
    ~BestPoleOnExamples() override
    {
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
        RunPlotGCPC() = [](TDlgPlotGCPC& d) { return d.exec(); };
    }

    void open(const char* file)
    {
        t.prompts.expectOpenFile(std::string(PLOQ_EXAMPLES) + "/" + file);
        form->run(Cmd::FileOpen);
    }
    TWPlot* plot(const char* key, int symbol, int colour, bool newCanvas,
                 KeyField field = KeyField::Nature)
    {
        return test::PlotKey(*form, t.app, key, symbol, colour, newCanvas, field);
    }
    static QImage image(TWPlot& canvas)
    {
        return dynamic_cast<QtImage&>(*canvas.model().image()).image();
    }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
};

// The pole, the circle and both cones.
void KeepEverything(TDlgPlotGCPC& d)
{
    for (QCheckBox* box : {d.poleBox(), d.circleBox(), d.cone95Box(), d.cone99Box()})
        box->setChecked(true);
}

// On a real display (the tests run under Xvfb with QT_QPA_PLATFORM=xcb), the whole screen
// while the dialog is up: the windows as the user sees them.
void SaveScreen(QWidget& dialog, const QString& name)
{
    if (QGuiApplication::platformName() != "xcb")
        return;
    dialog.show();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    test::SavePicture(QGuiApplication::primaryScreen()->grabWindow(0).toImage(), name);
}

double AxialDegrees(const Direction& a, const Direction& b)
{
    return std::acos(std::min(1.0, std::fabs(Dot(DirToVec(a), DirToVec(b))))) / kDegToRad;
}

// The fold axis the example was made with: 14/062.
const Direction kFoldAxis{Rad(62), Rad(14)};

TEST_F(BestPoleOnExamples, FoldAxisFromTheLineationsAndMinorFolds)
{
    open("folded-area.plq");
    TWPlot* canvas = plot("L1", 3, 2, true);
    ASSERT_NE(canvas, nullptr);
    ASSERT_EQ(plot("B", 5, 4, false), canvas);
    ASSERT_EQ(canvas->model().lNT, 18);

    int offered = 0;
    RunChooser() = [&](TDlgUseSymb& d) {
        offered = d.chooser().pairs();
        test::SavePicture(d.grab().toImage(), "best_pole_chooser.png");
        return int(QDialog::Accepted); // nothing ticked: every set
    };
    BestFit fit;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        fit = d.fit();
        test::SavePicture(image(*canvas), "best_pole_before_dialog.png");
        KeepEverything(d);
        test::SavePicture(d.grab().toImage(), "best_pole_dialog.png");
        SaveScreen(d, "best_pole_screen.png");
        return int(QDialog::Accepted);
    };
    QAction* item = form->action(Cmd::BestPole);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(offered, 2) << "the chooser offers both sets";

    const Direction axis{fit.trend, fit.plunge};
    EXPECT_LT(AxialDegrees(axis, kFoldAxis), 3)
        << axis.plunge / kDegToRad << "/" << axis.trend / kDegToRad;
    const std::vector<std::string> lines = PanelLines(*canvas);
    ASSERT_GE(lines.size(), 5u);
    const auto at = std::find(lines.begin(), lines.end(), "14:05 - Best axis");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(at[1].rfind("aperture confidence cone 95% : ", 0), 0u);
    EXPECT_EQ(at[2].rfind("aperture confidence cone 99% : ", 0), 0u);
    EXPECT_EQ(at[3].rfind("axis : ", 0), 0u);
    EXPECT_EQ(at[4].rfind("lambda ", 0), 0u);
    EXPECT_LT(fit.cone95, Rad(10)) << "18 axes within some 5 degrees";

    const CanvasModel& m = canvas->model();
    ASSERT_EQ(m.lNAdd, 4);
    EXPECT_EQ(m.lAdd[0].nat, kAddBestAxis);
    EXPECT_EQ(m.lAdd[1].nat, kAddNormalToBA);
    EXPECT_EQ(m.lAdd[2].nat, kAddCone95BA);
    EXPECT_EQ(m.lAdd[3].nat, kAddCone99BA);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(m.lAdd[static_cast<std::size_t>(i)].vis) << i;

    // The kept values survive a zoom: the points of the normal plane, 90 degrees from the axis,
    // are drawn in the values' colour.
    canvas->SpeedButton1Click();
    const QImage zoomed = image(*canvas);
    test::SavePicture(zoomed, "best_pole_folded_area.png");
    const Net net = canvas->model().net();
    const TColor colour = t.app.settings().Tco[m.lAdd[1].nco];
    int onPlane = 0;
    for (double toward = 0; toward < 360; toward += 30) {
        const Direction onTrace = test::Deviated(axis, Rad(90), Rad(toward));
        const Point p = DirToPixel(onTrace, net);
        bool found = false;
        for (int dx = -1; dx <= 1 && !found; ++dx)
            for (int dy = -1; dy <= 1 && !found; ++dy)
                found = zoomed.pixel(p.x + dx, p.y + dy)
                        == qRgb(redOf(colour), greenOf(colour), blueOf(colour));
        onPlane += found;
    }
    EXPECT_GE(onPlane, 10) << "the normal plane is drawn after the zoom";
}

TEST_F(BestPoleOnExamples, BestPlaneOfTheCrossBeds)
{
    open("cross-bedding.plq");
    TWPlot* canvas = plot("Sxb", 1, 0, true);
    ASSERT_NE(canvas, nullptr);
    ASSERT_EQ(canvas->model().lNT, 40);
    BestFit fit;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        fit = d.fit();
        d.poleBox()->setChecked(true);
        d.circleBox()->setChecked(true);
        d.cone95Box()->setChecked(true);
        return int(QDialog::Accepted);
    };
    form->action(Cmd::BestPole)->trigger();
    EXPECT_EQ(fit.kind, kAddBestPlane);
    const std::vector<std::string> lines = PanelLines(*canvas);
    const auto at = std::find(lines.begin(), lines.end(), "14:05 - Best plane");
    ASSERT_NE(at, lines.end());
    ASSERT_GE(lines.end() - at, 4);
    EXPECT_EQ(at[3].rfind("plane : ", 0), 0u) << at[3];
    // The foresets dip some 24 degrees toward about 112.
    const double dipDeg = 90 - fit.plunge / kDegToRad;
    const double dipDirectionDeg = std::fmod(fit.trend / kDegToRad + 180, 360);
    EXPECT_NEAR(dipDeg, 24, 4);
    EXPECT_NEAR(dipDirectionDeg, 112, 10);
    EXPECT_EQ(canvas->model().lAdd[1].nat, kAddPoleBP) << "the trace of the best plane";
    test::SavePicture(image(*canvas), "best_pole_cross_bedding.png");
}

// The trough cross-beds alone spread more: their cones are wide enough to be seen round the
// pole, at once (dashed, grid colour) and once kept (in the values' colour).
TEST_F(BestPoleOnExamples, WideConesOfTheTroughSet)
{
    open("cross-bedding.plq");
    TWPlot* canvas = plot("Bed C", 1, 0, true, KeyField::Location);
    ASSERT_NE(canvas, nullptr);
    ASSERT_EQ(canvas->model().lNT, 12);
    canvas->DoPUMenuStyleCnvs(3); // planes as their poles
    BestFit fit;
    RunPlotGCPC() = [&](TDlgPlotGCPC& d) {
        fit = d.fit();
        test::SavePicture(image(*canvas), "best_pole_trough_before_dialog.png");
        KeepEverything(d);
        return int(QDialog::Accepted);
    };
    form->action(Cmd::BestPole)->trigger();
    ASSERT_TRUE(ConeUsable(fit.cone99));
    EXPECT_GT(fit.cone95, Rad(5));
    ASSERT_EQ(canvas->model().lNAdd, 4);
    test::SavePicture(image(*canvas), "best_pole_trough.png");
}

} // namespace
} // namespace ploq
