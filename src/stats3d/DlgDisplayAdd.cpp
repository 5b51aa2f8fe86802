#include "stats3d/DlgDisplayAdd.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "canvas/TWPlot.h"
#include "platform/Prompts.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/DlgAddToData.h"
#include "stats3d/Stats3Dadd.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ploq {

namespace {

constexpr std::string_view kMsgEraseAdd = "This data will be definively erased";

// The visible canvases whose list the dialog shows, by slot.
std::vector<QPointer<TWPlot>> offeredCanvases(Application& app)
{
    std::vector<QPointer<TWPlot>> out;
    for (DataWindow* w : app.registry().windows(WindowKind::Canvas))
        if (auto* canvas = dynamic_cast<TWPlot*>(w);
            canvas && canvas->isVisible() && OffersAddList(canvas->model().natWP))
            out.emplace_back(canvas);
    return out;
}

bool offers(const std::vector<QPointer<TWPlot>>& canvases, const TWPlot* canvas)
{
    return canvas && std::find(canvases.begin(), canvases.end(), canvas) != canvases.end();
}

QListWidget* valueList()
{
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(230, 180);
    return list;
}

QLineEdit* valueField()
{
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

QToolButton* arrow(Qt::ArrowType direction)
{
    auto* button = new QToolButton;
    button->setArrowType(direction);
    button->setFixedSize(30, 26);
    return button;
}

// Selects the line of that number, if the list has it.
void selectRang(QListWidget& list, int rang)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->data(Qt::UserRole).toInt() == rang) {
            list.setCurrentRow(row);
            return;
        }
}

} // namespace

TDlgDisplayAdd::TDlgDisplayAdd(Application& app) : QDialog(app.mainWindow()), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr(" Additional values to keep"));
    setProperty("helpTopic", kHelpDisplayAdd);

    sourceLabel_ = new QLabel(tr(" Available values :"));
    targetLabel_ = new QLabel(tr("Values to keep in :"));
    sourceBox_ = new QComboBox;
    targetBox_ = new QComboBox;
    connect(sourceBox_, &QComboBox::activated, this, &TDlgDisplayAdd::sourceChosen);
    connect(targetBox_, &QComboBox::activated, this, &TDlgDisplayAdd::targetChosen);
    leftList_ = valueList();
    rightList_ = valueList();
    connect(leftList_, &QListWidget::currentRowChanged, this, &TDlgDisplayAdd::leftSelected);
    connect(rightList_, &QListWidget::currentRowChanged, this, &TDlgDisplayAdd::rightSelected);
    leftValue_ = valueField();
    rightValue_ = valueField();
    leftAdd_ = new QPushButton(tr("add to data"));
    rightAdd_ = new QPushButton(tr("add to data"));
    connect(leftAdd_, &QPushButton::clicked, this, &TDlgDisplayAdd::addToDataLeft);
    connect(rightAdd_, &QPushButton::clicked, this, &TDlgDisplayAdd::addToDataRight);
    toRight_ = arrow(Qt::RightArrow);
    toLeft_ = arrow(Qt::LeftArrow);
    connect(toRight_, &QToolButton::clicked, this, &TDlgDisplayAdd::moveRight);
    connect(toLeft_, &QToolButton::clicked, this, &TDlgDisplayAdd::moveLeft);
    delete_ = new QPushButton(tr("Delete"));
    ok_ = new QPushButton(tr("Keep"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"));
    connect(delete_, &QPushButton::clicked, this, &TDlgDisplayAdd::deleteClick);
    connect(ok_, &QPushButton::clicked, this, &TDlgDisplayAdd::okClick);
    connect(cancel_, &QPushButton::clicked, this, &TDlgDisplayAdd::reject);

    auto* arrows = new QVBoxLayout;
    arrows->addStretch(1);
    arrows->addWidget(toRight_);
    arrows->addWidget(toLeft_);
    arrows->addStretch(1);
    auto* grid = new QGridLayout;
    grid->addWidget(sourceLabel_, 0, 0);
    grid->addWidget(targetLabel_, 0, 2);
    grid->addWidget(sourceBox_, 1, 0);
    grid->addWidget(targetBox_, 1, 2);
    grid->addWidget(leftList_, 2, 0);
    grid->addLayout(arrows, 2, 1);
    grid->addWidget(rightList_, 2, 2);
    grid->addWidget(leftValue_, 3, 0);
    grid->addWidget(rightValue_, 3, 2);
    grid->addWidget(leftAdd_, 4, 0, Qt::AlignLeft);
    grid->addWidget(rightAdd_, 4, 2, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    offered_ = offeredCanvases(app);
    if (!offered_.empty()) {
        source_ = target_ = offered_.front();
        take(*source_);
        lists_ = InitialAddLists(source_->model(), true);
    }
    fillBoxes();
    showLists();
    connect(&app, &Application::menusChanged, this, &TDlgDisplayAdd::followCanvases);
}

std::vector<TWPlot*> TDlgDisplayAdd::canvases() const
{
    std::vector<TWPlot*> out;
    for (const QPointer<TWPlot>& c : offered_)
        if (c)
            out.push_back(c);
    return out;
}

TWPlot* TDlgDisplayAdd::source() const
{
    return source_;
}
TWPlot* TDlgDisplayAdd::target() const
{
    return target_;
}

AddCopy& TDlgDisplayAdd::take(TWPlot& canvas)
{
    for (Taken& t : taken_)
        if (t.canvas == &canvas)
            return t.copy;
    taken_.push_back({&canvas, TakeAddCopy(canvas.model())});
    return taken_.back().copy;
}

void TDlgDisplayAdd::fillBoxes()
{
    const QSignalBlocker quietSource(sourceBox_);
    const QSignalBlocker quietTarget(targetBox_);
    sourceBox_->clear();
    targetBox_->clear();
    for (const QPointer<TWPlot>& c : offered_) {
        if (!c)
            continue;
        const QString title = toQString(c->title());
        sourceBox_->addItem(title);
        targetBox_->addItem(title);
        connect(c, &TWPlot::redrawn, this, &TDlgDisplayAdd::followLists, Qt::UniqueConnection);
    }
    const std::vector<TWPlot*> shown = canvases();
    const auto indexOf = [&shown](const TWPlot* c) {
        const auto it = std::find(shown.begin(), shown.end(), c);
        return it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
    };
    sourceBox_->setCurrentIndex(indexOf(source_));
    targetBox_->setCurrentIndex(indexOf(target_));
}

void TDlgDisplayAdd::sourceChosen(int index)
{
    const std::vector<TWPlot*> shown = canvases();
    if (index < 0 || static_cast<std::size_t>(index) >= shown.size())
        return;
    source_ = shown[static_cast<std::size_t>(index)];
    take(*source_);
    chosen();
}

void TDlgDisplayAdd::targetChosen(int index)
{
    const std::vector<TWPlot*> shown = canvases();
    if (index < 0 || static_cast<std::size_t>(index) >= shown.size())
        return;
    target_ = shown[static_cast<std::size_t>(index)];
    take(*target_);
    chosen();
}

// A canvas was chosen: the texts say whether the values are shown on it or copied to another.
void TDlgDisplayAdd::chosen()
{
    const bool same = sameCanvas();
    targetLabel_->setText(same ? tr("Values to plot in") : tr("Values to add in"));
    ok_->setText(same ? tr("OK") : tr("add"));
    if (source_)
        lists_ = InitialAddLists(source_->model(), same);
    fillBoxes();
    showLists();
}

void TDlgDisplayAdd::showLists()
{
    for (bool right : {false, true}) {
        QListWidget* list = right ? rightList_ : leftList_;
        const QSignalBlocker quiet(list);
        list->clear();
        if (source_)
            for (int rang : right ? lists_.right : lists_.left)
                if (const InfoAdd* e = FindAdd(source_->model(), rang)) {
                    auto* item = new QListWidgetItem(toQString(AddListLine(*e)), list);
                    item->setData(Qt::UserRole, rang);
                }
        list->setCurrentRow(-1);
        showValue(right);
    }
}

int TDlgDisplayAdd::selectedRang(bool right) const
{
    const QListWidget* list = right ? rightList_ : leftList_;
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : 0;
}

// The value of the selected entry in its colour, and whether it can become a measurement.
void TDlgDisplayAdd::showValue(bool right)
{
    QLineEdit* field = right ? rightValue_ : leftValue_;
    QPushButton* add = right ? rightAdd_ : leftAdd_;
    const InfoAdd* e = source_ ? FindAdd(source_->model(), selectedRang(right)) : nullptr;
    const VarGlob& s = app_.settings();
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, e ? toQColor(CouleurDe(s.Tco, e->nco)) : QColor(Qt::black));
    field->setPalette(palette);
    field->setText(
        e ? toQString(StValeurAdd(*e, {s.FrtS, s.FrtL}, TestBit(s.OptAdd, kOptAddDecimals)))
          : QString());
    add->setEnabled(e && AddsToData(source_->model().natWP) && OffersAddToData(e->nat, right));
}

void TDlgDisplayAdd::leftSelected(int row)
{
    {
        const QSignalBlocker quiet(leftList_);
        leftList_->setCurrentRow(row);
    }
    showValue(false);
}

void TDlgDisplayAdd::rightSelected(int row)
{
    {
        const QSignalBlocker quiet(rightList_);
        rightList_->setCurrentRow(row);
    }
    showValue(true);
}

void TDlgDisplayAdd::moveRight()
{
    const int rang = selectedRang(false);
    if (!source_ || !MoveAddLine(lists_, rang, true, source_->model()))
        return;
    showLists();
    selectRang(*rightList_, rang);
}

void TDlgDisplayAdd::moveLeft()
{
    const int rang = selectedRang(true);
    if (!source_ || !MoveAddLine(lists_, rang, false, source_->model()))
        return;
    showLists();
    selectRang(*leftList_, rang);
}

void TDlgDisplayAdd::deleteClick()
{
    const int left = selectedRang(false);
    const int right = selectedRang(true);
    if (!source_ || (left == 0 && right == 0))
        return;
    const bool erases = left != 0 || sameCanvas();
    if (erases
        && app_.prompts().warning(std::string(kMsgEraseAdd), Button::Ok | Button::Cancel)
               != Button::Ok)
        return;
    CanvasModel& model = source_->model();
    if (DeleteSelected(model, sameCanvas(), lists_, left, right)) {
        NoteOwnChange(take(*source_), model);
        source_->NettoyerWP();
    }
    showLists();
}

void TDlgDisplayAdd::addToData(bool right)
{
    const int rang = selectedRang(right);
    const InfoAdd* e = source_ ? FindAdd(source_->model(), rang) : nullptr;
    if (!e || !AddsToData(source_->model().natWP) || !OffersAddToData(e->nat, right))
        return;
    const InfoAdd entry = *e;
    AddValueToData(app_, *source_, entry, rang);
}

void TDlgDisplayAdd::addToDataLeft()
{
    addToData(false);
}
void TDlgDisplayAdd::addToDataRight()
{
    addToData(true);
}

void TDlgDisplayAdd::okClick()
{
    if (!source_ || !target_) {
        close();
        return;
    }
    CanvasModel& from = source_->model();
    if (sameCanvas()) {
        ShowOnlyAdd(from, lists_.right);
        NoteOwnChange(take(*source_), from);
        source_->NettoyerWP();
        accept();
        return;
    }
    CanvasModel& to = target_->model();
    switch (CopyAdd(from, lists_.right, to)) {
    case CopyOutcome::Full: app_.prompts().warning(std::string(kMsgAddListFull)); return;
    case CopyOutcome::Copied:
        NoteOwnChange(take(*target_), to);
        target_->NettoyerWP();
        source_->NettoyerWP();
        break;
    case CopyOutcome::Nothing: break;
    }
    accept();
}

void TDlgDisplayAdd::reject()
{
    restoring_ = true;
    for (Taken& t : taken_)
        if (t.canvas && RestoreAddCopy(t.copy, t.canvas->model())) {
            NoteOwnChange(t.copy, t.canvas->model());
            t.canvas->NettoyerWP();
        }
    restoring_ = false;
    QDialog::reject();
}

void TDlgDisplayAdd::followLists()
{
    if (restoring_)
        return;
    bool sourceChanged = false;
    for (Taken& t : taken_)
        if (t.canvas && ChangedElsewhere(t.copy, t.canvas->model())) {
            FollowElsewhere(t.copy, t.canvas->model());
            sourceChanged = sourceChanged || t.canvas == source_;
        }
    if (!sourceChanged)
        return;
    const int left = selectedRang(false);
    const int right = selectedRang(true);
    lists_ = FollowAddLists(lists_, source_->model(), sameCanvas());
    showLists();
    selectRang(*leftList_, left);
    selectRang(*rightList_, right);
}

void TDlgDisplayAdd::followCanvases()
{
    std::vector<QPointer<TWPlot>> now = offeredCanvases(app_);
    if (now == offered_) {
        // A canvas may have changed its title (a rotated canvas once fixed).
        for (int i = 0; i < sourceBox_->count() && static_cast<std::size_t>(i) < now.size(); ++i)
            if (fromQString(sourceBox_->itemText(i)) != now[static_cast<std::size_t>(i)]->title()) {
                fillBoxes();
                break;
            }
        return;
    }
    offered_ = std::move(now);
    std::erase_if(taken_, [this](const Taken& t) { return !offers(offered_, t.canvas); });
    if (offered_.empty()) {
        close();
        return;
    }
    const bool sourceGone = !offers(offered_, source_);
    const bool targetGone = !offers(offered_, target_);
    if (sourceGone)
        source_ = offered_.front();
    if (targetGone)
        target_ = offered_.front();
    take(*source_);
    take(*target_);
    if (sourceGone || targetGone)
        chosen();
    else
        fillBoxes();
}

TDlgDisplayAdd* DisplayBestFits(Application& app)
{
    if (auto* open = qobject_cast<TDlgDisplayAdd*>(app.dialog(kDlgDisplayAdd))) {
        open->raise();
        open->activateWindow();
        return open;
    }
    if (offeredCanvases(app).empty())
        return nullptr;
    auto* dialog = new TDlgDisplayAdd(app);
    app.setDialog(kDlgDisplayAdd, dialog);
    dialog->adjustSize();
    if (TWPlot* canvas = ActiveCanvas(app)) {
        const Point at = BesideCanvas(*canvas, dialog->frameGeometry().width());
        dialog->move(at.x, at.y);
    }
    dialog->show();
    return dialog;
}

void InstallDisplayAddCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::DisplayBestFits, [&app] { DisplayBestFits(app); });
}

} // namespace ploq
