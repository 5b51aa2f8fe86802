#pragma once

// The canvas pictures and printed page through Qt: SVG by QSvgGenerator, PDF by QPdfWriter,
// PNG by QImage, the page by QPrinter, and the clipboard's data. No widget is involved, so a
// command-line tool writes the same files as the menus.

#include "canvas/DessinToFile.h"

#include <optional>
#include <string>

class QImage;
class QMimeData;
class QPrinter;

namespace ploq {

// The bytes of the picture file of a layout (PictureLayoutFor), or none when the canvas could
// not be drawn whole.
//  - SVG: the picture's pixels as user units, its width and height in millimetres at PixMM;
//  - PDF: one page the size of the picture at PixMM, so the circle measures the chosen diameter;
//  - PNG: the picture scaled to 300 dpi, its resolution stored.
// Traces and symbols stay vector paths in SVG and PDF; nothing is antialiased, as on screen.
std::optional<std::string>
CanvasPictureBytes(CanvasModel& canvas, const VarGlob& settings, const PictureLayout& layout,
                   PictureType type, const CanvasPainters& painters = CanvasPainters::Registered());

// File > "Save" once its questions are answered: the picture of the canvas at that radius
// (framed or not) written to `path` through a temporary file renamed into place, so a failed
// run leaves no file, and an earlier one as it was. The message to tell the user (the file
// named in Windows-1252) when nothing was written, or none.
std::optional<std::string>
WriteCanvasPicture(CanvasModel& canvas, const VarGlob& settings, int radius, bool framed,
                   const std::string& path, PictureType type,
                   const CanvasPainters& painters = CanvasPainters::Registered());

// One page on the printer as it is set up: the circle of the chosen radius (screen pixels) at
// its diameter in millimetres, 20 mm below the top of the paper, centred across it, with the
// frame's output variant. False when the canvas could not be drawn whole (the job is aborted).
bool PrintCanvas(CanvasModel& canvas, const VarGlob& settings, int radius, QPrinter& printer,
                 const std::string& title,
                 const CanvasPainters& painters = CanvasPainters::Registered());

// The clipboard's picture of a canvas: its image as shown and an "image/svg+xml" picture of it.
// Null when the picture could not be drawn.
QMimeData* CanvasMimeData(CanvasModel& canvas, const VarGlob& settings, const QImage& shown);

} // namespace ploq
