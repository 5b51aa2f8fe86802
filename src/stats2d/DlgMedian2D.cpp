#include "stats2d/DlgMedian2D.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "canvas/UtilPlot.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "model/UtilGlob.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "stats2d/CircularDraw.h"
#include "stats2d/DlgStats2D.h"
#include "transform/QtClickImage.h"
#include "transform/UseSymb.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ploq {

namespace {

constexpr int kStripCell = 12;

constexpr const char* kKindCaptions[] = {"axis, from 0 to 180\xB0", "axis, from 0 to 360\xB0",
                                         "vecteurs, from 0 to 360\xB0",
                                         "dip values, from 0 to 90\xB0"};
constexpr const char* kPlaneCaptions[] = {"strike", "dip direction", "pole direction"};

QString text(const std::string& cp1252)
{
    return toQString(cp1252);
}

// Radio buttons in a titled column, one group of choices.
template <std::size_t N>
QGroupBox* radioColumn(QWidget* parent, const char* title, const char* const (&captions)[N],
                       std::array<QRadioButton*, N>& buttons)
{
    auto* box = new QGroupBox(text(title), parent);
    auto* column = new QVBoxLayout(box);
    column->setSpacing(2);
    auto* group = new QButtonGroup(box);
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(text(captions[i]), box);
        group->addButton(buttons[i]);
        column->addWidget(buttons[i]);
    }
    return box;
}

template <std::size_t N> int checkedIndex(const std::array<QRadioButton*, N>& buttons, int none)
{
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    return none;
}

} // namespace

TDlgMedian2D::TDlgMedian2D(TForm1& form, Application& app)
    : QWidget(&form, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint),
      form_(form), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Median"));
    setProperty("helpTopic", kHelpCircular);

    optionsButton_ = new QToolButton(this);
    optionsButton_->setText(QStringLiteral("options"));
    optionsButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    optionsButton_->setAutoRaise(true);
    connect(optionsButton_, &QToolButton::clicked, this, [this] { setTall(!tall()); });
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setMinimumWidth(80);
    connect(ok_, &QPushButton::clicked, this, &TDlgMedian2D::Button1Click);
    cancel_ = new QPushButton(QStringLiteral("cancel"), this);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(optionsButton_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(6);
    layout->addWidget(buildKinds());
    layout->addWidget(buildSources());
    layout->addWidget(buildOptions());
    layout->addStretch(1);
    layout->addLayout(buttons);

    restore();
    connect(&app_, &Application::menusChanged, this, [this] {
        if (isVisible())
            FormActivate();
    });
}

QWidget* TDlgMedian2D::buildKinds()
{
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);
    QGroupBox* kinds = radioColumn(part, " Measurements are ", kKindCaptions, kinds_);
    QGroupBox* planes = radioColumn(part, " for planes, use ", kPlaneCaptions, planes_);
    for (QRadioButton* b : kinds_)
        connect(b, &QRadioButton::toggled, this, &TDlgMedian2D::showSummary);
    for (QRadioButton* b : planes_)
        connect(b, &QRadioButton::toggled, this, &TDlgMedian2D::showSummary);
    auto* frame = new QFrame(part);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(6, 2, 6, 2);
    for (QLabel*& label : summary_) {
        label = new QLabel(frame);
        row->addWidget(label);
        row->addStretch(1);
    }
    grid->addWidget(kinds, 0, 0);
    grid->addWidget(planes, 0, 1);
    grid->addWidget(frame, 1, 0, 1, 2);
    return part;
}

QWidget* TDlgMedian2D::buildSources()
{
    auto* part = new QWidget(this);
    auto* row = new QHBoxLayout(part);
    row->setContentsMargins(0, 0, 0, 0);
    auto* use = new QGroupBox(QStringLiteral(" Use "), part);
    auto* useColumn = new QVBoxLayout(use);
    canvasSource_ = new QRadioButton(QStringLiteral("stereoplot values"), use);
    sheetSource_ = new QRadioButton(QStringLiteral("datasheet values"), use);
    auto* sources = new QButtonGroup(use);
    sources->addButton(canvasSource_);
    sources->addButton(sheetSource_);
    useColumn->addWidget(canvasSource_);
    useColumn->addWidget(sheetSource_);

    auto* select = new QGroupBox(QStringLiteral(" select "), part);
    auto* selectGrid = new QGridLayout(select);
    allValues_ = new QRadioButton(QStringLiteral("all values"), select);
    selection_ = new QRadioButton(QStringLiteral("a selection"), select);
    auto* which = new QButtonGroup(select);
    which->addButton(allValues_);
    which->addButton(selection_);
    // The circular plot takes every value of its source; the button is there, and does nothing.
    select_ = new QPushButton(QStringLiteral("select"), select);
    select_->setAutoDefault(false);
    connect(selection_, &QRadioButton::toggled, select_, &QPushButton::setEnabled);
    selectGrid->addWidget(allValues_, 0, 0);
    selectGrid->addWidget(selection_, 1, 0);
    selectGrid->addWidget(select_, 1, 1);
    row->addWidget(use, 1);
    row->addWidget(select, 1);
    return part;
}

QWidget* TDlgMedian2D::buildOptions()
{
    options_ = new QGroupBox(this);
    auto* grid = new QGridLayout(options_);
    draw_ = new QCheckBox(QStringLiteral("Draw the circular plot"), options_);
    connect(draw_, &QCheckBox::toggled, this, &TDlgMedian2D::enableShown);
    auto* shown = new QGroupBox(QStringLiteral(" Show position of "), options_);
    auto* shownRow = new QHBoxLayout(shown);
    average_ = new QCheckBox(QStringLiteral("average"), shown);
    median_ = new QCheckBox(QStringLiteral("median"), shown);
    hodgesAjne_ = new QCheckBox(QStringLiteral("Hodges-Ajne test"), shown);
    for (QCheckBox* b : {average_, median_, hodgesAjne_})
        shownRow->addWidget(b);
    graduations_ = new QCheckBox(QStringLiteral("graduations"), options_);
    colours_ = new ClickImage(options_);
    colours_->setToolTip(tr("Choose the colour"));
    colours_->onReleased([this](int x, int) { ColourStripClick(x); });
    grid->addWidget(draw_, 0, 0);
    grid->addWidget(graduations_, 0, 1);
    grid->addWidget(shown, 1, 0, 1, 2);
    grid->addWidget(colours_, 2, 0, 1, 2, Qt::AlignLeft);
    return options_;
}

void TDlgMedian2D::restore()
{
    const std::int32_t style = app_.settings().StyleStats2D;
    kinds_[static_cast<std::size_t>(KindOfStyle(style))]->setChecked(true);
    planes_[static_cast<std::size_t>(PlaneOfStyle(style))]->setChecked(true);
    (TestBit(style, kStats2DCanvasValues) ? canvasSource_ : sheetSource_)->setChecked(true);
    (TestBit(style, kStats2DAllValues) ? allValues_ : selection_)->setChecked(true);
    select_->setEnabled(selection_->isChecked());
    draw_->setChecked(TestBit(style, kStats2DDraw));
    average_->setChecked(TestBit(style, kStats2DShowMean));
    median_->setChecked(TestBit(style, kStats2DShowMedian));
    hodgesAjne_->setChecked(TestBit(style, kStats2DHodgesAjne));
    graduations_->setChecked(TestBit(style, kStats2DGraduate));
    enableShown();
    setTall(TestBit(style, kStats2DTall));
    showColours();
    showSummary();
}

std::int32_t TDlgMedian2D::styleWord() const
{
    std::int32_t style = app_.settings().StyleStats2D;
    SetBit(style, kStats2DDraw, draw_->isChecked());
    SetBit(style, kStats2DCanvasValues, canvasSource_->isChecked());
    SetBit(style, kStats2DAllValues, allValues_->isChecked());
    SetKindAndPlane(style, natM(), sBy());
    SetBit(style, kStats2DShowMean, average_->isChecked());
    SetBit(style, kStats2DShowMedian, median_->isChecked());
    SetBit(style, kStats2DHodgesAjne, hodgesAjne_->isChecked());
    SetBit(style, kStats2DGraduate, graduations_->isChecked());
    SetBit(style, kStats2DTall, tall());
    return style;
}

bool TDlgMedian2D::tall() const
{
    return !options_->isHidden();
}

void TDlgMedian2D::setTall(bool tall)
{
    options_->setVisible(tall);
    optionsButton_->setArrowType(tall ? Qt::UpArrow : Qt::DownArrow);
    adjustSize();
}

void TDlgMedian2D::enableShown()
{
    for (QCheckBox* b : {average_, median_, hodgesAjne_})
        b->setEnabled(draw_->isChecked());
}

int TDlgMedian2D::natM() const
{
    return checkedIndex(kinds_, kVectors360);
}

int TDlgMedian2D::sBy() const
{
    return checkedIndex(planes_, kPlaneStrike);
}

void TDlgMedian2D::showSummary()
{
    summary_[0]->setText(text(KindSummary(natM())));
    summary_[1]->setText(text(PlaneSummary(sBy())));
}

void TDlgMedian2D::showColours()
{
    const VarGlob& s = app_.settings();
    colours_->setPicture(BandeCouleursImage(s.Tco, kStripCell, s.Couleur));
}

void TDlgMedian2D::ColourStripClick(int x)
{
    app_.settings().Couleur = CouleurCliquee(x, kStripCell);
    showColours();
}

void TDlgMedian2D::FormActivate()
{
    const bool stereo = StereonetCanvas(app_) != nullptr;
    const bool sheet = CurrentSheet(app_) != nullptr;
    canvasSource_->setEnabled(stereo);
    sheetSource_->setEnabled(sheet);
    if (!stereo)
        sheetSource_->setChecked(true);
    else if (!sheet)
        canvasSource_->setChecked(true);
    showColours();
}

std::vector<double> TDlgMedian2D::collect()
{
    if (canvasSource_->isChecked()) {
        TWPlot* stereo = StereonetCanvas(app_);
        return stereo ? CollectRecords(CanvasRecords(stereo->model()), nullptr, natM(), sBy())
                      : std::vector<double>{};
    }
    const TWFichier* sheet = CurrentSheet(app_);
    return sheet ? CollectSheet(sheet->sheet(), {}, natM(), sBy()) : std::vector<double>{};
}

namespace {

// The report on a new circular plot canvas; false when no canvas could be made.
bool showOnPlot(Application& app, std::span<const double> values, const CircularPlotReport& report,
                std::int32_t style)
{
    TWPlot* plot = NewWP(app, kWPCircularPlot);
    if (!plot)
        return false;
    const VarGlob& s = app.settings();
    plot->setTitle("2D circular plot");
    FillCircularPlot(plot->model(), values, report, s.Couleur, style);
    const TColor colour = CouleurDe(s.Tco, s.Couleur);
    for (std::size_t i = 0; i < report.lines.size(); ++i)
        plot->appendInfo(report.lines[i], i == 0, i == 0 ? clBlack : colour);
    plot->showNormal();
    plot->NettoyerWP();
    plot->SetControls();
    return true;
}

void showInText(Application& app, const CircularPlotReport& report)
{
    TWText* window = NewTextWindow(app, 0, "Circular plot");
    if (!window)
        return;
    for (std::size_t i = 0; i < report.lines.size(); ++i)
        window->appendLine(report.lines[i], i == 0);
    window->setDirty(false);
    window->show();
}

} // namespace

void TDlgMedian2D::Button1Click()
{
    if (!StereonetCanvas(app_) && !CurrentSheet(app_))
        return;
    const std::int32_t style = styleWord();
    app_.settings().StyleStats2D = style;
    const std::vector<double> values = collect();
    if (values.empty()) {
        app_.prompts().information(std::string(kMsgNoValue));
        return;
    }
    const CircularPlotReport report =
        ComputeCircularPlot(values, natM(), sBy(), app_.clock().now());
    Application& app = app_;
    close();
    if (TestBit(style, kStats2DDraw))
        showOnPlot(app, values, report, style);
    else
        showInText(app, report);
    emit app.menusChanged();
}

bool TDlgMedian2D::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TDlgMedian2D::closeEvent(QCloseEvent* e)
{
    app_.settings().StyleStats2D = styleWord();
    QWidget::closeEvent(e);
}

TDlgMedian2D* OuvrirMedian2D(TForm1& form, Application& app)
{
    TWPlot* stereo = StereonetCanvas(app);
    if (!stereo && !CurrentSheet(app) && !ActiveCanvas(app))
        return nullptr;
    auto* dialog = qobject_cast<TDlgMedian2D*>(app.dialog(kDlgMedian2D));
    if (!dialog) {
        dialog = new TDlgMedian2D(form, app);
        app.setDialog(kDlgMedian2D, dialog);
        dialog->adjustSize();
        dialog->move(PlaceStats2DDialog(form, *dialog, CurrentSheet(app), stereo));
    }
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    dialog->FormActivate();
    return dialog;
}

namespace {

// The Kuiper diagram the test goes to: the current one unless a new window is asked for.
struct KuiperTarget {
    TWPlot* plot = nullptr;
    bool made = false;
};

KuiperTarget kuiperTarget(Application& app, const TDlgStats2D& dialog)
{
    TWPlot* active = ActiveCanvas(app);
    if (!dialog.newWindowBox()->isChecked() && active && active->model().natWP == kWPStats2D
        && active->model().i0 == kDiagramKuiper && !active->model().lT2D.empty())
        return {active, false};
    TWPlot* plot = NewWP(app, kWPStats2D);
    if (plot)
        plot->setTitle(plot->title() + DiagramTitleSuffix(kDiagramKuiper));
    return {plot, true};
}

} // namespace

void RunKuiperTest(Application& app, TDlgStats2D& dialog, std::span<const double> sorted,
                   const Stats2DChoice& choice)
{
    const KuiperTarget target = kuiperTarget(app, dialog);
    if (!target.plot)
        return;
    TWPlot& plot = *target.plot;
    const int n = static_cast<int>(sorted.size());
    plot.appendInfo(KuiperCountLine(n));
    if (OnlyZeroValues(sorted)) {
        // A diagram shown already keeps its test.
        if (target.made)
            plot.close();
        app.prompts().error(std::string(kMsgKuiperZeros));
        emit app.menusChanged();
        return;
    }
    const KuiperResult result = KuiperTest(sorted, choice.natM);
    const TColor colour = CouleurDe(app.settings().Tco, choice.colour);
    const std::vector<std::string> lines = KuiperLines(result, app.clock().now());
    for (std::size_t i = 0; i < lines.size(); ++i)
        plot.appendInfo(lines[i], i == 0, i == 0 ? clBlack : colour);
    CanvasModel& m = plot.model();
    m.lT2D.assign(sorted.begin(), sorted.end());
    m.lNT = n;
    m.i0 = kDiagramKuiper;
    m.i1 = choice.natM;
    m.i2 = choice.colour;
    plot.showNormal();
    plot.NettoyerWP();
    plot.SetControls();
    emit app.menusChanged();
}

void InstallCircularCommands(TForm1& form, Application& app)
{
    RegisterCircularDisplays();
    Stats2DRunners()[kDiagramKuiper] = [&app](TDlgStats2D& dialog, std::span<const double> sorted,
                                              const Stats2DChoice& choice) {
        RunKuiperTest(app, dialog, sorted, choice);
    };
    form.setHandler(Cmd::CircularPlot, [&form, &app] { OuvrirMedian2D(form, app); });
    form.setHandler(Cmd::KuiperTest, [&form, &app] { OuvrirStats2D(form, app, kDiagramKuiper); });
}

} // namespace ploq
