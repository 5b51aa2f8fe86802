#include "transform/DlgUseDataSheet.h"

#include "app/Application.h"
#include "datasheet/TWFichier.h"
#include "platform/QtText.h"
#include "transform/QtClickImage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace ploq {

namespace {

constexpr const char* kFieldCaptions[] = {"nature", "number", "location", "comment"};

std::size_t indexOf(Field field)
{
    const auto* at = std::find(std::begin(kKeyFields), std::end(kKeyFields), field);
    return at == std::end(kKeyFields) ? 0 : static_cast<std::size_t>(at - std::begin(kKeyFields));
}

} // namespace

TDlgUseDataSheet::TDlgUseDataSheet(Application& app, TWFichier* sheet, Field field, QWidget* parent)
    : QDialog(parent), app_(app)
{
    setWindowTitle(QStringLiteral("Data Sheet"));
    sheets_ = new QComboBox;
    for (TWFichier* open : OpenSheets(app_)) {
        listed_.emplace_back(open);
        sheets_->addItem(toQString(open->title()));
    }
    const auto at = std::find(listed_.begin(), listed_.end(), sheet);
    sheets_->setCurrentIndex(at == listed_.end() ? 0 : static_cast<int>(at - listed_.begin()));

    line1_ = new QSpinBox;
    line2_ = new QSpinBox;
    auto* lines = new QHBoxLayout;
    lines->addWidget(new QLabel(tr("lines from")));
    lines->addWidget(line1_);
    lines->addWidget(new QLabel(tr("to")));
    lines->addWidget(line2_);
    lines->addStretch(1);

    auto* codes = new QGroupBox(QStringLiteral("On code"));
    auto* codeRow = new QHBoxLayout(codes);
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QRadioButton(QString::fromLatin1(kFieldCaptions[i]));
        group->addButton(fields_[i]);
        codeRow->addWidget(fields_[i]);
        connect(fields_[i], &QRadioButton::clicked, this, &TDlgUseDataSheet::fillKeys);
    }
    fields_[indexOf(field)]->setChecked(true);

    key_ = new QComboBox;
    key_->setEditable(true);
    key_->setInsertPolicy(QComboBox::NoInsert);
    key_->lineEdit()->setMaxLength(kCodeLength);
    exact_ = new QCheckBox(QStringLiteral("exact equivalence"));
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(new QLabel(tr("key")));
    keyRow->addWidget(key_, 1);
    keyRow->addWidget(exact_);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* sheetRow = new QHBoxLayout;
    sheetRow->addWidget(new QLabel(tr("data sheet")));
    sheetRow->addWidget(sheets_, 1);
    layout->addLayout(sheetRow);
    layout->addLayout(lines);
    layout->addWidget(codes);
    layout->addLayout(keyRow);
    layout->addLayout(ButtonRow(ok, cancel));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(sheets_, &QComboBox::activated, this, [this] {
        showSheet();
        fillKeys();
    });
    showSheet();
    fillKeys();
}

QRadioButton* TDlgUseDataSheet::fieldButton(Field field) const
{
    return fields_[indexOf(field)];
}

TWFichier* TDlgUseDataSheet::chosenSheet() const
{
    const int i = sheets_->currentIndex();
    return i < 0 || i >= static_cast<int>(listed_.size())
               ? nullptr
               : listed_[static_cast<std::size_t>(i)].data();
}

Field TDlgUseDataSheet::chosenField() const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i]->isChecked())
            return kKeyFields[i];
    return Field::Nature;
}

void TDlgUseDataSheet::showSheet()
{
    const TWFichier* sheet = chosenSheet();
    const int rows = sheet ? sheet->sheet().rowCount() : 1;
    for (QSpinBox* line : {line1_, line2_})
        line->setRange(1, rows);
    line1_->setValue(1);
    line2_->setValue(rows);
}

void TDlgUseDataSheet::fillKeys()
{
    key_->clear();
    if (const TWFichier* sheet = chosenSheet())
        for (const std::string& code : KeyChoices(sheet->sheet(), chosenField()))
            key_->addItem(toQString(code));
    else
        key_->addItem(toQString(kKeyAll));
    key_->setCurrentIndex(0);
}

DataSheetChoice TDlgUseDataSheet::choice() const
{
    return {chosenSheet(), chosenField(),
            UseDataSheetKey(fromQString(key_->currentText()), exact_->isChecked()), line1_->value(),
            line2_->value()};
}

DataSheetChooserRun& RunDataSheetChooser()
{
    static DataSheetChooserRun run = [](TDlgUseDataSheet& dialog) { return dialog.exec(); };
    return run;
}

std::optional<DataSheetChoice> ChoixDataSheet(Application& app, TWFichier* sheet, Field field,
                                              QWidget* over)
{
    if (OpenSheets(app).empty())
        return std::nullopt;
    TDlgUseDataSheet dialog(app, sheet, field, over ? over : app.mainWindow());
    app.setDialog(kDlgUseDataSheet, &dialog);
    dialog.adjustSize();
    if (over) {
        const QRect r = over->frameGeometry();
        dialog.move(r.left() + (r.width() - dialog.frameGeometry().width()) / 2, r.top() + 25);
    }
    if (RunDataSheetChooser()(dialog) != QDialog::Accepted)
        return std::nullopt;
    DataSheetChoice chosen = dialog.choice();
    if (!chosen.sheet)
        return std::nullopt;
    return chosen;
}

} // namespace ploq
