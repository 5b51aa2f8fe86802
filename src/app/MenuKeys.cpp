#include "app/MenuKeys.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace ploq {

namespace {

// Whether the text box has an edit of its own that Ctrl+Z would take back.
bool canUndo(QObject* box)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        return edit->isUndoAvailable();
    if (auto* edit = qobject_cast<QTextEdit*>(box))
        return !edit->isReadOnly() && edit->document()->isUndoAvailable();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box))
        return !edit->isReadOnly() && edit->document()->isUndoAvailable();
    if (auto* combo = qobject_cast<QComboBox*>(box))
        return combo->lineEdit() && combo->lineEdit()->isUndoAvailable();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(box)) {
        const auto* edit = spin->findChild<QLineEdit*>();
        return edit && edit->isUndoAvailable();
    }
    return false;
}

bool keptByTheBox(const QKeySequence& keys, QObject* box)
{
    for (const QKeySequence::StandardKey editing :
         {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::SelectAll})
        if (QKeySequence::keyBindings(editing).contains(keys))
            return true;
    return QKeySequence::keyBindings(QKeySequence::Undo).contains(keys) && canUndo(box);
}

} // namespace

bool MenuKeysFirst::eventFilter(QObject* watched, QEvent* event)
{
    // Only the widgets' own claim is overruled, not the window's that forwards it to them.
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    if (!keys_.contains(pressed) || keptByTheBox(pressed, watched))
        return false;
    // Not accepted: the shortcut runs instead of the box's binding.
    event->ignore();
    return true;
}

} // namespace ploq
