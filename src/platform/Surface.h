#pragma once

// The drawing surface every picture of Ploq is drawn on: the canvas image on screen, the
// printer page, an SVG or PDF picture, or a recording for the tests. The core decides every
// line and text; an adapter renders them.
//
// Pixel conventions (device pixels, x to the right, y downward), the same on every surface:
//  - lineTo draws from the current position to p, leaving the pixel of p itself undrawn, and
//    makes p the current position; a polyline is the same run of lineTo calls.
//  - A box {left, top, right, bottom} covers the pixels left..right-1 and top..bottom-1:
//    rectangle, ellipse and arc draw their outline on those edge pixels and fill inside them.
//  - arc draws the part of the box's ellipse that runs counter-clockwise (as seen on the
//    screen) from the ray through `start` to the ray through `end`, both from the box centre;
//    equal rays draw the whole ellipse.
//  - Text is placed by its top-left corner; textExtent is the size of that box. With a solid
//    brush the box is first filled with the brush colour; with a clear brush only the text is
//    drawn.
//  - Pens: a width of 0 or 1 is one device pixel. A clear pen draws nothing; a clear brush
//    fills nothing.

#include "platform/Colour.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace ploq {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(Size, Size) = default;
};

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

enum class PenStyle { Solid, Dash, Dot, Clear };

// NotXor draws the inverse of (pen xor pixel): drawing the same thing twice restores the image.
enum class PenMode { Copy, NotXor };

struct Pen {
    TColor colour = clBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle { Solid, Clear };

struct Brush {
    TColor colour = clWhite;
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font {
    std::string family = "Arial";
    int pixelHeight = 13;
    bool bold = false;
    bool italic = false;
    TColor colour = clBlack;
    friend bool operator==(const Font&, const Font&) = default;
};

class Surface {
public:
    virtual ~Surface() = default;

    void setPen(const Pen& pen) { pen_ = pen; }
    void setBrush(const Brush& brush) { brush_ = brush; }
    void setFont(const Font& font) { font_ = font; }
    const Pen& pen() const { return pen_; }
    const Brush& brush() const { return brush_; }
    const Font& font() const { return font_; }
    Point penPosition() const { return position_; }

    void moveTo(Point p) { position_ = p; }
    void lineTo(Point p)
    {
        drawLine(position_, p);
        position_ = p;
    }
    // Draws lineTo through the points after the first; the current position ends on the last.
    void polyline(std::span<const Point> points)
    {
        if (points.empty())
            return;
        drawPolyline(points);
        position_ = points.back();
    }

    // Cubic Bezier curves through 3k + 1 points: the start, then for each curve two control
    // points and its end; the current position ends on the last point. Other counts draw
    // nothing. A surface that has no curves of its own draws each as 16 straight pieces.
    void polyBezier(std::span<const Point> points)
    {
        if (points.size() < 4 || (points.size() - 1) % 3 != 0)
            return;
        drawPolyBezier(points);
        position_ = points.back();
    }

    virtual void rectangle(const Box& box) = 0;
    // Fills the box with the brush colour, whatever the brush style, and draws no outline.
    virtual void fillRect(const Box& box) = 0;
    virtual void ellipse(const Box& box) = 0;
    virtual void arc(const Box& box, Point start, Point end) = 0;
    // A closed outline filled with the brush.
    virtual void polygon(std::span<const Point> points) = 0;
    // Text is Windows-1252 bytes.
    virtual void textOut(Point topLeft, std::string_view text) = 0;
    virtual Size textExtent(std::string_view text) = 0;

protected:
    virtual void drawLine(Point from, Point to) = 0;
    virtual void drawPolyline(std::span<const Point> points) = 0;
    virtual void drawPolyBezier(std::span<const Point> points);

private:
    Pen pen_;
    Brush brush_;
    Font font_;
    Point position_;
};

// An off-screen picture and the surface that draws on it.
class Image {
public:
    virtual ~Image() = default;
    virtual Size size() const = 0;
    virtual Surface& surface() = 0;
};

// Makes off-screen images; creation fails (returns null) when the image cannot be allocated.
class ImageFactory {
public:
    virtual ~ImageFactory() = default;
    virtual std::unique_ptr<Image> createImage(Size size) = 0;
};

} // namespace ploq
