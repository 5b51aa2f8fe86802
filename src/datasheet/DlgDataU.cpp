#include "datasheet/DlgDataU.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "app/ScreenPlace.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWFichierCommands.h"
#include "platform/QtText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ploq {

namespace {

// The dialog's choices in OptDataU.
constexpr int kOptCase = 2;
constexpr int kOptFullWord = 3;
constexpr int kOptDown = 4;
constexpr int kOptKeepReached = 5;
constexpr int kOptOnAz = 8; // 9 on Pe, 10 on Sens
constexpr int kOptValL = 11;
constexpr int kOptColumn = 12; // 12..16: column 0..4

constexpr int kWidth = 428;
constexpr int kMessageRight = 30; // messages open this far right of and below their box
constexpr int kMessageBelow = 50;

// Where the controls of every mode go, and those that move with the mode.
constexpr QRect kSheetLabel{8, 6, 272, 18};
constexpr QRect kSearchLabel{8, 31, 64, 20};
constexpr QRect kSearchBox{74, 28, 206, 24};
constexpr QRect kFullWord{8, 58, 100, 20};
constexpr QRect kCase{118, 58, 130, 20};
constexpr QRect kColumns{290, 6, 130, 150};
constexpr QRect kLeftGroup{8, 84, 116, 76}; // " move " or " Keep..."
constexpr QRect kVal{130, 84, 50, 76};
constexpr int kOnLeft = 186;
constexpr QRect kOn{kOnLeft, 84, 96, 76};
constexpr QRect kLines{8, 166, 412, 50};
constexpr QRect kChangeLabel{130, 88, 150, 20};
constexpr QRect kChangeBox{130, 110, 150, 24};
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 4;

QRadioButton* addChoice(QGroupBox* group, const char* caption)
{
    auto* button = new QRadioButton(QString::fromLatin1(caption), group);
    group->layout()->addWidget(button);
    return button;
}

QGroupBox* choiceGroup(QWidget* parent, const char* title)
{
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    return group;
}

template <std::size_t N> int checkedIndex(const std::array<QRadioButton*, N>& buttons)
{
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    return 0;
}

int heightOf(DataUMode mode)
{
    switch (mode) {
    case DataUMode::Select: return kDataUHeightSelect;
    case DataUMode::Find: return kDataUHeightFind;
    case DataUMode::Change: return kDataUHeightChange;
    }
    return kDataUHeightFind;
}

const char* titleOf(DataUMode mode)
{
    switch (mode) {
    case DataUMode::Select: return "Select";
    case DataUMode::Find: return "Find";
    case DataUMode::Change: return "Change";
    }
    return "Find";
}

Point globalCorner(const QWidget& box, int right, int below)
{
    const QPoint p = box.mapToGlobal(QPoint(right, below));
    return {p.x(), p.y()};
}

} // namespace

TDlgDataU::TDlgDataU(TForm1& form, Application& app)
    : QDialog(&form, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint),
      form_(form), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setProperty("helpTopic", kHelpDataSheets);
    build();
    applyOptions();
    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(f3, &QShortcut::activated, this, &TDlgDataU::Button1Click);
}

void TDlgDataU::build()
{
    sheetLabel_ = new QLabel(this);
    searchLabel_ = new QLabel(this);
    comboBox1_ = new QComboBox(this);
    comboBox1_->setEditable(true);
    comboBox1_->setInsertPolicy(QComboBox::NoInsert);
    comboBox1_->setMaxCount(kMaxValues);
    fullWord_ = new QCheckBox(tr("Full word"), this);
    caseSensitive_ = new QCheckBox(tr("Case sensitive"), this);
    caseSensitive_->setChecked(true);

    moveGroup_ = choiceGroup(this, " move ");
    up_ = addChoice(moveGroup_, "up");
    down_ = addChoice(moveGroup_, "down");
    down_->setChecked(true);
    valGroup_ = choiceGroup(this, " val ");
    val_ = {addChoice(valGroup_, "L"), addChoice(valGroup_, "S")};
    val_[0]->setChecked(true);
    on1Group_ = choiceGroup(this, " on ");
    on1_ = {addChoice(on1Group_, "Az"), addChoice(on1Group_, "Pe"), addChoice(on1Group_, "Sens")};
    on1_[0]->setChecked(true);
    on2Group_ = choiceGroup(this, " on ");
    on2_ = {addChoice(on2Group_, "Az"), addChoice(on2Group_, "Pe")};
    on2_[0]->setChecked(true);
    keepGroup_ = choiceGroup(this, " Keep...");
    keep_ = {addChoice(keepGroup_, "reached lines"), addChoice(keepGroup_, "other lines")};
    keep_[0]->setChecked(true);
    columnGroup_ = choiceGroup(this, " column ");
    for (QRadioButton*& item : column_)
        item = addChoice(columnGroup_, "");
    column_[1]->setChecked(true);

    linesGroup_ = new QGroupBox(tr(" select a set of lines"), this);
    auto* lines = new QHBoxLayout(linesGroup_);
    lines->setContentsMargins(8, 2, 8, 4);
    from_ = new QLineEdit(QStringLiteral("1"), linesGroup_);
    to_ = new QLineEdit(linesGroup_);
    for (QLineEdit* box : {from_, to_})
        box->setFixedWidth(60);
    selectLines_ = new QPushButton(tr("select"), linesGroup_);
    lines->addWidget(new QLabel(tr(" lines "), linesGroup_));
    lines->addWidget(from_);
    lines->addWidget(new QLabel(tr("to"), linesGroup_));
    lines->addWidget(to_);
    lines->addStretch(1);
    lines->addWidget(selectLines_);

    changeLabel_ = new QLabel(tr("Change for :"), this);
    changeBox_ = new QLineEdit(this);
    changeBox_->setMaxLength(kValueTextLength);
    button1_ = new QPushButton(this);
    button1_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"), this);
    change_ = new QPushButton(tr("Change"), this);
    changeAll_ = new QPushButton(tr("Change all"), this);

    connect(button1_, &QPushButton::clicked, this, &TDlgDataU::Button1Click);
    connect(cancel_, &QPushButton::clicked, this, &TDlgDataU::CancelClick);
    connect(change_, &QPushButton::clicked, this, &TDlgDataU::ChangeClick);
    connect(changeAll_, &QPushButton::clicked, this, &TDlgDataU::ChangeAllClick);
    connect(selectLines_, &QPushButton::clicked, this, &TDlgDataU::SelectLinesClick);
    for (QRadioButton* item : column_)
        connect(item, &QRadioButton::clicked, this, &TDlgDataU::ColumnClick);
    for (QRadioButton* item : val_)
        connect(item, &QRadioButton::clicked, this, &TDlgDataU::ValClick);
    // Only a new search text, or new rules of comparing it, call for a new whole-sheet check.
    connect(comboBox1_->lineEdit(), &QLineEdit::textEdited, this, [this] { testSt1_ = false; });
    connect(comboBox1_, &QComboBox::activated, this, [this] { testSt1_ = false; });
    for (QCheckBox* box : {fullWord_, caseSensitive_})
        connect(box, &QCheckBox::clicked, this, [this] { testSt1_ = false; });
}

QRadioButton* TDlgDataU::onButton(int group, int i) const
{
    return group == 0 ? on1_[static_cast<std::size_t>(i)] : on2_[static_cast<std::size_t>(i)];
}

void TDlgDataU::applyOptions()
{
    const std::int32_t o = app_.settings().OptDataU;
    caseSensitive_->setChecked(TestBit(o, kOptCase));
    fullWord_->setChecked(TestBit(o, kOptFullWord));
    (TestBit(o, kOptDown) ? down_ : up_)->setChecked(true);
    keep_[TestBit(o, kOptKeepReached) ? 0 : 1]->setChecked(true);
    for (int i = 0; i < 2; ++i)
        if (TestBit(o, kOptOnAz + i)) {
            on1_[static_cast<std::size_t>(i)]->setChecked(true);
            on2_[static_cast<std::size_t>(i)]->setChecked(true);
        }
    if (TestBit(o, kOptOnAz + 2))
        on1_[2]->setChecked(true);
    val_[TestBit(o, kOptValL) ? 0 : 1]->setChecked(true);
    int field = kFieldCount - 1;
    for (int f = 0; f < kFieldCount - 1; ++f)
        if (TestBit(o, kOptColumn + f)) {
            field = f;
            break;
        }
    column_[static_cast<std::size_t>(field)]->setChecked(true);
}

void TDlgDataU::writeOptions()
{
    std::int32_t& o = app_.settings().OptDataU;
    SetBit(o, kOptCase, caseSensitive_->isChecked());
    SetBit(o, kOptFullWord, fullWord_->isChecked());
    SetBit(o, kOptDown, down_->isChecked());
    SetBit(o, kOptKeepReached, keep_[0]->isChecked());
    const bool first = !on1Group_->isHidden();
    const int on = first ? checkedIndex(on1_) : checkedIndex(on2_);
    for (int i = 0; i < 3; ++i)
        SetBit(o, kOptOnAz + i, i == on);
    SetBit(o, kOptValL, val_[0]->isChecked());
    for (int f = 0; f < kFieldCount; ++f)
        SetBit(o, kOptColumn + f, f == chosenField());
}

void TDlgDataU::setMode(DataUMode mode)
{
    butDlg_ = mode;
    SetDlgDataU();
    testSt1_ = false;
    stOk_ = false;
}

void TDlgDataU::SetDlgDataU()
{
    const auto& headings = app_.settings().TNomC;
    for (int f = 0; f < kFieldCount; ++f)
        column_[static_cast<std::size_t>(f)]->setText(
            toQString(headings[static_cast<std::size_t>(f) + 1]));
    const QString title = QString::fromLatin1(titleOf(butDlg_));
    setWindowTitle(title);
    searchLabel_->setText(title + QStringLiteral(" :"));
    button1_->setText(butDlg_ == DataUMode::Change ? tr("Find") : title);
    TWFichier* sheet = CurrentSheet(app_);
    sheetLabel_->setText(sheet ? toQString(sheet->title()) : QString());

    const bool select = butDlg_ == DataUMode::Select;
    const bool change = butDlg_ == DataUMode::Change;
    keepGroup_->setVisible(select);
    linesGroup_->setVisible(select);
    moveGroup_->setVisible(!select);
    caseSensitive_->setVisible(!select);
    for (QWidget* w :
         std::initializer_list<QWidget*>{changeLabel_, changeBox_, change_, changeAll_})
        w->setVisible(change);
    valGroup_->setVisible(!change);
    if (change) {
        on1Group_->hide();
        on2Group_->hide();
    } else {
        if (sheet)
            to_->setText(QString::number(sheet->sheet().isEmpty() ? 0 : sheet->sheet().rowCount()));
        SetRGroup56();
    }
    placeControls();
    SetBoutons();
    setFixedSize(kWidth, heightOf(butDlg_));
}

void TDlgDataU::placeControls()
{
    sheetLabel_->setGeometry(kSheetLabel);
    searchLabel_->setGeometry(kSearchLabel);
    comboBox1_->setGeometry(kSearchBox);
    fullWord_->setGeometry(kFullWord);
    caseSensitive_->setGeometry(kCase);
    columnGroup_->setGeometry(kColumns);
    moveGroup_->setGeometry(kLeftGroup);
    keepGroup_->setGeometry(kLeftGroup);
    valGroup_->setGeometry(kVal);
    linesGroup_->setGeometry(kLines);
    changeLabel_->setGeometry(kChangeLabel);
    changeBox_->setGeometry(kChangeBox);
    // The buttons line up at the right, under everything the mode shows.
    std::vector<QPushButton*> buttons = {button1_, cancel_};
    if (butDlg_ == DataUMode::Change)
        buttons.insert(buttons.end(), {change_, changeAll_});
    const int top = heightOf(butDlg_) - kButtonHeight - 10;
    int left =
        kWidth - 8 - static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) + kButtonGap;
    for (QPushButton* b : buttons) {
        b->setGeometry(left, top, kButtonWidth, kButtonHeight);
        left += kButtonWidth + kButtonGap;
    }
}

int TDlgDataU::chosenNotation() const
{
    const bool planes = val_[1]->isChecked();
    if (const TWFichier* sheet = CurrentSheet(app_))
        return planes ? sheet->sheet().lFrtS : sheet->sheet().lFrtL;
    const VarGlob& s = app_.settings();
    return planes ? s.FrtS : s.FrtL;
}

void TDlgDataU::SetRGroup56()
{
    const bool quadrant = chosenNotation() == 0;
    QGroupBox* shown = quadrant ? on1Group_ : on2Group_;
    QGroupBox* other = quadrant ? on2Group_ : on1Group_;
    other->hide();
    if (butDlg_ == DataUMode::Change)
        return;
    shown->setGeometry(kOn.translated(valGroup_->geometry().right() + 6 - kOnLeft, 0));
    shown->show();
}

void TDlgDataU::SetBoutons()
{
    if (butDlg_ != DataUMode::Change) {
        for (QWidget* w : std::initializer_list<QWidget*>{valGroup_, on1Group_, on2Group_})
            w->setEnabled(true);
        button1_->setEnabled(true);
        return;
    }
    const bool codes = chosenField() != static_cast<int>(Field::Value);
    const bool sheet = CurrentSheet(app_) != nullptr;
    button1_->setEnabled(codes);
    change_->setEnabled(codes && sheet);
    changeAll_->setEnabled(codes && sheet);
}

void TDlgDataU::SetComboBox1()
{
    const QString typed = comboBox1_->currentText();
    const QSignalBlocker quiet(comboBox1_);
    comboBox1_->clear();
    const TWFichier* sheet = CurrentSheet(app_);
    const Field field = static_cast<Field>(chosenField());
    if (sheet && field != Field::Value)
        for (const std::string& text : DistinctTexts(sheet->sheet(), field))
            comboBox1_->addItem(toQString(text));
    comboBox1_->setEditText(typed);
}

int TDlgDataU::chosenField() const
{
    return checkedIndex(column_);
}

void TDlgDataU::LireParam()
{
    SearchParams p;
    p.mode = butDlg_;
    p.st1 = fromQString(comboBox1_->currentText());
    p.st2 = fromQString(changeBox_->text());
    p.field = static_cast<Field>(chosenField());
    p.lines = val_[0]->isChecked();
    p.part =
        static_cast<ValuePart>(chosenNotation() == 0 ? checkedIndex(on1_) : checkedIndex(on2_));
    p.respectCase = caseSensitive_->isChecked();
    p.motEntier = fullWord_->isChecked();
    p.garderSel = keep_[0]->isChecked();
    p.versBas = down_->isChecked();
    params_ = ReadSearchParams(p);
}

Point TDlgDataU::searchMessagePlace() const
{
    return globalCorner(*comboBox1_, kMessageRight, kMessageBelow);
}

Point TDlgDataU::changeMessagePlace() const
{
    return globalCorner(*changeBox_, kMessageRight, kMessageBelow);
}

void TDlgDataU::tell(Message message, Point at)
{
    message.at = at;
    app_.prompts().message(message);
}

void TDlgDataU::Button1Click()
{
    if (!button1_->isEnabled())
        return;
    LireParam();
    TWFichier* sheet = CurrentSheet(app_);
    if (!sheet)
        return;
    sheet->gridEditOff();
    if (!testSt1_) {
        const std::optional<Message> warning = CheckAnyMatch(params_, sheet->sheet());
        stOk_ = !warning;
        testSt1_ = stOk_;
        if (warning)
            tell(*warning, searchMessagePlace());
    }
    if (!stOk_)
        return;
    if (butDlg_ != DataUMode::Select) {
        findNext(*sheet);
        return;
    }
    DataSheet made =
        SelectRows(params_, sheet->sheet(), NewDataSheet(app_.settings()), sheet->title());
    NewSheet(app_, &form_, std::move(made));
}

void TDlgDataU::findNext(TWFichier& sheet)
{
    const FindOutcome found = FindNext(params_, sheet.sheet(), sheet.selection().top);
    if (found.row > 0) {
        sheet.showFoundCell(found.row, sheet.sheet().columnOf(params_.field));
        return;
    }
    params_.versBas = found.versBas;
    (found.versBas ? down_ : up_)->setChecked(true);
}

void TDlgDataU::SelectLinesClick()
{
    TWFichier* sheet = CurrentSheet(app_);
    if (!sheet)
        return;
    const DataSheet& source = sheet->sheet();
    const LineRange range = ReadLineRange(fromQString(from_->text()), fromQString(to_->text()),
                                          source.isEmpty() ? 0 : source.rowCount());
    if (range.refusal) {
        tell(*range.refusal, globalCorner(*from_, kMessageRight, kMessageBelow));
        return;
    }
    NewSheet(app_, &form_,
             SelectLines(source, range.first, range.last, NewDataSheet(app_.settings())));
}

bool TDlgDataU::askBeforeChange(const ChangeCheck& check)
{
    if (check.stop) {
        if (check.message)
            tell(*check.message, changeMessagePlace());
        return false;
    }
    if (!check.message)
        return true;
    Message question = *check.message;
    question.at = changeMessagePlace();
    return app_.prompts().message(question) == Button::Yes;
}

void TDlgDataU::keepChange(TWFichier& sheet, const CellChange& change)
{
    changes_.push_back({&sheet, change});
    sheet.cellWritten(change.row, change.column);
}

void TDlgDataU::ChangeClick()
{
    LireParam();
    TWFichier* sheet = CurrentSheet(app_);
    if (!sheet || !askBeforeChange(CheckChange(params_)))
        return;
    sheet->gridEditOff();
    if (const std::optional<CellChange> change =
            ChangeOne(params_, sheet->sheet(), sheet->selection().top)) {
        sheet->sheet().lUndoWF = {};
        keepChange(*sheet, *change);
    }
    findNext(*sheet);
}

void TDlgDataU::ChangeAllClick()
{
    LireParam();
    TWFichier* sheet = CurrentSheet(app_);
    if (!sheet || !askBeforeChange(CheckChange(params_)))
        return;
    const std::vector<CellChange> changes = ChangeAll(params_, sheet->sheet());
    if (!changes.empty())
        sheet->sheet().lUndoWF = {};
    for (const CellChange& change : changes)
        keepChange(*sheet, change);
}

void TDlgDataU::undoChanges()
{
    for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
        if (TWFichier* sheet = it->sheet.data();
            sheet && sheet->isListed() && RestoreCell(sheet->sheet(), it->change))
            sheet->cellWritten(it->change.row, it->change.column);
    changes_.clear();
}

void TDlgDataU::CancelClick()
{
    if (butDlg_ == DataUMode::Change) {
        undoChanges();
        return;
    }
    close();
}

void TDlgDataU::ColumnClick()
{
    SetBoutons();
    SetComboBox1();
    LireParam();
}

void TDlgDataU::ValClick()
{
    SetRGroup56();
}

void TDlgDataU::FormActivate()
{
    app_.activateDialog(kDlgDataU);
    if (butDlg_ != DataUMode::Change)
        SetRGroup56();
    SetBoutons();
    SetComboBox1();
}

void TDlgDataU::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QDialog::changeEvent(event);
}

void TDlgDataU::reject()
{
    close();
}

void TDlgDataU::closeEvent(QCloseEvent* event)
{
    writeOptions();
    app_.dialogClosed(kDlgDataU);
    // Not QDialog's, which would reject, and so close, once more.
    QWidget::closeEvent(event);
}

TDlgDataU* ShowDataU(TForm1& form, Application& app, DataUMode mode)
{
    TWFichier* sheet = CurrentSheet(app);
    if (!sheet)
        return nullptr;
    auto* dialog = qobject_cast<TDlgDataU*>(app.dialog(kDlgDataU));
    if (!dialog) {
        dialog = new TDlgDataU(form, app);
        app.setDialog(kDlgDataU, dialog);
    }
    dialog->setMode(mode);
    const Point place = PlaceBesideSheet(*dialog, form, *sheet, 0);
    dialog->move(place.x, place.y);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->FormActivate();
    return dialog;
}

void InstallDataUCommands(TForm1& form, Application& app)
{
    const std::pair<Cmd, DataUMode> commands[] = {
        {Cmd::UtilFind, DataUMode::Find},
        {Cmd::UtilChange, DataUMode::Change},
        {Cmd::UtilSelect, DataUMode::Select},
    };
    for (const auto& command : commands)
        form.setHandler(command.first, [&form, &app, mode = command.second] {
            TWFichier* sheet = CurrentSheet(app);
            if (!sheet)
                return;
            BringToFront(*sheet);
            ShowDataU(form, app, mode);
        });
}

} // namespace ploq
