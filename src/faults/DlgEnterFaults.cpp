#include "faults/DlgEnterFaults.h"

#include "app/Application.h"
#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "datasheet/TWFichier.h"
#include "platform/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace ploq {

namespace {

constexpr const char* kDefaultLetters = "FMB";
constexpr std::array<const char*, 5> kSenseCaptions = {"normal", "reverse", "dextral", "sinistral",
                                                       "unknown"};
constexpr std::array<const char*, 3> kConfidenceCaptions = {"low", "normal", "high"};

QString quotedHeading(const VarGlob& settings)
{
    return "\"" + toQString(settings.TNomC[2]) + "\"";
}

QLineEdit* codeBox(QWidget* parent, int width = 70)
{
    auto* box = new QLineEdit(parent);
    box->setMaxLength(kCodeLength);
    box->setFixedWidth(width);
    return box;
}

char memoryOfConfidence(Confidence confidence)
{
    switch (confidence) {
    case Confidence::Low: return '5';
    case Confidence::Normal: return '6';
    case Confidence::High: return '7';
    default: return '2';
    }
}

bool isKey(const QKeyEvent* key, std::initializer_list<int> keys)
{
    return std::find(keys.begin(), keys.end(), key->key()) != keys.end();
}

} // namespace

TDlgEnterFaults::TDlgEnterFaults(TForm1& form, Application& app)
    : QWidget(&form, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint),
      form_(form), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQString(kCaptionEnterFaults));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(8);
    layout->addWidget(buildShortPart());
    optionsPart_ = buildOptionsPart();
    layout->addWidget(optionsPart_);
    restoreMemory();
}

QWidget* TDlgEnterFaults::buildShortPart()
{
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);

    number_ = new QLineEdit(QStringLiteral("1"), part);
    number_->setFixedWidth(90);
    connect(number_, &QLineEdit::textChanged, this, &TDlgEnterFaults::NumberChanged);
    plus_ = new QPushButton(QStringLiteral("+1"), part);
    plus_->setAutoDefault(false);
    plus_->setFixedWidth(36);
    connect(plus_, &QPushButton::clicked, this, &TDlgEnterFaults::ButtonPlusClick);
    toggle_ = new QToolButton(part);
    toggle_->setText(QStringLiteral("\u00b1"));
    toggle_->setToolTip(tr("Count up or down"));
    connect(toggle_, &QToolButton::clicked, this, &TDlgEnterFaults::ButtonToggleClick);
    autoNumber_ = new QCheckBox(QStringLiteral("auto"), part);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(number_);
    numberRow->addWidget(plus_);
    numberRow->addWidget(toggle_);
    numberRow->addWidget(autoNumber_);
    numberRow->addStretch(1);

    fault_ = new QLineEdit(part);
    fault_->setMinimumWidth(200);
    striae_ = new QLineEdit(part);
    for (QLineEdit* box : {number_, fault_, striae_})
        box->installEventFilter(this);

    auto* senseRow = new QHBoxLayout;
    senses_ = new QButtonGroup(part);
    for (std::size_t s = 0; s < kSenseCaptions.size(); ++s) {
        auto* button = new QRadioButton(QString::fromLatin1(kSenseCaptions[s]), part);
        senses_->addButton(button, static_cast<int>(s));
        senseRow->addWidget(button);
    }
    senseButton(Sense::Normal)->setChecked(true);

    fsLabel_ = new QLabel(QStringLiteral("F-S angle :"), part);
    add_ = new QPushButton(QStringLiteral("Add to the datasheet"), part);
    add_->setDefault(true);
    QFont bold = add_->font();
    bold.setBold(true);
    add_->setFont(bold);
    connect(add_, &QPushButton::clicked, this, &TDlgEnterFaults::ButtonAddClick);
    options_ = new QToolButton(part);
    options_->setAutoRaise(true);
    options_->setText(QStringLiteral("options"));
    options_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(options_, &QToolButton::clicked, this, &TDlgEnterFaults::OptionsClick);

    // Tab goes down the short part: the number, the fault, its sense, the striae, then "Add".
    std::vector<QWidget*> chain = {number_, plus_, toggle_, autoNumber_, fault_};
    for (QAbstractButton* sense : senses_->buttons())
        chain.push_back(sense);
    chain.insert(chain.end(), {striae_, add_, options_});
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    grid->addWidget(new QLabel(QStringLiteral("number :"), part), 0, 0);
    grid->addLayout(numberRow, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("fault : "), part), 1, 0);
    grid->addWidget(fault_, 1, 1);
    grid->addLayout(senseRow, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("striae :"), part), 3, 0);
    grid->addWidget(striae_, 3, 1);
    grid->addWidget(fsLabel_, 4, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(add_, 1);
    addRow->addWidget(options_);
    grid->addLayout(addRow, 5, 0, 1, 2);
    return part;
}

QWidget* TDlgEnterFaults::buildOptionsPart()
{
    const VarGlob& settings = app_.settings();
    auto* part = new QWidget(this);
    auto* column = new QVBoxLayout(part);
    column->setContentsMargins(0, 0, 0, 0);

    auto* codes = new QGroupBox(part);
    auto* codesGrid = new QGridLayout(codes);
    confidences_ = new QButtonGroup(codes);
    auto* confidenceRow = new QHBoxLayout;
    for (std::size_t c = 0; c < kConfidenceCaptions.size(); ++c) {
        auto* button = new QRadioButton(QString::fromLatin1(kConfidenceCaptions[c]), codes);
        confidences_->addButton(button, static_cast<int>(c) + 1);
        confidenceRow->addWidget(button);
    }
    confidenceRow->addStretch(1);
    chronology_ = new QSpinBox(codes);
    chronology_->setRange(0, 4);
    addToCode_ = new QCheckBox("add to code " + quotedHeading(settings), codes);
    auto* chronologyRow = new QHBoxLayout;
    chronologyRow->addWidget(chronology_);
    chronologyRow->addWidget(addToCode_);
    chronologyRow->addStretch(1);
    codesGrid->addWidget(new QLabel(QStringLiteral("confidence on mvt :"), codes), 0, 0);
    codesGrid->addLayout(confidenceRow, 0, 1);
    codesGrid->addWidget(new QLabel(QStringLiteral("chronology"), codes), 1, 0);
    codesGrid->addLayout(chronologyRow, 1, 1);
    column->addWidget(codes);

    auto* texts = new QGroupBox(part);
    auto* textsGrid = new QGridLayout(texts);
    location_ = codeBox(texts);
    faultComment_ = codeBox(texts);
    striaeComment_ = codeBox(texts);
    autoComment_ = new QCheckBox(QStringLiteral("auto"), texts);
    connect(faultComment_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (autoComment_->isChecked())
            striaeComment_->setText(text);
    });
    textsGrid->addWidget(new QLabel(QStringLiteral("location"), texts), 0, 0);
    textsGrid->addWidget(location_, 0, 1);
    textsGrid->addWidget(new QLabel(QStringLiteral("comment  F "), texts), 1, 0);
    textsGrid->addWidget(faultComment_, 1, 1);
    textsGrid->addWidget(new QLabel(QStringLiteral("comment S "), texts), 1, 2);
    textsGrid->addWidget(striaeComment_, 1, 3);
    textsGrid->addWidget(autoComment_, 1, 4);
    column->addWidget(texts);

    auto* settingsBox = new QGroupBox(part);
    auto* settingsGrid = new QGridLayout(settingsBox);
    auto* letterRow = new QHBoxLayout;
    const auto* letter = new QRegularExpressionValidator(QRegularExpression("[A-Za-z]"), this);
    for (QLineEdit*& box : letters_) {
        box = new QLineEdit(settingsBox);
        box->setMaxLength(1);
        box->setFixedWidth(26);
        box->setAlignment(Qt::AlignCenter);
        box->setValidator(letter);
        letterRow->addWidget(box);
    }
    letterRow->addStretch(1);
    maxFS_ = new QSpinBox(settingsBox);
    maxFS_->setRange(1, 20);
    maxFS_->setSuffix(QStringLiteral("\u00b0"));
    lightCode_ =
        new QCheckBox("striae : light " + quotedHeading(settings) + " code (= L)", settingsBox);
    settingsGrid->addWidget(new QLabel(QStringLiteral("confidence code :"), settingsBox), 0, 0);
    settingsGrid->addLayout(letterRow, 0, 1);
    settingsGrid->addWidget(new QLabel(QStringLiteral("max striae-fault angle :"), settingsBox), 1,
                            0);
    settingsGrid->addWidget(maxFS_, 1, 1, Qt::AlignLeft);
    settingsGrid->addWidget(lightCode_, 2, 0, 1, 2);
    column->addWidget(settingsBox);
    return part;
}

QRadioButton* TDlgEnterFaults::senseButton(Sense sense) const
{
    return qobject_cast<QRadioButton*>(senses_->button(static_cast<int>(sense)));
}

QRadioButton* TDlgEnterFaults::confidenceButton(Confidence confidence) const
{
    return qobject_cast<QRadioButton*>(confidences_->button(static_cast<int>(confidence)));
}

void TDlgEnterFaults::restoreMemory()
{
    const VarGlob& s = app_.settings();
    const FaultForm f = RememberedFaultForm(s);
    for (std::size_t level = 0; level < letters_.size(); ++level)
        letters_[level]->setText(toQString(f.codes.letters[level]));
    if (QRadioButton* b = confidenceButton(f.codes.confidence))
        b->setChecked(true);
    maxFS_->setValue(f.maxFSDeg);
    autoNumber_->setChecked(TestBit(s.StyleFlt, kFltAutoNumber));
    autoComment_->setChecked(f.autoComment);
    addToCode_->setChecked(f.codes.addToCode);
    lightCode_->setChecked(f.lightCode);
    setTall(TestBit(s.StyleFlt, kFltTall));
}

void TDlgEnterFaults::storeMemory()
{
    VarGlob& s = app_.settings();
    const FaultForm f = form();
    std::string memory;
    for (std::size_t level = 0; level < letters_.size(); ++level)
        memory.push_back(f.codes.letters[level].empty() ? kDefaultLetters[level]
                                                        : f.codes.letters[level].front());
    memory.push_back(memoryOfConfidence(f.codes.confidence));
    memory.push_back(autoNumber_->isChecked() ? '1' : '0');
    s.OptFltCodes = memory;
    s.MaxFS = f.maxFSDeg;
    SetBit(s.StyleFlt, kFltTall, tall());
    SetBit(s.StyleFlt, kFltAutoNumber, autoNumber_->isChecked());
    SetBit(s.StyleFlt, kFltAutoComment, f.autoComment);
    SetBit(s.StyleFlt, kFltChronoCode, f.codes.addToCode);
    SetBit(s.StyleFlt, kFltStriaeL, f.lightCode);
}

FaultForm TDlgEnterFaults::form() const
{
    FaultForm f;
    f.number = fromQString(number_->text());
    f.fault = fromQString(fault_->text());
    f.striae = fromQString(striae_->text());
    f.codes.sense =
        senses_->checkedId() >= 0 ? static_cast<Sense>(senses_->checkedId()) : Sense::Unknown;
    f.codes.confidence = confidences_->checkedId() > 0
                             ? static_cast<Confidence>(confidences_->checkedId())
                             : Confidence::None;
    f.codes.chronology = chronology_->value();
    f.codes.addToCode = addToCode_->isChecked();
    for (std::size_t level = 0; level < letters_.size(); ++level)
        f.codes.letters[level] = fromQString(letters_[level]->text());
    f.lightCode = lightCode_->isChecked();
    f.autoComment = autoComment_->isChecked();
    f.location = fromQString(location_->text());
    f.faultComment = fromQString(faultComment_->text());
    f.striaeComment = fromQString(striaeComment_->text());
    f.maxFSDeg = maxFS_->value();
    return f;
}

bool TDlgEnterFaults::tall() const
{
    return !optionsPart_->isHidden();
}

void TDlgEnterFaults::setTall(bool tall)
{
    optionsPart_->setVisible(tall);
    options_->setArrowType(tall ? Qt::UpArrow : Qt::DownArrow);
}

void TDlgEnterFaults::OptionsClick()
{
    setTall(!tall());
}

void TDlgEnterFaults::FormShow()
{
    if (TWFichier* sheet = CurrentSheet(app_)) {
        sheet->showNormal();
        sheet->raise();
    } else {
        NewSheet(app_, &form_);
    }
    number_->setText(QStringLiteral("1"));
}

void TDlgEnterFaults::tell(const Message& message)
{
    app_.prompts().message(message);
}

void TDlgEnterFaults::NumberChanged(const QString& text)
{
    if (const std::optional<std::string> refusal = FaultNumberRefusal(fromQString(text))) {
        tell({MsgKind::Error, *refusal, Button::Ok, {}});
        number_->setText(QStringLiteral("1"));
    }
}

void TDlgEnterFaults::stepNumber()
{
    const int step = plus_->text() == QStringLiteral("-1") ? -1 : 1;
    number_->setText(toQString(StepFaultNumber(fromQString(number_->text()), step)));
}

void TDlgEnterFaults::ButtonPlusClick()
{
    stepNumber();
}

void TDlgEnterFaults::ButtonToggleClick()
{
    plus_->setText(plus_->text() == QStringLiteral("+1") ? QStringLiteral("-1")
                                                         : QStringLiteral("+1"));
}

void TDlgEnterFaults::ButtonAddClick()
{
    const FaultForm f = form();
    TWFichier* sheet = CurrentSheet(app_);
    const VarGlob& s = app_.settings();
    const EntryStyle style = sheet ? EntryStyle{sheet->sheet().notation(), sheet->sheet().lShowDeci}
                                   : EntryStyle{{s.FrtS, s.FrtL}, s.ShowDeci};
    const FaultPairEntry entry = PrepareFaultPair(f, style, app_.prompts());
    fault_->setText(toQString(entry.faultText));
    striae_->setText(toQString(entry.striaeText));
    if (!entry.fsLabel.empty())
        fsLabel_->setText(toQString(entry.fsLabel));
    if (!entry.ok) {
        if (entry.message)
            tell(*entry.message);
        QLineEdit* correct = f.number.empty()                       ? number_
                             : entry.faultRefused || !entry.message ? fault_
                                                                    : striae_;
        correct->setFocus();
        correct->selectAll();
        return;
    }
    if (!sheet)
        sheet = NewSheet(app_, &form_);
    if (!sheet)
        return;
    if (const std::optional<Message> full = AppendFaultPair(sheet->sheet(), entry)) {
        tell(*full);
        return;
    }
    sheet->sheetChanged();
    sheet->grid()->scrollToBottom();
    if (autoNumber_->isChecked())
        stepNumber();
    fault_->setFocus();
    fault_->selectAll();
}

bool TDlgEnterFaults::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* to = nullptr;
    if (watched == number_ && isKey(key, {Qt::Key_Down}))
        to = fault_;
    else if (watched == fault_ && isKey(key, {Qt::Key_Up}))
        to = number_;
    else if (watched == fault_ && isKey(key, {Qt::Key_Down}))
        to = striae_;
    else if (watched == striae_ && isKey(key, {Qt::Key_Up, Qt::Key_Down}))
        to = fault_;
    if (to) {
        to->setFocus();
        to->selectAll();
        return true;
    }
    if ((watched == fault_ || watched == striae_) && isKey(key, {Qt::Key_Return, Qt::Key_Enter})) {
        ButtonAddClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TDlgEnterFaults::closeEvent(QCloseEvent* event)
{
    storeMemory();
    QWidget::closeEvent(event);
}

TDlgEnterFaults* OuvrirDlgFaults(TForm1& form, Application& app)
{
    auto* dialog = qobject_cast<TDlgEnterFaults*>(app.dialog(kDlgEnterFaults));
    if (!dialog) {
        dialog = new TDlgEnterFaults(form, app);
        app.setDialog(kDlgEnterFaults, dialog);
        Placement p;
        p.kind = 0;
        const QRect main = form.frameGeometry();
        p.mainWindow = {main.left(), main.top(), main.width(), main.height()};
        p.mainClientTop = form.geometry().top() + form.menuBar()->height();
        p.toolbarShown = TestBit(app.settings().StyleGene, kGeneToolBar);
        const Point place = PlaceDialog(p);
        dialog->move(place.x, place.y);
    }
    dialog->FormShow();
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    dialog->faultBox()->setFocus();
    return dialog;
}

} // namespace ploq
