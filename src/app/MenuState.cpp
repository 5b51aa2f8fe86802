#include "app/MenuState.h"

#include <initializer_list>

namespace ploq {

namespace {

void enable(MenuState& m, std::initializer_list<Cmd> cmds, bool on)
{
    for (Cmd c : cmds)
        m[c].enabled = on;
}

void fileMenu(MenuState& m, const AppSnapshot& app)
{
    enable(m, {Cmd::FileSave, Cmd::FileSaveAs, Cmd::FileExport, Cmd::FilePrint}, false);
    const std::string t = Quoted(app.title);
    switch (app.current) {
    case Current::Sheet:
        m[Cmd::FileSave] = {app.sheetDirty, "Save " + t + "..."};
        m[Cmd::FileSaveAs] = {true, "Save " + t + " as..."};
        m[Cmd::FileExport] = {true, "Export " + t + " to text"};
        m[Cmd::FileDelete].caption = "Delete " + t;
        m[Cmd::FilePrint] = {true, "Print " + t + "..."};
        break;
    case Current::Canvas: {
        if (app.canvasInfoFocused) {
            m[Cmd::FileSave] = {true, "Save  (info of " + t + ")..."};
            m[Cmd::FileSaveAs] = {false, "Save as (info of " + t + ")..."};
            m[Cmd::FilePrint] = {true, "Print (info of " + t + ")..."};
            break;
        }
        m[Cmd::FileSave] = {true, "Save plot " + t + "..."};
        const int k = app.canvasKind;
        if (k == 0 || k == 1 || k == 7 || k == 13)
            m[Cmd::FileSaveAs] = {app.canvasValues > 0, "Save measurements in canvas " + t + "..."};
        m[Cmd::FilePrint] = {true, "Print " + t + "..."};
        break;
    }
    case Current::Text:
        m[Cmd::FileSave] = {true, "Save " + t + "..."};
        m[Cmd::FileSaveAs] = {app.textHasLines, "Save " + t + " as..."};
        m[Cmd::FilePrint] = {true, "Print " + t + "..."};
        break;
    case Current::None: break;
    }
    enable(m,
           {Cmd::UtilFind, Cmd::UtilChange, Cmd::UtilRound, Cmd::UtilSelect, Cmd::UtilSort,
            Cmd::UtilInfoFiles, Cmd::UtilInfoCodes, Cmd::UtilMerge},
           app.current == Current::Sheet);
}

void editMenu(MenuState& m, const AppSnapshot& app)
{
    if (app.current != Current::Canvas)
        return;
    m[Cmd::EditCut].enabled = app.canvasInfoSelection;
    m[Cmd::EditCopy].caption = app.canvasInfoSelection ? "Copy info" : "Copy the canvas...";
}

void plotMenu(MenuState& m, const AppSnapshot& app)
{
    const bool canvas = app.current == Current::Canvas;
    const bool withValues = canvas && app.canvasValues >= 1;
    const bool twoValues = canvas && app.canvasValues >= 2;
    m[Cmd::PlotEnterSheet].enabled =
        app.current == Current::Sheet || (canvas && app.sheetExists);
    enable(m, {Cmd::PlotRotation, Cmd::PlotEraseNet, Cmd::PlotClean}, canvas);
    enable(m,
           {Cmd::IdentifyClickedPole, Cmd::IdentifyClickedTrace, Cmd::IdentifyLasso,
            Cmd::IdentifyGivenCode, Cmd::IdentifyPlotNature, Cmd::IdentifyPlotNumber,
            Cmd::IdentifyPlotLocation, Cmd::IdentifyPlotComment, Cmd::ModifyEraseClickedPole,
            Cmd::ModifyEraseTrace, Cmd::ModifyEraseLasso, Cmd::ModifyEraseSymbol,
            Cmd::ModifyKeepLasso, Cmd::ModifyKeepSymbol, Cmd::ModifyChangeSymbols},
           withValues);
    const Cmd plotCodes[] = {Cmd::IdentifyPlotNature, Cmd::IdentifyPlotNumber,
                             Cmd::IdentifyPlotLocation, Cmd::IdentifyPlotComment};
    for (std::size_t i = 0; i < 4; ++i)
        m[plotCodes[i]].caption = "Plot code " + Quoted(app.codeHeadings[i]);
    enable(m,
           {Cmd::UtilityIntersection, Cmd::UtilityPlaneTwoPoles, Cmd::UtilityBisectorPlanes,
            Cmd::UtilityBisectorLine},
           twoValues);
    enable(m, {Cmd::UtilitySmallGreatIntersections, Cmd::UtilityShowPoleOrTrace}, withValues);
    m[Cmd::UtilityShowPoleOrTrace].caption = app.planesAsTraces
                                                 ? "Clicked cyclo trace : show pole"
                                                 : "Clicked pole : show cyclo trace";
    enable(m, {Cmd::NetStandard, Cmd::NetPolar, Cmd::NetAxedClicked, Cmd::NetAxedGiven,
               Cmd::NetIndexed},
           app.canvasExists);
}

void stats2DMenu(MenuState& m, const AppSnapshot& app)
{
    enable(m, {Cmd::RoseDiagram, Cmd::CircularHistogram, Cmd::CircularPlot,
               Cmd::LinearHistogram, Cmd::KuiperTest},
           app.sheetExists || app.canvasExists);
    m[Cmd::VonMises].enabled = false;
}

void stats3DMenu(MenuState& m, const AppSnapshot& app)
{
    const std::initializer_list<Cmd> main = {
        Cmd::BestPole, Cmd::BestGreatCircle, Cmd::BestSmallCircle, Cmd::Clusters,
        Cmd::Other3DStats, Cmd::Counting, Cmd::CountingNodePosition, Cmd::Contouring,
        Cmd::DisplayBestFits};
    const std::initializer_list<Cmd> fits = {Cmd::FitGreatTracking, Cmd::FitGreatTwoPoints,
                                             Cmd::FitSmallGrid, Cmd::FitSmallThreePoints};
    const std::initializer_list<Cmd> others = {
        Cmd::TestUniformity, Cmd::BestCircleAnalysis, Cmd::ErrorGreatCircle,
        Cmd::ErrorSmallCircle, Cmd::TestRotationalSymmetry, Cmd::WatsonAnalysis,
        Cmd::TestOutlier, Cmd::Trackdip};
    m[Cmd::FitGraphically].enabled = true;
    if (app.current == Current::Canvas) {
        const bool usable = app.canvasKind == 0 && app.canvasValues >= 2;
        enable(m, main, usable);
        enable(m, others, usable);
        enable(m, fits, true);
        m[Cmd::CountingNodePosition].enabled = app.canvasKind == 3 && app.canvasValues >= 2;
    } else {
        enable(m, main, false);
        enable(m, others, false);
        enable(m, fits, false);
    }
    m[Cmd::Other3DStats].enabled = app.sheetExists || app.canvasExists;
    m[Cmd::Trackdip].enabled = app.sheetExists;
}

void faultsMenu(MenuState& m, const AppSnapshot& app)
{
    const bool canvas = app.current == Current::Canvas;
    m[Cmd::FaultsSelect].enabled = app.sheetExists;
    enable(m, {Cmd::FaultsRotate, Cmd::FaultsPTAxis}, canvas && app.canvasValues >= 1);
    m[Cmd::FaultsMaker].enabled = false;
    enable(m, {Cmd::ExportStress, Cmd::ExportTektonics, Cmd::ExportYamaji},
           app.current == Current::Sheet);
    enable(m, {Cmd::DisplayStriaeRakes, Cmd::DisplayHangingWall, Cmd::DisplayStrikeHistogram,
               Cmd::DisplayDipHistogram, Cmd::DisplayRakeHistogram},
           canvas);
    m[Cmd::DihedraCalculate].enabled = canvas;
    enable(m, {Cmd::DihedraValueAtClick, Cmd::DihedraNodePosition, Cmd::DihedraNodeToZero,
               Cmd::DihedraContours},
           canvas && app.canvasKind == 7);
}

void windowsMenu(MenuState& m, const AppSnapshot& app)
{
    m[Cmd::WindowsArrange].enabled = app.windowsListed;
    m[Cmd::WindowsCloseSheets].enabled = app.sheetExists;
    m[Cmd::WindowsClosePlots].enabled = app.canvasExists;
    m[Cmd::WindowsCloseTexts].enabled = app.textExists;
}

} // namespace

MenuState::MenuState()
{
    for (int c = 0; c < kCmdCount; ++c)
        items_[static_cast<std::size_t>(c)].caption = CaptionOf(static_cast<Cmd>(c));
}

std::string Quoted(const std::string& title) { return "\"" + title + "\""; }

MenuState ComputeMenuState(const AppSnapshot& app)
{
    MenuState m;
    windowsMenu(m, app);
    fileMenu(m, app);
    editMenu(m, app);
    plotMenu(m, app);
    stats2DMenu(m, app);
    stats3DMenu(m, app);
    faultsMenu(m, app);
    m[Cmd::OptionsToolbar].caption = app.toolbarShown ? "Hide toolbar" : "Show toolbar";
    return m;
}

} // namespace ploq
