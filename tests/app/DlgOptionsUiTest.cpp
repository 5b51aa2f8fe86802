// The Options dialog over a main window with two canvases and a data sheet: one instance, its
// pages' OK and Cancel on the sheets and canvases, the questions and their answers, the colour
// cells, and Options > "Characters". Its pages are kept as pictures (pictures/options_*.png).

#include "app/Application.h"
#include "app/DlgOptions.h"
#include "app/Main.h"
#include "canvas/PicturesUi.h"
#include "canvas/SymbBatchWindow.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "datasheet/DlgImportText.h"
#include "datasheet/ImportExport.h"
#include "datasheet/TWFichier.h"
#include "platform/QtText.h"
#include "support/SheetUi.h"
#include "transform/QtClickImage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace ploq {
namespace {

using test::RowTexts;

constexpr int kSelectionBits = 1 << 8 | 1 << 9;

struct OptionsUi : test::SheetUi {
    OptionsUi()
    {
        form.setGeometry(40, 30, 600, 117);
        sheet = newSheet();
        enter(*sheet, {"S0", "120 S 40", "1", "Col", ""});
        enter(*sheet, {"L1", "30 S 40", "2", "Col", ""});
        for (int k = 0; k < 2; ++k) {
            TWPlot* canvas = NewWP(t.app, kWPOrdinary);
            for (int i = 0; i < 12; ++i) {
                InfoVal v;
                v.na = i % 2 ? "L" : "S";
                v.azi = (20 + 25 * i) * kDegToRad;
                v.pen = (10 + 6 * i) * kDegToRad;
                AjoutVal(canvas->model(), v, t.app.settings()).inf |= i % 3 ? kSelectionBits : 0;
            }
            canvas->NettoyerWP();
            canvases[k] = canvas;
        }
    }

    TDlgOptions* open()
    {
        form.run(Cmd::OptionsChoose);
        return qobject_cast<TDlgOptions*>(t.app.dialog(kDlgOptions));
    }

    bool dialogOpen()
    {
        flush();
        return t.app.dialog(kDlgOptions) != nullptr;
    }

    VarGlob& settings() { return t.app.settings(); }

    TWFichier* sheet = nullptr;
    std::array<TWPlot*, 2> canvases{};
};

TEST_F(OptionsUi, ChooseOpensOneInstanceBelowTheMainWindowWithSixPages)
{
    TDlgOptions* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(open(), dialog);
    ASSERT_EQ(dialog->tabs()->count(), 6);
    const char* captions[] = {"General", "Data", "Import", "Stereonet", "Stats-1", "Stats-2"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(dialog->tabs()->tabText(i), captions[i]);
    const QRect main = form.frameGeometry();
    EXPECT_EQ(dialog->frameGeometry().top(), main.top() + main.height() + 5);
    EXPECT_LE(std::abs(dialog->frameGeometry().center().x() - main.center().x()), 1);
    EXPECT_FALSE(dialog->isModal());

    // Cancel never closes; OK closes and releases the dialog.
    dialog->cancelButton(TDlgOptions::kImport)->click();
    EXPECT_TRUE(dialogOpen());
    dialog->okButton(TDlgOptions::kImport)->click();
    EXPECT_FALSE(dialogOpen());
}

TEST_F(OptionsUi, OkKeepsTheDialogOnWhenAskedTo)
{
    SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
    TDlgOptions* dialog = open();
    dialog->okButton(TDlgOptions::kData)->click();
    dialog->okButton(TDlgOptions::kImport)->click();
    dialog->okButton(TDlgOptions::kStereonet)->click();
    EXPECT_TRUE(dialogOpen());
}

TEST_F(OptionsUi, DataOkGivesTheSheetsHeadingsNotationAndDeclination)
{
    TDlgOptions* dialog = open();
    dialog->headingBox(3)->setText("no.");
    dialog->planeNotationList()->setCurrentIndex(1); // dip, dip direction
    dialog->declinationBox()->setText("-5");
    t.prompts.expectMessage("Modify now the displayed data sheets ?", Button::Yes);
    dialog->dataOk();

    EXPECT_EQ(settings().TNomC[3], "no.");
    EXPECT_EQ(sheet->grid()
                  ->model()
                  ->headerData(sheet->sheet().columnOf(Field::Number) - 1, Qt::Horizontal)
                  .toString(),
              QString("no."));
    EXPECT_EQ(sheet->sheet().field(1, Field::Value), "40 / 210");
    EXPECT_EQ(sheet->sheet().field(2, Field::Value), "30 SW 40"); // a line keeps its notation
    EXPECT_EQ(sheet->declinationBox()->text(), "-5.0");
    EXPECT_NEAR(sheet->sheet().lDecl, -5 * kDegToRad, 1e-12);
    EXPECT_NEAR(settings().Decl, -5 * kDegToRad, 1e-12);
}

TEST_F(OptionsUi, DataNoKeepsTheSheetAndTheNewSettings)
{
    TDlgOptions* dialog = open();
    dialog->planeNotationList()->setCurrentIndex(4);
    t.prompts.expectMessage("Modify now the displayed data sheets ?", Button::No);
    dialog->dataOk();
    EXPECT_EQ(settings().FrtS, 4);
    EXPECT_EQ(sheet->sheet().field(1, Field::Value), "120 SW 40");
    // Accepted: the same notation again asks nothing.
    dialog = open();
    dialog->dataOk();
}

TEST_F(OptionsUi, DataCancelPutsBackTheHeadingsAndTheLastAcceptedNotation)
{
    SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
    TDlgOptions* dialog = open();
    dialog->planeNotationList()->setCurrentIndex(2);
    t.prompts.expectMessage("Modify now", Button::No);
    dialog->dataOk();
    dialog->planeNotationList()->setCurrentIndex(3);
    dialog->headingBox(2)->setText("kind");
    t.prompts.expectMessage("Modify now", Button::No);
    dialog->dataOk();
    EXPECT_EQ(sheet->sheet().cell(0, sheet->sheet().columnOf(Field::Nature)), "kind");
    dialog->dataCancel();
    EXPECT_EQ(settings().FrtS, 3); // the last accepted
    EXPECT_EQ(dialog->planeNotationList()->currentIndex(), 3);
    EXPECT_EQ(settings().TNomC[2], "nat");
    EXPECT_EQ(sheet->sheet().cell(0, sheet->sheet().columnOf(Field::Nature)), "nat");
    EXPECT_EQ(dialog->headingBox(2)->text(), "nat");
}

TEST_F(OptionsUi, DeclinationThatDoesNotReadIsToldAndNothingIsTaken)
{
    TDlgOptions* dialog = open();
    dialog->declinationBox()->setText("1,5.2");
    dialog->headingBox(1)->setText("dir");
    t.prompts.expectMessage("\"declination\"");
    dialog->dataOk();
    EXPECT_EQ(settings().TNomC[1], "val");
    EXPECT_TRUE(dialogOpen());
}

TEST_F(OptionsUi, ImportOkRefreshesTheImportDialogAndCancelPutsEverythingBack)
{
    TDlgImportText* import = ImportDialog(form, t.app);
    const VarGlob before = settings();
    SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
    TDlgOptions* dialog = open();
    dialog->fieldList(kImportValue)->setCurrentIndex(0);
    dialog->fieldList(kImportNature)->setCurrentIndex(1);
    dialog->ploqFormatList()->setCurrentIndex(4);
    EXPECT_EQ(dialog->ploqLinePanel()->text(), "Plunge, plunge-direction (2 col)");
    dialog->rawLinesChoice()->setChecked(true);
    dialog->rawFormatList()->setCurrentIndex(3);
    dialog->importOk();
    EXPECT_EQ(settings().IpVal, 1);
    EXPECT_EQ(settings().IpNat, 2);
    EXPECT_EQ(fromQString(import->label(0)->text()),
              std::string("expected for planes : ") + kPlaneFormatLabels[4]);

    dialog->importCancel();
    EXPECT_EQ(settings().IpVal, before.IpVal);
    EXPECT_EQ(settings().IpNat, before.IpNat);
    EXPECT_EQ(settings().IpFS, before.IpFS);
    EXPECT_EQ(settings().IpIsS, before.IpIsS);
    EXPECT_EQ(settings().IpFR, before.IpFR);
    EXPECT_EQ(dialog->importPage(), ImportPageOf(before));
}

TEST_F(OptionsUi, RawFormatListFollowsTheKind)
{
    TDlgOptions* dialog = open();
    dialog->rawPlanesChoice()->setChecked(true);
    dialog->rawFormatList()->setCurrentIndex(6);
    EXPECT_EQ(dialog->rawFormatList()->count(), 7);
    dialog->rawLinesChoice()->setChecked(true);
    EXPECT_EQ(dialog->rawFormatList()->count(), 4);
    EXPECT_EQ(dialog->rawFormatList()->currentIndex(), 3);
    EXPECT_EQ(dialog->rawFormatList()->itemText(0), "Trend Quadrant Plunge (1 col)");
}

TEST_F(OptionsUi, UnchangedStereonetOkAsksNothing)
{
    TDlgOptions* dialog = open();
    dialog->stereonetOk();
    for (TWPlot* canvas : canvases)
        for (int i = 1; i <= canvas->model().lNT; ++i)
            EXPECT_EQ(canvas->model().lVal[static_cast<std::size_t>(i)].inf & kSelectionBits, 0);
}

TEST_F(OptionsUi, SwitchedHemisphereAsksAndNoKeepsTheCanvases)
{
    const std::int32_t style = canvases[0]->model().lStyleCnvs;
    TDlgOptions* dialog = open();
    dialog->upperChoice()->setChecked(true);
    t.prompts.expectMessage("Change the canvas ?", Button::No);
    dialog->stereonetOk();
    EXPECT_FALSE(TestBit(settings().StyleCnvs, kStyleLowerHemisphere));
    for (TWPlot* canvas : canvases) {
        EXPECT_EQ(canvas->model().lStyleCnvs, style);
        EXPECT_NE(canvas->model().lVal[2].inf & kSelectionBits, 0);
    }
}

TEST_F(OptionsUi, StereonetYesRestylesEveryCanvasAndTheCurrentOneStays)
{
    TWPlot* current = ActiveCanvas(t.app);
    TDlgOptions* dialog = open();
    dialog->wulffChoice()->setChecked(true);
    dialog->upperChoice()->setChecked(true);
    dialog->planesAsList()->setCurrentIndex(1);
    dialog->diameterBox()->setValue(120);
    t.prompts.expectMessage("Change the canvas ?", Button::Yes);
    dialog->stereonetOk();
    EXPECT_EQ(ActiveCanvas(t.app), current);
    for (TWPlot* canvas : canvases) {
        const CanvasModel& m = canvas->model();
        EXPECT_EQ(m.lRc, 228);
        EXPECT_TRUE(TestBit(m.lStyleCnvs, kStyleWulff));
        EXPECT_FALSE(TestBit(m.lStyleCnvs, kStyleLowerHemisphere));
        EXPECT_EQ(m.lStylePlot & (1 << 12 | 1 << 13), 1 << 13);
        for (int i = 1; i <= m.lNT; ++i) {
            const InfoVal& v = m.lVal[static_cast<std::size_t>(i)];
            EXPECT_EQ(v.inf & kSelectionBits, 0);
            // Placed again on the upper-hemisphere Wulff net of the new radius.
            const Point at = DirToPixel({v.azi, v.pen}, m.net());
            EXPECT_EQ(v.p, at.x);
            EXPECT_EQ(v.q, at.y);
        }
    }
    EXPECT_EQ(settings().Rc, 228);
}

TEST_F(OptionsUi, StereonetCancelShowsTheOpeningDiameterAndRestoresTheCanvases)
{
    canvases[1]->SetRayon(191, true); // the current canvas
    SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
    TDlgOptions* dialog = open();
    EXPECT_EQ(dialog->diameterBox()->value(), 101);
    dialog->diameterBox()->setValue(150);
    dialog->wulffChoice()->setChecked(!dialog->wulffChoice()->isChecked());
    t.prompts.expectMessage("Change the canvas ?", Button::Yes);
    dialog->stereonetOk();
    const std::int32_t opening = dialog->memory().settings.StyleCnvs;
    dialog->stereonetCancel();
    EXPECT_EQ(dialog->diameterBox()->value(), 101);
    EXPECT_EQ(settings().StyleCnvs, opening);
    for (TWPlot* canvas : canvases) {
        EXPECT_EQ(canvas->model().lRc, 191);
        EXPECT_EQ(canvas->model().lStyleCnvs, opening);
    }
}

TEST_F(OptionsUi, ColourCellsActAtOnceAndNothingOffTheCells)
{
    TDlgOptions* dialog = open();
    settings().GridCol = 14;
    dialog->gridColourPressed(2, 6);
    dialog->gridColourPressed(63, 6);
    EXPECT_EQ(settings().GridCol, 14);
    dialog->gridColourPressed(52, 6);
    EXPECT_EQ(settings().GridCol, 16);

    settings().ColMvtF = 2;
    dialog->arrowImagePressed();
    EXPECT_TRUE(dialog->arrowStrip()->isVisibleTo(dialog));
    dialog->arrowStripReleased(200, 6);
    EXPECT_FALSE(dialog->arrowStrip()->isVisibleTo(dialog));
    EXPECT_EQ(settings().ColMvtF, 2);
    dialog->arrowImagePressed();
    dialog->arrowStripReleased(3 + 5 * 12 + 4, 6);
    EXPECT_EQ(settings().ColMvtF, 5);
    EXPECT_EQ(
        dialog->arrowImage()->picture().pixelColor(7, 7),
        QColor(redOf(settings().Tco[5]), greenOf(settings().Tco[5]), blueOf(settings().Tco[5])));
}

TEST_F(OptionsUi, ClosingReleasesTheLegendWindowToo)
{
    TDlgOptions* dialog = open();
    auto* legend = new QWidget;
    legend->setAttribute(Qt::WA_DeleteOnClose);
    t.app.setDialog(kWinSymbBatch, legend);
    legend->show();
    dialog->close();
    flush();
    EXPECT_EQ(t.app.dialog(kWinSymbBatch), nullptr);
    EXPECT_EQ(t.app.dialog(kDlgOptions), nullptr);
}

TEST_F(OptionsUi, CharactersAsksAndSetsEverySheetGrid)
{
    TWFichier* second = newSheet();
    t.prompts.expectFont(FontChoice{"Courier New", -20})
        .expectMessage("Change the datasheet ?", Button::Yes);
    form.run(Cmd::OptionsCharacters);
    EXPECT_EQ(t.prompts.fontQuestions().front(), (FontChoice{"Times New Roman", -13}));
    EXPECT_EQ(settings().FontName, "Courier New");
    for (TWFichier* s : {sheet, second}) {
        EXPECT_EQ(s->grid()->font().family(), "Courier New");
        EXPECT_EQ(s->grid()->font().pixelSize(), 20);
        EXPECT_EQ(s->grid()->verticalHeader()->defaultSectionSize(), 30);
    }

    t.prompts.expectFont(FontChoice{"Arial", -11})
        .expectMessage("Change the datasheet ?", Button::No);
    form.run(Cmd::OptionsCharacters);
    EXPECT_EQ(settings().FontName, "Arial");
    EXPECT_EQ(sheet->grid()->font().family(), "Courier New");

    // The same font again, or a cancelled chooser, asks nothing.
    t.prompts.expectFont(FontChoice{"Arial", -11}).expectFont(std::nullopt);
    form.run(Cmd::OptionsCharacters);
    form.run(Cmd::OptionsCharacters);
}

TEST_F(OptionsUi, PagesArePictured)
{
    TDlgOptions* dialog = open();
    const char* names[] = {"general", "data", "import", "stereonet", "stats1", "stats2"};
    for (int i = 0; i < 6; ++i) {
        dialog->tabs()->setCurrentIndex(i);
        const QImage picture = dialog->grab().toImage();
        EXPECT_GT(picture.width(), 300);
        test::SavePicture(picture, QString("options_%1.png").arg(names[i]));
    }
    // The sample net is drawn: not a white square.
    const QImage net = dialog->sampleNet()->pixmap().toImage();
    int dark = 0;
    for (int y = 0; y < net.height(); ++y)
        for (int x = 0; x < net.width(); ++x)
            dark += qGray(net.pixel(x, y)) < 128;
    EXPECT_GT(dark, 100);
}

// As a user would: two canvases and a sheet open, the net switched to Wulff and the upper
// hemisphere, then the plane notation changed, each by clicks on the dialog's own controls.
TEST_F(OptionsUi, EndToEndWulffUpperThenAnotherPlaneNotation)
{
    // The canvases start on the Schmidt net, lower hemisphere.
    SetBit(settings().StyleCnvs, kStyleWulff, false);
    for (TWPlot* canvas : canvases) {
        canvas->model().lStyleCnvs = settings().StyleCnvs;
        canvas->NettoyerWP();
    }
    SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
    TDlgOptions* dialog = open();
    dialog->tabs()->setCurrentIndex(TDlgOptions::kStereonet);
    // On the button's mark, not in the middle of a stretched button.
    for (QRadioButton* choice : {dialog->wulffChoice(), dialog->upperChoice()})
        QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(8, choice->height() / 2));
    test::SavePicture(dialog->grab().toImage(), "options_e2e_stereonet.png");
    t.prompts.expectMessage("Change the canvas ?", Button::Yes);
    QTest::mouseClick(dialog->okButton(TDlgOptions::kStereonet), Qt::LeftButton);
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(TestBit(canvases[k]->model().lStyleCnvs, kStyleWulff));
        EXPECT_FALSE(TestBit(canvases[k]->model().lStyleCnvs, kStyleLowerHemisphere));
        test::SavePicture(canvases[k]->grab().toImage(),
                          QString("options_e2e_canvas%1.png").arg(k + 1));
    }

    dialog->tabs()->setCurrentIndex(TDlgOptions::kData);
    dialog->planeNotationList()->setCurrentIndex(4); // right hand rule
    test::SavePicture(dialog->grab().toImage(), "options_e2e_data.png");
    t.prompts.expectMessage("Modify now the displayed data sheets ?", Button::Yes);
    QTest::mouseClick(dialog->okButton(TDlgOptions::kData), Qt::LeftButton);
    EXPECT_EQ(sheet->sheet().field(1, Field::Value), "120 / 40");
    test::SavePicture(sheet->grab().toImage(), "options_e2e_sheet.png");
}

} // namespace
} // namespace ploq
