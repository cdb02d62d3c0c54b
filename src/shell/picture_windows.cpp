#include "shell/picture_windows.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <string>

#include "dialogs/dialog_base.h"
#include "dialogs/qt_picture.h"
#include "graphics/image.h"
#include "shell/qt_text_painter.h"
#include "toolkit/product.h"

namespace {

// Shadowed text: black moved by 2 and by 1, then white in its place.
void Shadowed(clImage& picture, const clRect& rect, const std::string& text, int height,
              clTextAlign align) {
    clQtTextPainter painter;
    clTextStyle style;
    style.height = height;
    style.align = align;
    style.colour = 0;
    for (int offset : {2, 1}) {
        painter.DrawText(
            picture,
            {rect.left + offset, rect.top + offset, rect.right + offset, rect.bottom + offset},
            text, style);
    }
    style.colour = 0xffffff;
    painter.DrawText(picture, rect, text, style);
}

// A copy of the picture with texts written on it, as a pixmap.
template <class Write>
QPixmap Written(const clImage& picture, Write write) {
    clImage copy;
    if (!copy.CreateImage(picture.Width(), picture.Height())) return {};
    copy.Copy(picture, {0, 0});
    write(copy);
    return QPixmap::fromImage(ImageView(copy).copy());
}

QPointer<clAboutWindow> current;

}  // namespace

clSplashWindow* clSplashWindow::Show(const clImage& picture) {
    if (picture.IsEmpty()) return nullptr;
    const std::string version = std::string("Version ") + kProductVersion;
    const QPixmap shown = Written(picture, [&](clImage& copy) {
        Shadowed(copy, {20, 140, 380, 172}, version, 20, clTextAlign::Left);
    });
    auto* window = new clSplashWindow(shown);
    window->show();
    return window;
}

clSplashWindow::clSplashWindow(const QPixmap& picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* label = new QLabel(this);
    label->setPixmap(picture);
    setFixedSize(picture.size());
    label->resize(picture.size());
    CentreOver(*this, nullptr);
}

void clAboutWindow::Open(const clImage& picture, QWidget* parent) {
    if (current || picture.IsEmpty()) return;
    const std::string name = std::string(kProductName) + " " + kProductVersion;
    const QPixmap shown = Written(picture, [&](clImage& copy) {
        Shadowed(copy, {2, 6, 398, 26}, name, 20, clTextAlign::Centre);
        Shadowed(copy, {1, 28, 399, 44}, kReleaseDate, 16, clTextAlign::Centre);
    });
    current = new clAboutWindow(shown, parent);
    current->show();
}

clAboutWindow* clAboutWindow::Current() {
    return current;
}

clAboutWindow::clAboutWindow(const QPixmap& picture, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About %1").arg(QString::fromLatin1(kProductName)));
    auto* label = new QLabel(this);
    label->setPixmap(picture);
    label->resize(picture.size());
    setFixedSize(picture.size());
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(160, 250, 80, 24);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    CentreOver(*this, MainWindowOf(parent));
}
