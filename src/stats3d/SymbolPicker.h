#pragma once

// The look a result or a new measurement is kept with, as the dialogs that keep them show it:
// a preview of the symbol (a click opens the symbol popup), a box for its tadpole ("tailed")
// and the strip of the eight user colours. With the small widgets those dialogs share.

#include "canvas/UtilDessin.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QMenu;

namespace ploq {

class ClickImage;

class SymbolPicker : public QWidget {
    Q_OBJECT

public:
    // `symbols`: the popup whose item i (from 0) is symbol `firstSymbol` + i, if any.
    // `label`: the text before the preview, none when empty.
    SymbolPicker(const Tcouleur& tco, QMenu* symbols, int firstSymbol, int symbol, int colour,
                 bool tailed, const QString& tailedText, const QString& label = {});

    int symbol() const { return symbol_; } // without the tadpole
    int colour() const { return colour_; }
    bool tailed() const;

    // A click at x in the colour strip; a symbol chosen.
    void stripReleased(int x);
    void symbolChosen(int symbol);

    ClickImage* symbolImage() const { return symbolImage_; }
    ClickImage* colourStrip() const { return strip_; }
    QCheckBox* tailedBox() const { return tailed_; }

private:
    void showSymbol();

    const Tcouleur& tco_;
    QPointer<QMenu> symbols_;
    int symbol_ = 1;
    int colour_ = 0;
    ClickImage* symbolImage_ = nullptr;
    ClickImage* strip_ = nullptr;
    QCheckBox* tailed_ = nullptr;
};

// A field that shows a value and takes no input.
QLineEdit* ReadOnlyField(int minimumWidth = 110);
QCheckBox* TickBox(const QString& text, bool ticked);

} // namespace ploq
