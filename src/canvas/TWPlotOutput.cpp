#include "canvas/TWPlotOutput.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/DlgTailleCnvs.h"
#include "canvas/QtDessinToFile.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWText.h"
#include "platform/Prompts.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "platform/Text1252.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextEdit>

#include <memory>

namespace ploq {

namespace {

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

FileQuestion pictureQuestion(const TWPlot& plot)
{
    FileQuestion question;
    question.title = "Save plot " + Quoted(plot.title());
    question.proposedName = Cp1252ToUtf8(trimmed(plot.title()));
    for (const PictureFileType& type : PictureFileTypes())
        question.filters.emplace_back(type.description, type.pattern);
    return question;
}

} // namespace

void ImprimerWP(TWPlot& plot)
{
    Application& app = plot.app();
    const std::optional<DiameterChoice> diameter =
        DemanderDiametre(app.prompts(), &plot.model(), app.settings().PixMM);
    if (!diameter)
        return;
    // The preview draws the page on this printer; printing from it prints the same page.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    auto* preview = new QPrintPreviewDialog(printer.get(), &plot);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(toQString("Print " + Quoted(plot.title())));
    const int radius = diameter->radius;
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [&plot, radius, printer](QPrinter* page) {
                         Application& a = plot.app();
                         if (!PrintCanvas(plot.model(), a.settings(), radius, *page, plot.title()))
                             a.prompts().error("Error printing " + Quoted(plot.title()));
                     });
    preview->open();
}

bool SauverImageWP(TWPlot& plot, const CanvasPainters& painters)
{
    Application& app = plot.app();
    VarGlob& settings = app.settings();
    const std::optional<DiameterChoice> diameter =
        DemanderDiametre(app.prompts(), &plot.model(), settings.PixMM,
                         !TestBit(settings.StyleGene, kGenePictureBare));
    if (!diameter)
        return false;
    SetBit(settings.StyleGene, kGenePictureBare, !diameter->framed);
    const std::optional<SaveChoice> chosen = app.prompts().saveFileAndType(pictureQuestion(plot));
    if (!chosen)
        return false;
    const PicturePath file = PicturePathFor(chosen->path, chosen->filter);
    if (file.path != chosen->path && !MayReplace(app.prompts(), file.path))
        return false;
    if (const std::optional<std::string> refused =
            WriteCanvasPicture(plot.model(), settings, diameter->radius, diameter->framed,
                               file.path, file.type, painters)) {
        app.prompts().error(*refused);
        return false;
    }
    return true;
}

void CopierWP(TWPlot& plot)
{
    QImage shown;
    if (auto* image = dynamic_cast<QtImage*>(plot.model().image()))
        shown = image->image();
    if (QMimeData* data = CanvasMimeData(plot.model(), plot.app().settings(), shown))
        QApplication::clipboard()->setMimeData(data);
}

bool SaveCanvasInfo(TWPlot& plot)
{
    QTextEdit& panel = *plot.RichEdit1();
    return SaveTextAs(plot.app().prompts(), DocumentOf(*panel.document()),
                      trimmed(plot.title()) + " info", 2, false, panel.font().pointSize())
        .has_value();
}

void PrintCanvasInfo(TWPlot& plot)
{
    PrintTextPreview(plot, *plot.RichEdit1()->document(), "info of" + plot.title());
}

void InstallCanvasOutputCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::FileSave, WindowKind::Canvas, [&app] {
        if (TWPlot* plot = ActiveCanvas(app)) {
            if (plot->infoFocused())
                SaveCanvasInfo(*plot);
            else
                SauverImageWP(*plot);
        }
    });
    form.setHandler(Cmd::FilePrint, WindowKind::Canvas, [&app] {
        if (TWPlot* plot = ActiveCanvas(app)) {
            if (plot->infoFocused())
                PrintCanvasInfo(*plot);
            else
                ImprimerWP(*plot);
        }
    });
}

} // namespace ploq
