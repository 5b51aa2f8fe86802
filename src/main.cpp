#include "app/Main.h"

#include "platform/QtPrompts.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Qt takes the user's locale for the C library; numbers are always written with a dot.
    std::setlocale(LC_NUMERIC, "C");
    ploq::QtPrompts prompts;
    ploq::TForm1 mainWindow(prompts);
    prompts.setParent(&mainWindow);
    mainWindow.show();
    return app.exec();
}
