#pragma once

// The application object: it owns the settings block, the registry of data windows and the
// single-instance dialogs, and holds the services every window uses (prompts, clock, images).

#include "app/MenuState.h"
#include "app/VarGlob.h"
#include "app/WindowRegistry.h"
#include "canvas/UtilDessin.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <map>

namespace ploq {

class Clock;
class ImageFactory;
class Prompts;

// Dialog tags, each dialog a single instance.
enum DialogTag : int {
    kDlgValLine = 12304,
    kDlgEnterFile = 12305,
    kDlgDataU = 12306,
    kDlgDisplayAdd = 12307,
    kDlgEnterFaults = 12308,
    kDlgEnterKB = 12309,
    kDlgKeepCM = 12310,
    kDlgPlotGCPC = 12311,
    kDlgRotate = 12312,
    kDlgStats2D = 12313,
    kDlgImportText = 12318,
    kDlgMedian2D = 12315,
    kDlgUseSymb = 12314,
    kDlgMessage = 12316,
    kDlgChangeSy = 12317,
    kDlgTailleCnvs = 12319,
    kDlgAddToData = 12320,
    kDlgUseDataSheet = 12321,
    kDlgEnterCkdPts = 12322,
    kDlgPlotClusters = 12323,
    kDlgOptions = 12344,
};

// Shown and neither minimised nor maximised: what a data window's isNormal() tells.
bool IsNormalWindow(const QWidget& window);

class Application : public QObject {
    Q_OBJECT

public:
    Application(Prompts& prompts, Clock& clock, ImageFactory& images,
                std::filesystem::path prefsPath = PrefsPath());

    Prompts& prompts() { return prompts_; }
    Clock& clock() { return clock_; }
    ImageFactory& images() { return images_; }
    VarGlob& settings() { return settings_; }
    const VarGlob& settings() const { return settings_; }
    WindowRegistry& registry() { return registry_; }
    // The (symbol, colour) sets the commands of the current canvas work on.
    SymbolSelection& Tsy() { return tsy_; }
    const std::filesystem::path& prefsPath() const { return prefsPath_; }
    // The main window, where new windows are placed from.
    QWidget* mainWindow() const { return mainWindow_; }
    // The window a question or a message concerns: the modal dialog that asks it, else the
    // window being worked in, else (when the main window's menus were used) the current
    // sheet, canvas or text window, else the main window.
    QWidget* concernedWindow() const;
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

    // Start-up: reads the preference file, telling the user what went wrong.
    void loadSettings(const ScreenMetrics& screen);
    // Writes the preference file; a failure is told, and the block stays as it is.
    bool saveSettings();

    // Data windows report their life here; each change refreshes the menus.
    bool addWindow(DataWindow& window);
    void removeWindow(DataWindow& window);
    void activateWindow(DataWindow& window);
    void activateMain();

    // The single instance of a dialog, or null when it is not open.
    QWidget* dialog(int tag) const;
    // Keeps the dialog as the instance of its tag; it is forgotten when destroyed.
    void setDialog(int tag, QWidget* dialog);
    // A tool dialog that works on no data window was activated: the Edit menu works in it
    // (ActiveTag takes its tag) until another window is activated.
    void activateDialog(int tag);
    // Such a dialog closes: the Edit menu goes back to the information panel.
    void dialogClosed(int tag);
    // Closes every open dialog whose tag is above `aboveTag`.
    void closeDialogs(int aboveTag = 12297);

    // The application's state as the menus see it.
    AppSnapshot snapshot() const;

signals:
    // Something the menus depend on changed.
    void menusChanged();

private:
    Prompts& prompts_;
    Clock& clock_;
    ImageFactory& images_;
    std::filesystem::path prefsPath_;
    VarGlob settings_;
    WindowRegistry registry_;
    SymbolSelection tsy_;
    std::map<int, QPointer<QWidget>> dialogs_;
    QWidget* mainWindow_ = nullptr;
};

} // namespace ploq
