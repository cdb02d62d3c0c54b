#include "shell/take_score_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

clTakeScoreWindow::clTakeScoreWindow(QWidget* parent, clHandlers handlers)
    : QWidget(parent, Qt::Tool), handlers(std::move(handlers)) {
    setWindowTitle(QStringLiteral("Take Score"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    button = new QPushButton(QStringLiteral("Take Score"), this);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this] {
        if (this->handlers.pressed) this->handlers.pressed();
    });
    placing = false;
}

void clTakeScoreWindow::Place(const QRect& frame) {
    placing = true;
    setGeometry(frame);
    placing = false;
}

void clTakeScoreWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (handlers.closed) handlers.closed();
}

void clTakeScoreWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    Report();
}

void clTakeScoreWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Report();
}

void clTakeScoreWindow::Report() {
    if (placing || !isVisible() || !handlers.moved) return;
    const QPoint topLeft = parentWidget() ? parentWidget()->mapFromGlobal(pos()) : pos();
    handlers.moved(QRect(topLeft, size()));
}
