#include "app/Commands.h"

#include <array>
#include <functional>

namespace ploq {

namespace {

MenuNode item(Cmd cmd, std::string caption, std::string shortcut = {})
{
    return {cmd, std::move(caption), std::move(shortcut), {}};
}

MenuNode sub(Cmd cmd, std::string caption, std::vector<MenuNode> items)
{
    return {cmd, std::move(caption), {}, std::move(items), true};
}

MenuNode sep() { return {}; }

std::vector<MenuNode> buildTree()
{
    return {
        sub(Cmd::FileMenu, "&File",
            {item(Cmd::FileNew, "New", "Ctrl+N"), item(Cmd::FileOpen, "Open", "Ctrl+O"),
             sub(Cmd::FileReopen, "Reopen", {}), item(Cmd::FileImport, "Import data"), sep(),
             sub(Cmd::FileUtilities, "Datasheet utilities",
                 {item(Cmd::UtilFind, "Find"), item(Cmd::UtilChange, "Change"),
                  item(Cmd::UtilRound, "Round data"), sep(), item(Cmd::UtilSelect, "Select"),
                  sub(Cmd::UtilSort, "Sort (forward)",
                      {item(Cmd::SortNature, "Nature"), item(Cmd::SortNumbers, "Numbers"),
                       item(Cmd::SortNumbersAsStrings, "Numbers as strings"),
                       item(Cmd::SortLocation, "Location"), item(Cmd::SortComment, "Comment")}),
                  sep(), item(Cmd::UtilInfoFiles, "Info files"),
                  item(Cmd::UtilInfoCodes, "Info codes"), sep(), item(Cmd::UtilMerge, "Merge file"),
                  item(Cmd::UtilOpenOther, "Open other files")}),
             item(Cmd::FileLineOrPlane, "Line or plane value"), sep(),
             item(Cmd::FileSave, "Save...", "Ctrl+S"),
             item(Cmd::FileSaveAs, "Save as...", "Ctrl+Alt+S"), item(Cmd::FileExport, "Export"),
             sep(), item(Cmd::FileDelete, "Delete"), sep(),
             item(Cmd::FilePageSetup, "Page set up"), item(Cmd::FilePrint, "Print...", "Ctrl+I"),
             sep(), item(Cmd::FileQuit, "Quit", "Ctrl+Q")}),
        sub(Cmd::EditMenu, "&Edit",
            {item(Cmd::EditUndo, "Undo", "Ctrl+Z"), sep(), item(Cmd::EditCut, "Cut", "Ctrl+X"),
             item(Cmd::EditCopy, "Copy", "Ctrl+C"), item(Cmd::EditPaste, "Paste", "Ctrl+V")}),
        sub(Cmd::PlotMenu, "&Plot",
            {item(Cmd::PlotEnterSheet, "Enter (data sheet)", "Ctrl+E"),
             item(Cmd::PlotEnterKeyPad, "Enter (key pad)"),
             sub(Cmd::PlotEnterClicking, "Enter (clicking in canvas)",
                 {item(Cmd::ClickNewPole, "New pole (axis or plane)"),
                  item(Cmd::ClickNewPlaneTracking, "New plane (cyclo trace tracking)"),
                  item(Cmd::ClickNewPlaneTwoPoints, "New plane (cyclo trace via 2 ckd pts)")}),
             sep(),
             sub(Cmd::PlotIdentify, "Identify",
                 {item(Cmd::IdentifyClickedPole, "Clicked pole"),
                  item(Cmd::IdentifyClickedTrace, "Clicked cyclographic trace"),
                  item(Cmd::IdentifyLasso, "Poles in lasso"),
                  item(Cmd::IdentifyGivenCode, "Given code"), sep(),
                  item(Cmd::IdentifyPlotNature, "Plot code Nature"),
                  item(Cmd::IdentifyPlotNumber, "Plot code Number"),
                  item(Cmd::IdentifyPlotLocation, "Plot code Location"),
                  item(Cmd::IdentifyPlotComment, "Plot code Comment")}),
             sub(Cmd::PlotModify, "Modify",
                 {item(Cmd::ModifyEraseClickedPole, "Erase clicked pole"),
                  item(Cmd::ModifyEraseTrace, "Erase cyclographic trace"), sep(),
                  item(Cmd::ModifyEraseLasso, "Erase poles in lasso"),
                  item(Cmd::ModifyEraseSymbol, "Erase selected symbol"), sep(),
                  item(Cmd::ModifyKeepLasso, "Keep only poles in lasso"),
                  item(Cmd::ModifyKeepSymbol, "Keep selected symbol"), sep(),
                  item(Cmd::ModifyChangeSymbols, "Change symbols")}),
             item(Cmd::PlotRotation, "Rotation"), sep(),
             sub(Cmd::PlotGraphicUtilities, "Other graphical utilities",
                 {item(Cmd::UtilityIntersection, "Intersection of 2 plotted planes"),
                  item(Cmd::UtilityPlaneTwoPoles, "Plane defined by 2 plotted poles "), sep(),
                  item(Cmd::UtilityBisectorPlanes, "Bissector planes (2 cyclo traces)"),
                  item(Cmd::UtilityBisectorLine, "Bissector line (2 poles)"), sep(),
                  item(Cmd::UtilitySmallGreatIntersections,
                       "Small circle / great circle intersections"),
                  sep(), item(Cmd::UtilityShowPoleOrTrace, "Clicked pole : show cyclo trace")}),
             sep(),
             sub(Cmd::PlotDisplayNet, "Display stereographic net",
                 {item(Cmd::NetStandard, "Standard"), item(Cmd::NetPolar, "Polar"),
                  item(Cmd::NetAxedClicked, "Axed on clicked position"),
                  item(Cmd::NetAxedGiven, "Axed on given axis"), sep(),
                  item(Cmd::NetIndexed, "Indexed grid")}),
             item(Cmd::PlotEraseNet, "Erase stereographic net"), sep(),
             item(Cmd::PlotClean, "Clean", "Ctrl+K")}),
        sub(Cmd::Stats3DMenu, "Stats &3D",
            {item(Cmd::BestPole, "Best p\xF4le"), item(Cmd::BestGreatCircle, "Best great circle"),
             item(Cmd::BestSmallCircle, "Best small circle"),
             sub(Cmd::FitGraphically, "Fit graphically a small/great circle",
                 {item(Cmd::FitGreatTracking, "Great circle (mouse tracking)"),
                  item(Cmd::FitGreatTwoPoints, "Great circle (via 2 clicked pts)"),
                  item(Cmd::FitSmallGrid, "Small circle (using a grid)"),
                  item(Cmd::FitSmallThreePoints, "Small circle (via 3 ckd pts)")}),
             sep(), item(Cmd::Clusters, "Clusters"),
             sub(Cmd::Other3DStats, "Other 3D stats",
                 {item(Cmd::TestUniformity, "Test uniformity (Eigen values analysis)"), sep(),
                  item(Cmd::BestCircleAnalysis, "Best circle distribution analysis"),
                  item(Cmd::ErrorGreatCircle, "Error on great circle (bootstrap)"),
                  item(Cmd::ErrorSmallCircle, "Error on small circle (bootstrap)"), sep(),
                  item(Cmd::TestRotationalSymmetry, "Test rotational symmetry"), sep(),
                  item(Cmd::WatsonAnalysis, "Watson distribution analysis"),
                  item(Cmd::TestOutlier, "Test outlier"), sep(),
                  item(Cmd::Trackdip, "Trackdip", "Ctrl+T")}),
             sep(), item(Cmd::Counting, "Counting"),
             item(Cmd::CountingNodePosition, "Counting-grid nod position"),
             item(Cmd::Contouring, "Contouring"), sep(),
             item(Cmd::DisplayBestFits, "Display best fits", "Ctrl+D")}),
        sub(Cmd::Stats2DMenu, "Stats &2D",
            {item(Cmd::RoseDiagram, "Rose diagram"),
             item(Cmd::CircularHistogram, "Circular histogram"),
             item(Cmd::CircularPlot, "Circular plot"), sep(),
             item(Cmd::LinearHistogram, "Linear histogram"), sep(),
             item(Cmd::KuiperTest, "Kuiper test"), item(Cmd::VonMises, "Von Mises distribution")}),
        sub(Cmd::FaultsMenu, "F&aults",
            {item(Cmd::FaultsSheet, "Faults/striae datasheet"),
             item(Cmd::FaultsSelect, "Select faults on dip and pitch"),
             sub(Cmd::FaultsExport, "Export faults datasheet",
                 {item(Cmd::ExportStress, "Stress 331"), item(Cmd::ExportTektonics, "Tektonics VB"),
                  item(Cmd::ExportYamaji, "Yamaji")}),
             sep(),
             sub(Cmd::FaultsDisplay, "Display",
                 {item(Cmd::DisplayStriaeRakes, "Striae rakes "),
                  item(Cmd::DisplayHangingWall, "Hanging wall movement"),
                  item(Cmd::DisplayStrikeHistogram, "Fault strike histogram"),
                  item(Cmd::DisplayDipHistogram, "Fault dip histogram"),
                  item(Cmd::DisplayRakeHistogram, "Striae rake histogram")}),
             item(Cmd::FaultsRotate, "Rotate"),
             sub(Cmd::FaultsDihedra, "Right angle dihedra",
                 {item(Cmd::DihedraCalculate, "Calculate"),
                  item(Cmd::DihedraValueAtClick, "Value at clicked position"), sep(),
                  item(Cmd::DihedraNodePosition, "Nod position"),
                  item(Cmd::DihedraNodeToZero, "Set a nod to zero"), sep(),
                  item(Cmd::DihedraContours, "Density contours")}),
             item(Cmd::FaultsPTAxis, "P-T axis"), sep(), item(Cmd::FaultsMaker, "Faults maker")}),
        sub(Cmd::WindowsMenu, "&Windows",
            {item(Cmd::WindowsArrange, "Arrange"), sep(),
             item(Cmd::WindowsCloseSheets, "Close datasheets"),
             item(Cmd::WindowsClosePlots, "Close plots"),
             item(Cmd::WindowsCloseTexts, "Close W. text")}),
        sub(Cmd::OptionsMenu, "&Options",
            {item(Cmd::OptionsChoose, "Choose"), item(Cmd::OptionsCharacters, "Characters"), sep(),
             item(Cmd::OptionsToolbar, "Hide toolbar"), sep(),
             item(Cmd::OptionsSave, "Save options"), item(Cmd::OptionsSaveOnQuit, "Save on quit")}),
        item(Cmd::About, "A&bout"),
        sub(Cmd::HelpMenu, "&Help",
            {item(Cmd::HelpSummary, "Summary"), item(Cmd::HelpIndex, "Index"),
             item(Cmd::HelpSearch, "Search in Help")}),
    };
}

struct Located {
    const MenuNode* node = nullptr;
    int position = -1;
};

// Every command's node and position, found once.
const std::array<Located, kCmdCount>& index()
{
    static const std::array<Located, kCmdCount> table = [] {
        std::array<Located, kCmdCount> t{};
        const std::function<void(const std::vector<MenuNode>&)> walk =
            [&](const std::vector<MenuNode>& items) {
                for (std::size_t i = 0; i < items.size(); ++i) {
                    const MenuNode& node = items[i];
                    if (node.cmd != Cmd::Separator)
                        t[static_cast<std::size_t>(node.cmd)] = {&node, static_cast<int>(i)};
                    walk(node.items);
                }
            };
        walk(MenuTree());
        return t;
    }();
    return table;
}

} // namespace

const std::vector<MenuNode>& MenuTree()
{
    static const std::vector<MenuNode> tree = buildTree();
    return tree;
}

const MenuNode* FindNode(Cmd cmd) { return index()[static_cast<std::size_t>(cmd)].node; }

int PositionOf(Cmd cmd) { return index()[static_cast<std::size_t>(cmd)].position; }

const std::string& CaptionOf(Cmd cmd)
{
    static const std::string none;
    const MenuNode* node = FindNode(cmd);
    return node ? node->caption : none;
}

std::span<const Cmd> ToolBarCommands()
{
    static constexpr std::array<Cmd, 15> buttons = {
        Cmd::FileLineOrPlane,     Cmd::FileNew,       Cmd::FileOpen,         Cmd::FileReopen,
        Cmd::FileSave,            Cmd::FilePrint,     Cmd::PlotEnterSheet,   Cmd::PlotRotation,
        Cmd::BestPole,            Cmd::BestGreatCircle, Cmd::IdentifyClickedPole,
        Cmd::IdentifyClickedTrace, Cmd::DisplayBestFits, Cmd::HelpSummary,  Cmd::ClearInfo};
    return buttons;
}

} // namespace ploq
