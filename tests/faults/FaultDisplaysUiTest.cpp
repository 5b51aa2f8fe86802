#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "canvas/TWPlotCommands.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "faults/DlgTriPitch.h"
#include "faults/FaultDisplays.h"
#include "faults/FaultDraw.h"
#include "model/Conversion.h"
#include "model/UtilGlob.h"
#include "platform/QtSurface.h"
#include "stats2d/Stats2D.h"
#include "support/PlotUi.h"
#include "support/SheetUi.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace ploq {
namespace {

double deg(double radians)
{
    return radians / kDegToRad;
}

// A pair as the sheet holds it: the fault dipping `dip` towards `dipDir`, its striae at `a`
// from the strike direction (all degrees).
struct PairSpec {
    double dipDir;
    double dip;
    double a;
    const char* sense = "N";
};

struct FaultsUi : ::testing::Test {
    FaultsUi()
    {
        VarGlob& s = t.app.settings();
        s.FrtS = 1; // dip/dip direction
        s.FrtL = 1; // plunge/direction
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
        form->setGeometry(20, 40, 1100, 760);
        form->show();
    }
    ~FaultsUi() override { EXPECT_TRUE(t.prompts.allAnswered()); }

    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static QImage image(TWPlot& canvas)
    {
        return dynamic_cast<QtImage&>(*canvas.model().image()).image();
    }

    // Rows typed from directions: their texts in the notation, their stored directions exact.
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

    // The menu item as the user takes it: enabled, then triggered.
    void take(Cmd cmd)
    {
        form->RefreshMenus();
        QAction* item = form->action(cmd);
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
    }

    TDlgTriPitch* selectionDialog()
    {
        take(Cmd::FaultsSelect);
        return qobject_cast<TDlgTriPitch*>(t.app.dialog(kDlgTriPitch));
    }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
};

int countOf(WindowKind kind, Application& app)
{
    return app.registry().count(kind);
}

TEST_F(FaultsUi, TheSelectionDialogsUsualRangesAndCaption)
{
    sheetOf({{90, 60, 10}, {200, 70, 80}});
    TDlgTriPitch* d = selectionDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Selection of faults");
    EXPECT_EQ(fromQString(d->captionLabel()->text()), "Data sheet 1 (2 faults)");
    // It opens on the ranges of normal faults.
    EXPECT_TRUE(d->usualButton(UsualFault::Normal)->isChecked());
    const auto fields = [d] {
        return std::vector<int>{d->pitchFromBox()->value(), d->pitchToBox()->value(),
                                d->dipFromBox()->value(), d->dipToBox()->value()};
    };
    EXPECT_EQ(fields(), (std::vector<int>{70, 90, 50, 90}));
    d->usualButton(UsualFault::StrikeSlip)->click();
    EXPECT_EQ(fields(), (std::vector<int>{0, 20, 50, 90}));
    d->usualButton(UsualFault::Reverse)->click();
    EXPECT_EQ(fields(), (std::vector<int>{50, 90, 0, 40}));
    for (QSpinBox* box : {d->pitchFromBox(), d->pitchToBox(), d->dipFromBox(), d->dipToBox()}) {
        EXPECT_EQ(box->minimum(), 0);
        EXPECT_EQ(box->maximum(), 90);
        EXPECT_EQ(box->singleStep(), 5);
    }
    test::SavePicture(d->grab().toImage(), "faults_selection_dialog.png");
    // Destroyed when closed.
    d->close();
    flush();
    EXPECT_EQ(t.app.dialog(kDlgTriPitch), nullptr);
}

TEST_F(FaultsUi, SelectCopiesThePairsInOrderedRangesToANewSheet)
{
    // Strike-slip: pitch 10 and dip 60 in, pitch 25 out, 170° from the strike (pitch 10) in.
    TWFichier* source =
        sheetOf({{90, 60, 10, "D"}, {120, 60, 25, "D"}, {300, 60, 170, "S"}, {10, 45, 10, "D"}});
    const DataSheet& rows = source->sheet();
    TDlgTriPitch* d = selectionDialog();
    ASSERT_NE(d, nullptr);
    // The ranges typed upside down are put in order.
    d->pitchFromBox()->setValue(20);
    d->pitchToBox()->setValue(0);
    d->dipFromBox()->setValue(90);
    d->dipToBox()->setValue(50);
    d->selectButton()->click();
    TWFichier* made = CurrentSheet(t.app);
    ASSERT_NE(made, source);
    const DataSheet& kept = made->sheet();
    ASSERT_EQ(kept.rowCount(), 4);
    const int from[] = {1, 2, 5, 6};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(kept.field(row, Field::Value), rows.field(from[row - 1], Field::Value));
        EXPECT_EQ(kept.field(row, Field::Nature), rows.field(from[row - 1], Field::Nature));
        EXPECT_EQ(kept.ltAz[static_cast<std::size_t>(row)],
                  rows.ltAz[static_cast<std::size_t>(from[row - 1])]);
        EXPECT_EQ(kept.cell(row, 0), RowNumberText(row));
    }
    EXPECT_TRUE(made->isVisible());
    EXPECT_TRUE(made->isWindowModified());
    EXPECT_EQ(rows.rowCount(), 8) << "the source sheet is left as it was";
}

TEST_F(FaultsUi, EmptyFieldsReadTheEndsOfTheRange)
{
    sheetOf({{90, 30, 60}, {90, 80, 5}});
    TDlgTriPitch* d = selectionDialog();
    ASSERT_NE(d, nullptr);
    d->pitchFromBox()->clear();
    d->pitchToBox()->clear();
    d->dipFromBox()->setValue(0);
    const FaultRanges r = d->ranges();
    EXPECT_EQ(r.pitch.from, 0);
    EXPECT_EQ(r.pitch.to, 90);
    d->selectButton()->click();
    ASSERT_EQ(countOf(WindowKind::Sheet, t.app), 2);
    EXPECT_EQ(CurrentSheet(t.app)->sheet().rowCount(), 4);
}

TEST_F(FaultsUi, NothingFittingTellsAndMakesNoSheet)
{
    sheetOf({{90, 30, 60}, {90, 80, 5}});
    TDlgTriPitch* d = selectionDialog();
    ASSERT_NE(d, nullptr);
    d->usualButton(UsualFault::Reverse)->click(); // dips 0-40, pitches 50-90: none
    d->pitchFromBox()->setValue(65);
    t.prompts.expectMessage("No fault fitting the criteria..");
    d->selectButton()->click();
    EXPECT_EQ(countOf(WindowKind::Sheet, t.app), 1);
}

TEST_F(FaultsUi, FifteenSheetsOpenTellNewSheetsMessageAndNothingElse)
{
    TWFichier* source = sheetOf({{90, 60, 80}});
    TDlgTriPitch* d = selectionDialog();
    ASSERT_NE(d, nullptr);
    while (countOf(WindowKind::Sheet, t.app) < kMaxWindows)
        NewSheet(t.app, form.get());
    t.prompts.expectMessage(std::string(kMsgTooManySheets));
    d->selectButton()->click();
    EXPECT_EQ(countOf(WindowKind::Sheet, t.app), kMaxWindows);
    EXPECT_EQ(d->sheet(), source);
}

TEST_F(FaultsUi, FailedPairChecksTellAndMakeNoWindow)
{
    sheetOf({{90, 60, 80}}, true);
    t.prompts.expectMessage(std::string(kMsgOddSheet));
    take(Cmd::FaultsSelect);
    EXPECT_EQ(t.app.dialog(kDlgTriPitch), nullptr);

    ASSERT_NE(plotAll(), nullptr);
    for (const Cmd cmd :
         {Cmd::DisplayStriaeRakes, Cmd::DisplayHangingWall, Cmd::DisplayStrikeHistogram,
          Cmd::DisplayDipHistogram, Cmd::DisplayRakeHistogram}) {
        t.prompts.expectMessage(std::string(kMsgOddCanvas));
        take(cmd);
        EXPECT_EQ(countOf(WindowKind::Canvas, t.app), 1);
    }
}

TEST_F(FaultsUi, TheSixteenthCanvasIsRefused)
{
    sheetOf({{90, 60, 80}, {10, 50, 30}});
    TWPlot* source = plotAll();
    ASSERT_NE(source, nullptr);
    while (countOf(WindowKind::Canvas, t.app) < kMaxWindows)
        NewWP(t.app, kWPStats2D);
    t.app.activateWindow(*source);
    t.prompts.expectMessage("Maximum number of canvas reached...");
    take(Cmd::DisplayHangingWall);
    EXPECT_EQ(countOf(WindowKind::Canvas, t.app), kMaxWindows);
}

TEST_F(FaultsUi, ARakeHistogramOfUnknownSensesOnlyHasNothingToShow)
{
    sheetOf({{90, 60, 80, "."}, {10, 50, 30, "."}});
    ASSERT_NE(plotAll(), nullptr);
    t.prompts.expectMessage("unknown sense of movement for 2 fault(s)");
    t.prompts.expectMessage(std::string(kMsgNoValue));
    take(Cmd::DisplayRakeHistogram);
    EXPECT_EQ(countOf(WindowKind::Canvas, t.app), 1);
}

// End to end on the example: its pairs plotted, then each view, then the normal faults picked.
TEST_F(FaultsUi, EveryViewOfTheFaultsExample)
{
    t.prompts.expectOpenFile(std::string(PLOQ_EXAMPLES) + "/faults.plq");
    form->run(Cmd::FileOpen);
    TWFichier* sheet = CurrentSheet(t.app);
    ASSERT_NE(sheet, nullptr);
    TWPlot* source = plotAll();
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(source->model().lNT, 80);
    const std::vector<InfoVal> before(source->model().lVal.begin(),
                                      source->model().lVal.begin() + 81);
    test::SavePicture(image(*source), "faults_source.png");

    const auto view = [&](Cmd cmd) {
        t.app.activateWindow(*source);
        take(cmd);
        TWPlot* made = ActiveCanvas(t.app);
        EXPECT_NE(made, source);
        return made;
    };

    TWPlot* rakes = view(Cmd::DisplayStriaeRakes);
    EXPECT_EQ(rakes->model().natWP, kWPStriaeRakes);
    EXPECT_EQ(rakes->title(), "Cnvs 1- Rake");
    EXPECT_EQ(fromQString(rakes->Label1()->text()), "40 F");
    test::SavePicture(image(*rakes), "faults_striae_rakes.png");

    TWPlot* wall = view(Cmd::DisplayHangingWall);
    EXPECT_EQ(wall->model().natWP, kWPHangingWall);
    EXPECT_EQ(wall->title(), "Cnvs 1- hanging wall mvt");
    EXPECT_EQ(fromQString(wall->Label1()->text()), "40 F");
    // Each arrow's tip is drawn in the colour of movement arrows.
    const QImage wallImage = image(*wall);
    const VarGlob& s = t.app.settings();
    const QRgb arrowColour = toQColor(s.Tco[static_cast<std::size_t>(s.ColMvtF)]).rgb();
    const CanvasModel& w = wall->model();
    int tips = 0;
    for (int i = 2; i <= w.lNT; i += 2) {
        const InfoVal& v = w.lVal[static_cast<std::size_t>(i)];
        const std::optional<ArrowShape> arrow =
            MovementArrowShape({v.p, v.q}, {w.lXc, w.lYc}, v.aux);
        ASSERT_TRUE(arrow) << i;
        const Point m{(v.p + arrow->tip.x) / 2, (v.q + arrow->tip.y) / 2};
        bool found = false;
        for (int dx = -1; dx <= 1 && !found; ++dx)
            for (int dy = -1; dy <= 1 && !found; ++dy)
                found = wallImage.pixel(m.x + dx, m.y + dy) == arrowColour;
        tips += found;
    }
    EXPECT_GE(tips, 36) << "the middle of nearly every shaft (some cross a trace or a symbol)";
    test::SavePicture(wallImage, "faults_hanging_wall.png");

    struct Histogram {
        Cmd cmd;
        int type;
        const char* title;
        const char* listing;
    };
    const Histogram histograms[] = {
        {Cmd::DisplayStrikeHistogram, kDiagramFaultStrikes, "Faults strikes", "Faults Strikes"},
        {Cmd::DisplayDipHistogram, kDiagramFaultDips, "Faults dips", "Faults Dips"},
        {Cmd::DisplayRakeHistogram, kDiagramFaultRakes, "Faults rakes", "Faults Rakes"}};
    for (const Histogram& h : histograms) {
        SCOPED_TRACE(h.title);
        TWPlot* diagram = view(h.cmd);
        const CanvasModel& m = diagram->model();
        EXPECT_EQ(m.natWP, kWPStats2D);
        EXPECT_EQ(m.i0, h.type);
        EXPECT_EQ(diagram->title(), h.title);
        const InfoStats2D& info = (*m.lTinfo2D)[0];
        EXPECT_EQ(info.ntV, 40);
        EXPECT_EQ(fromQString(diagram->Label1()->text()), sformat("N = 40, max = %d", info.nCM));
        test::SavePicture(image(*diagram), QString("faults_histogram_%1.png").arg(h.type));
        ListPlottedValues(*diagram);
        auto* listing = dynamic_cast<TWText*>(t.app.registry().current(WindowKind::Text));
        ASSERT_NE(listing, nullptr);
        EXPECT_EQ(listing->title(), h.listing);
    }

    // The source canvas is left as it was.
    for (int i = 1; i <= 80; ++i) {
        EXPECT_EQ(source->model().lVal[static_cast<std::size_t>(i)].sy, before[i].sy);
        EXPECT_EQ(source->model().lVal[static_cast<std::size_t>(i)].aux, before[i].aux);
    }

    // The normal faults: pitch 70-90, dip 50-90, counted here from the sheet's rows.
    int expected = 0;
    const DataSheet& rows = sheet->sheet();
    for (int row = 1; row < rows.rowCount(); row += 2) {
        const double dip = 90 - deg(rows.ltPe[static_cast<std::size_t>(row)]);
        const double pitch = deg(PitchOfLine({rows.ltAz[static_cast<std::size_t>(row + 1)],
                                              rows.ltPe[static_cast<std::size_t>(row + 1)]},
                                             rows.ltAz[static_cast<std::size_t>(row)])
                                     .pitch);
        expected += dip >= 50 && dip <= 90 && pitch >= 70 && pitch <= 90;
    }
    ASSERT_GT(expected, 0);
    sheet->activateWindow();
    t.app.activateWindow(*sheet);
    TDlgTriPitch* d = selectionDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(fromQString(d->captionLabel()->text()), "faults.plq (40 faults)");
    d->selectButton()->click();
    TWFichier* normal = CurrentSheet(t.app);
    ASSERT_NE(normal, sheet);
    EXPECT_EQ(normal->sheet().rowCount(), 2 * expected);
    test::SavePicture(d->grab().toImage(), "faults_selection_normal.png");
    test::SavePicture(normal->grab().toImage(), "faults_selected_sheet.png");
    // On a real display (Xvfb with QT_QPA_PLATFORM=xcb) the whole screen as the user sees it.
    if (QGuiApplication::platformName() == "xcb") {
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        test::SavePicture(QGuiApplication::primaryScreen()->grabWindow(0).toImage(),
                          "faults_screen.png");
    }
}

} // namespace
} // namespace ploq
