#pragma once

// "Error on great circle (bootstrap)" and "Error on small circle (bootstrap)" of the Other 3D
// stats menu, on every present measurement of the current canvas. The run shows its progress
// on the canvas, whose button reads "cancel" meanwhile (Esc too); a finished run writes
// VKi.txt in the current folder, opens the diagram of the resampled fits, marks the result on
// the canvas and leaves its button reading "keep", which offers the result to the best-fit
// plot. A cancelled run leaves everything as it was.

namespace ploq {

class Application;
class TForm1;

// The click modes of a bootstrap result waiting for "keep".
inline constexpr int kModeBootstrapGC = 38;
inline constexpr int kModeBootstrapSC = 39;

void BootstrapGreatCircle(Application& app);
void BootstrapSmallCircle(Application& app);

void InstallBootstrapCommands(TForm1& form, Application& app);

} // namespace ploq
