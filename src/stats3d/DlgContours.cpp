#include "stats3d/DlgContours.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "model/UtilGlob.h"
#include "platform/Prompts.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats2d/DlgStats2D.h"
#include "stats3d/Contours.h"

#include <QButtonGroup>
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
#include <QToolButton>
#include <QVBoxLayout>

namespace ploq {

namespace {

// The option word, and the grid mesh it holds as the options dialog reads it.
void storeStyle(VarGlob& settings, const ContourDialogState& state)
{
    settings.StyleCont = StyleContOf(state, settings.StyleCont);
    settings.PasCont = state.pas;
}

} // namespace

TDlgContours::TDlgContours(QWidget* parent, Application& app)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      app_(app), state_(OpeningState(app.settings().StyleCont, app.settings().TcoCont)),
      stepFromPreferences_(state_.pas)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Contouring"));
    setProperty("helpTopic", kHelpContouring);

    optionsButton_ = new QToolButton;
    optionsButton_->setText(QStringLiteral("options"));
    optionsButton_->setAutoRaise(true);
    connect(optionsButton_, &QToolButton::clicked, this,
            [this] { setCollapsed(!state_.collapsed); });
    contour_ = new QPushButton(QStringLiteral("Contour"));
    contour_->setDefault(true);
    connect(contour_, &QPushButton::clicked, this, &TDlgContours::contourClick);

    auto* columns = new QHBoxLayout;
    options_ = buildOptions();
    columns->addWidget(options_);
    columns->addWidget(buildLevels(), 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(optionsButton_);
    bottom->addStretch(1);
    bottom->addWidget(contour_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addLayout(columns);
    layout->addLayout(bottom);
    showState();
}

QWidget* TDlgContours::buildOptions()
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* fields = new QGridLayout;
    gridStep_ = AddContourField(*fields, 0, " grid step ", *this, [this] { gridStepEdited(); });
    cone_ = AddContourField(*fields, 1, " cone aperture ", *this, [this] { coneEdited(); });
    layout->addLayout(fields);

    layout->addWidget(
        ContourChoiceBox("isovalues", raw_, "raw data", uniformity_, "N x  uniformity"));
    connect(raw_, &QRadioButton::clicked, this, [this] { isovaluesClicked(false); });
    connect(uniformity_, &QRadioButton::clicked, this, [this] { isovaluesClicked(true); });

    auto* drawing = new QGroupBox(QStringLiteral("contours drawing"));
    auto* drawingLayout = new QVBoxLayout(drawing);
    drawingLayout->setContentsMargins(8, 4, 8, 4);
    drawingLayout->setSpacing(2);
    const char* const names[] = {"segments", "polygons", "bezier curves"};
    for (std::size_t i = 0; i < drawing_.size(); ++i) {
        drawing_[i] = new QRadioButton(QString::fromLatin1(names[i]));
        drawingLayout->addWidget(drawing_[i]);
        connect(drawing_[i], &QRadioButton::clicked, this,
                [this, i] { drawingClicked(static_cast<ContourDrawingChoice>(i)); });
    }
    drawingNote_ = new QLabel;
    drawingLayout->addWidget(drawingNote_);
    layout->addWidget(drawing);

    look_.build(*layout, *this, state_, [this] { showState(); });
    layout->addStretch(1);
    return panel;
}

QWidget* TDlgContours::buildLevels()
{
    levelsGroup_ = new QGroupBox;
    auto* layout = new QGridLayout(levelsGroup_);
    layout->setContentsMargins(8, 4, 8, 4);
    levels_ = new ContourLevelPanel(this, *layout, state_, app_.prompts(), [this] { showState(); });
    maxLabel_ = new QLabel;
    default_ = new QPushButton(QStringLiteral("default parameters"));
    default_->setAutoDefault(false);
    connect(default_, &QPushButton::clicked, this, &TDlgContours::defaultClick);
    bezierBox_ = new QCheckBox(QStringLiteral("Bezier smoothing"));
    connect(bezierBox_, &QCheckBox::toggled, this, &TDlgContours::bezierToggled);
    bezierNote_ = new QLabel;

    layout->addWidget(maxLabel_, 6, 0, 1, 3);
    layout->addWidget(default_, 7, 0, 1, 3);
    layout->addWidget(bezierBox_, 8, 0, 1, 2);
    layout->addWidget(bezierNote_, 8, 2);
    return levelsGroup_;
}

void TDlgContours::showState()
{
    const QSignalBlocker step(gridStep_);
    const QSignalBlocker cone(cone_);
    const QSignalBlocker bezier(bezierBox_);
    gridStep_->setText(QString::number(state_.pas));
    cone_->setText(toQString(FormatFixed(state_.cone, 1)));
    CheckOneOf(uniformity_, raw_, state_.uniformity);
    for (std::size_t i = 0; i < drawing_.size(); ++i) {
        const QSignalBlocker b(drawing_[i]);
        drawing_[i]->setChecked(static_cast<std::size_t>(state_.drawing) == i);
    }
    drawingNote_->setText(toQString(DrawingNote(state_)));
    look_.show(state_);
    levelsGroup_->setTitle(toQString(UnitLabel(state_)));
    maxLabel_->setText(toQString(MaxLabel(state_)));
    bezierBox_->setChecked(state_.bezierBox);
    bezierNote_->setText(toQString(BezierNote(state_.bezierBox)));
    options_->setVisible(!state_.collapsed);
    levels_->show();
}

void TDlgContours::recount()
{
    TWPlot* canvas = ActiveCanvas(app_);
    if (!canvas || !IsContourSource(canvas->model().natWP))
        return;
    const std::vector<Direction> set = ContourSet(canvas->model(), app_.Tsy());
    Recount(state_, set, canvas->model().net());
    showState();
}

void TDlgContours::refuse(std::string_view message)
{
    app_.prompts().error(std::string(message));
}

void TDlgContours::gridStepEdited()
{
    const std::optional<int> step =
        ReadGridStep(fromQString(gridStep_->text()), stepFromPreferences_);
    if (!step) {
        showState();
        refuse(kMsgBadGridStep);
        return;
    }
    if (*step == state_.pas)
        return;
    state_.pas = *step;
    recount();
    showState();
}

void TDlgContours::coneEdited()
{
    const std::optional<double> cone = ReadCone(fromQString(cone_->text()));
    if (!cone) {
        showState();
        refuse(kMsgBadCone);
        return;
    }
    const bool changed = *cone != state_.cone;
    state_.cone = *cone;
    if (changed)
        recount();
    showState();
}

void TDlgContours::isovaluesClicked(bool uniformity)
{
    state_.uniformity = uniformity;
    defaultClick();
}

void TDlgContours::drawingClicked(ContourDrawingChoice drawing)
{
    state_.drawing = drawing;
    showState();
}

void TDlgContours::bezierToggled(bool smoothing)
{
    state_.bezierBox = smoothing;
    showState();
}

void TDlgContours::defaultClick()
{
    TWPlot* canvas = ActiveCanvas(app_);
    const bool usable = canvas && IsContourSource(canvas->model().natWP);
    const std::vector<Direction> set =
        usable ? ContourSet(canvas->model(), app_.Tsy()) : std::vector<Direction>{};
    DefaultParameters(state_, set, usable ? canvas->model().net() : Net{});
    showState();
    levels_->showLevels(-1);
}

void TDlgContours::contourClick()
{
    ContourCommand(app_, *this);
}

void TDlgContours::setCollapsed(bool collapsed)
{
    state_.collapsed = collapsed;
    showState();
    adjustSize();
}

void TDlgContours::saveOptions()
{
    VarGlob& s = app_.settings();
    storeStyle(s, state_);
    if (!state_.greyScale) {
        state_.levels.storeColours(state_.tcoCont);
        s.TcoCont = state_.tcoCont;
    }
}

void TDlgContours::closeEvent(QCloseEvent* event)
{
    saveOptions();
    QWidget::closeEvent(event);
}

TDlgContours* OpenContouring(TForm1& form, Application& app)
{
    auto* dialog = qobject_cast<TDlgContours*>(app.dialog(kDlgContours));
    if (!dialog) {
        dialog = new TDlgContours(&form, app);
        app.setDialog(kDlgContours, dialog);
        dialog->adjustSize();
        dialog->move(PlaceStats2DDialog(form, *dialog, nullptr, ActiveCanvas(app)));
    }
    dialog->recount();
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

bool IsContourSource(int natWP)
{
    return natWP == kWPOrdinary || natWP == kWPRotated || natWP == kWPContouring;
}

void ContourOnto(Application& app, TWPlot& plot, std::span<const Direction> set,
                 const ParamContours& params)
{
    KeepContouring(plot.model(), set, params);
    plot.NettoyerWP();
    for (const InfoLine& line : ContourReport(params, app.clock().now()))
        plot.appendInfo(line.text, line.bold);
    emit app.menusChanged();
}

TWPlot* ContourCommand(Application& app, TDlgContours& dialog)
{
    TWPlot* active = ActiveCanvas(app);
    if (!active) {
        dialog.close();
        return nullptr;
    }
    if (!IsContourSource(active->model().natWP))
        return nullptr;
    const std::vector<Direction> set = ContourSet(active->model(), app.Tsy());
    const std::optional<ParamContours> params =
        ContourParamsFor(dialog.state(), set, active->model().net());
    dialog.showState();
    if (!params) {
        app.prompts().error(std::string(kMsgNoLevel));
        return nullptr;
    }
    TWPlot* plot = NewWP(app, kWPContouring);
    if (!plot)
        return nullptr;
    ContourOnto(app, *plot, set, *params);
    storeStyle(app.settings(), dialog.state());
    return plot;
}

} // namespace ploq
