#include "stats3d/DlgKeepCM.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "stats3d/Stats3Dadd.h"
#include "transform/QtClickImage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <numbers>

namespace ploq {

namespace {

constexpr int kStripCell = 12;
constexpr QSize kPreviewSize{28, 28};
constexpr int kFirstAddSymbol = 101;

QLineEdit* readOnlyField()
{
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setMinimumWidth(110);
    return field;
}

QCheckBox* box(const QString& text, bool ticked)
{
    auto* b = new QCheckBox(text);
    b->setChecked(ticked);
    return b;
}

} // namespace

TDlgKeepCM::TDlgKeepCM(const ManualCircle& circle, const ManualCircleChoices& initial,
                       const Tcouleur& tco, const Notation& notation, QMenu* symbols,
                       QWidget* parent)
    : QDialog(parent), circle_(circle), tco_(tco), notation_(notation), symbols_(symbols),
      colour_(initial.colour), symbol_(std::abs(initial.symbol))
{
    setWindowTitle(toQString(ManualCircleCaption(circle.type)));
    setProperty("helpTopic", kHelpDisplayAdd);
    const bool small = circle.type == kManualSmallCircle;

    pole_ = readOnlyField();
    apertureLabel_ = new QLabel(tr("aperture : "));
    aperture_ = readOnlyField();
    apertureLabel_->setVisible(small);
    aperture_->setVisible(small);
    decimals_ = box(tr("decimal values"), initial.decimals);
    connect(decimals_, &QCheckBox::toggled, this, &TDlgKeepCM::showValues);
    auto* values = new QGridLayout;
    values->addWidget(new QLabel(tr("pole")), 0, 0);
    values->addWidget(pole_, 0, 1);
    values->addWidget(apertureLabel_, 1, 0, Qt::AlignRight);
    values->addWidget(aperture_, 1, 1);
    values->addWidget(decimals_, 2, 1, Qt::AlignRight);

    symbolImage_ = new ClickImage;
    symbolImage_->setToolTip(tr("Choose the symbol"));
    symbolImage_->onReleased([this](int, int) {
        if (symbols_)
            symbols_->popup(symbolImage_->mapToGlobal(QPoint(0, symbolImage_->height())));
    });
    if (symbols_)
        connect(symbols_, &QMenu::triggered, this, [this](QAction* item) {
            symbolChosen(kFirstAddSymbol + static_cast<int>(symbols_->actions().indexOf(item)));
        });
    tailed_ = box(tr("tailed"), initial.tailed);
    connect(tailed_, &QCheckBox::toggled, this, &TDlgKeepCM::showSymbol);
    strip_ = new ClickImage;
    strip_->onReleased([this](int x, int) { stripReleased(x); });
    plotPole_ = box(tr("plot the pole"), initial.plotPole);
    auto* look = new QHBoxLayout;
    look->addWidget(new QLabel(tr("symbol")));
    look->addWidget(Framed(symbolImage_));
    look->addWidget(tailed_);
    look->addSpacing(10);
    look->addWidget(Framed(strip_));
    look->addStretch(1);

    auto* closest = new QGroupBox(tr("Closest values"));
    offset_ = new QComboBox;
    for (int degrees : kClosestOffsets)
        offset_->addItem(QString::number(degrees), degrees);
    const auto at =
        std::find(kClosestOffsets.begin(), kClosestOffsets.end(), initial.closest.maxOffset);
    offset_->setCurrentIndex(
        at == kClosestOffsets.end() ? 1 : static_cast<int>(at - kClosestOffsets.begin()));
    list_ = box(tr("List"), initial.closest.list);
    underline_ = box(tr("Underline"), initial.closest.underline);
    auto* c = new QHBoxLayout(closest);
    c->setContentsMargins(8, 6, 8, 6);
    c->addWidget(new QLabel(tr("Maximum offset :")));
    c->addWidget(offset_);
    c->addSpacing(10);
    c->addWidget(list_);
    c->addWidget(underline_);
    c->addStretch(1);

    ok_ = new QPushButton(tr("OK"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addLayout(values);
    layout->addLayout(look);
    layout->addWidget(plotPole_);
    layout->addWidget(closest);
    layout->addLayout(ButtonRow(ok_, cancel_));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    showValues();
    showSymbol();
}

ManualCircleChoices TDlgKeepCM::choices() const
{
    ManualCircleChoices c;
    c.decimals = decimals_->isChecked();
    c.tailed = tailed_->isChecked();
    c.plotPole = plotPole_->isChecked();
    c.colour = colour_;
    c.symbol = symbol_;
    c.closest.maxOffset = offset_->currentData().toInt();
    c.closest.list = list_->isChecked();
    c.closest.underline = underline_->isChecked();
    return c;
}

void TDlgKeepCM::stripReleased(int x)
{
    colour_ = CouleurCliquee(x, kStripCell);
    showSymbol();
}

void TDlgKeepCM::symbolChosen(int symbol)
{
    symbol_ = std::abs(symbol);
    showSymbol();
}

void TDlgKeepCM::showValues()
{
    const bool decimals = decimals_->isChecked();
    pole_->setText(
        toQString(DirToText(decimals, false, circle_.pole.plunge, circle_.pole.trend, notation_)));
    aperture_->setText(toQString(FormatAngle(decimals, circle_.aperture / kDegToRad)));
}

void TDlgKeepCM::showSymbol()
{
    const int shown = tailed_->isChecked() ? -symbol_ : symbol_;
    symbolImage_->setPicture(ApercuSymboleImage(tco_, shown, colour_, kPreviewSize));
    strip_->setPicture(BandeCouleursImage(tco_, kStripCell, colour_));
}

KeepCMRun& RunKeepCM()
{
    static KeepCMRun run = [](TDlgKeepCM& dialog) { return dialog.exec(); };
    return run;
}

std::optional<ClosestValues> KeepManualCircle(Application& app, char type)
{
    QPointer<TWPlot> canvas = ActiveCanvas(app);
    if (!canvas || !OwnsAddList(canvas->model().natWP) || !IsManualCircleType(type))
        return std::nullopt;
    const CanvasModel& m = canvas->model();
    const ManualCircle circle{
        type, {m.ar1, m.ar2}, type == kManualSmallCircle ? m.ar5 : std::numbers::pi / 2};
    VarGlob& settings = app.settings();
    const Notation notation{settings.FrtS, settings.FrtL};
    auto* form = qobject_cast<TForm1*>(app.mainWindow());
    TDlgKeepCM dialog(circle, InitialManualChoices(type, settings), settings.Tco, notation,
                      form ? form->addSymbolMenu() : nullptr, app.mainWindow());
    app.setDialog(kDlgKeepCM, &dialog);
    dialog.adjustSize();
    const Point at = BesideCanvas(*canvas, dialog.frameGeometry().width());
    dialog.move(at.x, at.y);
    const bool accepted = RunKeepCM()(dialog) == QDialog::Accepted;
    const ManualCircleChoices choices = dialog.choices();
    StoreManualChoices(type, choices, settings);
    if (!accepted || !canvas)
        return std::nullopt;
    if (!KeepManualFit(canvas->model(), circle, choices)) {
        app.prompts().warning(std::string(kMsgAddListFull));
        return std::nullopt;
    }
    for (const InfoLine& line :
         ManualCircleReport(circle, notation, choices.decimals, app.clock().now()))
        canvas->appendInfo(line.text, line.bold);
    canvas->NettoyerWP();
    return choices.closest;
}

} // namespace ploq
