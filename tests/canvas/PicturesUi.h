#pragma once

// Where the widget tests leave the pictures they draw, to be looked at after a change.

#include <QDir>
#include <QImage>
#include <QString>

namespace ploq::test {

inline QString SavePicture(const QImage& image, const QString& name)
{
    QDir().mkpath(PLOQ_PICTURES);
    const QString path = QString(PLOQ_PICTURES) + "/" + name;
    image.save(path);
    return path;
}

} // namespace ploq::test
