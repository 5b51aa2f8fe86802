#include "canvas/DlgEnterFile.h"

#include "app/Application.h"
#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "app/ScreenPlace.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/SymbBatchWindow.h"
#include "canvas/TWPlot.h"
#include "datasheet/TWFichier.h"
#include "platform/QtText.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace ploq {

namespace {

constexpr int kStripCell = 12;   // the colour strip's cells, as the click reads them
constexpr int kPreviewSide = 28; // the symbol preview
// The symbol menu opens with the current symbol under the pointer.
constexpr int kMenuItemHeight = 22;
inline constexpr std::string_view kNoSelectionKey = "*********";
inline constexpr std::string_view kCaptionSetOfSymbols = "set of symbols";

// The key field buttons go in the order of KeyField: nature, location, number, comment.
KeyField fieldAt(std::size_t button)
{
    return static_cast<KeyField>(button);
}

bool batchDefined(const VarGlob& settings)
{
    return BatchNamed(settings.NomFBatch);
}

QLabel* pictureLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

TDlgEnterFile::TDlgEnterFile(TForm1& form, Application& app)
    : QWidget(&form, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint),
      form_(form), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQString(kCaptionEnterFile));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(8);
    layout->addWidget(buildSheetPart());
    layout->addWidget(buildSymbolPart());
    layout->addWidget(buildPlotPart());
    layout->addWidget(buildSelectionPart());

    const VarGlob& s = app_.settings();
    identity_->setChecked(TestBit(s.OptDataU, 0));
    keyFields_[0]->setChecked(true);
    keyBox_->setEditText(toQString(kNoSelectionKey));
    if (const TWFichier* sheet = CurrentSheet(app_))
        showLineNumbers(sheet, true);
    setFolded(!TestBit(s.StyleGene, kGenePlotTall));

    // The symbol menu gives a plain symbol: the tadpole box keeps its choice.
    for (QAction* symbol : form_.symbolMenu()->actions())
        connect(symbol, &QAction::triggered, this, &TDlgEnterFile::applyTadpole);
    connect(&app_, &Application::menusChanged, this, [this] {
        if (isVisible())
            follow();
    });
}

QWidget* TDlgEnterFile::buildSheetPart()
{
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);
    comboBox1_ = new QComboBox(part);
    comboBox1_->setMinimumWidth(220);
    connect(comboBox1_, &QComboBox::activated, this, &TDlgEnterFile::ComboBox1Click);
    projection_ = new QLabel(part);
    grid->addWidget(new QLabel(tr("Data sheet"), part), 0, 0);
    grid->addWidget(comboBox1_, 0, 1);
    grid->addWidget(new QLabel(tr("Projection"), part), 1, 0);
    grid->addWidget(projection_, 1, 1);
    grid->setColumnStretch(1, 1);
    return part;
}

QWidget* TDlgEnterFile::buildSymbolPart()
{
    auto* box = new QGroupBox(tr("Symbols"), this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(10);
    radioButton5_ = new QRadioButton(QStringLiteral("Standart"), box);
    radioButton6_ = new QRadioButton(box);
    connect(radioButton5_, &QRadioButton::clicked, this, &TDlgEnterFile::RadioButton5Click);
    connect(radioButton6_, &QRadioButton::clicked, this, &TDlgEnterFile::RadioButton6Click);
    radioButton6_->installEventFilter(this);

    image1_ = pictureLabel(box);
    image1_->setToolTip(tr("Choose the symbol"));
    image1_->installEventFilter(this);
    image2_ = pictureLabel(box);
    image2_->setToolTip(tr("Choose the colour"));
    image2_->installEventFilter(this);
    tadpole_ = new QCheckBox(QStringLiteral("tadpole"), box);
    connect(tadpole_, &QCheckBox::clicked, this, &TDlgEnterFile::applyTadpole);
    button2_ = new QPushButton(toQString(kCaptionSetOfSymbols), box);
    button2_->setAutoDefault(false);
    connect(button2_, &QPushButton::clicked, this, &TDlgEnterFile::Button2Click);

    grid->addWidget(radioButton5_, 0, 0);
    grid->addWidget(image1_, 0, 1, Qt::AlignCenter);
    grid->addWidget(image2_, 0, 2, Qt::AlignVCenter);
    grid->addWidget(tadpole_, 0, 3);
    grid->addWidget(radioButton6_, 1, 0, 1, 3);
    grid->addWidget(button2_, 1, 3);
    grid->setColumnStretch(2, 1);
    return box;
}

QWidget* TDlgEnterFile::buildPlotPart()
{
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);
    checkBox1_ = new QCheckBox(QStringLiteral("Plot on a new canvas"), part);
    checkBox2_ = new QCheckBox(QStringLiteral("Plot and keep dialog on"), part);
    connect(checkBox1_, &QCheckBox::clicked, this, &TDlgEnterFile::CheckBox1Click);
    connect(checkBox2_, &QCheckBox::clicked, this, &TDlgEnterFile::CheckBox2Click);
    button1_ = new QPushButton(QStringLiteral("Plot on canvas"), part);
    button1_->setMinimumHeight(30);
    QFont bold = button1_->font();
    bold.setBold(true);
    button1_->setFont(bold);
    connect(button1_, &QPushButton::clicked, this, &TDlgEnterFile::Button1Click);
    image3_ = new QToolButton(part);
    image3_->setAutoRaise(true);
    image3_->setText(tr("Selection"));
    image3_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(image3_, &QToolButton::clicked, this, &TDlgEnterFile::Image3Click);

    grid->addWidget(checkBox1_, 0, 0);
    grid->addWidget(checkBox2_, 0, 1);
    grid->addWidget(button1_, 1, 0, 1, 2);
    grid->addWidget(image3_, 1, 2, Qt::AlignBottom);
    return part;
}

QWidget* TDlgEnterFile::buildSelectionPart()
{
    selection_ = new QGroupBox(tr("Selection"), this);
    auto* grid = new QGridLayout(selection_);
    line1_ = new QSpinBox(selection_);
    line2_ = new QSpinBox(selection_);
    for (QSpinBox* line : {line1_, line2_})
        line->setMinimumWidth(line->fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 30);
    auto* lines = new QHBoxLayout;
    lines->addWidget(line1_);
    lines->addWidget(new QLabel(tr("to"), selection_));
    lines->addWidget(line2_);
    lines->addStretch(1);
    grid->addWidget(new QLabel(tr("Lines"), selection_), 0, 0);
    grid->addLayout(lines, 0, 1);

    auto* fields = new QHBoxLayout;
    auto* group = new QButtonGroup(selection_);
    const VarGlob& s = app_.settings();
    for (std::size_t i = 0; i < keyFields_.size(); ++i) {
        keyFields_[i] = new QRadioButton(toQString(KeyFieldHeading(s, fieldAt(i))), selection_);
        group->addButton(keyFields_[i]);
        fields->addWidget(keyFields_[i]);
        connect(keyFields_[i], &QRadioButton::clicked, this, &TDlgEnterFile::RadioButton14Click);
    }
    fields->addStretch(1);
    grid->addWidget(new QLabel(tr("Key field"), selection_), 1, 0);
    grid->addLayout(fields, 1, 1);

    keyBox_ = new QComboBox(selection_);
    keyBox_->setEditable(true);
    keyBox_->setInsertPolicy(QComboBox::NoInsert);
    keyBox_->lineEdit()->setMaxLength(kCodeLength);
    identity_ = new QCheckBox(QStringLiteral("Identity key - code"), selection_);
    auto* key = new QHBoxLayout;
    key->addWidget(keyBox_, 1);
    key->addWidget(identity_);
    grid->addWidget(new QLabel(tr("Key"), selection_), 2, 0);
    grid->addLayout(key, 2, 1);
    return selection_;
}

QRadioButton* TDlgEnterFile::keyFieldButton(KeyField field) const
{
    return keyFields_[static_cast<std::size_t>(field)];
}

bool TDlgEnterFile::unfolded() const
{
    return !selection_->isHidden();
}

void TDlgEnterFile::setFolded(bool folded)
{
    selection_->setVisible(!folded);
    image3_->setArrowType(folded ? Qt::DownArrow : Qt::UpArrow);
    image3_->setToolTip(folded ? tr("Show the selection options")
                               : tr("Hide the selection options"));
    adjustSize();
}

void TDlgEnterFile::FormActivate()
{
    const VarGlob& s = app_.settings();
    follow(true);
    tadpole_->setChecked(s.Sy < 0);
    showBatchChoice();
    checkBox2_->setChecked(TestBit(s.StyleGene, kGenePlotKeepOn));
    showColours();
    showSymbol();
}

void TDlgEnterFile::follow(bool refillKeys)
{
    showSheets(refillKeys);
    const TWPlot* plot = ActiveCanvas(app_);
    projection_->setText(
        toQString(ProjectionCaption(plot ? plot->model().lStyleCnvs : app_.settings().StyleCnvs)));
    showPlotCaption();
}

void TDlgEnterFile::applyTadpole()
{
    std::int32_t& sy = app_.settings().Sy;
    sy = tadpole_->isChecked() ? -std::abs(sy) : std::abs(sy);
    showSymbol();
}

void TDlgEnterFile::showSheets(bool refillKeys)
{
    TWFichier* current = CurrentSheet(app_);
    std::vector<QPointer<TWFichier>> listed;
    QStringList titles;
    for (TWFichier* sheet : OpenSheets(app_))
        if (sheet->isListed()) {
            listed.emplace_back(sheet);
            titles << toQString(sheet->title());
        }
    const QSignalBlocker quiet(comboBox1_);
    // Rebuilt only when it changed, so that an open list is not pulled from under the pointer.
    if (listed != listedSheets_ || titles != listedTitles_) {
        comboBox1_->clear();
        comboBox1_->addItems(titles);
        listedSheets_ = std::move(listed);
        listedTitles_ = titles;
    }
    const auto at = std::find(listedSheets_.begin(), listedSheets_.end(), current);
    comboBox1_->setCurrentIndex(
        at == listedSheets_.end() ? -1 : static_cast<int>(at - listedSheets_.begin()));
    const bool newSheet = current != shownSheet_;
    shownSheet_ = current;
    showLineNumbers(current, newSheet);
    if (newSheet)
        keyBox_->setEditText(toQString(kNoSelectionKey));
    if (newSheet || refillKeys)
        fillKeyBox();
}

void TDlgEnterFile::showLineNumbers(const TWFichier* sheet, bool newSheet)
{
    const bool data = sheet && !sheet->sheet().isEmpty();
    const int rows = data ? sheet->sheet().rowCount() : 1;
    // "To the last row" stays so when rows are added to the sheet.
    const bool toTheEnd = newSheet || line2_->value() == shownRows_;
    shownRows_ = rows;
    for (QSpinBox* line : {line1_, line2_}) {
        line->setRange(1, rows);
        line->setEnabled(data);
    }
    if (newSheet)
        line1_->setValue(1);
    if (toTheEnd)
        line2_->setValue(rows);
}

void TDlgEnterFile::fillKeyBox()
{
    const QString typed = keyBox_->currentText();
    const QSignalBlocker quiet(keyBox_);
    keyBox_->clear();
    keyBox_->addItem(toQString(kNoSelectionKey));
    if (shownSheet_)
        for (const std::string& code : DistinctCodes(shownSheet_->sheet(), keyField()))
            keyBox_->addItem(toQString(code));
    keyBox_->setEditText(typed);
}

void TDlgEnterFile::showSymbol()
{
    const VarGlob& s = app_.settings();
    image1_->setPixmap(QPixmap::fromImage(
        ApercuSymboleImage(s.Tco, s.Sy, s.Couleur, {kPreviewSide, kPreviewSide})));
}

void TDlgEnterFile::showColours()
{
    const VarGlob& s = app_.settings();
    const QImage strip = BandeCouleursImage(s.Tco, kStripCell, s.Couleur);
    image2_->setPixmap(QPixmap::fromImage(strip));
    image2_->setFixedSize(strip.size());
}

void TDlgEnterFile::showBatchChoice()
{
    const VarGlob& s = app_.settings();
    if (!batchDefined(s)) {
        radioButton6_->setText(QStringLiteral("symbols file"));
        radioButton6_->setEnabled(false);
        radioButton5_->setChecked(true);
    } else {
        radioButton6_->setText(toQString("use \"" + BatchTitle(s.NomFBatch) + "\""));
        radioButton6_->setEnabled(true);
        const bool batch = TestBit(s.StyleGene, kGenePlotBatch);
        (batch ? radioButton6_ : radioButton5_)->setChecked(true);
    }
    enableSelection(radioButton5_->isChecked());
}

void TDlgEnterFile::showPlotCaption()
{
    const TWPlot* plot = ActiveCanvas(app_);
    button1_->setText(
        toQString(PlotButtonCaption(checkBox1_->isChecked(), plot ? &plot->model() : nullptr,
                                    plot ? plot->title() : std::string())));
}

// The batch symbols are chosen by nature: the key and its field do not apply to them.
void TDlgEnterFile::enableSelection(bool on)
{
    for (QRadioButton* b : keyFields_)
        b->setEnabled(on);
    keyBox_->setEnabled(on);
}

KeyField TDlgEnterFile::keyField() const
{
    for (std::size_t i = 0; i < keyFields_.size(); ++i)
        if (keyFields_[i]->isChecked())
            return fieldAt(i);
    return KeyField::Nature;
}

PlotRequest TDlgEnterFile::request(const TWFichier& sheet) const
{
    return {keyField(),
            fromQString(keyBox_->currentText()),
            identity_->isChecked(),
            line1_->value(),
            line2_->value(),
            sheet.title()};
}

void TDlgEnterFile::ComboBox1Click(int index)
{
    if (index < 0 || index >= static_cast<int>(listedSheets_.size()))
        return;
    TWFichier* sheet = listedSheets_[static_cast<std::size_t>(index)];
    if (!sheet)
        return;
    // The sheet comes to the front and becomes the current one; the dialog stays in use.
    sheet->raise();
    sheet->FormActivate();
    raise();
    FormActivate();
}

void TDlgEnterFile::RadioButton14Click()
{
    keyBox_->setEditText(toQString(kNoSelectionKey));
    fillKeyBox();
}

void TDlgEnterFile::RadioButton5Click()
{
    std::int32_t& gene = app_.settings().StyleGene;
    SetBit(gene, kGenePlotStandard, true);
    SetBit(gene, kGenePlotBatch, false);
    SetBit(gene, kGenePlotOther, false);
    radioButton5_->setChecked(true);
    enableSelection(true);
}

void TDlgEnterFile::RadioButton6Click()
{
    std::int32_t& gene = app_.settings().StyleGene;
    SetBit(gene, kGenePlotStandard, false);
    SetBit(gene, kGenePlotBatch, true);
    radioButton6_->setChecked(true);
    enableSelection(false);
}

void TDlgEnterFile::RadioButton6DblClick()
{
    Button2Click();
}

void TDlgEnterFile::Button2Click()
{
    if (!batchDefined(app_.settings())) {
        RadioButton5Click();
        radioButton6_->setEnabled(false);
        return;
    }
    if (QWidget* legend = app_.dialog(kWinSymbBatch); legend && legend->isVisible()) {
        legend->close();
        button2_->setText(QStringLiteral("Set of symbols"));
        return;
    }
    const QPoint at = radioButton6_->mapToGlobal(QPoint(25, 50));
    if (TSymbBatch* legend = AfficherBatch(app_, kBatchFile, at)) {
        connect(legend, &TSymbBatch::closed, this, &TDlgEnterFile::legendClosed,
                Qt::UniqueConnection);
        connect(legend, &TSymbBatch::batchFileChanged, this, &TDlgEnterFile::batchFileChanged,
                Qt::UniqueConnection);
        button2_->setText(QStringLiteral("OK"));
    }
}

void TDlgEnterFile::legendClosed()
{
    if (isVisible())
        button2_->setText(QStringLiteral("Symbols file"));
}

void TDlgEnterFile::batchFileChanged()
{
    showBatchChoice();
}

void TDlgEnterFile::CheckBox1Click()
{
    showPlotCaption();
}

void TDlgEnterFile::CheckBox2Click()
{
    SetBit(app_.settings().StyleGene, kGenePlotKeepOn, checkBox2_->isChecked());
}

void TDlgEnterFile::Image1MouseDown(QPoint globalPos)
{
    if (radioButton6_->isChecked()) {
        QApplication::beep();
        return;
    }
    const int above = std::abs(app_.settings().Sy) - 1;
    form_.symbolMenu()->popup(globalPos - QPoint(0, kMenuItemHeight * above));
}

void TDlgEnterFile::Image2MouseDown(int x)
{
    app_.settings().Couleur = CouleurCliquee(x, kStripCell);
    showColours();
    showSymbol();
}

void TDlgEnterFile::Image3Click()
{
    setFolded(unfolded());
}

TWPlot* TDlgEnterFile::targetCanvas()
{
    TWPlot* plot = ActiveCanvas(app_);
    if (PlotsOnNewCanvas(checkBox1_->isChecked(), plot ? &plot->model() : nullptr))
        return NewWP(app_, kWPOrdinary);
    plot->raise();
    return plot;
}

void TDlgEnterFile::Button1Click()
{
    TWFichier* sheet = CurrentSheet(app_);
    if (!sheet)
        return;
    TWPlot* plot = targetCanvas();
    if (!plot)
        return;
    plot->showNormal();
    VarGlob& s = app_.settings();
    CanvasModel& canvas = plot->model();
    const DrawRecord draw = [&canvas, &s](InfoVal& record) {
        DrawContext ctx = ScreenContext(canvas, s);
        DessinVal(ctx, record);
    };
    const double now = app_.clock().now();
    PlotResult result;
    if (radioButton5_->isChecked()) {
        applyTadpole();
        result =
            TraceFichier(canvas, sheet->sheet(), request(*sheet), s, app_.prompts(), now, draw);
    } else {
        result = TraceFichierBatch(canvas, sheet->sheet(), request(*sheet), s, app_.prompts(), now,
                                   draw);
    }
    showResult(*plot, result);
    emit app_.menusChanged();
    if (!checkBox2_->isChecked())
        close();
}

void TDlgEnterFile::showResult(TWPlot& plot, const PlotResult& result)
{
    if (result.cancelled)
        plot.NettoyerWP(); // the records taken back were drawn already
    for (const InfoLine& line : result.info)
        plot.appendInfo(line.text, line.bold);
    const int shown = plot.model().lNC;
    plot.Label1()->setText(shown > 0 ? QStringLiteral("N = %1").arg(shown) : QString());
    plot.Label2()->setVisible(!plot.RichEdit1()->document()->isEmpty());
    plot.SetControls();
    plot.showImage(); // the records were drawn on it
}

bool TDlgEnterFile::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

bool TDlgEnterFile::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonDblClick && watched == radioButton6_
        && radioButton6_->isEnabled()) {
        RadioButton6DblClick();
        return true;
    }
    if (e->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(e);
        if (watched == image1_) {
            Image1MouseDown(mouse->globalPosition().toPoint());
            return true;
        }
        if (watched == image2_) {
            Image2MouseDown(mouse->position().toPoint().x());
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

void TDlgEnterFile::closeEvent(QCloseEvent* e)
{
    std::int32_t& gene = app_.settings().StyleGene;
    SetBit(gene, kGenePlotStandard, radioButton5_->isChecked());
    SetBit(gene, kGenePlotBatch, radioButton6_->isChecked());
    SetBit(gene, kGenePlotTall, unfolded());
    SetBit(gene, kGenePlotKeepOn, checkBox2_->isChecked());
    if (QWidget* legend = app_.dialog(kWinSymbBatch))
        legend->close();
    QWidget::closeEvent(e);
}

TDlgEnterFile* OuvrirDlgFichier(TForm1& form, Application& app)
{
    const TWFichier* sheet = CurrentSheet(app);
    if (!sheet)
        return nullptr;
    auto* dialog = qobject_cast<TDlgEnterFile*>(app.dialog(kDlgEnterFile));
    if (!dialog) {
        dialog = new TDlgEnterFile(form, app);
        app.setDialog(kDlgEnterFile, dialog);
        const Point place = PlaceBesideSheet(*dialog, form, *sheet, 4);
        dialog->move(place.x, place.y);
    }
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    dialog->FormActivate();
    return dialog;
}

} // namespace ploq
