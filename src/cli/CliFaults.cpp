#include "cli/CliFaults.h"

#include "canvas/QtDessinToFile.h"
#include "faults/DihedraDraw.h"
#include "faults/FaultDraw.h"
#include "platform/QtSurface.h"
#include "platform/Text1252.h"
#include "stats2d/Stats2DDraw.h"
#include "stats3d/DihedraContours.h"

#include <algorithm>
#include <iostream>

namespace ploq {

void AddFaultCanvasInput(CLI::App& sub, FaultCanvasInput& input)
{
    AddSheetInput(sub, input.input);
    sub.add_option("-o,--output", input.picture,
                   "the window also saved as a picture: .svg, .pdf or .png")
        ->check(PicturePathProblem);
    sub.add_option("--radius", input.radius, "the net's radius in screen pixels")
        ->check(RangeOf(kMinRadius, 2000));
    sub.add_flag("--bare", input.bare, "the picture without the printed frame");
}

void Warn(std::string_view cp1252)
{
    std::string text = Cp1252ToUtf8(cp1252);
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::cerr << "ploq-cli: " << text << '\n';
}

std::span<const InfoVal> HeldRecords(const CanvasModel& canvas)
{
    return std::span<const InfoVal>(canvas.lVal).subspan(1, static_cast<std::size_t>(canvas.lNT));
}

std::unique_ptr<CanvasModel> CheckedFaultCanvas(CliApp& cli, const FaultCanvasInput& input)
{
    if (input.radius)
        cli.settings.Rc = *input.radius;
    const LoadedSheet loaded = ReadSheet(cli, input.input.file);
    std::unique_ptr<CanvasModel> canvas = PlottedCanvas(cli, input.input, loaded);
    const PairCheck check = CheckCanvasPairs(HeldRecords(*canvas));
    if (!check.ok)
        throw CliFailure(input.input.file + ": "
                         + (check.message ? Cp1252ToUtf8(check.message->text) : "no fault pair"));
    if (check.message)
        Warn(check.message->text);
    return canvas;
}

std::unique_ptr<CanvasModel> CanvasLike(const CliApp& cli, int natWP, const CanvasModel& other)
{
    auto canvas = std::make_unique<CanvasModel>(natWP, cli.settings);
    QtImageFactory images(true);
    if (!canvas->SetRayon(std::max(other.lRc, kMinRadius), images))
        throw CliFailure("the canvas could not be made");
    return canvas;
}

void WriteFaultPicture(const CliApp& cli, const FaultCanvasInput& input, CanvasModel& canvas)
{
    if (input.picture.empty())
        return;
    CanvasPainters painters = CanvasPainters::Registered();
    RegisterStats2DDisplay(painters);
    RegisterFaultDisplays(painters);
    RegisterDihedraDisplays(painters);
    RegisterDihedraContourDisplay(painters);
    if (const std::optional<std::string> refused =
            WriteCanvasPicture(canvas, cli.settings, canvas.lRc, !input.bare, input.picture,
                               *PictureTypeOf(input.picture), painters))
        throw CliFailure(Cp1252ToUtf8(*refused));
}

} // namespace ploq
