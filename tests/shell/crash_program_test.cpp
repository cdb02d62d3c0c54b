// The real game binary crashing on purpose (the hidden --fault-for-test
// switch) once its window is up: each crash appends its report to
// "qarvel.error" in the documents folder, shows its message and ends the
// program with status 255, and the settings saved before stay.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "player/settings.h"
#include "support/temp_folder.h"
#include "toolkit/qt_settings_store.h"

namespace {

QString Text(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A home folder of its own with a documents folder and one player, so that
// the game starts without asking anything.
class CrashProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(Documents());
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), Text(home.Path()));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Text(home.Path() / "config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), Text(home.Path() / "data"));
        env.insert(QStringLiteral("QARVEL_DATA"), QStringLiteral(QARVEL_BUILD_DATA_DIR));
        env.insert(QStringLiteral("QARVEL_TEST_CRASH_MESSAGE"), QStringLiteral("1"));
        QProcess add;
        add.setProcessEnvironment(env);
        add.start(QStringLiteral(QARVEL_ADD_PLAYER_BINARY), {QStringLiteral("Tester")});
        ASSERT_TRUE(add.waitForFinished(30000));
        ASSERT_EQ(add.exitCode(), 0);
    }

    std::filesystem::path Documents() const { return home.Path() / "Documents"; }
    std::string Report() const { return ReadFileBytes(Documents() / "qarvel.error"); }

    // Runs the game until it crashes the way kind says; on the offscreen
    // platform, or under xvfb-run on a real X server.
    std::string Crash(const std::string& kind, bool x11) {
        QProcess game;
        QProcessEnvironment runEnv = env;
        QStringList arguments = {QStringLiteral("--fault-for-test"), QString::fromStdString(kind)};
        QString program = QStringLiteral(QARVEL_GAME_BINARY);
        if (x11) {
            runEnv.remove(QStringLiteral("QT_QPA_PLATFORM"));
            arguments.prepend(program);
            arguments.prepend(QStringLiteral("-a"));
            program = QStringLiteral("xvfb-run");
        } else {
            runEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        game.setProcessEnvironment(runEnv);
        game.setProcessChannelMode(QProcess::MergedChannels);
        game.start(program, arguments);
        EXPECT_TRUE(game.waitForStarted(10000));
        EXPECT_TRUE(game.waitForFinished(120000)) << kind;
        const std::string output = game.readAll().toStdString();
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit) << kind << "\n" << output;
        EXPECT_EQ(game.exitCode(), 255) << kind << "\n" << output;
        return output;
    }

    clTempFolder home;
    QProcessEnvironment env;
};

}  // namespace

TEST_F(CrashProgramTest, EachCrashAppendsItsReportAndShowsItsMessage) {
    const bool haveXvfb = !QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty();
    const std::string at = " at [0-9A-F]{16}";
    struct {
        const char* kind;
        const char* signal;  // as a pattern; empty: an error that is no machine fault
        std::string description;
        bool x11;
    } cases[] = {
        {"segv-read", "0000000B \\(SIGSEGV\\)",
         "Access violation" + at + ": reading from address 0000000000000000", haveXvfb},
        {"segv-write", "0000000B \\(SIGSEGV\\)",
         "Access violation" + at + ": writing to address 0000000000000000", false},
        {"intdiv", "00000008 \\(SIGFPE\\)", "Integer divide by zero" + at, false},
        {"fpdiv", "00000008 \\(SIGFPE\\)", "Floating point divide by zero" + at, false},
        {"illegal", "00000004 \\(SIGILL\\)", "Illegal instruction" + at, false},
        {"stack-overflow", "0000000B \\(SIGSEGV\\)", "Stack overflow" + at, false},
        {"error", "", "", false},      // an operation error thrown in an event handler
        {"terminate", "", "", false},  // an exception leaves a thread
    };
    const std::string header =
        "Qarvel 1\\.60 error - [A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] "
        "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\n";
    const std::string request =
        "Please report this problem to support@ternwick.example, together with the file "
        "'qarvel.error' from your documents folder and a screenshot of this message.\n\n"
        "The program will now exit.\n";
    const std::string hex16 = "[0-9A-F]{16}", hex8 = "[0-9A-F]{8}", hex4 = "[0-9A-F]{4}";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string before = Report();
        const std::string output = Crash(c.kind, c.x11);
        const std::string after = Report();
        // The earlier reports stay as they were; one whole report follows.
        ASSERT_TRUE(after.starts_with(before));
        const std::string report = after.substr(before.size());
        EXPECT_TRUE(report.ends_with("\n-----\n")) << report;
        EXPECT_EQ(report.find("-----"), report.size() - 6) << report;
        if (*c.signal == '\0') {
            const std::regex shortReport(header +
                                         "Unidentified exception\\.\nStack dump:\n-----\n");
            EXPECT_TRUE(std::regex_match(report, shortReport)) << report;
            EXPECT_NE(output.find("crash message shown: Exception\nAn unidentified error has "
                                  "occurred in Qarvel.\n\n" +
                                  request),
                      std::string::npos)
                << output;
            continue;
        }
        std::smatch match;
#if defined(__x86_64__)
        const std::string r64 = "=" + hex16;
        const std::string pattern =
            header + "Description: (" + c.description + ")\nException code: " + c.signal +
            "\nException flags: " + hex8 + "\nException address: (" + hex16 +
            ")\nException parameters: [02]\n(?:    " + hex16 + "\n)*Context flags: " + hex8 +
            "\nRegisters:\n  RAX" + r64 + " RBX" + r64 + " RCX" + r64 + " RDX" + r64 + "\n  RSI" +
            r64 + " RDI" + r64 + " RBP" + r64 + " RSP" + r64 + "\n  R8" + r64 + " R9" + r64 +
            " R10" + r64 + " R11" + r64 + "\n  R12" + r64 + " R13" + r64 + " R14" + r64 + " R15" +
            r64 + "\n  RIP=(" + hex16 + ") EFLAGS=" + hex8 + " CS=" + hex4 + " GS=" + hex4 +
            " FS=" + hex4 + "\n  ERR=" + hex8 + " TRAPNO=" + hex8 + " CR2=" + hex16 +
            "\nFloating point:\n  ControlWord: " + hex8 + "\n  StatusWord: " + hex8 +
            "\n  TagWord: " + hex8 + "\n  ErrorOffset: " + hex16 + "\n  ErrorOpcode: " + hex8 +
            "\n  DataOffset: " + hex16 + "\n  MXCSR: " + hex8 +
            "\nStack dump:\n  ([^\n]*)\n(?:  .*\n)*-----\n";
        ASSERT_TRUE(std::regex_match(report, match, std::regex(pattern))) << report;
        EXPECT_EQ(match[3], match[2]) << "RIP is where the fault happened";
        // The backtrace starts at the faulting instruction, in the game.
        std::ostringstream firstFrame;
        firstFrame << "[0x" << std::hex << std::stoull(match[2], nullptr, 16) << "]";
        EXPECT_TRUE(match[4].str().starts_with(QARVEL_GAME_BINARY)) << match[4];
        EXPECT_TRUE(match[4].str().ends_with(firstFrame.str())) << match[4];
#else
        ASSERT_TRUE(std::regex_search(report, match, std::regex("Description: (.*)\n")));
        EXPECT_NE(report.find("Stack dump:\n  "), std::string::npos) << report;
#endif
        const std::string description = match[1];
        EXPECT_NE(output.find("crash message shown: Exception\nThe following error has occurred "
                              "in Qarvel:\n\t" +
                              description + "\n\n" + request),
                  std::string::npos)
            << output;
    }

    // The settings saved before the crashes are all there.
    clQtSettingsStore store(home.Path() / "config" / "Ternwick" / "Qarvel.conf");
    clSettings settings(store);
    settings.LoadOptions();
    ASSERT_TRUE(settings.LoadPlayer());
    EXPECT_EQ(settings.Player(), "Tester");
}
