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
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace ploq {

namespace {

constexpr QSize kSwatchSize{36, 16};

QPixmap swatch(TColor colour)
{
    QPixmap p(kSwatchSize);
    p.fill(toQColor(colour));
    return p;
}

// Two exclusive choices in a titled box, the first and the second button.
QGroupBox* choiceBox(const char* title, QRadioButton*& first, const char* firstText,
                     QRadioButton*& second, const char* secondText)
{
    auto* box = new QGroupBox(QString::fromLatin1(title));
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    first = new QRadioButton(QString::fromLatin1(firstText));
    second = new QRadioButton(QString::fromLatin1(secondText));
    layout->addWidget(first);
    layout->addWidget(second);
    return box;
}

// The option word, and the grid mesh it holds as the options dialog reads it.
void storeStyle(VarGlob& settings, const ContourDialogState& state)
{
    settings.StyleCont = StyleContOf(state, settings.StyleCont);
    settings.PasCont = state.pas;
}

void setChecked(QRadioButton* on, QRadioButton* off, bool first)
{
    const QSignalBlocker a(on);
    const QSignalBlocker b(off);
    (first ? on : off)->setChecked(true);
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
    gridStep_ = new QLineEdit;
    gridStep_->setMaximumWidth(60);
    connect(gridStep_, &QLineEdit::editingFinished, this, &TDlgContours::gridStepEdited);
    cone_ = new QLineEdit;
    cone_->setMaximumWidth(60);
    connect(cone_, &QLineEdit::editingFinished, this, &TDlgContours::coneEdited);
    fields->addWidget(new QLabel(QStringLiteral(" grid step ")), 0, 0);
    fields->addWidget(gridStep_, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral(" cone aperture ")), 1, 0);
    fields->addWidget(cone_, 1, 1);
    layout->addLayout(fields);

    layout->addWidget(choiceBox("isovalues", raw_, "raw data", uniformity_, "N x  uniformity"));
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

    layout->addWidget(choiceBox(" display ", contoursOnly_, "contours only", filled_, "filled "));
    connect(contoursOnly_, &QRadioButton::clicked, this, [this] { displayClicked(false); });
    connect(filled_, &QRadioButton::clicked, this, [this] { displayClicked(true); });
    layout->addWidget(choiceBox(" contour lines ", asFilling_, "as filling", black_, "black"));
    connect(asFilling_, &QRadioButton::clicked, this, [this] { linesClicked(false); });
    connect(black_, &QRadioButton::clicked, this, [this] { linesClicked(true); });
    layout->addWidget(choiceBox(" filling ", colourMode_, "color", greyMode_, "gray scale"));
    connect(colourMode_, &QRadioButton::clicked, this, [this] { fillingClicked(false); });
    connect(greyMode_, &QRadioButton::clicked, this, [this] { fillingClicked(true); });
    layout->addStretch(1);
    return panel;
}

QWidget* TDlgContours::buildLevels()
{
    levelsGroup_ = new QGroupBox;
    auto* layout = new QGridLayout(levelsGroup_);
    layout->setContentsMargins(8, 4, 8, 4);
    levelList_ = new QListWidget;
    levelList_->setFont(QFont(QStringLiteral("Monospace")));
    levelList_->setMinimumWidth(90);
    connect(levelList_, &QListWidget::currentRowChanged, this, &TDlgContours::levelSelected);
    maxLabel_ = new QLabel;
    levelEdit_ = new QLineEdit;
    levelEdit_->setMaximumWidth(60);
    colourBox_ = new QToolButton;
    colourBox_->setIconSize(kSwatchSize);
    colourBox_->setToolTip(QStringLiteral("colour of the level"));
    connect(colourBox_, &QToolButton::clicked, this, &TDlgContours::colourBoxClick);
    greyEdit_ = new QLineEdit;
    greyEdit_->setMaximumWidth(60);
    connect(greyEdit_, &QLineEdit::editingFinished, this, &TDlgContours::greyEdited);
    greySwatch_ = new QLabel;
    add_ = new QPushButton(QStringLiteral("add"));
    delete_ = new QPushButton(QStringLiteral("delete"));
    modify_ = new QPushButton(QStringLiteral("modify"));
    default_ = new QPushButton(QStringLiteral("default parameters"));
    for (QPushButton* b : {add_, delete_, modify_, default_})
        b->setAutoDefault(false);
    connect(add_, &QPushButton::clicked, this, &TDlgContours::addClick);
    connect(delete_, &QPushButton::clicked, this, &TDlgContours::deleteClick);
    connect(modify_, &QPushButton::clicked, this, &TDlgContours::modifyClick);
    connect(default_, &QPushButton::clicked, this, &TDlgContours::defaultClick);
    bezierBox_ = new QCheckBox(QStringLiteral("Bezier smoothing"));
    connect(bezierBox_, &QCheckBox::toggled, this, &TDlgContours::bezierToggled);
    bezierNote_ = new QLabel;

    layout->addWidget(levelList_, 0, 0, 6, 1);
    layout->addWidget(levelEdit_, 0, 1);
    layout->addWidget(colourBox_, 0, 2);
    layout->addWidget(greyEdit_, 1, 1);
    layout->addWidget(greySwatch_, 1, 2);
    layout->addWidget(add_, 2, 1, 1, 2);
    layout->addWidget(delete_, 3, 1, 1, 2);
    layout->addWidget(modify_, 4, 1, 1, 2);
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
    const QSignalBlocker grey(greyEdit_);
    const QSignalBlocker bezier(bezierBox_);
    gridStep_->setText(QString::number(state_.pas));
    cone_->setText(toQString(FormatFixed(state_.cone, 1)));
    setChecked(uniformity_, raw_, state_.uniformity);
    for (std::size_t i = 0; i < drawing_.size(); ++i) {
        const QSignalBlocker b(drawing_[i]);
        drawing_[i]->setChecked(static_cast<std::size_t>(state_.drawing) == i);
    }
    drawingNote_->setText(toQString(DrawingNote(state_)));
    setChecked(filled_, contoursOnly_, state_.filled);
    setChecked(black_, asFilling_, state_.blackLine);
    setChecked(greyMode_, colourMode_, state_.greyScale);
    levelsGroup_->setTitle(toQString(UnitLabel(state_)));
    maxLabel_->setText(toQString(MaxLabel(state_)));
    levelEdit_->setText(toQString(state_.levelField));
    colourBox_->setIcon(swatch(state_.colour));
    greyEdit_->setText(toQString(FormatFixed(state_.greyPercent, 1)));
    greySwatch_->setPixmap(swatch(GreyOfPercent(state_.greyPercent)));
    bezierBox_->setChecked(state_.bezierBox);
    bezierNote_->setText(toQString(BezierNote(state_.bezierBox)));
    options_->setVisible(!state_.collapsed);
    showLevels(levelList_->currentRow());
}

void TDlgContours::showLevels(int selected)
{
    const QSignalBlocker blocker(levelList_);
    levelList_->clear();
    for (const Contour& c : state_.levels.levels()) {
        auto* item = new QListWidgetItem(QIcon(swatch(c.cz)), toQString(LevelListText(c.z)));
        levelList_->addItem(item);
    }
    if (selected >= 0 && selected < levelList_->count())
        levelList_->setCurrentRow(selected);
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

void TDlgContours::displayClicked(bool filled)
{
    state_.filled = filled;
    showState();
}

void TDlgContours::linesClicked(bool black)
{
    state_.blackLine = black;
    showState();
}

void TDlgContours::fillingClicked(bool grey)
{
    SetGreyScale(state_, grey);
    showState();
}

void TDlgContours::levelSelected(int row)
{
    if (row < 0 || row >= state_.levels.count())
        return;
    const Contour& c = state_.levels.at(row);
    state_.levelField = LevelFieldText(c.z);
    if (state_.greyScale)
        state_.greyPercent = PercentOfGrey(c.cz);
    else
        state_.colour = c.cz;
    showState();
}

void TDlgContours::colourBoxClick()
{
    const ColourAnswer answer = app_.prompts().chooseColour(state_.colour);
    if (!answer.colour)
        return;
    state_.colour = *answer.colour;
    showState();
}

void TDlgContours::greyEdited()
{
    const std::optional<double> grey = ReadGreyPercent(fromQString(greyEdit_->text()));
    if (!grey) {
        showState();
        refuse(kMsgBadGrey);
        return;
    }
    state_.greyPercent = *grey;
    showState();
}

void TDlgContours::bezierToggled(bool smoothing)
{
    state_.bezierBox = smoothing;
    showState();
}

std::optional<double> TDlgContours::typedLevel()
{
    const std::optional<double> z = ReadLevel(fromQString(levelEdit_->text()));
    if (!z) {
        showState();
        refuse(kMsgBadLevel);
        return std::nullopt;
    }
    return z;
}

void TDlgContours::addClick()
{
    if (state_.levels.count() >= kMaxContourLevels) {
        app_.prompts().information(std::string(kMsgTooManyContours));
        return;
    }
    const std::optional<double> z = typedLevel();
    if (!z)
        return;
    int inserted = -1;
    if (state_.levels.add(*z, state_.currentColour(), &inserted) == LevelEdit::Duplicate) {
        showState();
        refuse(kMsgSameLevel);
        return;
    }
    state_.levelField = LevelFieldText(*z);
    if (!state_.greyScale)
        state_.levels.storeColours(state_.tcoCont);
    showState();
    showLevels(inserted);
}

void TDlgContours::deleteClick()
{
    const int row = levelList_->currentRow();
    if (state_.levels.remove(row) != LevelEdit::Done)
        return;
    showLevels(std::min(row, state_.levels.count() - 1));
}

void TDlgContours::modifyClick()
{
    const int row = levelList_->currentRow();
    if (row < 0 || row >= state_.levels.count())
        return;
    const std::optional<double> z = typedLevel();
    if (!z)
        return;
    int moved = row;
    if (state_.levels.modify(row, *z, state_.currentColour(), &moved) == LevelEdit::Duplicate) {
        showState();
        refuse(kMsgSameLevel);
        return;
    }
    state_.levelField = LevelFieldText(*z);
    showState();
    showLevels(moved);
}

void TDlgContours::defaultClick()
{
    TWPlot* canvas = ActiveCanvas(app_);
    const bool usable = canvas && IsContourSource(canvas->model().natWP);
    const std::vector<Direction> set =
        usable ? ContourSet(canvas->model(), app_.Tsy()) : std::vector<Direction>{};
    DefaultParameters(state_, set, usable ? canvas->model().net() : Net{});
    showState();
    showLevels(-1);
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
