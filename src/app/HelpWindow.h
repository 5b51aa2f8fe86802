#pragma once

// The help viewer: the bundled pages with their contents, a keyword index and a full-text
// search.

#include "app/HelpId.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace ploq {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showView(HelpView view);
    void showTopic(int id);
    // Pages whose text holds every word of the query, as (page, title) pairs.
    QList<QPair<QString, QString>> search(const QString& query) const;

    QTextBrowser* browser() const { return browser_; }
    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* searchBox() const { return searchBox_; }
    QListWidget* searchResults() const { return results_; }

private:
    void openPage(const QString& page);
    void runSearch();

    QTabWidget* tabs_ = nullptr;
    QListWidget* contents_ = nullptr;
    QListWidget* index_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QListWidget* results_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

} // namespace ploq
