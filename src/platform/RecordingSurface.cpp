#include "platform/RecordingSurface.h"

#include <algorithm>

namespace ploq {

Primitive& RecordingSurface::add(Shape shape)
{
    Primitive& p = primitives_.emplace_back();
    p.shape = shape;
    p.pen = pen();
    p.brush = brush();
    p.font = font();
    return p;
}

void RecordingSurface::addBox(Shape shape, const Box& box) { add(shape).box = box; }

void RecordingSurface::drawLine(Point from, Point to) { add(Shape::Line).points = {from, to}; }

void RecordingSurface::drawPolyline(std::span<const Point> points)
{
    add(Shape::Polyline).points.assign(points.begin(), points.end());
}

void RecordingSurface::drawPolyBezier(std::span<const Point> points)
{
    add(Shape::Bezier).points.assign(points.begin(), points.end());
}

void RecordingSurface::arc(const Box& box, Point start, Point end)
{
    Primitive& p = add(Shape::Arc);
    p.box = box;
    p.points = {start, end};
}

void RecordingSurface::polygon(std::span<const Point> points)
{
    add(Shape::Polygon).points.assign(points.begin(), points.end());
}

void RecordingSurface::textOut(Point topLeft, std::string_view text)
{
    Primitive& p = add(Shape::Text);
    p.points = {topLeft};
    p.text = std::string(text);
}

Size RecordingSurface::textExtent(std::string_view text)
{
    const int height = std::max(1, font().pixelHeight);
    return {static_cast<int>(text.size()) * height * 6 / 10, height};
}

std::vector<Point> RecordingSurface::allPoints() const
{
    std::vector<Point> all;
    for (const Primitive& p : primitives_) {
        // The rays of an arc only aim; the arc lies inside its box.
        if (p.shape != Shape::Arc)
            all.insert(all.end(), p.points.begin(), p.points.end());
        if (p.shape == Shape::Rectangle || p.shape == Shape::FillRect || p.shape == Shape::Ellipse
            || p.shape == Shape::Arc) {
            all.push_back({p.box.left, p.box.top});
            all.push_back({p.box.right - 1, p.box.bottom - 1});
        }
    }
    return all;
}

std::size_t RecordingSurface::count(Shape shape) const
{
    return static_cast<std::size_t>(std::count_if(primitives_.begin(), primitives_.end(),
                                                   [shape](const Primitive& p) { return p.shape == shape; }));
}

std::unique_ptr<Image> RecordingImageFactory::createImage(Size size)
{
    if (size.width <= 0 || size.height <= 0
        || static_cast<long long>(size.width) * size.height > maxPixels_)
        return nullptr;
    return std::make_unique<RecordingImage>(size);
}

} // namespace ploq
