// Quitting asks every window with unsaved changes, and never loses them.

#include "app/Main.h"
#include "support/UiApp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>

#include <gtest/gtest.h>

#include <filesystem>

namespace ploq {
namespace {

// A data sheet stand-in whose question and save are scripted.
class FakeSheet : public QWidget, public DataWindow {
public:
    FakeSheet(Application& app, std::string title, bool dirty, bool saveWorks = true)
        : QWidget(nullptr, Qt::Window), app_(app), title_(std::move(title)), dirty_(dirty),
          saveWorks_(saveWorks)
    {
        app_.addWindow(*this);
        app_.activateWindow(*this);
    }
    ~FakeSheet() override { app_.removeWindow(*this); }

    WindowKind kind() const override { return WindowKind::Sheet; }
    std::string title() const override { return title_; }
    bool isNormal() const override { return true; }
    void describe(AppSnapshot& s) const override { s.sheetDirty = dirty_; }
    bool queryClose() override
    {
        if (!dirty_)
            return true;
        switch (app_.prompts().confirmation("Sheet \"" + title_ + "\" modified and non saved. Save it before closing ?",
                                            Button::Yes | Button::No | Button::Cancel)) {
        case Button::Yes: return saveWorks_;
        case Button::No: return true;
        default: return false;
        }
    }
    void closeWithoutAsking() override
    {
        closed = true;
        app_.removeWindow(*this);
    }
    bool closed = false;

private:
    Application& app_;
    std::string title_;
    bool dirty_;
    bool saveWorks_;
};

struct CloseChain : ::testing::Test {
    CloseChain() { SavePrefsFile(t.app.settings(), t.prefsPath(), 0); }
    std::filesystem::file_time_type prefsTime() { return std::filesystem::last_write_time(t.prefsPath()); }

    test::UiApp t;
};

TEST_F(CloseChain, CancelKeepsPloqRunningAndStillWritesThePreferences)
{
    TForm1 form(t.app, {});
    FakeSheet sheet(t.app, "S1", true);
    std::filesystem::remove(t.prefsPath());
    t.prompts.expectMessage("Sheet \"S1\" modified and non saved", Button::Cancel);
    QCloseEvent event;
    QApplication::sendEvent(&form, &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_FALSE(sheet.closed);
    EXPECT_TRUE(std::filesystem::exists(t.prefsPath()));
}

TEST_F(CloseChain, AFailedSaveStopsTheChainAndLaterWindowsAreNotAsked)
{
    TForm1 form(t.app, {});
    FakeSheet clean(t.app, "A", false);
    FakeSheet failing(t.app, "B", true, false);
    FakeSheet later(t.app, "C", true);
    t.prompts.expectMessage("\"B\"", Button::Yes);
    QCloseEvent event;
    QApplication::sendEvent(&form, &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_TRUE(clean.closed);
    EXPECT_FALSE(failing.closed) << "its save failed: its data stay";
    EXPECT_FALSE(later.closed);
}

TEST_F(CloseChain, AnsweringEveryQuestionQuits)
{
    TForm1 form(t.app, {});
    FakeSheet saved(t.app, "A", true);
    FakeSheet dropped(t.app, "B", true);
    t.prompts.expectMessage("\"A\"", Button::Yes).expectMessage("\"B\"", Button::No);
    QCloseEvent event;
    QApplication::sendEvent(&form, &event);
    EXPECT_TRUE(event.isAccepted());
    EXPECT_TRUE(saved.closed && dropped.closed);
}

TEST_F(CloseChain, WindowsMenuListsSortedTitlesAndChecksTheCurrentOne)
{
    TForm1 form(t.app, {});
    FakeSheet b(t.app, "B", false);
    FakeSheet a(t.app, "A", false);
    QStringList items;
    QString checked;
    for (QAction* action : form.menu(Cmd::WindowsMenu)->actions()) {
        items << action->text();
        if (action->isChecked())
            checked = action->text();
    }
    EXPECT_EQ(items.mid(0, 5), (QStringList{"Arrange", "", "Close datasheets", "Close plots",
                                            "Close W. text"}));
    EXPECT_EQ(items.mid(5, 3), (QStringList{"", "A", "B"}));
    EXPECT_EQ(checked, "A");
    EXPECT_TRUE(form.action(Cmd::WindowsCloseSheets)->isEnabled());
    EXPECT_FALSE(form.action(Cmd::WindowsClosePlots)->isEnabled());
}

TEST_F(CloseChain, CommandsWithoutHandlersStayDisabled)
{
    TForm1 form(t.app, {});
    FakeSheet sheet(t.app, "S1", true);
    EXPECT_EQ(form.action(Cmd::FileExport)->text(), "Export \"S1\" to text");
    EXPECT_TRUE(form.action(Cmd::FileExport)->isEnabled());
    // "Info files" is enabled with a current sheet, as long as something runs it.
    EXPECT_TRUE(form.action(Cmd::UtilInfoFiles)->isEnabled());
    form.setHandler(Cmd::UtilInfoFiles, {});
    form.RefreshMenus();
    EXPECT_FALSE(form.action(Cmd::UtilInfoFiles)->isEnabled()) << "nothing lists the files";
    form.setHandler(Cmd::UtilInfoFiles, [] {});
    form.RefreshMenus();
    EXPECT_TRUE(form.action(Cmd::UtilInfoFiles)->isEnabled());
    EXPECT_TRUE(form.action(Cmd::HelpSummary)->isEnabled());
}

} // namespace
} // namespace ploq
