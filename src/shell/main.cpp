// qarvel: the game.
//
//   qarvel [/p PLAYER] [GAME] [/o SAVED-GAME]
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <exception>

#include "engine/product.h"
#include "shell/command_line.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/picture_windows.h"
#include "shell/program.h"
#include "shell/start_requests.h"
#include "shell/window_dialogs.h"
#include "toolkit/crash_report.h"
#include "toolkit/qt_crash_message.h"
#include "toolkit/qt_messages.h"
#include "toolkit/qt_settings_store.h"
#include "toolkit/qt_user_account.h"
#include "toolkit/steady_clock.h"

namespace {

// The largest resident set so far, in KiB (0 when unknown).
long PeakResidentKiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    }
    std::fclose(status);
    return kib;
}

// Measuring the start: the wall-clock time when the dealt table was first
// painted, and the memory, for bench/startup.
void ReportStartup() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long ms = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    std::printf("shown-at-ms %lld peak-rss-kib %ld\n", ms, PeakResidentKiB());
    std::fflush(stdout);
}

// The first start's name question comes in front of the splash: the splash
// closes first.
class clSplashFirstPrompt final : public clNamePrompt {
public:
    explicit clSplashFirstPrompt(clNamePrompt& prompt) : prompt(prompt) {}
    QPointer<clSplashWindow> splash;
    std::optional<std::string> AskPlayerName(std::string_view suggestion) override {
        if (splash) splash->close();
        return prompt.AskPlayerName(suggestion);
    }

private:
    clNamePrompt& prompt;
};

}  // namespace

int main(int argc, char** argv) {
    // A crash shows its message from a second start of the program.
    if (IsCrashMessageRun(argc, argv)) return RunCrashMessage(argc, argv);
    InstallQtCrashReporter();
    clQtApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(kProductVersion));

    std::vector<std::string> words;
    for (const QString& word : QApplication::arguments().mid(1))
        words.push_back(word.toStdString());
    const clCommandLine line = ParseCommandLine(words);
    // A game or saved game goes to the copy already running, if there is one.
    const QString channel = clStartRequests::ChannelName();
    if (line.HasStartRequest() && !line.quitAfterStart && !line.reportStartup &&
        clStartRequests::Send(channel, line.game, line.file)) {
        return 0;
    }

    try {
        clQtSettingsStore store(clQtSettingsStore::DefaultFile());
        clQtUserAccount account;
        clQtNamePrompt askName;
        clSplashFirstPrompt prompt(askName);
        clQtMessages messages;
        const clPlatform platform{store,
                                  account,
                                  prompt,
                                  messages,
                                  clSteadyClock::Program(),
                                  FindDataFolder(QApplication::applicationFilePath().toStdString()),
                                  true};
        clProgram program(platform);
        // The splash shows while the settings and card sets load, and for at
        // least two seconds; the game window does not wait for it.
        program.LoadInterfacePictures();
        QPointer<clSplashWindow> splash = clSplashWindow::Show(program.SplashPicture());
        prompt.splash = splash;
        QElapsedTimer splashShown;
        splashShown.start();
        auto closeSplash = [&splash, &splashShown] {
            if (!splash) return;
            const int left = std::max<int>(0, 2000 - static_cast<int>(splashShown.elapsed()));
            QTimer::singleShot(left, splash, &QWidget::close);
        };
        // A start that fails ends the program quietly.
        if (!program.StartUp()) return 0;
        clGameDialogs dialogs(program);
        clMainWindow window(program, dialogs);
        if (!window.Start(line)) return 0;
        window.show();
        closeSplash();
        if (!line.faultForTest.empty()) {
            QTimer::singleShot(0, &window, [kind = line.faultForTest] { FaultForTest(kind); });
        }
        // Later starts hand their requests over once the window is up.
        clStartRequests requests;
        QTimer::singleShot(0, &window, [&requests, &window, channel] {
            requests.Listen(channel, [&window](const std::string& game, const std::string& file) {
                window.HandleStartRequest(game, file);
            });
        });
        // The welcome sound opens the sound device: once the table is on screen.
        const bool report = line.reportStartup;
        window.Table()->OnFirstPaint([&window, &program, report] {
            if (report) {
                ReportStartup();
                // Exit leaves the game for the chooser, then the chooser.
                QTimer::singleShot(0, &window, [&window] {
                    window.ExecuteCommand(clCommand::kExit);
                    window.ExecuteCommand(clCommand::kExit);
                });
                return;
            }
            QTimer::singleShot(0, &window, [&program] { program.PlayWelcome(); });
        });
        if (line.quitAfterStart) {
            // Exit from a game goes to the chooser; Exit there ends the program.
            auto* leave = new QTimer(&window);
            QObject::connect(leave, &QTimer::timeout, &window,
                             [&window] { window.ExecuteCommand(clCommand::kExit); });
            leave->start(500);
        }
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qarvel: %s\n", error.what());
        EndWithUnidentifiedError();
    } catch (...) {
        EndWithUnidentifiedError();
    }
}
