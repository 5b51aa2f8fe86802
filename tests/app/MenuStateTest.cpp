#include "app/MenuState.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

struct Expect {
    Cmd cmd;
    bool enabled;
    const char* caption = nullptr; // null: not checked
};

void check(const AppSnapshot& app, std::initializer_list<Expect> expected, const char* situation)
{
    const MenuState m = ComputeMenuState(app);
    for (const Expect& e : expected) {
        EXPECT_EQ(m[e.cmd].enabled, e.enabled)
            << situation << ": " << CaptionOf(e.cmd) << " at " << PositionOf(e.cmd);
        if (e.caption) {
            EXPECT_EQ(m[e.cmd].caption, e.caption) << situation;
        }
    }
}

TEST(MenuState, NoWindowOpen)
{
    check({},
          {
              {Cmd::FileSave, false, "Save..."},
              {Cmd::FileSaveAs, false, "Save as..."},
              {Cmd::FileExport, false, "Export"},
              {Cmd::FilePrint, false, "Print..."},
              {Cmd::FileDelete, true, "Delete"},
              {Cmd::FileUtilities, true},
              {Cmd::UtilFind, false},
              {Cmd::UtilMerge, false},
              {Cmd::UtilOpenOther, true},
              {Cmd::PlotEnterSheet, false},
              {Cmd::PlotEnterKeyPad, true},
              {Cmd::PlotClean, false},
              {Cmd::NetStandard, false},
              {Cmd::IdentifyPlotNature, false, "Plot code \"Nature\""},
              {Cmd::BestPole, false},
              {Cmd::FitGraphically, true},
              {Cmd::FitGreatTracking, false},
              {Cmd::Other3DStats, false},
              {Cmd::RoseDiagram, false},
              {Cmd::VonMises, false},
              {Cmd::FaultsSheet, true},
              {Cmd::FaultsDihedra, true},
              {Cmd::FaultsSelect, false},
              {Cmd::FaultsMaker, false},
              {Cmd::WindowsArrange, false},
              {Cmd::WindowsCloseSheets, false},
              {Cmd::OptionsToolbar, true, "Hide toolbar"},
              {Cmd::EditCopy, true, "Copy"},
          },
          "no window");
}

TEST(MenuState, DirtySheetTitledS1)
{
    AppSnapshot app;
    app.current = Current::Sheet;
    app.title = "S1";
    app.sheetDirty = true;
    app.sheetExists = true;
    app.windowsListed = true;
    check(app,
          {
              {Cmd::FileSave, true, "Save \"S1\"..."},
              {Cmd::FileSaveAs, true, "Save \"S1\" as..."},
              {Cmd::FileExport, true, "Export \"S1\" to text"},
              {Cmd::FileDelete, true, "Delete \"S1\""},
              {Cmd::FilePrint, true, "Print \"S1\"..."},
              {Cmd::UtilFind, true},
              {Cmd::UtilSort, true},
              {Cmd::UtilMerge, true},
              {Cmd::PlotEnterSheet, true},
              {Cmd::PlotClean, false},
              {Cmd::RoseDiagram, true},
              {Cmd::VonMises, false},
              {Cmd::Other3DStats, true},
              {Cmd::Trackdip, true},
              {Cmd::BestPole, false},
              {Cmd::ExportYamaji, true},
              {Cmd::FaultsSelect, true},
              {Cmd::FaultsRotate, false},
              {Cmd::WindowsArrange, true},
              {Cmd::WindowsCloseSheets, true},
              {Cmd::WindowsClosePlots, false},
          },
          "dirty sheet");
    app.sheetDirty = false;
    check(app, {{Cmd::FileSave, false, "Save \"S1\"..."}}, "saved sheet");
}

TEST(MenuState, CanvasOfEachKindFamily)
{
    AppSnapshot app;
    app.current = Current::Canvas;
    app.title = " Canvas 1";
    app.canvasExists = true;
    app.canvasValues = 12;
    app.windowsListed = true;
    check(app,
          {
              {Cmd::FileSave, true, "Save plot \" Canvas 1\"..."},
              {Cmd::FileSaveAs, true, "Save measurements in canvas \" Canvas 1\"..."},
              {Cmd::FilePrint, true, "Print \" Canvas 1\"..."},
              {Cmd::FileExport, false, "Export"},
              {Cmd::UtilFind, false},
              {Cmd::EditCut, false},
              {Cmd::EditCopy, true, "Copy the canvas..."},
              {Cmd::PlotEnterSheet, false},
              {Cmd::PlotClean, true},
              {Cmd::PlotRotation, true},
              {Cmd::IdentifyClickedPole, true},
              {Cmd::ModifyChangeSymbols, true},
              {Cmd::UtilityIntersection, true},
              {Cmd::UtilityShowPoleOrTrace, true, "Clicked pole : show cyclo trace"},
              {Cmd::NetPolar, true},
              {Cmd::BestPole, true},
              {Cmd::DisplayBestFits, true},
              {Cmd::CountingNodePosition, false},
              {Cmd::FitGreatTracking, true},
              {Cmd::TestUniformity, true},
              {Cmd::Trackdip, false},
              {Cmd::FaultsRotate, true},
              {Cmd::DisplayHangingWall, true},
              {Cmd::DihedraCalculate, true},
              {Cmd::DihedraContours, false},
              {Cmd::WindowsClosePlots, true},
          },
          "ordinary canvas");

    app.canvasValues = 1;
    app.sheetExists = true;
    app.planesAsTraces = true;
    check(app,
          {
              {Cmd::PlotEnterSheet, true},
              {Cmd::UtilityIntersection, false},
              {Cmd::UtilityShowPoleOrTrace, true, "Clicked cyclo trace : show pole"},
              {Cmd::BestPole, false},
          },
          "canvas with one value and a sheet open");

    app.canvasValues = 0;
    check(app,
          {{Cmd::FileSaveAs, false}, {Cmd::IdentifyClickedPole, false}, {Cmd::FaultsRotate, false}},
          "empty canvas");

    app.canvasKind = 3;
    app.canvasValues = 30;
    check(app,
          {
              {Cmd::FileSaveAs, false, "Save as..."},
              {Cmd::BestPole, false},
              {Cmd::CountingNodePosition, true},
          },
          "counting canvas");

    app.canvasKind = 7;
    check(app,
          {
              {Cmd::FileSaveAs, true, "Save measurements in canvas \" Canvas 1\"..."},
              {Cmd::DihedraValueAtClick, true},
              {Cmd::DihedraContours, true},
          },
          "right dihedra canvas");

    app.canvasKind = 0;
    app.canvasInfoFocused = true;
    app.canvasInfoSelection = true;
    check(app,
          {
              {Cmd::FileSave, true, "Save  (info of \" Canvas 1\")..."},
              {Cmd::FileSaveAs, false, "Save as (info of \" Canvas 1\")..."},
              {Cmd::FilePrint, true, "Print (info of \" Canvas 1\")..."},
              {Cmd::EditCut, true},
              {Cmd::EditCopy, true, "Copy info"},
          },
          "canvas information panel");
}

TEST(MenuState, TextWindow)
{
    AppSnapshot app;
    app.current = Current::Text;
    app.title = "Info codes";
    app.textExists = true;
    check(app,
          {
              {Cmd::FileSave, true, "Save \"Info codes\"..."},
              {Cmd::FileSaveAs, false, "Save \"Info codes\" as..."},
              {Cmd::FilePrint, true},
              {Cmd::WindowsCloseTexts, true},
              {Cmd::PlotEnterSheet, false},
          },
          "empty text window");
    app.textHasLines = true;
    check(app, {{Cmd::FileSaveAs, true}}, "text window with lines");
}

TEST(MenuState, HeadingsAndToolbarCaptions)
{
    AppSnapshot app;
    app.codeHeadings = {"Nat.", "No", "Site", "Remark"};
    app.toolbarShown = false;
    const MenuState m = ComputeMenuState(app);
    EXPECT_EQ(m[Cmd::IdentifyPlotLocation].caption, "Plot code \"Site\"");
    EXPECT_EQ(m[Cmd::OptionsToolbar].caption, "Show toolbar");
}

TEST(MenuTree, PositionsCountSeparators)
{
    struct Case {
        Cmd cmd;
        int position;
    };
    const Case cases[] = {
        {Cmd::FileNew, 0},          {Cmd::FileUtilities, 5},   {Cmd::FileLineOrPlane, 6},
        {Cmd::FileSave, 8},         {Cmd::FileSaveAs, 9},      {Cmd::FileExport, 10},
        {Cmd::FileDelete, 12},      {Cmd::FilePageSetup, 14},  {Cmd::FilePrint, 15},
        {Cmd::FileQuit, 17},        {Cmd::UtilSelect, 4},      {Cmd::UtilInfoFiles, 7},
        {Cmd::UtilMerge, 10},       {Cmd::UtilOpenOther, 11},  {Cmd::EditCut, 2},
        {Cmd::PlotIdentify, 4},     {Cmd::PlotRotation, 6},    {Cmd::PlotGraphicUtilities, 8},
        {Cmd::PlotDisplayNet, 10},  {Cmd::PlotClean, 13},      {Cmd::IdentifyPlotNature, 5},
        {Cmd::ModifyChangeSymbols, 9}, {Cmd::UtilityShowPoleOrTrace, 8}, {Cmd::NetIndexed, 5},
        {Cmd::FitGraphically, 3},   {Cmd::Other3DStats, 6},    {Cmd::Counting, 8},
        {Cmd::DisplayBestFits, 12}, {Cmd::Trackdip, 11},       {Cmd::WatsonAnalysis, 8},
        {Cmd::LinearHistogram, 4},  {Cmd::VonMises, 7},        {Cmd::WindowsCloseSheets, 2},
        {Cmd::OptionsToolbar, 3},   {Cmd::OptionsSaveOnQuit, 6}, {Cmd::DihedraContours, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PositionOf(c.cmd), c.position) << CaptionOf(c.cmd);
    EXPECT_EQ(FindNode(Cmd::FileSave)->shortcut, "Ctrl+S");
    EXPECT_EQ(FindNode(Cmd::FileSaveAs)->shortcut, "Ctrl+Alt+S");
    EXPECT_EQ(CaptionOf(Cmd::BestPole), "Best p\xF4le");
    EXPECT_EQ(ToolBarCommands().size(), 15u);
}

} // namespace
} // namespace ploq
