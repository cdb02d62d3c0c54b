#pragma once

#include <QApplication>
#include <QString>

// The game's application object: an exception thrown out of an event handler
// ends the program with the unidentified-error report instead of unwinding
// through Qt.
class clQtApplication final : public QApplication {
public:
    clQtApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

// Installs the crash reporter with the player's documents folder (the current
// folder when there is none) and std::terminate's handler. Before the
// application object exists.
void InstallQtCrashReporter();

// An error reached the top: appends the short report, shows the
// unidentified-error message when a window can be shown, and ends the
// program with status 255.
[[noreturn]] void EndWithUnidentifiedError();

// The crash message: a message box titled "Exception". With the environment
// variable QARVEL_TEST_CRASH_MESSAGE set, the box writes its title and text
// to standard output once it is shown and closes itself (for tests).
void ShowCrashMessageBox(const QString& text);

// Whether the command line only asks for the crash message (the fault
// handler starts the program that way); RunCrashMessage shows it.
bool IsCrashMessageRun(int argc, char** argv);
int RunCrashMessage(int argc, char** argv);
