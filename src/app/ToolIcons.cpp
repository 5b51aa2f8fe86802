#include "app/ToolIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace ploq {

namespace {

constexpr int kSize = 22;

// A small net: the primitive circle with the marks of the command drawn over it.
template <class Marks> QIcon netIcon(Marks marks)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2.5, 2.5, 17, 17));
    marks(p);
    return QIcon(pixmap);
}

QIcon textIcon(const QString& text)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font = p.font();
    font.setPixelSize(text.size() > 2 ? 8 : 11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(30, 30, 120));
    p.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

void dots(QPainter& p, std::initializer_list<QPointF> points, QColor colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (QPointF c : points)
        p.drawEllipse(c, 1.6, 1.6);
}

QIcon standard(QStyle::StandardPixmap which) { return QApplication::style()->standardIcon(which); }

} // namespace

QIcon ToolIcon(Cmd cmd)
{
    switch (cmd) {
    case Cmd::FileLineOrPlane: return textIcon("L/P");
    case Cmd::FileNew: return standard(QStyle::SP_FileIcon);
    case Cmd::FileOpen: return standard(QStyle::SP_DialogOpenButton);
    case Cmd::FileReopen: return standard(QStyle::SP_FileDialogDetailedView);
    case Cmd::FileSave: return standard(QStyle::SP_DialogSaveButton);
    case Cmd::FilePrint: return textIcon("Prn");
    case Cmd::PlotEnterSheet:
        return netIcon([](QPainter& p) {
            dots(p, {{8, 9}, {13, 8}, {11, 14}, {15, 13}}, Qt::blue);
        });
    case Cmd::PlotRotation:
        return netIcon([](QPainter& p) {
            p.setPen(QPen(Qt::darkGreen, 1.5));
            p.drawArc(QRectF(6, 6, 10, 10), 30 * 16, 270 * 16);
        });
    case Cmd::BestPole:
        return netIcon([](QPainter& p) {
            dots(p, {{9, 10}, {13, 9}, {12, 13}}, Qt::blue);
            p.setPen(QPen(Qt::red, 1.5));
            p.drawLine(QPointF(9, 11.5), QPointF(14, 11.5));
            p.drawLine(QPointF(11.5, 9), QPointF(11.5, 14));
        });
    case Cmd::BestGreatCircle:
        return netIcon([](QPainter& p) {
            p.setPen(QPen(Qt::red, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(-4, 3, 22, 17), -60 * 16, 120 * 16);
        });
    case Cmd::IdentifyClickedPole:
        return netIcon([](QPainter& p) {
            dots(p, {{11, 11}}, Qt::black);
            p.setPen(QPen(Qt::red, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(11, 11), 4, 4);
        });
    case Cmd::IdentifyClickedTrace:
        return netIcon([](QPainter& p) {
            p.setPen(QPen(Qt::red, 1.5));
            p.drawLine(QPointF(5, 15), QPointF(17, 7));
        });
    case Cmd::DisplayBestFits: return textIcon("Fit");
    case Cmd::HelpSummary: return standard(QStyle::SP_DialogHelpButton);
    case Cmd::ClearInfo: return standard(QStyle::SP_DialogResetButton);
    default: return {};
    }
}

} // namespace ploq
