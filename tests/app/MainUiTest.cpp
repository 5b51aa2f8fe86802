#include "app/Main.h"
#include "datasheet/TWFichier.h"
#include "support/UiApp.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace ploq {
namespace {

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t LineCount(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++count;
    return count;
}

// A test application whose preference file exists already, so start-up asks nothing.
struct StartedApp : test::UiApp {
    StartedApp() { SavePrefsFile(app.settings(), prefsPath(), clock.now()); }
};

TEST(MainWindow, TitleAndTopLevelMenus)
{
    StartedApp t;
    TForm1 window(t.app, {});
    EXPECT_EQ(window.windowTitle(), "Ploq 4");
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text().remove('&');
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "Plot", "Stats 3D", "Stats 2D", "Faults",
                                   "Windows", "Options", "About", "Help"}));
    EXPECT_TRUE(window.RichEdit1()->toPlainText().isEmpty());
}

TEST(MainWindow, OnlyClickingItsPanelMakesTheMainWindowCurrent)
{
    StartedApp t;
    TForm1 form(t.app, {});
    // The panel takes the focus back whenever the main window is activated (its menu bar
    // clicked) or a menu closes: the sheet stays current and "Enter (data sheet)" with it.
    const std::pair<Qt::FocusReason, bool> reasons[] = {
        {Qt::ActiveWindowFocusReason, false}, {Qt::PopupFocusReason, false},
        {Qt::OtherFocusReason, false},        {Qt::MouseFocusReason, true},
        {Qt::TabFocusReason, true},           {Qt::BacktabFocusReason, true}};
    for (const auto& [reason, toMain] : reasons) {
        form.run(Cmd::FileNew);
        TWFichier* sheet = CurrentSheet(t.app);
        ASSERT_NE(sheet, nullptr);
        ASSERT_EQ(t.app.registry().ActiveTag, sheet->tag());
        QFocusEvent focus(QEvent::FocusIn, reason);
        QApplication::sendEvent(form.RichEdit1(), &focus);
        EXPECT_EQ(t.app.registry().ActiveTag, toMain ? kTagMain : sheet->tag()) << reason;
        EXPECT_EQ(form.action(Cmd::PlotEnterSheet)->isEnabled(), !toMain) << reason;
    }
}

TEST(MainWindowPrefs, FirstStartWritesTheFileAndCloseRewritesIt)
{
    test::UiApp t;
    const std::filesystem::path path = t.prefsPath();
    t.prompts.expectMessage("Preference file \"" + path.string() + "\" not found or alterated...");
    TForm1 form(t.app, {});
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(LineCount(ReadBytes(path)), 248u);
    EXPECT_EQ(t.app.settings().FrtS, 0);

    t.app.settings().FrtS = 3;
    form.close();
    EXPECT_EQ(LineCount(ReadBytes(path)), 248u);
    VarGlob reread;
    EXPECT_TRUE(LoadPrefsFile(reread, path, {}, 0).empty());
    EXPECT_EQ(reread.FrtS, 3);
}

TEST(MainWindowPrefs, DamagedFileIsReportedAndTheWindowStillOpens)
{
    test::UiApp t;
    std::ofstream(t.prefsPath(), std::ios::binary) << "09:41 at 09:41:27\r\n20\r\nforty\r\n";
    t.prompts.expectMessage("line 3: an integer is expected");
    TForm1 form(t.app, {});
    EXPECT_EQ(t.app.settings().AmBS, 20);
    EXPECT_EQ(t.app.settings().PeBS, 40);
}

} // namespace
} // namespace ploq
