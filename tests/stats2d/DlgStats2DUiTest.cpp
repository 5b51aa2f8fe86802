// The "Stats 2D" dialog driven through its controls, with scripted answers to its messages and
// choosers: the checks of the width and the shift, the diagrams it makes or adds to, its
// memory in the settings, its sources and the selections of rows and sets. The diagrams are
// drawn through Qt and kept (pictures/stats2d_*.png) to be looked at.

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "platform/QtSurface.h"
#include "stats2d/DlgStats2D.h"
#include "stats2d/Stats2DUi.h"
#include "support/ScriptedPrompts.h"
#include "support/SheetRows.h"
#include "support/TempDir.h"
#include "transform/DlgUseDataSheet.h"
#include "transform/DlgUseSymb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ploq {
namespace {

TEST_F(Stats2DUi, RoseFromTheSheetWithItsReportAndPicture)
{
    crossBeds(*this);
    TDlgStats2D* d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Stats 2D");
    EXPECT_FALSE(d->canvasSource()->isEnabled());
    EXPECT_EQ(d->canvasSource()->text(), "stereoplot values");
    EXPECT_TRUE(d->sheetSource()->isChecked());
    EXPECT_EQ(d->sheetSource()->text(), "datasheet values (Data sheet 1)");
    dipDirections(*d);
    d->widthBox()->setValue(10);
    t.app.settings().Couleur = 2;
    d->Button1Click();

    TWPlot* rose = ActiveCanvas(t.app);
    ASSERT_NE(rose, nullptr);
    EXPECT_EQ(rose->model().natWP, kWPStats2D);
    EXPECT_EQ(rose->title(), " Stats 2D - 1 (rose diagram)");
    EXPECT_EQ(rose->Label1()->text(), "N max = 2");
    EXPECT_TRUE(rose->Label1()->isVisibleTo(rose));
    const auto lines = panel(*rose);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].first, "14:05 -  Rose diagram");
    EXPECT_EQ(lines[0].second, QColor(Qt::black));
    EXPECT_EQ(lines[1].first, "12 values, classes of 10\u00b0, origin : 0\u00b0, max: 2 val");
    EXPECT_EQ(lines[2].first, "(class of the max : 100 - 110 d\u00b0)");
    const TColor red = t.app.settings().Tco[2];
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].second, QColor(redOf(red), greenOf(red), blueOf(red))) << i;
    test::SavePicture(rose->grab().toImage(), "stats2d_rose.png");
}

TEST_F(Stats2DUi, WidthAndShiftChecks)
{
    crossBeds(*this);
    TDlgStats2D* d = open();
    d->widthBox()->setValue(25);
    t.prompts.expectMessage("unallowed class width (25\xB0), changed to 20\xB0");
    d->Button1Click();
    EXPECT_EQ(d->widthBox()->value(), 20);
    EXPECT_EQ(d->summary()[2]->text(), "classes width : 20\u00b0");
    ASSERT_EQ(canvases(), 1) << "the computation goes on with the new width";
    EXPECT_EQ(ActiveCanvas(t.app)->model().lTinfo2D->at(0).wCl, 20);

    // Dips need a width dividing 90.
    d->kindButton(kDips90)->setChecked(true);
    d->newWindowBox()->setChecked(true);
    t.prompts.expectMessage("unallowed class width (20\xB0), changed to 18\xB0");
    d->Button1Click();
    EXPECT_EQ(d->widthBox()->value(), 18);
    EXPECT_EQ(canvases(), 2);

    d->shiftBox()->setValue(20);
    t.prompts.expectMessage(
        "initial shift must be smaller than class width (18\xB0), choose another value...");
    d->Button1Click();
    EXPECT_EQ(d->summary()[3]->text(), "origin shift : 20\u00b0");
    EXPECT_EQ(canvases(), 2) << "nothing computed";
}

TEST_F(Stats2DUi, DistributionsAddedUpToFive)
{
    crossBeds(*this);
    TDlgStats2D* d = open();
    for (int colour = 0; colour < 5; ++colour) {
        t.app.settings().Couleur = colour;
        d->Button1Click();
    }
    ASSERT_EQ(canvases(), 1);
    TWPlot* rose = ActiveCanvas(t.app);
    EXPECT_EQ(rose->model().i1, 5);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(rose->model().lTinfo2D->at(static_cast<std::size_t>(k)).colh, k);
    const std::size_t written = panel(*rose).size();
    t.prompts.expectMessage("No more than 5 roses in a same diagram ");
    d->Button1Click();
    EXPECT_EQ(rose->model().i1, 5);
    EXPECT_EQ(panel(*rose).size(), written) << "the diagram unchanged";

    // Another type, or "in a new window", makes a new diagram.
    open(Cmd::CircularHistogram);
    d->Button1Click();
    EXPECT_EQ(canvases(), 2);
    EXPECT_EQ(ActiveCanvas(t.app)->title(), " Stats 2D - 2 (circular histo)");
    EXPECT_EQ(ActiveCanvas(t.app)->Label1()->text(), "F max = 0.25");
}

TEST_F(Stats2DUi, SettingsRoundTrip)
{
    crossBeds(*this);
    t.app.settings().StyleStats2D = 1 << 14 | 1 << 19; // bits of others are kept
    TDlgStats2D* d = open();
    d->newWindowBox()->setChecked(true);
    d->selectionValues()->setChecked(true);
    d->plainBox()->setChecked(true);
    d->smoothedBox()->setChecked(true);
    d->planeButton(kPlanePole)->setChecked(true);
    d->kindButton(kAxes180)->setChecked(true);
    d->averageBox()->setChecked(true);
    d->medianBox()->setChecked(false);
    d->graduateBox()->setChecked(true);
    d->widthBox()->setValue(30);
    d->shiftBox()->setValue(-5);
    d->setTall(true);
    EXPECT_FALSE(d->plainBox()->isEnabled()) << "smoothed disables plain drawing";
    d->close();
    flush();
    const VarGlob& s = t.app.settings();
    const std::int32_t expected = 1 << kStats2DDraw | 1 << kStats2DPlain | 1 << kStats2DSmoothed
                                  | 1 << kStats2DPlanePole | 1 << kStats2DAxes180
                                  | 1 << kStats2DShowMean | 1 << 14 | 1 << kStats2DGraduate
                                  | 1 << kStats2DTall | 1 << 19;
    EXPECT_EQ(s.StyleStats2D, expected);
    EXPECT_EQ(s.Stats2DWidth, 30);
    EXPECT_EQ(s.Stats2DShift, -5);

    // The preference file keeps them, and a new dialog shows them again.
    ASSERT_FALSE(SavePrefsFile(s, prefs(), 0));
    VarGlob read;
    LoadPrefsFile(read, prefs(), {}, 0);
    EXPECT_EQ(read.StyleStats2D, expected);
    EXPECT_EQ(read.Stats2DShift, -5);
    TDlgStats2D* again = open(Cmd::LinearHistogram);
    EXPECT_EQ(again->styleWord(), expected);
    EXPECT_TRUE(again->tall());
    EXPECT_TRUE(again->kindButton(kAxes180)->isChecked());
    EXPECT_TRUE(again->planeButton(kPlanePole)->isChecked());
    EXPECT_TRUE(again->selectionValues()->isChecked());
    EXPECT_TRUE(again->dataSelectionButton()->isEnabled());
    EXPECT_EQ(again->widthBox()->value(), 30);
    EXPECT_EQ(again->shiftBox()->value(), -5);
    EXPECT_EQ(again->summary()[0]->text(), "axis (0 to 180\u00b0)");
    EXPECT_EQ(again->summary()[1]->text(), "S : perpendicular line");
}

TEST_F(Stats2DUi, LayoutsByType)
{
    crossBeds(*this);
    TDlgStats2D* d = open();
    d->setTall(true);
    EXPECT_EQ(d->optionsGroup()->maximumHeight(), kStats2DOptionsHeight);
    EXPECT_EQ(d->minimumHeight(), kStats2DTallHeight);
    d->setType(kDiagramKuiper);
    EXPECT_EQ(d->optionsGroup()->maximumHeight(), kKuiperOptionsHeight);
    EXPECT_EQ(d->minimumHeight(), kKuiperTallHeight);
    EXPECT_TRUE(d->widthBox()->isHidden());
    d->setTall(false);
    EXPECT_FALSE(d->tall());
    EXPECT_EQ(d->minimumHeight(), 0);
    d->setType(kDiagramRose);
    EXPECT_FALSE(d->widthBox()->isHidden());
}

TEST_F(OnACanvas, SetsChosenThroughTheChooser)
{
    TDlgStats2D* d = open();
    ASSERT_TRUE(d->canvasSource()->isEnabled());
    EXPECT_EQ(d->canvasSource()->text().toStdString(),
              "stereoplot values (" + canvas->title() + ")");
    EXPECT_FALSE(d->sheetSource()->isEnabled());
    EXPECT_EQ(d->sheetSource()->text(), "datasheet values values");
    EXPECT_EQ(t.app.Tsy().countPairs(), 2) << "every set of the canvas, at opening";
    d->kindButton(kVectors360)->setChecked(true);
    d->selectionValues()->setChecked(true);
    int shown = 0;
    RunChooser() = [&](TDlgUseSymb& chooser) {
        ++shown;
        EXPECT_EQ(chooser.windowTitle(), "Symbols to keep");
        chooser.imageReleased(false, 12 * 4 + 31, 28 - 15); // symbol 3, colour 4
        return int(QDialog::Accepted);
    };
    d->DataSelectionClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(canvases(), 1) << "choosing draws nothing";
    d->Button1Click();
    TWPlot* rose = ActiveCanvas(t.app);
    ASSERT_NE(rose, canvas);
    EXPECT_EQ(rose->model().lTinfo2D->at(0).ntV, 1) << "the set of symbol 3 only";

    // Cancelled: no message, no drawing, the diagram as it was, and every set taken again.
    RunChooser() = [&](TDlgUseSymb&) {
        ++shown;
        return int(QDialog::Rejected);
    };
    d->DataSelectionClick();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(canvases(), 2);
    EXPECT_EQ(rose->model().i1, 1);
    EXPECT_EQ(t.app.Tsy().countPairs(), 2);

    // The canvas stays the source while a diagram is current; "all values" takes both sets.
    d->FormActivate();
    EXPECT_TRUE(d->canvasSource()->isEnabled());
    d->allValues()->setChecked(true);
    d->newWindowBox()->setChecked(true);
    d->Button1Click();
    EXPECT_EQ(ActiveCanvas(t.app)->model().lTinfo2D->at(0).ntV, 3);

    // A canvas of one set has nothing to choose.
    canvas->model().lVal[3].inf = 0; // the record of symbol 3 hidden
    d->selectionValues()->setChecked(true);
    t.prompts.expectMessage("only 1 set of data");
    d->DataSelectionClick();
    EXPECT_EQ(shown, 2) << "no chooser";
}

TEST_F(Stats2DUi, RowsChosenThroughTheDataSheetDialog)
{
    crossBeds(*this);
    TDlgStats2D* d = open();
    d->selectionValues()->setChecked(true);
    RunDataSheetChooser() = [](TDlgUseDataSheet& chooser) {
        EXPECT_EQ(chooser.windowTitle(), "Data Sheet");
        EXPECT_EQ(chooser.lastLine()->value(), 12);
        chooser.fieldButton(Field::Comment)->click();
        std::vector<std::string> keys;
        for (int i = 0; i < chooser.keyBox()->count(); ++i)
            keys.push_back(chooser.keyBox()->itemText(i).toStdString());
        EXPECT_EQ(keys, (std::vector<std::string>{"All", "planar", "trough"}));
        chooser.keyBox()->setCurrentIndex(2);
        chooser.exactBox()->setChecked(true);
        return int(QDialog::Accepted);
    };
    d->DataSelectionClick();
    EXPECT_EQ(d->selectionLabel()->text(), "code : com, key :trough/");
    d->Button1Click();
    EXPECT_EQ(ActiveCanvas(t.app)->model().lTinfo2D->at(0).ntV, 8);

    // Cancelled: the selection stays; "All": every row, and the label says so.
    RunDataSheetChooser() = [](TDlgUseDataSheet&) { return int(QDialog::Rejected); };
    d->DataSelectionClick();
    EXPECT_EQ(d->selectionLabel()->text(), "code : com, key :trough/");
    RunDataSheetChooser() = [](TDlgUseDataSheet&) { return int(QDialog::Accepted); };
    d->DataSelectionClick();
    EXPECT_EQ(d->selectionLabel()->text(), "all data");
}

TEST_F(Stats2DUi, NothingToDrawOrNoRoom)
{
    TWFichier* sheet = crossBeds(*this);
    TDlgStats2D* d = open();
    // A key that matches no row.
    d->selectionValues()->setChecked(true);
    RunDataSheetChooser() = [](TDlgUseDataSheet& chooser) {
        chooser.keyBox()->setEditText("none");
        return int(QDialog::Accepted);
    };
    d->DataSelectionClick();
    t.prompts.expectMessage("No value to analyse");
    d->Button1Click();
    EXPECT_EQ(canvases(), 0);

    // Fifteen canvases open: the sixteenth is refused and nothing is drawn.
    d->allValues()->setChecked(true);
    for (int i = 0; i < kMaxWindows; ++i)
        NewWP(t.app, kWPStats2D);
    t.prompts.expectMessage("Maximum number of canvas reached...");
    d->Button1Click();
    EXPECT_EQ(canvases(), kMaxWindows);
    for (DataWindow* w : t.app.registry().windows(WindowKind::Canvas))
        EXPECT_EQ(static_cast<TWPlot*>(w)->model().i1, 0);

    // No sheet and no canvas: OK does nothing.
    for (DataWindow* w : t.app.registry().windows(WindowKind::Canvas))
        static_cast<TWPlot*>(w)->close();
    sheet->closeWithoutAsking();
    flush();
    d->Button1Click();
    EXPECT_EQ(canvases(), 0);
    EXPECT_EQ(OuvrirStats2D(*form, t.app, kDiagramRose), nullptr) << "nor does the menu";
}

TEST_F(Stats2DUi, ClassListingOfADiagram)
{
    crossBeds(*this);
    TDlgStats2D* d = open(Cmd::LinearHistogram);
    dipDirections(*d);
    d->widthBox()->setValue(30);
    d->plainBox()->setChecked(true);
    d->Button1Click();
    TWPlot* histogram = ActiveCanvas(t.app);
    EXPECT_EQ(histogram->title(), " Stats 2D - 1 (histogram)");
    EXPECT_EQ(histogram->Label1()->text(), "N = 12, max = 5");
    test::SavePicture(histogram->grab().toImage(), "stats2d_linear.png");

    histogram->DoPUMenuStyleCnvs(14); // the list button
    TWText* listing = ActiveWT(t.app);
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->title(), " Stats 2D - 1 (histogram)");
    EXPECT_EQ(listing->width(), 200);
    const TextDocument text = listing->document();
    ASSERT_EQ(text.paragraphs.size(), 2u + 12u);
    EXPECT_EQ(text.paragraphs[1].plain(), "Nb of values: 12, V max: 5");
    EXPECT_EQ(text.paragraphs[2].plain(), "  0-30\xB0 : 0");
    EXPECT_EQ(text.paragraphs[4].plain(), "  60-90\xB0 : 1");
    EXPECT_EQ(text.paragraphs[5].plain(), "  90-120\xB0 : 5");
    EXPECT_FALSE(listing->dirty()) << "no question when it is closed";

    // With 15 text windows open the listing is refused.
    while (t.app.registry().count(WindowKind::Text) < kMaxWindows)
        NewTextWindow(t.app);
    t.prompts.expectMessage("too many .txt windows are open");
    histogram->DoPUMenuStyleCnvs(14);
}

TEST_F(Stats2DUi, PicturesOfOverlaidAndCircularDiagrams)
{
    crossBeds(*this);
    TDlgStats2D* d = open(Cmd::CircularHistogram);
    dipDirections(*d);
    d->widthBox()->setValue(15);
    d->plainBox()->setChecked(true);
    t.app.settings().Couleur = 1;
    d->Button1Click();
    test::SavePicture(ActiveCanvas(t.app)->grab().toImage(), "stats2d_circular.png");

    open(Cmd::RoseDiagram);
    d->newWindowBox()->setChecked(true);
    d->plainBox()->setChecked(false);
    d->kindButton(kAxes180)->setChecked(true);
    d->planeButton(kPlaneStrike)->setChecked(true);
    t.app.settings().Couleur = 2;
    d->Button1Click();
    d->newWindowBox()->setChecked(false);
    d->smoothedBox()->setChecked(true);
    t.app.settings().Couleur = 4;
    d->Button1Click();
    EXPECT_EQ(ActiveCanvas(t.app)->model().i1, 2);
    test::SavePicture(ActiveCanvas(t.app)->grab().toImage(), "stats2d_axes_smoothed.png");

    d->newWindowBox()->setChecked(true);
    d->smoothedBox()->setChecked(false);
    d->kindButton(kDips90)->setChecked(true);
    d->widthBox()->setValue(10);
    d->shiftBox()->setValue(5);
    d->Button1Click();
    test::SavePicture(ActiveCanvas(t.app)->grab().toImage(), "stats2d_dips.png");
}

} // namespace
} // namespace ploq
