#pragma once

// A canvas drawn for output: on a printed page, in a picture file, on the clipboard. The same
// redraw as on screen goes into another surface at another centre and radius and, for printing
// and framed pictures, with the output variants of the frame and the symbols. The canvas keeps
// its own image and geometry; its records' stored pixels, its count and rChanged are as they
// were when an output returns, so the screen canvas and its mouse hit tests are unaffected.
//
// Nothing here knows a window: a command-line tool draws the same pictures as the menus.

#include "canvas/Plot.h"
#include "canvas/SymbBatch.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ploq {

// Where and how a canvas is drawn on an output surface.
struct OutputPlacement {
    int xc = 0;
    int yc = 0;
    int radius = 0;            // output pixels
    double UnitDessin = 1;     // output pixels per screen pixel, never below 1
    bool EnImpression = false; // the frame's texts, symbols scaled by UnitDessin
    friend bool operator==(const OutputPlacement&, const OutputPlacement&) = default;
};

// The printed page: `radius` is the chosen radius in screen pixels, the printer has `dpiX`
// pixels per inch across and a page `pageWidth` printer pixels wide. The circle keeps its
// diameter in millimetres, its top 20 mm below the top of the page, centred across it.
OutputPlacement PrintPlacement(int radius, double pixMM, double dpiX, int pageWidth);

// A picture file, in screen pixels: 2R + 30 square around the circle or, framed, the frame's
// texts above and under the circle and the canvas's legend below them.
struct PictureLayout {
    Size size;
    OutputPlacement placement;
    std::vector<BatchEntry> legend;
    Point legendTopLeft;
    int legendColumns = 1;
};
constexpr int kLegendRowHeight = 20;

PictureLayout PictureLayoutFor(const CanvasModel& canvas, int radius, bool framed,
                               const VarGlob& settings);

// Draws the canvas into the surface at the placement through the canvas redraw (grid, frame,
// records, the display of its kind, additional values). False when the redraw failed part-way:
// what the surface holds is then incomplete.
bool DessinerSortie(CanvasModel& canvas, Surface& surface, const OutputPlacement& placement,
                    const VarGlob& settings,
                    const CanvasPainters& painters = CanvasPainters::Registered());

// The whole picture of a layout: a white ground, the canvas, and the legend of a framed one.
bool DessinerImage(CanvasModel& canvas, Surface& surface, const PictureLayout& layout,
                   const VarGlob& settings,
                   const CanvasPainters& painters = CanvasPainters::Registered());

// Picture files, in the order the save dialog offers them.
enum class PictureType { Svg, Pdf, Png };
struct PictureFileType {
    PictureType type;
    std::string description;
    std::string pattern;
    std::string extension;
};
std::span<const PictureFileType> PictureFileTypes();

// The file a name chosen with the dialog's type `filter` is written to, and its type: a name
// that ends in one of the types' extensions keeps it and takes that type; any other name gets
// the chosen type's extension.
struct PicturePath {
    std::string path;
    PictureType type = PictureType::Svg;
};
PicturePath PicturePathFor(const std::string& chosen, int filter);
// The type named by the extension of a path, or none.
std::optional<PictureType> PictureTypeOf(const std::string& path);

// PNG pictures are written at this resolution, scaled from the screen's.
constexpr int kPngDpi = 300;
double PngScale(double pixMM);

} // namespace ploq
