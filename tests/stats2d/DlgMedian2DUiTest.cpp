// The circular plot dialog ("Median") and the Kuiper test driven through their controls, with
// scripted answers: the plot canvas or the text window they make, their memory in the
// settings, the sources, and what they refuse. The pictures are kept
// (pictures/circular_*.png) to be looked at.

#include "canvas/PicturesUi.h"
#include "datasheet/TWText.h"
#include "platform/QtText.h"
#include "stats2d/CircularDraw.h"
#include "stats2d/DlgMedian2D.h"
#include "stats2d/Stats2DUi.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ploq {
namespace {

struct Median2DUi : Stats2DUi {
    TDlgMedian2D* median()
    {
        form->run(Cmd::CircularPlot);
        return qobject_cast<TDlgMedian2D*>(t.app.dialog(kDlgMedian2D));
    }
    TDlgStats2D* kuiper()
    {
        form->run(Cmd::KuiperTest);
        return qobject_cast<TDlgStats2D*>(t.app.dialog(kDlgStats2D));
    }
    // Vectors, dip directions, drawn with every position shown.
    static void everything(TDlgMedian2D& d)
    {
        d.kindButton(kVectors360)->setChecked(true);
        d.planeButton(kPlaneDipDirection)->setChecked(true);
        d.drawBox()->setChecked(true);
        for (QCheckBox* b : {d.averageBox(), d.medianBox(), d.hodgesAjneBox(), d.graduationsBox()})
            b->setChecked(true);
    }
    std::vector<std::string> texts(const TWPlot& plot) const
    {
        std::vector<std::string> lines;
        for (const auto& [text, colour] : panel(plot))
            lines.push_back(text);
        return lines;
    }
    int textWindows() { return t.app.registry().count(WindowKind::Text); }
};

// The dip directions of the cross-beds, as the sheet's rows give them.
std::vector<double> crossBedDirections()
{
    std::vector<double> r;
    for (double d : {100, 105, 112, 118, 95, 131, 122, 84, 140, 152, 160, 147})
        r.push_back(d * kDegToRad);
    std::sort(r.begin(), r.end());
    return r;
}

std::vector<std::string> qtLines(const std::vector<std::string>& cp1252)
{
    std::vector<std::string> lines;
    for (const std::string& line : cp1252)
        lines.push_back(toQString(line).toStdString());
    return lines;
}

TEST_F(Median2DUi, CircularPlotOfTheSheetWithItsReportAndPicture)
{
    crossBeds(*this);
    TDlgMedian2D* d = median();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Median");
    EXPECT_FALSE(d->canvasSource()->isEnabled());
    EXPECT_TRUE(d->sheetSource()->isChecked());
    everything(*d);
    EXPECT_EQ(d->summary()[0]->text(), "vectors (0 to 360\u00b0)");
    EXPECT_EQ(d->summary()[1]->text(), "S : dip direction");
    t.app.settings().Couleur = 2;
    d->Button1Click();
    flush();
    EXPECT_EQ(t.app.dialog(kDlgMedian2D), nullptr) << "OK closes the dialog";

    TWPlot* plot = ActiveCanvas(t.app);
    ASSERT_NE(plot, nullptr);
    const CanvasModel& m = plot->model();
    EXPECT_EQ(m.natWP, kWPCircularPlot);
    EXPECT_EQ(plot->title(), "2D circular plot");
    EXPECT_EQ(plot->Label1()->text(), "N = 12");
    EXPECT_EQ(m.lNT, 12);
    EXPECT_EQ(m.i2, 2);
    const std::vector<double> values = crossBedDirections();
    const CircularPlotReport expected =
        ComputeCircularPlot(values, kVectors360, kPlaneDipDirection, t.clock.now());
    EXPECT_EQ(texts(*plot), qtLines(expected.lines));
    EXPECT_EQ(m.mi, 0) << "all twelve within a half-circle";
    EXPECT_DOUBLE_EQ(m.ar2, expected.info.moy);
    EXPECT_EQ(texts(*plot).back(), "uniformity not probable at P 95% and 99%");
    for (int i = 1; i <= 12; ++i)
        EXPECT_NEAR(m.lVal[static_cast<std::size_t>(i)].azi, values[i - 1], 1e-9);
    test::SavePicture(plot->grab().toImage(), "circular_plot.png");
}

TEST_F(Median2DUi, WithoutThePlotTheTextGoesToATextWindow)
{
    crossBeds(*this);
    TDlgMedian2D* d = median();
    everything(*d);
    d->drawBox()->setChecked(false);
    EXPECT_FALSE(d->averageBox()->isEnabled()) << "positions are shown on a plot only";
    EXPECT_FALSE(d->hodgesAjneBox()->isEnabled());
    EXPECT_TRUE(d->graduationsBox()->isEnabled());
    d->Button1Click();
    EXPECT_EQ(canvases(), 0);
    ASSERT_EQ(textWindows(), 1);
    TWText* window = ActiveWT(t.app);
    ASSERT_NE(window, nullptr);
    const CircularPlotReport expected =
        ComputeCircularPlot(crossBedDirections(), kVectors360, kPlaneDipDirection, t.clock.now());
    std::string all;
    for (const std::string& line : qtLines(expected.lines))
        all += (all.empty() ? "" : "\n") + line;
    EXPECT_EQ(window->RichEdit1()->toPlainText().toStdString(), all);
    EXPECT_FALSE(window->dirty());
}

TEST_F(Median2DUi, SettingsRoundTrip)
{
    crossBeds(*this);
    struct Case {
        int natM, sBy;
        bool draw, mean, median, hodgesAjne, graduations, all, tall;
    };
    const Case cases[] = {
        {kAxes180, kPlanePole, true, true, false, true, false, false, true},
        {kDips90, kPlaneStrike, false, false, true, false, true, true, false},
        {kVectors360, kPlaneDipDirection, true, false, false, false, false, true, true},
    };
    for (const Case& c : cases) {
        TDlgMedian2D* d = median();
        d->kindButton(c.natM)->setChecked(true);
        d->planeButton(c.sBy)->setChecked(true);
        d->drawBox()->setChecked(c.draw);
        d->averageBox()->setChecked(c.mean);
        d->medianBox()->setChecked(c.median);
        d->hodgesAjneBox()->setChecked(c.hodgesAjne);
        d->graduationsBox()->setChecked(c.graduations);
        (c.all ? d->allValues() : d->selectionValues())->setChecked(true);
        d->setTall(c.tall);
        d->close();
        flush();
        const std::int32_t style = t.app.settings().StyleStats2D;
        EXPECT_EQ(KindOfStyle(style), c.natM);
        EXPECT_EQ(PlaneOfStyle(style), c.sBy);
        EXPECT_EQ(TestBit(style, kStats2DDraw), c.draw);
        EXPECT_EQ(TestBit(style, kStats2DShowMean), c.mean);
        EXPECT_EQ(TestBit(style, kStats2DShowMedian), c.median);
        EXPECT_EQ(TestBit(style, kStats2DHodgesAjne), c.hodgesAjne);
        EXPECT_EQ(TestBit(style, kStats2DGraduate), c.graduations);
        EXPECT_EQ(TestBit(style, kStats2DAllValues), c.all);
        EXPECT_EQ(TestBit(style, kStats2DTall), c.tall);
        EXPECT_FALSE(TestBit(style, kStats2DCanvasValues)) << "only the sheet is open";

        TDlgMedian2D* again = median();
        EXPECT_TRUE(again->kindButton(c.natM)->isChecked());
        EXPECT_TRUE(again->planeButton(c.sBy)->isChecked());
        EXPECT_EQ(again->drawBox()->isChecked(), c.draw);
        EXPECT_EQ(again->averageBox()->isChecked(), c.mean);
        EXPECT_EQ(again->medianBox()->isChecked(), c.median);
        EXPECT_EQ(again->hodgesAjneBox()->isChecked(), c.hodgesAjne);
        EXPECT_EQ(again->graduationsBox()->isChecked(), c.graduations);
        EXPECT_EQ(again->allValues()->isChecked(), c.all);
        EXPECT_EQ(again->selectButton()->isEnabled(), !c.all);
        EXPECT_EQ(again->tall(), c.tall);
        EXPECT_EQ(again->optionsGroup()->isVisible(), c.tall);
        EXPECT_EQ(again->averageBox()->isEnabled(), c.draw);
        again->close();
        flush();
    }
}

TEST_F(Median2DUi, ColourStripAndTheSelectButton)
{
    crossBeds(*this);
    TDlgMedian2D* d = median();
    d->setTall(true);
    d->ColourStripClick(3 + 12 * 5 + 4);
    EXPECT_EQ(t.app.settings().Couleur, 5);
    d->selectionValues()->setChecked(true);
    ASSERT_TRUE(d->selectButton()->isEnabled());
    d->selectButton()->click();
    EXPECT_EQ(canvases(), 0) << "the button does nothing";
    EXPECT_TRUE(t.prompts.messages().empty());
    // "a selection" still takes every value.
    d->drawBox()->setChecked(true);
    d->Button1Click();
    EXPECT_EQ(ActiveCanvas(t.app)->model().lNT, 12);
    EXPECT_EQ(ActiveCanvas(t.app)->model().i2, 5);
}

TEST_F(OnACanvas, CircularPlotOfTheStereonetValues)
{
    form->run(Cmd::CircularPlot);
    auto* d = qobject_cast<TDlgMedian2D*>(t.app.dialog(kDlgMedian2D));
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->canvasSource()->isChecked()) << "no sheet: the canvas is used";
    EXPECT_FALSE(d->sheetSource()->isEnabled());
    d->kindButton(kVectors360)->setChecked(true);
    d->drawBox()->setChecked(true);
    d->Button1Click();
    TWPlot* plot = ActiveCanvas(t.app);
    ASSERT_NE(plot, canvas);
    EXPECT_EQ(plot->model().lNT, 3);
    EXPECT_EQ(plot->model().natWP, kWPCircularPlot);
}

TEST_F(Median2DUi, NothingToComputeOrNoRoom)
{
    // A sheet without a row.
    TWFichier* sheet = openPlanes({});
    TDlgMedian2D* d = median();
    ASSERT_NE(d, nullptr);
    d->drawBox()->setChecked(true);
    t.prompts.expectMessage("No value to analyse with these choices...");
    d->Button1Click();
    EXPECT_EQ(canvases(), 0);
    EXPECT_EQ(textWindows(), 0);
    EXPECT_NE(t.app.dialog(kDlgMedian2D), nullptr) << "left open to choose again";
    sheet->closeWithoutAsking();
    flush();

    // Fifteen canvases open: the sixteenth is refused, and nothing is made.
    crossBeds(*this);
    for (int i = 0; i < kMaxWindows; ++i)
        NewWP(t.app, kWPStats2D);
    d = median();
    d->drawBox()->setChecked(true);
    t.prompts.expectMessage("Maximum number of canvas reached...");
    d->Button1Click();
    EXPECT_EQ(canvases(), kMaxWindows);
    EXPECT_EQ(textWindows(), 0);
    flush(); // the closed dialog goes, as the event loop would take it before the next command

    // No sheet and no stereonet: OK does nothing.
    d = median();
    for (DataWindow* w : t.app.registry().windows(WindowKind::Canvas))
        static_cast<TWPlot*>(w)->close();
    CurrentSheet(t.app)->closeWithoutAsking();
    flush();
    d->Button1Click();
    EXPECT_EQ(canvases(), 0);
    EXPECT_EQ(OuvrirMedian2D(*form, t.app), nullptr) << "nor does the menu";
}

TEST_F(Median2DUi, SixteenthTextWindowRefused)
{
    crossBeds(*this);
    for (int i = 0; i < kMaxWindows; ++i)
        NewTextWindow(t.app);
    TDlgMedian2D* d = median();
    d->drawBox()->setChecked(false);
    t.prompts.expectMessage("too many");
    d->Button1Click();
    EXPECT_EQ(textWindows(), kMaxWindows);
    EXPECT_EQ(canvases(), 0);
}

TEST_F(Median2DUi, KuiperTestFromTheStats2DDialog)
{
    crossBeds(*this);
    TDlgStats2D* d = kuiper();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->type(), kDiagramKuiper);
    d->kindButton(kVectors360)->setChecked(true);
    d->planeButton(kPlaneDipDirection)->setChecked(true);
    d->newWindowBox()->setChecked(true);
    // The classes are hidden, and their width is not checked.
    d->widthBox()->setValue(25);
    t.app.settings().Couleur = 4;
    d->Button1Click();
    TWPlot* diagram = ActiveCanvas(t.app);
    ASSERT_NE(diagram, nullptr);
    const CanvasModel& m = diagram->model();
    EXPECT_EQ(diagram->title(), " Stats 2D - 1 (Kuiper test)");
    EXPECT_EQ(m.i0, kDiagramKuiper);
    EXPECT_EQ(m.i1, kVectors360);
    EXPECT_EQ(m.lNT, 12);
    ASSERT_EQ(m.lT2D.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_NEAR(m.lT2D[i], crossBedDirections()[i], 1e-9);
    EXPECT_EQ(diagram->Label1()->text(), "12 val");
    EXPECT_TRUE(diagram->Label1()->isVisibleTo(diagram));
    const KuiperResult r = KuiperTest(crossBedDirections(), kVectors360);
    std::vector<std::string> expected = {KuiperCountLine(12)};
    for (const std::string& line : KuiperLines(r, t.clock.now()))
        expected.push_back(line);
    EXPECT_EQ(texts(*diagram), expected);
    test::SavePicture(diagram->grab().toImage(), "circular_kuiper.png");

    // Not in a new window: the current Kuiper diagram takes the next test.
    d->newWindowBox()->setChecked(false);
    d->kindButton(kAxes180)->setChecked(true);
    d->Button1Click();
    EXPECT_EQ(canvases(), 1);
    EXPECT_EQ(m.i1, kAxes180);
    EXPECT_EQ(texts(*diagram).size(), 8u);
    EXPECT_EQ(diagram->Label1()->text(), "12 val") << "axes (i1 = 0) keep their label";
    test::SavePicture(diagram->grab().toImage(), "circular_kuiper_axes.png");
}

TEST_F(Median2DUi, KuiperOfOnlyZerosClosesItsWindow)
{
    // Horizontal lines: their dips are all 0.
    DataSheet sheet = NewDataSheet(t.app.settings());
    sheet.lFrtS = sheet.lFrtL = 1;
    for (const char* value : {"0/30", "0/60", "0/200"})
        test::EnterRow(sheet, {"L", value, "1", "", ""});
    NewSheet(t.app, form.get(), std::move(sheet));
    TDlgStats2D* d = kuiper();
    d->kindButton(kDips90)->setChecked(true);
    d->newWindowBox()->setChecked(true);
    t.prompts.expectMessage("Kuiper stats, error on the selected values (only nul values)");
    d->Button1Click();
    flush();
    EXPECT_EQ(canvases(), 0);
    ASSERT_FALSE(t.prompts.messages().empty());
    EXPECT_EQ(t.prompts.messages().back().kind, MsgKind::Error);

    // The trends are not all 0: the test runs.
    d->kindButton(kVectors360)->setChecked(true);
    d->Button1Click();
    ASSERT_EQ(canvases(), 1);
    EXPECT_EQ(ActiveCanvas(t.app)->model().lNT, 3);
}

TEST_F(Median2DUi, KuiperDiagramHasNoClassListing)
{
    crossBeds(*this);
    TDlgStats2D* d = kuiper();
    d->kindButton(kVectors360)->setChecked(true);
    d->Button1Click();
    TWPlot* diagram = ActiveCanvas(t.app);
    ASSERT_NE(diagram, nullptr);
    diagram->DoPUMenuStyleCnvs(14); // the list button
    EXPECT_EQ(textWindows(), 0);
}

} // namespace
} // namespace ploq
