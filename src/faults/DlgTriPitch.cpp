#include "faults/DlgTriPitch.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "datasheet/TWFichier.h"
#include "platform/QtText.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ploq {

namespace {

// A range field that may be left empty: it then reads, and once edited shows, its end of the
// range (0 for a lower bound, 90 for an upper one).
class RangeField : public QSpinBox {
public:
    RangeField(int emptyValue, QWidget* parent) : QSpinBox(parent), emptyValue_(emptyValue)
    {
        setRange(0, 90);
        setSingleStep(5);
    }

    int emptyValue() const { return emptyValue_; }

protected:
    QValidator::State validate(QString& text, int& pos) const override
    {
        return text.trimmed().isEmpty() ? QValidator::Acceptable : QSpinBox::validate(text, pos);
    }
    int valueFromText(const QString& text) const override
    {
        return text.trimmed().isEmpty() ? emptyValue_ : QSpinBox::valueFromText(text);
    }

private:
    int emptyValue_;
};

std::optional<int> fieldValue(const QSpinBox* field)
{
    if (field->cleanText().trimmed().isEmpty())
        return std::nullopt;
    return field->value();
}

constexpr std::array<const char*, 3> kUsualCaptions = {"normal fault", "strike slip fault",
                                                       "reverse fault"};
constexpr std::array<UsualFault, 3> kUsualKinds = {UsualFault::Normal, UsualFault::StrikeSlip,
                                                   UsualFault::Reverse};

} // namespace

TDlgTriPitch::TDlgTriPitch(TForm1& form, Application& app)
    : QWidget(&form, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint),
      form_(form), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQString(kCaptionTriPitch));
    setProperty("helpTopic", kHelpFaultViews);

    caption_ = new QLabel(this);
    auto* ranges = new QGridLayout;
    const char* headings[] = {"Striae pitch ranging from", "Fault dip ranging from"};
    for (int row = 0; row < 2; ++row) {
        fields_[static_cast<std::size_t>(2 * row)] = new RangeField(0, this);
        fields_[static_cast<std::size_t>(2 * row + 1)] = new RangeField(90, this);
        ranges->addWidget(new QLabel(QString::fromLatin1(headings[row]), this), row, 0);
        ranges->addWidget(fields_[static_cast<std::size_t>(2 * row)], row, 1);
        ranges->addWidget(new QLabel(QStringLiteral("to"), this), row, 2);
        ranges->addWidget(fields_[static_cast<std::size_t>(2 * row + 1)], row, 3);
    }
    for (QSpinBox* field : fields_)
        field->setValue(field == fields_[0] || field == fields_[2] ? 45 : 90);

    auto* usualBox = new QGroupBox(QStringLiteral("Set usual range for :"), this);
    auto* usualLayout = new QVBoxLayout(usualBox);
    for (std::size_t i = 0; i < usual_.size(); ++i) {
        usual_[i] = new QRadioButton(QString::fromLatin1(kUsualCaptions[i]), usualBox);
        usualLayout->addWidget(usual_[i]);
        const UsualFault kind = kUsualKinds[i];
        connect(usual_[i], &QRadioButton::clicked, this, [this, kind] { UsualRangeClick(kind); });
    }

    select_ = new QPushButton(QStringLiteral("Select"), this);
    select_->setDefault(true);
    connect(select_, &QPushButton::clicked, this, &TDlgTriPitch::ButtonSelectClick);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(select_);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addLayout(ranges);
    layout->addWidget(usualBox);
    layout->addLayout(buttons);

    // The dialog opens on the ranges of normal faults.
    usual_[0]->setChecked(true);
    UsualRangeClick(UsualFault::Normal);
}

QRadioButton* TDlgTriPitch::usualButton(UsualFault kind) const
{
    return usual_[static_cast<std::size_t>(kind)];
}

void TDlgTriPitch::setSheet(TWFichier& sheet)
{
    sheet_ = &sheet;
    const int pairs = static_cast<int>(FaultPairs(SheetRecords(sheet.sheet())).size());
    caption_->setText(toQString(SelectionCaption(sheet.title(), pairs)));
}

void TDlgTriPitch::setRanges(const FaultRanges& r)
{
    fields_[0]->setValue(static_cast<int>(r.pitch.from));
    fields_[1]->setValue(static_cast<int>(r.pitch.to));
    fields_[2]->setValue(static_cast<int>(r.dip.from));
    fields_[3]->setValue(static_cast<int>(r.dip.to));
}

void TDlgTriPitch::UsualRangeClick(UsualFault kind)
{
    usualButton(kind)->setChecked(true);
    setRanges(UsualRanges(kind));
}

FaultRanges TDlgTriPitch::ranges() const
{
    return {RangeOfFields(fieldValue(fields_[0]), fieldValue(fields_[1])),
            RangeOfFields(fieldValue(fields_[2]), fieldValue(fields_[3]))};
}

void TDlgTriPitch::ButtonSelectClick()
{
    if (!sheet_)
        return;
    const std::vector<InfoVal> rows = SheetRecords(sheet_->sheet());
    // The sheet may have been edited since the dialog opened on it.
    const PairCheck check = CheckSheetPairs(rows);
    if (!check.ok) {
        Message message = *check.message;
        message.at = sheet_->messagePlace();
        app_.prompts().message(message);
        return;
    }
    const FaultSelection selection = SelectFaults(rows, ranges());
    if (selection.firstRows.empty()) {
        app_.prompts().information(std::string(kMsgNoFaultFitting));
        return;
    }
    TWFichier* made =
        NewSheet(app_, &form_, SelectedFaultsSheet(sheet_->sheet(), selection.firstRows));
    if (made)
        made->sheetChanged();
}

TDlgTriPitch* OuvrirDlgTriPitch(TForm1& form, Application& app, TWFichier& sheet)
{
    auto* dialog = qobject_cast<TDlgTriPitch*>(app.dialog(kDlgTriPitch));
    if (!dialog) {
        dialog = new TDlgTriPitch(form, app);
        app.setDialog(kDlgTriPitch, dialog);
        dialog->adjustSize();
        Placement p;
        p.kind = 2;
        p.dialogWidth = dialog->frameGeometry().width();
        const QRect s = sheet.frameGeometry();
        p.sheet = ScreenRect{s.left(), s.top(), s.width(), s.height()};
        const QRect main = form.frameGeometry();
        p.mainWindow = {main.left(), main.top(), main.width(), main.height()};
        p.mainClientTop = form.geometry().top();
        p.current = {dialog->x(), dialog->y()};
        const Point place = PlaceDialog(p);
        dialog->move(place.x, place.y);
    }
    dialog->setSheet(sheet);
    dialog->showNormal();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

} // namespace ploq
