#include "platform/QtSurface.h"

#include "platform/QtText.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygon>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace ploq {

namespace {

// Qt takes a box by its first pixel and its extent less one for a one-pixel outline.
QRect outlineRect(const Box& box)
{
    return QRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

QPolygon toQPolygon(std::span<const Point> points)
{
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (Point p : points)
        polygon.append(QPoint(p.x, p.y));
    return polygon;
}

Qt::PenStyle toQt(PenStyle style)
{
    switch (style) {
    case PenStyle::Solid: return Qt::SolidLine;
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::Clear: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

// The counter-clockwise angle, in degrees, of the ray from the centre of the box through p,
// as the parametric angle of the box's ellipse that Qt expects.
double ellipseAngle(const Box& box, Point p)
{
    const double cx = (box.left + box.right - 1) / 2.0;
    const double cy = (box.top + box.bottom - 1) / 2.0;
    const double a = std::max(0.5, (box.right - box.left - 1) / 2.0);
    const double b = std::max(0.5, (box.bottom - box.top - 1) / 2.0);
    const double dx = p.x - cx;
    const double dy = cy - p.y;
    return std::atan2(dy / b, dx / a) * 180.0 / std::numbers::pi;
}

} // namespace

QColor toQColor(TColor colour) { return QColor(redOf(colour), greenOf(colour), blueOf(colour)); }

QtSurface::QtSurface(QPaintDevice* device, bool antialias) : device_(device), antialias_(antialias) {}

QtSurface::~QtSurface() { finish(); }

void QtSurface::finish()
{
    if (painter_.isActive())
        painter_.end();
}

void QtSurface::setPictureScale(double scale)
{
    picture_ = true;
    scale_ = scale;
}

bool QtSurface::begin()
{
    if (!painter_.isActive()) {
        if (!painter_.begin(device_))
            return false;
        painter_.setRenderHint(QPainter::Antialiasing, antialias_);
        painter_.setRenderHint(QPainter::TextAntialiasing, antialias_);
        // Centres of pixels, so that antialiased one-pixel lines fall on whole pixels.
        if (antialias_)
            painter_.translate(0.5, 0.5);
        if (scale_ != 1)
            painter_.scale(scale_, scale_);
    }
    return true;
}

QPainter& QtSurface::painter(bool withBrush)
{
    begin();
    const Pen& p = pen();
    QPen qpen(toQColor(p.colour));
    // Width 0 is Qt's one device pixel whatever the scale.
    qpen.setWidth(p.width <= 1 ? (picture_ ? 1 : 0) : p.width);
    qpen.setStyle(toQt(p.style));
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(qpen);
    const bool notXor = p.mode == PenMode::NotXor && device_->devType() == QInternal::Image;
    painter_.setCompositionMode(notXor ? QPainter::RasterOp_NotSourceXorDestination
                                       : QPainter::CompositionMode_SourceOver);
    if (withBrush && brush().style == BrushStyle::Solid)
        painter_.setBrush(toQColor(brush().colour));
    else
        painter_.setBrush(Qt::NoBrush);
    return painter_;
}

QFont QtSurface::qfont() const
{
    QFont f(QString::fromStdString(font().family));
    f.setPixelSize(std::max(1, font().pixelHeight));
    f.setBold(font().bold);
    f.setItalic(font().italic);
    return f;
}

std::optional<PixelRows> QtSurface::linePixels()
{
    const Pen& p = pen();
    // A picture drawn at another scale (a PNG at 300 dpi) goes through the painter, which
    // scales the coordinates and the line width; the pixels know only their own.
    if (p.width > 1 || p.style != PenStyle::Solid || p.mode != PenMode::Copy
        || device_->devType() != QInternal::Image || scale_ != 1)
        return std::nullopt;
    auto* image = static_cast<QImage*>(device_);
    if (image->format() != QImage::Format_RGB32)
        return std::nullopt;
    // The painter, when active, draws into these same pixels as it goes: both can take turns.
    return PixelRows{reinterpret_cast<std::uint32_t*>(image->bits()), image->width(),
                     image->height(), static_cast<int>(image->bytesPerLine() / 4)};
}

double QtSurface::pixelShift() const
{
    // Antialiased, whole coordinates are the centres of pixels (the painter is moved by half a
    // pixel for it); aliased, the painter takes them as corners and a line keeps to the pixels
    // below and right of it.
    return antialias_ ? 0.0 : -0.5;
}

void QtSurface::drawLine(Point from, Point to)
{
    if (linePixels()) {
        const Point ends[] = {from, to};
        drawPolyline(ends);
        return;
    }
    painter(false).drawLine(from.x, from.y, to.x, to.y);
}

void QtSurface::drawPolyline(std::span<const Point> points)
{
    if (const std::optional<PixelRows> pixels = linePixels()) {
        const double shift = pixelShift();
        std::vector<PointF> line;
        line.reserve(points.size());
        for (Point p : points)
            line.push_back({p.x + shift, p.y + shift});
        RasterPolyline(*pixels, line, pen().colour, antialias_);
        return;
    }
    painter(false).drawPolyline(toQPolygon(points));
}

void QtSurface::drawPolyBezier(std::span<const Point> points)
{
    const auto at = [](Point p) { return QPointF(p.x, p.y); };
    QPainterPath path(at(points.front()));
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(at(points[i]), at(points[i + 1]), at(points[i + 2]));
    painter(false).drawPath(path);
}

void QtSurface::rectangle(const Box& box) { painter(true).drawRect(outlineRect(box)); }

void QtSurface::fillRect(const Box& box)
{
    painter(false).fillRect(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top),
                            toQColor(brush().colour));
}

void QtSurface::ellipse(const Box& box) { painter(true).drawEllipse(outlineRect(box)); }

void QtSurface::arc(const Box& box, Point start, Point end)
{
    const double from = ellipseAngle(box, start);
    double span = ellipseAngle(box, end) - from;
    while (span <= 0)
        span += 360.0;
    if (const std::optional<PixelRows> pixels = linePixels()) {
        constexpr double toRadians = std::numbers::pi / 180.0;
        std::vector<PointF> line;
        const double shift = pixelShift();
        ArcPoints((box.left + box.right - 1) / 2.0 + shift,
                  (box.top + box.bottom - 1) / 2.0 + shift, (box.right - box.left - 1) / 2.0,
                  (box.bottom - box.top - 1) / 2.0, from * toRadians, span * toRadians, line);
        RasterPolyline(*pixels, line, pen().colour, antialias_);
        return;
    }
    // A path keeps the angles exact: drawArc rounds them to 1/16 degree, which moves the ends
    // of the large arcs of nearly vertical planes by pixels.
    const QRectF rect(outlineRect(box));
    QPainterPath path;
    path.arcMoveTo(rect, from);
    path.arcTo(rect, from, span);
    painter(false).drawPath(path);
}

void QtSurface::polygon(std::span<const Point> points)
{
    painter(true).drawPolygon(toQPolygon(points));
}

void QtSurface::textOut(Point topLeft, std::string_view text)
{
    QPainter& p = painter(false);
    p.setFont(qfont());
    const QString qtext = toQString(text);
    const QFontMetrics metrics(p.font(), device_);
    const QRect box(topLeft.x, topLeft.y, metrics.horizontalAdvance(qtext), metrics.height());
    if (brush().style == BrushStyle::Solid)
        p.fillRect(box, toQColor(brush().colour));
    p.setPen(toQColor(font().colour));
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, qtext);
}

Size QtSurface::textExtent(std::string_view text)
{
    const QFontMetrics metrics(qfont(), device_);
    return {metrics.horizontalAdvance(toQString(text)), metrics.height()};
}

QtImage::QtImage(QImage image, bool antialias)
    : image_(std::move(image)), surface_(&image_, antialias)
{
}

const QImage& QtImage::image()
{
    surface_.finish();
    return image_;
}

std::unique_ptr<Image> QtImageFactory::createImage(Size size)
{
    constexpr int maxSide = 16384;
    constexpr long long maxPixels = 1LL << 27;
    if (size.width <= 0 || size.height <= 0 || size.width > maxSide || size.height > maxSide
        || static_cast<long long>(size.width) * size.height > maxPixels)
        return nullptr;
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull())
        return nullptr;
    image.fill(Qt::white);
    return std::make_unique<QtImage>(std::move(image), antialias_);
}

} // namespace ploq
