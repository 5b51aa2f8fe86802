#include "stats3d/SymbolPicker.h"

#include "canvas/QtSymbolImages.h"
#include "transform/QtClickImage.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <cstdlib>

namespace ploq {

namespace {

constexpr int kStripCell = 12;
constexpr QSize kPreviewSize{28, 28};

} // namespace

SymbolPicker::SymbolPicker(const Tcouleur& tco, QMenu* symbols, int firstSymbol, int symbol,
                           int colour, bool tailed, const QString& tailedText, const QString& label)
    : tco_(tco), symbols_(symbols), symbol_(std::abs(symbol)), colour_(colour)
{
    symbolImage_ = new ClickImage;
    symbolImage_->setToolTip(tr("Choose the symbol"));
    symbolImage_->onReleased([this](int, int) {
        if (symbols_)
            symbols_->popup(symbolImage_->mapToGlobal(QPoint(0, symbolImage_->height())));
    });
    if (symbols_)
        connect(symbols_, &QMenu::triggered, this, [this, firstSymbol](QAction* item) {
            symbolChosen(firstSymbol + static_cast<int>(symbols_->actions().indexOf(item)));
        });
    tailed_ = TickBox(tailedText, tailed);
    connect(tailed_, &QCheckBox::toggled, this, &SymbolPicker::showSymbol);
    strip_ = new ClickImage;
    strip_->onReleased([this](int x, int) { stripReleased(x); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    if (!label.isEmpty())
        row->addWidget(new QLabel(label));
    row->addWidget(Framed(symbolImage_));
    row->addWidget(tailed_);
    row->addSpacing(10);
    row->addWidget(Framed(strip_));
    row->addStretch(1);
    showSymbol();
}

bool SymbolPicker::tailed() const
{
    return tailed_->isChecked();
}

void SymbolPicker::stripReleased(int x)
{
    colour_ = CouleurCliquee(x, kStripCell);
    showSymbol();
}

void SymbolPicker::symbolChosen(int symbol)
{
    symbol_ = std::abs(symbol);
    showSymbol();
}

void SymbolPicker::showSymbol()
{
    const int shown = tailed() ? -symbol_ : symbol_;
    symbolImage_->setPicture(ApercuSymboleImage(tco_, shown, colour_, kPreviewSize));
    strip_->setPicture(BandeCouleursImage(tco_, kStripCell, colour_));
}

QLineEdit* ReadOnlyField(int minimumWidth)
{
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setMinimumWidth(minimumWidth);
    return field;
}

QCheckBox* TickBox(const QString& text, bool ticked)
{
    auto* b = new QCheckBox(text);
    b->setChecked(ticked);
    return b;
}

} // namespace ploq
