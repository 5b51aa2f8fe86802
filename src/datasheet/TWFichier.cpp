#include "datasheet/TWFichier.h"

#include "app/Application.h"
#include "app/Main.h"
#include "app/MenuState.h"
#include "app/ScreenPlace.h"
#include "datasheet/Fichier.h"
#include "datasheet/SheetPrint.h"
#include "datasheet/TWFichierModel.h"
#include "model/UtilGlob.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "platform/Text1252.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace ploq {

namespace {

namespace fs = std::filesystem;

constexpr int kEditPanelHeight = 120;
constexpr int kGridMinHeight = 100;
constexpr int kToggleHeight = 12;
constexpr int kPickListWidth = 18; // the drop button beside its edit box
constexpr Field kPickListFields[] = {Field::Nature, Field::Location, Field::Comment};

std::size_t index(Field field)
{
    return static_cast<std::size_t>(field);
}
std::size_t index(int column)
{
    return static_cast<std::size_t>(column);
}

QFont sheetFont(const VarGlob& settings)
{
    QFont font(toQString(settings.FontName));
    // The setting's sign only tells how the height was measured: both are taken as pixels.
    font.setPixelSize(std::max(6, std::abs(settings.FontHeight)));
    return font;
}

// Items 0..4 plane notations, 6..8 line notations; item 5 is the separator.
constexpr const char* kNotationCaptions[kLinesSameItem + 1] = {
    "Planes by Az Quadrant Dip (120 S 10)",
    "Dip / Dip direction (10/210)",
    "Dip direction/dip (210/10)",
    "Pole of plane (80/030)",
    "Right hand rule (10/120)",
    nullptr,
    "Lines by Trend Quadrant Plunge (030 S 10)",
    "Plunge / Plunge direction (10/210)",
    "Plunge direction/Plunge (210/10)",
    "Lines same as planes"};

// The in-place editor of a cell: every keystroke goes into the sheet at once, so that a save, a
// print or a plot started from the menus finds the cell as it is shown.
class CellEditorDelegate : public QStyledItemDelegate {
public:
    explicit CellEditorDelegate(TWFichier& sheet) : QStyledItemDelegate(&sheet), sheet_(sheet) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->installEventFilter(&sheet_);
        const int row = index.row() + 1;
        const int column = index.column() + 1;
        if (sheet_.sheet().fieldAt(column) != Field::Value)
            editor->setMaxLength(kCodeLength);
        connect(editor, &QLineEdit::textEdited, &sheet_, [this, row, column](const QString& text) {
            sheet_.GridCellEdited(row, column, text);
        });
        editBegins(row, column);
        return editor;
    }

    // Called with the sheet row and grid column of each editor made.
    std::function<void(int, int)> editBegins;

private:
    TWFichier& sheet_;
};

// The clipboard's first line: an edit box holds one line.
QString firstLine(const QString& text)
{
    return text.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r'));
}

// Several cells, as a spreadsheet gives them, rather than a text for one cell.
bool holdsBlock(const QString& text)
{
    return text.contains(QLatin1Char('\t')) || firstLine(text) != text.trimmed();
}

// The width a line edit takes to show the whole of a text of that width, frame and margins
// included, as the style draws it.
int boxWidthFor(const QLineEdit& box, int textWidth)
{
    constexpr int kInnerMargin = 2; // a line edit's own space on each side of its text
    QStyleOptionFrame frame;
    frame.initFrom(&box);
    frame.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &box);
    const QMargins margins = box.textMargins();
    const QSize text(textWidth + 2 * kInnerMargin + margins.left() + margins.right() + 1,
                     box.fontMetrics().height());
    return box.style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, &box).width();
}

// The widest value text the notations write: decimals, trends and strikes of every quadrant and
// of three digits, angles of one and two digits. Planes are written in the plane notations,
// lines in the line notations.
int widestValueText(const QFontMetrics& metrics)
{
    int widest = 0;
    const auto measure = [&](bool plane, Notation notation) {
        for (int trend = 5; trend < 360; trend += 10)
            for (const double plunge : {1.2, 11.2, 88.8})
                widest = std::max(widest, metrics.horizontalAdvance(toQString(
                                              DirToText(true, plane, plunge * kDegToRad,
                                                        (trend + 0.8) * kDegToRad, notation))));
    };
    for (int frtS = 0; frtS < 5; ++frtS)
        measure(true, {frtS, 0});
    for (int frtL = 0; frtL < 3; ++frtL)
        measure(false, {0, frtL});
    return widest;
}

QPushButton* makeButton(const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(toQString(caption), parent);
    button->setAutoDefault(false);
    // Narrower than the style's usual least width, so that a narrow sheet keeps its size.
    button->setMinimumWidth(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 16);
    return button;
}

} // namespace

TWFichier::TWFichier(Application& app, QWidget* mainWindow, DataSheet sheet)
    : QWidget(mainWindow, Qt::Window), app_(app), sheet_(std::move(sheet))
{
    setAttribute(Qt::WA_DeleteOnClose);
    app_.addWindow(*this);
    const VarGlob& settings = app_.settings();
    ploq::SetHeadings(sheet_, settings.TNomC);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    buildGrid();
    buildEditPanel();
    buildNotationMenu();
    layout->addWidget(grid_, 1);
    layout->addWidget(buildToggles());
    layout->addWidget(panelArea_);
    layoutFields();
    applyGridEdit();

    const int k = slot();
    resize(settings.SheetW, settings.SheetH);
    if (mainWindow)
        MoveOnScreen(*this, {mainWindow->x() + 20 * k - 20, mainWindow->y() + 15 * k + 58});
    retitle();
    sheetChanged();
    enableEntry(false, false);
    keepWidths_ = true;
}

TWFichier::~TWFichier()
{
    // The main window may be going: the registry forgets the sheet without refreshing menus.
    if (!closed_)
        app_.registry().remove(*this);
    // The grid reads the sheet, which goes before the widget's children do.
    delete grid_;
    delete model_;
}

void TWFichier::buildGrid()
{
    const VarGlob& settings = app_.settings();
    model_ = new TWFichierModel(sheet_, this);
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    grid_->setFont(sheetFont(settings));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setMinimumHeight(kGridMinHeight);
    grid_->setWordWrap(false);

    QHeaderView* rows = grid_->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(SheetRowHeight(settings.FontHeight));
    rows->setDefaultAlignment(Qt::AlignCenter);
    const QFontMetrics metrics(grid_->font());
    rows->setFixedWidth(std::max(settings.ColW[0], metrics.horizontalAdvance("0000") + 8));

    QHeaderView* columns = grid_->horizontalHeader();
    columns->setStretchLastSection(true);
    columns->setHighlightSections(false);
    // The widths of the settings, but never too narrow for a value or a code to be read.
    const int valueWidth = metrics.horizontalAdvance("000.0 SW 00.0") + 12;
    const int codeWidth = metrics.averageCharWidth() * 7 + 12;
    for (int column = 1; column <= kFieldCount; ++column) {
        const bool value = sheet_.columnOf(Field::Value) == column;
        grid_->setColumnWidth(
            column - 1, std::max(settings.ColW[index(column)], value ? valueWidth : codeWidth));
    }

    // The view has selected what was clicked, ranges included. In "grid edit" mode the cell's
    // editor takes the mouse at once, so the press of the left button is the click; a right
    // press opens the notation menu and leaves the edit boxes as they are.
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& i) {
        if (!gridEdit_->isChecked())
            clicked(i.row() + 1, i.column() + 1, false);
    });
    grid_->viewport()->installEventFilter(this);
    connect(grid_, &QTableView::pressed, this, [this](const QModelIndex& i) {
        if (gridEdit_->isChecked() && pressedButton_ == Qt::LeftButton)
            clicked(i.row() + 1, i.column() + 1, false);
    });
    // A single-cell grid does not select a clicked row number itself: the sheet does, so that
    // the entry buttons act on the row the edit boxes show.
    connect(rows, &QHeaderView::sectionClicked, this,
            [this](int row) { clicked(row + 1, 0, true); });

    // A dragged row or column is put back at once and moved in the sheet instead, so that the
    // grid always shows the sheet in its own order.
    const auto dragged = [this](QHeaderView* header, auto move) {
        connect(header, &QHeaderView::sectionMoved, this,
                [this, header, move](int, int from, int to) {
                    {
                        const QSignalBlocker blocker(header);
                        header->moveSection(to, from);
                    }
                    (this->*move)(from + 1, to + 1);
                });
    };
    dragged(rows, &TWFichier::MoveRow);
    dragged(columns, &TWFichier::MoveColumn);
    connect(columns, &QHeaderView::sectionResized, this, [this](int column) {
        // The last column fills the window: its width is the window's, not the user's.
        if (keepWidths_ && column < kFieldCount - 1)
            keepColumnWidths();
    });

    auto* delegate = new CellEditorDelegate(*this);
    delegate->editBegins = [this](int row, int column) { beginCellEdit(row, column); };
    grid_->setItemDelegate(delegate);
    connect(delegate, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                // Escape gives the cell back as it was before its editor opened.
                if (hint == QAbstractItemDelegate::RevertModelCache && undoHoldsEditedCell()) {
                    editing_.saved = false;
                    EditUndo();
                    return;
                }
                if (editing_.row >= 1 && editing_.row <= sheet_.rowCount())
                    CellToCB(editing_.row);
            });
}

void TWFichier::buildNotationMenu()
{
    notationMenu_ = new QMenu(this);
    auto* planes = new QActionGroup(notationMenu_);
    auto* lines = new QActionGroup(notationMenu_);
    for (int item = 0; item <= kLinesSameItem; ++item) {
        if (!kNotationCaptions[item]) {
            notationMenu_->addSeparator();
            continue;
        }
        QAction* action = notationMenu_->addAction(toQString(kNotationCaptions[item]));
        action->setCheckable(true);
        (item < 5 ? planes : lines)->addAction(action);
        connect(action, &QAction::triggered, this, [this, item] { NotationItemClick(item); });
        notationItems_[index(item)] = action;
    }
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { notationMenu_->popup(grid_->viewport()->mapToGlobal(at)); });
    checkNotationItems();
}

QAction* TWFichier::notationItem(int item) const
{
    return item >= 0 && item <= kLinesSameItem ? notationItems_[index(item)] : nullptr;
}

void TWFichier::checkNotationItems()
{
    notationItems_[index(sheet_.lFrtS)]->setChecked(true);
    notationItems_[index(linesSame_ ? kLinesSameItem : 6 + sheet_.lFrtL)]->setChecked(true);
}

void TWFichier::buildEditPanel()
{
    panel_ = new QWidget(this);
    panel_->setFixedHeight(kEditPanelHeight);
    // The boxes keep the width their texts need: a narrower window scrolls the panel sideways,
    // the scroll bar below the panel.
    panelArea_ = new QScrollArea(this);
    panelArea_->setFrameShape(QFrame::NoFrame);
    panelArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panelArea_->setWidgetResizable(true);
    panelArea_->setWidget(panel_);
    panelArea_->setFixedHeight(kEditPanelHeight);
    connect(panelArea_->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            [this](int, int maximum) {
                const int bar = panelArea_->horizontalScrollBar()->sizeHint().height();
                panelArea_->setFixedHeight(kEditPanelHeight + (maximum > 0 ? bar : 0));
            });
    auto* layout = new QGridLayout(panel_);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(3);

    for (int column = 1; column <= kFieldCount; ++column) {
        QLabel*& label = labels_[index(column)];
        QLineEdit*& box = lE_[index(column)];
        QHBoxLayout*& row = boxRows_[index(column)];
        label = new QLabel(panel_);
        box = new QLineEdit(panel_);
        box->installEventFilter(this);
        connect(box, &QLineEdit::returnPressed, this, &TWFichier::ButtonAppendClick);
        row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(box);
        layout->addWidget(label, 0, column - 1);
        layout->addLayout(row, 1, column - 1);
    }

    for (Field field : kPickListFields) {
        auto* list = new QComboBox(panel_);
        list->setFixedWidth(kPickListWidth + 2);
        list->setFocusPolicy(Qt::NoFocus);
        list->view()->setMinimumWidth(120);
        connect(list, &QComboBox::activated, this,
                [this, field, list](int i) { PickListChosen(field, list->itemText(i)); });
        pickLists_[index(field)] = list;
    }
    plusOne_ = new QToolButton(panel_);
    plusOne_->setText(QStringLiteral("+1"));
    plusOne_->setFocusPolicy(Qt::NoFocus);
    connect(plusOne_, &QToolButton::clicked, this, &TWFichier::ButtonPlusOneClick);

    auto* entry = new QHBoxLayout;
    entry->setSpacing(4);
    const char* captions[] = {"\xE9", "Insert", "Modify", "Delete", "Deci./Int."};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i] = makeButton(captions[i], panel_);
        entry->addWidget(buttons_[i]);
    }
    button(EntryButton::Append)->setToolTip(tr("Append the row (Enter)"));
    QFont italic = button(EntryButton::Delete)->font();
    italic.setItalic(true);
    button(EntryButton::Delete)->setFont(italic);
    connect(button(EntryButton::Append), &QPushButton::clicked, this,
            &TWFichier::ButtonAppendClick);
    connect(button(EntryButton::Insert), &QPushButton::clicked, this,
            &TWFichier::ButtonInsertClick);
    connect(button(EntryButton::Modify), &QPushButton::clicked, this,
            &TWFichier::ButtonModifyClick);
    connect(button(EntryButton::Delete), &QPushButton::clicked, this,
            &TWFichier::ButtonDeleteClick);
    connect(button(EntryButton::Decimals), &QPushButton::clicked, this,
            &TWFichier::ButtonDeciClick);
    entry->addStretch(1);
    layout->addLayout(entry, 2, 0, 1, kFieldCount);

    auto* declination = new QHBoxLayout;
    gridEdit_ = new QCheckBox(QStringLiteral("grid edit"), panel_);
    gridEdit_->setChecked(TestBit(app_.settings().OptVal, kOptValEditInGrid));
    gridEdit_->setFocusPolicy(Qt::NoFocus);
    connect(gridEdit_, &QCheckBox::toggled, this, &TWFichier::GridEditClick);
    declination->addWidget(gridEdit_);
    declination->addSpacing(12);
    useDeclination_ = new QCheckBox(QStringLiteral("add  decli."), panel_);
    useDeclination_->setChecked(sheet_.lUseDecl);
    declination_ = new QLineEdit(toQString(FormatFixed(sheet_.lDecl / kDegToRad, 1)), panel_);
    declination_->setFixedWidth(QFontMetrics(declination_->font()).horizontalAdvance("-000.00")
                                + 12);
    declination_->setToolTip(tr("Degrees; a minus sign for a west declination"));
    declination->addWidget(useDeclination_);
    declination->addSpacing(12);
    declination->addWidget(new QLabel(QStringLiteral("decli. val."), panel_));
    declination->addWidget(declination_);
    declination->addStretch(1);
    layout->addLayout(declination, 3, 0, 1, kFieldCount);
    layout->setRowStretch(4, 1); // the panel's spare height below its controls
    connect(useDeclination_, &QCheckBox::toggled, this, &TWFichier::DeclinationChanged);
    connect(declination_, &QLineEdit::textEdited, this, &TWFichier::DeclinationChanged);
}

QWidget* TWFichier::buildToggles()
{
    auto* strip = new QWidget(this);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const auto toggle = [strip, layout](Qt::ArrowType arrow, const QString& tip) {
        auto* button = new QToolButton(strip);
        button->setArrowType(arrow);
        button->setAutoRaise(true);
        button->setFixedSize(kToggleHeight + 6, kToggleHeight);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(tip);
        layout->addWidget(button);
        return button;
    };
    connect(toggle(Qt::DownArrow, tr("Show or hide the edit panel")), &QToolButton::clicked, this,
            &TWFichier::ToggleEditPanel);
    connect(toggle(Qt::RightArrow, tr("Columns of equal widths")), &QToolButton::clicked, this,
            &TWFichier::EqualWidths);
    layout->addStretch(1);
    return strip;
}

// Each edit box is headed by its column's heading; the pick lists and "+1" sit beside the boxes
// of their fields, and the value's box is the widest.
void TWFichier::layoutFields()
{
    auto* layout = static_cast<QGridLayout*>(panel_->layout());
    // Each box shows the longest text its field takes: a code of 9 characters, or the widest
    // value text.
    const QFontMetrics metrics(panel_->font());
    const int codeWidth = metrics.horizontalAdvance(QString(kCodeLength, QChar('0')));
    if (valueTextWidth_ == 0)
        valueTextWidth_ = widestValueText(metrics);
    for (int column = 1; column <= kFieldCount; ++column) {
        const bool value = sheet_.columnOf(Field::Value) == column;
        labels_[index(column)]->setText(toQString(sheet_.cell(0, column)));
        layout->setColumnStretch(column - 1, value ? 3 : 2);
        QLineEdit* box = lE(column);
        box->setMinimumWidth(boxWidthFor(*box, value ? valueTextWidth_ : codeWidth));
    }
    for (Field field : kPickListFields)
        placeAccessory(pickLists_[index(field)], field);
    placeAccessory(plusOne_, Field::Number);
}

void TWFichier::placeAccessory(QWidget* accessory, Field field)
{
    for (QHBoxLayout* row : boxRows_)
        if (row)
            row->removeWidget(accessory);
    boxRows_[index(sheet_.columnOf(field))]->addWidget(accessory);
}

QWidget* TWFichier::editPanel() const
{
    return panelArea_;
}

std::string TWFichier::title() const
{
    return title_;
}

bool TWFichier::isNormal() const
{
    return !closed_ && isVisible() && !isMinimized() && !isMaximized();
}

void TWFichier::retitle()
{
    QString title;
    if (!sheet_.lNomF.empty())
        title = QString::fromStdString(fs::path(sheet_.lNomF).filename().string());
    else if (!sheet_.lTitle.empty())
        title = toQString(sheet_.lTitle);
    else
        title = QStringLiteral("Data sheet %1").arg(slot());
    title_ = fromQString(title);
    // "[*]" shows the unsaved-changes mark while the sheet is dirty; one in the name is doubled
    // to be shown as it is.
    setWindowTitle(QString(title).replace("[*]", "[*][*]") + "[*]");
}

void TWFichier::describe(AppSnapshot& snapshot) const
{
    snapshot.sheetDirty = sheet_.lDirty;
}

bool TWFichier::queryClose()
{
    if (!sheet_.lDirty)
        return true;
    const std::string question =
        "Sheet " + Quoted(title()) + " modified and non saved. Save it before closing ?";
    switch (app_.prompts().confirmation(question, Button::Yes | Button::No | Button::Cancel)) {
    case Button::Yes: return SaveSheet(false);
    case Button::No: return true;
    default: return false;
    }
}

void TWFichier::closeWithoutAsking()
{
    finishClose();
    close();
}

void TWFichier::closeEvent(QCloseEvent* event)
{
    if (!closed_ && !queryClose()) {
        event->ignore();
        return;
    }
    finishClose();
    event->accept();
}

// What a closing sheet leaves behind: its choices as the next sheets' defaults, its file at the
// head of the recent files, its slot free.
void TWFichier::finishClose()
{
    if (closed_)
        return;
    closed_ = true;
    VarGlob& settings = app_.settings();
    KeepSheetChoices(sheet_, settings);
    SetBit(settings.OptVal, kOptValEditInGrid, gridEdit_->isChecked());
    settings.SheetW = width();
    settings.SheetH = height();
    if (AddRecent(settings.FRecents, sheet_.lNomF))
        if (auto* form = qobject_cast<TForm1*>(parentWidget()))
            form->SetMenuFRecents();
    for (int tag : {kDlgEnterFile, kDlgDataU})
        if (QWidget* dialog = app_.dialog(tag))
            dialog->close();
    app_.removeWindow(*this);
}

void TWFichier::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !closed_)
        FormActivate();
    QWidget::changeEvent(event);
}

void TWFichier::FormActivate()
{
    TakeSheetLayout(sheet_, app_.settings());
    app_.activateWindow(*this);
}

void TWFichier::menusFollow(bool always)
{
    setWindowModified(sheet_.lDirty);
    if (!always && menusDirty_ == sheet_.lDirty)
        return;
    menusDirty_ = sheet_.lDirty;
    emit app_.menusChanged();
}

void TWFichier::sheetChanged()
{
    // What was kept for the undo may no longer be where it was.
    sheet_.lUndoWF = {};
    model_->reload();
    for (int row = 1; row <= sheet_.rowCount(); ++row)
        CellToCB(row);
    menusFollow(true);
}

Point TWFichier::messagePlace() const
{
    const QPoint entry = button(EntryButton::Append)->mapToGlobal(QPoint(0, 0));
    const QPoint panel = panel_->mapToGlobal(QPoint(0, 0));
    return {entry.x() + 30, panel.y()};
}

void TWFichier::tell(Message message)
{
    if (message.text.empty())
        return;
    message.at = messagePlace();
    app_.prompts().message(message);
}

bool TWFichier::SaveSheet(bool saveAs)
{
    FileOutcome outcome;
    if (saveAs || sheet_.lNomF.empty()) {
        FileQuestion question{"Save as", {}, {}, {{"PloqPC files", "*.plq"}, {"All files", "*.*"}}};
        const fs::path current =
            sheet_.lNomF.empty() ? fs::path(Cp1252ToUtf8(title_) + ".plq") : fs::path(sheet_.lNomF);
        question.folder = current.parent_path().string();
        question.proposedName = current.filename().string();
        std::optional<std::string> path = app_.prompts().saveFile(question);
        if (!path)
            return false;
        if (fs::path(*path).extension().empty()) {
            // The chooser asked about the name as typed, not about the one the extension makes.
            *path += ".plq";
            if (fs::exists(*path)
                && app_.prompts().confirmation(
                       Utf8ToCp1252(*path) + " already exists.\rDo you want to replace it ?",
                       Button::Yes | Button::No)
                       != Button::Yes)
                return false;
        }
        outcome = SaveSheetAsFile(sheet_, *path, app_.clock());
    } else {
        outcome = UpdateSheetFile(sheet_, app_.clock());
    }
    if (!outcome.ok) {
        if (!outcome.error.rows.empty())
            selectRow(outcome.error.rows.front());
        // As when the row was typed: the value decoder's messages have a Cancel button.
        const Buttons buttons =
            outcome.error.issue == FileIssue::ValueRefused ? Button::Cancel : Button::Ok;
        tell({MsgKind::Error, outcome.error.message, buttons, {}});
        return false;
    }
    retitle();
    model_->reload();
    menusFollow(true);
    return true;
}

EditBoxes TWFichier::boxTexts() const
{
    EditBoxes texts;
    for (int column = 1; column <= kFieldCount; ++column)
        texts[index(column)] = fromQString(lE(column)->text());
    return texts;
}

void TWFichier::setBoxTexts(const EditBoxes& texts)
{
    for (int column = 1; column <= kFieldCount; ++column) {
        lE(column)->setText(toQString(texts[index(column)]));
        lE(column)->setCursorPosition(0); // a narrow box shows the start of its code
    }
}

QComboBox* TWFichier::pickList(Field field) const
{
    return pickLists_[index(field)];
}

QPushButton* TWFichier::button(EntryButton which) const
{
    return buttons_[static_cast<std::size_t>(which)];
}

void TWFichier::addToPickList(Field field, const std::string& code)
{
    QComboBox* list = pickList(field);
    const QString text = toQString(code);
    if (!list || text.isEmpty()
        || list->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    int at = list->count();
    if (field == Field::Nature)
        while (at > 0 && list->itemText(at - 1) > text)
            --at;
    list->insertItem(at, text);
}

void TWFichier::CellToCB(int row)
{
    for (Field field : kPickListFields)
        addToPickList(field, sheet_.field(row, field));
}

void TWFichier::EditToCB()
{
    const EditBoxes texts = boxTexts();
    for (Field field : kPickListFields)
        addToPickList(field, texts[index(sheet_.columnOf(field))]);
}

bool TWFichier::LigneToGrille(int rang)
{
    EditBoxes texts = boxTexts();
    const EntryResult result = ploq::LigneToGrille(sheet_, texts, rang);
    if (!result.ok) {
        tell(result.message);
        if (result.column > 0)
            lE(result.column)->setFocus();
        return false;
    }
    setBoxTexts(texts);
    EditToCB();
    return true;
}

void TWFichier::afterEntry(int row, bool wholeRow)
{
    model_->reload();
    if (wholeRow)
        selectRow(row);
    else
        selectCell(row, cCkd);
    menusFollow();
}

void TWFichier::ButtonAppendClick()
{
    if (!LigneToGrille(0))
        return;
    afterEntry(sheet_.rowCount(), true);
    lE(2)->setFocus();
    lE(2)->selectAll();
}

void TWFichier::ButtonInsertClick()
{
    const int top = selection().top;
    if (top < 1 || !LigneToGrille(top))
        return;
    afterEntry(std::min(top + 1, sheet_.rowCount()), true);
}

void TWFichier::ButtonModifyClick()
{
    const Selection s = selection();
    if (s.top < 1 || sheet_.isEmpty())
        return;
    // A refused change keeps the undo of the change before it.
    UndoWFRecord before = std::move(sheet_.lUndoWF);
    SaveRowForUndo(sheet_, s.top, kUndoModifiedRow);
    if (s.left == s.right) {
        EditBoxes texts = boxTexts();
        const EntryResult result = ModifyCell(sheet_, texts, s.top, s.left);
        if (!result.ok) {
            sheet_.lUndoWF = std::move(before);
            tell(result.message);
            return;
        }
        setBoxTexts(texts);
        cCkd = s.left;
    } else if (!LigneToGrille(-s.top)) {
        sheet_.lUndoWF = std::move(before);
        return;
    }
    CellToCB(s.top);
    afterEntry(s.top, s.left != s.right);
}

void TWFichier::ButtonDeleteClick()
{
    const int top = selection().top;
    if (top < 1 || sheet_.isEmpty())
        return;
    const int next = DeleteSheetRow(sheet_, top);
    afterEntry(next, true);
    if (sheet_.isEmpty())
        enableEntry(false, false);
}

void TWFichier::ButtonDeciClick()
{
    closeCellEditor();
    ToggleDecimals(sheet_);
    model_->reload();
}

void TWFichier::ButtonPlusOneClick()
{
    QLineEdit* box = lE(sheet_.columnOf(Field::Number));
    box->setText(toQString(PlusOne(fromQString(box->text()))));
}

void TWFichier::DeclinationChanged()
{
    sheet_.lUseDecl = useDeclination_->isChecked();
    sheet_.lDecl = ReadDeclination(fromQString(declination_->text()));
}

void TWFichier::PickListChosen(Field field, const QString& code)
{
    QLineEdit* box = lE(sheet_.columnOf(field));
    box->setText(code);
    box->setFocus();
}

TWFichier::Selection TWFichier::selection() const
{
    Selection s;
    for (const QModelIndex& i : grid_->selectionModel()->selectedIndexes()) {
        const int row = i.row() + 1;
        const int column = i.column() + 1;
        if (s.top == 0) {
            s = {row, row, column, column};
            continue;
        }
        s = {std::min(s.top, row), std::max(s.bottom, row), std::min(s.left, column),
             std::max(s.right, column)};
    }
    return s;
}

void TWFichier::selectRow(int row)
{
    const QModelIndex first = model_->index(row - 1, 0);
    grid_->selectionModel()->select(QItemSelection(first, model_->index(row - 1, kFieldCount - 1)),
                                    QItemSelectionModel::ClearAndSelect);
    grid_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    grid_->scrollTo(first);
}

void TWFichier::selectCell(int row, int column)
{
    const QModelIndex cell = model_->index(row - 1, column - 1);
    grid_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    grid_->scrollTo(cell);
}

void TWFichier::showFoundCell(int row, int column)
{
    const QModelIndex cell = model_->index(row - 1, column - 1);
    grid_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    const int firstVisible = grid_->rowAt(0);
    const int lastVisible = grid_->rowAt(grid_->viewport()->height() - 1);
    if (firstVisible >= 0 && cell.row() < firstVisible)
        grid_->scrollTo(cell, QAbstractItemView::PositionAtTop);
    else if (lastVisible >= 0 && cell.row() > lastVisible)
        grid_->scrollTo(cell, QAbstractItemView::PositionAtBottom);
    else
        grid_->scrollTo(cell, QAbstractItemView::EnsureVisible);
}

void TWFichier::gridEditOff()
{
    gridEdit_->setChecked(false);
}

void TWFichier::cellWritten(int row, int column)
{
    model_->cellChanged(row, column);
    CellToCB(row);
    menusFollow();
}

void TWFichier::enableEntry(bool insertAndDelete, bool modify)
{
    button(EntryButton::Insert)->setEnabled(insertAndDelete);
    button(EntryButton::Delete)->setEnabled(insertAndDelete);
    button(EntryButton::Modify)->setEnabled(modify);
}

void TWFichier::GrilleClick(int row, int column)
{
    clicked(row, column, true);
}

void TWFichier::clicked(int row, int column, bool select)
{
    if (row < 1 || row > sheet_.rowCount() || column < 0 || column > kFieldCount)
        return;
    cCkd = column;
    rCkd = row;
    vCkd = sheet_.cell(row, column);
    if (sheet_.isEmpty())
        return;
    EditBoxes texts;
    if (column == 0) {
        for (int c = 1; c <= kFieldCount; ++c)
            texts[index(c)] = sheet_.cell(row, c);
        if (select)
            selectRow(row);
        enableEntry(true, true);
    } else {
        texts[index(column)] = sheet_.cell(row, column);
        if (select)
            selectCell(row, column);
        button(EntryButton::Modify)->setEnabled(true);
    }
    setBoxTexts(texts);
}

void TWFichier::ToggleEditPanel()
{
    if (!panelArea_->isHidden()) {
        panelArea_->hide();
        return;
    }
    if (height() < kGridMinHeight + kToggleHeight + kEditPanelHeight) {
        tell({MsgKind::Warning,
              "Window height is too small to display the edit box",
              Button::Ok,
              {}});
        return;
    }
    panelArea_->show();
}

void TWFichier::EqualWidths()
{
    QHeaderView* columns = grid_->horizontalHeader();
    const int lines = grid_->showGrid() ? 1 : 0;
    const int room = grid_->viewport()->width() - 5 * lines - 5;
    const int width = std::max(20, room / kFieldCount);
    VarGlob& settings = app_.settings();
    settings.ColW[0] = grid_->verticalHeader()->width();
    for (int column = 1; column <= kFieldCount; ++column) {
        columns->resizeSection(column - 1, width);
        settings.ColW[index(column)] = width;
    }
}

void TWFichier::keepColumnWidths()
{
    VarGlob& settings = app_.settings();
    settings.ColW[0] = grid_->verticalHeader()->width();
    for (int column = 1; column <= kFieldCount; ++column)
        settings.ColW[index(column)] = grid_->columnWidth(column - 1);
}

void TWFichier::NotationItemClick(int item)
{
    const NotationChoice choice = ChooseNotation({sheet_.lFrtS, sheet_.lFrtL, linesSame_}, item);
    linesSame_ = choice.linesSame;
    ChangeNotation({choice.frtS, choice.frtL});
}

void TWFichier::ChangeNotation(const Notation& to)
{
    const Notation from = sheet_.notation();
    if (to.frtS != from.frtS || to.frtL != from.frtL) {
        closeCellEditor();
        ReNotate(sheet_, to);
        renotateValueBox(from, to);
        model_->reload();
        if (CurrentSheet(app_) == this)
            TakeSheetLayout(sheet_, app_.settings());
    }
    checkNotationItems();
}

void TWFichier::SetHeadings()
{
    ploq::SetHeadings(sheet_, app_.settings().TNomC);
    for (int column = 1; column <= kFieldCount; ++column)
        labels_[index(column)]->setText(toQString(sheet_.cell(0, column)));
    model_->headerDataChanged(Qt::Horizontal, 0, kFieldCount - 1);
}

void TWFichier::SetGridFont()
{
    const VarGlob& settings = app_.settings();
    grid_->setFont(sheetFont(settings));
    grid_->verticalHeader()->setDefaultSectionSize(SheetRowHeight(settings.FontHeight));
}

// A value waiting in its edit box would otherwise be read in the new notation.
void TWFichier::renotateValueBox(const Notation& from, const Notation& to)
{
    QLineEdit* box = lE(sheet_.columnOf(Field::Value));
    const std::string nature = fromQString(lE(sheet_.columnOf(Field::Nature))->text());
    const std::string value = fromQString(box->text());
    if (value.empty() || nature.empty() || !IsNatureLetter(nature.front()))
        return;
    box->setText(toQString(Renotate(nature.front(), value, from, to, HasDecimalSeparator(value))));
}

void TWFichier::GridEditClick()
{
    closeCellEditor();
    applyGridEdit();
}

void TWFichier::applyGridEdit()
{
    const bool inPlace = gridEdit_->isChecked();
    model_->setEditable(inPlace, [this](int row, int column, const QString& text) {
        GridCellEdited(row, column, text);
    });
    grid_->setEditTriggers(inPlace ? QAbstractItemView::AllEditTriggers
                                   : QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(inPlace ? QAbstractItemView::SingleSelection
                                    : QAbstractItemView::ContiguousSelection);
    grid_->horizontalHeader()->setSectionsMovable(!inPlace);
    grid_->verticalHeader()->setSectionsMovable(!inPlace);
    if (inPlace && grid_->currentIndex().isValid())
        grid_->edit(grid_->currentIndex());
}

void TWFichier::beginCellEdit(int row, int column)
{
    editing_ = {row, column, false};
}

void TWFichier::GridCellEdited(int row, int column, const QString& text)
{
    if (row < 1 || row > sheet_.rowCount() || column < 1 || column > kFieldCount)
        return;
    const std::string typed = fromQString(text);
    if (sheet_.cell(row, column) == typed)
        return;
    const bool sameEdit = editing_.row == row && editing_.column == column && undoHoldsEditedCell();
    EditGridCell(sheet_, row, column, typed, !sameEdit);
    editing_ = {row, column, true};
    model_->cellChanged(row, column);
    menusFollow();
}

// The undo still holds the cell as it was before its editor opened.
bool TWFichier::undoHoldsEditedCell() const
{
    const UndoWFRecord& undo = sheet_.lUndoWF;
    return editing_.saved && undo.zone == kUndoCells && undo.ixt == editing_.row
           && undo.ixl == editing_.column;
}

QLineEdit* TWFichier::focusedCellEditor() const
{
    // A closed editor is hidden, and deleted only later.
    auto* editor = qobject_cast<QLineEdit*>(focusWidget());
    return editor && editor->parentWidget() == grid_->viewport() && editor->isVisible() ? editor
                                                                                        : nullptr;
}

void TWFichier::closeCellEditor()
{
    if (QLineEdit* editor = focusedCellEditor()) {
        emit grid_->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
        grid_->setFocus();
    }
}

void TWFichier::MoveRow(int from, int to)
{
    if (from == to || sheet_.isEmpty())
        return;
    MoveSheetRow(sheet_, from, to);
    model_->reload();
    selectRow(to);
    menusFollow();
}

void TWFichier::MoveColumn(int from, int to)
{
    if (from == to)
        return;
    MoveSheetColumn(sheet_, from, to);
    columnsFollow(from, to);
}

void TWFichier::columnsFollow(int from, int to)
{
    std::array<int, kColumnCount> widths{};
    EditBoxes texts = boxTexts();
    for (int column = 1; column <= kFieldCount; ++column)
        widths[index(column)] = grid_->columnWidth(column - 1);
    MoveElement(widths.begin(), from, to);
    MoveElement(texts.begin(), from, to);
    model_->reload();
    keepWidths_ = false;
    for (int column = 1; column <= kFieldCount; ++column)
        grid_->setColumnWidth(column - 1, widths[index(column)]);
    keepWidths_ = true;
    keepColumnWidths();
    setBoxTexts(texts);
    layoutFields();
    TakeSheetLayout(sheet_, app_.settings());
}

void TWFichier::runEdit(Cmd command)
{
    if (QLineEdit* editor = focusedCellEditor(); editor && command != Cmd::EditUndo) {
        // A block from a spreadsheet goes into the sheet at the edited cell.
        if (command != Cmd::EditPaste || !holdsBlock(QGuiApplication::clipboard()->text())) {
            cellEditorEdit(command, editor);
            return;
        }
        closeCellEditor();
    }
    if (const int box = focusedBox(); box > 0) {
        boxEdit(command, box);
        return;
    }
    switch (command) {
    case Cmd::EditUndo: EditUndo(); break;
    case Cmd::EditCut: EditCut(); break;
    case Cmd::EditCopy: EditCopy(); break;
    case Cmd::EditPaste: EditPaste(); break;
    default: break;
    }
}

int TWFichier::focusedBox() const
{
    const auto box = std::find(lE_.begin() + 1, lE_.end(), focusWidget());
    return box == lE_.end() ? 0 : static_cast<int>(box - lE_.begin());
}

void TWFichier::boxEdit(Cmd command, int box)
{
    QLineEdit* edit = lE(box);
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (command) {
    case Cmd::EditUndo: EditUndo(); break;
    case Cmd::EditCut:
        SaveBoxForUndo(sheet_, box, fromQString(edit->text()));
        edit->cut();
        break;
    case Cmd::EditCopy: clipboard->setText(edit->text()); break;
    case Cmd::EditPaste:
        if (clipboard->text().isEmpty())
            return;
        SaveBoxForUndo(sheet_, box, fromQString(edit->text()));
        edit->setText(firstLine(clipboard->text()));
        break;
    default: break;
    }
}

void TWFichier::cellEditorEdit(Cmd command, QLineEdit* editor)
{
    switch (command) {
    case Cmd::EditCut: editor->cut(); break;
    case Cmd::EditCopy: editor->copy(); break;
    case Cmd::EditPaste:
        editor->insert(firstLine(QGuiApplication::clipboard()->text()));
        // The sheet takes the cell as it is now, however the editor reported the change.
        GridCellEdited(editing_.row, editing_.column, editor->text());
        break;
    default: break;
    }
}

void TWFichier::EditUndo()
{
    closeCellEditor();
    const UndoOutcome outcome = UndoWF(sheet_);
    switch (outcome.zone) {
    case kUndoNothing: return;
    case kUndoMovedColumn: columnsFollow(outcome.movedFrom, outcome.column); return;
    case kUndoNotation:
        model_->reload();
        linesSame_ = false;
        checkNotationItems();
        if (CurrentSheet(app_) == this)
            TakeSheetLayout(sheet_, app_.settings());
        return;
    default: break;
    }
    if (outcome.zone >= 1 && outcome.zone <= kFieldCount) {
        lE(outcome.column)->setText(toQString(outcome.boxText));
        return;
    }
    model_->reload();
    if (outcome.row >= 1)
        selectRow(std::min(outcome.row, sheet_.rowCount()));
    menusFollow();
}

TWFichier::Selection TWFichier::selectionOrStart() const
{
    const Selection s = selection();
    if (s.top >= 1)
        return s;
    // An empty sheet takes a paste at its first cell.
    return sheet_.isEmpty() ? Selection{1, 1, 1, 1} : s;
}

void TWFichier::EditCopy()
{
    const Selection s = selection();
    if (s.top < 1 || sheet_.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(
        toQString(CopyBlock(sheet_, {s.top, s.bottom, s.left, s.right})));
}

void TWFichier::EditCut()
{
    const Selection s = selection();
    if (s.top < 1 || sheet_.isEmpty())
        return;
    if (s.bottom - s.top + 1 > kUndoRows)
        tell({MsgKind::Warning, UndoLimitMessage(), Button::Ok, {}});
    const CellBlock block{s.top, s.bottom, s.left, s.right};
    QGuiApplication::clipboard()->setText(toQString(CutBlock(sheet_, block)));
    afterBlockChange(block);
}

void TWFichier::EditPaste()
{
    const QString text = QGuiApplication::clipboard()->text();
    const Selection s = selectionOrStart();
    if (text.isEmpty() || s.top < 1)
        return;
    const PastePlan plan = PlanPaste(sheet_, {s.top, s.bottom, s.left, s.right}, fromQString(text));
    if (!plan.ok) {
        tell(plan.message);
        return;
    }
    if (plan.overwritten > kUndoRows)
        tell({MsgKind::Warning, UndoLimitMessage(), Button::Ok, {}});
    ApplyPaste(sheet_, plan);
    const int last = plan.first + static_cast<int>(plan.rows.size()) - 1;
    for (int row = plan.first; row <= last; ++row)
        CellToCB(row);
    afterBlockChange({plan.first, last, plan.left, plan.right});
}

void TWFichier::afterBlockChange(const CellBlock& block)
{
    model_->reload();
    const QModelIndex corner = model_->index(block.top - 1, block.left - 1);
    grid_->selectionModel()->setCurrentIndex(corner, QItemSelectionModel::NoUpdate);
    grid_->selectionModel()->select(
        QItemSelection(corner, model_->index(block.bottom - 1, block.right - 1)),
        QItemSelectionModel::ClearAndSelect);
    grid_->scrollTo(corner);
    if (gridEdit_->isChecked())
        grid_->edit(corner);
    menusFollow();
}

int TWFichier::PrintSheet(QPrinter& printer)
{
    printer.setDocName(toQString(title_));
    const int measurements = sheet_.isEmpty() ? 0 : sheet_.rowCount();
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    const SheetPageLayout layout = SheetPageLayoutFor(
        {printer.width(), printer.height()}, landscape, printer.resolution(), measurements);
    int first = 1;
    int last = layout.pages;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        last = std::min(last, std::max(first, printer.toPage()));
    }
    const std::string heading =
        SheetPrintHeading(shortTime(app_.clock().now()), title(), measurements);
    // A printed table is always ruled: printing turns the grid lines on.
    SetBit(app_.settings().OptVal, kOptValPrintGrid, true);
    QtSurface surface(&printer);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        DrawSheetPage(surface, sheet_, layout, page, heading, true);
    }
    return std::max(0, last - first + 1);
}

void TWFichier::PrintPreview()
{
    auto* preview = new QPrintPreviewDialog(this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(toQString("Print " + Quoted(title())));
    connect(preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintSheet(*printer); });
    preview->open();
}

bool TWFichier::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == grid_->viewport())
        pressedButton_ = static_cast<QMouseEvent*>(event)->button();
    // A box reached by the keys comes into sight, with its pick list, in a panel scrolled
    // sideways.
    if (const auto box = std::find(lE_.begin() + 1, lE_.end(), watched);
        event->type() == QEvent::FocusIn && box != lE_.end()) {
        const QRect row = boxRows_[index(static_cast<int>(box - lE_.begin()))]->geometry();
        panelArea_->ensureVisible(row.center().x(), row.center().y(), row.width() / 2 + 2, 0);
    }
    if (event->type() == QEvent::KeyPress) {
        auto* keys = static_cast<QKeyEvent*>(event);
        // Ctrl+V in a cell's editor: a block from a spreadsheet goes into the sheet.
        if (watched == focusedCellEditor() && keys->matches(QKeySequence::Paste)
            && holdsBlock(QGuiApplication::clipboard()->text())) {
            runEdit(Cmd::EditPaste);
            return true;
        }
        const int key = keys->key();
        const auto box = std::find(lE_.begin() + 1, lE_.end(), watched);
        if (box != lE_.end() && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            const int column = static_cast<int>(box - lE_.begin());
            const int next = key == Qt::Key_Up ? (column == 1 ? kFieldCount : column - 1)
                                               : (column == kFieldCount ? 1 : column + 1);
            lE(next)->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

TWFichier* NewSheet(Application& app, QWidget* mainWindow, DataSheet sheet)
{
    if (app.registry().count(WindowKind::Sheet) >= kMaxWindows) {
        app.prompts().warning(std::string(kMsgTooManySheets));
        return nullptr;
    }
    auto* window = new TWFichier(app, mainWindow, std::move(sheet));
    window->show();
    window->FormActivate();
    return window;
}

TWFichier* NewSheet(Application& app, QWidget* mainWindow)
{
    return NewSheet(app, mainWindow, NewDataSheet(app.settings()));
}

TWFichier* CurrentSheet(Application& app)
{
    return dynamic_cast<TWFichier*>(app.registry().current(WindowKind::Sheet));
}

std::vector<TWFichier*> OpenSheets(Application& app)
{
    std::vector<TWFichier*> sheets;
    for (DataWindow* window : app.registry().windows(WindowKind::Sheet))
        if (auto* sheet = dynamic_cast<TWFichier*>(window))
            sheets.push_back(sheet);
    return sheets;
}

} // namespace ploq
