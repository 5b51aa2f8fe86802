#pragma once

// The main window: menu bar, tool bar and the information panel that operations write their
// reports into.

#include <QMainWindow>

class QTextEdit;

namespace ploq {

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    QTextEdit* RichEdit1() const { return richEdit1_; }

private:
    void buildMenus();

    QTextEdit* richEdit1_ = nullptr;
};

} // namespace ploq
