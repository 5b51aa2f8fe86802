#include "app/Main.h"

#include <QAction>
#include <QMenuBar>
#include <QTextEdit>

namespace ploq {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
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

} // namespace ploq
