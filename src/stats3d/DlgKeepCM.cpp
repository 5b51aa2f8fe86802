#include "stats3d/DlgKeepCM.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "stats3d/Stats3Dadd.h"
#include "stats3d/SymbolPicker.h"
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

constexpr int kFirstAddSymbol = 101;

} // namespace

TDlgKeepCM::TDlgKeepCM(const ManualCircle& circle, const ManualCircleChoices& initial,
                       const Tcouleur& tco, const Notation& notation, QMenu* symbols,
                       QWidget* parent)
    : QDialog(parent), circle_(circle), notation_(notation)
{
    setWindowTitle(toQString(ManualCircleCaption(circle.type)));
    setProperty("helpTopic", kHelpDisplayAdd);
    const bool small = circle.type == kManualSmallCircle;

    pole_ = ReadOnlyField();
    apertureLabel_ = new QLabel(tr("aperture : "));
    aperture_ = ReadOnlyField();
    apertureLabel_->setVisible(small);
    aperture_->setVisible(small);
    decimals_ = TickBox(tr("decimal values"), initial.decimals);
    connect(decimals_, &QCheckBox::toggled, this, &TDlgKeepCM::showValues);
    auto* values = new QGridLayout;
    values->addWidget(new QLabel(tr("pole")), 0, 0);
    values->addWidget(pole_, 0, 1);
    values->addWidget(apertureLabel_, 1, 0, Qt::AlignRight);
    values->addWidget(aperture_, 1, 1);
    values->addWidget(decimals_, 2, 1, Qt::AlignRight);

    picker_ = new SymbolPicker(tco, symbols, kFirstAddSymbol, initial.symbol, initial.colour,
                               initial.tailed, tr("tailed"), tr("symbol"));
    plotPole_ = TickBox(tr("plot the pole"), initial.plotPole);

    auto* closest = new QGroupBox(tr("Closest values"));
    offset_ = new QComboBox;
    for (int degrees : kClosestOffsets)
        offset_->addItem(QString::number(degrees), degrees);
    const auto at =
        std::find(kClosestOffsets.begin(), kClosestOffsets.end(), initial.closest.maxOffset);
    offset_->setCurrentIndex(
        at == kClosestOffsets.end() ? 1 : static_cast<int>(at - kClosestOffsets.begin()));
    list_ = TickBox(tr("List"), initial.closest.list);
    underline_ = TickBox(tr("Underline"), initial.closest.underline);
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
    layout->addWidget(picker_);
    layout->addWidget(plotPole_);
    layout->addWidget(closest);
    layout->addLayout(ButtonRow(ok_, cancel_));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    showValues();
}

ManualCircleChoices TDlgKeepCM::choices() const
{
    ManualCircleChoices c;
    c.decimals = decimals_->isChecked();
    c.tailed = picker_->tailed();
    c.plotPole = plotPole_->isChecked();
    c.colour = picker_->colour();
    c.symbol = picker_->symbol();
    c.closest.maxOffset = offset_->currentData().toInt();
    c.closest.list = list_->isChecked();
    c.closest.underline = underline_->isChecked();
    return c;
}

void TDlgKeepCM::stripReleased(int x)
{
    picker_->stripReleased(x);
}

void TDlgKeepCM::symbolChosen(int symbol)
{
    picker_->symbolChosen(symbol);
}

void TDlgKeepCM::showValues()
{
    const bool decimals = decimals_->isChecked();
    pole_->setText(
        toQString(DirToText(decimals, false, circle_.pole.plunge, circle_.pole.trend, notation_)));
    aperture_->setText(toQString(FormatAngle(decimals, circle_.aperture / kDegToRad)));
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
