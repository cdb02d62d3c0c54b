// qarvel: the game.
//
//   qarvel [/p PLAYER] [GAME] [/o SAVED-GAME]
#include <QApplication>
#include <cstdio>
#include <exception>

#include "engine/product.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/window_dialogs.h"
#include "toolkit/qt_messages.h"
#include "toolkit/qt_settings_store.h"
#include "toolkit/qt_user_account.h"
#include "toolkit/steady_clock.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(kProductVersion));

    std::vector<std::string> words;
    for (const QString& word : QApplication::arguments().mid(1))
        words.push_back(word.toStdString());
    const clCommandLine line = ParseCommandLine(words);

    try {
        clQtSettingsStore store(clQtSettingsStore::DefaultFile());
        clQtUserAccount account;
        clQtNamePrompt prompt;
        clQtMessages messages;
        const clPlatform platform{store,
                                  account,
                                  prompt,
                                  messages,
                                  clSteadyClock::Program(),
                                  FindDataFolder(QApplication::applicationFilePath().toStdString()),
                                  true};
        clProgram program(platform);
        // A start that fails ends the program quietly.
        if (!program.StartUp()) return 0;
        clMessageBoxDialogs dialogs;
        clMainWindow window(program, dialogs);
        if (!window.Start(line)) return 0;
        window.show();
        program.PlayWelcome();
        if (line.quitAfterStart) {
            QTimer::singleShot(500, &window, [&window] { window.ExecuteCommand(40001); });
        }
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qarvel: %s\n", error.what());
        return 255;
    }
}
