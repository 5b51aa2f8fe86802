#include "app/VarGlob.h"
#include "platform/Clock.h"

#include <QGuiApplication>
#include <QScreen>

#include "cli/CliApp.h"
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iostream>

namespace {

// Pictures are drawn by Qt's painter: without a display it draws on the offscreen platform,
// so the tool runs on a server and in CI.
void chooseOffscreenWithoutDisplay()
{
    const auto unset = [](const char* name) {
        const char* value = std::getenv(name);
        return !value || !*value;
    };
    if (unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

// The settings the program would start with: the defaults for this screen overlaid with the
// preference file of the current directory, when there is one. The tool never writes it.
ploq::VarGlob startSettings()
{
    ploq::ScreenMetrics screen;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screen = {primary->logicalDotsPerInch(), primary->geometry().width()};
    ploq::VarGlob settings;
    ploq::DefaultPrefs(settings, screen);
    if (std::ifstream prefs(ploq::PrefsPath(), std::ios::binary); prefs)
        ploq::LoadPrefs(settings, prefs, screen);
    return settings;
}

// The usage line of a parser's help.
std::string usageLine(const CLI::App& app)
{
    const std::string help = app.help();
    const std::size_t from = help.find("Usage:");
    if (from == std::string::npos)
        return {};
    const std::size_t command = from + std::string_view("Usage: ").size();
    const std::string line = help.substr(command, help.find('\n', from) - command);
    return "Usage: " + std::string(app.get_parent() ? "ploq-cli " : "") + line;
}

const CLI::App& failedCommand(const CLI::App& root)
{
    const std::vector<CLI::App*> given = root.get_subcommands();
    return given.empty() ? root : *given.front();
}

// Qt's remarks about the platform (no runtime folder, no session) are not the tool's to show;
// its serious messages are.
void seriousQtMessagesOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "ploq-cli: " << message.toStdString() << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    chooseOffscreenWithoutDisplay();
    qInstallMessageHandler(seriousQtMessagesOnly);
    QGuiApplication qtApp(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    ploq::VarGlob settings = startSettings();
    ploq::SystemClock clock;
    CLI::App root("Ploq on the command line: the menu commands on data sheets, without a window.",
                  "ploq-cli");
    root.set_version_flag("--version", "ploq-cli " PLOQ_VERSION);
    root.require_subcommand(1);
    ploq::CliApp cli{root, settings, clock, std::cout};
    ploq::AddSubcommands(cli);
    try {
        root.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return root.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return root.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return root.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "ploq-cli: " << e.what() << '\n' << usageLine(failedCommand(root)) << '\n';
        return ploq::kCliUsage;
    }
    try {
        cli.chosenAction()();
    } catch (const ploq::CliFailure& e) {
        std::cout.flush();
        std::cerr << "ploq-cli: " << e.what() << '\n';
        return ploq::kCliRefused;
    }
    std::cout.flush();
    return std::cout ? ploq::kCliDone : ploq::kCliRefused;
}
