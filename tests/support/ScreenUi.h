#pragma once

// The whole screen as a picture beside the others, for widget tests run on a real display.

#include "canvas/PicturesUi.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace ploq::test {

// On a real display only (under Xvfb with QT_QPA_PLATFORM=xcb); offscreen it does nothing.
inline void SaveScreen(const QString& name)
{
    if (QGuiApplication::platformName() != "xcb")
        return;
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    SavePicture(QGuiApplication::primaryScreen()->grabWindow(0).toImage(), name);
}

} // namespace ploq::test
