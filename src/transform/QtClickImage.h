#pragma once

// A picture that tells where the mouse button was released on it, in its own pixels: the
// tables of the symbol dialogs act on the release, as a click on a canvas does. With the frame
// and the row of buttons the symbol dialogs share.

#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace ploq {

class ClickImage : public QLabel {
public:
    using Released = std::function<void(int x, int y)>;

    explicit ClickImage(QWidget* parent = nullptr) : QLabel(parent)
    {
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setCursor(Qt::PointingHandCursor);
    }

    void onReleased(Released released) { released_ = std::move(released); }
    void setPicture(const QImage& picture)
    {
        picture_ = picture;
        setPixmap(QPixmap::fromImage(picture));
        setFixedSize(picture.size());
    }
    const QImage& picture() const { return picture_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        if (released_ && event->button() == Qt::LeftButton)
            released_(at.x(), at.y());
    }

private:
    Released released_;
    QImage picture_;
};

// The picture in a sunken box, as a table of a dialog.
inline QWidget* Framed(QWidget* picture)
{
    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(picture);
    return frame;
}

// The buttons at the bottom right of a dialog, in that order.
inline QHBoxLayout* ButtonRow(QPushButton* first, QPushButton* second)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(first);
    row->addWidget(second);
    return row;
}

} // namespace ploq
