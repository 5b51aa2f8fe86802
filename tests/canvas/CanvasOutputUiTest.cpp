#include "app/Application.h"
#include "app/Main.h"
#include "canvas/DlgTailleCnvs.h"
#include "canvas/QtDessinToFile.h"
#include "canvas/TWPlot.h"
#include "canvas/TWPlotOutput.h"
#include "canvas/UtilPlot.h"
#include "platform/QtPrompts.h"
#include "platform/QtSurface.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include "PicturesUi.h"
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <random>
#include <stdexcept>

namespace ploq {
namespace {

namespace fs = std::filesystem;
using test::SavePicture;

constexpr TColor kRed = 255;       // Tco[2] (0x0000FF)

// An application whose canvases draw real images, as on screen.
struct QtApp {
    test::TempDir dir;
    test::CurrentDir inside{dir.path()};
    test::ScriptedPrompts prompts;
    FixedClock clock{toDayCount({2026, 12, 9, 14, 5, 0})};
    QtImageFactory images;
    Application app{prompts, clock, images, dir.path() / kPrefFileName};
};

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs a tool of the test machine and gives what it wrote.
QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

// The first page of a PDF rendered at a resolution.
QImage renderPdf(const fs::path& pdf, double dpi)
{
    const QString stem = QString::fromStdString((pdf.parent_path() / "page").string());
    run("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", "1", "-l", "1", "-singlefile",
                     QString::fromStdString(pdf.string()), stem});
    return QImage(stem + ".png");
}

TColor pixelAt(const QImage& image, double x, double y)
{
    const QColor c =
        image.pixelColor(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    return rgb(c.red(), c.green(), c.blue());
}

// What an SVG picture holds: its size, its ellipses, and how many drawn outlines (paths,
// polylines, polygons) each stroke colour has.
struct SvgPicture {
    QString viewBox;
    QString width;
    QString height;
    struct Ellipse {
        double cx, cy, rx, ry;
    };
    std::vector<Ellipse> ellipses;
    std::map<QString, int> outlines;
};

SvgPicture parseSvg(const QByteArray& bytes)
{
    SvgPicture svg;
    QXmlStreamReader xml(bytes);
    std::vector<QString> strokes{QStringLiteral("none")};
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"g")
            strokes.pop_back();
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const auto number = [&a](const char* name) { return a.value(name).toDouble(); };
        if (xml.name() == u"svg") {
            svg.viewBox = a.value("viewBox").toString();
            svg.width = a.value("width").toString();
            svg.height = a.value("height").toString();
        } else if (xml.name() == u"g") {
            strokes.push_back(a.hasAttribute("stroke") ? a.value("stroke").toString()
                                                       : strokes.back());
        } else if (xml.name() == u"ellipse") {
            svg.ellipses.push_back({number("cx"), number("cy"), number("rx"), number("ry")});
        } else if (xml.name() == u"circle") {
            svg.ellipses.push_back({number("cx"), number("cy"), number("r"), number("r")});
        } else if (xml.name() == u"path" || xml.name() == u"polyline" || xml.name() == u"polygon") {
            ++svg.outlines[strokes.back()];
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return svg;
}

struct CanvasOutput : ::testing::Test {
    CanvasOutput()
    {
        SavePrefsFile(t.app.settings(), t.dir.path() / kPrefFileName, 0);
        form = std::make_unique<TForm1>(t.app, ScreenMetrics{});
    }

    // A canvas of `planes` planes as their traces in blue and three lines as red filled
    // squares (symbol 6), on the net asked for.
    TWPlot* plotted(bool wulff, int planes = 20)
    {
        SetBit(t.app.settings().StyleCnvs, kStyleWulff, wulff);
        t.app.settings().StylePlot = 1 << kInfDrawTrace;
        TWPlot* plot = NewWP(t.app, kWPOrdinary);
        CanvasModel& m = plot->model();
        std::mt19937 random(5);
        std::uniform_real_distribution<double> trend(0, 2 * std::numbers::pi);
        std::uniform_real_distribution<double> plunge(0.1, 1.4);
        for (int i = 0; i < planes; ++i) {
            InfoVal v;
            v.na = "S0";
            v.azi = trend(random);
            v.pen = plunge(random);
            AjoutVal(m, v, 9, 1);
        }
        for (const Direction d : lines) {
            InfoVal v;
            v.na = "L1";
            v.azi = d.trend;
            v.pen = d.plunge;
            AjoutVal(m, v, 6, 2);
        }
        m.lsy = {"6.2.L1", "9.1.S0"};
        plot->NettoyerWP();
        return plot;
    }

    // Where a direction lies in a picture of a layout drawn at `scale` picture pixels per pixel.
    static QPointF at(const PictureLayout& layout, const CanvasModel& m, Direction d, double scale)
    {
        const OutputPlacement& p = layout.placement;
        const Point px = DirToPixel(d, Net::FromStyle(p.xc, p.yc, p.radius, m.lStyleCnvs));
        // The centre of the pixel, where a symbol drawn around it is sure to be.
        return {(px.x + 0.0) * scale, (px.y + 0.0) * scale};
    }

    std::string save(TWPlot& plot, int diameter, int filter, const std::string& name,
                     bool framed = false)
    {
        const fs::path path = t.dir.path() / name;
        t.prompts.expectNumber("Canvas diameter (mm)", diameter, framed ? 1 : 0);
        t.prompts.expectSaveFile(path.string(), filter);
        EXPECT_TRUE(SauverImageWP(plot));
        std::error_code ignored;
        fs::copy_file(path, fs::path(PLOQ_PICTURES) / name, fs::copy_options::overwrite_existing,
                      ignored);
        return path.string();
    }

    QtApp t;
    std::unique_ptr<TForm1> form;
    const std::vector<Direction> lines = {{0.3, 0.5}, {2.5, 1.0}, {4.4, 0.2}};
};

TEST_F(CanvasOutput, SvgHoldsThePictureAtTheChosenSizeOneElementPerTrace)
{
    for (const bool wulff : {false, true}) {
        TWPlot* plot = plotted(wulff);
        const std::string path = save(*plot, 80, 0, wulff ? "wulff.svg" : "schmidt.svg");
        const SvgPicture svg = parseSvg(QByteArray::fromStdString(readBytes(path)));
        const int radius = RadiusForDiameter(80, t.app.settings().PixMM);
        const int side = 2 * radius + 30;
        EXPECT_EQ(svg.viewBox, QString("0 0 %1 %1").arg(side));
        EXPECT_NEAR(svg.width.chopped(2).toDouble(), side / t.app.settings().PixMM, 0.01);
        EXPECT_TRUE(svg.width.endsWith("mm"));
        // The primitive circle, centred in the picture.
        const auto primitive = std::find_if(svg.ellipses.begin(), svg.ellipses.end(), [&](auto e) {
            return std::abs(e.rx - radius) <= 1 && std::abs(e.ry - radius) <= 1;
        });
        ASSERT_NE(primitive, svg.ellipses.end()) << wulff;
        EXPECT_NEAR(primitive->cx, radius + 15, 1);
        EXPECT_NEAR(primitive->cy, radius + 15, 1);
        EXPECT_EQ(svg.outlines.at("#0000ff"), 20) << "one element per trace, wulff " << wulff;
        plot->close();
    }
}

TEST_F(CanvasOutput, PdfPageMeasuresThePictureAndShowsThePoles)
{
    TWPlot* plot = plotted(false);
    const std::string path = save(*plot, 80, 1, "canvas.pdf");
    const QString info = QString::fromUtf8(run("pdfinfo", {QString::fromStdString(path)}));
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    const QRegularExpressionMatch size =
        QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    const double pixMM = t.app.settings().PixMM;
    const PictureLayout layout =
        PictureLayoutFor(plot->model(), RadiusForDiameter(80, pixMM), false, t.app.settings());
    const double pointsPerMM = 72 / 25.4;
    EXPECT_NEAR(size.captured(1).toDouble() / pointsPerMM, layout.size.width / pixMM, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble() / pointsPerMM, layout.size.height / pixMM, 0.5);

    // Rendered at two pixels per picture pixel, the red squares of the lines are where the
    // picture's net puts them.
    const double dpi = 2 * 25.4 * pixMM;
    const QImage page = renderPdf(path, dpi);
    for (const Direction d : lines) {
        const QPointF p = at(layout, plot->model(), d, 2);
        EXPECT_EQ(pixelAt(page, p.x() - 1, p.y() - 1), kRed) << d.trend;
    }
}

TEST_F(CanvasOutput, PngAtThreeHundredDpiNotCutAtALargeDiameter)
{
    TWPlot* plot = plotted(true);
    ASSERT_EQ(plot->model().lRc, 190);
    const std::string path = save(*plot, 150, 2, "canvas-150mm.png");
    QImage png(QString::fromStdString(path));
    ASSERT_FALSE(png.isNull());
    EXPECT_NEAR(png.dotsPerMeterX() * 0.0254, 300, 0.5);
    const int radius = RadiusForDiameter(150, t.app.settings().PixMM);
    const double scale = PngScale(t.app.settings().PixMM);
    EXPECT_EQ(png.width(), std::lround((2 * radius + 30) * scale));
    EXPECT_EQ(png.height(), png.width());
    // 150 mm across at 300 dpi.
    EXPECT_NEAR(2 * radius * scale / 300 * 25.4, 150, 0.5);
    const PictureLayout layout = PictureLayoutFor(plot->model(), radius, false, t.app.settings());
    for (const Direction d : lines) {
        const QPointF p = at(layout, plot->model(), d, scale);
        EXPECT_EQ(pixelAt(png, p.x() - 2, p.y() - 2), kRed) << d.trend;
    }
    // The bottom of the primitive circle lies inside the picture, not cut off.
    const double bottom = (radius + 15 + radius) * scale;
    bool black = false;
    for (int dy = -4; dy <= 4; ++dy)
        black = black || pixelAt(png, (radius + 15) * scale, bottom + dy) == clBlack;
    EXPECT_TRUE(black);
}

TEST_F(CanvasOutput, FramedPictureShowsTheCountProjectionAndLegend)
{
    TWPlot* plot = plotted(false);
    const std::string pdf = save(*plot, 80, 1, "canvas-framed.pdf", true);
    EXPECT_FALSE(TestBit(t.app.settings().StyleGene, kGenePictureBare)) << "the choice is kept";
    const QString text = QString::fromUtf8(run("pdftotext", {QString::fromStdString(pdf), "-"}));
    for (const char* expected : {"N = 23", "S/inf", "L1", "S0"})
        EXPECT_TRUE(text.contains(expected)) << expected << " in " << text.toStdString();
    const QImage page = renderPdf(pdf, 25.4 * t.app.settings().PixMM);
    SavePicture(page, "canvas-framed-pdf.png");
    const PictureLayout layout = PictureLayoutFor(
        plot->model(), RadiusForDiameter(80, t.app.settings().PixMM), true, t.app.settings());
    EXPECT_NEAR(page.height(), layout.size.height, 1);

    // Unticked, the next picture is the screen's, and the box proposes that next time.
    save(*plot, 80, 2, "canvas-bare.png", false);
    EXPECT_TRUE(TestBit(t.app.settings().StyleGene, kGenePictureBare));
    t.prompts.expectNumber("diameter", std::nullopt);
    EXPECT_FALSE(SauverImageWP(*plot));
    EXPECT_FALSE(t.prompts.numberQuestions().back().optionChecked);
}

TEST_F(CanvasOutput, PrintedPageAtFineAndCoarseResolutions)
{
    TWPlot* plot = plotted(false, 5);
    const double pixMM = t.app.settings().PixMM;
    const int radius = RadiusForDiameter(80, pixMM);
    for (const int dpi : {600, 96}) {
        const fs::path pdf = t.dir.path() / ("page-" + std::to_string(dpi) + ".pdf");
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf.string()));
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setResolution(dpi);
            ASSERT_TRUE(
                PrintCanvas(plot->model(), t.app.settings(), radius, printer, plot->title()));
        }
        const QString text =
            QString::fromUtf8(run("pdftotext", {QString::fromStdString(pdf.string()), "-"}));
        EXPECT_TRUE(text.contains(QRegularExpression("N\\s*=\\s*8"))) << text.toStdString();
        EXPECT_TRUE(text.contains("S/inf")) << text.toStdString();
        EXPECT_TRUE(text.contains(QRegularExpression("^N$", QRegularExpression::MultilineOption)))
            << "the letter above the north mark";

        // At 4 pixels per millimetre: the circle's top 20 mm below the top of the page, its
        // centre in the middle of the page's width, its diameter 80 mm. The rim is looked for
        // 2 mm off the north mark and the east-west diameter, between the graduations.
        const double perMM = 4;
        const QImage page = renderPdf(pdf, perMM * 25.4);
        SavePicture(page, QString("printed-%1dpi.png").arg(dpi));
        const auto black = [&page](int x, int y) {
            const QColor c = page.pixelColor(x, y);
            return std::max({c.red(), c.green(), c.blue()}) < 110;
        };
        const int column = page.width() / 2 + static_cast<int>(2 * perMM);
        int top = 0;
        while (top < page.height() / 2 && !black(column, top))
            ++top;
        // Within a pixel of the printer and one of the rendering.
        const double slack = 25.4 / dpi + 1 / perMM;
        EXPECT_NEAR(top / perMM, 20, slack) << dpi;
        const int row = static_cast<int>((20 + radius / pixMM + 2) * perMM);
        int left = 0;
        while (left < page.width() / 2 && !black(left, row))
            ++left;
        int right = page.width() - 1;
        while (right > page.width() / 2 && !black(right, row))
            --right;
        EXPECT_NEAR((left + right) / 2.0 / perMM, page.width() / 2.0 / perMM, slack) << dpi;
        EXPECT_NEAR((right - left) / perMM, 2 * radius / pixMM, 2 * slack) << dpi;
    }
}

// The record a click at a pixel of the screen canvas identifies: the nearest displayed record
// by its stored pixel, within 3 pixels.
int clickedRecord(const CanvasModel& m, Point click)
{
    int found = 0;
    long long best = 9;
    for (int i = 1; i <= m.lNT; ++i) {
        const InfoVal& v = m.lVal[static_cast<std::size_t>(i)];
        const long long dx = v.p - click.x;
        const long long dy = v.q - click.y;
        if (TestBit(v.inf, kInfPresent) && dx * dx + dy * dy <= best) {
            best = dx * dx + dy * dy;
            found = i;
        }
    }
    return found;
}

TEST_F(CanvasOutput, PrintAndPictureLeaveTheScreenCanvasAsItWas)
{
    TWPlot* plot = plotted(false);
    CanvasModel& m = plot->model();
    const std::vector<InfoVal> before(m.lVal.begin() + 1, m.lVal.begin() + 1 + m.lNT);
    const QImage shown = dynamic_cast<QtImage*>(m.image())->image().copy();

    t.prompts.expectNumber("diameter", 120);
    form->run(Cmd::FilePrint);
    auto* preview = plot->findChild<QPrintPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    preview->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 1);
    SavePicture(preview->grab().toImage(), "print-preview.png");
    preview->reject();
    QApplication::processEvents();
    save(*plot, 150, 0, "after-print.svg");

    for (int i = 1; i <= m.lNT; ++i) {
        EXPECT_EQ(m.lVal[i].p, before[i - 1].p) << i;
        EXPECT_EQ(m.lVal[i].q, before[i - 1].q) << i;
    }
    EXPECT_FALSE(m.rChanged);
    EXPECT_EQ(m.lRc, 190);
    EXPECT_EQ(m.lXc, 205);
    const int first = m.lNT - 2;
    for (int k = 0; k < 3; ++k) {
        const Point click = DirToPixel(lines[k], m.net());
        EXPECT_EQ(clickedRecord(m, click), first + k);
    }
    // The next redraw draws where it drew before.
    plot->NettoyerWP();
    EXPECT_EQ(dynamic_cast<QtImage*>(m.image())->image(), shown);
}

TEST_F(CanvasOutput, CancelledQuestionsLeaveTheCanvasUntouched)
{
    TWPlot* plot = plotted(true);
    const CanvasModel& m = plot->model();
    const auto fields = [](const CanvasModel& c) {
        std::vector<long long> f = {c.lRc,      c.lXc,        c.lYc,        c.lNC,
                                    c.lNT,      c.lStyleCnvs, c.lStylePlot, c.natGrille,
                                    c.butPosXY, c.rChanged,   c.AttenteClic};
        for (int i = 1; i <= c.lNT; ++i)
            f.insert(f.end(), {c.lVal[i].p, c.lVal[i].q, c.lVal[i].inf, c.lVal[i].sy});
        return f;
    };
    const std::vector<long long> before = fields(m);
    const std::int32_t gene = t.app.settings().StyleGene;

    t.prompts.expectNumber("diameter", std::nullopt);
    form->run(Cmd::FilePrint);
    EXPECT_EQ(plot->findChild<QPrintPreviewDialog*>(), nullptr) << "no preview after Cancel";
    t.prompts.expectNumber("diameter", std::nullopt);
    form->run(Cmd::FileSave);
    t.prompts.expectNumber("diameter", 200).expectSaveFile(std::nullopt);
    form->run(Cmd::FileSave);

    EXPECT_EQ(fields(m), before);
    EXPECT_EQ(t.app.settings().StyleGene, gene);
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(t.dir.path()))
        files += entry.path().extension() != ".plp";
    EXPECT_EQ(files, 0u) << "nothing written";
    EXPECT_EQ(t.prompts.fileQuestions().back().filters.front().second, "*.svg");
}

TEST_F(CanvasOutput, WriteOrRedrawFailingLeavesNoFileAndSaysSo)
{
    TWPlot* plot = plotted(false);
    const fs::path missing = t.dir.path() / "no-such-folder" / "canvas.svg";
    t.prompts.expectNumber("diameter", 80).expectSaveFile(missing.string());
    t.prompts.expectMessage("Error writing the file " + missing.string());
    EXPECT_FALSE(SauverImageWP(*plot));
    EXPECT_FALSE(fs::exists(missing.parent_path()));

    // An earlier picture stays whole when the next one cannot be drawn.
    const std::string earlier = save(*plot, 80, 2, "kept.png");
    const std::string bytes = readBytes(earlier);
    CanvasPainters failing = CanvasPainters::Registered();
    failing.record = [](CanvasModel&, DrawContext&, InfoVal& v) {
        if (v.sy == 6)
            throw std::bad_alloc();
    };
    t.prompts.expectNumber("diameter", 80).expectSaveFile(earlier);
    t.prompts.expectMessage("could not be drawn whole: " + earlier + " was not written");
    EXPECT_FALSE(SauverImageWP(*plot, failing));
    EXPECT_EQ(readBytes(earlier), bytes);
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(t.dir.path()))
        files += entry.path().extension() != ".plp";
    EXPECT_EQ(files, 1u) << "no temporary file left";
}

TEST_F(CanvasOutput, CopyPutsTheImageAndAnSvgPictureOnTheClipboard)
{
    TWPlot* plot = plotted(true);
    t.app.activateWindow(*plot);
    form->run(Cmd::EditCopy);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasImage());
    ASSERT_TRUE(data->hasFormat("image/svg+xml"));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
              dynamic_cast<QtImage*>(plot->model().image())->image());
    const SvgPicture svg = parseSvg(data->data("image/svg+xml"));
    EXPECT_EQ(svg.viewBox, "0 0 410 410");
    EXPECT_EQ(svg.outlines.at("#0000ff"), 20);

    // With text selected in the panel, the text goes.
    plot->appendInfo("Best axis : 120/45");
    plot->RichEdit1()->selectAll();
    form->run(Cmd::EditCopy);
    EXPECT_EQ(QApplication::clipboard()->text(), "Best axis : 120/45");
}

TEST_F(CanvasOutput, WithThePanelFocusedSaveAndPrintTakeItsText)
{
    TWPlot* plot = plotted(false);
    plot->appendInfo("14:05 - Plotting", true);
    plot->appendInfo("N = 23");
    plot->show();
    plot->activateWindow();
    plot->RichEdit1()->setFocus();
    t.app.activateWindow(*plot);
    ASSERT_TRUE(plot->infoFocused());
    EXPECT_EQ(form->action(Cmd::FileSave)->text().toStdString(),
              "Save  (info of \" Canvas 1\")...");
    const fs::path path = t.dir.path() / "info.rtf";
    t.prompts.expectSaveFile(path.string());
    form->run(Cmd::FileSave);
    const std::string rtf = readBytes(path);
    EXPECT_NE(rtf.find("14:05 - Plotting"), std::string::npos);
    EXPECT_EQ(t.prompts.fileQuestions().back().filters.at(1).second, "*.rtf");

    form->run(Cmd::FilePrint);
    auto* preview = plot->findChild<QPrintPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->windowTitle().toStdString(), "Print \"info of Canvas 1\"");
    preview->reject();
}

TEST(DiameterBox, ValuesOutsideItsRangeCannotBeTyped)
{
    QtPrompts prompts;
    int shown = 0;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        ++shown;
        SavePicture(dialog->grab().toImage(), "diameter_dialog.png");
        auto* spin = dialog->findChild<QSpinBox*>("SpinEdit1");
        auto* edit = spin->findChild<QLineEdit*>();
        edit->selectAll();
        for (const QChar c : QStringLiteral("999")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_9, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
        dialog->accept();
    });
    NumberQuestion question = DiameterQuestion(152, 3.8, true);
    const std::optional<NumberAnswer> answer = prompts.askNumber(question);
    EXPECT_EQ(shown, 1);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->value, 99) << "the third 9 refused";
    EXPECT_TRUE(answer->optionChecked);
}

} // namespace
} // namespace ploq
