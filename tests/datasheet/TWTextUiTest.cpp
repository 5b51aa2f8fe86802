#include "app/Main.h"
#include "datasheet/Rtf.h"
#include "datasheet/TWText.h"
#include "support/TextDocumentPrint.h"
#include "support/UiApp.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ploq {
namespace {

namespace fs = std::filesystem;

constexpr TColor kNavy = rgb(0, 0, 128);

// A report as producers write one: a bold heading, coloured lines, accented characters, an
// empty line and a line of mixed runs.
void WriteReport(TWText& w)
{
    w.appendLine("14:05 - Best axis", true);
    w.appendLine("N = 12");
    w.appendLine("Pendage \xE9lev\xE9 : 45\xB0, \x80 \x9C\xFC\xDF", false, clRed);
    w.appendLine("");
    TextParagraph mixed;
    mixed.append("lambda ", false, kNavy);
    mixed.append("0.82 {x}\\", true, clGreen);
    w.appendParagraph(mixed);
}

TextDocument Report()
{
    TextDocument d;
    d.paragraphs.emplace_back().append("14:05 - Best axis", true);
    d.paragraphs.emplace_back().append("N = 12");
    d.paragraphs.emplace_back().append("Pendage \xE9lev\xE9 : 45\xB0, \x80 \x9C\xFC\xDF", false,
                                       clRed);
    d.paragraphs.emplace_back();
    TextParagraph& mixed = d.paragraphs.emplace_back();
    mixed.append("lambda ", false, kNavy);
    mixed.append("0.82 {x}\\", true, clGreen);
    return d;
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct TextWindows : ::testing::Test {
    TextWindows()
    {
        SavePrefsFile(t.app.settings(), t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
    }
    std::string path(const std::string& name) const { return (t.dir_.path() / name).string(); }
    // A text window holding the report, its save and close questions scripted by each test.
    TWText* reportWindow(int kind = 0)
    {
        TWText* w = NewTextWindow(t.app, kind);
        WriteReport(*w);
        return w;
    }
    TWText* open(const std::string& file)
    {
        t.prompts.expectOpenFile(file);
        form->run(Cmd::UtilOpenOther);
        return ActiveWT(t.app);
    }
    bool isOpen(TWText* w)
    {
        return t.app.registry().inSlot(WindowKind::Text, w->slot()) == w && w->slot() > 0;
    }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
};

TEST_F(TextWindows, ReportSavedAsRichTextReopensExactly)
{
    TWText* w = reportWindow(2);
    EXPECT_EQ(w->document(), Report());
    t.prompts.expectSaveFile(path("report"));
    EXPECT_TRUE(w->DoSaveText(true));
    const FileQuestion& asked = t.prompts.fileQuestions().back();
    EXPECT_EQ(asked.proposedName, "WT n\xC2\xB0 1");
    EXPECT_EQ(asked.selectedFilter, 1) << "a listing offers rich text first";
    EXPECT_EQ(w->lNomF(), path("report.rtf"));
    EXPECT_EQ(w->title(), "report.rtf");
    EXPECT_FALSE(w->dirty());
    const std::string bytes = ReadBytes(path("report.rtf"));
    EXPECT_TRUE(bytes.starts_with("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_NE(bytes.find("\\red255\\green0\\blue0;"), std::string::npos);
    EXPECT_NE(bytes.find("\\'e9lev\\'e9"), std::string::npos);

    TWText* reopened = open(path("report.rtf"));
    ASSERT_NE(reopened, w);
    EXPECT_EQ(reopened->document(), Report());
    EXPECT_EQ(reopened->title(), "report.rtf");
    EXPECT_FALSE(reopened->plainMode());
    EXPECT_FALSE(reopened->dirty());
    EXPECT_TRUE(reopened->isVisible());
}

TEST_F(TextWindows, SavedAsTextUnderADottedFolderAndSavedAgainInPlace)
{
    fs::create_directory(path("my.dir"));
    TWText* w = reportWindow();
    t.prompts.expectSaveFile(path("my.dir/result.csv"), 0);
    form->run(Cmd::FileSaveAs);
    const std::string saved = path("my.dir/result.txt");
    EXPECT_EQ(w->lNomF(), saved);
    EXPECT_EQ(ReadBytes(saved), "14:05 - Best axis\r\nN = 12\r\nPendage \xE9lev\xE9 : 45\xB0, \x80 "
                                "\x9C\xFC\xDF\r\n\r\nlambda 0.82 {x}\\\r\n");
    EXPECT_TRUE(w->plainMode());

    w->appendLine("one more line");
    form->run(Cmd::FileSave); // no dialog: the same file
    EXPECT_TRUE(ReadBytes(saved).ends_with("one more line\r\n"));
    EXPECT_TRUE(w->close()) << "saved: closing asks nothing";

    TWText* reopened = open(saved);
    EXPECT_TRUE(reopened->plainMode()) << "a text file stays a text file";
    EXPECT_EQ(reopened->document().paragraphs[0].runs,
              (std::vector<TextRun>{{"14:05 - Best axis"}}));
    EXPECT_EQ(reopened->document().paragraphs.size(), 7u) << "the last break starts a line";
}

// A text file opened and saved unchanged is the same bytes, its line breaks and its last line's
// break (or none) included; a rich text file reads back as the same document. Text typed at the
// end of a file that ends with a break goes on a line of its own.
TEST_F(TextWindows, AFileOpenedAndSavedUnchangedIsTheSameBytes)
{
    for (const std::string bytes :
         {"first\r\nlast\r\n", "first\nlast\n", "first\nlast", "\xE9t\xE9\r\n\r\n", ""}) {
        const std::string file = path("notes.txt");
        std::ofstream(file, std::ios::binary) << bytes;
        TWText* w = open(file);
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->dirty());
        form->run(Cmd::FileSave);
        EXPECT_EQ(ReadBytes(file), bytes);
        w->closeWithoutAsking();
    }

    std::ofstream(path("typed.txt"), std::ios::binary) << "first\r\nlast\r\n";
    TWText* w = open(path("typed.txt"));
    QTextCursor cursor = w->RichEdit1()->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("typed");
    form->run(Cmd::FileSave);
    EXPECT_EQ(ReadBytes(path("typed.txt")), "first\r\nlast\r\ntyped");
    w->closeWithoutAsking();

    TWText* report = reportWindow(2);
    t.prompts.expectSaveFile(path("report"));
    ASSERT_TRUE(report->DoSaveText(true));
    TWText* reopened = open(path("report.rtf"));
    form->run(Cmd::FileSave);
    EXPECT_EQ(ReadRtf(ReadBytes(path("report.rtf"))), Report());
    EXPECT_EQ(reopened->document(), Report());
}

TEST_F(TextWindows, FaultFileKindsSaveTheirOwnTypeAsPlainText)
{
    TWText* w = reportWindow(5);
    t.prompts.expectSaveFile(path("faults.txt"));
    EXPECT_TRUE(w->DoSaveText(true));
    EXPECT_EQ(w->lNomF(), path("faults.cor"));
    EXPECT_TRUE(ReadBytes(path("faults.cor")).starts_with("14:05 - Best axis\r\n"));
}

TEST_F(TextWindows, SaveThatChangesNothing)
{
    TWText* w = reportWindow();
    std::ofstream(path("result.txt")) << "keep me";
    t.prompts.expectSaveFile(std::nullopt);
    EXPECT_FALSE(w->DoSaveText(true)) << "dialog cancelled";
    t.prompts.expectSaveFile(path("result.csv"), 0).expectMessage("already exists", Button::No);
    EXPECT_FALSE(w->DoSaveText(true)) << "the written name differs from the one the dialog checked";
    EXPECT_EQ(ReadBytes(path("result.txt")), "keep me");
    EXPECT_EQ(w->title(), "WT n\xB0 1");
    EXPECT_TRUE(w->lNomF().empty());
    EXPECT_TRUE(w->dirty());
}

TEST_F(TextWindows, FailedWriteKeepsNameTitleAndChanges)
{
    TWText* w = reportWindow();
    t.prompts.expectSaveFile(path("no/such/folder/r.txt"), 0)
        .expectMessage("Error writing the file");
    EXPECT_FALSE(w->DoSaveText(true));
    EXPECT_TRUE(w->lNomF().empty());
    EXPECT_EQ(w->title(), "WT n\xB0 1");
    EXPECT_TRUE(w->dirty());
}

// The close question: Cancel keeps the window, No drops the changes, Yes closes only once
// the text is saved.
TEST_F(TextWindows, CloseQuestion)
{
    fs::create_directory(path("sub"));
    const struct {
        Button answer;
        bool fileRemoved; // the window's file can no longer be written
        bool closes;
        const char* savedText;
    } cases[] = {
        {Button::Cancel, false, false, ""},
        {Button::No, false, true, ""},
        {Button::Yes, false, true, "changed"}, // as the file was: no break after its last line
        {Button::Yes, true, false, nullptr},
    };
    for (const auto& c : cases) {
        const std::string file = path("sub/t.txt");
        std::ofstream(file) << "";
        TWText* w = open(file);
        w->appendLine("changed");
        if (c.fileRemoved)
            fs::remove_all(path("sub"));
        t.prompts.expectMessage("Window \"t.txt\" modified and non saved. Save it before closing ?",
                                c.answer);
        if (c.fileRemoved)
            t.prompts.expectMessage("Error writing the file");
        const std::size_t asked = t.prompts.messages().size();
        EXPECT_EQ(w->close(), c.closes) << static_cast<int>(c.answer);
        ASSERT_GT(t.prompts.messages().size(), asked);
        EXPECT_TRUE(t.prompts.messages()[asked].screenCentre) << "centred on the screen";
        EXPECT_EQ(isOpen(w), !c.closes);
        if (c.savedText) {
            EXPECT_EQ(ReadBytes(file), c.savedText);
        }
        if (!c.closes) {
            w->closeWithoutAsking();
            fs::create_directory(path("sub"));
        }
    }
}

TEST_F(TextWindows, QuittingAsksTextWindowsToo)
{
    TWText* w = reportWindow();
    t.prompts.expectMessage("Window \"WT n\xB0 1\" modified", Button::Cancel);
    QCloseEvent event;
    QApplication::sendEvent(form.get(), &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_TRUE(isOpen(w));
}

TEST_F(TextWindows, FifteenWindowsAndTheSixteenthRefused)
{
    std::vector<TWText*> windows;
    for (int k = 1; k <= 15; ++k) {
        TWText* w = NewTextWindow(t.app);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->tag(), 4095 + k);
        EXPECT_EQ(w->title(), "WT n\xB0 " + std::to_string(k));
        windows.push_back(w);
    }
    t.prompts.expectMessage("too many .txt windows are open");
    EXPECT_EQ(NewTextWindow(t.app), nullptr);
    EXPECT_EQ(t.app.registry().count(WindowKind::Text), 15);

    windows[1]->close();
    TWText* again = NewTextWindow(t.app);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->tag(), 4097);
    EXPECT_EQ(again->title(), "WT n\xB0 2");
}

TEST_F(TextWindows, NewWindowIsPlacedBelowTheMainWindowWithTheSavedSize)
{
    t.app.settings().TextW = 333;
    t.app.settings().TextH = 222;
    TWText* first = NewTextWindow(t.app);
    TWText* second = NewTextWindow(t.app, 2, "Codes Infos");
    const QRect main = form->frameGeometry();
    EXPECT_EQ(first->pos(), QPoint(main.left() - 40, main.top() + main.height() - 30));
    EXPECT_EQ(second->pos(), QPoint(main.left() - 20, main.top() + main.height() - 15));
    EXPECT_EQ(first->size(), QSize(333, 222));
    EXPECT_EQ(second->title(), "Codes Infos");
    EXPECT_EQ(second->but(), 2);
    EXPECT_EQ(ActiveWT(t.app), second);
    second->resize(444, 155);
    second->close();
    EXPECT_EQ(t.app.settings().TextW, 444);
    EXPECT_EQ(t.app.settings().TextH, 155);
}

TEST_F(TextWindows, FirstTextWindowListedAndClosedByCloseWText)
{
    TWText* w = NewTextWindow(t.app);
    w->show();
    form->RefreshMenus();
    QStringList listed;
    for (QAction* a : form->menu(Cmd::WindowsMenu)->actions())
        if (a->isChecked())
            listed << a->text();
    EXPECT_EQ(w->tag(), 4096);
    EXPECT_EQ(listed, QStringList{"WT n\u00B0 1"});
    EXPECT_TRUE(form->action(Cmd::WindowsCloseTexts)->isEnabled());
    form->run(Cmd::WindowsCloseTexts);
    EXPECT_EQ(t.app.registry().count(WindowKind::Text), 0);
    EXPECT_FALSE(form->action(Cmd::WindowsCloseTexts)->isEnabled());
    for (QAction* a : form->menu(Cmd::WindowsMenu)->actions())
        EXPECT_NE(a->text(), "WT n\u00B0 1");
}

TEST_F(TextWindows, ClosingTheCurrentWindowMakesTheLastActiveOneCurrent)
{
    TWText* a = NewTextWindow(t.app);
    TWText* b = NewTextWindow(t.app);
    TWText* c = NewTextWindow(t.app);
    for (TWText* w : {a, b, c})
        w->show();
    t.app.activateWindow(*a);
    t.app.activateWindow(*c);
    c->close();
    EXPECT_EQ(ActiveWT(t.app), a);
}

TEST_F(TextWindows, FileMenuFollowsTheCurrentTextWindow)
{
    TWText* w = NewTextWindow(t.app);
    EXPECT_EQ(form->action(Cmd::FileSave)->text(), "Save \"WT n\u00B0 1\"...");
    EXPECT_TRUE(form->action(Cmd::FileSave)->isEnabled());
    EXPECT_FALSE(form->action(Cmd::FileSaveAs)->isEnabled()) << "nothing to save as yet";
    EXPECT_TRUE(form->action(Cmd::FilePrint)->isEnabled());
    w->appendLine("text");
    form->RefreshMenus();
    EXPECT_TRUE(form->action(Cmd::FileSaveAs)->isEnabled());
    EXPECT_TRUE(form->action(Cmd::UtilOpenOther)->isEnabled());
}

TEST_F(TextWindows, FileCommandsOfOtherWindowsStillRun)
{
    int saves = 0;
    form->setHandler(Cmd::FileSave, [&saves] { ++saves; });
    InstallTextCommands(*form, t.app);
    TWText* w = reportWindow();
    t.app.activateMain();
    form->run(Cmd::FileSave);
    EXPECT_EQ(saves, 1) << "not a text window: the earlier handler runs";
    t.app.activateWindow(*w);
    t.prompts.expectSaveFile(std::nullopt);
    form->run(Cmd::FileSave);
    EXPECT_EQ(saves, 1);
}

TEST_F(TextWindows, EditMenuActsOnTheText)
{
    TWText* w = reportWindow();
    w->RichEdit1()->selectAll();
    form->run(Cmd::EditCopy);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("14:05 - Best axis\n"));
    form->run(Cmd::EditCut);
    EXPECT_TRUE(w->RichEdit1()->document()->isEmpty());
    form->run(Cmd::EditUndo);
    EXPECT_EQ(w->document(), Report());
    w->RichEdit1()->moveCursor(QTextCursor::End);
    form->run(Cmd::EditPaste);
    EXPECT_EQ(w->document().paragraphs.size(), 9u);
}

TEST_F(TextWindows, DeleteClosesTheWindowThenRemovesItsFile)
{
    const std::string file = path("gone.txt");
    std::ofstream(file) << "x\r\n";
    TWText* w = open(file);
    t.prompts.expectMessage("Do you really want to delete " + file + " ?", Button::Cancel);
    form->run(Cmd::FileDelete);
    EXPECT_TRUE(fs::exists(file));

    w->appendLine("changed");
    t.prompts.expectMessage("Do you really want to delete", Button::Yes)
        .expectMessage("modified and non saved", Button::Cancel);
    form->run(Cmd::FileDelete);
    EXPECT_TRUE(isOpen(w));
    EXPECT_TRUE(fs::exists(file)) << "the window stayed open: its file stays";

    w->setDirty(false);
    t.prompts.expectMessage("Do you really want to delete", Button::Yes);
    form->run(Cmd::FileDelete);
    EXPECT_FALSE(isOpen(w));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(TextWindows, OpeningAFileThatCannotBeReadMakesNoWindow)
{
    t.prompts.expectOpenFile(path("missing.txt")).expectMessage("Error reading the file");
    form->run(Cmd::UtilOpenOther);
    EXPECT_EQ(t.app.registry().count(WindowKind::Text), 0);
    t.prompts.expectOpenFile(std::nullopt);
    form->run(Cmd::UtilOpenOther);
    EXPECT_EQ(t.prompts.fileQuestions().back().filters[1].first, "Fichiers RTF");
}

TEST_F(TextWindows, PrintsToAPdfFileAndPreviews)
{
    TWText* w = reportWindow();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path("report.pdf")));
    w->Print(printer);
    const std::string pdf = ReadBytes(path("report.pdf"));
    EXPECT_TRUE(pdf.starts_with("%PDF"));
    EXPECT_GT(pdf.size(), 1000u);

    form->run(Cmd::FilePrint);
    auto* preview = w->findChild<QPrintPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    preview->close();
}

// Set PLOQ_SHOTS to a folder to look at a text window holding a report.
TEST_F(TextWindows, Screenshot)
{
    const QString folder = qEnvironmentVariable("PLOQ_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "PLOQ_SHOTS not set";
    TWText* w = NewTextWindow(t.app, 2, "Best axis report");
    WriteReport(*w);
    w->appendLine("");
    w->appendLine("Set 1 (symbol 3, blue)", true, clBlue);
    w->appendLine("  azimuth  plunge", false, kNavy);
    w->appendLine("    123.4    45.6", false, kNavy);
    w->resize(400, 250);
    w->show();
    EXPECT_TRUE(w->grab().save(folder + "/textwindow.png"));
}

} // namespace
} // namespace ploq
