#include "app/Application.h"
#include "app/Main.h"
#include "datasheet/TWFichierCommands.h"
#include "platform/Clock.h"
#include "platform/QtPrompts.h"
#include "platform/QtSurface.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>

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
    // "ploq FILE.plq ...", as a file manager starts it: each sheet opened as File > Open opens it.
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        ploq::LoadSheet(mainWindow, app, arguments[i].toLocal8Bit().toStdString());
    return qtApp.exec();
}
