#include "app/Main.h"

#include "app/Application.h"
#include "app/DlgOptions.h"
#include "app/HelpWindow.h"
#include "app/MenuKeys.h"
#include "app/ScreenPlace.h"
#include "app/ToolIcons.h"
#include "canvas/QtSymbolImages.h"
#include "canvas/TWPlot.h"
#include "canvas/TWPlotCommands.h"
#include "canvas/TWPlotOutput.h"
#include "datasheet/DlgDataU.h"
#include "datasheet/DlgImportText.h"
#include "datasheet/SheetUtilities.h"
#include "datasheet/TWFichierCommands.h"
#include "datasheet/TWText.h"
#include "stats2d/DlgMedian2D.h"
#include "stats2d/DlgStats2D.h"
#include "faults/DihedraCommands.h"
#include "faults/FaultCommands.h"
#include "faults/FaultDisplayCommands.h"
#include "faults/FaultExportCommands.h"
#include "model/DlgValLine.h"
#include "platform/QtText.h"
#include "stats3d/DlgDisplayAdd.h"
#include "stats3d/CircleCommands.h"
#include "stats3d/ContourCommands.h"
#include "stats3d/DlgContDD.h"
#include "stats3d/BootstrapCommands.h"
#include "stats3d/CountingCommands.h"
#include "stats3d/Stats3DCommands.h"
#include "stats3d/TrackdipCommands.h"
#include "transform/DlgChangeSy.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ploq {

namespace {

constexpr const char* kVersion = "4.0.0";

// Menu captions show "&" as a mnemonic mark; a title holding one must show it as it is.
QString escapeMnemonic(const std::string& caption)
{
    return toQString(caption).replace('&', "&&");
}

bool isMenuBarItem(Cmd cmd)
{
    const auto& tree = MenuTree();
    return std::any_of(tree.begin(), tree.end(), [cmd](const MenuNode& n) { return n.cmd == cmd; });
}

QWidget* widgetOf(DataWindow* window) { return dynamic_cast<QWidget*>(window); }

// Undo, Cut, Copy or Paste in a text box.
template <class Box> void runEditOn(Box& box, Cmd edit)
{
    switch (edit) {
    case Cmd::EditUndo: box.undo(); break;
    case Cmd::EditCut: box.cut(); break;
    case Cmd::EditCopy: box.copy(); break;
    default: box.paste(); break;
    }
}

} // namespace

TForm1::TForm1(Application& app, const ScreenMetrics& screen) : app_(app)
{
    setWindowTitle(QStringLiteral("Ploq 4"));
    app_.setMainWindow(this);
    app_.loadSettings(screen);
    const VarGlob& s = app_.settings();
    // The frame goes back where it was (the size is the window's own, inside its frame).
    resize(s.MainW, s.MainH);
    MoveOnScreen(*this, {s.MainL, s.MainT});

    richEdit1_ = new QTextEdit(this);
    richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
    richEdit1_->installEventFilter(this);
    richEdit1_->viewport()->installEventFilter(this);
    setCentralWidget(richEdit1_);

    menuKeys_ = new MenuKeysFirst(this);
    buildMenus();
    qApp->installEventFilter(menuKeys_);
    buildToolBar();
    buildSymbolMenus();
    installOwnCommands();
    InstallCanvasCommands(*this, app_);
    InstallPlotCommands(*this, app_);
    InstallCanvasOutputCommands(*this, app_);
    InstallSheetCommands(*this, app_);
    InstallImportCommands(*this, app_);
    InstallDataUCommands(*this, app_);
    InstallSheetUtilityCommands(*this, app_);
    InstallTextCommands(*this, app_);
    InstallSymbolCommands(*this, app_);
    InstallStats2DCommands(*this, app_);
    InstallCircularCommands(*this, app_);
    InstallStats3DCommands(*this, app_);
    InstallCircleCommands(*this, app_);
    InstallDisplayAddCommands(*this, app_);
    InstallCountingCommands(*this, app_);
    InstallTrackdipCommands(*this, app_);
    InstallContourCommands(*this, app_);
    InstallDihedraContourCommands(*this, app_);
    InstallBootstrapCommands(*this, app_);
    InstallFaultCommands(*this, app_);
    InstallFaultDisplayCommands(*this, app_);
    InstallFaultExportCommands(*this, app_);
    InstallDihedraCommands(*this, app_);
    InstallValLineCommands(*this, app_);
    InstallOptionsCommands(*this, app_);
    SetMenuFRecents();
    AjusterMemo1();
    connect(&app_, &Application::menusChanged, this, &TForm1::RefreshMenus);
    RefreshMenus();
}

// Windows closing with the main window must not refresh menus that are being destroyed.
TForm1::~TForm1() { disconnect(&app_, nullptr, this, nullptr); }

QMenu* TForm1::menu(Cmd cmd) const { return menus_[static_cast<std::size_t>(cmd)]; }

void TForm1::buildMenus()
{
    for (const MenuNode& top : MenuTree()) {
        if (!top.submenu) {
            QAction* a = menuBar()->addAction(toQString(top.caption));
            actions_[static_cast<std::size_t>(top.cmd)] = a;
            connect(a, &QAction::triggered, this, [this, cmd = top.cmd] { run(cmd); });
            continue;
        }
        QMenu* m = menuBar()->addMenu(toQString(top.caption));
        menus_[static_cast<std::size_t>(top.cmd)] = m;
        actions_[static_cast<std::size_t>(top.cmd)] = m->menuAction();
        addItems(m, top.items);
    }
}

void TForm1::addItems(QMenu* menu, const std::vector<MenuNode>& items)
{
    for (const MenuNode& node : items) {
        if (node.cmd == Cmd::Separator) {
            menu->addSeparator();
            continue;
        }
        const auto i = static_cast<std::size_t>(node.cmd);
        if (node.submenu) {
            QMenu* sub = menu->addMenu(escapeMnemonic(node.caption));
            menus_[i] = sub;
            actions_[i] = sub->menuAction();
            addItems(sub, node.items);
            continue;
        }
        QAction* a = menu->addAction(escapeMnemonic(node.caption));
        // Menu shortcuts work from every window of Ploq, text boxes included.
        if (!node.shortcut.empty()) {
            a->setShortcut(QKeySequence(QString::fromStdString(node.shortcut)));
            a->setShortcutContext(Qt::ApplicationShortcut);
            menuKeys_->add(a->shortcut());
        }
        connect(a, &QAction::triggered, this, [this, cmd = node.cmd] { run(cmd); });
        actions_[i] = a;
    }
}

void TForm1::buildToolBar()
{
    toolBar_ = addToolBar(tr("Tools"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(22, 22));
    QAction* clear = new QAction(this);
    clear->setText(tr("Clear the information panel"));
    connect(clear, &QAction::triggered, this, [this] { run(Cmd::ClearInfo); });
    actions_[static_cast<std::size_t>(Cmd::ClearInfo)] = clear;

    for (Cmd cmd : ToolBarCommands()) {
        QAction* a = action(cmd);
        a->setIcon(ToolIcon(cmd));
        if (cmd == Cmd::FileReopen) {
            reopenButton_ = new QToolButton(toolBar_);
            reopenButton_->setDefaultAction(a);
            reopenButton_->setPopupMode(QToolButton::InstantPopup);
            toolBar_->addWidget(reopenButton_);
            continue;
        }
        toolBar_->addAction(a);
    }
}

void TForm1::buildSymbolMenus()
{
    // Each item shows its symbol's shape beside its number.
    const auto shape = [this](int sy) {
        return QIcon(QPixmap::fromImage(ApercuSymboleImage(app_.settings().Tco, sy, 0, {16, 16})));
    };
    symbolMenu_ = new QMenu(this);
    auto* symbols = new QActionGroup(symbolMenu_);
    for (int i = 1; i <= 16; ++i) {
        QAction* a = symbolMenu_->addAction(shape(i), QString("%1").arg(i, 2, 10, QChar('0')));
        a->setCheckable(true);
        a->setChecked(i == app_.settings().Sy);
        symbols->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { app_.settings().Sy = i; });
    }
    addSymbolMenu_ = new QMenu(this);
    for (int i = 1; i <= 11; ++i) {
        QAction* a =
            addSymbolMenu_->addAction(shape(100 + i), QString("%1").arg(i, 2, 10, QChar('0')));
        connect(a, &QAction::triggered, this, [this, i] { app_.settings().SyAddCur = 100 + i; });
    }
}

void TForm1::installOwnCommands()
{
    setHandler(Cmd::FileQuit, [this] { close(); });
    setHandler(Cmd::About, [this] { toggleAbout(); });
    setHandler(Cmd::HelpSummary, [this] { showHelp(static_cast<int>(HelpView::Contents)); });
    setHandler(Cmd::HelpIndex, [this] { showHelp(static_cast<int>(HelpView::Index)); });
    setHandler(Cmd::HelpSearch, [this] { showHelp(static_cast<int>(HelpView::Search)); });
    setHandler(Cmd::ClearInfo, [this] { richEdit1_->clear(); });
    // Context help: the topic the active window names in its "helpTopic" property.
    auto* contextHelp = new QAction(this);
    contextHelp->setShortcut(QKeySequence::HelpContents);
    contextHelp->setShortcutContext(Qt::ApplicationShortcut);
    addAction(contextHelp);
    connect(contextHelp, &QAction::triggered, this, [this] {
        const QWidget* active = QApplication::activeWindow();
        showHelp(static_cast<int>(HelpView::Contents));
        if (active && active->property("helpTopic").isValid())
            help_->showTopic(active->property("helpTopic").toInt());
    });
    setHandler(Cmd::OptionsToolbar, [this] {
        std::int32_t& gene = app_.settings().StyleGene;
        SetBit(gene, kGeneToolBar, !TestBit(gene, kGeneToolBar));
        AjusterMemo1();
    });
    // Kept for their place in the menu: the options are always saved on quitting.
    setHandler(Cmd::OptionsSave, [] {});
    setHandler(Cmd::OptionsSaveOnQuit, [] {});
    setHandler(Cmd::WindowsArrange, [this] { arrange(); });
    setHandler(Cmd::WindowsCloseSheets, [this] {
        closeAll(static_cast<int>(WindowKind::Sheet));
        for (int tag : {kDlgEnterFile, kDlgDataU})
            if (QWidget* d = app_.dialog(tag))
                d->close();
    });
    setHandler(Cmd::WindowsClosePlots, [this] {
        closeAll(static_cast<int>(WindowKind::Canvas));
        if (QWidget* d = app_.dialog(kDlgRotate))
            d->close();
    });
    setHandler(Cmd::WindowsCloseTexts, [this] { closeAll(static_cast<int>(WindowKind::Text)); });
    for (Cmd edit : {Cmd::EditUndo, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste})
        setHandler(edit, [this, edit] {
            if (editInDialog(edit))
                return;
            if (DataWindow* w = app_.registry().active()) {
                w->runEdit(edit);
                return;
            }
            runEditOn(*richEdit1_, edit);
        });
}

bool TForm1::editInDialog(Cmd edit)
{
    const QWidget* dialog = app_.dialog(app_.registry().ActiveTag);
    QWidget* focused = dialog ? dialog->focusWidget() : nullptr;
    if (auto* box = qobject_cast<QLineEdit*>(focused)) {
        runEditOn(*box, edit);
        return true;
    }
    if (auto* text = qobject_cast<QTextEdit*>(focused)) {
        runEditOn(*text, edit);
        return true;
    }
    return false;
}

void TForm1::setHandler(Cmd cmd, std::function<void()> handler)
{
    handlers_[static_cast<std::size_t>(cmd)] = std::move(handler);
}

void TForm1::setHandler(Cmd cmd, WindowKind kind, std::function<void()> handler)
{
    kindHandlers_[static_cast<std::size_t>(kind)][static_cast<std::size_t>(cmd)] = std::move(handler);
}

const std::function<void()>& TForm1::currentHandler(Cmd cmd) const
{
    const auto c = static_cast<std::size_t>(cmd);
    if (const DataWindow* w = app_.registry().active())
        if (const auto& own = kindHandlers_[static_cast<std::size_t>(w->kind())][c])
            return own;
    return handlers_[c];
}

void TForm1::setReopenHandler(std::function<void(int)> handler)
{
    reopen_ = std::move(handler);
    SetMenuFRecents();
}

void TForm1::run(Cmd cmd)
{
    if (const auto handler = currentHandler(cmd))
        handler();
    RefreshMenus();
}

void TForm1::RefreshMenus()
{
    const MenuState state = ComputeMenuState(app_.snapshot());
    for (int c = 0; c < kCmdCount; ++c) {
        const Cmd cmd = static_cast<Cmd>(c);
        QAction* a = action(cmd);
        if (!a || isMenuBarItem(cmd))
            continue;
        const bool submenu = menu(cmd) != nullptr;
        a->setText(escapeMnemonic(state[cmd].caption));
        a->setEnabled(state[cmd].enabled && (submenu || hasHandler(cmd)));
    }
    if (QMenu* reopen = menu(Cmd::FileReopen))
        action(Cmd::FileReopen)->setEnabled(!reopen->isEmpty() && reopen->actions().first()->isEnabled());
    rebuildWindowList();
}

void TForm1::rebuildWindowList()
{
    QMenu* windows = menu(Cmd::WindowsMenu);
    for (QAction* a : windowItems_) {
        windows->removeAction(a);
        a->deleteLater();
    }
    windowItems_.clear();
    const WindowRegistry& registry = app_.registry();
    for (WindowKind kind : {WindowKind::Sheet, WindowKind::Canvas, WindowKind::Text}) {
        std::vector<DataWindow*> listed;
        for (DataWindow* w : registry.windows(kind))
            if (w->isListed())
                listed.push_back(w);
        std::sort(listed.begin(), listed.end(),
                  [](DataWindow* a, DataWindow* b) { return a->title() < b->title(); });
        windowItems_.append(windows->addSeparator());
        for (DataWindow* w : listed) {
            QAction* a = windows->addAction(escapeMnemonic(w->title()));
            a->setCheckable(true);
            a->setChecked(registry.current(kind) == w);
            connect(a, &QAction::triggered, this, [w] {
                if (QWidget* widget = widgetOf(w)) {
                    widget->showNormal();
                    widget->raise();
                    widget->activateWindow();
                }
            });
            windowItems_.append(a);
        }
    }
}

void TForm1::SetMenuFRecents()
{
    QMenu* reopen = menu(Cmd::FileReopen);
    const auto& recents = app_.settings().FRecents;
    const bool any = std::any_of(recents.begin(), recents.end(),
                                 [](const std::string& p) { return !p.empty(); });
    if (!any) {
        if (reopen->isEmpty())
            reopen->addAction(QString())->setEnabled(false);
        return;
    }
    reopen->clear();
    int position = 0;
    for (const std::string& path : recents) {
        if (path.empty())
            continue;
        QAction* a = reopen->addAction(QString::fromStdString(path).replace('&', "&&"));
        a->setEnabled(bool(reopen_));
        connect(a, &QAction::triggered, this, [this, position] {
            if (reopen_)
                reopen_(position);
            RefreshMenus();
        });
        ++position;
    }
}

void TForm1::AjusterMemo1()
{
    const bool shown = TestBit(app_.settings().StyleGene, kGeneToolBar);
    setMaximumHeight(400);
    toolBar_->setVisible(shown);
    setMinimumHeight(menuBar()->sizeHint().height() + (shown ? toolBar_->sizeHint().height() : 0));
}

void TForm1::appendInfo(const std::string& line, bool bold)
{
    AppendInfoLine(*richEdit1_, line, bold);
}

void TForm1::toggleAbout()
{
    if (!aboutBox_) {
        aboutBox_ = new QFrame(this, Qt::Tool);
        aboutBox_->setWindowTitle(tr("About Ploq"));
        auto* layout = new QVBoxLayout(aboutBox_);
        auto* name = new QLabel(QStringLiteral("<b style='font-size:16pt'>Ploq 4</b>"));
        auto* version = new QLabel(QStringLiteral("version : %1 (%2)")
                                       .arg(kVersion, QString::fromLatin1(PLOQ_BUILD_DATE)));
        auto* what = new QLabel(tr("Orientation data on Schmidt and Wulff nets,\n"
                                   "spherical and circular statistics, faults and striae."));
        auto* capacity = new QLabel(
            QStringLiteral("(max number of data in a datasheet or a canvas : %1)").arg(kMaxValues));
        for (QLabel* label : {name, version, what, capacity})
            layout->addWidget(label);
    }
    if (aboutBox_->isVisible()) {
        aboutBox_->hide();
        return;
    }
    const QPoint toolBarBottom = mapToGlobal(QPoint(0, toolBar_->isVisible() ? toolBar_->geometry().bottom() : menuBar()->geometry().bottom()));
    aboutBox_->adjustSize();
    aboutBox_->move(frameGeometry().left() + 40, toolBarBottom.y() + 5);
    aboutBox_->show();
}

void TForm1::showHelp(int view)
{
    const auto helpView = static_cast<HelpView>(view);
    if (!help_) {
        const bool owned = TestBit(app_.settings().StyleGene, kGeneHelpOnTop);
        help_ = new HelpWindow(owned ? this : nullptr);
        help_->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect main = frameGeometry();
    const ScreenRect r = HelpGeometry(helpView, {main.left(), main.top(), main.width(), main.height()},
                                      screen.width(), screen.height());
    help_->setGeometry(r.left, r.top, r.width, r.height);
    help_->showView(helpView);
    help_->show();
    help_->raise();
}

// Arrange shrinks the window to its menus and three lines of its panel, never less: the
// reports stay in sight, and the size kept at quitting is one the window can be used at.
int TForm1::arrangedHeight() const
{
    const int lines = 3 * QFontMetrics(richEdit1_->font()).lineSpacing();
    const int margins = 2 * richEdit1_->frameWidth()
                        + 2 * static_cast<int>(richEdit1_->document()->documentMargin());
    return minimumHeight() + lines + margins;
}

void TForm1::arrange()
{
    app_.closeDialogs();
    resize(width(), std::min(height(), arrangedHeight()));
    const QRect main = frameGeometry();
    const auto stack = [&](WindowKind kind, bool fromRight) {
        int k = 0;
        for (DataWindow* w : app_.registry().windows(kind)) {
            QWidget* widget = widgetOf(w);
            if (!widget || !w->isNormal())
                continue;
            const int top = main.bottom() + 30 + 15 * k;
            const int left = fromRight ? main.right() - widget->frameGeometry().width() - 20 * k
                                       : main.left() + 20 * k;
            MoveOnScreen(*widget, {left, top});
            widget->raise();
            ++k;
        }
    };
    stack(WindowKind::Sheet, false);
    stack(WindowKind::Canvas, true);
}

void TForm1::closeAll(int kind)
{
    for (DataWindow* w : app_.registry().windows(static_cast<WindowKind>(kind)))
        if (QWidget* widget = widgetOf(w))
            widget->close();
}

bool TForm1::closeChain()
{
    // Sheets and text windows, each with its own question. A window whose changes could not
    // be kept (Cancel, or a save that failed) stops the chain: quitting never loses data.
    for (WindowKind kind : {WindowKind::Sheet, WindowKind::Text})
        for (DataWindow* w : app_.registry().windows(kind)) {
            if (!w->queryClose())
                return false;
            w->closeWithoutAsking();
        }
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    VarGlob& s = app_.settings();
    s.MainL = frameGeometry().left();
    s.MainT = frameGeometry().top();
    s.MainW = width();
    s.MainH = height();
    const bool allowed = closeChain();
    app_.saveSettings();
    if (!allowed) {
        event->ignore();
        RefreshMenus();
        return;
    }
    if (help_)
        help_->close();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Clicking the panel (or tabbing into it) makes the main window the current object; the
    // focus it takes back when the main window is activated, or when a menu closes, does not:
    // the sheet the user worked in stays current for the menus.
    if (watched == richEdit1_ && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason
            || reason == Qt::BacktabFocusReason)
            app_.activateMain();
    }
    // A click in a panel that already has the focus gives no focus event.
    if (watched == richEdit1_->viewport() && event->type() == QEvent::MouseButtonPress)
        app_.activateMain();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace ploq
