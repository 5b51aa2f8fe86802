#include "stats3d/DlgPlotGcPC.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "stats3d/SymbolPicker.h"
#include "transform/QtClickImage.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace ploq {

namespace {

constexpr int kFirstAddSymbol = 101;

} // namespace

TDlgPlotGCPC::TDlgPlotGCPC(const BestFit& fit, const BestFitChoices& initial, const Tcouleur& tco,
                           const Notation& notation, QMenu* symbols, QWidget* parent)
    : QDialog(parent), fit_(fit), notation_(notation)
{
    const BestFitTexts t = BestFitDialogTexts(fit);
    setWindowTitle(toQString(t.caption));
    setProperty("helpTopic", kHelpResults);

    group_ = new QGroupBox(toQString(t.caption));
    pole_ = TickBox(tr("pole"), initial.pole);
    direction_ = ReadOnlyField();
    circle_ = TickBox(toQString(t.circleBox), initial.circle);
    circle_->setVisible(t.circleShown);
    aperture_ = ReadOnlyField();
    auto* apertureLabel = new QLabel(tr("aperture"));
    apertureLabel->setVisible(t.apertureShown);
    aperture_->setVisible(t.apertureShown);
    // A box that cannot act shows no tick; its choice stays remembered as it was.
    cone95_ = TickBox(toQString(t.cone95Box), t.cone95Enabled && initial.cone95);
    cone95_->setEnabled(t.cone95Enabled);
    cone99_ = TickBox(toQString(t.cone99Box), t.cone99Enabled && initial.cone99);
    cone99_->setEnabled(t.cone99Enabled);
    decimals_ = TickBox(tr("decim. val."), initial.decimals);
    connect(decimals_, &QCheckBox::toggled, this, &TDlgPlotGCPC::showValues);

    auto* g = new QGridLayout(group_);
    g->setContentsMargins(8, 6, 8, 6);
    g->addWidget(pole_, 0, 0);
    g->addWidget(direction_, 0, 1);
    g->addWidget(circle_, 1, 0);
    g->addWidget(apertureLabel, 2, 0, Qt::AlignRight);
    g->addWidget(aperture_, 2, 1);
    g->addWidget(cone95_, 3, 0);
    g->addWidget(cone99_, 3, 1);
    g->addWidget(decimals_, 4, 1, Qt::AlignRight);

    picker_ = new SymbolPicker(tco, symbols, kFirstAddSymbol, initial.symbol, initial.colour,
                               initial.tailed, tr("tailed"), tr("symbol"));

    optionsButton_ = new QToolButton;
    optionsButton_->setText(tr("options"));
    optionsButton_->setCheckable(true);
    optionsButton_->setArrowType(Qt::RightArrow);
    optionsButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(optionsButton_, &QToolButton::toggled, this, &TDlgPlotGCPC::setOptionsOpen);
    options_ = new QWidget;
    thick_ = TickBox(tr("thick line"), initial.thick);
    dot_ = TickBox(tr("dot line"), initial.dot);
    twoParts_ = TickBox(tr("two parts"), t.twoPartsEnabled && initial.twoParts);
    twoParts_->setEnabled(t.twoPartsEnabled);
    twoParts_->setToolTip(tr("display the two parts of the small circle"));
    auto* o = new QHBoxLayout(options_);
    o->setContentsMargins(0, 0, 0, 0);
    o->addWidget(thick_);
    o->addWidget(dot_);
    o->addWidget(twoParts_);
    o->addStretch(1);

    ok_ = new QPushButton(tr("OK"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addWidget(group_);
    layout->addWidget(picker_);
    layout->addWidget(optionsButton_, 0, Qt::AlignLeft);
    layout->addWidget(options_);
    layout->addLayout(ButtonRow(ok_, cancel_));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    optionsButton_->setChecked(initial.optionsOpen);
    setOptionsOpen(initial.optionsOpen);
    showValues();
}

BestFitChoices TDlgPlotGCPC::choices() const
{
    BestFitChoices c;
    c.pole = pole_->isChecked();
    c.circle = circle_->isChecked();
    c.cone95 = cone95_->isChecked();
    c.cone99 = cone99_->isChecked();
    c.thick = thick_->isChecked();
    c.dot = dot_->isChecked();
    c.twoParts = twoParts_->isChecked();
    c.optionsOpen = optionsButton_->isChecked();
    c.decimals = decimals_->isChecked();
    c.tailed = picker_->tailed();
    c.colour = picker_->colour();
    c.symbol = picker_->symbol();
    return c;
}

void TDlgPlotGCPC::stripReleased(int x)
{
    picker_->stripReleased(x);
}

void TDlgPlotGCPC::symbolChosen(int symbol)
{
    picker_->symbolChosen(symbol);
}

void TDlgPlotGCPC::setOptionsOpen(bool open)
{
    options_->setVisible(open);
    optionsButton_->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
}

void TDlgPlotGCPC::showValues()
{
    const bool decimals = decimals_->isChecked();
    direction_->setText(toQString(BestFitDirection(fit_, notation_, decimals)));
    aperture_->setText(toQString(BestFitAperture(fit_, decimals)));
}

PlotGCPCRun& RunPlotGCPC()
{
    static PlotGCPCRun run = [](TDlgPlotGCPC& dialog) { return dialog.exec(); };
    return run;
}

bool PlotBestFit(Application& app, int kind, double cone99, double cone95, double aperture,
                 double plunge, double trend, const std::array<ConstructionPoint, 3>& points)
{
    QPointer<TWPlot> canvas = ActiveCanvas(app);
    if (!canvas || !OwnsAddList(canvas->model().natWP) || !IsBestFitKind(kind))
        return false;
    const BestFit fit{kind, cone99, cone95, aperture, plunge, trend, points};
    VarGlob& settings = app.settings();
    const Notation notation{settings.FrtS, settings.FrtL};
    auto* form = qobject_cast<TForm1*>(app.mainWindow());

    settings.SyAddCur = settings.SyAdd[static_cast<std::size_t>(kind)];
    TDlgPlotGCPC dialog(fit, InitialChoices(kind, settings), settings.Tco, notation,
                        form ? form->addSymbolMenu() : nullptr, app.mainWindow());
    app.setDialog(kDlgPlotGCPC, &dialog);
    dialog.adjustSize();
    const Point at = BesideCanvas(*canvas, dialog.frameGeometry().width());
    dialog.move(at.x, at.y);
    const bool accepted = RunPlotGCPC()(dialog) == QDialog::Accepted;
    const BestFitChoices choices = dialog.choices();
    StoreChoices(fit, choices, settings);
    settings.SyAddCur = std::abs(choices.symbol);
    if (!accepted || !canvas)
        return false;
    if (!KeepBestFit(canvas->model(), fit, choices)) {
        app.prompts().warning(std::string(kMsgAddListFull));
        return false;
    }
    for (const InfoLine& line :
         BestFitReport(fit, settings.NbTirBS, notation, choices.decimals, app.clock().now()))
        canvas->appendInfo(line.text, line.bold);
    canvas->NettoyerWP();
    return true;
}

} // namespace ploq
