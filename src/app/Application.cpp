#include "app/Application.h"

#include "platform/Clock.h"
#include "platform/Prompts.h"

#include <QApplication>

namespace ploq {

bool IsNormalWindow(const QWidget& window)
{
    return window.isVisible()
           && !(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}

Application::Application(Prompts& prompts, Clock& clock, ImageFactory& images,
                         std::filesystem::path prefsPath)
    : prompts_(prompts), clock_(clock), images_(images), prefsPath_(std::move(prefsPath))
{
}

void Application::loadSettings(const ScreenMetrics& screen)
{
    for (const Message& message : LoadPrefsFile(settings_, prefsPath_, screen, clock_.now()))
        prompts_.message(message);
}

bool Application::saveSettings()
{
    if (const std::optional<Message> failure = SavePrefsFile(settings_, prefsPath_, clock_.now())) {
        prompts_.message(*failure);
        return false;
    }
    return true;
}

bool Application::addWindow(DataWindow& window)
{
    if (!registry_.add(window))
        return false;
    emit menusChanged();
    return true;
}

void Application::removeWindow(DataWindow& window)
{
    registry_.remove(window);
    emit menusChanged();
}

void Application::activateWindow(DataWindow& window)
{
    registry_.activate(window);
    emit menusChanged();
}

void Application::activateMain()
{
    registry_.activateMain();
    emit menusChanged();
}

QWidget* Application::concernedWindow() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* active = QApplication::activeWindow();
    if (active && active != mainWindow_)
        return active;
    if (auto* current = dynamic_cast<QWidget*>(registry_.active()); current && current->isVisible())
        return current;
    return mainWindow_;
}

QWidget* Application::dialog(int tag) const
{
    const auto it = dialogs_.find(tag);
    return it == dialogs_.end() ? nullptr : it->second.data();
}

void Application::setDialog(int tag, QWidget* dialog) { dialogs_[tag] = dialog; }

void Application::activateDialog(int tag)
{
    registry_.ActiveTag = tag;
    emit menusChanged();
}

void Application::dialogClosed(int tag)
{
    if (registry_.ActiveTag == tag)
        activateMain();
}

void Application::closeDialogs(int aboveTag)
{
    for (auto& [tag, dialog] : dialogs_)
        if (tag > aboveTag && dialog)
            dialog->close();
}

AppSnapshot Application::snapshot() const
{
    AppSnapshot s;
    registry_.fill(s);
    s.planesAsTraces = TestBit(settings_.StylePlot, kPlotTraces);
    s.toolbarShown = TestBit(settings_.StyleGene, kGeneToolBar);
    for (std::size_t i = 0; i < s.codeHeadings.size(); ++i)
        s.codeHeadings[i] = settings_.TNomC[i + 2];
    return s;
}

} // namespace ploq
