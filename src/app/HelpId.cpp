#include "app/HelpId.h"

#include <algorithm>
#include <array>

namespace ploq {

namespace {

// Sized by its entries, so a new page is one more line.
constexpr auto kTopics = std::to_array<HelpTopic>({
    {kHelpContents, "contents.html", "Contents"},
    {kHelpNotations, "notations.html", "Notations of planes and lines"},
    {kHelpDataSheets, "datasheets.html", "Data sheets"},
    {kHelpImport, "import.html", "Text import and export"},
    {kHelpPlotting, "plotting.html", "Plotting a data sheet"},
    {kHelpNets, "nets.html", "Nets and projections"},
    {kHelpResults, "results.html", "Results kept on a canvas"},
    {kHelpPrinting, "printing.html", "Printing and pictures"},
    {kHelpBestPole, "bestpole.html", "Best axis and best plane"},
    {kHelpDisplayAdd, "displayadd.html", "Showing, copying and adding results"},
    {kHelpCounting, "counting.html", "Counting on the crown grid"},
    {kHelpContouring, "contouring.html", "Density contours"},
    {kHelpDihedraContours, "dihedracontours.html", "Contours of the right dihedra"},
    {kHelpTrackdip, "trackdip.html", "Trackdip"},
    {kHelpValLine, "valline.html", "Line or plane value"},
    {kHelpCircular, "circular.html", "Circular plot and circular tests"},
    {kHelpFaultViews, "faultviews.html", "Fault views and the selection on dip and pitch"},
    {kHelpSettings, "settings.html", "Settings"},
});

} // namespace

std::span<const HelpTopic> HelpTopics()
{
    return kTopics;
}

const HelpTopic& HelpTopicOf(int id)
{
    const auto it = std::find_if(kTopics.begin(), kTopics.end(),
                                 [id](const HelpTopic& t) { return t.id == id; });
    return it != kTopics.end() ? *it : kTopics.front();
}

ScreenRect HelpGeometry(HelpView view, const ScreenRect& mainWindow, int screenWidth,
                        int screenHeight)
{
    ScreenRect r;
    r.width = screenWidth < 1100 ? screenWidth - 200 : 900;
    r.left = (screenWidth - r.width) / 2;
    if (view == HelpView::Contents) {
        r.top = mainWindow.top + 65;
        r.height = std::min(700, screenHeight - mainWindow.top - 75);
    } else {
        // A short main window would make the viewer unreadable: it keeps 400 pixels at least.
        r.top = mainWindow.top + 85;
        r.height = std::max(400, mainWindow.height + 50);
    }
    return r;
}

} // namespace ploq
