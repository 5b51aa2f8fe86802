#include "app/ScreenPlace.h"

#include "app/PlaceDialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ploq {

ScreenRect ScreenRectOf(const QWidget& window)
{
    const QRect r = window.frameGeometry();
    return {r.left(), r.top(), r.width(), r.height()};
}

Point PlaceBesideSheet(const QWidget& dialog, const QWidget& mainWindow, const QWidget& sheet,
                       int gap)
{
    Placement p;
    p.kind = 2;
    p.dialogWidth = dialog.frameGeometry().width();
    p.gap = gap;
    p.sheet = ScreenRectOf(sheet);
    p.mainWindow = ScreenRectOf(mainWindow);
    if (const QScreen* screen = mainWindow.screen())
        p.screenWidth = screen->availableGeometry().width();
    p.current = {dialog.x(), dialog.y()};
    return PlaceDialog(p);
}

void MoveOnScreen(QWidget& window, QPoint frameTopLeft)
{
    // A window not shown yet has no frame: its borders are allowed for.
    constexpr int kBorders = 16;
    QRect frame = window.frameGeometry();
    if (!window.isVisible())
        frame.setWidth(frame.width() + kBorders);
    const QScreen* screen = QGuiApplication::screenAt(frameTopLeft + QPoint(frame.width() / 2, 4));
    if (!screen)
        screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window.move(frameTopLeft);
        return;
    }
    const QRect a = screen->availableGeometry();
    const Point at =
        KeepOnScreen({frameTopLeft.x(), frameTopLeft.y(), frame.width(), frame.height()},
                     {a.left(), a.top(), a.width(), a.height()});
    window.move(at.x, at.y);
}

} // namespace ploq
