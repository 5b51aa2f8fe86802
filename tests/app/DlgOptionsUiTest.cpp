// The Options dialog over a main window with two canvases and a data sheet: one instance, its
// pages' OK and Cancel on the sheets and canvases, the questions and their answers, the colour
// cells, and Options > "Characters". Its pages are kept as pictures (pictures/options_*.png).

#include "app/Application.h"
#include "app/DlgOptions.h"
#include "app/Main.h"
#include "canvas/DlgEnterFile.h"
#include "canvas/PicturesUi.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/SymbBatchWindow.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "datasheet/DlgImportText.h"
#include "datasheet/ImportExport.h"
#include "datasheet/TWFichier.h"
#include "platform/QtText.h"
#include "support/BatchRecords.h"
#include "support/FaultyFileCalls.h"
#include "support/SheetUi.h"
#include "transform/QtClickImage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numbers>
#include <vector>

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

// --- General ---------------------------------------------------------------------------

QColor Colour(TColor c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

// The middle of cell c of a colour strip of 12-pixel cells.
int CellX(int c)
{
    return 3 + 12 * c + 6;
}

using Filter = std::pair<std::string, std::string>;

struct GeneralUi : OptionsUi {
    GeneralUi()
    {
        SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
        settings().NomFBatch = "undefined";
    }

    // The code, colour, symbol and tadpole of the next line, as the user picks them.
    void pick(TDlgOptions& dialog, const char* code, int colour, int symbol, bool tadpole)
    {
        dialog.codeBox()->setEditText(code);
        dialog.batchColourPressed(CellX(colour));
        form.symbolMenu()->actions()[symbol - 1]->trigger();
        dialog.tadpoleBox()->setChecked(tadpole);
    }

    QStringList listed(const TDlgOptions& dialog) const
    {
        QStringList lines;
        for (int i = 0; i < dialog.symbolListBox()->count(); ++i)
            lines << dialog.symbolListBox()->item(i)->text();
        return lines;
    }
};

TEST_F(GeneralUi, AddMakesALineOfTwoBlanksAndAnExistingCodeAsksBeforeOverwriting)
{
    TDlgOptions* dialog = open();
    pick(*dialog, "S0", 3, 9, true);
    dialog->addClick();
    pick(*dialog, "L1", 1, 4, false);
    dialog->addClick();
    EXPECT_EQ(listed(*dialog), QStringList({"S0 (3  -9)", "L1 (1  +4)"}));
    EXPECT_FALSE(dialog->symbolList().batchSaved);

    // The same code: the line is selected and the question is asked where the dialog says.
    pick(*dialog, "S0", 5, 2, false);
    t.prompts.expectMessage("Code already in the list. Overwrite ?", Button::No);
    dialog->addClick();
    const Message& asked = t.prompts.messages().back();
    EXPECT_EQ(asked.kind, MsgKind::Warning);
    EXPECT_EQ(asked.buttons, Button::Yes | Button::No);
    const QRect frame = dialog->frameGeometry();
    ASSERT_TRUE(asked.at);
    EXPECT_EQ(asked.at->x, frame.left() + 25);
    EXPECT_EQ(asked.at->y, frame.bottom() - 30);
    EXPECT_EQ(dialog->symbolListBox()->currentRow(), 0);
    EXPECT_EQ(listed(*dialog), QStringList({"S0 (3  -9)", "L1 (1  +4)"}));

    t.prompts.expectMessage("Overwrite ?", Button::Yes);
    dialog->addClick();
    EXPECT_EQ(listed(*dialog), QStringList({"L1 (1  +4)", "S0 (5  +2)"}));

    // An empty code box adds nothing.
    dialog->codeBox()->setEditText("  ");
    dialog->addClick();
    EXPECT_EQ(dialog->symbolListBox()->count(), 2);
}

TEST_F(GeneralUi, ClickedLineGivesItsValuesAndModifyReplacesIt)
{
    TDlgOptions* dialog = open();
    pick(*dialog, "S0", 3, 9, true);
    dialog->addClick();
    pick(*dialog, "L1", 1, 4, false);
    dialog->addClick();

    dialog->symbolListBox()->setCurrentRow(0);
    EXPECT_EQ(dialog->codeBox()->currentText(), "S0");
    EXPECT_EQ(settings().Couleur, 3);
    EXPECT_EQ(settings().Sy, -9);
    EXPECT_TRUE(dialog->tadpoleBox()->isChecked());
    // The symbol image shows |Sy| in colour 0.
    EXPECT_EQ(dialog->symbolImage()->picture(),
              ApercuSymboleImage(settings().Tco, 9, 0, dialog->symbolImage()->picture().size()));
    // The strip shows the line's colour as the current one.
    EXPECT_EQ(dialog->batchColourStrip()->picture(), BandeCouleursImage(settings().Tco, 12, 3));

    dialog->codeBox()->setEditText("S1");
    dialog->tadpoleBox()->setChecked(false);
    dialog->modifyClick();
    EXPECT_EQ(listed(*dialog), QStringList({"S1 (3  +9)", "L1 (1  +4)"}));
}

TEST_F(GeneralUi, SaveIntoADottedFolderReadsBackAndThePlotDialogCaptionFollows)
{
    TDlgEnterFile* plot = OuvrirDlgFichier(form, t.app);
    ASSERT_NE(plot, nullptr);
    TDlgOptions* dialog = open();
    dialog->newFileClick();
    EXPECT_EQ(dialog->selectionLabel()->text(), "new file");
    pick(*dialog, "S0", 1, 6, false);
    dialog->addClick();
    pick(*dialog, "L1", 3, 9, true);
    dialog->addClick();

    const std::filesystem::path folder = t.dir_.path() / "j.smith" / "maps";
    std::filesystem::create_directories(folder);
    t.prompts.expectSaveFile((folder / "symbols").string());
    dialog->saveClick();
    const FileQuestion& asked = t.prompts.fileQuestions().back();
    ASSERT_EQ(asked.filters.size(), 2u);
    EXPECT_EQ(asked.filters[0], (Filter{"Ploq batch symbols file", "*.pqb"}));
    const std::filesystem::path saved = folder / "symbols.pqb";
    EXPECT_EQ(settings().NomFBatch, saved.string());
    EXPECT_EQ(test::FileBytes(saved),
              test::BatchRecord("S0", 6, 1) + test::BatchRecord("L1", -9, 3));
    EXPECT_EQ(dialog->selectionLabel()->text(), "new : symbols.pqb");
    EXPECT_TRUE(dialog->symbolList().batchSaved);
    EXPECT_EQ(plot->batchChoice()->text(), "use \"symbols\"");

    // Read again, the file gives the same entries, in the file's form.
    dialog->newFileClick();
    t.prompts.expectOpenFile(saved.string());
    dialog->selectFileClick();
    EXPECT_EQ(t.prompts.fileQuestions().back().filters[0],
              (Filter{"Batch file for symbols PloqPC", "*.pqb"}));
    EXPECT_EQ(listed(*dialog), QStringList({"S0 (1 +6)", "L1 (3 -9)"}));
    EXPECT_EQ(dialog->selectionLabel()->text(), "current selection : symbols.pqb");
}

TEST_F(GeneralUi, FailedSaveIsToldAndTheOldFileStaysWhole)
{
    const std::filesystem::path old = t.dir_.path() / "old.pqb";
    test::WriteFileBytes(old, test::BatchRecord("S0", 6, 1));
    settings().NomFBatch = old.string();
    TDlgOptions* dialog = open();
    pick(*dialog, "L1", 2, 3, false);
    dialog->addClick();
    // Root is not stopped by a read-only folder: the folder's refusal is made at the rename.
    test::FaultyFileCalls calls;
    calls.failAt(test::FaultyFileCalls::Step::Rename, EROFS);
    {
        const ScopedFileCalls seam(calls);
        t.prompts.expectSaveFile(old.string()).expectMessage("Error writing the symbols file");
        dialog->saveClick();
    }
    EXPECT_TRUE(calls.tripped());
    EXPECT_EQ(test::FileBytes(old), test::BatchRecord("S0", 6, 1));
    EXPECT_EQ(settings().NomFBatch, old.string());
    EXPECT_EQ(dialog->selectionLabel()->text(), "current selection : old.pqb");
    EXPECT_FALSE(dialog->symbolList().batchSaved);
}

TEST_F(GeneralUi, UnreadableFileGivesAnEmptyListAndNoMessage)
{
    settings().NomFBatch = (t.dir_.path() / "gone.pqb").string();
    TDlgOptions* dialog = open();
    EXPECT_EQ(dialog->symbolListBox()->count(), 0);
    EXPECT_EQ(dialog->selectionLabel()->text(), "current selection : gone.pqb");
    EXPECT_TRUE(t.prompts.messages().empty());
    // A cancelled chooser changes nothing.
    t.prompts.expectOpenFile(std::nullopt);
    dialog->selectFileClick();
    EXPECT_EQ(settings().NomFBatch, (t.dir_.path() / "gone.pqb").string());
}

TEST_F(GeneralUi, DisplayShowsTheFileOrTheListBesideTheDialog)
{
    TDlgOptions* dialog = open();
    pick(*dialog, "S0", 2, 5, false);
    dialog->addClick();
    dialog->displayClick();
    auto* legend = qobject_cast<TSymbBatch*>(t.app.dialog(kWinSymbBatch));
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->mode(), kBatchOptionsList);
    ASSERT_EQ(legend->table().NbBatch(), 1);
    EXPECT_EQ(legend->table().TabBatch[0], (BatchEntry{"S0", 5, 2}));
    const QRect frame = dialog->frameGeometry();
    EXPECT_EQ(legend->pos().x(), frame.right() - 15);
    EXPECT_GT(legend->pos().y(), frame.top());

    const std::filesystem::path file = t.dir_.path() / "two.pqb";
    test::WriteFileBytes(file, test::BatchRecord("A", 1, 1) + test::BatchRecord("B", 2, 2));
    settings().NomFBatch = file.string();
    dialog->displayClick();
    EXPECT_EQ(legend->mode(), kBatchFile);
    EXPECT_EQ(legend->table().NbBatch(), 2);
}

TEST_F(GeneralUi, CodeBoxOffersTheNaturesOfTheCurrentSheet)
{
    enter(*sheet, {"S0", "100 S 20", "3", "Col", ""});
    enter(*sheet, {"F", "10 N 80", "4", "Col", ""});
    TDlgOptions* dialog = open();
    dialog->dialogActivated();
    QStringList items;
    for (int i = 0; i < dialog->codeBox()->count(); ++i)
        items << dialog->codeBox()->itemText(i);
    EXPECT_EQ(items, QStringList({"S0", "L1", "F"}));
    EXPECT_EQ(dialog->codeBox()->currentText(), "S0");
}

TEST_F(GeneralUi, SymbolImageOpensTheSymbolMenuWithTheCurrentSymbolUnderThePointer)
{
    settings().Sy = -5;
    TDlgOptions* dialog = open();
    EXPECT_TRUE(dialog->tadpoleBox()->isChecked());
    const QPoint pointer(400, 400);
    dialog->symbolImagePressed(pointer);
    QMenu* menu = form.symbolMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->actions()[4]->isChecked());
    EXPECT_EQ(menu->pos(), pointer - QPoint(0, 19 * 4));
    menu->actions()[10]->trigger();
    menu->hide();
    EXPECT_EQ(settings().Sy, 11);
    EXPECT_EQ(dialog->symbolImage()->picture(),
              ApercuSymboleImage(settings().Tco, 11, 0, dialog->symbolImage()->picture().size()));
}

TEST_F(GeneralUi, PaletteColourIsStoredAtOnceAndCancelPutsEverythingBack)
{
    const VarGlob before = settings();
    TDlgOptions* dialog = open();
    const int opening = settings().Couleur;
    dialog->palettePressed(CellX(4));
    EXPECT_EQ(settings().Couleur, 4);
    t.prompts.expectColour(0x112233);
    dialog->paletteReleased();
    EXPECT_EQ(t.prompts.colourQuestions().back(), before.Tco[4]);
    EXPECT_EQ(settings().Tco[4], 0x112233);
    for (ClickImage* strip : {dialog->paletteStrip(), dialog->batchColourStrip()})
        EXPECT_EQ(strip->picture().pixelColor(CellX(4), 8), Colour(0x112233));
    // Cancelled, the chooser leaves the colour.
    t.prompts.expectColour(std::nullopt);
    dialog->paletteReleased();
    EXPECT_EQ(settings().Tco[4], 0x112233);
    // A fixed colour made current by a line of the list is not offered to the chooser.
    settings().Couleur = 12;
    dialog->paletteReleased();
    EXPECT_EQ(settings().Tco[12], before.Tco[12]);

    dialog->toolBarHideChoice()->click();
    dialog->helpOnTopBox()->click();
    dialog->generalCancel();
    EXPECT_TRUE(std::equal(before.Tco.begin(), before.Tco.begin() + 8, settings().Tco.begin()));
    EXPECT_EQ(settings().Couleur, opening);
    for (ClickImage* strip : {dialog->paletteStrip(), dialog->batchColourStrip()})
        EXPECT_EQ(strip->picture(), BandeCouleursImage(before.Tco, 12, opening));
    EXPECT_EQ(TestBit(settings().StyleGene, kGeneToolBar), TestBit(before.StyleGene, kGeneToolBar));
    EXPECT_EQ(TestBit(settings().StyleGene, kGeneHelpOnTop),
              TestBit(before.StyleGene, kGeneHelpOnTop));
    EXPECT_EQ(dialog->toolBarShowChoice()->isChecked(), TestBit(before.StyleGene, kGeneToolBar));
    EXPECT_FALSE(form.toolBar()->isHidden());
}

TEST_F(GeneralUi, ToolBarAndFlagsFollowTheirClicks)
{
    TDlgOptions* dialog = open();
    dialog->toolBarHideChoice()->click();
    EXPECT_FALSE(TestBit(settings().StyleGene, kGeneToolBar));
    EXPECT_TRUE(form.toolBar()->isHidden());
    dialog->toolBarShowChoice()->click();
    EXPECT_TRUE(TestBit(settings().StyleGene, kGeneToolBar));
    EXPECT_FALSE(form.toolBar()->isHidden());
    const bool onTop = TestBit(settings().StyleGene, kGeneHelpOnTop);
    dialog->helpOnTopBox()->click();
    EXPECT_NE(TestBit(settings().StyleGene, kGeneHelpOnTop), onTop);
    dialog->keepOnBox()->click();
    EXPECT_FALSE(TestBit(settings().StyleGene, kGeneOptionsKeepOn));
    // Shown again when the dialog comes back to the front.
    SetBit(settings().StyleGene, kGeneToolBar, false);
    dialog->dialogActivated();
    EXPECT_TRUE(dialog->toolBarHideChoice()->isChecked());
}

TEST_F(GeneralUi, OkRefreshesEveryCanvasAtItsOwnRadiusAndLeavesTheLayoutBit)
{
    canvases[0]->SetRayon(150, true);
    const std::int32_t gene = settings().StyleGene;
    TDlgOptions* dialog = open();
    dialog->palettePressed(CellX(1));
    t.prompts.expectColour(0x00AA00);
    dialog->paletteReleased();
    dialog->helpOnTopBox()->click();
    dialog->generalOk();
    EXPECT_EQ(canvases[0]->model().lRc, 150);
    EXPECT_EQ(canvases[1]->model().lRc, 190);
    for (TWPlot* canvas : canvases)
        EXPECT_EQ(canvas->model().lVal[2].inf & kSelectionBits, 0) << "redrawn";
    EXPECT_EQ(TestBit(settings().StyleGene, kGenePlotTall), TestBit(gene, kGenePlotTall));
    // The current colour returns to the opening one, the palette keeps its new colour.
    EXPECT_EQ(settings().Couleur, dialog->memory().settings.Couleur);
    EXPECT_EQ(settings().Tco[1], 0x00AA00);
    // With the keep-on box cleared, OK closes.
    dialog->keepOnBox()->click();
    dialog->generalOk();
    EXPECT_FALSE(dialogOpen());
}

// --- Stats-1 ---------------------------------------------------------------------------

// Where a node falls in the picture, by the projection formulas themselves: equal-area
// r = R sqrt2 sin(pi/4 - p/2), equal-angle r = R tan(pi/4 - p/2), the trend clockwise from north.
QPoint ProjectedNode(int crown, int j, int crowns, bool wulff)
{
    const double w = 65, xc = w, yc = w + 2, R = w - 8;
    const double plunge = (90.0 - crown * 90.0 / crowns) * kDegToRad;
    const double trend = crown == 0 ? 0 : j * (60.0 / crown) * kDegToRad;
    const double a = std::numbers::pi / 4 - plunge / 2;
    const double r = wulff ? R * std::tan(a) : R * std::sqrt(2.0) * std::sin(a);
    return {static_cast<int>(std::lround(xc + r * std::sin(trend))),
            static_cast<int>(std::lround(yc - r * std::cos(trend)))};
}

TEST_F(OptionsUi, GridPictureHasABlueDotAtEveryNode)
{
    for (const bool wulff : {false, true}) {
        SetBit(settings().StyleCnvs, kStyleWulff, wulff);
        TDlgOptions* dialog = open();
        for (const int crowns : {5, 6, 9}) {
            SCOPED_TRACE(crowns);
            dialog->crownsList()->setCurrentIndex(crowns - 5);
            EXPECT_EQ(dialog->nodeCountLabel()->text(),
                      QString("%1 nods").arg(1 + 3 * crowns * (crowns + 1)));
            const QImage picture = dialog->gridPicture()->pixmap().toImage();
            int nodes = 0;
            for (int k = 0; k <= crowns; ++k)
                for (int j = 0; j < std::max(1, 6 * k); ++j, ++nodes) {
                    const QPoint at = ProjectedNode(k, j, crowns, wulff);
                    EXPECT_EQ(picture.pixelColor(at), QColor(0, 0, 255)) << k << " " << j;
                }
            int blue = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    blue += picture.pixelColor(x, y) == QColor(0, 0, 255);
            EXPECT_EQ(blue, 9 * nodes) << "3 x 3 pixels a node, nothing else blue";
            if (!wulff && crowns == 6)
                test::SavePicture(picture, "options_stats1_grid.png");
        }
        dialog->close();
        flush();
    }
}

TEST_F(OptionsUi, MeshPictureFollowsTheListInsideTheNavyCircle)
{
    TDlgOptions* dialog = open();
    const QColor silver(192, 192, 192), navy(0, 0, 128), white(255, 255, 255);
    const int xc = 65, yc = 67, R = 57;
    for (int item = 0; item < 7; ++item) {
        const int mesh = kMeshItems[static_cast<std::size_t>(item)];
        SCOPED_TRACE(mesh);
        dialog->meshList()->setCurrentIndex(item);
        const QImage picture = dialog->meshPicture()->pixmap().toImage();
        // The lines 2R / (180 div mesh + 1) apart as the contour grid lies, counted along a
        // row between two horizontal lines.
        const double step = 2.0 * R / (180 / mesh + 1);
        std::vector<double> offsets;
        for (int i = 0; i < 180 / mesh + 3; ++i)
            offsets.push_back(-R - step / 2 + i * step);
        int row = 1;
        while (std::any_of(offsets.begin(), offsets.end(),
                           [row](double o) { return std::lround(o) == row; }))
            ++row;
        int columns = 0;
        for (int x = xc - R + 2; x <= xc + R - 2; ++x)
            columns += picture.pixelColor(x, yc + row) == silver;
        int expected = 0;
        for (double o : offsets)
            expected += std::abs(std::lround(o)) <= R - 2 && o * o + row * row <= R * R;
        EXPECT_EQ(columns, expected);
        EXPECT_GT(columns, 2);
        EXPECT_EQ(picture.pixelColor(3, 3), white) << "masked outside the circle";
        EXPECT_EQ(picture.pixelColor(picture.width() - 3, picture.height() - 3), white);
        for (int y = yc - R - 6; y < yc - R; ++y)
            EXPECT_EQ(picture.pixelColor(xc, y), navy) << "north tick at " << y;
        if (mesh == 6)
            test::SavePicture(picture, "options_stats1_mesh.png");
    }
}

TEST_F(OptionsUi, ContourColourIsChosenOnItsCellAndStoredAtOnce)
{
    TDlgOptions* dialog = open();
    EXPECT_EQ(dialog->contCol(), 1);
    dialog->contourColourPressed(CellX(5));
    EXPECT_EQ(dialog->contCol(), 5);
    const TColor old = settings().TcoCont[5];
    t.prompts.expectColour(0x3300CC);
    dialog->contourColourReleased();
    EXPECT_EQ(t.prompts.colourQuestions().back(), old);
    EXPECT_EQ(settings().TcoCont[5], 0x3300CC);
    EXPECT_EQ(dialog->contourColourStrip()->picture().pixelColor(CellX(5), 8), Colour(0x3300CC));
    dialog->contourColourPressed(CellX(9) + 40); // past the last cell: the last cell
    EXPECT_EQ(dialog->contCol(), 9);
}

TEST_F(OptionsUi, Stats1CancelAfterOkGivesTheOpeningMeshAtTheNextStart)
{
    SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
    TDlgOptions* dialog = open();
    dialog->meshList()->setCurrentIndex(6); // 15
    dialog->crownsList()->setCurrentIndex(7);
    dialog->stats1Ok();
    EXPECT_EQ(settings().NbCr, 12);
    EXPECT_EQ(settings().PasCont, 15);
    dialog->contourColourPressed(CellX(2));
    t.prompts.expectColour(0x0000AA);
    dialog->contourColourReleased();
    dialog->stats1Cancel();
    EXPECT_EQ(dialog->meshList()->currentText(), " 6");
    EXPECT_EQ(dialog->crownsList()->currentText(), " 6 crowns");
    EXPECT_EQ(dialog->nodeCountLabel()->text(), "127 nods");
    EXPECT_EQ(settings().TcoCont, dialog->memory().settings.TcoCont);

    SavePrefsFile(settings(), t.prefsPath(), 0);
    std::ifstream in(t.prefsPath(), std::ios::binary);
    VarGlob next;
    LoadPrefs(next, in, {});
    EXPECT_EQ(next.PasCont, 6);
    EXPECT_EQ(next.NbCr, 6);
}

// --- Stats-2 ---------------------------------------------------------------------------

TEST_F(OptionsUi, Stats2DefaultRangesAndTheSummitMarkKeptWithinOneToFour)
{
    SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
    TDlgOptions* dialog = open();
    EXPECT_EQ(dialog->azRangeList()->currentText(), "40");
    EXPECT_EQ(dialog->peRangeList()->currentIndex(), -1);
    EXPECT_EQ(dialog->tiltCutOffBox()->text(), "3.5");
    EXPECT_EQ(dialog->axisCutOffBox()->text(), "30.0");
    dialog->summitMarkBox()->setText("9");
    dialog->stats2Ok();
    EXPECT_EQ(settings().PeBS, 40);
    EXPECT_EQ(settings().AmBS, 20);
    EXPECT_EQ(settings().TDsySum, 4);
    EXPECT_EQ(dialog->summitMarkBox()->text(), "4");
    dialog->summitMarkBox()->setText("0");
    dialog->stats2Ok();
    EXPECT_EQ(settings().TDsySum, 1);
}

TEST_F(OptionsUi, Stats2BadIntegerBoxIsNamedAndNothingIsTaken)
{
    TDlgOptions* dialog = open();
    const VarGlob before = settings();
    dialog->azRangeList()->setCurrentIndex(0);
    dialog->tiltCutOffBox()->setText("10");
    dialog->polygonMinBox()->setText("5");
    dialog->polygonUnderlineBox()->setText("six");
    t.prompts.expectMessage("\"underline rot max for polygones >\" : \"six\" is not an integer");
    dialog->stats2Ok();
    EXPECT_EQ(settings().AmBS, before.AmBS);
    EXPECT_EQ(settings().TDcutVal, before.TDcutVal);
    EXPECT_EQ(settings().TDpoly1, before.TDpoly1);
    EXPECT_TRUE(dialogOpen());
}

TEST_F(OptionsUi, Stats2CancelPutsBackTheTrackdipBoxesOnly)
{
    SetBit(settings().StyleGene, kGeneOptionsKeepOn, true);
    TDlgOptions* dialog = open();
    dialog->tiltCutOffBox()->setText("12");
    dialog->polygonMinBox()->setText("7");
    dialog->summitMarkBox()->setText("2");
    dialog->azRangeList()->setCurrentIndex(8);
    dialog->stats2Ok();
    EXPECT_NEAR(settings().TDcutVal, 12 * kDegToRad, 1e-12);
    dialog->summitMarkBox()->setText("3");
    dialog->stats2Cancel();
    EXPECT_EQ(dialog->tiltCutOffBox()->text(), "3.5");
    EXPECT_EQ(dialog->polygonMinBox()->text(), "3");
    EXPECT_EQ(settings().TDpoly1, 3);
    EXPECT_EQ(dialog->summitMarkBox()->text(), "3"); // as typed
    EXPECT_EQ(dialog->azRangeList()->currentText(), "360");
}

// As a user would: a symbol file of the three natures of an example sheet made on the General
// page and saved, the sheet plotted with it from Plot > Enter (data sheet), then a contour
// colour changed on Stats-1; every step by clicks on the dialogs' own controls.
TEST_F(GeneralUi, EndToEndSymbolFileOfThreeCodesPlotsTheExampleSheet)
{
    TWFichier* example = SheetUi::open(std::string(PLOQ_EXAMPLES) + "/folded-area.plq");
    ASSERT_NE(example, nullptr);
    TDlgOptions* dialog = open();
    dialog->tabs()->setCurrentIndex(TDlgOptions::kGeneral);
    dialog->dialogActivated();
    ASSERT_EQ(dialog->codeBox()->count(), 3);
    struct Choice {
        int colour, symbol;
        bool tadpole;
    };
    const Choice choices[] = {{2, 10, false}, {5, 14, false}, {3, 9, true}};
    std::map<std::string, Choice> byCode;
    for (int i = 0; i < 3; ++i) {
        const Choice& c = choices[i];
        dialog->codeBox()->setCurrentIndex(i);
        byCode[fromQString(dialog->codeBox()->currentText())] = c;
        QTest::mouseClick(dialog->batchColourStrip(), Qt::LeftButton, {},
                          QPoint(CellX(c.colour), 8));
        form.symbolMenu()->actions()[c.symbol - 1]->trigger();
        dialog->tadpoleBox()->setChecked(c.tadpole);
        QTest::mouseClick(dialog->addButton(), Qt::LeftButton);
    }
    ASSERT_EQ(dialog->symbolListBox()->count(), 3);
    const std::string file = path("three codes");
    t.prompts.expectSaveFile(file);
    QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);
    EXPECT_EQ(settings().NomFBatch, file + ".pqb");
    test::SavePicture(dialog->grab().toImage(), "options_e2e_general.png");
    QTest::mouseClick(dialog->okButton(TDlgOptions::kGeneral), Qt::LeftButton);

    form.run(Cmd::PlotEnterSheet);
    auto* plot = qobject_cast<TDlgEnterFile*>(t.app.dialog(kDlgEnterFile));
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->batchChoice()->text(), "use \"three codes\"");
    plot->newCanvasBox()->setChecked(true);
    plot->batchChoice()->click();
    test::SavePicture(plot->grab().toImage(), "options_e2e_plot_dialog.png");
    QTest::mouseClick(plot->plotButton(), Qt::LeftButton);
    TWPlot* canvas = ActiveCanvas(t.app);
    ASSERT_NE(canvas, nullptr);
    const CanvasModel& m = canvas->model();
    ASSERT_EQ(m.lNT, 78);
    for (int i = 1; i <= m.lNT; ++i) {
        const InfoVal& v = m.lVal[static_cast<std::size_t>(i)];
        const Choice& c = byCode.at(v.na.str());
        EXPECT_EQ(v.nco, c.colour) << v.na.str();
        EXPECT_EQ(v.sy, c.tadpole ? -c.symbol : c.symbol) << v.na.str();
    }

    dialog = open();
    dialog->tabs()->setCurrentIndex(TDlgOptions::kStats1);
    t.prompts.expectColour(0x00A5FF);
    QTest::mouseClick(dialog->contourColourStrip(), Qt::LeftButton, {}, QPoint(CellX(3), 8));
    EXPECT_EQ(settings().TcoCont[3], 0x00A5FF);
    test::SavePicture(dialog->grab().toImage(), "options_e2e_stats1.png");
}

} // namespace
} // namespace ploq
