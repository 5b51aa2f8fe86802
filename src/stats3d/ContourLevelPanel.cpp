#include "stats3d/ContourLevelPanel.h"

#include "model/UtilGlob.h"
#include "platform/Prompts.h"
#include "platform/QtSurface.h"
#include "platform/QtText.h"
#include "stats3d/Contours.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ploq {

namespace {

constexpr QSize kSwatchSize{36, 16};

} // namespace

QGroupBox* ContourChoiceBox(const char* title, QRadioButton*& first, const char* firstText,
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

void CheckOneOf(QRadioButton* on, QRadioButton* off, bool first)
{
    const QSignalBlocker a(on);
    const QSignalBlocker b(off);
    (first ? on : off)->setChecked(true);
}

void ContourLookButtons::build(QBoxLayout& layout, QObject& context, ContourDialogState& state,
                               const std::function<void()>& showState)
{
    using Choose = std::function<void(bool)>;
    const auto box = [&](const char* title, QRadioButton*& first, const char* firstText,
                         QRadioButton*& second, const char* secondText, const Choose& choose) {
        layout.addWidget(ContourChoiceBox(title, first, firstText, second, secondText));
        for (const bool secondChosen : {false, true})
            QObject::connect(secondChosen ? second : first, &QRadioButton::clicked, &context,
                             [choose, showState, secondChosen] {
                                 choose(secondChosen);
                                 showState();
                             });
    };
    box(" display ", contoursOnly, "contours only", filled, "filled ",
        [&state](bool on) { state.filled = on; });
    box(" contour lines ", asFilling, "as filling", black, "black",
        [&state](bool on) { state.blackLine = on; });
    box(" filling ", colourMode, "color", greyMode, "gray scale",
        [&state](bool on) { SetGreyScale(state, on); });
}

void ContourLookButtons::show(const ContourDialogState& state) const
{
    CheckOneOf(filled, contoursOnly, state.filled);
    CheckOneOf(black, asFilling, state.blackLine);
    CheckOneOf(greyMode, colourMode, state.greyScale);
}

QLineEdit* AddContourField(QGridLayout& layout, int row, const char* label, QObject& context,
                           const std::function<void()>& edited)
{
    auto* field = new QLineEdit;
    field->setMaximumWidth(60);
    QObject::connect(field, &QLineEdit::editingFinished, &context, [edited] { edited(); });
    layout.addWidget(new QLabel(QString::fromLatin1(label)), row, 0);
    layout.addWidget(field, row, 1);
    return field;
}

QPixmap ContourSwatch(TColor colour)
{
    QPixmap p(kSwatchSize);
    p.fill(toQColor(colour));
    return p;
}

ContourLevelPanel::ContourLevelPanel(QObject* parent, QGridLayout& layout,
                                     ContourDialogState& state, Prompts& prompts,
                                     std::function<void()> showState)
    : QObject(parent), state_(state), prompts_(prompts), showState_(std::move(showState))
{
    levelList_ = new QListWidget;
    levelList_->setFont(QFont(QStringLiteral("Monospace")));
    levelList_->setMinimumWidth(90);
    connect(levelList_, &QListWidget::currentRowChanged, this, &ContourLevelPanel::levelSelected);
    levelEdit_ = new QLineEdit;
    levelEdit_->setMaximumWidth(60);
    colourBox_ = new QToolButton;
    colourBox_->setIconSize(kSwatchSize);
    colourBox_->setToolTip(QStringLiteral("colour of the level"));
    connect(colourBox_, &QToolButton::clicked, this, &ContourLevelPanel::colourBoxClick);
    greyEdit_ = new QLineEdit;
    greyEdit_->setMaximumWidth(60);
    connect(greyEdit_, &QLineEdit::editingFinished, this, &ContourLevelPanel::greyEdited);
    greySwatch_ = new QLabel;
    add_ = new QPushButton(QStringLiteral("add"));
    delete_ = new QPushButton(QStringLiteral("delete"));
    modify_ = new QPushButton(QStringLiteral("modify"));
    for (QPushButton* b : {add_, delete_, modify_})
        b->setAutoDefault(false);
    connect(add_, &QPushButton::clicked, this, &ContourLevelPanel::addClick);
    connect(delete_, &QPushButton::clicked, this, &ContourLevelPanel::deleteClick);
    connect(modify_, &QPushButton::clicked, this, &ContourLevelPanel::modifyClick);

    layout.addWidget(levelList_, 0, 0, 6, 1);
    layout.addWidget(levelEdit_, 0, 1);
    layout.addWidget(colourBox_, 0, 2);
    layout.addWidget(greyEdit_, 1, 1);
    layout.addWidget(greySwatch_, 1, 2);
    layout.addWidget(add_, 2, 1, 1, 2);
    layout.addWidget(delete_, 3, 1, 1, 2);
    layout.addWidget(modify_, 4, 1, 1, 2);
}

void ContourLevelPanel::show()
{
    const QSignalBlocker grey(greyEdit_);
    levelEdit_->setText(toQString(state_.levelField));
    colourBox_->setIcon(ContourSwatch(state_.colour));
    greyEdit_->setText(toQString(FormatFixed(state_.greyPercent, 1)));
    greySwatch_->setPixmap(ContourSwatch(GreyOfPercent(state_.greyPercent)));
    showLevels(levelList_->currentRow());
}

void ContourLevelPanel::showLevels(int selected)
{
    const QSignalBlocker blocker(levelList_);
    levelList_->clear();
    for (const Contour& c : state_.levels.levels())
        levelList_->addItem(
            new QListWidgetItem(QIcon(ContourSwatch(c.cz)), toQString(LevelListText(c.z))));
    if (selected >= 0 && selected < levelList_->count())
        levelList_->setCurrentRow(selected);
}

void ContourLevelPanel::refuse(std::string_view message)
{
    prompts_.error(std::string(message));
}

void ContourLevelPanel::levelSelected(int row)
{
    if (row < 0 || row >= state_.levels.count())
        return;
    const Contour& c = state_.levels.at(row);
    state_.levelField = LevelFieldText(c.z);
    if (state_.greyScale)
        state_.greyPercent = PercentOfGrey(c.cz);
    else
        state_.colour = c.cz;
    showState_();
}

void ContourLevelPanel::colourBoxClick()
{
    const ColourAnswer answer = prompts_.chooseColour(state_.colour);
    if (!answer.colour)
        return;
    state_.colour = *answer.colour;
    showState_();
}

void ContourLevelPanel::greyEdited()
{
    const std::optional<double> grey = ReadGreyPercent(fromQString(greyEdit_->text()));
    if (!grey) {
        showState_();
        refuse(kMsgBadGrey);
        return;
    }
    state_.greyPercent = *grey;
    showState_();
}

std::optional<double> ContourLevelPanel::typedLevel()
{
    const std::optional<double> z = ReadLevel(fromQString(levelEdit_->text()));
    if (!z) {
        showState_();
        refuse(kMsgBadLevel);
        return std::nullopt;
    }
    return z;
}

void ContourLevelPanel::addClick()
{
    if (state_.levels.count() >= kMaxContourLevels) {
        prompts_.information(std::string(kMsgTooManyContours));
        return;
    }
    const std::optional<double> z = typedLevel();
    if (!z)
        return;
    int inserted = -1;
    if (state_.levels.add(*z, state_.currentColour(), &inserted) == LevelEdit::Duplicate) {
        showState_();
        refuse(kMsgSameLevel);
        return;
    }
    state_.levelField = LevelFieldText(*z);
    if (!state_.greyScale)
        state_.levels.storeColours(state_.tcoCont);
    showState_();
    showLevels(inserted);
}

void ContourLevelPanel::deleteClick()
{
    const int row = levelList_->currentRow();
    if (state_.levels.remove(row) != LevelEdit::Done)
        return;
    showLevels(std::min(row, state_.levels.count() - 1));
}

void ContourLevelPanel::modifyClick()
{
    const int row = levelList_->currentRow();
    if (row < 0 || row >= state_.levels.count())
        return;
    const std::optional<double> z = typedLevel();
    if (!z)
        return;
    int moved = row;
    if (state_.levels.modify(row, *z, state_.currentColour(), &moved) == LevelEdit::Duplicate) {
        showState_();
        refuse(kMsgSameLevel);
        return;
    }
    state_.levelField = LevelFieldText(*z);
    showState_();
    showLevels(moved);
}

} // namespace ploq
