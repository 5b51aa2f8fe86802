#pragma once

// The main window: the menu bar, the tool bar and the information panel that operations
// write their reports into. It holds no data: every command is routed to the current window.

#include "app/Commands.h"
#include "app/WindowRegistry.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>

class QAction;
class QMenu;
class QTextEdit;
class QToolBar;
class QToolButton;

namespace ploq {

class Application;
class HelpWindow;
class MenuKeysFirst;
struct ScreenMetrics;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // Start-up: reads the preference file, places the window and builds its menus.
    TForm1(Application& app, const ScreenMetrics& screen);
    ~TForm1() override;

    Application& app() { return app_; }
    QTextEdit* RichEdit1() const { return richEdit1_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* action(Cmd cmd) const { return actions_[static_cast<std::size_t>(cmd)]; }
    QMenu* menu(Cmd cmd) const;

    // Commands of later features plug in here; a command without a handler stays disabled.
    // A handler for a kind of window runs while such a window is the current object, in place
    // of the general one.
    void setHandler(Cmd cmd, std::function<void()> handler);
    void setHandler(Cmd cmd, WindowKind kind, std::function<void()> handler);
    const std::function<void()>& handler(Cmd cmd) const
    {
        return handlers_[static_cast<std::size_t>(cmd)];
    }
    // The handler that runs the command for the current object (may be empty).
    const std::function<void()>& currentHandler(Cmd cmd) const;
    bool hasHandler(Cmd cmd) const { return bool(currentHandler(cmd)); }
    // Runs a command as its menu item would, then refreshes the menus.
    void run(Cmd cmd);
    // Reopen items call this with their position.
    void setReopenHandler(std::function<void(int)> handler);

    void RefreshMenus();
    void AjusterMemo1();
    void SetMenuFRecents();

    // Appends a line (Windows-1252) to the information panel.
    void appendInfo(const std::string& line, bool bold = false);

    QMenu* symbolMenu() const { return symbolMenu_; }
    QMenu* addSymbolMenu() const { return addSymbolMenu_; }
    QWidget* aboutBox() const { return aboutBox_; }
    HelpWindow* helpWindow() const { return help_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void addItems(QMenu* menu, const std::vector<struct MenuNode>& items);
    void buildToolBar();
    void buildSymbolMenus();
    void installOwnCommands();
    void rebuildWindowList();
    void showHelp(int view);
    void toggleAbout();
    void arrange();
    int arrangedHeight() const;
    void closeAll(int kind);
    // The Edit command in the focused box of the tool dialog activated last, if any.
    bool editInDialog(Cmd edit);
    // Asks every data sheet and text window to close; false when one must stay open.
    bool closeChain();

    Application& app_;
    QTextEdit* richEdit1_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QToolButton* reopenButton_ = nullptr;
    std::array<QAction*, kCmdCount> actions_{};
    std::array<QMenu*, kCmdCount> menus_{};
    std::array<std::function<void()>, kCmdCount> handlers_{};
    std::array<std::array<std::function<void()>, kCmdCount>, 3> kindHandlers_{};
    std::function<void(int)> reopen_;
    QList<QAction*> windowItems_;
    QMenu* symbolMenu_ = nullptr;
    QMenu* addSymbolMenu_ = nullptr;
    QWidget* aboutBox_ = nullptr;
    HelpWindow* help_ = nullptr;
    MenuKeysFirst* menuKeys_ = nullptr;
};

} // namespace ploq
