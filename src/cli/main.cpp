// quellin-cli: the power meter from a terminal or a service, without windows.

#include "cli/CliCommands.h"
#include "cli/CliConsole.h"
#include "cli/CliSignals.h"
#include "platform/Language.h"
#include "settings/ModRegistry.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The PDF report sets its texts in fonts, which only a GUI application has. It
// runs on the offscreen platform (unless the user names another), so that no
// display is needed; every other command does without.
bool setsFonts(int argc, char** argv)
{
    return std::any_of(argv + 1, argv + argc, [](const char* arg) {
        return std::strcmp(arg, "--pdf") == 0 || std::strncmp(arg, "--pdf=", 6) == 0;
    });
}

} // namespace

int main(int argc, char** argv)
{
    // Before the application exists, so that no thread it starts takes them.
    quellin::blockStopSignals();
    std::unique_ptr<QCoreApplication> app;
    if (setsFonts(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("quellin-cli"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    // Before the first text is made: every message then speaks the language.
    quellin::ConsoleMessages settingsMessages(stderr);
    const quellin::SettingsStore settings(quellin::SettingsStore::defaultIniPath(), settingsMessages);
    quellin::Language language =
        quellin::cliLanguage(args, settings.read(quellin::kLanguageSetting, QString()),
                             QLocale::system().uiLanguages());
    if (!quellin::installLanguage(*app, language))
        language = quellin::Language::Ja;
    return quellin::runCli(args, language, stdout, stderr);
}
