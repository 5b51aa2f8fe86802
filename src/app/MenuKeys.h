#pragma once

// The menu's shortcuts come before the key bindings of a focused text box: a line edit takes
// Ctrl+E as the end of its line and a cell editor takes Ctrl+Z with nothing to undo, which
// would leave "Enter (data sheet)" or the sheet's undo out of reach. A text box keeps only
// its editing keys, and Ctrl+Z while it has an edit of its own to undo.

#include <QKeySequence>
#include <QList>
#include <QObject>

namespace ploq {

class MenuKeysFirst : public QObject {
public:
    explicit MenuKeysFirst(QObject* parent = nullptr) : QObject(parent) {}

    void add(const QKeySequence& keys) { keys_.append(keys); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> keys_;
};

} // namespace ploq
