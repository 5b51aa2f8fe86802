#pragma once

// The contour canvases of the main window: their display, so that every redraw (zoom, net,
// hemisphere, printing) contours them again from what they keep.

namespace ploq {

class Application;
class TForm1;

void InstallContourCommands(TForm1& form, Application& app);

} // namespace ploq
