#include "platform/QtPrompts.h"

#include "platform/QtSurface.h"
#include "platform/QtText.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QPointer>
#include <QScreen>
#include <QStringList>

#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace ploq {

namespace {

constexpr std::array<std::pair<Button, QMessageBox::StandardButton>, 5> kButtons = {{
    {Button::Yes, QMessageBox::Yes},
    {Button::No, QMessageBox::No},
    {Button::Ok, QMessageBox::Ok},
    {Button::Cancel, QMessageBox::Cancel},
    {Button::Abort, QMessageBox::Abort},
}};

QMessageBox::Icon iconOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Error: return QMessageBox::Critical;
    case MsgKind::Warning: return QMessageBox::Warning;
    case MsgKind::Information: return QMessageBox::Information;
    case MsgKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString titleOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Error: return QStringLiteral("Error");
    case MsgKind::Warning: return QStringLiteral("Warning");
    case MsgKind::Information: return QStringLiteral("Information");
    case MsgKind::Confirmation: return QStringLiteral("Confirm");
    }
    return {};
}

QStringList filterList(const FileQuestion& question)
{
    QStringList filters;
    for (const auto& [description, pattern] : question.filters)
        filters << toQString(description) + " (" + toQString(pattern) + ")";
    return filters;
}

QString filterText(const FileQuestion& question)
{
    return filterList(question).join(";;");
}

QString selectedFilterText(const FileQuestion& question)
{
    return filterList(question).value(question.selectedFilter);
}

QString startPath(const FileQuestion& question)
{
    QString path = QString::fromStdString(question.folder);
    if (!question.proposedName.empty())
        path = path.isEmpty() ? QString::fromStdString(question.proposedName)
                              : path + '/' + QString::fromStdString(question.proposedName);
    return path;
}

// While a box is open; when it closes, its owner has the focus back.
class Owned {
public:
    explicit Owned(QWidget* owner) : owner_(owner) {}
    ~Owned()
    {
        if (owner_ && owner_->isVisible()) {
            owner_->raise();
            owner_->activateWindow();
        }
    }
    QWidget* window() const { return owner_; }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

private:
    QPointer<QWidget> owner_;
};

// Keeps a box in the middle of its screen: a message box takes its final size only as it is
// shown, after a dialog has been placed.
class CentreOnScreen : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
            auto* box = static_cast<QWidget*>(watched);
            QRect frame = box->frameGeometry();
            frame.moveCenter(box->screen()->availableGeometry().center());
            box->move(frame.topLeft());
        }
        return false;
    }
};

} // namespace

QWidget* QtPrompts::owner() const
{
    QWidget* concerned = owner_ ? owner_() : nullptr;
    return concerned ? concerned : parent_;
}

Button QtPrompts::message(const Message& message)
{
    // Messages break their lines Windows-fashion, with a lone carriage return.
    QString text = toQString(message.text);
    text.replace("\r\n", "\n").replace('\r', '\n');
    const Owned owned(owner());
    QMessageBox box(iconOf(message.kind), titleOf(message.kind), text, QMessageBox::NoButton,
                    owned.window());
    for (const auto& [button, standard] : kButtons)
        if (message.buttons.has(button))
            box.addButton(standard);
    if (message.buttons.bits == 0)
        box.addButton(QMessageBox::Ok);
    if (message.at) {
        box.adjustSize();
        box.move(message.at->x, message.at->y);
    }
    CentreOnScreen centre;
    if (message.screenCentre)
        box.installEventFilter(&centre);
    const int pressed = box.exec();
    for (const auto& [button, standard] : kButtons)
        if (pressed == standard)
            return button;
    return Button::Cancel;
}

std::optional<std::string> QtPrompts::openFile(const FileQuestion& question)
{
    QString selected = selectedFilterText(question);
    const Owned owned(owner());
    const QString path =
        QFileDialog::getOpenFileName(owned.window(), toQString(question.title), startPath(question),
                                     filterText(question), &selected);
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtPrompts::saveFile(const FileQuestion& question)
{
    std::optional<SaveChoice> choice = saveFileAndType(question);
    if (!choice)
        return std::nullopt;
    return std::move(choice->path);
}

std::optional<SaveChoice> QtPrompts::saveFileAndType(const FileQuestion& question)
{
    QString selected = selectedFilterText(question);
    const Owned owned(owner());
    const QString path =
        QFileDialog::getSaveFileName(owned.window(), toQString(question.title), startPath(question),
                                     filterText(question), &selected);
    if (path.isEmpty())
        return std::nullopt;
    const int filter = static_cast<int>(filterList(question).indexOf(selected));
    return SaveChoice{path.toStdString(), filter < 0 ? question.selectedFilter : filter};
}

} // namespace ploq

namespace ploq {

std::optional<std::string> QtPrompts::askText(const TextQuestion& question)
{
    const Owned owned(owner());
    QInputDialog dialog(owned.window());
    dialog.setWindowTitle(toQString(question.caption));
    dialog.setLabelText(toQString(question.question));
    dialog.setTextValue(toQString(question.text));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Cancel"));
    if (question.at) {
        dialog.adjustSize();
        dialog.move(question.at->x, question.at->y);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return fromQString(dialog.textValue());
}

} // namespace ploq

namespace ploq {

std::optional<NumberAnswer> QtPrompts::askNumber(const NumberQuestion& question)
{
    QDialog dialog(parent_, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(toQString(question.caption));
    auto* spin = new QSpinBox(&dialog);
    spin->setObjectName(QStringLiteral("SpinEdit1"));
    spin->setRange(question.minimum, question.maximum);
    spin->setSingleStep(question.step);
    spin->setValue(question.value);
    auto* form = new QFormLayout(&dialog);
    form->addRow(toQString(question.label), spin);
    QCheckBox* option = nullptr;
    if (!question.option.empty()) {
        option = new QCheckBox(toQString(question.option), &dialog);
        option->setChecked(question.optionChecked);
        form->addRow(option);
    }
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    spin->selectAll();
    if (question.at) {
        dialog.adjustSize();
        dialog.move(question.at->x, question.at->y);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // A value being typed counts as typed.
    spin->interpretText();
    return NumberAnswer{spin->value(), option && option->isChecked()};
}

} // namespace ploq

namespace ploq {

ColourAnswer QtPrompts::chooseColour(TColor initial)
{
    const Owned owned(owner());
    const QColor chosen = QColorDialog::getColor(toQColor(initial), owned.window());
    if (!chosen.isValid())
        return {true, std::nullopt};
    return {true, rgb(chosen.red(), chosen.green(), chosen.blue())};
}

std::optional<FontChoice> QtPrompts::chooseFont(const FontChoice& initial)
{
    QFont preset(toQString(initial.name));
    preset.setPixelSize(std::max(1, std::abs(initial.height)));
    const Owned owned(owner());
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, preset, owned.window());
    if (!accepted)
        return std::nullopt;
    // The settings keep the height of the characters in pixels, as a negative number.
    int pixels = chosen.pixelSize();
    if (pixels <= 0) {
        const double dpi = owned.window() ? owned.window()->logicalDpiY() : 96.0;
        pixels = static_cast<int>(std::lround(chosen.pointSizeF() * dpi / 72));
    }
    return FontChoice{fromQString(chosen.family()), -std::max(1, pixels)};
}

} // namespace ploq
