#include "app/Application.h"
#include "app/Main.h"
#include "platform/Clock.h"
#include "platform/QtPrompts.h"
#include "platform/QtSurface.h"

#include <QApplication>
#include <QScreen>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    // Qt takes the user's locale for the C library; numbers are always written with a dot.
    std::setlocale(LC_NUMERIC, "C");

    ploq::QtPrompts prompts;
    ploq::SystemClock clock;
    ploq::QtImageFactory images(true);
    ploq::Application app(prompts, clock, images);
    const QScreen* screen = QGuiApplication::primaryScreen();
    ploq::TForm1 mainWindow(app, {screen->logicalDotsPerInch(), screen->geometry().width()});
    prompts.setParent(&mainWindow);
    prompts.setOwner([&app] { return app.concernedWindow(); });
    mainWindow.show();
    return qtApp.exec();
}
