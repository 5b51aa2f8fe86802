#pragma once

// Renders the drawing surface with a QPainter on any paint device: the canvas image, the
// printer, an SVG or PDF picture.

#include "platform/LineRaster.h"
#include "platform/Surface.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>

namespace ploq {

class QtSurface : public Surface {
public:
    // The device must outlive the surface. Antialiasing suits the screen; pictures that are
    // erased by drawing over them in white need it off.
    explicit QtSurface(QPaintDevice* device, bool antialias = false);
    ~QtSurface() override;

    // Ends the painting, so that the device can be read or handed over; the next primitive
    // begins again.
    void finish();
    bool antialias() const { return antialias_; }
    // Starts painting now; false when the device cannot be painted on.
    bool begin();
    // Draws a picture file: every length is multiplied by `scale` (call before the first
    // primitive), and pens of one pixel are one scaled pixel wide, so that lines keep their
    // width when the picture is enlarged or scaled in an editor.
    void setPictureScale(double scale);

    void rectangle(const Box& box) override;
    void fillRect(const Box& box) override;
    void ellipse(const Box& box) override;
    void arc(const Box& box, Point start, Point end) override;
    void polygon(std::span<const Point> points) override;
    void textOut(Point topLeft, std::string_view text) override;
    Size textExtent(std::string_view text) override;

protected:
    void drawLine(Point from, Point to) override;
    void drawPolyline(std::span<const Point> points) override;
    void drawPolyBezier(std::span<const Point> points) override;

private:
    // The painter with the current pen and brush, begun if need be.
    QPainter& painter(bool withBrush);
    // The pixels that the current pen's lines are drawn straight into (solid lines one pixel
    // wide on a plain picture), or none when the painter draws them.
    std::optional<PixelRows> linePixels();
    // Where a whole coordinate lies for those pixels.
    double pixelShift() const;
    QFont qfont() const;

    QPaintDevice* device_;
    bool antialias_;
    bool picture_ = false;
    double scale_ = 1;
    QPainter painter_;
};

class QtImage : public Image {
public:
    QtImage(QImage image, bool antialias);
    Size size() const override { return {image_.width(), image_.height()}; }
    Surface& surface() override { return surface_; }
    // The finished picture.
    const QImage& image();

private:
    QImage image_;
    QtSurface surface_;
};

class QtImageFactory : public ImageFactory {
public:
    explicit QtImageFactory(bool antialias = false) : antialias_(antialias) {}
    // Refuses sizes above 16384 pixels a side or 2^27 pixels in all, and failed allocations.
    std::unique_ptr<Image> createImage(Size size) override;

private:
    bool antialias_;
};

QColor toQColor(TColor colour);

} // namespace ploq
