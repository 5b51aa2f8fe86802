#include "stats3d/DlgContDD.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "stats2d/DlgStats2D.h"
#include "stats3d/DihedraContours.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ploq {

namespace {

constexpr int kOpeningStep = 6; // degrees
constexpr int kOpeningCurves = 10;
constexpr double kOpeningLevel = 1.5;

ContourDialogState OpeningDihedraState(const ContourColours& tcoCont)
{
    ContourDialogState s;
    s.pas = kOpeningStep;
    s.tcoCont = tcoCont;
    s.colour = tcoCont[0];
    s.levels.add(kOpeningLevel, tcoCont[0]);
    return s;
}

} // namespace

TDlgContDD::TDlgContDD(QWidget* parent, Application& app)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      app_(app), state_(OpeningDihedraState(app.settings().TcoCont)), curves_(kOpeningCurves)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Contouring RAD"));
    setProperty("helpTopic", kHelpDihedraContours);

    contour_ = new QPushButton(QStringLiteral("Contour"));
    contour_->setDefault(true);
    connect(contour_, &QPushButton::clicked, this, &TDlgContDD::contourClick);

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildOptions());
    columns->addWidget(buildLevels(), 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(contour_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addLayout(columns);
    layout->addLayout(bottom);
    showState();
}

QWidget* TDlgContDD::buildOptions()
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* fields = new QGridLayout;
    gridStep_ = AddContourField(*fields, 0, " grid step ", *this, [this] { gridStepEdited(); });
    curvesEdit_ = AddContourField(*fields, 1, "nb. of curves", *this, [this] { curvesEdited(); });
    layout->addLayout(fields);
    look_.build(*layout, *this, state_, [this] { showState(); });
    layout->addStretch(1);
    return panel;
}

QWidget* TDlgContDD::buildLevels()
{
    auto* group = new QGroupBox;
    auto* layout = new QGridLayout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    levels_ = new ContourLevelPanel(this, *layout, state_, app_.prompts(), [this] { showState(); });
    minLabel_ = new QLabel;
    maxLabel_ = new QLabel;
    default_ = new QPushButton(QStringLiteral("default val."));
    default_->setAutoDefault(false);
    connect(default_, &QPushButton::clicked, this, &TDlgContDD::defaultClick);
    bezierBox_ = new QCheckBox(QStringLiteral("Bezier smoothing"));
    connect(bezierBox_, &QCheckBox::toggled, this, &TDlgContDD::bezierToggled);

    layout->addWidget(minLabel_, 6, 0);
    layout->addWidget(maxLabel_, 6, 1, 1, 2);
    layout->addWidget(default_, 7, 0, 1, 3);
    layout->addWidget(bezierBox_, 8, 0, 1, 3);
    return group;
}

void TDlgContDD::showState()
{
    const QSignalBlocker step(gridStep_);
    const QSignalBlocker curves(curvesEdit_);
    const QSignalBlocker bezier(bezierBox_);
    gridStep_->setText(QString::number(state_.pas));
    curvesEdit_->setText(QString::number(curves_));
    look_.show(state_);
    minLabel_->setText(toQString(DihedraMinLabel(mi_)));
    maxLabel_->setText(toQString(DihedraMaxLabel(ma_)));
    bezierBox_->setChecked(state_.bezierBox);
    levels_->show();
}

void TDlgContDD::takeValuesOf(const TWPlot* dihedra)
{
    if (!dihedra)
        return;
    mi_ = dihedra->model().mi;
    ma_ = dihedra->model().ma;
    showState();
}

void TDlgContDD::gridStepEdited()
{
    // Only the typed steps: the preference file gives this dialog no step of its own.
    const std::optional<int> step = ReadGridStep(fromQString(gridStep_->text()), 0);
    if (!step) {
        showState();
        app_.prompts().error(std::string(kMsgBadGridStep));
        return;
    }
    state_.pas = *step;
    showState();
}

void TDlgContDD::curvesEdited()
{
    const std::optional<int> typed = ReadCurveCount(fromQString(curvesEdit_->text()));
    if (!typed) {
        showState();
        app_.prompts().error(std::string(kMsgBadCurveCount));
        return;
    }
    curves_ = DihedraCurveCount(*typed);
    showState();
}

void TDlgContDD::bezierToggled(bool smoothing)
{
    state_.bezierBox = smoothing;
    showState();
}

void TDlgContDD::defaultClick()
{
    takeValuesOf(DihedraSource(app_));
    DihedraDefaultValues(state_, mi_, ma_, curves_);
    showState();
    levels_->showLevels(-1);
}

void TDlgContDD::contourClick()
{
    ContourRightDihedra(app_, *this);
}

void TDlgContDD::closeEvent(QCloseEvent* event)
{
    if (!state_.greyScale) {
        state_.levels.storeColours(state_.tcoCont);
        app_.settings().TcoCont = state_.tcoCont;
    }
    QWidget::closeEvent(event);
}

TDlgContDD* OpenDihedraContouring(TForm1& form, Application& app)
{
    auto* dialog = qobject_cast<TDlgContDD*>(app.dialog(kDlgContDD));
    if (!dialog) {
        dialog = new TDlgContDD(&form, app);
        app.setDialog(kDlgContDD, dialog);
        dialog->adjustSize();
        dialog->move(PlaceStats2DDialog(form, *dialog, nullptr, ActiveCanvas(app)));
    }
    dialog->takeValuesOf(DihedraSource(app));
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

TWPlot* DihedraSource(Application& app)
{
    DataWindow* w = app.registry().latest(WindowKind::Canvas, [](const DataWindow& window) {
        const auto* plot = dynamic_cast<const TWPlot*>(&window);
        return plot && plot->model().natWP == kWPDihedra && plot->isVisible();
    });
    return dynamic_cast<TWPlot*>(w);
}

TWPlot* ContourRightDihedra(Application& app, TDlgContDD& dialog)
{
    TWPlot* source = DihedraSource(app);
    if (!source) {
        app.prompts().error(std::string(kMsgNoDihedraCanvas));
        return nullptr;
    }
    dialog.takeValuesOf(source);
    const std::optional<ParamContours> params = DihedraParamsOf(dialog.state());
    if (!params) {
        app.prompts().error(std::string(kMsgNoLevel));
        return nullptr;
    }
    if (!RightDihedraDensity()) {
        app.prompts().error(std::string(kMsgNoDihedraDensity));
        return nullptr;
    }
    TWPlot* plot = NewWP(app, kWPDihedraContours);
    if (!plot)
        return nullptr;
    KeepDihedraContouring(plot->model(), source->model(), *params);
    plot->NettoyerWP();
    emit app.menusChanged();
    return plot;
}

void InstallDihedraContourCommands(TForm1& form, Application& app)
{
    RegisterDihedraContourDisplay(CanvasPainters::Registered());
    form.setHandler(Cmd::DihedraContours, [&form, &app] { OpenDihedraContouring(form, app); });
}

} // namespace ploq
