#include "toolkit/qt_crash_message.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>

#include <unistd.h>

#include "toolkit/crash_report.h"

namespace {

void PrintError(const char* what) {
    std::fprintf(stderr, "qarvel: %s\n", what);
    std::fflush(stderr);
}

[[noreturn]] void OnTerminate() {
    if (const std::exception_ptr error = std::current_exception()) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            PrintError(e.what());
        } catch (...) {
        }
    }
    EndWithUnidentifiedError();
}

}  // namespace

bool clQtApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        PrintError(error.what());
    } catch (...) {
    }
    EndWithUnidentifiedError();
}

void InstallQtCrashReporter() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) folder.clear();
    InstallCrashReporter(QFile::encodeName(folder).toStdString());
    std::set_terminate(OnTerminate);
}

void EndWithUnidentifiedError() {
    ClaimCrashReport();
    WriteCrashReport(false);
    if (CrashMessagesShown()) {
        const std::string text = UnidentifiedErrorMessage();
        // A message box belongs to the window's thread; from any other the
        // message is a program of its own.
        const QCoreApplication* app = QCoreApplication::instance();
        if (qobject_cast<const QApplication*>(app) && QThread::currentThread() == app->thread())
            ShowCrashMessageBox(QString::fromStdString(text));
        else
            ShowCrashMessageProcess(text.c_str());
    }
    _exit(255);
}

void ShowCrashMessageBox(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Exception"), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (qEnvironmentVariableIsSet("QARVEL_TEST_CRASH_MESSAGE")) {
        QTimer::singleShot(0, &box, [&box] {
            std::printf("crash message %s: %s\n%s\n", box.isVisible() ? "shown" : "hidden",
                        box.windowTitle().toUtf8().constData(), box.text().toUtf8().constData());
            std::fflush(stdout);
            box.done(QMessageBox::Ok);
        });
    }
    box.exec();
}

bool IsCrashMessageRun(int argc, char** argv) {
    return argc == 3 && std::strcmp(argv[1], kShowCrashMessageSwitch) == 0;
}

int RunCrashMessage(int argc, char** argv) {
    const QString text = QString::fromUtf8(argv[2]);
    QApplication app(argc, argv);
    ShowCrashMessageBox(text);
    return 0;
}
