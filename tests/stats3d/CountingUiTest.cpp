// "Counting" and "Counting-grid nod position" on canvases: the counting canvas made from the
// chosen sets (its title, counts, panel lines with a fixed clock, its own grid after the setting
// changed), the node queries by click, and end to end on the cross-bedding example with
// pictures (pictures/counting_*.png).

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/Dessin.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/Counting.h"
#include "stats3d/CountingCommands.h"
#include "support/PlotUi.h"
#include "support/UiApp.h"
#include "transform/DlgUseSymb.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>

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
    for (const QString& line : canvas.RichEdit1()->toPlainText().split('\n'))
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

struct CountingOnCanvas : ::testing::Test {
    CountingOnCanvas()
    {
        VarGlob& s = t.app.settings();
        s.FrtL = 1; // plunge/direction
        s.FrtS = 1;
        s.NbCr = 6;
        SavePrefsFile(s, t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        source = NewWP(t.app, kWPOrdinary);
        source->SetRayon(150, true);
    }
    ~CountingOnCanvas() override
    {
        RunChooser() = [](TDlgUseSymb& d) { return d.exec(); };
    }

    void plot(const std::vector<Measurement>& measurements)
    {
        for (const Measurement& m : measurements) {
            InfoVal v;
            v.na = m.nature;
            v.azi = Rad(m.trendDeg);
            v.pen = Rad(m.plungeDeg);
            InfoVal& added = AjoutVal(source->model(), v, m.sy, m.colour);
            SetBit(added.inf, kInfPresent, m.present);
        }
        source->NettoyerWP();
    }
    TWPlot* count()
    {
        TWPlot* before = ActiveCanvas(t.app);
        form->run(Cmd::Counting);
        TWPlot* now = ActiveCanvas(t.app);
        return now != before ? now : nullptr;
    }
    static RecordingSurface& surface(TWPlot& canvas)
    {
        return dynamic_cast<RecordingImage&>(*canvas.model().image()).recording();
    }
    static std::vector<std::string> texts(TWPlot& canvas)
    {
        std::vector<std::string> shown;
        for (const Primitive& p : surface(canvas).primitives())
            if (p.shape == Shape::Text)
                shown.push_back(p.text);
        return shown;
    }
    // The pixel of a node by the canvas's net.
    static Point pixelOf(TWPlot& canvas, int node, int crowns)
    {
        return DirToPixel(NodeDirection(node, crowns), canvas.model().net());
    }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
    TWPlot* source = nullptr;
};

// Five lines 45/000 and three 45/180 of one set, one hidden line, one line of another set left
// out by the chooser: 8 counted, node 19 holds 5 and node 28 (crown 3 at 180) 3; U is that of
// the 8 counted, (1 - cos 10 deg) x 8 = 0.1215.
TEST_F(CountingOnCanvas, CountsTheChosenSetOnANewCanvas)
{
    std::vector<Measurement> m(5, {"L", 0, 45});
    m.insert(m.end(), 3, {"L", 180, 45});
    m.push_back({"L", 90, 10, 1, 0, false}); // hidden
    m.push_back({"L", 90, 30, 2, 0});        // another set
    plot(m);
    int chooserShown = 0;
    RunChooser() = [&](TDlgUseSymb& d) {
        ++chooserShown;
        d.imageReleased(false, 31, 28 - 15); // symbol 1, colour 0
        return int(QDialog::Accepted);
    };
    TWPlot* counting = count();
    ASSERT_NE(counting, nullptr);
    EXPECT_EQ(chooserShown, 1);
    EXPECT_EQ(counting->title(), "Counting " + source->title());
    const CanvasModel& c = counting->model();
    EXPECT_EQ(c.natWP, kWPCounting);
    EXPECT_EQ(c.lNbCr, 6);
    ASSERT_EQ(c.lVnod.size(), 127u);
    EXPECT_EQ(c.lVnod[19], 5);
    EXPECT_EQ(c.lVnod[28], 3);
    EXPECT_EQ(c.ma, 5);
    EXPECT_EQ(c.lNT, 8);
    EXPECT_NEAR(c.ar1, (1 - std::cos(Rad(10))) * 8, 1e-12);
    EXPECT_EQ(
        PanelLines(*counting),
        (std::vector<std::string>{"14:05:00- counting of 8 val  ",
                                  " (grid : 6 crowns, 127 nods, cone half-aperture  10.0\xB0)",
                                  " 1 val => 8.2 U max = 5 val (=> 41.1 U)", ""}));
    QTextCursor heading(counting->RichEdit1()->document());
    heading.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(heading.charFormat().fontWeight(), QFont::Bold);
    // Drawn: the two counts, the 5 in red bold at node 19, the 3 in black (above 5/2).
    std::vector<Primitive> drawn;
    for (const Primitive& p : surface(*counting).primitives())
        if (p.shape == Shape::Text)
            drawn.push_back(p);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].text, "5");
    EXPECT_TRUE(drawn[0].font.bold);
    EXPECT_EQ(drawn[0].font.colour, clRed);
    EXPECT_EQ(drawn[1].text, "3");
    EXPECT_EQ(drawn[1].font.colour, clBlack);
    const Point p19 = pixelOf(*counting, 19, 6);
    EXPECT_EQ(drawn[0].points[0].y, p19.y - 6);
    EXPECT_NEAR(drawn[0].points[0].x + 0.6 * drawn[0].font.pixelHeight / 2, p19.x, 1);
    EXPECT_EQ(source->model().lNT, 10) << "the source canvas is not changed";
}

TEST_F(CountingOnCanvas, UniformityMultiples)
{
    plot(std::vector<Measurement>(4, {"S", 0, 45}));
    SetBit(t.app.settings().OptS3Dadd, kS3DaddCountF, true);
    TWPlot* counting = count();
    ASSERT_NE(counting, nullptr);
    EXPECT_EQ(PanelLines(*counting)[2], " U = 1 -> 0.1 val max = 65.8 U (=> 4 val)");
    EXPECT_EQ(texts(*counting), std::vector<std::string>{"65.8"});
}

// A canvas made with 6 crowns, redrawn after a counting with 12: its counts stay at the nodes
// of its own grid.
TEST_F(CountingOnCanvas, OlderCanvasKeepsItsGrid)
{
    plot(std::vector<Measurement>(3, {"L", 90, 3}));
    TWPlot* six = count();
    ASSERT_NE(six, nullptr);
    t.app.settings().NbCr = 12;
    t.app.activateWindow(*source);
    TWPlot* twelve = count();
    ASSERT_NE(twelve, nullptr);
    EXPECT_EQ(twelve->model().lVnod.size(), 469u);
    EXPECT_EQ(twelve->model().lNbCr, 12);
    // Crown 6 of 6 starts at node 91; the lines 3/090 count on its node 100 due east and, once
    // folded, on node 118 due west; with 12 crowns on nodes 415 and 451.
    for (TWPlot* canvas : {six, twelve}) {
        canvas->SpeedButton1Click(); // a zoom redraws
        const int crowns = canvas->model().lNbCr;
        std::vector<Point> at;
        for (const Primitive& p : surface(*canvas).primitives())
            if (p.shape == Shape::Text)
                at.push_back({p.points[0].x, p.points[0].y + 6});
        const int east = FirstNodeOfCrown(crowns) + 3 * crowns / 2;
        ASSERT_EQ(at.size(), 2u) << crowns;
        EXPECT_EQ(at[0].y, pixelOf(*canvas, east, crowns).y);
        EXPECT_NEAR(at[0].x + 3, pixelOf(*canvas, east, crowns).x, 2) << crowns;
        EXPECT_NEAR(at[1].x + 3, pixelOf(*canvas, east + 3 * crowns, crowns).x, 2) << crowns;
    }
}

TEST_F(CountingOnCanvas, MenuItems)
{
    QAction* counting = form->action(Cmd::Counting);
    QAction* position = form->action(Cmd::CountingNodePosition);
    EXPECT_EQ(fromQString(counting->text()), "Counting");
    EXPECT_EQ(fromQString(position->text()), "Counting-grid nod position");
    plot({{"L", 0, 45}, {"L", 10, 45}});
    form->RefreshMenus();
    EXPECT_TRUE(counting->isEnabled());
    EXPECT_FALSE(position->isEnabled()) << "an ordinary canvas";
    counting->trigger();
    form->RefreshMenus();
    EXPECT_EQ(ActiveCanvas(t.app)->model().natWP, kWPCounting);
    EXPECT_TRUE(position->isEnabled());
    EXPECT_FALSE(counting->isEnabled()) << "a counting canvas holds no records";
}

// The node under a click: no chooser (the counting canvas holds no records), the line with the
// node's direction and count, the node marked and named in the label; a click outside the net
// does nothing; the button ends the mode.
TEST_F(CountingOnCanvas, NodePositionByClick)
{
    plot({{"L", 0, 45}, {"L", 0, 45}, {"L", 30, 45, 2, 0}});
    RunChooser() = [](TDlgUseSymb&) { return int(QDialog::Accepted); }; // every set
    TWPlot* counting = count();
    ASSERT_NE(counting, nullptr);
    int chooserShown = 0;
    RunChooser() = [&](TDlgUseSymb&) { return ++chooserShown, int(QDialog::Rejected); };
    form->RefreshMenus();
    form->action(Cmd::CountingNodePosition)->trigger();
    EXPECT_EQ(chooserShown, 0);
    CanvasModel& m = counting->model();
    EXPECT_EQ(m.butPosXY, kModeCountingNode);
    EXPECT_TRUE(m.AttenteClic);
    EXPECT_FALSE(counting->Button1()->isHidden());
    const std::size_t before = PanelLines(*counting).size();

    struct Click {
        int dx, dy; // from the pixel of node 19
        int node;
        const char* direction;
        int count;
    };
    const Point p19 = pixelOf(*counting, 19, 6);
    const Point p21 = pixelOf(*counting, 21, 6);
    const Click clicks[] = {{0, 0, 19, "45 / 0", 2},
                            {3, -2, 19, "45 / 0", 2},
                            {p21.x - p19.x, p21.y - p19.y, 21, "45 / 40", 1}};
    for (const Click& c : clicks) {
        surface(*counting).clear();
        counting->imageMouse(0, {p19.x + c.dx, p19.y + c.dy});
        const std::vector<std::string> lines = PanelLines(*counting);
        EXPECT_EQ(lines.back(), "nod " + std::to_string(c.node) + ", position : " + c.direction
                                    + " " + std::to_string(c.count));
        // The mark: a blue ring drawn last, round the node itself.
        const Primitive& mark = surface(*counting).primitives().back();
        EXPECT_EQ(mark.shape, Shape::Ellipse);
        const Point node = c.node == 19 ? p19 : p21;
        EXPECT_NEAR((mark.box.left + mark.box.right - 1) / 2.0, node.x, 1);
        EXPECT_NEAR((mark.box.top + mark.box.bottom - 1) / 2.0, node.y, 1);
        EXPECT_EQ(fromQString(counting->Label2()->text()), c.direction);
        EXPECT_FALSE(counting->Label2()->isHidden());
    }
    EXPECT_EQ(PanelLines(*counting).size(), before + 3);
    counting->imageMouse(0, {2, 2}); // outside the net
    EXPECT_EQ(PanelLines(*counting).size(), before + 3);

    counting->Button1MouseUp(false);
    EXPECT_EQ(m.butPosXY, kModeNone);
    EXPECT_FALSE(m.AttenteClic);
    EXPECT_TRUE(counting->Button1()->isHidden());
    EXPECT_TRUE(counting->Label2()->isHidden());
    counting->imageMouse(0, {p19.x, p19.y});
    EXPECT_EQ(PanelLines(*counting).size(), before + 3) << "the mode has ended";
}

// A counting canvas counts values it holds no records of: the grid axed on a clicked point
// finds no record there and takes the clicked direction.
TEST_F(CountingOnCanvas, GridAxedOnAClickedPoint)
{
    plot({{"L", 0, 45}, {"L", 10, 45}});
    TWPlot* counting = count();
    ASSERT_NE(counting, nullptr);
    ASSERT_EQ(counting->model().lNT, 2);
    counting->DoPUMenuGrille(TWPlot::kGridItemAxedClicked);
    const CanvasModel& m = counting->model();
    counting->imageMouse(0, {m.lXc + 40, m.lYc});
    EXPECT_EQ(m.natGrille, kGridAxed);
    EXPECT_NEAR(m.ar4, Rad(90), 1e-9) << "the clicked point, due east";
    counting->Button1MouseUp(false);
}

// End to end on the cross-bedding example, drawing real pixels.
struct CountingOnExamples : ::testing::Test {
    CountingOnExamples()
    {
        t.app.settings().FrtL = 1;
        t.app.settings().FrtS = 1;
        t.app.settings().NbCr = 6;
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 1100, 760);
        form->show();
    }

    static QImage image(TWPlot& canvas)
    {
        return dynamic_cast<QtImage&>(*canvas.model().image()).image();
    }
    // On a real display (the tests run under Xvfb with QT_QPA_PLATFORM=xcb), the whole screen.
    static void saveScreen(const QString& name)
    {
        if (QGuiApplication::platformName() != "xcb")
            return;
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        test::SavePicture(QGuiApplication::primaryScreen()->grabWindow(0).toImage(), name);
    }
    // Whether some pixel of the colour lies within `reach` pixels of p.
    static bool colourNear(const QImage& image, Point p, QRgb colour, int reach)
    {
        for (int dx = -reach; dx <= reach; ++dx)
            for (int dy = -reach; dy <= reach; ++dy)
                if (image.pixel(p.x + dx, p.y + dy) == colour)
                    return true;
        return false;
    }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
};

TEST_F(CountingOnExamples, PolesOfTheCrossBeds)
{
    t.prompts.expectOpenFile(std::string(PLOQ_EXAMPLES) + "/cross-bedding.plq");
    form->run(Cmd::FileOpen);
    TWPlot* source = test::PlotThroughDialog(*form, t.app, "Sxb", 1, 0, true);
    ASSERT_NE(source, nullptr);
    source->DoPUMenuStyleCnvs(3); // planes as their poles
    ASSERT_EQ(source->model().lNT, 40);
    form->RefreshMenus();
    QAction* item = form->action(Cmd::Counting);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    TWPlot* counting = ActiveCanvas(t.app);
    ASSERT_NE(counting, source);
    ASSERT_EQ(counting->model().natWP, kWPCounting);
    EXPECT_EQ(counting->model().lNT, 40);
    test::SavePicture(image(*source), "counting_source_poles.png");

    // The poles of foresets dipping some 24 degrees toward 112 lie some 66/292: the largest
    // count sits in that quarter, away from the vertical.
    const CanvasModel& m = counting->model();
    const auto largest = std::max_element(m.lVnod.begin(), m.lVnod.end()) - m.lVnod.begin();
    const Direction top = NodeDirection(static_cast<int>(largest), 6);
    EXPECT_NEAR(top.plunge / kDegToRad, 66, 16);
    EXPECT_NEAR(top.trend / kDegToRad, 292, 30);
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_TRUE(colourNear(image(*counting), DirToPixel(top, m.net()), red, 8))
        << "the largest count written in red at its node";
    test::SavePicture(image(*counting), "counting_cross_bedding.png");

    form->RefreshMenus();
    ASSERT_TRUE(form->action(Cmd::CountingNodePosition)->isEnabled());
    form->action(Cmd::CountingNodePosition)->trigger();
    const Point at = DirToPixel(top, m.net());
    counting->imageMouse(0, {at.x + 2, at.y + 1});
    const std::vector<std::string> lines = PanelLines(*counting);
    EXPECT_EQ(lines.back().rfind("nod " + std::to_string(largest) + ", position : ", 0), 0u)
        << lines.back();
    EXPECT_EQ(lines.back().substr(lines.back().rfind(' ') + 1), std::to_string(m.ma));
    test::SavePicture(image(*counting), "counting_nod_position.png");
    saveScreen("counting_screen_nod_position.png");

    counting->Button1MouseUp(false);
    const int radius = m.lRc;
    counting->SpeedButton1Click();
    EXPECT_GT(m.lRc, radius);
    EXPECT_TRUE(colourNear(image(*counting), DirToPixel(top, m.net()), red, 8))
        << "after the zoom, at the node again";
    test::SavePicture(image(*counting), "counting_enlarged.png");
    saveScreen("counting_screen_enlarged.png");
}

} // namespace
} // namespace ploq
