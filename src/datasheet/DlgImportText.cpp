#include "datasheet/DlgImportText.h"

#include "app/Application.h"
#include "app/HelpId.h"
#include "app/Main.h"
#include "app/PlaceDialog.h"
#include "datasheet/ImportExport.h"
#include "datasheet/SheetEntry.h"
#include "datasheet/TWFichier.h"
#include "datasheet/TWText.h"
#include "platform/QtText.h"
#include "transform/QtClickImage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ploq {

namespace {

constexpr int kExportFontPoints = 7;

QGroupBox* choiceGroup(const char* title, QRadioButton* first, QRadioButton* second)
{
    auto* group = new QGroupBox(QString::fromLatin1(title));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(first);
    layout->addWidget(second);
    return group;
}

FileQuestion importQuestion(bool raw)
{
    FileQuestion question;
    question.title = raw ? "Import Data" : "Import Ploq Text";
    question.filters = {{raw ? "Text Files" : "Files Ploq Text", "*.txt"}, {"All files", "*.*"}};
    return question;
}

} // namespace

TDlgImportText::TDlgImportText(Application& app, QWidget* mainWindow)
    : QDialog(mainWindow), app_(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Import text"));
    setProperty("helpTopic", kHelpImport);
    const VarGlob& s = app_.settings();

    ploq_ = new QRadioButton(tr("Ploq data"));
    raw_ = new QRadioButton(tr("raw data"));
    (TestBit(s.OptVal, kOptValImportRaw) ? raw_ : ploq_)->setChecked(true);
    lines_ = new QRadioButton(tr("lines"));
    planes_ = new QRadioButton(tr("planes"));
    (s.IpIsS == 1 ? planes_ : lines_)->setChecked(true);
    QGroupBox* source = choiceGroup(" Import ", ploq_, raw_);
    rawKind_ = choiceGroup(" raw data are ", lines_, planes_);
    decimals_ = new QCheckBox(tr("decimal values"));
    decimals_->setChecked(s.ShowDeci);
    auto* warning = new QLabel(tr("Check your file !"));
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);

    auto* choices = new QGridLayout;
    choices->addWidget(source, 0, 0, 2, 1);
    choices->addWidget(rawKind_, 0, 1, 2, 1);
    choices->addWidget(decimals_, 0, 2);
    choices->addWidget(warning, 1, 2);
    choices->setColumnStretch(3, 1);

    auto* expected = new QVBoxLayout;
    expected->setSpacing(2);
    for (QLabel*& label : labels_) {
        label = new QLabel;
        expected->addWidget(label);
    }

    ok_ = new QPushButton(tr("OK"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("cancel"));
    connect(ok_, &QPushButton::clicked, this, &TDlgImportText::okClick);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    for (QRadioButton* choice : {ploq_, raw_, lines_, planes_})
        connect(choice, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                refreshLabels();
        });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(choices);
    layout->addLayout(expected);
    layout->addLayout(ButtonRow(cancel_, ok_));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refreshLabels();
}

void TDlgImportText::refreshLabels()
{
    rawKind_->setEnabled(raw_->isChecked());
    const std::array<std::string, 4> texts =
        ImportLabels(app_.settings(), raw_->isChecked(), planes_->isChecked());
    for (std::size_t i = 0; i < texts.size(); ++i)
        labels_[i]->setText(toQString(texts[i]));
}

void TDlgImportText::okClick()
{
    VarGlob& s = app_.settings();
    s.ShowDeci = decimals_->isChecked();
    SetBit(s.OptVal, kOptValShowDeci, s.ShowDeci);
    const bool raw = raw_->isChecked();
    if (raw) {
        s.IpIsS = planes_->isChecked() ? 1 : 0;
    } else if (const std::optional<std::string> problem = PloqLayoutProblem(PloqLayoutOf(s))) {
        app_.prompts().error(*problem);
        return;
    }
    ImportTextFile(app_, raw);
    close();
}

void TDlgImportText::closeEvent(QCloseEvent* event)
{
    VarGlob& s = app_.settings();
    SetBit(s.OptVal, kOptValImportRaw, raw_->isChecked());
    s.IpIsS = planes_->isChecked() ? 1 : 0;
    QDialog::closeEvent(event);
}

TDlgImportText* ImportDialog(TForm1& form, Application& app)
{
    auto* dialog = qobject_cast<TDlgImportText*>(app.dialog(kDlgImportText));
    if (!dialog) {
        dialog = new TDlgImportText(app, &form);
        app.setDialog(kDlgImportText, dialog);
        Placement p;
        p.kind = 0;
        const QRect main = form.geometry();
        p.mainWindow = {main.left(), main.top(), main.width(), main.height()};
        p.mainClientTop = main.top() + form.menuBar()->height();
        p.toolbarShown = TestBit(app.settings().StyleGene, kGeneToolBar);
        const Point at = PlaceDialog(p);
        dialog->move(at.x, at.y);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

TWFichier* ImportTextFile(Application& app, bool raw)
{
    if (app.registry().count(WindowKind::Sheet) >= kMaxWindows) {
        app.prompts().warning(std::string(kMsgTooManySheets));
        return nullptr;
    }
    const std::optional<std::string> path = app.prompts().openFile(importQuestion(raw));
    if (!path)
        return nullptr;
    const VarGlob& s = app.settings();
    ImportOutcome outcome = raw ? ImportRawFile(*path, RawLayoutOf(s), NewDataSheet(s))
                                : ImportPloqFile(*path, PloqLayoutOf(s), NewDataSheet(s));
    if (!outcome.ok) {
        app.prompts().message(outcome.message);
        return nullptr;
    }
    TWFichier* window = NewSheet(app, app.mainWindow(), std::move(outcome.sheet));
    if (window && !outcome.message.text.empty()) {
        outcome.message.at = window->messagePlace();
        app.prompts().message(outcome.message);
    }
    return window;
}

TWText* ExportSheetText(Application& app, TWFichier& sheet)
{
    const ExportOutcome exported = ExportSheetLines(sheet.sheet(), sheet.title());
    if (!exported.ok) {
        Message message = exported.message;
        message.at = sheet.messagePlace();
        app.prompts().message(message);
        return nullptr;
    }
    TWText* text = NewTextWindow(app, 0);
    if (!text)
        return nullptr;
    text->setPlainMode(true);
    QFont font(QStringLiteral("Courier"), kExportFontPoints);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    text->RichEdit1()->setFont(font);
    text->setWordWrap(false);
    for (const std::string& line : exported.lines)
        text->appendLine(line);
    text->setDirty(true);

    // Placed once shown, when its frame counts in its width.
    text->show();
    PlaceTextBesideSheet(*text, sheet);
    return text;
}

void InstallImportCommands(TForm1& form, Application& app)
{
    form.setHandler(Cmd::FileImport, [&form, &app] { ImportDialog(form, app); });
    form.setHandler(Cmd::FileExport, WindowKind::Sheet, [&app] {
        if (auto* sheet = dynamic_cast<TWFichier*>(app.registry().active()))
            ExportSheetText(app, *sheet);
    });
}

} // namespace ploq
