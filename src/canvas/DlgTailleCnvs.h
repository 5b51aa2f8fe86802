#pragma once

// The diameter asked before a canvas is printed or saved as a picture: "Save Plot", one spin
// box "Canvas diameter (mm)" from 30 to 300 in steps of 5, starting at the canvas's diameter.
// Saving a picture also asks whether it carries the printed frame.

#include "canvas/Plot.h"
#include "platform/Prompts.h"

#include <optional>

namespace ploq {

constexpr int kMinDiameterMM = 30;
constexpr int kMaxDiameterMM = 300;
constexpr int kDiameterStepMM = 5;
inline constexpr std::string_view kFramedOption = "with the printed frame";

struct DiameterChoice {
    int radius = 0;      // screen pixels, at least 20
    bool framed = false; // the picture carries the printed frame
};

// The question for a canvas of that radius; `framed` proposes the frame option, none leaves it
// out.
NumberQuestion DiameterQuestion(int radius, double pixMM, std::optional<bool> framed);

// DemanderDiametre: the radius of the diameter chosen, or none when the user cancels or there
// is no canvas.
std::optional<DiameterChoice> DemanderDiametre(Prompts& prompts, const CanvasModel* canvas,
                                               double pixMM, std::optional<bool> framed = {},
                                               std::optional<Point> at = {});

} // namespace ploq
