#include "app/Main.h"
#include "datasheet/TWFichier.h"
#include "app/PlaceDialog.h"
#include "canvas/PicturesUi.h"
#include "canvas/QtSymbolImages.h"
#include "support/UiApp.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

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

// The symbol menus show each symbol's shape beside its number: item "01" of the first menu
// shows symbol 1, item "01" of the second symbol 101.
TEST(MainWindow, SymbolMenusShowTheShapes)
{
    StartedApp t;
    TForm1 window(t.app, {});
    const auto isBlank = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    return false;
        return true;
    };
    for (const auto& [menu, first, count] :
         {std::tuple{window.symbolMenu(), 1, 16}, std::tuple{window.addSymbolMenu(), 101, 11}}) {
        ASSERT_EQ(menu->actions().size(), count);
        for (int i = 0; i < count; ++i) {
            const QAction* item = menu->actions()[i];
            ASSERT_FALSE(item->icon().isNull()) << item->text().toStdString();
            const QImage shown =
                item->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_FALSE(isBlank(shown)) << item->text().toStdString();
            EXPECT_EQ(shown, ApercuSymboleImage(t.app.settings().Tco, first + i, 0, {16, 16})
                                 .convertToFormat(QImage::Format_RGB32))
                << item->text().toStdString();
        }
        test::SavePicture(menu->grab().toImage(), QString("symbol-menu-%1.png").arg(first));
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

// The frame is put back where it was, start after start; a frame whose title bar would be off
// the screen comes back onto it.
TEST(MainWindowPrefs, TheFrameStaysWhereItWasAndOnTheScreen)
{
    StartedApp t;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    VarGlob& s = t.app.settings();
    s.MainL = screen.left() + 100;
    s.MainT = screen.top() + 20;
    SavePrefsFile(s, t.prefsPath(), 0);
    for (int start = 0; start < 3; ++start) {
        TForm1 form(t.app, {});
        form.show();
        EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(s.MainL, s.MainT));
        form.close();
        EXPECT_EQ(s.MainL, screen.left() + 100) << "start " << start;
        EXPECT_EQ(s.MainT, screen.top() + 20) << "start " << start;
    }

    const QPoint offScreen[] = {{screen.left() + 100, screen.top() - 40},
                                {screen.right() + 50, screen.bottom() + 10},
                                {screen.left() - 5000, screen.top() + 20}};
    for (const QPoint& at : offScreen) {
        s.MainL = at.x();
        s.MainT = at.y();
        SavePrefsFile(s, t.prefsPath(), 0);
        TForm1 form(t.app, {});
        form.show();
        const QRect frame = form.frameGeometry();
        EXPECT_GE(frame.top(), screen.top()) << at.x() << "," << at.y();
        EXPECT_LE(frame.top() + kTitleBarReach, screen.top() + screen.height())
            << at.x() << "," << at.y();
        EXPECT_GE(frame.left(), screen.left()) << at.x() << "," << at.y();
        EXPECT_LE(frame.right(), screen.right()) << at.x() << "," << at.y();
        form.close();
    }
}

TEST(MainWindow, ArrangeStacksTheWindowsBelowAPanelStillInSight)
{
    StartedApp t;
    t.app.settings().MainH = 400;
    TForm1 form(t.app, {});
    form.show();
    form.run(Cmd::FileNew);
    form.run(Cmd::FileNew);
    form.run(Cmd::WindowsArrange);
    QApplication::processEvents(); // the layout follows the new size
    const int lines = 3 * QFontMetrics(form.RichEdit1()->font()).lineSpacing();
    EXPECT_GE(form.height(), form.minimumHeight() + lines) << "room for the menus and the panel";
    EXPECT_LT(form.height(), 400) << "shrunk to its menus and a short panel";
    int k = 0;
    for (DataWindow* sheet : t.app.registry().windows(WindowKind::Sheet)) {
        const QRect frame = dynamic_cast<QWidget*>(sheet)->frameGeometry();
        EXPECT_EQ(frame.top(), form.frameGeometry().bottom() + 30 + 15 * k);
        EXPECT_EQ(frame.left(), form.frameGeometry().left() + 20 * k);
        ++k;
    }
    const int arranged = form.height();
    for (DataWindow* sheet : t.app.registry().windows(WindowKind::Sheet))
        sheet->closeWithoutAsking();
    form.close();
    EXPECT_EQ(t.app.settings().MainH, arranged);
}

// Reaching the menu bar activates the main window and gives its panel the focus: the sheet
// being worked on stays the current object. Only a click in the panel makes it current.
TEST(MainWindow, OnlyAClickInThePanelMakesItCurrent)
{
    StartedApp t;
    TForm1 form(t.app, {});
    form.show();
    form.run(Cmd::FileNew);
    const int sheetTag = t.app.registry().ActiveTag;
    ASSERT_NE(sheetTag, kTagMain);
    QFocusEvent focus(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(form.RichEdit1(), &focus);
    EXPECT_EQ(t.app.registry().ActiveTag, sheetTag);
    EXPECT_TRUE(form.action(Cmd::PlotEnterSheet)->isEnabled());
    EXPECT_EQ(form.action(Cmd::FilePrint)->text(), "Print \"Data sheet 1\"...");

    QTest::mouseClick(form.RichEdit1()->viewport(), Qt::LeftButton);
    EXPECT_EQ(t.app.registry().ActiveTag, kTagMain);
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
