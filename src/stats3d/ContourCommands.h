#pragma once

// "Contouring" of the Stats 3D menu, after the choice of the sets, and the contour canvases'
// display, so that every redraw (zoom, net, hemisphere, printing) contours them again.

namespace ploq {

class Application;
class TForm1;

void InstallContourCommands(TForm1& form, Application& app);

} // namespace ploq
