// ploq-cli and the windows on the same sheets and choices: the sheet window's texts, its
// notation menu, the plotting dialog's canvas saved as a picture, pixel for pixel, Trackdip's
// windows, canvas picture and sheet of rotation axes, the fault exports' windows and files, the
// fault views and histograms with their pictures, and the selection of faults' sheet.

#include "app/Main.h"
#include "canvas/DlgTailleCnvs.h"
#include "canvas/TWPlot.h"
#include "canvas/TWPlotCommands.h"
#include "canvas/TWPlotOutput.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWFichierCommands.h"
#include "datasheet/TWText.h"
#include "faults/DlgEnterFaults.h"
#include "faults/DlgTriPitch.h"
#include "faults/FaultDisplayCommands.h"
#include "faults/FaultExportCommands.h"
#include "model/UtilGlob.h"
#include "platform/QtText.h"
#include "stats2d/Stats2D.h"
#include "stats3d/TrackdipCommands.h"
#include "stats3d/UtilTrackDip.h"
#include "support/PlotUi.h"
#include "support/UiApp.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTextEdit>

#include <gtest/gtest.h>

#include "CliRun.h"

namespace ploq {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kExamples = {"cross-bedding.plq", "faults.plq", "folded-area.plq"};

QString q(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

struct CliAgainstWindows : ::testing::Test {
    CliAgainstWindows() { form = std::make_unique<TForm1>(t.app, ScreenMetrics{}); }

    // What the sheet window shows of its rows: the row number, then the cells of each column.
    static std::vector<std::string> gridLines(const TWFichier& sheet)
    {
        const QAbstractItemModel* grid = sheet.grid()->model();
        std::vector<std::string> lines;
        for (int row = 0; row < grid->rowCount(); ++row) {
            QString line = grid->headerData(row, Qt::Vertical).toString();
            for (int column = 0; column < grid->columnCount(); ++column)
                line += '\t' + grid->data(grid->index(row, column)).toString();
            lines.push_back(line.toStdString());
        }
        return lines;
    }

    // The last lines of a panel (all of them without a count).
    static std::vector<std::string> tail(const QTextEdit& panel, std::size_t count = SIZE_MAX)
    {
        const QStringList all = panel.toPlainText().split('\n');
        std::vector<std::string> lines;
        const qsizetype first = count >= static_cast<std::size_t>(all.size())
                                    ? 0
                                    : all.size() - static_cast<qsizetype>(count);
        for (qsizetype i = first; i < all.size(); ++i)
            lines.push_back(all[i].toStdString());
        return lines;
    }
    std::vector<std::string> panelTail(std::size_t count) const
    {
        return tail(*form->RichEdit1(), count);
    }

    test::CliOutcome cli(const QStringList& arguments)
    {
        return test::RunCli(arguments, t.dir.path());
    }

    test::PixelApp t;
    std::unique_ptr<TForm1> form;
};

TEST_F(CliAgainstWindows, InfoShowsTheExamplesAsTheirSheetWindows)
{
    for (const std::string& name : kExamples) {
        const std::string path = std::string(PLOQ_EXAMPLES) + "/" + name;
        TWFichier* sheet = LoadSheet(*form, t.app, path);
        ASSERT_NE(sheet, nullptr) << name;
        std::vector<std::string> expected = panelTail(2);
        for (const std::string& line : gridLines(*sheet))
            expected.push_back(line);
        const test::CliOutcome r = cli({"info", QString::fromStdString(path)});
        ASSERT_EQ(r.status, 0) << r.err;
        // The panel's degree signs are shown as Unicode; the tool writes UTF-8.
        EXPECT_EQ(r.lines(), expected) << name;
        sheet->close();
    }
}

TEST_F(CliAgainstWindows, ConvertWritesTheNotationMenusTexts)
{
    struct Case {
        int planeItem; // notation menu items: planes 0..4, lines 6..8
        int lineItem;
        bool decimals;
    };
    for (const Case c : {Case{1, 8, true}, Case{4, 7, false}, Case{3, 6, true}}) {
        for (const std::string& name : kExamples) {
            const std::string path = std::string(PLOQ_EXAMPLES) + "/" + name;
            TWFichier* sheet = LoadSheet(*form, t.app, path);
            ASSERT_NE(sheet, nullptr);
            const bool decimalsBefore = sheet->sheet().lShowDeci;
            sheet->NotationItemClick(c.planeItem);
            sheet->NotationItemClick(c.lineItem);
            if (sheet->sheet().lShowDeci != c.decimals)
                sheet->ButtonDeciClick();
            QStringList arguments = {"convert",         QString::fromStdString(path),
                                     "--notation",      QString::number(c.planeItem),
                                     "--line-notation", QString::number(c.lineItem - 6)};
            if (c.decimals)
                arguments << "--deci";
            const test::CliOutcome r = cli(arguments);
            ASSERT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.lines(), gridLines(*sheet))
                << name << " " << c.planeItem << " " << decimalsBefore;
            // The window's choices are not carried over to the next load.
            sheet->NotationItemClick(0);
            sheet->NotationItemClick(6);
            sheet->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

// The plotting dialog's canvas saved by File > Save and ploq-cli plot with the same choices,
// run in the folder of the application's preference file.
TEST_F(CliAgainstWindows, PlotMakesTheSavedPicturePixelForPixel)
{
    const fs::path input = t.dir.path() / "mixed.plq";
    std::vector<test::StoredRow> rows;
    for (int i = 0; i < 30; ++i)
        rows.push_back({i % 3 == 0 ? "L1" : "S1", 12.0 * i, 5.0 + 2.5 * i});
    rows.push_back({"S2", 100, 40});
    test::WriteSheetFile(input, rows);
    struct Case {
        bool wulff;
        bool traces;
        bool framed;
        const char* name;
    };
    const double pixMM = t.app.settings().PixMM;
    const int diameter = 100;
    const int radius = RadiusForDiameter(diameter, pixMM);
    for (const Case c :
         {Case{false, false, false, "schmidt-poles"}, Case{true, true, false, "wulff-traces"},
          Case{false, true, true, "schmidt-framed"}}) {
        VarGlob& s = t.app.settings();
        SetBit(s.StyleCnvs, kStyleWulff, c.wulff);
        SetBit(s.StylePlot, kPlotTraces, c.traces);
        SetBit(s.StylePlot, kPlotPoles, !c.traces);
        ASSERT_NE(LoadSheet(*form, t.app, input.string()), nullptr);
        TWPlot* plot =
            test::PlotThroughDialog(*form, t.app, "S1", 9, 4, true, KeyField::Nature, radius);
        ASSERT_NE(plot, nullptr);
        const fs::path gui = t.dir.path() / (std::string(c.name) + "-gui.png");
        t.prompts.expectNumber("Canvas diameter (mm)", diameter, c.framed ? 1 : 0);
        t.prompts.expectSaveFile(gui.string(), 2);
        ASSERT_TRUE(SauverImageWP(*plot));

        const fs::path shell = t.dir.path() / (std::string(c.name) + "-cli.png");
        QStringList arguments = {"plot",
                                 q(input),
                                 "--key",
                                 "S1",
                                 "--identity",
                                 "--symbol",
                                 "9",
                                 "--colour",
                                 "4",
                                 "--radius",
                                 QString::number(radius),
                                 "--net",
                                 c.wulff ? "wulff" : "schmidt",
                                 c.traces ? "--traces" : "--poles",
                                 "-o",
                                 q(shell)};
        if (!c.framed)
            arguments << "--bare";
        const test::CliOutcome r = cli(arguments);
        ASSERT_EQ(r.status, 0) << r.err;
        const QImage fromGui(q(gui));
        const QImage fromCli(q(shell));
        ASSERT_FALSE(fromGui.isNull());
        ASSERT_EQ(fromCli.size(), fromGui.size()) << c.name;
        EXPECT_TRUE(fromCli == fromGui) << c.name;
        std::error_code ignored;
        fs::create_directories(PLOQ_PICTURES, ignored);
        fs::copy_file(shell, fs::path(PLOQ_PICTURES) / shell.filename(),
                      fs::copy_options::overwrite_existing, ignored);
        plot->close();
        for (TWFichier* sheet : OpenSheets(t.app))
            sheet->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Trackdip on the borehole example from the menu and from the shell: the canvas's panel (but
// its time), the two listing windows under their titles and the main panel's lines; the
// canvas saved as a PNG; the sheet of rotation axes the command opens with option bit 7.
TEST_F(CliAgainstWindows, TrackdipPrintsItsWindowsAndMakesItsPictureAndAxesSheet)
{
    const std::string path = std::string(PLOQ_EXAMPLES) + "/borehole.plq";
    SetBit(t.app.settings().OptS3Dadd, kS3DaddListRotAxes, true);
    ASSERT_NE(LoadSheet(*form, t.app, path), nullptr);
    const std::size_t panelBefore = tail(*form->RichEdit1()).size();
    TWPlot* plot = Trackdip(t.app);
    ASSERT_NE(plot, nullptr);
    std::vector<TWText*> texts;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* text = dynamic_cast<TWText*>(w); text && text->isVisible())
            texts.push_back(text);
    ASSERT_EQ(texts.size(), 2U);
    std::sort(texts.begin(), texts.end(),
              [](TWText* a, TWText* b) { return a->slot() < b->slot(); });

    std::vector<std::string> expected = tail(*plot->RichEdit1());
    for (const TWText* text : texts) {
        expected.push_back(toQString(text->title()).toStdString());
        for (const std::string& line : tail(*text->RichEdit1()))
            expected.push_back(line);
        expected.emplace_back();
    }
    const std::size_t panelAfter = tail(*form->RichEdit1()).size();
    for (const std::string& line : panelTail(panelAfter - panelBefore))
        expected.push_back(line);

    const fs::path axes = t.dir.path() / "axes.plq";
    const fs::path shell = t.dir.path() / "trackdip-cli.png";
    const double pixMM = t.app.settings().PixMM;
    const int diameter = 120;
    const int radius = RadiusForDiameter(diameter, pixMM);
    const test::CliOutcome r = cli({"trackdip", QString::fromStdString(path), "--axes", q(axes),
                                    "-o", q(shell), "--radius", QString::number(radius), "--bare"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> printed;
    for (const QString& line : QString::fromStdString(r.out).split('\n'))
        printed.push_back(line.toStdString());
    printed.pop_back(); // after the last line's end
    ASSERT_EQ(printed.size(), expected.size());
    // The heading's time is the clock's: the application's is fixed. The tool writes UTF-8.
    EXPECT_EQ(printed[0].substr(5), expected[0].substr(5));
    EXPECT_EQ(std::vector(printed.begin() + 1, printed.end()),
              std::vector(expected.begin() + 1, expected.end()));

    const fs::path gui = t.dir.path() / "trackdip-gui.png";
    t.prompts.expectNumber("Canvas diameter (mm)", diameter, 0);
    t.prompts.expectSaveFile(gui.string(), 2);
    ASSERT_TRUE(SauverImageWP(*plot));
    const QImage fromGui(q(gui));
    const QImage fromCli(q(shell));
    ASSERT_FALSE(fromGui.isNull());
    ASSERT_EQ(fromCli.size(), fromGui.size());
    EXPECT_TRUE(fromCli == fromGui);

    // The sheet the command opens, saved from its window, reads back as the tool's file (the
    // file's fields keep nine characters of the window's).
    TWFichier* axesWindow = CurrentSheet(t.app);
    ASSERT_NE(axesWindow, nullptr);
    ASSERT_EQ(axesWindow->title(), " rotation axis" + plot->title());
    const std::size_t axesRows = gridLines(*axesWindow).size();
    ASSERT_GT(axesRows, 1U);
    const fs::path guiAxes = t.dir.path() / "axes-gui.plq";
    t.prompts.expectSaveFile(guiAxes.string());
    ASSERT_TRUE(axesWindow->SaveSheet(true));
    const test::CliOutcome fromShell = cli({"convert", q(axes), "--deci"});
    const test::CliOutcome fromWindow = cli({"convert", q(guiAxes), "--deci"});
    ASSERT_EQ(fromShell.status, 0) << fromShell.err;
    EXPECT_EQ(fromShell.lines().size(), axesRows);
    EXPECT_EQ(fromShell.lines(), fromWindow.lines());
}

// The fault example exported from the menu and from the shell: each window's text, and the
// files the window and the tool save.
TEST_F(CliAgainstWindows, FaultsExportPrintsEachWindowAndSavesItsFile)
{
    const std::string path = std::string(PLOQ_EXAMPLES) + "/faults.plq";
    TWFichier* sheet = LoadSheet(*form, t.app, path);
    ASSERT_NE(sheet, nullptr);
    struct Layout {
        FaultLayout layout;
        QString format;
        const char* extension; // of the file type the save dialog shows first
    };
    const Layout layouts[] = {{FaultLayout::StressThV, "stress", ".dat"},
                              {FaultLayout::Tektonic, "tektonic", ".cor"},
                              {FaultLayout::Yamaji, "yamaji", ".fdt"}};
    for (const auto& [layout, format, extension] : layouts) {
        SCOPED_TRACE(format.toStdString());
        TWText* text = ExportFaults(t.app, layout);
        ASSERT_NE(text, nullptr);
        const test::CliOutcome r =
            cli({"faults-export", QString::fromStdString(path), "--format", format});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, text->RichEdit1()->toPlainText().toStdString() + "\n");
        EXPECT_EQ(r.lines().size(), layout == FaultLayout::Tektonic ? 50U : 40U);

        const fs::path fromWindow = t.dir.path() / ("window-" + format.toStdString());
        t.prompts.expectSaveFile(fromWindow.string());
        ASSERT_TRUE(text->DoSaveText(true));
        const fs::path fromShell = t.dir.path() / ("shell." + format.toStdString());
        ASSERT_EQ(cli({"faults-export", QString::fromStdString(path), "--format", format, "-o",
                       q(fromShell)})
                      .status,
                  0);
        std::ifstream window(fromWindow.string() + extension, std::ios::binary);
        std::ifstream shell(fromShell, std::ios::binary);
        ASSERT_TRUE(window && shell);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(shell), {}),
                  std::string(std::istreambuf_iterator<char>(window), {}));
    }
}

// The fault example plotted through the dialog, in the folder of the application's preference
// file (saved once the dialog's choices are made); the canvas the fault tools then take.
TWPlot* plotFaultExample(test::PixelApp& t, TForm1& form, int radius)
{
    const std::string path = std::string(PLOQ_EXAMPLES) + "/faults.plq";
    if (!LoadSheet(form, t.app, path))
        return nullptr;
    t.app.settings().Rc = radius;
    TWPlot* source = test::PlotThroughDialog(form, t.app, "", 3, 2, true, KeyField::Nature, radius);
    SavePrefsFile(t.app.settings(), t.dir.path() / std::string(kPrefFileName), 0);
    return source;
}

// A canvas saved as File > Save saves it, unframed.
QImage savedPicture(test::PixelApp& t, TWPlot& plot, int diameter, const fs::path& path)
{
    t.prompts.expectNumber("Canvas diameter (mm)", diameter, 0);
    t.prompts.expectSaveFile(path.string(), 2);
    EXPECT_TRUE(SauverImageWP(plot));
    return QImage(q(path));
}

TEST_F(CliAgainstWindows, FaultViewsAndHistogramsAsTheirWindowsAndPictures)
{
    const std::string path = std::string(PLOQ_EXAMPLES) + "/faults.plq";
    const int diameter = 100;
    const int radius = RadiusForDiameter(diameter, t.app.settings().PixMM);
    TWPlot* source = plotFaultExample(t, *form, radius);
    ASSERT_NE(source, nullptr);

    struct View {
        int natWP;
        QString name;
    };
    for (const View& v : {View{kWPStriaeRakes, "rakes"}, View{kWPHangingWall, "hanging-wall"}}) {
        SCOPED_TRACE(v.name.toStdString());
        TWPlot* view = FaultView(t.app, v.natWP);
        ASSERT_NE(view, nullptr);
        const fs::path shell = t.dir.path() / ("view-" + v.name.toStdString() + "-cli.png");
        const test::CliOutcome r = cli({"faults-view", QString::fromStdString(path), "--view",
                                        v.name, "-o", q(shell), "--bare"});
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_GE(r.lines().size(), 2U);
        EXPECT_EQ(r.lines()[0], view->title());
        EXPECT_EQ(r.lines()[1], fromQString(view->Label1()->text()));
        // The window's records carry what the tool reports of each pair.
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(
            cli({"faults-view", QString::fromStdString(path), "--view", v.name, "--json"}).out));
        const QJsonArray movements = doc.object()["movements"].toArray();
        ASSERT_EQ(movements.size(), 40);
        const CanvasModel& m = view->model();
        for (const QJsonValue value : movements) {
            const QJsonObject pair = value.toObject();
            const auto first = static_cast<std::size_t>(pair["record"].toInt());
            if (v.natWP == kWPHangingWall)
                EXPECT_EQ(m.lVal[first + 1].aux, pair["arrow"].toInt()) << first;
            else
                EXPECT_EQ(m.lVal[first + 1].sy, pair["symbol"].toInt()) << first;
        }
        const QImage fromGui =
            savedPicture(t, *view, diameter, t.dir.path() / ("view-" + v.name.toStdString()));
        const QImage fromCli(q(shell));
        ASSERT_FALSE(fromGui.isNull());
        ASSERT_EQ(fromCli.size(), fromGui.size());
        EXPECT_TRUE(fromCli == fromGui);
        std::error_code ignored;
        fs::create_directories(PLOQ_PICTURES, ignored);
        fs::copy_file(shell,
                      fs::path(PLOQ_PICTURES) / ("cli-faults-" + v.name.toStdString() + ".png"),
                      fs::copy_options::overwrite_existing, ignored);
        view->close();
        source->activateWindow();
        t.app.activateWindow(*source);
    }

    struct Histogram {
        int type;
        QString angle;
    };
    for (const Histogram& h :
         {Histogram{kDiagramFaultStrikes, "strike"}, Histogram{kDiagramFaultDips, "dip"},
          Histogram{kDiagramFaultRakes, "rake"}}) {
        SCOPED_TRACE(h.angle.toStdString());
        TWPlot* diagram = FaultHistogramWindow(t.app, h.type);
        ASSERT_NE(diagram, nullptr);
        ListPlottedValues(*diagram);
        auto* listing = dynamic_cast<TWText*>(t.app.registry().current(WindowKind::Text));
        ASSERT_NE(listing, nullptr);
        std::vector<std::string> expected{toQString(listing->title()).toStdString()};
        for (const std::string& line : tail(*listing->RichEdit1()))
            expected.push_back(line);
        const fs::path shell = t.dir.path() / ("histogram-" + h.angle.toStdString() + "-cli.png");
        const test::CliOutcome r = cli({"faults-histogram", QString::fromStdString(path), "--angle",
                                        h.angle, "-o", q(shell), "--bare"});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> printed = r.lines();
        ASSERT_EQ(printed.size(), expected.size());
        // The time is the clock's: the application's is fixed.
        EXPECT_EQ(printed[0], expected[0]);
        EXPECT_EQ(std::vector(printed.begin() + 2, printed.end()),
                  std::vector(expected.begin() + 2, expected.end()));
        const QImage fromGui = savedPicture(t, *diagram, diameter,
                                            t.dir.path() / ("histogram-" + h.angle.toStdString()));
        const QImage fromCli(q(shell));
        ASSERT_FALSE(fromGui.isNull());
        ASSERT_EQ(fromCli.size(), fromGui.size());
        EXPECT_TRUE(fromCli == fromGui);
        std::error_code ignored;
        fs::copy_file(shell,
                      fs::path(PLOQ_PICTURES) / ("cli-faults-" + h.angle.toStdString() + ".png"),
                      fs::copy_options::overwrite_existing, ignored);
        listing->close();
        diagram->close();
        source->activateWindow();
        t.app.activateWindow(*source);
    }
}

// The dialog's new sheet saved from its window, and the tool's sheet, read back alike.
TEST_F(CliAgainstWindows, FaultSelectionWritesTheDialogsSheet)
{
    const std::string path = std::string(PLOQ_EXAMPLES) + "/faults.plq";
    TWFichier* sheet = LoadSheet(*form, t.app, path);
    ASSERT_NE(sheet, nullptr);
    struct Case {
        UsualFault kind;
        QString usual;
    };
    for (const Case& c :
         {Case{UsualFault::Normal, "normal"}, Case{UsualFault::StrikeSlip, "strike-slip"},
          Case{UsualFault::Reverse, "reverse"}}) {
        SCOPED_TRACE(c.usual.toStdString());
        TDlgTriPitch* dialog = OuvrirDlgTriPitch(*form, t.app, *sheet);
        ASSERT_NE(dialog, nullptr);
        dialog->usualButton(c.kind)->click();
        dialog->selectButton()->click();
        TWFichier* made = CurrentSheet(t.app);
        ASSERT_NE(made, sheet);
        const fs::path fromWindow = t.dir.path() / ("window-" + c.usual.toStdString() + ".plq");
        t.prompts.expectSaveFile(fromWindow.string());
        ASSERT_TRUE(made->SaveSheet(true));
        const fs::path fromShell = t.dir.path() / ("shell-" + c.usual.toStdString() + ".plq");
        const test::CliOutcome r = cli({"faults-select", QString::fromStdString(path), "--usual",
                                        c.usual, "-o", q(fromShell)});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.lines()[0], "Striae pitch : " + FormatFixed(dialog->ranges().pitch.from, 1)
                                    + " - " + FormatFixed(dialog->ranges().pitch.to, 1)
                                    + ", fault dip : " + FormatFixed(dialog->ranges().dip.from, 1)
                                    + " - " + FormatFixed(dialog->ranges().dip.to, 1));
        const test::CliOutcome shell = cli({"convert", q(fromShell), "--deci"});
        const test::CliOutcome window = cli({"convert", q(fromWindow), "--deci"});
        ASSERT_EQ(shell.status, 0) << shell.err;
        EXPECT_EQ(shell.lines().size(), gridLines(*made).size());
        EXPECT_EQ(shell.lines(), window.lines());
        EXPECT_EQ(2 * (r.lines().size() - 2), gridLines(*made).size());
        made->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A pair added by the fault dialog with the choices it remembers, and by the tool with the
// same preference file: the rows the sheet window shows, the F-S label, the files saved.
TEST_F(CliAgainstWindows, FaultsEnterAddsThePairTheDialogAdds)
{
    VarGlob& s = t.app.settings();
    s.FrtS = 1; // dip/dip direction
    s.FrtL = 1; // plunge/direction
    s.OptFltCodes = "XYZ600";
    SetBit(s.StyleFlt, kFltChronoCode, true);
    SetBit(s.StyleFlt, kFltStriaeL, false);
    SavePrefsFile(s, t.dir.path() / std::string(kPrefFileName), 0);
    form->run(Cmd::FaultsSheet);
    auto* dialog = qobject_cast<TDlgEnterFaults*>(t.app.dialog(kDlgEnterFaults));
    ASSERT_NE(dialog, nullptr);
    dialog->numberBox()->setText("5");
    dialog->faultBox()->setText("60/120");
    dialog->striaeBox()->setText("57/121");
    dialog->senseButton(Sense::Reverse)->setChecked(true);
    dialog->chronologyBox()->setValue(3);
    dialog->locationBox()->setText("Quarry");
    dialog->faultCommentBox()->setText("gouge");
    dialog->ButtonAddClick();
    TWFichier* sheet = CurrentSheet(t.app);
    ASSERT_NE(sheet, nullptr);
    const std::vector<std::string> shown = gridLines(*sheet);
    ASSERT_EQ(shown.size(), 2U);

    const fs::path fromShell = t.dir.path() / "shell.plq";
    const test::CliOutcome r = cli({"faults-enter", "-o", q(fromShell), "--fault", "60/120",
                                    "--striae", "57/121", "--sense", "reverse", "--chronology", "3",
                                    "--number", "5", "--location", "Quarry", "--comment", "gouge"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> printed = r.lines();
    ASSERT_EQ(printed.size(), 3U);
    EXPECT_EQ(std::vector(printed.begin(), printed.begin() + 2), shown);
    EXPECT_EQ(printed[2], dialog->fsLabel()->text().toStdString());
    // The remembered letters and confidence are in the codes.
    EXPECT_EQ(sheet->sheet().field(1, Field::Nature), "FRY3");

    const fs::path fromWindow = t.dir.path() / "window.plq";
    t.prompts.expectSaveFile(fromWindow.string());
    ASSERT_TRUE(sheet->SaveSheet(true));
    const test::CliOutcome shell = cli({"convert", q(fromShell), "--deci"});
    const test::CliOutcome window = cli({"convert", q(fromWindow), "--deci"});
    ASSERT_EQ(shell.status, 0) << shell.err;
    EXPECT_EQ(shell.lines().size(), 2U);
    EXPECT_EQ(shell.lines(), window.lines());
}

} // namespace
} // namespace ploq
