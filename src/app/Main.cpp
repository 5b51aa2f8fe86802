#include "app/Main.h"

#include "platform/Clock.h"
#include "platform/Prompts.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTextEdit>

namespace ploq {

namespace {

ScreenMetrics PrimaryScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return {screen->logicalDotsPerInch(), screen->geometry().width()};
}

} // namespace

TForm1::TForm1(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), prefsPath_(PrefsPath())
{
    for (const Message& message :
         LoadPrefsFile(settings_, prefsPath_, PrimaryScreen(), SystemClock().now()))
        prompts_.message(message);
    setWindowTitle(QStringLiteral("Ploq 4"));
    richEdit1_ = new QTextEdit(this);
    richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
    setCentralWidget(richEdit1_);
    buildMenus();
    resize(900, 220);
}

void TForm1::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(tr("&File"));
    QAction* quit = file->addAction(tr("Quit"));
    quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    for (const char* title : {"&Edit", "&Plot", "Stats &3D", "Stats &2D", "F&aults", "&Windows",
                              "&Options", "A&bout", "&Help"})
        bar->addMenu(tr(title));
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (const auto failure = SavePrefsFile(settings_, prefsPath_, SystemClock().now()))
        prompts_.message(*failure);
    QMainWindow::closeEvent(event);
}

} // namespace ploq
