#pragma once

// "Change symbols": gives whole sets of the current canvas another symbol and colour. A click
// on a set of the source table selects it; the symbol menu, "tadpole" and the colour strip
// choose what it becomes and "confirm" writes that into the replacement table; "OK" applies
// every replacement to the canvas and redraws it.

#include "transform/ChangeSy.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QMenu;
class QPushButton;

namespace ploq {

class Application;
class ClickImage;
class TForm1;
class TWPlot;

class TDlgChangeSy : public QDialog {
    Q_OBJECT

public:
    // The sets of `canvas` as displayed now; "OK" changes that canvas, whichever is current
    // then, and the dialog closes with it. `symbolMenu` is the main window's symbol menu,
    // opened by a click on the new symbol.
    TDlgChangeSy(Application& app, TWPlot& canvas, QMenu* symbolMenu);

    const SymbolChange& change() const { return change_; }
    TWPlot* canvas() const { return canvas_; }

    // The mouse released at (x, y) on the source table, on the colour strip.
    void sourceReleased(int x, int y);
    void stripReleased(int x);
    // An item of the symbol menu was chosen: Sy is its number, without the tadpole.
    void symbolChosen(int sy);
    void tadpoleToggled(bool tadpole);
    void confirmClick();
    // Applies the replacements to the canvas, redraws it and closes.
    void okClick();

    ClickImage* newSymbolImage() const { return newSymbol_; }
    ClickImage* strip() const { return strip_; }
    ClickImage* sourceImage() const { return source_; }
    ClickImage* replacementImage() const { return replacement_; }
    QCheckBox* tadpoleBox() const { return tadpole_; }
    QPushButton* confirmButton() const { return confirm_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void showNewSymbol();
    void showTables();
    // The dialog's new symbol and colour are the current ones of the application.
    void shareChoice();

    Application& app_;
    QPointer<TWPlot> canvas_;
    QPointer<QMenu> symbolMenu_;
    SymbolChange change_;
    ClickImage* newSymbol_ = nullptr;
    QCheckBox* tadpole_ = nullptr;
    ClickImage* strip_ = nullptr;
    QPushButton* confirm_ = nullptr;
    ClickImage* source_ = nullptr;
    ClickImage* replacement_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Opens the dialog for the current canvas, made afresh from the sets displayed now; nothing
// happens without a current canvas.
TDlgChangeSy* OpenChangeSymbols(Application& app, QMenu* symbolMenu);

// Plot > Modify > "Change symbols".
void InstallSymbolCommands(TForm1& form, Application& app);

} // namespace ploq
