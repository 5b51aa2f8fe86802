#pragma once

// A surface that keeps what it is asked to draw, so that tests can check properties of a
// picture (every point inside the net, one symbol per record) without rendering it.

#include "platform/Surface.h"

#include <string>
#include <vector>

namespace ploq {

enum class Shape { Line, Polyline, Rectangle, FillRect, Ellipse, Arc, Polygon, Text, Bezier };

struct Primitive {
    Shape shape = Shape::Line;
    // line and polyline ends, polygon corners, arc start and end rays, Bezier control points
    std::vector<Point> points;
    Box box;                   // rectangle, ellipse and arc
    std::string text;
    Pen pen;
    Brush brush;
    Font font;
};

class RecordingSurface : public Surface {
public:
    const std::vector<Primitive>& primitives() const { return primitives_; }
    void clear() { primitives_.clear(); }

    // Every point the primitives reach: line and polygon points, box corners.
    std::vector<Point> allPoints() const;
    std::size_t count(Shape shape) const;

    void rectangle(const Box& box) override { addBox(Shape::Rectangle, box); }
    void fillRect(const Box& box) override { addBox(Shape::FillRect, box); }
    void ellipse(const Box& box) override { addBox(Shape::Ellipse, box); }
    void arc(const Box& box, Point start, Point end) override;
    void polygon(std::span<const Point> points) override;
    void textOut(Point topLeft, std::string_view text) override;
    // A fixed advance of 6/10 of the font height per character.
    Size textExtent(std::string_view text) override;

protected:
    void drawLine(Point from, Point to) override;
    void drawPolyline(std::span<const Point> points) override;
    void drawPolyBezier(std::span<const Point> points) override;

private:
    Primitive& add(Shape shape);
    void addBox(Shape shape, const Box& box);

    std::vector<Primitive> primitives_;
};

class RecordingImage : public Image {
public:
    explicit RecordingImage(Size size) : size_(size) {}
    Size size() const override { return size_; }
    Surface& surface() override { return recording_; }
    RecordingSurface& recording() { return recording_; }

private:
    Size size_;
    RecordingSurface recording_;
};

// Makes recording images; refuses images larger than a chosen number of pixels, as a real
// allocation would.
class RecordingImageFactory : public ImageFactory {
public:
    explicit RecordingImageFactory(long long maxPixels = 100'000'000) : maxPixels_(maxPixels) {}
    std::unique_ptr<Image> createImage(Size size) override;

private:
    long long maxPixels_;
};

} // namespace ploq
