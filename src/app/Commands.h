#pragma once

// Every command of the main window, and the menu tree that shows them. Commands are routed
// by identity; the tree keeps the positions and captions the user sees (separators count as
// positions). Captions are Windows-1252.

#include <span>
#include <string>
#include <vector>

namespace ploq {

enum class Cmd : int {
    None,
    Separator,
    // File
    FileMenu, FileNew, FileOpen, FileReopen, FileImport, FileUtilities, FileLineOrPlane, FileSave,
    FileSaveAs, FileExport, FileDelete, FilePageSetup, FilePrint, FileQuit,
    UtilFind, UtilChange, UtilRound, UtilSelect, UtilSort, UtilInfoFiles, UtilInfoCodes,
    UtilMerge, UtilOpenOther,
    SortNature, SortNumbers, SortNumbersAsStrings, SortLocation, SortComment,
    // Edit
    EditMenu, EditUndo, EditCut, EditCopy, EditPaste,
    // Plot
    PlotMenu, PlotEnterSheet, PlotEnterKeyPad, PlotEnterClicking, PlotIdentify, PlotModify,
    PlotRotation, PlotGraphicUtilities, PlotDisplayNet, PlotEraseNet, PlotClean,
    ClickNewPole, ClickNewPlaneTracking, ClickNewPlaneTwoPoints,
    IdentifyClickedPole, IdentifyClickedTrace, IdentifyLasso, IdentifyGivenCode,
    IdentifyPlotNature, IdentifyPlotNumber, IdentifyPlotLocation, IdentifyPlotComment,
    ModifyEraseClickedPole, ModifyEraseTrace, ModifyEraseLasso, ModifyEraseSymbol,
    ModifyKeepLasso, ModifyKeepSymbol, ModifyChangeSymbols,
    UtilityIntersection, UtilityPlaneTwoPoles, UtilityBisectorPlanes, UtilityBisectorLine,
    UtilitySmallGreatIntersections, UtilityShowPoleOrTrace,
    NetStandard, NetPolar, NetAxedClicked, NetAxedGiven, NetIndexed,
    // Stats 3D
    Stats3DMenu, BestPole, BestGreatCircle, BestSmallCircle, FitGraphically, Clusters,
    Other3DStats, Counting, CountingNodePosition, Contouring, DisplayBestFits,
    FitGreatTracking, FitGreatTwoPoints, FitSmallGrid, FitSmallThreePoints,
    TestUniformity, BestCircleAnalysis, ErrorGreatCircle, ErrorSmallCircle,
    TestRotationalSymmetry, WatsonAnalysis, TestOutlier, Trackdip,
    // Stats 2D
    Stats2DMenu, RoseDiagram, CircularHistogram, CircularPlot, LinearHistogram, KuiperTest,
    VonMises,
    // Faults
    FaultsMenu, FaultsSheet, FaultsSelect, FaultsExport, FaultsDisplay, FaultsRotate,
    FaultsDihedra, FaultsPTAxis, FaultsMaker,
    ExportStress, ExportTektonics, ExportYamaji,
    DisplayStriaeRakes, DisplayHangingWall, DisplayStrikeHistogram, DisplayDipHistogram,
    DisplayRakeHistogram,
    DihedraCalculate, DihedraValueAtClick, DihedraNodePosition, DihedraNodeToZero,
    DihedraContours,
    // Windows
    WindowsMenu, WindowsArrange, WindowsCloseSheets, WindowsClosePlots, WindowsCloseTexts,
    // Options
    OptionsMenu, OptionsChoose, OptionsCharacters, OptionsToolbar, OptionsSave,
    OptionsSaveOnQuit,
    // About and Help
    About,
    HelpMenu, HelpSummary, HelpIndex, HelpSearch,
    // Tool bar only
    ClearInfo,
    Count
};

constexpr int kCmdCount = static_cast<int>(Cmd::Count);

// One item of the menu tree: a command with its caption and shortcut, or a submenu.
struct MenuNode {
    Cmd cmd = Cmd::Separator;
    std::string caption;
    std::string shortcut;
    std::vector<MenuNode> items;
    bool submenu = false;
};

// The menu bar: File, Edit, Plot, Stats 3D, Stats 2D, Faults, Windows, Options, About, Help.
const std::vector<MenuNode>& MenuTree();

// The node of a command, or null.
const MenuNode* FindNode(Cmd cmd);
// The position of a command in its menu, separators counted; -1 when it has none.
int PositionOf(Cmd cmd);
// The default caption of a command.
const std::string& CaptionOf(Cmd cmd);

// The buttons of the tool bar, in order, each mirroring a menu command.
std::span<const Cmd> ToolBarCommands();

} // namespace ploq
