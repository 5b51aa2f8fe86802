#pragma once

// File > Datasheet utilities: "Round data", "Info files", "Info codes" and "Merge file", and the
// "Sort (forward)" submenu. The work is in DataU.h; these only ask, show and open windows.

#include <string>
#include <vector>

namespace ploq {

class Application;
class TForm1;
class TWFichier;
class TWText;

// The sheet windows, the most recently active first.
std::vector<TWFichier*> SheetsInWindowOrder(Application& app);

// Each runs on the current sheet, brought to the front first; nothing happens without one.
void RoundCurrentSheet(Application& app);
void SortCurrentSheet(Application& app, int menuItem); // the Sort submenu's item 0..4
// The listings, in new text windows; null when none could be opened (the user was told).
TWText* ListCodes(Application& app);
TWText* ListFiles(Application& app);
// The open sheets with rows merged into a new sheet; null when nothing was made.
TWFichier* MergeOpenSheets(TForm1& form, Application& app);

void InstallSheetUtilityCommands(TForm1& form, Application& app);

// The listings' windows.
constexpr int kCodesInfosWidth = 250;
constexpr int kCodesInfosHeight = 400;
constexpr int kFilesInfosWidth = 500;
constexpr int kFilesInfosHeight = 250;

} // namespace ploq
