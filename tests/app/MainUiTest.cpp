#include "app/Main.h"

#include <QMenuBar>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace ploq {
namespace {

TEST(MainWindow, TitleAndTopLevelMenus)
{
    TForm1 window;
    EXPECT_EQ(window.windowTitle(), "Ploq 4");
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text().remove('&');
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "Plot", "Stats 3D", "Stats 2D", "Faults",
                                   "Windows", "Options", "About", "Help"}));
    EXPECT_TRUE(window.RichEdit1()->toPlainText().isEmpty());
}

} // namespace
} // namespace ploq
