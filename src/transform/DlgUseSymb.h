#pragma once

// The chooser of (symbol, colour) sets that commands working on chosen sets open first: the
// statistics, the erase and keep commands, the rotation and the 2D statistics of a canvas.

#include "transform/UseSymb.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace ploq {

class Application;
class ClickImage;
class TWPlot;

class TDlgUseSymb : public QDialog {
    Q_OBJECT

public:
    // `present`: the pairs of the displayed records; `mode` gives the texts (ChoixMode).
    TDlgUseSymb(const Tcouleur& tco, const SymbolSelection& present, int mode,
                QWidget* parent = nullptr);

    const SymbolChooser& chooser() const { return chooser_; }
    // The mouse released at (x, y) on the image of the simple symbols or of the tadpoles.
    void imageReleased(bool tadpoles, int x, int y);

    QLabel* label() const { return label_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    ClickImage* image(bool tadpoles) const { return tadpoles ? tadpoles_ : simple_; }

private:
    void redraw(bool tadpoles);

    const Tcouleur& tco_;
    SymbolChooser chooser_;
    QLabel* label_ = nullptr;
    ClickImage* simple_ = nullptr;
    ClickImage* tadpoles_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// How the chooser is run: modally, giving QDialog::Accepted or Rejected. Tests put their own
// clicks in its place.
using ChooserRun = std::function<int(TDlgUseSymb&)>;
ChooserRun& RunChooser();

// ChoixSymboles: fills Tsy with the pairs of the displayed records of the current canvas and,
// when there are several (colours 0..7), lets the user choose among them. Returns the number
// of pairs offered, or 0 when the user cancelled (Tsy then keeps every pair) or there is no
// record. With mode 5 the chooser opens over `stats2D`, the dialog it was asked from. The
// records are those of `canvas`, the current canvas when none is given.
int ChoixSymboles(Application& app, int mode, QWidget* stats2D = nullptr,
                  TWPlot* canvas = nullptr);

} // namespace ploq
