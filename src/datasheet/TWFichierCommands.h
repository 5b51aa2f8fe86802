#pragma once

// The File menu's commands on data sheets: New, Open, Reopen, Save, Save as, Delete and Print.

#include <string>
#include <string_view>

namespace ploq {

class Application;
class TForm1;
class TWFichier;

// Plugs the commands into the main window.
void InstallSheetCommands(TForm1& form, Application& app);

// A new sheet filled from the file, its dates and size written in the information panel and
// its remarks told; null when the file is refused (told) or no slot is free.
TWFichier* LoadSheet(TForm1& form, Application& app, const std::string& path);
// Asks for a data sheet file and loads it.
void OpenSheet(TForm1& form, Application& app);
// The recent file at `index` (0 first): the sheet that shows it comes to the front, or it is
// loaded.
void ReopenRecent(TForm1& form, Application& app, int index);
// "Save" and "Save as..." of the current object.
void SaveCurrent(Application& app, bool saveAs);
// The sheet shown, raised, activated and made the current sheet.
void BringToFront(TWFichier& sheet);
// "Delete": the current sheet's file (the sheet closes first), or a file asked for.
void DeleteFile(Application& app);

inline constexpr std::string_view kMsgFileNotFound =
    "File not found (file directory modified, or file access error)";

} // namespace ploq
