#include "canvas/QtDessinToFile.h"

#include "model/UtilGlob.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "platform/SafeFile.h"
#include "platform/Text1252.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <cmath>

namespace ploq {

namespace {

// PDF pages are drawn at this resolution, the picture scaled to it from the screen's.
constexpr int kPdfDpi = 1200;

std::string bytesOf(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool drawPicture(QPaintDevice& device, double scale, CanvasModel& canvas, const VarGlob& settings,
                 const PictureLayout& layout, const CanvasPainters& painters)
{
    QtSurface surface(&device);
    surface.setPictureScale(scale);
    if (!surface.begin())
        return false;
    const bool whole = DessinerImage(canvas, surface, layout, settings, painters);
    surface.finish();
    return whole;
}

// QSvgGenerator gives the size in millimetres at a whole number of dots per inch; the screen's
// pixels per millimetre seldom make one, so the header gets the exact size.
void setSvgMillimetres(QByteArray& svg, Size size, double pixMM)
{
    static const QRegularExpression sized(QStringLiteral(R"( width="[^"]*mm" height="[^"]*mm")"));
    const qsizetype header = svg.indexOf('>', svg.indexOf("<svg"));
    QString head = QString::fromUtf8(svg.left(header));
    head.replace(sized, QStringLiteral(R"( width="%1mm" height="%2mm")")
                            .arg(size.width / pixMM, 0, 'f', 3)
                            .arg(size.height / pixMM, 0, 'f', 3));
    svg = head.toUtf8() + svg.mid(header);
}

std::optional<std::string> svgPicture(CanvasModel& canvas, const VarGlob& settings,
                                      const PictureLayout& layout, const CanvasPainters& painters)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(layout.size.width, layout.size.height));
    svg.setViewBox(QRect(0, 0, layout.size.width, layout.size.height));
    svg.setResolution(std::max(1, RoundHalfEven(25.4 * settings.PixMM)));
    if (!drawPicture(svg, 1, canvas, settings, layout, painters))
        return std::nullopt;
    QByteArray bytes = buffer.data();
    setSvgMillimetres(bytes, layout.size, settings.PixMM);
    return bytesOf(bytes);
}

std::optional<std::string> pdfPicture(CanvasModel& canvas, const VarGlob& settings,
                                      const PictureLayout& layout, const CanvasPainters& painters)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Ploq"));
        pdf.setResolution(kPdfDpi);
        const QSizeF mm(layout.size.width / settings.PixMM, layout.size.height / settings.PixMM);
        pdf.setPageLayout(
            QPageLayout(QPageSize(mm, QPageSize::Millimeter, {}, QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        if (!drawPicture(pdf, kPdfDpi / (25.4 * settings.PixMM), canvas, settings, layout,
                         painters))
            return std::nullopt;
    }
    return bytesOf(buffer.data());
}

std::optional<std::string> pngPicture(CanvasModel& canvas, const VarGlob& settings,
                                      const PictureLayout& layout, const CanvasPainters& painters)
{
    const double scale = PngScale(settings.PixMM);
    QImage image(RoundHalfEven(layout.size.width * scale),
                 RoundHalfEven(layout.size.height * scale), QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    image.fill(Qt::white);
    const int dotsPerMetre = RoundHalfEven(kPngDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    if (!drawPicture(image, scale, canvas, settings, layout, painters))
        return std::nullopt;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return bytesOf(buffer.data());
}

} // namespace

std::optional<std::string> CanvasPictureBytes(CanvasModel& canvas, const VarGlob& settings,
                                              const PictureLayout& layout, PictureType type,
                                              const CanvasPainters& painters)
{
    switch (type) {
    case PictureType::Svg: return svgPicture(canvas, settings, layout, painters);
    case PictureType::Pdf: return pdfPicture(canvas, settings, layout, painters);
    case PictureType::Png: return pngPicture(canvas, settings, layout, painters);
    }
    return std::nullopt;
}

std::optional<std::string> WriteCanvasPicture(CanvasModel& canvas, const VarGlob& settings,
                                              int radius, bool framed, const std::string& path,
                                              PictureType type, const CanvasPainters& painters)
{
    const std::string named = Utf8ToCp1252(path);
    const PictureLayout layout = PictureLayoutFor(canvas, radius, framed, settings);
    const std::optional<std::string> bytes =
        CanvasPictureBytes(canvas, settings, layout, type, painters);
    if (!bytes)
        return "The canvas could not be drawn whole: " + named + " was not written";
    if (!ReplaceFile(path, *bytes))
        return "Error writing the file " + named;
    return std::nullopt;
}

bool PrintCanvas(CanvasModel& canvas, const VarGlob& settings, int radius, QPrinter& printer,
                 const std::string& title, const CanvasPainters& painters)
{
    // The page's own corner is the origin: the circle is placed on the paper, not on its
    // printable part.
    printer.setFullPage(true);
    printer.setDocName(toQString(title).trimmed());
    const int pageWidth = printer.pageLayout().fullRectPixels(printer.resolution()).width();
    const OutputPlacement placement =
        PrintPlacement(radius, settings.PixMM, printer.logicalDpiX(), pageWidth);
    QtSurface surface(&printer);
    if (!surface.begin())
        return false;
    const bool whole = DessinerSortie(canvas, surface, placement, settings, painters);
    surface.finish();
    if (!whole)
        printer.abort();
    return whole;
}

QMimeData* CanvasMimeData(CanvasModel& canvas, const VarGlob& settings, const QImage& shown)
{
    const PictureLayout layout = PictureLayoutFor(canvas, canvas.lRc, false, settings);
    const std::optional<std::string> svg =
        CanvasPictureBytes(canvas, settings, layout, PictureType::Svg);
    if (!svg)
        return nullptr;
    auto* data = new QMimeData;
    data->setImageData(shown);
    data->setData(QStringLiteral("image/svg+xml"),
                  QByteArray(svg->data(), static_cast<qsizetype>(svg->size())));
    return data;
}

} // namespace ploq
