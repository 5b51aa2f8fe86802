#include "stats2d/DlgStats2D.h"

#include "app/Application.h"
#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "app/ScreenPlace.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "model/UtilGlob.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "stats2d/Stats2DDraw.h"
#include "transform/DlgUseDataSheet.h"
#include "transform/DlgUseSymb.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace ploq {

namespace {

constexpr int kStripCell = 12;

constexpr const char* kKindCaptions[] = {
    "axis strikes, from 0 to 180\xB0", "axis trends, from 0 to 360\xB0",
    "vecteurs trends, from 0 to 360\xB0", "dip values, from 0 to 90\xB0"};
constexpr const char* kPlaneCaptions[] = {"strike", "dip direction", "pole direction"};

QString text(const std::string& cp1252)
{
    return toQString(cp1252);
}

// The canvases whose records are measurements: what "stereoplot values" reads.
bool IsStereonet(int natWP)
{
    return ShowsNet(natWP) && HoldsRecords(natWP);
}

} // namespace

TWPlot* StereonetCanvas(Application& app)
{
    return dynamic_cast<TWPlot*>(app.registry().latest(WindowKind::Canvas, [](const DataWindow& w) {
        const auto* plot = dynamic_cast<const TWPlot*>(&w);
        return plot && IsStereonet(plot->model().natWP);
    }));
}

std::map<int, Stats2DRunner>& Stats2DRunners()
{
    static std::map<int, Stats2DRunner> runners;
    return runners;
}

TDlgStats2D::TDlgStats2D(TForm1& form, Application& app)
    : QWidget(&form, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint),
      form_(form), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Stats 2D"));
    auto* top = new QHBoxLayout;
    top->addWidget(buildSources(), 1);
    top->addWidget(buildKinds(), 1);

    optionsButton_ = new QToolButton(this);
    optionsButton_->setText(QStringLiteral("options"));
    optionsButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    optionsButton_->setAutoRaise(true);
    connect(optionsButton_, &QToolButton::clicked, this, [this] { setTall(!tall()); });
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setMinimumWidth(80);
    connect(ok_, &QPushButton::clicked, this, &TDlgStats2D::Button1Click);
    auto* closeButton = new QPushButton(QStringLiteral("close"), this);
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(optionsButton_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addWidget(buildSummary());
    layout->addWidget(buildOptions());
    layout->addStretch(1);
    layout->addLayout(buttons);

    restore();
    connect(&app_, &Application::menusChanged, this, [this] {
        if (isVisible())
            FormActivate();
    });
}

QWidget* TDlgStats2D::buildSources()
{
    auto* box = new QGroupBox(tr("Values"), this);
    auto* grid = new QGridLayout(box);
    canvasSource_ = new QRadioButton(box);
    sheetSource_ = new QRadioButton(box);
    auto* sources = new QButtonGroup(box);
    sources->addButton(canvasSource_);
    sources->addButton(sheetSource_);
    allValues_ = new QRadioButton(QStringLiteral("all values"), box);
    selection_ = new QRadioButton(QStringLiteral("a selection"), box);
    auto* which = new QButtonGroup(box);
    which->addButton(allValues_);
    which->addButton(selection_);
    dataSelection_ = new QPushButton(QStringLiteral("data selection"), box);
    dataSelection_->setAutoDefault(false);
    selectionLabel_ = new QLabel(box);
    for (QRadioButton* b : {canvasSource_, sheetSource_, allValues_, selection_})
        connect(b, &QRadioButton::toggled, this, [this] {
            dataSelection_->setEnabled(selection_->isChecked());
            showSelection();
        });
    connect(dataSelection_, &QPushButton::clicked, this, &TDlgStats2D::DataSelectionClick);
    grid->addWidget(canvasSource_, 0, 0, 1, 2);
    grid->addWidget(sheetSource_, 1, 0, 1, 2);
    grid->addWidget(allValues_, 2, 0);
    grid->addWidget(selection_, 3, 0);
    grid->addWidget(dataSelection_, 3, 1);
    grid->addWidget(selectionLabel_, 4, 0, 1, 2);
    return box;
}

QWidget* TDlgStats2D::buildKinds()
{
    auto* part = new QWidget(this);
    auto* column = new QVBoxLayout(part);
    column->setContentsMargins(0, 0, 0, 0);
    auto* kinds = new QGroupBox(QStringLiteral("Measurements are"), part);
    auto* kindColumn = new QVBoxLayout(kinds);
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        kinds_[i] = new QRadioButton(text(kKindCaptions[i]), kinds);
        kindColumn->addWidget(kinds_[i]);
        connect(kinds_[i], &QRadioButton::toggled, this, &TDlgStats2D::showSummary);
    }
    auto* planes = new QGroupBox(QStringLiteral("for planes, consider"), part);
    auto* planeRow = new QHBoxLayout(planes);
    for (std::size_t i = 0; i < planes_.size(); ++i) {
        planes_[i] = new QRadioButton(text(kPlaneCaptions[i]), planes);
        planeRow->addWidget(planes_[i]);
        connect(planes_[i], &QRadioButton::toggled, this, &TDlgStats2D::showSummary);
    }
    column->addWidget(kinds);
    column->addWidget(planes);
    return part;
}

QWidget* TDlgStats2D::buildSummary()
{
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(6, 2, 6, 2);
    for (QLabel*& label : summary_) {
        label = new QLabel(frame);
        row->addWidget(label);
        row->addStretch(1);
    }
    return frame;
}

QWidget* TDlgStats2D::buildOptions()
{
    options_ = new QGroupBox(tr("Options"), this);
    auto* grid = new QGridLayout(options_);
    grid->setVerticalSpacing(2);
    width_ = new QSpinBox(options_);
    width_->setRange(2, 90);
    width_->setSingleStep(5);
    width_->setValue(10);
    shift_ = new QSpinBox(options_);
    shift_->setRange(-20, 20);
    shift_->setSingleStep(5);
    for (QSpinBox* box : {width_, shift_})
        connect(box, &QSpinBox::valueChanged, this, &TDlgStats2D::showSummary);
    auto* widthLabel = new QLabel(QStringLiteral("class value"), options_);
    auto* shiftLabel = new QLabel(QStringLiteral("origin shift"), options_);
    newWindow_ = new QCheckBox(QStringLiteral("in a new window"), options_);
    plain_ = new QCheckBox(QStringLiteral("plain drawing"), options_);
    smoothed_ = new QCheckBox(QStringLiteral("smoothed"), options_);
    average_ = new QCheckBox(QStringLiteral("average"), options_);
    median_ = new QCheckBox(QStringLiteral("median"), options_);
    graduate_ = new QCheckBox(QStringLiteral("graduate axis"), options_);
    connect(smoothed_, &QCheckBox::toggled, plain_, [this](bool on) { plain_->setEnabled(!on); });
    colours_ = new QLabel(options_);
    colours_->setCursor(Qt::PointingHandCursor);
    colours_->setToolTip(tr("Choose the colour"));
    colours_->installEventFilter(this);

    grid->addWidget(widthLabel, 0, 0);
    grid->addWidget(width_, 0, 1);
    grid->addWidget(shiftLabel, 0, 2);
    grid->addWidget(shift_, 0, 3);
    grid->addWidget(newWindow_, 1, 0, 1, 2);
    grid->addWidget(plain_, 1, 2);
    grid->addWidget(smoothed_, 1, 3);
    grid->addWidget(average_, 2, 0, 1, 2);
    grid->addWidget(median_, 2, 2);
    grid->addWidget(graduate_, 2, 3);
    grid->addWidget(colours_, 3, 0, 1, 4, Qt::AlignLeft);
    // The Kuiper test has no classes: these go for it.
    classControls_ = {widthLabel, width_, shiftLabel, shift_, plain_, smoothed_};
    return options_;
}

void TDlgStats2D::restore()
{
    const VarGlob& s = app_.settings();
    const std::int32_t style = s.StyleStats2D;
    (TestBit(style, kStats2DCanvasValues) ? canvasSource_ : sheetSource_)->setChecked(true);
    (TestBit(style, kStats2DAllValues) ? allValues_ : selection_)->setChecked(true);
    dataSelection_->setEnabled(selection_->isChecked());
    kinds_[static_cast<std::size_t>(KindOfStyle(style))]->setChecked(true);
    planes_[static_cast<std::size_t>(PlaneOfStyle(style))]->setChecked(true);
    newWindow_->setChecked(TestBit(style, kStats2DDraw));
    plain_->setChecked(TestBit(style, kStats2DPlain));
    smoothed_->setChecked(TestBit(style, kStats2DSmoothed));
    plain_->setEnabled(!smoothed_->isChecked());
    average_->setChecked(TestBit(style, kStats2DShowMean));
    median_->setChecked(TestBit(style, kStats2DShowMedian));
    graduate_->setChecked(TestBit(style, kStats2DGraduate));
    width_->setValue(s.Stats2DWidth);
    shift_->setValue(s.Stats2DShift);
    setTall(TestBit(style, kStats2DTall));
    showColours();
    showSummary();
}

std::int32_t TDlgStats2D::styleWord() const
{
    std::int32_t style = app_.settings().StyleStats2D;
    SetBit(style, kStats2DDraw, newWindow_->isChecked());
    SetBit(style, kStats2DCanvasValues, canvasSource_->isChecked());
    SetBit(style, kStats2DAllValues, allValues_->isChecked());
    SetBit(style, kStats2DPlain, plain_->isChecked());
    SetBit(style, kStats2DSmoothed, smoothed_->isChecked());
    SetKindAndPlane(style, natM(), sBy());
    SetBit(style, kStats2DShowMean, average_->isChecked());
    SetBit(style, kStats2DShowMedian, median_->isChecked());
    SetBit(style, kStats2DGraduate, graduate_->isChecked());
    SetBit(style, kStats2DTall, tall());
    return style;
}

void TDlgStats2D::storeSettings()
{
    VarGlob& s = app_.settings();
    s.StyleStats2D = styleWord();
    s.Stats2DWidth = width_->value();
    s.Stats2DShift = shift_->value();
}

void TDlgStats2D::setType(int type)
{
    type_ = type;
    const bool kuiper = type == kDiagramKuiper;
    for (QWidget* w : classControls_)
        w->setVisible(!kuiper);
    for (QCheckBox* b : {average_, median_, graduate_})
        b->setVisible(!kuiper);
    options_->setFixedHeight(kuiper ? kKuiperOptionsHeight : kStats2DOptionsHeight);
    setTall(tall());
}

bool TDlgStats2D::tall() const
{
    return !options_->isHidden();
}

void TDlgStats2D::setTall(bool tall)
{
    options_->setVisible(tall);
    optionsButton_->setArrowType(tall ? Qt::UpArrow : Qt::DownArrow);
    const bool kuiper = type_ == kDiagramKuiper;
    setMinimumHeight(tall ? (kuiper ? kKuiperTallHeight : kStats2DTallHeight) : 0);
    adjustSize();
}

void TDlgStats2D::FormActivate()
{
    const TWPlot* stereo = StereonetCanvas(app_);
    const TWFichier* sheet = sourceSheet();
    canvasSource_->setEnabled(stereo != nullptr);
    canvasSource_->setText(stereo ? text("stereoplot values (" + stereo->title() + ")")
                                  : QStringLiteral("stereoplot values"));
    sheetSource_->setEnabled(sheet != nullptr);
    sheetSource_->setText(sheet ? text("datasheet values (" + sheet->title() + ")")
                                : QStringLiteral("datasheet values values"));
    if (!stereo)
        sheetSource_->setChecked(true);
    else if (!sheet)
        canvasSource_->setChecked(true);
    showColours();
    showSelection();
}

int TDlgStats2D::natM() const
{
    for (std::size_t i = 0; i < kinds_.size(); ++i)
        if (kinds_[i]->isChecked())
            return static_cast<int>(i);
    return kVectors360;
}

int TDlgStats2D::sBy() const
{
    for (std::size_t i = 0; i < planes_.size(); ++i)
        if (planes_[i]->isChecked())
            return static_cast<int>(i);
    return kPlaneStrike;
}

TWFichier* TDlgStats2D::sourceSheet() const
{
    if (selection_->isChecked() && selectedSheet_)
        return selectedSheet_;
    return CurrentSheet(app_);
}

void TDlgStats2D::showSummary()
{
    summary_[0]->setText(text(KindSummary(natM())));
    summary_[1]->setText(text(PlaneSummary(sBy())));
    summary_[2]->setText(text(sformat("classes width : %d\xB0", width_->value())));
    summary_[3]->setText(text(sformat("origin shift : %d\xB0", shift_->value())));
}

void TDlgStats2D::showColours()
{
    const VarGlob& s = app_.settings();
    const QImage strip = BandeCouleursImage(s.Tco, kStripCell, s.Couleur);
    colours_->setPixmap(QPixmap::fromImage(strip));
    colours_->setFixedSize(strip.size());
}

void TDlgStats2D::showSelection()
{
    const bool sheetRows = sheetSource_->isChecked() && selection_->isChecked() && selectedSheet_;
    selectionLabel_->setText(sheetRows ? text(UseDataSheetLabel(
                                 app_.settings(), sheetSelection_.field, sheetSelection_.key))
                                       : QString());
}

void TDlgStats2D::ColourStripClick(int x)
{
    app_.settings().Couleur = CouleurCliquee(x, kStripCell);
    showColours();
}

void TDlgStats2D::DataSelectionClick()
{
    if (canvasSource_->isChecked()) {
        TWPlot* stereo = StereonetCanvas(app_);
        if (stereo && ChoixSymboles(app_, kChoixStats2D, this, stereo) == 1)
            app_.prompts().information(std::string(kMsgOnlyOneSet));
        return;
    }
    const std::optional<DataSheetChoice> chosen =
        ChoixDataSheet(app_, sourceSheet(), sheetSelection_.field, this);
    if (!chosen)
        return;
    selectedSheet_ = chosen->sheet;
    sheetSelection_ = {chosen->field, chosen->key};
    FormActivate();
}

std::vector<double> TDlgStats2D::collect()
{
    const bool all = allValues_->isChecked();
    if (canvasSource_->isChecked()) {
        TWPlot* stereo = StereonetCanvas(app_);
        if (!stereo)
            return {};
        return CollectRecords(CanvasRecords(stereo->model()), all ? nullptr : &app_.Tsy(), natM(),
                              sBy());
    }
    const TWFichier* sheet = sourceSheet();
    if (!sheet)
        return {};
    const bool chosenRows = !all && sheet == selectedSheet_;
    return CollectSheet(sheet->sheet(), chosenRows ? sheetSelection_ : SheetSelection{}, natM(),
                        sBy());
}

TWPlot* TDlgStats2D::targetDiagram()
{
    TWPlot* active = ActiveCanvas(app_);
    const bool adding = !newWindow_->isChecked() && active && active->model().natWP == kWPStats2D
                        && active->model().i0 == type_ && active->model().i1 > 0;
    if (adding) {
        if (active->model().i1 >= kMaxDistributions) {
            app_.prompts().warning(std::string(kMsgSixthRose));
            return nullptr;
        }
        return active;
    }
    TWPlot* plot = NewWP(app_, kWPStats2D);
    if (plot)
        plot->setTitle(plot->title() + DiagramTitleSuffix(type_));
    return plot;
}

void TDlgStats2D::Button1Click()
{
    if (!StereonetCanvas(app_) && !CurrentSheet(app_))
        return;
    Prompts& prompts = app_.prompts();
    // A test has no classes: their width and shift are hidden, and not checked.
    const auto runner = Stats2DRunners().find(type_);
    const bool test = runner != Stats2DRunners().end();
    const WidthCheck width =
        test ? WidthCheck{width_->value(), {}} : CheckClassWidth(width_->value(), natM());
    if (!width.message.empty()) {
        prompts.information(width.message);
        width_->setValue(width.width);
    }
    if (const std::optional<std::string> refused = CheckShift(shift_->value(), width.width);
        refused && !test) {
        prompts.warning(*refused);
        showSummary();
        return;
    }
    storeSettings();
    const std::vector<double> values = collect();
    if (values.empty()) {
        prompts.information(std::string(kMsgNoValue));
        return;
    }
    VarGlob& s = app_.settings();
    const Stats2DChoice choice{type_,           natM(),         sBy(),    width.width,
                               shift_->value(), s.StyleStats2D, s.Couleur};
    if (test) {
        runner->second(*this, values, choice);
        return;
    }
    TWPlot* plot = targetDiagram();
    if (!plot)
        return;
    const Stats2DReport report = ComputeStats2D(values, choice, app_.clock().now());
    const TColor colour = CouleurDe(s.Tco, s.Couleur);
    for (std::size_t i = 0; i < report.lines.size(); ++i)
        plot->appendInfo(report.lines[i], i == 0, i == 0 ? clBlack : colour);
    CanvasModel& m = plot->model();
    (*m.lTinfo2D)[static_cast<std::size_t>(m.i1)] = report.info;
    m.i0 = type_;
    ++m.i1;
    m.lNT = report.info.ntV;
    plot->showNormal();
    plot->NettoyerWP();
    plot->SetControls();
    emit app_.menusChanged();
}

bool TDlgStats2D::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

bool TDlgStats2D::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == colours_ && e->type() == QEvent::MouseButtonPress) {
        ColourStripClick(static_cast<QMouseEvent*>(e)->position().toPoint().x());
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void TDlgStats2D::closeEvent(QCloseEvent* e)
{
    storeSettings();
    QWidget::closeEvent(e);
}

namespace {

} // namespace

QPoint PlaceStats2DDialog(const TForm1& form, const QWidget& dialog, const QWidget* sheet,
                          const QWidget* canvas)
{
    Placement p;
    p.kind = sheet ? -2 : canvas ? -1 : 0;
    p.dialogWidth = dialog.frameGeometry().width();
    p.gap = 4;
    if (sheet)
        p.sheet = ScreenRectOf(*sheet);
    if (canvas)
        p.canvas = ScreenRectOf(*canvas);
    p.mainWindow = ScreenRectOf(form);
    p.mainClientTop = form.geometry().top();
    if (const QScreen* screen = form.screen())
        p.screenWidth = screen->availableGeometry().width();
    p.current = {dialog.x(), dialog.y()};
    const Point at = PlaceDialog(p);
    return {at.x, at.y};
}

TDlgStats2D* OuvrirStats2D(TForm1& form, Application& app, int type)
{
    TWPlot* stereo = StereonetCanvas(app);
    if (!stereo && !CurrentSheet(app) && !ActiveCanvas(app))
        return nullptr;
    auto* dialog = qobject_cast<TDlgStats2D*>(app.dialog(kDlgStats2D));
    if (!dialog) {
        dialog = new TDlgStats2D(form, app);
        app.setDialog(kDlgStats2D, dialog);
        dialog->adjustSize();
        dialog->move(PlaceStats2DDialog(form, *dialog, CurrentSheet(app), stereo));
    }
    // A dialog opened on a canvas takes every set of data of it.
    if (stereo)
        app.Tsy() = PresentPairs(CanvasRecords(stereo->model()));
    dialog->setType(type);
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    dialog->FormActivate();
    return dialog;
}

namespace {

// The class table of a diagram in a text window beside it.
void listClasses(Application& app, TWPlot& plot)
{
    const CanvasModel& m = plot.model();
    // A test diagram keeps values, not classes.
    if (!m.lTinfo2D || m.i1 <= 0 || !m.lT2D.empty())
        return;
    TWText* window = NewTextWindow(app, 0, ListingTitle(m.i0, plot.title()));
    if (!window)
        return;
    const std::span<const InfoStats2D> shown(m.lTinfo2D->data(), static_cast<std::size_t>(m.i1));
    for (const std::string& line : ClassListing(m.i0, shown, app.clock().now()))
        window->appendLine(line);
    window->setDirty(false);
    const QRect r = plot.frameGeometry();
    window->resize(200, plot.height());
    window->move(r.left() - 145, r.top());
    window->show();
    emit app.menusChanged();
}

} // namespace

void InstallStats2DCommands(TForm1& form, Application& app)
{
    RegisterStats2DDisplay();
    KindListings()[kWPStats2D] = [&app](TWPlot& plot) { listClasses(app, plot); };
    const std::pair<Cmd, int> items[] = {{Cmd::RoseDiagram, kDiagramRose},
                                         {Cmd::CircularHistogram, kDiagramCircular},
                                         {Cmd::LinearHistogram, kDiagramLinear}};
    for (const auto& item : items)
        form.setHandler(item.first,
                        [&form, &app, type = item.second] { OuvrirStats2D(form, app, type); });
}

} // namespace ploq
