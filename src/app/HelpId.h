#pragma once

// Help topics by number, as context help asks for them, and where the help window opens.

#include "app/PlaceDialog.h"

#include <span>
#include <string_view>

namespace ploq {

struct HelpTopic {
    int id;
    std::string_view page; // file name of the page in the bundled help
    std::string_view title;
};

constexpr int kHelpContents = 1;
constexpr int kHelpNotations = 10;
constexpr int kHelpDataSheets = 20;
constexpr int kHelpImport = 25;
constexpr int kHelpPlotting = 30;
constexpr int kHelpNets = 40;
constexpr int kHelpResults = 50;
constexpr int kHelpPrinting = 60;
constexpr int kHelpBestPole = 180;
constexpr int kHelpDisplayAdd = 190;
constexpr int kHelpCounting = 200;
constexpr int kHelpContouring = 220;
constexpr int kHelpDihedraContours = 250;
constexpr int kHelpTrackdip = 310;
constexpr int kHelpValLine = 350;
constexpr int kHelpCircular = 360;
constexpr int kHelpFaultViews = 390;
constexpr int kHelpSettings = 80;

std::span<const HelpTopic> HelpTopics();
// The topic of a number; unknown numbers give the contents.
const HelpTopic& HelpTopicOf(int id);

enum class HelpView { Contents, Index, Search };

// The help window: 900 pixels wide (the screen width less 200 on screens narrower than 1100),
// centred; the contents 65 pixels below the main window's top and at most 700 high, the index
// and search 85 pixels below it and 50 higher than the main window (400 at least).
ScreenRect HelpGeometry(HelpView view, const ScreenRect& mainWindow, int screenWidth,
                        int screenHeight);

} // namespace ploq
