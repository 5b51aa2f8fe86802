#include "app/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

// The pages are compiled into the library; a static library must ask for them.
static void initHelpResources() { Q_INIT_RESOURCE(help); }

namespace ploq {

namespace {

constexpr int kPageRole = Qt::UserRole;

QString pageUrl(const QString& page) { return "qrc:/help/" + page; }

QString readResource(const QString& name)
{
    QFile file(":/help/" + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString plainTextOf(const QString& page)
{
    QTextDocument document;
    document.setHtml(readResource(page));
    return document.toPlainText();
}

QListWidgetItem* addEntry(QListWidget* list, const QString& text, const QString& page)
{
    auto* item = new QListWidgetItem(text, list);
    item->setData(kPageRole, page);
    return item;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    initHelpResources();
    setWindowTitle(tr("Ploq help"));
    tabs_ = new QTabWidget;
    contents_ = new QListWidget;
    for (const HelpTopic& topic : HelpTopics())
        addEntry(contents_, QString::fromLatin1(topic.title.data(), topic.title.size()),
                 QString::fromLatin1(topic.page.data(), topic.page.size()));

    auto* indexPage = new QWidget;
    indexFilter_ = new QLineEdit;
    indexFilter_->setPlaceholderText(tr("Type a keyword"));
    index_ = new QListWidget;
    for (const QString& line : readResource("keywords.txt").split('\n')) {
        const QStringList parts = line.split('|');
        if (parts.size() == 2 && !line.startsWith('#'))
            addEntry(index_, parts[0].trimmed(), parts[1].trimmed());
    }
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(2, 2, 2, 2);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(index_);
    connect(indexFilter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (int i = 0; i < index_->count(); ++i)
            index_->item(i)->setHidden(!index_->item(i)->text().startsWith(text, Qt::CaseInsensitive));
    });

    auto* searchPage = new QWidget;
    searchBox_ = new QLineEdit;
    searchBox_->setPlaceholderText(tr("Words to search for"));
    auto* searchButton = new QPushButton(tr("List topics"));
    results_ = new QListWidget;
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchBox_);
    searchRow->addWidget(searchButton);
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->setContentsMargins(2, 2, 2, 2);
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(results_);
    connect(searchBox_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
    connect(searchButton, &QPushButton::clicked, this, &HelpWindow::runSearch);

    tabs_->addTab(contents_, tr("Contents"));
    tabs_->addTab(indexPage, tr("Index"));
    tabs_->addTab(searchPage, tr("Search"));

    browser_ = new QTextBrowser;
    browser_->setSearchPaths({":/help"});
    for (QListWidget* list : {contents_, index_, results_})
        connect(list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
            if (item && item->data(kPageRole).isValid())
                openPage(item->data(kPageRole).toString());
        });

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 680});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    openPage("contents.html");
}

void HelpWindow::showView(HelpView view)
{
    tabs_->setCurrentIndex(static_cast<int>(view));
    if (view == HelpView::Contents)
        openPage("contents.html");
    else if (view == HelpView::Index)
        indexFilter_->setFocus();
    else
        searchBox_->setFocus();
}

void HelpWindow::showTopic(int id)
{
    const HelpTopic& topic = HelpTopicOf(id);
    openPage(QString::fromLatin1(topic.page.data(), topic.page.size()));
}

void HelpWindow::openPage(const QString& page) { browser_->setSource(QUrl(pageUrl(page))); }

QList<QPair<QString, QString>> HelpWindow::search(const QString& query) const
{
    const QStringList words = query.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QList<QPair<QString, QString>> found;
    if (words.isEmpty())
        return found;
    for (const HelpTopic& topic : HelpTopics()) {
        const QString page = QString::fromLatin1(topic.page.data(), topic.page.size());
        const QString text = plainTextOf(page);
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString& w) {
            return text.contains(w, Qt::CaseInsensitive);
        });
        if (all)
            found.append({page, QString::fromLatin1(topic.title.data(), topic.title.size())});
    }
    return found;
}

void HelpWindow::runSearch()
{
    results_->clear();
    for (const auto& [page, title] : search(searchBox_->text()))
        addEntry(results_, title, page);
    if (results_->count() == 0)
        results_->addItem(tr("No topic found"));
}

} // namespace ploq
