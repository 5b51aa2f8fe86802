#include "app/Main.h"
#include "canvas/DlgEnterFile.h"
#include "canvas/SymbBatchWindow.h"
#include "canvas/TWPlot.h"
#include "datasheet/Fichier.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/TWFichier.h"
#include "support/SheetRows.h"
#include "support/UiApp.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace ploq {
namespace {

struct PlotDialog : ::testing::Test {
    PlotDialog()
    {
        SavePrefsFile(t.app.settings(), t.prefsPath(), 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
    }

    // A sheet in dip/dip-direction and plunge/direction notations.
    TWFichier* openSheet(std::initializer_list<test::RowTexts> rows)
    {
        DataSheet sheet = NewDataSheet(t.app.settings());
        sheet.lFrtS = sheet.lFrtL = 1;
        for (const test::RowTexts& row : rows)
            test::EnterRow(sheet, row);
        return NewSheet(t.app, form.get(), std::move(sheet));
    }
    TWFichier* openLines(int count)
    {
        TWFichier* window = openSheet({});
        DataSheet& sheet = window->sheet();
        for (int i = 1; i <= count; ++i)
            test::EnterRow(sheet, {"L", "10/20", std::to_string(i), "", ""});
        window->sheetChanged();
        return window;
    }
    TDlgEnterFile* openDialog()
    {
        form->run(Cmd::PlotEnterSheet);
        return qobject_cast<TDlgEnterFile*>(t.app.dialog(kDlgEnterFile));
    }
    static std::vector<std::string> numbers(const TWPlot& plot)
    {
        std::vector<std::string> plotted;
        for (int i = 1; i <= plot.model().lNT; ++i)
            plotted.push_back(plot.model().lVal[static_cast<std::size_t>(i)].nu.str());
        return plotted;
    }
    // Windows closed go when the event loop would delete them.
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static std::string panel(const TWPlot& plot)
    {
        return plot.RichEdit1()->toPlainText().toStdString();
    }

    test::UiApp t;
    std::unique_ptr<TForm1> form;
};

TEST_F(PlotDialog, OpensOnlyWithASheetAndOnce)
{
    EXPECT_FALSE(form->action(Cmd::PlotEnterSheet)->isEnabled());
    EXPECT_EQ(OuvrirDlgFichier(*form, t.app), nullptr);
    openLines(3);
    EXPECT_TRUE(form->action(Cmd::PlotEnterSheet)->isEnabled());
    EXPECT_EQ(form->action(Cmd::PlotEnterSheet)->shortcut(), QKeySequence("Ctrl+E"));
    TDlgEnterFile* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Enter (datasheet value)");
    EXPECT_EQ(openDialog(), dialog) << "one instance";
    EXPECT_EQ(dialog->lastLine()->value(), 3);
    EXPECT_EQ(dialog->sheetBox()->currentText(), "Data sheet 1");

    NewWP(t.app, kWPOrdinary);
    EXPECT_TRUE(form->action(Cmd::PlotEnterSheet)->isEnabled())
        << "a canvas is current and a sheet exists";
    EXPECT_EQ(dialog->plotButton()->text(), "Plot on  Canvas 1");
}

// The texts of the controls a window shows: buttons, labels, group boxes and menu items.
QStringList ControlTexts(const QWidget& window)
{
    QStringList texts;
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>())
        texts << b->text();
    for (const QLabel* l : window.findChildren<QLabel*>())
        texts << l->text();
    for (const QGroupBox* g : window.findChildren<QGroupBox*>())
        texts << g->title();
    for (const QMenu* m : window.findChildren<QMenu*>())
        for (const QAction* a : m->actions())
            texts << a->text();
    for (QString& text : texts)
        text = text.remove('&').trimmed();
    return texts;
}

// The help page on plotting names only controls that exist: those of the dialog, of the canvas
// (where poles and traces are chosen) and the main menu's items.
TEST_F(PlotDialog, TheHelpPageNamesTheControlsThatExist)
{
    openLines(3);
    TDlgEnterFile* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    TWPlot* plot = NewWP(t.app, kWPOrdinary);
    ASSERT_NE(plot, nullptr);
    const QStringList controls = ControlTexts(*dialog) + ControlTexts(*plot) + ControlTexts(*form);
    QFile page(":/help/plotting.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QStringList named;
    const QRegularExpression bold("<b>(.*?)</b>", QRegularExpression::DotMatchesEverythingOption);
    for (auto it = bold.globalMatch(html); it.hasNext();) {
        QString text = it.next().captured(1).simplified();
        text.replace("&gt;", ">");
        named << text;
        // A menu path names its last item.
        const QString control = text.section(" > ", -1);
        EXPECT_TRUE(controls.contains(control)) << text.toStdString();
    }
    for (const char* item :
         {"Surfaces -> poles", "Surfaces -> cyclographic", "Surfaces -> cyclo + pole"})
        EXPECT_TRUE(named.contains(item)) << "poles and traces are chosen on the canvas: " << item;
}

// The key, its field and "Identity key - code" reach the selection of rows.
TEST_F(PlotDialog, KeyFieldAndIdentityWiring)
{
    openSheet({{"F", "10/20", "1", "N1", "ok"},
               {"F1", "10/20", "12", "N2", "bad"},
               {"FA", "10/20", "A15", "S1", "ok2"},
               {"LA", "10/20", "4", "N12", ""}});
    struct Case {
        KeyField field;
        const char* key;
        bool identity;
        std::vector<std::string> numbers;
        const char* selection;
    };
    const Case cases[] = {
        {KeyField::Nature, "F", false, {"1", "12", "A15"}, "nat : F - lines 1 to 4"},
        {KeyField::Nature, "F", true, {"1"}, "nat : F/ - lines"},
        {KeyField::Nature, "*A", false, {"A15", "4"}, "nat : *A"},
        {KeyField::Location, "N1", false, {"1", "4"}, "loc : N1"},
        {KeyField::Location, "N1", true, {"1"}, "loc : N1/"},
        {KeyField::Number, "10-20", false, {"12", "A15"}, "num : 10-20"},
        {KeyField::Number, ">=12", false, {"12", "A15"}, "num : >=12"},
        {KeyField::Comment, "ok", false, {"1", "A15"}, "com : ok"},
        {KeyField::Comment, "*********", false, {"1", "12", "A15", "4"}, " (no selection)"},
    };
    for (const Case& c : cases) {
        TDlgEnterFile* dialog = openDialog();
        dialog->newCanvasBox()->setChecked(true);
        dialog->CheckBox1Click();
        EXPECT_EQ(dialog->plotButton()->text(), "Plot on a new canvas");
        dialog->keyFieldButton(c.field)->click();
        dialog->keyBox()->setEditText(QString::fromLatin1(c.key));
        dialog->identityBox()->setChecked(c.identity);
        dialog->Button1Click();
        const TWPlot* plot = ActiveCanvas(t.app);
        ASSERT_NE(plot, nullptr);
        EXPECT_EQ(numbers(*plot), c.numbers) << c.key;
        EXPECT_NE(panel(*plot).find(c.selection), std::string::npos) << panel(*plot);
        flush();
        EXPECT_EQ(t.app.dialog(kDlgEnterFile), nullptr) << "closed after plotting";
        const_cast<TWPlot*>(plot)->close();
        flush();
    }
}

TEST_F(PlotDialog, KeyBoxListsTheCodesOfTheField)
{
    openSheet(
        {{"S0", "10/20", "2", "", ""}, {"L", "10/20", "1", "", ""}, {"S0", "10/20", "3", "", ""}});
    TDlgEnterFile* dialog = openDialog();
    const auto items = [dialog] {
        QStringList list;
        for (int i = 0; i < dialog->keyBox()->count(); ++i)
            list << dialog->keyBox()->itemText(i);
        return list;
    };
    EXPECT_EQ(items(), (QStringList{"*********", "L", "S0"}));
    dialog->keyBox()->setEditText("S");
    dialog->keyFieldButton(KeyField::Number)->click();
    EXPECT_EQ(items(), (QStringList{"*********", "1", "2", "3"}));
    EXPECT_EQ(dialog->keyBox()->currentText(), "*********") << "another field starts unselected";
}

TEST_F(PlotDialog, TheSheetBoxAndTheLineNumbersFollowTheSheets)
{
    TWFichier* first = openLines(4);
    TWFichier* second = openLines(7);
    TDlgEnterFile* dialog = openDialog();
    ASSERT_EQ(dialog->sheetBox()->count(), 2);
    EXPECT_EQ(dialog->sheetBox()->currentIndex(), 1);
    EXPECT_EQ(dialog->lastLine()->value(), 7);

    dialog->ComboBox1Click(0);
    EXPECT_EQ(CurrentSheet(t.app), first) << "the chosen sheet becomes the current one";
    EXPECT_EQ(dialog->lastLine()->maximum(), 4);
    EXPECT_EQ(dialog->lastLine()->value(), 4);

    test::EnterRow(first->sheet(), {"L", "10/20", "5", "", ""});
    first->sheetChanged();
    EXPECT_EQ(dialog->lastLine()->value(), 5) << "still to the last row";
    dialog->lastLine()->setValue(2);
    test::EnterRow(first->sheet(), {"L", "10/20", "6", "", ""});
    first->sheetChanged();
    EXPECT_EQ(dialog->lastLine()->value(), 2) << "a chosen last row stays";
    second->closeWithoutAsking();
    flush();
    EXPECT_EQ(t.app.dialog(kDlgEnterFile), nullptr) << "a closing sheet closes the dialog";
}

TEST_F(PlotDialog, SwappedLineNumbersAndTheReport)
{
    openLines(25);
    TDlgEnterFile* dialog = openDialog();
    dialog->firstLine()->setValue(20);
    dialog->lastLine()->setValue(5);
    dialog->Button1Click();
    const TWPlot* plot = ActiveCanvas(t.app);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->model().lNT, 16);
    EXPECT_EQ(numbers(*plot).front(), "5");
    EXPECT_EQ(panel(*plot), "14:05 - Data sheet 1\n (no selection) - lines 5 to 20 (16 new val.)");
    QTextCursor heading(plot->RichEdit1()->document());
    heading.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(heading.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(plot->Label1()->text(), "N = 16");
    EXPECT_EQ(plot->model().lsy, (std::vector<std::string>{"6.2.no selection"}));
    EXPECT_TRUE(plot->model().lUndoPlot.actif);
}

TEST_F(PlotDialog, LimitQuestionCancelledKeepsTheCanvas)
{
    openLines(30);
    TWPlot* plot = NewWP(t.app, kWPOrdinary);
    InfoVal filler;
    filler.inf = 1;
    for (int i = 0; i < 4990; ++i)
        plot->model().AddRecord(filler);
    plot->model().lNC = 4990;
    TDlgEnterFile* dialog = openDialog();
    EXPECT_EQ(dialog->plotButton()->text(), "Plot on  Canvas 1");
    t.prompts.expectMessage("keep the last plotted point or cancel entry ?", Button::Cancel);
    dialog->Button1Click();
    EXPECT_EQ(ActiveCanvas(t.app), plot) << "no new canvas";
    EXPECT_EQ(plot->model().lNT, 4990);
    EXPECT_EQ(plot->model().lNC, 4990);
    EXPECT_TRUE(plot->RichEdit1()->document()->isEmpty());
}

// The paint events a widget gets, by region.
struct PaintedRegion : QObject {
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
    QRegion painted;
};

// Records plotted onto a canvas that is open already are shown at once, not at its next redraw.
TEST_F(PlotDialog, RecordsPlottedOntoAnOpenCanvasAreShownAtOnce)
{
    openSheet({{"L1", "10/20", "1", "", ""}});
    openDialog()->Button1Click();
    TWPlot* plot = ActiveCanvas(t.app);
    ASSERT_NE(plot, nullptr);
    QWidget* view = reinterpret_cast<QWidget*>(plot->view());
    QCoreApplication::processEvents();
    openSheet({{"L2", "40/200", "2", "", ""}});
    PaintedRegion region;
    view->installEventFilter(&region);
    openDialog()->Button1Click();
    ASSERT_EQ(plot->model().lNT, 2) << "the same canvas";
    QCoreApplication::processEvents();
    const InfoVal& added = plot->model().lVal[2];
    EXPECT_TRUE(region.painted.contains(QPoint(added.p, added.q)))
        << "the canvas image is shown again where the new record was drawn";
}

// A plane with both display bits shows its pole and its trace; with the trace bit only, only its
// trace. The canvas image records what is drawn.
TEST_F(PlotDialog, PlanesAsPolesAndTraces)
{
    openSheet({{"s1", "40/120", "1", "", ""}});
    struct Case {
        std::int32_t stylePlot;
        std::size_t squares;
        std::size_t traces;
    };
    const Case cases[] = {{1 << kInfDrawPole | 1 << kInfDrawTrace, 1, 1},
                          {1 << kInfDrawTrace, 0, 1},
                          {1 << kInfDrawPole, 1, 0}};
    t.app.settings().Sy = 6; // a filled square
    SetBit(t.app.settings().StyleCnvs, kStyleWulff, false);
    for (const Case& c : cases) {
        TWPlot* plot = NewWP(t.app, kWPOrdinary);
        plot->model().lStylePlot = c.stylePlot;
        auto& recording = static_cast<RecordingImage*>(plot->model().image())->recording();
        recording.clear();
        openDialog()->Button1Click();
        EXPECT_EQ(recording.count(Shape::Rectangle), c.squares) << c.stylePlot;
        EXPECT_EQ(recording.count(Shape::Polyline), c.traces) << c.stylePlot;
        plot->close();
        flush();
    }
}

TEST_F(PlotDialog, SymbolColourAndTadpole)
{
    openLines(2);
    TDlgEnterFile* dialog = openDialog();
    dialog->Image2MouseDown(3 + 4 * 12 + 5);
    EXPECT_EQ(t.app.settings().Couleur, 4);
    dialog->tadpoleBox()->click();
    form->symbolMenu()->actions()[8]->trigger();
    EXPECT_EQ(t.app.settings().Sy, -9) << "the menu's symbol, as a tadpole";
    dialog->FormActivate();
    EXPECT_TRUE(dialog->tadpoleBox()->isChecked());
    dialog->Button1Click();
    const InfoVal& record = ActiveCanvas(t.app)->model().lVal[1];
    EXPECT_EQ(record.sy, -9);
    EXPECT_EQ(record.nco, 4);
}

TEST_F(PlotDialog, BatchSymbolsAndTheirLegend)
{
    test::TempDir dir;
    const BatchEntry entries[] = {{"S", 3, 1}, {"L", 10, 5}};
    const std::string path = (dir.path() / "codes.pqb").string();
    ASSERT_FALSE(SaveBatchFile(path, entries));
    openSheet(
        {{"L", "10/20", "1", "", ""}, {"S0", "10/20", "2", "", ""}, {"F", "10/20", "3", "", ""}});
    TDlgEnterFile* dialog = openDialog();
    EXPECT_FALSE(dialog->batchChoice()->isEnabled());
    EXPECT_EQ(dialog->batchChoice()->text(), "symbols file");

    t.app.settings().NomFBatch = path;
    dialog->FormActivate();
    EXPECT_EQ(dialog->batchChoice()->text(), "use \"codes\"");
    dialog->batchChoice()->click();
    EXPECT_FALSE(dialog->keyBox()->isEnabled()) << "the batch goes by nature";
    EXPECT_TRUE(TestBit(t.app.settings().StyleGene, kGenePlotBatch));

    dialog->Button2Click();
    auto* legend = qobject_cast<TSymbBatch*>(t.app.dialog(kWinSymbBatch));
    ASSERT_NE(legend, nullptr);
    EXPECT_EQ(legend->table().NbBatch(), 2);
    EXPECT_EQ(dialog->symbolsButton()->text(), "OK");
    dialog->Button2Click();
    EXPECT_EQ(dialog->symbolsButton()->text(), "Set of symbols");

    dialog->keepOnBox()->click();
    dialog->Button1Click();
    const TWPlot* plot = ActiveCanvas(t.app);
    EXPECT_EQ(numbers(*plot), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(plot->model().lVal[2].sy, 3);
    EXPECT_NE(panel(*plot).find("lines 1 to 3, symbols \"codes\" (2 new val.)"), std::string::npos);
    EXPECT_EQ(t.app.dialog(kDlgEnterFile), dialog) << "kept on";
}

TEST_F(PlotDialog, ClosingKeepsTheChoicesInTheSettings)
{
    openLines(2);
    std::int32_t& gene = t.app.settings().StyleGene;
    SetBit(gene, kGenePlotTall, false);
    TDlgEnterFile* dialog = openDialog();
    EXPECT_FALSE(dialog->unfolded());
    const int folded = dialog->height();
    dialog->foldMark()->click();
    EXPECT_TRUE(dialog->unfolded());
    EXPECT_GT(dialog->height(), folded);
    dialog->keepOnBox()->click();
    dialog->close();
    flush();
    EXPECT_TRUE(TestBit(gene, kGenePlotTall));
    EXPECT_TRUE(TestBit(gene, kGenePlotKeepOn));
    EXPECT_TRUE(TestBit(gene, kGenePlotStandard));
    EXPECT_TRUE(openDialog()->unfolded());
}

TEST_F(PlotDialog, CanvasRecordsIntoANewSheet)
{
    openLines(3);
    openDialog()->Button1Click();
    TWPlot* plot = ActiveCanvas(t.app);
    plot->model().lVal[2].inf &= ~1; // hidden
    t.app.activateWindow(*plot);
    EXPECT_EQ(form->action(Cmd::FileSaveAs)->text(),
              "Save measurements in canvas \" Canvas 1\"...");
    ASSERT_TRUE(form->action(Cmd::FileSaveAs)->isEnabled());

    const std::string path = (t.dir_.path() / "kept.plq").string();
    t.prompts.expectSaveFile(path);
    form->run(Cmd::FileSaveAs);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 3 * kPlqRecordSize);
    TWFichier* saved = CurrentSheet(t.app);
    EXPECT_FALSE(saved->sheet().lDirty);
    EXPECT_EQ(saved->sheet().field(2, Field::Number), "3");

    plot->DoPUMenuStyleCnvs(14); // "List plotted values"
    TWFichier* listed = CurrentSheet(t.app);
    ASSERT_NE(listed, saved);
    EXPECT_EQ(listed->sheet().rowCount(), 2);
    EXPECT_TRUE(listed->sheet().lDirty);
}

} // namespace
} // namespace ploq
