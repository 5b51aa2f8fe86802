#include "canvas/Dessin.h"
#include "canvas/DessinToFile.h"
#include "canvas/QtDessinToFile.h"
#include "canvas/UtilDessin.h"
#include "model/UtilGlob.h"
#include "platform/Text1252.h"

#include "cli/CliApp.h"

namespace ploq {

namespace {

struct PlotOptions {
    SheetInput input;
    std::string output;
    std::string net;
    bool upper = false;
    bool poles = false;
    bool traces = false;
    std::optional<int> symbol;
    std::optional<int> colour;
    std::string batch;
    std::optional<int> radius;
    std::optional<int> grid;
    bool bare = false;
};

const char* typeName(PictureType type)
{
    switch (type) {
    case PictureType::Svg: return "svg";
    case PictureType::Pdf: return "pdf";
    case PictureType::Png: return "png";
    }
    return "";
}

// The choices of the plotting dialog, the style menu and the grid menu as settings.
void applyChoices(VarGlob& s, const PlotOptions& o)
{
    if (!o.net.empty())
        SetBit(s.StyleCnvs, kStyleWulff, o.net == "wulff");
    if (o.upper)
        SetBit(s.StyleCnvs, kStyleLowerHemisphere, false);
    if (o.poles || o.traces) {
        SetBit(s.StylePlot, kPlotPoles, o.poles);
        SetBit(s.StylePlot, kPlotTraces, o.traces);
    }
    if (o.symbol)
        s.Sy = *o.symbol;
    if (o.colour)
        s.Couleur = *o.colour;
    if (!o.batch.empty())
        s.NomFBatch = o.batch;
    if (o.radius)
        s.Rc = *o.radius;
    if (o.grid)
        s.GridStep = *o.grid;
}

void runPlot(CliApp& cli, const PlotOptions& o)
{
    const LoadedSheet loaded = ReadSheet(cli, o.input.file);
    VarGlob& s = cli.settings;
    applyChoices(s, o);
    std::vector<InfoLine> info;
    const std::unique_ptr<CanvasModel> canvas =
        PlottedCanvas(cli, o.input, loaded, &info, !o.batch.empty());
    if (o.grid)
        canvas->natGrille = kGridStandard;
    const PictureType type = *PictureTypeOf(o.output);
    if (const std::optional<std::string> refused =
            WriteCanvasPicture(*canvas, s, canvas->lRc, !o.bare, o.output, type))
        throw CliFailure(Cp1252ToUtf8(*refused));
    if (!o.input.json) {
        PrintInfoLines(cli, info);
        return;
    }
    PrintJson(cli, {{"file", o.output},
                    {"type", typeName(type)},
                    {"radius", canvas->lRc},
                    {"plotted", canvas->lNT}});
}

} // namespace

void AddPlot(CliApp& cli)
{
    auto o = std::make_shared<PlotOptions>();
    CLI::App* sub = cli.add(
        "plot",
        "The selected rows plotted on a new canvas and the canvas saved as a picture, as "
        "File > Save does (SVG, PDF or PNG by the extension of -o); prints the plotting's report.",
        "  file, type (svg, pdf, png), radius (pixels), plotted (count)",
        [&cli, o] { runPlot(cli, *o); });
    AddSheetInput(*sub, o->input);
    sub->add_option("-o,--output", o->output, "the picture file: .svg, .pdf or .png")
        ->required()
        ->check(PicturePathProblem);
    sub->add_option("--net", o->net, "the projection: schmidt (equal area) or wulff (equal angle)")
        ->check(CLI::IsMember({"schmidt", "wulff"}));
    sub->add_flag("--upper", o->upper, "the upper hemisphere");
    sub->add_flag("--poles", o->poles, "planes drawn by their poles");
    sub->add_flag("--traces", o->traces, "planes drawn by their great circles");
    CLI::Option* symbol =
        sub->add_option("--symbol", o->symbol, "the symbol, 1..16 (negative: its tadpole)")
            ->check(RangeOf(SymbolSelection::kMinSymbol, SymbolSelection::kMaxSymbol)
                    & !CLI::IsMember({0}));
    CLI::Option* colour =
        sub->add_option("--colour", o->colour, "the colour index, 0..16")->check(RangeOf(0, 16));
    sub->add_option("--batch", o->batch,
                    "the symbol batch file (.pqb) giving each nature its symbol")
        ->excludes(symbol)
        ->excludes(colour);
    sub->add_option("--radius", o->radius, "the net's radius in screen pixels")
        ->check(RangeOf(kMinRadius, 2000));
    sub->add_option("--grid", o->grid, "the standard grid at this step, degrees")
        ->check(RangeOf(1, 90));
    sub->add_flag("--bare", o->bare, "without the printed frame");
}

} // namespace ploq
