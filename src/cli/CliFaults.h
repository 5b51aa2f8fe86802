#pragma once

// What the fault subcommands that work on a canvas share: the selected rows plotted as the
// plotting dialog plots them, the canvas pair check the Faults menu runs on them, and the
// picture of the window the command opens, saved as File > Save saves it.

#include "faults/Faults.h"

#include "cli/CliApp.h"

namespace ploq {

struct FaultCanvasInput {
    SheetInput input;
    std::string picture; // empty: none
    std::optional<int> radius;
    bool bare = false;
};
// FILE, the selection, --json, -o, --radius and --bare.
void AddFaultCanvasInput(CLI::App& sub, FaultCanvasInput& input);

// The selected rows on a canvas of the settings' radius (or --radius), once they passed the
// canvas pair check: refused with the check's message, the count of unknown senses told on
// standard error.
std::unique_ptr<CanvasModel> CheckedFaultCanvas(CliApp& cli, const FaultCanvasInput& input);

// The records 1..lNT of a canvas.
std::span<const InfoVal> HeldRecords(const CanvasModel& canvas);

// A new canvas of a kind at the radius of another.
std::unique_ptr<CanvasModel> CanvasLike(const CliApp& cli, int natWP, const CanvasModel& other);

// The canvas saved as the picture of -o, when one is asked for, with the fault displays and
// diagrams drawn.
void WriteFaultPicture(const CliApp& cli, const FaultCanvasInput& input, CanvasModel& canvas);

// A Windows-1252 message on standard error, its line breaks as spaces.
void Warn(std::string_view cp1252);

} // namespace ploq
