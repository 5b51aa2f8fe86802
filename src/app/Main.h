#pragma once

// The main window: menu bar, tool bar and the information panel that operations write their
// reports into.

#include "app/VarGlob.h"

#include <QMainWindow>

#include <filesystem>

class QTextEdit;

namespace ploq {

class Prompts;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // Loads the preference file of the current directory, telling the user through `prompts`
    // what went wrong with it.
    explicit TForm1(Prompts& prompts, QWidget* parent = nullptr);

    QTextEdit* RichEdit1() const { return richEdit1_; }
    VarGlob& settings() { return settings_; }

protected:
    // Writes the preference file, whatever the user chose about saving options.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();

    Prompts& prompts_;
    const std::filesystem::path prefsPath_;
    VarGlob settings_;
    QTextEdit* richEdit1_ = nullptr;
};

} // namespace ploq
