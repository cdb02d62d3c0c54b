#include "toolkit/qt_messages.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <cstdio>
#include <thread>

void clQtMessages::ShowMessage(const std::string& text) {
    if (toStandardError) {
        std::fprintf(stderr, "qarvel: %s\n", text.c_str());
        std::fflush(stderr);
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Qarvel"),
                             QString::fromStdString(text));
}

void clQtMessages::BeginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void clQtMessages::EndWait() {
    QApplication::restoreOverrideCursor();
}

namespace {

// The window shown while slow work runs: its text, a busy bar and Cancel.
// Rejecting it (Cancel, Escape, its close box) is the player's cancel.
class clProgressWindow final : public QDialog {
public:
    clProgressWindow(const std::string& text, QWidget* parent) : QDialog(parent) {
        setObjectName(QStringLiteral("onlineProgress"));
        setWindowTitle(QStringLiteral("Qarvel"));
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel(QString::fromStdString(text), this);
        layout->addWidget(label);
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);
        bar->setTextVisible(false);
        bar->setMinimumWidth(label->fontMetrics().averageCharWidth() * 40);
        layout->addWidget(bar);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
        setFixedSize(sizeHint());
    }
};

}  // namespace

bool clQtMessages::RunCancellable(const std::string& text,
                                  const std::function<void(std::stop_token)>& work) {
    std::stop_source stop;
    std::atomic<bool> finished = false;
    QEventLoop loop;
    std::jthread worker([&] {
        work(stop.get_token());
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    // A quick exchange: paint, but keep the player's input until it is over
    // (the input is not lost; it is taken afterwards).
    BeginWait();
    QTimer::singleShot(kProgressDelayMs, &loop, [&loop] { loop.exit(1); });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    EndWait();
    if (finished) return true;

    // A slow one: the progress window, and everything answers again. The
    // worker's quit is still queued if it finished in between.
    clProgressWindow progress(text, QApplication::activeWindow());
    bool cancelled = false;
    QObject::connect(&progress, &QDialog::rejected, &loop, [&] {
        cancelled = true;
        stop.request_stop();
    });
    progress.show();
    if (!finished) loop.exec();
    progress.hide();
    return !cancelled;
}
