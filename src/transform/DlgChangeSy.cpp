#include "transform/DlgChangeSy.h"

#include "app/Application.h"
#include "app/Main.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "transform/QtClickImage.h"
#include "transform/UseSymb.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace ploq {

namespace {

constexpr int kStripCell = 12;
constexpr QSize kNewSymbolSize{28, 28};

} // namespace

TDlgChangeSy::TDlgChangeSy(Application& app, TWPlot& canvas, QMenu* symbolMenu)
    : QDialog(&canvas), app_(app), canvas_(&canvas), symbolMenu_(symbolMenu),
      change_(CanvasRecords(canvas.model()), app.settings().Sy, app.settings().Couleur)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Change symbols"));
    // Its tables are that canvas's sets: they mean nothing once it is gone. The canvas is let
    // go first: while it is being destroyed it is no longer a TWPlot to look at.
    connect(&canvas, &QObject::destroyed, this, [this] {
        canvas_ = nullptr;
        close();
    });
    // Closed, it gives the focus back to its canvas rather than to the main window.
    connect(this, &QDialog::finished, this, [this] {
        if (canvas_ && canvas_->isVisible()) {
            canvas_->raise();
            canvas_->activateWindow();
        }
    });

    newSymbol_ = new ClickImage;
    newSymbol_->setToolTip(tr("Choose the new symbol"));
    newSymbol_->onReleased([this](int, int) {
        if (!symbolMenu_)
            return;
        const QList<QAction*> items = symbolMenu_->actions();
        const int current = std::abs(change_.newSymbol()) - 1;
        if (current >= 0 && current < items.size())
            items[current]->setChecked(true);
        symbolMenu_->popup(newSymbol_->mapToGlobal(QPoint(0, newSymbol_->height())));
    });
    if (symbolMenu_)
        connect(symbolMenu_, &QMenu::triggered, this, [this](QAction* item) {
            symbolChosen(static_cast<int>(symbolMenu_->actions().indexOf(item)) + 1);
        });
    tadpole_ = new QCheckBox(tr("tadpole"));
    tadpole_->setChecked(change_.newSymbol() < 0);
    connect(tadpole_, &QCheckBox::toggled, this, &TDlgChangeSy::tadpoleToggled);
    strip_ = new ClickImage;
    strip_->onReleased([this](int x, int) { stripReleased(x); });
    confirm_ = new QPushButton(tr("confirm"));
    connect(confirm_, &QPushButton::clicked, this, &TDlgChangeSy::confirmClick);

    auto* group = new QGroupBox;
    auto* choice = new QGridLayout(group);
    choice->setContentsMargins(8, 6, 8, 6);
    choice->addWidget(new QLabel(tr("new symbol")), 0, 0);
    choice->addWidget(Framed(newSymbol_), 0, 1, Qt::AlignLeft);
    choice->addWidget(tadpole_, 0, 2);
    choice->addWidget(Framed(strip_), 1, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    choice->addWidget(confirm_, 1, 2);

    source_ = new ClickImage;
    source_->onReleased([this](int x, int y) { sourceReleased(x, y); });
    replacement_ = new ClickImage;
    replacement_->setCursor(Qt::ArrowCursor);
    auto* tables = new QHBoxLayout;
    tables->addWidget(Framed(source_), 0, Qt::AlignTop);
    tables->addWidget(Framed(replacement_), 0, Qt::AlignTop);
    tables->addStretch(1);

    ok_ = new QPushButton(tr("OK"));
    cancel_ = new QPushButton(tr("Cancel"));
    connect(ok_, &QPushButton::clicked, this, &TDlgChangeSy::okClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(group);
    layout->addLayout(tables);
    layout->addLayout(ButtonRow(cancel_, ok_));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showNewSymbol();
    showTables();
}

void TDlgChangeSy::sourceReleased(int x, int y)
{
    if (!change_.clickSource(x, y))
        return;
    const QSignalBlocker quiet(tadpole_);
    tadpole_->setChecked(change_.newSymbol() < 0);
    shareChoice();
    showNewSymbol();
    showTables();
}

void TDlgChangeSy::stripReleased(int x)
{
    change_.setNewColour(CouleurCliquee(x, kStripCell));
    shareChoice();
    showNewSymbol();
}

void TDlgChangeSy::symbolChosen(int sy)
{
    // As the menu gives it; "confirm" adds the tadpole.
    change_.setNewSymbol(sy);
    shareChoice();
    showNewSymbol();
}

void TDlgChangeSy::tadpoleToggled(bool tadpole)
{
    change_.setTadpole(tadpole);
    shareChoice();
}

void TDlgChangeSy::confirmClick()
{
    if (!change_.confirm(tadpole_->isChecked()))
        return;
    shareChoice();
    showTables();
}

void TDlgChangeSy::okClick()
{
    if (canvas_) {
        CanvasModel& model = canvas_->model();
        change_.apply(CanvasRecords(model));
        change_.apply(model.lsy);
        canvas_->NettoyerWP();
    }
    close();
}

void TDlgChangeSy::shareChoice()
{
    app_.settings().Sy = change_.newSymbol();
    app_.settings().Couleur = change_.newColour();
}

void TDlgChangeSy::showNewSymbol()
{
    const Tcouleur& tco = app_.settings().Tco;
    newSymbol_->setPicture(
        ApercuSymboleImage(tco, std::abs(change_.newSymbol()), 0, kNewSymbolSize));
    strip_->setPicture(BandeCouleursImage(tco, kStripCell, change_.newColour()));
}

void TDlgChangeSy::showTables()
{
    const Tcouleur& tco = app_.settings().Tco;
    const int rows = static_cast<int>(change_.rows().size());
    const Size source = SourceTableSize(rows);
    source_->setPicture(DrawnImage(source, [&](Surface& surface) {
        DessinerSource(surface, app_.settings(), change_, source);
    }));
    const Size replacement = ReplacementTableSize(rows);
    replacement_->setPicture(DrawnImage(replacement, [&](Surface& surface) {
        DessinerRemplacement(surface, tco, change_, replacement);
    }));
}

TDlgChangeSy* OpenChangeSymbols(Application& app, QMenu* symbolMenu)
{
    TWPlot* canvas = ActiveCanvas(app);
    if (!canvas)
        return nullptr;
    if (QWidget* old = app.dialog(kDlgChangeSy))
        delete old;
    auto* dialog = new TDlgChangeSy(app, *canvas, symbolMenu);
    app.setDialog(kDlgChangeSy, dialog);
    dialog->adjustSize();
    const Point at = BesideCanvas(*canvas, dialog->frameGeometry().width(), 1);
    dialog->move(at.x, at.y);
    dialog->show();
    return dialog;
}

void InstallSymbolCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::ModifyChangeSymbols,
                    [&form, &app] { OpenChangeSymbols(app, form.symbolMenu()); });
}

} // namespace ploq
