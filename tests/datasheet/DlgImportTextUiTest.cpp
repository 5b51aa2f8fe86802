// The import dialog driven by its slots with scripted prompts: its labels for every choice, what
// OK, cancel and closing keep in the settings, files imported into new sheets, refusals that
// leave the sheets as they were, and File > Export into a text window beside the sheet. The
// pictures are kept (pictures/import_dialog_*.png, pictures/export_window.png).

#include "app/Application.h"
#include "canvas/PicturesUi.h"
#include "datasheet/DlgImportText.h"
#include "datasheet/ImportExport.h"
#include "datasheet/TWText.h"
#include "platform/QtText.h"
#include "support/SheetUi.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>

#include <fstream>

namespace ploq {
namespace {

struct ImportUi : test::SheetUi {
    TDlgImportText* openDialog()
    {
        form.run(Cmd::FileImport);
        return qobject_cast<TDlgImportText*>(t.app.dialog(kDlgImportText));
    }

    std::string file(const char* name, const std::string& bytes) const
    {
        const std::string p = path(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    std::string label(TDlgImportText& d, int i) const { return fromQString(d.label(i)->text()); }

    std::size_t sheetCount() { return OpenSheets(t.app).size(); }
};

TEST_F(ImportUi, OneDialogPlacedUnderTheToolBar)
{
    form.setGeometry(100, 60, 700, 120);
    SetBit(t.app.settings().StyleGene, kGeneToolBar, true);
    TDlgImportText* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Import text");
    EXPECT_EQ(dialog->pos(), QPoint(100, 60 + form.menuBar()->height() + 50));
    EXPECT_EQ(openDialog(), dialog) << "one instance";
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
}

TEST_F(ImportUi, ChoicesStartFromTheSettings)
{
    VarGlob& s = t.app.settings();
    for (const bool raw : {false, true})
        for (const bool planes : {false, true}) {
            SetBit(s.OptVal, kOptValImportRaw, raw);
            s.IpIsS = planes ? 1 : 0;
            s.ShowDeci = planes;
            TDlgImportText* d = openDialog();
            EXPECT_EQ(d->rawChoice()->isChecked(), raw);
            EXPECT_EQ(d->ploqChoice()->isChecked(), !raw);
            EXPECT_EQ(d->planesChoice()->isChecked(), planes);
            EXPECT_EQ(d->decimalsBox()->isChecked(), planes);
            EXPECT_EQ(d->rawKindGroup()->isEnabled(), raw);
            d->cancelButton()->click();
            flush();
        }
}

TEST_F(ImportUi, LabelsFollowEveryChoice)
{
    VarGlob& s = t.app.settings();
    s.IpFS = 3;
    s.IpFR = 6;
    s.IpSep = 0;
    s.IpNat = 2;
    s.IpVal = 4;
    SetBit(s.StyleGene, kGeneImportNumber, true);
    TDlgImportText* d = openDialog();
    struct Case {
        QRadioButton* (TDlgImportText::*source)() const;
        QRadioButton* (TDlgImportText::*kind)() const;
        const char* planes;
        const char* lines;
        const char* fields;
        bool kindEnabled;
    };
    const Case cases[] = {
        {&TDlgImportText::rawChoice, &TDlgImportText::planesChoice,
         "expected for planes : Right hand rule (strike, dip) (2col)",
         "expected for lines : Plunge-direction, plunge (2 col)",
         "importation of planes, code \"number\" = line number", true},
        {&TDlgImportText::rawChoice, &TDlgImportText::linesChoice,
         "expected for planes : Right hand rule (strike, dip) (2col)",
         "expected for lines : Plunge-direction, plunge (2 col)",
         "importation of lines, code \"number\" = line number", true},
        {&TDlgImportText::ploqChoice, &TDlgImportText::planesChoice,
         "expected for planes : Dip-direction, dip (2 col)",
         "expected for lines : Plunge-direction, plunge (2 col)",
         "\"nature\" : column 2, \"value\" : columns 4 to 5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields);
        ((*d).*c.source)()->click();
        ((*d).*c.kind)()->setChecked(true);
        EXPECT_EQ(label(*d, 0), c.planes);
        EXPECT_EQ(label(*d, 1), c.lines);
        EXPECT_EQ(label(*d, 2), c.fields);
        EXPECT_EQ(label(*d, 3), "expected fields separator : tabulation");
        EXPECT_EQ(d->rawKindGroup()->isEnabled(), c.kindEnabled);
    }
    // The options change the settings, then ask for the labels again.
    s.IpSep = 2;
    s.IpFS = 0;
    d->refreshLabels();
    EXPECT_EQ(label(*d, 0), "expected for planes : Az Quadrant Dip (1 col)");
    EXPECT_EQ(label(*d, 2), "\"nature\" : column 2, \"value\" : column 4");
    EXPECT_EQ(label(*d, 3), "expected fields separator : dash (-)");
}

TEST_F(ImportUi, OkImportsPloqDataIntoANewSheet)
{
    VarGlob& s = t.app.settings();
    s.IpSep = 1;
    s.FrtS = 1;
    const std::string p = file("site.txt", "S1/120 S 10/5/site/test\r\nL2/30 SW 40/6/site/\r\n");
    TDlgImportText* d = openDialog();
    d->ploqChoice()->click();
    d->decimalsBox()->setChecked(true);
    t.prompts.expectOpenFile(p);
    d->okButton()->click();
    flush();

    ASSERT_EQ(t.prompts.fileQuestions().size(), 1u);
    const FileQuestion& asked = t.prompts.fileQuestions()[0];
    EXPECT_EQ(asked.title, "Import Ploq Text");
    ASSERT_EQ(asked.filters.size(), 2u);
    EXPECT_EQ(asked.filters[0],
              std::make_pair(std::string("Files Ploq Text"), std::string("*.txt")));
    EXPECT_EQ(asked.filters[1], std::make_pair(std::string("All files"), std::string("*.*")));

    TWFichier* sheet = CurrentSheet(t.app);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->title(), "site (imported)");
    EXPECT_EQ(sheet->sheet().rowCount(), 2);
    EXPECT_EQ(sheet->sheet().field(1, Field::Value), "10.0 / 210.0");
    EXPECT_EQ(sheet->sheet().field(2, Field::Nature), "L2");
    EXPECT_TRUE(sheet->sheet().lDirty);
    EXPECT_TRUE(form.action(Cmd::FileSave)->isEnabled());
    EXPECT_TRUE(s.ShowDeci);
    EXPECT_TRUE(TestBit(s.OptVal, kOptValShowDeci));
    EXPECT_FALSE(TestBit(s.OptVal, kOptValImportRaw));
    EXPECT_EQ(t.app.dialog(kDlgImportText), nullptr) << "OK closes the dialog";
}

TEST_F(ImportUi, OkImportsRawPlanesAndKeepsTheKind)
{
    VarGlob& s = t.app.settings();
    s.IpSep = 0;
    s.IpFR = 2;
    s.IpIsS = 0;
    SetBit(s.StyleGene, kGeneImportNumber, true);
    const std::string p = file("raw.dat", "30\t120\n40\t100\n");
    TDlgImportText* d = openDialog();
    d->rawChoice()->click();
    d->planesChoice()->click();
    t.prompts.expectOpenFile(p);
    d->okClick();
    flush();

    EXPECT_EQ(t.prompts.fileQuestions().at(0).title, "Import Data");
    EXPECT_EQ(t.prompts.fileQuestions().at(0).filters.at(0).first, "Text Files");
    TWFichier* sheet = CurrentSheet(t.app);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->title(), "raw (imported)");
    EXPECT_EQ(sheet->sheet().field(2, Field::Nature), "S");
    EXPECT_EQ(sheet->sheet().field(2, Field::Number), "2");
    EXPECT_EQ(s.IpIsS, 1);
    EXPECT_TRUE(TestBit(s.OptVal, kOptValImportRaw));
}

TEST_F(ImportUi, CancelAndClosingKeepTheChoiceButNotTheDecimals)
{
    VarGlob& s = t.app.settings();
    for (const bool byCancel : {true, false}) {
        SCOPED_TRACE(byCancel ? "cancel" : "closed");
        SetBit(s.OptVal, kOptValImportRaw, false);
        s.IpIsS = 0;
        s.ShowDeci = false;
        TDlgImportText* d = openDialog();
        d->rawChoice()->click();
        d->planesChoice()->click();
        d->decimalsBox()->setChecked(true);
        if (byCancel)
            d->cancelButton()->click();
        else
            d->close();
        flush();
        EXPECT_EQ(t.app.dialog(kDlgImportText), nullptr);
        EXPECT_TRUE(TestBit(s.OptVal, kOptValImportRaw));
        EXPECT_EQ(s.IpIsS, 1);
        EXPECT_FALSE(s.ShowDeci);
        EXPECT_TRUE(t.prompts.fileQuestions().empty());
    }
}

TEST_F(ImportUi, RefusedFilesLeaveTheSheetsAsTheyWere)
{
    VarGlob& s = t.app.settings();
    s.IpSep = 0;
    s.IpFR = 2;
    s.IpIsS = 1;
    newSheet();
    struct Case {
        const char* name;
        std::string bytes;
        const char* message; // nullptr: no file chosen, nothing said
    };
    const Case cases[] = {
        {"slashes.txt", "30/120\n", "\"slashes.txt\" : Error, probably not a convenient file"},
        {"steep.txt", "30\t120\n40\t100\n95\t100\n", "\"steep.txt\" : line 3 : \"95\" : dip"},
        {"joined.txt", "30\t120\n40 100\n", "\"joined.txt\" : line 2 : \"40 100\" : no fields"},
        {"missing.txt", "", "Unable to open this file"},
        {"cancelled.txt", "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string p = c.bytes.empty() ? path(c.name) : file(c.name, c.bytes);
        TDlgImportText* d = openDialog();
        d->rawChoice()->click();
        t.prompts.expectOpenFile(c.message ? std::optional<std::string>(p) : std::nullopt);
        if (c.message)
            t.prompts.expectMessage(c.message);
        d->okClick();
        flush();
        EXPECT_EQ(sheetCount(), 1u);
        EXPECT_TRUE(t.prompts.allAnswered());
    }
}

TEST_F(ImportUi, FifteenSheetsRefuseBeforeAnyFileIsAsked)
{
    for (int i = 0; i < kMaxWindows; ++i)
        newSheet();
    TDlgImportText* d = openDialog();
    t.prompts.expectMessage(std::string(kMsgTooManySheets));
    d->okClick();
    flush();
    EXPECT_EQ(sheetCount(), 15u);
    EXPECT_TRUE(t.prompts.fileQuestions().empty());
}

TEST_F(ImportUi, ALayoutPastTheSeventhFieldIsRefusedAtOk)
{
    VarGlob& s = t.app.settings();
    s.IpFS = 1;
    s.IpVal = 6;
    TDlgImportText* d = openDialog();
    d->ploqChoice()->click();
    t.prompts.expectMessage("\"value\" : fields 6 to 8, beyond field 7 : check the fields in "
                            "\"Options\"");
    d->okClick();
    flush();
    EXPECT_TRUE(t.prompts.fileQuestions().empty());
    EXPECT_EQ(t.app.dialog(kDlgImportText), d) << "the dialog stays for another choice";
    EXPECT_EQ(sheetCount(), 0u);
}

TEST_F(ImportUi, AFullSheetIsToldAfterItIsMade)
{
    VarGlob& s = t.app.settings();
    s.IpSep = 0;
    s.IpFR = 3;
    s.IpIsS = 0;
    std::string bytes;
    for (int i = 0; i <= kMaxValues; ++i)
        bytes += "210\t40\r\n";
    const std::string p = file("big.txt", bytes);
    TDlgImportText* d = openDialog();
    d->rawChoice()->click();
    t.prompts.expectOpenFile(p);
    t.prompts.expectMessage(SheetFullMessage());
    d->okClick();
    flush();
    TWFichier* sheet = CurrentSheet(t.app);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->sheet().rowCount(), kMaxValues);
    ASSERT_FALSE(t.prompts.messages().empty());
    EXPECT_EQ(t.prompts.messages().back().at, std::optional<Point>(sheet->messagePlace()));
}

TEST_F(ImportUi, Pictures)
{
    VarGlob& s = t.app.settings();
    s.IpSep = 0;
    s.IpFS = 2;
    s.IpFR = 0;
    TDlgImportText* d = openDialog();
    d->ploqChoice()->click();
    EXPECT_FALSE(test::SavePicture(d->grab().toImage(), "import_dialog_ploq.png").isEmpty());
    d->rawChoice()->click();
    d->planesChoice()->click();
    EXPECT_FALSE(test::SavePicture(d->grab().toImage(), "import_dialog_raw.png").isEmpty());
}

// ---- export

TEST_F(ImportUi, ExportWritesTheSheetIntoAPlainTextWindowBesideIt)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "Col", "limb"});
    enter(*sheet, {"L1", "30 SW 40", "2", "Col", ""});
    sheet->setGeometry(20, 100, 300, 400);
    ASSERT_TRUE(form.action(Cmd::FileExport)->isEnabled());
    form.run(Cmd::FileExport);

    TWText* text = ActiveWT(t.app);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isVisible());
    EXPECT_TRUE(text->plainMode());
    EXPECT_TRUE(text->dirty());
    EXPECT_EQ(text->RichEdit1()->font().pointSize(), 7);
    EXPECT_EQ(text->RichEdit1()->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(text->frameGeometry().top(), sheet->frameGeometry().top());
    EXPECT_EQ(text->frameGeometry().left(), sheet->frameGeometry().right() + 1 + 10);
    const TextDocument doc = text->document();
    ASSERT_EQ(doc.paragraphs.size(), 6u);
    EXPECT_EQ(doc.paragraphs[0].plain(), "Ploq file : Data sheet 1");
    EXPECT_EQ(doc.paragraphs[4].plain(),
              "S0       \t120 SW 10    \t       1\t      Col\t     limb");
    EXPECT_FALSE(test::SavePicture(text->grab().toImage(), "export_window.png").isEmpty());
}

TEST_F(ImportUi, TheExportWindowStaysOnTheScreen)
{
    TWFichier* sheet = newSheet();
    const QRect screen = sheet->screen()->availableGeometry();
    sheet->setGeometry(screen.right() - 350, 80, 300, 300);
    form.run(Cmd::FileExport);
    TWText* text = ActiveWT(t.app);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->frameGeometry().right() + 1, screen.right() + 1 - 5);
    EXPECT_EQ(text->document().paragraphs.size(), 4u) << "an empty sheet: the header alone";
}

TEST_F(ImportUi, ARowWithoutDirectionRefusesTheExport)
{
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "", ""});
    sheet->sheet().setField(1, Field::Value, "garbage");
    sheet->sheet().lMod[1] = kRowToDecode;
    t.prompts.expectMessage("Line 1 has no valid direction");
    form.run(Cmd::FileExport);
    EXPECT_EQ(ActiveWT(t.app), nullptr);
}

TEST_F(ImportUi, AnExportImportsBackAsTheSheet)
{
    VarGlob& s = t.app.settings();
    TWFichier* sheet = newSheet();
    enter(*sheet, {"S0", "120 S 10", "1", "Col", "limb"});
    enter(*sheet, {"L1", "30 SW 40", "22", "Col", ""});
    form.run(Cmd::FileExport);
    TWText* text = ActiveWT(t.app);
    ASSERT_NE(text, nullptr);
    const std::string p = path("export.txt");
    t.prompts.expectSaveFile(p);
    ASSERT_TRUE(text->DoSaveText(true));

    s.IpSep = 0;
    s.IpFS = 0;
    s.IpNat = 1;
    s.IpVal = 2;
    s.IpNum = 3;
    s.IpLoc = 4;
    s.IpCom = 5;
    TDlgImportText* d = openDialog();
    d->ploqChoice()->click();
    t.prompts.expectOpenFile(p);
    d->okClick();
    flush();
    TWFichier* back = CurrentSheet(t.app);
    ASSERT_NE(back, sheet);
    EXPECT_EQ(back->title(), "export (imported)");
    ASSERT_EQ(back->sheet().rowCount(), 2);
    for (int row = 1; row <= 2; ++row)
        for (int column = 1; column <= kFieldCount; ++column)
            EXPECT_EQ(back->sheet().cell(row, column), sheet->sheet().cell(row, column));
}

} // namespace
} // namespace ploq
