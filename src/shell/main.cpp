// qarvel: the game.
//
//   qarvel [/p PLAYER] [GAME] [/o SAVED-GAME]
//   qarvel --help | --version
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <malloc.h>

#include "dialogs/small_dialogs.h"
#include "graphics/interface_cache.h"
#include "graphics/picture_read_ahead.h"
#include "shell/command_line.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/picture_windows.h"
#include "shell/program.h"
#include "shell/start_requests.h"
#include "shell/window_dialogs.h"
#include "toolkit/crash_report.h"
#include "toolkit/font_warm_up.h"
#include "toolkit/product.h"
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

// The first start's name question shows over the splash, centred on it.
class clSplashFirstPrompt final : public clNamePrompt {
public:
    QPointer<clSplashWindow> splash;
    std::optional<std::string> AskPlayerName(std::string_view suggestion) override {
        prompt.over = splash;
        return prompt.AskPlayerName(suggestion);
    }

private:
    clFirstPlayerPrompt prompt;
};

// The running program's file, for finding the shipped data before Qt is up.
std::filesystem::path ProgramFile(const char* argv0) {
    std::error_code error;
    std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) file = argv0 ? argv0 : "qarvel";
    return file;
}

// --help and --version: the text on standard output and exit status 0 (1 when
// it could not be written), with no display needed.
int PrintText(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

// Card pictures, the virtual screen and the background are large blocks that
// come and go with every change of size. Each is given back to the system
// when it is freed (a fixed threshold for mapping a block of its own, where
// the allocator would otherwise raise it after the first large free), and one
// arena serves every thread, so the pictures the card loader's thread made
// leave no arena of their own behind.
void KeepFreedPicturesOut() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_ARENA_MAX, 1);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    KeepFreedPicturesOut();
    // A crash shows its message from a second start of the program.
    if (IsCrashMessageRun(argc, argv)) return RunCrashMessage(argc, argv);
    if (argc > 1) {
        const clCommandLine asked =
            ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (asked.help) return PrintText(HelpText(FindDataFolder(ProgramFile(argv[0]))));
        if (asked.version) return PrintText(VersionText());
    }
    // What the first screens need is read on other threads while the
    // application connects to the display.
    const std::filesystem::path dataFolder = FindDataFolder(ProgramFile(argv[0]));
    ReadPictureAhead((dataFolder / clCache::kInterfaceFile).string());
    const std::jthread fonts = WarmUpFonts();
    InstallQtCrashReporter();
    clQtApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(kProductVersion));
    // Ties the window to the installed launcher; the installed icon becomes
    // the window's and the tray's.
    QApplication::setDesktopFileName(QStringLiteral(QARVEL_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(QARVEL_APP_ID)));

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
        clSplashFirstPrompt prompt;
        clQtMessages messages;
        messages.toStandardError = line.quitAfterStart || line.reportStartup;
        if (!store.Refusal().empty()) messages.ShowMessage(store.Refusal());
        const clPlatform platform{store,      account, prompt, messages, clSteadyClock::Program(),
                                  dataFolder, true};
        clProgram program(platform);
        // The splash shows while the settings and card sets load, and for at
        // least two seconds; the game window does not wait for it.
        program.LoadInterfacePictures();
        QPointer<clSplashWindow> splash = clSplashWindow::Show(program.SplashPicture());
        program.ReleaseSplashPicture();
        prompt.splash = splash;
        QElapsedTimer splashShown;
        splashShown.start();
        // The Help Center follows the splash when the player wants it at start.
        const bool quietStart =
            line.quitAfterStart || line.reportStartup || !line.faultForTest.empty();
        auto closeSplash = [&splash, &splashShown](clMainWindow& window, bool helpAfter) {
            const int left =
                splash ? std::max<int>(0, 2000 - static_cast<int>(splashShown.elapsed())) : 0;
            if (splash) QTimer::singleShot(left, splash, &QWidget::close);
            if (helpAfter) {
                QTimer::singleShot(left, &window, [&window] { window.ShowHelpCenter(); });
            }
        };
        // A start the player ends (no name given) ends the program quietly;
        // a start without a card set ends it with an error status, once the
        // player has been told.
        if (!program.StartUp()) return program.CardSetsFailed() ? 1 : 0;
        clGameDialogs dialogs(program);
        clMainWindow window(program, dialogs);
        if (!window.Start(line)) return 1;
        // The first screen has taken what it wanted (the chooser takes no background).
        ForgetPicturesReadAhead();
        window.show();
        closeSplash(window, program.Settings().Help() && !quietStart);
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
