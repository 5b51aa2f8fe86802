// The right dihedra and P-T canvases as a user works them: the menu items, the click modes
// through the canvas's mouse handler, the button through its whole cycle, and the messages of
// the pair check.

#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "faults/DihedraCommands.h"
#include "faults/DihedraDraw.h"
#include "faults/RightDihedra.h"
#include "model/Conversion.h"
#include "model/UtilGlob.h"
#include "platform/QtSurface.h"
#include "stats3d/Counting.h"
#include "stats3d/DlgContDD.h"
#include "support/PlotUi.h"
#include "support/SheetUi.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace ploq {
namespace {

struct PairSpec {
    double dipDir;
    double dip;
    double a; // the striae's pitch from the strike direction, degrees
    const char* sense = "N";
};

struct DihedraUi : ::testing::Test {
    DihedraUi()
    {
        VarGlob& s = t.app.settings();
        s.FrtS = 1;
        s.FrtL = 1;
        s.NbCr = 6;
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 1100, 760);
        form->show();
    }
    ~DihedraUi() override { EXPECT_TRUE(t.prompts.allAnswered()); }

    static QImage image(TWPlot& canvas)
    {
        return dynamic_cast<QtImage&>(*canvas.model().image()).image();
    }

    TWFichier* sheetOf(const std::vector<PairSpec>& pairs, bool oddRow = false)
    {
        DataSheet sheet = NewDataSheet(t.app.settings());
        const Notation notation = sheet.notation();
        int row = 0;
        const auto put = [&](const std::string& nature, const Direction& d, bool plane,
                             int number) {
            if (row > 0)
                sheet.appendRow();
            ++row;
            sheet.setField(row, Field::Nature, nature);
            sheet.setField(row, Field::Value, DirToText(true, plane, d.plunge, d.trend, notation));
            sheet.setField(row, Field::Number, std::to_string(number));
            sheet.ltAz[static_cast<std::size_t>(row)] = d.trend;
            sheet.ltPe[static_cast<std::size_t>(row)] = d.plunge;
            sheet.lMod[static_cast<std::size_t>(row)] = kRowChanged;
        };
        int number = 0;
        for (const PairSpec& p : pairs) {
            ++number;
            const double strike = (p.dipDir - 90) * kDegToRad;
            const Direction pole{NormalizeTrend((p.dipDir + 180) * kDegToRad),
                                 (90 - p.dip) * kDegToRad};
            put(std::string("F") + p.sense + "..", pole, true, number);
            put(std::string("L") + p.sense + "..",
                PitchToLine(p.a * kDegToRad, p.dip * kDegToRad, strike), false, number);
        }
        if (oddRow)
            put("L", {0, 1}, false, 99);
        sheet.Numeroter();
        return NewSheet(t.app, form.get(), std::move(sheet));
    }

    TWPlot* plotAll() { return test::PlotThroughDialog(*form, t.app, "", 1, 0, true); }

    void take(Cmd cmd)
    {
        form->RefreshMenus();
        QAction* item = form->action(cmd);
        ASSERT_TRUE(item->isEnabled()) << static_cast<int>(cmd);
        item->trigger();
    }

    // The canvas a command made: the new current one.
    TWPlot* made(Cmd cmd, TWPlot* from)
    {
        t.app.activateWindow(*from);
        take(cmd);
        TWPlot* canvas = ActiveCanvas(t.app);
        EXPECT_NE(canvas, from);
        return canvas;
    }

    // A left click at the pixel of a direction.
    static void clickAt(TWPlot& canvas, const Direction& d)
    {
        const Point p = DirToPixel(d, canvas.model().net());
        canvas.imageMouse(0, {p.x, p.y, true, false, false});
    }

    // The notation the results are written in.
    Notation notation() const { return {t.app.settings().FrtS, t.app.settings().FrtL}; }

    static QString caption(TWPlot& canvas) { return canvas.Button1()->text(); }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
};

// Six mixed faults round a north-south compression.
const std::vector<PairSpec> kSix = {{90, 40, 90, "R"},   {270, 35, 90, "R"}, {20, 80, 5, "S"},
                                    {340, 80, 175, "D"}, {95, 60, 80, "R"},  {150, 70, 10, "S"}};

TEST_F(DihedraUi, CalculateMakesARightDihedraCanvasOfItsOwnGrid)
{
    sheetOf(kSix);
    TWPlot* source = plotAll();
    ASSERT_NE(source, nullptr);
    TWPlot* rd = made(Cmd::DihedraCalculate, source);
    ASSERT_NE(rd, nullptr);
    const CanvasModel& m = rd->model();
    EXPECT_EQ(m.natWP, kWPDihedra);
    EXPECT_EQ(rd->title(), "Right angle dihedra : " + source->title());
    EXPECT_EQ(m.lNbCr, 6);
    ASSERT_EQ(m.lVnod.size(), 127u);
    EXPECT_EQ(fromQString(rd->Label1()->text()), "6 f");
    EXPECT_EQ(caption(*rd), "faults");
    EXPECT_TRUE(rd->Button1()->isVisibleTo(rd));
    // The same counts as the core computes on the source's records.
    const DihedraResult r = CalculateDihedra(CanvasRecords(source->model()), 6, true);
    EXPECT_EQ(m.lVnod, r.counts);
    EXPECT_EQ(m.ma, r.ma);
    EXPECT_EQ(m.mi, r.mi);
    // A later change of the crown number leaves the canvas on its own grid: clicks read its
    // nodes.
    t.app.settings().NbCr = 12;
    t.app.activateWindow(*rd);
    take(Cmd::DihedraNodePosition);
    EXPECT_EQ(m.butPosXY, kModeDihedraNode);
    EXPECT_EQ(caption(*rd), "ok");
    clickAt(*rd, NodeDirection(100, 6));
    const std::vector<std::string> lines = test::PanelLines(*rd);
    ASSERT_FALSE(lines.empty());
    const Direction at = NodeDirection(100, 6);
    EXPECT_EQ(lines.back(), "nod 100, position : "
                                + DirToText(false, false, at.plunge, at.trend, notation())
                                + " ");
    EXPECT_EQ(fromQString(rd->Label2()->text()),
              DirToText(false, false, at.plunge, at.trend, notation()));
    test::SavePicture(image(*rd), "dihedra_node_position.png");
}

TEST_F(DihedraUi, AValueAtAClickIsTheCountThere)
{
    sheetOf(kSix);
    TWPlot* source = plotAll();
    TWPlot* rd = made(Cmd::DihedraCalculate, source);
    take(Cmd::DihedraValueAtClick);
    EXPECT_EQ(rd->model().butPosXY, kModeDihedraValue);
    EXPECT_EQ(caption(*rd), "ok");
    const Direction north{0, 5 * kDegToRad};
    clickAt(*rd, north);
    const std::vector<std::string> lines = test::PanelLines(*rd);
    ASSERT_FALSE(lines.empty());
    const Point p = DirToPixel(north, rd->model().net());
    const Direction clicked = *rd->model().DirAt(p.x, p.y);
    const int expected = DihedraCounter(CanvasRecords(source->model()), true).CountAt(clicked);
    EXPECT_EQ(lines.back(), "point " + DirToText(false, false, clicked.plunge, clicked.trend,
                                                 notation())
                                + "   v = " + std::to_string(expected));
    // The count written in purple at the click.
    const QImage shown = image(*rd);
    bool purple = false;
    for (int dx = -8; dx <= 8 && !purple; ++dx)
        for (int dy = -8; dy <= 8 && !purple; ++dy)
            purple = shown.pixel(p.x + dx, p.y + dy) == qRgb(128, 0, 128);
    EXPECT_TRUE(purple);
    // A click outside the primitive circle does nothing.
    const std::size_t before = test::PanelLines(*rd).size();
    rd->imageMouse(0, {2, 2, true, false, false});
    EXPECT_EQ(test::PanelLines(*rd).size(), before);
}

TEST_F(DihedraUi, SettingTheMaximumToZeroMakesACanvasOfTheKeptFaults)
{
    sheetOf(kSix);
    TWPlot* source = plotAll();
    TWPlot* rd = made(Cmd::DihedraCalculate, source);
    const CanvasModel& m = rd->model();
    int top = 0;
    for (int node = 0; node < 127; ++node)
        if (m.lVnod[static_cast<std::size_t>(node)] == m.ma) {
            top = node;
            break;
        }
    take(Cmd::DihedraNodeToZero);
    EXPECT_EQ(m.butPosXY, kModeDihedraZero);
    const int canvases = t.app.registry().count(WindowKind::Canvas);
    clickAt(*rd, NodeDirection(top, 6));
    ASSERT_EQ(t.app.registry().count(WindowKind::Canvas), canvases + 1);
    TWPlot* left = ActiveCanvas(t.app);
    ASSERT_NE(left, rd);
    const CanvasModel& l = left->model();
    EXPECT_EQ(l.natWP, kWPDihedra);
    EXPECT_EQ(l.lVnod[static_cast<std::size_t>(top)], 0);
    EXPECT_EQ(l.mi, 0);
    const NodeRemoval removal =
        RemoveNode(CanvasRecords(m), m.lVnod, 6, top, true, notation());
    EXPECT_EQ(l.lNT, 2 * static_cast<int>(removal.kept.size()));
    EXPECT_EQ(fromQString(left->Label1()->text()), std::to_string(removal.kept.size()) + " f");
    const std::vector<std::string> lines = test::PanelLines(*left);
    ASSERT_EQ(lines.size(), 1 + removal.removed.size());
    EXPECT_EQ(lines[0], "Derelicted faults :");
    const Direction at = NodeDirection(top, 6);
    EXPECT_EQ(test::PanelLines(*rd).back(),
              "nod set to zero :  " + DirToText(false, false, at.plunge, at.trend, notation())
                  + " ");
    test::SavePicture(image(*left), "dihedra_node_to_zero.png");
    // A node of value 0 only writes its line.
    t.app.activateWindow(*left);
    take(Cmd::DihedraNodeToZero);
    clickAt(*left, at);
    EXPECT_EQ(t.app.registry().count(WindowKind::Canvas), canvases + 1);
}

TEST_F(DihedraUi, TheButtonCyclesItsOverlaysAndEndsAClickModeFirst)
{
    sheetOf(kSix);
    TWPlot* source = plotAll();
    TWPlot* rd = made(Cmd::DihedraCalculate, source);
    std::vector<QString> captions;
    std::vector<int> steps;
    for (int press = 0; press < 5; ++press) {
        rd->Button1MouseUp(false);
        captions.push_back(caption(*rd));
        steps.push_back(rd->model().i1);
    }
    EXPECT_EQ(captions, (std::vector<QString>{"aux S", "clean", "faults", "aux S", "clean"}));
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 1, 2}));
    t.app.activateWindow(*rd);
    take(Cmd::DihedraValueAtClick);
    EXPECT_TRUE(rd->model().AttenteClic);
    rd->Button1MouseUp(false);
    EXPECT_EQ(rd->model().butPosXY, kModeNone);
    EXPECT_FALSE(rd->model().AttenteClic);
    EXPECT_EQ(rd->model().i1, 0);
    EXPECT_EQ(caption(*rd), "faults");
}

TEST_F(DihedraUi, PTAxesMakeACanvasOfLettersWithTheSourcesBeside)
{
    sheetOf(kSix);
    TWPlot* source = plotAll();
    TWPlot* pt = made(Cmd::FaultsPTAxis, source);
    ASSERT_NE(pt, nullptr);
    const CanvasModel& m = pt->model();
    EXPECT_EQ(m.natWP, kWPPTAxes);
    EXPECT_EQ(pt->title(), " P and T axis " + source->title());
    EXPECT_EQ(m.lNT, 12);
    EXPECT_EQ(m.lFaults.size(), 12u);
    EXPECT_EQ(fromQString(pt->Label1()->text()), "6 f");
    const std::vector<std::string> lines = test::PanelLines(*pt);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 15), " - Axis P and T");
    EXPECT_EQ(lines[1], "6 P and T axis(s)");
    EXPECT_EQ(caption(*pt), "faults");
    pt->Button1MouseUp(false);
    EXPECT_EQ(caption(*pt), "aux S");
    test::SavePicture(image(*pt), "pt_axes_faults.png");
}

TEST_F(DihedraUi, EveryPairCheckMessageStopsTheCommands)
{
    sheetOf(kSix, true);
    TWPlot* source = plotAll();
    ASSERT_NE(source, nullptr);
    for (const Cmd cmd : {Cmd::DihedraCalculate, Cmd::FaultsPTAxis}) {
        t.prompts.expectMessage(std::string(kMsgOddCanvas));
        t.app.activateWindow(*source);
        take(cmd);
        EXPECT_EQ(t.app.registry().count(WindowKind::Canvas), 1);
    }
}

TEST_F(DihedraUi, NotAFaultOrNotAStriaeIsTold)
{
    const std::pair<const char*, const char*> rows[][2] = {
        {{"P", "1"}, {"L", "1"}}, {{"FN..", "1"}, {"FN..", "2"}}};
    const char* messages[] = {"Error on the fault n\xB0" "1 (P)", "Error on the value (striae) n\xB0" "2"};
    for (int k = 0; k < 2; ++k) {
        DataSheet s = NewDataSheet(t.app.settings());
        for (int row = 1; row <= 2; ++row) {
            if (row > 1)
                s.appendRow();
            s.setField(row, Field::Nature, rows[k][row - 1].first);
            s.setField(row, Field::Value, row == 1 ? "30/090" : "30/100");
            s.setField(row, Field::Number, rows[k][row - 1].second);
            s.ltAz[static_cast<std::size_t>(row)] = row * 0.5;
            s.ltPe[static_cast<std::size_t>(row)] = 0.5;
            s.lMod[static_cast<std::size_t>(row)] = kRowChanged;
        }
        s.Numeroter();
        NewSheet(t.app, form.get(), std::move(s));
        TWPlot* source = plotAll();
        ASSERT_NE(source, nullptr);
        const int canvases = t.app.registry().count(WindowKind::Canvas);
        for (const Cmd cmd : {Cmd::DihedraCalculate, Cmd::FaultsPTAxis}) {
            t.prompts.expectMessage(messages[k]);
            t.app.activateWindow(*source);
            take(cmd);
            EXPECT_EQ(t.app.registry().count(WindowKind::Canvas), canvases);
        }
    }
}

TEST_F(DihedraUi, UnknownSensesAreToldAndTheToolStillRuns)
{
    sheetOf({{90, 40, 90, "R"}, {10, 60, 30, "."}});
    TWPlot* source = plotAll();
    t.prompts.expectMessage("unknown sense of movement for 1 fault(s)");
    TWPlot* rd = made(Cmd::DihedraCalculate, source);
    EXPECT_EQ(fromQString(rd->Label1()->text()), "1 f");
}

TEST_F(DihedraUi, TheSixteenthCanvasIsRefused)
{
    sheetOf(kSix);
    TWPlot* source = plotAll();
    while (t.app.registry().count(WindowKind::Canvas) < kMaxWindows)
        NewWP(t.app, kWPStats2D);
    for (const Cmd cmd : {Cmd::DihedraCalculate, Cmd::FaultsPTAxis}) {
        t.app.activateWindow(*source);
        t.prompts.expectMessage("Maximum number of canvas reached...");
        take(cmd);
        EXPECT_EQ(t.app.registry().count(WindowKind::Canvas), kMaxWindows);
    }
}

// End to end on the example: plotted, its right dihedra, a value clicked at sigma 1, the
// right dihedra's density contours, then its P-T axes with their overlays.
TEST_F(DihedraUi, TheFaultsExampleEndToEnd)
{
    t.prompts.expectOpenFile(std::string(PLOQ_EXAMPLES) + "/faults.plq");
    form->run(Cmd::FileOpen);
    TWPlot* source = plotAll();
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(source->model().lNT, 80);
    TWPlot* rd = made(Cmd::DihedraCalculate, source);
    EXPECT_EQ(fromQString(rd->Label1()->text()), "40 f");
    test::SavePicture(image(*rd), "dihedra_faults_example.png");
    take(Cmd::DihedraValueAtClick);
    clickAt(*rd, {160 * kDegToRad, 2 * kDegToRad});
    const std::string value = test::PanelLines(*rd).back();
    EXPECT_EQ(value.rfind("point ", 0), 0u) << value;
    EXPECT_GE(std::stoi(value.substr(value.rfind('=') + 1)), 36) << value;
    rd->Button1MouseUp(false);
    for (int step = 1; step <= 2; ++step) {
        rd->Button1MouseUp(false);
        test::SavePicture(image(*rd), QString("dihedra_faults_step%1.png").arg(step));
    }
    // "Density contours" of the right dihedra, with the dialog's default levels.
    t.app.activateWindow(*rd);
    take(Cmd::DihedraContours);
    auto* dialog = qobject_cast<TDlgContDD*>(t.app.dialog(kDlgContDD));
    ASSERT_NE(dialog, nullptr);
    const int before = t.app.registry().count(WindowKind::Canvas);
    dialog->contourButton()->click();
    ASSERT_EQ(t.app.registry().count(WindowKind::Canvas), before + 1);
    TWPlot* contours = ActiveCanvas(t.app);
    EXPECT_EQ(contours->model().natWP, kWPDihedraContours);
    EXPECT_EQ(contours->model().lNT, 80);
    test::SavePicture(image(*contours), "dihedra_faults_contours.png");
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    TWPlot* pt = made(Cmd::FaultsPTAxis, source);
    EXPECT_EQ(pt->model().lNT, 80);
    EXPECT_EQ(fromQString(pt->Label1()->text()), "40 f");
    test::SavePicture(image(*pt), "pt_faults_example.png");
}

} // namespace
} // namespace ploq
